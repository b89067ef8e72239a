// Test support for the match's overlays and interface: a match loaded on the shipped data with
// its players, a fresh score, fixed states, the match frame's overlay drawing run once per
// match frame on the real back buffer, and shots of it written under the build folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tests/device/png_writer.h"
#include "tests/match/loading_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {

class OverlaysTest : public LoadingTest {
 protected:
  // A loaded match of the category on the court, its first point ready with the user serving.
  static void startMatch(int32_t category = 0, int32_t court = 1, bool mainTournament = false) {
    loadAll(category, court, mainTournament);
    if (isNull(CGame::interfaceSprite)) {
      CGame::interfaceSprite =
          CGame::loadSprite(StaticClass::getConstant(kConstMatchPack), false, kMatchInterface, true);
    }
    CGame::gfx = CGame::backBufferGraphics;
    CGame::SetMenuGfx(CGame::backBufferGraphics);
    CTennis::newTennisMatch(CTennis::player);
    CTennis::matchState = 5;
    CTennis::tutorialIndex = -1;
    CTennis::matchFrame = 100;
    CTennis::deadBallReason = 0;
    CTennis::deadBallInfo = -1;
    CTennis::scoreCallState = -1;
    CTennis::afterPointStage = 0;
    CTennis::serveCounter = CTennis::kJudgesSet;
    CTennis::rewardText = nullptr;
    CGame::key_resetKey();
    clear();
  }

  static void setPoints(int32_t user, int32_t opponents) {
    const int32_t at = (CTennis::gameIndex + CTennis::setIndex * CTennis::kGameSlots) * 2;
    astore(CTennis::gamePoints.get(), at, user);
    astore(CTennis::gamePoints.get(), at + 1, opponents);
  }
  static void setGames(int32_t set, int32_t user, int32_t opponents) {
    ByteArray* row = static_cast<ByteArray*>(aload(CTennis::setGames.get(), set));
    astore(row, 0, user);
    astore(row, 1, opponents);
  }

  // The game sets up the next point at this score, the user serving or receiving: the
  // point's situation announced, the score panel shown.
  static void startPointAt(int32_t user, int32_t opponents, bool userServes = true) {
    CTennis::server = userServes ? CTennis::player.get() : CTennis::rival.get();
    setPoints(user, opponents);
    CTennis::startPoint();
  }

  // A dead ball now: the reason, the call (-1 none) and the score call (-1 none).
  static void deadBall(int32_t reason, int32_t call, int32_t scoreCall) {
    CTennis::deadBallReason = reason;
    CTennis::deadBallFrame = CTennis::matchFrame;
    CTennis::deadBallInfo = call;
    CTennis::scoreCallState = scoreCall;
  }

  // One match frame: the shell's step, then the frame's overlay drawing in its order.
 public:
  static void matchFrame() {
    CTennis::matchFrame++;
    CGame::updatePDB();
    const int32_t state = CTennis::matchState;
    if (state == 2 || state == 5) {
      CTennis::drawDeadBallInfo();
      CTennis::playDeadBallSounds();
      if (CTennis::tutorialIndex == -1) CTennis::paintInstantReplay();
      if (state == 2 && !isNull(CTennis::rewardText)) {
        CTennis::drawBreakPoint();
      } else {
        CTennis::drawRewardWords();
      }
    }
    CGame::drawFloatHints();
    if (state == 8) CTennis::drawQueryContinue();
    CTennis::drawInterface();
    CGame::update_InGameInterface();
    CGame::paint_InGameInterface();
    CTennis::drawServeSpeedBoards();
    if (state == 12) CTennis::paintContestReferee();
  }

 protected:
  static std::string text(String* s) {
    if (isNull(s)) return "(null)";
    std::string out;
    for (int32_t i = 0; i < s->length(); i++) out += static_cast<char>(s->units()[i]);
    return out;
  }

  // FNV-1a of the back buffer's pixels in a rectangle.
  static uint64_t hashRegion(int32_t x, int32_t y, int32_t w, int32_t h) {
    uint64_t hash = 1469598103934665603ull;
    for (uint16_t p : region(x, y, w, h)) {
      hash = (hash ^ (p & 0xFF)) * 1099511628211ull;
      hash = (hash ^ (p >> 8)) * 1099511628211ull;
    }
    return hash;
  }
  static uint64_t hashScreen() { return hashRegion(0, 0, CGame::kGameWidth, CGame::kGameHeight); }

  // The back buffer as build/overlays/<name>.png, for a look.
  static void shot(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(SORV_BUILD_DIR) / "overlays";
    std::filesystem::create_directories(folder);
    std::vector<uint32_t> argb;
    for (int32_t y = 0; y < CGame::kGameHeight; y++) {
      for (int32_t x = 0; x < CGame::kGameWidth; x++) {
        const uint16_t p = at(x, y);
        const uint32_t r = (p >> 11) << 3, g = ((p >> 5) & 0x3F) << 2, b = (p & 0x1F) << 3;
        argb.push_back(0xFF000000u | r << 16 | g << 8 | b);
      }
    }
    const std::vector<uint8_t> png = writePng(argb, CGame::kGameWidth, CGame::kGameHeight, PngFormat{});
    std::ofstream(folder / (name + ".png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
};

}  // namespace sorv::test
