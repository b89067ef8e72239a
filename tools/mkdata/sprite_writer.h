// Writing sprite files for the synthetic data set: a plain description of modules, frames,
// animations and palettes becomes the byte layout the game's sprite loader reads.
//
// What always holds: every flag combination the loader knows can be written; the writer
// sizes the numbers by the flags it is given (s8 or s16 sizes and offsets, u16 or s8 frame
// counts) and checks that each value fits, throwing std::invalid_argument when one does
// not, so a bad source never turns into a silently truncated file.
// Only the data builder and the sprite tests call this; the game never writes sprites.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Sprite file flag bits.
constexpr uint32_t kSpriteWideModules = 0x20;          // s16 module x, y, w, h
constexpr uint32_t kSpriteModulePositions = 0x02;      // module x/y arrays exist
constexpr uint32_t kSpriteWideFModuleOffsets = 0x400;  // s16 frame-module offsets
constexpr uint32_t kSpriteFModulePalettes = 0x4000;    // palette byte per frame module
constexpr uint32_t kSpriteWideAFrameOffsets = 0x40000; // s16 animation-frame offsets
constexpr uint32_t kSpriteShortAnimCounts = 0x80000;   // s8 animation frame counts
constexpr uint32_t kSpriteIndexed = 0x01000000;        // indexed pixel data per module
constexpr uint32_t kSpriteSingleImage = 0x20000000;    // one PNG for all modules

constexpr uint8_t kModuleImage = 0, kModuleOutline = 1, kModuleFilled = 2;

struct SpriteModule {
  uint8_t kind = kModuleImage;
  uint32_t colour = 0;       // rectangle modules
  int16_t x = 0, y = 0;      // place in the single image (written under kSpriteWideModules)
  int16_t width = 0, height = 0;
  std::vector<uint8_t> pixels;  // palette indexes, width x height, row order (image modules)
};

struct SpriteFModule {
  uint8_t module = 0;  // module index (frame index when flags & 0x10)
  int16_t x = 0, y = 0;
  uint8_t palette = 0;
  uint8_t flags = 0;
};

struct SpriteFrame {
  uint16_t count = 0, first = 0;
  std::array<uint8_t, 4> rect{};
};

struct SpriteAFrame {
  uint8_t frame = 0, time = 1;
  int16_t x = 0, y = 0;
  uint8_t flags = 0;
};

struct SpriteAnim {
  uint16_t count = 0, first = 0;
};

struct SpriteSpec {
  uint32_t flags = kSpriteIndexed | kSpriteWideModules | kSpriteWideFModuleOffsets |
                   kSpriteWideAFrameOffsets;
  std::vector<SpriteModule> modules;
  std::vector<SpriteFModule> fmodules;
  std::vector<SpriteFrame> frames;
  std::vector<SpriteAFrame> aframes;
  std::vector<SpriteAnim> anims;
  // Palettes: each of colourCount ARGB colours (1..256 colours, at most 255 palettes in the
  // file; the game takes at most 48).
  std::vector<std::vector<uint32_t>> palettes;
  int16_t paletteFormat = static_cast<int16_t>(0x8888);
  int32_t dataFormat = 0x5602;  // one of the seven module formats
};

// Adds a frame of the given frame modules (appended to spec.fmodules) and returns its index.
int addFrame(SpriteSpec& spec, const std::vector<SpriteFModule>& entries);
// Adds an animation of the given frames and returns its index.
int addAnim(SpriteSpec& spec, const std::vector<SpriteAFrame>& entries);
// Gives an existing frame or animation new entries (appended; the old ones stay unused).
void setFrame(SpriteSpec& spec, int frame, const std::vector<SpriteFModule>& entries);
void setAnim(SpriteSpec& spec, int anim, const std::vector<SpriteAFrame>& entries);

// Module pixel bytes in one of the seven formats (indexes must be below colourCount).
std::vector<uint8_t> encodeModulePixels(const std::vector<uint8_t>& indexes, int32_t format,
                                        int32_t colourCount);

// The whole sprite file. Under kSpriteSingleImage the modules' pixels are laid out as one
// indexed PNG (modules placed at their x, y) with one PLTE/tRNS record per palette.
std::vector<uint8_t> writeSprite(const SpriteSpec& spec);

// An 8-bit indexed PNG with PLTE right after IHDR and tRNS right after PLTE, each sized for
// the palette's colour count (the layout the single-image sprites rely on).
std::vector<uint8_t> writeIndexedPng(int width, int height, const std::vector<uint8_t>& indexes,
                                     const std::vector<uint32_t>& palette);

}  // namespace sorv::mkdata
