// The device's power state (stand-in for GetSystemPowerState's flags).
//
// SORV_POWER: "on" (the default) or "unattended" (the screen is off while the device runs);
// any other value makes the query fail. The headless script overrides it with setPowerState.
// Main thread only.
#pragma once

#include <cstdint>

namespace sorv::platform {

inline constexpr uint32_t kPowerStateOn = 0x00010000;
inline constexpr uint32_t kPowerStateUnattended = 0x00400000;

// False when the query fails (flags untouched).
bool systemPowerState(uint32_t& flags);

// Overrides SORV_POWER ("on", "unattended"; an empty name goes back to the variable).
void setPowerState(const char* name);

}  // namespace sorv::platform
