// Named frames and runtime errors of translated code.
//
// Every translated method opens with SORV_FRAME("Class.method(sig)R"), which pushes the name
// and pops it on every exit (early returns included). A failed runtime check logs its text
// with Debug::trace and calls reportError(), which prints "stacktrace:" and the frame names
// innermost first; then the method goes on.
#pragma once

#include "runtime/application.h"
#include "runtime/log.h"

namespace sorv {

class FrameGuard {
 public:
  explicit FrameGuard(const char* name) { Application::pushFrame(name); }
  ~FrameGuard() { Application::popFrame(); }
  FrameGuard(const FrameGuard&) = delete;
  FrameGuard& operator=(const FrameGuard&) = delete;
};

#define SORV_FRAME_CAT2(a, b) a##b
#define SORV_FRAME_CAT(a, b) SORV_FRAME_CAT2(a, b)
#define SORV_FRAME(name) ::sorv::FrameGuard SORV_FRAME_CAT(sorvFrame_, __LINE__)(name)

// Prints the stack trace of the current Application ("stacktrace:\n" then one name a line,
// innermost first, at most 512 bytes) and returns.
void reportError();

// Debug::trace(text) followed by reportError(): the usual failed-check report.
void reportError(const char* text);

}  // namespace sorv
