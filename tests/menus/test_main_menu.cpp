// The main menu, its quit question, the list arrows and the achievement panel on the
// shipped data.
#include <gtest/gtest.h>

#include <vector>

#include "game/cae.h"
#include "promo/igp.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"
#include "tests/promo/promo_properties.h"

namespace sorv::test {
namespace {

constexpr int32_t kFire = 0x10000, kBack = 0x20000, kLeftSoft = 0x40000;
constexpr int32_t kPrev = 0x2004, kNext = 0x1100;

class MainMenuTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    startPromotion({});
    CGame::mainMenuCode = 5;
    CGame::SetMenu(1);
    setState(6);
  }
  // The shipped properties without those named (a value given replaces one).
  static PromoProperties propertiesWithout(std::initializer_list<const char*> keys) {
    PromoProperties p = shippedPromoProperties();
    for (const char* k : keys) p.erase(k);
    return p;
  }

  static int32_t buttonFrames() {
    return CGame::GetAnimationIDByClass(14)->GetAFrames(11);
  }
  // Selects the entry at h and runs updates until its action has run.
  static void selectAt(int32_t h) {
    CGame::menuCursor = 0;
    CGame::menuScroll = h;
    CGame::keysPressed = kFire;
    CGame::MenuUpdate_mainmenu();
    CGame::keysPressed = 0;
    while (CGame::mainMenuDelay > 0) CGame::MenuUpdate_mainmenu();
    CGame::MenuUpdate_mainmenu();
  }
  static int32_t at(int32_t menu, int32_t item, bool y) {
    const int32_t p = CGame::GetMenuItemPosition(menu, item);
    return y ? p >> 16 : static_cast<int16_t>(p);
  }
};

TEST_F(MainMenuTest, ASelectionWaitsForTheButtonAnimation) {
  ASSERT_GE(buttonFrames(), 2);
  CGame::keysPressed = kFire;
  CGame::MenuUpdate_mainmenu();
  EXPECT_EQ(CGame::mainMenuDelay, buttonFrames() - 1);
  EXPECT_EQ(CGame::scrollStringX, CGame::kTickerIdle);
  CGame::keysPressed = 0;
  CGame::repaintAll = false;
  CGame::MenuUpdate_mainmenu();
  EXPECT_EQ(CGame::mainMenuDelay, buttonFrames() - 2);
  EXPECT_TRUE(CGame::repaintAll);
}

TEST_F(MainMenuTest, EachEntryRunsByItsValue) {
  struct Case {
    int32_t h, entry;
    int32_t screen, state, delay;
  };
  // Menu 5's list: 3, 4, 5, 12, 9, 8, 13.
  const Case cases[] = {
      {0, 3, 7, 51, 0},  {1, 4, 11, 53, 0}, {2, 5, 11, 20, 0}, {3, 12, 63, 60, 0},
      {5, 8, 12, 10, 0}, {4, 9, 2, 8, 0},   {6, 13, 50, 6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    CGame::SetMenu(1);
    setState(6);
    selectAt(c.h);
    EXPECT_EQ(CGame::mainMenuChoice, c.entry);
    EXPECT_EQ(CGame::menuScreenCode, c.screen);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.state);
    EXPECT_EQ(CGame::mainMenuDelay, c.delay);
  }
}

TEST_F(MainMenuTest, ThePromotionEntriesOpenTheirScreens) {
  startPromotion(shippedPromoProperties());
  const struct {
    int32_t entry, screen, state;
  } cases[] = {{272, 67, 58}, {273, 68, 64}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    CGame::SetMenu(1);
    setState(6);
    IntArray* list = Array::newIntArray(1);
    list->elements()[0] = c.entry;
    CGame::menuItems = list;
    LogCapture log;
    selectAt(0);
    EXPECT_EQ(CGame::menuScreenCode, c.screen);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.state);
    EXPECT_EQ(CGame::mainMenuDelay, -1);
    EXPECT_FALSE(log.contains("not built")) << log.text();
  }
}

TEST_F(MainMenuTest, EntriesWithoutActionTakeInputAgain) {
  for (int32_t entry : {6, 7, 10, 11}) {
    SCOPED_TRACE(entry);
    CGame::SetMenu(1);
    IntArray* list = Array::newIntArray(1);
    list->elements()[0] = entry;
    CGame::menuItems = list;
    LogCapture log;
    selectAt(0);
    EXPECT_EQ(CGame::mainMenuDelay, -1);
    EXPECT_EQ(CGame::menuScreenCode, 1);
    EXPECT_FALSE(log.contains("not built")) << log.text();
  }
}

TEST_F(MainMenuTest, DescriptionsShiftWithoutThePromotionEntries) {
  const std::vector<int32_t> without = {279, 278, 280, 282, 283, 284, 285};
  for (int32_t h = 0; h < static_cast<int32_t>(without.size()); h++) EXPECT_EQ(CGame::mainMenuDescription(h), without[h]) << h;
  startPromotion(shippedPromoProperties());
  ASSERT_TRUE(IGP::IsAvailable());
  EXPECT_EQ(CGame::mainMenuDescription(3), 281);
  EXPECT_EQ(CGame::mainMenuDescription(2), 280);
}

TEST_F(MainMenuTest, ThePromotionAnswersChooseTheMenu) {
  struct Case {
    bool promo, vip;
    int32_t menu, entries;
  };
  const Case cases[] = {{false, false, 5, 7}, {true, false, 63, 8}, {true, true, 64, 9}, {false, true, 65, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menu);
    PromoProperties p = shippedPromoProperties();
    if (!c.vip) p["IGP-PROMO"] = "PROMO=promo;PORTAL=portal;TOP1=top1;TOP2=top2";
    if (!c.promo) p = propertiesWithout({"IGP-PORTAL", "IGP-GAMES", "IGP-LIST0", "IGP-LIST1"});
    if (!c.promo && !c.vip) p.clear();
    startPromotion(p);
    ASSERT_EQ(IGP::IsAvailable(), c.promo);
    ASSERT_EQ(IGP::isZVipAvailable(), c.vip);
    CGame::menuFlyX = nullptr;
    CGame::SWITCH_STATE(5);
    EXPECT_EQ(CGame::mainMenuCode, c.menu);
    ASSERT_FALSE(isNull(CGame::menuItems));
    EXPECT_EQ(CGame::menuItems->length, c.entries);
  }
}

TEST_F(MainMenuTest, TheQuitQuestionGoesBackOrQuits) {
  CGame::menuScroll = 3;
  CGame::Backup_MenuItem_StartOff();
  CGame::MenuPush(50);
  ASSERT_FALSE(isNull(CGame::menuItems));
  EXPECT_EQ(CGame::menuItems->elements()[0], 86);
  CGame::keysPressed = kBack;
  CGame::MenuUpdate_mainmenu();
  EXPECT_EQ(CGame::menuScreenCode, 1);
  EXPECT_EQ(CGame::menuScroll, 3);
  EXPECT_TRUE(CGame::gameRunning);

  CGame::MenuPush(50);
  CGame::keysPressed = kLeftSoft;
  CGame::MenuUpdate_mainmenu();
  EXPECT_FALSE(CGame::gameRunning);
}

TEST_F(MainMenuTest, ListArrowsFollowTheSelectionAndTakeReleases) {
  const int32_t ux = at(5, 25, false), uy = at(5, 25, true), dx = at(5, 26, false), dy = at(5, 26, true);
  struct Case {
    int32_t h;
    bool up;
    int32_t keys;
  };
  const Case cases[] = {
      {0, true, 0}, {0, false, kNext}, {3, true, kPrev}, {3, false, kNext}, {6, true, kPrev}, {6, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.h * 2 + c.up);
    CGame::menuCursor = 0;
    CGame::menuScroll = c.h;
    CGame::keysPressed = 0;
    CGame::releaseX = c.up ? ux : dx;
    CGame::releaseY = c.up ? uy : dy;
    CGame::Paint_ArrowsUpDn(5, 25, 26);
    EXPECT_EQ(CGame::keysPressed, c.keys);
  }
}

TEST_F(MainMenuTest, APressShowsThePressedArrowForThreeFrames) {
  const int32_t dx = at(5, 26, false), dy = at(5, 26, true);
  auto shot = [&] {
    clear();
    CGame::Paint_ArrowsUpDn(5, 25, 26);
    return region(dx - 45, dy - 25, 150, 70);
  };
  CGame::menuScroll = 0;
  const std::vector<uint16_t> plain = shot();
  CGame::pressX = dx;
  CGame::pressY = dy;
  const std::vector<uint16_t> pressed = shot();
  ASSERT_NE(plain, pressed);
  CGame::pressX = CGame::pressY = -1;
  EXPECT_EQ(shot(), pressed);
  EXPECT_EQ(shot(), pressed);
  EXPECT_EQ(shot(), plain);
}

TEST_F(MainMenuTest, PanelGoldCountsUpToTheTotal) {
  struct Case {
    int32_t elapsed, slide, total, shown;
  };
  const Case cases[] = {
      {0, 25, 1000, 0},     {24, 25, 1000, 0},   {25, 25, 1000, 0},   {40, 25, 1000, 483},
      {56, 25, 1000, 1000}, {70, 25, 1000, 1000}, {55, 56, 900, 0},   {56, 56, 900, 900},
      {59, 60, 900, 0},     {60, 60, 900, 900},  {84, 60, 900, 900},  {30, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CGame::panelGoldShown(c.elapsed, c.slide, c.total), c.shown) << c.elapsed << " " << c.slide;
  }
}

TEST_F(MainMenuTest, ThePanelSlidesInFadesAndEnds) {
  // The shipped panel is narrow enough to slide in before the count ends.
  const int32_t width = static_cast<int16_t>(CGame::GetMenuItemSize(5, 11));
  EXPECT_LT(2 * width / 3 / 4, 56);
  CAE::achiGold = 1234;
  CGame::panelX = -6;
  CGame::panelY = 100;
  CGame::panelCounter = 20;
  clear();
  CGame::drawAchievementInMainMenu();
  EXPECT_EQ(CGame::panelX, -2);
  EXPECT_EQ(CGame::panelCounter, 19);
  EXPECT_EQ(CGame::menuPaintAlpha, -1);
  CGame::drawAchievementInMainMenu();
  EXPECT_EQ(CGame::panelX, 0);
  struct Fade {
    int32_t c, percent;
  };
  for (const Fade& f : {Fade{84, 100}, Fade{12, 100}, Fade{11, 18}, Fade{6, 10}, Fade{0, 0}}) {
    EXPECT_EQ(CGame::panelOpacity(f.c), f.percent) << f.c;
  }
  CGame::panelCounter = 11;
  clear();
  CGame::drawAchievementInMainMenu();
  EXPECT_FALSE(blank(0, 100, 300, 140));
  CGame::panelCounter = -1;
  clear();
  CGame::drawAchievementInMainMenu();
  EXPECT_TRUE(blank(0, 0, CGame::kGameWidth, CGame::kGameHeight));
  EXPECT_EQ(CGame::panelCounter, -1);
}

TEST_F(MainMenuTest, BothScreensPaintWithoutRuntimeErrors) {
  LogCapture log;
  clear();
  CGame::repaintAll = true;
  CGame::MenuPaint();
  EXPECT_FALSE(blank(0, 0, CGame::kGameWidth, CGame::kGameHeight));
  CGame::MenuPush(50);
  clear();
  CGame::MenuPaint();
  EXPECT_FALSE(blank(0, 0, CGame::kGameWidth, CGame::kGameHeight));
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

}  // namespace
}  // namespace sorv::test
