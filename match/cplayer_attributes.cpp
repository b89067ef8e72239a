// A player's five attributes (1..5) and a computer player's five ability levels (0..4):
// from the roster and the computer level at set-up, the pressure boost during a match, and
// the return to the set-up values after each point.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "runtime/frames.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kAttributes = 5;
constexpr int32_t kCreatedPlayerHead = 17;
// setAbilityLevels: level k comes from attribute byte kLevelByte[k].
constexpr int32_t kLevelByte[kAttributes] = {0, 3, 2, 4, 1};

int32_t* attrField(CPlayer* p, int32_t byteIndex) {
  switch (byteIndex) {
    case 0: return &p->attr0;
    case 1: return &p->attrServe;
    case 2: return &p->attr2;
    case 3: return &p->attrSpeed;
    default: return &p->attrStroke;
  }
}

// Roster value 1..100 to level 1..5; five-entry tables behind every level keep it there.
int32_t levelOf(int32_t value) { return clampInt(idiv(value - 1, 20) + 1, 1, 5); }

IntArray* tableRow(ObjectArray* table, int32_t row) {
  if (isNull(table) || row < 0 || row >= table->length) return nullptr;
  return static_cast<IntArray*>(table->elements()[row]);
}

}  // namespace

int32_t CPlayer::attr(int32_t byteIndex) const {
  return *attrField(const_cast<CPlayer*>(this), byteIndex);
}

void CPlayer::initPlayerAttr(ByteArray* values) {
  SORV_FRAME("CPlayer.initPlayerAttr([B)V");
  for (int32_t k = 0; k < kAttributes; k++) *attrField(this, k) = aload(values, k);
}

void CPlayer::setAbilityLevels(ByteArray* values) {
  SORV_FRAME("CPlayer.setAbilityLevels([B)V");
  if (isNull(aiLevels)) aiLevels = Array::newIntArray(kAttributes);
  for (int32_t k = 0; k < kAttributes; k++) astore(aiLevels, k, aload(values, kLevelByte[k]) - 1);
}

void CPlayer::tunePlayerAttrAndAbility(int32_t delta) {
  SORV_FRAME("CPlayer.tunePlayerAttrAndAbility(I)V");
  for (int32_t k = 0; k < kAttributes; k++) {
    int32_t* a = attrField(this, k);
    *a = clampInt(*a + delta, 1, 5);
  }
  if (type != kTypeComputer) return;
  for (int32_t k = 0; k < kAttributes && !isNull(aiLevels); k++) {
    if (CGame::RAND(20, 100) < tuneChance) astore(aiLevels, k, clampInt(aload(aiLevels, k) + delta, 0, 4));
  }
  preServeAction = true;
}

String* CPlayer::getPlayerName() {
  return CGame::gePlayerName(rosterIndex, firstNameIndex, lastNameIndex);
}

int32_t CPlayer::getPlayerHeadImgID() { return firstNameIndex != -1 ? kCreatedPlayerHead : rosterIndex; }

ByteArray* CTennis::caculatePlayerNPCAttr(int32_t roster, int32_t level, bool attributes) {
  SORV_FRAME("CTennis.caculatePlayerNPCAttr(IIZ)[B");
  ByteArray* out = Array::newByteArray(kAttributes);
  IntArray* base = tableRow(attributes ? CPlayer::rosterAttr : CPlayer::npcAbilityBase, roster);
  IntArray* bonus = tableRow(attributes ? CPlayer::npcAttrBonus : CPlayer::npcAbilityBonus, level);
  for (int32_t k = 0; k < kAttributes; k++) {
    const int32_t value = idiv(intAt(base, k) - 1, 20) + intAt(bonus, k) + 1;
    astore(out, k, clampInt(value, 1, 5));
  }
  return out;
}

void CTennis::setPlayerAttr(CPlayer* p, int32_t roster) {
  SORV_FRAME("CTennis.setPlayerAttr(LCPlayer;I)V");
  if (isNull(p)) return;
  int32_t level = 0;
  if (roster == -1) {
    roster = p->rosterIndex;
    level = player_detail::difficulty();
  }
  if (p->type == RigidBody::kTypeComputer && p != partner.get()) {
    p->initPlayerAttr(caculatePlayerNPCAttr(roster, level, true));
    p->setAbilityLevels(caculatePlayerNPCAttr(roster, level, false));
  } else {
    ByteArray* values = Array::newByteArray(kAttributes);
    IntArray* base = tableRow(CPlayer::rosterAttr, roster);
    for (int32_t k = 0; k < kAttributes; k++) astore(values, k, levelOf(intAt(base, k)));
    p->initPlayerAttr(values);
  }
  p->preServeAction = false;
}

// After a point every player goes back to what it had at set-up: the career avatar keeps
// the attributes its career gave it rather than its roster slot's.
void CTennis::resetAllPlayersAttr() {
  SORV_FRAME("CTennis.resetAllPlayersAttr()V");
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = static_cast<CPlayer*>(aload(players.get(), i));
    if (isNull(p)) continue;
    if (!p->setUpAttrKept) {
      for (int32_t k = 0; k < kAttributes; k++) {
        p->setUpAttr[k] = p->attr(k);
        p->setUpLevels[k] = isNull(p->aiLevels) ? 0 : aload(p->aiLevels, k);
      }
      p->setUpAttrKept = true;
    }
    for (int32_t k = 0; k < kAttributes; k++) {
      *attrField(p, k) = p->setUpAttr[k];
      if (!isNull(p->aiLevels)) astore(p->aiLevels, k, p->setUpLevels[k]);
    }
    p->preServeAction = false;
  }
}

}  // namespace sorv
