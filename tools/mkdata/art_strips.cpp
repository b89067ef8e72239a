#include "tools/mkdata/art_strips.h"

#include <algorithm>

namespace sorv::mkdata {

std::vector<SpriteFModule> placeRepeating(ArtSprite& sprite, const Canvas& c, int originX, int originY) {
  const auto repeats = [&](int x) {
    for (int y = 0; y < c.height(); y++)
      if (c.at(x, y) != c.at(x + kStripRepeat, y)) return false;
    return true;
  };
  int from = 0, to = 0;  // the longest run of columns equal to the ones kStripRepeat further on
  for (int x = 0; x + kStripRepeat < c.width();) {
    int end = x;
    while (end + kStripRepeat < c.width() && repeats(end)) end++;
    if (end - x > to - from) from = x, to = end;
    x = end + 1;
  }
  const int copies = (to + kStripRepeat - from) / kStripWidth;
  std::vector<SpriteFModule> out;
  const auto add = [&](const Box& box) {
    if (box.w <= 0) return;
    for (const SpriteFModule& e : sprite.place(c.crop(box), originX - box.x, originY - box.y)) out.push_back(e);
  };
  if (copies < 2) {
    add({0, 0, c.width(), c.height()});
    return out;
  }
  add({0, 0, from, c.height()});
  for (int ty = 0; ty < c.height(); ty += kArtTileSide) {
    const Canvas piece = c.crop({from, ty, kStripWidth, std::min(kArtTileSide, c.height() - ty)});
    const Box ink = piece.bounds();
    if (ink.empty()) continue;
    const int strip = sprite.addModule(piece.crop(ink));
    for (int i = 0; i < copies; i++)
      out.push_back(ArtSprite::entry(strip, from + i * kStripWidth + ink.x - originX, ty + ink.y - originY));
  }
  add({from + copies * kStripWidth, 0, c.width() - from - copies * kStripWidth, c.height()});
  return out;
}

}  // namespace sorv::mkdata
