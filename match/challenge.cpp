// The user's challenge of an out call: offered for 21 frames, reviewed at random while the
// user's player gestures at the net (the replay and the verdict show meanwhile), and the
// point then decided with the final call once the gesture has ended. Only a failed challenge
// uses one up.
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kChallengeState = 12, kPlaying = 5;
constexpr int32_t kOfferFrames = 21, kBlackBarFrames = 6, kVerdictReplayFrame = 23;
constexpr int32_t kSoundOut = 11;
constexpr int32_t kKeyZero = 1;
constexpr int32_t kPaintKind = 2;
// Where the user's player stands to gesture (across from end 1 and end 2, and the depth), and
// the depth it goes back to for the rest of the point.
constexpr int32_t kGestureXEnd1 = 4970, kGestureXEnd2 = 13200, kGestureDepth = 19300;
constexpr int32_t kResumeDepth = 22300;

}  // namespace

void CTennis::initContestReferee(int32_t x, int32_t depth) {
  SORV_FRAME("CTennis.initContestReferee(II)V");
  CGame::enablePaintDirectInBuffer(kPaintKind, 0);
  challengeTimer = kOfferFrames;
  setMatchState(kChallengeState);
  challengeReplay = challengeDecided = challengeUpheld = false;
  challengeX = x;
  challengeZ = depth;
  resetAllNextSpecialAction();
  resetPlayersAction();
  GameSound::play(kSoundOut, false);
  if (!strikeSide && fallResult >= 1) raiseJudgeSignal(lineZone);
  RigidBody* b = ball;
  if (!isNull(b)) {
    bounceVelocityX = b->vx;
    bounceVelocityZ = b->vz < 0 ? b->vz : -b->vz;
  }
  setMenuSkip();
}

void CTennis::updateContestReferee() {
  SORV_FRAME("CTennis.updateContestReferee()V");
  challengeTimer--;
  if (!challengeDecided && !blackBarsRunning()) {
    if (challengeTimer < 6) CGame::closePaintDirectInBuffer(kPaintKind);
    if (challengeTimer <= 0) {
      setMatchState(kPlaying);
      challengeReplay = true;
      handleBallCollideGround(true, challengeX, challengeZ);
    }
  }
  if (challengeDecided && userActorEnded()) {
    challengeReplay = true;
    startBlackBars(kBlackBarFrames);
    setMatchState(kPlaying);
    resetView();
    handleBallCollideGround(!challengeUpheld, challengeX, challengeZ);
    putUserPlayerAtDepth(kResumeDepth);
    challengeDecided = false;
    CGame::disablePaintDirectInBuffer(kPaintKind);
  }
  if ((CGame::keysPressed & CGame::kKeySoftRight) != 0) {
    endUserActor();
    deadBallFrame = 0;
    challengeTimer = 0;
    CGame::disablePaintDirectInBuffer(kPaintKind);
  } else if (!challengeDecided && (CGame::keysPressed & kKeyZero) != 0) {
    CGame::disablePaintDirectInBuffer(kPaintKind);
    challengeDecided = true;
    CGame::key_resetKey();
    startBlackBars(kBlackBarFrames);
    resetPlayersAction();
    fixViewport(courtEnd == 1 ? 0 : -1, 16);
    challengeUpheld = CGame::RAND(0, 10) < 6;
    lieInstantReplay(!challengeUpheld);
    checkPointOfFall(challengeX, 0, challengeZ, false);
    const int32_t gesture = contestReferee(true);
    if (gesture >= 0) {
      putUserPlayerAt(courtEnd == 1 ? kGestureXEnd1 : kGestureXEnd2, kGestureDepth);
      playUserChallengeGesture(gesture);
      deadBallFrame = matchFrame;
      if (!challengeUpheld) challengesLeft--;
    }
  }
  if (challengeDecided && matchFrame - deadBallFrame == kVerdictReplayFrame) {
    CGame::enablePaintDirectInBuffer(kPaintKind, 0);
  }
}

// The user's player in the review: the gesture plays once on the player's own actor, and its
// end closes the review.
void CTennis::playUserChallengeGesture(int32_t action) {
  CPlayer* p = player;
  if (!isNull(p)) p->doSpecialAction(action);
}

bool CTennis::userActorEnded() {
  CPlayer* p = player;
  CActor* a = isNull(p) ? nullptr : p->animActor;
  // An actor with nothing to play never advances: the review must not wait on it for ever.
  return isNull(a) || isNull(a->sprite) || a->ended;
}

void CTennis::endUserActor() {
  CPlayer* p = player;
  if (!isNull(p) && !isNull(p->animActor)) p->animActor->ended = true;
}

void CTennis::putUserPlayerAt(int32_t x, int32_t depth) { setPlayerAt(player, x, depth); }

void CTennis::putUserPlayerAtDepth(int32_t depth) {
  CPlayer* p = player;
  if (!isNull(p)) p->setZ(depth);
}

}  // namespace sorv
