// The painted world map of the career (entry 2 of the menus' extra pack): frame 0, the whole
// map, kWorldMapWidth x kWorldMapHeight laid from tiles of kWorldMapTileWidth x
// kWorldMapTileHeight. A calm sea, deeper away from the coasts and crossed by a faint grid;
// continents with ragged coastlines, their land in bands of tundra, forest, grassland,
// steppe and desert with mountain ranges; ice at both poles. Every place of menu 44 lies on
// land, and both side edges are open sea with the same water on either side, so the map
// joins itself where the lobby wraps it.
//
// Invariants: integer arithmetic only; every pixel inked (no key); the sea's colours are
// kMapArtSea and no land pixel takes one of them. Only the data builder and its tests call
// this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// The sea's colours: by the coast, shallow, open, deep, and the grid over it.
inline constexpr uint32_t kMapArtSea[] = {0xFF86B2CE, 0xFF6A9CC0, 0xFF4F82AE, 0xFF3F6E9C, 0xFF5C8EB8};

std::vector<uint8_t> worldMapArtSprite();

}  // namespace sorv::mkdata
