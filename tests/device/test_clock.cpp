#include <gtest/gtest.h>

#include <ctime>

#include "device/platform/clock.h"

namespace sorv {
namespace {

int64_t hostMonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

// The game seeds its generator from this reading at start; counted from the program's own
// start it would be nearly the same every run.
TEST(Clock, RealTimeCountsFromTheHostsStartNotTheProgramsAndVirtualTimeStaysContinuous) {
  const bool wasVirtual = platform::clockIsVirtual();
  platform::setClockVirtual(false);
  EXPECT_NEAR(static_cast<double>(platform::millis()), static_cast<double>(hostMonotonicMs()), 50.0);
  platform::setClockVirtual(true);
  const int64_t frozen = platform::millis();
  platform::advanceClock(142);
  EXPECT_EQ(platform::millis(), frozen + 142);
  platform::setClockVirtual(false);
  EXPECT_GE(platform::millis(), frozen + 142);
  platform::setClockVirtual(wasVirtual);
}

}  // namespace
}  // namespace sorv
