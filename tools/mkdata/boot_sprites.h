// The sprites the boot and the menus load, for the synthetic data set: each shows its pack
// and entry number ("P118-3") in its first module, so a screen shot tells which entry it
// drew. Shapes:
// - the boot pack's splash (entry 4): frame 0 covers 800 x 480 with modules of 200 x 240,
//   two palettes of clearly different hues;
// - menu sprites: enough modules, frames, animations and palettes for every menu item that
//   names them (at least 70, 130, 47 of two frames, 4); the main menu sprite's (entry 0)
//   frame 4, the menus' background, covers 800 x 480 like the splash, and so does its frame
//   9, the main menu's whole background;
// - player sprites: 34-colour palettes (the player palette layout) and a looping
//   animation 0;
// - every other sprite a few of each (the match pack's entry 4, which the menus also draw,
//   has the menu shape).
// Every sprite is indexed; the bytes are the same on every run. Only the data builder, its
// tests and the fuzz seeds call this.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

struct LabelledShape {
  int modules;
  int frames;
  int anims;
  int palettes;
  int colours;
};

inline constexpr LabelledShape kMenuSpriteShape{72, 132, 48, 4, 16};
inline constexpr LabelledShape kPlainSpriteShape{4, 4, 2, 2, 16};
inline constexpr LabelledShape kNetSpriteShape{4, 4, 2, 3, 16};
inline constexpr LabelledShape kPlayerSpriteShape{4, 4, 2, 4, 34};

// A sprite of the shape whose module 0 reads "P<pack>-<entry>".
std::vector<uint8_t> labelledSprite(int32_t pack, int32_t entry, const LabelledShape& shape);
// The label "P<pack>-<entry>" as an image module (ink colour 1 on paper colour 2).
SpriteModule labelModule(int32_t pack, int32_t entry);
// The boot pack's splash picture.
std::vector<uint8_t> splashSprite();
// The main menu sprite (menu pack entry 0) before it is written: the labelled shape with the
// menus' background in frame 4 (career_sprites.h draws its screens into it).
SpriteSpec menuMainSpriteSpec();

// The entries, by pack: boot (0 boot sprite, 4 splash, 5 boot-state sprite), menu (0-5),
// menuext (0-5), menuicons (0-2), match (0-4), players (0-2).
std::vector<uint8_t> labelledBootSprite(int32_t entry);
std::vector<std::vector<uint8_t>> labelledMenuPack();
std::vector<std::vector<uint8_t>> labelledMenuExtPack();
std::vector<std::vector<uint8_t>> labelledMenuIconPack();
std::vector<std::vector<uint8_t>> labelledMatchPack();
std::vector<std::vector<uint8_t>> labelledPlayerPack();

}  // namespace sorv::mkdata
