// The figure painter: a pose stands on its origin at the height asked for, in the player
// palette's groups only, with the far side of the body hidden, men and women told apart, and
// poses mixing into the frames between them.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tools/mkdata/figure_painter.h"
#include "tools/mkdata/integer_trig.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;
using mk::Canvas;
using mk::FigureKind;
using mk::Pose;
using mk::PoseMaker;
constexpr int R = mk::kRightSide, L = mk::kLeftSide;

Pose standing() { return PoseMaker().leg(R, 4, 2).leg(L, -4, -2).arm(R, 14, 24).arm(L, -12, -14).racket(14, 40); }

struct Ink {
  int top = INT32_MAX, bottom = INT32_MIN, left = INT32_MAX, right = INT32_MIN;
};

Ink inkOf(const Canvas& c, const std::set<int>& indexes = {}) {
  Ink ink;
  for (int y = 0; y < c.height(); y++) {
    for (int x = 0; x < c.width(); x++) {
      const int p = c.at(x, y);
      if (p == 0 || (!indexes.empty() && indexes.count(p) == 0)) continue;
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
    }
  }
  return ink;
}

const std::set<int> kHair = {2, 3, 4, 5}, kSkin = {32, 33};

TEST(IntegerTrig, SinesAreWithinTheirBoundOfTheTrueValue) {
  for (int degrees : {0, 1, 15, 30, 45, 60, 89, 90, 120, 179, 180, 225, 270, 359, 360, 405, -30, -90, -450}) {
    const double truth = std::sin(degrees * M_PI / 180) * mk::kTrigOne;
    EXPECT_NEAR(mk::sinDeg(degrees), truth, 0.002 * mk::kTrigOne + 1) << degrees;
    EXPECT_NEAR(mk::cosDeg(degrees), std::cos(degrees * M_PI / 180) * mk::kTrigOne, 0.002 * mk::kTrigOne + 1)
        << degrees;
  }
  EXPECT_EQ(mk::sinDeg(90), mk::kTrigOne);
  EXPECT_EQ(mk::sinDeg(270), -mk::kTrigOne);
}

TEST(FigurePainter, AStandingFigureStandsOnItsOriginAsTallAsAsked) {
  for (FigureKind kind : {FigureKind::kMan, FigureKind::kWoman}) {
    for (int height : {32, 54, 162}) {
      SCOPED_TRACE(std::to_string(height) + (kind == FigureKind::kMan ? " man" : " woman"));
      mk::Pt o;
      const Canvas c = mk::paintedFigure(standing(), kind, height, &o);
      const Ink ink = inkOf(c);
      EXPECT_EQ(ink.bottom, o.y - 1) << "the soles touch the ground";
      EXPECT_NEAR(o.y - ink.top, height, height / 25 + 1);
      EXPECT_LE(ink.left, o.x);
      EXPECT_GE(ink.right, o.x);
      for (uint8_t p : c.pixels()) {
        EXPECT_TRUE(p == 0 || (p >= 2 && p < mk::kFigureColours)) << int{p};
      }
    }
  }
}

TEST(FigurePainter, APictureTakesTheFigureAtItsOriginOverWhatItHolds) {
  // As a picture composing players would: the figure lands where asked, the rest stays.
  constexpr uint8_t kBackground = 40;
  Canvas picture(120, 100, kBackground);
  mk::paintFigure(picture, standing(), FigureKind::kWoman, 54, 70, 90);
  mk::Pt o;
  const Canvas alone = mk::paintedFigure(standing(), FigureKind::kWoman, 54, &o);
  int differ = 0;
  for (int y = 0; y < picture.height(); y++) {
    for (int x = 0; x < picture.width(); x++) {
      const uint8_t own = alone.at(x - 70 + o.x, y - 90 + o.y);
      differ += picture.at(x, y) != (own != 0 ? own : kBackground);
    }
  }
  EXPECT_EQ(differ, 0);
}

TEST(FigurePainter, TheFarSideOfTheBodyIsHiddenBehindIt) {
  // The left forearm across the chest: on the near side it shows over the shirt, on the far
  // side the shirt covers it.
  Pose near = standing(), far = standing();
  near.arm[L] = {-10, 80, 80, 100, false};
  far.arm[L] = {-10, 80, 80, 100, true};
  mk::Pt o;
  const Canvas a = mk::paintedFigure(near, FigureKind::kMan, 54, &o);
  const Canvas b = mk::paintedFigure(far, FigureKind::kMan, 54, &o);
  int skinNear = 0, skinFar = 0;
  for (int y = o.y - 42; y < o.y - 30; y++) {
    for (int x = o.x - 4; x <= o.x + 4; x++) {
      skinNear += kSkin.count(a.at(x, y));
      skinFar += kSkin.count(b.at(x, y));
    }
  }
  EXPECT_GT(skinNear, 6);
  EXPECT_EQ(skinFar, 0);
}

TEST(FigurePainter, WomenWearTheirHairLongAndMenShort) {
  mk::Pt om, ow;
  const Canvas man = mk::paintedFigure(standing(), FigureKind::kMan, 54, &om);
  const Canvas woman = mk::paintedFigure(standing(), FigureKind::kWoman, 54, &ow);
  const int manHair = om.y - inkOf(man, kHair).bottom, womanHair = ow.y - inkOf(woman, kHair).bottom;
  EXPECT_GT(manHair - womanHair, 4) << "the ponytail hangs below the men's hair line";
}

TEST(FigurePainter, PosesMixIntoTheFramesBetweenThem) {
  Pose a = standing(), b = standing();
  b.arm[R] = {90, 170, 60, 40, true};
  b.lean = 10;
  b.racket.direction = 180;
  b.ball = true;
  b.ballY = 1000;
  struct Case {
    int n, d, upper, lean, racket;
    bool behind, ball;
  };
  const Case cases[] = {{0, 4, 14, 0, 14, false, false}, {1, 4, 33, 2, 55, false, false},
                        {2, 4, 52, 5, 97, true, true},   {4, 4, 90, 10, 180, true, true}};
  for (const Case& c : cases) {
    const Pose m = mk::mixPoses(a, b, c.n, c.d);
    EXPECT_EQ(m.arm[R].upper, c.upper) << c.n;
    EXPECT_EQ(m.lean, c.lean) << c.n;
    EXPECT_EQ(m.racket.direction, c.racket) << c.n;
    EXPECT_EQ(m.arm[R].behind, c.behind) << c.n;
    EXPECT_EQ(m.ball, c.ball) << c.n;
  }
}

TEST(FigurePainter, TheShadowIsTranslucentAloneAndSpansTheFeet) {
  Pose wide = standing();
  wide.leg[R] = {34, 20, 100, 100, false};
  wide.leg[L] = {-34, -20, 100, 100, false};
  mk::Pt narrowOrigin, wideOrigin;
  const Canvas narrow = mk::paintedFigureShadow(standing(), FigureKind::kMan, 54, &narrowOrigin);
  const Canvas spread = mk::paintedFigureShadow(wide, FigureKind::kMan, 54, &wideOrigin);
  for (const Canvas* c : {&narrow, &spread}) {
    for (uint8_t p : c->pixels()) EXPECT_TRUE(p == 0 || p == mk::kFigureShadowIndex);
  }
  EXPECT_GT(spread.width(), narrow.width() + 6);
  EXPECT_NEAR(narrowOrigin.x, narrow.width() / 2, 1) << "centred under standing feet";
}

TEST(FigurePainter, TheHipsOfASeatedFigureSitLow) {
  const Pose seated = PoseMaker().leg(R, 6, 2, 35, 100).leg(L, -6, -2, 35, 100).noRacket();
  const mk::Pt stand = mk::figureHips(standing(), FigureKind::kMan, 100);
  const mk::Pt sit = mk::figureHips(seated, FigureKind::kMan, 100);
  EXPECT_NEAR(stand.y, -52, 2);
  EXPECT_NEAR(sit.y, -36, 2);
  EXPECT_EQ(stand.x, 0);
}

}  // namespace
}  // namespace sorv::test
