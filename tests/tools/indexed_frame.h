// A frame of a sprite description drawn as palette indexes, for the tests that look at the
// painted sprites by colour: each module placed at its offset and flipped by its flags, the
// frames a frame places followed; the canvas spans the frame's modules and remembers where
// the frame's origin lies on it.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {

struct IndexedFrame {
  mkdata::Canvas pixels;
  int originX = 0, originY = 0;  // the canvas pixel on the frame's origin
  // The index at (x, y) from the origin; 0 outside.
  uint8_t at(int x, int y) const { return pixels.at(originX + x, originY + y); }
};

namespace indexed_detail {

inline int moduleOf(const mkdata::SpriteFModule& e) { return e.module + ((e.flags & ~3) == 0x40 ? 256 : 0); }

template <class F>
void forEachModule(const mkdata::SpriteSpec& spec, int frame, int x, int y, int depth, F f) {
  if (depth > 4 || frame < 0 || frame >= static_cast<int>(spec.frames.size())) return;
  const mkdata::SpriteFrame& fr = spec.frames[static_cast<size_t>(frame)];
  for (int i = 0; i < fr.count; i++) {
    const mkdata::SpriteFModule& e = spec.fmodules[static_cast<size_t>(fr.first + i)];
    if ((e.flags & 0x10) != 0) {
      forEachModule(spec, e.module, x + e.x, y + e.y, depth + 1, f);
    } else {
      f(spec.modules[static_cast<size_t>(moduleOf(e))], x + e.x, y + e.y, e.flags & 3);
    }
  }
}

}  // namespace indexed_detail

inline IndexedFrame drawIndexed(const mkdata::SpriteSpec& spec, int frame) {
  int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
  indexed_detail::forEachModule(spec, frame, 0, 0, 0, [&](const mkdata::SpriteModule& m, int x, int y, int) {
    x0 = std::min(x0, x), y0 = std::min(y0, y);
    x1 = std::max(x1, x + m.width), y1 = std::max(y1, y + m.height);
  });
  IndexedFrame out;
  if (x1 < x0) return out;
  out.pixels = mkdata::Canvas(x1 - x0, y1 - y0);
  out.originX = -x0;
  out.originY = -y0;
  indexed_detail::forEachModule(spec, frame, 0, 0, 0, [&](const mkdata::SpriteModule& m, int x, int y, int flip) {
    for (int j = 0; j < m.height; j++) {
      for (int i = 0; i < m.width; i++) {
        const int si = (flip & 1) != 0 ? m.width - 1 - i : i, sj = (flip & 2) != 0 ? m.height - 1 - j : j;
        const uint8_t p = m.pixels[static_cast<size_t>(sj) * m.width + si];
        if (p != 0) out.pixels.set(x - x0 + i, y - y0 + j, p);
      }
    }
  });
  return out;
}

// The frame shown by step k of an animation.
inline int frameOfStep(const mkdata::SpriteSpec& spec, int anim, int k) {
  const mkdata::SpriteAnim& a = spec.anims[static_cast<size_t>(anim)];
  return spec.aframes[static_cast<size_t>(a.first + k)].frame;
}

}  // namespace sorv::test
