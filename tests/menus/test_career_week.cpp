// The career's week on the shipped data: closing it (the tournament's points, the week and the
// season's turn, saved at once), the weekly update's count of the points and walk of the shown
// attributes, its OK, the rank band of too few frames and its paint. The pictures of the paint
// go to build/career_week/ for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/sound_glue.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tests/menus/quick_fixture.h"
#include "tests/support/picture_file.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

constexpr int32_t kUpdateState = 26, kLobbyState = 23, kLoadingState = 11;
constexpr int32_t kCareerMatchRecord = 5;
constexpr int32_t kWeekByte = 18, kYearByte = 20, kPointsByte = 21, kLocationBytes = 60;
constexpr int32_t kOkKey = 0x20;  // the digit 5, one of OK's keys
constexpr int32_t kRowMenu = 50, kBandItem = 4;
// The rank band's row (the second top row of menu 49) and the band inside it.
constexpr int32_t kBandX = 360, kBandY = 157, kBandW = 250, kBandH = 14;

int32_t le32(const std::vector<int8_t>& r, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; i--) v = v << 8 | static_cast<uint8_t>(r.at(at + i));
  return static_cast<int32_t>(v);
}

class CareerWeekTest : public CareerTest {
 protected:
  void SetUp() override {
    CareerTest::SetUp();
    CGame::careerHome = 3;
    CGame::careerStyle = 1;
    CGame::setCareerPresetAttributes();
    CGame::careerMental = CGame::careerMentalPrev = 40;
    CGame::sortMatchLocation();
  }

  static int32_t threshold(int32_t i) { return aload(CGame::attrThresholds.get(), i); }
  static int32_t shown(int32_t i) { return aload(CGame::careerAttrPtsPrev.get(), i); }
  static void setAttribute(int32_t i, int32_t shownPoints, int32_t points) {
    astore(CGame::careerAttrPtsPrev.get(), i, shownPoints);
    astore(CGame::careerAttrPts.get(), i, points);
  }
  static void arriveAttributes() {
    for (int32_t i = 0; i < 5; i++) astore(CGame::careerAttrPtsPrev.get(), i, aload(CGame::careerAttrPts.get(), i));
    CGame::careerMentalPrev = CGame::careerMental;
  }
  static void aimAt(int32_t location) {
    ByteArray* list = CGame::careerWeekList();
    for (int32_t i = 0; i < list->length; i++) {
      if (aload(list, i) == location) CGame::careerTarget = i;
    }
    ASSERT_EQ(CGame::careerTargetLocation(), location);
  }
  // A career tournament just over: won in its last round, or lost in round 1.
  static void tournamentOver(int32_t tournament, bool won) {
    CGame::currentTournament = tournament;
    CGame::tournamentRoundCount = 3;
    CGame::tournamentRound = won ? 3 : 1;
    CGame::tournamentResult = won ? 1 : -1;
  }
  // The update entered with the points and change, as closing a week leaves them.
  static void enterUpdate(int32_t points, int32_t change, bool fromMatch = false) {
    CGame::careerRankingPoints = points;
    CGame::careerRankingChange = change;
    CGame::careerUpdateFromMatch = fromMatch;
    CGame::MenuClear();
    CGame::SWITCH_STATE(kUpdateState);
  }
  static void update(int32_t keys = 0) {
    CGame::keysPressed = keys;
    CGame::updateCareerUpdate();
    CGame::keysPressed = 0;
  }
  static int32_t savedPoints() {
    EXPECT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
    return le32(record(CGame::kCareerRecord), kPointsByte);
  }
  static void savePicture(const std::string& name) { test::savePicture(CGame::backBuffer, "career_week", name + ".png"); }
};

TEST_F(CareerWeekTest, ClosingAWeekTakesTheTournamentsPointsAndSavesTheNewWeekAtOnce) {
  std::string error;
  ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
  GameSound::setSoundOptionReader(nullptr);
  GameSound::loadAll();
  struct Case {
    int32_t week, target, points;
    bool won, fromMatch;
    int32_t stamina, staminaAfter;
  };
  const Case cases[] = {
      {2, 4, 20, true, false, 50, 50},     // the title's points
      {2, 4, 400, false, true, -5, 0},     // a first-round loss, from a retired match
      {2, 4, 2000, true, false, 120, 100},  // only 10 points are left below the top
      {2, 23, 300, true, true, 100, 100},  // a training week earns nothing
      {5, 28, 300, true, false, 100, 100},  // nor a week at home
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "week " << c.week << " at " << c.target << ", points " << c.points);
    CGame::careerWeek = c.week;
    aimAt(c.target);
    tournamentOver(4, c.won);
    const int32_t earned = CGame::getPointsForCurrentTournament();
    ASSERT_GT(earned, 10);
    const int32_t change = c.target < 23 ? std::min(earned, 2010 - c.points) : 0;
    CGame::careerRankingPoints = c.points;
    CGame::careerRankingChange = 77;  // a stale change never counts twice
    CGame::careerStamina = static_cast<int8_t>(c.stamina);
    ASSERT_TRUE(CGame::RMS(true, CGame::kCareerTournamentRecord));
    putRecord(kCareerMatchRecord, {1, 2, 3});
    GameSound::play(0, true);

    CGame::switch2CareerUpdate(c.fromMatch);

    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kUpdateState);
    EXPECT_EQ(CGame::careerUpdateFromMatch, c.fromMatch);
    EXPECT_EQ(CGame::careerRankingChange, change);
    EXPECT_EQ(CGame::careerRankingPoints, c.points) << "the update counts the change in";
    EXPECT_EQ(CGame::careerStamina, c.staminaAfter);
    EXPECT_EQ(CGame::careerWeek, c.week + 1);
    EXPECT_EQ(GameSound::isPlaying(0), c.fromMatch) << "the sounds stop only after the tournament table";
    EXPECT_FALSE(CGame::hasRecord(CGame::kCareerTournamentRecord));
    EXPECT_FALSE(CGame::hasRecord(kCareerMatchRecord));
    const std::vector<int8_t> saved = record(CGame::kCareerRecord);
    ASSERT_EQ(saved.size(), 89u);
    EXPECT_EQ(saved[kWeekByte], c.week + 1);
    EXPECT_EQ(le32(saved, kPointsByte), c.points + change);
    GameSound::stopAll();
  }
}

TEST_F(CareerWeekTest, Week53ClosesIntoWeek0OfTheNextSeasonWithEveryTournamentPlayable) {
  CGame::careerWeek = 53;
  CGame::careerYear = 2;
  for (int32_t t : {0, 6, 15}) CGame::setTournamentPlayed(t);
  CGame::setTournamentWin(13);
  aimAt(15);
  tournamentOver(15, false);
  CGame::careerRankingPoints = 600;

  CGame::switch2CareerUpdate(false);

  EXPECT_EQ(CGame::careerWeek, 0);
  EXPECT_EQ(CGame::careerYear, 3);
  EXPECT_EQ(CGame::careerTargetLocation(), 28) << "week 0 offers no tournament";
  const std::vector<int8_t> saved = record(CGame::kCareerRecord);
  ASSERT_EQ(saved.size(), 89u);
  EXPECT_EQ(saved[kWeekByte], 0);
  EXPECT_EQ(saved[kYearByte], 3);
  EXPECT_EQ(le32(saved, kPointsByte), 600 + CGame::careerRankingChange);
  for (int32_t k = 0; k < 29; k++) {
    EXPECT_EQ(saved[kLocationBytes + k], 0) << "location " << k;
    EXPECT_FALSE(CGame::isTounamentPlayed(k)) << "location " << k;
  }
}

// The change counts in by a fourteenth of the total a frame (at least one point), never past
// 20..2010, and the saved total is the same at every frame.
TEST_F(CareerWeekTest, ThePointsCountInByFourteenthsWithinTheirRange) {
  struct Case {
    int32_t points, change;
    int32_t afterOne, end, frames;
  };
  const Case cases[] = {
      {20, 1, 21, 21, 1},        {20, 300, 41, 320, 15},   {2005, 100, 2006, 2010, 5},
      {30, -50, 29, 20, 10},     {500, -140, 490, 360, 14}, {2200, 0, 2010, 2010, 0},
      {1000, 13, 1001, 1013, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.points << " + " << c.change);
    arriveAttributes();
    enterUpdate(c.points, c.change);
    EXPECT_EQ(CGame::careerRankingChangeTotal, c.end - std::min(c.points, 2010));
    int32_t frames = 0;
    while (CGame::careerRankingChange != 0 && frames < 100) {
      update();
      if (++frames == 1) {
        EXPECT_EQ(CGame::careerRankingPoints, c.afterOne);
      }
      EXPECT_EQ(savedPoints(), c.end) << "frame " << frames;
    }
    if (c.frames == 0) {
      EXPECT_EQ(CGame::careerRankingPoints, c.afterOne);
    }
    EXPECT_EQ(frames, c.frames);
    EXPECT_EQ(CGame::careerRankingPoints, c.end);
    EXPECT_EQ(CGame::careerRankingChangeTotal, c.end - std::min(c.points, 2010)) << "the total stays";
  }
}

// A kill mid-count: the next start loads the whole total and the week, nothing left to count.
TEST_F(CareerWeekTest, ACareerSavedMidCountLoadsWithItsWholeTotal) {
  CGame::careerWeek = 2;
  aimAt(4);
  CGame::setTournamentPlayed(4);  // as the lobby marks it on entering
  tournamentOver(4, true);
  CGame::careerRankingPoints = 300;
  CGame::switch2CareerUpdate(false);
  const int32_t total = 300 + CGame::careerRankingChange;
  for (int i = 0; i < 3; i++) update();
  ASSERT_NE(CGame::careerRankingChange, 0);
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  CGame::resetCareerData();
  CGame::careerRankingChange = CGame::careerRankingChangeTotal = 55;
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_EQ(CGame::careerRankingPoints, total);
  EXPECT_EQ(CGame::careerRankingChange, 0);
  EXPECT_EQ(CGame::careerWeek, 3);
  EXPECT_TRUE(CGame::isTounamentPlayed(4)) << "played, with its points";
}

TEST_F(CareerWeekTest, ShownAttributesAndMentalMoveThreeAFrameToTheirCappedValues) {
  const int32_t t0 = threshold(0), t4 = threshold(4);
  struct Case {
    int32_t shownPoints, points;
    int32_t afterOne, end, frames;
  };
  const Case cases[] = {
      {t0, t0 + 7, t0 + 3, t0 + 7, 3},   {t0, t0 + 3, t0 + 3, t0 + 3, 1},  {t4 - 5, t4 + 40, t4 - 2, t4, 2},
      {t4 + 10, t4, t4 + 7, t4, 4},       {t0 + 9, t0, t0 + 6, t0, 3},     {t0, t0, t0, t0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.shownPoints << " to " << c.points);
    arriveAttributes();
    setAttribute(2, c.shownPoints, c.points);
    CGame::careerMentalPrev = 40;
    CGame::careerMental = 130;
    enterUpdate(300, 0);
    EXPECT_EQ(aload(CGame::careerAttrPts.get(), 2), std::min(c.points, t4));
    EXPECT_EQ(CGame::careerMental, 100);
    update();
    EXPECT_EQ(shown(2), c.afterOne);
    EXPECT_EQ(CGame::careerMentalPrev, 43);
    for (int i = 1; i < 25; i++) update();
    EXPECT_EQ(shown(2), c.end);
    EXPECT_EQ(CGame::careerMentalPrev, 100);
  }
}

TEST_F(CareerWeekTest, OkLeavesOnlyOnceEverythingHasArrived) {
  struct Case {
    int32_t change, attributeGap, mentalGap;
    bool fromMatch, leaves;
  };
  const Case cases[] = {
      {5, 0, 0, false, false},  {0, 4, 0, false, false}, {0, 0, 2, false, false},
      {-3, 0, 0, true, false},  {0, 0, 0, false, true},  {0, 0, 0, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.change << " " << c.attributeGap << " " << c.mentalGap << " from match "
                                    << c.fromMatch);
    arriveAttributes();
    setAttribute(4, aload(CGame::careerAttrPts.get(), 4) - c.attributeGap, aload(CGame::careerAttrPts.get(), 4));
    CGame::careerMentalPrev = CGame::careerMental - c.mentalGap;
    enterUpdate(500, c.change, c.fromMatch);
    update(kOkKey);
    if (!c.leaves) {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kUpdateState);
      continue;
    }
    if (c.fromMatch) {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLoadingState) << "the lobby comes through the loading screen";
      EXPECT_EQ(CGame::loadingTarget, kLobbyState);
    } else {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    }
  }
}

TEST_F(CareerWeekTest, TheRankBandOfFewerThanTwoFramesIsNotDrawn) {
  ASprite* sprite = CGame::MenuGetItemSprite(kRowMenu, kBandItem);
  const int32_t anim = CGame::GetMenuItemActionID(kRowMenu, kBandItem);
  ASSERT_FALSE(isNull(sprite));
  ASSERT_GT(sprite->GetAFrames(anim), 1);
  arriveAttributes();
  auto band = [](int32_t points) {
    enterUpdate(points, 0);
    clear();
    CGame::paintCareerUpdate();
    return region(kBandX, kBandY, kBandW, kBandH);
  };
  // At rank 1 there are no points above: no band.
  const std::vector<uint16_t> none = band(2010);
  ASSERT_NE(band(1505), none) << "the band shows mid-rank";
  for (int16_t frames : {1, 0}) {
    SCOPED_TRACE(testing::Message() << frames << " frames");
    sprite->animAFrameCount->elements()[anim] = frames;
    LogCapture log;
    EXPECT_EQ(band(1505), none);
    EXPECT_EQ(band(25), none);
    EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
    EXPECT_FALSE(log.contains("ArithmeticException")) << log.text();
    EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  }
}

TEST_F(CareerWeekTest, ThePaintShowsTheCountAndTheOkLabelOnlyOnArrival) {
  const int32_t t0 = threshold(0);
  for (int32_t i = 0; i < 5; i++) setAttribute(i, t0 + 40 * i, t0 + 40 * i + 60);
  CGame::careerMentalPrev = 40;
  CGame::careerMental = 55;
  LogCapture log;
  enterUpdate(645, 150);
  frames(3);
  savePicture("counting");
  const int32_t softKey = CGame::GetMenuItemPosition(35, 4);
  const int32_t kx = static_cast<int16_t>(softKey), ky = softKey >> 16;
  const std::vector<uint16_t> noLabel = region(kx - 60, ky - 15, 120, 30);
  frames(30);
  savePicture("arrived");
  EXPECT_EQ(CGame::careerRankingPoints, 795);
  EXPECT_EQ(CGame::careerMentalPrev, 55);
  EXPECT_NE(region(kx - 60, ky - 15, 120, 30), noLabel) << "OK's label once everything has arrived";
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArithmeticException")) << log.text();
  EXPECT_FALSE(log.contains("career panel:")) << "every item of the rows is in the data\n" << log.text();
}

}  // namespace
}  // namespace sorv::test
