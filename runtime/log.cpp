#include "runtime/log.h"

#include <cstdarg>

namespace sorv {
namespace Debug {
namespace {
std::FILE* gSink = nullptr;
}

void setSink(std::FILE* s) { gSink = s; }
std::FILE* sink() { return gSink != nullptr ? gSink : stdout; }

void trace(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  // vsnprintf cuts an over-long line inside the buffer.
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::FILE* out = sink();
  std::fputs(line, out);
  std::fputc('\n', out);
  std::fflush(out);
}

}  // namespace Debug
}  // namespace sorv
