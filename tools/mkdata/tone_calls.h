// The umpire's calls as tones, for a machine without the speech program: syllables of a
// voice-like tone, each gliding between two pitches, an unvoiced onset a short hiss. Their
// bytes stay as they are: they are what such a machine has always built.
#pragma once

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

// Call `sound` (kFirstCallSound..kLastCallSound).
Track toneCall(int sound);

}  // namespace sorv::mkdata
