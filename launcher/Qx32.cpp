// Qx32, the Quixbar launcher: a tool bar that starts the suite's programs.
#include "Qx02.h"

#include "platform/application.h"
#include "platform/session.h"

int main(int argc, char **argv)
{
    // The bar places its own window, which needs a platform that lets it.
    platform::preferPositionableWindows();
    platform::Application App(argc, argv);
    App.setApplicationName(QStringLiteral("Quixbar"));
    App.setApplicationVersion(QStringLiteral("2.0.1.1"));
    App.setOrganizationName(QStringLiteral("Halvane Ltd"));
    RunLauncher();
    return 0;
}
