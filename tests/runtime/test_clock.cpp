#include <gtest/gtest.h>

#include <ctime>

#include "runtime/clock.h"

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
  const bool wasVirtual = clock::isVirtual();
  clock::setVirtual(false);
  EXPECT_NEAR(static_cast<double>(clock::millis()), static_cast<double>(hostMonotonicMs()), 50.0);
  clock::setVirtual(true);
  const int64_t frozen = clock::millis();
  clock::advance(142);
  EXPECT_EQ(clock::millis(), frozen + 142);
  clock::setVirtual(false);
  EXPECT_GE(clock::millis(), frozen + 142);
  clock::setVirtual(wasVirtual);
}

}  // namespace
}  // namespace sorv
