#include "tools/mkdata/effect_sprites.h"

#include <cstddef>

#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

std::vector<uint8_t> dustSprite() {
  SpriteSpec spec;
  // Module k: a square of side 4 + 4k in colour 1 (light dust) or 2 (the second actor's
  // darker dust) for the frames of animations 0 and 1.
  for (int anim = 0; anim < kDustAnims; anim++) {
    for (int k = 0; k < kDustFrames; k++) {
      SpriteModule m;
      m.width = m.height = static_cast<int16_t>(4 + 4 * k);
      m.pixels.assign(static_cast<size_t>(m.width) * m.height, static_cast<uint8_t>(1 + anim));
      spec.modules.push_back(m);
    }
  }
  for (int anim = 0; anim < kDustAnims; anim++) {
    std::vector<SpriteAFrame> shown;
    for (int k = 0; k < kDustFrames; k++) {
      const int module = anim * kDustFrames + k;
      const auto half = static_cast<int16_t>(-(2 + 2 * k));
      SpriteFModule centred;
      centred.module = static_cast<uint8_t>(module);
      centred.x = half;
      centred.y = static_cast<int16_t>(2 * half);
      SpriteAFrame f;
      f.frame = static_cast<uint8_t>(addFrame(spec, {centred}));
      f.time = 1;
      shown.push_back(f);
    }
    addAnim(spec, shown);
  }
  spec.palettes.push_back({0x00FF00FF, 0xFFD8C8A0, 0xFFA08860});
  return writeSprite(spec);
}

}  // namespace sorv::mkdata
