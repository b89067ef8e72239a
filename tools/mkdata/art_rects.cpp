#include "tools/mkdata/art_rects.h"

#include <algorithm>
#include <utility>

namespace sorv::mkdata {

namespace {

constexpr int kMaxRectSide = 255;

// The stretches of a band's passable pixels that hold a pixel it must paint, each from its
// first such pixel to its last.
std::vector<std::pair<int, int>> runsOf(const std::vector<char>& passable, const std::vector<char>& required) {
  std::vector<std::pair<int, int>> runs;
  const int w = static_cast<int>(passable.size());
  for (int x = 0; x < w;) {
    if (!passable[static_cast<size_t>(x)]) {
      x++;
      continue;
    }
    int first = -1, last = -1;
    for (; x < w && passable[static_cast<size_t>(x)]; x++) {
      if (!required[static_cast<size_t>(x)]) continue;
      if (first < 0) first = x;
      last = x;
    }
    if (first >= 0) runs.emplace_back(first, last);
  }
  return runs;
}

// A length as equal pieces of at most kMaxRectSide, the last one overlapping its neighbour so
// that every piece has the same size: the offsets and the size.
std::pair<std::vector<int>, int> piecesOf(int length) {
  const int count = (length + kMaxRectSide - 1) / kMaxRectSide;
  const int size = (length + count - 1) / count;
  std::vector<int> at;
  for (int i = 0; i < count; i++) at.push_back(std::min(i * size, length - size));
  return {at, size};
}

}  // namespace

int PlainRects::moduleOf(uint32_t colour, int w, int h) {
  const auto key = std::make_tuple(colour, w, h);
  if (auto it = modules_.find(key); it != modules_.end()) return it->second;
  const int module = sprite_.addRectangle(colour, w, h, true);
  modules_.emplace(key, module);
  return module;
}

std::vector<SpriteFModule> PlainRects::cover(const RectTarget& t) {
  std::map<int64_t, long> counts;
  for (int64_t p : t.pixels) {
    if (p >= 0) counts[p]++;
  }
  std::vector<std::pair<long, int64_t>> order;
  for (const auto& [colour, n] : counts) order.emplace_back(-n, colour);
  std::sort(order.begin(), order.end());
  std::vector<SpriteFModule> out;
  const auto w = static_cast<size_t>(t.w);
  std::vector<char> passable(w), required(w), rowPassable(w), rowRequired(w);
  for (size_t i = 0; i < order.size(); i++) {
    const int64_t colour = order[i].second;
    // The commonest colour may lie under all the others, which are painted over it.
    const auto passes = [&](int64_t p) { return i == 0 ? p != kKeepPixel : (p == colour || p == kAnyPixel); };
    const auto loadRow = [&](int y) {
      bool any = false;
      for (int x = 0; x < t.w; x++) {
        const int64_t p = t.at(x, y);
        rowPassable[static_cast<size_t>(x)] = passes(p);
        rowRequired[static_cast<size_t>(x)] = p == colour;
        any = any || p == colour;
      }
      return any;
    };
    for (int y = 0; y < t.h;) {
      if (!loadRow(y)) {
        y++;
        continue;
      }
      passable = rowPassable, required = rowRequired;
      const size_t runs = runsOf(passable, required).size();
      // Rows join the band while every pixel it must paint stays passable in all of them and
      // the band needs no more rectangles than its first row.
      int end = y + 1;
      for (; end < t.h; end++) {
        loadRow(end);
        std::vector<char> p(w), r(w);
        bool fits = true;
        for (size_t x = 0; x < w && fits; x++) {
          p[x] = passable[x] && rowPassable[x];
          r[x] = required[x] || rowRequired[x];
          fits = !r[x] || p[x];
        }
        if (!fits || runsOf(p, r).size() > runs) break;
        passable = std::move(p), required = std::move(r);
      }
      const auto [rowsAt, rows] = piecesOf(end - y);
      for (const auto& [x0, x1] : runsOf(passable, required)) {
        const auto [colsAt, cols] = piecesOf(x1 - x0 + 1);
        const int module = moduleOf(static_cast<uint32_t>(colour), cols, rows);
        for (int ry : rowsAt) {
          for (int cx : colsAt) out.push_back(ArtSprite::entry(module, t.x + x0 + cx, t.y + y + ry));
        }
      }
      y = end;
    }
  }
  return out;
}

}  // namespace sorv::mkdata
