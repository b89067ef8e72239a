#include <gtest/gtest.h>

#include <climits>

#include "runtime/java_int.h"
#include "runtime/object.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {
namespace {

using JavaInt = RuntimeTest;

TEST_F(JavaInt, DivisionByZeroThrowsArithmeticExceptionAndGivesZero) {
  std::string message;
  EXPECT_EQ(idiv(7, 0), 0);
  EXPECT_EQ(takeException(&message), kArithmeticException);
  EXPECT_EQ(message, "/ by zero");
  EXPECT_EQ(irem(7, 0), 0);
  EXPECT_EQ(takeException(), kArithmeticException);
  EXPECT_EQ(ldiv(7, 0), 0);
  EXPECT_EQ(takeException(), kArithmeticException);
  EXPECT_EQ(lrem(7, 0), 0);
  EXPECT_EQ(takeException(), kArithmeticException);
}

TEST_F(JavaInt, TruncatesAndWrapsTheOneQuotientThatOverflows) {
  EXPECT_EQ(idiv(-7, 2), -3);
  EXPECT_EQ(irem(-7, 2), -1);
  EXPECT_EQ(idiv(INT_MIN, -1), INT_MIN);
  EXPECT_EQ(irem(INT_MIN, -1), 0);
  EXPECT_EQ(ldiv(LLONG_MIN, -1), LLONG_MIN);
  EXPECT_EQ(takeException(), -1);
}

}  // namespace
}  // namespace sorv::test
