// The scene's order, recorded: actors given a frame time that never runs out count the calls
// that draw them (their timer), and a ball drawn over the net's point shows on top or under
// it by its depth. Then the ball's own layers: the point-of-fall marker and the bounce mark
// that becomes a trace point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"
#include "tests/support/picture_file.h"

namespace sorv::test {
namespace {

using SceneOrder = CourtTest;

constexpr int32_t kNeverEnds = 1000000;

// The actor now counts its draws in its timer.
CActor* counting(CActor* a) {
  IntArray* times = Array::newIntArray(64);
  for (int32_t i = 0; i < times->length; i++) times->elements()[i] = kNeverEnds;
  a->ownFrameTimes = times;
  a->timer = 0;
  return a;
}

CActor* kid(int32_t i) { return static_cast<CActor*>(aload(CTennis::ballKidActors.get(), i)); }

// The ball at the net's drawing point, in play, at depth z, its draws counted.
CActor* ballAtTheNet(int32_t z) {
  RigidBody* ball = CTennis::ball;
  CGame::p_add(CTennis::objectList, ball);
  ball->z = z;
  ball->vz = 0;
  ball->screenPos->elements()[0] = 430 - CTennis::viewX;
  ball->screenPos->elements()[1] = 230 - CTennis::viewY;
  ball->actor = counting(CActor::create(CTennis::hudSprite, 0, 0));
  return ball->actor;
}

TEST_F(SceneOrder, TheBallIsDrawnOnceUnderTheNetInTheFarHalfAndOverItInTheNear) {
  struct Case {
    int32_t z;
    bool overNet;
  };
  startMatch(0, 0);
  CTennis::matchState = 5;
  CTennis::deadBallReason = 0;
  // The two pictures alone: the net, and the net with the ball painted last.
  CTennis::ball->fallX = RigidBody::kNoPoint;
  CActor* counter = ballAtTheNet(25000);
  const int32_t px = 431 - CTennis::viewX, py = 231 - CTennis::viewY;
  clearBackBuffer(0);
  CTennis::drawNet();
  const uint16_t netOnly = pixel(CGame::backBuffer, px, py);
  CTennis::ball->paint();
  const uint16_t ballOver = pixel(CGame::backBuffer, px, py);
  ASSERT_NE(netOnly, ballOver) << "the two sprites must differ where they meet";
  for (const Case c : {Case{12000, false}, Case{25000, true}, Case{30000, true}, Case{18299, false}}) {
    counter = ballAtTheNet(c.z);
    clearBackBuffer(0);
    CTennis::drawObjects();
    EXPECT_EQ(counter->timer, 1) << c.z;
    EXPECT_EQ(pixel(CGame::backBuffer, px, py), c.overNet ? ballOver : netOnly) << c.z;
  }
}

TEST_F(SceneOrder, DoublesDrawTheBallOnceBeforeTheFartherPartner) {
  struct Case {
    int32_t ballZ;
    bool byTheFarSide;
  };
  startMatch(1, 0);
  CTennis::matchState = 5;
  CTennis::rival->z = 3000;
  CTennis::rivalPartner->z = 8000;
  for (const Case c : {Case{2000, true}, Case{5000, false}, Case{9000, false}}) {
    CActor* counter = ballAtTheNet(c.ballZ);
    CTennis::ballVisible = true;
    CTennis::drawPlayer(false);
    EXPECT_EQ(!CTennis::ballVisible, c.byTheFarSide) << c.ballZ;
    EXPECT_EQ(counter->timer, c.byTheFarSide ? 1 : 0) << c.ballZ;
    // The whole scene draws it once, wherever it falls.
    counter->timer = 0;
    CTennis::drawObjects();
    EXPECT_EQ(counter->timer, 1) << c.ballZ;
  }
}

TEST_F(SceneOrder, SidesThatAreNotDrawn) {
  struct Case {
    int32_t state, tutorial;
    bool nearHalf, drawn;
  };
  startMatch(1, 0);
  CTennis::rival->z = CTennis::rivalPartner->z = 8000;
  CTennis::player->z = CTennis::partner->z = 30000;
  for (const Case c : {Case{5, -1, false, true}, Case{5, 1, false, false}, Case{5, 1, true, true},
                       Case{7, -1, false, false}, Case{8, -1, true, false}, Case{11, 0, true, false}}) {
    CTennis::matchState = c.state;
    CTennis::tutorialIndex = c.tutorial;
    ballAtTheNet(c.nearHalf ? 20000 : 2000);
    CTennis::ballVisible = true;
    CTennis::drawPlayer(c.nearHalf);
    // A side that is drawn places a ball behind its farther player.
    EXPECT_EQ(!CTennis::ballVisible, c.drawn) << c.state << " " << c.tutorial;
  }
  CTennis::tutorialIndex = -1;
}

TEST_F(SceneOrder, TheRunnersStayOutOfTheEntry) {
  startMatch(0, 0);
  CTennis::unfreezeAllActor();
  for (const int32_t state : {1, 2}) {
    CTennis::matchState = state;
    CTennis::resetRunPicker();
    CActor* first = counting(kid(2));
    CActor* second = counting(kid(3));
    CActor* back = counting(kid(0));
    CTennis::drawAllBallKids();
    EXPECT_EQ(first->timer, state == 1 ? 0 : 1);
    EXPECT_EQ(second->timer, state == 1 ? 0 : 1);
    EXPECT_EQ(back->timer, 1);
  }
}

TEST_F(SceneOrder, ThePointOfFallMarkerStaysWhileTheBallIsOnItsWay) {
  struct Case {
    int32_t z, vz, fallZ, kind;
    bool stays;
    int32_t anim;
  };
  startMatch(0, 0);
  RigidBody* ball = CTennis::ball;
  for (const Case c : {Case{10000, 500, 30000, 0, true, 15}, Case{10000, 500, 30000, 2, true, 29},
                       Case{31000, 500, 30000, 3, false, 0}, Case{30000, -500, 5000, 1, true, 15},
                       Case{4000, -500, 5000, 1, false, 0}, Case{10000, 500, 15000, 1, false, 0}}) {
    ball->z = c.z;
    ball->vz = c.vz;
    ball->fallX = 9000;
    ball->fallZ = c.fallZ;
    ball->fallMarkKind = c.kind;
    ball->paintPointOfFall();
    EXPECT_EQ(ball->fallX != RigidBody::kNoPoint, c.stays) << c.z << " " << c.fallZ;
    if (!c.stays) {
      EXPECT_EQ(ball->fallMarkKind, 0);
    }
  }
}

TEST_F(SceneOrder, ABounceMarkBecomesATracePointOnlyOnTheFirstCourtType) {
  for (const int32_t court : {0, 1, 3}) {
    startMatch(0, court);
    RigidBody* ball = CTennis::ball;
    RigidBody::resetBallTrace();
    ball->markX = 9000;
    ball->markZ = 20000;
    // A one-frame mark that ends on its first draw.
    ball->markActor = CActor::create(CTennis::hudSprite, 0, -1);
    ball->markActor->SetCurrentFrame(-1, false);
    for (int32_t i = 0; i < 3; i++) ball->paintShadow();
    const bool traced = court == 0;
    EXPECT_EQ(ball->markX == RigidBody::kNoPoint, traced) << court;
    auto* first = static_cast<IntArray*>(aload(RigidBody::ballTrace.get(), 0));
    EXPECT_EQ(first->elements()[0] != 0 || first->elements()[1] != 0, traced) << court;
  }
}

// Before the serve the server carries its tag above it, and the serving portrait shows beside
// the player: right of a near player on the left half of the screen, left of one on the right.
TEST_F(SceneOrder, TheServerTagAndPortraitBeforeTheServe) {
  struct Case {
    int32_t state, counter, tutorial, playerState, sx;
    bool tag, head;
  };
  startMatch(0, 0);
  CPlayer* p = CTennis::player;
  CTennis::server = p;
  const int32_t sy = 400;
  // The pixels of the box above the player where its server's tag shows.
  auto tagArea = [](int32_t sx, int32_t y0) {
    std::vector<uint16_t> area;
    for (int32_t y = y0 - 140; y < y0 - 50; y++)
      for (int32_t x = sx - 40; x < sx + 40; x++) area.push_back(pixel(CGame::backBuffer, x, y));
    return area;
  };
  for (const Case c : {Case{2, 1, -1, 1, 300, true, true}, Case{2, 1, -1, 1, 600, true, true},
                       Case{2, 0, -1, 1, 300, true, false}, Case{2, 1, -1, 5, 300, false, true},
                       Case{5, 1, -1, 1, 300, false, false}, Case{2, 1, 1, 1, 300, true, false}}) {
    CTennis::matchState = c.state;
    CTennis::serveCounter = c.counter;
    CTennis::tutorialIndex = c.tutorial;
    p->state = c.playerState;
    p->screenPos->elements()[0] = c.sx;
    p->screenPos->elements()[1] = sy;
    // The player's own body paints too: the tag is what differs from the same frame with no server.
    CTennis::server = nullptr;
    clearBackBuffer(0);
    CTennis::drawSinglePlayer(p, true);
    const std::vector<uint16_t> untagged = tagArea(c.sx, sy);
    CTennis::server = p;
    clearBackBuffer(0);
    CTennis::drawSinglePlayer(p, true);
    const int32_t headX = c.sx < 400 ? c.sx + 20 : c.sx - 10 - CGame::portraitSprite->GetFrameWidth(p->getPlayerHeadImgID());
    EXPECT_EQ(inked(headX, sy - 35, 4, 4) > 0, c.head) << c.state << " " << c.counter << " " << c.sx;
    EXPECT_EQ(tagArea(c.sx, sy) != untagged, c.tag) << c.state << " " << c.playerState;
  }
  // The portrait shows in its plain look, whatever palette the sprite was left in: palette 0
  // is the selection's greyed "picked" one.
  ASprite* portraits = CGame::portraitSprite;
  const int32_t face = p->getPlayerHeadImgID(), headX = 300 + 20, headY = sy - 35;
  auto portraitIn = [&](int32_t palette) {
    clearBackBuffer(0);
    portraits->SetCurrentPalette(palette);
    portraits->PaintFrame(CGame::gfx, face, headX, headY, 0, 0);
    return region(headX - 20, headY - 20, 40, 40);
  };
  const std::vector<uint16_t> plain = portraitIn(1), picked = portraitIn(0);
  ASSERT_NE(plain, picked);
  CTennis::matchState = 2;
  CTennis::serveCounter = 1;
  CTennis::tutorialIndex = -1;
  p->screenPos->elements()[0] = 300;
  clearBackBuffer(0);
  CTennis::drawPlayerHead(p);
  EXPECT_EQ(region(headX - 20, headY - 20, 40, 40), plain);
  CTennis::tutorialIndex = -1;
  CTennis::serveCounter = 0;
}

// The serving portrait is the server's alone, as its tag is. A far server's portrait stands
// beside him, towards the court's middle, clear of his body and racket.
TEST_F(SceneOrder, TheServingPortraitIsTheServersAndStandsBesideAFarServer) {
  startMatch(0, 0);
  CTennis::matchState = 2;
  CTennis::serveCounter = 1;
  CTennis::tutorialIndex = -1;
  CPlayer* far = CTennis::rival;
  CTennis::server = far;
  clearBackBuffer(0);
  CTennis::drawPlayerHead(CTennis::player);
  EXPECT_TRUE(backBufferIs(0)) << "the receiver shows no portrait";
  for (const int32_t sx : {300, 560}) {
    SCOPED_TRACE(sx);
    const int32_t sy = 150;
    far->screenPos->elements()[0] = sx;
    far->screenPos->elements()[1] = sy;
    // Each frame of the far player's pose, his body and racket, then the portrait beside it.
    CActor* actor = far->animActor;
    ASSERT_NE(actor, nullptr);
    for (int32_t step = 0; step < actor->sprite->GetAFrames(actor->animation); step++) {
      SCOPED_TRACE(step);
      actor->SetCurrentFrame(step, false);
      actor->paused = true;
      clearBackBuffer(0);
      far->paintYourself(sx, sy);
      int32_t left = 800, right = 0, top = 480, bottom = 0;
      for (int32_t y = 0; y < CGame::kGameHeight; y++)
        for (int32_t x = 0; x < CGame::kGameWidth; x++)
          if (pixel(CGame::backBuffer, x, y) != 0) {
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
          }
      ASSERT_LT(left, right);
      clearBackBuffer(0);
      CTennis::drawPlayerHead(far);
      int32_t shown = 0, onBody = 0, besideMiddle = 0;
      for (int32_t y = 0; y < CGame::kGameHeight; y++)
        for (int32_t x = 0; x < CGame::kGameWidth; x++) {
          if (pixel(CGame::backBuffer, x, y) == 0) continue;
          shown++;
          onBody += x >= left && x <= right && y >= top && y <= bottom ? 1 : 0;
          besideMiddle += (sx < 400 ? x > right : x < left) && y >= top && y <= bottom ? 1 : 0;
        }
      EXPECT_GT(shown, 400) << "the portrait";
      EXPECT_EQ(onBody, 0) << "over the player, whose box is " << left << "," << top << " " << right << "," << bottom;
      EXPECT_GT(besideMiddle, shown / 2) << "beside him, towards the middle";
    }
    actor->paused = false;
  }
  CTennis::serveCounter = 0;
}

// A frame of the entry (court, people, net, the walking teams) and a frame of the serve on
// the shipped data, as stored pictures.
TEST_F(SceneOrder, EntryAndServeFramesAreTheStoredPictures) {
  struct Case {
    int32_t category, frames;
    uint64_t hash;
  };
  for (const Case c : {Case{1, 30, kEntrySceneHash}, Case{0, 70, kServeSceneHash}}) {
    startMatch(c.category, 0);
    for (int32_t i = 0; i < c.frames; i++) frame();
    savePicture(CGame::backBuffer, "scene_order", c.category == 1 ? "entry.png" : "serve.png");
    EXPECT_EQ(pictureHash(CGame::backBuffer), c.hash) << c.category << " " << std::hex << pictureHash(CGame::backBuffer);
  }
}

}  // namespace
}  // namespace sorv::test
