// The screen buffer's pixel arithmetic, shared by the buffer effects and their tests: pixels
// are 0xAARRGGBB ints as Image.getRGB gives them, results carry alpha 0. The effects on whole
// rows and rectangles are CGame's (screen_buffer.cpp, pixel_effects.cpp).
#pragma once

#include <cstdint>

namespace sorv::screen_buffer {

inline constexpr int32_t kWidth = 800, kHeight = 480;
// The work buffer every pixel effect borrows (ASprite's decode buffer) holds this many.
inline constexpr int32_t kWorkPixels = 61440;

// Grey by the weights 30 red, 59 green, 11 blue; tint -1 gives plain grey, any other colour
// scales each of its channels by grey / 255.
int32_t greyPixel(int32_t argb, int32_t tint);

// A rectangle cut to (0, 0, width, height); empty when w or h is 0 or below.
struct Rect {
  int32_t x, y, w, h;
  bool empty() const { return w <= 0 || h <= 0; }
};
Rect clipTo(int32_t x, int32_t y, int32_t w, int32_t h, int32_t width, int32_t height);

}  // namespace sorv::screen_buffer
