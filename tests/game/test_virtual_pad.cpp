// The touch pad of a match: its cells and buttons as keys, when each counts, its picture and
// the keys picture of the help screens.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

int32_t keyBit(int32_t digit) { return 1 << digit; }

class VirtualPadTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    setState(40);
    resetMatch();
    CGame::keyInputOn = true;
    CGame::padYOffset = 0;
    CGame::padLastKey = CGame::padKeyHeld = CGame::kNoPadKey;
    CGame::padFlash = 0;
    CGame::padOkDown = CGame::padLobDown = CGame::padOkPressed = false;
  }
  void TearDown() override {
    resetMatch();
    MenuTest::TearDown();
  }
  static void resetMatch() {
    CTennis::matchState = 12;  // the pad takes keys and no in-game menu is needed
    CTennis::tutorialKind = -1;
    CTennis::tutorialStep = -1;
    CTennis::raisedPad = CTennis::serveFlag = false;
    CTennis::server = nullptr;
    CTennis::rival = nullptr;
    CTennis::player = nullptr;
    CTennis::tutorialIndex = -1;
  }
  static void touchOnly() {
    CGame::pressX = CGame::pressY = CGame::dragX = CGame::dragY = -1;
    CGame::releaseX = CGame::releaseY = -1;
  }
  // A match frame's start, then, when asked, the close-call inset of an out ball drawn as the
  // frame draws it.
  static void insetFrame(bool inset) {
    CTennis::insetShown = false;
    if (!inset) return;
    CTennis::deadBallReason = CTennis::kReasonOut;
    CTennis::deadBallFrame = CTennis::matchFrame - 3;
    CTennis::lineCallKind = 1;
    CTennis::paintInstantReplay();
  }
  static std::pair<int32_t, int32_t> cellCentre(int32_t cell) {
    auto* corner = static_cast<IntArray*>(CGame::padCells->elements()[cell]);
    return {corner->elements()[0] + 50, corner->elements()[1] + 50 - CGame::padYOffset};
  }
};

TEST_F(VirtualPadTest, EachCellPressesItsDigit) {
  for (int32_t offset : {0, 44}) {
    for (int32_t cell = 0; cell < 9; cell++) {
      SCOPED_TRACE(offset * 100 + cell);
      CGame::padYOffset = offset;
      CGame::key_resetKey();
      CGame::keysHeld = 0;
      touchOnly();
      std::tie(CGame::pressX, CGame::pressY) = cellCentre(cell);
      CGame::UpdateVirtualPad();
      if (cell == 4) {
        EXPECT_EQ(CGame::keysPressed, 0);
        continue;
      }
      EXPECT_EQ(CGame::keysPressed, keyBit(cell + 1));
      EXPECT_EQ(CGame::padLastCell, cell);
      EXPECT_EQ(CGame::padFlash, 5);
      EXPECT_EQ(CGame::padKeyHeld, 49 + cell);
    }
  }
}

TEST_F(VirtualPadTest, ADragIntoAnotherCellReleasesTheOldKeyFirst) {
  std::tie(CGame::pressX, CGame::pressY) = cellCentre(0);
  CGame::UpdateVirtualPad();
  CGame::key_updateKey();
  touchOnly();
  std::tie(CGame::dragX, CGame::dragY) = cellCentre(1);
  CGame::UpdateVirtualPad();
  EXPECT_EQ(CGame::keysReleased, keyBit(1));
  EXPECT_EQ(CGame::keysPressed, keyBit(2));
  EXPECT_EQ(CGame::padLastKey, 50);
  EXPECT_EQ(CGame::pressX, -1);
  // A release in the cell lets go of its key and the last one.
  CGame::key_updateKey();
  touchOnly();
  std::tie(CGame::releaseX, CGame::releaseY) = cellCentre(1);
  CGame::UpdateVirtualPad();
  EXPECT_EQ(CGame::keysReleased, keyBit(2));
}

TEST_F(VirtualPadTest, OkAndLobSendTheirKeysOnlyWhileValid) {
  struct Case {
    int32_t state, matchState;
    bool raised;
    int32_t tutorial, x, y, keys;
  };
  const Case cases[] = {
      {44, 12, false, -1, 700, 380, keyBit(5)},  // training: OK always counts
      {40, 12, false, -1, 700, 380, 0},          // no serve of the user's
      {40, 12, false, -1, 790, 200, keyBit(0)},  // match state 12: the lob counts
      {40, 12, true, -1, 790, 200, 0},           // the raised pad takes the lob away
      {40, 12, true, 4, 790, 200, keyBit(0)},    // except in tutorial 4
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state * 1000 + c.x);
    setState(c.state);
    CTennis::matchState = c.matchState;
    CTennis::raisedPad = c.raised;
    CTennis::tutorialKind = c.tutorial;
    CGame::key_resetKey();
    CGame::keysHeld = 0;
    touchOnly();
    CGame::releaseX = c.x;
    CGame::releaseY = c.y;
    CGame::UpdateVirtualPad();
    EXPECT_EQ(CGame::keysPressed, c.keys);
    EXPECT_EQ(CGame::keysReleased, c.keys);
  }
}

TEST_F(VirtualPadTest, ValidityTruthTables) {
  struct Case {
    int32_t matchState;
    bool serve;
    int32_t tutorial, step;
    bool raised;
    bool disabled, training, lob;
  };
  // The match shows no menu icon, so the in-game menu is not allowed and a playing state
  // still has its keys disabled.
  const Case cases[] = {
      {1, false, -1, -1, false, true, false, false},  {2, false, -1, -1, false, true, false, false},
      {2, true, -1, -1, false, true, false, false},   {7, false, -1, -1, false, true, false, false},
      {8, false, -1, -1, false, true, false, false},  {11, false, -1, -1, false, true, false, false},
      {11, false, 1, 3, false, false, true, false},   {11, false, 1, 1, false, true, false, false},
      {12, false, -1, -1, false, false, false, true}, {12, true, -1, -1, true, false, false, false},
      {12, false, 4, -1, true, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.matchState * 100 + c.tutorial * 10 + c.step);
    CTennis::matchState = c.matchState;
    CTennis::serveFlag = c.serve;
    CTennis::tutorialKind = c.tutorial;
    CTennis::tutorialStep = c.step;
    CTennis::raisedPad = c.raised;
    CTennis::leftSoftKeyText = -1;
    EXPECT_EQ(CGame::isAllVirtualKeyDisabled(), c.disabled);
    EXPECT_EQ(CGame::isNeedTriningVirtualPad(), c.training);
    EXPECT_EQ(CGame::isVirtualKeyLobValid(), c.lob);
    EXPECT_FALSE(CGame::isVirtualKeyOKValid());
  }
}

// Outside a tutorial the query's pad comes while the user's player strikes at the
// opponent's serve (state 6, a stroke stage); the lob key while the stage is 1 or 2.
TEST_F(VirtualPadTest, TheTrainingPadFollowsTheUsersStrokeAtTheOpponentsServe) {
  CTennis::player = newObject<CPlayer>();
  CTennis::rival = newObject<CPlayer>();
  CTennis::server = CTennis::rival.get();
  CTennis::matchState = 11;
  struct Case {
    int32_t state, stage, tutorial;
    bool training, lob;
  };
  const Case cases[] = {
      {6, 1, -1, true, true}, {6, 2, -1, true, true},   {6, 0, -1, false, false},
      {4, 1, -1, false, true}, {6, 1, 0, false, true},  {6, 3, -1, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state * 100 + c.stage * 10 + c.tutorial);
    CTennis::player->state = c.state;
    CTennis::player->strikeState = c.stage;
    CTennis::tutorialIndex = c.tutorial;
    EXPECT_EQ(CGame::isNeedTriningVirtualPad(), c.training);
    EXPECT_EQ(CGame::isVirtualKeyLobValid(), c.lob);
  }
  CTennis::server = CTennis::player.get();
  CTennis::player->state = 6;
  CTennis::player->strikeState = 1;
  CTennis::tutorialIndex = -1;
  EXPECT_FALSE(CGame::isNeedTriningVirtualPad()) << "the user's own serve needs no pad";
}

TEST_F(VirtualPadTest, SoftKeysWaitWhileThePadIsInUse) {
  CGame::softKeysRequested = true;
  CGame::releaseX = 700;
  CGame::releaseY = 450;
  CGame::detectSoftKeys();
  EXPECT_EQ(CGame::softRightState, -1);
  CTennis::matchState = 1;  // every pad key disabled
  CGame::detectSoftKeys();
  EXPECT_EQ(CGame::softRightState, 1);
}

class PadPictureTest : public VirtualPadTest {
 protected:
  void SetUp() override {
    VirtualPadTest::SetUp();
    useShippedData();
    setState(40);
    CGame::gfx = CGame::backBufferGraphics;
  }
  static ASprite* icon(int32_t e) { return static_cast<ASprite*>(aload(CGame::menuIconSprites.get(), e)); }
  static std::vector<uint16_t> screen() { return region(0, 0, CGame::kGameWidth, CGame::kGameHeight); }
};

// The pad is its frames drawn directly: the plain pad while play goes on, dimmed while a
// challenge is offered (its directions count for nothing then), the pressed cell's frame
// while it flashes; the menu button stands aside while the close-call inset shows.
TEST_F(PadPictureTest, ThePadIsItsFramesDrawnDirectly) {
  ASSERT_FALSE(isNull(icon(0)));
  ASSERT_GE(icon(0)->frameFModuleCount->length, 21);
  ASSERT_GE(icon(1)->frameFModuleCount->length, 12);
  struct Case {
    int32_t matchState, flash, cell;
    bool raised, inset;
  };
  const Case cases[] = {{5, 0, 0, false, false}, {5, 3, 5, false, false}, {5, 0, 0, true, false},
                        {12, 0, 0, false, false}, {12, 2, 1, false, false}, {5, 0, 0, false, true},
                        {12, 0, 0, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.matchState * 1000 + c.flash * 10 + c.cell + (c.inset ? 100 : 0));
    CTennis::matchState = c.matchState;
    CTennis::leftSoftKeyText = 39;  // play: the in-game menu may open
    CTennis::rightSoftKeyText = -1;
    CTennis::raisedPad = c.raised;
    CTennis::tutorialKind = c.raised ? 4 : -1;
    insetFrame(c.inset);
    ASSERT_EQ(CTennis::insetShown, c.inset);
    CGame::padFlash = c.flash;
    CGame::padLastCell = c.cell;
    touchOnly();
    clear();
    CGame::DrawVirtualPad();
    const std::vector<uint16_t> pad = screen();
    clear();
    Graphics* g = CGame::backBufferGraphics;
    icon(0)->PaintFrame(g, 10, 700, 380, 0, 70);
    icon(0)->PaintFrame(g, 11, 725, 265, 0, 70);
    if (!c.inset) icon(0)->PaintFrame(g, 12, 740, 40, 0, 70);
    const int32_t padY = 350 - (c.raised ? 44 : 0);
    if (c.flash > 0) {
      icon(0)->PaintFrame(g, c.cell + 1, 155, padY, 0, 70);
    } else if (c.matchState == 12) {
      icon(1)->PaintFrame(g, 0, 155, padY, 0, 30);
    } else {
      icon(0)->PaintFrame(g, 0, 155, padY, 0, 70);
    }
    EXPECT_EQ(pad, screen());
    EXPECT_EQ(CGame::padFlash, c.flash > 0 ? c.flash - 1 : 0);
  }
  insetFrame(false);
}

// While the inset shows, the menu button it stands aside for does not take a touch either.
TEST_F(VirtualPadTest, TheMenuButtonTakesNoTouchWhileTheInsetShows) {
  CTennis::matchState = 5;
  CTennis::leftSoftKeyText = 39;
  CTennis::rightSoftKeyText = -1;
  ASSERT_TRUE(CGame::isInGameMenuValid());
  for (const bool inset : {true, false}) {
    SCOPED_TRACE(inset);
    insetFrame(inset);
    CGame::key_resetKey();
    touchOnly();
    CGame::releaseX = 740;
    CGame::releaseY = 40;
    CGame::UpdateVirtualPad();
    EXPECT_EQ(CGame::keysPressed == CGame::kKeyMenuButton, !inset);
  }
  insetFrame(false);
}

// One menu button at a time: while the pad shows, its own button is the menu and the soft-key
// bar leaves out its menu icon (which lay under the pad's lower left keys); without the pad
// the icon shows.
TEST_F(PadPictureTest, TheSoftKeyBarLeavesTheMenuIconToThePad) {
  CTennis::leftSoftKeyText = 39;
  CTennis::rightSoftKeyText = -1;
  for (const auto& [matchState, padShown] : {std::pair{5, true}, std::pair{1, false}}) {
    SCOPED_TRACE(matchState);
    CTennis::matchState = matchState;
    ASSERT_EQ(!CGame::isAllVirtualKeyDisabled(), padShown);
    clear();
    const std::vector<uint16_t> blank = screen();
    CTennis::drawSoftKeyBar(false);
    EXPECT_EQ(screen() == blank, padShown);
  }
}

TEST_F(PadPictureTest, TheShippedSpritesCarryThePadAndKeyFrames) {
  struct Case {
    ASprite* sprite;
    int32_t frames;
  };
  ASprite* buttons = CGame::GetAnimationIDByClass(14);
  for (const Case& c : {Case{icon(0), 21}, Case{icon(1), 12}, Case{icon(2), 31}, Case{buttons, 31}}) {
    ASSERT_FALSE(isNull(c.sprite));
    EXPECT_GE(c.sprite->frameFModuleCount->length, c.frames);
  }
  EXPECT_GE(buttons->GetAFrames(11), 2);
}

TEST_F(PadPictureTest, TheKeysPictureShowsTheKeysAsked) {
  setState(6);
  auto draw = [](bool five, bool sides) {
    clear();
    CGame::drawControlsIcon(400, 240, 1, 70, -70, 0, 70, five, sides);
    return screen();
  };
  const std::vector<uint16_t> eight = draw(false, false);
  EXPECT_NE(eight, draw(true, false));
  clear();
  ASSERT_FALSE(eight == screen());
  // Only the side keys: the top row stays empty.
  draw(false, true);
  EXPECT_TRUE(blank(300, 140, 200, 60));
  EXPECT_FALSE(blank(0, 0, CGame::kGameWidth, CGame::kGameHeight));
}

// Kind 0 draws frame 22 + i of the match's key sprite, ringing the key held down (or the
// pad's key while it flashes) in the keys' colour; the other kinds draw the menus' sprite and
// ring nothing. Each picture against the frames painted by hand.
TEST_F(PadPictureTest, TheKeysPictureTakesItsSpriteByKindAndRingsTheChosenKey) {
  struct Case {
    const char* what;
    int32_t kind, held, flash, lastKey;
    int32_t ringedCell;  // -1 none
  };
  const Case cases[] = {
      {"kind 0, nothing chosen", 0, 0, 0, 0, -1},
      {"kind 0, key 3 held", 0, 1 << 3, 0, 0, 2},
      {"kind 0, the pad's key 9 flashing", 0, 0, 3, 57, 8},
      {"kind 0, the pad's flash over", 0, 0, 0, 57, -1},
      {"kind 1, key 3 held", 1, 1 << 3, 0, 0, -1},
  };
  constexpr int32_t kX = 400, kY = 240, kStep = 90;
  const int32_t rows[3] = {-kStep, 0, kStep};
  Graphics* g = CGame::backBufferGraphics;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGame::keysHeld = c.held;
    CGame::padFlash = c.flash;
    CGame::padLastKey = c.lastKey;
    clear();
    CGame::drawControlsIcon(kX, kY, c.kind, kStep, rows[0], rows[1], rows[2], false, false);
    const std::vector<uint16_t> drawn = screen();
    EXPECT_EQ(CGame::backBufferGraphics->getColor() & 0xFFFFFF, 0xFFAD15) << "left for the hint's circle";
    clear();
    ASprite* keys = c.kind == 0 ? icon(2) : CGame::GetAnimationIDByClass(14);
    IntArray* box = Array::newIntArray(4);
    for (int32_t i = 0; i < 9; i++) {
      if (i == 4) continue;
      const int32_t kx = kX + (i % 3 - 1) * kStep, ky = kY + rows[i / 3], frame = c.kind == 1 ? 22 : 22 + i;
      keys->PaintFrame(g, frame, kx, ky, 0, -1);
      if (i != c.ringedCell) continue;
      keys->GetFrameRect(box, frame, kx, ky, 0);
      const int32_t l = aload(box, 0) - 2, t = aload(box, 1) - 2, r = aload(box, 2) + 2, b = aload(box, 3) + 2;
      g->setColor(0xFFAD15);
      g->drawRect(l, t, r - l - 1, b - t - 1);
      g->drawRect(l + 1, t + 1, r - l - 3, b - t - 3);
    }
    EXPECT_EQ(drawn, screen());
  }
  CGame::keysHeld = 0;
  CGame::padFlash = 0;
}

}  // namespace
}  // namespace sorv::test
