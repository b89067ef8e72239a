// The in-play pop-up drains the first display queue one pair at a time, so a match that
// unlocks more than the queue holds loses none of them.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "match/ctennis.h"
#include "tests/game/cae_fixture.h"

namespace sorv {
namespace {

using test::CaeTest;
using Shown = std::vector<std::pair<int32_t, int32_t>>;

// Runs the pop-up for a number of match frames; the pairs it starts, in order.
Shown runPopup(int frames) {
  Shown shown;
  for (int i = 0; i < frames; i++) {
    const bool before = CAE::IsDisplaying();
    CGame::drawAchievement();
    if (!before && CAE::IsDisplaying()) {
      shown.emplace_back(CAE::achiShowing->elements()[0], CAE::achiShowing->elements()[1]);
    }
    CTennis::matchFrame++;
  }
  return shown;
}

TEST_F(CaeTest, AMatchOfManyUnlocksNeverFillsThePopUpQueue) {
  CTennis::matchFrame = 0;
  // Forty pairs, one every 30 frames, more than the queue holds at once.
  Shown shown;
  for (int i = 0; i < 40; i++) {
    EXPECT_GE(CAE::pushQueue(0, i, i % 2), 0) << "pair " << i << " refused";
    for (const auto& p : runPopup(30)) shown.push_back(p);
  }
  for (const auto& p : runPopup(40 * 23)) shown.push_back(p);
  ASSERT_EQ(shown.size(), 40u);
  for (int i = 0; i < 40; i++) EXPECT_EQ(shown[i], std::make_pair(i, i % 2));
  EXPECT_TRUE(CAE::IsQueueEmpty(0, CAE::kKindAny));
  EXPECT_FALSE(CAE::IsDisplaying()) << "the last pop-up ends";
  EXPECT_EQ(takeException(), -1);
}

// In a match a waiting pop-up starts only between points, with the ball dead, where it covers
// no rally; one already showing runs on to its end. Outside a match it starts at once.
TEST_F(CaeTest, InAMatchAPopUpWaitsForTheBallToBeDead) {
  if (isNull(CGame::stateStack.get())) CGame::stateStack = Array::newIntArray(8);
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, 40);
  CTennis::matchFrame = 0;
  ASSERT_GE(CAE::pushQueue(0, 3, 0), 0);
  struct Step {
    int32_t matchState, deadBall;
    bool starts;
  };
  for (const Step& s : {Step{2, 0, false}, Step{5, 0, false}, Step{12, 0, false}, Step{5, 2, true}}) {
    SCOPED_TRACE(s.matchState * 10 + s.deadBall);
    CTennis::matchState = s.matchState;
    CTennis::deadBallReason = s.deadBall;
    EXPECT_EQ(runPopup(3).size(), s.starts ? 1u : 0u);
  }
  // The next point starts while it shows: it shows to its end, and the next waits again.
  ASSERT_GE(CAE::pushQueue(0, 4, 0), 0);
  CTennis::matchState = 5;
  CTennis::deadBallReason = 0;
  EXPECT_TRUE(CAE::IsDisplaying());
  EXPECT_EQ(runPopup(60).size(), 0u);
  EXPECT_FALSE(CAE::IsDisplaying()) << "the first ran to its end";
  astore(CGame::stateStack.get(), 0, 44);
  EXPECT_EQ(runPopup(1).size(), 1u) << "training shows it as it comes";
  CTennis::deadBallReason = 0;
  CTennis::matchState = 0;
}

}  // namespace
}  // namespace sorv
