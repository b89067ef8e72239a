// Test support for the match frame and the sequence between points: the rules' in-memory
// match with a back buffer to draw into, the players' actors standing in for their sprites
// (an actor "runs" while it has a sprite and has not ended), and the log caught in a file.
#pragma once

#include <cstdio>
#include <string>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/rules_fixture.h"

namespace sorv::test {

class FlowTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
    CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
    CGame::gfx = CGame::backBufferGraphics;
    log_ = std::tmpfile();
    Debug::setSink(log_);
  }
  void TearDown() override {
    Debug::setSink(nullptr);
    if (log_ != nullptr) std::fclose(log_);
    CTennis::tutorialIndex = CTennis::tutorialKind = -1;
    CTennis::tutorialStep = -1;
    RulesTest::TearDown();
  }

  // A match of the category with its first point over: state 5, the ball dead for `reason`
  // at frame 100, the call display idle, no scene due (hard court, not the ball kids' point).
  void deadPoint(int category, int32_t reason) {
    startMatch(category, 4, 0);
    CTennis::currentCourt = 1;
    CTennis::serveTurn = 2;
    CTennis::matchState = CTennis::kStatePlaying;
    CTennis::afterPointStage = 0;
    CTennis::matchFrame = 100;
    CTennis::deadBallFrame = 100;
    CTennis::deadBallReason = reason;
    CTennis::scoreCallState = -1;
    CTennis::rewardText = nullptr;
    CTennis::changeEnds = false;
  }

  // Frames of the sequence between points until the next point starts (state 2), at most
  // `limit`; the count, or -1.
  static int framesToNextPoint(int limit) {
    for (int f = 1; f <= limit; f++) {
      CTennis::matchFrame++;
      CTennis::updatePlaying();
      if (CTennis::matchState == CTennis::kStateServing) return f;
    }
    return -1;
  }

  static int32_t frame() { return CGame::matchObject->update(); }
  static uint16_t backPixel(int32_t x, int32_t y) {
    PixelView16 v = CGame::backBuffer->view16();
    return v.pixels[y * v.pitch + x];
  }

  static void runActor(CPlayer* p) {
    if (p == nullptr) return;
    if (p->animActor == nullptr) p->animActor = CActor::create(nullptr, 0, -1);
    p->animActor->sprite = ASprite::create();
    p->animActor->ended = false;
  }
  static void endActor(CPlayer* p) {
    if (p != nullptr && p->animActor != nullptr) p->animActor->ended = true;
  }
  static void forEachPlayer(void (*f)(CPlayer*)) {
    for (int i = 0; i < 4; i++) f(playerOf(i));
  }

  std::string logText() {
    std::fflush(log_);
    std::rewind(log_);
    std::string text;
    char buf[512];
    while (std::fgets(buf, sizeof buf, log_) != nullptr) text += buf;
    return text;
  }

 private:
  std::FILE* log_ = nullptr;
};

}  // namespace sorv::test
