// The ball's, the interface's, the close-call inset's and the touch pad's pictures of the
// shipped data, loaded as the match and the menus load them and drawn where the game draws
// them; and the labelled stand-ins they replace, unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/match_sprites.h"

namespace sorv::test {
namespace {

constexpr uint16_t kBlack = 0;

class HudArtTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData("EN", mkdata::DataStyle::kArt);
    clear();
  }

  static ASprite* sprite(int32_t pack, int32_t entry) {
    if (pack == kConstMenuIconPack) return static_cast<ASprite*>(aload(CGame::menuIconSprites.get(), entry));
    if (pack == kConstMatchPack && entry == kMatchInterface) return CGame::interfaceSprite;
    return CGame::loadSprite(StaticClass::getConstant(pack), false, entry, true);
  }
  static ASprite* load(const std::vector<uint8_t>& file) {
    ByteArray* a = Array::newByteArray(static_cast<int32_t>(file.size()));
    for (size_t i = 0; i < file.size(); i++) a->elements()[i] = static_cast<int8_t>(file[i]);
    ASprite* s = ASprite::create();
    s->Load(a, 0);
    return s;
  }
  static int32_t frames(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static int32_t anims(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }

  struct Rect {
    int32_t left, top, right, bottom;
    bool operator==(const Rect&) const = default;
  };
  static Rect rect(ASprite* s, int32_t frame) {
    IntArray* r = Array::newIntArray(4);
    s->GetFrameRect(r, frame, 0, 0, 0);
    return {aload(r, 0), aload(r, 1), aload(r, 2), aload(r, 3)};
  }
  // The frame drawn alone on black at (x, y): the points it inked.
  static std::set<std::pair<int32_t, int32_t>> inked(ASprite* s, int32_t frame, int32_t x, int32_t y) {
    clear();
    s->PaintFrame(CGame::backBufferGraphics, frame, x, y, 0, 100);
    std::set<std::pair<int32_t, int32_t>> out;
    for (int32_t j = 0; j < CGame::kGameHeight; j++)
      for (int32_t i = 0; i < CGame::kGameWidth; i++)
        if (at(i, j) != kBlack) out.insert({i, j});
    return out;
  }
  static ASprite* font(int32_t entry) { return static_cast<ASprite*>(aload(CGame::fontSprites.get(), entry)); }
  static uint32_t ink(ASprite* font, int32_t palette) {
    return static_cast<uint32_t>(aload(static_cast<IntArray*>(aload(font->palettes, palette)), 1));
  }
};

// WCAG's relative luminance of an 8-bit-per-channel colour, and the contrast of two.
double luminance(uint32_t rgb) {
  double sum = 0;
  const double weights[3] = {0.2126, 0.7152, 0.0722};
  for (int c = 0; c < 3; c++) {
    const double v = ((rgb >> (16 - 8 * c)) & 0xFF) / 255.0;
    sum += weights[c] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
  }
  return sum;
}
double contrast(uint32_t a, uint32_t b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
uint32_t rgbOf(uint16_t p) { return ((p >> 11) << 3) << 16 | (((p >> 5) & 0x3F) << 2) << 8 | (p & 0x1F) << 3; }

struct Painted {
  const char* what;
  int32_t pack, entry;
  std::vector<uint8_t> labelled;
};
std::vector<Painted> paintedSprites() {
  const auto match = mkdata::matchPackEntries();
  const auto effects = mkdata::matchEffectsPackEntries();
  const auto pad = mkdata::labelledMenuIconPack();
  return {{"serve meter", kConstMatchPack, kMatchServeMeter, match[kMatchServeMeter]},
          {"speed streaks", kConstMatchPack, kMatchSpeedLines, match[kMatchSpeedLines]},
          {"ball and marks", kConstMatchPack, kMatchHud, match[kMatchHud]},
          {"interface", kConstMatchPack, kMatchInterface, match[kMatchInterface]},
          {"inset surfaces", kConstMatchFxPack, kMatchFxReplayBackground, effects[kMatchFxReplayBackground]},
          {"running dust", kConstMatchFxPack, kMatchFxDust, effects[kMatchFxDust]},
          {"pad", kConstMenuIconPack, kMenuIconPad, pad[kMenuIconPad]},
          {"held pad", kConstMenuIconPack, kMenuIconHeldPad, pad[kMenuIconHeldPad]},
          {"pad keys", kConstMenuIconPack, kMenuIconPadKeys, pad[kMenuIconPadKeys]}};
}

// Whatever a menu, a fixture or the game may name of a labelled stand-in stays (the palettes
// the game uses: the pad's and the interface's images are cached for every palette, so they
// keep one), and no painted module is still a "P87-2" label.
TEST_F(HudArtTest, EveryPaintedSpriteKeepsItsStandInsShapeAndNoLabel) {
  for (const Painted& p : paintedSprites()) {
    SCOPED_TRACE(p.what);
    ASprite* art = sprite(p.pack, p.entry);
    ASprite* labelled = load(p.labelled);
    ASSERT_FALSE(isNull(art));
    EXPECT_GE(frames(art), frames(labelled));
    EXPECT_GE(anims(art), anims(labelled));
    const auto row = std::find_if(std::begin(kMatchSpriteMinimums), std::end(kMatchSpriteMinimums),
                                  [&](const MatchSpriteMinimum& m) { return m.pack == p.pack && m.entry == p.entry; });
    ASSERT_NE(row, std::end(kMatchSpriteMinimums));
    const bool cachedWhole = p.pack == kConstMenuIconPack || (p.pack == kConstMatchPack && p.entry == kMatchInterface);
    EXPECT_GE(art->paletteCount, cachedWhole ? row->palettes : labelled->paletteCount);
    for (int32_t a = 0; a < anims(art); a++) {
      for (int32_t f = 0; f < art->GetAFrames(a); f++) EXPECT_GT(art->GetAFrameTime(a, f), 0) << a;
    }
    labelled->SetCurrentPalette(0);
    IntArray* label = labelled->DecodeImage(0, 0);
    const mkdata::SpriteModule shape = mkdata::labelModule(p.pack, p.entry);
    art->SetCurrentPalette(0);
    for (int32_t m = 0; m < art->moduleWidth->length; m++) {
      if (aload(art->moduleWidth, m) != shape.width || aload(art->moduleHeight, m) != shape.height) continue;
      IntArray* pixels = art->DecodeImage(m, 0);
      EXPECT_FALSE(std::equal(pixels->elements(), pixels->elements() + pixels->length, label->elements())) << m;
    }
  }
}

// Frames the game places by their origin: centred on a point, or from a top-left corner, or
// wholly on one side of it.
TEST_F(HudArtTest, FramesSitOnTheirOriginsAsTheGameDrawsThem) {
  struct Case {
    const char* what;
    int32_t pack, entry, frame;
    Rect want;
  };
  const Case cases[] = {
      {"the 6-pixel ball", kConstMatchPack, kMatchHud, 0, {-3, -3, 3, 3}},
      {"its shadow", kConstMatchPack, kMatchHud, 1, {-4, -2, 4, 2}},
      {"the break-point icon", kConstMatchPack, kMatchHud, 27, {-4, -4, 4, 4}},
      {"the other one", kConstMatchPack, kMatchHud, 28, {-4, -4, 4, 4}},
      {"the ball from above", kConstMatchPack, kMatchHud, 31, {-4, -4, 4, 4}},
      {"the clay mark", kConstMatchPack, kMatchHud, 85, {-5, -2, 5, 2}},
      {"the call panel", kConstMatchPack, kMatchInterface, 0, {0, 0, 250, 40}},
      {"the serve marker", kConstMatchPack, kMatchInterface, 1, {-4, -4, 4, 4}},
      {"the clay surface", kConstMatchFxPack, kMatchFxReplayBackground, 0, {0, 0, 106, 106}},
      {"the hard surface", kConstMatchFxPack, kMatchFxReplayBackground, 1, {0, 0, 106, 106}},
      {"the grass surface", kConstMatchFxPack, kMatchFxReplayBackground, 2, {0, 0, 106, 106}},
      {"the training court's", kConstMatchFxPack, kMatchFxReplayBackground, 3, {0, 0, 106, 106}},
      {"the skid mark", kConstMatchFxPack, kMatchFxReplayBackground, 4, {-7, -3, 7, 3}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rect(sprite(c.pack, c.entry), c.frame), c.want) << c.what;
  }
  ASprite* face = sprite(kConstMatchPack, kMatchInterface);
  EXPECT_GE(rect(face, 5).left, 0) << "the left arrows start at the screen's edge";
  EXPECT_GE(rect(face, 7).left, 0);
  EXPECT_LE(rect(face, 6).right, 0) << "the right arrows end at it";
  EXPECT_LE(rect(face, 8).right, 0);
  EXPECT_LE(rect(face, 49).bottom, 0) << "the serve tags stand above their point";
  EXPECT_LE(rect(face, 58).bottom, 0);
  // The serve-speed panel: the number's box (frame 3) lies below the title strip (frame 2).
  EXPECT_EQ(rect(face, 2).top, 0);
  EXPECT_EQ(rect(face, 3).top, rect(face, 2).bottom);
  EXPECT_EQ(rect(face, 3).right, rect(face, 2).right);
}

TEST_F(HudArtTest, ThePanelsGiveTheirFontsInkContrast) {
  ASprite* face = sprite(kConstMatchPack, kMatchInterface);
  struct Case {
    const char* what;
    int32_t frame, x, y;
    int32_t font, palette;
    int32_t left, top, width, height;  // where the text lies, on screen
  };
  const Case cases[] = {
      {"the call", 0, 275, 230, kFontHint, 0, 285, 240, 230, 20},
      {"the serve-speed title", 2, 5, 76, kFontHint, 0, 10, 80, 160, 18},
      {"the serve speed", 3, 5, 76, kFontHint, 1, 10, 106, 160, 26},
      {"the far serve tag", 49, 400, 200, kFontHint, 0, 370, 158, 60, 20},
      {"the near serve tag", 58, 400, 200, kFontHint, 0, 370, 158, 60, 20},
      {"the close call's caption, clay", 12, 688, 25, kFontSmall, 0, 692, 19, 70, 6},
      {"the close call's caption", 13, 688, 25, kFontSmall, 0, 692, 19, 70, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    face->PaintFrame(CGame::backBufferGraphics, c.frame, c.x, c.y, 0, 100);
    const uint32_t text = ink(font(c.font), c.palette) & 0xFFFFFF;
    double worst = 100;
    for (uint16_t p : region(c.left, c.top, c.width, c.height)) {
      ASSERT_NE(p, kBlack) << "the panel leaves a hole under the text";
      worst = std::min(worst, contrast(text, rgbOf(p)));
    }
    EXPECT_GE(worst, 4.5);
  }
}

TEST_F(HudArtTest, TheServeMeterIsFullOnlyAtItsBestFrame) {
  ASprite* meter = sprite(kConstMatchPack, kMatchServeMeter);
  for (int32_t anim : {0, 2}) {
    SCOPED_TRACE(anim);
    const int32_t n = meter->GetAFrames(anim);
    ASSERT_EQ(n, kServeMeterFrames);
    const auto frameAt = [&](int32_t step) { return aload(meter->aframeFrame, aload(meter->animFirstAFrame, anim) + step) & 0xFF; };
    const int32_t best = (n + 1) / 2 - 1;
    EXPECT_EQ(rect(meter, frameAt(best)), (Rect{-5, -60, 5, 0})) << "a 10 x 60 bar on the feet";
    // The filled part: the pixels that differ from the empty bar's.
    inked(meter, frameAt(0), 400, 290);
    const auto base = region(395, 230, 10, 60);
    std::vector<int32_t> fill;
    for (int32_t step = 0; step < n; step++) {
      inked(meter, frameAt(step), 400, 290);
      const auto now = region(395, 230, 10, 60);
      int32_t changed = 0;
      for (size_t i = 0; i < now.size(); i++) changed += now[i] != base[i];
      fill.push_back(changed);
    }
    for (int32_t step = 1; step <= best; step++) EXPECT_GT(fill[step], fill[step - 1]) << step;
    for (int32_t step = best + 1; step < n; step++) EXPECT_LT(fill[step], fill[step - 1]) << step;
    EXPECT_EQ(fill[best], 8 * 58) << "the whole inside";
  }
}

TEST_F(HudArtTest, TheInsetsFrameLeavesItsWindowToTheSurface) {
  ASprite* face = sprite(kConstMatchPack, kMatchInterface);
  for (int32_t frame : {12, 13}) {
    inked(face, frame, 688, 25);
    EXPECT_TRUE(blank(690, 26, 105, 105)) << frame;
    EXPECT_FALSE(blank(686, 26, 3, 105)) << frame << " has a left edge";
    EXPECT_FALSE(blank(690, 13, 100, 10)) << frame << " has a caption tab";
  }
  ASprite* surfaces = sprite(kConstMatchFxPack, kMatchFxReplayBackground);
  for (int32_t frame = 0; frame < 4; frame++) {
    inked(surfaces, frame, 689, 25);
    for (uint16_t p : region(689, 25, 106, 106)) ASSERT_NE(p, kBlack) << frame << ": the surface is opaque";
  }
  // Hard courts are blue inside the lines, so the game's green tint shows outside them.
  const uint32_t hard = (inked(surfaces, 1, 689, 25), rgbOf(at(740, 70)));
  EXPECT_GT(hard & 0xFF, (hard >> 8) & 0xFF);
  EXPECT_EQ(inked(surfaces, 2, 689, 25), inked(surfaces, 3, 689, 25)) << "the training court is grass";
}

// The pad about the middle of its centre cell (155, 350): a key in each of the eight cells
// round it, a key's lit frame changing only its own cell; the buttons about their touch
// boxes' middles; the help pages' keys in a block about key 5.
TEST_F(HudArtTest, ThePadsPicturesLieWhereItsTouchesCount) {
  constexpr int32_t kPadX = 155, kPadY = 350;
  const auto inCell = [](std::pair<int32_t, int32_t> p, int32_t cell) {
    const int32_t left = kPadX - 150 + 100 * (cell % 3), top = kPadY - 150 + 100 * (cell / 3);
    return p.first >= left && p.first < left + 100 && p.second >= top && p.second < top + 100;
  };
  for (int32_t entry : {kMenuIconPad, kMenuIconHeldPad}) {
    ASprite* pad = sprite(kConstMenuIconPack, entry);
    const auto plain = inked(pad, 0, kPadX, kPadY);
    for (int32_t cell = 0; cell < 9; cell++) {
      const bool any = std::any_of(plain.begin(), plain.end(), [&](auto p) { return inCell(p, cell) && p.second < 480; });
      EXPECT_EQ(any, cell != 4) << entry << " cell " << cell;
    }
    bool translucent = false;
    IntArray* colours = static_cast<IntArray*>(aload(pad->palettes, 0));
    for (int32_t c = 1; c < colours->length; c++) translucent |= (static_cast<uint32_t>(aload(colours, c)) >> 24) < 0xFF;
    EXPECT_TRUE(translucent) << entry << ": the match shows through";
  }
  ASprite* pad = sprite(kConstMenuIconPack, kMenuIconPad);
  clear();
  pad->PaintFrame(CGame::backBufferGraphics, 0, kPadX, kPadY, 0, 100);
  const auto plain = region(0, 0, 320, 480);
  for (int32_t cell = 0; cell < 9; cell++) {
    if (cell == 4) continue;
    clear();
    pad->PaintFrame(CGame::backBufferGraphics, cell + 1, kPadX, kPadY, 0, 100);
    const auto lit = region(0, 0, 320, 480);
    int32_t changedInside = 0, changedOutside = 0;
    for (int32_t i = 0; i < 320 * 480; i++) {
      if (plain[i] == lit[i]) continue;
      (inCell({i % 320, i / 320}, cell) ? changedInside : changedOutside)++;
    }
    EXPECT_GT(changedInside, 0) << cell;
    EXPECT_EQ(changedOutside, 0) << cell;
  }
  struct Button {
    int32_t entry, frame, x, y;
  };
  const Button buttons[] = {{kMenuIconPad, 10, 700, 380},     {kMenuIconPad, 11, 725, 265},
                            {kMenuIconPad, 12, 740, 40},      {kMenuIconPad, 16, 700, 380},
                            {kMenuIconPad, 17, 725, 265},     {kMenuIconPad, 18, 740, 40},
                            {kMenuIconHeldPad, 10, 700, 380}, {kMenuIconHeldPad, 11, 725, 265}};
  for (const Button& b : buttons) {
    // By its ink: a module may carry clear columns.
    const auto ink = inked(sprite(kConstMenuIconPack, b.entry), b.frame, 400, 240);
    ASSERT_FALSE(ink.empty()) << b.entry << "/" << b.frame;
    int32_t left = 800, right = 0, top = 480, bottom = 0;
    for (const auto& [x, y] : ink) {
      left = std::min(left, x - 400), right = std::max(right, x - 400 + 1);
      top = std::min(top, y - 240), bottom = std::max(bottom, y - 240 + 1);
    }
    EXPECT_LE(std::abs(left + right), 1) << b.entry << "/" << b.frame << " centred";
    EXPECT_LE(std::abs(top + bottom), 1) << b.entry << "/" << b.frame;
    EXPECT_TRUE(left >= -75 && right <= 75 && top >= -75 && bottom <= 75) << b.frame << " inside its box";
  }
  EXPECT_NE(inked(sprite(kConstMenuIconPack, kMenuIconPad), 10, 700, 380).size(), 0u);
  ASprite* keys = sprite(kConstMenuIconPack, kMenuIconPadKeys);
  for (int32_t i = 0; i < 9; i++) {
    const Rect r = rect(keys, 22 + i);
    EXPECT_EQ(r.left + r.right, 2 * 70 * (i % 3 - 1)) << "key " << i + 1;
    EXPECT_EQ(r.top + r.bottom, 2 * 70 * (i / 3 - 1)) << "key " << i + 1;
  }
}

// The pad lets the match show through: its keys and buttons at 70 % (30 % while a button is
// held), their middles clear; what it draws every frame is modules whole eights wide, which
// the device blends a row group at a time.
TEST_F(HudArtTest, ThePadShowsTheMatchThroughItsKeysAndButtons) {
  constexpr int32_t kTouchedRing = 10;  // the touched rings' yellow, shown only under a finger
  for (const auto& [entry, most] : {std::pair{kMenuIconPad, 70 * 255 / 100}, std::pair{kMenuIconHeldPad, 30 * 255 / 100}}) {
    ASprite* pad = sprite(kConstMenuIconPack, entry);
    IntArray* colours = static_cast<IntArray*>(aload(pad->palettes, 0));
    for (int32_t c = 1; c < colours->length; c++) {
      if (c == kTouchedRing) continue;
      EXPECT_LE(static_cast<int32_t>(static_cast<uint32_t>(aload(colours, c)) >> 24), most) << entry << " colour " << c;
    }
  }
  // A key's and a button's middle keep the court under them; a lit key is filled.
  ASprite* pad = sprite(kConstMenuIconPack, kMenuIconPad);
  const auto plain = inked(pad, 0, 155, 350);
  const auto lit = inked(pad, 1 + 1, 155, 350);  // the up key lit
  const std::pair<int32_t, int32_t> besideUpShaft{155 + 8, 350 - 102 + 10};
  EXPECT_EQ(plain.count(besideUpShaft), 0u) << "the up key's middle beside its arrow's shaft";
  EXPECT_EQ(lit.count(besideUpShaft), 1u) << "lit, it is filled";
  EXPECT_EQ(inked(pad, 10, 700, 380).count({700 + 20, 380 + 25}), 0u) << "the OK button's middle below its sign";
  for (int32_t frame : {0, 10, 11, 12}) {
    const int32_t first = aload(pad->frameFirstFModule, frame), count = aload(pad->frameFModuleCount, frame);
    for (int32_t i = 0; i < count; i++) {
      const int32_t flags = aload(pad->fmoduleFlags, first + i) & 0xFF;
      if ((flags & 0x10) != 0) continue;  // a frame placed in the frame
      const int32_t module = (aload(pad->fmoduleModule, first + i) & 0xFF) + ((flags & ~3) == 0x40 ? 256 : 0);
      EXPECT_EQ((aload(pad->moduleWidth, module) & 0xFF) % 8, 0) << "frame " << frame << " module " << module;
    }
  }
}

// Each direction key's arrow points into its own cell: its head, its widest part, lies that
// way from the arrow's middle and its narrow shaft the other way. (A bare triangle on a
// diagonal, widest at its back, read as pointing the other way.)
TEST_F(HudArtTest, ThePadsArrowsPointTheirWays) {
  constexpr int32_t kPadX = 155, kPadY = 350;
  ASprite* pad = sprite(kConstMenuIconPack, kMenuIconPad);
  const auto plain = inked(pad, 0, kPadX, kPadY);
  for (int32_t cell = 0; cell < 9; cell++) {
    if (cell == 4) continue;
    SCOPED_TRACE(cell);
    const int32_t dx = cell % 3 - 1, dy = cell / 3 - 1;
    const int32_t left = kPadX - 150 + 100 * (cell % 3), top = kPadY - 150 + 100 * (cell / 3);
    // The arrow's white, the brightest ink of the cell, near the middle of that ink (a few
    // bright pixels of the key's edge lie farther out).
    std::vector<std::pair<int32_t, int32_t>> bright;
    for (const auto& [x, y] : plain) {
      if (x < left || x >= left + 100 || y < top || y >= top + 100 || y >= 480) continue;
      const uint32_t rgb = rgbOf(at(x, y));
      if ((rgb >> 16 & 0xFF) >= 0xA0 && (rgb >> 8 & 0xFF) >= 0xA0 && (rgb & 0xFF) >= 0xA0) bright.push_back({x, y});
    }
    ASSERT_GT(bright.size(), 60u);
    double mx = 0, my = 0;
    for (const auto& [x, y] : bright) mx += x, my += y;
    mx /= static_cast<double>(bright.size()), my /= static_cast<double>(bright.size());
    const double ux = dx / std::hypot(dx, dy), uy = dy / std::hypot(dx, dy);
    double ahead = 0, behind = 0;  // the widest the arrow is across, ahead of its middle and behind
    for (const auto& [x, y] : bright) {
      const double along = (x - mx) * ux + (y - my) * uy, across = std::abs((x - mx) * uy - (y - my) * ux);
      if (std::hypot(x - mx, y - my) > 17) continue;
      if (along > 2) ahead = std::max(ahead, across);
      if (along < -2) behind = std::max(behind, across);
    }
    EXPECT_GE(ahead, 2 * behind) << "the head ahead, " << ahead << " across, the shaft behind, " << behind;
  }
}

// The score rows mark the server with the interface's frame 1; frame 0 is the call panel.
TEST_F(HudArtTest, TheScoreRowsMarkTheServerWithTheMarker) {
  EXPECT_EQ(CGame::GetMenuItemFrameID(56, 1), 1);
  EXPECT_EQ(CGame::MenuGetItemSprite(56, 1), CGame::interfaceSprite.get());
}

uint64_t fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 1469598103934665603ull;
  for (uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

// The labelled style the fixtures find sprites in stays byte for byte what it was.
TEST(HudLabelledSprites, StayAsTheyWere) {
  const auto match = mkdata::matchPackEntries();
  const auto effects = mkdata::matchEffectsPackEntries();
  const auto pad = mkdata::labelledMenuIconPack();
  const std::pair<const std::vector<uint8_t>*, uint64_t> cases[] = {
      {&match[kMatchServeMeter], 17859816354361353395ull},
      {&match[kMatchSpeedLines], 12397767529004337175ull},
      {&match[kMatchHud], 13574672562653849420ull},
      {&match[kMatchInterface], 8835541067911831976ull},
      {&effects[kMatchFxReplayBackground], 18218054705371620512ull},
      {&effects[kMatchFxDust], 13230347969327951508ull},
      {&pad[kMenuIconPad], 17614811287028513564ull},
      {&pad[kMenuIconHeldPad], 14459807225817410396ull},
      {&pad[kMenuIconPadKeys], 5672762322811742816ull},
  };
  for (size_t i = 0; i < std::size(cases); i++) EXPECT_EQ(fnv1a(*cases[i].first), cases[i].second) << i;
}

}  // namespace
}  // namespace sorv::test
