// The career player's creation screen: two choice rows and a name of up to eight letters
// typed on the digit keys or on a keyboard of 27 keys. A letter shows at once and is
// committed on a later frame; confirming a name of three letters or more opens the avatar
// screen.
#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<String> CGame::enteredName;
StaticRef<String> CGame::shownName;
int32_t CGame::nameLastKey = -1;
int32_t CGame::nameCharIndex = 0;
int32_t CGame::nameTicker = 0;
int32_t CGame::nameFocus = 0;

namespace {

constexpr int32_t kMaxName = 8, kMinName = 3;
constexpr int32_t kCommitFrames = 8;
constexpr int32_t kGenderRow = 0, kPlaysRow = 1, kNameField = 2, kFocusCount = 3;
constexpr int32_t kMan = 0, kWoman = 2, kWomanDoubles = 3;
constexpr int32_t kManSlot = 17, kWomanSlot = 35;
constexpr int32_t kStartMental = 40;
constexpr int32_t kAvatarState = 22;

constexpr int32_t kKeysChange = 0x4010 | 0x8040;
constexpr int32_t kKeysNext = 0x50020;
constexpr int32_t kKeyRight = 0x2000;
constexpr int32_t kDigitKeys = 10;

// The on-screen keyboard: three rows of nine keys.
constexpr int32_t kKeyboardX = 50, kKeyboardY = 197, kKeyW = 77, kKeyH = 65, kKeyColumns = 9;
constexpr int32_t kKeyLit = 121, kKeyChosen = 122;

// Menu 40: the rows' places, the name field, the key highlight and a key's label.
constexpr int32_t kNameMenu = 40;
constexpr int32_t kGenderItem = 11, kNameItem = 12, kKeyLabelItem = 13, kKeyItem = 18, kPlaysItem = 19;
constexpr int32_t kRowStyle = 1;
constexpr int32_t kGenderTitle = 16, kPlaysTitle = 18, kRightHanded = 40, kLeftHanded = 41;
constexpr int32_t kMenTexts = 145, kWomenTexts = 146;
constexpr int32_t kBackLabel = 10, kOkLabel = 9;

// The name statics are null until the screen is first entered.
String* orEmpty(String* s) { return isNull(s) ? StaticClass::getConstant(kConstEmpty) : s; }

bool womanChosen() {
  const int32_t mode = isNull(CGame::matchSettings.get()) ? kMan : aload(CGame::matchSettings.get(), 0);
  return mode == kWoman || mode == kWomanDoubles;
}

int32_t trimmedLength(String* s) {
  String* t = isNull(s) ? nullptr : String::trim(s);
  return isNull(t) ? 0 : t->length();
}

String* withChar(String* s, char16_t c) {
  StringBuffer* text = StringBuffer::create(kMaxName + 1);
  StringBuffer::appendString(text, orEmpty(s));
  StringBuffer::appendChar(text, c);
  return text->toString();
}

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

void drawRow(int32_t item, int32_t title, ObjectArray* values, int32_t row, int32_t value) {
  const int32_t at = CGame::GetMenuItemPosition(kNameMenu, item);
  CGame::drawOptMenu(kTextGeneral, title, values, xOf(at), yOf(at), kRowStyle, row, value,
                     CGame::nameFocus == row, false);
}

// The key under a finished touch, -1 for none; a touch held on a key lights it. The box
// tests take both edges, so each key is tested one pixel short: a touch on the line between
// two keys belongs to the one that starts there.
int32_t touchedKey() {
  constexpr int32_t w = kKeyW - 1, h = kKeyH - 1;
  int32_t chosen = -1;
  for (int32_t k = 0; k < CGame::kNameKeys; k++) {
    const int32_t x = kKeyboardX + k % kKeyColumns * kKeyW, y = kKeyboardY + k / kKeyColumns * kKeyH;
    if (CGame::isPointerDraggingInBox(x, y, w, h, false)) {
      CGame::pressX = -1;
      CGame::DrawFrameAsItem(kKeyLit, -1, kNameMenu, kKeyItem, x, y, true);
    } else if (CGame::isPointerClickedInBox(x, y, w, h, false)) {
      CGame::DrawFrameAsItem(kKeyLit, -1, kNameMenu, kKeyItem, x, y, true);
    }
    if (CGame::isPointerReleasedInBox(x, y, w, h, true)) {
      chosen = k;
      CGame::DrawFrameAsItem(kKeyChosen, -1, kNameMenu, kKeyItem, x, y, true);
    }
  }
  return chosen;
}

// The name has its career player: the avatar screen comes next.
void confirmName() {
  const int32_t slot = womanChosen() ? kWomanSlot : kManSlot;
  CGame::careerName = CGame::enteredName;
  CGame::playerChoice1 = slot;
  if (!isNull(CGame::rosterKinds.get())) astore(CGame::rosterKinds.get(), slot, CGame::careerAvatarKind);
  CGame::careerMental = CGame::careerMentalPrev = kStartMental;
  CGame::loadDemoPlayer();
  CGame::PUSH_STATE(kAvatarState);
}

}  // namespace

void CGame::NameEntryResetTicker() {
  shownName = enteredName;
  nameTicker = 0;
  nameLastKey = -1;
  nameCharIndex = 0;
}

void CGame::NameEntryApplyNextName() {
  enteredName = shownName;
  NameEntryResetTicker();
}

void CGame::NameEntryAddChar(char16_t c) {
  String* name = enteredName;
  if (!isNull(name) && name->length() >= kMaxName) return;
  nameTicker = kCommitFrames;
  shownName = withChar(name, c);
}

void CGame::NameEntryUpdateName() {
  SORV_FRAME("CGame.NameEntryUpdateName()V");
  int32_t k = -1;
  for (int32_t d = kDigitKeys - 1; d >= 0 && k < 0; d--) {
    if (keysPressed & (1 << d)) k = d;
  }
  const int32_t touched = touchedKey();
  if (touched >= 0) k = touched;
  if (k < 0) {
    if (nameTicker > 0 && nameTicker-- == 1) NameEntryApplyNextName();
    if (keysPressed & kKeyRight) NameEntryApplyNextName();
    return;
  }
  CharArray* chars = static_cast<CharArray*>(aload(nameKeyChars.get(), k));
  if (isNull(chars) || chars->length == 0) return;
  if (k == nameLastKey) {
    nameCharIndex = (nameCharIndex + 1) % chars->length;
  } else {
    NameEntryApplyNextName();
    nameCharIndex = 0;
  }
  nameLastKey = k;
  NameEntryAddChar(aload(chars, nameCharIndex));
  // A key of one letter has nothing to cycle through: commit it on the next frame.
  if (chars->length < 2) nameTicker = 1;
}

void CGame::updateInputName() {
  SORV_FRAME("CGame.updateInputName()V");
  const int32_t keys = keysPressed;
  const bool inName = nameFocus == kNameField;
  if (!inName && (keys & kKeysChange)) {
    if (nameFocus == kGenderRow) {
      astore(matchSettings.get(), 0, womanChosen() ? kMan : kWoman);
    } else {
      careerAvatarKind = static_cast<int8_t>(careerAvatarKind == 0 ? 1 : 0);
    }
    return;
  }
  if (!inName && (keys & kKeysNext)) {
    releaseX = releaseY = -1;
    nameFocus = (nameFocus + 1) % kFocusCount;
    return;
  }
  if (keys & kKeySoftRight) {
    if (inName) {
      String* name = shownName;
      if (!isNull(name) && name->length() > 0) {
        enteredName = String::substring(name, 0, name->length() - 1);
        NameEntryResetTicker();
        return;
      }
      enteredName = shownName = StaticClass::getConstant(kConstEmpty);
      key_resetKey();
      nameFocus = kPlaysRow;
    } else if (nameFocus == kGenderRow) {
      enteredName = shownName = StaticClass::getConstant(kConstEmpty);
      careerAvatarKind = 0;
      // No career was begun: the screens this goes back to are the main menu's, and the main
      // menu is not entered again on the way.
      isCareer = false;
      key_resetKey();
      MenuPop();
      POP_STATE();
    } else {
      nameFocus = kGenderRow;
    }
    return;
  }
  if (!inName) return;
  NameEntryUpdateName();
  if (keys & kKeySoftLeft) {
    enteredName = shownName;
    if (trimmedLength(enteredName) >= kMinName) return confirmName();
  }
  if (trimmedLength(shownName) < kMinName) softLeftState = -1;
}

void CGame::paintInputName() {
  SORV_FRAME("CGame.paintInputName()V");
  drawInterfaceBk(nullptr, -1, -1);
  DrawMenu(kNameMenu, true);
  drawRow(kGenderItem, kGenderTitle, GetString(kTextMenus, kMenTexts, kWomenTexts), kGenderRow,
          womanChosen() ? 1 : 0);
  drawRow(kPlaysItem, kPlaysTitle, GetString(kTextGeneral, kRightHanded, kLeftHanded), kPlaysRow,
          careerAvatarKind != 0 ? 1 : 0);
  StringBuffer* field = StringBuffer::create(kMaxName + 2);
  StringBuffer::appendString(field, orEmpty(shownName));
  StringBuffer::appendString(field, StaticClass::getConstant(kConstNameCursor));
  DrawStringAsItem(field->toString(), kNameMenu, kNameItem, nameFocus == kNameField);
  for (int32_t k = 0; k < kNameKeys; k++) {
    CharArray* chars = static_cast<CharArray*>(aload(nameKeyChars.get(), k));
    if (isNull(chars) || chars->length == 0) continue;
    const char16_t letter = aload(chars, 0);
    String* label = String::fromUnits(&letter, 1);
    const int32_t x = kKeyboardX + k % kKeyColumns * kKeyW, y = kKeyboardY + k / kKeyColumns * kKeyH;
    DrawStringAsItem(label, kNameMenu, kKeyLabelItem, x + kKeyW / 2, y + kKeyH / 2, -1, false);
  }
  drawMenuBar(kBackLabel, kOkLabel, true);
}

}  // namespace sorv
