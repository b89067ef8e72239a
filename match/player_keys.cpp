// The user's keys as the players read them: the running direction and the stroke direction,
// phone-pad digits and arrows alike.
#include "game/cgame.h"
#include "match/ctennis.h"

namespace sorv {

namespace {

constexpr int32_t kAnyMoveKey = 0xF3FE;
struct KeyDir {
  int32_t mask, dir;
};
// The first matching row wins.
constexpr KeyDir kMoveKeys[] = {{0x80, 6},   {0x1100, 2}, {0x200, 8},  {0x2, 7},
                                {0x2004, 1}, {0x8, 5},    {0x4010, 4}, {0x8040, 3}};
constexpr KeyDir kArrowKeys[] = {{0x4000, 2}, {0x8000, 8}, {0x1000, 4}, {0x2000, 6}, {0x10000, 5}};
constexpr int32_t kDigits = 10;

int32_t lowestDigit(int32_t keys) {
  for (int32_t d = 0; d < kDigits; d++) {
    if ((keys & (1 << d)) != 0) return d;
  }
  return -1;
}

}  // namespace

int32_t CTennis::getMoveChoice() {
  const int32_t k = CGame::keysHeld;
  if ((k & kAnyMoveKey) == 0) return 0;
  for (const KeyDir& m : kMoveKeys) {
    if ((k & m.mask) != 0) return m.dir;
  }
  return 0;
}

int32_t CTennis::getStrikeChoiceKeyPress() { return lowestDigit(CGame::keysPressed); }

int32_t CTennis::getStrikeChoiceKeyDownOrPress() {
  const int32_t k = CGame::keysHeld | CGame::keysPressed;
  for (const KeyDir& a : kArrowKeys) {
    if ((k & a.mask) != 0) return a.dir;
  }
  return lowestDigit(k);
}

}  // namespace sorv
