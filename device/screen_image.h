// The screen Image: an Image whose pixels are the video surface itself, so drawing into it
// draws on the screen and a flip shows it.
//
// Invariants: the pixel array is a short[] over memory the shell owns (the surface); its
// finaliser only forgets the pointer and frees nothing. Only the shell's start makes one.
#pragma once

#include <cstdint>

#include "device/image.h"

namespace sorv {

class ScreenImage : public Image {
 public:
  // Slot 9: the plain Image constructor, then the surface memory wrapped as this image's
  // mutable RGB565 pixels (pitch: the width rounded up to even, 2 bytes a pixel). False
  // after the report when the sizes are unusable or the array could not be made.
  virtual bool attachPixels(int32_t width, int32_t height, uint16_t* pixels);
};

}  // namespace sorv
