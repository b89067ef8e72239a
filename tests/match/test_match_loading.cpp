// The match loader's steps, the court's loading per end and type, the players' palettes, the
// unload, and the speed unit a main tournament holds.
#include <gtest/gtest.h>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/loading_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {
namespace {

using MatchLoading = LoadingTest;

TEST_F(MatchLoading, ReturnsEveryThirdPercentThenDoneOnTheLastCall) {
  select(0, 1);
  LogCapture log;
  const std::vector<int32_t> results = loadUntil(CTennis::kLoadingSteps);
  EXPECT_EQ(log.text().find("NullPointer"), std::string::npos) << log.text();
  EXPECT_EQ(log.text().find("ArrayOutOfBound"), std::string::npos) << log.text();
  ASSERT_EQ(results.size(), 33u);
  for (int32_t i = 0; i < 32; i++) EXPECT_EQ(results[static_cast<size_t>(i)], (i + 1) * 100 / 33) << i;
  EXPECT_EQ(results.front(), 3);
  EXPECT_EQ(results[31], 96);
  EXPECT_EQ(results.back(), -1);
  EXPECT_FALSE(isNull(CTennis::ball));
  EXPECT_FALSE(isNull(CTennis::player));
  EXPECT_FALSE(isNull(CTennis::rival));
  EXPECT_FALSE(isNull(CTennis::courtImage));
}

// Slots 3 to 5 hold the partners' own sprites in mixed doubles only; the entry sprite has a
// palette per player; the pack entry follows the category.
TEST_F(MatchLoading, SlotsPalettesAndEntriesByCategory) {
  struct Case {
    int32_t category;
    bool partnerSlots;
    int32_t introPalettes;
  };
  for (const Case c : {Case{0, false, 2}, Case{1, false, 4}, Case{2, false, 2}, Case{3, false, 4},
                       Case{4, true, 4}}) {
    SCOPED_TRACE(c.category);
    select(c.category, 1);
    loadUntil(17);
    for (bool team : {true, false}) {
      for (int32_t k = 0; k < 3; k++) EXPECT_FALSE(isNull(slot(team, k))) << team << k;
      for (int32_t k = 3; k < 6; k++) EXPECT_EQ(!isNull(slot(team, k)), c.partnerSlots) << team << k;
    }
    ASSERT_FALSE(isNull(CTennis::introSprite));
    EXPECT_EQ(CTennis::introSprite->paletteCount, c.introPalettes);
    EXPECT_EQ(CTennis::GetSpriteActionIDx(true, 0, 0), c.category == 2 || c.category == 3 ? 1 : 0);
    EXPECT_EQ(CTennis::GetSpriteActionIDx(true, 3, 1), c.category == 4 ? 1 : c.category >= 2 ? 1 : 0);
  }
}

// Each first player's palette is its character's; partners share the sprite's palette 1
// except in mixed doubles, where their own sprites take it as palette 0.
TEST_F(MatchLoading, ActionSpritesTakeTheCharactersPalettes) {
  auto same = [](ASprite* s, int32_t palette, int32_t character) {
    IntArray* expected = CGame::getPalyerPal(character);
    IntArray* got = s->getPalette(palette);
    if (isNull(got)) return false;
    for (int32_t c = 0; c < expected->length; c++) {
      if (got->elements()[c] != expected->elements()[c]) return false;
    }
    return true;
  };
  select(1, 0);
  loadUntil(17);
  EXPECT_TRUE(same(slot(true, 0), 0, 0));
  EXPECT_TRUE(same(slot(true, 2), 1, 2));
  EXPECT_TRUE(same(slot(false, 1), 0, 1));
  EXPECT_TRUE(same(slot(false, 1), 1, 3));
  select(4, 0);
  loadUntil(17);
  EXPECT_TRUE(same(slot(true, 1), 0, 0));
  EXPECT_TRUE(same(slot(true, 4), 0, 2));
  EXPECT_TRUE(same(slot(false, 5), 0, 3));
}

TEST_F(MatchLoading, CourtLayoutEntriesActorAndPeoplePalettes) {
  struct Case {
    int32_t court;
    bool mainTournament;
    int32_t end;
    int32_t layout, courtAnim, peoplePalette;
    bool courtActor;
  };
  const Case cases[] = {
      {0, false, 1, 71, 2, 0, true}, {1, false, 2, 74, 3, 1, true},
      {2, true, 1, 70, 0, 4, true},  {3, true, 2, 73, -1, 4, false},
      {2, false, 2, 74, 3, 2, true}, {3, false, 1, 71, -1, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.court) + (c.mainTournament ? " main" : "") + " end " + std::to_string(c.end));
    loadAll(0, c.court, c.mainTournament);
    if (c.end == 2) {
      CTennis::changeEnds = true;
      CTennis::loadCourt();
      EXPECT_FALSE(CTennis::changeEnds);
      EXPECT_EQ(CTennis::courtEnd, 2);
    }
    EXPECT_EQ(CTennis::courtLayoutMenu, c.layout);
    EXPECT_EQ(!isNull(CTennis::courtActor), c.courtActor);
    if (c.courtActor) {
      EXPECT_EQ(CTennis::courtActor->animation, c.courtAnim);
    }
    EXPECT_EQ(CTennis::ballKidSprite->GetCurrentPalette(), c.peoplePalette);
    EXPECT_EQ(CTennis::judgeSprite->GetCurrentPalette(), c.peoplePalette);
    EXPECT_EQ(CTennis::netSprite->GetCurrentPalette(), c.court);
    EXPECT_EQ(!isNull(CTennis::courtDecor), c.court == 0);
    // The main tournament's court picture is its own entry on court types 2 and 3.
    ASSERT_FALSE(isNull(CTennis::courtSprite));
    ASSERT_EQ(CTennis::linesmen->length, 5);
  }
}

TEST_F(MatchLoading, BounceLossesComeFromTheTable) {
  for (int32_t court = 0; court < 4; court++) {
    loadAll(0, court);
    IntArray* table = CTennis::courtLossTable;
    ASSERT_FALSE(isNull(table));
    EXPECT_EQ(CTennis::courtLossX, table->elements()[3 * court]);
    EXPECT_EQ(CTennis::courtLossY, table->elements()[3 * court + 1]);
    EXPECT_EQ(CTennis::courtLossZ, table->elements()[3 * court + 2]);
  }
  // A table too short for the court: no losses, no fault.
  CTennis::courtLossTable = Array::newIntArray(3);
  CTennis::a_loadCourt(2, 1);
  EXPECT_EQ(CTennis::courtLossX + CTennis::courtLossY + CTennis::courtLossZ, 0);
}

TEST_F(MatchLoading, UnloadKeepsOnlyTheReplaySprite) {
  loadAll(4, 0);
  ASprite* replay = CTennis::replaySprite;
  ASSERT_FALSE(isNull(replay));
  CTennis::a_unloadCourt();
  EXPECT_EQ(CTennis::replaySprite.get(), replay);
  for (ASprite* s : {CTennis::introSprite.get(), CTennis::ballSprite0.get(), CTennis::ballSprite1.get(),
                     CTennis::hudSprite.get(), CTennis::netSprite.get(), CTennis::replayBgSprite.get(),
                     CTennis::ballKidSprite.get(), CTennis::judgeSprite.get(), CTennis::courtSprite.get(),
                     CTennis::courtSprite2.get(), CTennis::courtActorSprite.get()}) {
    EXPECT_TRUE(isNull(s));
  }
  EXPECT_TRUE(isNull(CTennis::courtImage));
  EXPECT_TRUE(isNull(CTennis::linesmen));
  EXPECT_TRUE(isNull(CTennis::ballKidActors));
  EXPECT_TRUE(isNull(CTennis::netActor));
  EXPECT_TRUE(isNull(CTennis::player));
  EXPECT_TRUE(isNull(CTennis::ball));
  EXPECT_TRUE(isNull(CTennis::objectList));
  EXPECT_TRUE(isNull(CGame::actionSprites0));
  EXPECT_TRUE(isNull(CGame::actionSprites1));
  EXPECT_EQ(CTennis::courtEnd, 1);
  EXPECT_EQ(CTennis::currentCourt, 2);
  // The next match loads the replay sprite no more.
  loadAll(0, 1);
  EXPECT_EQ(CTennis::replaySprite.get(), replay);
}

// A main tournament shows the first unit, and a change of ends must not make that the
// player's choice: after the match the option and the saved record hold the choice again.
TEST_F(MatchLoading, MainTournamentGivesTheSpeedUnitBackAfterAChangeOfEnds) {
  astore(CGame::optionValues.get(), 1, 1);
  loadAll(0, 2, true);
  EXPECT_EQ(aload(CGame::optionValues.get(), 1), 0);
  CTennis::changeEnds = true;
  CTennis::loadCourt();
  CTennis::changeEnds = true;
  CTennis::loadCourt();
  EXPECT_EQ(aload(CGame::optionValues.get(), 1), 0);
  EXPECT_EQ(CGame::optionRow1Copy, 1);
  CTennis::a_unloadCourt();
  EXPECT_EQ(aload(CGame::optionValues.get(), 1), 1);
  astore(CGame::optionValues.get(), 1, 0);
  CGame::optionRow1Copy = 0;
  ASSERT_TRUE(CGame::RMS(false, CGame::kOptionsRecord));
  EXPECT_EQ(aload(CGame::optionValues.get(), 1), 1);
  EXPECT_EQ(CGame::optionRow1Copy, 1);
}

// Linesmen's animations come from the layout: one outside the judges' sprite draws nothing.
TEST_F(MatchLoading, LinesmenOutsideTheJudgesSpriteAreLeftWithoutASprite) {
  loadAll(0, 1);
  ASprite* judges = CTennis::judgeSprite;
  for (int32_t i = 0; i < 5; i++) {
    CActor* a = static_cast<CActor*>(aload(CTennis::linesmen.get(), i));
    ASSERT_FALSE(isNull(a));
    EXPECT_EQ(a->sprite, judges);
  }
  // Fewer animations than the layout names.
  judges->animAFrameCount = Array::newShortArray(0);
  LogCapture log;
  CTennis::a_loadCourt(1, 1);
  for (int32_t i = 0; i < 5; i++) {
    EXPECT_TRUE(isNull(static_cast<CActor*>(aload(CTennis::linesmen.get(), i))->sprite));
  }
  EXPECT_NE(log.text().find("not in the judges' sprite"), std::string::npos);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

// In the career the user's player plays with the avatar's levels: points below the first
// threshold still give level 1, not the -1 the map reports.
TEST_F(MatchLoading, CareerPlayerTakesTheAvatarsLevels) {
  struct Case {
    bool career;
    int32_t points[5];
    int32_t ability;
    int32_t attrs[5];  // attr0, serve, attr2, speed, stroke
    int32_t level;
  };
  for (const Case c : {Case{true, {0, 100, 300, 700, 5000}, 61, {1, 1, 2, 4, 5}, 4},
                       Case{true, {99, 249, 250, 999, 1000}, 1, {1, 1, 2, 4, 5}, 1},
                       Case{false, {1000, 1000, 1000, 1000, 1000}, 100, {0, 0, 0, 0, 0}, 0}}) {
    CGame::isCareer = c.career;
    CGame::careerAbility = c.ability;
    CGame::careerAttrPts = Array::fillInts(Array::newIntArray(5), {c.points[0], c.points[1], c.points[2], c.points[3], c.points[4]});
    select(0, 0);
    loadUntil(19);
    CPlayer* p = CTennis::player;
    ASSERT_FALSE(isNull(p));
    const int32_t got[5] = {p->attr0, p->attrServe, p->attr2, p->attrSpeed, p->attrStroke};
    // Outside the career the character's own attributes stand (the players' tables).
    for (int32_t k = 0; k < 5 && c.career; k++) EXPECT_EQ(got[k], c.attrs[k]) << k;
    EXPECT_EQ(p->level, c.level);
  }
  CGame::isCareer = false;
  EXPECT_EQ(CGame::mapAttrPtToLv(99), -1);
  EXPECT_EQ(CGame::mapAttrPtToLv(999), 4);
  EXPECT_EQ(CGame::mapAttrPtToLv(1000), 5);
}

}  // namespace
}  // namespace sorv::test
