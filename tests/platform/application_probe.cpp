// A program of our own around the application object, for what a test cannot see from inside
// its own process: where the running executable is, and the help viewer started beside it.
//
//   application_probe <help-file>
//
// Prints the executable's full path and its folder, one a line, then sends the help contents
// command for <help-file>. Exits with 0 when the viewer was started, 1 when not.
#include "platform/application.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::Application app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return 2;
    std::printf("%s\n%s\n", qPrintable(app.exeName()), qPrintable(app.exeFolder()));
    std::fflush(stdout);
    app.setHelpFile(args.at(1));
    return app.helpCommand(platform::Application::HelpContents, 0) ? 0 : 1;
}
