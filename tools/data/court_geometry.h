// The court's one geometry, shared by the match and the data builder: the lines and the
// world box in court millimetres (x across, y up, z along the court from the far end), the
// match camera, and the two projection steps that turn a court point into a logical pixel of
// the 840 x 532 court image. The builder paints the court, the net and the previews where
// the match will look for them, so both must read the same numbers.
//
// Invariants: integer arithmetic only, with the match's 64-bit products and truncating
// divisions, so the builder's pictures are the same on every host; the near doubles
// baseline projects to logical (242, 418)..(618, 418) exactly. A court-image pixel is the
// logical point moved down by kCourtImageTop (the image is drawn 32 pixels above the view).
#pragma once

#include <cstdint>

namespace sorv::court {

// Line depths, far baseline to near baseline.
inline constexpr int32_t kFarBaselineZ = 6355, kFarServiceLineZ = 11900, kNetZ = 18300;
inline constexpr int32_t kNearServiceLineZ = 24700, kNearBaselineZ = 30185;
// Line positions across, left to right.
inline constexpr int32_t kDoublesLeftX = 3660, kSinglesLeftX = 4970, kCentreLineX = 9085;
inline constexpr int32_t kSinglesRightX = 13200, kDoublesRightX = 14510;
inline constexpr int32_t kLineDepths[5] = {kFarBaselineZ, kFarServiceLineZ, kNetZ, kNearServiceLineZ,
                                           kNearBaselineZ};
inline constexpr int32_t kLinePositions[5] = {kDoublesLeftX, kSinglesLeftX, kCentreLineX, kSinglesRightX,
                                              kDoublesRightX};

// The world box the ball bounces in.
inline constexpr int32_t kCeilingY = 10000, kSideX = 18290, kFarEndZ = -2000, kNearEndZ = 36600;

// The match camera: angle in tenths of a degree, distance and focal length; the picture's
// horizontal centre.
inline constexpr int32_t kCameraAngle = 170, kCameraDistance = 76600, kCameraFocal = 1400;
inline constexpr int32_t kProjectionCentreX = 9145;

// The logical scale: the near doubles baseline spans kLogicalWidth pixels from
// (kLogicalLeft, kLogicalBaseline).
inline constexpr int32_t kLogicalLeft = 242, kLogicalBaseline = 418, kLogicalWidth = 376;
// The court image's size, and how far below a logical point its pixel lies.
inline constexpr int32_t kCourtImageWidth = 840, kCourtImageHeight = 532, kCourtImageTop = 32;
// Where the net is drawn (its sprite's origin), in logical pixels.
inline constexpr int32_t kNetLogicalX = 430, kNetLogicalY = 230;

struct Point {
  int32_t x = 0, y = 0;
};

// The camera's sine and cosine of its angle in 7-bit fixed point (128 = 1.0), by the first
// terms of their series.
struct Camera {
  int32_t distance = 0, focal = 0;
  int64_t sin = 0, cos = 0;
};

constexpr Camera makeCamera(int32_t angle, int32_t distance, int32_t focal) {
  const int32_t r = angle * 804 / 3600;  // radians times 128
  return Camera{distance, focal, r - r * r * r / 98304, 128 - r * r / 256};
}

inline constexpr Camera kMatchCamera = makeCamera(kCameraAngle, kCameraDistance, kCameraFocal);

// The camera-space depth of a court point; 0 for a point in the camera's own plane, which
// has no picture.
constexpr int32_t depthOf(const Camera& c, int32_t x, int32_t y, int32_t z) {
  (void)x;
  return static_cast<int32_t>(c.distance + ((-(y * c.sin) - z * c.cos + 64) >> 7));
}

// The perspective step; false (and *out unchanged) for a point of depth 0.
constexpr bool project3DTo2D(const Camera& c, int32_t x, int32_t y, int32_t z, Point* out) {
  const int32_t depth = depthOf(c, x, y, z);
  if (depth == 0) return false;
  out->x = static_cast<int32_t>((int64_t{x} - kProjectionCentreX) * c.focal / depth);
  const int32_t scaled = static_cast<int32_t>(((z * c.sin - y * c.cos) * c.focal + 64) >> 7);
  out->y = scaled / depth;
  return true;
}

// The reference corners that fix the logical scale: the near baseline's doubles corners.
struct Scale {
  int32_t leftX = 0, leftY = 0, rightX = 0;
};

constexpr Scale scaleOf(const Camera& c) {
  Point left, right;
  project3DTo2D(c, kDoublesLeftX, 0, kNearBaselineZ, &left);
  project3DTo2D(c, kDoublesRightX, 0, kNearBaselineZ, &right);
  return Scale{left.x, left.y, right.x};
}

inline constexpr Scale kMatchScale = scaleOf(kMatchCamera);

// The logical step; the point stays as projected while the scale is unknown (no width).
constexpr Point project2D2Logical(const Scale& s, Point p) {
  const int32_t w = s.rightX - s.leftX;
  if (w == 0) return p;
  return Point{(p.x - s.leftX) * kLogicalWidth / w + kLogicalLeft,
               (p.y - s.leftY) * kLogicalWidth / w + kLogicalBaseline};
}

// A court point as a logical pixel with the match camera.
constexpr Point logicalPoint(int32_t x, int32_t y, int32_t z) {
  Point p;
  project3DTo2D(kMatchCamera, x, y, z, &p);
  return project2D2Logical(kMatchScale, p);
}

// A court point as a pixel of the court image.
constexpr Point courtImagePoint(int32_t x, int32_t y, int32_t z) {
  const Point p = logicalPoint(x, y, z);
  return Point{p.x, p.y + kCourtImageTop};
}

static_assert(logicalPoint(kDoublesLeftX, 0, kNearBaselineZ).x == kLogicalLeft);
static_assert(logicalPoint(kDoublesLeftX, 0, kNearBaselineZ).y == kLogicalBaseline);
static_assert(logicalPoint(kDoublesRightX, 0, kNearBaselineZ).x == kLogicalLeft + kLogicalWidth);

}  // namespace sorv::court
