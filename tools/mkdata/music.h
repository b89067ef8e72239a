// The game's two pieces of music: the title music (sound 0), eight bars at 120 beats a
// minute of melody, off-beat chords, bass and light drums, exactly as long as its bars and
// silent for a few milliseconds at either end, so the game's loop of it does not click; and
// the winner's fanfare (sound 1), three seconds.
#pragma once

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

inline constexpr int kWinFanfare = 1;
inline constexpr uint32_t kBarMs = 2000;
inline constexpr uint32_t kTitleBars = 8;
inline constexpr uint32_t kFanfareMs = 3000;

Track titleMusic();
Track winFanfare();

}  // namespace sorv::mkdata
