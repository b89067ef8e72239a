// The trace of what a person on the phone would notice: message boxes, windows shown or
// hidden, browser and phone launches, registry changes. With SORV_TRACE=FILE each such
// call appends one line "<event> <details>" (UTF-8) to FILE, so tests can read it.
#pragma once

#include <string>

namespace sorv::platform {

void traceEvent(const std::string& line);
// Tests: redirect the trace (empty path: back to SORV_TRACE).
void setTracePath(const std::string& path);

}  // namespace sorv::platform
