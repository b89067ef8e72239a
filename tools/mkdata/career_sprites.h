// The career's pictures for the synthetic data set:
// - the world map (menus' extra pack entry 2): frame 0 is the whole map, kWorldMapWidth x
//   kWorldMapHeight, laid from tiles of kWorldMapTileWidth x kWorldMapTileHeight; green and
//   brown continents on a blue sea with a faint grid, drawn so that every place of menu 44
//   lies on land; sea at both side edges, so the map joins itself where it wraps;
// - the map icons (entry 3): frame 0 a small grey dot (a place not offered this week),
//   16 a green diamond (training ground), 17 a red house (home), 18 a gold star
//   (tournament), frames 1-15 the dot again; animations 0, 1, 2 the map cursor over a
//   training ground, home and tournament: the place's icon inside a pulsing ring;
// - the home pictures (portrait frames 36 + home): a small skyline before a flag's colours,
//   each home its own colours and its own skyline;
// - the main menu sprite's career art, drawn into its frames and animations: the screen
//   backgrounds 56-62 (panels behind the texts, bars and cards of each career screen, in
//   screen coordinates), the bar levels 64-68 (in the colours of the font palettes the
//   values of each fifth take), the list arrows 33 (up) and 34 (down), the map hint 41, the
//   rank band 42 (11 frames, empty to full) and the lobby's corner pieces 45 (a spinning
//   ball) and 46 (a turning globe).
// Only the data builder and its tests call this; the bytes never change.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

inline constexpr int kWorldMapWidth = 600, kWorldMapHeight = 320;
inline constexpr int kWorldMapTileWidth = 200, kWorldMapTileHeight = 160;
// The sea's colours (deep, open, shallow, grid line); every other colour of the map is land.
inline constexpr uint32_t kWorldMapSea[] = {0xFF1C4A86, 0xFF2860A4, 0xFF4888C4, 0xFF3A74B6};

std::vector<uint8_t> worldMapSprite();
std::vector<uint8_t> mapIconSprite();

// Home picture h (0..13) as an image module in the colours kHomePictureColourFirst on of
// the portrait palettes, and those colours (greyed for the picked look).
inline constexpr int kHomePictureWidth = 30, kHomePictureHeight = 20;
inline constexpr int kHomePictureColourFirst = 16, kHomePictureColours = 16;
SpriteModule homePictureModule(int home);
std::vector<uint32_t> homePictureColours(bool greyed);

// The main menu sprite with the career art drawn in.
void addCareerMenuArt(SpriteSpec& menuMain);
// The menu pack with that main menu sprite.
std::vector<std::vector<uint8_t>> careerMenuPackEntries();

}  // namespace sorv::mkdata
