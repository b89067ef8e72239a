// The program's one clock: milliseconds, as the phone's tick count. It stands in for nothing
// of the phone's system, so it lives on the lowest floor that reads it (System and the
// profiler); the device layer and the game read it from here.
//
// With SORV_VCLOCK=1 (or setVirtual(true)) the clock is virtual: it stands still until a
// delay advances it at once, so headless runs and tests repeat exactly. Nothing else in the
// program reads the host's clocks.
#pragma once

#include <cstdint>

namespace sorv::clock {

// Milliseconds since the host started (the virtual clock: since the program started),
// wrapping at 32 bits like the phone's tick count.
uint32_t ticks();
// The same count without the wrap.
int64_t millis();
// Waits ms milliseconds (the virtual clock just advances).
void delay(uint32_t ms);

bool isVirtual();
// Tests: switch the clock kind; the virtual clock keeps its current reading.
void setVirtual(bool isVirtual);
// Virtual clock only: moves time on by ms.
void advance(uint32_t ms);

}  // namespace sorv::clock
