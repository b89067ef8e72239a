// The in-match interface on a loaded match: the serve speed shown, the panels' fades, the
// score panel's rows and texts, the court's score board and the stamina clamp.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "device/pixel_formats.h"
#include "match/rigid_body.h"
#include "tests/match/overlays_fixture.h"

namespace sorv::test {
namespace {

class MatchInterface : public OverlaysTest {
 protected:
  // The serve speed shown for a ball speed (along x) with the unit (1 km/h, 0 mph) and the
  // player category.
  static int32_t shownSpeed(int32_t ballSpeed, int32_t unit, int32_t category = 0) {
    CTennis::ball->vx = ballSpeed;
    CTennis::ball->vy = CTennis::ball->vz = 0;
    astore(CGame::optionValues.get(), 1, unit);
    astore(CGame::matchSettings.get(), 0, category);
    CGame::activeServeSpeedBar(14);
    return CGame::serveSpeedTarget;
  }
  // The bonus band's three flags on the user's serve.
  static void setBonusFlags(bool game, bool power, bool hit) {
    CTennis::server = CTennis::player.get();
    CTennis::serveFlag = game;
    CTennis::player->powerServe = power;
    CTennis::player->powerServeHit = hit;
  }
  // The game shows the score panel as it sets up the next point.
  static void showScore() { CTennis::startPoint(); }
  // The panel's two rows as paintMatchScore should draw them, given their texts.
  static void drawRows(String* name1, String* name2, String* points1, String* points2) {
    IntArray* games0 = Array::newIntArray(CTennis::setsInMatch);
    IntArray* games1 = Array::newIntArray(CTennis::setsInMatch);
    for (int32_t s = 0; s < CTennis::setsInMatch; s++) {
      ByteArray* row = static_cast<ByteArray*>(aload(CTennis::setGames.get(), s));
      astore(games0, s, aload(row, 0));
      astore(games1, s, aload(row, 1));
    }
    const bool userServes = CTennis::server->userTeamSide;
    CGame::drawMatchScoreItem(name1, games0, points1, userServes, 55, 0);
    CGame::drawMatchScoreItem(name2, games1, points2, !userServes, 55, 1);
  }
  static String* pointName(int32_t p) { return static_cast<String*>(aload(CTennis::pointNames.get(), p)); }
  static uint64_t panelHash() { return hashRegion(0, 0, 400, 80); }
};

TEST_F(MatchInterface, TheServeSpeedIsCappedConvertedAndScaled) {
  struct Case {
    int32_t measured;
    bool mph;
    int32_t category, shown;
  };
  startMatch();
  for (const Case c : {Case{40000, false, 0, 216}, Case{60000, false, 0, 216}, Case{40000, true, 0, 134},
                       Case{60000, true, 0, 134}, Case{69445, false, 0, 234}, Case{69445, true, 0, 145},
                       Case{29630, true, 0, 99}, Case{29630, false, 0, 160}, Case{55556, false, 0, 200},
                       Case{55556, false, 1, 200}, Case{55556, false, 2, 179}, Case{55556, false, 3, 179},
                       Case{55556, false, 4, 200}, Case{0, false, 0, 0}}) {
    EXPECT_EQ(CGame::serveSpeedShown(c.measured, c.mph, c.category, false), c.shown)
        << c.measured << " mph " << c.mph << " category " << c.category;
  }
}

TEST_F(MatchInterface, TheServeSpeedIsTheBallsLaunchSpeed) {
  startMatch();
  setBonusFlags(false, false, false);
  // The same measure as the ball's flight speed: the velocity's length at precision 12.
  for (const auto& [vx, vy, vz] : {std::tuple{60000, 0, 0}, std::tuple{12000, -3000, 41000}, std::tuple{0, 0, 70000}}) {
    CTennis::ball->vx = vx;
    CTennis::ball->vy = vy;
    CTennis::ball->vz = vz;
    const int32_t flightSpeed = RigidBody::vectorToScalar(vx, vy, vz, 12);
    for (int32_t unit : {0, 1}) {
      astore(CGame::optionValues.get(), 1, unit);
      CGame::activeServeSpeedBar(14);
      EXPECT_EQ(CGame::serveSpeedTarget, CGame::serveSpeedShown(flightSpeed, unit == 0, 0, false)) << vx << " " << vz;
      EXPECT_TRUE(CGame::serveSpeedBarShown);
      EXPECT_EQ(CGame::serveSpeedBarDuration, 14);
      EXPECT_TRUE(CGame::animatedNumberActive);
      EXPECT_EQ(CGame::animatedNumberValue, 0);
    }
  }
}

TEST_F(MatchInterface, TheTopBandNeedsAllThreeFlagsOnTheUsersServe) {
  startMatch();
  for (int32_t flags = 0; flags < 8; flags++) {
    setBonusFlags(flags & 1, flags & 2, flags & 4);
    for (int32_t unit : {1, 0}) {
      for (int32_t i = 0; i < 20; i++) {
        const int32_t v = shownSpeed(69445, unit);
        if (flags == 7) {
          EXPECT_GE(v, unit == 1 ? 240 : 149);
          EXPECT_LE(v, unit == 1 ? 249 : 154);
        } else {
          EXPECT_EQ(v, unit == 1 ? 234 : 145) << flags;
        }
      }
    }
  }
  setBonusFlags(true, true, true);
  CTennis::server = CTennis::rival.get();
  CTennis::rival->powerServe = CTennis::rival->powerServeHit = true;
  EXPECT_EQ(shownSpeed(69445, 1), 234) << "the rival's serve never gets the band";
}

TEST_F(MatchInterface, PanelsFadeOverTwentyFramesAfterTheirTime) {
  startMatch();
  CGame::activeServeSpeedBar(14);
  // A point's start shows the score panel for 42 frames from now.
  showScore();
  EXPECT_TRUE(CGame::matchScoreShown);
  EXPECT_EQ(CGame::matchScoreStart, CTennis::matchFrame);
  EXPECT_EQ(CGame::matchScoreDuration, 42);
  std::vector<int32_t> speedFades, scoreFades;
  for (int32_t n = 1; n <= 70; n++) {
    CTennis::matchFrame++;
    CGame::update_InGameInterface();
    if (CGame::serveSpeedBarShown && CGame::serveSpeedBarFade != -1) speedFades.push_back(CGame::serveSpeedBarFade);
    if (CGame::matchScoreShown && CGame::matchScoreFade != -1) scoreFades.push_back(CGame::matchScoreFade);
    EXPECT_EQ(CGame::serveSpeedBarShown, n <= 14 + 19) << n;
    EXPECT_EQ(CGame::matchScoreShown, n <= 42 + 19) << n;
  }
  std::vector<int32_t> expected;
  for (int32_t f = 95; f >= 5; f -= 5) expected.push_back(f);
  EXPECT_EQ(speedFades, expected);
  EXPECT_EQ(scoreFades, expected);
  // Entering the court the serve-speed panel stands still.
  CGame::activeServeSpeedBar(1);
  CTennis::matchState = 1;
  for (int32_t n = 0; n < 30; n++) {
    CTennis::matchFrame++;
    CGame::update_InGameInterface();
  }
  EXPECT_TRUE(CGame::serveSpeedBarShown);
  EXPECT_EQ(CGame::serveSpeedBarFade, -1);
}

TEST_F(MatchInterface, ANewMatchHidesTheServeSpeedPanel) {
  startMatch();
  CGame::activeServeSpeedBar(14);
  ASSERT_TRUE(CGame::serveSpeedBarShown);
  CTennis::newTennisMatch(CTennis::player);
  EXPECT_FALSE(CGame::serveSpeedBarShown);
  clear();
  CGame::paint_InGameInterface();
  EXPECT_TRUE(blank(0, 0, 800, 160)) << "no panel left over from the last match";
}

// In a match the menus' words are unloaded: the panel names its unit from the options'
// words, which a match keeps.
TEST_F(MatchInterface, TheServeSpeedPanelNamesItsUnitInAMatch) {
  startMatch();
  CGame::unloadMenuRes();  // as the match's loading does
  ASSERT_TRUE(isNull(CGame::GetString(2, 162))) << "text pack 2 is unloaded with the menus";
  CGame::animatedNumberValue = 187;
  for (const auto& [unit, text] : {std::pair{1, "187 km/h"}, std::pair{0, "187 mph"}}) {
    astore(CGame::optionValues.get(), 1, unit);
    EXPECT_EQ(String::toUtf8(CGame::serveSpeedText()), text);
  }
}

TEST_F(MatchInterface, TheScorePanelsTextsFollowTheGame) {
  struct Case {
    int32_t user, opponents;
    bool tieBreak;
    const char* first;
    const char* second;
  };
  startMatch();
  CTennis::gamesInSet = 6;
  String* advantage = CGame::GetString(1, 62);
  for (const Case c : {Case{3, 3, false, "40", "40"}, Case{4, 3, false, "adv", "40"}, Case{3, 4, false, "40", "adv"},
                       Case{6, 6, false, "40", "40"}, Case{1, 2, false, "15", "30"}, Case{0, 0, false, "0", "0"},
                       Case{5, 4, true, "5", "4"}}) {
    setGames(0, c.tieBreak ? 6 : 2, c.tieBreak ? 6 : 1);
    setPoints(c.user, c.opponents);
    auto textOf = [&](const char* t) -> String* {
      if (std::string(t) == "adv") return advantage;
      if (c.tieBreak) return String::valueOfInt(std::atoi(t));
      const int32_t p = std::string(t) == "0" ? 0 : std::string(t) == "15" ? 1 : std::string(t) == "30" ? 2 : 3;
      return pointName(p);
    };
    clear();
    drawRows(CTennis::player->getPlayerName(), CTennis::rival->getPlayerName(), textOf(c.first), textOf(c.second));
    const uint64_t expected = panelHash();
    clear();
    showScore();
    CGame::paintMatchScore();
    EXPECT_EQ(panelHash(), expected) << c.user << ":" << c.opponents;
  }
}

TEST_F(MatchInterface, DoublesRowsAreTheTeams) {
  startMatch(1);
  ASSERT_TRUE(CTennis::isDoubles);
  auto team = [](int32_t who) {
    StringBuffer* b = StringBuffer::create(16);
    StringBuffer::appendString(b, CGame::GetString(0, 23));
    StringBuffer::appendString(b, StaticClass::getConstant(76));
    StringBuffer::appendString(b, CGame::GetString(0, who));
    return b->toString();
  };
  clear();
  drawRows(team(21), team(20), pointName(0), pointName(0));
  const uint64_t expected = panelHash();
  clear();
  showScore();
  CGame::paintMatchScore();
  EXPECT_EQ(panelHash(), expected);
}

TEST_F(MatchInterface, NoScorePanelEnteringTheCourtOrInATutorial) {
  startMatch();
  showScore();
  for (int32_t c = 0; c < 3; c++) {
    clear();
    CTennis::matchState = c == 1 ? 1 : 5;
    CTennis::tutorialIndex = c == 2 ? 1 : -1;
    CGame::paintMatchScore();
    EXPECT_EQ(blank(0, 0, 400, 80), c != 0) << c;
  }
  // Faded out after its time.
  CTennis::tutorialIndex = -1;
  CTennis::matchState = 5;
  for (int32_t n = 0; n < 42 + 20; n++) {
    CTennis::matchFrame++;
    CGame::update_InGameInterface();
  }
  clear();
  CGame::paintMatchScore();
  EXPECT_TRUE(blank(0, 0, 400, 80));
}

TEST_F(MatchInterface, OneCellPerSetAndThePaintStateRestored) {
  startMatch();
  const int32_t rowX = 8, rowY = 8, cellX = 175, cellW = 24;
  for (int32_t sets : {1, 3, 5}) {
    CTennis::setsInMatch = sets;
    showScore();
    clear();
    CGame::paintMatchScore();
    // The last set's cell, then the points cell one pixel further on.
    const int32_t lastCell = rowX + cellX + (sets - 1) * (cellW + 1) + 2;
    const int32_t pointsCell = rowX + cellX + sets * (cellW + 1) + 1 + 2;
    EXPECT_NE(at(lastCell, rowY + 2), 0) << sets;
    EXPECT_NE(at(pointsCell, rowY + 2), 0) << sets;
    EXPECT_NE(at(lastCell, rowY + 2), at(pointsCell, rowY + 2)) << sets;
    EXPECT_NE(at(pointsCell + 40, rowY + 2), at(pointsCell, rowY + 2)) << sets;
  }
  // -1 is fully shown; the paint state is left as found. (The menu engine draws its
  // rectangles and strings opaque whatever the paint alpha.)
  CTennis::setsInMatch = 1;
  std::vector<uint64_t> hashes;
  for (int32_t fade : {-1, 100, 50}) {
    clear();
    showScore();
    CGame::matchScoreFade = fade;
    CGame::paintMatchScore();
    hashes.push_back(panelHash());
    EXPECT_EQ(CGame::menuPaintAlpha, -1);
    EXPECT_EQ(CGame::menuPaintX, 0);
  }
  EXPECT_EQ(hashes[0], hashes[1]);
}

TEST_F(MatchInterface, TheCourtBoardShowsAWonGameAsLoveAllOnCourtTypeTwo) {
  struct Case {
    int32_t court, user, opponents;
    bool zeros, drawn;
  };
  for (const Case c : {Case{2, 4, 1, true, true}, Case{2, 1, 4, true, true}, Case{2, 4, 3, false, true},
                       Case{1, 4, 1, true, false}}) {
    startMatch(0, c.court, true);
    setPoints(c.user, c.opponents);
    Image* image = CTennis::courtImage;
    // The board's place in the court image: from its item, with room for the two rows.
    const int32_t at = CGame::GetMenuItemPosition(CTennis::courtLayoutMenu, 19);
    const int32_t bx = static_cast<int16_t>(at & 0xFFFF), by = at >> 16;
    auto boardHash = [&] {
      uint64_t h = 1469598103934665603ull;
      for (int32_t y = by - 10; y < by + 50; y++)
        for (int32_t x = bx - 10; x < bx + 140; x++) h = (h ^ pixelOf(image, x, y)) * 1099511628211ull;
      return h;
    };
    const uint64_t before = boardHash();
    CGame::paintScoreToCourtBgBoard();
    const uint64_t painted = boardHash();
    EXPECT_EQ(painted != before, c.drawn) << c.court;
    if (!c.drawn) continue;
    // The same board drawn by hand with the expected texts.
    startMatch(0, c.court, true);
    Graphics* previous = CGame::GetMenuGfx();
    CGame::SetMenuGfx(CTennis::courtGraphics);
    CGame::DrawMenuItem(CTennis::courtLayoutMenu, 19);
    String* first = c.zeros ? pointName(0) : CGame::GetString(1, 62);
    String* second = c.zeros ? pointName(0) : pointName(3);
    CGame::DrawStringAsItem(first, CTennis::courtLayoutMenu, 20, false);
    CGame::DrawStringAsItem(second, CTennis::courtLayoutMenu, 21, false);
    CGame::SetMenuGfx(previous);
    EXPECT_EQ(boardHash(), painted) << c.user << ":" << c.opponents;
  }
}

}  // namespace
}  // namespace sorv::test
