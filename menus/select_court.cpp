// The match set-up (screen 7, state 51, menu 14): five option rows of which two show at a
// time, the court's picture and name. Confirming a quick match leads to the player
// selection; a tournament goes to its own entry of the selection (state 54).
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ObjectArray> CGame::setupOptionTexts;
StaticRef<IntArray> CGame::setupRowExtra;
StaticRef<IntArray> CGame::setupLockedRows;
StaticRef<ObjectArray> CGame::courtPreviewSprites;

namespace {

constexpr int32_t kSetupMenu = 14, kSetupScreen = 7, kSetupState = 51;
constexpr int32_t kQuickMatchChoice = 3, kTournamentChoice = 4;
constexpr int32_t kSelectionScreen = 8, kTournamentScreen = 9, kTournamentEntryState = 54;
constexpr int32_t kFirstRowItem = 5, kSecondRowItem = 6, kPictureItem = 10;
constexpr int32_t kCourtNameItem = 14, kRowTitleItem = 16, kUpArrowItem = 22, kDownArrowItem = 23;
constexpr int32_t kVisibleRows = 2, kRowStyle = 1;
constexpr int32_t kEnterCourtValue = 2;  // the court of index 1
constexpr int32_t kPreviewSlots = 8;
constexpr int32_t kPrevValueKeys = 0x4010, kNextValueKeys = 0x8040;
constexpr int32_t kRowKeys = 0x2004 | 0x1100;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000;

// Each row's option texts: text ids of pack 2 by value.
struct RowTexts {
  int32_t first, count, stride;
};
constexpr RowTexts kRowTexts[CGame::kSetupRows] = {
    {kTextMatchModes, 5, 1},
    {kTextDifficulties, 3, 1},
    {kTextNumbers + 1, 5, 1},  // a set of 2 to 6 games
    {kTextNumbers, 3, 2},      // 1, 3 or 5 sets
    {kTextCourtNames, 8, 1},   // court c at 2c, fillers between
};

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

int32_t value(int32_t row) { return aload(CGame::setupValues.get(), row); }
void setValue(int32_t row, int32_t v) { astore(CGame::setupValues.get(), row, v); }

ObjectArray* optionsOf(int32_t row) {
  ObjectArray* rows = CGame::setupOptionTexts.get();
  if (isNull(rows) || !rows->inBounds(row)) return nullptr;
  return static_cast<ObjectArray*>(rows->elements()[row]);
}

bool listed(IntArray* rows, int32_t row) {
  if (isNull(rows)) return false;
  for (int32_t i = 0; i < rows->length; i++) {
    if (rows->elements()[i] == row) return true;
  }
  return false;
}

void changeValue(int32_t row, bool next) {
  const int32_t count = CGame::setupOptionCount(row);
  if (count <= 0) return;
  const int32_t step = row == CGame::kSetupCourtRow ? 2 : 1;
  int32_t v = value(row);
  if (next) {
    v = v + step < count ? v + step : 0;
  } else {
    v -= step;
    if (v < 0) v = count - step;
  }
  setValue(row, v);
}

void confirm() {
  CGame::RMS(true, CGame::kOptionsRecord);
  if (CGame::mainMenuChoice == kQuickMatchChoice) {
    CGame::MenuPush(kSelectionScreen);
    // Saved before the court row is halved: the record keeps 2 x court.
    CGame::RMS(true, CGame::kSetupRecord);
    setValue(CGame::kSetupCourtRow, value(CGame::kSetupCourtRow) / 2);
    for (int32_t r = 0; r < CGame::kSetupRows; r++) astore(CGame::matchSettings.get(), r, value(r));
    CGame::playerSprite = nullptr;
    CGame::playerSpriteAlt = nullptr;
    CGame::loadDemoPlayer();
    CGame::switchToSelectPlayer();
    CGame::resetMenuSelectPlayer();
  } else if (CGame::mainMenuChoice == kTournamentChoice) {
    CGame::MenuPush(kTournamentScreen);
    CGame::PUSH_STATE(kTournamentEntryState);
  }
}

}  // namespace

void CGame::setupOptionTextsBuild() {
  ObjectArray* rows = Array::newObjectArray(0, kSetupRows);
  if (isNull(rows)) return;
  setupOptionTexts = rows;
  for (int32_t r = 0; r < kSetupRows; r++) {
    const RowTexts& t = kRowTexts[r];
    ObjectArray* texts = Array::newObjectArray(0, t.count);
    if (isNull(texts)) return;
    setupOptionTexts->elements()[r] = texts;
    for (int32_t v = 0; v < t.count; v++) {
      int32_t id = t.first + v * t.stride;
      if (id > kTextLastCourtName && r == kSetupCourtRow) id = kTextLastCourtName - 1;  // a filler
      texts->elements()[v] = GetString(kTextMenus, id);
    }
  }
  IntArray* extra = Array::newIntArray(kSetupRows);
  if (isNull(extra)) return;
  // A touch on a row's arrows moves the cursor to that row.
  for (int32_t r = 0; r < kSetupRows; r++) extra->elements()[r] = r;
  setupRowExtra = extra;
  setupLockedRows = Array::newIntArray(0);
}

int32_t CGame::setupOptionCount(int32_t row) {
  ObjectArray* options = optionsOf(row);
  return isNull(options) ? 0 : options->length;
}

void CGame::loadCourtPreviews() {
  if (!isNull(courtPreviewSprites)) return;
  ObjectArray* previews = Array::newObjectArray(kASprite, kPreviewSlots);
  if (isNull(previews)) return;
  courtPreviewSprites = previews;
  for (int32_t c = 0; c < kCourtTypes; c++) {
    ASprite* s = loadSprite(StaticClass::getConstant(kConstMenuExtPack), false, kMenuExtCourtPreview, true);
    if (isNull(s)) continue;
    s->SetCurrentPalette(c < s->paletteCount ? c : 0);
    astore(courtPreviewSprites.get(), 2 * c, s);
  }
}

void CGame::switchToSelectCourt() {
  SORV_FRAME("CGame.switchToSelectCourt()V");
  prepareAnimationArrows();
  setupOptionTextsBuild();
  loadCourtPreviews();
  MenuPush(kSetupScreen);
  PUSH_STATE(kSetupState);
}

// Record 13 is a file: a value outside its row would index past the option texts and become
// a match setting, so it is taken as the row's first value.
void CGame::enterSelectCourt() {
  SORV_FRAME("CGame.enterSelectCourt()V");
  if (isNull(setupOptionTexts)) setupOptionTextsBuild();
  if (hasRecord(kSetupRecord)) RMS(false, kSetupRecord);
  for (int32_t r = 0; r < kSetupRows; r++) {
    const int32_t v = value(r), count = setupOptionCount(r);
    if (v >= 0 && v < count) continue;
    Debug::trace("set-up: saved value %d of row %d is outside its %d options; 0 taken", v, r, count);
    setValue(r, 0);
  }
  setValue(kSetupCourtRow, kEnterCourtValue);
  setupFirstRow = 0;
  lastNavKey = 0;
}

void CGame::MenuUpdate_selectCourt() {
  SORV_FRAME("CGame.MenuUpdate_selectCourt()V");
  const int32_t keys = keysPressed;
  const int32_t before = menuCursor;
  MenuProcessInput(kSetupMenu, nullptr, 0, true);
  if (menuCursor != before) lastNavKey = keys & kRowKeys;
  const int32_t row = menuCursor;
  if ((keys & kPrevValueKeys) != 0) {
    changeValue(row, false);
  } else if ((keys & kNextValueKeys) != 0) {
    changeValue(row, true);
  } else if ((keys & kBackKey) != 0) {
    astore(matchSettings.get(), 0, 0);
    courtPreviewSprites = nullptr;
    MenuPop();
    POP_STATE();
  } else if ((keys & kSelectKeys) != 0) {
    confirm();
  }
}

void CGame::menuPaint_selectCourt() {
  SORV_FRAME("CGame.menuPaint_selectCourt()V");
  if (!isNull(screenBuffer) && !isNull(gfx)) gfx->drawImage(screenBuffer, 0, 0, 0);
  drawBk(nullptr, -1, -1, nullptr);
  DrawMenu(kSetupMenu, false);
  const int32_t court = value(kSetupCourtRow);
  ObjectArray* previews = courtPreviewSprites.get();
  if (!isNull(previews) && previews->inBounds(court) && !isNull(previews->elements()[court])) {
    const int32_t at = GetMenuItemPosition(kSetupMenu, kPictureItem);
    static_cast<ASprite*>(previews->elements()[court])->PaintFrame(GetMenuGfx(), 0, xOf(at), yOf(at), 0, 0);
  }
  Calc_my_start_off();
  const int32_t first = GetMenuItemPosition(kSetupMenu, kFirstRowItem);
  const int32_t step = yOf(GetMenuItemPosition(kSetupMenu, kSecondRowItem)) - yOf(first);
  IntArray* titles = menuItems.get();
  for (int32_t i = 0; i < kVisibleRows; i++) {
    const int32_t r = setupFirstRow + i;
    if (isNull(titles) || r >= titles->length) break;
    const int32_t extra = aload(setupRowExtra.get(), r);
    drawOptMenu(kTextMenus, titles->elements()[r], optionsOf(r), xOf(first), yOf(first) + i * step, kRowStyle, extra,
                value(r), menuCursor == r, listed(setupLockedRows, r));
  }
  Paint_ArrowsUpDn(kSetupMenu, kUpArrowItem, kDownArrowItem);
  const int32_t h = MenuGetHighLightItem();
  if (!isNull(titles) && h >= 0 && h < titles->length) {
    DrawStringAsItem(GetString(kTextMenus, titles->elements()[h]), kSetupMenu, kRowTitleItem, false);
  }
  DrawStringAsItem(GetString(kTextMenus, kTextCourtNames + court), kSetupMenu, kCourtNameItem, false);
}

}  // namespace sorv
