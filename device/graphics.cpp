#include "device/graphics.h"

#include <algorithm>
#include <climits>

#include "device/anchor.h"
#include "device/blit.h"
#include "device/image.h"
#include "device/pixel_formats.h"
#include "device/raster.h"
#include "device/stroke_font.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

SORV_REF_FIELDS(Graphics, SORV_REF_OFFSET(Graphics, target));

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

int32_t clampToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The stroke font's lines, drawn with the Graphics' own drawLine (clip, translation, colour).
class GraphicsLineSink final : public stroke_font::LineSink {
 public:
  explicit GraphicsLineSink(Graphics& g) : g_(g) {}
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { g_.drawLine(x1, y1, x2, y2); }

 private:
  Graphics& g_;
};

}  // namespace

void Graphics::init(Image* image) {
  SORV_FRAME("Graphics.<init>(Ljavax/microedition/lcdui/Image;)V");
  target = isNull(image) ? nullptr : image;
  colour = 0;
  translateX = translateY = 0;
  clipLeft = clipTop = 0;
  clipRight = target != nullptr ? target->width : 0;
  clipBottom = target != nullptr ? target->height : 0;
}

PixelView16 Graphics::targetView() const {
  if (isNull(target) || !target->has16BitPixels()) return {};
  return target->view16();
}

uint16_t Graphics::colour565() const { return pixel::toRgb565(colour); }

void Graphics::setColor(int32_t rgb) { colour = static_cast<uint32_t>(rgb) | kOpaque; }

void Graphics::setColorRGB(int32_t r, int32_t g, int32_t b) {
  if (r < 0 || r > 255) return reportError("setColor r");
  if (g < 0 || g > 255) return reportError("setColor g");
  if (b < 0 || b > 255) return reportError("setColor b");
  colour = kOpaque | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b);
}

void Graphics::setClipBounds(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const int64_t targetW = isNull(target) ? 0 : target->width;
  const int64_t targetH = isNull(target) ? 0 : target->height;
  clipLeft = clampToInt32(std::max<int64_t>(left, 0));
  clipTop = clampToInt32(std::max<int64_t>(top, 0));
  clipRight = clampToInt32(std::min(right, targetW));
  clipBottom = clampToInt32(std::min(bottom, targetH));
}

void Graphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h) {
  const int64_t left = int64_t{x} + translateX, top = int64_t{y} + translateY;
  setClipBounds(left, top, left + w, top + h);
}

void Graphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const int64_t left = int64_t{x} + translateX, top = int64_t{y} + translateY;
  setClipBounds(std::max<int64_t>(left, clipLeft), std::max<int64_t>(top, clipTop),
                std::min<int64_t>(left + w, clipRight), std::min<int64_t>(top + h, clipBottom));
}

void Graphics::translate(int32_t dx, int32_t dy) {
  translateX += dx;
  translateY += dy;
}

void Graphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  raster::fillRect(targetView(), clip(), int64_t{x} + translateX, int64_t{y} + translateY, w, h,
                   colour565());
}

void Graphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  raster::drawLine(targetView(), clip(), x1 + translateX, y1 + translateY, x2 + translateX,
                   y2 + translateY, colour565());
}

void Graphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  drawLine(x, y, x + w, y);
  drawLine(x, y, x, y + h);
  drawLine(x + w, y, x + w, y + h);
  drawLine(x, y + h, x + w, y + h);
}

void Graphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                            int32_t y3) {
  raster::fillTriangle(targetView(), clip(), x1 + translateX, y1 + translateY, x2 + translateX,
                       y2 + translateY, x3 + translateX, y3 + translateY, colour565());
}

void Graphics::fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle,
                       int32_t arcAngle) {
  raster::fillArc(targetView(), clip(), x + translateX, y + translateY, w, h, startAngle, arcAngle,
                  colour565());
}

void Graphics::drawImage(Image* image, int32_t x, int32_t y, int32_t anchor) {
  if (isNull(image)) return reportError("drawRegion pSrc");
  drawRegion(image, 0, 0, image->width, image->height, blit::kTransNone, x, y, anchor);
}

void Graphics::drawRegion(Image* src, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h,
                          int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor) {
  SORV_FRAME("Graphics.drawRegion(Ljavax/microedition/lcdui/Image;IIIIIIII)V");
  if (isNull(src)) return reportError("drawRegion pSrc");
  const bool swapped = blit::swapsAxes(transform);
  const int64_t destW = swapped ? h : w, destH = swapped ? w : h;
  int64_t x = xDest, y = yDest;
  if (anchor & anchor::kHCenter) x -= destW >> 1;
  else if (anchor & anchor::kRight) x -= destW;
  if (anchor & anchor::kVCenter) y -= destH >> 1;
  else if (anchor & anchor::kBottom) y -= destH;

  const blit::Region region{xSrc, ySrc, w, h, transform, x + translateX, y + translateY};
  // A byte-pixel source keeps its size for the region checks but lends no pixels.
  const PixelView16 source = src->has16BitPixels() ? src->view16()
                                                         : PixelView16{nullptr, src->width, src->height, 0};
  const ConstPixelView16 constSource{source.pixels, source.width, source.height, source.pitch};
  // Bad arguments draw nothing: the region, the transform or the source may lie.
  switch (blit::drawRegion(targetView(), clip(), constSource, src->pixelType, region)) {
    case blit::Result::kBadTransform: return reportError("drawRegion transform");
    case blit::Result::kBadSourceX: return reportError("drawRegion x_src");
    case blit::Result::kBadSourceY: return reportError("drawRegion y_src");
    case blit::Result::kBadSourceKind: return reportError("m_pixelType");
    case blit::Result::kDrawn:
    case blit::Result::kNothingVisible: return;
  }
}

void Graphics::drawRGB(IntArray* argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                       int32_t w, int32_t h, bool processAlpha) {
  SORV_FRAME("Graphics.drawRGB([IIIIIIIZ)V");
  if (isNull(argb)) return reportError("drawRGB rgbData");
  raster::RgbMode mode = processAlpha ? raster::RgbMode::kAlpha : raster::RgbMode::kOpaque;
  if (!isNull(target) && target->pixelType == kPixelArgb4444) mode = raster::RgbMode::kToArgb4444;
  const raster::RgbResult result =
      raster::drawRgb(targetView(), clip(), argb->elements(), argb->length, offset, scanlength,
                      int64_t{x} + translateX, int64_t{y} + translateY, w, h, mode);
  if (result == raster::RgbResult::kBadLength) reportError("drawRGB length");
}

void Graphics::drawString(String* str, int32_t x, int32_t y, int32_t anchor) {
  if (isNull(str)) return;
  drawSubstring(str, 0, str->length(), x, y, anchor);
}

void Graphics::drawSubstring(String* str, int32_t offset, int32_t length, int32_t x, int32_t y,
                             int32_t anchor) {
  if (isNull(str) || offset < 0 || offset >= str->length() || length <= 0) return;
  // A substring running past the text ends with the text.
  const int32_t count = std::min(length, str->length() - offset);
  GraphicsLineSink sink(*this);
  stroke_font::drawText(str->units() + offset, count, x, y, anchor, sink);
}

}  // namespace sorv
