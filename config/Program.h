#pragma once

#include <QString>

#include <functional>

// Where the configuration tool finds the files that lie beside it, and the few seams the tests
// use to run the tool's start-up in one process against temporary folders.

// The folder of the running executable, ending in '/': DvConf.Lng, Dv.Lng and Halvane.Msg lie
// there.
QString ProgramFolder();

// Makes the tool's pictures available (the artwork is linked into a static library).
void InitConfigResources();

namespace DvcTestHooks {
// When not empty, ProgramFolder() gives this folder (ending in '/') instead of the executable's.
extern QString ProgramFolder;
// When set, runs inside the start-up's guarded reads of the resolutions; a test makes the reader
// fail by throwing from it.
extern std::function<void()> ResolutionReadFault;
// When set, runs inside the guarded step of OpenWelcome; a test makes that step fail by throwing.
extern std::function<void()> WelcomeFault;
// Clears all three.
void Reset();
} // namespace DvcTestHooks
