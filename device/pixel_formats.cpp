#include "device/pixel_formats.h"

namespace sorv::pixel {

void rgb565RowToArgb(const uint16_t* src, int32_t count, bool keyed, int32_t* dst) {
  for (int32_t i = 0; i < count; ++i) {
    uint16_t p = src[i];
    dst[i] = (keyed && p == kKeyColor565) ? 0 : static_cast<int32_t>(rgb565ToArgb(p));
  }
}

void argb4444RowToArgb(const uint16_t* src, int32_t count, int32_t* dst) {
  for (int32_t i = 0; i < count; ++i) dst[i] = static_cast<int32_t>(argb4444ToArgb(src[i]));
}

}  // namespace sorv::pixel
