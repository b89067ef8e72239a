// The menu engine's state: the current screen and its entry list, the cursor and scrolled
// window, the menu stack, and keyboard navigation over a menu or a given list.
#include <cstdint>

#include "game/cae.h"
#include "game/cgame.h"
#include "menus/menu_record.h"
#include "menus/row_tap.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "tools/data/menu_screens.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CGame::menuScreenCode = -1;
StaticRef<IntArray> CGame::menuItems;
int32_t CGame::menuLabelNum = 0;
int32_t CGame::menuCursor = 0;
int32_t CGame::menuScroll = 0;
int32_t CGame::rosterFirst0 = 0;
int32_t CGame::rosterFirst1 = 0;
int32_t CGame::menuDepth = 0;
int32_t CGame::menuStackScreen[kMenuStackLevels] = {};
int32_t CGame::menuStackCursor[kMenuStackLevels] = {};
int32_t CGame::menuStackFirst[kMenuStackLevels] = {};
int32_t CGame::menuState = 0;
int32_t CGame::menuPrevState = 0;
int32_t CGame::menuPrevCursor = 0;
int32_t CGame::menuFrames = 0;
int32_t CGame::menuMoveFrames = 0;
int32_t CGame::menuPaintCount = 0;
int32_t CGame::menuSavedScroll1 = 0;
int32_t CGame::menuSavedScroll12 = 0;
int32_t CGame::setupFirstRow = 0;
int32_t CGame::lastNavKey = 0;
int32_t CGame::menuHighlightText = -1;
int32_t CGame::aboutCounter = 0;
int32_t CGame::aboutMarker = -1;
bool CGame::menuNeedReflash = false;
int32_t CGame::pickedAvatars[4] = {-1, -1, -1, -1};
int32_t CGame::pickIndex = 0;
int32_t CGame::mainMenuDelay = -1;
int32_t CGame::panelCounter = -1;
int32_t CGame::panelX = 0;
int32_t CGame::panelY = 0;

namespace {

constexpr int32_t kSavedLevels = CGame::kMenuStackLevels - 1;
constexpr int32_t kMainMenuScreen = 1, kRecordsScreen = 12;
constexpr int32_t kSetupScreen = 7, kInGameSetupScreen = 34;
constexpr int32_t kPanelMenu = 5, kPanelItem = 11, kPanelFrames = 84;
constexpr int32_t kPrevVertical = 0x2004, kNextVertical = 0x1100;
constexpr int32_t kPrevHorizontal = 0x4010, kNextHorizontal = 0x8040;

IntArray* preparedList(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(std::size(kPreparedLists))) return nullptr;
  const PreparedList& source = kPreparedLists[index];
  IntArray* list = Array::newIntArray(source.count);
  if (isNull(list)) return nullptr;
  for (int32_t i = 0; i < source.count; i++) list->elements()[i] = source.ids[i];
  return list;
}

IntArray* withoutLast(IntArray* list) {
  if (isNull(list) || list->length < 2) return nullptr;
  IntArray* shorter = Array::newIntArray(list->length - 1);
  if (isNull(shorter)) return nullptr;
  for (int32_t i = 0; i < shorter->length; i++) shorter->elements()[i] = list->elements()[i];
  return shorter;
}

int32_t mainMenuId() {
  const bool vip = IGP::isZVipAvailable(), promo = IGP::IsAvailable();
  return vip && promo ? kMainMenus[2] : vip ? kMainMenus[3] : promo ? kMainMenus[1] : kMainMenus[0];
}

}  // namespace

IntArray* CGame::getMenuString(int32_t screen) {
  SORV_FRAME("CGame.getMenuString(I)[I");
  if (screen < 0 || screen >= kScreenCount) return nullptr;
  const ScreenSource& source = kScreenTable[static_cast<size_t>(screen)];
  switch (source.kind) {
    case ScreenList::kPrepared: return preparedList(source.value);
    case ScreenList::kMenu: return MenuGetMenuItemList(source.value);
    case ScreenList::kMenuButLast: return withoutLast(MenuGetMenuItemList(source.value));
    case ScreenList::kMainMenu: return MenuGetMenuItemList(mainMenuId());
    case ScreenList::kNone: return nullptr;
  }
  return nullptr;
}

void CGame::ConfigMenu(int32_t screen) {
  SORV_FRAME("CGame.ConfigMenu(I)V");
  menuCursor = 0;
  rosterFirst0 = rosterFirst1 = 0;
  menuScreenCode = screen;
  menuItems = getMenuString(screen);
  if (screen == kMainMenuScreen) {
    const int32_t at = GetMenuItemPosition(kPanelMenu, kPanelItem);
    panelX = static_cast<int16_t>(at);
    panelY = at >> 16;
    panelCounter = kPanelFrames;
    mainMenuDelay = -1;
  }
}

void CGame::SetMenu(int32_t screen) {
  SORV_FRAME("CGame.SetMenu(I)V");
  key_resetKey();
  ConfigMenu(screen);
  menuDepth = 0;
}

void CGame::MenuPush(int32_t screen) {
  SORV_FRAME("CGame.MenuPush(I)V");
  key_resetKey();
  repaintAll = true;
  row_tap::end();  // a tap left pending fires on no screen of the new one
  // A full stack switches the screen without saving the one below.
  if (menuDepth < kSavedLevels) {
    menuStackScreen[menuDepth] = menuScreenCode;
    menuStackCursor[menuDepth] = menuCursor;
    menuStackFirst[menuDepth] = rosterFirst0;
    menuDepth++;
  }
  ConfigMenu(screen);
  menuScroll = 0;
}

void CGame::MenuPop() {
  SORV_FRAME("CGame.MenuPop()V");
  repaintAll = true;
  key_resetKey();
  row_tap::end();
  if (menuDepth > 0) {
    menuDepth--;
    ConfigMenu(menuStackScreen[menuDepth]);
    menuCursor = menuStackCursor[menuDepth];
    rosterFirst0 = rosterFirst1 = menuStackFirst[menuDepth];
  }
  for (int32_t& picked : pickedAvatars) picked = -1;
  pickIndex = 0;
  Set_MenuItem_StartOff();
}

void CGame::MenuClear() {
  menuCursor = 0;
  rosterFirst0 = rosterFirst1 = 0;
  menuItems = nullptr;
  menuScreenCode = -1;
  menuDepth = 0;
}

int32_t CGame::getParentMenu() { return menuDepth > 0 ? menuStackScreen[menuDepth - 1] : -1; }

int32_t CGame::getParentMenuId() { return menuDepth > 0 ? menuStackCursor[menuDepth - 1] : -1; }

void CGame::SetMenuLevel(int32_t state, int32_t cursor) {
  menuPrevState = menuState;
  menuPrevCursor = menuCursor;
  menuState = state;
  menuCursor = cursor;
  menuScroll = 0;
  menuLabelNum = 0;
  menuFrames = menuMoveFrames = 0;
  menuPaintCount = 0;
  menuHighlightText = -1;
  aboutCounter = 0;
  aboutMarker = -1;
  setMenuNeedReflash();
}

void CGame::setMenuNeedReflash() { menuNeedReflash = true; }

int32_t CGame::MenuGetHighLightItem() { return menuCursor + menuScroll; }

void CGame::MenuProcessInput(int32_t menu, IntArray* list, int32_t direction, bool enabled) {
  SORV_FRAME("CGame.MenuProcessInput(I[IIZ)V");
  if (keysPressed == 0 || !enabled) return;
  const int32_t o = MenuOffset(menu);
  if (o < 0) return;
  const int8_t* b = menuData->elements();
  const int32_t labelNum = b[o + menu_record::kLabels] + 1;
  const int32_t rows = b[o + menu_record::kRows] + 1;
  menuLabelNum = labelNum;
  int32_t count = 0;
  bool hasList = !isNull(list);
  if (hasList) {
    // The records list takes CAE's 16 values and shows records 0 to 14: slot 15 (the serve
    // record in the other unit) is never a position.
    count = list == CAE::achiRecords.get() ? list->length - 1 : list->length;
  } else if (IntArray* ids = GetMenu(menu); !isNull(ids)) {
    hasList = true;
    count = ids->length - 1;  // after the list header
  }
  const bool scrolling = hasList && rows < count;
  int32_t prev = -1, next = -1;
  if (direction == 0) {
    prev = kPrevVertical;
    next = kNextVertical;
  } else if (direction == 1) {
    prev = kPrevHorizontal;
    next = kNextHorizontal;
  }
  int32_t positions = labelNum;
  if (!scrolling && hasList) positions = rows < count ? rows : count;
  // With no positions (a label count of 0, an empty list) nothing moves: the steps below
  // would divide by zero.
  bool moved = false, handled = false;
  if ((keysPressed & prev) != 0) {
    handled = true;
    if (scrolling && menuCursor == 0) {
      if (menuScroll > 0) {
        menuScroll = (menuScroll + count - 1) % count;
        moved = true;
      }
    } else if (positions > 0) {
      menuCursor = (menuCursor + positions - 1) % positions;
      moved = true;
    }
  } else if ((keysPressed & next) != 0) {
    handled = true;
    if (scrolling && menuCursor >= labelNum - 1) {
      if (menuScroll < count - labelNum) {
        menuScroll = (menuScroll + count + 1) % count;
        moved = true;
      }
    } else if (positions > 0) {
      menuCursor = (menuCursor + positions + 1) % positions;
      moved = true;
    }
  }
  if (handled) {
    key_resetKey();
    scrollStringX = kTickerRestart;
    if (moved) menuMoveFrames = 0;
  }
  Backup_MenuItem_StartOff();
}

void CGame::Backup_MenuItem_StartOff() {
  if (menuScreenCode == kMainMenuScreen) menuSavedScroll1 = menuScroll;
  if (menuScreenCode == kRecordsScreen) menuSavedScroll12 = menuScroll;
}

void CGame::Set_MenuItem_StartOff() {
  switch (menuScreenCode) {
    case kMainMenuScreen: menuScroll = menuSavedScroll1; break;
    case kRecordsScreen: menuScroll = menuSavedScroll12; break;
    case kSetupScreen:
    case kInGameSetupScreen: setupFirstRow = 0; break;
    default: menuScroll = 0; break;
  }
}

// The two-row window of the set-up screens follows the cursor one row at a time.
void CGame::Calc_my_start_off() {
  if ((lastNavKey & kNextVertical) != 0) {
    if (setupFirstRow + 2 <= menuCursor) setupFirstRow++;
  } else if ((lastNavKey & kPrevVertical) != 0) {
    if (setupFirstRow > menuCursor) setupFirstRow--;
  }
}

}  // namespace sorv
