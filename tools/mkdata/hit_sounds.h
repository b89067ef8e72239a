// The ball's hits, sounds 2 to 6: a click of noise 2-3 ms long rings the racket's strings
// (1.5-3 kHz) and its frame (300-600 Hz), two resonators whose ringing falls to a third
// within 8-30 ms; each
// stroke mixes them its own way and has its own loudness, the serve the loudest.
#pragma once

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

inline constexpr int kFirstHitSound = 2;
inline constexpr int kLastHitSound = 6;

// Hit `sound` (kFirstHitSound..kLastHitSound).
Track hitSound(int sound);

}  // namespace sorv::mkdata
