// Actors: timing sequences, holding and ending, playing backwards, own frame times,
// remapping and mirroring of player sprites, replay frames.
#include "sprites/cactor.h"
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

// Animation a has frames of the given times; every frame draws a 2 x 1 module at the origin.
ASprite* animated(const std::vector<std::vector<uint8_t>>& anims, int extraAnims = 0) {
  mk::SpriteSpec spec;
  mk::SpriteModule m;
  m.width = 2;
  m.height = 1;
  m.pixels = {1, 2};
  spec.modules.push_back(m);
  mk::addFrame(spec, {{0, 0, 0, 0, 0}});
  for (const auto& times : anims) {
    std::vector<mk::SpriteAFrame> frames;
    for (uint8_t t : times) frames.push_back({0, t, 0, 0, 0});
    mk::addAnim(spec, frames);
  }
  for (int i = 0; i < extraAnims; i++) mk::addAnim(spec, {{0, 1, 0, 0, 0}});
  spec.palettes = {{0x00FF00FF, 0xFFFF0000, 0xFF0000FF}};
  return SpriteTest::load(spec);
}

std::vector<int> run(CActor* a, int updates) {
  std::vector<int> out;
  for (int i = 0; i < updates; i++) out.push_back(a->update());
  return out;
}

TEST_F(SpriteTest, ActorTimingSequences) {
  ASprite* s = animated({{2, 2, 2}, {1, 1, 1, 1}, {0, 0, 3}});
  CActor* a = CActor::create(s, 0, -1);
  EXPECT_EQ(run(a, 6), (std::vector<int>{0, 1, 1, 2, 2, -1}));
  EXPECT_TRUE(a->ended);
  EXPECT_EQ(a->currentFrame, 2);
  EXPECT_EQ(run(a, 2), (std::vector<int>{2, -1}));  // the last frame again, then ends again

  a->setSprite(s, 1, -2);  // hold the last frame
  EXPECT_EQ(run(a, 6), (std::vector<int>{1, 2, 3, 3, 3, 3}));
  EXPECT_TRUE(a->onLastFrame);
  EXPECT_FALSE(a->ended);

  a->setSprite(s, 1, 1);  // loop back to frame 1
  EXPECT_EQ(run(a, 6), (std::vector<int>{1, 2, 3, 1, 2, 3}));

  a->setSprite(s, 0, -1, true);  // backwards
  EXPECT_EQ(a->currentFrame, 2);
  EXPECT_EQ(run(a, 6), (std::vector<int>{2, 1, 1, 0, 0, -1}));
  EXPECT_EQ(a->currentFrame, 0);

  a->setSprite(s, 2, -1);  // frame times of 0 move on at once
  EXPECT_EQ(run(a, 4), (std::vector<int>{1, 2, 2, 2}));

  a->setSprite(s, 0, -1);
  a->paused = true;
  EXPECT_EQ(run(a, 3), (std::vector<int>{0, 0, 0}));
}

TEST_F(SpriteTest, ActorOwnFrameTimesAndDistances) {
  ASprite* s = animated({{2, 2, 2, 2}});
  CActor* a = CActor::create(s, 0, -1);
  a->ownFrameTimes = Array::fillInts(Array::newIntArray(3), {1, 0, 3});
  // Frame 1 is skipped; frame 3 lies outside the table and takes the sprite's time.
  EXPECT_EQ(run(a, 7), (std::vector<int>{2, 2, 2, 3, 3, -1, 3}));
  EXPECT_EQ(a->getFrameDistance(0), 1);
  EXPECT_EQ(a->getFrameDistance(-1), 1 + 0 + 3 + 2);
  EXPECT_EQ(a->getFrameDistance(4), -1);

  a->ownFrameTimes = nullptr;
  a->setSprite(s, 0, -1);
  a->SetCurrentFrame(3, true);  // where it would stand after three ticks
  EXPECT_EQ(a->currentFrame, 1);
  EXPECT_EQ(a->shownFrame, 1);
  a->SetCurrentFrame(-1, false);
  EXPECT_EQ(a->currentFrame, 3);
}

TEST_F(SpriteTest, RemappedPlayerActorsPlayTheOtherSideMirrored) {
  target(8, 2, 0xFF000000);
  ASprite* s = animated({}, 36);
  setCurrentState(40);
  CGame::actionSprites0 = Array::newObjectArray(0, 6);
  CGame::actionSprites1 = Array::newObjectArray(0, 6);
  CGame::actionSprites1->elements()[3] = s;  // a partner's slot: 3 - 3 = 0

  CActor* a = newObject<CActor>();
  a->remap = true;
  a->setSprite(s, 1, -1);
  EXPECT_EQ(a->getPlayerSprite(), 0);
  EXPECT_EQ(a->animation, 2);
  a->update(image_.get()->getGraphics(), 4, 0);
  EXPECT_EQ(pixel(2, 0), rgb(0xFF0000FF));  // mirrored: drawn left of x, last pixel first
  EXPECT_EQ(pixel(3, 0), rgb(0xFFFF0000));

  a->setSprite(s, 30, -1);  // outside the table: played as it is
  EXPECT_EQ(a->animation, 30);

  setCurrentState(44);  // the second table is not searched
  EXPECT_EQ(a->getPlayerSprite(), -1);
  setCurrentState(3);
  EXPECT_EQ(a->getPlayerSprite(), 1);
  CGame::actionSprites0 = nullptr;
  setCurrentState(41);
  EXPECT_EQ(a->getPlayerSprite(), -1);
}

TEST_F(SpriteTest, ActorWithoutSpriteDoesNothing) {
  CActor* a = CActor::create(nullptr, 3, -1);
  EXPECT_EQ(a->update(), -1);
  EXPECT_EQ(a->getFrameDistance(-1), 0);
  a->paintCurrentFrame(nullptr, 0, 0);
}

}  // namespace
}  // namespace sorv::test
