// The walk of a change of ends: where each player walks off and on by end and team, that
// the walk ends at its point, and that the scene waits for every walk and the skip ends them.
#include <cstdint>
#include <cstdlib>

#include "tests/match/flow_fixture.h"

namespace sorv::test {
namespace {

struct Point {
  int32_t x, y;
};

class EndsWalkTest : public FlowTest {
 protected:
  // The first point of a match over with a change of ends due from `end`; the players stand
  // at (300, 400) on the screen when the scene is set up.
  void endsDue(int category, int32_t end) {
    deadPoint(category, CTennis::kReasonOut);
    CTennis::changeEnds = true;
    CTennis::courtEnd = end;
    ASSERT_EQ(framesToNextPoint(28), -1);
    ASSERT_EQ(CTennis::afterPointStage, 1);
    forEachPlayer([](CPlayer* p) {
      if (p == nullptr) return;
      astore(p->screenPos, 0, 300);
      astore(p->screenPos, 1, 400);
    });
    ASSERT_EQ(framesToNextPoint(1), -1);
    ASSERT_EQ(CTennis::afterPointStage, 2);
  }

  // Frames until the sequence reaches the stage, at most `limit`; the count, or -1.
  static int framesToStage(int32_t stage, int limit) {
    for (int f = 1; f <= limit; f++) {
      CTennis::matchFrame++;
      CTennis::updatePlaying();
      if (CTennis::afterPointStage == stage) return f;
    }
    return -1;
  }

  static Point shown(CPlayer* p) { return {aload(p->screenPos, 0), aload(p->screenPos, 1)}; }
};

TEST_F(EndsWalkTest, WalkOffAndWalkOnPointsByEndAndTeam) {
  struct Case {
    int category;
    int32_t end;
    Point off[4];  // the user's player, partner, rival, rival's partner
    int32_t offAction;
    Point on[4];
    int32_t onAction;
    int longestOff;  // frames of the longest walk off, 8 pixels a frame
  };
  const Case cases[] = {
      {kSingles, 1, {{163, 313}, {}, {187, 207}, {}}, 14, {{495, 210}, {}, {525, 309}, {}}, 15, 25},
      {kSingles, 2, {{525, 309}, {}, {495, 210}, {}}, 16, {{187, 207}, {}, {163, 313}, {}}, 17, 24},
      {kDoubles, 1, {{163, 313}, {157, 323}, {187, 207}, {191, 197}}, 14,
       {{495, 210}, {491, 200}, {525, 309}, {530, 321}}, 15, 26},
      {kDoubles, 2, {{525, 309}, {530, 321}, {495, 210}, {491, 200}}, 16,
       {{187, 207}, {191, 197}, {163, 313}, {157, 323}}, 17, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.category * 10 + c.end);
    endsDue(c.category, c.end);
    const int32_t viewX = CTennis::viewX, viewY = CTennis::viewY;
    for (int i = 0; i < 4; i++) {
      CPlayer* p = playerOf(i);
      if (p == nullptr) continue;
      SCOPED_TRACE(i);
      // From where the player stood in the picture to its point beside the court.
      EXPECT_EQ(p->walkFromX, 300 + viewX);
      EXPECT_EQ(p->walkFromY, 400 + viewY);
      EXPECT_EQ(p->walkToX, c.off[i].x);
      EXPECT_EQ(p->walkToY, c.off[i].y);
      EXPECT_EQ(p->animActor->animation, c.offAction);
      EXPECT_EQ(p->state, CPlayer::kStateSpecial);
    }
    if (c.category == kDoubles) {
      EXPECT_EQ(CTennis::partner->z, CTennis::player->z + 1);
      EXPECT_EQ(CTennis::rivalPartner->z, CTennis::rival->z - 1);
    }
    // The court turns when the longest walk off ends.
    ASSERT_EQ(framesToStage(5, 200), c.longestOff);
    EXPECT_EQ(CTennis::courtEnd, 3 - c.end);
    for (int i = 0; i < 4; i++) {
      CPlayer* p = playerOf(i);
      if (p == nullptr) continue;
      SCOPED_TRACE(i);
      // On from the point beside the court where the walk off ended.
      EXPECT_EQ(p->walkFromX, c.off[i].x);
      EXPECT_EQ(p->walkFromY, c.off[i].y);
      EXPECT_EQ(p->walkToX, c.on[i].x);
      EXPECT_EQ(p->walkToY, c.on[i].y);
      EXPECT_EQ(p->animActor->animation, c.onAction);
    }
    if (c.category == kDoubles) {
      EXPECT_EQ(CTennis::partner->z, CTennis::player->z - 1);
      EXPECT_EQ(CTennis::rivalPartner->z, CTennis::rival->z + 1);
    }
  }
}

TEST_F(EndsWalkTest, APlayerWalksStraightToItsPointAndStaysThere) {
  startMatch(kSingles, 4, 0);
  CPlayer* p = CTennis::player;
  const struct {
    Point from, to;
  } walks[] = {{{300, 400}, {163, 313}}, {{163, 313}, {495, 210}}, {{10, 10}, {10, 10}}, {{500, 100}, {499, 300}}};
  for (const auto& w : walks) {
    SCOPED_TRACE(w.to.x * 1000 + w.from.x);
    CTennis::matchFrame = 500;
    p->startWalk(w.from.x, w.from.y, w.to.x, w.to.y);
    Point last = w.from;
    int frames = 0;
    while (!p->walkedIn() && frames < 200) {
      p->keepWalkPoint();
      const Point now = shown(p);
      // Every step keeps to the box between the two points and never moves away.
      EXPECT_LE(std::abs(w.to.x - now.x), std::abs(w.to.x - last.x));
      EXPECT_LE(std::abs(w.to.y - now.y), std::abs(w.to.y - last.y));
      last = now;
      CTennis::matchFrame++;
      frames++;
    }
    EXPECT_LT(frames, 200);
    for (int extra = 0; extra < 3; extra++, CTennis::matchFrame++) {
      p->keepWalkPoint();
      EXPECT_EQ(shown(p).x, w.to.x);
      EXPECT_EQ(shown(p).y, w.to.y);
    }
  }
}

TEST_F(EndsWalkTest, TheSceneWaitsForEveryWalkAndTheSkipEndsThem) {
  for (int category : {kSingles, kDoubles}) {
    SCOPED_TRACE(category);
    endsDue(category, 1);
    // The rival's walk is the longest: every action over does not turn the court yet.
    CTennis::rival->startWalk(0, 0, 700, 0);
    EXPECT_EQ(framesToNextPoint(40), -1);
    EXPECT_EQ(CTennis::afterPointStage, 2);
    EXPECT_EQ(CTennis::courtEnd, 1);
    EXPECT_FALSE(CTennis::rival->walkedIn());
    EXPECT_EQ(framesToNextPoint(60), -1);
    EXPECT_EQ(CTennis::afterPointStage, 5);
    EXPECT_EQ(CTennis::courtEnd, 2);
    // Walking on: the first actor to end does not start the point while a walk goes on.
    forEachPlayer(runActor);
    CTennis::rival->startWalk(0, 0, 800, 0);
    endActor(CTennis::player);
    EXPECT_EQ(framesToNextPoint(20), -1);
    EXPECT_EQ(CTennis::afterPointStage, 5);
    // The skip ends every walk and action at once.
    CTennis::skipRequested = true;
    EXPECT_EQ(framesToNextPoint(2), 2);
    EXPECT_TRUE(CTennis::endsWalkOver());
    EXPECT_EQ(CTennis::barMode, 0);
    CTennis::skipRequested = false;
  }
}

}  // namespace
}  // namespace sorv::test
