// The crowd's applause, sound 20: 2.5 s of about 60 people clapping, each at their own pace
// of 3.5-5.5 claps a second with some unevenness, every clap a 6-12 ms burst of band-passed
// noise, over a low murmur; the crowd swells in over 0.3 s and dies away over the last second.
#pragma once

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

inline constexpr int kApplauseSound = 20;
inline constexpr uint32_t kApplauseMs = 2500;

Track applause();

}  // namespace sorv::mkdata
