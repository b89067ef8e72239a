#include "device/platform/power_state.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace sorv::platform {
namespace {
std::string gOverride;
}

void setPowerState(const char* name) { gOverride = name != nullptr ? name : ""; }

bool systemPowerState(uint32_t& flags) {
  const char* name = gOverride.empty() ? std::getenv("SORV_POWER") : gOverride.c_str();
  if (name == nullptr || *name == '\0' || std::strcmp(name, "on") == 0) {
    flags = kPowerStateOn;
    return true;
  }
  if (std::strcmp(name, "unattended") == 0) {
    flags = kPowerStateOn | kPowerStateUnattended;
    return true;
  }
  return false;
}

}  // namespace sorv::platform
