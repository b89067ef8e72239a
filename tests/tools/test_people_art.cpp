// The painted court people: the ball kids at their size and runs, the linesmen on their
// chairs where the layouts put them (their shadows on the ground under them), the net
// judge's chair where the court has it, the judges' signals to the side they call, and the
// verdict, target and flash the match draws from the judges' sprite.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/tools/indexed_frame.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/people_art.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

constexpr uint8_t kSkin[] = {2, 3}, kRed = 14, kGreen = 15;

struct Ink {
  int top = INT_MAX, bottom = INT_MIN, left = INT_MAX, right = INT_MIN, count = 0;
  bool holds(uint8_t index) const { return (seen[index / 64] >> (index % 64) & 1) != 0; }
  uint64_t seen[4] = {};
};

// The ink of a frame from its origin above the ground at `groundY` (the shadow lies on it).
Ink inkOf(const mk::SpriteSpec& spec, int frame, int groundY = INT_MAX) {
  const IndexedFrame f = drawIndexed(spec, frame);
  Ink ink;
  for (int y = 0; y < f.pixels.height() && y - f.originY < groundY; y++) {
    for (int x = 0; x < f.pixels.width(); x++) {
      const uint8_t p = f.pixels.at(x, y);
      if (p == 0) continue;
      ink.count++;
      ink.seen[p / 64] |= uint64_t{1} << (p % 64);
      ink.top = std::min(ink.top, y - f.originY), ink.bottom = std::max(ink.bottom, y - f.originY);
      ink.left = std::min(ink.left, x - f.originX), ink.right = std::max(ink.right, x - f.originX);
    }
  }
  return ink;
}

const mk::ArtSprite& kids() {
  static const mk::ArtSprite s = mk::ballKidSprite();
  return s;
}
const mk::ArtSprite& judges() {
  static const mk::ArtSprite s = mk::judgeSprite();
  return s;
}

TEST(PeopleArt, BothSpritesHoldTheirAnimationsPalettesAndColoursOnly) {
  struct Case {
    const mk::ArtSprite* sprite;
    int32_t entry, anims;
  };
  for (const Case& c : {Case{&kids(), kMatchFxBallKids, kBallKidAnims}, Case{&judges(), kMatchFxJudges, kJudgeAnims}}) {
    const mk::SpriteSpec& spec = c.sprite->spec();
    EXPECT_GE(c.sprite->animCount(), c.anims);
    ASSERT_GE(spec.palettes.size(), 5u);
    for (const auto& p : spec.palettes) EXPECT_EQ(static_cast<int>(p.size()), kMatchSpriteColours);
    EXPECT_NE(spec.palettes[0], spec.palettes[1]) << "a uniform per court type";
    EXPECT_NE(spec.palettes[0], spec.palettes[4]) << "and one for the main tournaments";
    const mk::SpriteModule label = mk::labelModule(kConstMatchFxPack, c.entry);
    for (const mk::SpriteModule& m : spec.modules) {
      for (uint8_t p : m.pixels) EXPECT_LT(p, kMatchSpriteColours);
      EXPECT_FALSE(m.width == label.width && m.height == label.height && m.pixels == label.pixels);
    }
  }
}

TEST(PeopleArt, TheBallKidsStandTheirSizeRunAndComeBackFromTheNet) {
  const mk::SpriteSpec& spec = kids().spec();
  const Ink standing = inkOf(spec, frameOfStep(spec, 1, 0), 0);
  EXPECT_EQ(standing.bottom, -1);
  EXPECT_NEAR(-standing.top, 32, 2);
  EXPECT_LT(-inkOf(spec, frameOfStep(spec, 0, 0), 0).top, -standing.top) << "crouched lower";
  for (int a : {7, 8}) EXPECT_GE(spec.anims[static_cast<size_t>(a)].count, kBallKidRunFrames) << a;
  for (int a : {9, 10}) {
    const mk::SpriteAnim& anim = spec.anims[static_cast<size_t>(a)];
    int furthest = 0;
    for (int k = 0; k < anim.count; k++) furthest = std::max<int>(furthest, spec.aframes[anim.first + k].y);
    const mk::SpriteAFrame& last = spec.aframes[anim.first + anim.count - 1u];
    EXPECT_GT(furthest, 100) << a << " runs down toward the net";
    EXPECT_EQ(last.x, 0) << a << " and back to its place";
    EXPECT_EQ(last.y, 0) << a;
  }
}

TEST(PeopleArt, TheNetJudgesChairStandsBesideTheNetAndTheLinesmenOnTheirOrigin) {
  const mk::SpriteSpec& spec = judges().spec();
  for (int a = 0; a <= 5; a++) {
    const Ink chair = inkOf(spec, frameOfStep(spec, a, 0), mk::kUmpireChairY);
    EXPECT_EQ(chair.bottom, mk::kUmpireChairY - 1) << a;
    EXPECT_LE(chair.left, mk::kUmpireChairX) << a;
    EXPECT_GE(chair.right, mk::kUmpireChairX) << a;
  }
  std::vector<int> linesmen = {6, 7, 8, 9, 10, 11, 13, 14, 15};
  for (int a = kLinesmanIdleFirst; a <= kLinesmanIdleLast; a++) linesmen.push_back(a);
  for (int a : linesmen) {
    const mk::SpriteAnim& anim = spec.anims[static_cast<size_t>(a)];
    for (int k = 0; k < anim.count; k++) {
      const Ink seated = inkOf(spec, frameOfStep(spec, a, k), 0);
      EXPECT_EQ(seated.bottom, -1) << a;
      EXPECT_NEAR(-seated.top, 36, 5) << a;
      EXPECT_LE(seated.left, 0) << a;
      EXPECT_GE(seated.right, 0) << a;
    }
  }
}

TEST(PeopleArt, TheLinesmensSignalsReachToTheSideTheyCall) {
  const mk::SpriteSpec& spec = judges().spec();
  const auto held = [&](int anim) {
    return inkOf(spec, frameOfStep(spec, anim, spec.anims[static_cast<size_t>(anim)].count - 1), 0);
  };
  const Ink idle = held(kLinesmanIdleFirst);
  EXPECT_LT(held(kJudgeOutSignals[0]).left, idle.left - 6) << "judge 0's arm out to the left";
  EXPECT_GT(held(kJudgeOutSignals[1]).right, idle.right + 6);
  EXPECT_GT(held(kJudgeOutSignals[2]).right, idle.right + 6) << "judge 2's arm out to the right";
  const Ink in = held(kJudgeInSignal);
  EXPECT_LT(in.left, idle.left - 2) << "both hands out";
  EXPECT_GT(in.right, idle.right + 2);
}

TEST(PeopleArt, TheVerdictTargetAndFlashAreWhereTheMatchDrawsThem) {
  const mk::SpriteSpec& spec = judges().spec();
  const Ink stands = inkOf(spec, kJudgeVerdictFrame), overturned = inkOf(spec, kJudgeVerdictFrame + 1);
  for (const Ink* v : {&stands, &overturned}) {
    EXPECT_LE(v->left, 0);
    EXPECT_GE(v->right, 0);
    for (uint8_t s : kSkin) EXPECT_FALSE(v->holds(s)) << "no person in a verdict";
  }
  EXPECT_TRUE(stands.holds(kRed));
  EXPECT_TRUE(overturned.holds(kGreen));
  EXPECT_GT(spec.palettes.size(), static_cast<size_t>(kJudgeVerdictPalette));
  const mk::SpriteAnim& target = spec.anims[kJudgeSmashTarget];
  for (int k = 0; k < target.count; k++) {
    const Ink ring = inkOf(spec, frameOfStep(spec, kJudgeSmashTarget, k));
    EXPECT_LT(ring.left, 0);
    EXPECT_GT(ring.right, 0);
    EXPECT_LT(ring.bottom - ring.top, ring.right - ring.left) << "a ring lying on the ground";
  }
  const mk::SpriteAnim& flash = spec.anims[kJudgeRacketFlash];
  ASSERT_GE(flash.count, 2);
  EXPECT_GT(inkOf(spec, frameOfStep(spec, kJudgeRacketFlash, 0)).count, 0);
  EXPECT_EQ(spec.frames[frameOfStep(spec, kJudgeRacketFlash, flash.count - 1)].count, 0)
      << "the flash is held on an empty frame";
}

}  // namespace
}  // namespace sorv::test
