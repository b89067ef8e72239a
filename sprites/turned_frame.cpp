#include "sprites/turned_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/array.h"
#include "sprites/asprite.h"

namespace sorv {

namespace {

constexpr int32_t kTurn = 4096;
// Frames bigger than this are not turned: the picture would cost more than it shows.
constexpr int32_t kLargestSide = 256;
// The image starts in this colour; what still shows it after painting lies outside the frame.
constexpr int32_t kOutside = 0xFF00FF;

struct Box {
  double left, top, right, bottom;
};

// The screen box (relative to the origin) of the w x h image at (left, top) turned by c, s.
Box turnedBox(int32_t left, int32_t top, int32_t w, int32_t h, double c, double s) {
  Box b{1e9, 1e9, -1e9, -1e9};
  for (const auto& [u, v] : {std::pair{left, top}, std::pair{left + w, top}, std::pair{left, top + h},
                             std::pair{left + w, top + h}}) {
    const double x = u * c - v * s, y = u * s + v * c;
    b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
  }
  return b;
}

}  // namespace

void paintFrameTurned(ASprite* sprite, Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t angle) {
  if (isNull(sprite) || isNull(g)) return;
  IntArray* rect = Array::newIntArray(4);
  if (isNull(rect)) return;
  sprite->GetFrameRect(rect, frame, 0, 0, 0);
  const int32_t left = aload(rect, 0), top = aload(rect, 1);
  const int32_t w = aload(rect, 2) - left, h = aload(rect, 3) - top;
  if (w <= 0 || h <= 0 || w > kLargestSide || h > kLargestSide) return;

  Image* image = Image::createImage(w, h);
  if (isNull(image)) return;
  Graphics* canvas = image->getGraphics();
  if (isNull(canvas)) return;
  canvas->setColor(kOutside);
  canvas->fillRect(0, 0, w, h);
  IntArray* source = Array::newIntArray(w * h);
  if (isNull(source)) return;
  // The outside colour as the image's pixel format gives it back.
  Image::getRGB(image, source, 0, w, 0, 0, 1, 1);
  const int32_t outside = aload(source, 0) & 0xFFFFFF;
  sprite->PaintFrame(canvas, frame, -left, -top, 0, 0);
  Image::getRGB(image, source, 0, w, 0, 0, w, h);

  const double radians = static_cast<double>(angle % kTurn) * 2 * std::numbers::pi / kTurn;
  const double c = std::cos(radians), s = std::sin(radians);
  const Box box = turnedBox(left, top, w, h, c, s);
  const auto x0 = static_cast<int32_t>(std::floor(box.left)), y0 = static_cast<int32_t>(std::floor(box.top));
  const int32_t dw = static_cast<int32_t>(std::ceil(box.right)) - x0;
  const int32_t dh = static_cast<int32_t>(std::ceil(box.bottom)) - y0;
  if (dw <= 0 || dh <= 0) return;
  IntArray* turned = Array::newIntArray(dw * dh);
  if (isNull(turned)) return;
  // No allocation from here on: the element pointers stay valid.
  const int32_t* from = source->elements();
  int32_t* to = turned->elements();
  for (int32_t row = 0; row < dh; row++) {
    for (int32_t col = 0; col < dw; col++) {
      // The pixel's centre turned back into the frame's image.
      const double px = x0 + col + 0.5, py = y0 + row + 0.5;
      const auto u = static_cast<int32_t>(std::floor(px * c + py * s)) - left;
      const auto v = static_cast<int32_t>(std::floor(-px * s + py * c)) - top;
      int32_t pixel = 0;
      if (u >= 0 && u < w && v >= 0 && v < h) {
        const int32_t p = from[v * w + u] & 0xFFFFFF;
        if (p != outside) pixel = static_cast<int32_t>(0xFF000000u | static_cast<uint32_t>(p));
      }
      to[row * dw + col] = pixel;
    }
  }
  g->drawRGB(turned, 0, dw, x + x0, y + y0, dw, dh, true);
}

}  // namespace sorv
