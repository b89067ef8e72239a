#include "tools/mkdata/boot_sprites.h"

#include <string>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

namespace {

// 3 x 5 glyphs, a row a 3-bit number (bit 2 the left column).
struct Glyph {
  char c;
  uint8_t rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'P', {7, 5, 7, 4, 4}}, {'-', {0, 0, 7, 0, 0}},
};
constexpr int kScale = 2;
constexpr int kBorder = 2;
constexpr int kAdvance = 4 * kScale;
constexpr int kGlyphHeight = 5 * kScale;
constexpr uint8_t kInk = 1, kPaper = 2;
constexpr int kSquare = 8;
constexpr int kSplashWidth = 800, kSplashHeight = 480;
constexpr int kSplashModuleWidth = 200, kSplashModuleHeight = 240;
constexpr int kSplashBands = 8;
constexpr int kMenuBackdropFrame = 4, kMenuLayerFrame = 9;
constexpr int kBackdropTile = 80;

const Glyph* glyphOf(char c) {
  for (const Glyph& g : kGlyphs) {
    if (g.c == c) return &g;
  }
  return nullptr;
}

// The text as an image module: ink on paper with a border.
SpriteModule labelModule(const std::string& text) {
  SpriteModule m;
  m.width = static_cast<int16_t>(2 * kBorder + kAdvance * static_cast<int>(text.size()));
  m.height = static_cast<int16_t>(2 * kBorder + kGlyphHeight);
  m.pixels.assign(static_cast<size_t>(m.width) * m.height, kPaper);
  for (size_t i = 0; i < text.size(); i++) {
    const Glyph* g = glyphOf(text[i]);
    if (g == nullptr) continue;
    for (int y = 0; y < kGlyphHeight; y++) {
      for (int x = 0; x < 3 * kScale; x++) {
        if ((g->rows[y / kScale] >> (2 - x / kScale) & 1) == 0) continue;
        const int px = kBorder + static_cast<int>(i) * kAdvance + x, py = kBorder + y;
        m.pixels[static_cast<size_t>(py) * m.width + px] = kInk;
      }
    }
  }
  return m;
}

std::string labelText(int32_t pack, int32_t entry) {
  return "P" + std::to_string(pack) + "-" + std::to_string(entry);
}

}  // namespace

SpriteModule labelModule(int32_t pack, int32_t entry) { return labelModule(labelText(pack, entry)); }

namespace {

// Colour 0 is the transparent key; ink and paper stay readable; the rest a ramp that
// differs per sprite and palette.
std::vector<uint32_t> palette(int colours, int seed, int p) {
  std::vector<uint32_t> out(static_cast<size_t>(colours));
  for (int c = 0; c < colours; c++) {
    const uint32_t v = static_cast<uint32_t>((c * 29 + p * 67 + seed * 41) & 0xFF);
    out[static_cast<size_t>(c)] = 0xFF000000u | v << 16 | ((v * 5 + 40) & 0xFF) << 8 | ((v * 3 + 90) & 0xFF);
  }
  out[0] = 0x00FF00FF;
  out[kInk] = 0xFFFFFFFF;
  out[kPaper] = 0xFF000000u | static_cast<uint32_t>((seed * 53 + p * 97) & 0x7F) << 8;
  return out;
}

SpriteModule square(int colourIndex) {
  SpriteModule m;
  m.width = m.height = kSquare;
  m.pixels.assign(kSquare * kSquare, static_cast<uint8_t>(colourIndex));
  return m;
}

}  // namespace

namespace {

// Tiles of a picture covering the whole screen in diagonal bands of the colours 3 to
// 2 + bands, added as modules; the frame modules that place them.
std::vector<SpriteFModule> backdropTiles(SpriteSpec& spec, int bands) {
  std::vector<SpriteFModule> tiles;
  for (int row = 0; row < kSplashHeight / kSplashModuleHeight; row++) {
    for (int col = 0; col < kSplashWidth / kSplashModuleWidth; col++) {
      SpriteModule m;
      m.width = kSplashModuleWidth;
      m.height = kSplashModuleHeight;
      m.pixels.resize(static_cast<size_t>(m.width) * m.height);
      for (int y = 0; y < m.height; y++) {
        for (int x = 0; x < m.width; x++) {
          const int gx = col * kSplashModuleWidth + x, gy = row * kSplashModuleHeight + y;
          m.pixels[static_cast<size_t>(y) * m.width + x] = static_cast<uint8_t>(3 + ((gx + 2 * gy) / 60) % bands);
        }
      }
      tiles.push_back({static_cast<uint8_t>(spec.modules.size()), static_cast<int16_t>(col * kSplashModuleWidth),
                       static_cast<int16_t>(row * kSplashModuleHeight), 0, 0});
      spec.modules.push_back(m);
    }
  }
  return tiles;
}

// One small module of diagonal bands in the colours 3 to 2 + bands, repeated over the whole
// screen; the module stays small as the menus keep its image once per palette.
std::vector<SpriteFModule> repeatedBackdrop(SpriteSpec& spec, int bands) {
  SpriteModule m;
  m.width = kBackdropTile;
  m.height = kBackdropTile;
  m.pixels.resize(static_cast<size_t>(m.width) * m.height);
  for (int y = 0; y < m.height; y++) {
    for (int x = 0; x < m.width; x++) {
      m.pixels[static_cast<size_t>(y) * m.width + x] = static_cast<uint8_t>(3 + ((x + y) / 20) % bands);
    }
  }
  const auto module = static_cast<uint8_t>(spec.modules.size());
  spec.modules.push_back(m);
  std::vector<SpriteFModule> tiles;
  for (int y = 0; y < kSplashHeight; y += kBackdropTile) {
    for (int x = 0; x < kSplashWidth; x += kBackdropTile) {
      tiles.push_back({module, static_cast<int16_t>(x), static_cast<int16_t>(y), 0, 0});
    }
  }
  return tiles;
}

// backdrop: the frame that covers the screen, -1 for none.
SpriteSpec labelledSpec(int32_t pack, int32_t entry, const LabelledShape& shape, int backdrop) {
  SpriteSpec spec;
  const SpriteModule label = labelModule(labelText(pack, entry));
  spec.modules.push_back(label);
  for (int m = 1; m < shape.modules; m++) spec.modules.push_back(square(3 + m % (shape.colours - 3)));
  for (int f = 0; f < shape.frames; f++) {
    if (f == backdrop) {
      std::vector<SpriteFModule> tiles = repeatedBackdrop(spec, shape.colours - 3);
      tiles.push_back({0, 16, 16, 0, 0});
      addFrame(spec, tiles);
      continue;
    }
    const int second = 1 + f % (shape.modules - 1);
    addFrame(spec, {{0, 0, 0, 0, 0}, {static_cast<uint8_t>(second), label.width, 0, 0, 0}});
  }
  for (int a = 0; a < shape.anims; a++) {
    const auto first = static_cast<uint8_t>((2 * a) % shape.frames);
    const auto next = static_cast<uint8_t>((2 * a + 1) % shape.frames);
    addAnim(spec, {{first, 2, 0, 0, 0}, {next, 2, 0, 0, 0}});
  }
  for (int p = 0; p < shape.palettes; p++) spec.palettes.push_back(palette(shape.colours, pack * 8 + entry, p));
  return spec;
}

std::vector<uint8_t> labelledSprite(int32_t pack, int32_t entry, const LabelledShape& shape, int backdrop) {
  return writeSprite(labelledSpec(pack, entry, shape, backdrop));
}

}  // namespace

// The main menu's whole background (frame 9) is the same backdrop.
SpriteSpec menuMainSpriteSpec() {
  SpriteSpec spec = labelledSpec(kConstMenuPack, kMenuMain, kMenuSpriteShape, kMenuBackdropFrame);
  const SpriteFrame& backdrop = spec.frames[kMenuBackdropFrame];
  const std::vector<SpriteFModule> tiles(spec.fmodules.begin() + backdrop.first,
                                         spec.fmodules.begin() + backdrop.first + backdrop.count);
  setFrame(spec, kMenuLayerFrame, tiles);
  return spec;
}

std::vector<uint8_t> labelledSprite(int32_t pack, int32_t entry, const LabelledShape& shape) {
  return labelledSprite(pack, entry, shape, -1);
}

std::vector<uint8_t> splashSprite() {
  constexpr int kColours = 16;
  SpriteSpec spec;
  spec.modules.push_back(labelModule(labelText(kConstBootPack, kBootSplash)));
  std::vector<SpriteFModule> frame = backdropTiles(spec, kSplashBands);
  frame.push_back({0, 16, 16, 0, 0});
  addFrame(spec, frame);
  addAnim(spec, {{0, 1, 0, 0, 0}});
  // Palette 0 (the boot and the title) in blues, palette 1 (the menus' background) in greens.
  for (int p = 0; p < 2; p++) {
    std::vector<uint32_t> colours(kColours, 0xFF000000u);
    colours[0] = 0x00FF00FF;
    colours[kInk] = 0xFFFFFFFF;
    colours[kPaper] = 0xFF202020;
    for (int b = 0; b < kSplashBands; b++) {
      const uint32_t v = static_cast<uint32_t>(60 + b * 24);
      colours[static_cast<size_t>(3 + b)] = p == 0 ? 0xFF000000u | (v / 3) << 16 | (v / 2) << 8 | v
                                                   : 0xFF000000u | (v / 3) << 16 | v << 8 | (v / 2);
    }
    spec.palettes.push_back(colours);
  }
  return writeSprite(spec);
}

std::vector<uint8_t> labelledBootSprite(int32_t entry) {
  if (entry == kBootSplash) return splashSprite();
  return labelledSprite(kConstBootPack, entry, kPlainSpriteShape);
}

namespace {

std::vector<std::vector<uint8_t>> entries(int32_t pack, int count, const LabelledShape& shape) {
  std::vector<std::vector<uint8_t>> out;
  for (int e = 0; e < count; e++) out.push_back(labelledSprite(pack, e, shape));
  return out;
}

}  // namespace

// The main menu sprite's frame 4 is the menus' background.
std::vector<std::vector<uint8_t>> labelledMenuPack() {
  std::vector<std::vector<uint8_t>> out = entries(kConstMenuPack, 6, kMenuSpriteShape);
  out[kMenuMain] = writeSprite(menuMainSpriteSpec());
  return out;
}
std::vector<std::vector<uint8_t>> labelledMenuExtPack() { return entries(kConstMenuExtPack, 6, kMenuSpriteShape); }
std::vector<std::vector<uint8_t>> labelledMenuIconPack() { return entries(kConstMenuIconPack, 3, kMenuSpriteShape); }
// Entry 4 is also the menus' interface sprite.
std::vector<std::vector<uint8_t>> labelledMatchPack() {
  std::vector<std::vector<uint8_t>> out = entries(kConstMatchPack, 4, kPlainSpriteShape);
  // The net picks among three palettes.
  out[kMatchNet] = labelledSprite(kConstMatchPack, kMatchNet, kNetSpriteShape);
  out.push_back(labelledSprite(kConstMatchPack, kMatchInterface, kMenuSpriteShape));
  return out;
}
std::vector<std::vector<uint8_t>> labelledPlayerPack() { return entries(kConstPlayerPack, 3, kPlayerSpriteShape); }

}  // namespace sorv::mkdata
