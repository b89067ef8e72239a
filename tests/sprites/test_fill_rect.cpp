// CGame.fillRect: solid, translucent (blended, in strips) and empty fills.
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

TEST_F(SpriteTest, FillRectSolidEmptyAndClamped) {
  Graphics* g = target(10, 10, 0xFF000000);
  g->setColor(0x123456);
  CGame::fillRect(g, static_cast<int32_t>(0xFFFF0000), 1, 1, 2, 2);
  EXPECT_EQ(pixel(1, 1), rgb(0xFFFF0000));
  EXPECT_EQ(pixel(3, 3), rgb(0xFF000000));
  EXPECT_EQ(g->getColor() & 0xFFFFFF, 0x123456);  // the colour is put back

  CGame::fillRect(g, 0x00FFFFFF, 0, 0, 10, 10);  // alpha 0
  CGame::fillRect(g, static_cast<int32_t>(0xFFFFFFFF), 0, 0, 0, 10);
  CGame::fillRect(g, static_cast<int32_t>(0xFFFFFFFF), 0, 0, 10, -3);
  CGame::fillRect(g, 0xFFFFFF, 5, 5, 2, 2, -5);
  EXPECT_EQ(pixel(0, 0), rgb(0xFF000000));
  EXPECT_EQ(pixel(5, 5), rgb(0xFF000000));
  CGame::fillRect(g, 0x00FF00, 5, 5, 2, 2, 150);
  EXPECT_EQ(pixel(5, 5), rgb(0xFF00FF00));
}

TEST_F(SpriteTest, TranslucentFillsBlendInStrips) {
  // Every pixel of a band taller than one strip is blended, the last strip shorter.
  const int32_t w = 100, h = 20;
  ASprite::setTempBufferSize(w * 7);
  Graphics* g = target(w, h, 0xFF000000);
  CGame::fillRect(g, 0xFFFFFF, 0, 0, w, h, 50);
  const uint16_t grey = pixel(0, 0);
  EXPECT_NE(grey, rgb(0xFF000000));
  EXPECT_NE(grey, rgb(0xFFFFFFFF));
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) ASSERT_EQ(pixel(x, y), grey) << x << "," << y;
  }

  // A band wider than the whole buffer still ends, in columns.
  ASprite::setTempBufferSize(16);
  g = target(40, 3, 0xFF000000);
  CGame::fillRect(g, 0xFFFFFF, 0, 0, 40, 3, 50);
  EXPECT_EQ(pixel(39, 2), grey);
  EXPECT_EQ(pixel(0, 0), grey);
}

}  // namespace
}  // namespace sorv::test
