#include "tools/mkdata/inset_art.h"

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace {

constexpr int kSide = 106, kShades = 3;
constexpr int kGrassStripe = 18;
constexpr int kSkidFrame = 4, kSkidWidth = 14, kSkidHeight = 6;
enum : uint8_t { kKey, kClayFirst, kHardFirst = kClayFirst + kShades, kGrassFirst = kHardFirst + kShades,
                 kStripeFirst = kGrassFirst + kShades, kSkidDark = kStripeFirst + kShades, kSkidRim };

std::vector<uint32_t> palette() {
  std::vector<uint32_t> p = {kArtKey};
  appendShades(p, opaque(0xA8522C), opaque(0xCC7444), kShades);  // clay
  appendShades(p, opaque(0x2A5498), opaque(0x3664AC), kShades);  // hard
  appendShades(p, opaque(0x347E32), opaque(0x3E8A38), kShades);  // grass
  appendShades(p, opaque(0x428E3A), opaque(0x4C9A42), kShades);  // the grass's lighter mowing
  p.push_back(opaque(0x4A2A1A));
  p.push_back(opaque(0x7A5A44));
  return p;
}

// A shade of three for the pixel, scattered so the surface reads as grain, not as a pattern.
int grain(int x, int y, int seed) {
  const uint32_t h = static_cast<uint32_t>(x * 73856093) ^ static_cast<uint32_t>(y * 19349663) ^
                     static_cast<uint32_t>(seed * 83492791);
  const uint32_t mixed = (h ^ (h >> 13)) * 0x5BD1E995u;
  return static_cast<int>((mixed >> 24) % 8) < 2 ? 0 : static_cast<int>((mixed >> 20) % 8) < 1 ? 2 : 1;
}

Canvas surface(uint8_t first, int seed, bool striped) {
  Canvas c(kSide, kSide);
  for (int y = 0; y < kSide; y++) {
    for (int x = 0; x < kSide; x++) {
      const bool light = striped && (y / kGrassStripe) % 2 == 1;
      c.set(x, y, static_cast<uint8_t>((light ? static_cast<uint8_t>(kStripeFirst) : first) + grain(x, y, seed)));
    }
  }
  return c;
}

Canvas skidMark() {
  Canvas c(kSkidWidth, kSkidHeight);
  c.fillOval({0, 0, kSkidWidth, kSkidHeight}, kSkidRim);
  c.fillOval({2, 1, kSkidWidth - 4, kSkidHeight - 2}, kSkidDark);
  return c;
}

}  // namespace

std::vector<uint8_t> insetSurfacesArt() {
  ArtSprite art;
  art.addPalette(palette());
  art.addPicture(surface(kClayFirst, 1, false), 0, 0);
  art.addPicture(surface(kHardFirst, 2, false), 0, 0);
  const Canvas grass = surface(kGrassFirst, 3, true);
  art.addPicture(grass, 0, 0);
  art.addPicture(grass, 0, 0);
  art.setFrame(kSkidFrame, art.place(skidMark(), kSkidWidth / 2, kSkidHeight / 2));
  art.addSequence(0, 1);
  return art.write();
}

}  // namespace sorv::mkdata
