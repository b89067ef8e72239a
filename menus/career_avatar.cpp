// The career's avatar creation (state 22: style, home city and seven looks, then the
// confirmation, screen 30) and its home screen (state 24, over the lobby: leaving the career,
// screen 32, or changing the looks, screen 34).
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<IntArray> CGame::lookRowItems;
StaticRef<IntArray> CGame::lookScreenItems;

namespace {

constexpr int32_t kUpKeys = 0x2004, kDownKeys = 0x1100, kLeftKeys = 0x4010, kRightKeys = 0x8040;
constexpr int32_t kBackKey = 0x20000, kOkKeys = 0x50020;
constexpr int32_t kConfirmScreen = 30, kHomeScreen = 31, kLeaveScreen = 32, kLookScreen = 34;
constexpr int32_t kLobbyState = 23, kMainMenuState = 6;
constexpr int32_t kManSlot = 17, kWomanSlot = 35;

// The creation rows: entry 0 the value, entry 1 the number of values.
constexpr int32_t kCreateRows = 9, kHomeRow = 0, kStyleRow = 1, kFirstLookRow = 2, kLastRow = kCreateRows - 1;
constexpr int32_t kStyles = 3;
constexpr int32_t kLookItems = CGame::kColourGroups;
constexpr int32_t kVisibleRows = 2;
constexpr int32_t kCaptionRestart = 352;

constexpr int32_t kCreateMenu = 41, kPanelMenu = 42;
constexpr int32_t kHintItem = 10, kPanelItem = 11, kUpArrowItem = 14, kDownArrowItem = 15;
constexpr int32_t kAvatarNameItem = 3, kAvatarRectItem = 6, kFirstAbilityItem = 13;
constexpr int32_t kRowX = 170, kFirstRowY = 329, kRowW = 420, kRowH = 34;
constexpr int32_t kTextRow = 0, kValueRow = 1;
// The scroll arrows' touch boxes around their items and the triangles a touch shows, 60 x 30
// on the arrow's place.
constexpr int32_t kArrowBoxLeft = 35, kArrowBoxUp = 17, kArrowBoxW = 100, kArrowBoxH = 50;
constexpr int32_t kTriangleHalfW = 30, kTriangleHalfH = 15;
constexpr int32_t kPressedColour = 0xFF0000, kReleasedColour = 0x00FF00;

constexpr int32_t kHomeMenu = 47, kFirstOptionItem = 9, kSecondOptionItem = 10, kHomeActorItem = 13;
constexpr int32_t kLeaveOption = 0, kLookOption = 1, kHomeOptions = 2;
constexpr int32_t kOptionBoxW = 310, kOptionBoxH = 60;
constexpr int32_t kTapFires = 4;
constexpr int32_t kLookMenu = 48, kLookCardItem = 7, kFirstLookItem = 9, kSecondLookItem = 10;
constexpr int32_t kLookUpItem = 11, kLookDownItem = 12;

constexpr int32_t kCreateTitle = 235, kFirstRowHint = 318, kStyleLabel = 125, kHomeLabel = 210;
constexpr int32_t kFirstLookCaption = 173;
constexpr int32_t kBackLabel = 10, kOkLabel = 9, kNoLabel = 14, kYesLabel = 13, kNone = -1;
constexpr int32_t kMessageY = 220, kLeaveMessageY = 30;
// The panel's bars: the five attributes at their preset levels, then the mental value.
constexpr int32_t kAbilityValues = 6, kValueScale = 20;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }
int32_t keys() { return CGame::keysPressed; }

bool womanAvatar() {
  const int32_t mode = aload(CGame::matchSettings.get(), 0);
  return mode == 2 || mode == 3;
}
int32_t avatarSlot() { return womanAvatar() ? kWomanSlot : kManSlot; }

ByteArray* createRow(int32_t row) {
  ObjectArray* rows = CGame::careerCreateRows;
  return isNull(rows) ? nullptr : static_cast<ByteArray*>(aload(rows, row));
}
int32_t rowValue(int32_t row) { return aload(createRow(row), 0); }

// The row a cursor row edits: the first two are crossed.
int32_t editedRow(int32_t cursor) {
  if (cursor == 0) return kStyleRow;
  if (cursor == 1) return kHomeRow;
  return cursor;
}

int32_t wrapped(int32_t value, int32_t step, int32_t count) { return ((value + step) % count + count) % count; }

void makeCreateRows() {
  CGame::careerCreateRows = Array::newObjectArray(0, kCreateRows);
  for (int32_t r = 0; r < kCreateRows && !isNull(CGame::careerCreateRows.get()); r++) {
    ByteArray* row = Array::newByteArray(2);
    if (isNull(row)) return;
    const int32_t count = r == kHomeRow ? CGame::kCareerHomes : r == kStyleRow ? kStyles : 1;
    astore(row, 1, count);
    astore(CGame::careerCreateRows.get(), r, row);
  }
}

int32_t lookChoices(int32_t item) {
  auto* options = static_cast<ByteArray*>(aload(CGame::lookItemOptions.get(), item));
  return isNull(options) ? 0 : options->length;
}

// A look steps within its choices; one without any is left alone.
void stepLook(int32_t item, int32_t step) {
  const int32_t count = lookChoices(item);
  if (count <= 0) {
    Debug::trace("career looks: item %d has no choices; left as it is", item);
    return;
  }
  astore(CGame::careerLook.get(), item, wrapped(aload(CGame::careerLook.get(), item), step, count));
  CGame::rebuildAvatarPalette();
}

void stepCreateRow(int32_t step) {
  const int32_t cursor = CGame::menuCursor;
  ByteArray* row = createRow(editedRow(cursor));
  if (isNull(row)) return reportError("NullPointer");
  const int32_t count = std::max<int32_t>(row->elements()[1], 1);
  astore(row, 0, wrapped(row->elements()[0], step, count));
  if (cursor >= kFirstLookRow) stepLook(aload(CGame::lookRowItems.get(), cursor - kFirstLookRow), step);
}

// The first visible row follows the cursor.
void followCursor(int32_t count) {
  int32_t& first = CGame::rosterFirst0;
  const int32_t cursor = CGame::menuCursor;
  if (cursor < first) first = cursor;
  if (cursor >= first + kVisibleRows) first = cursor - kVisibleRows + 1;
  first = std::clamp(first, 0, std::max(count - kVisibleRows, 0));
}

void moveCreateCursor(int32_t step) {
  const int32_t moved = std::clamp(CGame::menuCursor + step, 0, kLastRow);
  if (moved == CGame::menuCursor) return;
  CGame::menuCursor = moved;
  CGame::scrollStringX = kCaptionRestart;
  if (moved == kLastRow) {
    CGame::rosterFirst0 = kCreateRows - kVisibleRows;
  } else {
    followCursor(kCreateRows);
  }
}

// The career begins: the style's points, the avatar in the roster, the home, a fresh season.
void createCareer() {
  CGame::careerStyle = rowValue(kStyleRow);
  CGame::setCareerPresetAttributes();
  const int32_t slot = avatarSlot();
  astore(CGame::rosterNames.get(), slot, CGame::careerName.get());
  astore(CGame::styleCaptions.get(), slot, CGame::GetString(kTextMenus, kCareerStyleTextFirst + CGame::careerStyle));
  CGame::careerHome = static_cast<int8_t>(aload(CGame::homeOrder.get(), rowValue(kHomeRow)));
  CGame::resetAllTournamentPlayable();
  CGame::updateScreenBufferWithStdSplash();
  CGame::SWITCH_STATE(kLobbyState);
}

void updateConfirmation() {
  if ((keys() & kBackKey) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
  } else if ((keys() & kOkKeys) != 0) {
    createCareer();
  }
}

String* screenText(int32_t pack) {
  IntArray* entries = CGame::menuItems.get();
  return isNull(entries) || entries->length == 0 ? nullptr : CGame::GetString(pack, entries->elements()[0]);
}

void paintQuestion(int32_t y) {
  CGame::drawInterfaceBk(nullptr, kNoLabel, kYesLabel);
  CGame::drawOverlapMessage(screenText(kTextGeneral), 0, y, 0, 0);
}

void fillTriangle(int32_t x, int32_t y, bool up, int32_t colour) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  const int32_t base = up ? y + kTriangleHalfH : y - kTriangleHalfH, tip = up ? y - kTriangleHalfH : y + kTriangleHalfH;
  g->setColor(colour);
  g->fillTriangle(x - kTriangleHalfW, base, x, tip, x + kTriangleHalfW, base);
}

// A scroll arrow of the creation list: a release presses its key, shown green; a held touch
// shows it red.
void scrollArrow(int32_t item, bool up) {
  const int32_t at = CGame::GetMenuItemPosition(kCreateMenu, item);
  const int32_t x = xOf(at) - kArrowBoxLeft, y = yOf(at) - kArrowBoxUp;
  if (CGame::isPointerReleasedInBox(x, y, kArrowBoxW, kArrowBoxH, true)) {
    CGame::keysPressed = up ? kUpKeys : kDownKeys;
    fillTriangle(xOf(at), yOf(at), up, kReleasedColour);
  } else if (CGame::pointerDown && CGame::isPointerClickedInBox(x, y, kArrowBoxW, kArrowBoxH, false)) {
    fillTriangle(xOf(at), yOf(at), up, kPressedColour);
  } else {
    CGame::DrawAnimationAsItem(-1, -1, -1, kCreateMenu, item, false);
  }
}

String* lookValueText(int32_t item) { return String::valueOfInt(aload(CGame::careerLook.get(), item) + 1); }

void drawCreateRow(int32_t cursorRow, int32_t y, int32_t* height) {
  String* label;
  String* value;
  int32_t kind = kTextRow;
  int32_t choices;
  if (cursorRow == 0) {
    label = CGame::GetString(kTextMenus, kStyleLabel);
    value = CGame::GetString(kTextMenus, kCareerStyleTextFirst + rowValue(kStyleRow));
    choices = kStyles;
  } else if (cursorRow == 1) {
    label = CGame::GetString(kTextMenus, kHomeLabel);
    value = static_cast<String*>(aload(CGame::homeNames.get(), aload(CGame::homeOrder.get(), rowValue(kHomeRow))));
    choices = CGame::kCareerHomes;
  } else {
    const int32_t item = aload(CGame::lookRowItems.get(), cursorRow - kFirstLookRow);
    label = CGame::GetString(kTextMenus, kFirstLookCaption + item);
    value = lookValueText(item);
    kind = kValueRow;
    choices = lookChoices(item);
  }
  const bool highlight = CGame::menuCursor == cursorRow;
  *height = CGame::drawAbiMenuItem(label, value, kRowX, y, kRowW, kRowH, kind, highlight, choices > 1, cursorRow);
}

void drawAvatar(int32_t x, int32_t y) {
  CActor* actor = CGame::demoPlayer;
  if (isNull(actor)) return;
  if (!isNull(actor->sprite)) actor->sprite->SetCurrentPalette(0);
  CGame::drawPlayerRect(actor, x, y);
}

void paintCreatePanel() {
  const int32_t origin = CGame::GetMenuItemPosition(kCreateMenu, kPanelItem);
  const int32_t ox = xOf(origin), oy = yOf(origin);
  CGame::setMenuPaintPosition(ox, oy);
  CGame::DrawMenu(kPanelMenu, false);
  const int32_t rect = CGame::GetMenuItemPosition(kPanelMenu, kAvatarRectItem);
  CGame::resetMenuPaintPosition();
  drawAvatar(ox + xOf(rect), oy + yOf(rect));
  CGame::setMenuPaintPosition(ox, oy);
  CGame::DrawStringAsItem(CGame::careerName.get(), kPanelMenu, kAvatarNameItem, false);
  ByteArray* values = Array::newByteArray(kAbilityValues);
  if (isNull(values)) return;
  auto* preset = static_cast<ByteArray*>(aload(CGame::attrPresets.get(), rowValue(kStyleRow)));
  for (int32_t i = 0; i + 1 < values->length; i++) values->elements()[i] = aload(preset, i) * kValueScale;
  values->elements()[values->length - 1] = static_cast<int8_t>(CGame::careerMental);
  CGame::drawPlayerAbilitySingle(kPanelMenu, kFirstAbilityItem, ox, oy, values);
  CGame::resetMenuPaintPosition();
}

void paintCreation() {
  CGame::drawInterfaceBk(CGame::GetString(kTextMenus, kCreateTitle), kNone, kNone);
  CGame::DrawMenu(kCreateMenu, false);
  CGame::drawMenuBar(kBackLabel, kOkLabel, true);
  paintCreatePanel();
  if (CGame::menuCursor != 0) scrollArrow(kUpArrowItem, true);
  if (CGame::menuCursor != kLastRow) scrollArrow(kDownArrowItem, false);
  int32_t y = kFirstRowY;
  for (int32_t r = CGame::rosterFirst0; r < CGame::rosterFirst0 + kVisibleRows && r < kCreateRows; r++) {
    int32_t height = kRowH;
    drawCreateRow(r, y, &height);
    y += height;
  }
  CGame::DrawStringAsItem(CGame::GetString(kTextMenus, kFirstRowHint + CGame::menuCursor), kCreateMenu, kHintItem,
                          false);
}

// --- The home screen.

int32_t homeOptionStep() {
  return yOf(CGame::GetMenuItemPosition(kHomeMenu, kSecondOptionItem)) -
         yOf(CGame::GetMenuItemPosition(kHomeMenu, kFirstOptionItem));
}

void updateHomeOptions() {
  if ((keys() & kUpKeys) != 0) {
    CGame::menuCursor = std::max(CGame::menuCursor - 1, 0);
  } else if ((keys() & kDownKeys) != 0) {
    CGame::menuCursor = std::min(CGame::menuCursor + 1, kHomeOptions - 1);
  } else if ((keys() & kBackKey) != 0) {
    CGame::menuTouchSelect = false;
    CGame::POP_STATE();
    CGame::MenuPop();
  } else if ((keys() & kOkKeys) != 0) {
    CGame::menuTouchSelect = false;
    if (CGame::menuCursor == kLeaveOption) {
      CGame::updateScreenBufferWithGray();
      CGame::MenuPush(kLeaveScreen);
    } else if (CGame::menuCursor == kLookOption) {
      CGame::demoPlayerAlt = CGame::createCareerActor();
      CGame::MenuPush(kLookScreen);
    }
  }
}

void updateLeave() {
  if ((keys() & kBackKey) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
  } else if ((keys() & kOkKeys) != 0) {
    CGame::RMS(true, CGame::kCareerRecord);
    CGame::updateScreenBufferWithStdSplash();
    CGame::SWITCH_STATE(kMainMenuState);
  }
}

int32_t lookScreenCount() {
  IntArray* items = CGame::lookScreenItems;
  return isNull(items) ? 0 : items->length;
}

void updateLooks() {
  const int32_t count = lookScreenCount();
  if ((keys() & kUpKeys) != 0) {
    CGame::menuCursor = std::max(CGame::menuCursor - 1, 0);
    followCursor(count);
  } else if ((keys() & kDownKeys) != 0) {
    CGame::menuCursor = std::clamp(CGame::menuCursor + 1, 0, std::max(count - 1, 0));
    followCursor(count);
  } else if ((keys() & (kLeftKeys | kRightKeys)) != 0) {
    if (CGame::menuCursor < 0 || CGame::menuCursor >= count) return;
    stepLook(aload(CGame::lookScreenItems.get(), CGame::menuCursor), (keys() & kLeftKeys) != 0 ? -1 : 1);
  } else if ((keys() & kBackKey) != 0) {
    CGame::MenuPop();
  }
}

// A touch on an option row moves the cursor; its release blinks the row, then selects it.
void homeOptionTouch(int32_t option, int32_t x, int32_t y) {
  if (CGame::pointerDown && (CGame::isPointerClickedInBox(x, y, kOptionBoxW, kOptionBoxH, false) ||
                             CGame::isPointerDraggingInBox(x, y, kOptionBoxW, kOptionBoxH, false))) {
    CGame::menuCursor = option;
  }
  if (CGame::isPointerReleasedInBox(x, y, kOptionBoxW, kOptionBoxH, true)) {
    CGame::menuCursor = option;
    CGame::menuTouchSelect = true;
    CGame::menuTouchBlink = -1;
  }
}

void advanceTap() {
  if (!CGame::menuTouchSelect) return;
  if (CGame::menuTouchBlink == kTapFires) {
    CGame::keysPressed = kOkKeys;
    CGame::scrollStringX = CGame::kTickerRestart;
    CGame::menuTouchSelect = false;
  }
  CGame::menuTouchBlink++;
}

void paintHomeOptions() {
  CGame::drawInterfaceBk(nullptr, kNone, kNone);
  CGame::DrawMenu(kHomeMenu, false);
  CGame::drawMenuBar(kBackLabel, kNone, true);
  const int32_t first = CGame::GetMenuItemPosition(kHomeMenu, kFirstOptionItem);
  const int32_t step = homeOptionStep();
  IntArray* entries = CGame::menuItems.get();
  const int32_t count = isNull(entries) ? 0 : std::min(entries->length, kHomeOptions);
  for (int32_t i = 0; i < count; i++) {
    const int32_t x = xOf(first), y = yOf(first) + i * step;
    homeOptionTouch(i, x, y);
    const bool lit = CGame::menuCursor == i && (!CGame::menuTouchSelect || (CGame::menuTouchBlink & 1) != 0);
    CGame::drawMenuItem(kTextMenus, entries->elements()[i], x, y, 0, lit);
  }
  advanceTap();
  // A home entered over a lobby that kept no avatar (a career continued) makes its own.
  if (isNull(CGame::demoPlayer.get())) CGame::demoPlayer = CGame::createCareerActor();
  const int32_t at = CGame::GetMenuItemPosition(kHomeMenu, kHomeActorItem);
  drawAvatar(xOf(at), yOf(at));
}

void paintLooks() {
  CGame::drawInterfaceBk(nullptr, kBackLabel, kNone);
  CGame::DrawMenu(kLookMenu, false);
  CActor* actor = CGame::demoPlayerAlt;
  if (!isNull(actor) && !isNull(actor->sprite)) actor->sprite->SetCurrentPalette(0);
  const int32_t card = CGame::GetMenuItemPosition(kLookMenu, kLookCardItem);
  CGame::drawPlayerInfo_Career(actor, CGame::careerName, CGame::careerHome, CGame::careerRankingPoints, xOf(card),
                               yOf(card), true);
  // The card shows the actor's frame; the screen keeps it running.
  if (!isNull(actor)) actor->update();
  const int32_t first = CGame::GetMenuItemPosition(kLookMenu, kFirstLookItem);
  const int32_t step = yOf(CGame::GetMenuItemPosition(kLookMenu, kSecondLookItem)) - yOf(first);
  const int32_t count = lookScreenCount();
  for (int32_t i = CGame::rosterFirst0, shown = 0; i < count && shown < kVisibleRows; i++, shown++) {
    const int32_t item = aload(CGame::lookScreenItems.get(), i);
    CGame::drawAbiMenuItem(CGame::GetString(kTextMenus, kFirstLookCaption + item), lookValueText(item), xOf(first),
                           yOf(first) + shown * step, kRowW, kRowH, kValueRow, CGame::menuCursor == i,
                           lookChoices(item) > 1, i);
  }
  CGame::Paint_ArrowsUpDn(kLookMenu, kLookUpItem, kLookDownItem);
}

// Creation rows 2..8 edit the looks in order; the appearance screen offers all seven.
void initAvatarTables() {
  SORV_FRAME("CGame.<clinit> career avatar");
  CGame::lookRowItems = Array::newIntArray(kLookItems);
  CGame::lookScreenItems = Array::newIntArray(kLookItems);
  for (int32_t i = 0; i < kLookItems; i++) {
    astore(CGame::lookRowItems.get(), i, i);
    astore(CGame::lookScreenItems.get(), i, i);
  }
}

}  // namespace

SORV_STATIC_INIT(kCGame, initAvatarTables);

// The demo sprites may have been reloaded since an actor was made (each new career actor
// reloads them): every sprite the avatar is shown on takes the new colours.
void CGame::rebuildAvatarPalette() {
  SORV_FRAME("CGame.rebuildAvatarPalette()V");
  IntArray* colours = buildPlayerPalette(nullptr, careerLook);
  ASprite* sprites[] = {womanAvatar() ? playerSpriteAlt.get() : playerSprite.get(),
                        isNull(demoPlayer.get()) ? nullptr : demoPlayer->sprite,
                        isNull(demoPlayerAlt.get()) ? nullptr : demoPlayerAlt->sprite};
  for (int32_t i = 0; i < 3; i++) {
    ASprite* sprite = sprites[i];
    const bool repeated = (i > 0 && sprite == sprites[0]) || (i > 1 && sprite == sprites[1]);
    if (!isNull(sprite) && !repeated) sprite->changePalette(colours, 0, nullptr);
  }
}

void CGame::enterCareerCreateAvastar() {
  SORV_FRAME("CGame.enterCareerCreateAvastar()V");
  if (isNull(careerCreateRows)) makeCreateRows();
  demoPlayer = createCareerActor();
  rosterFirst0 = 0;
  // The screen repaints itself whole on the menus' background: the name entry's keyboard and
  // rows are not left under it. The cursor row's caption starts where a move starts it.
  updateScreenBufferWithStdSplash();
  scrollStringX = kCaptionRestart;
}

void CGame::updateCareerCreateAvastar() {
  SORV_FRAME("CGame.updateCareerCreateAvastar()V");
  if (menuScreenCode == kConfirmScreen) return updateConfirmation();
  if (isNull(careerCreateRows)) return;
  if ((keys() & kUpKeys) != 0) {
    moveCreateCursor(-1);
  } else if ((keys() & kDownKeys) != 0) {
    moveCreateCursor(1);
  } else if ((keys() & kLeftKeys) != 0) {
    stepCreateRow(-1);
  } else if ((keys() & kRightKeys) != 0) {
    stepCreateRow(1);
  } else if ((keys() & kBackKey) != 0) {
    POP_STATE();
    menuCursor = 0;
  } else if ((keys() & kOkKeys) != 0) {
    updateScreenBufferWithGray();
    MenuPush(kConfirmScreen);
  }
}

void CGame::paintCareerCreateAvastar() {
  SORV_FRAME("CGame.paintCareerCreateAvastar()V");
  if (menuScreenCode == kConfirmScreen) return paintQuestion(kMessageY);
  if (isNull(careerCreateRows)) return;
  paintCreation();
}

void CGame::updateCareerHome() {
  SORV_FRAME("CGame.updateCareerHome()V");
  switch (menuScreenCode) {
    case kHomeScreen: return updateHomeOptions();
    case kLeaveScreen: return updateLeave();
    case kLookScreen: return updateLooks();
    default: return;
  }
}

void CGame::paintCareerHome() {
  SORV_FRAME("CGame.paintCareerHome()V");
  switch (menuScreenCode) {
    case kHomeScreen: return paintHomeOptions();
    case kLookScreen: return paintLooks();
    default: return paintQuestion(kLeaveMessageY);
  }
}

}  // namespace sorv
