#include "device/sound_glue.h"

#include "device/sound_player.h"
#include "device/sound_table.h"

namespace sorv::GameSound {
namespace {

bool soundAlwaysOn() { return true; }

SoundPlayer* player = nullptr;
bool soundsLoaded = false;
bool musicWasPlaying = false;
SoundOptionReader optionReader = soundAlwaysOn;

bool soundOn() { return optionReader(); }

// Unsigned, so -1 and every other negative index fall outside too.
bool isSoundIndex(int index) { return static_cast<unsigned>(index) < kSoundCount; }

}  // namespace

void setSoundOptionReader(SoundOptionReader reader) {
  optionReader = reader != nullptr ? reader : soundAlwaysOn;
}

void loadAll() {
  if (soundsLoaded) return;
  if (player == nullptr) player = new SoundPlayer;
  player->load(kSoundFiles.data(), kSoundCount, true);
  soundsLoaded = true;
}

void play(int index, bool loop) {
  if (soundsLoaded && soundOn() && isSoundIndex(index)) player->play(index, loop);
}

void stopAll() {
  if (soundsLoaded) player->stopAll();
}

void pause() {
  if (!soundsLoaded || !soundOn()) return;
  if (isPlaying(kTitleMusic)) musicWasPlaying = true;
  player->stopAll();
}

void resumeMusic() {
  if (!soundsLoaded || !soundOn() || !musicWasPlaying) return;
  play(kTitleMusic, true);
  musicWasPlaying = false;
}

bool isPlaying(int index) {
  return soundsLoaded && soundOn() && isSoundIndex(index) && player->isPlaying(index);
}

void unloadForTests() {
  if (player != nullptr) player->release();
  soundsLoaded = false;
  musicWasPlaying = false;
}

}  // namespace sorv::GameSound
