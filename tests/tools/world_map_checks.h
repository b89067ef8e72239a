// What the tests of both styles' world maps ask of a map drawn at the back buffer's corner:
// menu 44's places, those whose icon would stand in the sea, the share of sea and the icons
// drawn at their places as the lobby draws them.
#pragma once

#include <cstdint>
#include <vector>

#include "device/pixel_formats.h"
#include "game/cgame.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {

class WorldMapChecks {
 public:
  using PixelAt = uint16_t (*)(int32_t x, int32_t y);
  WorldMapChecks(const std::vector<uint32_t>& seaColours, PixelAt at) : at_(at) {
    for (uint32_t c : seaColours) sea_.push_back(pixel::toRgb565(c));
  }

  struct Place {
    int32_t item, x, y;
  };
  static std::vector<Place> places() {
    std::vector<Place> out;
    for (int32_t item = 1; item <= kLastPlaceItem; item++) {
      const int32_t packed = CGame::GetMenuItemPosition(kPlacesMenu, item);
      out.push_back({item, static_cast<int16_t>(packed), packed >> 16});
    }
    return out;
  }

  bool sea(int32_t x, int32_t y) const {
    const uint16_t p = at_(x, y);
    for (uint16_t s : sea_)
      if (p == s) return true;
    return false;
  }
  // The items with sea within `room` pixels of their place.
  std::vector<int32_t> wetPlaces(int32_t room) const {
    std::vector<int32_t> wet;
    for (const Place& p : places()) {
      bool dry = true;
      for (int32_t dy = -room; dy <= room; dy++)
        for (int32_t dx = -room; dx <= room; dx++)
          if (dx * dx + dy * dy <= room * room && sea(p.x + dx, p.y + dy)) dry = false;
      if (!dry) wet.push_back(p.item);
    }
    return wet;
  }
  int32_t seaPixels(int32_t w, int32_t h) const {
    int32_t n = 0;
    for (int32_t y = 0; y < h; y++)
      for (int32_t x = 0; x < w; x++) n += sea(x, y) ? 1 : 0;
    return n;
  }

  // Every place's icon at its place: the home places, the training grounds and the rest.
  static void drawIcons(ASprite* icons) {
    for (const Place& p : places()) {
      const int32_t frame = p.item >= kFirstHomeItem     ? kMapIconIdle
                            : p.item >= kHomePlaceItem   ? kMapIconHome
                            : p.item >= kFirstGroundItem ? kMapIconTraining
                                                         : kMapIconTournament;
      icons->PaintFrame(CGame::backBufferGraphics, frame, p.x, p.y, 0, 100);
    }
  }

 private:
  static constexpr int32_t kPlacesMenu = 44, kLastPlaceItem = 43, kFirstHomeItem = 30, kHomePlaceItem = 29;
  static constexpr int32_t kFirstGroundItem = 24;
  std::vector<uint16_t> sea_;
  PixelAt at_;
};

}  // namespace sorv::test
