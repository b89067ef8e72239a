// The sound player: every sound file kept in memory and 21 wave-output voices, one per
// sound that can play at the same time.
//
// Always: a voice is free (no buffer queued, playing index -1) or busy with exactly one
// queued buffer of one sound; only files that passed checkSoundFile (device/sound_file.h)
// are ever queued, each as its data after the 44-byte header minus the 400-byte tail that
// is never played. Every sound uses the format of sound 0 (of the first usable one when
// sound 0 is missing or bad); a sound that is missing, bad or in another format logs one
// line naming it and plays as silence, the others still play. A failed write and
// stopAll give the voice back at once, so voices cannot be used up.
//
// The game thread calls everything; the done callback arrives on the output's thread. One
// lock guards the voices, so the callback, play and stopAll never see a half-changed voice,
// and a callback for a buffer that stopAll already took back is recognised and ignored.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/platform/wave_out.h"

namespace sorv {

class SoundPlayer {
 public:
  static constexpr int kVoiceCount = 21;

  SoundPlayer() = default;
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Reads the files (in the installation folder when prefix is on) and opens the voices;
  // a sound that cannot be played is dropped with a log line. Loading again starts afresh.
  void load(const char* const* names, int count, bool prefix);
  // Starts the sound on the first free voice; false when it cannot play or all are busy.
  bool play(int index, bool loop);
  // Silences every voice and frees it at once.
  void stopAll();
  bool isPlaying(int index) const;
  // Closes the voices and drops the files.
  void release();

  bool canPlay(int index) const;
  int freeVoiceCount() const;

 private:
  struct Sound {
    std::vector<uint8_t> image;
    uint32_t playLength = 0;  // 0: dropped
  };
  struct Voice {
    platform::WaveOutHandle device = 0;
    platform::WaveHeader header;
    bool busy = false;
    bool loop = false;
    int playing = -1;
    uintptr_t serial = 0;  // counts plays, so a late callback of an old one is told apart
  };

  static void onWaveDone(platform::WaveOutHandle device, platform::WaveHeader* header,
                         uintptr_t user, void* instance);
  void openDevices();
  void stopVoice(Voice& voice);
  void freeVoice(Voice& voice);

  mutable std::mutex lock_;
  std::vector<Sound> sounds_;
  std::array<Voice, kVoiceCount> voices_;
  platform::WaveFormat format_;
};

}  // namespace sorv
