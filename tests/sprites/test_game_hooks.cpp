// The sprite floor's one way to the game: filled by the game's start, answering for no game
// otherwise.
#include "game/cgame.h"
#include "sprites/cactor.h"
#include "sprites/game_hooks.h"
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

class GameHooksTest : public SpriteTest {
 protected:
  void TearDown() override {
    CGame::buildAlpha70 = CGame::buildAlpha30 = false;
    CGame::fillSpriteHooks();
    SpriteTest::TearDown();
  }
};

TEST_F(GameHooksTest, TheGamesStartFillsHooksThatFollowItsFields) {
  const GameHooks& game = gameHooks();
  CGame::language = 10;
  EXPECT_EQ(game.language(), 10);
  setCurrentState(42);
  EXPECT_EQ(game.currentState(), 42);
  CGame::buildAlpha30 = true;
  EXPECT_TRUE(game.buildAlpha30());
  CGame::buildAlpha30 = false;
  CGame::actionSprites1 = Array::newObjectArray(0, 6);
  EXPECT_EQ(game.actionSprites1(), CGame::actionSprites1.get());
  Graphics* g = target(4, 4);
  CGame::gfx = g;
  EXPECT_EQ(game.gfx(), g);

  // Translucent through the game: half of red over black.
  game.fillRect(g, 0xFF0000, 0, 0, 2, 2, 50);
  EXPECT_NE(pixel(0, 0), rgb(0xFFFF0000));
  EXPECT_NE(pixel(0, 0), rgb(0xFF000000));
}

TEST_F(GameHooksTest, SpritesWithoutTheGameTakeTheNoGameAnswers) {
  CGame::language = 10;
  setCurrentState(40);
  CGame::actionSprites0 = Array::newObjectArray(0, 6);
  CGame::buildAlpha70 = true;
  setGameHooks({});

  mk::SpriteSpec spec;
  spec.modules.push_back(solidModule(1, 1, 1));
  mk::SpriteModule box;
  box.kind = mk::kModuleFilled;
  box.colour = 0x0000FF00;
  box.width = box.height = 2;
  spec.modules.push_back(box);
  mk::addFrame(spec, {{0, 0, 0, 0, 0}});
  mk::addAnim(spec, {{0, 1, 0, 0, 0}});
  spec.palettes = {{0x00FF00FF, 0xFFFF0000}};
  Graphics* g = target(4, 4);
  CGame::gfx = g;
  ASprite* s = load(spec);

  s->PaintModule(1, 0, 0, 0, 100);
  EXPECT_EQ(pixel(1, 1), rgb(0xFF00FF00)) << "filled opaque";
  s->BuildCacheImages(0, 0, 0, -1, false);
  ASSERT_NE(s->cachedImage(0, 0), nullptr);
  EXPECT_NE(s->cachedImage(0, 0)->pixelType, kPixelArgb4444) << "no alpha built in";

  s->fontMap = Array::newByteArray(256);
  for (int c = 0; c < 256; c++) s->fontMap->elements()[c] = static_cast<int8_t>(c);
  EXPECT_EQ(s->Char2FrameModule(1040), 0) << "a Cyrillic letter only in the Cyrillic language";

  CActor* a = CActor::create(s, 0, -1);
  g->setColor(0);
  g->fillRect(0, 0, 4, 4);
  a->update(0, 0);
  EXPECT_EQ(pixel(0, 0), rgb(0xFF000000)) << "no screen Graphics: nothing painted";
  a->remap = true;
  EXPECT_EQ(a->getPlayerSprite(), 1) << "no match state: the sprite's own slot";
}

}  // namespace
}  // namespace sorv::test
