// The menu-button sprite (menu pack entry 2) in the menus' kit: the main menu's entry bars
// and their lit look, the sound question's answers, the option rows' arrows, the key caps.
//
// Invariants: the option arrows (animations 6 to 9) and the key caps (frames 22 to 30), which
// a match still draws, use only the modules the game keeps once the menus are left
// (kButtonKeptModules), on their own indexes.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kButtonKeptModules[] = {6, 7, 8, 9, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 57, 58};
inline constexpr int kButtonFramesInMatch[] = {22, 23, 24, 25, 26, 27, 28, 29, 30};
inline constexpr int kButtonAnimsInMatch[] = {6, 7, 8, 9};
// The sound question's answers: their frame, and the lit one, which the question also plays
// as the animation of its number.
inline constexpr int kAnswerFrame = 2, kAnswerLitFrame = 3;
// The load choice's bars, as wide as the column beside its panel.
inline constexpr int kChoiceFrame = 6, kChoiceLitFrame = 7;

std::vector<uint8_t> buttonArtSprite();

}  // namespace sorv::mkdata
