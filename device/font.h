// Font (javax.microedition.lcdui): face, style and size as asked for; text is always drawn
// with the built-in stroke font, so every Font is 12 pixels high.
//
// Invariants: getFont hands out one Font per value of face | style | size (the key, as the
// game's library did): two requests whose bitwise or is equal share one object. The cache
// is a Hashtable from Integer(key) to Font held by a static root, made on first use.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Font : public Object {
 public:
  static constexpr ClassId kClassId = kFont;
  static constexpr int32_t kLineHeight = 12;  // the stroke font's line

  int32_t face = 0;
  int32_t style = 0;
  int32_t size = 0;
  int32_t metric = 0;
  int32_t height = kLineHeight;

  virtual int32_t getSize() { return size; }      // slot 6
  virtual int32_t getHeight() { return height; }  // slot 7

  // Font.<init>(III)V
  void init(int32_t face, int32_t style, int32_t size);
  // Font.getFont(III)Ljavax/microedition/lcdui/Font;  null when the heap is full.
  static Font* getFont(int32_t face, int32_t style, int32_t size);
};

}  // namespace sorv
