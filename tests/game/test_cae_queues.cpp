#include <gtest/gtest.h>

#include <vector>

#include "tests/game/cae_fixture.h"

namespace sorv {
namespace {

using test::CaeTest;
using Pairs = std::vector<int32_t>;

Pairs pairOf(IntArray* p) { return p == nullptr ? Pairs{} : Pairs{p->elements(), p->elements() + p->length}; }

TEST_F(CaeTest, PairsWaitInOrderAndAreFoundByKind) {
  CAE::pushQueue(0, 3, 0);
  CAE::pushQueue(0, 5, 1);
  CAE::pushQueue(0, 4, 0);
  EXPECT_EQ(items(0), (Pairs{3, 0, 5, 1, 4, 0}));
  EXPECT_EQ(items(0, 0), (Pairs{3, 0, 4, 0}));
  EXPECT_EQ(items(0, 1), (Pairs{5, 1}));
  EXPECT_EQ(items(1), Pairs{}) << "a bare push goes to its own queue";
  EXPECT_EQ(CAE::getQueueItemNum(0, 2, -1), 3);
  EXPECT_EQ(CAE::getQueueItemNum(0, 0, -1), 2);
  EXPECT_EQ(CAE::getQueueItemNum(0, 0, 4), 1);
  EXPECT_EQ(CAE::getQueueItemNum(0, 1, 4), 0);
  EXPECT_EQ(CAE::seekFirstMatchItem(0, 0, 4), 4);
  EXPECT_EQ(CAE::seekFirstMatchItem(0, 2, 99), 0) << "kind 2 is the oldest pair";
  EXPECT_EQ(pairOf(CAE::popQueue(0, 1)), (Pairs{5, 1}));
  EXPECT_EQ(pairOf(CAE::popQueue(0, 2)), (Pairs{3, 0}));
  EXPECT_EQ(items(0), (Pairs{4, 0}));
  EXPECT_EQ(pairOf(CAE::PopToShow(0, 1)), Pairs{});
  EXPECT_EQ(pairOf(CAE::popQueue(0, 1)), Pairs{}) << "no pair of the kind: nothing read";
  EXPECT_EQ(pairOf(CAE::PopToShow(0, 2)), (Pairs{4, 0}));
  EXPECT_TRUE(CAE::IsQueueEmpty(0, 2));
  EXPECT_EQ(pairOf(CAE::popQueue(0, 2)), Pairs{});
  EXPECT_EQ(CAE::getQueueItems(0, 2), nullptr);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(CaeTest, ARecordWaitsOnceAtItsNewestPlace) {
  CAE::PushRecordToShow(5);
  CAE::PushRecordToShow(6);
  CAE::pushQueue(0, 5, 0);
  CAE::PushRecordToShow(5);
  EXPECT_EQ(items(0), (Pairs{6, 1, 5, 0, 5, 1}));
  EXPECT_EQ(items(1), (Pairs{6, 1, 5, 1}));
}

// Positions wrap at the ring's end; a pair taken from the middle keeps the others' order.
TEST_F(CaeTest, DeletingAcrossTheWrapKeepsTheOrder) {
  for (int i = 0; i < 14; i++) {
    CAE::pushQueue(0, 90 + i, 0);
    CAE::popQueue(0, 2);
  }
  ASSERT_EQ(readPosition(0), 28);
  for (int id = 1; id <= 5; id++) CAE::pushQueue(0, id, id == 4 ? 1 : 0);
  EXPECT_EQ(writePosition(0), 6);
  EXPECT_EQ(CAE::seekFirstMatchItem(0, 1, -1), 2);
  CAE::deleteQueueItem(0, 2);
  EXPECT_EQ(items(0), (Pairs{1, 0, 2, 0, 3, 0, 5, 0}));
  EXPECT_EQ(readPosition(0), 30);
  CAE::deleteQueueItem(0, 4);
  EXPECT_EQ(items(0), (Pairs{1, 0, 2, 0, 3, 0}));
  EXPECT_EQ(readPosition(0), 0);
  for (int pos : {-2, 1, 6, 8, 32, 1000}) {
    test::LogCapture log;
    CAE::deleteQueueItem(0, pos);
    EXPECT_TRUE(log.contains("holds no pair")) << pos;
  }
  EXPECT_EQ(items(0), (Pairs{1, 0, 2, 0, 3, 0}));
}

// Queue 0 has room for 16 pairs, of which 15 can wait: equal positions mean empty.
TEST_F(CaeTest, AFullQueueRefusesThePushButTheUnlockCounts) {
  load(std::vector<test::AchievementRow>(20, {1, 2, 50, 0, 0, 0}));
  for (int n = 0; n < 15; n++) EXPECT_GE(CAE::CheckAchi(n, true), 0) << n;
  EXPECT_EQ(CAE::getQueueItemNum(0, 2, -1), 15);
  test::LogCapture log;
  EXPECT_GE(CAE::CheckAchi(15, true), 0);
  EXPECT_TRUE(log.contains("queue 0 is full")) << log.text();
  EXPECT_TRUE(CAE::IsUnlock(15));
  EXPECT_EQ(CAE::achiGold, 16 * 50);
  EXPECT_EQ(CAE::getQueueItemNum(0, 2, -1), 15) << "the waiting pairs are kept";
  EXPECT_EQ(pairOf(CAE::popQueue(0, 2)), (Pairs{0, 0}));
  EXPECT_EQ(CAE::getQueueItemNum(1, 0, -1), 16) << "queue 1 has room for 29";
  int32_t pushed = CAE::pushQueue(0, 99, 1);
  EXPECT_EQ(pushed, writePosition(0)) << "room again after a pop";
  EXPECT_EQ(CAE::pushQueue(0, 98, 1), -1);
  pushed = CAE::pushQueue(0, 99, 1);
  EXPECT_EQ(pushed, writePosition(0)) << "a record's own pair makes room";
  EXPECT_EQ(CAE::getQueueItemNum(0, 1, 99), 1);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(CaeTest, ClearingEmptiesBothQueuesAndEndsThePopUp) {
  CAE::PushRecordToShow(2);
  CAE::StartDisplay(2, 1);
  CAE::ClearAchiQueue(1);
  EXPECT_TRUE(CAE::IsQueueEmpty(1, 2));
  EXPECT_FALSE(CAE::IsQueueEmpty(0, 1));
  EXPECT_TRUE(CAE::IsDisplaying());
  CAE::ClearAchiQueue();
  EXPECT_TRUE(CAE::IsQueueEmpty(0, 2));
  EXPECT_FALSE(CAE::IsDisplaying());
  EXPECT_EQ(writePosition(0), 0);
  EXPECT_EQ(readPosition(0), 0);
}

// Fading in over 9 ticks, held to tick 13, out to 0 at tick 21, over after it.
TEST_F(CaeTest, ThePopUpFadesInHoldsAndFadesOut) {
  CTennis::matchFrame = 500;
  CAE::StartDisplay(7, 0);
  EXPECT_TRUE(CAE::IsDisplaying());
  EXPECT_EQ(pairOf(CAE::achiShowing), (Pairs{7, 0}));
  EXPECT_EQ(CAE::achiFade, 0);
  const std::pair<int, int> fades[] = {{0, 0},    {4, 50},  {8, 100}, {9, 100}, {13, 100},
                                       {14, 87},  {20, 12}, {21, 0},  {22, 0},  {40, 0}};
  for (auto [tick, fade] : fades) {
    CTennis::matchFrame = 500 + tick;
    CAE::update();
    EXPECT_EQ(CAE::achiFade, fade) << tick;
    EXPECT_EQ(CAE::IsTimeOver(), tick >= 22) << tick;
  }
  CAE::EndDisplay();
  EXPECT_FALSE(CAE::IsDisplaying());
}

// The frame's cycle as the interface runs it: one pop-up at a time, the oldest first.
TEST_F(CaeTest, QueuedPopUpsShowOneAfterAnother) {
  ASSERT_GE(CAE::CheckAchi(0, true), 0);
  CAE::increaseRecord(5, 1);
  Pairs shown;
  for (int frame = 0; frame < 60; frame++) {
    CTennis::matchFrame = frame;
    if (CAE::IsDisplaying()) {
      CAE::update();
      if (CAE::IsTimeOver()) CAE::EndDisplay();
    } else if (IntArray* next = CAE::PopToShow(0, 2)) {
      CAE::StartDisplay(next->elements()[0], next->elements()[1]);
      shown.push_back(frame);
    }
  }
  EXPECT_EQ(shown, (Pairs{0, 23}));
  EXPECT_EQ(items(1), (Pairs{0, 0, 5, 1})) << "the unlock list keeps its own copy";
}

}  // namespace
}  // namespace sorv
