// Process launches (stand-ins for CreateProcessW and ShellExecuteEx): the browser for a
// link and the phone application for the phone key.
//
// Nothing is started on the host and nothing ever goes through a shell: the launch is
// written to the trace ("create-process <application> <command line>", "shell-execute
// <file>") and succeeds or fails as SORV_CREATEPROCESS says ("ok", the default, or "fail").
#pragma once

#include <string>

namespace sorv::platform {

// The command line is UTF-8, handed over as one argument.
bool createProcess(const std::string& application, const std::string& commandLine);
bool shellExecute(const std::string& file);

}  // namespace sorv::platform
