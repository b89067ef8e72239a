// The tournament logos for the synthetic data set (entry 4 of the menus' extra pack): a
// trophy on a plinth under a small flag, one frame per tournament plus the women's main
// tournament's, the frame's number as five pips on the plinth; a palette per flag colours
// the flag's three stripes. Every frame lies left of and above its origin (resource_ids.h
// says why). Only the data builder and its tests call this; the bytes never change.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> tournamentLogoSprite();

}  // namespace sorv::mkdata
