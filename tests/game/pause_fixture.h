// Test support for the pauses: a match loaded on the shipped data, standing in state 40 at a
// match state where the in-game menu may open, the state stack as a list, and key presses
// handed to the in-game menu.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "tests/match/loading_fixture.h"
#include "training/ctraining.h"

namespace sorv::test {

class PauseTest : public LoadingTest {
 protected:
  static constexpr int32_t kMatchState = 40, kTrainingState = 44;
  static constexpr int32_t kDown = 0x1100, kUp = 0x2004, kFire = 0x10000, kLeft = 0x4010, kRight = 0x8040;
  static constexpr int32_t kBack = 0x20000, kConfirm = 0x40000;

  void SetUp() override {
    LoadingTest::SetUp();
    loadAll(0, 0);
    CGame::createScreenBuffer();
    playing(5);
  }

  // State 40 alone at the match state, the match's labels those of play.
  static void playing(int32_t matchState) {
    setState(kMatchState);
    CTennis::matchState = matchState;
    CTennis::serveFlag = false;
    CTennis::leftSoftKeyText = 39;
    CTennis::rightSoftKeyText = -1;
    CTennis::careerMatch = false;
    CTennis::matchKind = CTennis::kKindMatch;
    CGame::blackBarsFrames = 0;
    CGame::pauseKind = 0;
    CGame::MenuClear();
    CGame::key_resetKey();
  }

  static std::vector<int32_t> stack() {
    std::vector<int32_t> states;
    for (int32_t i = 0; i <= CGame::stateTop; i++) states.push_back(aload(CGame::stateStack.get(), i));
    return states;
  }

  static void press(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::updateIGM();
    CGame::keysPressed = 0;
  }

  // The menu opened over play and its entry with this code selected.
  static void openAt(int32_t code) {
    CGame::initPause(0);
    IntArray* list = CGame::menuItems;
    ASSERT_FALSE(isNull(list));
    for (int32_t i = 0; i < list->length; i++) {
      if (list->elements()[i] == code) {
        CGame::menuCursor = i;
        return;
      }
    }
    FAIL() << "no entry " << code;
  }
};

}  // namespace sorv::test
