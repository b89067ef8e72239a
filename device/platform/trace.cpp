#include "device/platform/trace.h"

#include <cstdio>
#include <cstdlib>

namespace sorv::platform {
namespace {
std::string gOverride;
}

void setTracePath(const std::string& path) { gOverride = path; }

void traceEvent(const std::string& line) {
  std::string path = gOverride;
  if (path.empty()) {
    const char* env = std::getenv("SORV_TRACE");
    if (env == nullptr || *env == '\0') return;
    path = env;
  }
  // Opened per line so that a crash loses nothing and other processes may read it at once.
  std::FILE* f = std::fopen(path.c_str(), "a");
  if (f == nullptr) return;
  std::fprintf(f, "%s\n", line.c_str());
  std::fclose(f);
}

}  // namespace sorv::platform
