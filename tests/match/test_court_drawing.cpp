// The scene's drawing on a loaded match: the ball drawn once at its depth, the court people's
// rest, the net and the boards (kept when the court turns), and frozen actors.
#include <gtest/gtest.h>

#include <vector>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "sprites/cactor.h"
#include "tests/match/loading_fixture.h"

namespace sorv::test {
namespace {

using CourtDrawing = LoadingTest;

CActor* kid(int32_t i) { return static_cast<CActor*>(aload(CTennis::ballKidActors.get(), i)); }

TEST_F(CourtDrawing, TheBallIsDrawnOnceAndOnlyWhileInPlay) {
  struct Case {
    int32_t state, z;
    bool drawn;
  };
  loadAll(0, 1);
  CGame::p_add(CTennis::objectList, CTennis::ball);
  for (const Case c : {Case{5, 12000, true}, Case{5, 25000, true}, Case{12, 30000, true}, Case{2, 12000, false},
                       Case{7, 12000, false}, Case{5, 40000, false}}) {
    CTennis::matchState = c.state;
    CTennis::ball->z = c.z;
    LogCapture log;
    CTennis::drawCourt();
    CTennis::drawAllBallKids();
    CTennis::drawObjects();
    // Drawn means cleared; a ball beyond the court's far end is never drawn.
    EXPECT_EQ(CTennis::ballVisible, c.state == 5 && !c.drawn) << c.state << " " << c.z;
    EXPECT_EQ(log.text().find("NullPointer"), std::string::npos);
  }
  CTennis::ballVisible = true;
  CTennis::drawBall(18300, 18300);
  EXPECT_TRUE(CTennis::ballVisible);
  CTennis::drawBall(18299, 18300);
  EXPECT_FALSE(CTennis::ballVisible);
}

TEST_F(CourtDrawing, RestBetweenPointsByCourtEnd) {
  for (int32_t end : {1, 2}) {
    loadAll(1, 0);
    CTennis::courtEnd = end;
    kid(2)->setSprite(kid(2)->sprite, 7, 2);
    CTennis::resetView();
    EXPECT_EQ(kid(2)->animation, 5);
    EXPECT_EQ(kid(3)->animation, 6);
    EXPECT_EQ(CTennis::netJudge->animation, end == 1 ? 2 : 3);
    RigidBody* first = static_cast<RigidBody*>(aload(CTennis::ballKids.get(), 0));
    RigidBody* second = static_cast<RigidBody*>(aload(CTennis::ballKids.get(), 1));
    EXPECT_EQ(first->z, end == 1 ? 20300 : 15500);
    EXPECT_EQ(second->z, end == 1 ? 15500 : 20300);
    EXPECT_EQ(CTennis::viewX, CTennis::viewBaseX);
    EXPECT_TRUE(CTennis::autoFollow);
  }
}

// The court turns at a change of ends with its boards as they stood: the last serve's speed
// and the clock stay on the back wall through the walk (the new end's picture has bare ones).
TEST_F(CourtDrawing, TheBoardsStayWhenTheCourtTurns) {
  auto picture = [] {
    Image* image = CTennis::courtImage;
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < image->getHeight(); y++)
      for (int32_t x = 0; x < image->getWidth(); x++) pixels.push_back(pixelOf(image, x, y));
    return pixels;
  };
  for (int32_t court : {0, 1, 3}) {
    SCOPED_TRACE(court);
    loadAll(0, court);
    CGame::animatedNumberValue = 123;
    CTennis::matchStrokes = 10;
    CTennis::drawSpeedToBg(123);
    CTennis::drawTimeToBg(10);
    CTennis::changeEnds = true;
    CTennis::loadCourt();
    ASSERT_EQ(CTennis::courtEnd, 2);
    const std::vector<uint16_t> turned = picture();
    CTennis::a_loadCourt(court, 2);
    const std::vector<uint16_t> bare = picture();
    // As between points, the practice court's boards are left as they are.
    if (court != 3) {
      CTennis::drawSpeedToBg(123);
      CTennis::drawTimeToBg(10);
    }
    EXPECT_EQ(turned, picture()) << "the boards as they stood";
    EXPECT_EQ(turned != bare, court != 3) << "the practice court has no boards";
  }
}

TEST_F(CourtDrawing, FreezingPausesTheCourtsActorsAndTheNetPicksItsAnimation) {
  loadAll(1, 0);
  EXPECT_EQ(CTennis::getNetAnim(), 1);
  CTennis::freezeAllActor();
  EXPECT_TRUE(CTennis::netActor->paused);
  EXPECT_TRUE(CTennis::sharedActor->paused);
  CActor* decor = static_cast<CActor*>(aload(CTennis::courtDecor.get(), 0));
  EXPECT_TRUE(decor->paused);
  for (int32_t i = 0; i < 5; i++) EXPECT_FALSE(kid(i)->paused) << "the ball kids keep moving";
  CTennis::unfreezeAllActor();
  EXPECT_FALSE(CTennis::netActor->paused);
  EXPECT_FALSE(decor->paused);
  CTennis::removeAllActor();
  for (int32_t i = 0; i < CTennis::objectList->length; i++) EXPECT_TRUE(isNull(aload(CTennis::objectList.get(), i)));
}

}  // namespace
}  // namespace sorv::test
