#include <algorithm>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {

StaticRef<String> CGame::careerName;
int8_t CGame::careerAvatarKind = 0;
StaticRef<ByteArray> CGame::careerLook;
int8_t CGame::careerHome = 0;
int32_t CGame::careerWeek = 0;
int32_t CGame::careerTarget = 0;
int32_t CGame::careerYear = 0;
int32_t CGame::careerRankingPoints = 0;
StaticRef<IntArray> CGame::careerAttrPts;
StaticRef<IntArray> CGame::careerAttrPtsPrev;
int32_t CGame::careerMental = 0;
int32_t CGame::careerMentalPrev = 0;
int8_t CGame::careerStamina = 0;
StaticRef<ShortArray> CGame::careerStats;
StaticRef<ByteArray> CGame::careerLocationState;
StaticRef<ObjectArray> CGame::careerCreateRows;

int32_t CGame::tournamentDifficulty = 0;
int32_t CGame::currentTournament = 0;
int32_t CGame::tournamentResult = 0;
int32_t CGame::userSlot = 0;
StaticRef<IntArray> CGame::drawSlots;
StaticRef<ByteArray> CGame::drawUsed;
StaticRef<ObjectArray> CGame::drawFakeNames;
StaticRef<ObjectArray> CGame::drawScores;
int32_t CGame::tournamentSegment = 0;
int32_t CGame::tournamentRound = 0;
int32_t CGame::tournamentRoundCount = 0;
int32_t CGame::segmentLength = 0;
int32_t CGame::tournamentStrokes = 0;
bool CGame::tournamentEnded = false;
bool CGame::tournamentIntro = false;

namespace {

constexpr int32_t kLookValues = 7;
constexpr int32_t kAttributes = 5;
constexpr int32_t kCareerStats = 6;
constexpr int32_t kCareerLocations = 29;
constexpr int32_t kDrawPositions = 16;
constexpr int32_t kRosterEntries = 39;
constexpr int32_t kBracketSizes[] = {8, 4, 2};
constexpr int32_t kNewCareerRankingPoints = 20;
constexpr int32_t kCourtColumn = 0, kGamesColumn = 1, kSetsColumn = 2;
constexpr int32_t kGamesOptions = 5, kSetsOptions = 3, kCourts = 4, kLevels = 3;
constexpr int32_t kDoublesField = 9;
constexpr int32_t kTopTenRank = 10, kTopFiftyRank = 50;
constexpr int32_t kFullStamina = 100;

// Rows of byte arrays, each made before the outer array holds it.
ObjectArray* newByteRows(const int32_t* lengths, int32_t rows) {
  ObjectArray* outer = Array::newObjectArray(kByteArray, rows);
  for (int32_t i = 0; i < rows && !isNull(outer); i++) {
    ByteArray* row = Array::newByteArray(lengths[i]);
    astore(outer, i, row);
  }
  return outer;
}

void zeroBytes(ByteArray* a) {
  if (isNull(a)) return Array::nullPointer();
  for (int32_t i = 0; i < a->length; i++) a->elements()[i] = 0;
}

void zeroInts(IntArray* a) {
  if (isNull(a)) return Array::nullPointer();
  for (int32_t i = 0; i < a->length; i++) a->elements()[i] = 0;
}

// The career and tournament statics of a new run: their arrays in shape, every value 0.
void initCareerStatics() {
  CGame::careerName = StaticClass::getConstant(kConstEmpty);
  CGame::careerAvatarKind = CGame::careerHome = CGame::careerStamina = 0;
  CGame::careerWeek = CGame::careerTarget = CGame::careerYear = CGame::careerRankingPoints = 0;
  CGame::careerMental = CGame::careerMentalPrev = 0;
  CGame::careerLook = Array::newByteArray(kLookValues);
  CGame::careerAttrPts = Array::newIntArray(kAttributes);
  CGame::careerAttrPtsPrev = Array::newIntArray(kAttributes);
  CGame::careerStats = Array::newShortArray(kCareerStats);
  CGame::careerLocationState = Array::newByteArray(kCareerLocations);

  CGame::tournamentDifficulty = CGame::currentTournament = CGame::tournamentResult = 0;
  CGame::userSlot = -1;
  CGame::tournamentSegment = CGame::tournamentRound = CGame::tournamentRoundCount = 0;
  CGame::segmentLength = CGame::tournamentStrokes = 0;
  CGame::tournamentEnded = false;
  CGame::tournamentIntro = false;
  CGame::drawSlots = Array::newIntArray(kDrawPositions);
  CGame::drawUsed = Array::newByteArray(kRosterEntries);
  int32_t pairs[kDrawPositions];
  for (int32_t& length : pairs) length = 2;
  CGame::drawFakeNames = newByteRows(pairs, kDrawPositions);
  CGame::drawScores = newByteRows(kBracketSizes, 3);
}

}  // namespace

SORV_STATIC_INIT(kCGame, initCareerStatics);

void CGame::resetCareerData() {
  SORV_FRAME("CGame.resetCareerData()V");
  careerRankingPoints = kNewCareerRankingPoints;
  careerHome = 0;
  careerYear = careerWeek = careerTarget = 0;
  zeroInts(careerAttrPts);
  zeroInts(careerAttrPtsPrev);
  careerStamina = kFullStamina;
  // The last statistic is not part of a new career's reset.
  for (int32_t i = 0; i < kCareerStats - 1; i++) astore(careerStats.get(), i, 0);
  zeroInts(CTraining::levelBest);
  zeroBytes(CTraining::unlockedLevels);
  careerName = StaticClass::getConstant(kConstEmpty);
  careerAvatarKind = 0;
  careerLook = Array::newByteArray(kLookValues);
  careerCreateRows = nullptr;
  resetAllTournamentPlayable();
}

void CGame::resetTournamentData() {
  SORV_FRAME("CGame.resetTournamentData()V");
  for (int32_t t = 0; t < 3; t++) zeroBytes(static_cast<ByteArray*>(aload(drawScores.get(), t)));
  tournamentIntro = true;
  tournamentEnded = false;
  tournamentRound = 0;
  tournamentResult = 0;
  tournamentStrokes = 0;
}

void CGame::resetAllTournamentPlayable() {
  SORV_FRAME("CGame.resetAllTournamentPlayable()V");
  zeroBytes(careerLocationState);
}

int32_t CGame::tournamentRowValue(int32_t column, int32_t from, int32_t to) {
  ByteArray* table = tournamentTable;
  const int32_t at = currentTournament * kTournamentColumns + column;
  const bool inTable = !isNull(table) && currentTournament >= 0 && at >= 0 && at < table->length;
  const int32_t v = inTable ? table->elements()[at] : from;
  if (inTable && v >= from && v <= to) return v;
  Debug::trace("tournament: row %d column %d holds %d, outside %d..%d; %d taken", currentTournament, column, v, from,
               to, std::clamp(v, from, to));
  return std::clamp(v, from, to);
}

void CGame::setMatchSettingsFromTournamentRow() {
  IntArray* settings = matchSettings;
  astore(settings, 2, tournamentRowValue(kGamesColumn, 0, kGamesOptions - 1));
  astore(settings, 3, tournamentRowValue(kSetsColumn, 0, kSetsOptions - 1));
  astore(settings, 4, tournamentRowValue(kCourtColumn, 0, kCourts - 1));
}

void CGame::initCareerSettingUI() {
  SORV_FRAME("CGame.initCareerSettingUI()V");
  const int32_t rank = mapPts2Rank(careerRankingPoints);
  // A difficulty from a damaged record 4 stays a level the set-up knows.
  const int32_t bonus = rank < kTopTenRank ? 2 : rank < kTopFiftyRank ? 1 : 0;
  const int32_t d = std::clamp(tournamentDifficulty, 0, kLevels - 1) + bonus;
  CTennis::careerFinal = d > kLevels - 1 && isTheFinalRoundOfTournament();
  IntArray* settings = matchSettings;
  const int32_t mode = aload(settings, 0);
  const bool woman = mode == 2 || mode == 3;
  astore(settings, 1, std::min(d, kLevels - 1));
  setMatchSettingsFromTournamentRow();
  const int32_t doubles = careerLocationField(currentTournament, kDoublesField) != 0 ? 1 : 0;
  astore(settings, 0, doubles + (woman ? 2 : 0));
}

}  // namespace sorv
