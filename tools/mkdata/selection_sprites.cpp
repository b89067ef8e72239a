#include "tools/mkdata/selection_sprites.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/career_sprites.h"
#include "tools/mkdata/match_sprites.h"
#include "tools/mkdata/sprite_writer.h"
#include "tools/mkdata/tournament_logo.h"

namespace sorv::mkdata {

namespace {

constexpr uint8_t kKey = 0, kInk = 1, kPaper = 2;
constexpr int kTile = 20;
constexpr int kPortraitW = 120, kPortraitH = 80;
constexpr int kCardShades = 8;
constexpr int kPreviewW = 220, kPreviewH = 140;
constexpr int kRosterSize = 36;
// The cursor's ring round a portrait, in the yellow both palettes keep.
constexpr int kRingWidth = 3;
constexpr uint8_t kRingInk = 15;

SpriteModule block(int width, int height, uint8_t colour) {
  SpriteModule m;
  m.width = static_cast<int16_t>(width);
  m.height = static_cast<int16_t>(height);
  m.pixels.assign(static_cast<size_t>(width) * height, colour);
  return m;
}

// An ellipse of one colour on the transparent key.
SpriteModule ellipse(int width, int height, uint8_t colour) {
  SpriteModule m = block(width, height, kKey);
  const int rx = width / 2, ry = height / 2;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      const int dx = x - rx, dy = y - ry;
      if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry) m.pixels[static_cast<size_t>(y) * width + x] = colour;
    }
  }
  return m;
}

uint8_t index(size_t i) { return static_cast<uint8_t>(i); }

// Each frame of the portraits: a card of tiles in one of eight shades, a face, the number;
// the home pictures' colours follow.
std::vector<uint32_t> portraitPalette(bool picked) {
  std::vector<uint32_t> c(16, 0xFF000000u);
  c[kKey] = 0x00FF00FF;
  c[kInk] = 0xFFFFFFFF;
  c[kPaper] = 0xFF202020;
  for (int s = 0; s < kCardShades; s++) {
    const uint32_t r = static_cast<uint32_t>(60 + s * 24), g = static_cast<uint32_t>(200 - s * 18),
                   b = static_cast<uint32_t>(90 + (s * 53) % 140);
    const uint32_t grey = (r + g + b) / 3;
    c[static_cast<size_t>(3 + s)] = picked ? 0xFF000000u | grey << 16 | grey << 8 | grey : 0xFF000000u | r << 16 | g << 8 | b;
  }
  c[11] = picked ? 0xFF909090 : 0xFFE0B080;  // face
  c[12] = picked ? 0xFF505050 : 0xFF603010;  // hair
  c[13] = 0xFFC00000;
  c[14] = 0xFF0030C0;
  c[15] = 0xFFF0D000;
  const std::vector<uint32_t> homes = homePictureColours(picked);
  c.insert(c.end(), homes.begin(), homes.end());
  return c;
}

}  // namespace

std::vector<uint8_t> rosterPortraitSprite() {
  SpriteSpec spec;
  const size_t firstTile = spec.modules.size();
  for (int s = 0; s < kCardShades; s++) spec.modules.push_back(block(kTile, kTile, static_cast<uint8_t>(3 + s)));
  const size_t face = spec.modules.size();
  spec.modules.push_back(ellipse(30, 36, 11));
  const size_t hair = spec.modules.size();
  spec.modules.push_back(ellipse(34, 16, 12));
  const size_t homes = spec.modules.size();
  for (int h = 0; h < kPortraitBadgeFrames; h++) spec.modules.push_back(homePictureModule(h));
  const size_t ringSide = spec.modules.size();
  spec.modules.push_back(block(kRingWidth, kPortraitH + 2 * kRingWidth, kRingInk));
  spec.modules.push_back(block(kPortraitW, kRingWidth, kRingInk));
  const size_t firstLabel = spec.modules.size();
  for (int f = 0; f < kRosterSize; f++) spec.modules.push_back(labelModule(kConstMenuExtPack, f));
  for (int f = 0; f < kRosterSize; f++) {
    std::vector<SpriteFModule> parts;
    for (int y = 0; y < kPortraitH; y += kTile) {
      for (int x = 0; x < kPortraitW; x += kTile) {
        parts.push_back({index(firstTile + static_cast<size_t>(f % kCardShades)), static_cast<int16_t>(x), static_cast<int16_t>(y), 0, 0});
      }
    }
    parts.push_back({index(face), 45, 20, 0, 0});
    parts.push_back({index(hair), 43, 14, 0, 0});
    parts.push_back({index(firstLabel + static_cast<size_t>(f)), 4, 62, 0, 0});
    addFrame(spec, parts);
  }
  // A home's picture, which is also the badge of the characters from there.
  for (int h = 0; h < kPortraitBadgeFrames; h++) addFrame(spec, {{index(homes + static_cast<size_t>(h)), 0, 0, 0, 0}});
  // The cursor's ring, round the portrait.
  const int16_t w = kPortraitW, h = kPortraitH, r = kRingWidth;
  addFrame(spec, {{index(ringSide), static_cast<int16_t>(-r), static_cast<int16_t>(-r), 0, 0},
                  {index(ringSide), w, static_cast<int16_t>(-r), 0, 0},
                  {index(ringSide + 1), 0, static_cast<int16_t>(-r), 0, 0},
                  {index(ringSide + 1), 0, h, 0, 0}});
  addAnim(spec, {{0, 1, 0, 0, 0}});
  spec.palettes.push_back(portraitPalette(true));
  spec.palettes.push_back(portraitPalette(false));
  return writeSprite(spec);
}

std::vector<uint8_t> courtPreviewSprite() {
  SpriteSpec spec;
  spec.modules.push_back(block(kTile, kTile, 3));
  spec.modules.push_back(block(kPreviewW - 2 * kTile, 2, kInk));
  spec.modules.push_back(block(2, kPreviewH - 2 * kTile, kInk));
  spec.modules.push_back(block(kPreviewW - 2 * kTile, 4, 4));  // the net
  std::vector<SpriteFModule> parts;
  for (int y = 0; y < kPreviewH; y += kTile) {
    for (int x = 0; x < kPreviewW; x += kTile) parts.push_back({0, static_cast<int16_t>(x), static_cast<int16_t>(y), 0, 0});
  }
  const int16_t left = kTile, top = kTile, right = kPreviewW - kTile - 2, bottom = kPreviewH - kTile - 2;
  parts.push_back({1, left, top, 0, 0});
  parts.push_back({1, left, bottom, 0, 0});
  parts.push_back({1, left, static_cast<int16_t>(kPreviewH / 2 - 20), 0, 0});
  parts.push_back({1, left, static_cast<int16_t>(kPreviewH / 2 + 20), 0, 0});
  parts.push_back({2, left, top, 0, 0});
  parts.push_back({2, right, top, 0, 0});
  parts.push_back({2, static_cast<int16_t>(kPreviewW / 2), static_cast<int16_t>(kPreviewH / 2 - 20), 0, 0});
  parts.push_back({3, left, static_cast<int16_t>(kPreviewH / 2 - 2), 0, 0});
  addFrame(spec, parts);
  addAnim(spec, {{0, 1, 0, 0, 0}});
  // Hard, clay, grass, indoor.
  const uint32_t surfaces[kCourtTypes] = {0xFF2060C0, 0xFFC06030, 0xFF30A040, 0xFF604090};
  for (uint32_t surface : surfaces) {
    std::vector<uint32_t> c(16, 0xFF000000u);
    c[kKey] = 0x00FF00FF;
    c[kInk] = 0xFFFFFFFF;
    c[kPaper] = 0xFF202020;
    c[3] = surface;
    c[4] = 0xFF303030;
    spec.palettes.push_back(c);
  }
  return writeSprite(spec);
}

std::vector<uint8_t> demoPlayerSprite(int32_t entry) {
  constexpr uint8_t kShadow = 1, kShirt = 5, kShorts = 12, kShoes = 20, kSkin = 32, kArms = 33;
  SpriteSpec spec;
  spec.modules.push_back(labelModule(kConstPlayerPack, entry));  // 0
  spec.modules.push_back(ellipse(14, 16, kSkin));                // 1 head
  spec.modules.push_back(block(20, 22, kShirt));                 // 2 body
  spec.modules.push_back(block(18, 10, kShorts));                // 3 shorts
  spec.modules.push_back(block(5, 16, kArms));                   // 4 leg or arm
  spec.modules.push_back(block(8, 4, kShoes));                   // 5 shoe
  spec.modules.push_back(ellipse(30, 6, kShadow));               // 6 shadow
  // Four running frames: the legs and arms swing, the body bobs.
  const int16_t swing[4] = {-5, 0, 5, 0};
  const int16_t bob[4] = {0, -2, 0, -2};
  for (int f = 0; f < 4; f++) {
    const int16_t b = bob[f], s = swing[f];
    addFrame(spec, {{6, -15, -3, 0, 0},
                    {4, static_cast<int16_t>(-7 + s), static_cast<int16_t>(-18 + b), 0, 0},
                    {4, static_cast<int16_t>(2 - s), static_cast<int16_t>(-18 + b), 0, 0},
                    {5, static_cast<int16_t>(-9 + s), static_cast<int16_t>(-4 + b), 0, 0},
                    {5, static_cast<int16_t>(1 - s), static_cast<int16_t>(-4 + b), 0, 0},
                    {3, -9, static_cast<int16_t>(-26 + b), 0, 0},
                    {2, -10, static_cast<int16_t>(-46 + b), 0, 0},
                    {4, static_cast<int16_t>(-15 - s), static_cast<int16_t>(-44 + b), 0, 0},
                    {4, static_cast<int16_t>(10 + s), static_cast<int16_t>(-44 + b), 0, 0},
                    {1, -7, static_cast<int16_t>(-62 + b), 0, 0},
                    {0, -22, 4, 0, 0}});
  }
  addAnim(spec, {{0, 2, 0, 0, 0}, {1, 2, 0, 0, 0}, {2, 2, 0, 0, 0}, {3, 2, 0, 0, 0}});
  addAnim(spec, {{1, 3, 0, 0, 0}, {3, 3, 0, 0, 0}});
  for (int p = 0; p < 4; p++) {
    std::vector<uint32_t> c(kPlayerPaletteColours, 0xFF000000u);
    for (int i = 0; i < kPlayerPaletteColours; i++) {
      const uint32_t v = static_cast<uint32_t>((i * 37 + p * 53 + entry * 29) & 0xFF);
      c[static_cast<size_t>(i)] = 0xFF000000u | v << 16 | ((v * 3) & 0xFF) << 8 | ((v * 7) & 0xFF);
    }
    c[kKey] = 0x00FF00FF;
    c[kShadow] = 0x81000000;
    c[kPaper] = 0xFF000000;
    c[kSkin] = 0xFFCF7F38;
    c[kArms] = 0xFFAB5A12;
    spec.palettes.push_back(c);
  }
  return writeSprite(spec);
}

std::vector<std::vector<uint8_t>> selectionPlayerPackEntries() {
  std::vector<std::vector<uint8_t>> entries = matchPlayerPackEntries();
  entries[kPlayerDemoMen] = demoPlayerSprite(kPlayerDemoMen);
  entries[kPlayerDemoWomen] = demoPlayerSprite(kPlayerDemoWomen);
  return entries;
}

std::vector<std::vector<uint8_t>> selectionMenuExtPackEntries() {
  std::vector<std::vector<uint8_t>> entries = labelledMenuExtPack();
  entries[kMenuExtPortrait] = rosterPortraitSprite();
  entries[kMenuExtWorldMap] = worldMapSprite();
  entries[kMenuExtMapIcons] = mapIconSprite();
  entries[kMenuExtCourtPreview] = courtPreviewSprite();
  entries[kMenuExtTournamentLogo] = tournamentLogoSprite();
  return entries;
}

}  // namespace sorv::mkdata
