// The main menu sprite (menu pack entry 0) in the menus' kit: the title, the one backdrop
// behind every menu screen, the main menu's panels and emblem, the panels, rows, bands, key
// caps, soft keys, arrows and markers every other screen names, the career's panels and bars.
//
// Invariants: the frames a match still draws (kMenuFramesInMatch, kMenuAnimsInMatch) use
// only the modules the game keeps once the menus are left (kMenuKeptModules): those modules
// sit on their indexes, everything else lies past them; the backdrop (frame 4) is cut from at
// most 16 modules, kept once per palette.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Module ranges of the main menu sprite a match keeps, first to last.
inline constexpr int kMenuKeptModules[][2] = {{9, 10}, {31, 35}, {41, 65}};
inline constexpr int kMenuFramesInMatch[] = {13, 14, 20, 21, 23, 24, 25, 27, 41, 42, 43, 44, 45, 46, 47, 48, 49,
                                             52, 53, 54, 119, 126};
inline constexpr int kMenuAnimsInMatch[] = {6, 17, 33, 34, 35, 36, 37, 38};

// The main menu's whole background: the backdrop with frames 5 to 8 on it.
inline constexpr int kMainMenuLayerFrame = 9;
// New frames of the layouts: the options' header plate, the keys picture's panel, the roster
// cards' bands (the full card's in the court's palette, the compact card's plain) and the
// cards themselves.
inline constexpr int kOptionsHeaderFrame = 26, kKeysPanelFrame = 27;
inline constexpr int kRosterBandFrame = 28, kCompactRosterBandFrame = 29, kRosterCardFrame = 30;

std::vector<uint8_t> menuMainArtSprite();

}  // namespace sorv::mkdata
