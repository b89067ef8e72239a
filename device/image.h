// Image (javax.microedition.lcdui): the program's one picture type, with its pixels kept in
// the screen's 16-bit formats (or bytes for the sprite code's palette images), built from
// sizes, PNG files in memory or ARGB arrays.
//
// Invariants:
// - pixels is a short[] for pixel types 0-2 and a byte[] for types 3 and above; a short[]
//   holds pitch / 2 * height words, and pitch covers the width (even pixel count, 2 bytes
//   each). An image whose size could not be allocated has no pixels and draws as empty.
// - Only 16-bit images are drawn into, and only mutable ones hand out a drawing Graphics.
// - The element data lives in the moving buffer heap: view16() is taken right before a
//   pixel loop and dropped before the next allocation.
// Called by translated code (createImage, getRGB, the class-table slots), Graphics, the
// sprite code and the shell; failed checks log, print the stack trace and go on.
#pragma once

#include <cstdint>

#include "device/pixel_view.h"
#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class Graphics;

// Image pixel types; any value above 3 is 4 bits per pixel.
enum ImagePixelType : int32_t {
  kPixelRgb565 = 0,
  kPixelRgb565Keyed = 1,  // KeyColor565 pixels are transparent
  kPixelArgb4444 = 2,
  kPixel8Bit = 3,
};

// Bit 24 of a requested type word: make the image mutable (type 0 only).
constexpr int32_t kImageMutableBit = 0x1000000;

class Image : public Object {
 public:
  static constexpr ClassId kClassId = kImage;

  Array* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;      // bytes per row
  int32_t isMutable = 0;  // the MIDP "mutable" flag (0/1)
  int32_t pixelType = kPixelRgb565;

  virtual Graphics* getGraphics();  // slot 6
  virtual int32_t getWidth();       // slot 7
  virtual int32_t getHeight();      // slot 8

  // Image.<init>()V: every field 0.
  void init();
  // Image.<init>(IIII)V: every field 0, then allocPixels.
  void init(int32_t width, int32_t height, int32_t typeWord, int32_t extra);
  void allocPixels(int32_t width, int32_t height, int32_t typeWord, int32_t extra);

  // Types 0-2; every other value, negative ones included, has byte pixels.
  bool has16BitPixels() const { return pixelType >= kPixelRgb565 && pixelType <= kPixelArgb4444; }

  // The pixel array when it is a short[], else null after a report.
  ShortArray* shortPixels();
  // Type 1 when any pixel is KeyColor565, else type 0 (16-bit images only).
  void detectKeyColor();

  // The 16-bit pixels as a view; empty unless they are a short[] of the full size.
  PixelView16 view16();

  // Image.createImage(II): a new mutable RGB565 image.
  static Image* createImage(int32_t width, int32_t height);
  // A PNG file in data[offset, offset + length); null after a log line when the bytes are
  // outside the array or hold no usable header.
  static Image* createImage(ByteArray* data, int32_t offset, int32_t length);
  // A w x h image from ARGB colours: ARGB4444 when processAlpha and some colour is
  // translucent, keyed RGB565 when processAlpha finds only opaque and clear ones, else RGB565.
  // Null after a report when the array or the sizes are unusable.
  static Image* createRGBImage(IntArray* argb, int32_t width, int32_t height, bool processAlpha);
  // ARGB colours of the region (x, y, width, height), row r at argb[offset + r * scanlength].
  // A failed check reports and copies nothing.
  static void getRGB(Image* image, IntArray* argb, int32_t offset, int32_t scanlength, int32_t x,
                     int32_t y, int32_t width, int32_t height);
};

}  // namespace sorv
