// Capital and small letters of the scripts the data set writes in: basic Latin, Latin-1,
// Latin Extended-A and the Russian alphabet (with the rest of the basic Cyrillic block).
// Only the data builder and its tests call this.
#pragma once

namespace sorv::mkdata {

// The small letter of a capital; any other character as it is. The dotted capital I gives
// 'i' (its Turkish small letter, and the nearest one elsewhere).
constexpr char16_t smallLetter(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
  if (c == 0x130) return u'i';
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs a capital with the small letter after it, odd or even by run.
  const bool evenCapitals = (c >= 0x100 && c <= 0x137 && c != 0x131) || (c >= 0x14A && c <= 0x177);
  const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1)) return static_cast<char16_t>(c + 1);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  return c;
}

constexpr bool isCapital(char16_t c) { return smallLetter(c) != c; }

}  // namespace sorv::mkdata
