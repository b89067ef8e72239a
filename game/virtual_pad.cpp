// The on-screen pad of a match or training: eight direction cells that press the digit keys
// around 5, the OK, lob and in-game menu buttons, when each of them counts, and the keys
// picture of the help and pause screens.
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"

namespace sorv {

namespace {

constexpr int32_t kMatchState = 40, kTrainingState = 44;
constexpr int32_t kRaisedPadOffset = 44;
constexpr int32_t kCellSize = 100, kCentreCell = 4;
constexpr int32_t kKey0 = 48, kKey1 = 49, kKey5 = 53;
constexpr int32_t kPadFlashFrames = 5;
constexpr int32_t kPadSprite = 0, kPressedPadSprite = 1, kKeySprite = 2;
constexpr int32_t kOpaque70 = 70, kOpaque30 = 30;
constexpr int32_t kButtonBox = 150;
constexpr int32_t kOkBoxX = 625, kOkBoxY = 305, kLobBoxX = 650, kLobBoxY = 190, kMenuBoxX = 665, kMenuBoxY = -35;
constexpr int32_t kOkX = 700, kOkY = 380, kLobX = 725, kLobY = 265, kMenuX = 740, kMenuY = 40;
constexpr int32_t kOkFrame = 10, kLobFrame = 11, kMenuFrame = 12;
constexpr int32_t kOkTouched = 16, kLobTouched = 17, kMenuTouched = 18;
constexpr int32_t kPadX = 155, kPadY = 350, kTrainingPadY = 306;
constexpr int32_t kTutorialPadFrame = 19, kWaitingPadFrame = 20;
constexpr int32_t kFirstKeyFrame = 22;
constexpr int32_t kKeysColour = 0xFFAD15;
constexpr int32_t kKeyRing = 2;  // pixels between a chosen key and its ring
constexpr int32_t kKeysLayoutMenu = 31, kKeysFrameItem = 34, kKeysCaptionItem = 35;
constexpr int32_t kButtonClass = 14;

ASprite* iconSprite(int32_t entry) {
  ObjectArray* icons = CGame::menuIconSprites.get();
  if (isNull(icons) || entry >= icons->length) return nullptr;
  return static_cast<ASprite*>(icons->elements()[entry]);
}

void paintFrame(ASprite* sprite, int32_t frame, int32_t x, int32_t y, int32_t alpha) {
  Graphics* g = CGame::gfx.get();
  if (isNull(g) || isNull(sprite) || isNull(sprite->frameFModuleCount) || frame < 0 ||
      frame >= sprite->frameFModuleCount->length) {
    return;
  }
  sprite->PaintFrame(g, frame, x, y, 0, alpha);
}

// The cell (0..8) of the digit key 1..9 the player holds down, or of the pad's key while its
// flash lasts; -1 for none.
int32_t chosenKeyCell() {
  for (int32_t cell = 0; cell < 9; cell++) {
    if ((CGame::keysHeld & (1 << (cell + 1))) != 0) return cell;
  }
  const int32_t last = CGame::padLastKey;
  return CGame::padFlash > 0 && last >= kKey1 && last < kKey1 + 9 ? last - kKey1 : -1;
}

// The chosen key's frame ringed in the current colour.
void outlineFrame(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  Graphics* g = CGame::gfx.get();
  if (isNull(g) || isNull(sprite) || isNull(sprite->frameFModuleCount) || frame < 0 ||
      frame >= sprite->frameFModuleCount->length) {
    return;
  }
  IntArray* box = Array::newIntArray(4);
  if (isNull(box)) return;
  sprite->GetFrameRect(box, frame, x, y, 0);
  const int32_t left = aload(box, 0), top = aload(box, 1), right = aload(box, 2), bottom = aload(box, 3);
  if (right <= left || bottom <= top) return;
  g->drawRect(left - kKeyRing, top - kKeyRing, right - left + 2 * kKeyRing - 1, bottom - top + 2 * kKeyRing - 1);
  g->drawRect(left - kKeyRing + 1, top - kKeyRing + 1, right - left + 2 * kKeyRing - 3, bottom - top + 2 * kKeyRing - 3);
}

// The menu button stands aside while the close-call inset, which it would cover, shows.
bool menuButtonShown() { return !(CGame::GET_CURRENT_STATE() == kMatchState && CTennis::insetShown); }

// While a challenge is offered the direction keys count for nothing: the pad shows dimmed, as
// it does while a button is held, and the offer's question reads through it.
bool directionsIdle() { return CGame::GET_CURRENT_STATE() == kMatchState && CTennis::matchState == CTennis::kStateChallenge; }

bool servingOpponent() {
  CPlayer* server = CTennis::server.get();
  return !isNull(server) && server == CTennis::rival.get();
}

void press(int32_t key) {
  if (CGame* canvas = CGame::gameCanvas.get(); !isNull(canvas)) canvas->keyPressed(key);
}

void release(int32_t key) {
  if (CGame* canvas = CGame::gameCanvas.get(); !isNull(canvas)) canvas->keyReleased(key);
}

void pressCell(int32_t cell, int32_t key) {
  CGame::padOkDown = true;
  CGame::padLobDown = CGame::padOkPressed = false;
  press(key);
  CGame::padFlash = kPadFlashFrames;
  CGame::padLastKey = CGame::padKeyHeld = key;
  CGame::padLastCell = cell;
}

bool buttonTouched(int32_t x, int32_t y) {
  return CGame::isPointerClickedInBox(x, y, kButtonBox, kButtonBox, false) ||
         CGame::isPointerDraggingInBox(x, y, kButtonBox, kButtonBox, false);
}

void drawButton(int32_t frame, int32_t touchedFrame, int32_t x, int32_t y, int32_t boxX, int32_t boxY, bool held) {
  if (held) {
    paintFrame(iconSprite(kPressedPadSprite), frame, x, y, kOpaque30);
  } else {
    paintFrame(iconSprite(kPadSprite), frame, x, y, kOpaque70);
    CGame::padOkDown = CGame::padLobDown = CGame::padOkPressed = false;
  }
  if (buttonTouched(boxX, boxY)) {
    paintFrame(iconSprite(kPadSprite), touchedFrame, x, y, kOpaque70);
    CGame::padOkPressed = true;
  }
}

}  // namespace

bool CGame::isNeedTriningVirtualPad() {
  if (CTennis::matchState != 11) return false;
  if (CTennis::tutorialKind == 1 && CTennis::getTutMiniStep() == 3) return true;
  return !CTennis::isTutorialFlagSet() && CTennis::getUserActionState() == 6 && CTennis::getUserActionFlag() != 0 &&
         servingOpponent();
}

bool CGame::isVirtualKeyOKValid() {
  if (GET_CURRENT_STATE() == kTrainingState) return true;
  return CTennis::matchState == 2 && !CTennis::serveFlag && !isNull(CTennis::server) && !servingOpponent();
}

bool CGame::isVirtualKeyLobValid() {
  if (CTennis::raisedPad && CTennis::tutorialKind != 4) return false;
  const int32_t flag = CTennis::getUserActionFlag();
  return flag == 1 || flag == 2 || CTennis::matchState == 12;
}

bool CGame::isAllVirtualKeyDisabled() {
  if (isNeedTriningVirtualPad()) return false;
  const int32_t s = CTennis::matchState;
  const bool playing = s != 1 && s != 7 && s != 8 && !(s == 2 && CTennis::serveFlag);
  if (playing && isInGameMenuValid()) return false;
  return s != 12;
}

void CGame::UpdateVirtualPad() {
  SORV_FRAME("CGame.UpdateVirtualPad()V");
  if (isAllVirtualKeyDisabled()) return;
  ObjectArray* cells = padCells.get();
  for (int32_t i = 0; !isNull(cells) && i < kPadCells && i < cells->length; i++) {
    if (i == kCentreCell) continue;
    auto* corner = static_cast<IntArray*>(cells->elements()[i]);
    if (isNull(corner) || corner->length < 2) continue;
    const int32_t cx = corner->elements()[0], cy = corner->elements()[1] - padYOffset;
    const int32_t key = kKey1 + i;
    if (isPointerReleasedInBox(cx, cy, kCellSize, kCellSize, true)) {
      release(key);
      release(padLastKey);
    }
    if (isPointerClickedInBox(cx, cy, kCellSize, kCellSize, false)) pressCell(i, key);
    if (isPointerDraggingInBox(cx, cy, kCellSize, kCellSize, false)) {
      // Sliding into another cell lets go of the old key before the new one goes down.
      if (padLastKey != key) release(padLastKey);
      pressCell(i, key);
      pressX = -1;
    }
  }
  if (isVirtualKeyOKValid() && isPointerReleasedInBox(kOkBoxX, kOkBoxY, kButtonBox, kButtonBox, true)) {
    press(kKey5);
    release(kKey5);
  }
  if (isVirtualKeyLobValid() && isPointerReleasedInBox(kLobBoxX, kLobBoxY, kButtonBox, kButtonBox, true)) {
    press(kKey0);
    release(kKey0);
  }
  if (isInGameMenuValid() && menuButtonShown() &&
      isPointerReleasedInBox(kMenuBoxX, kMenuBoxY, kButtonBox, kButtonBox, true)) {
    keysPressed = kKeyMenuButton;
    menuScroll = 0;
  }
}

void CGame::paintTrainingPad() {
  if (CTennis::matchState != 11) return;
  if (CTennis::getUserActionState() == 6 && CTennis::getUserActionFlag() == 0) {
    paintFrame(iconSprite(kPadSprite), kWaitingPadFrame, kPadX, kTrainingPadY, kOpaque70);
  }
  if (CTennis::tutorialKind == 1 && CTennis::getTutMiniStep() == 1) {
    paintFrame(iconSprite(kPadSprite), kTutorialPadFrame, kPadX, kTrainingPadY, kOpaque70);
  }
}

void CGame::DrawVirtualPad() {
  SORV_FRAME("CGame.DrawVirtualPad()V");
  paintTrainingPad();
  if (isAllVirtualKeyDisabled()) return;
  padYOffset = CTennis::raisedPad ? kRaisedPadOffset : 0;
  const bool held = padOkDown || padLobDown;
  drawButton(kOkFrame, kOkTouched, kOkX, kOkY, kOkBoxX, kOkBoxY, held);
  drawButton(kLobFrame, kLobTouched, kLobX, kLobY, kLobBoxX, kLobBoxY, held);
  if (menuButtonShown()) {
    const bool menuTouched = buttonTouched(kMenuBoxX, kMenuBoxY);
    paintFrame(iconSprite(kPadSprite), menuTouched ? kMenuTouched : kMenuFrame, kMenuX, kMenuY, kOpaque70);
  }
  const int32_t padY = kPadY - padYOffset;
  if (padFlash > 0) {
    paintFrame(iconSprite(kPadSprite), padLastCell + 1, kPadX, padY, kOpaque70);
    // The still a pause paints of the match shows the flash without using up its frame.
    if (!paintingIntoBuffer) padFlash--;
  } else if (held || directionsIdle()) {
    paintFrame(iconSprite(kPressedPadSprite), 0, kPadX, padY, kOpaque30);
  } else {
    paintFrame(iconSprite(kPadSprite), 0, kPadX, padY, kOpaque70);
  }
}

void CGame::drawControlsIcon(int32_t x, int32_t y, int32_t kind, int32_t spacing, int32_t row0, int32_t row1,
                             int32_t row2, bool showKey5, bool onlySides) {
  SORV_FRAME("CGame.drawControlsIcon(IIIIIIIZZ)V");
  const int32_t state = GET_CURRENT_STATE();
  const bool inMatch = state == kMatchState || state == kTrainingState;
  if ((kind == 0 && !inMatch) || kind == 2) {
    DrawFrameAsItem(-1, -1, kKeysLayoutMenu, kKeysFrameItem, false);
    DrawStringAsItem(nullptr, kKeysLayoutMenu, kKeysCaptionItem, false);
  }
  Graphics* g = gfx.get();
  if (!isNull(g)) g->setColor(kKeysColour);
  // The key picture of the match for kind 0, the menus' for the others.
  ASprite* keys = kind == 0 ? iconSprite(kKeySprite) : GetAnimationIDByClass(kButtonClass);
  const int32_t chosen = kind == 0 ? chosenKeyCell() : -1;
  const int32_t rows[3] = {row0, row1, row2};
  for (int32_t i = 0; i < 9; i++) {
    const bool side = i == 3 || i == 5;
    if ((i == kCentreCell && !showKey5) || (onlySides && !side)) continue;
    const int32_t kx = x + (i % 3 - 1) * spacing, ky = y + rows[i / 3];
    const int32_t frame = kind == 1 ? kFirstKeyFrame : kFirstKeyFrame + i;
    paintFrame(keys, frame, kx, ky, -1);
    if (i == chosen) outlineFrame(keys, frame, kx, ky);
  }
}

}  // namespace sorv
