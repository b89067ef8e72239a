#include "tools/mkdata/training_palette.h"

#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace {

// The dusk: every colour a quarter of the way to a dark blue, its alpha kept.
constexpr uint32_t kDusk = 0x101838;

class PaletteBuilder {
 public:
  explicit PaletteBuilder(bool dusk) : dusk_(dusk) { palette.push_back(kArtKey); }
  uint8_t colour(uint32_t argb) {
    palette.push_back(lit(argb));
    return static_cast<uint8_t>(palette.size() - 1);
  }
  Ramp ramp(uint32_t dark, uint32_t light, int count) {
    const auto first = static_cast<uint8_t>(palette.size());
    for (uint32_t c : shades(dark, light, count)) palette.push_back(lit(c));
    return Ramp{first, count};
  }
  std::vector<uint32_t> palette;

 private:
  uint32_t lit(uint32_t argb) const {
    if (!dusk_) return argb;
    const uint32_t alpha = argb & 0xFF000000u;
    return alpha | (mixColour(argb, kDusk, 1, 4) & 0xFFFFFFu);
  }
  bool dusk_;
};

}  // namespace

TrainingColours trainingColours(bool dusk) {
  PaletteBuilder b(dusk);
  TrainingColours c;
  c.outline = b.colour(opaque(0x141410));
  c.shadow = b.colour(withAlpha(0x000000, 0x70));
  c.black = b.colour(opaque(0x050505));
  c.headlight = b.colour(opaque(0xFFF4B0));
  c.lampRed = b.colour(opaque(0xFF3020));
  c.lampGreen = b.colour(opaque(0x40FF60));
  c.grey = b.ramp(opaque(0x4A4E54), opaque(0xD8DCE0), 4);
  c.paper = b.ramp(opaque(0xC8CCD0), opaque(0xFFFFFF), 2);
  c.red = b.ramp(opaque(0x981810), opaque(0xF04830), 3);
  c.gold = b.ramp(opaque(0x8A5A0A), opaque(0xFFF0A0), 4);
  c.wood = b.ramp(opaque(0x4A2C14), opaque(0xA87444), 3);
  c.olive = b.ramp(opaque(0x323C1A), opaque(0x9AA85C), 4);
  c.camo = b.ramp(opaque(0x242A12), opaque(0x4C5628), 2);
  c.rubber = b.ramp(opaque(0x141414), opaque(0x50504C), 3);
  c.blue = b.ramp(opaque(0x16306A), opaque(0x6AA0E8), 4);
  c.felt = b.ramp(opaque(0x90A818), opaque(0xF0FC70), 3);
  c.fire = b.ramp(opaque(0x901808), opaque(0xFFF8C0), 5);
  c.smoke = b.ramp(withAlpha(0x302C2A, 0xB0), withAlpha(0x9A9894, 0x90), 3);
  c.coin = b.ramp(opaque(0x0A1A50), opaque(0x2448A0), 3);
  c.flash = b.ramp(opaque(0xFFE060), opaque(0xFFFFF0), 2);
  c.charred = b.ramp(opaque(0x1A1816), opaque(0x5A524A), 3);
  c.zoneEdge = b.ramp(opaque(0xD89A10), opaque(0xFFE460), 2);
  c.zoneFill = b.ramp(withAlpha(0xFFD040, 0x50), withAlpha(0xFFF0A0, 0x80), 2);
  c.tick = b.ramp(opaque(0x1C8A30), opaque(0x8CFF8C), 3);
  c.palette = std::move(b.palette);
  return c;
}

}  // namespace sorv::mkdata
