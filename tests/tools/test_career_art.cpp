// The career's pictures of the data set, loaded and drawn as the menus load them: the world
// map under menu 44's places, the map icons, the home pictures and the main menu sprite's
// career art. Each picture is also written to build/career/ for a look.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "tests/menus/menu_fixture.h"
#include "tests/support/picture_file.h"
#include "tests/tools/world_map_checks.h"
#include "tools/mkdata/career_sprites.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::test {
namespace {

constexpr int32_t kLobbyMenu = 45, kMapViewItem = 38;

class CareerArtTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    clear();
  }

  static ASprite* extSprite(int32_t entry) { return static_cast<ASprite*>(aload(CGame::menuExtSprites.get(), entry)); }
  static ASprite* menuMain() { return static_cast<ASprite*>(aload(CGame::menuSprites.get(), kMenuMain)); }
  static Graphics* g() { return CGame::backBufferGraphics; }
  static int32_t frameCount(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static int32_t animCount(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }

  static void save(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h) {
    savePicture(CGame::backBuffer, "career", name, x, y, w, h);
  }

  static WorldMapChecks checks() {
    return WorldMapChecks({std::begin(mkdata::kWorldMapSea), std::end(mkdata::kWorldMapSea)}, &at);
  }
};

TEST_F(CareerArtTest, TheWorldMapIsWideTiledAndEveryPlaceLiesOnLand) {
  ASprite* map = extSprite(kMenuExtWorldMap);
  ASSERT_FALSE(isNull(map));
  const int32_t w = map->GetFrameWidth(0), h = map->GetFrameHeight(0);
  EXPECT_GE(w, 560);
  EXPECT_GE(h, 300);
  EXPECT_GE(w, CGame::GetMenuItemSize(kLobbyMenu, kMapViewItem) & 0xFFFF) << "narrower than the lobby's view";
  for (int32_t m = 0; m < map->moduleWidth->length; m++) {
    EXPECT_LE(aload(map->moduleWidth, m), 240) << m;
    EXPECT_LE(aload(map->moduleHeight, m), 255) << m;
  }
  map->PaintFrame(g(), 0, 0, 0, 0, 100);
  // Every place and its icon's middle (5 pixels round) on land, inside the map.
  const WorldMapChecks map44 = checks();
  for (const WorldMapChecks::Place& p : WorldMapChecks::places()) {
    ASSERT_TRUE(p.x >= 5 && p.y >= 5 && p.x < w - 5 && p.y < h - 5) << "item " << p.item << " off the map";
  }
  EXPECT_EQ(map44.wetPlaces(5), std::vector<int32_t>{}) << "menu 44 items in the sea";
  // The sea is the bigger part and both side edges are open water, so the map joins itself.
  EXPECT_GT(map44.seaPixels(w, h), w * h / 2);
  EXPECT_LT(map44.seaPixels(w, h), w * h * 4 / 5);
  for (int32_t y = 20; y < h - 20; y++) {
    EXPECT_TRUE(map44.sea(0, y) && map44.sea(w - 1, y)) << "land at the wrap, y " << y;
  }
  WorldMapChecks::drawIcons(extSprite(kMenuExtMapIcons));
  save("world_map.png", 0, 0, w, h);
}

// Each icon drawn alone: its colours and its outline.
struct IconLook {
  std::vector<uint16_t> pixels;
  uint16_t middle;
  int32_t width, height;
};

TEST_F(CareerArtTest, TheMapIconsAreToldApartAndTheCursorPulsesRoundTheRightOne) {
  ASprite* icons = extSprite(kMenuExtMapIcons);
  ASSERT_FALSE(isNull(icons));
  ASSERT_GE(frameCount(icons), kMapIconTournament + 1);
  const int32_t frames[] = {kMapIconIdle, kMapIconTraining, kMapIconHome, kMapIconTournament};
  std::vector<IconLook> looks;
  IntArray* box = Array::newIntArray(4);
  for (int32_t i = 0; i < 4; i++) {
    const int32_t cx = 20 + 40 * i;
    icons->PaintFrame(g(), frames[i], cx, 20, 0, 100);
    icons->GetFrameRect(box, frames[i], 0, 0, 0);
    looks.push_back({region(cx - 12, 8, 24, 24), at(cx, 20), aload(box, 2) - aload(box, 0), aload(box, 3) - aload(box, 1)});
    // Small enough for places a few pixels apart, centred on the place.
    EXPECT_LE(looks.back().width, 20) << frames[i];
    EXPECT_LE(looks.back().height, 20) << frames[i];
    EXPECT_NEAR(aload(box, 0) + aload(box, 2), 0, 2) << frames[i];
    EXPECT_NEAR(aload(box, 1) + aload(box, 3), 0, 2) << frames[i];
  }
  for (size_t a = 0; a < looks.size(); a++) {
    for (size_t b = a + 1; b < looks.size(); b++) {
      EXPECT_NE(looks[a].middle, looks[b].middle) << "icons " << frames[a] << " and " << frames[b] << " share a colour";
      EXPECT_NE(looks[a].pixels, looks[b].pixels);
    }
  }
  // The idle dot stands in for every frame between.
  for (int32_t f = 1; f < kMapIconTraining; f++) EXPECT_GT(icons->GetFrameWidth(f), 0) << f;
  // The cursor of each type: the type's icon in the middle, a ring that changes size.
  ASSERT_GE(animCount(icons), kMapCursorTypes);
  const int32_t iconOfType[kMapCursorTypes] = {kMapIconTraining, kMapIconHome, kMapIconTournament};
  for (int32_t type = 0; type < kMapCursorTypes; type++) {
    SCOPED_TRACE("cursor " + std::to_string(type));
    ASSERT_GE(icons->GetAFrames(type), 3);
    std::set<int32_t> widths;
    for (int32_t f = 0; f < icons->GetAFrames(type); f++) {
      EXPECT_GT(icons->GetAFrameTime(type, f), 0);
      const int32_t frame = aload(icons->aframeFrame, aload(icons->animFirstAFrame, type) + f) & 0xFF;
      widths.insert(icons->GetFrameWidth(frame));
      icons->PaintAFrame(g(), type, f, 200 + 40 * f, 60 + 40 * type);
      EXPECT_EQ(at(200 + 40 * f, 60 + 40 * type), looks[static_cast<size_t>(type + 1)].middle);
    }
    EXPECT_GT(widths.size(), 1u) << "the ring does not pulse";
    EXPECT_EQ(iconOfType[type], frames[type + 1]);
  }
  save("map_icons.png", 0, 0, 360, 180);
}

TEST_F(CareerArtTest, EveryHomeHasAPictureOfItsOwnAndTheFacesStay) {
  ASprite* portraits = extSprite(kMenuExtPortrait);
  ASSERT_FALSE(isNull(portraits));
  ASSERT_GE(frameCount(portraits), kPortraitFrames);
  portraits->SetCurrentPalette(1);
  std::vector<std::vector<uint16_t>> pictures;
  for (int32_t home = 0; home < kHomeNamesCount; home++) {
    const int32_t frame = kHomePictureFirst + home;
    EXPECT_EQ(portraits->GetFrameWidth(frame), mkdata::kHomePictureWidth) << home;
    EXPECT_EQ(portraits->GetFrameHeight(frame), mkdata::kHomePictureHeight) << home;
    const int32_t x = 10 + (home % 7) * 40, y = 10 + (home / 7) * 30;
    portraits->PaintFrame(g(), frame, x, y, 0, 100);
    pictures.push_back(region(x, y, mkdata::kHomePictureWidth, mkdata::kHomePictureHeight));
  }
  for (size_t a = 0; a < pictures.size(); a++)
    for (size_t b = a + 1; b < pictures.size(); b++) EXPECT_NE(pictures[a], pictures[b]) << "homes " << a << " and " << b;
  // The faces before them keep their size.
  for (int32_t f = 0; f < kHomePictureFirst; f++) EXPECT_EQ(portraits->GetFrameWidth(f), 120) << f;
  save("home_pictures.png", 0, 0, 290, 70);
}

TEST_F(CareerArtTest, TheBarsTakeTheColoursOfTheirValuesAndTheAnimationsRun) {
  ASprite* main = menuMain();
  ASSERT_FALSE(isNull(main));
  // A bar per fifth of a value, as long as the longest bar box (menu 50's 300) and in the
  // font colour its value's number is written in.
  for (int32_t level = 0; level < kBarLevelCount; level++) {
    const int32_t frame = kBarLevelFirst + level;
    EXPECT_GE(main->GetFrameWidth(frame), 300) << level;
    EXPECT_GE(main->GetFrameHeight(frame), 14) << level;
    const int32_t y = 20 + 24 * level;
    main->PaintFrame(g(), frame, 10, y, 0, 100);
    const uint32_t ink = mkdata::kFontInks[CGame::getAbiFontPal(20 * level + 10)];
    EXPECT_EQ(at(160, y + 7), pixel::toRgb565(ink)) << level;
  }
  // The rank band fills a tenth more with each frame.
  ASSERT_GT(animCount(main), kAnimLobbyRight);
  ASSERT_GE(main->GetAFrames(kAnimRankBand), 5);
  int32_t previous = -1;
  uint16_t track = 0;
  for (int32_t f = 0; f < main->GetAFrames(kAnimRankBand); f++) {
    const int32_t y = 160 + 20 * (f % 6), x = f < 6 ? 10 : 400;
    main->PaintAFrame(g(), kAnimRankBand, f, x, y);
    if (f == 0) track = at(x + 1, y);
    int32_t filled = 0;
    for (int32_t i = 1; i < 249; i++) filled += at(x + i, y) != track ? 1 : 0;
    if (f == 0) {
      EXPECT_EQ(filled, 0);
    }
    EXPECT_GT(f == 0 ? 1 : filled, previous) << f;
    previous = f == 0 ? 0 : filled;
  }
  for (int32_t anim : {kAnimArrowUp, kAnimArrowDown, kAnimMapHint, kAnimLobbyLeft, kAnimLobbyRight}) {
    EXPECT_GE(main->GetAFrames(anim), 2) << anim;
    EXPECT_GT(main->GetActionTime(anim), 0) << anim;
  }
  for (int32_t f = 0; f < 4; f++) {
    main->PaintAFrame(g(), kAnimArrowUp, f % 2, 40 + 60 * f, 320);
    main->PaintAFrame(g(), kAnimArrowDown, f % 2, 40 + 60 * f, 360);
    main->PaintAFrame(g(), kAnimMapHint, f, 300 + 30 * f, 360);
    main->PaintAFrame(g(), kAnimLobbyLeft, f, 460 + 40 * f, 320);
  }
  for (int32_t f = 0; f < main->GetAFrames(kAnimLobbyRight); f++) main->PaintAFrame(g(), kAnimLobbyRight, f, 460 + 40 * (f % 4), 370 + 40 * (f / 4));
  save("menu_art.png", 0, 0, 800, 440);
}

// The screens' backgrounds draw something and stay on the screen.
TEST_F(CareerArtTest, TheScreenBackgroundsLieOnTheScreen) {
  ASprite* main = menuMain();
  IntArray* box = Array::newIntArray(4);
  for (int32_t frame = kCareerBackdropCreation; frame <= kCareerBackdropUpdate; frame++) {
    main->GetFrameRect(box, frame, 0, 0, 0);
    EXPECT_GE(aload(box, 0), 0) << frame;
    EXPECT_GE(aload(box, 1), 0) << frame;
    EXPECT_LE(aload(box, 2), CGame::kGameWidth) << frame;
    EXPECT_LE(aload(box, 3), 420) << frame << " runs under the soft-key bar";
    EXPECT_GT(aload(box, 2) - aload(box, 0), 100) << frame;
  }
}

}  // namespace
}  // namespace sorv::test
