#include "paths.h"

namespace testsupport {

QString buildBinDir()
{
    return QStringLiteral(HALVANE_BUILD_BIN_DIR);
}

QString launcherDir()
{
    return QStringLiteral(HALVANE_LAUNCHER_DIR);
}

QString copierDir()
{
    return QStringLiteral(HALVANE_COPIER_DIR);
}

QString sourceDir()
{
    return QStringLiteral(HALVANE_SOURCE_DIR);
}

} // namespace testsupport
