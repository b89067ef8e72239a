#include "runtime/clock.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace sorv::clock {
namespace {

using Steady = std::chrono::steady_clock;

struct ClockState {
  bool isVirtual;
  int64_t virtualMs = 0;
  // Counted from the host's start, as the phone's tick count is from the phone's: the game
  // seeds its generator with this reading, so two starts draw different numbers.
  Steady::time_point start{};

  ClockState() {
    const char* v = std::getenv("SORV_VCLOCK");
    isVirtual = v != nullptr && std::strcmp(v, "1") == 0;
  }
};

ClockState& state() {
  static ClockState s;
  return s;
}

}  // namespace

int64_t millis() {
  ClockState& s = state();
  if (s.isVirtual) return s.virtualMs;
  return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - s.start).count();
}

uint32_t ticks() { return static_cast<uint32_t>(millis()); }

void delay(uint32_t ms) {
  ClockState& s = state();
  if (s.isVirtual) {
    s.virtualMs += ms;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool isVirtual() { return state().isVirtual; }

void setVirtual(bool isVirtual) {
  ClockState& s = state();
  if (s.isVirtual == isVirtual) return;
  if (isVirtual) {
    s.virtualMs = millis();
  } else {
    // Keep the reading continuous when going back to real time.
    s.start = Steady::now() - std::chrono::milliseconds(s.virtualMs);
  }
  s.isVirtual = isVirtual;
}

void advance(uint32_t ms) {
  ClockState& s = state();
  if (s.isVirtual) s.virtualMs += ms;
}

}  // namespace sorv::clock
