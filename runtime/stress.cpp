#include "runtime/stress.h"

#include <cstdlib>
#include <cstring>

namespace sorv::stress {
namespace {

bool envSwitch(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && std::strcmp(value, "1") == 0;
}

bool& collectFlag() {
  static bool on = envSwitch("SORV_GC_STRESS");
  return on;
}

bool& moveFlag() {
  static bool on = envSwitch("SORV_MOVE_STRESS");
  return on;
}

uint32_t gStressedAllocations = 0;

}  // namespace

bool collectOnAllocate() { return collectFlag(); }
bool moveOnAllocate() { return moveFlag(); }
void setCollectOnAllocate(bool on) { collectFlag() = on; }
void setMoveOnAllocate(bool on) { moveFlag() = on; }

bool checkDue() { return ++gStressedAllocations % kCheckInterval == 0; }

}  // namespace sorv::stress
