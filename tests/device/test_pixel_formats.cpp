// Rows of RGB565 pixels read back as ARGB colours (getRGB's conversion) give the expansion
// tables' colours for every value, and 0 for a keyed image's key colour, whatever the row's
// length.
#include <gtest/gtest.h>

#include <vector>

#include "device/pixel_formats.h"

namespace sorv {
namespace {

TEST(PixelFormats, Rgb565RowsReadAsTheTablesColours) {
  std::vector<uint16_t> every(65536);
  for (size_t i = 0; i < every.size(); ++i) every[i] = static_cast<uint16_t>(i);
  for (const bool keyed : {false, true}) {
    // The whole range in one row, then short rows that end in every position of a group.
    for (const int32_t length : {65536, 1, 3, 7, 8, 9, 15, 17}) {
      for (size_t start = 0; start + length <= every.size(); start += length == 65536 ? 1 : 4093) {
        std::vector<int32_t> argb(length, 0x12345678);
        pixel::rgb565RowToArgb(every.data() + start, length, keyed, argb.data());
        for (int32_t i = 0; i < length; ++i) {
          const uint16_t p = every[start + i];
          const uint32_t want = keyed && p == pixel::kKeyColor565 ? 0 : pixel::rgb565ToArgb(p);
          ASSERT_EQ(uint32_t(argb[i]), want) << std::hex << p << " keyed " << keyed << " length " << std::dec << length;
        }
        if (length == 65536) break;
      }
    }
  }
}

}  // namespace
}  // namespace sorv
