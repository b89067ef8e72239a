// The options screen (screen 2, menu 13): two option rows (sound, speed unit) whose values
// wrap both ways and are saved in record 2 after each change, then two action rows.
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "menus/row_tap.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/string.h"

namespace sorv {

StaticRef<ObjectArray> CGame::optionTexts;
int64_t CGame::optionSoundTime = 0;

namespace {

constexpr int32_t kOptionsMenu = 13, kOptionRows = 2;
constexpr int32_t kPrevValueKeys = 0x4010, kNextValueKeys = 0x8040;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000;
constexpr int64_t kSoundChangeGapMs = 400;
constexpr int32_t kSoundSample = 2;
constexpr int32_t kHelpEntry = 10, kAboutEntry = 11;
constexpr int32_t kHelpScreen = 4, kAboutScreen = 66, kAboutState = 9;
constexpr int32_t kFirstRowItem = 11, kSecondRowItem = 12, kHintBoxItem = 9, kHintItem = 10;
constexpr int32_t kMarkerItem = 5, kTitleItem = 8;
constexpr int32_t kRowW = 330, kRowH = 45;
constexpr int32_t kOptionsHint = 283;
// Labels of each row's values: text pack and ids by value.
struct RowLabels {
  int32_t pack, ids[2];
};
constexpr RowLabels kRowLabels[kOptionRows] = {{0, {28, 27}}, {2, {161, 162}}};

ObjectArray* labelsOf(int32_t row) {
  ObjectArray* rows = CGame::optionTexts.get();
  if (isNull(rows) || row < 0 || row >= rows->length) return nullptr;
  return static_cast<ObjectArray*>(rows->elements()[row]);
}

int32_t valueCount(int32_t row) {
  ObjectArray* labels = labelsOf(row);
  return isNull(labels) ? 0 : labels->length;
}

void changeValue(int32_t row, bool next) {
  const int64_t now = System::currentTimeMillis();
  if (row == 0 && now - CGame::optionSoundTime <= kSoundChangeGapMs) return;
  const int32_t count = valueCount(row);
  if (count <= 0) return;
  const int32_t value = CGame::optionValue(row);
  const int32_t moved = next ? (value + 1) % count : (value + count - 1) % count;
  astore(CGame::optionValues.get(), row, moved);
  if (row == 0) {
    if (moved == 1) {
      GameSound::play(kSoundSample, false);
    } else {
      GameSound::stopAll();
    }
    CGame::optionSoundTime = now;
  }
  CGame::optionRow1Copy = aload(CGame::optionValues.get(), 1);
  CGame::RMS(true, CGame::kOptionsRecord);
}

void selectEntry() {
  const int32_t entry = CGame::highlightedEntry();
  CGame::mainMenuChoice = entry;
  if (entry == kHelpEntry) {
    CGame::MenuPush(kHelpScreen);
  } else if (entry == kAboutEntry) {
    CGame::MenuPush(kAboutScreen);
    CGame::PUSH_STATE(kAboutState);
  }
}

int32_t yOf(int32_t packed) { return packed >> 16; }
int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }

// A row the set-up lists as locked shows its marker; before any set-up none is.
bool lockedRow(int32_t row) {
  IntArray* locked = CGame::setupLockedRows;
  return !isNull(locked) && CGame::isInArray(row, locked);
}

}  // namespace

void CGame::buildOptionTexts() {
  ObjectArray* rows = Array::newObjectArray(0, kOptionRows);
  if (isNull(rows)) return;
  optionTexts = rows;
  for (int32_t r = 0; r < kOptionRows; r++) {
    ObjectArray* labels = Array::newObjectArray(0, 2);
    if (isNull(labels)) return;
    optionTexts->elements()[r] = labels;
    for (int32_t v = 0; v < 2; v++) labels->elements()[v] = GetString(kRowLabels[r].pack, kRowLabels[r].ids[v]);
  }
}

// The values come from record 2, a file: one outside its row is taken as the first.
int32_t CGame::optionValue(int32_t row) {
  IntArray* values = optionValues.get();
  if (isNull(values) || row < 0 || row >= values->length) return 0;
  const int32_t value = values->elements()[row];
  const int32_t count = valueCount(row);
  if (value >= 0 && (value < count || count == 0)) return value;
  Debug::trace("options: saved value %d of row %d is outside its %d values; 0 taken", value, row, count);
  values->elements()[row] = 0;
  return 0;
}

void CGame::copyOptionToSettingUI() {
  SORV_FRAME("CGame.copyOptionToSettingUI()V");
  astore(matchSettings.get(), 0, 0);
  astore(matchSettings.get(), 4, 2);
}

void CGame::MenuUpdate_option() {
  SORV_FRAME("CGame.MenuUpdate_option()V");
  MenuProcessInput(kOptionsMenu, nullptr, 0, true);
  const int32_t row = MenuGetHighLightItem();
  const bool prev = (keysPressed & kPrevValueKeys) != 0, next = (keysPressed & kNextValueKeys) != 0;
  if ((prev || next) && row >= 0 && row < kOptionRows) {
    changeValue(row, !prev);
  } else if ((keysPressed & kBackKey) != 0) {
    MenuPop();
    POP_STATE();
  } else if ((keysPressed & kSelectKeys) != 0) {
    selectEntry();
  }
}

void CGame::MenuPaint_option() {
  SORV_FRAME("CGame.MenuPaint_option()V");
  if (!isNull(screenBuffer) && !isNull(gfx)) gfx->drawImage(screenBuffer, 0, 0, 0);
  drawBk(nullptr, -1, -1, nullptr);
  DrawMenu(kOptionsMenu, false);
  const int32_t first = GetMenuItemPosition(kOptionsMenu, kFirstRowItem);
  const int32_t step = yOf(GetMenuItemPosition(kOptionsMenu, kSecondRowItem)) - yOf(first);
  IntArray* entries = menuItems.get();
  const int32_t count = isNull(entries) ? 0 : entries->length;
  for (int32_t i = 0; i < count; i++) {
    const int32_t x = xOf(first), y = yOf(first) + i * step;
    const bool option = i < kOptionRows;
    // The value rows take a drag; the action rows (help, about) are tapped like buttons: the
    // touched row blinks, then opens.
    if (option) {
      if (isPointerDraggingInBox(x, y, kRowW, kRowH, false)) menuCursor = i;
    } else {
      row_tap::touch(i, x, y, kRowW, kRowH);
    }
    drawOptMenu(2, menuItems->elements()[i], option ? labelsOf(i) : nullptr, x, y, 0, i, option ? optionValue(i) : -1,
                row_tap::lit(i, menuCursor == i), lockedRow(i));
  }
  row_tap::advance();
  const int32_t h = highlightedEntry();
  if (h != kHelpEntry && h != kAboutEntry) {
    DrawRectAsItem(100, kOptionsMenu, kHintBoxItem);
    DrawStringAsItem(GetString(2, kOptionsHint), kOptionsMenu, kHintItem, false);
  }
  DrawItem(GetItemPointer(kOptionsMenu, kMarkerItem), false, true, 0);
  DrawStringAsItem(nullptr, kOptionsMenu, kTitleItem, false);
}

}  // namespace sorv
