// What training draws: the board's close-up (its rings, the hit mark and the caption by
// ring, in its font), the balls that retire from the list, and the pictures of the close-up
// and of each game's result page against stored hashes.
#include <cstdint>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/support/picture_file.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

// The pictures as looked at: the close-up of a five-ring board hit in its second ring, and
// the result page of each game on the shipped data (written to build/training_pages/).
constexpr uint64_t kCloseUpHash = 8651028533336947214ull;
constexpr uint64_t kPageHashes[5] = {14178416317507309734ull, 9161766527562093032ull, 6252052216951056061ull,
                                     13865936345534424743ull, 6252052216951056061ull};

class DrawingTest : public TrainingTest {
 protected:
  void SetUp() override {
    TrainingTest::SetUp();
    CGame::gfx = CGame::backBufferGraphics;
  }
  static uint64_t hashOf(const std::vector<uint16_t>& pixels) {
    uint64_t h = 1469598103934665603ull;
    for (uint16_t p : pixels) h = (h ^ p) * 1099511628211ull;
    return h;
  }
  // A close-up of a board of the rings hit in the given ring, its mark in the middle.
  static void closeUp(int32_t rings, int32_t ring) {
    T::targetRings = static_cast<int16_t>(rings);
    T::targetRadius = 700;
    T::lastRing = ring;
    T::target = nullptr;
    Array::fillInts(T::hitMark, {0, 700, 0});
    clear();
    T::paintTargetFrame();
  }
};

TEST_F(DrawingTest, CloseUpRingsMarkAndCaption) {
  struct Case {
    int32_t rings, ring, text, fontClass;
  };
  // A caption by rings - ring: 1 the outer ring (text 64, the hint font) .. 5 the centre (68).
  for (const Case& c : {Case{5, 0, 68, 4}, Case{5, 4, 64, 3}, Case{5, 2, 66, 4}, Case{3, 0, 66, 4}, Case{8, 0, -1, 4}}) {
    SCOPED_TRACE(c.rings * 10 + c.ring);
    startTraining(T::kGameServe, 0);
    closeUp(c.rings, c.ring);
    const std::vector<uint16_t> caption = region(150, 300, 500, 40);
    // Rings alternate red and white from the rim; the mark is black.
    const int32_t step = 58 / c.rings;
    EXPECT_EQ(at(342 + 1, 240), rgb(0xFF0000));
    if (c.rings > 1) {
      EXPECT_EQ(at(342 + step + 1, 240), rgb(0xFFFFFF));
    }
    EXPECT_EQ(at(400, 240), rgb(0));
    clear();
    String* text = c.text < 0 ? StaticClass::getConstant(6) : CGame::GetString(3, c.text);
    CGame::GetAnimationIDByClass(c.fontClass)->DrawString(CGame::backBufferGraphics, text, 400, 303, 16);
    EXPECT_EQ(caption, region(150, 300, 500, 40));
    T::unload();
  }
}

TEST_F(DrawingTest, SpentBallsLeaveTheListWhileTheOthersStayDrawn) {
  AccuracyRecord r;
  useRecord(T::kGameAccuracy, r.encode());
  startTraining(T::kGameAccuracy, 1);
  T::newLevel(T::kGameAccuracy, 1);
  std::vector<RigidBody*> balls;
  for (int32_t frames : {57, 56, 10}) {
    RigidBody* b = RigidBody::create(CGame::trainingObject, RigidBody::kTypeBall);
    b->x = 9000;
    b->z = 20000;
    b->flightFrames = frames;
    CGame::p_add(T::objectList, b);
    balls.push_back(b);
  }
  T::drawBalls();
  EXPECT_LT(CGame::p_find(T::objectList, balls[0], 0), 0) << "past 56 frames";
  EXPECT_GE(CGame::p_find(T::objectList, balls[1], 0), 0);
  EXPECT_GE(CGame::p_find(T::objectList, balls[2], 0), 0);
  // A still retires nothing.
  balls[1]->flightFrames = 60;
  CTennis::drawOnlyFrame = true;
  T::drawBalls();
  CTennis::drawOnlyFrame = false;
  EXPECT_GE(CGame::p_find(T::objectList, balls[1], 0), 0);
}

TEST_F(DrawingTest, PicturesOfTheCloseUpAndEachResultPage) {
  startTraining(T::kGameServe, 0);
  closeUp(5, 1);
  const uint64_t closeUpHash = hashOf(region(300, 170, 200, 180));
  savePicture(CGame::backBuffer, "training_pages", "close-up.png", 300, 170, 200, 180);
  T::unload();
  std::vector<uint64_t> pages;
  for (int32_t game = 0; game < T::kGameCount; game++) {
    startTraining(game, 0);
    T::newLevel(game, 0);
    T::trainingState = 3;
    T::levelResult = 0;
    T::level = 0;
    T::unlockedLevel = 0;
    T::points = 640;
    T::speedSum = 360;
    T::targetHits = 3;
    T::stepTime = 420;
    T::wrongTouches = 1;
    T::levelStartFrame = 0;
    T::levelEndFrame = 140;
    T::finalPoints = T::settledScore();
    T::jackpot = 0;
    T::previousBest = 0;
    CTennis::matchFrame = 1;
    clear();
    T::paintRequestPage(true);
    pages.push_back(hashOf(region(0, 0, CGame::kGameWidth, CGame::kGameHeight)));
    savePicture(CGame::backBuffer, "training_pages", "page-" + std::to_string(game) + ".png");
    T::unload();
  }
  // Each game's page differs from the others', but both Accuracy games share theirs; the
  // hashes hold the pictures looked at.
  for (size_t i = 0; i < pages.size(); i++) {
    for (size_t j = i + 1; j < pages.size(); j++) {
      if (i != T::kGameAccuracy || j != T::kGameNetAccuracy) {
        EXPECT_NE(pages[i], pages[j]) << i << " " << j;
      }
    }
  }
  const std::vector<uint64_t> stored = {kCloseUpHash, kPageHashes[0], kPageHashes[1], kPageHashes[2],
                                        kPageHashes[3], kPageHashes[4]};
  std::vector<uint64_t> now = {closeUpHash};
  now.insert(now.end(), pages.begin(), pages.end());
  EXPECT_EQ(now, stored);
}

}  // namespace
}  // namespace sorv::test
