#include "Program.h"

#include "platform/application.h"
#include "platform/resources.h"

#include <QWidget>

namespace DvcTestHooks {
QString ProgramFolder;
std::function<void()> ResolutionReadFault;
std::function<void()> WelcomeFault;

void Reset()
{
    ProgramFolder.clear();
    ResolutionReadFault = nullptr;
    WelcomeFault = nullptr;
}
} // namespace DvcTestHooks

QString ProgramFolder()
{
    if (!DvcTestHooks::ProgramFolder.isEmpty())
        return DvcTestHooks::ProgramFolder;
    return platform::Application::instance()->exeFolder();
}

void InitConfigResources()
{
    Q_INIT_RESOURCE(artwork);
    platform::initResources();
}
