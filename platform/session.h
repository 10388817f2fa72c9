#pragma once

namespace platform {

// Chooses the windowing platform before the application object exists.
//
// A program whose windows place themselves (a tool bar that keeps its own position, dragged by
// its own handle) cannot do that on a Wayland session, where the compositor alone decides where
// a window goes. When the session offers XWayland as well (WAYLAND_DISPLAY and DISPLAY are set)
// and the user has not picked a platform (QT_QPA_PLATFORM is unset), this selects Qt's xcb
// platform, so that window positions are honoured. Otherwise it changes nothing.
//
// Returns true when it selected xcb.
bool preferPositionableWindows();

} // namespace platform
