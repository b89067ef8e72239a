// The hidden key sequences and the player-attribute editor that one of them opens. A
// sequence only moves while a screen polls it; the match and training poll theirs.
#include <iterator>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ObjectArray> CGame::cheatCodes;
StaticRef<IntArray> CGame::cheatProgress;
StaticRef<BoolArray> CGame::cheatUnlocked;
StaticRef<ByteArray> CGame::cheatAttrValues;

namespace {

// Game-key masks of the digit keys.
constexpr int32_t k0 = 1, k1 = 2, k2 = 4, k3 = 8, k4 = 16, k5 = 32, k6 = 64, k7 = 128, k8 = 256, k9 = 512;

// Each led by "0" "0": play never presses "0", so the match and training cheats cannot
// complete by accident, and their last keys differ so one sequence never completes another.
constexpr int32_t kCheatCodes[CGame::kCheatCount][CGame::kCheatLength] = {
    {k0, k9, k0, k9},  // 0: cheat menu
    {k0, k0, k0, k1},  // 1: the user wins the match at the next point
    {k0, k0, k0, k2},  // 2: the opponent wins the match
    {k0, k0, k0, k3},  // 3: the user wins the game; training passes
    {k0, k0, k0, k4},  // 4: the opponent wins the game; training fails
    {k0, k0, k0, k5},  // 5: not polled
    {k0, k0, k0, k6},  // 6: the players stop
    {k0, k0, k0, k7},  // 7: nothing reads it
    {k0, k0, k0, k8},  // 8: thunder serve
    {k0, k0, k0, k9},  // 9: attribute editor
    {k0, k0, k0, k0},  // 10: not polled
    {k0, k0, k9, k1},  // 11: career lobby, next week
    {k0, k0, k9, k2},  // 12: career lobby, ranking points
};

// The editor's rows: the attribute names of text pack 0, in attribute byte order.
constexpr int32_t kAttrLabels[] = {79, 80, 81, 82, 83};
constexpr int32_t kAttrRows = static_cast<int32_t>(std::size(kAttrLabels));
constexpr int32_t kAttrMin = 1, kAttrMax = 6;
constexpr int32_t kEditorTitle = 93;
constexpr int32_t kEditorScreen = 100;
constexpr int32_t kPauseState = 42;
constexpr int32_t kRowX = 40, kRowY = 80, kRowStep = 60, kRowStyle = 0;
constexpr int32_t kKeysDown = 0x1100, kKeysUp = 0x2004, kKeysLess = 0x4010, kKeysMore = 0x8040;

constexpr int32_t kCheatMenuPick = 4;
constexpr int32_t kNextWeekCheat = 11, kRankingCheat = 12;
constexpr int32_t kRankingBonus = 200;
constexpr int32_t kLobbyMessageScreen = 35, kLobbyQueryScreen = 32;

bool cheatInRange(int32_t n) {
  if (n >= 0 && n < CGame::kCheatCount) return true;
  Debug::trace("cheat %d does not exist", n);
  return false;
}

void initCheatTables() {
  CGame::cheatCodes = Array::newObjectArray(0, CGame::kCheatCount);
  for (int32_t n = 0; n < CGame::kCheatCount && !isNull(CGame::cheatCodes.get()); n++) {
    IntArray* row = Array::fillInts(Array::newIntArray(CGame::kCheatLength), kCheatCodes[n], CGame::kCheatLength);
    CGame::cheatCodes->elements()[n] = row;
  }
  CGame::cheatProgress = Array::newIntArray(CGame::kCheatCount);
  CGame::cheatUnlocked = Array::newBooleanArray(CGame::kCheatCount);
  CGame::cheatAttrValues = Array::newByteArray(kAttrRows);
}

// Byte order of the player's five attributes.
int32_t* attributeOf(CPlayer* p, int32_t i) {
  int32_t* fields[] = {&p->attr0, &p->attrServe, &p->attr2, &p->attrSpeed, &p->attrStroke};
  return fields[i];
}

}  // namespace

SORV_STATIC_INIT(kCGame, initCheatTables);

bool CGame::Game_updateCheat(int32_t cheat) {
  SORV_FRAME("CGame.Game_updateCheat(I)Z");
  if (!cheatInRange(cheat)) return false;
  IntArray* progress = cheatProgress;
  IntArray* codes = static_cast<IntArray*>(aload(cheatCodes.get(), cheat));
  if (isNull(progress) || isNull(codes)) return false;
  int32_t step = aload(progress, cheat);
  if (step < 0 || step >= codes->length) step = 0;
  if ((keysPressed & aload(codes, step)) != 0) {
    step++;
    if (step < codes->length) {
      astore(progress, cheat, step);
      return false;
    }
    astore(progress, cheat, 0);
    astore(cheatUnlocked.get(), cheat, 1);
    return true;
  }
  if (keysPressed != 0) astore(progress, cheat, 0);
  return false;
}

bool CGame::Game_isCheatValid(int32_t cheat) {
  return cheatInRange(cheat) && aload(cheatUnlocked.get(), cheat) != 0;
}

void CGame::Game_resetCheatState(int32_t cheat) {
  if (cheatInRange(cheat)) astore(cheatUnlocked.get(), cheat, 0);
}

void CGame::forgetCheats() {
  // A sequence half typed when a match ended would make the next match's first try miss,
  // and a won match or game still owed would decide the next match's first point.
  IntArray* progress = cheatProgress;
  BoolArray* unlocked = cheatUnlocked;
  for (int32_t n = 0; n < kCheatCount; n++) {
    if (!isNull(progress) && progress->inBounds(n)) astore(progress, n, 0);
    if (!isNull(unlocked) && unlocked->inBounds(n)) astore(unlocked, n, 0);
  }
}

void CGame::updateCheatMenuCheats() {
  if (!Game_updateCheat(0)) return;
  // The pick must be one of the screen's entries.
  IntArray* entries = menuItems;
  if (!isNull(entries) && entries->length > kCheatMenuPick) {
    menuCursor = kCheatMenuPick;
  } else {
    Debug::trace("cheat menu has no entry %d", kCheatMenuPick);
  }
}

void CGame::updateCareerCheats() {
  if (menuScreenCode == kLobbyMessageScreen || menuScreenCode == kLobbyQueryScreen) return;
  if (Game_updateCheat(kNextWeekCheat)) nextWeek();
  if (Game_updateCheat(kRankingCheat)) {
    careerRankingPoints += kRankingBonus;
    if (careerRankingPoints < 1) careerRankingPoints = 1;
  }
}

void CGame::initCheat_PlayerAttr() {
  SORV_FRAME("CGame.initCheat_PlayerAttr()V");
  CPlayer* player = CTennis::player;
  if (isNull(player)) return;
  for (int32_t i = 0; i < kAttrRows; i++) astore(cheatAttrValues.get(), i, static_cast<int8_t>(*attributeOf(player, i)));
  choiceIndex = 0;
  MenuPush(kEditorScreen);
  PUSH_STATE(kPauseState);
}

void CGame::updateCheat_PlayerAttr() {
  SORV_FRAME("CGame.updateCheat_PlayerAttr()V");
  ByteArray* values = cheatAttrValues;
  if (isNull(values)) return;
  // The shared index may come from another screen.
  if (choiceIndex < 0 || choiceIndex >= kAttrRows) choiceIndex = 0;
  const int32_t keys = keysPressed;
  const int32_t value = aload(values, choiceIndex);
  if (keys & kKeysDown) {
    choiceIndex = (choiceIndex + 1) % kAttrRows;
  } else if (keys & kKeysUp) {
    choiceIndex = (choiceIndex + kAttrRows - 1) % kAttrRows;
  } else if (keys & kKeysLess) {
    astore(values, choiceIndex, static_cast<int8_t>(value - 1 < kAttrMin ? kAttrMin : value - 1));
  } else if (keys & kKeysMore) {
    astore(values, choiceIndex, static_cast<int8_t>(value + 1 > kAttrMax ? kAttrMax : value + 1));
  } else if (keys & kKeySoftRight) {
    CPlayer* player = CTennis::player;
    if (!isNull(player)) player->initPlayerAttr(values);
    MenuPop();
    POP_STATE();
  }
}

void CGame::paintCheat_PlayerAttr() {
  SORV_FRAME("CGame.paintCheat_PlayerAttr()V");
  drawBk(GetString(kTextGeneral, kEditorTitle), -1, -1, nullptr);
  ByteArray* values = cheatAttrValues;
  if (isNull(values)) return;
  for (int32_t row = 0; row < kAttrRows; row++) {
    StringBuffer* text = StringBuffer::create(8);
    StringBuffer::appendString(text, StaticClass::getConstant(kConstEmpty));
    StringBuffer::appendInt(text, aload(values, row));
    ObjectArray* names = Array::newObjectArray(0, 1);
    if (isNull(names)) return;
    names->elements()[0] = text->toString();
    drawOptMenu(kTextGeneral, kAttrLabels[row], names, kRowX, kRowY + row * kRowStep, kRowStyle, row, 0,
                row == choiceIndex, false);
  }
}

}  // namespace sorv
