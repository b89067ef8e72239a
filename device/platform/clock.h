// The program's one clock: milliseconds, as the phone's tick count.
//
// With SORV_VCLOCK=1 (or setVirtual(true)) the clock is virtual: it stands still until a
// delay advances it at once, so headless runs and tests repeat exactly. Nothing else in the
// program reads the host's clocks.
#pragma once

#include <cstdint>

namespace sorv::platform {

// Milliseconds since the host started (the virtual clock: since the program started),
// wrapping at 32 bits like the phone's tick count.
uint32_t ticks();
// The same count without the wrap.
int64_t millis();
// Waits ms milliseconds (the virtual clock just advances).
void delay(uint32_t ms);

bool clockIsVirtual();
// Tests: switch the clock kind; the virtual clock keeps its current reading.
void setClockVirtual(bool isVirtual);
// Virtual clock only: moves time on by ms.
void advanceClock(uint32_t ms);

}  // namespace sorv::platform
