// What the overlays show: the calls' texts, the score panel's separator, the out call's hint,
// the reward words' blink, the continue question, the break-point icons and the boards.
#include <gtest/gtest.h>

#include "device/image.h"
#include "tests/match/overlays_fixture.h"

namespace sorv::test {
namespace {

class OverlayCalls : public OverlaysTest {
 protected:
  static uint64_t panelHash() { return hashRegion(200, 200, 400, 80); }
  // The panel drawn by the dead-ball display on its n-th frame.
  static uint64_t panelOnFrame(int32_t n) {
    for (int32_t i = 1; i <= n; i++) {
      clear();
      CTennis::matchFrame++;
      CTennis::drawDeadBallInfo();
    }
    return panelHash();
  }
  static uint64_t panelOf(String* left, String* right) {
    clear();
    CTennis::drawScoreWhenNewBall(left, right);
    return panelHash();
  }
  static String* pointName(int32_t p) { return static_cast<String*>(aload(CTennis::pointNames.get(), p)); }
  static String* concat(String* a, String* b, String* c) {
    StringBuffer* t = StringBuffer::create(16);
    StringBuffer::appendString(t, a);
    StringBuffer::appendString(t, b);
    StringBuffer::appendString(t, c);
    return t->toString();
  }
  static uint64_t courtImageHash() {
    uint64_t h = 1469598103934665603ull;
    Image* image = CTennis::courtImage;
    for (int32_t y = 0; y < 120; y += 1)
      for (int32_t x = 0; x < 840; x += 1) h = (h ^ pixelOf(image, x, y)) * 1099511628211ull;
    return h;
  }
};

TEST_F(OverlayCalls, ThePointScoreIsCalledServerFirst) {
  struct Case {
    int32_t user, opponents;
    bool tieBreak;
    int32_t left, right;  // point names, or -1 the advantage word, -2 "deuce", -3 "deuce 3"
  };
  startMatch();
  String* advantage = CGame::GetString(1, 9);
  String* deuce = CGame::GetString(1, 18);
  auto textOf = [&](int32_t code, int32_t points) -> String* {
    switch (code) {
      case -1: return advantage;
      case -2: return deuce;
      case -3: return concat(deuce, StaticClass::getConstant(76), String::valueOfInt(3));
      case -4: return String::valueOfInt(points);
      default: return pointName(code);
    }
  };
  for (const bool userServes : {true, false}) {
    CTennis::server = userServes ? CTennis::player.get() : CTennis::rival.get();
    for (const Case c : {Case{1, 2, false, 1, 2}, Case{3, 3, false, -2, -5}, Case{5, 5, false, -3, -5},
                         Case{4, 3, false, -1, 3}, Case{3, 4, false, 3, -1}, Case{0, 0, false, 0, 0},
                         Case{5, 2, true, -4, -4}}) {
      CTennis::gamesInSet = 6;
      setGames(0, c.tieBreak ? 6 : 1, c.tieBreak ? 6 : 1);
      setPoints(c.user, c.opponents);
      // The server's column first: swap the expectation when the rival serves.
      const int32_t serverPoints = userServes ? c.user : c.opponents;
      const int32_t receiverPoints = userServes ? c.opponents : c.user;
      int32_t left = userServes ? c.left : c.right, right = userServes ? c.right : c.left;
      if (c.left == -2 || c.left == -3) {
        left = c.left;
        right = -5;
      }
      const uint64_t expected =
          panelOf(textOf(left, serverPoints), right == -5 ? nullptr : textOf(right, receiverPoints));
      deadBall(CTennis::kReasonTwice, -1, -2);
      EXPECT_EQ(panelOnFrame(1), expected) << c.user << ":" << c.opponents << " user serves " << userServes;
      CTennis::scoreCallState = -1;
    }
  }
}

TEST_F(OverlayCalls, TheDecidedMatchsPanelCountsDownItsThreeWords) {
  startMatch();
  CTennis::matchFinished = true;
  CTennis::gameResultText = 26;
  CTennis::gameMessage = CGame::GetString(1, 17);
  deadBall(CTennis::kReasonTwice, -1, 1);
  const uint64_t game = panelOf(CGame::GetString(0, 24), nullptr);
  const uint64_t set = panelOf(CGame::GetString(0, 25), nullptr);
  const uint64_t andMatch = panelOf(CGame::GetString(1, 19), nullptr);
  // The timer starts at 28: frame n shows it at 29 - n.
  for (const auto& [frame, expected] : {std::pair{1, game}, std::pair{19, game}, std::pair{20, set},
                                       std::pair{24, set}, std::pair{25, andMatch}, std::pair{28, andMatch}}) {
    deadBall(CTennis::kReasonTwice, -1, 1);
    CTennis::gameMessage = CGame::GetString(1, 17);
    EXPECT_EQ(panelOnFrame(frame), expected) << frame;
  }
  CTennis::matchFinished = false;
}

TEST_F(OverlayCalls, TheScoresSeparatorFollowsTheLanguage) {
  startMatch();
  String* a = pointName(1);
  String* b = pointName(2);
  for (const auto& [language, constant] : {std::pair{3, 89}, std::pair{0, 90}, std::pair{5, 90}}) {
    CGame::language = language;
    EXPECT_EQ(panelOf(a, b), panelOf(concat(a, StaticClass::getConstant(constant), b), nullptr)) << language;
  }
  CGame::language = 0;
}

// The hint keeps its point in court pixels and takes the view off as it is drawn: it rises
// from the bounce as the screen shows it, whatever the view.
TEST_F(OverlayCalls, TheOutHintRisesFromTheBounceAsTheScreenShowsIt) {
  for (const auto& [viewX, viewY] : {std::pair{0, 0}, std::pair{60, 20}, std::pair{-30, 0}}) {
    startMatch();
    for (int32_t i = 0; i < CGame::kFloatHints; i++) astore(CGame::floatHintText.get(), i, static_cast<Object*>(nullptr));
    CTennis::viewX = viewX;
    CTennis::viewY = viewY;
    CTennis::matchFrame += 100 + viewX;  // each a dead ball of its own
    CTennis::outX = 9085;
    CTennis::outZ = 21000;
    CTennis::project3D2Screen(CTennis::projPoint, CTennis::outX, 0, CTennis::outZ);
    const int32_t sx = aload(CTennis::projPoint.get(), 0), sy = aload(CTennis::projPoint.get(), 1);
    ASSERT_GT(sy, 60);
    deadBall(CTennis::kReasonOut, 10, -2);
    matchFrame();
    auto* record = static_cast<IntArray*>(aload(CGame::floatHintData.get(), 0));
    ASSERT_FALSE(isNull(aload(CGame::floatHintText.get(), 0)));
    EXPECT_EQ(aload(record, 0) - viewX, sx) << viewX;
    EXPECT_EQ(aload(record, 1) + 1 - viewY, sy) << "drawn at the bounce, then a pixel higher " << viewY;
    EXPECT_FALSE(blank(sx - 10, sy - 30, 20, 30)) << "the text stands on the bounce " << viewX;
  }
}

TEST_F(OverlayCalls, AnOutCallFloatsUpOnceAndOtherCallsStandInTheMiddle) {
  startMatch();
  deadBall(CTennis::kReasonOut, 10, -2);
  for (int32_t i = 0; i < 6; i++) matchFrame();
  int32_t hints = 0;
  for (int32_t i = 0; i < CGame::kFloatHints; i++) hints += isNull(aload(CGame::floatHintText.get(), i)) ? 0 : 1;
  EXPECT_EQ(hints, 1);
  EXPECT_TRUE(blank(300, 220, 200, 40)) << "no call in the middle for an out ball";
  for (int32_t call : {11, 12, 13}) {
    deadBall(CTennis::kReasonOut, call, -1);
    clear();
    CTennis::matchFrame++;
    CTennis::drawDeadBallInfo();
    EXPECT_FALSE(blank(300, 220, 200, 40)) << call;
  }
}

TEST_F(OverlayCalls, RewardWordsBlinkFromTheFifthFrame) {
  startMatch();
  CTennis::showRewardWords(20);
  for (int32_t t = 0; t < 40; t++) {
    CTennis::deadBallFrame = CTennis::matchFrame - t;
    clear();
    CTennis::drawRewardWords();
    const bool shown = t >= 5 && (t - 5) % 9 < 6;
    EXPECT_EQ(blank(0, 80, 800, 60), !shown) << t;
  }
  // Another palette on court type 2.
  CTennis::deadBallFrame = CTennis::matchFrame - 5;
  clear();
  CTennis::drawRewardWords();
  const uint64_t plain = hashScreen();
  CTennis::currentCourt = 2;
  clear();
  CTennis::drawRewardWords();
  EXPECT_NE(hashScreen(), plain);
  CTennis::rewardText = nullptr;
  clear();
  CTennis::drawRewardWords();
  EXPECT_TRUE(blank(0, 0, 800, 480));
}

TEST_F(OverlayCalls, TheContinueQuestionSaysWhoWon) {
  startMatch();
  auto question = [](int32_t user, int32_t opponents) {
    astore(CTennis::setsWon.get(), 0, user);
    astore(CTennis::setsWon.get(), 1, opponents);
    clear();
    CTennis::drawQueryContinue();
    return hashRegion(20, 178, 760, 40);
  };
  const uint64_t won = question(2, 1), lost = question(0, 2), level = question(1, 1);
  EXPECT_NE(won, lost);
  EXPECT_EQ(level, lost);
}

TEST_F(OverlayCalls, BreakPointIconsBlinkAndShowWhoLeads) {
  startMatch();
  // The box of the point the game sets up at this score, the user serving, drawn on a frame.
  auto icons = [](int32_t frame, int32_t user, int32_t opponents) {
    CTennis::matchState = 5;
    startPointAt(user, opponents);
    EXPECT_FALSE(isNull(CTennis::rewardText)) << user << ":" << opponents;
    CTennis::matchFrame = frame;
    clear();
    CTennis::drawBreakPoint();
    return hashRegion(300, 255, 200, 40);
  };
  // Level: the tie-break's first point.
  CTennis::gamesInSet = 6;
  setGames(0, 6, 6);
  EXPECT_EQ(icons(0, 0, 0), icons(5, 0, 0)) << "level: no icons";
  // The server one game from the set leads 40:15.
  setGames(0, 5, 0);
  const uint64_t serverLeads = icons(0, 3, 1), none = icons(5, 3, 1);
  EXPECT_NE(serverLeads, none);
  EXPECT_EQ(icons(4, 3, 1), serverLeads);
  EXPECT_EQ(icons(7, 3, 1), none);
  EXPECT_EQ(icons(8, 3, 1), serverLeads);
  // The receiver's break point at 15:40.
  setGames(0, 0, 0);
  EXPECT_NE(icons(0, 1, 3), icons(5, 1, 3));
  EXPECT_NE(icons(0, 1, 3), serverLeads) << "the receiver's icons";
}

// While the band is up the shell draws the frame into the screen buffer; the band puts that
// frame on the screen, so play stays visible behind the box. The frame that opens the band is
// drawn on the screen already and keeps it.
TEST_F(OverlayCalls, TheBandShowsTheFrameDrawnIntoTheBuffer) {
  startMatch();
  CGame::createScreenBuffer();
  ASSERT_FALSE(isNull(CGame::screenBuffer));
  CTennis::matchState = 5;
  startPointAt(1, 3);
  matchFrame();
  ASSERT_TRUE(CGame::pdbActive);
  const uint16_t red = pixel::toRgb565(0xFFFF0000);
  Graphics* back = CGame::backBufferGraphics;
  for (int32_t n = 0; n < 6; n++) {
    clear();
    CGame::switchToBuffer();
    CGame::gfx->setColor(0xFF0000);
    CGame::gfx->fillRect(10, 400, 20, 20);
    matchFrame();
    EXPECT_EQ(CGame::gfx.get(), back) << n;
    EXPECT_EQ(at(15, 405), red) << "the buffered frame reaches the screen " << n;
  }
  // Not drawing into the buffer: the old buffer is not put over the frame.
  clear();
  CGame::screenBuffer->getGraphics()->setColor(0x00FF00);
  CGame::screenBuffer->getGraphics()->fillRect(0, 0, 800, 480);
  CTennis::paintContestRefereeLineEffect();
  EXPECT_NE(at(15, 405), pixel::toRgb565(0xFF00FF00));
}

TEST_F(OverlayCalls, TheBoardsTakeTheShownSpeedOnlyWhileThePanelIsShown) {
  for (const auto& [court, shown, drawn] : {std::tuple{1, true, true}, std::tuple{1, false, false},
                                          std::tuple{3, true, false}}) {
    startMatch(0, court);
    const uint64_t before = courtImageHash();
    CGame::serveSpeedBarShown = shown;
    CGame::animatedNumberValue = 187;
    CTennis::matchStrokes = 30;
    CTennis::drawServeSpeedBoards();
    EXPECT_EQ(courtImageHash() != before, drawn) << court << " " << shown;
  }
}

}  // namespace
}  // namespace sorv::test
