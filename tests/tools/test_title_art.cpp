// The title picture and the roster portraits of the shipped data, loaded and drawn with the
// game's own sprite code: the picture covers the screen in its two palettes and stays calm
// under the game's name; every face fits the attribute card's panel, matches its player's
// looks and greys when picked; the badges are flags of their own; the selection's layout
// keeps the portraits clear of their neighbours. Each picture is also written to
// build/title/ for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "tests/menus/menu_fixture.h"
#include "tests/support/picture_file.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/badge_art.h"
#include "tools/mkdata/looks_source.h"
#include "tools/mkdata/portrait_art.h"
#include "tools/mkdata/title_picture.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

constexpr int32_t kW = 800, kH = 480;
// The attribute card's portrait panel and where the card draws the portrait in it.
constexpr int32_t kPanelX = 1, kPanelY = 1, kPanelW = 30, kPanelH = 34, kCardFaceX = 14, kCardFaceY = 19;
constexpr int32_t kRoster = 36;
constexpr uint16_t kUnpainted = 0xF81F;

class TitleArtTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData("EN", mk::DataStyle::kArt);
    clear();
  }

  static ASprite* splash() {
    ASprite* s = CGame::loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSplash, false);
    CGame::Lib_Close();
    return s;
  }
  static ASprite* portraits() { return static_cast<ASprite*>(aload(CGame::menuExtSprites.get(), kMenuExtPortrait)); }
  static Graphics* g() { return CGame::backBufferGraphics; }
  static int32_t frames(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static std::vector<int32_t> rectOf(ASprite* s, int32_t frame) {
    IntArray* rect = Array::newIntArray(4);
    s->GetFrameRect(rect, frame, 0, 0, 0);
    return {rect->elements()[0], rect->elements()[1], rect->elements()[2], rect->elements()[3]};
  }
  static void fill(uint16_t rgb565) {
    clear();
    g()->setColor(static_cast<int32_t>(((rgb565 >> 11) << 3) << 16 | (((rgb565 >> 5) & 0x3F) << 2) << 8 | (rgb565 & 0x1F) << 3));
    g()->fillRect(0, 0, kW, kH);
  }
  // Frame f of the sprite alone in the palette at (x, y) on the unpainted colour; the pixels
  // of the box around it.
  static std::vector<uint16_t> alone(ASprite* s, int32_t f, int32_t palette, int32_t x, int32_t y, int32_t w, int32_t h) {
    fill(kUnpainted);
    s->SetCurrentPalette(palette);
    s->PaintFrame(g(), f, x, y, 0, 100);
    return region(x - w / 2, y - h / 2, w, h);
  }
  // The title picture alone in the palette, as the game paints it into the title image.
  static std::vector<uint16_t> picture(ASprite* s, int32_t palette) {
    fill(kUnpainted);
    s->SetCurrentPalette(palette);
    s->PaintFrame(g(), 0, 0, 0, 0, 100);
    return region(0, 0, kW, kH);
  }
  static double lightness(uint16_t p) { return ((p >> 11) << 3) * 30 + (((p >> 5) & 0x3F) << 2) * 59 + ((p & 0x1F) << 3) * 11; }
  static bool grey(uint16_t p) { return (p >> 11) == (p & 0x1F) && ((p >> 5) & 0x3F) >> 1 == (p >> 11); }

  static void save(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h) {
    savePicture(CGame::backBuffer, "title", name, x, y, w, h);
  }

  static std::vector<mk::Look> looks() {
    std::vector<mk::Look> out;
    std::string error;
    EXPECT_TRUE(mk::loadLooks(mk::defaultDataDir(), &out, &error)) << error;
    return out;
  }
};

TEST_F(TitleArtTest, TheTitlePictureCoversTheScreenInTwoPalettesTheBootsTheDarker) {
  ASprite* s = splash();
  ASSERT_FALSE(isNull(s));
  ASSERT_GE(s->paletteCount, 2);
  ASSERT_GE(frames(s), 1);
  EXPECT_GT(s->GetActionTime(0), 0);
  EXPECT_EQ(rectOf(s, 0), (std::vector<int32_t>{0, 0, kW, kH}));
  // Each module decodes into the game's shared buffer.
  for (int32_t m = 0; m < s->moduleCount; m++) {
    EXPECT_LE(s->moduleWidth->elements()[m] & 0xFF, 240) << m;
    EXPECT_LE(s->moduleHeight->elements()[m] & 0xFF, 256) << m;
  }
  double light[2] = {0, 0};
  for (int32_t palette : {mk::kTitleDarkPalette, mk::kTitleLightPalette}) {
    const std::vector<uint16_t> painted = picture(s, palette);
    EXPECT_EQ(std::count(painted.begin(), painted.end(), kUnpainted), 0) << "palette " << palette;
    for (uint16_t p : painted) light[palette] += lightness(p);
    save(palette == mk::kTitleDarkPalette ? "title_dark.png" : "title_light.png", 0, 0, kW, kH);
  }
  EXPECT_LT(light[mk::kTitleDarkPalette], light[mk::kTitleLightPalette] * 4 / 5) << "the boot's palette is the darker";
}

// Under the game's name only the sky shows: each row of the band holds a shade of it and at
// most the one it is dithered with.
TEST_F(TitleArtTest, TheTitleBandIsCalmSky) {
  ASprite* s = splash();
  ASSERT_FALSE(isNull(s));
  for (int32_t palette : {0, 1}) {
    picture(s, palette);
    const mk::Box band = mk::kTitleBand;
    for (int32_t y = band.y; y < band.y + band.h; y++) {
      const std::vector<uint16_t> row = region(band.x, y, band.w, 1);
      EXPECT_LE(std::set<uint16_t>(row.begin(), row.end()).size(), 2u) << "palette " << palette << " row " << y;
    }
  }
}

TEST_F(TitleArtTest, EveryFaceFitsTheCardsPanelAndIsCentredOnItsOrigin) {
  ASprite* s = portraits();
  ASSERT_FALSE(isNull(s));
  ASSERT_GE(frames(s), kPortraitFrames);
  ASSERT_GE(s->paletteCount, kPortraitPalettes);
  for (int32_t f = 0; f < kRoster; f++) {
    const std::vector<int32_t> r = rectOf(s, f);
    EXPECT_GE(r[0], kPanelX - kCardFaceX) << f;
    EXPECT_GE(r[1], kPanelY - kCardFaceY) << f;
    EXPECT_LE(r[2], kPanelX + kPanelW - kCardFaceX) << f;
    EXPECT_LE(r[3], kPanelY + kPanelH - kCardFaceY) << f;
    EXPECT_LE(std::abs(r[0] + r[2]), 4) << f << " is centred across";
    EXPECT_LE(std::abs(r[1] + r[3]), 4) << f << " is centred down";
  }
}

// The faces are pairwise different; each but the created player's shows its avatar's hair
// and shirt from looks.txt and the fixed skin; the picked look is grey.
TEST_F(TitleArtTest, EachFaceIsItsPlayersAndGreysWhenPicked) {
  ASprite* s = portraits();
  ASSERT_FALSE(isNull(s));
  const std::vector<mk::Look> shipped = looks();
  ASSERT_EQ(shipped.size(), static_cast<size_t>(kRoster));
  std::vector<std::vector<uint16_t>> faces;
  clear();
  for (int32_t f = 0; f < kRoster; f++) {
    const std::vector<uint16_t> plain = alone(s, f, mk::kPortraitPlainPalette, 100, 100, 40, 40);
    faces.push_back(plain);
    const auto shows = [&](uint32_t rgb) {
      return std::find(plain.begin(), plain.end(), pixel::toRgb565(0xFF000000u | rgb)) != plain.end();
    };
    const bool created = std::count(std::begin(mk::kCreatedPlayerPortraits), std::end(mk::kCreatedPlayerPortraits), f) > 0;
    EXPECT_EQ(shows(0xCF7F38), !created) << f;
    if (!created) {
      EXPECT_TRUE(shows(shipped[static_cast<size_t>(f)].colours[mk::kHairGroup])) << f << " hair";
      EXPECT_TRUE(shows(shipped[static_cast<size_t>(f)].colours[mk::kShirtGroup])) << f << " shirt";
    }
    const std::vector<uint16_t> picked = alone(s, f, mk::kPortraitPickedPalette, 100, 100, 40, 40);
    EXPECT_EQ(std::count_if(picked.begin(), picked.end(), [](uint16_t p) { return p != kUnpainted && !grey(p); }), 0)
        << f << " picked";
  }
  for (size_t a = 0; a < faces.size(); a++)
    for (size_t b = a + 1; b < faces.size(); b++) EXPECT_NE(faces[a], faces[b]) << "faces " << a << " and " << b;
  // A sheet of the faces in both looks.
  fill(0x2104);
  for (int32_t palette : {1, 0}) {
    s->SetCurrentPalette(palette);
    for (int32_t f = 0; f < kRoster; f++) s->PaintFrame(g(), f, 20 + 36 * (f % 12), 24 + 40 * (f / 12) + 124 * (1 - palette), 0, 100);
  }
  save("portraits.png", 0, 0, 440, 250);
}

// A badge per country or home: flags of their own, their top left corner on the origin, the
// same in both palettes (the cards draw them in palette 0).
TEST_F(TitleArtTest, TheBadgesAreFlagsOfTheirOwnInEveryPalette) {
  ASprite* s = portraits();
  ASSERT_FALSE(isNull(s));
  std::vector<std::vector<uint16_t>> flags;
  for (int32_t b = 0; b < mk::kBadgeCount; b++) {
    const int32_t f = mk::kFirstBadgeFrame + b;
    EXPECT_EQ(rectOf(s, f), (std::vector<int32_t>{0, 0, mk::kBadgeWidth, mk::kBadgeHeight})) << f;
    const std::vector<uint16_t> plain = alone(s, f, 1, 40, 40, 2 * mk::kBadgeWidth, 2 * mk::kBadgeHeight);
    EXPECT_EQ(alone(s, f, 0, 40, 40, 2 * mk::kBadgeWidth, 2 * mk::kBadgeHeight), plain) << f;
    // Two colours at least inside the edge: a pattern, not a patch.
    const std::vector<uint16_t> cloth = region(41, 41, mk::kBadgeWidth - 2, mk::kBadgeHeight - 2);
    EXPECT_GE(std::set<uint16_t>(cloth.begin(), cloth.end()).size(), 2u) << f;
    flags.push_back(plain);
  }
  for (size_t a = 0; a < flags.size(); a++)
    for (size_t b = a + 1; b < flags.size(); b++) EXPECT_NE(flags[a], flags[b]) << "badges " << a << " and " << b;
  fill(0x2104);
  for (int32_t b = 0; b < mk::kBadgeCount; b++) {
    s->PaintFrame(g(), mk::kFirstBadgeFrame + b, 10 + 26 * (b % 7), 10 + 18 * (b / 7), 0, 100);
  }
  save("badges.png", 0, 0, 194, 48);
}

// The menus build the portraits' images for both palettes and keep them: the faces share
// their layers, so the images stay small.
TEST_F(TitleArtTest, ThePortraitsImagesStaySmall) {
  const mk::ArtSprite sprite = mk::portraitSprite(looks());
  size_t pixels = 0;
  for (const mkdata::SpriteModule& m : sprite.spec().modules) pixels += m.pixels.size();
  // Two bytes a pixel, a picture per palette.
  EXPECT_LE(pixels * 2 * kPortraitPalettes, 128u * 1024);
  EXPECT_LT(sprite.moduleCount(), 3 * kRoster) << "faces share their layers";
}

// The selection's cards and roster, placed around the portraits: a card's portrait stays
// inside the card, clear of its running figure's frame; the roster's four sit apart between
// the roster's arrows, each touch box (from the item's point down and right) starting on its
// portrait.
TEST_F(TitleArtTest, TheSelectionPlacesThePortraitsClearOfTheirNeighbours) {
  ASprite* s = portraits();
  ASSERT_FALSE(isNull(s));
  const auto at = [](int32_t menu, int32_t item) {
    const int32_t packed = CGame::GetMenuItemPosition(menu, item);
    return std::pair<int32_t, int32_t>{static_cast<int16_t>(packed), packed >> 16};
  };
  const std::vector<int32_t> face = rectOf(s, 0);
  constexpr int32_t kPortraitItem = 2, kActorItem = 12, kBandItem = 1, kActorFrame = 138;
  for (int32_t menu : {kRosterCardMenu, kRosterCardCompactMenu}) {
    const auto [px, py] = at(menu, kPortraitItem);
    const auto [ax, ay] = at(menu, kActorItem);
    const int32_t bandY = at(menu, kBandItem).second;
    const int32_t left = px + face[0], top = py + face[1], right = px + face[2], bottom = py + face[3];
    EXPECT_GE(left, 0) << menu;
    EXPECT_GE(top, 0) << menu;
    EXPECT_LE(bottom, bandY) << menu << ": above the name band";
    const bool clear = right <= ax + 1 || left >= ax + 1 + kActorFrame || bottom <= ay + 1 || top >= ay + 1 + kActorFrame;
    EXPECT_TRUE(clear) << menu << ": clear of the running figure";
  }
  constexpr int32_t kSelection = 37, kFirst = 55, kStep = 56, kBack = 66, kForward = 67;
  constexpr int32_t kBoxW = 125, kBoxH = 85, kArrowHalf = 25;
  const auto [x0, y0] = at(kSelection, kFirst);
  const int32_t dx = at(kSelection, kStep).first - x0;
  EXPECT_GT(dx, face[2] - face[0]) << "the portraits do not overlap";
  EXPECT_GE(dx, kBoxW) << "nor do their touch boxes";
  EXPECT_GT(x0 + face[0], at(kSelection, kBack).first + kArrowHalf);
  EXPECT_LT(x0 + 3 * dx + face[2], at(kSelection, kForward).first - kArrowHalf);
  EXPECT_TRUE(face[0] <= 0 && face[2] > 0 && face[1] <= 0 && face[3] > 0) << "the box starts on the face";
  EXPECT_LE(y0 + kBoxH, at(kSelection, 1).second) << "the boxes end above the soft keys";
}

}  // namespace
}  // namespace sorv::test
