// Test support for the match's loading and drawing: the shipped data set with the menus'
// resources, the game's tables and record store, the choices a selection leaves, and the
// loader run step by step.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {

class LoadingTest : public MenuTest {
 protected:
  void SetUp() override {
    if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    MenuTest::SetUp();
    useStyle(dataStyle());
  }

  // The shipped data of the style with the game's tables and store, as the boot sets them up.
  void useStyle(mkdata::DataStyle style) {
    useShippedData("EN", style);
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CGame::loadSprite(nullptr, false, kBootSprite, false);
    CGame::initArrays();
    CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
    CGame::Lib_Close();
    CGame::initRMS();
  }

  // The pictures of the match: the labelled blocks that pixel-placing tests find by their
  // labels, unless a test looks at the shipped art.
  virtual mkdata::DataStyle dataStyle() const { return mkdata::DataStyle::kLabels; }

  // What the selection leaves for a match of the category on the court, then the match
  // object as switchToPlayGame makes it.
  static void select(int32_t category, int32_t court, int32_t choice = 1) {
    CTennis::a_unloadCourt();
    CGame::matchSettings = Array::fillInts(Array::newIntArray(5), {category, 1, 0, 0, court});
    CGame::playerChoice1 = 0;
    CGame::playerChoice2 = 1;
    CGame::playerChoice3 = 2;
    CGame::playerChoice4 = 3;
    CGame::mainMenuChoice = choice;
    CGame::loadingShown = false;
    CGame::matchObject = CTennis::create(CTennis::kKindMatch);
    CTennis::currentCourt = court;
    CGame::loadingStep = 0;
  }

  // Runs the loader until the given step is next; the results in order.
  static std::vector<int32_t> loadUntil(int32_t step) {
    std::vector<int32_t> results;
    while (CGame::loadingStep < step) results.push_back(CTennis::Loading());
    return results;
  }
  static void loadAll(int32_t category, int32_t court, bool mainTournament = false) {
    select(category, court);
    loadUntil(3);
    CTennis::mainTournament = mainTournament;
    loadUntil(CTennis::kLoadingSteps);
  }

  static ASprite* slot(bool userTeam, int32_t i) {
    ObjectArray* table = userTeam ? CGame::actionSprites0.get() : CGame::actionSprites1.get();
    return isNull(table) ? nullptr : static_cast<ASprite*>(aload(table, i));
  }
};

}  // namespace sorv::test
