// The ball's events while a point is played (net, out, own half, second bounce, in), the
// bounce judge, and the decision of the point once the ball is dead.
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"

namespace sorv {

namespace {

constexpr int32_t kPlaying = 5;
constexpr int32_t kShellMatchState = 40;
constexpr int32_t kSoundFault = 9, kSoundOut = 11;

bool serverOnUserTeam() {
  CPlayer* s = CTennis::server;
  return !isNull(s) && s->userTeamSide;
}

int32_t serverTeam() { return serverOnUserTeam() ? 0 : 1; }

// The ball's first bounce was on the server's own side, into the net or out: a fault, or
// on the second serve a double fault.
void serveFault(int32_t reason) {
  const bool wasSecond = CTennis::secondServe;
  CTennis::secondServe = true;
  if (wasSecond) {
    CTennis::addMatchStat(8, serverTeam());
    MatchTrace::doubleFault();
    CTennis::deadBallInfo = 13;
    CTennis::addPoint(!serverOnUserTeam());
    CTennis::lastPointResult = 0;
  } else {
    CTennis::deadBallInfo = 11;
  }
  if ((reason & (CTennis::kReasonNet | CTennis::kReasonOwnHalf)) != 0) {
    GameSound::play(kSoundFault, false);
  }
}

// An ace: counted for the server's team, and for the user's player its counters and
// achievements.
void countAce() {
  CTennis::addMatchStat(CTennis::secondServe ? 6 : 2, serverTeam());
  MatchTrace::ace(CTennis::secondServe ? 2 : 1);
  if (CTennis::server.get() != CTennis::player.get()) return;
  CAE::CheckAchi(19, true);
  CTennis::addPlayerStat(0);
  CTennis::addPlayerStat(1);
  CAE::CheckAchi(20, aload(CTennis::recordValues.get(), 1));
  for (int32_t n = 21; n <= 24; n++) CAE::CheckAchi(n, aload(CTennis::recordValues.get(), 2));
}

// The player through whom a team reacts: in doubles the last striker after a big point,
// else its partner half the time.
CPlayer* reactor(CPlayer* main, CPlayer* mate, CPlayer* lastStriker, int32_t reaction) {
  if (!CTennis::isDoubles) return main;
  if (reaction == 2) return lastStriker;
  return CGame::RAND(0, 100) < 50 ? mate : main;
}

void react(CPlayer* p, int32_t reaction, bool won) {
  if (isNull(p)) return;
  p->onDeadBall(reaction, 0);
  if (!CTennis::isDoubles) return;
  CPlayer* mate = CTennis::getPalPlayer(p);
  if (!isNull(mate)) mate->onDeadBall(CTennis::getPlayerPalDefSpecialAction(reaction, won), 4);
}

void decideAfterEvent(int32_t bit) {
  CTennis::deadBallReason |= bit;
  CTennis::onBallDead();
}

}  // namespace

void CTennis::onBallDead() {
  SORV_FRAME("CTennis.onBallDead()V");
  const int32_t reason = deadBallReason;
  if (tutorialIndex != -1 && !trainingTimerRunning() &&
      ((reason & (kReasonNet | kReasonOut | kReasonOwnHalf | kReasonReceivingFault)) != 0 ||
       ((reason & kReasonTwice) != 0 && strikeSide))) {
    setTrainingTimer(6, 6);
  }
  resetSmashPoint();
  RigidBody* b = ball;
  if (!isNull(b)) b->routeStep = 0;
  deadBallFrame = matchFrame;
  userReaction = rivalReaction = 0;
  userTeamWonPoint = false;
  // strikeSide names the team to strike next, so the ball was struck by the other one.
  const int32_t struck = strikeSide ? 1 : 0;
  if ((reason & (kReasonNet | kReasonOut | kReasonOwnHalf)) != 0) {
    addMatchStat(11, struck);
    MatchTrace::error(struck);
  }

  bool ace = false;
  if ((reason & kReasonReceivingFault) != 0) {
    deadBallInfo = 12;
    addPoint(serverOnUserTeam());
  } else if ((reason & kReasonTwice) != 0) {
    ace = rallyStrokes == 1;
    if (ace) countAce();
    addPoint(!strikeSide);
    if (ace && server.get() == player.get()) {
      showRewardWords(20);
      lastPointResult = 2;
    }
  } else if ((reason & (kReasonNet | kReasonOut | kReasonOwnHalf)) != 0) {
    if (rallyStrokes < 2) {
      // Before the own-half rule: a serve onto the server's own half is a fault, not a
      // point for the server.
      serveFault(reason);
    } else {
      addPoint(strikeSide);
      if ((reason & kReasonOut) != 0) deadBallInfo = 10;
    }
  }
  if (server.get() == player.get() && !ace) resetPlayerStat(1);

  if (tutorialIndex != -1) {
    userReaction = rivalReaction = -1;
  } else if (matchFinished && !isDoubles && sets(0) > sets(1)) {
    userReaction = CGame::isTheFinalRoundOfTournament() ? 19 : 2;
  }
  CPlayer* userReactor = reactor(player, partner, lastStrikerUser, userReaction);
  CPlayer* rivalReactor = reactor(rival, rivalPartner, lastStrikerRival, rivalReaction);
  react(userReactor, userReaction, userTeamWonPoint);
  react(rivalReactor, rivalReaction, !userTeamWonPoint);

  relaxJudge();
  if (serveTurn == 0 && !serverOnUserTeam()) ballKidsAnimate(1);
  if ((reason & kReasonNet) != 0) ballPickerPickBall();
  setMenuSkip();
  CAE::saveAchievement();
}

void CTennis::onBallHitNet() {
  SORV_FRAME("CTennis.onBallHitNet()V");
  if (matchState != kPlaying) return;
  if (deadBallReason == 0) {
    deadBallReason = kReasonNet;
    onBallDead();
  } else {
    deadBallReason |= kReasonNet;
    ballPickerPickBall();
  }
}

void CTennis::onBallOut() {
  SORV_FRAME("CTennis.onBallOut()V");
  if (matchState != kPlaying) return;
  if (!challengeReplay) GameSound::play(kSoundOut, false);
  decideAfterEvent(kReasonOut);
  if (!challengeReplay && !strikeSide && fallResult >= 1) raiseJudgeSignal(lineZone);
}

void CTennis::onBallHitOwnGround() {
  SORV_FRAME("CTennis.onBallHitOwnGround()V");
  if (matchState == kPlaying) decideAfterEvent(kReasonOwnHalf);
}

void CTennis::onBallHitGroundTwice() {
  SORV_FRAME("CTennis.onBallHitGroundTwice()V");
  if (matchState == kPlaying) decideAfterEvent(kReasonTwice);
}

void CTennis::onBallIn() {
  SORV_FRAME("CTennis.onBallIn()V");
  if (matchState != kPlaying) return;
  if (!strikeSide && lineDistanceZ > -401 && lineDistanceZ < 401) judgeCallIn(lineZone);
  if (tutorialIndex == -1 || trainingTimerRunning() || strikeSide) return;
  setTrainingTimer(6, tutorialStep == 4 && tutorialIndex == 1 ? 5 : 7);
}

void CTennis::onBallCollision(RigidBody* body, int32_t /*plane*/, int32_t x, int32_t y,
                              int32_t depth) {
  SORV_FRAME("CTennis.onBallCollision(LRigidBody;IIII)V");
  if (matchState != kPlaying || deadBallReason != 0) {
    if (!isNull(body) && body == practiceBall.get() && body->bounceCount == 1) tutorialBounceCount++;
    return;
  }
  RigidBody* b = ball;
  if (isNull(b)) return;
  // The half of the team that struck: the user's team plays the half above the net.
  const bool ownHalf = strikeSide ? depth < kNetZ : depth > kNetZ;
  if (ownHalf) {
    onBallHitOwnGround();
  } else if (b->bounceCount >= 2) {
    onBallHitGroundTwice();
  } else if (b->vx != 0 || b->vz != 0) {
    const bool out = isBallOut(x, y, depth);
    if (needContestRefere(x, depth) && tutorialIndex == -1 && challengesLeft > 0) {
      if (strikeSide || !out) {
        handleBallCollideGround(out, x, depth);
      } else if (CGame::GET_CURRENT_STATE() == kShellMatchState) {
        initContestReferee(x, depth);
      } else {
        handleBallCollideGround(true, x, depth);
      }
    } else {
      handleBallCollideGround(out, x, depth);
    }
  }
  checkServeSpeed();
}

void CTennis::handleBallCollideGround(bool out, int32_t x, int32_t depth) {
  SORV_FRAME("CTennis.handleBallCollideGround(ZII)V");
  if (out) {
    onBallOut();
    outX = x;
    outZ = depth;
  } else {
    onBallIn();
  }
  RigidBody* b = ball;
  if (challengeReplay || isNull(b)) return;
  bounceVelocityX = b->vx;
  bounceVelocityZ = b->vz;
  checkPointOfFall(x, 0, depth, false);
}

void CTennis::onBallMove() {
  SORV_FRAME("CTennis.onBallMove()V");
  if (matchKind != kKindMatch) return;
  const int32_t hit = checkBallHitNet();
  if (hit == 0) return;
  netTouched();
  RigidBody* b = ball;
  if (hit != 2 || isNull(b)) return;
  b->z = b->prevZ = b->vz > 0 ? 18100 : 18500;
  b->vx = b->vx / 5;
  b->vy = b->vz = 0;
  onBallHitNet();
}

}  // namespace sorv
