// The stroke font: glyph strokes, advances, anchors and line feeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/anchor.h"
#include "device/stroke_font.h"

namespace sorv {
namespace {

struct Line {
  int32_t x1, y1, x2, y2;
  bool operator==(const Line&) const = default;
  bool operator<(const Line& o) const {
    return std::tie(x1, y1, x2, y2) < std::tie(o.x1, o.y1, o.x2, o.y2);
  }
};

class Recorder final : public stroke_font::LineSink {
 public:
  std::vector<Line> lines;
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { lines.push_back({x1, y1, x2, y2}); }
};

std::u16string text(const char* s) { return std::u16string(s, s + std::char_traits<char>::length(s)); }

std::vector<Line> draw(const std::u16string& s, int32_t x, int32_t y, int32_t anchor, int32_t count = -1) {
  Recorder r;
  stroke_font::drawText(s.data(), count < 0 ? int32_t(s.size()) : count, x, y, anchor, r);
  return r.lines;
}

std::vector<Line> sorted(std::vector<Line> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(StrokeFont, GlyphsAreTheirSegments) {
  struct Case {
    char code;
    std::vector<Line> lines;
  } cases[] = {
      {'1', {{8, 0, 8, 4}, {8, 4, 8, 8}}},
      {'7', {{0, 0, 8, 0}, {8, 0, 8, 4}, {8, 4, 8, 8}}},
      {'I', {{4, 0, 4, 8}}},
      {'i', {{4, 0, 4, 8}}},
      {'N', {{0, 0, 0, 4}, {0, 0, 8, 4}, {8, 0, 8, 4}, {8, 4, 8, 8}, {0, 4, 0, 8}}},
      {'G', {{0, 0, 0, 4}, {0, 0, 8, 0}, {8, 4, 8, 8}, {0, 8, 8, 8}, {0, 4, 0, 8}, {4, 4, 8, 4}}},
      {'K', {{0, 0, 0, 4}, {0, 4, 0, 8}, {0, 4, 8, 0}, {0, 4, 8, 8}}},
      {'X', {{4, 4, 8, 8}, {0, 0, 4, 4}, {8, 0, 0, 8}}},
      {'R', {{0, 0, 0, 4}, {0, 0, 8, 0}, {8, 0, 8, 4}, {0, 4, 0, 8}, {0, 4, 8, 4}, {0, 4, 8, 8}}},
      {',', {{0, 7, -1, 10}}},
      {'.', {{0, 7, 0, 8}}},
      {';', {{0, 3, 0, 4}, {0, 7, -1, 10}}},
      {'?', {{0, 0, 8, 0}, {8, 0, 8, 4}, {4, 4, 8, 4}, {4, 4, 4, 8}, {4, 11, 4, 11}}},
      {'!', {}},
      {'~', {}},
  };
  for (const Case& c : cases) {
    const auto got = draw(std::u16string(1, char16_t(c.code)), 0, 0, 0);
    EXPECT_EQ(sorted(got), sorted(c.lines)) << c.code;
  }
  // Every digit and letter draws something, within the glyph box (the comma's tail aside).
  for (int code = 0; code < 256; ++code) {
    stroke_font::Segment seg[stroke_font::kMaxGlyphSegments];
    const int n = stroke_font::glyphSegments(uint8_t(code), seg);
    EXPECT_EQ(n > 0, bool(isalnum(code)) || code == ',' || code == '.' || code == ';' || code == '?') << code;
  }
}

TEST(StrokeFont, AdvancesAndControlCodes) {
  EXPECT_EQ(stroke_font::lineWidth(text("AB").data(), 2), 24);
  EXPECT_EQ(stroke_font::lineWidth(text("a.b,c;").data(), 6), 3 * 12 + 3 * 6);
  EXPECT_EQ(stroke_font::lineWidth(text("\tx").data(), 2), 60);
  EXPECT_EQ(stroke_font::lineWidth(text("a b\x01").data(), 4), 36);
  EXPECT_EQ(stroke_font::lineWidth(text("ab\ncd").data(), 5), 24);
  // A character is its low byte: U+0141 draws as 'A'.
  EXPECT_EQ(draw(u"\u0141", 0, 0, 0), draw(u"A", 0, 0, 0));
  // A 0 unit ends the text; the count limits it too.
  EXPECT_EQ(draw(std::u16string(u"1\0" u"1", 3), 0, 0, 0), draw(u"1", 0, 0, 0));
  EXPECT_EQ(draw(u"11", 0, 0, 0, 1), draw(u"1", 0, 0, 0));
}

std::vector<Line> shifted(std::vector<Line> v, int32_t dx, int32_t dy) {
  for (Line& l : v) l = {l.x1 + dx, l.y1 + dy, l.x2 + dx, l.y2 + dy};
  return v;
}

TEST(StrokeFont, AnchorsPlaceEachLine) {
  const std::u16string one = u"7";
  const auto base = draw(one, 0, 0, 0);
  struct Case {
    int32_t anchor, dx, dy;
  } cases[] = {
      {anchor::kLeft | anchor::kTop, 0, 0},
      {anchor::kRight | anchor::kTop, -12, 0},
      {anchor::kHCenter | anchor::kTop, -6, 0},
      {anchor::kLeft | anchor::kBottom, 0, -12},
      {anchor::kRight | anchor::kBottom, -12, -12},
      {anchor::kLeft | anchor::kHCenter, 0, 0},  // LEFT skips the measure
  };
  for (const Case& c : cases) EXPECT_EQ(draw(one, 100, 50, c.anchor), shifted(base, 100 + c.dx, 50 + c.dy)) << c.anchor;

  // Each line after a line feed is 12 lower and placed by its own width.
  auto lines = draw(u"77\n7", 100, 50, anchor::kRight);
  std::vector<Line> want = shifted(base, 76, 50);
  for (const Line& l : shifted(base, 88, 50)) want.push_back(l);
  for (const Line& l : shifted(base, 88, 62)) want.push_back(l);
  EXPECT_EQ(lines, want);
  lines = draw(u"7\n777", 100, 50, anchor::kHCenter);
  want = shifted(base, 94, 50);
  for (int i = 0; i < 3; ++i)
    for (const Line& l : shifted(base, 82 + 12 * i, 62)) want.push_back(l);
  EXPECT_EQ(lines, want);
}

}  // namespace
}  // namespace sorv
