// The painted training objects, drawn where the games draw them: the board's face where its
// radius stands, the machine's ball leaving the mouth at launch height, the bonus number on
// its coin, the tanks rolling, the checkpoints covering their zones on the court. Every
// animation is written to build/mode/training.png for a look.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "runtime/string.h"
#include "tests/tools/mode_art_fixture.h"
#include "tools/data/court_geometry.h"
#include "tools/mkdata/checkpoint_art.h"
#include "tools/mkdata/training_art.h"
#include "tools/mkdata/training_sprites.h"

namespace sorv::test {
namespace {

constexpr int32_t kBoardAnim = 0, kBoardHitAnim = 1, kBonusAnim = 28, kWrongBonusAnim = 29, kBurstAnim = 8;
constexpr int32_t kRollingAnims[] = {5, 6, 22, 23};
constexpr int32_t kBonusNumberAnchor = 528, kBonusNumberWidth = 3200, kBonusNumberRise = 5;
constexpr int32_t kMainFontClass = 2;

struct Rgb {
  int32_t r, g, b;
};
Rgb rgbOf(uint16_t p) { return {(p >> 11) << 3, ((p >> 5) & 0x3F) << 2, (p & 0x1F) << 3}; }
// Relative luminance in thousandths, by the usual weights on a straight (not linearised)
// scale: enough to tell a dark face from a light one.
int32_t luma(uint16_t p) {
  const Rgb c = rgbOf(p);
  return (2126 * c.r + 7152 * c.g + 722 * c.b) / 2550;
}

class TrainingArtTest : public ModeArtTest {
 protected:
  void SetUp() override {
    ModeArtTest::SetUp();
    sprite_ = trainingSprite(kTrainingSprite);
    ASSERT_FALSE(isNull(sprite_));
  }
  ASprite* sprite_ = nullptr;
};

TEST_F(TrainingArtTest, TheBoardTheMachineAndTheTanksStandOnTheirGroundPoints) {
  constexpr int32_t x = 100, y = 100;
  sprite_->PaintAFrame(g(), kBoardAnim, 0, x, y);
  const uint16_t middle = at(x, y - mkdata::kBoardFaceRise);
  EXPECT_NE(middle, 0);
  const Rgb gold = rgbOf(middle);
  EXPECT_TRUE(gold.r > 0xA0 && gold.g > 0x80 && gold.b < gold.g) << "the board's middle is not its gold";
  EXPECT_NE(at(x + mkdata::kBoardFaceRadius - 4, y - mkdata::kBoardFaceRise), middle) << "no rings";
  for (int32_t anim : {kBoardAnim, kBoardHitAnim, 5, 22, 23, 27, mkdata::kMachineAnim}) {
    for (int32_t step = 0; step < sprite_->GetAFrames(anim); step++) {
      const std::vector<int32_t> box = frameBox(sprite_, frameOf(sprite_, anim, step));
      EXPECT_GE(box[3], 0) << "anim " << anim << " floats above its ground point";
      EXPECT_LE(box[3], 4) << "anim " << anim << " sinks below its ground point";
      EXPECT_NEAR(box[0] + box[2], 0, 3) << "anim " << anim << " stands off its point";
    }
  }
  // The ball leaves the mouth a metre up at the launch frame; at rest the mouth is empty.
  clear();
  sprite_->PaintAFrame(g(), mkdata::kMachineAnim, mkdata::kMachineLaunchFrame, x, y);
  const Rgb ball = rgbOf(at(x, y - mkdata::kMachineMouthRise));
  EXPECT_TRUE(ball.g > 0xA0 && ball.r > 0x80 && ball.b < 0x80) << "no ball in the mouth at the launch";
  sprite_->PaintAFrame(g(), mkdata::kMachineAnim, mkdata::kMachineFrames - 1, x + 60, y);
  EXPECT_LT(luma(at(x + 60, y - mkdata::kMachineMouthRise)), 100) << "a ball in the mouth at rest";
  // The tanks' tracks move while they roll.
  for (int32_t anim : kRollingAnims) {
    std::set<std::vector<uint16_t>> looks;
    for (int32_t step = 0; step < sprite_->GetAFrames(anim); step++) {
      clear();
      sprite_->PaintAFrame(g(), anim, step, x, y);
      looks.insert(region(x - 30, y - 50, 60, 55));
    }
    EXPECT_GT(looks.size(), 1u) << "tank anim " << anim << " stands still";
  }
}

TEST_F(TrainingArtTest, TheBonusNumberIsWrittenOnItsCoin) {
  constexpr int32_t x = 100, y = 100;
  ASprite* font = CGame::GetAnimationIDByClass(kMainFontClass);
  ASSERT_FALSE(isNull(font));
  const int32_t coinY = y - mkdata::kBonusCoinRise, r = mkdata::kBonusCoinRadius;
  for (int32_t number : {1, 5, 8}) {
    clear();
    sprite_->PaintAFrame(g(), kBonusAnim, 0, x, y);
    const std::vector<uint16_t> coin = region(x - 20, y - 40, 40, 50);
    EXPECT_LT(luma(at(x, coinY)), 300) << "the coin's face is too light for the number";
    font->DrawString(g(), String::valueOfInt(number), x, y - kBonusNumberRise, kBonusNumberAnchor, kBonusNumberWidth);
    const std::vector<uint16_t> written = region(x - 20, y - 40, 40, 50);
    int32_t ink = 0, off = 0;
    for (size_t i = 0; i < coin.size(); i++) {
      if (coin[i] == written[i]) continue;
      ink++;
      const int32_t px = x - 20 + static_cast<int32_t>(i % 40), py = y - 40 + static_cast<int32_t>(i / 40);
      if ((px - x) * (px - x) + (py - coinY) * (py - coinY) > r * r) off++;
    }
    EXPECT_GT(ink, 5) << number;
    EXPECT_EQ(off, 0) << "number " << number << " runs off its coin";
    save("bonus-" + std::to_string(number) + ".png", x - 20, y - 40, 40, 50);
  }
  // The cross of a wrong touch and the hit burst centre where they are drawn for.
  const std::vector<int32_t> cross = frameBox(sprite_, frameOf(sprite_, kWrongBonusAnim, 0));
  EXPECT_NEAR(cross[0] + cross[2], 0, 2);
  EXPECT_NEAR(cross[1] + cross[3], -2 * mkdata::kBonusCoinRise, 2);
  for (int32_t step = 0; step < sprite_->GetAFrames(kBurstAnim); step++) {
    const std::vector<int32_t> burst = frameBox(sprite_, frameOf(sprite_, kBurstAnim, step));
    EXPECT_NEAR(burst[0] + burst[2], 0, 2) << step;
    EXPECT_NEAR(burst[1] + burst[3], 0, 2) << step;
  }
}

TEST_F(TrainingArtTest, EveryCheckpointCoversItsZoneOnTheCourt) {
  ASprite* cp = trainingSprite(kTrainingCheckpoint);
  ASSERT_FALSE(isNull(cp));
  int32_t previousWidth = 1 << 20;
  for (int32_t f = 0; f < mkdata::kCheckPointFrames; f++) {
    SCOPED_TRACE("frame " + std::to_string(f));
    const mkdata::CheckPointZone& z = mkdata::kCheckPointZones[f];
    const court::Point middle = court::logicalPoint(court::kCentreLineX, 0, z.middleZ);
    const court::Point farLeft = court::logicalPoint(court::kCentreLineX - z.width / 2, 0, z.middleZ - z.depth / 2);
    const court::Point nearRight = court::logicalPoint(court::kCentreLineX + z.width / 2, 0, z.middleZ + z.depth / 2);
    const std::vector<int32_t> box = frameBox(cp, f);
    EXPECT_NEAR(box[1], farLeft.y - middle.y, 2);
    EXPECT_NEAR(box[3], nearRight.y - middle.y + 1, 2);
    EXPECT_NEAR(box[2], nearRight.x - middle.x + 1, 2);
    EXPECT_NEAR(box[0], -(nearRight.x - middle.x), 2);
    EXPECT_LT(box[2] - box[0], previousWidth);
    previousWidth = box[2] - box[0];
  }
}

// Every step of what the games draw shows something; the lot is saved for a look.
TEST_F(TrainingArtTest, EveryStepTheGamesDrawShowsSomething) {
  const int32_t shown[] = {0, 1, 3, 5, 6, 22, 23, 7, 26, 27, 8, 28, 29, mkdata::kMachineAnim};
  const auto look = [&](const std::string& name, size_t from, size_t to) {
    g()->setColor(0x3C7A4C);
    g()->fillRect(0, 0, 800, 480);
    for (size_t i = from; i < to; i++) {
      for (int32_t step = 0; step < sprite_->GetAFrames(shown[i]); step++) {
        sprite_->PaintAFrame(g(), shown[i], step, 40 + 70 * step, 58 + 64 * static_cast<int32_t>(i - from));
      }
    }
    save(name, 0, 0, 800, 460);
  };
  for (int32_t anim : shown) {
    for (int32_t step = 0; step < sprite_->GetAFrames(anim); step++) {
      clear();
      sprite_->PaintAFrame(g(), anim, step, 100, 100);
      EXPECT_GT(inked(40, 20, 120, 120), 8) << "anim " << anim << " step " << step;
    }
  }
  look("training-1.png", 0, 7);
  look("training-2.png", 7, std::size(shown));
  ASprite* cp = trainingSprite(kTrainingCheckpoint);
  g()->fillRect(0, 0, 800, 480);
  for (int32_t f = 0; f < mkdata::kCheckPointFrames; f++) cp->PaintFrame(g(), f, 120 + 200 * f, 60, 0, 100);
  for (int32_t a = 0; a < mkdata::kCheckPointAnims; a++) {
    for (int32_t s = 0; s < cp->GetAFrames(a); s++) cp->PaintAFrame(g(), a, s, 60 + 90 * s, 170 + 80 * a);
  }
  save("checkpoints.png", 0, 0, 800, 460);
}

}  // namespace
}  // namespace sorv::test
