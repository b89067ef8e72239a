#include "tools/mkdata/font_face.h"

#include <map>
#include <string_view>

#include "tools/mkdata/letter_case.h"

namespace sorv::mkdata {
namespace {

// The printable ASCII face, 32..126: five columns per glyph, bit 0 on the capitals' top row.
constexpr uint8_t kAsciiFace[95][5] = {
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x5F, 0x00, 0x00}, {0x00, 0x07, 0x00, 0x07, 0x00},
    {0x14, 0x7F, 0x14, 0x7F, 0x14}, {0x24, 0x2A, 0x7F, 0x2A, 0x12}, {0x23, 0x13, 0x08, 0x64, 0x62},
    {0x36, 0x49, 0x55, 0x22, 0x50}, {0x00, 0x05, 0x03, 0x00, 0x00}, {0x00, 0x1C, 0x22, 0x41, 0x00},
    {0x00, 0x41, 0x22, 0x1C, 0x00}, {0x08, 0x2A, 0x1C, 0x2A, 0x08}, {0x08, 0x08, 0x3E, 0x08, 0x08},
    {0x00, 0x50, 0x30, 0x00, 0x00}, {0x08, 0x08, 0x08, 0x08, 0x08}, {0x00, 0x60, 0x60, 0x00, 0x00},
    {0x20, 0x10, 0x08, 0x04, 0x02}, {0x3E, 0x51, 0x49, 0x45, 0x3E}, {0x00, 0x42, 0x7F, 0x40, 0x00},
    {0x42, 0x61, 0x51, 0x49, 0x46}, {0x21, 0x41, 0x45, 0x4B, 0x31}, {0x18, 0x14, 0x12, 0x7F, 0x10},
    {0x27, 0x45, 0x45, 0x45, 0x39}, {0x3C, 0x4A, 0x49, 0x49, 0x30}, {0x01, 0x71, 0x09, 0x05, 0x03},
    {0x36, 0x49, 0x49, 0x49, 0x36}, {0x06, 0x49, 0x49, 0x29, 0x1E}, {0x00, 0x36, 0x36, 0x00, 0x00},
    {0x00, 0x56, 0x36, 0x00, 0x00}, {0x08, 0x14, 0x22, 0x41, 0x00}, {0x14, 0x14, 0x14, 0x14, 0x14},
    {0x00, 0x41, 0x22, 0x14, 0x08}, {0x02, 0x01, 0x51, 0x09, 0x06}, {0x32, 0x49, 0x79, 0x41, 0x3E},
    {0x7E, 0x11, 0x11, 0x11, 0x7E}, {0x7F, 0x49, 0x49, 0x49, 0x36}, {0x3E, 0x41, 0x41, 0x41, 0x22},
    {0x7F, 0x41, 0x41, 0x22, 0x1C}, {0x7F, 0x49, 0x49, 0x49, 0x41}, {0x7F, 0x09, 0x09, 0x01, 0x01},
    {0x3E, 0x41, 0x41, 0x51, 0x32}, {0x7F, 0x08, 0x08, 0x08, 0x7F}, {0x00, 0x41, 0x7F, 0x41, 0x00},
    {0x20, 0x40, 0x41, 0x3F, 0x01}, {0x7F, 0x08, 0x14, 0x22, 0x41}, {0x7F, 0x40, 0x40, 0x40, 0x40},
    {0x7F, 0x02, 0x04, 0x02, 0x7F}, {0x7F, 0x04, 0x08, 0x10, 0x7F}, {0x3E, 0x41, 0x41, 0x41, 0x3E},
    {0x7F, 0x09, 0x09, 0x09, 0x06}, {0x3E, 0x41, 0x51, 0x21, 0x5E}, {0x7F, 0x09, 0x19, 0x29, 0x46},
    {0x46, 0x49, 0x49, 0x49, 0x31}, {0x01, 0x01, 0x7F, 0x01, 0x01}, {0x3F, 0x40, 0x40, 0x40, 0x3F},
    {0x1F, 0x20, 0x40, 0x20, 0x1F}, {0x7F, 0x20, 0x18, 0x20, 0x7F}, {0x63, 0x14, 0x08, 0x14, 0x63},
    {0x03, 0x04, 0x78, 0x04, 0x03}, {0x61, 0x51, 0x49, 0x45, 0x43}, {0x00, 0x7F, 0x41, 0x41, 0x00},
    {0x02, 0x04, 0x08, 0x10, 0x20}, {0x00, 0x41, 0x41, 0x7F, 0x00}, {0x04, 0x02, 0x01, 0x02, 0x04},
    {0x40, 0x40, 0x40, 0x40, 0x40}, {0x00, 0x01, 0x02, 0x04, 0x00}, {0x20, 0x54, 0x54, 0x54, 0x78},
    {0x7F, 0x48, 0x44, 0x44, 0x38}, {0x38, 0x44, 0x44, 0x44, 0x20}, {0x38, 0x44, 0x44, 0x48, 0x7F},
    {0x38, 0x54, 0x54, 0x54, 0x18}, {0x08, 0x7E, 0x09, 0x01, 0x02}, {0x00, 0x00, 0x00, 0x00, 0x00},
    {0x7F, 0x08, 0x04, 0x04, 0x78}, {0x00, 0x44, 0x7D, 0x40, 0x00}, {0x00, 0x00, 0x00, 0x00, 0x00},
    {0x00, 0x7F, 0x10, 0x28, 0x44}, {0x00, 0x41, 0x7F, 0x40, 0x00}, {0x7C, 0x04, 0x18, 0x04, 0x78},
    {0x7C, 0x08, 0x04, 0x04, 0x78}, {0x38, 0x44, 0x44, 0x44, 0x38}, {0x00, 0x00, 0x00, 0x00, 0x00},
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x7C, 0x08, 0x04, 0x04, 0x08}, {0x48, 0x54, 0x54, 0x54, 0x20},
    {0x04, 0x3F, 0x44, 0x40, 0x20}, {0x3C, 0x40, 0x40, 0x20, 0x7C}, {0x1C, 0x20, 0x40, 0x20, 0x1C},
    {0x3C, 0x40, 0x30, 0x40, 0x3C}, {0x44, 0x28, 0x10, 0x28, 0x44}, {0x00, 0x00, 0x00, 0x00, 0x00},
    {0x44, 0x64, 0x54, 0x4C, 0x44}, {0x00, 0x08, 0x36, 0x41, 0x00}, {0x00, 0x00, 0x7F, 0x00, 0x00},
    {0x00, 0x41, 0x36, 0x08, 0x00}, {0x02, 0x01, 0x02, 0x04, 0x02},
};

// A picture drawn as rows of '#' (ink) and '.', split by '/', from row top down.
struct Drawn {
  char16_t c;
  int top;
  std::string_view rows;
};

// The letters with descenders (left blank in the ASCII table), the letters and signs that
// are no ASCII letter with a mark, and the Russian letters not written like a Latin one.
constexpr Drawn kDrawn[] = {
    {u'g', 4, ".####/#...#/#...#/#...#/.####/....#/.###."},
    {u'j', 2, "...#/..../..##/...#/...#/...#/...#/#..#/.##."},
    {u'p', 4, "####./#...#/#...#/#...#/####./#..../#...."},
    {u'q', 4, ".####/#...#/#...#/#...#/.####/....#/....#"},
    {u'y', 4, "#...#/#...#/#...#/#...#/.####/....#/.###."},
    {0x131, 4, "##./.#./.#./.#./###"},  // dotless i
    {0xA1, 4, "#/./#/#/#/#/#"},
    {0xBF, 4, "..#../...../..#../.#.../#..../#...#/.###."},
    {0xA9, 2, ".#####./#.....#/#..##.#/#.#...#/#..##.#/#.....#/.#####."},
    {0xB0, 2, ".#./#.#/.#."},
    {0xB5, 4, "#...#/#...#/#...#/#..##/###.#/#..../#...."},
    {0xB7, 6, "#"},
    {0xBB, 4, "#.#../.#.#./..#.#/.#.#./#.#.."},
    {0xD7, 5, "#.#/.#./#.#"},
    {0xF7, 4, "..#../...../#####/...../..#.."},
    {0xC6, 2, ".####/#.#../#.#../#####/#.#../#.#../#.###"},
    {0xE6, 4, ".##.##./...#..#/.######/#..#.../.##.###"},
    {0xD0, 2, "####./.#..#/.#..#/###.#/.#..#/.#..#/####."},
    {0xF0, 2, ".#.#./..#../.#.#./....#/.####/#...#/.###."},
    {0xD8, 2, ".###./#..##/#.#.#/#.#.#/#.#.#/##..#/.###."},
    {0xF8, 3, "....#/.###./#..##/#.#.#/##..#/.###./#...."},
    {0xDE, 2, "#..../####./#...#/#...#/####./#..../#...."},
    {0xFE, 2, "#..../#..../####./#...#/#...#/#...#/####./#..../#...."},
    {0xDF, 2, ".###./#...#/#..#./#.#../#..#./#...#/#.##."},
    {0x141, 2, ".#.../.#.../.##../##.../.#.../.#.../.####"},
    {0x142, 2, ".##../..#../..##./.##../..#../..#../.###."},
    {0x10F, 2, "....#.#/....#.#/.##.#../#..##../#...#../#...#../.####.."},  // d caron
    {0x165, 2, ".#.#./.#.#./###../.#.../.#.../.#..#/..##."},                // t caron
    {0x411, 2, "#####/#..../#..../####./#...#/#...#/####."},
    {0x413, 2, "#####/#..../#..../#..../#..../#..../#...."},
    {0x414, 2, ".###./.#.#./.#.#./.#.#./.#.#./.#.#./#####/#...#"},
    {0x416, 2, "#.#.#/#.#.#/.###./..#../.###./#.#.#/#.#.#"},
    {0x417, 2, ".###./#...#/....#/..##./....#/#...#/.###."},
    {0x418, 2, "#...#/#...#/#..##/#.#.#/##..#/#...#/#...#"},
    {0x41B, 2, "..###/.#..#/.#..#/.#..#/.#..#/.#..#/#...#"},
    {0x41F, 2, "#####/#...#/#...#/#...#/#...#/#...#/#...#"},
    {0x423, 2, "#...#/#...#/#...#/.####/....#/#...#/.###."},
    {0x424, 2, "..#../.###./#.#.#/#.#.#/#.#.#/.###./..#.."},
    {0x426, 2, "#..#./#..#./#..#./#..#./#..#./#..#./#####/....#"},
    {0x427, 2, "#...#/#...#/#...#/.####/....#/....#/....#"},
    {0x428, 2, "#.#.#/#.#.#/#.#.#/#.#.#/#.#.#/#.#.#/#####"},
    {0x429, 2, "#.#.#/#.#.#/#.#.#/#.#.#/#.#.#/#.#.#/#####/....#"},
    {0x42A, 2, "##.../.#.../.#.../.###./.#..#/.#..#/.###."},
    {0x42B, 2, "#...#/#...#/#...#/##..#/#.#.#/#.#.#/##..#"},
    {0x42C, 2, "#..../#..../#..../####./#...#/#...#/####."},
    {0x42D, 2, ".###./#...#/....#/..###/....#/#...#/.###."},
    {0x42E, 2, "#..#./#.#.#/#.#.#/###.#/#.#.#/#.#.#/#..#."},
    {0x42F, 2, ".####/#...#/#...#/.####/..#.#/.#..#/#...#"},
    {0x431, 2, ".####/#..../####./#...#/#...#/#...#/.###."},
    {0x432, 4, "####./#...#/####./#...#/####."},
    {0x433, 4, "#####/#..../#..../#..../#...."},
    {0x434, 4, ".###./.#.#./.#.#./.#.#./#####/#...#"},
    {0x436, 4, "#.#.#/#.#.#/.###./#.#.#/#.#.#"},
    {0x437, 4, "####./....#/..##./....#/####."},
    {0x438, 4, "#...#/#..##/#.#.#/##..#/#...#"},
    {0x43A, 4, "#..#./#.#../##.../#.#../#..#."},
    {0x43B, 4, "..###/.#..#/.#..#/.#..#/#...#"},
    {0x43C, 4, "#...#/##.##/#.#.#/#...#/#...#"},
    {0x43D, 4, "#...#/#...#/#####/#...#/#...#"},
    {0x43F, 4, "#####/#...#/#...#/#...#/#...#"},
    {0x442, 4, "#####/..#../..#../..#../..#.."},
    {0x444, 2, "..#../..#../.###./#.#.#/#.#.#/#.#.#/.###./..#../..#.."},
    {0x446, 4, "#..#./#..#./#..#./#..#./#####/....#"},
    {0x447, 4, "#...#/#...#/.####/....#/....#"},
    {0x448, 4, "#.#.#/#.#.#/#.#.#/#.#.#/#####"},
    {0x449, 4, "#.#.#/#.#.#/#.#.#/#.#.#/#####/....#"},
    {0x44A, 4, "##.../.#.../.###./.#..#/.###."},
    {0x44B, 4, "#...#/#...#/##..#/#.#.#/##..#"},
    {0x44C, 4, "#..../#..../####./#...#/####."},
    {0x44D, 4, "####./....#/.####/....#/####."},
    {0x44E, 4, "#..#./#.#.#/###.#/#.#.#/#..#."},
    {0x44F, 4, ".####/#...#/.####/.#..#/#...#"},
};

// Capitals drawn a row shorter where dropping a repeated row would not do (Z has none).
constexpr Drawn kShortCapitals[] = {
    {u'Z', 3, "#####/...#./..#../.#.../#..../#####"},
};

// The Russian letters written like Latin ones.
constexpr std::pair<char16_t, char16_t> kSameAs[] = {
    {0x410, u'A'}, {0x412, u'B'}, {0x415, u'E'}, {0x41A, u'K'}, {0x41C, u'M'}, {0x41D, u'H'},
    {0x41E, u'O'}, {0x420, u'P'}, {0x421, u'C'}, {0x422, u'T'}, {0x425, u'X'}, {0x430, u'a'},
    {0x435, u'e'}, {0x43E, u'o'}, {0x440, u'p'}, {0x441, u'c'}, {0x443, u'y'}, {0x445, u'x'},
};

enum class Mark : uint8_t { kAcute, kGrave, kCircumflex, kTilde, kDiaeresis, kRing, kCaron, kDot, kBreve, kCedilla, kOgonek };

struct MarkShape {
  std::string_view rows;
  bool below;
};

constexpr MarkShape markShape(Mark m) {
  switch (m) {
    case Mark::kAcute: return {"..#/.#.", false};
    case Mark::kGrave: return {"#../.#.", false};
    case Mark::kCircumflex: return {".#./#.#", false};
    case Mark::kTilde: return {".##.#/#..#.", false};
    case Mark::kDiaeresis: return {"#.#", false};
    case Mark::kRing: return {".#./#.#/.#.", false};
    case Mark::kCaron: return {"#.#/.#.", false};
    case Mark::kDot: return {"#", false};
    case Mark::kBreve: return {"#...#/.###.", false};
    case Mark::kCedilla: return {".#./##.", true};
    case Mark::kOgonek: return {"#./.#", true};
  }
  return {"", false};
}

struct Marked {
  char16_t c, base;
  Mark mark;
};

constexpr Marked kMarked[] = {
    {0xC0, u'A', Mark::kGrave},      {0xC1, u'A', Mark::kAcute},     {0xC2, u'A', Mark::kCircumflex},
    {0xC3, u'A', Mark::kTilde},      {0xC4, u'A', Mark::kDiaeresis}, {0xC5, u'A', Mark::kRing},
    {0xC7, u'C', Mark::kCedilla},    {0xC8, u'E', Mark::kGrave},     {0xC9, u'E', Mark::kAcute},
    {0xCA, u'E', Mark::kCircumflex}, {0xCB, u'E', Mark::kDiaeresis}, {0xCC, u'I', Mark::kGrave},
    {0xCD, u'I', Mark::kAcute},      {0xCE, u'I', Mark::kCircumflex}, {0xCF, u'I', Mark::kDiaeresis},
    {0xD1, u'N', Mark::kTilde},      {0xD2, u'O', Mark::kGrave},     {0xD3, u'O', Mark::kAcute},
    {0xD4, u'O', Mark::kCircumflex}, {0xD5, u'O', Mark::kTilde},     {0xD6, u'O', Mark::kDiaeresis},
    {0xD9, u'U', Mark::kGrave},      {0xDA, u'U', Mark::kAcute},     {0xDB, u'U', Mark::kCircumflex},
    {0xDC, u'U', Mark::kDiaeresis},  {0xDD, u'Y', Mark::kAcute},     {0xE0, u'a', Mark::kGrave},
    {0xE1, u'a', Mark::kAcute},      {0xE2, u'a', Mark::kCircumflex}, {0xE3, u'a', Mark::kTilde},
    {0xE4, u'a', Mark::kDiaeresis},  {0xE5, u'a', Mark::kRing},      {0xE7, u'c', Mark::kCedilla},
    {0xE8, u'e', Mark::kGrave},      {0xE9, u'e', Mark::kAcute},     {0xEA, u'e', Mark::kCircumflex},
    {0xEB, u'e', Mark::kDiaeresis},  {0xEC, 0x131, Mark::kGrave},    {0xED, 0x131, Mark::kAcute},
    {0xEE, 0x131, Mark::kCircumflex}, {0xEF, 0x131, Mark::kDiaeresis}, {0xF1, u'n', Mark::kTilde},
    {0xF2, u'o', Mark::kGrave},      {0xF3, u'o', Mark::kAcute},     {0xF4, u'o', Mark::kCircumflex},
    {0xF5, u'o', Mark::kTilde},      {0xF6, u'o', Mark::kDiaeresis}, {0xF9, u'u', Mark::kGrave},
    {0xFA, u'u', Mark::kAcute},      {0xFB, u'u', Mark::kCircumflex}, {0xFC, u'u', Mark::kDiaeresis},
    {0xFD, u'y', Mark::kAcute},      {0xFF, u'y', Mark::kDiaeresis}, {0x104, u'A', Mark::kOgonek},
    {0x105, u'a', Mark::kOgonek},    {0x106, u'C', Mark::kAcute},    {0x107, u'c', Mark::kAcute},
    {0x10C, u'C', Mark::kCaron},     {0x10D, u'c', Mark::kCaron},    {0x10E, u'D', Mark::kCaron},
    {0x118, u'E', Mark::kOgonek},    {0x119, u'e', Mark::kOgonek},   {0x11A, u'E', Mark::kCaron},
    {0x11B, u'e', Mark::kCaron},     {0x11E, u'G', Mark::kBreve},    {0x11F, u'g', Mark::kBreve},
    {0x130, u'I', Mark::kDot},       {0x143, u'N', Mark::kAcute},    {0x144, u'n', Mark::kAcute},
    {0x147, u'N', Mark::kCaron},     {0x148, u'n', Mark::kCaron},    {0x158, u'R', Mark::kCaron},
    {0x159, u'r', Mark::kCaron},     {0x15A, u'S', Mark::kAcute},    {0x15B, u's', Mark::kAcute},
    {0x15E, u'S', Mark::kCedilla},   {0x15F, u's', Mark::kCedilla},  {0x160, u'S', Mark::kCaron},
    {0x161, u's', Mark::kCaron},     {0x164, u'T', Mark::kCaron},    {0x16E, u'U', Mark::kRing},
    {0x16F, u'u', Mark::kRing},      {0x179, u'Z', Mark::kAcute},    {0x17A, u'z', Mark::kAcute},
    {0x17B, u'Z', Mark::kDot},       {0x17C, u'z', Mark::kDot},      {0x17D, u'Z', Mark::kCaron},
    {0x17E, u'z', Mark::kCaron},     {0x401, 0x415, Mark::kDiaeresis}, {0x451, 0x435, Mark::kDiaeresis},
    {0x419, 0x418, Mark::kBreve},    {0x439, 0x438, Mark::kBreve},
};

// Narrow glyphs drop their empty columns so the text keeps an even rhythm.
FaceGlyph packed(const FaceGlyph& g) {
  int first = 0, last = g.width - 1;
  while (first < last && g.columns[static_cast<size_t>(first)] == 0) first++;
  while (last > first && g.columns[static_cast<size_t>(last)] == 0) last--;
  FaceGlyph out;
  for (int c = first; c <= last; c++) out.columns[static_cast<size_t>(c - first)] = g.columns[static_cast<size_t>(c)];
  out.width = last - first + 1;
  return out;
}

FaceGlyph asciiGlyph(char16_t c) {
  FaceGlyph g;
  g.width = 5;
  for (size_t col = 0; col < 5; col++) g.columns[col] = static_cast<uint16_t>(kAsciiFace[c - 32][col] << kFaceCapTop);
  if (c == u' ') {
    g.width = 3;
    return g;
  }
  return packed(g);
}

// Ink from the rows of a picture, its top-left at (x, top).
void drawRows(FaceGlyph* g, int x, int top, std::string_view rows) {
  int row = top, col = x;
  for (char ch : rows) {
    if (ch == '/') {
      row++;
      col = x;
      continue;
    }
    if (ch == '#' && col >= 0 && col < kFaceMaxWidth && row >= 0 && row < kFaceRows) {
      g->columns[static_cast<size_t>(col)] |= static_cast<uint16_t>(1u << row);
    }
    col++;
  }
}

int rowsWidth(std::string_view rows) {
  int widest = 0, col = 0;
  for (char ch : rows) {
    col = ch == '/' ? 0 : col + 1;
    if (col > widest) widest = col;
  }
  return widest;
}

int rowCount(std::string_view rows) {
  int n = 1;
  for (char ch : rows) n += ch == '/' ? 1 : 0;
  return n;
}

FaceGlyph drawn(const Drawn& d) {
  FaceGlyph g;
  g.width = rowsWidth(d.rows);
  drawRows(&g, 0, d.top, d.rows);
  return packed(g);
}

uint16_t rowBits(const FaceGlyph& g, int row) {
  uint16_t bits = 0;
  for (int c = 0; c < g.width; c++) bits = static_cast<uint16_t>(bits | (g.ink(c, row) ? 1u << c : 0u));
  return bits;
}

// A capital a row shorter: one of two equal neighbouring rows goes, the middle ones first;
// false when no two neighbours are equal.
bool shortened(FaceGlyph* g) {
  for (int row : {4, 5, 3, 6, 2, 7}) {
    if (rowBits(*g, row) != rowBits(*g, row + 1)) continue;
    for (int c = 0; c < g->width; c++) {
      uint16_t& col = g->columns[static_cast<size_t>(c)];
      const uint16_t above = static_cast<uint16_t>(col & ((1u << row) - 1));
      const uint16_t below = static_cast<uint16_t>(col & ~((2u << row) - 1));
      col = static_cast<uint16_t>(above << 1 | below);
    }
    return true;
  }
  return false;
}

using FaceTable = std::map<char16_t, FaceGlyph>;

bool marked(const FaceTable& table, const Marked& m, FaceGlyph* out) {
  auto base = table.find(m.base);
  if (base == table.end()) return false;
  FaceGlyph g = base->second;
  const MarkShape shape = markShape(m.mark);
  const int height = rowCount(shape.rows);
  const int width = rowsWidth(shape.rows);
  const int x = shape.below && m.mark == Mark::kOgonek ? g.width - width : (g.width - width) / 2;
  int top = kFaceBaseline;
  if (!shape.below) {
    const bool capital = isCapital(m.base);
    if (capital) {
      bool madeRoom = shortened(&g);
      for (const Drawn& d : kShortCapitals) {
        if (!madeRoom && d.c == m.base) {
          g = drawn(d);
          madeRoom = true;
        }
      }
      if (!madeRoom) return false;
    }
    // Over a capital the mark ends on row 1 (a ring reaches down to 2); over a small letter
    // on row 2, a clear row above the x-height.
    const int last = capital && height < 3 ? 1 : 2;
    top = last - height + 1;
  }
  if (x < 0) return false;
  drawRows(&g, x, top, shape.rows);
  *out = g;
  return true;
}

FaceTable buildTable() {
  FaceTable table;
  for (char16_t c = 32; c < 127; c++) table[c] = asciiGlyph(c);
  for (const Drawn& d : kDrawn) table[d.c] = drawn(d);
  for (const auto& [c, latin] : kSameAs) table[c] = table.at(latin);
  for (const Marked& m : kMarked) {
    FaceGlyph g;
    if (marked(table, m, &g)) table[m.c] = g;
  }
  return table;
}

const FaceTable& faceTable() {
  static const FaceTable table = buildTable();
  return table;
}

}  // namespace

bool findFaceGlyph(char16_t c, FaceGlyph* glyph) {
  const FaceTable& table = faceTable();
  auto it = table.find(c);
  if (it == table.end()) return false;
  *glyph = it->second;
  return true;
}

FaceGlyph holeGlyph() {
  FaceGlyph g;
  g.width = 5;
  drawRows(&g, 0, kFaceCapTop, "#####/#...#/#...#/#...#/#...#/#...#/#####");
  return g;
}

FaceGlyph faceGlyphOrHole(char16_t c) {
  FaceGlyph g = holeGlyph();
  findFaceGlyph(c, &g);
  return g;
}

}  // namespace sorv::mkdata
