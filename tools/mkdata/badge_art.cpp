#include "tools/mkdata/badge_art.h"

#include <cstdlib>

namespace sorv::mkdata {

namespace {

enum Ink { kWhite, kRed, kBlue, kGreen, kYellow, kBlack, kOrange, kPurple };

enum class Pattern { kRows, kColumns, kNordicCross, kDisc, kDiagonal, kHoistTriangle, kSaltire, kCanton,
                     kCross, kBand, kQuarters, kStripes };

// A flag: its pattern and the inks of its regions.
struct Design {
  Pattern pattern;
  Ink a, b, c;
};

constexpr Design kDesigns[kBadgeCount] = {
    {Pattern::kRows, kBlue, kYellow, kBlue},          {Pattern::kColumns, kPurple, kWhite, kGreen},
    {Pattern::kNordicCross, kGreen, kYellow, kGreen}, {Pattern::kDisc, kBlue, kYellow, kBlue},
    {Pattern::kDiagonal, kRed, kWhite, kRed},         {Pattern::kHoistTriangle, kBlue, kWhite, kYellow},
    {Pattern::kSaltire, kGreen, kWhite, kGreen},      {Pattern::kCanton, kBlue, kRed, kWhite},
    {Pattern::kColumns, kOrange, kBlack, kOrange},    {Pattern::kStripes, kBlue, kWhite, kBlue},
    {Pattern::kCross, kRed, kYellow, kRed},           {Pattern::kDisc, kWhite, kGreen, kWhite},
    {Pattern::kBand, kPurple, kYellow, kPurple},      {Pattern::kQuarters, kBlue, kYellow, kBlue},
};

// The region (0 a, 1 b, 2 c) of a cloth pixel (u, v) of a w x h flag.
int regionOf(Pattern p, int u, int v, int w, int h) {
  switch (p) {
    case Pattern::kRows: return v * 3 / h;
    case Pattern::kColumns: return u * 3 / w;
    case Pattern::kNordicCross: {
      const int cu = w * 3 / 8;
      return (std::abs(2 * u + 1 - 2 * cu) <= 3 || std::abs(2 * v + 1 - h) <= 3) ? 1 : 0;
    }
    case Pattern::kDisc: {
      const int du = 2 * u + 1 - w, dv = 2 * v + 1 - h, r = h * 3 / 4;
      return du * du + dv * dv <= r * r ? 1 : 0;
    }
    case Pattern::kDiagonal: return u * h + v * w < w * h ? 0 : 1;
    case Pattern::kHoistTriangle: {
      const int dv = std::abs(2 * v + 1 - h);
      if (2 * u * h < (h - dv) * w / 2) return 2;
      return v < h / 2 ? 0 : 1;
    }
    case Pattern::kSaltire: return std::abs(u * h - v * w) <= w * 3 / 2 || std::abs(u * h - (h - 1 - v) * w) <= w * 3 / 2 ? 1 : 0;
    case Pattern::kCanton: {
      // A small cross in the middle of the upper hoist quarter.
      if (u >= w / 2 || v >= (h + 1) / 2) return 0;
      return std::abs(u - w / 4) + std::abs(v - h / 4) <= 1 && (u == w / 4 || v == h / 4) ? 2 : 1;
    }
    case Pattern::kCross: return (std::abs(2 * u + 1 - w) <= 3 || std::abs(2 * v + 1 - h) <= 3) ? 1 : 0;
    case Pattern::kBand: return std::abs(2 * v + 1 - h) <= h / 3 ? 1 : 0;
    case Pattern::kQuarters: return (u < w / 2) == (v < h / 2) ? 0 : 1;
    case Pattern::kStripes: return (v * 5 / h) % 2 == 0 ? 0 : 1;
  }
  return 0;
}

}  // namespace

Canvas paintBadge(int badge, uint8_t edge, uint8_t firstInk) {
  const Design& d = kDesigns[badge];
  Canvas c(kBadgeWidth, kBadgeHeight, edge);
  const int w = kBadgeWidth - 2, h = kBadgeHeight - 2;
  const Ink inks[3] = {d.a, d.b, d.c};
  for (int v = 0; v < h; v++) {
    for (int u = 0; u < w; u++) c.set(u + 1, v + 1, static_cast<uint8_t>(firstInk + inks[regionOf(d.pattern, u, v, w, h)]));
  }
  return c;
}

}  // namespace sorv::mkdata
