// The promotion screen's drawing: its bitmap-font text (measured, then drawn line by line),
// the recoloured fonts, and the gradient, arrows, progress bar and other small routines.
#include <zlib.h>

#include <algorithm>

#include "device/anchor.h"
#include "device/graphics.h"
#include "device/image.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

namespace {

using namespace anchor;

constexpr int32_t kProductKind = 4;
constexpr int32_t kArrowColour = 0x00B4EF;
constexpr int32_t kBarOutline = 0xFFFFFF, kBarFill = 0xFF0000;
constexpr int32_t kNarrowScreen = 176;

int32_t lineGap() {
  IntArray* kinds = IGP::pageKinds;
  const bool product = !isNull(kinds) && kinds->inBounds(IGP::currentPage) &&
                       kinds->elements()[IGP::currentPage] == kProductKind;
  return IGP::screenWidth <= kNarrowScreen && product ? 2 : 0;
}

// A line break at i: character 10, or "\N" (two characters), while fewer than the slots of
// lineWidths have been started. Returns the characters it takes, 0 when none.
int32_t breakAt(String* text, int32_t i, int32_t linesStarted) {
  if (linesStarted >= IGP::kLineWidthSlots) return 0;
  const int32_t c = text->text[i];
  if (c == 10) return 1;
  if (c == '\\' && i + 1 < text->length() && text->text[i + 1] == 'N') return 2;
  return 0;
}

int32_t glyphAdvance(int32_t c) {
  const int32_t w = IGP::getFontMetric(c, IGP::metricWidth);
  return w == 0 ? 0 : w + IGP::charSpacing;
}

// The measuring pass: lineWidths, textBlockWidth and textBlockHeight; the number of lines.
int32_t measure(String* text) {
  IntArray* widths = IGP::lineWidths;
  if (isNull(widths) || widths->length < IGP::kLineWidthSlots) {
    widths = Array::newIntArray(IGP::kLineWidthSlots);
    IGP::lineWidths = widths;
    if (isNull(widths)) return 0;
  }
  int32_t* w = widths->elements();
  int32_t line = 0, block = 0;
  w[0] = 0;
  const int32_t n = isNull(text) ? 0 : text->length();
  for (int32_t i = 0; i < n; i++) {
    const int32_t taken = breakAt(text, i, line + 1);
    if (taken > 0) {
      w[line] -= IGP::charSpacing;
      block = std::max(block, w[line]);
      w[++line] = 0;
      i += taken - 1;
      continue;
    }
    const int32_t c = text->text[i];
    if (c == 0 || c == 1) continue;
    w[line] += glyphAdvance(c);
  }
  w[line] -= IGP::charSpacing;
  block = std::max(block, w[line]);
  const int32_t lines = line + 1;
  IGP::textBlockWidth = block;
  IGP::textBlockHeight = lineGap() * (lines - 1) + lines * IGP::fontHeight;
  return lines;
}

int32_t lineStart(int32_t x, int32_t anchor, int32_t line) {
  const int32_t width = IGP::lineWidths->elements()[line];
  if ((anchor & kRight) != 0) return x - width;
  if ((anchor & kHCenter) != 0) return x - width / 2;
  return x;
}

void drawGlyph(Graphics* g, Image* font, int32_t c, int32_t x, int32_t y) {
  const int32_t w = IGP::getFontMetric(c, IGP::metricWidth);
  const int32_t h = IGP::getFontMetric(c, IGP::metricHeight);
  if (w <= 0 || h <= 0) return;
  g->setClip(std::max(x, 0), std::max(y, 0), std::min(w, IGP::screenWidth), std::min(h, IGP::screenHeight));
  g->drawRegion(font, IGP::getFontMetric(c, IGP::metricX), IGP::getFontMetric(c, IGP::metricY), w, h, 0, x, y,
                kTop | kLeft);
}

}  // namespace

int32_t IGP::currentFont = 1;
StaticRef<IntArray> IGP::lineWidths;
int32_t IGP::textBlockWidth = 0, IGP::textBlockHeight = 0;
bool IGP::measureOnly = false;

void IGP::drawString(int32_t textId, Graphics* g, int32_t x, int32_t y, int32_t anchor) {
  drawString(getString(textId), g, 0, x, y, anchor);
}

void IGP::drawString(String* text, Graphics* g, int32_t, int32_t x, int32_t y, int32_t anchor) {
  const int32_t lines = measure(text);
  if (measureOnly) {
    measureOnly = false;
    return;
  }
  Image* font = imageAt(fontImages, currentFont);
  if (isNull(g) || isNull(text) || lines == 0) {
    currentFont = 1;
    return;
  }
  const int32_t gap = lineGap();
  y += gap * (lines - 1) / 2;
  if ((anchor & kBottom) != 0) y -= textBlockHeight;
  if ((anchor & kVCenter) != 0) y -= textBlockHeight / 2;
  const int32_t halfSpace = glyphAdvance(' ') / 2;
  int32_t line = 0;
  int32_t penX = lineStart(x, anchor, 0);
  bool lineBegins = true;
  const int32_t n = text->length();
  for (int32_t i = 0; i < n; i++) {
    const int32_t taken = breakAt(text, i, line + 1);
    if (taken > 0) {
      const bool spaceBefore = i > 0 && text->text[i - 1] == ' ';
      line++;
      y += fontHeight + gap - 2;
      penX = lineStart(x, anchor, line) - (spaceBefore ? halfSpace : 0);
      lineBegins = true;
      i += taken - 1;
      continue;
    }
    const int32_t c = text->text[i];
    if (lineBegins && c == ' ') {
      penX += halfSpace;
      lineBegins = false;
      continue;
    }
    lineBegins = false;
    if (c == 0 || c == 1) continue;
    if (!isNull(font)) drawGlyph(g, font, c, penX, y);
    penX += glyphAdvance(c);
  }
  SetClip(g, 0, 0, screenWidth, screenHeight);
  currentFont = 1;
}

Image* IGP::createFont(ByteArray* data, int32_t offset, int32_t length, int32_t paletteIndex, int32_t colour) {
  if (isNull(data) || offset < 0 || length < 0 || offset > data->length - length) return nullptr;
  int8_t* bytes = data->elements();
  const int32_t end = offset + length;
  // The palette chunk is looked for in the picture's own bytes only.
  for (int32_t p = offset + 4; p + 4 <= end; p++) {
    if (bytes[p] != 'P' || bytes[p + 1] != 'L' || bytes[p + 2] != 'T' || bytes[p + 3] != 'E') continue;
    const uint8_t* u = reinterpret_cast<const uint8_t*>(bytes);
    const int64_t chunkLength = int64_t{u[p - 4]} << 24 | u[p - 3] << 16 | u[p - 2] << 8 | u[p - 1];
    const int64_t entry = p + 4 + 3 * int64_t{paletteIndex};
    if (paletteIndex < 0 || 3 * int64_t{paletteIndex} + 3 > chunkLength || p + 8 + chunkLength > end) break;
    bytes[entry] = static_cast<int8_t>(colour >> 16);
    bytes[entry + 1] = static_cast<int8_t>(colour >> 8);
    bytes[entry + 2] = static_cast<int8_t>(colour);
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes + p), static_cast<uInt>(chunkLength + 4)));
    const int64_t at = p + 4 + chunkLength;
    for (int32_t k = 0; k < 4; k++) bytes[at + k] = static_cast<int8_t>(crc >> (24 - 8 * k));
    return CreateImage(data, offset, length);
  }
  logBadData("the font has no usable palette entry; index", paletteIndex);
  return CreateImage(data, offset, length);
}

void IGP::drawGradient(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t from, int32_t to, bool) {
  if (isNull(g)) return;
  h = std::min(h, screenHeight - y);
  w = std::min(w, screenWidth - x);
  for (int32_t k = 0; k < h; k++) {
    auto channel = [&](int32_t shift) {
      const int32_t a = from >> shift & 0xFF, b = to >> shift & 0xFF;
      return a + (b - a) * k / h;
    };
    g->setColorRGB(channel(16), channel(8), channel(0));
    g->drawLine(x, y + k, x + w, y + k);
  }
}

void IGP::fillAlphaRect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t argb) {
  if (isNull(g) || w <= 0 || h <= 0) return;
  IntArray* pixels = Array::newIntArray(w * h);
  if (isNull(pixels)) return;
  std::fill(pixels->elements(), pixels->elements() + w * h, argb);
  g->drawRGB(pixels, 0, w, x, y, w, h, true);
}

void IGP::DrawImage(Graphics* g, Image* image, int32_t x, int32_t y, int32_t anchor) {
  // A picture lost with its loading step is left out.
  if (isNull(g) || isNull(image)) return;
  g->drawImage(image, x, y, anchor);
}

void IGP::SetClip(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!isNull(g)) g->setClip(x, y, w, std::min(h, screenHeight));
}

// The tip at (x, y) points the way the list scrolls: the base lies below an up arrow's tip
// and above a down arrow's, so each stays between its tip and the rows.
void IGP::drawArrow(Graphics* g, int32_t x, int32_t y, int32_t size, int32_t colour, bool, bool down) {
  if (isNull(g)) return;
  const int32_t dir = down ? -1 : 1;
  g->setColor(kArrowColour);
  g->fillTriangle(x, y, x - size, y + dir * size, x + size, y + dir * size);
  g->setColor(colour);
  g->fillTriangle(x, y + dir, x - size + 2, y + dir * (size - 1), x + size - 2, y + dir * (size - 1));
}

void IGP::drawProgressBar(Graphics* g, int32_t y, int32_t width, int32_t step, int32_t steps) {
  if (isNull(g) || steps <= 0) return;
  step = std::min(step, steps);
  const int32_t x = (screenWidth - width) / 2;
  g->setColor(kBarOutline);
  g->drawRect(x, y, width, 6);
  g->setColor(kBarFill);
  g->fillRect(x + 2, y + 2, (width - 4) * std::max(step, 0) / steps + 1, 3);
}

int32_t IGP::imageWidth(Image* image) { return isNull(image) ? 0 : image->width; }
int32_t IGP::imageHeight(Image* image) { return isNull(image) ? 0 : image->height; }

Image* IGP::imageAt(ObjectArray* images, int32_t index) {
  if (isNull(images) || !images->inBounds(index)) return nullptr;
  return static_cast<Image*>(images->elements()[index]);
}

}  // namespace sorv
