// What is drawn for a player besides its animation, on the shipped sprites.
#include <gtest/gtest.h>

#include "tests/match/player_fixture.h"

namespace sorv::test {
namespace {

using PlayerDrawingTest = PlayerTest;

TEST_F(PlayerDrawingTest, AnArrowOnlyOutsideTheScreen) {
  struct Case {
    int32_t x;
    bool arrow;
  };
  const Case cases[] = {{800, false}, {801, true}, {0, false}, {-1, true}, {400, false}};
  for (CPlayer* p : {user(), rival()}) {
    for (const Case& c : cases) {
      astore(p->screenPos, 0, c.x);
      astore(p->screenPos, 1, 200);
      // The arrows sit on the screen's edges: the picture is shifted in to see them.
      const int32_t shift = c.x > 400 ? -400 : 400;
      EXPECT_EQ(paints([&] {
                  CGame::gfx->translate(shift, 0);
                  p->drawPlayerOutIndication();
                  CGame::gfx->translate(-shift, 0);
                }),
                c.arrow)
          << c.x;
    }
  }
}

TEST_F(PlayerDrawingTest, TheComputersMeterAdvancesUnseen) {
  for (CPlayer* p : {rival(), user()}) {
    p->changeState(1);
    p->serveChooseEnergy();
    astore(p->screenPos, 0, 300);
    astore(p->screenPos, 1, 300);
    CActor* meter = CTennis::sharedActor;
    const int32_t before = meter->currentFrame;
    bool drawn = false;
    for (int32_t f = 0; f < 6; f++) drawn = paints([&] { p->drawEnergyBar(); }) || drawn;
    EXPECT_GT(meter->currentFrame, before);
    EXPECT_EQ(drawn, p == user());
  }
}

TEST_F(PlayerDrawingTest, SlideMarksOnlyOnCourtsOfTypeZero) {
  CPlayer::resetSlipTrace();
  CPlayer::addSlipTrace(300 + CTennis::viewX, 300 + CTennis::viewY, -500);
  CPlayer::addSlipTrace(350 + CTennis::viewX, 100 + CTennis::viewY, 500);
  CPlayer::addSlipTrace(380 + CTennis::viewX, 100 + CTennis::viewY, 0);  // an empty row
  struct Case {
    int32_t court;
    bool marks;
  };
  const Case cases[] = {{0, true}, {1, false}, {2, false}, {3, false}};
  for (const Case& c : cases) {
    CTennis::currentCourt = c.court;
    EXPECT_EQ(paints([] { CPlayer::paintSlipTrace(); }), c.marks) << c.court;
  }
  CTennis::currentCourt = 0;
  // The ring wraps after ten rows, overwriting the oldest.
  for (int32_t i = 0; i < 8; i++) CPlayer::addSlipTrace(i, i, 1);
  EXPECT_EQ(CPlayer::slipTraceNext, 1);
  EXPECT_EQ(aload(static_cast<IntArray*>(aload(CPlayer::slipTrace.get(), 0)), 0), 7);
}

TEST_F(PlayerDrawingTest, ASlidingStopLeavesAMarkAndDust) {
  CPlayer* p = user();
  CPlayer::resetSlipTrace();
  CTennis::currentCourt = 0;
  p->changeState(5);
  p->attrSpeed = 3;
  p->move(3, false);  // start a sideways run
  for (int32_t f = 0; f < 30; f++) frame(p);
  p->move(4, false);  // turn back hard: a brake
  EXPECT_EQ(p->moveState, 2);
  for (int32_t f = 0; f < 30 && p->moveState == 2; f++) frame(p);
  EXPECT_NE(p->moveState, 2);
  bool marked = false;
  for (int32_t i = 0; i < CPlayer::kSlipTraceRows; i++) {
    marked = marked || aload(static_cast<IntArray*>(aload(CPlayer::slipTrace.get(), i)), 2) != 0;
  }
  EXPECT_TRUE(marked);
  EXPECT_EQ(p->slideFlag, 1);
}

}  // namespace
}  // namespace sorv::test
