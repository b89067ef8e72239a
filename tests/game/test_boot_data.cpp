// The data builder's boot and menu sprites load with the shapes the menus need, and the
// splash covers the screen in two different palettes.
#include <set>

#include "sprites/asprite.h"
#include "tests/game/boot_fixture.h"
#include "tools/mkdata/boot_sprites.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

class BootDataTest : public BootTest {
 protected:
  static ASprite* loaded(const Bytes& file) {
    ASprite* s = ASprite::create();
    s->Load(bytes(file), 0);
    return s;
  }
};

int32_t frameCount(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
int32_t animCount(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }

TEST_F(BootDataTest, SpritesHaveTheShapesTheirReadersNeed) {
  struct Case {
    const char* what;
    std::vector<Bytes> files;
    mk::LabelledShape least;
  };
  const Case cases[] = {
      {"menu", mk::labelledMenuPack(), {70, 130, 40, 4, 2}},
      {"menuext", mk::labelledMenuExtPack(), {70, 130, 40, 4, 2}},
      {"menuicons", mk::labelledMenuIconPack(), {70, 130, 40, 4, 2}},
      {"match", mk::labelledMatchPack(), {2, 2, 1, 1, 2}},
      {"players", mk::labelledPlayerPack(), {2, 2, 1, 1, 34}},
      {"boot", {mk::labelledBootSprite(0), mk::labelledBootSprite(5)}, {2, 2, 1, 1, 2}},
  };
  LogCapture log;
  for (const Case& c : cases) {
    for (size_t e = 0; e < c.files.size(); e++) {
      ASprite* s = loaded(c.files[e]);
      SCOPED_TRACE(std::string(c.what) + " " + std::to_string(e));
      EXPECT_NE(s->flags & ASprite::kFlagIndexed, 0);
      EXPECT_GE(s->moduleCount, c.least.modules);
      EXPECT_GE(frameCount(s), c.least.frames);
      EXPECT_GE(animCount(s), c.least.anims);
      EXPECT_GE(s->paletteCount, c.least.palettes);
      EXPECT_GE(s->colourCount, c.least.colours);
      for (int32_t a = 0; a < animCount(s); a++) {
        EXPECT_GE(s->GetAFrames(a), 2) << a;
        EXPECT_GT(s->GetAFrameTime(a, 0), 0) << a;
      }
    }
  }
  EXPECT_EQ(mk::labelledMatchPack().size(), 5u);
  EXPECT_EQ(log.text(), "");
}

TEST_F(BootDataTest, TheSplashCoversTheScreenInTwoDifferentPalettes) {
  ASprite* splash = loaded(mk::splashSprite());
  EXPECT_NE(splash->flags & ASprite::kFlagIndexed, 0);
  EXPECT_GE(splash->paletteCount, 2);
  EXPECT_EQ(splash->GetFrameWidth(0), 800);
  EXPECT_EQ(splash->GetFrameHeight(0), 480);
  for (int32_t m = 0; m < splash->moduleCount; m++) {
    EXPECT_LE(splash->moduleWidth->elements()[m], 240);
    EXPECT_LE(splash->moduleHeight->elements()[m], 256);
  }
  std::set<uint16_t> seen[2];
  for (int32_t p = 0; p < 2; p++) {
    Image* picture = Image::createImage(800, 480);
    splash->SetCurrentPalette(p);
    splash->PaintFrame(picture->getGraphics(), 0, 0, 0, 0, 0);
    for (int32_t y = 0; y < 480; y += 7) {
      for (int32_t x = 0; x < 800; x += 7) seen[p].insert(pixelOf(picture, x, y));
    }
  }
  EXPECT_GT(seen[0].size(), 4u) << "not one colour";
  // Only the label's ink and paper are shared.
  int shared = 0;
  for (uint16_t c : seen[1]) shared += static_cast<int>(seen[0].count(c));
  EXPECT_LE(shared, 2) << "palette 1 differs from palette 0";
}

}  // namespace
}  // namespace sorv::test
