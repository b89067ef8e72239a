// The program's start and end (what SDL's start-up hands over to on the phone): the
// out-of-memory handler, the single instance, the message language, the free-memory check,
// then the shell's start, loop and stop. Both executables (the program and its headless
// twin) run it; they differ only in what they set up before.
#pragma once

#include <cstdio>
#include <functional>

namespace sorv {

// The program's log ("stdout.txt" beside the executable as on the phone; SORV_LOG=- the
// standard output, SORV_LOG=FILE that file). Standard output when the file cannot be made.
std::FILE* openProgramLog();

// Takes the instance lock, the first thing a start does. When another copy holds it, brings
// that copy's window to the front (on the host's desktop too) and returns true: this start
// ends at once with 0. Asked before the log is opened, so a second start leaves the running
// game's log alone.
bool bringRunningInstanceForward();

// After bringRunningInstanceForward: 0 after a normal run or when memory is short;
// 1 when the start failed (data.bar missing or unreadable: a message box names it and its
// folder). The main midlet factory must be set before; prepareShell (the
// headless program's hooks) runs on the new Shell before its start.
class Shell;
int runProgram(const std::function<void(Shell&)>& prepareShell = {});

}  // namespace sorv
