#include "device/platform/memory_status.h"

#include <sys/sysinfo.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace sorv::platform {

uint32_t saturateToDword(uint64_t bytes) { return bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(bytes); }

uint32_t availablePhysicalMemory() {
  const char* forced = std::getenv("SORV_AVAIL_PHYS");
  if (forced != nullptr && *forced != '\0') {
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(forced, &end, 0);
    if (*end == '\0' && forced[0] != '-') return errno == ERANGE ? 0xFFFFFFFFu : saturateToDword(value);
    std::fprintf(stderr, "memory: SORV_AVAIL_PHYS \"%s\" is not a number; using the host's\n", forced);
  }
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return 0xFFFFFFFFu;
  return saturateToDword(static_cast<uint64_t>(info.freeram + info.bufferram) * info.mem_unit);
}

}  // namespace sorv::platform
