#include <gtest/gtest.h>

#include <climits>

#include "game/cgame.h"
#include "runtime/util_random.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

using MathTest = GameTest;

TEST_F(MathTest, AnglesTakeXFirst) {
  struct Case {
    int32_t x, y, angle;
  };
  const Case cases[] = {{0, 0, 1024},   {0, -1, 3072},  {1, 0, 0},       {-1, 0, 2048},
                        {-1, 1, 1536},  {1, 1, 511},    {-1, -1, 2559},  {-1, -1000, 3071},
                        {1, -1, -511},  {0, 5, 1024},   {-1000, -1, 2048}, {1000, 1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CGame::atan2(c.x, c.y), c.angle) << c.x << ", " << c.y;
    EXPECT_EQ(CGame::realAtan2(c.x, c.y), c.angle);
  }
}

TEST_F(MathTest, SquareRootsToTheirPrecision) {
  struct Case {
    int64_t value;
    int32_t precision, root;
  };
  const Case cases[] = {{100, 30, 10},
                        {1000000000000, 10, 999424},
                        {123456789, 8, 11008},
                        {int64_t{1} << 62, 30, INT_MAX},
                        {INT64_MAX, 30, INT_MAX},
                        {(int64_t{1} << 60) - 1, 30, 1073733632},
                        {-1, 30, 0},
                        {100, -1, 0},
                        {0, 30, 0},
                        {1, 0, 1},
                        {99, 40, 9}};
  for (const Case& c : cases) EXPECT_EQ(CGame::sqrt(c.value, c.precision), c.root) << c.value;
}

TEST_F(MathTest, EasingAndDirections) {
  EXPECT_EQ(CGame::Parabolic(-5, 10, 0, 100), 0);
  EXPECT_EQ(CGame::Parabolic(5, 10, 0, 100), 75);
  EXPECT_EQ(CGame::Parabolic(10, 10, 0, 100), 100);
  EXPECT_EQ(CGame::Parabolic(3, 0, 7, 9), 9);
  EXPECT_EQ(CGame::Parabolic(5, 10, 100, 0), 25);
  const int32_t switched[][2] = {{0, 1}, {1, 0}, {2, 3}, {7, 6}, {-1, -2}, {-2, -1}};
  for (auto [n, expected] : switched) EXPECT_EQ(CGame::EvenOddSwitch(n), expected) << n;
  const int32_t inverted[][2] = {{0, 0}, {1, 2}, {2, 1}, {3, 4}, {4, 3}, {5, 6}, {6, 5},
                                 {7, 8}, {8, 7}, {9, 9}, {-1, -1}};
  for (auto [d, expected] : inverted) EXPECT_EQ(CGame::invertMoveDir(d), expected) << d;
}

TEST_F(MathTest, RandomDrawsStayInTheirRange) {
  Random* generator = CGame::random.get();
  const uint32_t low = generator->seedLow, high = generator->seedHigh;
  struct Empty {
    int32_t min, max;
  };
  for (Empty e : {Empty{3, 3}, Empty{1, 0}, Empty{INT_MAX, INT_MIN}}) {
    EXPECT_EQ(CGame::RAND(e.min, e.max), e.min);
  }
  EXPECT_EQ(generator->seedLow, low) << "an empty or one-value range draws nothing";
  EXPECT_EQ(generator->seedHigh, high);
  struct Range {
    int32_t min, max;
  };
  for (Range r : {Range{0, 9}, Range{-5, 5}, Range{INT_MIN, INT_MAX}, Range{INT_MIN, INT_MIN + 1},
                  Range{INT_MAX - 1, INT_MAX}}) {
    bool sawMin = false, sawMax = false;
    for (int32_t i = 0; i < 2000; i++) {
      const int32_t v = CGame::RAND(r.min, r.max);
      ASSERT_GE(v, r.min);
      ASSERT_LE(v, r.max);
      sawMin |= v == r.min;
      sawMax |= v == r.max;
    }
    if (int64_t{r.max} - r.min < 20) {
      EXPECT_TRUE(sawMin && sawMax) << r.min;
    }
  }
}

TEST_F(MathTest, BytesInBothOrders) {
  ByteArray* b = bytes({0xFF, 0x7F, 0x00, 0x80, 0x12, 0x34, 0x56, 0x78});
  EXPECT_EQ(CGame::Mem_GetShort(b, 0), 32767);
  EXPECT_EQ(CGame::Mem_GetShort(b, 2), -32768);
  EXPECT_EQ(CGame::Mem_GetInt(b, 4), 0x78563412);
  EXPECT_EQ(CGame::readShort(b, 0), -129);
  EXPECT_EQ(CGame::readShort(b, 2), 128);
  EXPECT_EQ(CGame::readInt(b, 4), 0x12345678);
  EXPECT_EQ(CGame::readInt(b, 0), static_cast<int32_t>(0xFF7F0080));
  EXPECT_EQ(CGame::Mem_SetShort(b, 1, -2), 3);
  EXPECT_EQ(CGame::Mem_GetShort(b, 1), -2);
  EXPECT_EQ(CGame::Mem_SetInt(b, 4, -123456789), 8);
  EXPECT_EQ(CGame::Mem_GetInt(b, 4), -123456789);
  LogCapture log;
  EXPECT_EQ(CGame::readInt(b, 6), static_cast<int32_t>(0xA4F80000)) << "bytes past the end read 0";
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  log.clear();
  EXPECT_EQ(CGame::Mem_GetInt(nullptr, 0), 0);
  EXPECT_TRUE(log.contains("NullPointer"));
}

}  // namespace
}  // namespace sorv::test
