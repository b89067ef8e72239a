// Pixel effects on the screen buffer, row by row in ASprite's decode buffer: the grey copy,
// blur with desaturation, the blurred rectangle behind the in-game menu and the vertical
// gradient bands of the match. Rectangles are cut to the screen first; every strip holds at
// least one row, so no loop stands still and nothing is read outside the buffer.
#include <algorithm>
#include <cstdlib>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "game/screen_buffer.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"

namespace sorv {

namespace {

using screen_buffer::Rect;

constexpr int32_t kRedBlue = 0xFF00FF, kGreen = 0xFF00;

// The work buffer, or null (logged) when it cannot hold one row of w pixels.
IntArray* workBuffer(int32_t w) {
  IntArray* buffer = ASprite::decodeBuffer.get();
  if (isNull(buffer) || buffer->length < w) {
    Debug::trace("CGame: no work buffer for rows of %d pixels, effect skipped", w);
    return nullptr;
  }
  return buffer;
}

// A channel value that carried past its eight bits is full, else its eight bits.
inline int32_t saturate(int32_t v) { return (v & 0x100) != 0 ? 0xFF : v & 0xFF; }

inline int32_t channelScaled(int32_t c, int32_t k) { return saturate((c * k) >> 7); }

inline int32_t pack(int32_t r, int32_t g, int32_t b) { return r << 16 | g << 8 | b; }

inline int32_t red(int32_t p) { return (p >> 16) & 0xFF; }
inline int32_t green(int32_t p) { return (p >> 8) & 0xFF; }
inline int32_t blue(int32_t p) { return p & 0xFF; }

int32_t brighten(int32_t p, int32_t k) {
  return pack(channelScaled(red(p), k), channelScaled(green(p), k), channelScaled(blue(p), k));
}

// The running blur: red and blue packed, green alone, both from 0.
struct Blur {
  int32_t rb = 0, g = 0;
  int32_t step(int32_t p, int32_t amount) {
    rb = ((p & kRedBlue) + ((rb - (p & kRedBlue)) * amount >> 7)) & kRedBlue;
    g = ((p & kGreen) + ((g - (p & kGreen)) * amount >> 7)) & kGreen;
    return g | rb;
  }
};

// The pixels index .. index + count - 1 of px, or null (logged) when they are not all there.
int32_t* rowOf(int32_t count, int32_t index, IntArray* px) {
  if (isNull(px)) {
    reportError("NullPointer");
    return nullptr;
  }
  if (count <= 0) return nullptr;
  if (index < 0 || int64_t{index} + count > px->length) {
    reportError("ArrayOutOfBound");
    return nullptr;
  }
  return px->elements() + index;
}

template <class PixelOp>
int32_t eachPixel(int32_t count, int32_t index, IntArray* px, bool downward, PixelOp op) {
  if (int32_t* row = rowOf(count, index, px)) {
    if (downward) {
      for (int32_t i = count - 1; i >= 0; i--) row[i] = op(row[i]);
    } else {
      for (int32_t i = 0; i < count; i++) row[i] = op(row[i]);
    }
  }
  return index + count;
}

// Java's int arithmetic for the band strength: a wrapping product, |INT_MIN| staying negative.
int32_t bandAmount(int32_t half, int32_t d, int32_t strength) {
  const auto product = static_cast<int32_t>(static_cast<uint32_t>(half - std::abs(d)) * static_cast<uint32_t>(strength));
  const int32_t v = product / half;
  return v < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
}

// The rectangle cut to the screen and to the screen buffer.
Rect bufferRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  Image* buffer = CGame::screenBuffer;
  return screen_buffer::clipTo(x, y, w, h, std::min(CGame::kGameWidth, buffer->getWidth()),
                               std::min(CGame::kGameHeight, buffer->getHeight()));
}

using RowOp = int32_t (*)(int32_t, int32_t, IntArray*, int32_t);

RowOp rowOpOfKind(int32_t kind) {
  switch (kind) {
    case 1: return CGame::gradientRedLine;
    case 2: return CGame::gradientYellowLine;
    case 3: return CGame::gradientWhiteLine;
    case 4: return CGame::gradientLBlurLine;
    case 5: return CGame::gradientRBlurLine;
    case 6: return CGame::gradientLRewindLine;
    case 7: return CGame::gradientRRewindLine;
    default: return nullptr;
  }
}

}  // namespace

void CGame::graylizeImage2Graphic(Graphics* g, Image* img, int32_t tint) {
  SORV_FRAME("CGame.graylizeImage2Graphic(Ljavax/microedition/lcdui/Graphics;Ljavax/microedition/lcdui/Image;I)V");
  if (isNull(g) || isNull(img)) return;
  const int32_t w = img->getWidth(), h = img->getHeight();
  if (w <= 0 || h <= 0) return;
  IntArray* buffer = ASprite::decodeBuffer.get();
  if (isNull(buffer) || buffer->length < 1) return;
  // An image wider than the buffer goes in column pieces.
  const int32_t piece = std::min(w, buffer->length);
  for (int32_t y = 0; y < h; y++) {
    for (int32_t left = 0; left < w; left += piece) {
      const int32_t n = std::min(piece, w - left);
      Image::getRGB(img, buffer, 0, n, left, y, n, 1);
      int32_t* p = buffer->elements();
      for (int32_t i = 0; i < n; i++) p[i] = screen_buffer::greyPixel(p[i], tint);
      g->drawRGB(buffer, 0, n, left, y, n, 1, false);
    }
  }
}

void CGame::blurDesaturateBlock(int32_t count, IntArray* px, int32_t blur, int32_t desat) {
  int32_t* p = rowOf(count, 0, px);
  if (p == nullptr) return;
  int32_t rb = 0, gAcc = 0;
  for (int32_t i = count - 1; i >= 0; i--) {
    const int32_t v = p[i];
    rb = ((v & kRedBlue) + ((rb - (v & kRedBlue)) * blur >> 7)) & kRedBlue;
    gAcc = ((v & kGreen) + ((gAcc - (v & kGreen)) * blur >> 7)) & kGreen;
    p[i] = gAcc | rb;
  }
  if (desat == 0) return;
  int32_t rA = 0, bA = 0, gA = gAcc;
  for (int32_t i = 0; i < count; i++) {
    const int32_t v = p[i];
    rA = (v & 0xFF0000) + ((rA - (v & 0xFF0000)) * blur >> 7);
    gA = (v & kGreen) + ((gA - (v & kGreen)) * blur >> 7);
    bA = (v & 0xFF) + ((bA - (v & 0xFF)) * blur >> 7);
    // The sum of the three channels over 4, not 3: the grey is a little darker.
    const int32_t grey = ((gA >> 8) + (rA >> 16) + bA + 16) >> 2;
    const int32_t r = rA + (((grey << 16) - rA) * desat >> 7);
    const int32_t g = gA + (((grey << 8) - gA) * desat >> 7);
    const int32_t b = bA + ((grey - bA) * desat >> 7);
    p[i] = (r & 0xFF0000) | (g & kGreen) | b;
  }
}

void CGame::paintIGMBlurEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t blur,
                               int32_t desat) {
  SORV_FRAME("CGame.paintIGMBlurEffect(Ljavax/microedition/lcdui/Graphics;IIIIII)V");
  if (isNull(g) || isNull(screenBuffer)) return;
  const Rect r = bufferRect(x, y, w, h);
  if (r.empty()) return;
  IntArray* buffer = workBuffer(r.w);
  if (buffer == nullptr) return;
  const int32_t rows = buffer->length / r.w;
  const int32_t blurStep = blur % 128;
  for (int32_t top = 0; top < r.h;) {
    // Full strips leave one row of the buffer unused; the last strip takes what is left.
    const int32_t n = r.h - top <= rows ? r.h - top : std::max(rows - 1, 1);
    Image::getRGB(screenBuffer, buffer, 0, r.w, r.x, r.y + top, r.w, n);
    blurDesaturateBlock(n * r.w, buffer, blurStep, desat);
    g->drawRGB(buffer, 0, r.w, r.x, r.y + top, r.w, n, false);
    top += n;
  }
}

int32_t CGame::gradientRedLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  const int32_t k = amount + 128;
  return eachPixel(count, index, px, false, [=](int32_t p) {
    return pack(saturate(red(p) + amount), channelScaled(green(p), k), channelScaled(blue(p), k));
  });
}

int32_t CGame::gradientYellowLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  const int32_t k = amount + 128;
  return eachPixel(count, index, px, false, [=](int32_t p) {
    return pack(saturate(red(p) + amount), saturate(green(p) + amount), channelScaled(blue(p), k));
  });
}

int32_t CGame::gradientWhiteLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  const int32_t k = amount + 128;
  return eachPixel(count, index, px, false, [=](int32_t p) { return brighten(p, k); });
}

int32_t CGame::gradientRBlurLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  Blur blur;
  return eachPixel(count, index, px, false, [&](int32_t p) { return blur.step(p, amount); });
}

int32_t CGame::gradientLBlurLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  Blur blur;
  return eachPixel(count, index, px, true, [&](int32_t p) { return blur.step(p, amount); });
}

int32_t CGame::gradientRRewindLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  Blur blur;
  const int32_t k = amount + 128;
  return eachPixel(count, index, px, false, [&](int32_t p) { return blur.step(brighten(p, k), amount); });
}

int32_t CGame::gradientLRewindLine(int32_t count, int32_t index, IntArray* px, int32_t amount) {
  Blur blur;
  const int32_t k = amount + 128;
  return eachPixel(count, index, px, true, [&](int32_t p) { return blur.step(brighten(p, k), amount); });
}

void CGame::paintVerticalGradientEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                                        int32_t strength, int32_t kind, int32_t, int32_t) {
  SORV_FRAME("CGame.paintVerticalGradientEffect(Ljavax/microedition/lcdui/Graphics;IIIIIIII)V");
  RowOp op = rowOpOfKind(kind);
  // A band under two rows has no middle to fall off from.
  if (isNull(g) || isNull(screenBuffer) || op == nullptr || h < 2) return;
  const Rect r = bufferRect(x, y, w, h);
  if (r.empty()) return;
  IntArray* buffer = workBuffer(r.w);
  if (buffer == nullptr) return;
  const int32_t rows = std::max((buffer->length / r.w) & ~1, 1);
  const int32_t half = h >> 1;
  const int32_t step = kind == 4 || kind == 5 ? 1 : 2;
  // Rows are counted in the band as given, so the strength keeps its shape when cut.
  const int32_t firstRow = r.y - y, endRow = firstRow + r.h;
  for (int32_t r0 = firstRow; r0 < endRow;) {
    const int32_t n = std::min(endRow - r0, rows);
    int32_t first = -1, last = -1;
    for (int32_t i = 0; i < n; i += step) {
      const int32_t amount = bandAmount(half, r0 + i - half, strength);
      if (amount < 16) continue;
      if (first < 0) {
        first = i;
        Image::getRGB(screenBuffer, buffer, i * r.w, r.w, r.x, y + r0 + i, r.w, n - i);
      }
      op(r.w, i * r.w, buffer, amount & ~7);
      last = i;
    }
    if (first >= 0) g->drawRGB(buffer, first * r.w, r.w, r.x, y + r0 + first, r.w, last - first + 1, false);
    r0 += n;
  }
}

void CGame::paintVerticalGradientEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                                        int32_t strength, int32_t kind) {
  paintVerticalGradientEffect(g, x, y, w, h, strength, kind, 0, w);
}

}  // namespace sorv
