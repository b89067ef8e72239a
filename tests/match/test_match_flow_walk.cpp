// The walk of a change of ends: where each team walks off and on, that the walk ends at its
// point, and that the scene waits for every walk and the skip ends them.
#include <algorithm>
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

// Where the players walk, as a player must be able to follow it: each team to the net post on
// its own side of the net (the left post at the first end, the right one at the second) and
// from there, once the court has turned, on into its own half, the user's team into the near
// one where the next point finds it; every walker on the screen and none on another's place;
// each pair drawn in the order it stands.
TEST_F(EndsWalkTest, EachTeamWalksToTheNetOnItsSideAndOnIntoItsHalf) {
  constexpr int32_t kNetY = 264, kMiddleX = 431;
  constexpr int32_t kSpriteWidth = 28, kSpriteHeight = 56;
  for (int category : {kSingles, kDoubles}) {
    for (int32_t end : {1, 2}) {
      SCOPED_TRACE(category * 10 + end);
      endsDue(category, end);
      Point off[4] = {}, on[4] = {};
      auto check = [&](Point (&spots)[4], const char* walk) {
        SCOPED_TRACE(walk);
        for (int i = 0; i < 4; i++) {
          CPlayer* p = playerOf(i);
          if (p == nullptr) continue;
          spots[i] = {p->walkToX, p->walkToY};
          const bool userTeam = i < 2;
          EXPECT_EQ(spots[i].y > kNetY, userTeam) << i << " on its own side of the net";
          // Off to the post of the end left and on from the same spot.
          EXPECT_EQ(spots[i].x < kMiddleX, end == 1) << i << " at the post";
          EXPECT_GE(spots[i].x - CTennis::viewX, 0) << i << " on the screen";
          EXPECT_LT(spots[i].x - CTennis::viewX, 800) << i;
          for (int j = 0; j < i; j++) {
            if (playerOf(j) == nullptr) continue;
            EXPECT_TRUE(std::abs(spots[i].x - spots[j].x) >= kSpriteWidth ||
                        std::abs(spots[i].y - spots[j].y) >= kSpriteHeight)
                << i << " and " << j << " apart";
          }
        }
        if (category != kDoubles) return;
        EXPECT_EQ(CTennis::partner->z > CTennis::player->z, spots[1].y > spots[0].y) << "the user's pair in order";
        EXPECT_EQ(CTennis::rivalPartner->z > CTennis::rival->z, spots[3].y > spots[2].y) << "the rival's pair";
      };
      const int32_t viewX = CTennis::viewX, viewY = CTennis::viewY;
      check(off, "off");
      int longest = 0;
      for (int i = 0; i < 4; i++) {
        CPlayer* p = playerOf(i);
        if (p == nullptr) continue;
        // From where the player stood in the picture.
        EXPECT_EQ(p->walkFromX, 300 + viewX);
        EXPECT_EQ(p->walkFromY, 400 + viewY);
        EXPECT_EQ(p->animActor->animation, end == 1 ? 14 : 16);
        EXPECT_EQ(p->state, CPlayer::kStateSpecial);
        longest = std::max(longest, p->walkFrames);
      }
      // The court turns once the longest walk off has ended.
      const int turned = framesToStage(5, 200);
      ASSERT_GE(turned, longest);
      EXPECT_EQ(CTennis::courtEnd, 3 - end);
      check(on, "on");
      for (int i = 0; i < 4; i++) {
        CPlayer* p = playerOf(i);
        if (p == nullptr) continue;
        SCOPED_TRACE(i);
        // On from the spot where the walk off ended.
        EXPECT_EQ(p->walkFromX, off[i].x);
        EXPECT_EQ(p->walkFromY, off[i].y);
        EXPECT_EQ(p->animActor->animation, end == 1 ? 15 : 17);
        // Into its half: away from the net.
        EXPECT_GT(std::abs(on[i].y - kNetY), std::abs(off[i].y - kNetY));
      }
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
