// Test support for the players: the shipped data set loaded for a singles match, a stub
// match object that hands the serve to the server and records where the ball first lands,
// and frame drivers for one player.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/util_random.h"
#include "sprites/cactor.h"
#include "tests/match/loading_fixture.h"

namespace sorv::test {

// Serves through the server and notes the ball's first landing; nothing else of the rules.
class StubMatch : public CTennis {
 public:
  void serveBall() override {
    if (!isNull(server)) server->serveBall();
  }
  void onBallCollision(RigidBody*, int32_t plane, int32_t x, int32_t, int32_t depth) override {
    if ((plane & RigidBody::kBitGround) == 0 || landed) return;
    landed = true;
    landX = x;
    landZ = depth;
  }
  void onReturnBall(CPlayer*) override { returns++; }
  void onReturnBall2(CPlayer*) override {}
  bool landed = false;
  int32_t landX = 0, landZ = 0, returns = 0;
};

inline StaticRef<StubMatch> gStub;

class PlayerTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    loadAll(0, 0);
    gStub = newObject<StubMatch>();
    CGame::random->setSeed(20261209);
    CTennis::matchFrame = 1;
    CTennis::tutorialIndex = -1;
    CTennis::secondServe = false;
    CTennis::isDoubles = false;
    user()->match = gStub;
    rival()->match = gStub;
    if (!isNull(CTennis::ball)) CTennis::ball->match = gStub;
  }
 public:
  static CPlayer* user() { return CTennis::player; }
  static CPlayer* rival() { return CTennis::rival; }
  static StubMatch* stub() { return gStub; }

  // One match frame of a player: its body and decisions, then its drawing.
  static void frame(CPlayer* p) {
    CTennis::matchFrame++;
    p->update();
    CTennis::updateAllScreen();
    p->paintYourself();
  }
  // Whether `draw` changes any pixel of the back buffer it paints on.
  template <class F>
  static bool paints(F draw) {
    constexpr uint32_t kGround = 0xFF123456;
    CGame::gfx = CGame::backBufferGraphics;
    Graphics* g = CGame::backBufferGraphics;
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    g->setColor(static_cast<int32_t>(kGround));
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    const uint16_t ground = pixelOf(CGame::backBuffer, 0, 0);
    draw();
    for (int32_t y = 0; y < CGame::kGameHeight; y++) {
      for (int32_t x = 0; x < CGame::kGameWidth; x++) {
        if (pixelOf(CGame::backBuffer, x, y) != ground) return true;
      }
    }
    return false;
  }
  // Flies the ball until it first lands (or `limit` frames pass); true when it landed.
  static bool flyBall(int32_t limit = 400) {
    RigidBody* b = CTennis::ball;
    for (int32_t i = 0; i < limit && !gStub->landed; i++) b->update();
    return gStub->landed;
  }
};

}  // namespace sorv::test
