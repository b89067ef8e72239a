// The one log line: printf-style text plus a newline on the log sink (by default the
// standard output, which the shell sends to "stdout.txt"). Lines are cut at 1,024 bytes.
#pragma once

#include <cstdio>

namespace sorv {
namespace Debug {

void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Where lines go; null restores the standard output. The caller owns the FILE.
void setSink(std::FILE* sink);
std::FILE* sink();

}  // namespace Debug
}  // namespace sorv
