// The unlock pages at a match's end on the shipped data: the pairs of the second display
// queue by kind, a list that scrolls past three rows with its bar, thumb and arrows, values
// from their low 16 bits, the heading, blinking caption and animation by kind, and no pairs.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/cae.h"
#include "match/ctennis.h"
#include "runtime/static_class.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kQueue = 1, kAchievements = 0, kRecords = 1;
constexpr int32_t kUnlockMenu = 26;
// The bar (menu 26 item 5) and the arrows (items 12 and 13) of the shipped layout.
constexpr int32_t kBarX = 740, kBarY = 120, kBarH = 170;
constexpr int32_t kPrevX = 700, kPrevY = 110, kNextX = 700, kNextY = 300;
constexpr int32_t kNext = 0x1100, kPrev = 0x2004;

class UnlockScreenTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    loadShippedAchievements();
    CTennis::matchFrame = 0;
  }
  static void queue(const std::vector<std::pair<int32_t, int32_t>>& pairs) {
    CAE::ClearAchiQueue(kQueue);
    for (const auto& [id, kind] : pairs) ASSERT_GE(CAE::pushQueue(kQueue, id, kind), 0);
  }
  static void achievements(int32_t n) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (int32_t i = 0; i < n; i++) pairs.push_back({i, kAchievements});
    queue(pairs);
    CGame::initAchievementUnlock(kQueue, kAchievements);
  }
  // One page drawn on a cleared screen, with the keys or the release of this frame.
  static void draw(int32_t kind, int32_t keys = 0) {
    clear();
    CGame::keysPressed = keys;
    CGame::drawAchievementUnlock(kQueue, kind);
    CGame::keysPressed = 0;
  }
  static std::vector<int32_t> ints(IntArray* a) {
    return isNull(a) ? std::vector<int32_t>{} : std::vector<int32_t>(a->elements(), a->elements() + a->length);
  }
  static bool yellow(int32_t x, int32_t y) { return at(x, y) == rgb(0xFFFF00); }
  static std::vector<uint16_t> barRegion() { return region(690, 80, 80, 260); }
};

TEST_F(UnlockScreenTest, EachPageTakesThePairsOfItsKind) {
  CAE::achiRecords->elements()[4] = 131;
  CAE::achiRecords->elements()[13] = 500;
  queue({{3, kAchievements}, {4, kRecords}, {5, kAchievements}, {13, kRecords}});
  CGame::menuCursor = 2;
  CGame::menuScroll = 7;
  CGame::initAchievementUnlock(kQueue, kAchievements);
  EXPECT_EQ(ints(CGame::achiTitleIds), (std::vector<int32_t>{3, 5}));
  EXPECT_EQ(ints(CGame::achiKinds), (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(ints(CGame::achiGoldValues), (std::vector<int32_t>{CAE::GetAchiGold(3), CAE::GetAchiGold(5)}));
  EXPECT_EQ(CGame::menuCursor, 0) << "the page starts on its first row";
  EXPECT_EQ(CGame::menuScroll, 0);
  CGame::initAchievementUnlock(kQueue, kRecords);
  EXPECT_EQ(ints(CGame::achiTitleIds), (std::vector<int32_t>{4, 13}));
  EXPECT_EQ(ints(CGame::achiKinds), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(ints(CGame::achiGoldValues), (std::vector<int32_t>{131, 500}));
  EXPECT_EQ(CGame::listRows, 3);
  EXPECT_EQ(CGame::listX, kBarX);
  EXPECT_EQ(CGame::listY, kBarY);
  EXPECT_EQ(CGame::listH, kBarH);
  EXPECT_EQ(CGame::listStep, 3 * kBarH / 2);
}

TEST_F(UnlockScreenTest, ThreePairsHaveNoBarArrowsHighlightOrInput) {
  clear();
  CGame::DrawMenu(kUnlockMenu, false);
  const std::vector<uint16_t> bare = barRegion();
  achievements(3);
  draw(kAchievements, kNext);
  EXPECT_EQ(CGame::menuCursor, 0) << "no input";
  EXPECT_EQ(barRegion(), bare) << "no bar, thumb or arrows";
  const std::vector<uint16_t> row = region(60, 120, 600, 56);
  // The same first row in a list that scrolls: lit under the cursor, plain off it.
  achievements(4);
  draw(kAchievements);
  EXPECT_NE(region(60, 120, 600, 56), row) << "a scrolling list lights its cursor row";
  CGame::menuCursor = 1;
  draw(kAchievements);
  EXPECT_EQ(region(60, 120, 600, 56), row) << "three pairs light no row";
  achievements(3);
  draw(kAchievements);
  CGame::releaseX = kNextX;
  CGame::releaseY = kNextY;
  draw(kAchievements);
  EXPECT_EQ(CGame::menuCursor, 0) << "no arrow takes the release";
}

TEST_F(UnlockScreenTest, FivePairsScrollByKeysAndArrowsWithTheirThumb) {
  achievements(5);
  EXPECT_EQ(CGame::listStep, 3 * kBarH / 5);
  clear();
  CGame::DrawMenu(kUnlockMenu, false);
  const std::vector<uint16_t> bare = barRegion();
  draw(kAchievements);
  EXPECT_NE(barRegion(), bare) << "the bar, thumb and arrow are drawn";
  // The thumb: listStep - 2 high from the bar's top, inset by a pixel.
  EXPECT_TRUE(yellow(kBarX + 1, kBarY + 1));
  EXPECT_TRUE(yellow(kBarX + 10, kBarY + CGame::listStep - 2));
  EXPECT_FALSE(yellow(kBarX + 1, kBarY + CGame::listStep - 1));
  for (int32_t i = 0; i < 6; i++) draw(kAchievements, kNext);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 4) << "no wrap at the end";
  EXPECT_EQ(CGame::menuCursor, 2);
  draw(kAchievements);
  EXPECT_EQ(CGame::scrollThumbOffset, 2 * kBarH / 5);
  EXPECT_TRUE(yellow(kBarX + 1, kBarY + CGame::scrollThumbOffset + 1));
  CGame::releaseX = kNextX;
  CGame::releaseY = kNextY;
  draw(kAchievements);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 4) << "no next arrow on the last";
  CGame::releaseX = kPrevX;
  CGame::releaseY = kPrevY;
  draw(kAchievements);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 3) << "an arrow's release moves it in the same frame";
  for (int32_t i = 0; i < 6; i++) draw(kAchievements, kPrev);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 0);
  CGame::releaseX = kNextX - 30;
  CGame::releaseY = kNextY + 30;
  draw(kAchievements);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 1);
}

TEST_F(UnlockScreenTest, AFullQueueOf29PairsScrollsToItsEnd) {
  achievements(29);
  ASSERT_EQ(CGame::achiTitleIds->length, 29);
  for (int32_t i = 0; i < 40; i++) draw(kAchievements, kNext);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 28);
  draw(kAchievements);
  EXPECT_TRUE(yellow(kBarX + 1, kBarY + 26 * kBarH / 29 + 1));
}

TEST_F(UnlockScreenTest, ValuesShowFromTheirLow16Bits) {
  CAE::achiRecords->elements()[0] = 65541;
  queue({{0, kRecords}});
  CGame::initAchievementUnlock(kQueue, kRecords);
  ASSERT_EQ(ints(CGame::achiGoldValues), (std::vector<int32_t>{65541}));
  draw(kRecords);
  const std::vector<uint16_t> shown = region(60, 120, 600, 56);
  CGame::achiGoldValues->elements()[0] = 5;
  draw(kRecords);
  EXPECT_EQ(region(60, 120, 600, 56), shown);
  CGame::achiGoldValues->elements()[0] = 6;
  draw(kRecords);
  EXPECT_NE(region(60, 120, 600, 56), shown);
}

TEST_F(UnlockScreenTest, HeadingCaptionAndAnimationFollowTheKind) {
  queue({});
  CGame::initAchievementUnlock(kQueue, kAchievements);
  CTennis::matchFrame = 3;
  draw(kAchievements);
  const std::vector<uint16_t> heading0 = region(100, 55, 600, 30), caption0 = region(330, 312, 140, 20),
                              animation0 = region(60, 290, 120, 80);
  draw(kRecords);
  EXPECT_NE(region(100, 55, 600, 30), heading0);
  EXPECT_NE(region(330, 312, 140, 20), caption0);
  EXPECT_NE(region(60, 290, 120, 80), animation0);
}

TEST_F(UnlockScreenTest, TheCaptionShowsThreeFramesOfSix) {
  achievements(2);
  std::vector<std::vector<uint16_t>> captions;
  for (int32_t f = 0; f < 12; f++) {
    CTennis::matchFrame = f;
    draw(kAchievements);
    captions.push_back(region(330, 312, 140, 20));
  }
  for (int32_t f = 0; f < 12; f++) {
    const bool shown = f % 6 >= 3;
    EXPECT_EQ(captions[f] != captions[0], shown) << f;
  }
}

TEST_F(UnlockScreenTest, NoPairsMakeEmptyListsAndDivideNothing) {
  LogCapture log;
  queue({});
  CGame::initAchievementUnlock(kQueue, kRecords);
  EXPECT_EQ(CGame::achiTitleIds->length, 0);
  EXPECT_EQ(CGame::listStep, 0);
  draw(kRecords, kNext);
  EXPECT_EQ(CGame::menuCursor, 0);
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

}  // namespace
}  // namespace sorv::test
