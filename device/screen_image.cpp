#include "device/screen_image.h"

#include "runtime/frames.h"

namespace sorv {
namespace {

// A short[] over memory that belongs to someone else.
class ExternalShortArray : public ShortArray {
 public:
  void finalize() override { data = nullptr; }
};

}  // namespace

bool ScreenImage::attachPixels(int32_t w, int32_t h, uint16_t* surfacePixels) {
  init();
  const int64_t rowWords = (int64_t{w} + 1) & ~int64_t{1};
  const int64_t length = rowWords * h;
  if (w < 0 || h < 0 || length > INT32_MAX) {
    Debug::trace("length of array should be >= 0");
    reportError();
    return false;
  }
  auto* array = newObject<ExternalShortArray>();
  if (array == nullptr) return false;
  array->length = static_cast<int32_t>(length);
  array->data = surfacePixels;
  pixels = array;
  width = w;
  height = h;
  pitch = static_cast<int32_t>(rowWords * 2);
  pixelType = kPixelRgb565;
  isMutable = 1;
  return true;
}

}  // namespace sorv
