#include <algorithm>
#include <cstdio>

#include "device/record_store.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_exceptions.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {

int32_t CGame::rmsMarker = 0;
int32_t CGame::playCount = 0;
int32_t CGame::optionRow1Copy = 0;
bool CGame::menuMarkFlag = true;
StaticRef<IntArray> CGame::setupValues;

namespace {

constexpr int32_t kOptionsLength = 5;
constexpr int32_t kCareerLength = 89;
constexpr int32_t kTournamentLength = 116;
constexpr int32_t kTrainingLength = 11;
constexpr int32_t kSetupLength = 5;
constexpr int32_t kMenuMarkLength = 2;
// After the unlock flags: Gold, the run counter and the 16 player records, 16 bits each.
constexpr int32_t kAchievementTail = 2 + 2 + 2 * CAE::kPlayerRecords;
constexpr int32_t kNameLength = 8;
constexpr int32_t kCareerSlotMan = 17, kCareerSlotWoman = 35;
constexpr int32_t kWomanModes[] = {2, 3};
constexpr int32_t kDrawnUsedSaved = 38;  // the last roster entry of drawUsed is not saved
constexpr int32_t kBracketSizes[] = {8, 4, 2};
constexpr int32_t kTrainingBestScale = 10;
// Record 3's values that index tables, and the ranges it is held to.
constexpr int32_t kLookValues = 7, kLocationStates = 3, kCareerStyles = 3;
constexpr int32_t kLowestPoints = 20, kHighestPoints = 2010, kFullScale = 100;

// A record's bytes through checked access: numbers little-endian, single bytes read back
// sign-extended.
class RecordBytes {
 public:
  explicit RecordBytes(ByteArray* bytes) : bytes_(bytes) {}

  void put8(int32_t at, int32_t v) const { astore(bytes_, at, static_cast<int8_t>(v)); }
  void put16(int32_t at, int32_t v) const { CGame::Mem_SetShort(bytes_, at, static_cast<int16_t>(v)); }
  void put32(int32_t at, int32_t v) const { CGame::Mem_SetInt(bytes_, at, v); }
  int32_t get8(int32_t at) const { return aload(bytes_, at); }
  int32_t getU8(int32_t at) const { return get8(at) & 0xFF; }
  int32_t get16(int32_t at) const { return CGame::Mem_GetShort(bytes_, at); }
  int32_t getU16(int32_t at) const { return get16(at) & 0xFFFF; }
  int32_t get32(int32_t at) const { return CGame::Mem_GetInt(bytes_, at); }

 private:
  ByteArray* bytes_;
};

bool isTrainingRecord(int32_t record) {
  return record >= CGame::kFirstTrainingRecord &&
         record < CGame::kFirstTrainingRecord + CTraining::kGameCount;
}

// The layout's length of a record, -1 for a number that is not a saved record.
int32_t recordLength(int32_t record) {
  if (isTrainingRecord(record)) return kTrainingLength;
  switch (record) {
    case CGame::kMarkerRecord: return 1;
    case CGame::kOptionsRecord: return kOptionsLength;
    case CGame::kCareerRecord: return kCareerLength;
    case CGame::kCareerTournamentRecord:
    case CGame::kTournamentRecord: return kTournamentLength;
    case CGame::kSetupRecord: return kSetupLength;
    case CGame::kAchievementRecord: return CAE::achiCount + kAchievementTail;
    case CGame::kMenuMarkRecord: return kMenuMarkLength;
    default: return -1;
  }
}

// A pending exception is caught here: its stack trace printed, the exception cleared.
bool caught(bool quietly = false) {
  Application* app = Application::instance();
  Throwable* t = Application::pendingException();
  if (app == nullptr || t == nullptr) return false;
  app->m_pendingException = nullptr;
  if (!quietly) printStackTrace(t);
  return true;
}

RecordStore* openStore(bool create) {
  return RecordStore::openRecordStore(StaticClass::getConstant(kConstGameRecordStore), create);
}

template <class A>
void putArray(const RecordBytes& r, int32_t at, A* from, int32_t count) {
  for (int32_t i = 0; i < count; i++) r.put8(at + i, aload(from, i));
}

template <class A>
void getArray(const RecordBytes& r, int32_t at, A* to, int32_t count) {
  for (int32_t i = 0; i < count; i++) astore(to, i, r.get8(at + i));
}

void put16Array(const RecordBytes& r, int32_t at, IntArray* from, int32_t count) {
  for (int32_t i = 0; i < count; i++) r.put16(at + 2 * i, aload(from, i));
}

ByteArray* row(ObjectArray* rows, int32_t i) { return static_cast<ByteArray*>(aload(rows, i)); }

int32_t careerSlot(bool woman) { return woman ? kCareerSlotWoman : kCareerSlotMan; }

// Record 2: play count, sound, the speed unit in force, the chosen speed unit.
void saveOptions(const RecordBytes& r) {
  r.put16(0, CGame::playCount);
  putArray(r, 2, CGame::optionValues.get(), 2);
  r.put8(4, CGame::optionRow1Copy);
}

// The sound option keeps what was chosen at start.
void loadOptions(const RecordBytes& r) {
  CGame::playCount = r.get16(0);
  astore(CGame::optionValues.get(), 1, r.get8(3));
  CGame::optionRow1Copy = r.get8(4);
}

// The weekly update's pending change is saved as already counted in: a save at any frame of
// its count writes the same total, and a week closed before a kill keeps its points.
int32_t savedPoints() {
  const int64_t total = static_cast<int64_t>(CGame::careerRankingPoints) + CGame::careerRankingChange;
  return static_cast<int32_t>(std::clamp<int64_t>(total, kLowestPoints, kHighestPoints));
}

void saveCareer(const RecordBytes& r) {
  r.put8(0, CGame::careerStyle);
  r.put8(1, CGame::careerAvatarKind);
  String* name = CGame::careerName;
  if (!isNull(name)) {
    for (int32_t i = 0; i < std::min(name->length(), kNameLength); i++) r.put8(2 + i, name->units()[i]);
  }
  putArray(r, 10, CGame::careerLook.get(), kLookValues);
  r.put8(17, CGame::careerHome);
  r.put8(18, CGame::careerWeek);
  r.put8(19, CGame::careerTarget);
  r.put8(20, CGame::careerYear);
  r.put32(21, savedPoints());
  put16Array(r, 30, CGame::careerAttrPts, 5);
  r.put8(40, CGame::careerMental);
  r.put8(41, CGame::careerStamina);
  for (int32_t i = 0; i < 6; i++) r.put16(42 + 2 * i, aload(CGame::careerStats.get(), i));
  putArray(r, 54, CTraining::unlockedLevels.get(), CTraining::kGameCount);
  int32_t mode = aload(CGame::matchSettings.get(), 0);
  r.put8(59, std::find(std::begin(kWomanModes), std::end(kWomanModes), mode) != std::end(kWomanModes));
  putArray(r, 60, CGame::careerLocationState.get(), CGame::kCareerLocationCount);
}

// The fields of one career load that lay outside their ranges, told in a single line.
class CareerFaults {
 public:
  // v outside lo..hi: the fresh value is taken and the field noted.
  int32_t keep(const char* field, int32_t index, int32_t v, int32_t lo, int32_t hi, int32_t fresh) {
    if (v >= lo && v <= hi) return v;
    note(field, index, v, fresh);
    return fresh;
  }
  // v outside lo..hi: held to the nearer end.
  int32_t hold(const char* field, int32_t v, int32_t lo, int32_t hi) {
    const int32_t held = std::clamp(v, lo, hi);
    if (held != v) note(field, -1, v, held);
    return held;
  }
  void report() const {
    if (used_ > 0) Debug::trace("RMS: record 3 has values outside their ranges, taken as: %s", text_);
  }

 private:
  void note(const char* field, int32_t index, int32_t from, int32_t to) {
    if (used_ >= sizeof(text_) - 1) return;
    const char* comma = used_ > 0 ? ", " : "";
    const int n = index < 0 ? std::snprintf(text_ + used_, sizeof(text_) - used_, "%s%s %d -> %d", comma, field,
                                            from, to)
                            : std::snprintf(text_ + used_, sizeof(text_) - used_, "%s%s %d %d -> %d", comma,
                                            field, index, from, to);
    used_ = std::min(sizeof(text_) - 1, used_ + static_cast<size_t>(std::max(n, 0)));
  }
  char text_[512] = {};
  size_t used_ = 0;
};

int32_t rowLength(ObjectArray* rows, int32_t i) {
  if (isNull(rows) || !rows->inBounds(i)) return 0;
  ByteArray* list = static_cast<ByteArray*>(rows->elements()[i]);
  return isNull(list) ? 0 : list->length;
}

// Every byte the career uses as an index lies inside what it indexes, the numbers inside their
// ranges: a record written by another build, or damaged, is played on instead of read past
// its tables. A table not loaded keeps the saved looks and styles within the captions.
void checkCareer() {
  CareerFaults f;
  CGame::careerWeek = f.keep("week", -1, CGame::careerWeek, 0, CGame::kCareerWeeks - 1, 0);
  CGame::careerTarget =
      f.keep("target", -1, CGame::careerTarget, 0, rowLength(CGame::careerCalendar, CGame::careerWeek) - 1, 0);
  CGame::careerHome = static_cast<int8_t>(f.keep("home", -1, CGame::careerHome, 0, CGame::kCareerHomes - 1, 0));
  ObjectArray* presets = CGame::attrPresets;
  const int32_t styles = isNull(presets) ? kCareerStyles : std::min(kCareerStyles, presets->length);
  CGame::careerStyle = f.keep("style", -1, CGame::careerStyle, 0, styles - 1, 0);
  ObjectArray* options = CGame::lookItemOptions;
  ByteArray* look = CGame::careerLook;
  for (int32_t k = 0; !isNull(options) && k < kLookValues; k++) {
    look->elements()[k] = static_cast<int8_t>(f.keep("look", k, look->elements()[k], 0, rowLength(options, k) - 1, 0));
  }
  ByteArray* states = CGame::careerLocationState;
  for (int32_t k = 0; k < states->length; k++) {
    states->elements()[k] = static_cast<int8_t>(f.keep("location", k, states->elements()[k], 0, kLocationStates - 1, 0));
  }
  ByteArray* levels = CTraining::unlockedLevels;
  for (int32_t k = 0; k < CTraining::kGameCount; k++) {
    levels->elements()[k] =
        static_cast<int8_t>(f.keep("training level", k, levels->elements()[k], 0, CTraining::kLevelCount, 0));
  }
  CGame::careerRankingPoints = f.hold("points", CGame::careerRankingPoints, kLowestPoints, kHighestPoints);
  CGame::careerStamina = static_cast<int8_t>(f.hold("stamina", CGame::careerStamina, 0, kFullScale));
  CGame::careerMental = CGame::careerMentalPrev = f.hold("mental", CGame::careerMental, 0, kFullScale);
  f.report();
}

void loadCareer(const RecordBytes& r) {
  // The match mode first: it decides the avatar's roster slot.
  bool woman = r.get8(59) != 0;
  astore(CGame::matchSettings.get(), 0, woman ? 2 : 0);
  CGame::careerStyle = r.get8(0);
  CGame::careerAvatarKind = static_cast<int8_t>(r.get8(1));
  astore(CGame::rosterKinds.get(), careerSlot(woman), CGame::careerAvatarKind);
  // One character a byte, as saved: a byte above 127 is that Latin-1 letter again.
  char16_t name[kNameLength];
  for (int32_t i = 0; i < kNameLength; i++) name[i] = static_cast<char16_t>(r.getU8(2 + i));
  CGame::careerName = String::trim(String::fromUnits(name, kNameLength));
  getArray(r, 10, CGame::careerLook.get(), kLookValues);
  CGame::careerHome = static_cast<int8_t>(r.get8(17));
  CGame::careerWeek = r.get8(18);
  CGame::careerTarget = r.get8(19);
  CGame::careerYear = r.get8(20);
  CGame::careerRankingPoints = r.get32(21);
  // The saved points already hold any change still being counted.
  CGame::careerRankingChange = CGame::careerRankingChangeTotal = 0;
  for (int32_t i = 0; i < 5; i++) {
    astore(CGame::careerAttrPts.get(), i, r.get16(30 + 2 * i));
    astore(CGame::careerAttrPtsPrev.get(), i, r.get16(30 + 2 * i));
  }
  CGame::careerMental = CGame::careerMentalPrev = r.get8(40);
  CGame::careerStamina = static_cast<int8_t>(r.get8(41));
  for (int32_t i = 0; i < 6; i++) astore(CGame::careerStats.get(), i, static_cast<int16_t>(r.get16(42 + 2 * i)));
  getArray(r, 54, CTraining::unlockedLevels.get(), CTraining::kGameCount);
  getArray(r, 60, CGame::careerLocationState.get(), CGame::kCareerLocationCount);
  checkCareer();
}

// Records 4 and 6: the same statics, whichever record the caller names.
void saveTournament(const RecordBytes& r) {
  r.put8(0, CGame::tournamentDifficulty);
  putArray(r, 1, CGame::matchSettings.get(), 5);
  r.put8(6, CGame::currentTournament);
  r.put8(7, CGame::tournamentResult);
  r.put8(8, CGame::userSlot);
  putArray(r, 9, CGame::drawSlots.get(), 16);
  putArray(r, 25, CGame::drawUsed.get(), kDrawnUsedSaved);
  for (int32_t i = 0; i < 16; i++) putArray(r, 63 + 2 * i, row(CGame::drawFakeNames, i), 2);
  for (int32_t t = 0, at = 95; t < 3; at += kBracketSizes[t], t++) {
    putArray(r, at, row(CGame::drawScores, t), kBracketSizes[t]);
  }
  r.put8(109, CGame::tournamentSegment);
  r.put8(110, CGame::tournamentRound);
  r.put8(111, CGame::tournamentRoundCount);
  r.put8(112, CGame::segmentLength);
  r.put16(113, CGame::tournamentStrokes);
  r.put8(115, aload(CGame::matchSettings.get(), 0));
}

void loadTournament(const RecordBytes& r) {
  CGame::tournamentDifficulty = r.get8(0);
  getArray(r, 1, CGame::matchSettings.get(), 5);
  CGame::currentTournament = r.get8(6);
  CGame::tournamentResult = r.get8(7);
  CGame::userSlot = r.get8(8);
  getArray(r, 9, CGame::drawSlots.get(), 16);
  getArray(r, 25, CGame::drawUsed.get(), kDrawnUsedSaved);
  for (int32_t i = 0; i < 16; i++) getArray(r, 63 + 2 * i, row(CGame::drawFakeNames, i), 2);
  for (int32_t t = 0, at = 95; t < 3; at += kBracketSizes[t], t++) {
    getArray(r, at, row(CGame::drawScores, t), kBracketSizes[t]);
  }
  CGame::tournamentSegment = r.get8(109);
  CGame::tournamentRound = r.get8(110);
  CGame::tournamentRoundCount = r.get8(111);
  CGame::segmentLength = r.get8(112);
  CGame::tournamentStrokes = r.get16(113);
  astore(CGame::matchSettings.get(), 0, r.get8(115));
}

// Records 8 to 12, the current training game's: the bests in tens, unsigned 16 bits.
void saveTraining(const RecordBytes& r) {
  for (int32_t i = 0; i < CTraining::kLevelCount; i++) {
    int32_t tens = aload(CTraining::levelBest.get(), i) / kTrainingBestScale;
    r.put16(2 * i, std::clamp(tens, 0, 0xFFFF));
  }
  r.put8(10, aload(CTraining::unlockedLevels.get(), CTraining::game));
}

void loadTraining(const RecordBytes& r) {
  for (int32_t i = 0; i < CTraining::kLevelCount; i++) {
    astore(CTraining::levelBest.get(), i, r.getU16(2 * i) * kTrainingBestScale);
  }
  int32_t unlocked = r.get8(10);
  // A damaged byte would unlock levels that do not exist or none at all: start over.
  if (unlocked < 0 || unlocked > CTraining::kLevelCount) {
    Debug::trace("RMS: training record %d unlocks level %d; loaded as 0", CGame::kFirstTrainingRecord + CTraining::game,
                 unlocked);
    unlocked = 0;
  }
  astore(CTraining::unlockedLevels.get(), CTraining::game, static_cast<int8_t>(unlocked));
}

void saveAchievements(const RecordBytes& r) {
  int32_t count = CAE::achiCount;
  putArray(r, 0, CAE::achiUnlocked.get(), count);
  r.put16(count, CAE::achiGold);
  r.put16(count + 2, CAE::achiRun);
  for (int32_t i = 0; i < CAE::kPlayerRecords; i++) r.put16(count + 4 + 2 * i, aload(CAE::achiRecords.get(), i));
}

void loadAchievements(const RecordBytes& r) {
  int32_t count = CAE::achiCount;
  getArray(r, 0, CAE::achiUnlocked.get(), count);
  CAE::achiGold = r.get16(count);
  CAE::achiRun = r.get16(count + 2);
  for (int32_t i = 0; i < CAE::kPlayerRecords; i++) astore(CAE::achiRecords.get(), i, r.get16(count + 4 + 2 * i));
}

void writeRecord(int32_t record, const RecordBytes& r) {
  if (isTrainingRecord(record)) return saveTraining(r);
  switch (record) {
    case CGame::kMarkerRecord: return r.put8(0, CGame::kRecordMarker);
    case CGame::kOptionsRecord: return saveOptions(r);
    case CGame::kCareerRecord: return saveCareer(r);
    case CGame::kCareerTournamentRecord:
    case CGame::kTournamentRecord: return saveTournament(r);
    case CGame::kSetupRecord: return putArray(r, 0, CGame::setupValues.get(), kSetupLength);
    case CGame::kAchievementRecord: return saveAchievements(r);
    case CGame::kMenuMarkRecord: return r.put8(1, CGame::menuMarkFlag ? 0 : 1);
    default: return;
  }
}

void readRecord(int32_t record, const RecordBytes& r) {
  if (isTrainingRecord(record)) return loadTraining(r);
  switch (record) {
    case CGame::kMarkerRecord: CGame::rmsMarker = r.get8(0); return;
    case CGame::kOptionsRecord: return loadOptions(r);
    case CGame::kCareerRecord: return loadCareer(r);
    case CGame::kCareerTournamentRecord:
    case CGame::kTournamentRecord: return loadTournament(r);
    case CGame::kSetupRecord: return getArray(r, 0, CGame::setupValues.get(), kSetupLength);
    case CGame::kAchievementRecord: return loadAchievements(r);
    case CGame::kMenuMarkRecord: CGame::menuMarkFlag = r.get8(1) == 0; return;
    default: return;
  }
}

// What a rebuilt index keeps: one of the store's records, never saved yet or of its layout's
// length.
bool savedRecordReadable(int32_t record, const uint8_t*, size_t size) {
  if (record < 1 || record > CGame::kRecordCount) return false;
  return size == 0 || static_cast<int64_t>(size) == recordLength(record);
}

void initSavedStatics() {
  CGame::rmsMarker = CGame::playCount = CGame::optionRow1Copy = 0;
  CGame::menuMarkFlag = true;
  CGame::setupValues = Array::newIntArray(kSetupLength);
  RecordStore::setRecordCheck(StaticClass::getConstant(kConstGameRecordStore), savedRecordReadable);
}

}  // namespace

SORV_STATIC_INIT(kCGame, initSavedStatics);

bool CGame::RMS(bool save, int32_t record) {
  SORV_FRAME("CGame.RMS(ZI)Z");
  int32_t length = recordLength(record);
  if (length < 0) {
    Debug::trace("RMS: %d is not a saved record", record);
    return false;
  }
  // Each training record holds one game's progress; only the current game's is in memory.
  if (isTrainingRecord(record) && record - kFirstTrainingRecord != CTraining::game) {
    Debug::trace("RMS: record %d is not the current training game's (%d)", record, CTraining::game);
    return false;
  }
  RecordStore* store = openStore(true);
  if (caught() || isNull(store)) return false;
  if (save) {
    ByteArray* bytes = Array::newByteArray(length);
    if (isNull(bytes)) return false;
    writeRecord(record, RecordBytes(bytes));
    // One all-or-nothing write of the record and the index that names it.
    store->setRecord(record, bytes, 0, length);
    return !caught();
  }
  ByteArray* bytes = store->getRecord(record);
  if (caught() || isNull(bytes)) return false;
  // Bytes of another layout would mix fields: nothing is loaded from them.
  if (bytes->length != length) {
    Debug::trace("RMS: record %d holds %d bytes, its layout %d; not loaded", record, bytes->length,
                 length);
    return false;
  }
  readRecord(record, RecordBytes(bytes));
  return true;
}

void CGame::initRMS() {
  SORV_FRAME("CGame.initRMS()V");
  // The marker is what this store says, whatever an earlier start read.
  rmsMarker = 0;
  if (hasRecord(kMarkerRecord)) RMS(false, kMarkerRecord);
  if (rmsMarker == kRecordMarker) return;
  String* name = StaticClass::getConstant(kConstGameRecordStore);
  RecordStore* store = openStore(true);
  if (caught() || isNull(store)) return;
  // Deleting through a second store object would leave this one's id list and counter
  // behind: the store is deleted, then opened afresh, so the new ids start at 1.
  if (store->getNumRecords() > 0 || store->nextRecordID != 0) {
    RecordStore::deleteRecordStore(name);
    if (caught()) return;
    store = openStore(true);
    if (caught() || isNull(store)) return;
  }
  ByteArray* empty = Array::newByteArray(0);
  for (int32_t record = 1; record <= kRecordCount; record++) {
    int32_t id = store->addRecord(empty, 0, 0);
    if (caught()) return;
    if (id != record) {
      Debug::trace("RMS: the rebuilt store gave id %d to record %d", id, record);
      return;
    }
  }
  store->closeRecordStore();
  if (caught()) return;
  // Only a store rebuilt in full is marked good.
  if (RMS(true, kMarkerRecord)) rmsMarker = kRecordMarker;
}

void CGame::resetRMS(int32_t record) {
  SORV_FRAME("CGame.resetRMS(I)V");
  if (record == kCareerRecord) resetCareerData();
  if (record == kCareerTournamentRecord || record == kTournamentRecord) resetTournamentData();
  RecordStore* store = openStore(false);
  if (caught(true) || isNull(store)) return;
  ByteArray* empty = Array::newByteArray(0);
  store->setRecord(record, empty, 0, 0);
  caught(true);
}

bool CGame::hasRecord(int32_t record) {
  SORV_FRAME("CGame.hasRecord(I)Z");
  RecordStore* store = openStore(true);
  if (caught(true) || isNull(store)) return false;
  int32_t size = store->getRecordSize(record);
  if (caught(true) || size <= 0) return false;
  ByteArray* bytes = store->getRecord(record);
  return !caught(true) && !isNull(bytes);
}

}  // namespace sorv
