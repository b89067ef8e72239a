// The career lobby on the shipped data, entered as the game enters it and driven by the
// phone's keys and the soft-key boxes: the save on entering, OK by the place under the
// cursor, the rank test, the leave question and the two career cheats.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/screen_shot.h"
#include "runtime/string.h"
#include "sprites/cactor.h"
#include "tests/menus/quick_fixture.h"
#include "training/ctraining.h"

namespace sorv::test {
namespace {

constexpr int32_t kDigit5 = '5', kSoftRight = -7;
constexpr int32_t kLobbyState = 23, kHomeState = 24, kTableState = 57, kLoadingState = 11, kTrainingState = 44;
constexpr int32_t kHomeScreen = 31, kLeaveScreen = 32, kRankScreen = 35, kMainMenuScreen = 1;
constexpr int32_t kWeekByte = 18, kCareerLength = 89;
// The soft-key boxes' middles in game coordinates.
constexpr int32_t kLeftSoftX = 100, kRightSoftX = 700, kSoftY = 450;
// Points of rank 120: (200 - 120) x 10 + 20.
constexpr int32_t kRank120 = 820;

class CareerLobbyTest : public CareerTest {
 protected:
  void SetUp() override {
    CareerTest::SetUp();
    CGame::careerHome = 3;
    frame();  // the first frame lets keys in
  }

  // The lobby as the creation or the weekly update switches to it.
  void enterLobby(int32_t week, int32_t points = 20) {
    CGame::careerWeek = week;
    CGame::careerRankingPoints = points;
    CGame::MenuClear();
    CGame::SWITCH_STATE(kLobbyState);
    frame();
  }
  void press(int32_t code, int after = 1) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
    frames(after);
  }
  // A tap released at a game point (the panel is the game turned a quarter).
  void tap(int32_t x, int32_t y) {
    CGame::gameCanvas->pointerPressed(480 - y, x);
    CGame::gameCanvas->pointerReleased(480 - y, x);
    frames(8);
  }
  // The phone keys of one cheat sequence, one a frame.
  void cheat(int32_t n) {
    auto* codes = static_cast<IntArray*>(aload(CGame::cheatCodes.get(), n));
    for (int32_t i = 0; i < codes->length; i++) {
      int32_t digit = 0;
      while ((1 << digit) != aload(codes, i)) digit++;
      press('0' + digit);
    }
  }
  static std::vector<int> week(int32_t w) {
    ByteArray* list = static_cast<ByteArray*>(aload(CGame::careerCalendar.get(), w));
    return std::vector<int>(list->elements(), list->elements() + list->length);
  }
  static void aimAt(int32_t location) {
    const std::vector<int> l = week(CGame::careerWeek);
    CGame::careerTarget = static_cast<int32_t>(std::find(l.begin(), l.end(), location) - l.begin());
  }
  // The back buffer as a picture, when SORV_LOBBY_SHOTS names a folder for them.
  static void shot(const std::string& name) {
    const char* dir = std::getenv("SORV_LOBBY_SHOTS");
    if (dir == nullptr) return;
    std::vector<uint16_t> pixels = region(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(pixels.data(), CGame::kGameWidth, CGame::kGameHeight, 16,
                                              CGame::kGameWidth * 2, 0xF800, 0x07E0, 0x001F, 0);
    EXPECT_TRUE(writeScreenShot(s, std::string(dir) + "/" + name + ".png")) << name;
    SDL_FreeSurface(s);
  }
  // The map far from where the target wants it: the cursor keys wait, so a cheat's digits
  // press nothing but OK.
  static void unsettleMap() { CGame::worldMapX = -5000; }
};

TEST_F(CareerLobbyTest, EnteringSavesTheCareerAndAimsAtTheFirstFreeTournament) {
  struct Case {
    int32_t mode, week, played;  // played: a tournament marked played first, or -1
    int32_t target;              // the location aimed at
  };
  const Case cases[] = {{0, 2, -1, 4}, {2, 6, -1, 16}, {0, 6, 16, 17}, {0, 5, 16, 28}, {2, 0, -1, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "week " << c.week << ", played " << c.played);
    CGame::resetRMS(CGame::kCareerRecord);
    CGame::careerName = String::fromCString("ALEXA");
    CGame::careerHome = 3;
    astore(CGame::matchSettings.get(), 0, c.mode);
    if (c.played >= 0) CGame::setTournamentPlayed(c.played);
    enterLobby(c.week);
    EXPECT_EQ(CGame::careerTargetLocation(), c.target);
    const std::vector<int8_t> saved = record(CGame::kCareerRecord);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kCareerLength));
    EXPECT_EQ(saved[kWeekByte], c.week);
    EXPECT_EQ(std::string(saved.begin() + 2, saved.begin() + 7), "ALEXA");
    // Home stands where the chosen city is.
    EXPECT_EQ(CGame::careerLocationField(28, 4), aload(CGame::careerHomeLocations.get(), 6));
    // The avatar runs on the demo sprite of its sex.
    ASSERT_FALSE(isNull(CGame::demoPlayer.get()));
    EXPECT_EQ(CGame::demoPlayer->sprite, c.mode == 2 ? CGame::playerSpriteAlt.get() : CGame::playerSprite.get());
    CGame::resetAllTournamentPlayable();
  }
}

TEST_F(CareerLobbyTest, OkOnHomeOpensTheHomeScreen) {
  enterLobby(0);
  ASSERT_EQ(CGame::careerTargetLocation(), 28);
  CGame::scrollStringX = 0;
  press(kDigit5);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kHomeState);
  EXPECT_EQ(CGame::GET_LAST_STATE(), kLobbyState);
  EXPECT_EQ(CGame::menuScreenCode, kHomeScreen);
}

TEST_F(CareerLobbyTest, OkOnATrainingGroundLoadsItsTraining) {
  enterLobby(1);
  aimAt(24);
  astore(CTraining::unlockedLevels.get(), 1, 2);
  press(kDigit5);
  // State 43 sends the game through the loading screen to the training.
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLoadingState);
  EXPECT_EQ(CGame::loadingTarget, kTrainingState);
  EXPECT_FALSE(isNull(CGame::trainingObject.get()));
}

TEST_F(CareerLobbyTest, TheRankDecidesWhetherATournamentAdmits) {
  struct Case {
    int32_t week, points, location;
    bool admitted;
  };
  // Location 0 admits up to rank 110, location 1 up to 140, location 4 everyone.
  const Case cases[] = {{44, kRank120, 0, false}, {26, kRank120, 1, true}, {2, 20, 4, true}, {44, 20, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "location " << c.location << ", points " << c.points);
    enterLobby(c.week, c.points);
    ASSERT_EQ(CGame::careerTargetLocation(), c.location);
    const int32_t screen = CGame::menuScreenCode, target = CGame::careerTarget;
    LogCapture log;
    CGame::scrollStringX = 0;
    press(kDigit5, 0);
    EXPECT_EQ(CGame::scrollStringX, CGame::kTickerRestart) << "the caption starts again";
    if (c.admitted) {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState) << "the tournament's table";
      EXPECT_EQ(CGame::currentTournament, c.location);
      continue;
    }
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    ASSERT_EQ(CGame::menuScreenCode, kRankScreen);
    // The message holds the map and the cheats until it is closed.
    unsettleMap();
    press('6');
    cheat(11);
    EXPECT_EQ(CGame::careerTarget, target);
    EXPECT_EQ(CGame::careerWeek, c.week);
    // A notice: OK closes it as back does.
    press(kDigit5);
    EXPECT_EQ(CGame::menuScreenCode, screen);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    press(kDigit5, 0);
    ASSERT_EQ(CGame::menuScreenCode, kRankScreen);
    press(kSoftRight);
    EXPECT_EQ(CGame::menuScreenCode, screen);
  }
}

TEST_F(CareerLobbyTest, TheCheatsAdvanceTheWeekAndAddPoints) {
  enterLobby(2);
  unsettleMap();
  cheat(11);
  EXPECT_EQ(CGame::careerWeek, 3);
  EXPECT_EQ(CGame::careerTargetLocation(), 4);
  unsettleMap();
  cheat(12);  // its "5" is OK on tournament 4, which only logs
  EXPECT_EQ(CGame::careerRankingPoints, 220);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
  EXPECT_EQ(CGame::menuScreenCode, -1);
  // The leave question holds them.
  press(kSoftRight);
  ASSERT_EQ(CGame::menuScreenCode, kLeaveScreen);
  cheat(11);
  EXPECT_EQ(CGame::careerWeek, 3);
}

// By keys and again by the soft-key boxes: back asks, back again stays, OK saves and leaves.
TEST_F(CareerLobbyTest, LeavingAsksThenSavesAndGoesToTheMainMenu) {
  for (bool touch : {false, true}) {
    SCOPED_TRACE(touch ? "touch" : "keys");
    CGame::resetRMS(CGame::kCareerRecord);
    enterLobby(7);
    CGame::careerWeek = 8;  // changed since the lobby's save
    auto back = [&] { touch ? tap(kRightSoftX, kSoftY) : press(kSoftRight); };
    auto ok = [&] { touch ? tap(kLeftSoftX, kSoftY) : press(kDigit5); };
    back();
    ASSERT_EQ(CGame::menuScreenCode, kLeaveScreen);
    back();
    EXPECT_EQ(CGame::menuScreenCode, -1);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    EXPECT_EQ(record(CGame::kCareerRecord)[kWeekByte], 7);
    back();
    ASSERT_EQ(CGame::menuScreenCode, kLeaveScreen);
    ok();
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
    EXPECT_EQ(CGame::menuScreenCode, kMainMenuScreen);
    EXPECT_EQ(record(CGame::kCareerRecord)[kWeekByte], 8);
  }
}

// The captions follow the week and the target; every screen paints without a runtime error.
TEST_F(CareerLobbyTest, ThePaintShowsTheWeekAndTheTrainingLevel) {
  enterLobby(1);
  aimAt(24);
  // The week caption is centred on item 11; the name starts at item 39, under the map. The
  // screen is cleared first: only the art's background covers the last frame's text.
  const int32_t weekAt = CGame::GetMenuItemPosition(45, 11), nameAt = CGame::GetMenuItemPosition(45, 39);
  // The name's band stops short of the target's caption below it, which scrolls every frame.
  const int32_t nameTop = (nameAt >> 16) - 12;
  const int32_t nameRows = std::max(8, (CGame::GetMenuItemPosition(45, 9) >> 16) - 12 - nameTop);
  auto week = [&] {
    clear();
    frame();
    const int32_t x = std::max(0, static_cast<int16_t>(weekAt) - 130);
    return region(x, (weekAt >> 16) - 20, std::min(260, CGame::kGameWidth - x), 40);
  };
  auto name = [&] {
    clear();
    frame();
    return region(static_cast<int16_t>(nameAt), nameTop, 520, nameRows);
  };
  const std::vector<uint16_t> weekTwo = week(), level1 = name();
  shot("lobby-training");
  CGame::careerWeek = 2;
  EXPECT_NE(week(), weekTwo);
  CGame::careerWeek = 1;
  astore(CTraining::unlockedLevels.get(), 1, 3);
  EXPECT_NE(name(), level1);
  astore(CTraining::unlockedLevels.get(), 1, 0);
  EXPECT_EQ(name(), level1);
  for (int32_t screen : {kRankScreen, kLeaveScreen}) {
    SCOPED_TRACE(screen);
    LogCapture log;
    CGame::MenuPush(screen);
    frames(3);
    shot("lobby-screen-" + std::to_string(screen));
    CGame::MenuPop();
    EXPECT_FALSE(log.contains("NullPointer")) << log.text();
    EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  }
}

}  // namespace
}  // namespace sorv::test
