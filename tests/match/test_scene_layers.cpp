// The scene's first and last layers, and the tutorial's practice ball they show: the players'
// slip marks under everything on the first court type, and the practice strokes' flight over
// everything while the tutorial practises.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"

namespace sorv::test {
namespace {

class SceneLayers : public CourtTest {
 protected:
  static constexpr int32_t kBox = 10;  // half the side of the box looked at around a mark

  // The pixels of the back buffer in a box around (x, y).
  static std::vector<uint16_t> around(int32_t x, int32_t y) {
    std::vector<uint16_t> out;
    for (int32_t j = y - kBox; j < y + kBox; j++) {
      for (int32_t i = x - kBox; i < x + kBox; i++) {
        const bool inside = i >= 0 && j >= 0 && i < CGame::kGameWidth && j < CGame::kGameHeight;
        out.push_back(inside ? pixel(CGame::backBuffer, i, j) : 0);
      }
    }
    return out;
  }

  // The scene drawn on black, seen around a screen point.
  static std::vector<uint16_t> sceneAround(int32_t x, int32_t y) {
    clearBackBuffer(0);
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::drawObjects();
    return around(x, y);
  }

  // One frame with these keys newly pressed.
  static int32_t frameWithKeys(int32_t keys) {
    CGame::keysPressed = keys;
    const int32_t result = frame();
    CGame::keysPressed = 0;
    return result;
  }

  // A loaded match in a tutorial's practice: its step 2 message runs out and the practice
  // starts with no stroke played.
  static void practise(int32_t tutorial) {
    startMatch(0, 1);
    CTennis::switchToQueryTraining(tutorial, 2);
    for (int f = 0; f < 200 && CTennis::tutorialStep != 3; f++) frameWithKeys(0);
    ASSERT_EQ(CTennis::tutorialStep, 3);
    ASSERT_EQ(CTennis::trainingStrokes, 0);
  }
};

TEST_F(SceneLayers, SlipMarksShowOnlyOnTheFirstCourtType) {
  struct Case {
    int32_t court, velocity;
    bool shown;
  };
  // A mark at a logical point away from the players and the court's people.
  const int32_t markX = 120, markY = 400;
  for (const Case c : {Case{0, 900, true}, Case{0, -900, true}, Case{0, 0, false}, Case{1, 900, false},
                       Case{3, 900, false}}) {
    SCOPED_TRACE(testing::Message() << c.court << " " << c.velocity);
    startMatch(0, c.court);
    CTennis::switchToServing();
    CPlayer::resetSlipTrace();
    const int32_t sx = markX - CTennis::viewX, sy = markY - CTennis::viewY;
    const std::vector<uint16_t> bare = sceneAround(sx, sy);
    CPlayer::addSlipTrace(markX, markY, c.velocity);
    EXPECT_EQ(sceneAround(sx, sy) != bare, c.shown);
    CPlayer::resetSlipTrace();
    EXPECT_EQ(sceneAround(sx, sy), bare) << "a new point clears the marks";
  }
}

// The practice: a stroke key gives the ball its route from the player's hand over the net,
// with the swing's timing, and its flight is recorded until its second bounce.
TEST_F(SceneLayers, APracticeStrokeSendsTheBallOverTheNet) {
  struct Case {
    int32_t tutorial, digit;
    bool stroke;  // else the key ends the practice
  };
  for (const Case c : {Case{2, 5, true}, Case{3, 1, true}, Case{4, 9, true}, Case{3, 8, false}, Case{2, 0, false}}) {
    SCOPED_TRACE(testing::Message() << "tutorial " << c.tutorial << " digit " << c.digit);
    practise(c.tutorial);
    CPlayer* user = CTennis::player;
    frameWithKeys(1 << c.digit);
    if (!c.stroke) {
      EXPECT_EQ(CTennis::tutorialStep, 4);
      EXPECT_TRUE(isNull(CTennis::practiceBall));
      continue;
    }
    EXPECT_EQ(CTennis::trainingStrokes, 1);
    RigidBody* ball = CTennis::practiceBall;
    ASSERT_FALSE(isNull(ball));
    EXPECT_EQ(user->p0, CPlayer::swingTable1->length - 1) << "the stroke table's timing";
    EXPECT_LT(ball->vz, 0) << "towards the far half";
    EXPECT_GT(ball->flightSpeed, 0);
    int32_t firstBounceZ = -1;
    for (int f = 0; f < 300 && user->returnDir != -1; f++) {
      frameWithKeys(0);
      if (firstBounceZ == -1 && ball->bounceCount >= 1) firstBounceZ = ball->z;
    }
    EXPECT_EQ(user->returnDir, -1) << "the ball's flight ends at its second bounce";
    EXPECT_FALSE(RigidBody::recording);
    EXPECT_LT(firstBounceZ, CTennis::kNetZ) << "the first bounce is beyond the net";
    EXPECT_GE(firstBounceZ, 0);
    EXPECT_EQ(CTennis::tutorialStep, 3) << "the practice goes on";
  }
  EXPECT_EQ(logged("ArrayOutOfBound") + logged("NullPointer"), 0u);
}

// The long tutorial practises the serve: once the serve's power is chosen at its mini-step 2
// the practice opens, and a key serves the practice ball over the net, timed at the middle
// of the player's swing.
TEST_F(SceneLayers, TheLongTutorialPractisesTheServe) {
  startMatch(0, 1);
  CTennis::switchToQueryTraining(1, 0);
  for (int f = 0; f < 600 && CTennis::tutorialStep != 3; f++) {
    // Fire held on every other serving frame, as a player taps it.
    const int32_t keys = CTennis::matchState == CTennis::kStateServing && f % 2 == 0 ? CGame::kKeyFire : 0;
    CGame::keysHeld = keys;
    frameWithKeys(keys);
    CGame::keysHeld = 0;
  }
  ASSERT_EQ(CTennis::tutorialStep, 3);
  CPlayer* user = CTennis::player;
  CActor* swing = user->animActor;
  const int32_t middle = swing->sprite->GetAFrames(swing->animation) / 2 - 1;
  frameWithKeys(1 << 5);
  RigidBody* ball = CTennis::practiceBall;
  ASSERT_FALSE(isNull(ball));
  EXPECT_EQ(user->p0, middle);
  EXPECT_LT(ball->vz, 0);
  int32_t firstBounceZ = -1;
  for (int f = 0; f < 300 && user->returnDir != -1; f++) {
    frameWithKeys(0);
    if (firstBounceZ == -1 && ball->bounceCount >= 1) firstBounceZ = ball->z;
  }
  EXPECT_GE(firstBounceZ, 0);
  EXPECT_LT(firstBounceZ, CTennis::kNetZ);
  EXPECT_EQ(logged("no flight"), 0u);
}

// The recorded flight is drawn over the scene during the practice and no longer after it.
TEST_F(SceneLayers, ThePracticeFlightIsDrawnWhileTheTutorialPractises) {
  practise(2);
  frameWithKeys(1 << 5);
  for (int f = 0; f < 300 && CTennis::player->returnDir != -1; f++) frameWithKeys(0);
  IntArray* path = RigidBody::recordBuffer;
  ASSERT_FALSE(isNull(path));
  std::vector<std::pair<int32_t, int32_t>> points;
  IntArray* p = Array::newIntArray(2);
  for (int32_t i = 0; i + 2 < path->length; i += 3) {
    CTennis::project3D2Screen(p, path->elements()[i], path->elements()[i + 1], path->elements()[i + 2]);
    points.emplace_back(p->elements()[0], p->elements()[1]);
  }
  auto scene = [&] {
    std::vector<std::vector<uint16_t>> seen;
    CourtTest::clearBackBuffer(0);
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::drawObjects();
    for (const auto& [x, y] : points) seen.push_back(around(x, y));
    return seen;
  };
  const auto practising = scene();
  frameWithKeys(1);  // the digit 0 is no stroke key here: the practice ends
  ASSERT_EQ(CTennis::tutorialStep, 4);
  const auto after = scene();
  size_t drawn = 0;
  for (size_t i = 0; i < points.size(); i++) drawn += practising[i] != after[i];
  EXPECT_GE(drawn, points.size() / 2) << "of " << points.size() << " recorded points";
}

}  // namespace
}  // namespace sorv::test
