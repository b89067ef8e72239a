// Graphics (javax.microedition.lcdui): drawing into a 16-bit Image with a clip rectangle, a
// translation and one colour; fills, lines, triangles, arcs, image regions under the eight
// MIDP transforms, ARGB arrays and the built-in stroke font.
//
// Invariants:
// - The clip is in absolute target pixels (right and bottom exclusive); setClip and clipRect
//   keep left and top at 0 or more and right and bottom within the target. Every write also
//   stays inside the target's own pixel array, whatever the clip or the arguments.
// - A Graphics without a target (refused by Image::getGraphics) draws nothing.
// - The colour's alpha byte is always 0xFF: fills, lines and glyphs are solid.
// Called by translated code, the sprite code and the shell; failed checks log, print the
// stack trace and draw nothing. Drawing never allocates.
#pragma once

#include <cstdint>

#include "device/pixel_view.h"
#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class Image;
class String;

class Graphics : public Object {
 public:
  static constexpr ClassId kClassId = kGraphics;

  Image* target = nullptr;
  uint32_t colour = 0;
  int32_t clipLeft = 0;
  int32_t clipTop = 0;
  int32_t clipRight = 0;
  int32_t clipBottom = 0;
  int32_t translateX = 0;
  int32_t translateY = 0;

  // Graphics.<init>(Ljavax/microedition/lcdui/Image;)V: colour 0, clip the whole image, no
  // translation. A null image gives a Graphics that draws nothing.
  void init(Image* image);

  void setColor(int32_t rgb);
  void setColorRGB(int32_t r, int32_t g, int32_t b);
  int32_t getColor() const { return static_cast<int32_t>(colour); }

  void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
  void clipRect(int32_t x, int32_t y, int32_t w, int32_t h);
  int32_t getClipX() const { return clipLeft - translateX; }
  int32_t getClipY() const { return clipTop - translateY; }
  int32_t getClipWidth() const { return clipRight - clipLeft; }
  int32_t getClipHeight() const { return clipBottom - clipTop; }

  void translate(int32_t dx, int32_t dy);
  int32_t getTranslateX() const { return translateX; }
  int32_t getTranslateY() const { return translateY; }

  void fillRect(int32_t x, int32_t y, int32_t w, int32_t h);
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void drawRect(int32_t x, int32_t y, int32_t w, int32_t h);
  void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
  void fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);

  void drawImage(Image* image, int32_t x, int32_t y, int32_t anchor);
  void drawRegion(Image* src, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t transform,
                  int32_t xDest, int32_t yDest, int32_t anchor);
  void drawRGB(IntArray* argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t w,
               int32_t h, bool processAlpha);

  void drawString(String* str, int32_t x, int32_t y, int32_t anchor);
  void drawSubstring(String* str, int32_t offset, int32_t length, int32_t x, int32_t y,
                     int32_t anchor);

 private:
  PixelView16 targetView() const;
  ClipRect clip() const { return {clipLeft, clipTop, clipRight, clipBottom}; }
  uint16_t colour565() const;
  void setClipBounds(int64_t left, int64_t top, int64_t right, int64_t bottom);
};

}  // namespace sorv
