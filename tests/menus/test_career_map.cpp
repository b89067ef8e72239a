// The career's calendar, locations and world map: the week lists, the places read at boot,
// the sort by map x, the target and the season's turn, and the map cursor's moves and
// scrolling. The map's logic runs on a view and map size of the test's own; only the
// drawing tests use the shipped art.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/array.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {
namespace {

using List = std::vector<int>;

// The calendar as the game's table gives it, "all" written out as 23..28.
const std::vector<List> kWeeks = {
    {23, 28},
    {23, 24, 28},
    {23, 24, 25, 28, 4},
    {23, 24, 25, 26, 28, 4},
    {23, 24, 25, 26, 27, 28, 4, 16},
    {23, 24, 25, 26, 27, 28, 16},
    {23, 24, 25, 26, 27, 28, 16, 17},
    {23, 25, 26, 28, 17},
    {23, 25, 26, 28, 17, 18},
    {23, 24, 25, 26, 27, 28, 18},
    {23, 24, 25, 26, 27, 28, 18, 19},
    {23, 24, 25, 26, 27, 28, 19},
    {23, 24, 25, 26, 27, 28, 19, 20},
    {23, 24, 25, 26, 27, 28, 20},
    {23, 24, 25, 28, 20, 21},
    {23, 24, 25, 28, 21},
    {23, 24, 25, 26, 27, 28, 21, 22},
    {23, 24, 25, 26, 27, 28, 22},
    {23, 24, 25, 26, 27, 28, 22, 8},
    {23, 24, 25, 26, 27, 28, 8},
    {23, 24, 25, 26, 27, 28, 8},
    {23, 24, 25, 26, 27, 28, 8, 10},
    {23, 24, 25, 26, 27, 28, 10},
    {23, 24, 25, 28, 10, 5},
    {23, 24, 25, 28, 5},
    {23, 24, 25, 26, 27, 28, 5, 1},
    {23, 24, 25, 26, 27, 28, 1},
    {23, 24, 25, 26, 27, 28, 1},
    {23, 24, 25, 26, 27, 28, 1, 13},
    {23, 24, 25, 26, 27, 28, 13},
    {23, 24, 25, 26, 27, 28, 13, 3},
    {23, 24, 27, 28, 3},
    {23, 24, 27, 28, 3, 2},
    {23, 24, 25, 26, 27, 28, 2},
    {23, 24, 25, 26, 27, 28, 2, 12},
    {23, 24, 25, 26, 27, 28, 12},
    {23, 24, 25, 26, 27, 28, 12, 14},
    {23, 25, 26, 28, 14},
    {23, 25, 26, 28, 14},
    {23, 25, 26, 28, 14, 7},
    {23, 24, 25, 26, 27, 28, 7},
    {23, 24, 25, 26, 27, 28, 7, 11},
    {23, 24, 25, 26, 27, 28, 11},
    {23, 24, 25, 26, 27, 28, 11, 0},
    {23, 24, 25, 28, 0},
    {23, 24, 25, 28, 0},
    {23, 24, 25, 28, 0, 9},
    {23, 24, 25, 26, 27, 28, 9},
    {23, 24, 25, 26, 27, 28, 9, 13},
    {23, 24, 25, 26, 27, 28, 13},
    {23, 24, 25, 26, 27, 28, 13, 6},
    {23, 26, 27, 28, 6, 15},
    {23, 26, 27, 28, 15},
    {23, 24, 25, 26, 27, 28, 15},
};

// The map view and map of the logic tests: centre x 270, centre y 200.
constexpr int kViewX = 10, kViewY = 60, kViewW = 520, kViewH = 280, kMapW = 600, kMapH = 300;
constexpr int kPreviousKey = 0x10, kNextKey = 0x40;  // digits 4 and 6

List weekList(int week) {
  ByteArray* list = static_cast<ByteArray*>(aload(CGame::careerCalendar.get(), week));
  List out;
  for (int i = 0; i < list->length; i++) out.push_back(aload(list, i));
  return out;
}
int locX(int k) { return aload(CGame::careerLocations.get(), k * 10 + 4); }
int locY(int k) { return aload(CGame::careerLocations.get(), k * 10 + 5); }
int target() { return CGame::careerTargetLocation(); }

class CareerMapTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    CGame::careerWeek = CGame::careerYear = CGame::careerTarget = 0;
    CGame::worldMapX = CGame::worldMapY = 0;
    CGame::keysPressed = 0;
  }

  static void frame(int keys = 0, int mapH = kMapH) {
    CGame::keysPressed = keys;
    CGame::moveWorldMap(kViewX, kViewY, kViewW, kViewH, kMapW, mapH);
    CGame::keysPressed = 0;
  }
  // Frames without keys until the map rests on the target.
  static void settle(int mapH = kMapH) {
    for (int i = 0; i < 200; i++) frame(0, mapH);
  }
  static int wantedX() { return kViewX + kViewW / 2 - locX(target()); }
  // The lobby's entry: places sorted, the first free tournament or home targeted.
  static void enterWeek(int week) {
    CGame::careerWeek = week;
    CGame::sortMatchLocation();
    CGame::careerTarget = CGame::findTarget();
  }
};

TEST_F(CareerMapTest, TheCalendarIsTheGamesTable) {
  ASSERT_EQ(CGame::careerCalendar->length, 54);
  for (int w = 0; w < 54; w++) EXPECT_EQ(weekList(w), kWeeks[w]) << "week " << w;
}

TEST_F(CareerMapTest, HomeAndTheFirstGroundEveryWeekAndLocation13InTwoRuns) {
  for (int w = 0; w < 54; w++) {
    const List l = weekList(w);
    const bool has13 = std::count(l.begin(), l.end(), 13) == 1;
    EXPECT_EQ(std::count(l.begin(), l.end(), 23), 1) << "week " << w;
    EXPECT_EQ(std::count(l.begin(), l.end(), 28), 1) << "week " << w;
    EXPECT_EQ(has13, (w >= 28 && w <= 30) || (w >= 48 && w <= 50)) << "week " << w;
  }
}

TEST_F(CareerMapTest, TheSortOrdersByXAndKeepsEqualXInOrder) {
  std::vector<List> before;
  for (int w = 0; w < 54; w++) before.push_back(weekList(w));
  List all;
  for (int i = 0; i < 29; i++) all.push_back(aload(CGame::careerAllLocations.get(), i));
  before.push_back(all);
  CGame::sortMatchLocation();
  std::vector<List> after;
  for (int w = 0; w < 54; w++) after.push_back(weekList(w));
  all.clear();
  for (int i = 0; i < 29; i++) all.push_back(aload(CGame::careerAllLocations.get(), i));
  after.push_back(all);
  // Several places share an x (2 and 4, 12 and 16, 0 and 20, ...): the stable order is the
  // original order among them.
  for (size_t l = 0; l < before.size(); l++) {
    List expected = before[l];
    std::stable_sort(expected.begin(), expected.end(), [](int a, int b) { return locX(a) < locX(b); });
    EXPECT_EQ(after[l], expected) << "list " << l;
  }
}

TEST_F(CareerMapTest, TheTargetIsTheFirstFreeTournamentElseHome) {
  struct Case {
    int week;
    List played;
    int expected;
  } cases[] = {
      {0, {}, 28},          // no tournament this week
      {2, {}, 4},           //
      {2, {4}, 28},         // the only one played
      {6, {}, 16},          // 16 lies left of 17
      {6, {16}, 17},        //
      {6, {16, 17}, 28},    //
      {30, {13}, 3},        //
      {43, {11, 0}, 28},    //
  };
  for (const Case& c : cases) {
    CGame::resetAllTournamentPlayable();
    for (int t : c.played) CGame::setTournamentPlayed(t);
    enterWeek(c.week);
    EXPECT_EQ(target(), c.expected) << "week " << c.week;
    EXPECT_EQ(weekList(c.week)[CGame::findHome()], 28);
  }
}

TEST_F(CareerMapTest, TheWeekAdvancesAndTheSeasonTurnsAfterWeek53) {
  struct Case {
    int week, year, nextWeek, nextYear;
    bool playableAgain;
  } cases[] = {{0, 0, 1, 0, false}, {52, 2, 53, 2, false}, {53, 0, 0, 1, true}, {53, 4, 0, 5, true},
               // a damaged save's week: before the calendar it starts the calendar, past it
               // the season ends
               {-7, 1, 0, 1, false}, {90, 1, 0, 2, true}};
  for (const Case& c : cases) {
    CGame::resetAllTournamentPlayable();
    CGame::setTournamentPlayed(15);
    CGame::setTournamentWin(6);
    CGame::careerWeek = c.week;
    CGame::careerYear = c.year;
    CGame::nextWeek();
    EXPECT_EQ(CGame::careerWeek, c.nextWeek) << "week " << c.week;
    EXPECT_EQ(CGame::careerYear, c.nextYear) << "week " << c.week;
    EXPECT_EQ(CGame::isTounamentPlayed(15), !c.playableAgain) << "week " << c.week;
    EXPECT_EQ(CGame::isTounamentPlayed(6), !c.playableAgain) << "week " << c.week;
    EXPECT_EQ(CGame::careerTarget, CGame::findTarget()) << "week " << c.week;
  }
}

TEST_F(CareerMapTest, TheCursorWrapsAndTheMapGoesOnRound) {
  struct Case {
    int key, from, to, offsetJump;
  };
  enterWeek(10);
  const int last = static_cast<int>(weekList(10).size()) - 1;
  for (const Case& c : {Case{kPreviousKey, 0, last, -kMapW}, Case{kNextKey, last, 0, kMapW}}) {
    CGame::careerTarget = c.from;
    settle();
    const int before = CGame::worldMapX;
    frame(c.key);
    EXPECT_EQ(CGame::careerTarget, c.to);
    // Moved by the map's width, then one step towards the new place, from the far side.
    const int wx = wantedX();
    EXPECT_EQ(CGame::worldMapX, before + c.offsetJump + (wx - before - c.offsetJump) / 7);
    int previous = CGame::worldMapX;
    for (int i = 0; i < 200 && CGame::worldMapX != wx; i++) {
      frame();
      EXPECT_EQ(CGame::worldMapX - previous > 0, c.offsetJump < 0) << "the map turned back";
      previous = CGame::worldMapX;
    }
    EXPECT_EQ(CGame::worldMapX, wx);
  }
}

TEST_F(CareerMapTest, TheCursorSkipsPlayedTournamentsAndWaitsForTheMap) {
  enterWeek(12);
  ASSERT_EQ(weekList(12), (List{24, 20, 25, 19, 28, 23, 27, 26}));
  enterWeek(26);
  ASSERT_EQ(weekList(26), (List{24, 25, 28, 23, 27, 26, 1}));
  struct Case {
    int week;
    List played;
    int from, key, expected;
  } cases[] = {
      {12, {}, 0, kNextKey, 20},
      {12, {20}, 0, kNextKey, 25},
      {12, {20, 19}, 2, kNextKey, 28},
      {12, {20, 19}, 4, kPreviousKey, 25},
      {12, {20}, 2, kPreviousKey, 24},
      {26, {1}, 0, kPreviousKey, 26},  // across the wrap
      {26, {1}, 5, kNextKey, 24},
  };
  for (const Case& c : cases) {
    CGame::resetAllTournamentPlayable();
    for (int t : c.played) CGame::setTournamentPlayed(t);
    CGame::careerWeek = c.week;
    CGame::careerTarget = c.from;
    settle();
    frame(c.key);
    EXPECT_EQ(target(), c.expected) << "week " << c.week << " from " << c.from;
  }
  CGame::careerWeek = 12;
  // Far from the place the keys wait; both keys, although the height may never settle.
  for (int key : {kPreviousKey, kNextKey}) {
    CGame::careerTarget = 0;
    settle();
    CGame::worldMapX += 100;
    frame(key);
    EXPECT_EQ(CGame::careerTarget, 0);
  }
}

TEST_F(CareerMapTest, TheMapScrollsBySevenths) {
  enterWeek(0);
  struct Case {
    int distance, step;
  } cases[] = {{70, 10}, {-70, -10}, {6, 1}, {-6, -1}, {13, 1}, {15, 2}, {0, 0}};
  for (const Case& c : cases) {
    settle();
    const int wx = wantedX();
    CGame::worldMapX = wx - c.distance;
    frame();
    EXPECT_EQ(CGame::worldMapX - (wx - c.distance), c.step) << "distance " << c.distance;
  }
}

TEST_F(CareerMapTest, TheHeightIsClampedAndTheWidthNot) {
  // Place 24 lies high (y 35), 25 low (y 199), 26 far right (x 517): its map origin lies
  // left of the view, where a clamp like the height's would stop it.
  struct Case {
    int location, mapH, y;
  } cases[] = {{24, kMapH, kViewY},
               {25, kMapH, kViewY + kViewH - kMapH},
               {25, 600, kViewY + kViewH / 2 - 199},
               {26, kMapH, kViewY + kViewH - kMapH}};
  for (const Case& c : cases) {
    enterWeek(9);
    const List l = weekList(9);
    CGame::careerTarget = static_cast<int>(std::find(l.begin(), l.end(), c.location) - l.begin());
    settle(c.mapH);
    EXPECT_EQ(CGame::worldMapY, c.y) << "place " << c.location;
    EXPECT_EQ(CGame::worldMapX, kViewX + kViewW / 2 - locX(c.location)) << "place " << c.location;
  }
  EXPECT_LT(CGame::worldMapX, kViewX);
}

TEST_F(CareerMapTest, BadWeeksAndTargetsReadAsHome) {
  LogCapture log;
  ByteArray* weekZero = static_cast<ByteArray*>(aload(CGame::careerCalendar.get(), 0));
  struct Case {
    int week, target;
    bool badWeek;
  } cases[] = {{54, 0, true}, {-1, 1, true}, {3, 40, false}, {3, -2, false}};
  for (const Case& c : cases) {
    CGame::careerWeek = c.week;
    CGame::careerTarget = c.target;
    if (c.badWeek) EXPECT_EQ(CGame::careerWeekList(), weekZero) << "week " << c.week;
    else EXPECT_EQ(target(), 28) << "target " << c.target;
    frame(kNextKey);  // a target inside the list again
    EXPECT_TRUE(CGame::careerWeekList()->inBounds(CGame::careerTarget));
  }
  EXPECT_TRUE(log.contains("outside the calendar"));
  EXPECT_TRUE(log.contains("target 40"));
}

// --- The places read at boot, and the map drawn on the shipped art.
class CareerMapBootTest : public MenuTest {
 protected:
  static void enterLobbyWeek(int week) {
    CGame::careerWeek = week;
    CGame::relocateHome();
    CGame::sortMatchLocation();
    CGame::careerTarget = CGame::findTarget();
  }
};

TEST_F(CareerMapBootTest, TheBootReadsMenu44) {
  useShippedData();
  CGame::SWITCH_STATE(0);
  for (int k = 0; k < 29; k++) {
    // Location 4 shares location 2's place.
    const int pos = CGame::GetMenuItemPosition(44, 1 + (k == 4 ? 2 : k));
    EXPECT_EQ(locX(k), static_cast<int16_t>(pos)) << "location " << k;
    EXPECT_EQ(locY(k), pos >> 16) << "location " << k;
  }
  for (int h = 0; h < 14; h++) {
    const int pos = CGame::GetMenuItemPosition(44, 30 + h);
    EXPECT_EQ(aload(CGame::careerHomeLocations.get(), 2 * h), static_cast<int16_t>(pos)) << "home " << h;
    EXPECT_EQ(aload(CGame::careerHomeLocations.get(), 2 * h + 1), pos >> 16) << "home " << h;
  }
  CGame::careerHome = 5;
  CGame::relocateHome();
  EXPECT_EQ(locX(28), aload(CGame::careerHomeLocations.get(), 10));
  EXPECT_EQ(locY(28), aload(CGame::careerHomeLocations.get(), 11));
}

TEST_F(CareerMapBootTest, LocationFourTakesTwosPlaceAndMissingItemsKeepTheirOwn) {
  std::string source;
  for (int m = 0; m < 44; m++) source += "menu " + std::to_string(m) + "\n  0 none\n";
  source += "menu 44\n  0 none\n";
  for (int i = 1; i <= 20; i++)
    source += "  " + std::to_string(i) + " none x=" + std::to_string(300 + i) + " y=" + std::to_string(100 + i) + "\n";
  useMenus(source);
  LogCapture log;
  CGame::initCareerMatchLocation(44, 1);
  CGame::initCareerHomeLocation(44, 30);
  for (int k = 0; k < 20; k++) {
    const int from = k == 4 ? 2 : k;
    EXPECT_EQ(locX(k), 301 + from) << "location " << k;
    EXPECT_EQ(locY(k), 101 + from) << "location " << k;
  }
  EXPECT_EQ(locX(23), 301);  // no item 24: the game's own place
  EXPECT_EQ(locY(23), 73);
  EXPECT_EQ(aload(CGame::careerHomeLocations.get(), 0), locX(28));
  EXPECT_TRUE(log.contains("no item 24"));
  // A damaged home number places home 0.
  CGame::careerHome = 40;
  CGame::relocateHome();
  EXPECT_EQ(locX(28), aload(CGame::careerHomeLocations.get(), 0));
}

// The lobby's view is menu 45's item 38: (10, 60), 520 x 280.
TEST_F(CareerMapBootTest, TheMapIsDrawnOnlyInsideItsView) {
  useShippedData();
  CGame::SWITCH_STATE(0);
  enterLobbyWeek(3);
  clear();
  for (int i = 0; i < 3; i++) {
    CGame::updateWorldMap();
    CGame::paintWorldMap();
  }
  EXPECT_FALSE(blank(10, 60, 520, 280));
  EXPECT_TRUE(blank(0, 0, 800, 60));
  EXPECT_TRUE(blank(530, 0, 270, 480));
  EXPECT_TRUE(blank(0, 340, 800, 140));
}

TEST_F(CareerMapBootTest, MissingArtLogsOnceAndDrawsNothing) {
  LogCapture log;
  useShippedData();
  CGame::SWITCH_STATE(0);
  astore(CGame::menuExtSprites.get(), 2, nullptr);
  astore(CGame::menuExtSprites.get(), 3, nullptr);
  // Week 5 with its tournament played: home targeted, no hint to draw either.
  CGame::setTournamentPlayed(16);
  enterLobbyWeek(5);
  clear();
  for (int i = 0; i < 3; i++) {
    CGame::updateWorldMap();
    CGame::paintWorldMap();
  }
  const std::string text = log.text();
  auto count = [&](const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) n++;
    return n;
  };
  EXPECT_EQ(count("world map sprite"), 1);
  EXPECT_EQ(count("map icon sprite"), 1);
  EXPECT_TRUE(blank(0, 0, 800, 480));
}

}  // namespace
}  // namespace sorv::test
