// The user's challenge of an out call: offered for 21 frames, reviewed at random, and the
// point then decided with the final call. Only a failed challenge uses one up.
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"

namespace sorv {

namespace {

constexpr int32_t kChallengeState = 12, kPlaying = 5;
constexpr int32_t kOfferFrames = 21, kBlackBarFrames = 6, kVerdictReplayFrame = 23;
constexpr int32_t kSoundOut = 11;
constexpr int32_t kKeyZero = 1;
constexpr int32_t kPaintKind = 2;

}  // namespace

void CTennis::initContestReferee(int32_t x, int32_t depth) {
  SORV_FRAME("CTennis.initContestReferee(II)V");
  CGame::enablePaintDirectInBuffer(kPaintKind, 0);
  challengeTimer = kOfferFrames;
  matchState = kChallengeState;
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
      matchState = kPlaying;
      challengeReplay = true;
      handleBallCollideGround(true, challengeX, challengeZ);
    }
  }
  if (challengeDecided && userActorEnded()) {
    challengeReplay = true;
    startBlackBars(kBlackBarFrames);
    matchState = kPlaying;
    resetView();
    handleBallCollideGround(!challengeUpheld, challengeX, challengeZ);
    putUserPlayerAtDepth(22300);
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
      putUserPlayerAt(courtEnd == 1 ? 4970 : 13200, 19300);
      playUserChallengeGesture(gesture);
      deadBallFrame = matchFrame;
      if (!challengeUpheld) challengesLeft--;
    }
  }
  if (challengeDecided && matchFrame - deadBallFrame == kVerdictReplayFrame) {
    CGame::enablePaintDirectInBuffer(kPaintKind, 0);
  }
}

}  // namespace sorv
