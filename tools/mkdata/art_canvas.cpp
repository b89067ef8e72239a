#include "tools/mkdata/art_canvas.h"

#include <algorithm>
#include <cstddef>

#include "tools/mkdata/art_integers.h"

namespace sorv::mkdata {

namespace {

int centreOf(int pixel) { return pixel * kSub + kSub / 2; }

}  // namespace

int ditherThreshold(int x, int y) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return kBayer[y & 3][x & 3];
}

Canvas::Canvas(int width, int height, uint8_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

uint8_t Canvas::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, uint8_t c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::fill(uint8_t c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fillRect(int x, int y, int w, int h, uint8_t c) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int j = y0; j < y1; j++) {
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(j) * width_ + x0, std::max(x1 - x0, 0), c);
  }
}

void Canvas::strokeRect(int x, int y, int w, int h, uint8_t c) {
  if (w <= 0 || h <= 0) return;
  fillRect(x, y, w, 1, c);
  fillRect(x, y + h - 1, w, 1, c);
  fillRect(x, y, 1, h, c);
  fillRect(x + w - 1, y, 1, h, c);
}

void Canvas::fillPolygon(const std::vector<Pt>& points, uint8_t c) {
  std::vector<Pt> sub;
  sub.reserve(points.size());
  for (const Pt& p : points) sub.push_back({centreOf(p.x), centreOf(p.y)});
  fillPolygonSub(sub, c);
}

void Canvas::fillPolygonSub(const std::vector<Pt>& points, uint8_t c) {
  if (points.size() < 3) return;
  int top = points[0].y, bottom = points[0].y;
  for (const Pt& p : points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  const int firstRow = std::max(0, static_cast<int>(ceilDiv(top - kSub / 2, kSub)));
  const int lastRow = std::min(height_ - 1, static_cast<int>(floorDiv(bottom - kSub / 2, kSub)));
  std::vector<int64_t> crossings;
  for (int row = firstRow; row <= lastRow; row++) {
    const int64_t ys = centreOf(row);
    crossings.clear();
    for (size_t i = 0; i < points.size(); i++) {
      const Pt a = points[i], b = points[(i + 1) % points.size()];
      if (a.y == b.y) continue;
      // Half-open in y, so a vertex shared by two edges counts once.
      const bool crosses = (a.y <= ys && ys < b.y) || (b.y <= ys && ys < a.y);
      if (!crosses) continue;
      crossings.push_back(a.x + floorDiv((ys - a.y) * (b.x - a.x), b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int from = std::max(0, static_cast<int>(ceilDiv(crossings[i] - kSub / 2, kSub)));
      const int to = std::min(width_, static_cast<int>(ceilDiv(crossings[i + 1] - kSub / 2, kSub)));
      for (int x = from; x < to; x++) pixels_[static_cast<size_t>(row) * width_ + x] = c;
    }
  }
}

void Canvas::fillEllipse(int cx, int cy, int rx, int ry, uint8_t c) {
  if (rx < 0 || ry < 0) return;
  // Radii half a pixel larger, so small circles come out round rather than diamond-shaped.
  const int64_t ax = 2 * rx + 1, ay = 2 * ry + 1;
  for (int y = cy - ry; y <= cy + ry; y++) {
    for (int x = cx - rx; x <= cx + rx; x++) {
      const int64_t dx = 2 * (x - cx), dy = 2 * (y - cy);
      if (dx * dx * ay * ay + dy * dy * ax * ax <= ax * ax * ay * ay) set(x, y, c);
    }
  }
}

void Canvas::ellipseRing(int cx, int cy, int rx, int ry, int thickness, uint8_t c) {
  const int irx = rx - thickness, iry = ry - thickness;
  if (irx < 0 || iry < 0) {
    fillEllipse(cx, cy, rx, ry, c);
    return;
  }
  const int64_t ax = 2 * rx + 1, ay = 2 * ry + 1, bx = 2 * irx + 1, by = 2 * iry + 1;
  for (int y = cy - ry; y <= cy + ry; y++) {
    for (int x = cx - rx; x <= cx + rx; x++) {
      const int64_t dx = 2 * (x - cx), dy = 2 * (y - cy);
      const bool outer = dx * dx * ay * ay + dy * dy * ax * ax <= ax * ax * ay * ay;
      const bool inner = dx * dx * by * by + dy * dy * bx * bx <= bx * bx * by * by;
      if (outer && !inner) set(x, y, c);
    }
  }
}

namespace {

// Whether pixel (x, y) lies inside the ellipse inscribed in the box, in half pixels so that
// even and odd sizes are both exact.
bool insideOval(const Box& box, int x, int y) {
  if (box.empty()) return false;
  const int64_t w = box.w, h = box.h;
  const int64_t dx = 2 * (x - box.x) + 1 - w, dy = 2 * (y - box.y) + 1 - h;
  return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

}  // namespace

void Canvas::fillOval(const Box& box, uint8_t c) {
  for (int y = box.y; y < box.y + box.h; y++) {
    for (int x = box.x; x < box.x + box.w; x++) {
      if (insideOval(box, x, y)) set(x, y, c);
    }
  }
}

void Canvas::ovalRing(const Box& box, int thickness, uint8_t c) {
  const Box inner{box.x + thickness, box.y + thickness, box.w - 2 * thickness, box.h - 2 * thickness};
  for (int y = box.y; y < box.y + box.h; y++) {
    for (int x = box.x; x < box.x + box.w; x++) {
      if (insideOval(box, x, y) && !insideOval(inner, x, y)) set(x, y, c);
    }
  }
}

void Canvas::line(Pt a, Pt b, int thickness, uint8_t c) {
  lineSub({centreOf(a.x), centreOf(a.y)}, {centreOf(b.x), centreOf(b.y)}, thickness * kSub, c);
}

void Canvas::lineSub(Pt a, Pt b, int thicknessSub, uint8_t c) {
  const int64_t r = std::max(thicknessSub, 1);
  // Pixel centres within half the thickness of the segment; r2 is (2 x that distance)^2.
  const int64_t r2 = r * r;
  const int x0 = static_cast<int>(floorDiv(std::min(a.x, b.x) - r, kSub)) - 1;
  const int x1 = static_cast<int>(floorDiv(std::max(a.x, b.x) + r, kSub)) + 1;
  const int y0 = static_cast<int>(floorDiv(std::min(a.y, b.y) - r, kSub)) - 1;
  const int y1 = static_cast<int>(floorDiv(std::max(a.y, b.y) + r, kSub)) + 1;
  const int64_t ex = b.x - a.x, ey = b.y - a.y, len2 = ex * ex + ey * ey;
  for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); y++) {
    for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); x++) {
      const int64_t px = centreOf(x) - a.x, py = centreOf(y) - a.y;
      const int64_t dot = px * ex + py * ey;
      int64_t d2x4;  // four times the squared distance, compared with the squared thickness
      bool inside;
      if (len2 == 0 || dot <= 0) {
        d2x4 = 4 * (px * px + py * py);
        inside = d2x4 <= r2;
      } else if (dot >= len2) {
        const int64_t qx = px - ex, qy = py - ey;
        d2x4 = 4 * (qx * qx + qy * qy);
        inside = d2x4 <= r2;
      } else {
        // Distance to the segment's line: |cross| / |e|; compared squared and scaled by len2.
        const int64_t cross = px * ey - py * ex;
        inside = 4 * cross * cross <= r2 * len2;
      }
      if (inside) pixels_[static_cast<size_t>(y) * width_ + x] = c;
    }
  }
}

namespace {

// The ramp's colour level at offset t of length n.
int rampLevel(int t, int n, int count, int threshold) {
  if (count <= 1 || n <= 1) return 0;
  const int v = static_cast<int>(int64_t{t} * (count - 1) * 16 / (n - 1));
  return std::min((v + threshold) / 16, count - 1);
}

}  // namespace

void Canvas::ramp(int x, int y, int w, int h, uint8_t first, int count, bool vertical) {
  for (int j = std::max(y, 0); j < std::min(y + h, height_); j++) {
    for (int i = std::max(x, 0); i < std::min(x + w, width_); i++) {
      const int level = vertical ? rampLevel(j - y, h, count, ditherThreshold(i, j))
                                 : rampLevel(i - x, w, count, ditherThreshold(i, j));
      pixels_[static_cast<size_t>(j) * width_ + i] = static_cast<uint8_t>(first + level);
    }
  }
}

void Canvas::rampOver(uint8_t where, int x, int y, int w, int h, uint8_t first, int count, bool vertical) {
  for (int j = std::max(y, 0); j < std::min(y + h, height_); j++) {
    for (int i = std::max(x, 0); i < std::min(x + w, width_); i++) {
      uint8_t& p = pixels_[static_cast<size_t>(j) * width_ + i];
      if (p != where) continue;
      const int level = vertical ? rampLevel(j - y, h, count, ditherThreshold(i, j))
                                 : rampLevel(i - x, w, count, ditherThreshold(i, j));
      p = static_cast<uint8_t>(first + level);
    }
  }
}

void Canvas::replace(uint8_t from, uint8_t to) { std::replace(pixels_.begin(), pixels_.end(), from, to); }

void Canvas::replaceIn(const Box& box, uint8_t from, uint8_t to) {
  for (int j = std::max(box.y, 0); j < std::min(box.y + box.h, height_); j++) {
    for (int i = std::max(box.x, 0); i < std::min(box.x + box.w, width_); i++) {
      uint8_t& p = pixels_[static_cast<size_t>(j) * width_ + i];
      if (p == from) p = to;
    }
  }
}

void Canvas::outline(uint8_t c) {
  const Canvas before = *this;
  for (int y = 0; y < height_; y++) {
    for (int x = 0; x < width_; x++) {
      if (before.at(x, y) != 0) continue;
      if (before.at(x - 1, y) || before.at(x + 1, y) || before.at(x, y - 1) || before.at(x, y + 1)) set(x, y, c);
    }
  }
}

void Canvas::draw(const Canvas& src, int x, int y, bool mirror) {
  for (int j = 0; j < src.height_; j++) {
    for (int i = 0; i < src.width_; i++) {
      const uint8_t p = src.pixels_[static_cast<size_t>(j) * src.width_ + (mirror ? src.width_ - 1 - i : i)];
      if (p != 0) set(x + i, y + j, p);
    }
  }
}

Canvas Canvas::crop(const Box& box) const {
  Canvas out(box.w, box.h);
  for (int j = 0; j < out.height_; j++) {
    for (int i = 0; i < out.width_; i++) out.pixels_[static_cast<size_t>(j) * out.width_ + i] = at(box.x + i, box.y + j);
  }
  return out;
}

Canvas Canvas::mirrored() const {
  Canvas out(width_, height_);
  out.draw(*this, 0, 0, true);
  return out;
}

Canvas Canvas::scaled(int factor) const {
  if (factor < 1) factor = 1;
  Canvas out(width_ * factor, height_ * factor);
  for (int j = 0; j < out.height_; j++) {
    for (int i = 0; i < out.width_; i++) {
      out.pixels_[static_cast<size_t>(j) * out.width_ + i] = pixels_[static_cast<size_t>(j / factor) * width_ + i / factor];
    }
  }
  return out;
}

Box Canvas::bounds() const {
  int x0 = width_, y0 = height_, x1 = -1, y1 = -1;
  for (int y = 0; y < height_; y++) {
    for (int x = 0; x < width_; x++) {
      if (pixels_[static_cast<size_t>(y) * width_ + x] == 0) continue;
      x0 = std::min(x0, x), x1 = std::max(x1, x);
      y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  }
  if (x1 < 0) return Box{};
  return Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

}  // namespace sorv::mkdata
