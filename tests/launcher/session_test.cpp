// The choice of windowing platform before the application object exists.
#include "platform/session.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Sets or clears an environment variable for the life of the object, then restores it.
class EnvVar
{
public:
    EnvVar(const char *Name, std::optional<QByteArray> Value)
        : FName(Name)
    {
        if (qEnvironmentVariableIsSet(Name))
            FSaved = qgetenv(Name);
        if (Value)
            qputenv(Name, *Value);
        else
            qunsetenv(Name);
    }
    ~EnvVar()
    {
        if (FSaved)
            qputenv(FName, *FSaved);
        else
            qunsetenv(FName);
    }

private:
    const char *FName;
    std::optional<QByteArray> FSaved;
};

} // namespace

// Each row: the session's variables, whether xcb is chosen, and the platform variable after.
TEST(Session, PrefersXcbOnWaylandWithXWayland)
{
    const struct
    {
        const char *Name;
        std::optional<QByteArray> Wayland, Display, Platform;
        bool Chosen;
        std::optional<QByteArray> PlatformAfter;
    } Cases[] = {
        {"Wayland with XWayland", "wayland-0", ":0", std::nullopt, true, "xcb"},
        {"Wayland without XWayland", "wayland-0", std::nullopt, std::nullopt, false, std::nullopt},
        {"Wayland with an empty DISPLAY", "wayland-0", "", std::nullopt, false, std::nullopt},
        {"plain X11", std::nullopt, ":0", std::nullopt, false, std::nullopt},
        {"the user's choice stands", "wayland-0", ":0", "wayland", false, "wayland"},
        {"an empty choice is still a choice", "wayland-0", ":0", "", false, ""},
        {"no display at all", std::nullopt, std::nullopt, std::nullopt, false, std::nullopt},
    };
    for (const auto &C : Cases) {
        SCOPED_TRACE(C.Name);
        EnvVar Wayland("WAYLAND_DISPLAY", C.Wayland);
        EnvVar Display("DISPLAY", C.Display);
        EnvVar Platform("QT_QPA_PLATFORM", C.Platform);
        EXPECT_EQ(platform::preferPositionableWindows(), C.Chosen);
        const std::optional<QByteArray> After = qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
            ? std::optional<QByteArray>(qgetenv("QT_QPA_PLATFORM"))
            : std::nullopt;
        EXPECT_EQ(After, C.PlatformAfter);
    }
}
