// The screen's pixel formats: RGB565 (opaque or keyed by KeyColor565) and ARGB4444, and the
// conversions between them and 0xAARRGGBB colours.
//
// Invariants:
// - Expansion to 8 bits per channel is exact at both ends: 0 stays 0 and the largest value
//   of every field becomes 255 (the three tables expand5, expand6 and expand4).
// - toRgb565 and toArgb4444 truncate each channel; nothing here allocates or logs, so any
//   module may call these on any thread.
#pragma once

#include <array>
#include <cstdint>

namespace sorv::pixel {

template <int Bits>
constexpr std::array<uint16_t, (1 << Bits)> expansionTable() {
  std::array<uint16_t, (1 << Bits)> table{};
  constexpr int top = (1 << Bits) - 1;
  for (int v = 0; v <= top; ++v) table[v] = static_cast<uint16_t>(v * 255 / top);
  return table;
}

// The transparent colour of keyed RGB565 images: 0xFF00FF.
constexpr uint16_t kKeyColor565 = 0xF81F;
constexpr uint32_t kKeyColorRgb = 0xFF00FF;

// floor(v * 255 / 31), floor(v * 255 / 63) and v * 17.
inline constexpr std::array<uint16_t, 32> kExpand5 = expansionTable<5>();
inline constexpr std::array<uint16_t, 64> kExpand6 = expansionTable<6>();
inline constexpr std::array<uint16_t, 16> kExpand4 = expansionTable<4>();

constexpr uint16_t toRgb565(uint32_t argb) {
  return static_cast<uint16_t>(((argb >> 19) & 0x1F) << 11 | ((argb >> 10) & 0x3F) << 5 |
                               ((argb >> 3) & 0x1F));
}

constexpr uint16_t toArgb4444(uint32_t argb) {
  return static_cast<uint16_t>((argb >> 28) << 12 | ((argb >> 20) & 0xF) << 8 |
                               ((argb >> 12) & 0xF) << 4 | ((argb >> 4) & 0xF));
}

// RGB565 for an opaque pixel of an image whose key colour is detected afterwards: only
// 0xFF00FF itself may become the key; a near-magenta colour that truncates onto it is moved
// one blue step down, so an opaque pixel never turns transparent by rounding.
constexpr uint16_t toRgb565NotKey(uint32_t argb) {
  uint16_t p = toRgb565(argb);
  if (p == kKeyColor565 && (argb & 0xFFFFFF) != kKeyColorRgb) p = kKeyColor565 - 1;
  return p;
}

inline uint32_t rgb565ToArgb(uint16_t p) {
  return 0xFF000000u | uint32_t{kExpand5[p >> 11]} << 16 | uint32_t{kExpand6[(p >> 5) & 0x3F]} << 8 |
         kExpand5[p & 0x1F];
}

inline uint32_t argb4444ToArgb(uint16_t p) {
  return uint32_t{kExpand4[p >> 12]} << 24 | uint32_t{kExpand4[(p >> 8) & 0xF]} << 16 |
         uint32_t{kExpand4[(p >> 4) & 0xF]} << 8 | kExpand4[p & 0xF];
}

// Rows of ARGB colours for getRGB: count pixels of one source row.
void rgb565RowToArgb(const uint16_t* src, int32_t count, bool keyed, int32_t* dst);
void argb4444RowToArgb(const uint16_t* src, int32_t count, int32_t* dst);

}  // namespace sorv::pixel
