// The per-screen update and paint of the menu states, and the two training choice lists
// (game, then level), which stop at both ends.
#include <algorithm>
#include <cstdint>

#include "device/sound_glue.h"
#include "game/cgame.h"
#include "menus/menu_paint.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "training/ctraining.h"

namespace sorv {

namespace {

constexpr int32_t kGameList = 5, kLevelList = 6;
constexpr int32_t kPrevKeys = 0x2004, kNextKeys = 0x1100, kSelectKeys = 0x50020, kBackKey = 0x20000;
constexpr int32_t kFirstTrainingText = 15;
constexpr int32_t kCheatMenuState = 31, kTrainingLoadState = 43;
constexpr int32_t kGameTitle = 14, kLevelTitle = 20, kLeftLabel = 10, kRightLabel = 11;
constexpr int32_t kRowY = 110, kRowStep = 20;
constexpr int32_t kRowMenu = 12, kRowBackItem = 0;
constexpr int32_t kBarColour = 0x331FB7, kBarY = 285, kBarHeight = 13, kBarAlpha = 70;

int32_t lastEntry(int32_t screen) {
  if (screen == kLevelList) return std::min<int32_t>(CTraining::unlockedLevel, CTraining::kLevelCount - 1);
  IntArray* entries = CGame::menuItems.get();
  return isNull(entries) ? -1 : entries->length - 1;
}

int32_t lastEntryOf() { return lastEntry(CGame::menuScreenCode); }
int32_t xOfPair(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOfPair(int32_t packed) { return packed >> 16; }

// Rows step by the style-0 row's height: the 20 pixels of the list would overlap its rows.
int32_t rowStep() {
  return std::max(kRowStep, yOfPair(CGame::GetMenuItemSize(kRowMenu, kRowBackItem)));
}

// A press or drag on a row moves the cursor there, a release on it selects it.
bool rowReleased() {
  IntArray* entries = CGame::menuItems.get();
  const int32_t count = std::min(isNull(entries) ? 0 : entries->length, lastEntryOf() + 1);
  const int32_t w = xOfPair(CGame::GetMenuItemSize(kRowMenu, kRowBackItem)), h = rowStep();
  for (int32_t i = 0; i < count; i++) {
    const int32_t y = kRowY + rowStep() * i;
    if ((CGame::pointerDown && CGame::isPointerClickedInBox(0, y, w, h, false)) ||
        CGame::isPointerDraggingInBox(0, y, w, h, false)) {
      CGame::menuCursor = i;
    }
    if (CGame::isPointerReleasedInBox(0, y, w, h, true)) {
      CGame::menuCursor = i;
      return true;
    }
  }
  return false;
}

void updateTrainingList(int32_t screen) {
  const int32_t keys = rowReleased() ? kSelectKeys : CGame::keysPressed;
  if ((keys & kPrevKeys) != 0) {
    if (CGame::menuCursor > 0) CGame::menuCursor--;
  } else if ((keys & kNextKeys) != 0) {
    if (CGame::menuCursor < lastEntry(screen)) CGame::menuCursor++;
  } else if ((keys & kSelectKeys) != 0) {
    if (screen == kGameList) {
      IntArray* entries = CGame::menuItems.get();
      if (isNull(entries) || CGame::menuCursor < 0 || CGame::menuCursor >= entries->length) return;
      CTraining::selectGame(static_cast<int8_t>(entries->elements()[CGame::menuCursor] - kFirstTrainingText));
      CGame::MenuPush(kLevelList);
      CGame::PUSH_STATE(kCheatMenuState);
    } else {
      CTraining::selectLevel(static_cast<int8_t>(CGame::menuCursor));
      CGame::PUSH_STATE(kTrainingLoadState);
      GameSound::stopAll();
    }
  } else if ((keys & kBackKey) != 0) {
    CGame::MenuPop();
    CGame::POP_STATE();
  }
}

void paintTrainingList(int32_t screen) {
  CGame::drawInterfaceBk(CGame::GetString(2, screen == kGameList ? kGameTitle : kLevelTitle), kLeftLabel,
                          kRightLabel);
  IntArray* entries = CGame::menuItems.get();
  const int32_t count = isNull(entries) ? 0 : entries->length;
  for (int32_t i = 0; i < count; i++) {
    CGame::drawMenuItem(2, CGame::menuItems->elements()[i], -1, kRowY + rowStep() * i, 0, i == CGame::menuCursor);
  }
  CGame::fillRect(CGame::GetMenuGfx(), kBarColour, 0, kBarY, CGame::kGameWidth, kBarHeight, kBarAlpha);
}

}  // namespace

void CGame::MenuUpdate() {
  SORV_FRAME("CGame.MenuUpdate()V");
  switch (menuScreenCode) {
    case 1: case 50: MenuUpdate_mainmenu(); break;
    case 2: MenuUpdate_option(); break;
    case 4: case 26: case 27: updateIGM(); break;
    case kGameList: case kLevelList: updateTrainingList(menuScreenCode); break;
    case 11: case 60: case 61: MenuUpdate_Load(); break;
    default: break;
  }
}

void CGame::MenuPaint() {
  SORV_FRAME("CGame.MenuPaint()V");
  switch (menuScreenCode) {
    case 1: case 50: MenuPaint_MainMenu(GetMenuGfx(), 80, 94, 150, 120); break;
    case 2: MenuPaint_option(); break;
    case 4: MenuPaint_Help(); break;
    case kGameList: case kLevelList: paintTrainingList(menuScreenCode); break;
    case 11: case 60: case 61: case 62: MenuPaint_Load(); break;
    case 26: drawControlsHelp(); break;
    case 27: drawSkillsHelp(); break;
    default: break;
  }
}

}  // namespace sorv
