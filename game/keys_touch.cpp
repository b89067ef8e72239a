// Keys and touch: MIDP key codes into the game's four key masks, stylus points into game
// coordinates, the box tests that screens hit-test with, and the per-frame touch step.
#include <cstdlib>

#include "game/cgame.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"

namespace sorv {

int32_t CGame::keysPressed = 0;
int32_t CGame::keysHeld = 0;
int32_t CGame::keysReleased = 0;
int32_t CGame::keysReleasedHeld = 0;
bool CGame::keyInputOn = false;
bool CGame::pointerDown = false;
bool CGame::dragging = false;
int32_t CGame::pressX = -1;
int32_t CGame::pressY = -1;
int32_t CGame::releaseX = -1;
int32_t CGame::releaseY = -1;
int32_t CGame::dragX = -1;
int32_t CGame::dragY = -1;
int32_t CGame::dragDX = 0;
int32_t CGame::dragDY = 0;
int32_t CGame::dragDir = 0;
int64_t CGame::pressTime = -1;
int32_t CGame::padKeyHeld = CGame::kNoPadKey;
bool CGame::padOkDown = false;
bool CGame::padLobDown = false;
bool CGame::padOkPressed = false;
bool CGame::leftSoftKeyOff = false;

namespace {

constexpr int32_t kSoftLeft = -6;
constexpr int32_t kSoftRight = -7;
constexpr int32_t kFire = -5;
constexpr int32_t kUp = -1;
constexpr int32_t kKey5 = 53;
constexpr int32_t kSoundQuestionState = 2;
constexpr int32_t kTitleState = 3;
constexpr int32_t kMatchState = 40;
constexpr int32_t kTrainingState = 44;
constexpr int32_t kPromoState = 58;
constexpr int32_t kPromoSecondState = 64;
// The menu engine's screen code on which the soft keys are not taken.
constexpr int32_t kNoSoftKeyScreen = 1;

struct KeyBit {
  int32_t code;
  int32_t bit;
};

constexpr KeyBit kKeyTable[] = {
    {35, 0x400},    {42, 0x800},    {-1, 0x4000},   {-2, 0x8000},   {-3, 0x1000},
    {-4, 0x2000},   {-5, 0x10000},  {-6, 0x40000},  {-7, 0x20000},
};

bool isSoftKey(int32_t code) { return code == kSoftLeft || code == kSoftRight; }

bool inPromoScreen() {
  const int32_t state = CGame::GET_CURRENT_STATE();
  return state == kPromoState || state == kPromoSecondState;
}

// The stylus's panel point (x, y) is game point (y, 480 - x).
void toGamePoint(int32_t x, int32_t y, int32_t& gx, int32_t& gy) {
  gx = y;
  gy = CGame::kGameHeight - x;
}

bool inBox(int32_t px, int32_t py, int32_t x, int32_t y, int32_t w, int32_t h) {
  return px >= x && px <= x + w && py >= y && py <= y + h;
}

// Direction of a drag vector: 0 left, 1 right, 2 up, 3 down; unchanged when an axis is 0.
int32_t directionOf(int32_t dx, int32_t dy, int32_t previous) {
  if (dx > 0 && dy > 0) return dx > dy ? 1 : 3;
  if (dx > 0 && dy < 0) return dx <= -dy ? 2 : 1;
  if (dx < 0 && dy > 0) return -dx > dy ? 0 : 3;
  if (dx < 0 && dy < 0) return dx > dy ? 2 : 0;
  return previous;
}

}  // namespace

int32_t CGame::key_keyConvert(int32_t keyCode) {
  if (keyCode >= '0' && keyCode <= '9') return 1 << (keyCode - '0');
  for (const KeyBit& k : kKeyTable) {
    if (k.code == keyCode) return k.bit;
  }
  return 0;
}

namespace {

// Keys not taken: all but the soft keys before the first touch, the phone's d-pad and fire
// (the pad and soft-key boxes make those), and the soft keys where a screen has none.
bool keyRefused(int32_t keyCode) {
  if (!CGame::keyInputOn && !isSoftKey(keyCode)) return true;
  if (keyCode >= kFire && keyCode <= kUp) return true;
  return isSoftKey(keyCode) &&
         (CGame::GET_CURRENT_STATE() == kSoundQuestionState || CGame::menuScreenCode == kNoSoftKeyScreen);
}

void pressKey(int32_t keyCode) {
  if (keyRefused(keyCode)) return;
  const int32_t bit = CGame::key_keyConvert(keyCode);
  // A key already held does not repeat.
  if ((CGame::keysHeld & bit) != 0) return;
  CGame::keysHeld |= bit;
  CGame::keysPressed |= bit;
}

void releaseKey(int32_t keyCode) {
  if (!CGame::keyInputOn && !isSoftKey(keyCode)) return;
  const int32_t bit = CGame::key_keyConvert(keyCode);
  if ((CGame::keysHeld & bit) != 0) CGame::keysReleasedHeld |= bit;
  CGame::keysReleased |= bit;
}

}  // namespace

void CGame::keyPressed(int32_t keyCode) {
  SORV_FRAME("CGame.keyPressed(I)V");
  pressKey(keyCode);
}

void CGame::keyReleased(int32_t keyCode) {
  SORV_FRAME("CGame.keyReleased(I)V");
  releaseKey(keyCode);
}

void CGame::key_updateKey() {
  keysPressed = 0;
  keysHeld &= ~keysReleased;
  keysReleased = 0;
  keysReleasedHeld = 0;
}

void CGame::key_resetKey() {
  keysPressed = 0;
  keysHeld = 0;
  keysReleased = 0;
  keysReleasedHeld = 0;
  releaseX = -1;
  releaseY = -1;
}

void CGame::pointerPressed(int32_t x, int32_t y) {
  SORV_FRAME("CGame.pointerPressed(II)V");
  int32_t gx, gy;
  toGamePoint(x, y, gx, gy);
  pointerDown = true;
  keyInputOn = true;
  if (inPromoScreen()) IGP::pointerPressedIGP(gx, gy);
  releaseX = -1;
  releaseY = -1;
  pressX = gx;
  pressY = gy;
  pressTime = System::currentTimeMillis();
}

void CGame::pointerReleased(int32_t x, int32_t y) {
  SORV_FRAME("CGame.pointerReleased(II)V");
  int32_t gx, gy;
  toGamePoint(x, y, gx, gy);
  pointerDown = false;
  keyInputOn = true;
  if (inPromoScreen()) IGP::pointerReleasedIGP(gx, gy);
  pressX = -1;
  pressY = -1;
  pressTime = -1;
  dragX = -1;
  dragY = -1;
  releaseX = gx;
  releaseY = gy;
  dragDX = 0;
  dragDY = 0;
  dragging = false;
  padOkDown = false;
  padLobDown = false;
  padOkPressed = false;
  releaseKey(padKeyHeld);
  padKeyHeld = kNoPadKey;
}

void CGame::pointerDragged(int32_t x, int32_t y) {
  SORV_FRAME("CGame.pointerDragged(II)V");
  int32_t gx, gy;
  toGamePoint(x, y, gx, gy);
  keyInputOn = true;
  if (inPromoScreen()) IGP::updatePointerDragged(gx, gy);
  if (dragX != -1 || dragY != -1) dragging = true;
  dragX = gx;
  dragY = gy;
}

bool CGame::isPointerReleasedInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume) {
  if (!inBox(releaseX, releaseY, x, y, w, h)) return false;
  if (consume) releaseX = releaseY = -1;
  return true;
}

bool CGame::isPointerClickedInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume) {
  if (!inBox(pressX, pressY, x, y, w, h)) return false;
  if (consume) pressX = -1;
  return true;
}

bool CGame::isPointerDraggingStartInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume) {
  if (!inBox(dragX, dragY, x, y, w, h)) return false;
  if (consume) pressX = pressY = -1;
  return true;
}

bool CGame::isPointerDraggingInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume) {
  if (!inBox(dragX, dragY, x, y, w, h)) return false;
  dragDX = dragX - pressX;
  dragDY = dragY - pressY;
  dragDir = directionOf(dragDX, dragDY, dragDir);
  if (consume) dragX = dragY = -1;
  return true;
}

void CGame::UpdatePointerEvents() {
  SORV_FRAME("CGame.UpdatePointerEvents()V");
  if (softKeysRequested) detectSoftKeys();
  const int32_t state = GET_CURRENT_STATE();
  if (state == kTitleState && isPointerReleasedInBox(0, 0, kGameWidth, kGameHeight, true)) {
    pressKey(kKey5);
    releaseKey(kKey5);
  }
  if (state == kMatchState || state == kTrainingState) UpdateVirtualPad();
  keyInputOn = true;
}

}  // namespace sorv
