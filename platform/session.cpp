#include "session.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

bool preferPositionableWindows()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return false;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    return true;
}

} // namespace platform
