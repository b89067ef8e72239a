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

}  // namespace
}  // namespace sorv
