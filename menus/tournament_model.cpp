// The knock-out tournament of the career and of the main menu's tournament entry: segment
// geometry, filling a segment around the user, the other matches' simulation, the user's
// result, the career's played/won flags and the points a result earns.
#include <algorithm>
#include <cstdint>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "menus/tournament_shape.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "sprites/cactor.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

using namespace tournament;

constexpr int32_t kMaxScore = 3;
constexpr int32_t kMatchWin = 2;  // sets given to the winner of a simulated match
constexpr int32_t kMaxDraws = 32;

constexpr int32_t kTableColumns = 11;
constexpr int32_t kFirstLossColumn = 7, kLastLossColumn = 9, kWinColumn = 10, kPointsScale = 10;

constexpr int32_t kPlayed = 1, kWon = 2;
constexpr int32_t kTournamentChoice = 4;
constexpr int32_t kMainCourt = 2;
constexpr int32_t kMainTournaments[] = {2, 4};

constexpr int32_t kAvatarMan = 17, kAvatarWoman = 35;
constexpr int32_t kAvatarPower = 100, kWeakPercent = 66, kAttributes = 5;

constexpr int32_t kAchiChampion = 4, kAchiTournamentChampion = 53, kAchiGrandSlam = 54, kAchiDoublesChampions = 55;
// careerStats entries and the match statistics rows (the user's side) they grow by.
constexpr int32_t kStatSetsWon = 2, kStatSetsLost = 3, kStatShots = 4, kStatAces = 5;
constexpr int32_t kShotRows[] = {2, 6}, kAceRow = 9;

constexpr int32_t kSelectionTournamentScreen = 9, kSelectionTournamentState = 54;

// Options of each match setting: mode, level, games, sets, court.
constexpr int32_t kSettingOptions[CGame::kSetupRows] = {5, 3, 5, 3, 4};

int32_t mode() { return aload(CGame::matchSettings.get(), 0); }
bool womenOnly() { return mode() == 2 || mode() == 3; }
bool mixed() { return mode() == 4; }
int32_t avatarEntry() { return womenOnly() ? kAvatarWoman : kAvatarMan; }

// The roster group of a draw position: mixed doubles alternate, women's modes use group 1.
int32_t groupOf(int32_t pos) { return womenOnly() || (mixed() && (pos & 1) != 0) ? 1 : 0; }
int32_t partnerGroup() { return womenOnly() || mixed() ? 1 : 0; }

int32_t randomEntryOf(int32_t group) {
  const int32_t first = CGame::GetAvastar_Offset(group);
  return CGame::RAND(first, first + CGame::GetAvastar_Count(group) - 1);
}

ByteArray* table(int32_t t) { return static_cast<ByteArray*>(aload(CGame::drawScores.get(), t)); }

// The three result tables a match result is written into, drawn by newTournament, and a
// round among them.
bool hasBracket(int32_t turn) {
  ObjectArray* results = CGame::drawScores;
  if (turn < 0 || turn >= kBracketTables) return false;
  if (isNull(results) || results->length < kBracketTables || isNull(CGame::drawSlots.get())) return false;
  for (int32_t t = 0; t < kBracketTables; t++) {
    ByteArray* scores = static_cast<ByteArray*>(results->elements()[t]);
    if (isNull(scores) || scores->length < kBracketSizes[t]) return false;
  }
  return true;
}
ByteArray* fakeName(int32_t pos) { return static_cast<ByteArray*>(aload(CGame::drawFakeNames.get(), pos)); }
bool isUsed(int32_t entry) { return aload(CGame::drawUsed.get(), entry) != 0; }
int32_t nameCount(ObjectArray* names) { return isNull(names) ? 0 : names->length; }

void place(int32_t pos, int32_t entry) {
  astore(CGame::drawSlots.get(), pos, entry);
  astore(CGame::drawUsed.get(), entry, int8_t{1});
}

bool holdsName(int32_t first, int32_t last) {
  for (int32_t pos = 0; pos < kDrawPositions; pos++) {
    ByteArray* pair = fakeName(pos);
    if (aload(pair, 0) == first && aload(pair, 1) == last) return true;
  }
  return false;
}

// A generated player's name no draw position holds yet. Random draws first; a table too
// small to draw from soon falls back to the first free pair, and when every pair is taken a
// repeated one is better than no name.
void drawFakeName(int32_t pos, bool& repeatLogged) {
  const int32_t firsts = std::max(1, nameCount(CGame::firstNames));
  const int32_t lasts = std::max(1, nameCount(CGame::lastNames));
  int32_t first = 0, last = 0;
  bool free = false;
  for (int32_t draw = 0; draw < kMaxDraws && !free; draw++) {
    first = CGame::RAND(0, firsts - 1);
    last = CGame::RAND(0, lasts - 1);
    free = !holdsName(first, last);
  }
  for (int32_t f = 0; f < firsts && !free; f++) {
    for (int32_t l = 0; l < lasts && !free; l++) {
      if (!holdsName(f, l)) first = f, last = l, free = true;
    }
  }
  if (!free && !repeatLogged) {
    Debug::trace("tournament: %d x %d generated names are all in the draw; a name repeats", firsts, lasts);
    repeatLogged = true;
  }
  astore(fakeName(pos), 0, static_cast<int8_t>(first));
  astore(fakeName(pos), 1, static_cast<int8_t>(last));
}

// The user's partner: an entry of the partner group not yet placed, -1 when none is left.
int32_t drawPartner() {
  const int32_t group = partnerGroup();
  for (int32_t draw = 0; draw < kMaxDraws; draw++) {
    const int32_t entry = randomEntryOf(group);
    if (!isUsed(entry)) return entry;
  }
  const int32_t first = CGame::GetAvastar_Offset(group);
  for (int32_t entry = first; entry < first + CGame::GetAvastar_Count(group); entry++) {
    if (!isUsed(entry)) return entry;
  }
  Debug::trace("tournament: no partner left in group %d; a generated player partners the user", group);
  return -1;
}

// The power of whoever sits at a draw position; an empty one has none.
int32_t positionPower(int32_t pos) {
  const int32_t entry = aload(CGame::drawSlots.get(), pos);
  if (entry < 0) return 0;
  return CGame::getPlayerAttrPower(entry, aload(fakeName(pos), 0) != -1);
}

int32_t sidePower(int32_t firstPos) {
  if (!CGame::isDouble()) return positionPower(firstPos);
  return positionPower(firstPos) + positionPower(firstPos + 1);
}

// The segment's rounds when the tournament stands at the given round. A finished tournament
// keeps its last segment: its round count, a multiple of three, would otherwise give none.
int32_t segmentRoundsAt(int32_t round) {
  const int32_t rounds = CGame::tournamentRoundCount;
  const int32_t r = std::min(round, rounds - 1);
  return r / kSegmentRounds < rounds / kSegmentRounds ? kSegmentRounds : rounds % kSegmentRounds;
}

int32_t roundBase() { return kSegmentRounds - CGame::getFakeTournamentRoundCount(); }

bool settingsInRange() {
  for (int32_t r = 0; r < CGame::kSetupRows; r++) {
    const int32_t v = aload(CGame::matchSettings.get(), r);
    if (v < 0 || v >= kSettingOptions[r]) return false;
  }
  return true;
}

bool nameInRange(int32_t index, ObjectArray* names) {
  return index >= 0 && index < std::max(1, nameCount(names));
}

// The first field of the loaded tournament that is out of range or disagrees with the
// others, or null when it can be played.
const char* tournamentFault() {
  const int32_t rounds = CGame::tournamentRoundCount, round = CGame::tournamentRound;
  ByteArray* rows = CGame::tournamentTable;
  const int32_t tournaments = isNull(rows) ? 0 : rows->length / kTableColumns;
  if (CGame::currentTournament < 0 || CGame::currentTournament >= tournaments) return "tournament outside the table";
  if (!settingsInRange()) return "match settings out of range";
  if (rounds < 1 || rounds > kMaxRounds) return "round count out of range";
  if (round < 0 || round > rounds) return "round past the round count";
  if (CGame::segmentLength != kSegmentRounds) return "segment length not 3";
  if (CGame::tournamentSegment != std::min(round, rounds - 1) / kSegmentRounds) return "segment disagrees with the round";
  if (CGame::tournamentResult < -1 || CGame::tournamentResult > 1) return "result out of range";
  for (int32_t pos = 0; pos < kDrawPositions; pos++) {
    const int32_t entry = aload(CGame::drawSlots.get(), pos);
    if (entry < -1 || entry > kLastRosterEntry) return "draw entry out of range";
    const int32_t first = aload(fakeName(pos), 0), last = aload(fakeName(pos), 1);
    const bool real = first == -1 && last == -1;
    if (!real && !(nameInRange(first, CGame::firstNames) && nameInRange(last, CGame::lastNames))) {
      return "generated name outside the name tables";
    }
  }
  const int32_t positions = CGame::getFakeTournamentPlayersCount(segmentRoundsAt(round));
  const int32_t slot = CGame::userSlot;
  if (slot < 0 || slot >= positions || aload(CGame::drawSlots.get(), slot) == -1) return "user outside the draw";
  for (int32_t t = 0; t < kBracketTables; t++) {
    for (int32_t e = 0; e < kBracketSizes[t]; e++) {
      const int32_t score = aload(table(t), e);
      if (score < 0 || score > kMaxScore) return "score out of range";
    }
  }
  return nullptr;
}

void growStat(int32_t stat, int32_t by) {
  ShortArray* stats = CGame::careerStats;
  astore(stats, stat, static_cast<int16_t>(aload(stats, stat) + by));
}

// The career's share of a finished match: sets, shots, aces and strokes.
void addCareerMatch(int32_t own, int32_t rival) {
  growStat(kStatSetsWon, own);
  growStat(kStatSetsLost, rival);
  growStat(kStatShots, CTennis::matchStat(kShotRows[0], 0) + CTennis::matchStat(kShotRows[1], 0));
  growStat(kStatAces, CTennis::matchStat(kAceRow, 0));
  CGame::tournamentStrokes += CTennis::matchStrokes;
}

}  // namespace

int32_t CGame::getFakeTournamentRoundCount() { return segmentRoundsAt(tournamentRound); }

int32_t CGame::getFakeTournamentRoundIndex() { return roundBase() + tournamentRound % kSegmentRounds; }

int32_t CGame::getFakeTournamentPlayersCount(int32_t rounds) { return 1 << (isDouble() ? rounds + 1 : rounds); }

int32_t CGame::getPlayerIndexInRecord(int32_t t) { return userSlot >> (t - roundBase() + (isDouble() ? 1 : 0)); }

int32_t CGame::getPlayerStartTournamentIndex(int32_t t, int32_t e) {
  SORV_FRAME("CGame.getPlayerStartTournamentIndex(II)I");
  if (t <= roundBase()) return e;
  ByteArray* previous = table(t - 1);
  // A tie goes to the even entry.
  const int32_t winner = aload(previous, 2 * e) >= aload(previous, 2 * e + 1) ? 2 * e : 2 * e + 1;
  return getPlayerStartTournamentIndex(t - 1, winner);
}

void CGame::setTournamentPlayed(int32_t i) {
  if (careerLocationState->inBounds(i)) astore(careerLocationState.get(), i, static_cast<int8_t>(kPlayed));
}

void CGame::setTournamentWin(int32_t i) {
  if (careerLocationState->inBounds(i)) astore(careerLocationState.get(), i, static_cast<int8_t>(kWon));
}

bool CGame::isTounamentPlayed(int32_t i) {
  return careerLocationState->inBounds(i) && aload(careerLocationState.get(), i) > 0;
}

bool CGame::isTounamentWin(int32_t i) {
  return careerLocationState->inBounds(i) && aload(careerLocationState.get(), i) == kWon;
}

bool CGame::isGrandSlamer() {
  return (isTounamentWin(0) || isTounamentWin(20)) && isTounamentWin(1) && isTounamentWin(2) &&
         (isTounamentWin(3) || isTounamentWin(4));
}

bool CGame::isMainTournament() {
  if (CTennis::currentCourt != kMainCourt || CTennis::isTraining) return false;
  if (!isCareer && mainMenuChoice != kTournamentChoice) return true;
  return std::find(std::begin(kMainTournaments), std::end(kMainTournaments), currentTournament) !=
         std::end(kMainTournaments);
}

bool CGame::isTheFinalRoundOfTournament() {
  return (isCareer || mainMenuChoice == kTournamentChoice) && tournamentRound == tournamentRoundCount - 1;
}

// A loss pays by the round it came in, the loss columns ending before the champion's; a won
// match before the final pays nothing yet, or every round won would pay the title.
int32_t CGame::getPointsForCurrentTournament() {
  SORV_FRAME("CGame.getPointsForCurrentTournament()I");
  if (tournamentResult == 0 || (tournamentResult == 1 && tournamentRound < tournamentRoundCount)) return 0;
  const int32_t column =
      tournamentResult == 1 ? kWinColumn : std::min(kFirstLossColumn + tournamentRound, kLastLossColumn);
  return aload(tournamentTable.get(), currentTournament * kTableColumns + column) * kPointsScale;
}

void CGame::newTournament(int32_t rounds) {
  SORV_FRAME("CGame.newTournament(I)V");
  tournamentRoundCount = rounds;
  tournamentRound = 0;
  tournamentSegment = 0;
  userSlot = -1;
  segmentLength = kSegmentRounds;
  ByteArray* used = drawUsed;
  std::fill(used->elements(), used->elements() + used->length, int8_t{0});
  newFakeTournament();
}

void CGame::newFakeTournament() {
  SORV_FRAME("CGame.newFakeTournament()V");
  for (int32_t t = 0; t < kBracketTables; t++) {
    ByteArray* scores = Array::newByteArray(kBracketSizes[t]);
    if (isNull(scores)) return;
    astore(drawScores.get(), t, scores);
  }
  for (int32_t pos = 0; pos < kDrawPositions; pos++) {
    astore(drawSlots.get(), pos, -1);
    astore(fakeName(pos), 0, int8_t{-1});
    astore(fakeName(pos), 1, int8_t{-1});
  }
}

void CGame::fullPlayerListByRandomWithFakePlayers(int32_t positions, bool, int32_t player, int32_t partner) {
  SORV_FRAME("CGame.fullPlayerListByRandomWithFakePlayers(IZII)V");
  if (userSlot == -1) {
    userSlot = RAND(0, positions - 1);
    if (player == -1) player = randomEntryOf(womenOnly() ? 1 : 0);
    place(userSlot, player);
    if (isDouble()) {
      if (partner == -1) partner = drawPartner();
      if (partner != -1) place(EvenOddSwitch(userSlot), partner);
    }
  }
  // Under three rounds a third of the rounds is none: every roster candidate is kept.
  const int32_t famousChance = std::max(1, tournamentRoundCount / kSegmentRounds);
  bool repeatLogged = false;
  for (int32_t pos = 0; pos < positions; pos++) {
    if (aload(drawSlots.get(), pos) != -1) continue;
    const int32_t group = groupOf(pos);
    const int32_t candidate = getARandomFamousPlayer(group);
    if (candidate != -1 && RAND(1, famousChance) <= tournamentSegment + 1) {
      place(pos, candidate);
      continue;
    }
    // A generated player: a roster look and strength, not marked used, and a new name.
    astore(drawSlots.get(), pos, candidate != -1 ? candidate : randomEntryOf(group));
    drawFakeName(pos, repeatLogged);
  }
}

bool CGame::isThisTurnPlayed(int32_t t) {
  ByteArray* scores = table(t);
  for (int32_t e = 0; e < scores->length; e++) {
    if (aload(scores, e) != 0) return true;
  }
  return false;
}

void CGame::generateTournamentOtherMatchScore(int32_t t) {
  SORV_FRAME("CGame.generateTournamentOtherMatchScore(I)V");
  ByteArray* scores = table(t);
  const int32_t width = isDouble() ? 2 : 1;
  for (int32_t e = 0; e + 1 < scores->length; e += 2) {
    const int32_t powerA = sidePower(getPlayerStartTournamentIndex(t, e) * width);
    const int32_t powerB = sidePower(getPlayerStartTournamentIndex(t, e + 1) * width);
    // Side A wins with powerA / (powerA + powerB + 1): two powerless sides give B the match.
    const int32_t winner = RAND(0, powerA + powerB) < powerA ? e : e + 1;
    astore(scores, winner, static_cast<int8_t>(kMatchWin));
  }
}

void CGame::tournamentMatchOver(int32_t own, int32_t rival) {
  SORV_FRAME("CGame.tournamentMatchOver(II)V");
  const int32_t t = getFakeTournamentRoundIndex();
  if (!hasBracket(t)) {
    Debug::trace("tournament: a match ended with no tournament drawn; its result is not kept");
    return;
  }
  if (!isThisTurnPlayed(t)) generateTournamentOtherMatchScore(t);
  const int32_t p = getPlayerIndexInRecord(t);
  astore(table(t), p, static_cast<int8_t>(own));
  astore(table(t), EvenOddSwitch(p), static_cast<int8_t>(rival));
  // A tie counts as a loss.
  if (own > rival) {
    tournamentResult = 1;
    nextTournameRound();
  } else {
    tournamentResult = -1;
  }
  if (!isCareer) {
    RMS(true, kTournamentRecord);
    resetRMS(kUnfinishedMatch);
    return;
  }
  addCareerMatch(own, rival);
  RMS(true, kCareerRecord);
  RMS(true, kCareerTournamentRecord);
  resetRMS(kCareerUnfinishedMatch);
}

void CGame::nextTournameRound() {
  SORV_FRAME("CGame.nextTournameRound()V");
  tournamentRound++;
  if (tournamentRound < tournamentRoundCount && tournamentRound % kSegmentRounds == 0) {
    // The user (and partner) go on into a fresh segment at a new position.
    const bool doubles = isDouble();
    IntArray* player = Array::newIntArray(3);
    IntArray* partner = Array::newIntArray(3);
    if (isNull(player) || isNull(partner)) return;
    saveCurTournamentUserPlayer(player, userSlot);
    if (doubles) saveCurTournamentUserPlayer(partner, EvenOddSwitch(userSlot));
    newFakeTournament();
    const int32_t positions = getFakeTournamentPlayersCount(getFakeTournamentRoundCount());
    userSlot = RAND(0, positions - 1);
    restoreCurTournamentUserPlayer(player, userSlot);
    if (doubles) restoreCurTournamentUserPlayer(partner, EvenOddSwitch(userSlot));
    tournamentSegment++;
    fullPlayerListByRandomWithFakePlayers(positions, true, -1, -1);
  }
  // Every round, not only a segment's first: a final in the middle of a segment (a
  // three-round tournament's) is a final against a strong field too.
  if (isCareer && tournamentRound < tournamentRoundCount) initCareerSettingUI();
  if (tournamentRound != tournamentRoundCount) return;
  CAE::CheckAchi(kAchiChampion, !isDouble());
  CAE::CheckAchi(kAchiDoublesChampions, isDouble());
  CAE::CheckAchi(kAchiTournamentChampion, mainMenuChoice == kTournamentChoice);
  if (isCareer) {
    // The tournament played is the week's target; the calendar is the career's to consult.
    setTournamentWin(currentTournament);
    if (isGrandSlamer()) CAE::CheckAchi(kAchiGrandSlam, true);
  }
}

void CGame::saveCurTournamentUserPlayer(IntArray* entry, int32_t pos) {
  astore(entry, 0, aload(drawSlots.get(), pos));
  astore(entry, 1, static_cast<int32_t>(aload(fakeName(pos), 0)));
  astore(entry, 2, static_cast<int32_t>(aload(fakeName(pos), 1)));
}

void CGame::restoreCurTournamentUserPlayer(IntArray* entry, int32_t pos) {
  astore(drawSlots.get(), pos, aload(entry, 0));
  astore(fakeName(pos), 0, static_cast<int8_t>(aload(entry, 1)));
  astore(fakeName(pos), 1, static_cast<int8_t>(aload(entry, 2)));
}

int32_t CGame::getARandomFamousPlayer(int32_t group) {
  SORV_FRAME("CGame.getARandomFamousPlayer(I)I");
  const int32_t first = GetAvastar_Offset(group), end = first + GetAvastar_Count(group);
  int32_t free = 0;
  for (int32_t entry = first; entry < end; entry++) free += isUsed(entry) ? 0 : 1;
  if (free == 0) return -1;
  int32_t pick = RAND(0, free - 1);
  for (int32_t entry = first; entry < end; entry++) {
    if (!isUsed(entry) && pick-- == 0) return entry;
  }
  return -1;
}

int32_t CGame::getPlayerAttrPower(int32_t index, bool weak) {
  SORV_FRAME("CGame.getPlayerAttrPower(IZ)I");
  if (index == avatarEntry()) return kAvatarPower;
  // Both tables hold a row per attribute, a column per roster entry.
  int32_t sum = 0;
  for (int32_t a = 0; a < kAttributes; a++) {
    sum += aload(static_cast<ByteArray*>(aload(rosterAttrBase.get(), a)), index) +
           aload(static_cast<ByteArray*>(aload(rosterAttrBonus.get(), a)), index);
  }
  return weak ? sum * kWeakPercent / 100 : sum;
}

void CGame::switchToSelectPlayerTournament() {
  SORV_FRAME("CGame.switchToSelectPlayerTournament()V");
  pickActorEven = createRunPlayer();
  pickActorOdd = createRunPlayer();
  MenuPush(kSelectionTournamentScreen);
  PUSH_STATE(kSelectionTournamentState);
}

bool CGame::loadTournamentRecord(int32_t record) {
  SORV_FRAME("CGame.loadTournamentRecord(I)Z");
  if (!hasRecord(record)) return false;
  int32_t settings[kSetupRows];
  for (int32_t r = 0; r < kSetupRows; r++) settings[r] = aload(matchSettings.get(), r);
  const int32_t tournament = currentTournament, difficulty = tournamentDifficulty;
  // A record the codec refused has had its log line.
  const char* fault = RMS(false, record) ? tournamentFault() : "";
  if (fault == nullptr) return true;
  if (*fault != '\0') Debug::trace("tournament: record %d: %s; no tournament to continue", record, fault);
  for (int32_t r = 0; r < kSetupRows; r++) astore(matchSettings.get(), r, settings[r]);
  currentTournament = tournament;
  tournamentDifficulty = difficulty;
  resetTournamentData();
  newTournament(0);
  return false;
}

// A generated player's name is a first and a last name run together; a part missing from
// the tables reads as nothing.
String* CGame::gePlayerName(int32_t index, int32_t first, int32_t last) {
  SORV_FRAME("CGame.gePlayerName(III)Ljava/lang/String;");
  String* empty = StaticClass::getConstant(kConstEmpty);
  auto entry = [empty](ObjectArray* names, int32_t i) {
    return isNull(names) || !names->inBounds(i) ? empty : static_cast<String*>(names->elements()[i]);
  };
  if (first == -1) return index == avatarEntry() ? careerName.get() : entry(rosterNames, index);
  StringBuffer* name = StringBuffer::create(16);
  StringBuffer::appendString(name, entry(firstNames, first));
  StringBuffer::appendString(name, entry(lastNames, last));
  return name->toString();
}

}  // namespace sorv
