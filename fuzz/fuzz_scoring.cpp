// Fuzzes the match's scoring against the reference scorer: the first three bytes choose
// the format (games setting, sets setting, singles or doubles and the first server), every
// further byte one event of a point; after each the score, serve order, serve halves, ends
// and announcements must agree, and a decided match must hold legal sets. A difference
// aborts.
//
// Event byte b: b % 8 is 0 or 1 a point to the user's team or the opponents (addPoint), 2 a
// failed serve (net, out or own half by b / 8 % 3), 3 an ace, 4 a receiving fault, 5 a
// rally ended by an error (into the net, out or onto the own half) of the team that struck
// last, 6 a rally ended by a second bounce; rallies last 2 + b / 8 % 8 strokes. 7 a point to
// the team b / 8 % 2 (addPoint).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "device/platform/paths.h"
#include "fuzz/game_fuzz_runtime.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "tests/match/reference_scorer.h"

namespace {

using namespace sorv;

constexpr size_t kMaxEvents = 1024;

test::ReferenceScorer gRef;

void check(bool ok) {
  if (!ok) std::abort();
}

CPlayer* playerOf(int index) {
  switch (index) {
    case 0: return CTennis::player;
    case 1: return CTennis::partner;
    case 2: return CTennis::rival;
    default: return CTennis::rivalPartner;
  }
}

void start() {
  fuzz::startRuntime();
  fuzz::useRecordStoreRoot("sorv-fuzz-scoring");
  // No store can be made: a file stands where the install folder's parent should be, so a
  // save fails at once. The saves are the saved data's business, fuzzed on their own.
  std::ofstream(fuzz::gRoot / "Program Files") << "not a folder";
  CAE::LoadAchiData(nullptr);
  CGame::rosterAbility = Array::newByteArray(36);
}

// The four players of a doubles match, made once; singles leaves the partners out.
void setUp(int games, int sets, bool doubles, int first) {
  astore(CGame::matchSettings.get(), 0, doubles ? 1 : 0);
  astore(CGame::matchSettings.get(), 2, games);
  astore(CGame::matchSettings.get(), 3, sets);
  if (isNull(CGame::matchObject.get())) {
    CGame::matchObject = CTennis::create(CTennis::kKindMatch);
    CTennis* match = CGame::matchObject;
    match->init();
    CTennis::player = CTennis::createPlayer(match, true, true, 0, 0, 0, 0);
    CTennis::rival = CTennis::createPlayer(match, false, false, 0, 1, 0, 0);
    CTennis::partner = CTennis::createPlayer(match, false, true, 1, 2, 0, 0);
    CTennis::rivalPartner = CTennis::createPlayer(match, false, false, 1, 3, 0, 0);
  }
  CTennis::partner = doubles ? static_cast<CPlayer*>(aload(CTennis::players.get(), 2)) : nullptr;
  CTennis::rivalPartner = doubles ? static_cast<CPlayer*>(aload(CTennis::players.get(), 3)) : nullptr;
  CTennis::initParam();
  for (int i = 0; i < 4; i++) {
    if (!isNull(playerOf(i))) playerOf(i)->serveFromLeft = true;
  }
  CTennis::newTennisMatch(playerOf(first));
  CTennis::matchState = 5;
  CTennis::checkPoint();
  gRef.start(games, sets, doubles, first);
}

void deadBall(int32_t reason, int32_t strokes) {
  const bool serverUser = CTennis::server->userTeamSide;
  CTennis::strikeSide = strokes % 2 == 1 ? !serverUser : serverUser;
  CTennis::rallyStrokes = strokes;
  CTennis::deadBallReason = reason;
  CTennis::onBallDead();
}

void event(uint8_t b) {
  CAE::achiChanged = false;
  static constexpr int32_t kErrors[] = {CTennis::kReasonNet, CTennis::kReasonOut, CTennis::kReasonOwnHalf};
  const int serverTeam = test::ReferenceScorer::team(gRef.server);
  const int strokes = 2 + b / 8 % 8;
  const int toStrike = strokes % 2 == 1 ? 1 - serverTeam : serverTeam;
  switch (b % 8) {
    case 0:
    case 1:
      CTennis::addPoint(b % 8 == 0);
      gRef.point(b % 8);
      break;
    case 2:
      deadBall(kErrors[b / 8 % 3], 1);
      gRef.fault();
      break;
    case 3:
      deadBall(CTennis::kReasonTwice, 1);
      gRef.point(serverTeam);
      break;
    case 4:
      deadBall(CTennis::kReasonReceivingFault, 2);
      gRef.point(serverTeam);
      break;
    case 5:
      deadBall(kErrors[b / 64 % 3], strokes);
      gRef.point(toStrike);
      break;
    case 6:
      deadBall(CTennis::kReasonTwice, strokes);
      gRef.point(1 - toStrike);
      break;
    default:
      CTennis::addPoint(b / 8 % 2 == 0);
      gRef.point(b / 8 % 2);
      break;
  }
  if (!CTennis::matchFinished) {
    CTennis::changeServeSide();
    if (CTennis::changeEnds) CTennis::changeCourt();
    CTennis::checkPoint();
  }
  gRef.betweenPoints();
}

void compare() {
  check(CTennis::setIndex == gRef.setIndex && CTennis::gameIndex == gRef.gameIndex);
  for (int t = 0; t < 2; t++) {
    check(CTennis::points(t) == gRef.pts(t));
    check(CTennis::games(t) == gRef.gameOf(t));
    check(CTennis::sets(t) == gRef.sets[t]);
  }
  check(CTennis::server.get() == playerOf(gRef.server));
  for (int i = 0; i < 4; i++) {
    if (!isNull(playerOf(i))) check(playerOf(i)->serveFromLeft == gRef.fromLeft[i]);
  }
  if (!gRef.finished) check(CTennis::strikeSide == gRef.userStrikes);
  check(CTennis::courtEnd == gRef.courtEnd && CTennis::changeEnds == gRef.changeEnds);
  check(CTennis::matchFinished == gRef.finished && CTennis::secondServe == gRef.secondServe);
  check(CTennis::pointSituation == gRef.situation);
  const int kinds[4] = {3, 6, 9, 12};
  for (int k = 0; k < 4; k++) check(aload(CTennis::recordValues.get(), kinds[k]) == gRef.counters[k]);
}

void checkLegalSets() {
  const int g = gRef.gamesInSet;
  for (int s = 0; s <= CTennis::setIndex; s++) {
    const int a = gRef.games[s][0], b = gRef.games[s][1];
    const int hi = a > b ? a : b, lo = a > b ? b : a;
    check(g == 6 ? (hi == 6 && lo <= 4) || (hi == 7 && (lo == 5 || lo == 6)) : hi == g && lo < g);
  }
  const int need = (gRef.setsInMatch + 1) / 2;
  check(gRef.sets[0] == need || gRef.sets[1] == need);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  if (fuzz::gApp == nullptr) start();
  setUp(data[0] % 5, data[1] % 3, (data[2] & 1) != 0, (data[2] & 2) != 0 ? 2 : 0);
  compare();
  for (size_t i = 3; i < size && i < 3 + kMaxEvents && !CTennis::matchFinished; i++) {
    event(data[i]);
    compare();
  }
  if (CTennis::matchFinished) checkLegalSets();
  fuzz::gApp->m_pendingException = nullptr;
  fuzz::collectNowAndThen();
  return 0;
}
