// The main menu (screen 1) and its quit question (screen 50): a selection plays the whole
// button animation before its entry runs.
#include <cstdint>
#include <iterator>

#include "game/cgame.h"
#include "game/zentukr09.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/menu_screens.h"

namespace sorv {

namespace {

constexpr int32_t kQuitScreen = 50, kOptionsScreen = 2, kLoadScreen = 11;
constexpr int32_t kOptionsState = 8, kTournamentLoadState = 53, kCareerLoadState = 20;
constexpr int32_t kHistoryState = 10;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000, kLeftSoftKey = 0x40000;
constexpr int32_t kButtonClass = 14, kButtonAnim = 11;
constexpr int32_t kArrowMenu = 5, kUpArrowItem = 25, kDownArrowItem = 26;
constexpr int32_t kDescriptionItem = 9;
constexpr int32_t kFirstDescription = 278, kFirstEntryDescription = 279;
constexpr int32_t kQuitNoLabel = 14, kQuitYesLabel = 13;
constexpr int32_t kQuickMatchEntry = 3, kTournamentEntry = 4, kCareerEntry = 5, kOptionsEntry = 9, kQuitEntry = 13;
constexpr int32_t kAchievementsEntry = 12, kAchievementsScreen = 63, kAchievementsState = 60;
constexpr int32_t kHistoryEntry = 8;
constexpr int32_t kPromoEntry = 272, kPromoScreen = 67, kPromoState = 58;
constexpr int32_t kVipEntry = 273, kVipScreen = 68, kVipState = 64;

int32_t selectDelay() {
  ASprite* buttons = CGame::GetAnimationIDByClass(kButtonClass);
  const int32_t frames = isNull(buttons) ? 0 : buttons->GetAFrames(kButtonAnim);
  // Without the animation the entry runs on the next update rather than never.
  return frames > 0 ? frames - 1 : 0;
}

void runMainMenuEntry(int32_t entry) {
  switch (entry) {
    case kQuickMatchEntry:
      CGame::switchToSelectCourt();
      return;
    case kTournamentEntry:
      // The screen first: the state's enter puts the cursor on a saved tournament.
      CGame::MenuPush(kLoadScreen);
      CGame::PUSH_STATE(kTournamentLoadState);
      return;
    case kCareerEntry:
      // As the tournament's: the state's enter puts the cursor on a saved career.
      CGame::MenuPush(kLoadScreen);
      CGame::PUSH_STATE(kCareerLoadState);
      return;
    case kOptionsEntry:
      CGame::prepareAnimationArrows();
      CGame::MenuPush(kOptionsScreen);
      CGame::PUSH_STATE(kOptionsState);
      return;
    case kHistoryEntry:
      CGame::MenuPush(kHistoryTopicsScreen);
      CGame::PUSH_STATE(kHistoryState);
      return;
    case kQuitEntry:
      CGame::MenuPush(kQuitScreen);
      return;
    case kAchievementsEntry:
      CGame::MenuPush(kAchievementsScreen);
      CGame::PUSH_STATE(kAchievementsState);
      return;
    case kPromoEntry:
    case kVipEntry:
      // The promotion screens take every key themselves; the menu waits for their return.
      CGame::MenuPush(entry == kPromoEntry ? kPromoScreen : kVipScreen);
      CGame::PUSH_STATE(entry == kPromoEntry ? kPromoState : kVipState);
      CGame::mainMenuDelay = -1;
      return;
    default:
      // An entry the menu data names but the game has no screen for does nothing.
      CGame::mainMenuDelay = -1;
      return;
  }
}

void updateQuitQuestion() {
  if ((CGame::keysPressed & kBackKey) != 0) {
    CGame::MenuPop();
  } else if ((CGame::keysPressed & kLeftSoftKey) != 0) {
    ZentuKR09::quitApp();
  }
}

}  // namespace

int32_t CGame::mainMenuDescription(int32_t h) {
  int32_t id = h == 0 ? kFirstEntryDescription : h == 1 ? kFirstDescription : kFirstDescription + h;
  if (h >= 3 && !IGP::IsAvailable() && !IGP::isZVipAvailable()) id++;
  return id;
}

int32_t CGame::highlightedEntry() {
  IntArray* entries = menuItems.get();
  const int32_t h = MenuGetHighLightItem();
  if (isNull(entries) || h < 0 || h >= entries->length) return -1;
  return entries->elements()[h];
}

void CGame::MenuUpdate_mainmenu() {
  SORV_FRAME("CGame.MenuUpdate_mainmenu()V");
  if (menuScreenCode == kQuitScreen) return updateQuitQuestion();
  if (mainMenuDelay < 0) {
    MenuProcessInput(mainMenuCode, nullptr, 0, true);
    if ((keysPressed & kSelectKeys) != 0) {
      mainMenuDelay = selectDelay();
      scrollStringX = rollStringX1 = kTickerIdle;
    }
  } else if (mainMenuDelay > 0) {
    mainMenuDelay--;
    repaintAll = true;
  } else {
    mainMenuChoice = highlightedEntry();
    runMainMenuEntry(mainMenuChoice);
  }
}

void CGame::MenuPaint_MainMenu(Graphics*, int32_t, int32_t, int32_t, int32_t) {
  SORV_FRAME("CGame.MenuPaint_MainMenu(Ljavax/microedition/lcdui/Graphics;IIII)V");
  if (menuScreenCode == kQuitScreen) {
    drawInterfaceBk(nullptr, kQuitNoLabel, kQuitYesLabel);
    IntArray* entries = menuItems.get();
    String* question = isNull(entries) || entries->length == 0 ? nullptr : GetString(0, entries->elements()[0]);
    drawOverlapMessage(question, 0, 0, 0, 0);
    return;
  }
  if (repaintAll) {
    drawInterfaceBk(nullptr, -1, -1);
    DrawMenu(mainMenuCode, true);
    repaintAll = false;
  }
  drawAchievementInMainMenu();
  DrawStringAsItem(GetString(2, mainMenuDescription(MenuGetHighLightItem())), mainMenuCode, kDescriptionItem, false);
  Paint_ArrowsUpDn(kArrowMenu, kUpArrowItem, kDownArrowItem);
}

}  // namespace sorv
