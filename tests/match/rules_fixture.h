// Test support for the match's rules: a started runtime with the shipped constant strings,
// the English texts of packs 0 and 1, the game's record store, and a match built in memory
// (the object, its set-up, two or four players, the settings and the first point), with no
// players' behaviour and outside any tutorial.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/util_random.h"
#include "tests/game/game_fixture.h"
#include "tools/mkdata/achievement_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/text_packs.h"

namespace sorv::test {

class RulesTest : public GameTest {
 protected:
  static constexpr int kSingles = 0, kDoubles = 1;

  // The store syncs every write: on a memory file system the many saves take no time.
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    hadTmpDir_ = tmp != nullptr;
    if (hadTmpDir_) savedTmpDir_ = tmp;
    if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    GameTest::SetUp();
    CGame::initRMS();
    loadTexts();
    loadAchievements();
    CGame::rosterAbility = Array::newByteArray(36);
    CTennis::lineCornerKinds = Array::newObjectArray(kByteArray, 5);
    for (int32_t x = 0; x < 5; x++) {
      ByteArray* row = Array::newByteArray(5);
      for (int32_t z = 0; z < 5; z++) row->elements()[z] = static_cast<int8_t>(10 + x * 5 + z);
      astore(CTennis::lineCornerKinds.get(), x, row);
    }
    CGame::random->setSeed(1);
  }
  void TearDown() override {
    GameTest::TearDown();
    if (hadTmpDir_) {
      setenv("TMPDIR", savedTmpDir_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  static void loadTexts() {
    std::vector<std::u16string> constants = shippedConstants();
    std::vector<std::vector<uint8_t>> packs;
    std::string error;
    const int32_t language = mkdata::findLanguage(constants, mkdata::kDefaultLanguage);
    ASSERT_TRUE(mkdata::textsPackEntries(mkdata::defaultDataDir(), constants, language, &packs, &error))
        << error;
    // The pack's entries hold text packs 0, 2, 3, 1.
    CGame::Str_LoadPack(0, bytes(packs.at(0)), nullptr);
    CGame::Str_LoadPack(1, bytes(packs.at(3)), nullptr);
    englishPack0_ = packs.at(0);
  }

  // The shipped achievement table.
  static void loadAchievements() {
    std::string source, error;
    std::vector<uint8_t> table;
    const std::string path = std::string(mkdata::defaultDataDir()) + "/achievements.txt";
    ASSERT_TRUE(mkdata::readSourceFile(path, &source, &error)) << error;
    ASSERT_TRUE(mkdata::writeAchievementTable(source, {{"EN", englishPack0_}}, &table, &error)) << error;
    CAE::LoadAchiData(bytes(table));
  }

  // A match of the category (0 singles, 1 doubles) and the games and sets settings, its
  // first point ready: server the user's player (first 0), the rival (2), the partner (1) or
  // the rival's partner (3).
  void startMatch(int category, int gamesSetting, int setsSetting, int first = 0) {
    astore(CGame::matchSettings.get(), 0, category);
    astore(CGame::matchSettings.get(), 2, gamesSetting);
    astore(CGame::matchSettings.get(), 3, setsSetting);
    CGame::matchObject = CTennis::create(CTennis::kKindMatch);
    CTennis* match = CGame::matchObject;
    match->init();
    CTennis::player = CTennis::createPlayer(match, true, true, 0, 0, 0, 0);
    CTennis::rival = CTennis::createPlayer(match, false, false, 0, 1, 0, 0);
    CTennis::partner = nullptr;
    CTennis::rivalPartner = nullptr;
    if (CTennis::isDoubles) {
      CTennis::partner = CTennis::createPlayer(match, false, true, 1, 2, 0, 0);
      CTennis::rivalPartner = CTennis::createPlayer(match, false, false, 1, 3, 0, 0);
    }
    restart(first);
  }

  // A new match on the same players, as the continue query starts one: every player reset,
  // so serving from the left.
  void restart(int first) {
    for (int i = 0; i < 4; i++) {
      if (playerOf(i) != nullptr) playerOf(i)->serveFromLeft = true;
    }
    CTennis::newTennisMatch(playerOf(first));
    CTennis::matchState = 5;
    CTennis::checkPoint();
  }

  static CPlayer* playerOf(int index) {
    switch (index) {
      case 0: return CTennis::player;
      case 1: return CTennis::partner;
      case 2: return CTennis::rival;
      default: return CTennis::rivalPartner;
    }
  }
  static int indexOf(CPlayer* p) {
    for (int i = 0; i < 4; i++) {
      if (p == playerOf(i)) return i;
    }
    return -1;
  }

  // What the game does between two points: the serve half, the change of ends when due,
  // and the next point's announcement.
  static void betweenPoints() {
    if (CTennis::matchFinished) return;
    CTennis::changeServeSide();
    if (CTennis::changeEnds) CTennis::changeCourt();
    CTennis::deadBallReason = 0;
    CTennis::checkPoint();
  }

  static void scorePoint(bool userWon) {
    CTennis::addPoint(userWon);
    betweenPoints();
  }
  static void scorePoints(const std::string& teams) {
    for (char c : teams) scorePoint(c == 'u');
  }

  // A dead ball after `strokes` strokes: the team to strike is the one the ball travels to.
  static void deadBall(int32_t reason, int32_t strokes) {
    const bool serverUser = CTennis::server->userTeamSide;
    CTennis::strikeSide = strokes % 2 == 1 ? !serverUser : serverUser;
    CTennis::rallyStrokes = strokes;
    CTennis::deadBallReason = reason;
    CTennis::onBallDead();
  }

  static int32_t points(int team) { return CTennis::points(team); }
  static int32_t games(int team) { return CTennis::games(team); }
  static int32_t sets(int team) { return CTennis::sets(team); }
  static int32_t counter(int kind) { return aload(CTennis::recordValues.get(), kind); }
  static int32_t stat(int row, int team) { return CTennis::matchStat(row, team); }
  static void setCheat(int n) { astore(CGame::cheatUnlocked.get(), n, 1); }

 private:
  std::string savedTmpDir_;
  bool hadTmpDir_ = false;
  static inline std::vector<uint8_t> englishPack0_;
};

}  // namespace sorv::test
