// MIDP anchor bits, shared by image and text placement. LEFT | TOP is the default placement.
#pragma once

#include <cstdint>

namespace sorv::anchor {

constexpr int32_t kHCenter = 1;
constexpr int32_t kVCenter = 2;
constexpr int32_t kLeft = 4;
constexpr int32_t kRight = 8;
constexpr int32_t kTop = 16;
constexpr int32_t kBottom = 32;

}  // namespace sorv::anchor
