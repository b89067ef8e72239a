#include "device/image.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "device/graphics.h"
#include "device/pixel_formats.h"
#include "device/png_decode.h"
#include "device/raster.h"
#include "runtime/frames.h"

namespace sorv {

SORV_REF_FIELDS(Image, SORV_REF_OFFSET(Image, pixels));

namespace {

// Lowest and highest element index of rows laid out at offset + r * scanlength, each
// `width` long; false when any of them falls outside [0, length).
bool rowsInside(int64_t length, int64_t offset, int64_t scanlength, int64_t width, int64_t rows) {
  const int64_t lastRowStart = offset + (rows - 1) * scanlength;
  const int64_t lowest = std::min(offset, lastRowStart);
  const int64_t highest = std::max(offset, lastRowStart) + width - 1;
  return lowest >= 0 && highest < length;
}

// Four pixels a step: every decoded PNG is scanned whole.
bool containsKeyColor(const uint16_t* words, int64_t count) {
  constexpr uint64_t kKeys = 0x0001'0001'0001'0001ull * pixel::kKeyColor565;
  constexpr uint64_t kLowBits = 0x0001'0001'0001'0001ull, kHighBits = 0x8000'8000'8000'8000ull;
  int64_t i = 0;
  for (; i + 4 <= count; i += 4) {
    uint64_t four;
    std::memcpy(&four, words + i, sizeof four);
    four ^= kKeys;  // a key pixel becomes a zero lane
    if (((four - kLowBits) & ~four & kHighBits) != 0) return true;
  }
  for (; i < count; ++i)
    if (words[i] == pixel::kKeyColor565) return true;
  return false;
}

}  // namespace

Graphics* Image::getGraphics() {
  Graphics* g = newObject<Graphics>();
  if (g == nullptr) return nullptr;
  if (isMutable == 0) {
    // Drawing into an immutable picture would change shared resources: the Graphics is
    // made, but it draws nothing.
    reportError("!mutable");
    g->init(nullptr);
    return g;
  }
  if (!has16BitPixels()) {
    reportError("getGraphics: no 16-bit pixels");
    g->init(nullptr);
    return g;
  }
  g->init(this);
  return g;
}

int32_t Image::getWidth() { return width; }
int32_t Image::getHeight() { return height; }

void Image::init() {
  pixels = nullptr;
  width = height = pitch = isMutable = pixelType = 0;
}

void Image::init(int32_t w, int32_t h, int32_t typeWord, int32_t extra) {
  SORV_FRAME("Image.<init>(IIII)V");
  init();
  allocPixels(w, h, typeWord, extra);
}

void Image::allocPixels(int32_t w, int32_t h, int32_t typeWord, int32_t extra) {
  pixelType = typeWord & ~kImageMutableBit;
  const int64_t evenWidth = (int64_t{w} + 1) & ~int64_t{1};
  int64_t rowBytes, elements;
  if (has16BitPixels()) {
    rowBytes = evenWidth * 2;
    elements = evenWidth * h;
  } else {
    rowBytes = pixelType == kPixel8Bit ? int64_t{w} : evenWidth / 2;
    elements = int64_t{extra} + rowBytes * h + 1;
  }
  if (w < 0 || h < 0 || extra < 0 || rowBytes > INT32_MAX || elements > INT32_MAX) {
    // Sizes from data never turn into a wrapped, too small array.
    Debug::trace("Image size %dx%d (+%d) refused", w, h, extra);
    reportError();
  } else {
    width = w;
    height = h;
    pitch = static_cast<int32_t>(rowBytes);
    const int32_t count = static_cast<int32_t>(elements);
    if (has16BitPixels()) pixels = Array::newShortArray(count);
    else pixels = Array::newByteArray(count);
  }
  if (typeWord & kImageMutableBit) {
    if (pixelType != kPixelRgb565) reportError("imagetype");
    isMutable = 1;
  }
}

ShortArray* Image::shortPixels() {
  if (!isNull(pixels) && pixels->classId == kShortArray) return static_cast<ShortArray*>(pixels);
  reportError("");
  return nullptr;
}

PixelView16 Image::view16() {
  if (isNull(pixels) || pixels->classId != kShortArray || pixels->data == nullptr) return {};
  const int32_t rowWords = pitch / 2;
  if (width < 0 || height < 0 || rowWords < width ||
      int64_t{rowWords} * height > static_cast<int64_t>(pixels->length))
    return {};
  return {static_cast<uint16_t*>(pixels->data), width, height, rowWords};
}

void Image::detectKeyColor() {
  if (isNull(pixels) || pixels->classId != kShortArray) return;
  const PixelView16 v = view16();
  pixelType = containsKeyColor(v.pixels, int64_t{v.pitch} * v.height) ? kPixelRgb565Keyed : kPixelRgb565;
}

Image* Image::createImage(int32_t w, int32_t h) {
  SORV_FRAME("Image.createImage(II)Ljavax/microedition/lcdui/Image;");
  Image* image = newObject<Image>();
  if (image != nullptr) image->init(w, h, kImageMutableBit, 0);
  return image;
}

Image* Image::createImage(ByteArray* data, int32_t offset, int32_t length) {
  if (isNull(data)) {
    reportError("createImage data null");
    return nullptr;
  }
  if (offset < 0 || length < 0 || int64_t{offset} + length > data->length) {
    Debug::trace("createImage offset %d, length %d outside %d bytes", offset, length, data->length);
    reportError();
    return nullptr;
  }
  png::Header header;
  if (!png::readHeader(reinterpret_cast<const uint8_t*>(data->elements()) + offset,
                       static_cast<size_t>(length), header))
    return nullptr;
  Image* image = newObject<Image>();
  if (image == nullptr) return nullptr;
  const int32_t type = png::pixelTypeFor(header);
  image->init(header.width, header.height, type, 0);
  // The allocations above may have moved the file's bytes: read the pointer again.
  const PixelView16 v = image->view16();
  if (v.pixels == nullptr) return image;
  png::decodeInto(reinterpret_cast<const uint8_t*>(data->elements()) + offset,
                  static_cast<size_t>(length), header, type, v.pixels, v.pitch,
                  static_cast<size_t>(v.pitch) * v.height);
  if (image->pixelType == kPixelRgb565) image->detectKeyColor();
  return image;
}

Image* Image::createRGBImage(IntArray* argb, int32_t w, int32_t h, bool processAlpha) {
  if (isNull(argb)) {
    reportError("createRGBImage rgbData");
    return nullptr;
  }
  if (w <= 0 || h <= 0) {
    reportError("createRGBImage width, height");
    return nullptr;
  }
  if (int64_t{argb->length} < int64_t{w} * h) {
    reportError("createRGBImage length");
    return nullptr;
  }
  bool translucent = false;
  if (processAlpha) {
    // Only the w x h pixels drawn count: decoders hand over buffers larger than the image.
    const uint32_t* colours = reinterpret_cast<const uint32_t*>(argb->elements());
    const int32_t used = w * h;
    for (int32_t i = 0; i < used && !translucent; ++i) {
      const uint32_t alpha = colours[i] >> 24;
      translucent = alpha != 0 && alpha != 0xFF && (colours[i] & 0xFFFFFF) != pixel::kKeyColorRgb;
    }
  }
  Image* image = newObject<Image>();
  if (image == nullptr) return nullptr;
  image->init(w, h, translucent ? kPixelArgb4444 : kPixelRgb565, 0);

  const PixelView16 v = image->view16();
  const ClipRect all{0, 0, v.width, v.height};
  raster::RgbMode mode = raster::RgbMode::kOpaque;
  if (translucent) {
    mode = raster::RgbMode::kToArgb4444;
  } else if (processAlpha) {
    // Clear pixels keep the key colour laid down first.
    raster::fillRect(v, all, 0, 0, v.width, v.height, pixel::kKeyColor565);
    mode = raster::RgbMode::kAlphaKeyed;
  }
  raster::drawRgb(v, all, argb->elements(), argb->length, 0, w, 0, 0, w, h, mode);
  if (processAlpha && !translucent) image->detectKeyColor();
  return image;
}

void Image::getRGB(Image* image, IntArray* argb, int32_t offset, int32_t scanlength, int32_t x,
                   int32_t y, int32_t w, int32_t h) {
  if (isNull(image)) {
    reportError("getRGB image null");
    return;
  }
  if (isNull(argb)) {
    reportError("getRGB argb null");
    return;
  }
  if (w <= 0 || h <= 0) return;
  if (!rowsInside(argb->length, offset, scanlength, w, h)) {
    reportError("getRGB length");
    return;
  }
  if (x < 0 || y < 0) {
    reportError("getRGB x,y outside");
    return;
  }
  if (int64_t{x} + w > image->width || int64_t{y} + h > image->height) {
    reportError("getRGB width,height outside");
    return;
  }
  if (!image->has16BitPixels()) {
    reportError("m_pixelType");
    return;
  }
  const PixelView16 v = image->view16();
  if (v.pixels == nullptr || x + w > v.width || y + h > v.height) return;
  int32_t* out = argb->elements();
  for (int32_t r = 0; r < h; ++r) {
    const uint16_t* row = v.pixels + int64_t{y + r} * v.pitch + x;
    int32_t* dst = out + offset + int64_t{r} * scanlength;
    if (image->pixelType == kPixelArgb4444) pixel::argb4444RowToArgb(row, w, dst);
    else pixel::rgb565RowToArgb(row, w, image->pixelType == kPixelRgb565Keyed, dst);
  }
}

}  // namespace sorv
