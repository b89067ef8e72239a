// Turning painted canvases into a sprite file: pictures are cut into modules the game can
// decode (at most 240 x 240, well inside its 8-bit sizes and 61,440-pixel decode buffer),
// empty tiles are left out, each tile is trimmed to its ink, and equal modules are stored
// once; frames place them, animations time the frames, and the file takes whichever module
// format (plain 8-bit or run-length 0x56F2) is smaller.
//
// Invariants: module indexes past 255 are placed with the 0x40-0x43 frame-module flags, so
// up to 512 modules are reachable; the palettes all have the same colour count; the bytes
// depend only on the calls made.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

inline constexpr int kArtTileSide = 240;
inline constexpr int kArtMaxModules = 512;

// One shown frame of an animation.
struct ArtStep {
  int frame = 0;
  int time = 1;
  int x = 0, y = 0;  // offset of the frame
};

class ArtSprite {
 public:
  // A module of the whole canvas (at most 255 x 255), shared with an equal one already
  // added; its index.
  int addModule(const Canvas& canvas);
  int addRectangle(uint32_t colour, int width, int height, bool filled);
  // The frame-module entries that show the canvas with its pixel (originX, originY) on the
  // frame's origin, cut into tiles; `mirror` flips the picture about the origin's column.
  std::vector<SpriteFModule> place(const Canvas& canvas, int originX, int originY, bool mirror = false);
  // One module entry at an offset from the frame's origin, with a palette (used by sprites
  // whose frames switch palettes) and mirror flags.
  static SpriteFModule entry(int module, int x, int y, int flags = 0, int palette = 0);
  // A frame entry that draws a whole other frame at an offset.
  static SpriteFModule frameEntry(int frame, int x, int y, int flags = 0);

  int addFrame(const std::vector<SpriteFModule>& entries);
  // A frame of one picture (place + addFrame).
  int addPicture(const Canvas& canvas, int originX, int originY, bool mirror = false);
  int addAnim(const std::vector<ArtStep>& steps);
  // Frames and animations by number, for sprites whose numbers the game or the menu data
  // names: the lists grow with empty frames (and with one-tick showings of frame `filler`)
  // up to it; a number already there takes the new entries. Return the number.
  int setFrame(int frame, const std::vector<SpriteFModule>& entries);
  int setAnim(int anim, const std::vector<ArtStep>& steps, int filler = 0);
  // Plain one-pixel rectangles until the sprite has `count` modules, so the next module lands
  // on an index a game keeps (the menus keep fixed module ranges in a match).
  void padModules(int count);
  // An animation showing frames first..first+count-1, each for `time` ticks.
  int addSequence(int first, int count, int time = 1);
  void addPalette(std::vector<uint32_t> colours);
  // Palette entries switched per frame module (flag 0x4000).
  void usePerModulePalettes() { spec_.flags |= kSpriteFModulePalettes; }

  int moduleCount() const { return static_cast<int>(spec_.modules.size()); }
  int frameCount() const { return static_cast<int>(spec_.frames.size()); }
  int animCount() const { return static_cast<int>(spec_.anims.size()); }
  const SpriteSpec& spec() const { return spec_; }
  SpriteSpec& spec() { return spec_; }
  std::vector<uint8_t> write() const;

 private:
  SpriteSpec spec_;
  std::map<std::pair<std::pair<int, int>, std::vector<uint8_t>>, int> shared_;
};

// ARGB helpers for palettes: an opaque colour, a colour with alpha, and n shades from
// dark to light (both ends included, mixed in integers).
constexpr uint32_t opaque(uint32_t rgb) { return 0xFF000000u | (rgb & 0xFFFFFFu); }
constexpr uint32_t withAlpha(uint32_t rgb, uint32_t alpha) { return alpha << 24 | (rgb & 0xFFFFFFu); }
uint32_t mixColour(uint32_t from, uint32_t to, int numerator, int denominator);
std::vector<uint32_t> shades(uint32_t dark, uint32_t light, int n);
// Appends shades to a palette; the index of the first one.
int appendShades(std::vector<uint32_t>& palette, uint32_t dark, uint32_t light, int n);

// The transparent key every art palette starts with.
inline constexpr uint32_t kArtKey = 0x00FF00FF;

}  // namespace sorv::mkdata
