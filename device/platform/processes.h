// Process launches (stand-ins for CreateProcessW and ShellExecuteEx): the browser for a
// link and the phone application for the phone key.
//
// Every launch is written to the trace ("create-process <application> <command line>",
// "shell-execute <file>"). Nothing ever goes through a shell. By default nothing is started
// on the host either: the launch succeeds or fails as SORV_CREATEPROCESS says ("ok", the
// default, or "fail"). Only the real program switches the host launcher on
// (enableHostLauncher): then a browser launch of an http:// or https:// address starts
// `xdg-open` with the address as its one argument (stdin /dev/null, no descriptor beyond
// 0-2, not waited for); any other address is refused with a log line.
#pragma once

#include <string>

namespace sorv::platform {

// The command line is UTF-8, handed over as one argument.
bool createProcess(const std::string& application, const std::string& commandLine);
bool shellExecute(const std::string& file);

// The real program's main only; tests switch it on and off around a launch.
void enableHostLauncher(bool on);

}  // namespace sorv::platform
