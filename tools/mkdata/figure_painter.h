// A person for the sprites, painted from a pose: the pose gives the direction of each
// segment of the body in whole degrees and a few places in the figure's own units (1000 is
// the height of a person standing), and the painter turns them into joints at the size asked
// for and paints the body back to front in the player palette's colour groups. Poses are a
// handful of integers, so the frames between two of them are mixed from both.
//
// Invariants: integer arithmetic only; every painted pixel holds an index of the player
// palette's groups below (never 0, never 1, the translucent shadow, which only
// paintedFigureShadow paints); the lower sole lies on the row just above the origin; the
// figure is seen from behind (no face; the hair covers the back of the head) with its racket
// arm on the right of the picture, so one drawing serves both ends and its mirror the other
// hand.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

// The shades of one part of the player palettes, dark to light.
struct Shades {
  uint8_t index[5] = {};
  int count = 0;
};

// The player palettes' colour groups (the game's colour-group ranges) and the two skin tones.
inline constexpr uint8_t kFigureShadowIndex = 1;
inline constexpr Shades kHairShades{{2, 3, 4, 5}, 4};
inline constexpr Shades kShirtShades{{6, 7, 8, 9, 10}, 5};
inline constexpr Shades kShortsShades{{11, 12, 13, 14, 15}, 5};
inline constexpr Shades kSockShades{{16, 17, 18, 19}, 4};
inline constexpr Shades kShoeShades{{20, 21, 22, 23}, 4};
inline constexpr Shades kBandShades{{24, 25, 26, 27}, 4};
inline constexpr Shades kRacketShades{{28, 29, 30, 31}, 4};
inline constexpr Shades kSkinShades{{33, 32}, 2};
// The colours of the figures, all but the key and the shadow.
inline constexpr int kFigureColours = 34;

enum class FigureKind { kMan, kWoman };

// The arm or leg of one side: the direction of its upper and lower segment (degrees: 0
// hanging down, 90 to the right of the picture, 180 up, -90 to the left) and how much of
// each length shows (a segment pointing at or away from the camera looks shorter).
struct Limb {
  int upper = 0, lower = 0;
  int upperSeen = 100, lowerSeen = 100;
  bool behind = false;  // on the far side of the body, which hides it
  bool operator==(const Limb&) const = default;
};

struct RacketPose {
  int direction = 0;  // from the hand to the head
  int seen = 100;     // percent of its length that shows
  int face = 60;      // percent of the head's width that shows (100: face on)
  bool behind = false;
  bool operator==(const RacketPose&) const = default;
};

inline constexpr int kRightSide = 0, kLeftSide = 1;

struct Pose {
  int hipX = 0;        // the hips across from the origin, in figure units
  int lean = 0;        // the trunk from upright, degrees, positive to the right
  int trunkSeen = 100; // percent of the trunk's length that shows (bent toward or away)
  int shoulders = 100; // percent of the shoulders' width that shows (turned sideways)
  int headTurn = 0;    // the head shifted across its neck, in figure units
  int headDrop = 0;    // the head sunk toward the chest (looking down), in figure units
  Limb arm[2], leg[2]; // kRightSide (the racket arm), kLeftSide
  RacketPose racket;
  bool racketInHand = true;
  int ponytail = 0;    // its swing from hanging straight, degrees
  bool ball = false;   // a ball at (ballX, ballY), units above the ground
  int ballX = 0, ballY = 0;
  bool ballInHand = false;  // a ball in the left hand
  bool operator==(const Pose&) const = default;
};

// A pose written a part at a time.
class PoseMaker {
 public:
  PoseMaker() = default;
  explicit PoseMaker(const Pose& p) : p_(p) {}
  PoseMaker& arm(int side, int upper, int lower, int upperSeen = 100, int lowerSeen = 100) {
    p_.arm[side] = {upper, lower, upperSeen, lowerSeen, false};
    return *this;
  }
  // An arm on the far side of the body (reaching forward, across the chest).
  PoseMaker& armFar(int side, int upper, int lower, int upperSeen = 100, int lowerSeen = 100) {
    p_.arm[side] = {upper, lower, upperSeen, lowerSeen, true};
    return *this;
  }
  PoseMaker& leg(int side, int upper, int lower, int upperSeen = 100, int lowerSeen = 100) {
    p_.leg[side] = {upper, lower, upperSeen, lowerSeen, false};
    return *this;
  }
  PoseMaker& legFar(int side, int upper, int lower, int upperSeen = 100, int lowerSeen = 100) {
    p_.leg[side] = {upper, lower, upperSeen, lowerSeen, true};
    return *this;
  }
  PoseMaker& racket(int direction, int face = 60, int seen = 100) {
    p_.racket = {direction, seen, face, false};
    p_.racketInHand = true;
    return *this;
  }
  PoseMaker& racketFar(int direction, int face = 60, int seen = 100) {
    p_.racket = {direction, seen, face, true};
    p_.racketInHand = true;
    return *this;
  }
  PoseMaker& noRacket() {
    p_.racketInHand = false;
    return *this;
  }
  PoseMaker& lean(int degrees) {
    p_.lean = degrees;
    return *this;
  }
  PoseMaker& shoulders(int percent) {
    p_.shoulders = percent;
    return *this;
  }
  PoseMaker& trunk(int seen) {
    p_.trunkSeen = seen;
    return *this;
  }
  PoseMaker& head(int turn, int drop = 0) {
    p_.headTurn = turn;
    p_.headDrop = drop;
    return *this;
  }
  PoseMaker& hips(int x) {
    p_.hipX = x;
    return *this;
  }
  PoseMaker& ponytail(int degrees) {
    p_.ponytail = degrees;
    return *this;
  }
  PoseMaker& ball(int x, int y) {
    p_.ball = true;
    p_.ballX = x;
    p_.ballY = y;
    return *this;
  }
  PoseMaker& ballInHand() {
    p_.ballInHand = true;
    return *this;
  }
  operator Pose() const { return p_; }  // NOLINT(google-explicit-constructor): reads as its pose

 private:
  Pose p_;
};

// The pose partway (numerator / denominator) from a to b; flags and the racket's side take
// b's from halfway.
Pose mixPoses(const Pose& a, const Pose& b, int numerator, int denominator);

// Paints the figure `height` pixels tall with its origin (the ground between its feet) at
// canvas pixel (originX, originY).
void paintFigure(Canvas& canvas, const Pose& pose, FigureKind kind, int height, int originX, int originY);

// Where the figure's hips are, in pixels from its origin (a seat goes under them).
Pt figureHips(const Pose& pose, FigureKind kind, int height);

// The figure on a canvas of its own, trimmed to its ink, and where its origin lies on it.
Canvas paintedFigure(const Pose& pose, FigureKind kind, int height, Pt* origin);

// The shadow of a figure on the ground under its feet, on a canvas of its own, and where the
// figure's origin lies on it. Spans are rounded so that few shadows serve many poses.
Canvas paintedFigureShadow(const Pose& pose, FigureKind kind, int height, Pt* origin);

}  // namespace sorv::mkdata
