// Texts that several career screens write alike.
#pragma once

#include <cstdint>

namespace sorv {

class String;

// The world rank of the points, as "rank/200" (null when no text can be made).
String* careerRankText(int32_t points);

// Text, a space, then more text: a caption and its value.
String* careerSpacedText(String* a, String* b);

}  // namespace sorv
