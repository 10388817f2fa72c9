#pragma once

#include <QString>

#include <functional>

namespace platform {

// Starts a program of the suite the way a desktop shell opens a file: by its bare name, in the
// folder it is installed in.
//
// - The program is looked for in `directory` only, never on PATH (two products share a program
//   name, so a PATH search could start the wrong one).
// - `directory` may be a native path or a Windows-style install path: "\" and "/" both separate
//   folders, a drive letter ("C:") is dropped, and a leading separator means the root, so
//   "C:\Program files\Halvane\Dv" and "\Program files\Halvane\Dv" are both
//   "/Program files/Halvane/Dv". A path without a leading separator is relative to the current
//   folder. Each folder of the path, and the program's name, match regardless of letter case
//   (an exact match wins when several entries match).
// - "X.Exe" finds the native program "X" when there is no program "X.Exe".
// - Only an executable regular file (or a link to one) counts. `file` must be a bare name.
// - The program is started directly (no shell sees any of the text), without arguments, with the
//   install folder as its working directory, in a session of its own, so that it outlives the
//   caller; the caller is left no child process to reap.
//
// Returns true when the program was started. A missing program or folder, or a program that
// cannot be run, starts nothing, reports nothing and returns false.
bool shellExecute(const QString &file, const QString &directory);

// The native folder `directory` names under the rules above, or an empty string when there is no
// such folder.
QString shellResolveDirectory(const QString &directory);

// The full path of the program shellExecute() would start, or an empty string when there is none.
QString shellFindProgram(const QString &file, const QString &directory);

// For tests of the suite's programs: when set, shellExecute() calls this instead of starting
// anything, and returns what it returns.
extern std::function<bool(const QString &file, const QString &directory)> shellExecuteHook;

} // namespace platform
