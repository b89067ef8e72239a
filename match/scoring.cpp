// The score store and its queries, the serve order, the announcement of critical points and
// the score texts of a call overturned by a challenge.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/util_random.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kSpaceConstant = 76;

int32_t pointIndex(int32_t team) {
  return (CTennis::setIndex * CTennis::kGameSlots + CTennis::gameIndex) * 2 + team;
}

ByteArray* setRow(int32_t set) { return static_cast<ByteArray*>(aload(CTennis::setGames.get(), set)); }

bool onUserTeam(const CPlayer* p) { return !isNull(p) && p->userTeamSide; }

// The sets a team still needs is exactly one: the coming set decides the match.
bool lastSetFor(int32_t team) { return (CTennis::setsInMatch + 1) / 2 - CTennis::sets(team) == 1; }

String* joined(String* a, String* b) {
  StringBuffer* text = StringBuffer::create(32);
  StringBuffer::appendString(text, a);
  StringBuffer::appendString(text, StaticClass::getConstant(kSpaceConstant));
  StringBuffer::appendString(text, b);
  return text->toString();
}

}  // namespace

int32_t CTennis::points(int32_t team) { return aload(gamePoints.get(), pointIndex(team)); }
int32_t CTennis::games(int32_t team) { return aload(setRow(setIndex), team); }
int32_t CTennis::sets(int32_t team) { return aload(setsWon.get(), team); }

bool CTennis::isTieBreak() { return gamesInSet == 6 && games(0) == 6 && games(1) == 6; }

int32_t CTennis::getGamePoint() {
  const int32_t threshold = isTieBreak() ? 6 : 3;
  const int32_t p0 = points(0), p1 = points(1);
  if (p0 < threshold && p1 < threshold) return 0;
  return p0 - p1;
}

bool CTennis::isCriticalGame(int32_t team) {
  if (isTieBreak()) return true;
  const int32_t own = games(team);
  if (gamesInSet == 6) return own >= 5 && own - games(1 - team) >= 1;
  return own >= gamesInSet - 1;
}

void CTennis::checkPoint() {
  SORV_FRAME("CTennis.checkPoint()V");
  pointSituation = 0;
  if (isTieBreak() && !secondServe && points(0) == 0 && points(1) == 0) {
    rewardText = CGame::GetString(1, 65);
    return;
  }
  const int32_t d = getGamePoint();
  if (d == 0) return;
  const int32_t leader = d > 0 ? 0 : 1;
  int32_t id;
  if (!isCriticalGame(leader)) {
    const int32_t serving = getServeScoreIndex();
    if (!((serving == 1 && d > 0) || (serving == 0 && d < 0))) return;
    id = 14;
  } else {
    id = lastSetFor(leader) ? 16 : 15;
  }
  rewardText = CGame::GetString(1, id);
  pointSituation = id;
}

void CTennis::makePlayerWinThisGame(bool user) {
  SORV_FRAME("CTennis.makePlayerWinThisGame(Z)V");
  const int32_t team = user ? 0 : 1;
  int32_t own = points(team), other = points(1 - team);
  if (own >= 4 && own - other >= 2) return;
  // Set at once rather than counted up: a count near the byte's top would wrap for ever.
  if (other + 2 > kMaxPoints) other -= 2;
  own = other + 2 > 4 ? other + 2 : 4;
  astore(gamePoints.get(), pointIndex(team), own);
  astore(gamePoints.get(), pointIndex(1 - team), other);
}

int32_t CTennis::getServePlayerIndex() { return onUserTeam(server) ? 0 : 1; }

int32_t CTennis::getServeScoreIndex() {
  CPlayer* s = server;
  return !isNull(s) && (s == player.get() || s == partner.get()) ? 0 : 1;
}

void CTennis::changeServe() {
  SORV_FRAME("CTennis.changeServe()V");
  // The round runs user, rival, partner, rival's partner, straight on across sets.
  CPlayer* s = server;
  if (!isDoubles) {
    server = onUserTeam(s) ? rival.get() : player.get();
    return;
  }
  rivalSwap = 0;
  if (onUserTeam(s)) {
    server = s == player.get() ? rival.get() : getPalPlayer(rival);
  } else {
    server = s == rival.get() ? getPalPlayer(player) : player.get();
  }
  if (isNull(server.get())) server = onUserTeam(s) ? rival.get() : player.get();
}

bool CTennis::tieBreakChangedServe() {
  SORV_FRAME("CTennis.tieBreakChangedServe()Z");
  const int32_t total = points(0) + points(1);
  if (total % 2 == 0) return false;
  CPlayer* old = server;
  changeServe();
  tieBreakTurns++;
  CPlayer* now = server;
  if (!isNull(now)) {
    if (!isNull(old)) now->serveFromLeft = old->serveFromLeft;
    strikeSide = now->userTeamSide;
  }
  return true;
}

void CTennis::newTennisGame() {
  SORV_FRAME("CTennis.newTennisGame()V");
  serveTurn = 2;
  tieBreakTurns = 0;
  gameIndex++;
  changeServe();
  CPlayer* s = server;
  if (!isNull(s)) s->serveFromLeft = true;
  secondServe = false;
  RigidBody::resetBallTrace();
  CPlayer::resetSlipTrace();
  // Drizzle lasts a game.
  CGame::drizzleOn = false;
}

int32_t CTennis::getTotalGamePoints(bool opponents) {
  const int32_t team = opponents ? 1 : 0;
  int32_t total = 0;
  for (int32_t set = 0; set <= setIndex && set < kMaxSets; set++) {
    const int32_t last = set < setIndex ? kGameSlots - 1 : gameIndex;
    for (int32_t game = 0; game <= last && game < kGameSlots; game++) {
      total += aload(gamePoints.get(), (set * kGameSlots + game) * 2 + team);
    }
  }
  return total;
}

int32_t CTennis::getTotalSetPoints(bool opponents) {
  const int32_t team = opponents ? 1 : 0;
  int32_t total = 0;
  for (int32_t set = 0; set <= setIndex && set < kMaxSets; set++) total += aload(setRow(set), team);
  return total;
}

void CTennis::addPointWrongJudge(bool user) {
  SORV_FRAME("CTennis.addPointWrongJudge(Z)V");
  const int32_t team = user ? 0 : 1;
  scoreTextA = nullptr;
  scoreTextB = nullptr;
  // Counted in ints on a copy: the bytes stay as found, even at the byte's top.
  int32_t score[2] = {points(0), points(1)};
  score[team]++;
  const int32_t p = score[team], q = score[1 - team];
  const bool tieBreak = isTieBreak();
  if (p >= (tieBreak ? 7 : 4) && p - q >= 2) {
    const int32_t winner = score[0] > score[1] ? 21 : 20;
    const int32_t result = !isCriticalGame(team) ? 24 : lastSetFor(team) ? 26 : 25;
    scoreKind = 1;
    scoreTextA = joined(CGame::GetString(0, result), CGame::GetString(0, winner));
    return;
  }
  scoreKind = -2;
  const int32_t serving = getServeScoreIndex();
  const int32_t a = score[serving], b = score[1 - serving];
  if (tieBreak) {
    scoreTextA = String::valueOfInt(a);
    scoreTextB = String::valueOfInt(b);
  } else if (a < 3 || b < 3) {
    scoreTextA = static_cast<String*>(aload(pointNames.get(), a));
    scoreTextB = static_cast<String*>(aload(pointNames.get(), b));
  } else if (a == b) {
    if (a == 3) {
      scoreTextA = CGame::GetString(1, 18);
    } else {
      StringBuffer* text = StringBuffer::create(32);
      StringBuffer::appendString(text, CGame::GetString(1, 18));
      StringBuffer::appendString(text, StaticClass::getConstant(kSpaceConstant));
      StringBuffer::appendInt(text, a - 2);
      scoreTextA = text->toString();
    }
  } else {
    String* advantage = CGame::GetString(1, 9);
    String* forty = static_cast<String*>(aload(pointNames.get(), 3));
    scoreTextA = a > b ? advantage : forty;
    scoreTextB = a > b ? forty : advantage;
  }
}

CPlayer* CTennis::getPalPlayer(CPlayer* p) {
  if (onUserTeam(p)) return p == player.get() ? partner.get() : player.get();
  return p == rival.get() ? rivalPartner.get() : rival.get();
}

CPlayer* CTennis::getRivalPlayer(CPlayer* p) {
  CPlayer* answer = nullptr;
  if (p == player.get()) {
    answer = rival;
  } else if (p == rival.get()) {
    answer = player;
  } else if (p == partner.get()) {
    answer = rivalPartner;
  } else if (p == rivalPartner.get()) {
    answer = partner;
  }
  if (isDoubles && rivalSwap == 1 && !isNull(answer)) answer = getPalPlayer(answer);
  return answer;
}

int32_t CTennis::getPlayerPalDefSpecialAction(int32_t current, bool won) {
  int32_t result = won ? 1 : 0;
  const int32_t chance = won ? 80 : 30;
  const int32_t first = won ? 27 : 34;
  Random* generator = CGame::random;
  if (CGame::RAND(0, 100) < chance && !isNull(generator)) {
    // Two choices, one of which differs from current: ends at once or after a redraw.
    do {
      result = nonNegativeMod(generator->nextInt(), 2) + first;
    } while (result == current);
  }
  return result;
}

}  // namespace sorv
