// The player selection: the roster window and its steps, picks in singles, doubles and mixed
// doubles, the match's players, going back to the set-up, and the touches of the paint.
#include <gtest/gtest.h>

#include <algorithm>

#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

class SelectPlayerTest : public QuickMatchTest {};

// Portrait k of the window: item 55 at (118, 340), 145 apart, its touch box 125 x 85.
constexpr int32_t kPortraitX = 118, kPortraitY = 340, kPortraitStep = 145;

TEST_F(SelectPlayerTest, TheWindowRunsOverItsGroupAndNeverWraps) {
  struct Case {
    int32_t mode, group, offset;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{2, 1, 18}, Case{1, 0, 0}}) {
    SCOPED_TRACE(c.mode);
    openSelection(c.mode);
    std::vector<int32_t> firsts, avatars;
    for (int i = 0; i < 20; i++) {
      selectionKeys(kKeyNext);
      firsts.push_back(first(c.group));
      avatars.push_back(first(c.group) + CGame::menuCursor);
    }
    EXPECT_EQ(*std::min_element(firsts.begin(), firsts.end()), c.offset);
    EXPECT_EQ(*std::max_element(firsts.begin(), firsts.end()), c.offset + 12);
    EXPECT_EQ(avatars[14], c.offset + 15) << "the last avatar is reached";
    EXPECT_EQ(avatars.back(), c.offset + 15) << "and stepping on stays there";
    EXPECT_EQ(CGame::menuCursor, 3);
    for (int i = 0; i < 20; i++) selectionKeys(kKeyPrev);
    EXPECT_EQ(first(c.group), c.offset);
    EXPECT_EQ(CGame::menuCursor, 0);
    selectionKeys(kKeyBack);
  }
}

TEST_F(SelectPlayerTest, PickedAvatarsAreSkippedAndCannotBePickedAgain) {
  openSelection(1);  // doubles
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickedAvatars[0], 0);
  EXPECT_EQ(CGame::menuCursor, 1) << "the step after a pick skips it";
  selectionKeys(kKeyPrev);
  EXPECT_EQ(CGame::menuCursor, 1) << "a step back onto a picked avatar goes on to the nearest free one";
  selectionKeys(kKeyNext);
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickedAvatars[1], 2);
  CGame::menuCursor = 0;
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickIndex, 2) << "a picked avatar cannot be picked again";
  EXPECT_EQ(CGame::pickedAvatars[2], -1);
  for (int i = 0; i < 3; i++) selectionKeys(kKeyNext);
  EXPECT_NE(first(0) + CGame::menuCursor, 2);
  EXPECT_EQ(first(0) + CGame::menuCursor, 4) << "from avatar 0: 1, then 3 (2 is picked), then 4";
}

// Each panel's actor draws with the palette slot of its pick: the step after a pick colours
// the next pick's slot, never the one just picked.
TEST_F(SelectPlayerTest, APickKeepsItsColoursWhenTheCursorMovesOn) {
  openSelection(1);
  auto slot = [](int32_t n) {
    IntArray* p = CGame::playerSprite->getPalette(n);
    return std::vector<int32_t>(p->elements(), p->elements() + p->length);
  };
  auto colours = [](int32_t avatar) {
    IntArray* p = CGame::getPalyerPal(avatar);
    return std::vector<int32_t>(p->elements(), p->elements() + p->length);
  };
  ASSERT_FALSE(isNull(CGame::playerSprite));
  selectionKeys(kKeyNext);
  selectionKeys(kKeyNext);
  EXPECT_EQ(slot(0), colours(2));
  selectionKeys(kKeyFire);  // avatar 2
  EXPECT_EQ(slot(0), colours(2)) << "the picked panel keeps its colours";
  EXPECT_EQ(slot(1), colours(3)) << "the partner's panel shows the highlighted avatar";
  selectionKeys(kKeyNext);
  EXPECT_EQ(slot(0), colours(2));
  EXPECT_EQ(slot(1), colours(4));
}

TEST_F(SelectPlayerTest, TheMatchGetsThePicksInSinglesAndDoubles) {
  struct Case {
    int32_t mode;
    int32_t choices[4];  // playerChoice1..4, -9 not written
  };
  const Case cases[] = {
      {0, {0, 1, -9, -9}}, {2, {18, 19, -9, -9}}, {1, {0, 2, 1, 3}}, {3, {18, 20, 19, 21}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    CGame::playerChoice1 = CGame::playerChoice2 = CGame::playerChoice3 = CGame::playerChoice4 = -9;
    openSelection(c.mode);
    const int picks = CGame::isDouble() ? 4 : 2;
    for (int i = 0; i < picks; i++) selectionKeys(kKeyFire);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 12);
    EXPECT_EQ(CGame::menuScreenCode, 10);
    EXPECT_EQ(CGame::playerChoice1, c.choices[0]);
    EXPECT_EQ(CGame::playerChoice2, c.choices[1]);
    EXPECT_EQ(CGame::playerChoice3, c.choices[2]);
    EXPECT_EQ(CGame::playerChoice4, c.choices[3]);
  }
}

TEST_F(SelectPlayerTest, MixedDoublesTeamsTakeOneAvatarOfEachGroup) {
  openSelection(4);
  EXPECT_FALSE(CGame::IsMixModeAlreadySelect(0));
  selectionKeys(kKeyRowDown);  // group 1
  EXPECT_EQ(CGame::pickGroup, 1);
  EXPECT_EQ(first(1), 18);
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickedAvatars[0], 18);
  EXPECT_EQ(CGame::pickGroup, 0) << "the partner comes from the other group";
  EXPECT_TRUE(CGame::IsMixModeAlreadySelect(1));
  selectionKeys(kKeyRowDown);
  selectionKeys(kKeyRowUp);
  EXPECT_EQ(CGame::pickGroup, 0) << "the group keys are inert";
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickedAvatars[1], 0);
  EXPECT_FALSE(CGame::IsMixModeAlreadySelect(2));
  EXPECT_EQ(CGame::pickGroup, 1);
  selectionKeys(kKeyRowUp);  // the opponents' first pick from group 0
  EXPECT_EQ(CGame::pickGroup, 0);
  EXPECT_EQ(CGame::menuCursor + first(0), 1) << "avatar 0 is picked: the group opens on the next";
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickGroup, 1);
  EXPECT_EQ(CGame::menuCursor + first(1), 19);
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 12);
  EXPECT_EQ(CGame::playerChoice1, 18);
  EXPECT_EQ(CGame::playerChoice3, 0);
  EXPECT_EQ(CGame::playerChoice2, 1);
  EXPECT_EQ(CGame::playerChoice4, 19);
}

TEST_F(SelectPlayerTest, BackFromTheQuickMatchShowsTheSameCourt) {
  for (int32_t court = 0; court < 4; court++) {
    SCOPED_TRACE(court);
    openSelection(0, court);
    EXPECT_EQ(setup(4), court);
    selectionKeys(kKeyFire);
    selectionKeys(kKeyBack);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 51);
    EXPECT_EQ(CGame::menuScreenCode, 7);
    EXPECT_EQ(setup(4), 2 * court);
    EXPECT_EQ(CGame::pickIndex, 0);
    EXPECT_EQ(CGame::pickedAvatars[0], -1);
    setupKeys(kKeyBack);
  }
}

// The tournament entry never halved the court row: going back leaves it as it was, however
// often it is entered.
TEST_F(SelectPlayerTest, BackFromTheTournamentEntryLeavesTheCourtRow) {
  openSetup();
  astore(CGame::setupValues.get(), 4, 2);
  for (int i = 0; i < 3; i++) {
    CGame::mainMenuChoice = 4;
    setupKeys(kKeyFire);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), 54);
    selectionKeys(kKeyBack);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 51);
    EXPECT_EQ(setup(4), 2) << i;
  }
}

// The tournament's own way in brings two fresh runners for the panels and leaves by back.
TEST_F(SelectPlayerTest, TheTournamentSelectionOpensWithItsRunners) {
  openSetup();
  CGame::pickActorEven = nullptr;
  CGame::pickActorOdd = nullptr;
  CGame::switchToSelectPlayerTournament();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 54);
  EXPECT_EQ(CGame::menuScreenCode, 9);
  ASSERT_FALSE(isNull(CGame::pickActorEven));
  EXPECT_NE(CGame::pickActorEven.get(), CGame::pickActorOdd.get());
  selectionKeys(kKeyBack);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 51);
}

// The team's pick starts the tournament around the pick (its table is the tournament
// screens').
TEST_F(SelectPlayerTest, TheTournamentEntryPicksTheTeamThenStartsTheTournament) {
  openSetup();
  CGame::mainMenuChoice = 4;
  CGame::currentTournament = 2;
  setupKeys(kKeyFire);
  selectionKeys(kKeyFire);
  EXPECT_EQ(aload(CGame::drawSlots.get(), CGame::userSlot), CGame::pickedAvatars[0]);
  EXPECT_EQ(setup(4), 2);
}

// The last singles pick at the first position of a window at its start leaves the cursor
// before the window: nothing may be refreshed from there.
TEST_F(SelectPlayerTest, ASinglesLastPickAtTheWindowsStartReadsNothingOutside) {
  openSelection(0);
  selectionKeys(kKeyNext);
  selectionKeys(kKeyFire);  // avatar 1
  selectionKeys(kKeyPrev);
  selectionKeys(kKeyPrev);
  ASSERT_EQ(CGame::menuCursor, 0);
  auto slot = [](int32_t n) {
    IntArray* p = CGame::playerSprite->getPalette(n);
    return std::vector<int32_t>(p->elements(), p->elements() + p->length);
  };
  ASSERT_FALSE(isNull(CGame::playerSprite));
  for (int32_t n = 0; n < 4; n++) CGame::playerSprite->changePalette(CGame::getPalyerPal(30 + n), n, nullptr);
  const std::vector<int32_t> third = slot(2);
  LogCapture log;
  selectionKeys(kKeyFire);  // avatar 0, the last pick
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 12);
  EXPECT_EQ(CGame::playerChoice2, 0);
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(slot(2), third) << "no third panel is refreshed";
}

TEST_F(SelectPlayerTest, APortraitTouchMovesTheCursorWithoutPicking) {
  openSelection(0);
  CGame::menuPaint_selectPlayer();
  CGame::pressX = kPortraitX + 2 * kPortraitStep + 40;
  CGame::pressY = kPortraitY + 30;
  CGame::menuPaint_selectPlayer();
  EXPECT_EQ(CGame::menuCursor, 2);
  EXPECT_EQ(CGame::pickIndex, 0);
  EXPECT_EQ(CGame::pressX, -1) << "the press is consumed";
  selectionKeys(kKeyFire);
  EXPECT_EQ(CGame::pickedAvatars[0], 2);
  // A picked portrait takes no touch.
  CGame::pressX = kPortraitX + 2 * kPortraitStep + 40;
  CGame::pressY = kPortraitY + 30;
  CGame::menuPaint_selectPlayer();
  EXPECT_EQ(CGame::menuCursor, 3);
}

TEST_F(SelectPlayerTest, ArrowReleasesPressTheirKeys) {
  struct Case {
    int32_t mode, cursor, x, y, keys;
  };
  const Case cases[] = {
      {0, 1, 27, 356, kKeyPrev},     {0, 0, 682, 356, kKeyNext},    {0, 0, 27, 356, 0},
      {4, 0, 400, 282, kKeyRowDown}, {1, 0, 400, 282, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " mode " << c.mode);
    openSelection(c.mode);
    CGame::menuCursor = c.cursor;
    CGame::keysPressed = 0;
    CGame::releaseX = c.x;
    CGame::releaseY = c.y;
    CGame::menuPaint_selectPlayer();
    EXPECT_EQ(CGame::keysPressed, c.keys);
    CGame::keysPressed = 0;
    CGame::releaseX = CGame::releaseY = -1;
    selectionKeys(kKeyBack);
    setupKeys(kKeyBack);
  }
}

TEST_F(SelectPlayerTest, ThePanelsShowTheCardsAndTheRunningActors) {
  openSelection(0);
  clear();
  CGame::repaintAll = true;
  LogCapture log;
  CGame::menuPaint_selectPlayer();
  const std::vector<uint16_t> before = region(40, 70, 320, 225);
  CGame::menuPaint_selectPlayer();
  CGame::menuPaint_selectPlayer();
  EXPECT_NE(region(40, 70, 320, 225), before) << "the actor runs";
  EXPECT_FALSE(blank(440, 70, 320, 225));
  EXPECT_FALSE(blank(kPortraitX, kPortraitY, 125, 85));
  EXPECT_EQ(log.text(), "");
}

// On the painted data the faces are drawn about the item's point: a touch on a face's upper
// left takes that face, and the cursor's face wears the yellow ring that the others lack.
TEST_F(SelectPlayerTest, TheCursorsFaceWearsItsRingAndATouchAnywhereOnAFaceTakesIt) {
  useShippedData("EN", mkdata::DataStyle::kArt);
  CGame::initRMS();
  openSelection(0);
  frame();
  auto touch = [&](int32_t x, int32_t y) {
    CGame::gameCanvas->pointerPressed(480 - y, x);
    frame();
    CGame::gameCanvas->pointerReleased(480 - y, x);
    frame();
  };
  const uint16_t ring = rgb(0xF2C81E);
  for (int32_t k : {2, 0, 3, 1}) {
    SCOPED_TRACE(k);
    const int32_t cx = kPortraitX + k * kPortraitStep, cy = kPortraitY;
    touch(cx - 12, cy - 16);
    EXPECT_EQ(CGame::menuCursor, k);
    EXPECT_EQ(CGame::pickIndex, 0) << "a touch only moves the cursor";
    for (int32_t other = 0; other < 4; other++) {
      const int32_t ox = kPortraitX + other * kPortraitStep;
      EXPECT_EQ(at(ox - 15, cy) == ring, other == k) << "the ring left of face " << other;
      EXPECT_EQ(at(ox + 18, cy) == ring, other == k) << "the ring right of face " << other;
    }
  }
}

// Each of the six values of the player's card stands on the row of its label between the
// cards, at the card's edge beside it.
TEST_F(SelectPlayerTest, TheCardsValuesStandOnTheirLabelsRows) {
  openSelection(0);
  CActor* actor = CGame::pickActorEven;
  auto card = [&](bool details) {
    clear();
    CGame::drawPlayerInfo(actor, 3, 0, 40, 70, false, details, false, true, false);
    return region(280, 90, 72, 162);
  };
  const std::vector<uint16_t> plain = card(false), detailed = card(true);
  for (int32_t row = 0; row < 6; row++) {
    bool differs = false;
    for (int32_t y = 30 * row; y < 30 * row + 12; y++)
      for (int32_t x = 0; x < 72; x++) differs |= plain[y * 72 + x] != detailed[y * 72 + x];
    EXPECT_TRUE(differs) << "row " << row;
  }
}

// A tournament's draw picks the opponent: its singles entry shows the player's panel alone.
TEST_F(SelectPlayerTest, ATournamentShowsNoOpponentsPanel) {
  openSetup();
  CGame::mainMenuChoice = 4;
  setupKeys(kKeyFire);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 54);
  clear();
  CGame::drawInterfaceBk(nullptr, -1, -1);
  CGame::DrawMenu(37, true);
  const std::vector<uint16_t> backdrop = region(440, 70, 320, 225);
  CGame::repaintAll = true;
  CGame::menuPaint_selectPlayer();
  EXPECT_EQ(region(440, 70, 320, 225), backdrop);
  EXPECT_NE(region(40, 70, 320, 225), backdrop);
  selectionKeys(kKeyBack);
  openSelection(0);  // a quick match shows its computer player
  CGame::repaintAll = true;
  CGame::menuPaint_selectPlayer();
  EXPECT_NE(region(440, 70, 320, 225), backdrop);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

// The data the two screens draw: a portrait per avatar and badges (two looks), a court
// preview per court type, and demo players that run inside the panels' 138 x 138 frame.
TEST_F(SelectPlayerTest, TheShippedSpritesFitTheScreens) {
  openSelection(0);
  auto* portraits = static_cast<ASprite*>(aload(CGame::menuExtSprites.get(), kMenuExtPortrait));
  ASSERT_FALSE(isNull(portraits));
  EXPECT_GE(portraits->paletteCount, kPortraitPalettes);
  EXPECT_GT(portraits->GetFrameWidth(kPortraitFrames - 1), 0);
  EXPECT_EQ(CGame::GetAnimationIDByClass(kTypeRosterPortrait), portraits);
  selectionKeys(kKeyBack);
  ObjectArray* previews = CGame::courtPreviewSprites.get();
  ASSERT_FALSE(isNull(previews));
  ASSERT_EQ(previews->length, 8);
  for (int32_t v = 0; v < 8; v++) {
    auto* s = static_cast<ASprite*>(previews->elements()[v]);
    EXPECT_EQ(isNull(s), v % 2 == 1) << v;
    if (!isNull(s)) EXPECT_EQ(s->GetCurrentPalette(), v / 2);
  }
  // The actor runs at (x + 75, y + 85) of a frame whose inside is (x + 1, y + 1, 138, 138).
  CActor* actor = CGame::createRunPlayer();
  ASSERT_FALSE(isNull(actor->sprite));
  EXPECT_GT(actor->sprite->GetAFrames(0), 1);
  clear();
  const int32_t x = 300, y = 100;
  for (int i = 0; i < 8; i++) actor->update(CGame::backBufferGraphics, x + 75, y + 85);
  EXPECT_FALSE(blank(x + 1, y + 1, 138, 138));
  EXPECT_TRUE(blank(x - 100, y - 60, 100, 300) && blank(x + 139, y - 60, 100, 300));
  EXPECT_TRUE(blank(x, y - 60, 139, 61) && blank(x, y + 139, 139, 60));
}

}  // namespace
}  // namespace sorv::test
