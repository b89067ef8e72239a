// The in-game menu: its entries and their actions, the questions it asks, the sound toggle
// and help pages, and its drawing with the entries' touch boxes. It also serves the help
// screens (4, 26, 27) outside a match.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "game/zentukr09.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {

bool CGame::igmPointerChosen = false;
int32_t CGame::igmPointerItem = -1;
int64_t CGame::lastSoundToggleTime = 0;
int32_t CGame::helpPage = 0;
int32_t CGame::helpPageCount = 4;

namespace {

// Screen codes.
constexpr int32_t kMatchMenu = 20, kLeaveQuestion = 21, kHelpMenu = 22, kQuitQuestion = 23;
constexpr int32_t kCareerLeaveQuestion = 24, kTrainingMenu = 25, kControlsHelp = 26, kSkillsHelp = 27;
constexpr int32_t kCareerMatchMenu = 28, kRetireQuestion = 29;
constexpr int32_t kAchievementsTable = 63, kAchievementsView = 64, kRecordsView = 65;
// Menu ids.
constexpr int32_t kMatchLayout = 27, kTrainingLayout = 54, kAchievementsList = 19, kRecordsList = 20;
constexpr int32_t kTitleItem = 7, kFirstRowItem = 21, kSecondRowItem = 22;
constexpr int32_t kTrainingFirstRow = 6, kTrainingSecondRow = 7;
constexpr int32_t kUpArrowItem = 28, kDownArrowItem = 29;
// Entry codes (their text ids of text pack 0).
constexpr int32_t kResume = 1, kLeave = 2, kSound = 3, kHelp = 4, kAchievements = 5, kQuit = 6;
constexpr int32_t kRetire = 7, kCareerLeave = 8, kControls = 34, kSkills = 77;
constexpr int32_t kAchievementList = 228, kRecordList = 229;
constexpr int32_t kSetTitleText = 89, kTrainingTitleText = 31;
constexpr int32_t kYesLabel = 13, kNoLabel = 14, kCancelLabel = 10;

constexpr int32_t kDownKeys = 0x1100, kUpKeys = 0x2004, kSelectKeys = 0x50020;
constexpr int32_t kSideKeys = 0xC050, kLeftKeys = 0x4010;
constexpr int32_t kBackKey = 0x20000, kConfirmKey = 0x40000;
constexpr int64_t kSoundToggleGapMs = 400;
constexpr int32_t kSoundSample = 2;
constexpr int32_t kEntryBoxW = 310, kEntryBoxH = 60;
constexpr int32_t kHelpScreenState = 8;
constexpr int32_t kHelpLayout = 29, kHelpTopFrame = 1, kHelpBottomFrame = 4, kHelpFirstRow = 9, kHelpSecondRow = 10;

void resetMenuStatics() {
  CGame::igmPointerChosen = false;
  CGame::igmPointerItem = -1;
  CGame::lastSoundToggleTime = 0;
  CGame::helpPage = 0;
  CGame::helpPageCount = 4;
}

int32_t yOfItem(int32_t menu, int32_t item) { return CGame::GetMenuItemPosition(menu, item) >> 16; }

int32_t entryCount() {
  IntArray* list = CGame::menuItems.get();
  return isNull(list) ? 0 : list->length;
}

int32_t entryAt(int32_t i) { return aload(CGame::menuItems.get(), i); }

// The code of the entry chosen on the menu one level up, -1 when there is none.
int32_t parentEntry() {
  const int32_t parent = CGame::getParentMenu();
  IntArray* list = parent < 0 ? nullptr : CGame::getMenuString(parent);
  const int32_t cursor = CGame::getParentMenuId();
  if (isNull(list) || cursor < 0 || cursor >= list->length) return -1;
  return list->elements()[cursor];
}

void resumePlay() {
  CGame::MenuPop();
  CGame::POP_STATE();
  GameSound::resumeMusic();
}

void runEntry(int32_t code) {
  switch (code) {
    case kResume: return resumePlay();
    case kLeave: case kCareerLeave: return CGame::MenuPush(kLeaveQuestion);
    case kHelp: return CGame::MenuPush(kHelpMenu);
    case kAchievements: return CGame::MenuPush(kAchievementsTable);
    case kQuit: return CGame::MenuPush(kQuitQuestion);
    case kRetire: return CGame::MenuPush(kRetireQuestion);
    case kControls:
      CGame::helpPage = 0;
      return CGame::MenuPush(kControlsHelp);
    case kSkills: return CGame::MenuPush(kSkillsHelp);
    case kAchievementList:
      CGame::initAchiView();
      return CGame::MenuPush(kAchievementsView);
    case kRecordList:
      CGame::initRecordView();
      return CGame::MenuPush(kRecordsView);
    default: return;  // the sound entry changes with left and right only
  }
}

void toggleSound() {
  const int64_t now = System::currentTimeMillis();
  if (now - CGame::lastSoundToggleTime <= kSoundToggleGapMs) return;
  const int32_t on = CGame::optionValue(0) == 1 ? 0 : 1;
  astore(CGame::optionValues.get(), 0, on);
  if (on == 1) {
    GameSound::play(kSoundSample, false);
  } else {
    GameSound::stopAll();
  }
  CGame::lastSoundToggleTime = now;
}

void turnHelpPage(bool back) {
  const int32_t count = CGame::helpPageCount;
  if (count <= 0) return;
  CGame::helpPage = ((back ? CGame::helpPage - 1 : CGame::helpPage + 1) % count + count) % count;
}

void leaveMatch() {
  CGame::key_resetKey();
  if (parentEntry() == kLeave) return CGame::backToMainMenu();
  if (CTennis::matchKind != CTennis::kKindTraining) return CGame::MenuPush(kCareerLeaveQuestion);
  CGame::switch2CareerUpdate(true);
  CGame::RMS(true, CGame::kCareerRecord);
  CTraining::unload();
  CGame::MenuClear();
}

// Retiring ends the tournament as lost and closes the week, as a lost match's table does:
// the weekly update counts in the points of the round reached, and the next week follows.
void retire() {
  CGame::tournamentResult = -1;
  CGame::tournamentStrokes = 0;
  GameSound::stopAll();
  CTennis::deInit();
  CGame::matchObject = nullptr;
  CGame::MenuClear();
  CGame::switch2CareerUpdate(true);
}

void confirm(int32_t screen) {
  switch (screen) {
    case kLeaveQuestion: return leaveMatch();
    case kQuitQuestion: return ZentuKR09::quitApp();
    case kCareerLeaveQuestion: return CGame::backToMainMenu();
    case kRetireQuestion: return retire();
    default: return;
  }
}

void back(int32_t screen) {
  if (screen == kMatchMenu || screen == kTrainingMenu || screen == kCareerMatchMenu) {
    CGame::POP_STATE();
    CGame::MenuPop();
    GameSound::resumeMusic();
  } else if (screen == kCareerLeaveQuestion) {
    CGame::RMS(true, CGame::kCareerRecord);
    CGame::backToMainMenu();
  } else {
    CGame::MenuPop();
  }
}

// The two-row window of the match menu follows the selection, also when it wraps round.
int32_t firstShownRow(int32_t count) {
  CGame::Calc_my_start_off();
  const int32_t selection = CGame::menuCursor;
  int32_t first = std::clamp(CGame::setupFirstRow, selection - 1, selection);
  first = std::clamp(first, 0, std::max(count - 2, 0));
  CGame::setupFirstRow = first;
  return first;
}

void touchEntry(int32_t i, int32_t x, int32_t y) {
  if ((CGame::pointerDown && CGame::isPointerClickedInBox(x, y, kEntryBoxW, kEntryBoxH, false)) ||
      CGame::isPointerDraggingInBox(x, y, kEntryBoxW, kEntryBoxH, false)) {
    CGame::menuCursor = i;
  }
  if (CGame::isPointerReleasedInBox(x, y, kEntryBoxW, kEntryBoxH, true)) {
    CGame::menuCursor = i;
    CGame::igmPointerItem = i;
    CGame::igmPointerChosen = true;
    Debug::trace("%s", String::toUtf8(StaticClass::getConstant(kConstEntryTouched)).c_str());
  }
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetMenuStatics);

void CGame::updateIGM() {
  SORV_FRAME("CGame.updateIGM()V");
  const int32_t screen = menuScreenCode;
  const int32_t keys = keysPressed;
  const int32_t count = entryCount();
  if (count > 0) {
    if ((keys & kDownKeys) != 0) {
      menuCursor = (menuCursor + 1) % count;
      lastNavKey = kDownKeys;
    } else if ((keys & kUpKeys) != 0) {
      menuCursor = (menuCursor + count - 1) % count;
      lastNavKey = kUpKeys;
    } else if ((keys & kSelectKeys) != 0 || igmPointerChosen) {
      igmPointerChosen = false;
      if (menuCursor >= 0 && menuCursor < count) runEntry(entryAt(menuCursor));
    }
  }
  igmPointerChosen = false;
  if ((keysPressed & kSideKeys) != 0) {
    if (screen == kControlsHelp) {
      turnHelpPage((keysPressed & kLeftKeys) != 0);
    } else if (menuCursor >= 0 && menuCursor < entryCount() && entryAt(menuCursor) == kSound) {
      toggleSound();
    }
  }
  // The views have no entry list: the browser scrolls over the achievements, the records list
  // over CAE's records.
  if ((keysPressed & (kUpKeys | kDownKeys)) != 0 && screen == kAchievementsView) {
    MenuProcessInput(kAchievementsList, achiTitleIds.get(), 0, true);
  } else if ((keysPressed & (kUpKeys | kDownKeys)) != 0 && screen == kRecordsView) {
    MenuProcessInput(kRecordsList, CAE::achiRecords.get(), 0, true);
  }
  if (menuScreenCode != screen) return;
  if ((keysPressed & kBackKey) != 0) return back(screen);
  if ((keysPressed & kConfirmKey) != 0) confirm(screen);
}

void CGame::paintIGM() {
  SORV_FRAME("CGame.paintIGM()V");
  switch (menuScreenCode) {
    case kMatchMenu: case kCareerMatchMenu: {
      DrawMenu(kMatchLayout, false);
      String* title = GetString(1, kSetTitleText);
      if (!isNull(title)) title = String::replace(title, '#', '1' + CTennis::setIndex);
      DrawStringAsItem(title, kMatchLayout, kTitleItem, false);
      paintMatchStatistic();
      const int32_t y = yOfItem(kMatchLayout, kFirstRowItem);
      drawIGMItems(0, y, yOfItem(kMatchLayout, kSecondRowItem) - y, 0);
      break;
    }
    case kTrainingMenu: {
      DrawMenu(kTrainingLayout, false);
      drawBk(GetString(0, kTrainingTitleText), kCancelLabel, -1, nullptr);
      const int32_t y = yOfItem(kTrainingLayout, kTrainingFirstRow);
      drawIGMItems(0, y, yOfItem(kTrainingLayout, kTrainingSecondRow) - y, 0);
      break;
    }
    case kLeaveQuestion: case kQuitQuestion: case kCareerLeaveQuestion: case kRetireQuestion:
      drawBk(nullptr, kNoLabel, kYesLabel, entryCount() > 0 ? GetString(0, entryAt(0)) : nullptr);
      break;
    case kHelpMenu: MenuPaint_Help(); break;
    case kControlsHelp: drawControlsHelp(); break;
    case kSkillsHelp: drawSkillsHelp(); break;
    case kAchievementsTable: menuPaint_achiTable(0); break;
    case kAchievementsView: menuPaint_achiViewAchi(); break;
    case kRecordsView: menuPaint_achiViewRec(); break;
    default: break;
  }
}

void CGame::drawIGMItems(int32_t x, int32_t y, int32_t dy, int32_t menuArg) {
  SORV_FRAME("CGame.drawIGMItems(IIII)V");
  const int32_t count = entryCount();
  if (count <= 0) return;
  const bool window = menuScreenCode == kMatchMenu || menuScreenCode == kCareerMatchMenu;
  const int32_t first = window ? firstShownRow(count) : 0;
  const int32_t last = window ? std::min(first + 2, count) : count;
  for (int32_t i = first; i < last; i++, y += dy) {
    const int32_t code = entryAt(i);
    ObjectArray* names = nullptr;
    int32_t value = 0;
    if (code == kSound && !isNull(optionTexts.get()) && optionTexts->length > 0) {
      names = static_cast<ObjectArray*>(optionTexts->elements()[0]);
      value = optionValue(0);
    }
    drawOptMenu(menuArg, code, names, x, y, 0, 0, value, i == menuCursor, false);
    touchEntry(i, x, y);
  }
  if (window) Paint_ArrowsUpDn(kMatchLayout, kUpArrowItem, kDownArrowItem);
}

void CGame::MenuPaint_Help() {
  SORV_FRAME("CGame.MenuPaint_Help()V");
  if (isNull(gfx)) return reportError("NullPointer");
  if (!isNull(screenBuffer)) gfx->drawImage(screenBuffer, 0, 0, 0);
  drawBk(nullptr, -1, -1, nullptr);
  if (GET_CURRENT_STATE() == kHelpScreenState) {
    DrawFrameAsItem(-1, -1, kHelpLayout, kHelpTopFrame, false);
    DrawFrameAsItem(-1, -1, kHelpLayout, kHelpBottomFrame, false);
  }
  DrawMenu(kHelpLayout, true);
  const int32_t y = yOfItem(kHelpLayout, kHelpFirstRow);
  drawIGMItems(0, y, yOfItem(kHelpLayout, kHelpSecondRow) - y, 0);
}

}  // namespace sorv
