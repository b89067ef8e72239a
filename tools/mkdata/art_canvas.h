// The painter's canvas for the synthetic art: an indexed picture (palette indexes, 0 the
// transparent key) with the few shapes every sprite is drawn from - rectangles, polygons,
// ellipses, thick lines, dithered ramps - and the copies that compose pictures.
//
// Invariants: integer arithmetic only (coordinates may carry sub-pixel units, see kSub), so
// the same calls paint the same pixels on every host; every write outside the canvas is
// dropped, so a shape may run over the edge.
// Only the data builder and its tests paint.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Sub-pixel units of the *Sub shapes: a pixel's centre lies at (x * kSub + kSub / 2).
inline constexpr int kSub = 16;

struct Pt {
  int x = 0, y = 0;
};

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, uint8_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  uint8_t at(int x, int y) const;  // 0 outside
  void set(int x, int y, uint8_t c);
  bool operator==(const Canvas& other) const = default;

  void fill(uint8_t c);
  void fillRect(int x, int y, int w, int h, uint8_t c);
  // The 1-pixel edge of the rectangle.
  void strokeRect(int x, int y, int w, int h, uint8_t c);
  // Pixels whose centres lie inside the polygon (even-odd rule); points in pixels or, for
  // the Sub form, in 1/kSub pixels.
  void fillPolygon(const std::vector<Pt>& points, uint8_t c);
  void fillPolygonSub(const std::vector<Pt>& points, uint8_t c);
  // An ellipse centred on pixel (cx, cy) with radii rx, ry (a circle of radius 0 is its one
  // centre pixel); the ring is the band thickness pixels wide inside its edge.
  void fillEllipse(int cx, int cy, int rx, int ry, uint8_t c);
  void ellipseRing(int cx, int cy, int rx, int ry, int thickness, uint8_t c);
  // The ellipse inscribed in a box of any size (even sizes too, so a picture can be centred
  // on a point between pixels); the ring is the band thickness pixels wide inside its edge.
  void fillOval(const Box& box, uint8_t c);
  void ovalRing(const Box& box, int thickness, uint8_t c);
  // A line `thickness` pixels wide with round ends, between pixel centres (or sub-pixel
  // points for the Sub form).
  void line(Pt a, Pt b, int thickness, uint8_t c);
  void lineSub(Pt a, Pt b, int thicknessSub, uint8_t c);
  // A ramp over `count` consecutive palette indexes from `first`, top to bottom (or left to
  // right), ordered-dithered so a few colours read as a smooth gradient.
  void ramp(int x, int y, int w, int h, uint8_t first, int count, bool vertical = true);
  // The same ramp, only over pixels that already hold `where`.
  void rampOver(uint8_t where, int x, int y, int w, int h, uint8_t first, int count, bool vertical = true);
  // Replaces one index by another everywhere (or inside the box).
  void replace(uint8_t from, uint8_t to);
  void replaceIn(const Box& box, uint8_t from, uint8_t to);
  // Paints `c` on the empty pixels that touch an inked one (four neighbours).
  void outline(uint8_t c);

  // Copies src's inked pixels with src's (0, 0) at (x, y), optionally mirrored left-right.
  void draw(const Canvas& src, int x, int y, bool mirror = false);
  Canvas crop(const Box& box) const;
  Canvas mirrored() const;
  Canvas scaled(int factor) const;
  // The smallest box holding every inked pixel (empty when none).
  Box bounds() const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;
};

// Bayer 4 x 4 threshold of a pixel, 0..15.
int ditherThreshold(int x, int y);

}  // namespace sorv::mkdata
