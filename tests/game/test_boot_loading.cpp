// Loading for the menus: the step counter, the menu pack's read order, player palettes,
// the sprite of each menu object class, actors, and what the menus give back.
#include <algorithm>
#include <set>

#include "runtime/lang_system.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/game/boot_fixture.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// An indexed sprite of `modules` 1x1 modules, one frame and one animation, with `palettes`
// palettes of 34 colours: colour i of palette p is tag << 16 | p << 8 | i, opaque.
Bytes spriteFile(int modules, int palettes, uint32_t tag) {
  mk::SpriteSpec spec;
  for (int m = 0; m < modules; m++) spec.modules.push_back({mk::kModuleImage, 0, 0, 0, 1, 1, {2}});
  mk::addFrame(spec, {{0, 0, 0, 0, 0}});
  mk::addAnim(spec, {{0, 1, 0, 0, 0}});
  for (int p = 0; p < palettes; p++) {
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < 34; i++) colours.push_back(0xFF000000u | tag << 16 | uint32_t(p) << 8 | i);
    spec.palettes.push_back(colours);
  }
  return mk::writeSprite(spec);
}

std::string packOf(int entries, int palettes) {
  std::vector<Bytes> all;
  for (int e = 0; e < entries; e++) all.push_back(spriteFile(3, palettes, uint32_t(e + 1)));
  return asText(pack(all));
}

using LoadingTest = BootTest;

TEST_F(LoadingTest, TheStepCounterGivesPercentThenDoneAfterTheLoadingScreensTime) {
  struct Case {
    int32_t state, step;
    int64_t sinceEnter;
    int32_t result;
  };
  const Case cases[] = {{0, 0, 0, 3},   {0, 6, 0, 25},        {63, 28, 0, 103}, {63, 29, 0, -1},
                        {11, 29, 0, 107}, {11, 29, 2990, 107}, {11, 29, 3000, -1}, {11, 40, 3500, -1}};
  for (const Case& c : cases) {
    setState(c.state);
    CGame::loadStartTime = System::currentTimeMillis() - c.sinceEnter;
    CGame::loadingStep = c.step;
    EXPECT_EQ(CGame::loadMenuRes(), c.result) << c.state << " " << c.step << " " << c.sinceEnter;
    EXPECT_EQ(CGame::loadingStep, c.step + 1);
  }
}

TEST_F(LoadingTest, TheMenuPackIsReadForwardSoEveryMenuSpriteLoads) {
  serve({{"menu", packOf(6, 1)}, {"menuext", packOf(6, 1)}, {"match", packOf(5, 1)}});
  resetShell();
  LogCapture log;
  CGame::loadingStep = 9;
  CGame::loadMenuRes();
  for (int32_t e : {0, 1, 3, 4, 5}) {
    auto* s = static_cast<ASprite*>(aload(CGame::menuSprites.get(), e));
    ASSERT_FALSE(isNull(s)) << e;
    EXPECT_EQ(s->moduleCount, 3) << e;
  }
  EXPECT_EQ(CGame::GetAnimationIDByClass(16), aload(CGame::menuSprites.get(), 3));
  EXPECT_FALSE(isNull(CGame::interfaceSprite));
  EXPECT_FALSE(isNull(aload(CGame::menuExtSprites.get(), 0)));
  // The history images: a picture per topic screen of the history sprite's frames (it has one).
  ASSERT_FALSE(isNull(CGame::historyImages));
  EXPECT_EQ(CGame::historyImages->length, 7);
  EXPECT_FALSE(isNull(aload(CGame::historyImages.get(), 0)));
  EXPECT_TRUE(isNull(aload(CGame::historyImages.get(), 1)));
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("Lib_GetData")) << log.text();
}

class PaletteTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    CGame::colourSprites = Array::newObjectArray(kASprite, 7);
    CGame::colourGroupRanges = Array::newObjectArray(kIntArray, 7);
    for (int32_t g = 0; g < 7; g++) {
      ASprite* s = ASprite::create();
      s->Load(bytes(spriteFile(1, 3, uint32_t(g + 1))), 0);
      CGame::colourSprites->elements()[g] = s;
      IntArray* range = Array::fillInts(Array::newIntArray(2), {2 + 4 * g, 4});
      CGame::colourGroupRanges->elements()[g] = range;
    }
  }
  static ASprite* colourSprite(int32_t g) {
    return static_cast<ASprite*>(CGame::colourSprites->elements()[g]);
  }
  static int32_t colour(int32_t group, int32_t palette, int32_t i) {
    return static_cast<int32_t>(0xFF000000u | uint32_t(group + 1) << 16 | uint32_t(palette) << 8 | uint32_t(i));
  }
};

TEST_F(PaletteTest, GroupsCopyTheirChosenPaletteAndABadChoiceUsesTheCurrentOne) {
  colourSprite(3)->SetCurrentPalette(2);
  colourSprite(4)->SetCurrentPalette(1);
  colourSprite(5)->SetCurrentPalette(2);
  ByteArray* choices = Array::fillBytes(Array::newByteArray(7), {0, 1, 2, -1, 3, 100, -128});
  IntArray* groups = Array::fillInts(Array::newIntArray(7), {0, 1, 2, 3, 4, 5, 6});
  IntArray* p = CGame::buildPlayerPalette(nullptr, choices, groups);
  ASSERT_FALSE(isNull(p));
  ASSERT_EQ(p->length, 34);
  EXPECT_EQ(p->elements()[0], 0x00FF00FF);
  EXPECT_EQ(p->elements()[1], static_cast<int32_t>(0x81000000));
  EXPECT_EQ(p->elements()[32], static_cast<int32_t>(0xFFCF7F38));
  EXPECT_EQ(p->elements()[33], static_cast<int32_t>(0xFFAB5A12));
  // Chosen palettes; -1 and the choices past the sprite's three palettes take the current one.
  const int32_t used[7] = {0, 1, 2, 2, 1, 2, 0};
  for (int32_t g = 0; g < 7; g++) {
    for (int32_t i = 2 + 4 * g; i < 6 + 4 * g; i++) EXPECT_EQ(p->elements()[i], colour(g, used[g], i)) << g << " " << i;
  }
  EXPECT_EQ(p->elements()[30], 0) << "outside every group";
}

TEST_F(PaletteTest, OnlyListedGroupsChangeAndALongEnoughBaseIsKept) {
  IntArray* base = Array::newIntArray(34);
  std::fill_n(base->elements(), 34, 7);
  ByteArray* choices = Array::newByteArray(7);
  IntArray* groups = Array::fillInts(Array::newIntArray(2), {1, 5});
  IntArray* p = CGame::buildPlayerPalette(base, choices, groups);
  EXPECT_EQ(p, base);
  EXPECT_EQ(p->elements()[2], 7) << "group 0 is not listed";
  EXPECT_EQ(p->elements()[6], colour(1, 0, 6));
  EXPECT_EQ(p->elements()[22], colour(5, 0, 22));

  IntArray* shortBase = Array::fillInts(Array::newIntArray(3), {5, 6, 9});
  IntArray* q = CGame::buildPlayerPalette(shortBase, choices, groups);
  EXPECT_NE(q, shortBase);
  EXPECT_EQ(q->length, 34);
  EXPECT_EQ(q->elements()[2], 9) << "the short base's entries are kept";
  EXPECT_EQ(q->elements()[0], 0x00FF00FF);
}

TEST_F(LoadingTest, EachMenuObjectClassHasItsSprite) {
  CGame::fontSprites = Array::newObjectArray(kASprite, 11);
  CGame::menuSprites = Array::newObjectArray(kASprite, 6);
  CGame::menuExtSprites = Array::newObjectArray(kASprite, 6);
  auto fresh = [] { return ASprite::create(); };
  for (int32_t e : {4, 5, 6, 7, 9, 10}) CGame::fontSprites->elements()[e] = fresh();
  for (int32_t e = 0; e < 6; e++) CGame::menuSprites->elements()[e] = fresh();
  CGame::menuExtSprites->elements()[0] = fresh();
  CGame::extraFontSprite = fresh();
  CGame::bootSprite = fresh();
  CGame::bootStateSprite = fresh();
  CGame::interfaceSprite = fresh();
  auto font = [](int32_t e) { return CGame::fontSprites->elements()[e]; };
  auto menu = [](int32_t e) { return CGame::menuSprites->elements()[e]; };
  const std::pair<int32_t, Object*> cases[] = {
      {2, font(4)},  {3, font(5)},  {4, font(6)},  {5, font(7)},  {6, CGame::extraFontSprite},
      {7, font(9)},  {8, font(10)}, {9, CGame::bootSprite},       {10, CGame::bootSprite},
      {12, nullptr}, {13, CGame::bootStateSprite}, {14, menu(2)}, {15, menu(2)},
      {16, menu(3)}, {17, menu(3)}, {18, CGame::menuExtSprites->elements()[0]},
      {19, menu(0)}, {20, menu(0)}, {21, menu(1)}, {22, CGame::interfaceSprite},
      {0, nullptr},  {1, nullptr},  {11, nullptr}, {23, nullptr}, {-1, nullptr}};
  for (const auto& [objectClass, sprite] : cases) {
    EXPECT_EQ(CGame::GetAnimationIDByClass(objectClass), sprite) << objectClass;
  }
}

TEST_F(LoadingTest, ActorsArePooledAndKeepTheirPlayerSprite) {
  CActor* a = CGame::newActor();
  ASSERT_FALSE(isNull(a));
  CGame::p_lock(a);
  CActor* b = CGame::newActor();
  EXPECT_NE(a, b) << "a locked actor is not handed out";
  CGame::p_lock(b);
  CGame::p_free(a);
  EXPECT_EQ(CGame::newActor(), a) << "a freed one is reused first";

  CGame::playerSprite = ASprite::create();
  CGame::playerSpriteAlt = ASprite::create();
  CActor* runner = CGame::createRunPlayer();
  EXPECT_EQ(runner->sprite, CGame::playerSprite.get());
  ASprite* other = ASprite::create();
  runner->sprite = other;
  CGame::setPlayerAnim(runner, false);
  EXPECT_EQ(runner->sprite, other) << "the same flag changes nothing";
  CGame::setPlayerAnim(runner, true);
  EXPECT_EQ(runner->sprite, CGame::playerSpriteAlt.get());
  EXPECT_TRUE(runner->playerSpriteChoice);
}

TEST_F(LoadingTest, LeavingTheMenusKeepsExactlyTheListedImages) {
  auto load = [this](int modules) {
    ASprite* s = ASprite::create();
    s->Load(bytes(spriteFile(modules, 1, 1)), 0);
    return s;
  };
  CGame::menuSprites = Array::newObjectArray(kASprite, 6);
  ASprite* main = load(70);
  ASprite* buttons = load(60);
  buttons->BuildCacheImages(0, 0, -1, -1);
  CGame::menuSprites->elements()[0] = main;
  CGame::menuSprites->elements()[2] = buttons;
  for (int32_t e : {1, 3, 4, 5}) CGame::menuSprites->elements()[e] = load(1);
  CGame::historyImages = Array::newObjectArray(kImage, 7);
  CGame::unloadMenuRes();
  EXPECT_TRUE(isNull(CGame::historyImages));
  EXPECT_FALSE(isNull(aload(CGame::menuSprites.get(), 1))) << "the loading screen's bar keeps its sprite";
  for (int32_t e : {3, 4, 5}) EXPECT_TRUE(isNull(aload(CGame::menuSprites.get(), e))) << e;
  const std::set<int32_t> keptButtons = {6, 7, 8, 9, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 57, 58};
  for (int32_t m = 0; m < 60; m++) {
    EXPECT_EQ(buttons->cachedImage(0, m) != nullptr, keptButtons.count(m) == 1) << "button module " << m;
  }
  for (int32_t m = 0; m < 70; m++) {
    const bool kept = (m >= 9 && m <= 10) || (m >= 31 && m <= 35) || (m >= 41 && m <= 65);
    EXPECT_EQ(main->cachedImage(0, m) != nullptr, kept) << "main menu module " << m;
  }
  EXPECT_TRUE(isNull(buttons->pixelData));
  EXPECT_TRUE(isNull(main->pixelData));
  EXPECT_TRUE(isNull(CGame::playerSprite));
}

}  // namespace
}  // namespace sorv::test
