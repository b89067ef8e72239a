#include "game/cae.h"

#include <algorithm>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"

namespace sorv {

StaticRef<ByteArray> CAE::achiTable;
int32_t CAE::achiCount = 0;
StaticRef<ByteArray> CAE::achiUnlocked;
int32_t CAE::achiGold = 0;
int32_t CAE::achiRun = 0;
StaticRef<IntArray> CAE::achiRecords;
bool CAE::achiChanged = false;
StaticRef<ObjectArray> CAE::achiQueues;
StaticRef<ObjectArray> CAE::achiQueuePos;
StaticRef<IntArray> CAE::achiShowing;
int32_t CAE::achiShowStart = 0;
int32_t CAE::achiFade = 0;

namespace {

constexpr int32_t kHeaderSize = 2;
constexpr int32_t kQueueLengths[] = {32, 60};
constexpr int32_t kQueueCount = 2;
constexpr int32_t kWrite = 0, kRead = 1;
constexpr int32_t kMaxComparison = 4;
constexpr int32_t kBestRecordValue = 32767;  // a minimum record's value before any play
// Rank levels by Gold, highest first.
constexpr int32_t kRankThresholds[] = {6000, 4000, 3000, 2000, 1000};
// The "in a row" records: a row of one is no record worth a pop-up.
constexpr int32_t kInARowRecords[] = {1, 3, 6, 10};

void resetStatics() {
  CAE::achiCount = CAE::achiGold = CAE::achiRun = 0;
  CAE::achiChanged = false;
  CAE::achiShowStart = CAE::achiFade = 0;
}

// Field at byte `at` of record n, big-endian, unsigned.
int32_t fieldU16(int32_t n, int32_t at) {
  return CGame::readShort(CAE::achiTable, n * CAE::kRecordSize + at) & 0xFFFF;
}

int32_t fieldByte(int32_t n, int32_t at) { return aload(CAE::achiTable.get(), n * CAE::kRecordSize + at) & 0xFF; }

IntArray* queue(int32_t q) { return static_cast<IntArray*>(aload(CAE::achiQueues.get(), q)); }
IntArray* positions(int32_t q) { return static_cast<IntArray*>(aload(CAE::achiQueuePos.get(), q)); }

// The ring's length in ints; 0 (nothing fits) when the queue does not exist.
int32_t ringLength(IntArray* ring) { return isNull(ring) ? 0 : ring->length; }

bool inTutorial() { return CTennis::getTutMiniStep() != -1; }

bool metBy(int32_t comparison, int32_t value, int32_t threshold) {
  switch (comparison) {
    case 0: return value == threshold;
    case 1: return value > threshold;
    case 2: return value >= threshold;
    case 3: return value < threshold;
    default: return value <= threshold;
  }
}

// True when pos is the position of a waiting pair of the ring.
bool isWaiting(int32_t q, int32_t pos) {
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ringLength(ring);
  if (length == 0 || isNull(at) || pos < 0 || pos >= length || pos % 2 != 0) return false;
  for (int32_t p = aload(at, kRead); p != aload(at, kWrite); p = (p + 2) % length) {
    if (p == pos) return true;
  }
  return false;
}

}  // namespace

SORV_STATIC_INIT(kCAE, resetStatics);

void CAE::LoadAchiData(ByteArray* data) {
  SORV_FRAME("CAE.LoadAchiData([B)V");
  int32_t count = 0;
  if (isNull(data)) {
    Debug::trace("CAE: no achievement table, none loaded");
  } else if (data->length >= kHeaderSize) {
    count = (data->elements()[0] & 0xFF) + (data->elements()[1] & 0xFF);
    int32_t present = (data->length - kHeaderSize) / kRecordSize;
    // A count beyond the bytes keeps only the records wholly there.
    if (count > present) {
      Debug::trace("CAE: achievement table names %d records, %d are there", count, present);
      count = present;
    }
  }
  achiCount = count;
  achiTable = Array::newByteArray(count * kRecordSize);
  if (count > 0 && !isNull(achiTable.get())) {
    std::copy_n(data->elements() + kHeaderSize, count * kRecordSize, achiTable->elements());
  }
  achiUnlocked = Array::newByteArray(count);
  achiGold = 0;
  achiRun = 0;
  achiQueues = Array::newObjectArray(kIntArray, kQueueCount);
  achiQueuePos = Array::newObjectArray(kIntArray, kQueueCount);
  for (int32_t q = 0; q < kQueueCount; q++) {
    astore(achiQueues.get(), q, Array::newIntArray(kQueueLengths[q]));
    astore(achiQueuePos.get(), q, Array::newIntArray(2));
  }
  achiShowing = nullptr;
  initRecordData();
  if (CGame::hasRecord(CGame::kAchievementRecord)) CGame::RMS(false, CGame::kAchievementRecord);
  achiChanged = false;
}

void CAE::initRecordData() {
  SORV_FRAME("CAE.initRecordData()V");
  achiRecords = Array::newIntArray(kPlayerRecords);
  for (int32_t i = 0; i < kPlayerRecords; i++) {
    astore(achiRecords.get(), i, isMinRecord(i) ? kBestRecordValue : 0);
  }
}

int32_t CAE::getAchiNum() { return achiCount; }

bool CAE::IsValid(int32_t n) { return n >= 0 && n < achiCount; }

bool CAE::IsUnlock(int32_t n) {
  SORV_FRAME("CAE.IsUnlock(I)Z");
  return aload(achiUnlocked.get(), n) == 1;
}

int32_t CAE::GetAchiTitleId(int32_t n) { return IsValid(n) ? fieldU16(n, 2) : -1; }
int32_t CAE::GetAchiDescId(int32_t n) { return IsValid(n) ? fieldU16(n, 4) : -1; }
int32_t CAE::GetAchiGold(int32_t n) { return IsValid(n) ? fieldU16(n, 6) : -1; }
int32_t CAE::GetAchiData(int32_t n) { return IsValid(n) ? fieldU16(n, 8) : -1; }
int32_t CAE::GetAchiTag(int32_t n) { return IsValid(n) ? fieldByte(n, 10) >> 4 : -1; }
int32_t CAE::GetAchiComp(int32_t n) { return IsValid(n) ? fieldByte(n, 10) & 0x0F : -1; }

int32_t CAE::GetAchievementRankLevel() {
  if (achiGold < 0) return -1;
  int32_t level = 5;
  for (int32_t threshold : kRankThresholds) {
    if (achiGold >= threshold) return level;
    level--;
  }
  return 0;
}

int32_t CAE::PushAchiToShow(int32_t n) {
  SORV_FRAME("CAE.PushAchiToShow(I)I");
  if (!IsValid(n) || inTutorial()) return -1;
  if (IsUnlock(n)) return -2;
  // A refused push still unlocks: the Gold is earned whether or not it is announced.
  pushQueue(0, n, kKindAchievement);
  pushQueue(1, n, kKindAchievement);
  astore(achiUnlocked.get(), n, 1);
  achiGold += GetAchiGold(n);
  achiChanged = true;
  return aload(positions(0), kWrite);
}

int32_t CAE::CheckAchi(int32_t n, bool condition) {
  SORV_FRAME("CAE.CheckAchi(IZ)I");
  if (!IsValid(n) || !condition) return -1;
  if (IsUnlock(n)) return 1;
  if (GetAchiTag(n) == 1) return -1;
  return PushAchiToShow(n);
}

int32_t CAE::CheckAchi(int32_t n, int32_t value) {
  SORV_FRAME("CAE.CheckAchi(II)I");
  if (!IsValid(n)) return -1;
  if (IsUnlock(n)) return 1;
  if (GetAchiTag(n) == 0) return -1;
  int32_t comparison = GetAchiComp(n);
  if (comparison > kMaxComparison) return -1;
  return metBy(comparison, value, GetAchiData(n)) ? PushAchiToShow(n) : -1;
}

int32_t CAE::CheckAchi(CPlayer* p, int32_t n, bool condition) {
  SORV_FRAME("CAE.CheckAchi(LCPlayer;IZ)I");
  if (isNull(p)) {
    reportError("NullPointer");
    return -1;
  }
  return p->computerControlled ? -1 : CheckAchi(n, condition);
}

int32_t CAE::CheckAchi(CPlayer* p, int32_t n, int32_t value) {
  SORV_FRAME("CAE.CheckAchi(LCPlayer;II)I");
  if (isNull(p)) {
    reportError("NullPointer");
    return -1;
  }
  return p->computerControlled ? -1 : CheckAchi(n, value);
}

bool CAE::isMinRecord(int32_t i) { return i == kMinRecord; }

int32_t CAE::getRecordVal(int32_t i) {
  SORV_FRAME("CAE.getRecordVal(I)I");
  if (i < 0 || i >= kPlayerRecords) return -1;
  if (i == kServeRecord && aload(CGame::optionValues.get(), 1) == 1) {
    return aload(achiRecords.get(), kServeRecordOtherUnit);
  }
  return aload(achiRecords.get(), i);
}

String* CAE::getRecordName(int32_t i) {
  if (i < 0 || i >= kPlayerRecords) return nullptr;
  return CGame::GetString(0, kRecordNameText + i);
}

bool CAE::checkRecord(int32_t i, int32_t value) {
  SORV_FRAME("CAE.checkRecord(II)Z");
  if (inTutorial() || i < 0 || i >= kPlayerRecords) return false;
  IntArray* records = achiRecords;
  const bool unit1 = aload(CGame::optionValues.get(), 1) == 1;
  int32_t current = aload(records, i == kServeRecord && unit1 ? kServeRecordOtherUnit : i);
  bool better = isMinRecord(i) ? value < current : value > current;
  if (!better) return false;
  if (i == kServeRecord) {
    // Both units are kept, so switching the option shows the same serve.
    astore(records, kServeRecord, unit1 ? value * 10 / 16 : value);
    astore(records, kServeRecordOtherUnit, unit1 ? value : value * 16 / 10);
  } else {
    astore(records, i, value);
  }
  bool rowOfOne = value <= 1 && std::find(std::begin(kInARowRecords), std::end(kInARowRecords),
                                          i) != std::end(kInARowRecords);
  if (!rowOfOne) PushRecordToShow(i);
  achiChanged = true;
  return true;
}

void CAE::increaseRecord(int32_t i, int32_t amount) {
  SORV_FRAME("CAE.increaseRecord(II)V");
  IntArray* records = achiRecords;
  astore(records, i, aload(records, i) + amount);
  if (i == 0) {
    achiRun = achiRun < 0 ? 1 : achiRun + 1;
    if (achiRun >= 1) checkRecord(1, achiRun);
  } else if (i == 2) {
    achiRun = achiRun > 0 ? -1 : achiRun - 1;
    if (achiRun < 0) checkRecord(3, -achiRun);
  }
  // Only set here: an amount below 1 must not clear an unlock still to be saved.
  if (amount >= 1) {
    achiChanged = true;
    pushQueue(0, i, kKindRecord);
    pushQueue(1, i, kKindRecord);
  }
}

int32_t CAE::PushRecordToShow(int32_t i) {
  int32_t first = pushQueue(0, i, kKindRecord);
  pushQueue(1, i, kKindRecord);
  return first;
}

int32_t CAE::pushQueue(int32_t q, int32_t id, int32_t kind) {
  SORV_FRAME("CAE.pushQueue(III)I");
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ringLength(ring);
  if (length == 0 || isNull(at)) {
    reportError("NullPointer");
    return -1;
  }
  if (kind == kKindRecord) {
    int32_t old = seekFirstMatchItem(q, kKindRecord, id);
    if (old != -1) deleteQueueItem(q, old);
  }
  int32_t write = aload(at, kWrite);
  int32_t next = (write + 2) % length;
  // Writing onto the read position would make the ring read as empty.
  if (next == aload(at, kRead)) {
    Debug::trace("CAE: queue %d is full, (%d, %d) not queued", q, id, kind);
    return -1;
  }
  astore(ring, write, id);
  astore(ring, write + 1, kind);
  astore(at, kWrite, next);
  return next;
}

int32_t CAE::seekFirstMatchItem(int32_t q, int32_t kind, int32_t id) {
  SORV_FRAME("CAE.seekFirstMatchItem(III)I");
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ringLength(ring);
  if (length == 0 || isNull(at)) return -1;
  int32_t read = aload(at, kRead), write = aload(at, kWrite);
  if (read == write) return -1;
  if (kind == kKindAny) return read;
  for (int32_t p = read; p != write; p = (p + 2) % length) {
    if (aload(ring, p + 1) == kind && (id == -1 || aload(ring, p) == id)) return p;
  }
  return -1;
}

void CAE::deleteQueueItem(int32_t q, int32_t pos) {
  SORV_FRAME("CAE.deleteQueueItem(II)V");
  if (!isWaiting(q, pos)) {
    Debug::trace("CAE: queue %d holds no pair at %d", q, pos);
    return;
  }
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ring->length;
  int32_t read = aload(at, kRead);
  // The older pairs close the gap, so the others keep their order.
  for (int32_t p = pos; p != read;) {
    int32_t previous = (p - 2 + length) % length;
    astore(ring, p, aload(ring, previous));
    astore(ring, p + 1, aload(ring, previous + 1));
    p = previous;
  }
  astore(at, kRead, (read + 2) % length);
}

IntArray* CAE::popQueue(int32_t q, int32_t kind) {
  SORV_FRAME("CAE.popQueue(II)[I");
  int32_t pos = seekFirstMatchItem(q, kind, -1);
  if (pos == -1) return nullptr;
  IntArray* pair = Array::newIntArray(2);
  IntArray* ring = queue(q);
  astore(pair, 0, aload(ring, pos));
  astore(pair, 1, aload(ring, pos + 1));
  deleteQueueItem(q, pos);
  return pair;
}

IntArray* CAE::PopToShow(int32_t q, int32_t kind) {
  return IsQueueEmpty(q, kind) ? nullptr : popQueue(q, kind);
}

int32_t CAE::getQueueItemNum(int32_t q, int32_t kind, int32_t id) {
  SORV_FRAME("CAE.getQueueItemNum(III)I");
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ringLength(ring);
  if (length == 0 || isNull(at)) return 0;
  int32_t count = 0;
  for (int32_t p = aload(at, kRead); p != aload(at, kWrite); p = (p + 2) % length) {
    if (kind == kKindAny) {
      count++;
    } else if (aload(ring, p + 1) == kind && (id == -1 || aload(ring, p) == id)) {
      count++;
    }
  }
  return count;
}

IntArray* CAE::getQueueItems(int32_t q, int32_t kind) {
  SORV_FRAME("CAE.getQueueItems(II)[I");
  int32_t n = getQueueItemNum(q, kind, -1);
  if (n == 0) return nullptr;
  IntArray* items = Array::newIntArray(2 * n);
  IntArray* ring = queue(q);
  IntArray* at = positions(q);
  int32_t length = ring->length;
  int32_t i = 0;
  for (int32_t p = aload(at, kRead); p != aload(at, kWrite) && i < n; p = (p + 2) % length) {
    if (kind != kKindAny && aload(ring, p + 1) != kind) continue;
    astore(items, 2 * i, aload(ring, p));
    astore(items, 2 * i + 1, aload(ring, p + 1));
    i++;
  }
  return items;
}

bool CAE::IsQueueEmpty(int32_t q, int32_t kind) { return seekFirstMatchItem(q, kind, -1) == -1; }

void CAE::ClearAchiQueue(int32_t q) {
  SORV_FRAME("CAE.ClearAchiQueue(I)V");
  IntArray* at = positions(q);
  astore(at, kWrite, 0);
  astore(at, kRead, 0);
}

void CAE::ClearAchiQueue() {
  for (int32_t q = 0; q < kQueueCount; q++) ClearAchiQueue(q);
  achiShowing = nullptr;
}

void CAE::StartDisplay(int32_t id, int32_t kind) {
  SORV_FRAME("CAE.StartDisplay(II)V");
  achiShowStart = CTennis::matchFrame;
  IntArray* pair = Array::newIntArray(2);
  astore(pair, 0, id);
  astore(pair, 1, kind);
  achiShowing = pair;
  achiFade = 0;
}

void CAE::update() {
  int32_t t = CTennis::matchFrame - achiShowStart;
  if (t < kFadeInEnd) {
    achiFade = std::max(0, t * 100 / 8);
  } else if (t < kFadeOutStart) {
    achiFade = 100;
  } else {
    achiFade = std::max(0, (kShowEnd - t) * 100 / 8);
  }
}

bool CAE::IsTimeOver() { return CTennis::matchFrame - achiShowStart > kShowEnd; }

bool CAE::IsDisplaying() { return !isNull(achiShowing.get()); }

void CAE::EndDisplay() { achiShowing = nullptr; }

void CAE::saveAchievement() {
  SORV_FRAME("CAE.saveAchievement()V");
  // A failed save keeps the flag, so the next save tries again.
  if (achiChanged && CGame::RMS(true, CGame::kAchievementRecord)) achiChanged = false;
}

}  // namespace sorv
