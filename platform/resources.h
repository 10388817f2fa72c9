#pragma once

namespace platform {

// Registers the platform's pictures (":/platform/vendor.png", the vendor logo) with Qt's resource
// system. The platform is a static library, so a program calls this once before using them.
void initResources();

} // namespace platform
