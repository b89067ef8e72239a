// The calls after a point: up to three sounds played as the dead-ball display counts down
// (first at 14, second at 7, the cheer at 0), and the crowd's applause once every player
// stands idle.
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kApplause = 20;
constexpr int32_t kIdleSprite = 2, kPartnerIdleSprite = 5;
constexpr int32_t kMixedDoubles = 4;

void playOnce(int32_t sound) {
  if (sound != -1) GameSound::play(sound, false);
}

bool isActionSprite(Object* sprite, int32_t slot) {
  return sprite == aload(CGame::actionSprites0.get(), slot) ||
         sprite == aload(CGame::actionSprites1.get(), slot);
}

}  // namespace

void CTennis::initDeadBallSounds(int32_t first, int32_t second) {
  deadBallSoundStep = 0;
  deadBallSounds[0] = first;
  deadBallSounds[1] = second;
}

void CTennis::initDeadBallCheerSounds(int32_t cheer) { deadBallSounds[2] = cheer; }

void CTennis::playDeadBallSounds() {
  SORV_FRAME("CTennis.playDeadBallSounds()V");
  switch (deadBallTimer) {
    case 14:
      deadBallSoundStep = 0;
      playOnce(deadBallSounds[0]);
      break;
    case 7:
      deadBallSoundStep = 1;
      playOnce(deadBallSounds[1]);
      break;
    case 0:
      deadBallSoundStep = 2;
      if (deadBallSounds[2] != -1 && !GameSound::isPlaying(kApplause)) playOnce(deadBallSounds[2]);
      initDeadBallCheerSounds(-1);
      initDeadBallSounds(-1, -1);
      break;
    default:
      break;
  }
}

bool CTennis::isCanPlayDeadBallSound() {
  SORV_FRAME("CTennis.isCanPlayDeadBallSound()Z");
  const bool mixed = aload(CGame::matchSettings.get(), 0) == kMixedDoubles;
  int32_t smallestLoop = 0x7FFFFFFF;
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = static_cast<CPlayer*>(aload(players.get(), i));
    if (isNull(p)) continue;
    CActor* actor = p->animActor;
    if (isNull(actor)) return false;
    Object* sprite = actor->sprite;
    // In mixed doubles the partners' idle pose is the alternative sprite.
    if (isNull(sprite)) return false;
    if (!isActionSprite(sprite, kIdleSprite) && !(mixed && isActionSprite(sprite, kPartnerIdleSprite))) {
      return false;
    }
    if (actor->loopFrame < smallestLoop) smallestLoop = actor->loopFrame;
  }
  return smallestLoop >= 1;
}

void CTennis::playCheer() {
  SORV_FRAME("CTennis.playCheer()V");
  if (lastPointResult == 0 || !isCanPlayDeadBallSound()) return;
  GameSound::play(kApplause, false);
  lastPointResult = 0;
}

}  // namespace sorv
