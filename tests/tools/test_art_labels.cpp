// The shipped data carries no labelled block: every module of every sprite the game reads,
// decoded as the game decodes it, is held against every "P<pack>-<entry>" label the
// labelled style draws; a module that shows one colour wherever a label inks and another
// wherever it does not is that label, whatever its palette.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/game_fixture.h"
#include "tests/support/shipped_archive.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// The sprite entries of the packs, by pack: everything the game loads as a sprite but the
// fonts (drawn from the glyph sheet, never labelled) and the player colours (palettes only).
struct SpritePack {
  int32_t pack;
  std::vector<int32_t> entries;
};
const SpritePack kSpritePacks[] = {
    {kConstPlayerPack, {0, 1, 2}},        {kConstStrokesUser, {0, 1}},  {kConstRunningUser, {0, 1}},
    {kConstStrokesRival, {0, 1}},         {kConstRunningRival, {0, 1}}, {kConstSpecialUser, {0, 1}},
    {kConstSpecialRival, {0, 1}},         {kConstMatchPack, {0, 1, 2, 3, 4}},
    {kConstMatchFxPack, {2, 3, 4, 5}},    {kConstCourtPack, {0, 1, 2, 3, 4}},
    {kConstTrainingPack, {0, 1}},         {kConstBootPack, {kBootSprite, kBootSplash, kBootStateSprite}},
    {kConstMenuPack, {0, 1, 2, 3, 4, 5}}, {kConstMenuExtPack, {0, 1, 2, 3, 4, 5}},
    {kConstMenuIconPack, {0, 1, 2}},
};

class ArtLabelsTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    RuntimeTest::TearDown();
    replaceBar(shippedArchive("EN", mk::DataStyle::kArt).build());
    RuntimeTest::SetUp();
  }
};

TEST_F(ArtLabelsTest, NoSpriteOfTheShippedDataIsALabel) {
  // Every label the labelled style draws, by its size.
  std::vector<mk::SpriteModule> labels;
  for (int32_t pack = kConstTextPack; pack <= kConstMenuDataPack; pack++)
    for (int32_t entry = 0; entry < 22; entry++) labels.push_back(mk::labelModule(pack, entry));
  for (const SpritePack& p : kSpritePacks) {
    for (int32_t entry : p.entries) {
      SCOPED_TRACE("pack " + std::to_string(p.pack) + " entry " + std::to_string(entry));
      ASprite* sprite = CGame::loadSprite(StaticClass::getConstant(p.pack), false, entry, true);
      ASSERT_FALSE(isNull(sprite));
      for (int32_t m = 0; m < sprite->moduleCount; m++) {
        if (aload(sprite->moduleKind, m) != ASprite::kModuleImage) continue;
        const int32_t w = aload(sprite->moduleWidth, m) & 0xFF, h = aload(sprite->moduleHeight, m) & 0xFF;
        IntArray* argb = nullptr;
        for (const mk::SpriteModule& label : labels) {
          if (label.width != w || label.height != h) continue;
          if (isNull(argb)) argb = sprite->DecodeImage(m, 0);
          ASSERT_FALSE(isNull(argb));
          std::set<int32_t> ink, paper;
          for (size_t i = 0; i < label.pixels.size(); i++) (label.pixels[i] == 1 ? ink : paper).insert(argb->elements()[i]);
          EXPECT_FALSE(ink.size() == 1 && paper.size() == 1 && *ink.begin() != *paper.begin()) << "module " << m;
        }
      }
    }
  }
}

}  // namespace
}  // namespace sorv::test
