#pragma once

#include <QString>

namespace testsupport {

// Where the build puts helper and test programs.
QString buildBinDir();
// The build's suite: the launcher's folder (Qx32 and its files) and the copier's folder
// (DvConf32 and its files).
QString launcherDir();
QString copierDir();
// The source tree, for files the tests ship.
QString sourceDir();

} // namespace testsupport
