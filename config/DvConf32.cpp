// The Dovrane copier's configuration tool.
#include "Dvc01.h"
#include "FatalErr.h"
#include "Message.h"
#include "Program.h"
#include "platform/application.h"
#include "platform/session.h"

#include <QIcon>

#include <exception>

int main(int argc, char **argv)
{
    // The dialogs place themselves (the fatal-error dialog at a fixed point), which needs a
    // platform that lets them.
    platform::preferPositionableWindows();
    platform::Application App(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Dovrane Configuration"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.4.2.2c"));
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Ltd"));
    InitConfigResources();
    App.setWindowIcon(QIcon(QStringLiteral(":/config/icon.png")));

    int ExitCode = 0;
    try {
        DvConfStartUp();
        App.setTitle(QStringLiteral("Dovrane Configuration 3.4.2.2c"));
        App.run();
    } catch (const std::exception &E) {
        // Only a write that fails while start-up stores its fallback resolutions gets here.
        App.showException(QString::fromUtf8(E.what()));
        ExitCode = 1;
    }
    // The message dialogs belong to no form list of the application; they go before it does.
    FreeMessageForms();
    FreeFatalErrorForms();
    return ExitCode;
}
