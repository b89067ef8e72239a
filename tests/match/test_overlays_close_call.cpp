// The close-call inset, the challenge's picture and the highlight band.
#include <gtest/gtest.h>

#include "match/close_call_geometry.h"
#include "tests/match/overlays_fixture.h"

namespace sorv::test {
namespace {

class CloseCall : public OverlaysTest {
 protected:
  // A close out ball on line `line` now, the inset's clock at t.
  static void closeBall(int32_t line, int32_t distanceX, int32_t distanceZ, int32_t t) {
    CTennis::deadBallReason = CTennis::kReasonOut;
    CTennis::deadBallFrame = CTennis::matchFrame - t;
    CTennis::lineCallKind = line;
    CTennis::lineDistanceX = distanceX;
    CTennis::lineDistanceZ = distanceZ;
    CTennis::lineZone = CTennis::lineZoneZ = 1;
    CTennis::secondLine = -1;
    CTennis::rallyStrokes = 0;
    CTennis::bounceVelocityX = 300;
    CTennis::bounceVelocityZ = -2000;
  }
  static bool white(int32_t x, int32_t y) { return at(x, y) == rgb(0xFFFFFF); }
};

TEST(CloseCallGeometry, OffsetsProgressAndTurns) {
  struct Offset {
    int32_t distance;
    bool out;
    int32_t pixels;
  };
  for (const Offset c : {Offset{400, false, 46}, Offset{401, false, 0}, Offset{-400, false, -46},
                         Offset{-401, false, 0}, Offset{3, true, 11}, Offset{0, true, -11}, Offset{-3, true, -11},
                         Offset{3, false, 0}, Offset{200, true, 23}, Offset{-200, true, -23}}) {
    EXPECT_EQ(close_call::insetOffset(c.distance, c.out), c.pixels) << c.distance << " " << c.out;
  }
  for (const auto& [t, p] : {std::pair{0, 7}, std::pair{6, 37}, std::pair{7, 38}, std::pair{24, 67}, std::pair{25, 73},
                            std::pair{29, 93}}) {
    EXPECT_EQ(close_call::flightProgress(t), p) << t;
  }
}

TEST_F(CloseCall, ShownForThirtyFramesAfterAnOutOrSecondBounce) {
  struct Case {
    int32_t reason, t;
    bool decided, shown;
  };
  startMatch();
  for (const Case c : {Case{2, 0, false, true}, Case{16, 29, false, true}, Case{2, 30, false, false},
                       Case{1, 3, false, false}, Case{0, 3, true, true}, Case{8, 3, false, false}}) {
    closeBall(3, 100, 100, c.t);
    CTennis::deadBallReason = c.reason;
    CTennis::challengeDecided = c.decided;
    clear();
    CTennis::paintInstantReplay();
    EXPECT_EQ(CTennis::lineCallKind, c.shown ? 3 : 0) << c.reason << " t " << c.t;
    EXPECT_EQ(blank(689, 25, 106, 106), !c.shown) << c.reason << " t " << c.t;
  }
  CTennis::challengeDecided = false;
}

TEST_F(CloseCall, TheLineSitsByTheBouncesDistance) {
  struct Case {
    int32_t distance, reason, barX;
  };
  startMatch();
  // Line 2 is one full bar down the inset at x 739 - dx (read above the ball, which comes
  // in from the bottom).
  for (const Case c : {Case{400, 16, 739 - 46}, Case{401, 16, 739}, Case{-400, 16, 739 + 46}, Case{3, 2, 739 - 11},
                       Case{0, 2, 739 + 11}}) {
    closeBall(2, 0, c.distance, 0);
    CTennis::deadBallReason = c.reason;
    clear();
    CTennis::paintInstantReplay();
    EXPECT_TRUE(white(c.barX, 50) && white(c.barX + 6, 50)) << c.distance;
    EXPECT_FALSE(white(c.barX - 1, 50)) << c.distance;
    EXPECT_FALSE(white(c.barX + 7, 50)) << c.distance;
  }
}

TEST_F(CloseCall, ABounceWithNoDepthSpeedFallsOntoTheMark) {
  startMatch();
  LogCapture log;
  // At t 0 the ball is still above the mark: with vz 0 it is drawn at the mark's x, as a ball
  // with no side speed is.
  closeBall(1, 100, 100, 0);
  CTennis::bounceVelocityX = 500;
  CTennis::bounceVelocityZ = 0;
  clear();
  CTennis::paintInstantReplay();
  const uint64_t level = hashRegion(689, 25, 106, 106);
  CTennis::bounceVelocityX = 0;
  CTennis::bounceVelocityZ = 100;
  clear();
  CTennis::paintInstantReplay();
  EXPECT_EQ(hashRegion(689, 25, 106, 106), level);
  // And the mark is drawn once it has passed, whatever the angle.
  CTennis::bounceVelocityX = 500;
  CTennis::bounceVelocityZ = 0;
  for (int32_t t = 0; t < 30; t++) {
    closeBall(1, 100, 100, t);
    CTennis::bounceVelocityZ = 0;
    CTennis::paintInstantReplay();
  }
  EXPECT_FALSE(log.contains("ArithmeticException")) << log.text();
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
}

TEST_F(CloseCall, TheBandOpensFromItsMiddleRow) {
  startMatch();
  CGame::enablePaintDirectInBuffer(2, 0);
  const int32_t green = static_cast<int32_t>(0xCC000000u) | 0x0EBA3C;  // 80 %
  for (const auto& [level, first, last] : {std::tuple{0, 5, 5}, std::tuple{100, 0, 10}, std::tuple{50, 2, 8}}) {
    CGame::pdbLevel = level;
    clear();
    CTennis::paintContestRefereeLineEffect();
    for (int32_t row = 0; row <= 10; row++) {
      EXPECT_EQ(at(400, 185 + 10 * row + 5) != 0, row >= first && row <= last) << level << " row " << row;
    }
  }
  CGame::fillRect(CGame::backBufferGraphics, green, 0, 400, 10, 10);
  EXPECT_EQ(at(400, 240), at(5, 405));
  EXPECT_NE(at(400, 190), at(400, 240));
  // Another kind of buffer effect draws no band.
  CGame::pdbKind = 1;
  clear();
  CTennis::paintContestRefereeLineEffect();
  EXPECT_TRUE(blank(0, 185, 800, 110));
}

TEST_F(CloseCall, TheChallengeOffersThenShowsTheVerdictFromItsTwentyFourthFrame) {
  startMatch(0, 1);
  CTennis::matchState = 12;
  CTennis::lineCallKind = 0;
  CGame::enablePaintDirectInBuffer(2, 0);
  CGame::pdbLevel = 100;
  // Offered: the band and the question, only while unchallenged with time left.
  for (const auto& [decided, timer, band] : {std::tuple{false, 10, true}, std::tuple{false, 0, false},
                                           std::tuple{true, 10, false}}) {
    CTennis::challengeDecided = decided;
    CTennis::challengeTimer = timer;
    CTennis::deadBallFrame = CTennis::matchFrame;
    clear();
    CTennis::paintContestReferee();
    EXPECT_EQ(at(400, 240) != 0, band) << decided << " " << timer;
  }
  // The verdict: not at the 23rd frame, then the frame after it when upheld.
  ASprite* effects = CGame::MenuGetItemSprite(CTennis::courtLayoutMenu, 18);
  ASSERT_FALSE(isNull(effects));
  ASSERT_GT(effects->paletteCount, 3);
  CGame::disablePaintDirectInBuffer();
  CTennis::challengeDecided = true;
  std::vector<uint64_t> hashes;
  for (const auto& [t, upheld] : {std::tuple{23, false}, std::tuple{24, false}, std::tuple{24, true}, std::tuple{40, true}}) {
    CTennis::deadBallFrame = CTennis::matchFrame - t;
    CTennis::challengeUpheld = upheld;
    effects->SetCurrentPalette(1);
    clear();
    CTennis::paintContestReferee();
    EXPECT_EQ(effects->GetCurrentPalette(), 1);
    hashes.push_back(hashScreen());
  }
  EXPECT_TRUE(blank(0, 0, 800, 480) == false);
  EXPECT_NE(hashes[0], hashes[1]);
  EXPECT_NE(hashes[1], hashes[2]);
  EXPECT_EQ(hashes[2], hashes[3]);
  CTennis::challengeDecided = false;
}

}  // namespace
}  // namespace sorv::test
