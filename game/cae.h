// CAE: the achievements. A static-only class: the achievement table, which achievements
// are unlocked, the Gold total and its rank, 16 player records with a run counter, two
// display queues of (id, kind) pairs and the timing of the in-play pop-up. Record 14 of the
// saved data holds the unlocks, Gold, run and records.
//
// Invariants:
// - achiTable holds exactly achiCount whole 11-byte records; achiUnlocked has achiCount
//   bytes, each 0 or 1 when set here.
// - Each queue is a ring of (id, kind) pairs; positions are even indices of it. Equal read
//   and write positions mean empty, so a ring holds at most one pair less than it has room
//   for: a push that would fill it is refused. A player record waits at most once a queue.
// - Kind 0 is an achievement, 1 a player record; kind 2 in a query means either.
// Called by the match, training, menus and the state machine; one thread.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class CPlayer;
class IntArray;
class ObjectArray;
class String;

class CAE : public Object {
 public:
  static constexpr ClassId kClassId = kCAE;
  static constexpr int32_t kRecordSize = 11;
  static constexpr int32_t kPlayerRecords = 16;
  static constexpr int32_t kMinRecord = 14;    // the one record where smaller is better
  static constexpr int32_t kServeRecord = 4;   // fastest serve in the unit of option 0
  static constexpr int32_t kServeRecordOtherUnit = 15;
  static constexpr int32_t kRecordNameText = 213;  // text pack 0 id of record 0's name
  static constexpr int32_t kKindAchievement = 0, kKindRecord = 1, kKindAny = 2;
  // The pop-up's ticks: fading in below 9, shown until 13, gone after 21.
  static constexpr int32_t kFadeInEnd = 9, kFadeOutStart = 14, kShowEnd = 21;

  static StaticRef<ByteArray> achiTable;
  static int32_t achiCount;
  static StaticRef<ByteArray> achiUnlocked;
  static int32_t achiGold;
  // Positive: that many record-0 events in a row; negative: record-2 events in a row.
  static int32_t achiRun;
  static StaticRef<IntArray> achiRecords;
  static bool achiChanged;
  static StaticRef<ObjectArray> achiQueues;    // int[32] and int[60]
  static StaticRef<ObjectArray> achiQueuePos;  // per queue {write, read}
  static StaticRef<IntArray> achiShowing;      // the pop-up's {id, kind}, null when none
  static int32_t achiShowStart;
  static int32_t achiFade;  // 0..100

  // The table: a count (byte 0 + byte 1) and 11-byte records. Loads record 14 when saved.
  static void LoadAchiData(ByteArray* data);
  static void initRecordData();

  static int32_t getAchiNum();
  static bool IsValid(int32_t n);
  static bool IsUnlock(int32_t n);
  // Each -1 for an invalid number.
  static int32_t GetAchiTitleId(int32_t n);
  static int32_t GetAchiDescId(int32_t n);
  static int32_t GetAchiGold(int32_t n);
  static int32_t GetAchiData(int32_t n);
  static int32_t GetAchiTag(int32_t n);
  static int32_t GetAchiComp(int32_t n);
  static int32_t GetAchievementRankLevel();

  // Unlocks n and queues it: queue 0's write position; -2 already unlocked; -1 when n is
  // not valid or a tutorial step runs.
  static int32_t PushAchiToShow(int32_t n);
  // The condition form (tag other than 1): -1 not met or not valid, 1 already unlocked.
  static int32_t CheckAchi(int32_t n, bool condition);
  // The value form (tag other than 0): the value against the threshold by comparison code.
  static int32_t CheckAchi(int32_t n, int32_t value);
  // The same forms for a player's deed: -1 when the computer steers that player.
  static int32_t CheckAchi(CPlayer* p, int32_t n, bool condition);
  static int32_t CheckAchi(CPlayer* p, int32_t n, int32_t value);

  static bool isMinRecord(int32_t i);
  static int32_t getRecordVal(int32_t i);
  // Text pack 0's name of record i; null outside 0..15.
  static String* getRecordName(int32_t i);
  static bool checkRecord(int32_t i, int32_t value);
  static void increaseRecord(int32_t i, int32_t amount);
  static int32_t PushRecordToShow(int32_t i);

  // The new write position; -1 when the ring has no room (logged).
  static int32_t pushQueue(int32_t q, int32_t id, int32_t kind);
  static int32_t seekFirstMatchItem(int32_t q, int32_t kind, int32_t id);
  static void deleteQueueItem(int32_t q, int32_t pos);
  // {id, kind} of the oldest pair of the kind, removed; null when there is none.
  static IntArray* popQueue(int32_t q, int32_t kind);
  static IntArray* PopToShow(int32_t q, int32_t kind);
  static int32_t getQueueItemNum(int32_t q, int32_t kind, int32_t id);
  static IntArray* getQueueItems(int32_t q, int32_t kind);
  static bool IsQueueEmpty(int32_t q, int32_t kind);
  static void ClearAchiQueue(int32_t q);
  static void ClearAchiQueue();

  static void StartDisplay(int32_t id, int32_t kind);
  static void update();
  static bool IsTimeOver();
  static bool IsDisplaying();
  static void EndDisplay();

  static void saveAchievement();
};

}  // namespace sorv
