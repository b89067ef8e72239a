#include "tools/mkdata/hit_sounds.h"

#include <algorithm>
#include <vector>

namespace sorv::mkdata {
namespace {

struct Hit {
  uint32_t lengthMs;
  uint32_t clickMs;
  int clickSmoothShift;  // a larger shift dulls the click
  uint32_t stringHz, stringRingMs;
  uint32_t frameHz, frameRingMs;
  // The mix of the click itself, the strings, the frame and a brush of soft noise.
  int32_t clickWeight, stringWeight, frameWeight, brushWeight;
  uint32_t brushMs;
  int32_t peak;
  uint32_t seed;
};

// Sounds 2 to 6 in the order of the sound table.
constexpr Hit kHits[] = {
    // lift: brushy, the strings swept more than struck
    {90, 3, 1, 1800, 12, 350, 10, 2, 5, 3, 6, 70, 15000, 2},
    // serve: the loudest crack
    {100, 3, 0, 2600, 14, 480, 20, 6, 8, 6, 0, 0, 30000, 3},
    // lob: a soft, hollow pock, mostly frame
    {80, 2, 2, 1500, 8, 320, 25, 2, 2, 9, 0, 0, 13000, 4},
    // flat: crisp and short
    {50, 2, 0, 2900, 10, 560, 8, 5, 7, 4, 0, 0, 22000, 5},
    // hard: a crack whose strings ring on
    {120, 3, 0, 2200, 30, 420, 16, 6, 9, 5, 0, 0, 28000, 6},
};

constexpr uint32_t kEndFadeMs = 5;

// Falls linearly from 1024 at sample 0 to 0 at `length`.
int32_t falling(uint32_t i, uint32_t length) {
  return i >= length ? 0 : static_cast<int32_t>((length - i) * 1024 / length);
}

// Adds a part of the hit, brought to its share of the mix: the parts differ in loudness by
// far (a resonator keeps only its narrow band of the click), so each is weighed by its peak.
void mixIn(Track& hit, const std::vector<int32_t>& part, int32_t weight) {
  int32_t peak = 1;
  for (int32_t s : part) peak = std::max(peak, s < 0 ? -s : s);
  for (uint32_t i = 0; i < part.size(); ++i) hit.add(i, static_cast<int32_t>(int64_t{part[i]} * weight * 1024 / peak));
}

}  // namespace

Track hitSound(int sound) {
  const Hit& h = kHits[sound - kFirstHitSound];
  Noise noise(h.seed);
  Resonator strings(h.stringHz, h.stringRingMs * 1000), frame(h.frameHz, h.frameRingMs * 1000);
  const uint32_t length = samplesOf(h.lengthMs), click = samplesOf(h.clickMs), brush = samplesOf(h.brushMs);
  std::vector<int32_t> clicked(length), stringPart(length), framePart(length), brushPart(length);
  int32_t smooth = 0, brushSmooth = 0;
  for (uint32_t i = 0; i < length; ++i) {
    const int32_t n = noise.next();
    smooth += (n - smooth) >> h.clickSmoothShift;
    clicked[i] = smooth * falling(i, click) / 1024;
    stringPart[i] = strings.next(clicked[i]);
    framePart[i] = frame.next(clicked[i]);
    brushSmooth += (n - brushSmooth) >> 2;
    brushPart[i] = brushSmooth * falling(i, brush) / 1024;
  }
  Track track;
  mixIn(track, clicked, h.clickWeight);
  mixIn(track, stringPart, h.stringWeight);
  mixIn(track, framePart, h.frameWeight);
  if (h.brushWeight > 0) mixIn(track, brushPart, h.brushWeight);
  track.scaleToPeak(h.peak);
  // The resonators have died away by now; the last samples are brought to zero all the same.
  const uint32_t fade = samplesOf(kEndFadeMs);
  for (uint32_t i = 0; i < fade; ++i) track.scale(length - 1 - i, static_cast<int32_t>(i * 1024 / fade));
  return track;
}

}  // namespace sorv::mkdata
