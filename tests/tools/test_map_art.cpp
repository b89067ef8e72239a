// The painted world map and its icons, loaded and drawn as the career's lobby draws them:
// menu 44's places on land with room for their icons, the wrap at open sea, the icons told
// apart and the cursor pulsing round the right one. The map with every place's icon is
// written to build/mode/world_map.png, the icons and cursors to build/mode/map_icons.png.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "tests/tools/mode_art_fixture.h"
#include "tests/tools/world_map_checks.h"
#include "tools/mkdata/career_sprites.h"
#include "tools/mkdata/map_art.h"

namespace sorv::test {
namespace {

constexpr int32_t kIconRoom = 5;  // pixels of land round a place

class MapArtTest : public ModeArtTest {
 protected:
  static WorldMapChecks checks() {
    return WorldMapChecks({std::begin(mkdata::kMapArtSea), std::end(mkdata::kMapArtSea)}, &at);
  }
};

TEST_F(MapArtTest, EveryPlaceLiesOnLandAndTheMapJoinsItselfAtSea) {
  ASprite* map = extSprite(kMenuExtWorldMap);
  ASSERT_FALSE(isNull(map));
  ASSERT_EQ(map->GetFrameWidth(0), mkdata::kWorldMapWidth);
  ASSERT_EQ(map->GetFrameHeight(0), mkdata::kWorldMapHeight);
  const int32_t w = mkdata::kWorldMapWidth, h = mkdata::kWorldMapHeight;
  ASSERT_EQ(map->moduleWidth->length, 6);
  for (int32_t m = 0; m < map->moduleWidth->length; m++) {
    EXPECT_EQ(aload(map->moduleWidth, m), mkdata::kWorldMapTileWidth) << m;
    EXPECT_EQ(aload(map->moduleHeight, m), mkdata::kWorldMapTileHeight) << m;
  }
  map->PaintFrame(g(), 0, 0, 0, 0, 100);
  EXPECT_EQ(inked(0, 0, w, h), w * h) << "holes in the map";
  const WorldMapChecks map44 = checks();
  for (const WorldMapChecks::Place& p : WorldMapChecks::places()) {
    ASSERT_TRUE(p.x >= kIconRoom && p.y >= kIconRoom && p.x < w - kIconRoom && p.y < h - kIconRoom) << p.item;
  }
  EXPECT_EQ(map44.wetPlaces(kIconRoom), std::vector<int32_t>{}) << "menu 44 items in the sea";
  EXPECT_GT(map44.seaPixels(w, h), w * h / 2);
  EXPECT_LT(map44.seaPixels(w, h), w * h * 4 / 5);
  // Open water a few pixels deep on both sides of the wrap, the same water on either side.
  for (int32_t y = 20; y < h - 20; y++) {
    for (int32_t x : {0, 1, 2, 3, w - 4, w - 3, w - 2, w - 1}) EXPECT_TRUE(map44.sea(x, y)) << "land at the wrap, " << x << ", " << y;
  }
  // Water by the coast on one side of the wrap and open sea on the other would show a seam.
  const auto coastal = [](uint16_t p) {
    return p == pixel::toRgb565(mkdata::kMapArtSea[0]) || p == pixel::toRgb565(mkdata::kMapArtSea[1]);
  };
  int32_t seams = 0;
  for (int32_t y = 20; y < h - 20; y++) seams += coastal(at(0, y)) != coastal(at(w - 1, y)) ? 1 : 0;
  EXPECT_EQ(seams, 0) << "the two edges do not meet";
  WorldMapChecks::drawIcons(extSprite(kMenuExtMapIcons));
  save("world_map.png", 0, 0, w, h);
}

TEST_F(MapArtTest, TheIconsAreToldApartAndTheCursorPulsesRoundTheRightOne) {
  ASprite* icons = extSprite(kMenuExtMapIcons);
  ASSERT_FALSE(isNull(icons));
  ASSERT_GE(frameCount(icons), kMapIconTournament + 1);
  const int32_t frames[] = {kMapIconIdle, kMapIconTraining, kMapIconHome, kMapIconTournament};
  std::vector<uint16_t> middles;
  std::vector<std::vector<uint16_t>> looks;
  for (int32_t i = 0; i < 4; i++) {
    const int32_t cx = 20 + 40 * i;
    icons->PaintFrame(g(), frames[i], cx, 20, 0, 100);
    const std::vector<int32_t> box = frameBox(icons, frames[i]);
    EXPECT_LE(box[2] - box[0], 20) << frames[i];
    EXPECT_LE(box[3] - box[1], 20) << frames[i];
    EXPECT_NEAR(box[0] + box[2], 0, 2) << frames[i] << " is not centred on its place";
    EXPECT_NEAR(box[1] + box[3], 0, 2) << frames[i] << " is not centred on its place";
    middles.push_back(at(cx, 20));
    looks.push_back(region(cx - 12, 8, 24, 24));
  }
  EXPECT_EQ(std::set<uint16_t>(middles.begin(), middles.end()).size(), 4u) << "two icons share their middle's colour";
  EXPECT_EQ(std::set<std::vector<uint16_t>>(looks.begin(), looks.end()).size(), 4u);
  for (int32_t f = 1; f < kMapIconTraining; f++) EXPECT_EQ(frameBox(icons, f), frameBox(icons, kMapIconIdle)) << f;
  ASSERT_GE(animCount(icons), kMapCursorTypes);
  for (int32_t type = 0; type < kMapCursorTypes; type++) {
    SCOPED_TRACE("cursor " + std::to_string(type));
    ASSERT_GE(icons->GetAFrames(type), 3);
    std::set<int32_t> widths;
    for (int32_t f = 0; f < icons->GetAFrames(type); f++) {
      EXPECT_GT(icons->GetAFrameTime(type, f), 0);
      const std::vector<int32_t> box = frameBox(icons, frameOf(icons, type, f));
      widths.insert(box[2] - box[0]);
      const int32_t x = 200 + 45 * f, y = 30 + 45 * type;
      icons->PaintAFrame(g(), type, f, x, y);
      EXPECT_EQ(at(x, y), middles[static_cast<size_t>(type + 1)]) << "the cursor holds another icon";
    }
    EXPECT_GT(widths.size(), 1u) << "the ring does not pulse";
  }
  save("map_icons.png", 0, 0, 480, 160);
}

}  // namespace
}  // namespace sorv::test
