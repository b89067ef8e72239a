// The umpire's calls spoken by espeak-ng (or the program SORV_ESPEAK names) and shaped for the
// game: silence below -40 dB of the call's peak trimmed at both ends, the peak brought to
// 24,000, a short echo (taps at 70 and 140 ms) added, and the whole kept within the call's
// slot.
//
// The shaping is integer-only, so the call files depend only on the program's output: the
// same program gives the same bytes on every run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/calls_source.h"

namespace sorv::mkdata {

using CallSamples = std::array<std::vector<int16_t>, kCallCount>;

// SORV_ESPEAK when set, else "espeak-ng".
std::string speechProgram();

// The longest a call may play: a point's second call starts a second after its first, so all
// but the two long calls end within 900 ms.
uint32_t callLimitMs(int sound);

// A call as the game plays it, from the program's samples; empty when they are all silent.
std::vector<int16_t> shapeCall(const std::vector<int16_t>& spoken, uint32_t limitMs);

// Every call spoken by `program`; false when it is missing, fails or writes anything but
// samples in the game's format for any call, so the calls are never half spoken.
bool speakCalls(const CallScript& script, const std::string& program, CallSamples* calls);

}  // namespace sorv::mkdata
