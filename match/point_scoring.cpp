// A point added to the score and what follows from it: games, sets and the match, the
// change of ends, the statistics, the user's counters and achievements, the reactions, and
// the serve half between points.
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kSpaceConstant = 76;
constexpr int32_t kFastBall = 20000;
constexpr int32_t kSoundApplause = 20;
constexpr int32_t kCheatUserMatch = 1, kCheatRivalMatch = 2, kCheatUserGame = 3, kCheatRivalGame = 4;

int32_t pointIndex(int32_t set, int32_t game, int32_t team) {
  return (set * CTennis::kGameSlots + game) * 2 + team;
}

ByteArray* setRow(int32_t set) { return static_cast<ByteArray*>(aload(CTennis::setGames.get(), set)); }

int32_t counter(int32_t kind) { return aload(CTennis::recordValues.get(), kind); }
void bump(int32_t kind) { astore(CTennis::recordValues.get(), kind, counter(kind) + 1); }

bool takeCheat(int32_t n) {
  if (!CGame::Game_isCheatValid(n)) return false;
  CGame::Game_resetCheatState(n);
  return true;
}

int32_t serverTeam() {
  CPlayer* s = CTennis::server;
  return !isNull(s) && s->userTeamSide ? 0 : 1;
}

// The points of a game won by one team: p_winner + 1, kept below the byte's top by lowering
// both counts by 2 first (deuce and advantage keep their meaning).
void addOnePoint(int32_t team) {
  const int32_t own = CTennis::points(team);
  if (own >= CTennis::kMaxPoints) {
    const int32_t other = CTennis::points(1 - team);
    astore(CTennis::gamePoints.get(), pointIndex(CTennis::setIndex, CTennis::gameIndex, 1 - team),
           other - 2);
    astore(CTennis::gamePoints.get(), pointIndex(CTennis::setIndex, CTennis::gameIndex, team),
           own - 2);
  }
  astore(CTennis::gamePoints.get(), pointIndex(CTennis::setIndex, CTennis::gameIndex, team),
         CTennis::points(team) + 1);
}

// Reward words and achievements of a point the user's team won by a second bounce.
void winnerWords() {
  CPlayer* user = CTennis::player;
  if (isNull(user)) return;
  if (user->lastStrokeKind == 1) {
    CTennis::showRewardWords(24);
    CAE::CheckAchi(16, true);
    CTennis::lastPointResult = 2;
    return;
  }
  CPlayer* opponent = CTennis::rival;
  if (CTennis::isDoubles && !isNull(opponent) && opponent->chasing) opponent = CTennis::rivalPartner;
  const bool fast = user->lastStrokeSpeed >= kFastBall;
  if (!isNull(opponent)) {
    const bool deep = opponent->userTeamSide ? opponent->z > 24700 : opponent->z < 11900;
    if (deep) {
      CTennis::showRewardWords(fast ? 22 : 23);
      if (fast) CTennis::lastPointResult = 2;
    } else if (fast) {
      CTennis::addPlayerStat(17);
      CTennis::showRewardWords(21);
    }
  }
  CAE::CheckAchi(13, user->lastStrokeRoute == 8 || user->lastStrokeRoute == 9);
  CAE::CheckAchi(14, user->lastStrokeState < 3 &&
                         (user->lastStrokeKind == 2 || user->lastStrokeKind == 3));
  RigidBody* b = CTennis::ball;
  CAE::CheckAchi(15, !isNull(b) && b->trailKind == 3 && user->lastStrokeDir >= 7 &&
                         user->lastStrokeDir <= 9);
  CAE::CheckAchi(17, user->lastStrokeDir == 0);
  CAE::CheckAchi(18, CTennis::rallyStrokes == 2 || (CTennis::rallyStrokes == 3 && serverTeam() == 1));
}

void pressureBoost(CPlayer* p) {
  if (isNull(p)) return;
  if (CGame::RAND(30, 100) < p->tuneChance) p->tunePlayerAttrAndAbility(1);
}

void storeReactions(bool won) {
  const int32_t streak = CTennis::pointStreak;
  int32_t winner = CTennis::rallyStrokes > 5 || CTennis::matchFinished ? 2 : 1;
  int32_t loser = 0;
  if (streak >= 5 || streak <= -5) {
    loser = 3;
    CTennis::pointStreak = won ? -1 : 1;
  }
  if ((winner == 0 || winner == 1) && CGame::RAND(0, 100) < 80) winner = 27 + CGame::RAND(0, 1);
  if (loser != 3) loser = CGame::RAND(0, 100) < 30 ? 34 + CGame::RAND(0, 1) : 0;
  CTennis::userReaction = won ? winner : loser;
  CTennis::rivalReaction = won ? loser : winner;
}

}  // namespace

void CTennis::addMatchStat(int32_t row, int32_t team) {
  IntArray* counts = static_cast<IntArray*>(aload(matchStats.get(), row));
  astore(counts, team, aload(counts, team) + 1);
}

int32_t CTennis::matchStat(int32_t row, int32_t team) {
  return aload(static_cast<IntArray*>(aload(matchStats.get(), row)), team);
}

void CTennis::resetPlayerStat(int32_t kind) { astore(recordValues.get(), kind, 0); }

void CTennis::addPlayerStat(CPlayer* p, int32_t kind) {
  if (!isNull(p) && p == player.get()) addPlayerStat(kind);
}

void CTennis::addPlayerStat(int32_t kind) {
  SORV_FRAME("CTennis.addPlayerStat(I)V");
  bump(kind);
  switch (kind) {
    case 0:
      bump(2);
      CAE::checkRecord(5, counter(0));
      break;
    case 1:
      CAE::checkRecord(6, counter(1));
      break;
    case 3:
      CAE::checkRecord(11, counter(3));
      bump(4);
      CAE::CheckAchi(26, true);
      for (int32_t n = 27; n <= 29; n++) CAE::CheckAchi(n, counter(4));
      break;
    case 6:
      CAE::checkRecord(12, counter(6));
      bump(7);
      CAE::CheckAchi(30, true);
      for (int32_t n = 31; n <= 33; n++) CAE::CheckAchi(n, counter(7));
      break;
    case 9:
      bump(10);
      CAE::CheckAchi(34, true);
      for (int32_t n = 35; n <= 37; n++) CAE::CheckAchi(n, counter(10));
      break;
    case 12: {
      const int32_t game = gameIndex + setIndex * gamesInSet;
      if (counter(14) == game) {
        bump(13);
      } else {
        astore(recordValues.get(), 14, game);
        astore(recordValues.get(), 13, 1);
      }
      CAE::CheckAchi(38, counter(13));
      CAE::CheckAchi(39, counter(13));
      break;
    }
    case 15:
      bump(16);
      initDeadBallCheerSounds(-1);
      CAE::CheckAchi(40, true);
      CAE::CheckAchi(41, counter(15));
      CAE::checkRecord(9, counter(15));
      CAE::checkRecord(10, counter(16));
      break;
    case 17:
      CAE::CheckAchi(48, true);
      CAE::CheckAchi(49, counter(17));
      break;
    default:
      break;
  }
}

void CTennis::addPoint(bool won) {
  SORV_FRAME("CTennis.addPoint(Z)V");
  if (tutorialIndex != -1) return;
  if (takeCheat(kCheatUserGame)) {
    makePlayerWinThisGame(true);
    won = true;
  }
  if (takeCheat(kCheatRivalGame)) {
    makePlayerWinThisGame(false);
    won = false;
  }
  // A forced match takes the game-won path with the match's message only: its sets are
  // already counted and the match already over.
  bool forcedMatch = false;
  if (takeCheat(kCheatUserMatch)) {
    makePlayerWinThisMatch(true);
    won = forcedMatch = true;
  } else if (takeCheat(kCheatRivalMatch)) {
    makePlayerWinThisMatch(false);
    won = false;
    forcedMatch = true;
  }
  const int32_t winner = won ? 0 : 1;
  userTeamWonPoint = won;
  CPlayer* last = won ? lastStrikerUser.get() : lastStrikerRival.get();
  if (!isNull(last) && last->lastStrokeZ - kNetZ < 6400 && kNetZ - last->lastStrokeZ < 6400) {
    addMatchStat(10, winner);
    MatchTrace::netPoint(winner);
  }

  lastPointResult = won ? 1 : -1;
  // The crowd cheers once the calls are made; a call that wants quiet cancels it.
  initDeadBallCheerSounds(kSoundApplause);
  if (won) {
    pointStreak = pointStreak >= 0 ? -1 : pointStreak - 1;
  } else {
    pointStreak = pointStreak < 0 ? 1 : pointStreak + 1;
  }
  scoreCallState = -2;
  if (isDoubles && CGame::RAND(0, 100) < 15) partnerCelebration = won ? 1 : 2;

  const bool serverWon = serverTeam() == winner;
  if (rallyStrokes >= 2 || serverWon) {
    addMatchStat(secondServe ? 5 : 1, serverTeam());
    MatchTrace::serveInPlay(secondServe ? 2 : 1);
    if (serverWon) addMatchStat(secondServe ? 7 : 3, serverTeam());
  }
  if (won && (deadBallReason & kReasonTwice) != 0 &&
      (!isDoubles || lastStrikerUser.get() == player.get())) {
    winnerWords();
  }
  if (challengeReplay && challengeUpheld) addPointWrongJudge(won);

  addOnePoint(winner);
  const int32_t p = points(winner), lead = p - points(1 - winner);
  const bool gameWon = forcedMatch || (p >= (isTieBreak() ? 7 : 4) && lead >= 2);

  if (!gameWon) {
    secondServe = false;
    RigidBody::resetBallTrace();
    CPlayer::resetSlipTrace();
    if (!isTieBreak() && points(0) == points(1) && points(0) >= 3) addPlayerStat(12);
    if (won && pointSituation == 15) addPlayerStat(3);
    if (won && pointSituation == 16) addPlayerStat(6);
    if (won && pointSituation == 14) addPlayerStat(9);
  } else {
    const int32_t winnerText = points(0) > points(1) ? 21 : 20;
    int32_t result = 24;
    ByteArray* row = setRow(setIndex);
    if (forcedMatch) {
      result = 26;
    } else if (isCriticalGame(winner)) {
      const bool decidesMatch = (setsInMatch + 1) / 2 - sets(winner) == 1;
      astore(row, winner, aload(row, winner) + 1);
      astore(setsWon.get(), winner, sets(winner) + 1);
      if (!decidesMatch) {
        result = 25;
        CAE::CheckAchi(1, won);
      } else {
        result = 26;
        CAE::CheckAchi(2, won);
        CAE::CheckAchi(3, isDoubles && won);
        CAE::CheckAchi(25, won && rallyStrokes == 1 && server.get() == player.get());
        matchOver(won);
      }
    } else {
      astore(row, winner, aload(row, winner) + 1);
      if (gameIndex % 2 == 0 && !matchFinished && tutorialIndex == -1) changeEnds = true;
    }

    if (gamesInSet >= 5 && won && result != 24) {
      CAE::CheckAchi(45, games(1) == 0);
      if (setsInMatch >= 3 && result == 26) {
        int32_t opponentGames = 0, opponentPoints = 0;
        for (int32_t set = 0; set <= setIndex && set < kMaxSets; set++) {
          opponentGames += aload(setRow(set), 1);
          for (int32_t game = 0; game < gamesInSet; game++) {
            opponentPoints += aload(gamePoints.get(), pointIndex(set, game, 1));
          }
        }
        CAE::CheckAchi(46, opponentGames == 0);
        CAE::CheckAchi(47, opponentPoints == 0);
      }
    }
    scoreCallState = 1;
    gameMessage = [&] {
      StringBuffer* text = StringBuffer::create(32);
      StringBuffer::appendString(text, CGame::GetString(0, result));
      StringBuffer::appendString(text, StaticClass::getConstant(kSpaceConstant));
      StringBuffer::appendString(text, CGame::GetString(0, winnerText));
      return text->toString();
    }();
    gameResultText = result;
    gameWinnerText = winnerText;
    CAE::CheckAchi(0, won);
    const int32_t serving = serverTeam();
    if (serving != winner) {
      if (serving == 0) {
        lostServeFlag = true;
      } else {
        addPlayerStat(15);
      }
    }
    if (won && points(1) == 0) {
      CAE::CheckAchi(44, true);
      CAE::increaseRecord(8, 1);
    }
    if (serving == 1 && winner == 1) {
      opponentHeldFlag = true;
      resetPlayerStat(16);
    }
    if (result == 26) {
      CAE::CheckAchi(43, !lostServeFlag);
      CAE::CheckAchi(42, !opponentHeldFlag);
    } else if (result == 25) {
      newTennisSet();
    } else {
      newTennisGame();
    }
  }

  storeReactions(won);
  if (takeCheat(kCheatUserGame)) makePlayerWinThisGame(true);
  if (takeCheat(kCheatRivalGame)) makePlayerWinThisGame(false);
  scoreBoardChanged = true;
  resetAllPlayersAttr();

  const int32_t d = getGamePoint();
  if (d > 0 && isCriticalGame(0)) {
    pressureBoost(rival);
    if (isDoubles) pressureBoost(rivalPartner);
  } else if (d < 0 && isCriticalGame(1)) {
    pressureBoost(player);
    if (isDoubles) pressureBoost(partner);
  }
}

void CTennis::makePlayerWinThisMatch(bool user) {
  SORV_FRAME("CTennis.makePlayerWinThisMatch(Z)V");
  const int32_t team = user ? 0 : 1;
  while (sets(team) <= sets(1 - team)) astore(setsWon.get(), team, sets(team) + 1);
  matchOver(user);
}

void CTennis::matchOver(bool won) {
  SORV_FRAME("CTennis.matchOver(Z)V");
  matchFinished = true;
  rewardText = nullptr;
  CAE::checkRecord(6, counter(1));
  CAE::checkRecord(7, counter(2));
  CAE::increaseRecord(won ? 0 : 2, 1);
  CAE::checkRecord(13, matchStrokes);
  if (won) CAE::checkRecord(14, matchStrokes);
  if (CGame::mainMenuChoice == 4 || CGame::isCareer) CGame::tournamentMatchOver(sets(0), sets(1));
  // No sound here: the dead-ball calls announce the match once, as its words show.
}

void CTennis::changeServeSide() {
  SORV_FRAME("CTennis.changeServeSide()V");
  CPlayer* s = server;
  if (!isNull(s)) strikeSide = s->userTeamSide;
  if (tutorialIndex == -1 && !secondServe && !(points(0) == 0 && points(1) == 0) && !isNull(s)) {
    s->serveFromLeft = !s->serveFromLeft;
    if (isDoubles) rivalSwap ^= 1;
    if (isTieBreak()) tieBreakChangedServe();
  }
  relaxJudge();
}

void CTennis::changeCourt() {
  SORV_FRAME("CTennis.changeCourt()V");
  // The court's reload turns the end, clears the flag and saves the match.
  loadCourt();
  CGame::key_resetKey();
  walkInFromNewEnd();
  CGame::disablePaintDirectInBuffer(2);
  afterPointStage = 5;
  userReaction = -1;
}

}  // namespace sorv
