#include "tools/mkdata/tournament_logo.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

namespace {

constexpr uint8_t kKey = 0, kPole = 1, kStripe = 3, kGold = 6, kDarkGold = 7, kPipOn = 8,
                  kPipOff = 9, kWood = 10;
constexpr int kColours = 16;
constexpr int kPips = 5;  // enough for the frame numbers 0..23

SpriteModule block(int width, int height, uint8_t colour) {
  SpriteModule m;
  m.width = static_cast<int16_t>(width);
  m.height = static_cast<int16_t>(height);
  m.pixels.assign(static_cast<size_t>(width) * height, colour);
  return m;
}

SpriteModule bowl(int width, int height) {
  SpriteModule m = block(width, height, kKey);
  const int rx = width / 2, ry = height;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      const int dx = x - rx, dy = y;  // the lower half of an ellipse: the cup's bowl
      if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry) m.pixels[static_cast<size_t>(y) * width + x] = kGold;
    }
  }
  return m;
}

// Made-up flags, three stripes each.
constexpr uint32_t kFlags[kTournamentFlagPalettes][3] = {
    {0xFFC02020, 0xFFFFFFFF, 0xFF2040C0}, {0xFF208040, 0xFFF0D020, 0xFF202020},
    {0xFF2060E0, 0xFFFFFFFF, 0xFF2060E0}, {0xFFE08020, 0xFF40A0E0, 0xFFE08020},
    {0xFF802080, 0xFFF0F0F0, 0xFF20A0A0}, {0xFFD0D020, 0xFFC02020, 0xFF101010},
};

}  // namespace

std::vector<uint8_t> tournamentLogoSprite() {
  enum : uint8_t { kBase, kPlinth, kStem, kBowl, kRim, kHandle, kPoleModule, kStripe0, kPipOnModule = kStripe0 + 3, kPipOffModule };
  SpriteSpec spec;
  spec.modules.push_back(block(64, 14, kWood));
  spec.modules.push_back(block(44, 8, kDarkGold));
  spec.modules.push_back(block(10, 22, kGold));
  spec.modules.push_back(bowl(48, 30));
  spec.modules.push_back(block(52, 4, kDarkGold));
  spec.modules.push_back(block(6, 16, kDarkGold));
  spec.modules.push_back(block(2, 30, kPole));
  for (uint8_t s = 0; s < 3; s++) spec.modules.push_back(block(20, 6, static_cast<uint8_t>(kStripe + s)));
  spec.modules.push_back(block(6, 6, kPipOn));
  spec.modules.push_back(block(6, 6, kPipOff));
  // Offsets from the origin at the plinth's bottom right corner: nothing reaches past 0.
  for (int f = 0; f < kTournamentLogoFrames; f++) {
    std::vector<SpriteFModule> parts = {{kBase, -64, -14, 0, 0},    {kPlinth, -54, -22, 0, 0},
                                        {kStem, -37, -44, 0, 0},    {kBowl, -56, -74, 0, 0},
                                        {kRim, -58, -76, 0, 0},     {kHandle, -62, -74, 0, 0},
                                        {kHandle, -8, -74, 0, 0},   {kPoleModule, -33, -106, 0, 0}};
    for (int s = 0; s < 3; s++) parts.push_back({static_cast<uint8_t>(kStripe0 + s), -31, static_cast<int16_t>(-106 + 6 * s), 0, 0});
    for (int p = 0; p < kPips; p++) {
      const bool on = (f >> (kPips - 1 - p) & 1) != 0;
      parts.push_back({on ? kPipOnModule : kPipOffModule, static_cast<int16_t>(-58 + 12 * p), -10, 0, 0});
    }
    addFrame(spec, parts);
  }
  addAnim(spec, {{0, 1, 0, 0, 0}});
  for (const auto& flag : kFlags) {
    std::vector<uint32_t> c(kColours, 0xFF000000u);
    c[kKey] = 0x00FF00FF;
    c[kPole] = 0xFFE0E0E0;
    for (int s = 0; s < 3; s++) c[static_cast<size_t>(kStripe + s)] = flag[s];
    c[kGold] = 0xFFE8B830;
    c[kDarkGold] = 0xFF9A6A10;
    c[kPipOn] = 0xFFFFFFFF;
    c[kPipOff] = 0xFF3A2410;
    c[kWood] = 0xFF5A3418;
    spec.palettes.push_back(c);
  }
  return writeSprite(spec);
}

}  // namespace sorv::mkdata
