#include "tools/mkdata/figure_painter.h"

#include <algorithm>
#include <cstdlib>

#include "tools/mkdata/integer_trig.h"

namespace sorv::mkdata {

namespace {

// The body's measures in figure units, by kind: lengths of the segments, half widths across,
// and the thickness of each segment.
struct Build {
  int footHeight, shin, thigh, trunk, neck, headRadius;
  int upperArm, forearm, hand;
  int shoulderHalf, chestHalf, waistHalf, hipHalf;
  int upperArmWidth, forearmWidth, thighWidth, shinWidth;
  int racketHandle, racketHead, racketWidth;
};

constexpr Build kManBuild{48, 228, 245, 282, 42, 78, 178, 152, 44, 122, 108, 92, 84,
                          74, 62, 108, 84, 96, 176, 128};
constexpr Build kWomanBuild{48, 228, 245, 284, 42, 76, 172, 148, 42, 106, 96, 76, 90,
                            64, 54, 104, 78, 92, 170, 124};

// A point in figure units, y up from the ground.
struct Unit {
  int x = 0, y = 0;
};

Unit operator+(Unit a, Unit b) { return {a.x + b.x, a.y + b.y}; }
Unit operator-(Unit a, Unit b) { return {a.x - b.x, a.y - b.y}; }

// The step of `length` units in a direction (degrees, 0 down, 90 right), scaled by seen %.
Unit step(int degrees, int length, int seen = 100) {
  const int64_t l = int64_t{length} * seen;
  return {static_cast<int>(l * sinDeg(degrees) / (100 * kTrigOne)),
          static_cast<int>(-l * cosDeg(degrees) / (100 * kTrigOne))};
}

Unit along(Unit a, Unit b, int percent) {
  return {a.x + (b.x - a.x) * percent / 100, a.y + (b.y - a.y) * percent / 100};
}

int mixInt(int a, int b, int n, int d) { return a + static_cast<int>(int64_t{b - a} * n / d); }

Limb mixLimb(const Limb& a, const Limb& b, int n, int d) {
  Limb out;
  out.upper = mixInt(a.upper, b.upper, n, d);
  out.lower = mixInt(a.lower, b.lower, n, d);
  out.upperSeen = mixInt(a.upperSeen, b.upperSeen, n, d);
  out.lowerSeen = mixInt(a.lowerSeen, b.lowerSeen, n, d);
  out.behind = 2 * n < d ? a.behind : b.behind;
  return out;
}

constexpr int kBallRadius = 34;

// Which shade run and level each palette index belongs to, for the darkened edges.
struct ShadeOf {
  const Shades* run = nullptr;
  int level = 0;
};

ShadeOf shadeOf(uint8_t index) {
  static const Shades* const kRuns[] = {&kHairShades, &kShirtShades, &kShortsShades, &kSockShades,
                                        &kShoeShades, &kBandShades,  &kRacketShades, &kSkinShades};
  for (const Shades* run : kRuns) {
    for (int i = 0; i < run->count; i++) {
      if (run->index[i] == index) return {run, i};
    }
  }
  return {};
}

// The level of a shade run for a light value 0 (in shadow) .. 256 (lit), dithered only
// near the steps between levels, so the parts read as flat, clean shapes.
uint8_t shadeAt(const Shades& s, int value, int x, int y) {
  const int v = std::clamp(value, 0, 256);
  const int level = (v * (s.count - 1) * 16 / 256 + 8 + (ditherThreshold(x, y) - 8) / 3) / 16;
  return s.index[std::clamp(level, 0, s.count - 1)];
}

// Paints on a figure's own canvas in sub-pixels (y down), with the light from the upper left.
class FigureCanvas {
 public:
  FigureCanvas(Canvas& canvas, int height, int originX, int originY)
      : c_(canvas), height_(height), ox_(originX * kSub + kSub / 2), oy_(originY * kSub) {}

  Pt sub(Unit u) const {
    return {ox_ + static_cast<int>(int64_t{u.x} * height_ * kSub / 1000),
            oy_ - static_cast<int>(int64_t{u.y} * height_ * kSub / 1000)};
  }
  int subLength(int units) const { return std::max(1, static_cast<int>(int64_t{units} * height_ * kSub / 1000)); }

  // A segment with round ends `width` units thick, shaded across like a cylinder.
  void capsule(Unit a, Unit b, int width, const Shades& s, int bias = 0) {
    const Pt p = sub(a), q = sub(b);
    const int64_t r = std::max(subLength(width) / 2, kSub / 2);
    const int64_t ex = q.x - p.x, ey = q.y - p.y, len2 = ex * ex + ey * ey;
    forBox(std::min(p.x, q.x) - r, std::min(p.y, q.y) - r, std::max(p.x, q.x) + r, std::max(p.y, q.y) + r,
           [&](int x, int y, int64_t cx, int64_t cy) {
             int64_t dx = cx - p.x, dy = cy - p.y;
             const int64_t dot = dx * ex + dy * ey;
             if (len2 > 0 && dot > 0) {
               if (dot >= len2) {
                 dx -= ex, dy -= ey;
               } else {
                 dx -= ex * dot / len2, dy -= ey * dot / len2;
               }
             }
             if (dx * dx + dy * dy > r * r) return;
             const int64_t lit = -(dx * 3 + dy * 4) / 5;
             set(x, y, shadeAt(s, static_cast<int>(128 + lit * 112 / r) + bias, x, y));
           });
  }

  // A filled polygon shaded from its lit left edge to its right, across `centre` +- half.
  void polygon(const std::vector<Unit>& points, Unit centre, int half, const Shades& s, int bias = 0) {
    std::vector<Pt> subs;
    int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    for (Unit u : points) {
      const Pt p = sub(u);
      subs.push_back(p);
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    const int px0 = std::max(0, x0 / kSub - 1), py0 = std::max(0, y0 / kSub - 1);
    const int px1 = std::min(c_.width(), x1 / kSub + 2), py1 = std::min(c_.height(), y1 / kSub + 2);
    if (px1 <= px0 || py1 <= py0) return;
    Canvas mask(px1 - px0, py1 - py0);
    for (Pt& p : subs) p = {p.x - px0 * kSub, p.y - py0 * kSub};
    mask.fillPolygonSub(subs, 1);
    const Pt mid = sub(centre);
    const int64_t h = std::max(subLength(half), kSub);
    for (int y = 0; y < mask.height(); y++) {
      for (int x = 0; x < mask.width(); x++) {
        if (mask.at(x, y) == 0) continue;
        const int gx = x + px0, gy = y + py0;
        const int64_t dx = gx * kSub + kSub / 2 - mid.x, dy = gy * kSub + kSub / 2 - mid.y;
        const int64_t lit = -(dx * 4 + dy) / 5;
        set(gx, gy, shadeAt(s, static_cast<int>(128 + lit * 100 / h) + bias, gx, gy));
      }
    }
  }

  // A ball, shaded as a sphere, `radius` units.
  void sphere(Unit centre, int radius, const Shades& s, int bias = 0) { capsule(centre, centre, 2 * radius, s, bias); }

  // Runs f on every pixel whose centre lies in the box (sub-pixels).
  template <class F>
  void forBox(int64_t x0, int64_t y0, int64_t x1, int64_t y1, F f) {
    const int fx = std::max<int64_t>(0, x0 / kSub - 1), fy = std::max<int64_t>(0, y0 / kSub - 1);
    const int tx = static_cast<int>(std::min<int64_t>(c_.width() - 1, x1 / kSub + 1));
    const int ty = static_cast<int>(std::min<int64_t>(c_.height() - 1, y1 / kSub + 1));
    for (int y = fy; y <= ty; y++) {
      for (int x = fx; x <= tx; x++) f(x, y, int64_t{x} * kSub + kSub / 2, int64_t{y} * kSub + kSub / 2);
    }
  }

  // Paints a pixel inside the canvas, keeping the box of what was painted.
  void set(int x, int y, uint8_t c) {
    if (x < 0 || y < 0 || x >= c_.width() || y >= c_.height()) return;
    c_.set(x, y, c);
    x0_ = std::min(x0_, x), y0_ = std::min(y0_, y), x1_ = std::max(x1_, x), y1_ = std::max(y1_, y);
  }
  Box painted() const { return x1_ < x0_ ? Box{} : Box{x0_, y0_, x1_ - x0_ + 1, y1_ - y0_ + 1}; }

 private:
  Canvas& c_;
  int height_;
  int ox_, oy_;
  int x0_ = INT32_MAX, y0_ = INT32_MAX, x1_ = INT32_MIN, y1_ = INT32_MIN;
};

// The joints of a pose, in figure units.
struct Joints {
  Unit hip, hipSide[2], shoulderMid, shoulder[2], head;
  Unit elbow[2], wrist[2], hand[2];
  Unit knee[2], ankle[2];
  Unit up, side;  // the trunk's unit directions (scaled by kTrigOne)
};

Joints jointsOf(const Pose& pose, const Build& b) {
  Joints j;
  j.up = {sinDeg(pose.lean), cosDeg(pose.lean)};
  j.side = {cosDeg(pose.lean), -sinDeg(pose.lean)};
  const auto scaled = [](Unit dir, int length) {
    return Unit{dir.x * length / kTrigOne, dir.y * length / kTrigOne};
  };
  const Unit hipSide[2] = {scaled(j.side, b.hipHalf), Unit{} - scaled(j.side, b.hipHalf)};
  // The hips stand as high as the lower leg reaches, so the lower sole touches the ground.
  int lowest = INT32_MAX;
  for (int s = 0; s < 2; s++) {
    const Limb& l = pose.leg[s];
    const Unit ankle = hipSide[s] + step(l.upper, b.thigh, l.upperSeen) + step(l.lower, b.shin, l.lowerSeen);
    lowest = std::min(lowest, ankle.y - b.footHeight);
  }
  j.hip = {pose.hipX, -lowest};
  j.hipSide[kRightSide] = j.hip + hipSide[kRightSide];
  j.hipSide[kLeftSide] = j.hip + hipSide[kLeftSide];
  j.shoulderMid = j.hip + scaled(j.up, b.trunk * pose.trunkSeen / 100);
  const int half = b.shoulderHalf * pose.shoulders / 100;
  j.shoulder[kRightSide] = j.shoulderMid + scaled(j.side, half);
  j.shoulder[kLeftSide] = j.shoulderMid - scaled(j.side, half);
  j.head = j.shoulderMid + scaled(j.up, b.neck + b.headRadius - pose.headDrop) + Unit{pose.headTurn, 0};
  for (int s = 0; s < 2; s++) {
    const Limb& a = pose.arm[s];
    j.elbow[s] = j.shoulder[s] + step(a.upper, b.upperArm, a.upperSeen);
    j.wrist[s] = j.elbow[s] + step(a.lower, b.forearm, a.lowerSeen);
    j.hand[s] = j.wrist[s] + step(a.lower, b.hand / 2, a.lowerSeen);
    const Limb& l = pose.leg[s];
    j.knee[s] = j.hipSide[s] + step(l.upper, b.thigh, l.upperSeen);
    j.ankle[s] = j.knee[s] + step(l.lower, b.shin, l.lowerSeen);
  }
  return j;
}

class FigurePainter {
 public:
  FigurePainter(FigureCanvas& f, const Pose& pose, FigureKind kind)
      : f_(f), pose_(pose), woman_(kind == FigureKind::kWoman), b_(woman_ ? kWomanBuild : kManBuild),
        j_(jointsOf(pose, b_)) {}

  void paint() {
    for (int s = 0; s < 2; s++) {
      if (pose_.arm[s].behind) arm(s);
    }
    if (pose_.racketInHand && pose_.racket.behind) racket();
    for (int s = 0; s < 2; s++) {
      if (pose_.leg[s].behind) leg(s);
    }
    for (int s = 0; s < 2; s++) {
      if (!pose_.leg[s].behind) leg(s);
    }
    woman_ ? skirt() : shorts();
    trunk();
    head();
    for (int s = 0; s < 2; s++) {
      if (!pose_.arm[s].behind) arm(s);
    }
    if (pose_.racketInHand && !pose_.racket.behind) {
      racket();
      // The hand holds the handle over the frame.
      if (!pose_.arm[kRightSide].behind) hand(kRightSide);
    }
    if (pose_.ball) f_.sphere({pose_.ballX, pose_.ballY}, kBallRadius, kSockShades, 40);
    if (pose_.ballInHand) f_.sphere(j_.hand[kLeftSide] + Unit{0, kBallRadius}, kBallRadius, kSockShades, 40);
  }

 private:
  void leg(int s) {
    const Unit sole = j_.ankle[s] - Unit{0, b_.footHeight};
    f_.capsule(j_.hipSide[s], j_.knee[s], b_.thighWidth, kSkinShades, 30);
    f_.capsule(j_.knee[s], j_.ankle[s], b_.shinWidth, kSkinShades, 30);
    f_.capsule(along(j_.ankle[s], j_.knee[s], 28), j_.ankle[s], b_.shinWidth + 10, kSockShades, 50);
    // The shoe fills the foot's height, its lowest edge on the ground.
    const int toe = b_.shinWidth * 2 / 5;
    const Unit heel = sole + Unit{0, b_.footHeight / 2};
    f_.capsule(heel - Unit{toe, 0}, heel + Unit{toe, 0}, b_.footHeight, kShoeShades, 30);
  }

  void shorts() {
    for (int s = 0; s < 2; s++) {
      f_.capsule(j_.hipSide[s], along(j_.hipSide[s], j_.knee[s], 42), b_.thighWidth + 22, kShortsShades);
    }
    const Unit waist = j_.hip + up(56), crotch = j_.hip - up(30);
    f_.polygon({waist + side(b_.hipHalf + 22), j_.hipSide[kRightSide] + side(22), crotch,
                j_.hipSide[kLeftSide] - side(22), waist - side(b_.hipHalf + 22)},
               j_.hip, b_.hipHalf + 20, kShortsShades);
  }

  // A short pleated skirt, flared over both thighs to just above their middle.
  void skirt() {
    const Unit waist = j_.hip + up(60);
    int left = INT32_MAX, right = INT32_MIN, low = INT32_MAX;
    for (int s = 0; s < 2; s++) {
      const Unit hem = along(j_.hipSide[s], j_.knee[s], 40);
      left = std::min(left, hem.x - b_.thighWidth / 2 - 26);
      right = std::max(right, hem.x + b_.thighWidth / 2 + 26);
      low = std::min(low, hem.y);
    }
    low = std::max(low, j_.hip.y - b_.thigh * 45 / 100);
    f_.polygon({waist + side(b_.hipHalf + 6), {right, low}, {(left + right) / 2, low - 10}, {left, low},
                waist - side(b_.hipHalf + 6)},
               j_.hip, b_.hipHalf + 40, kShortsShades, 10);
  }

  void trunk() {
    const Unit waist = j_.hip + up(b_.trunk * pose_.trunkSeen * 40 / 10000);
    const Unit chest = j_.hip + up(b_.trunk * pose_.trunkSeen * 74 / 10000);
    const Unit hem = j_.hip + up(26);
    const Unit top = j_.shoulderMid + up(12);
    const int shoulderHalf = b_.shoulderHalf * pose_.shoulders / 100;
    const int chestHalf = b_.chestHalf * (pose_.shoulders + 100) / 200;
    const Unit centre = along(j_.hip, j_.shoulderMid, 55);
    const int shirtHalf = b_.hipHalf + (woman_ ? 4 : 14);
    f_.polygon({hem - side(shirtHalf), waist - side(b_.waistHalf), chest - side(chestHalf),
                top - side(shoulderHalf - 20), top + side(shoulderHalf - 20), chest + side(chestHalf),
                waist + side(b_.waistHalf), hem + side(shirtHalf)},
               centre, shoulderHalf, kShirtShades, 8);
  }

  void head() {
    const int r = b_.headRadius;
    const Unit neckTop = j_.head - up(r * 3 / 4);
    f_.capsule(j_.shoulderMid, neckTop, woman_ ? 50 : 60, kSkinShades, 10);
    // Ears, then the head; the hair covers its back down to the nape.
    f_.sphere(j_.head + side(r - 8) - up(14), 18, kSkinShades, 20);
    f_.sphere(j_.head - side(r - 8) - up(14), 18, kSkinShades, 20);
    f_.sphere(j_.head, r, kSkinShades, 30);
    hairCap(r, woman_ ? r : r / 2);
    if (!woman_) return;
    const Unit root = j_.head + up(r / 3);
    const Unit tip = root + step(pose_.ponytail, r * 2);
    f_.capsule(root, along(root, tip, 60), 50, kHairShades, 10);
    f_.capsule(along(root, tip, 50), tip, 34, kHairShades, 0);
    f_.sphere(root, 22, kBandShades, 30);
  }

  // The hair over the head down to `nape` units below its centre.
  void hairCap(int r, int nape) {
    const Pt c = f_.sub(j_.head);
    const int64_t rs = f_.subLength(r + 4);
    const int64_t cut = f_.subLength(nape);
    f_.forBox(c.x - rs, c.y - rs, c.x + rs, c.y + rs, [&](int x, int y, int64_t cx, int64_t cy) {
      const int64_t dx = cx - c.x, dy = cy - c.y;
      if (dx * dx + dy * dy > rs * rs || dy > cut - dx * dx / (rs * 3)) return;
      const int64_t lit = -(dx * 3 + dy * 4) / 5;
      f_.set(x, y, shadeAt(kHairShades, static_cast<int>(128 + lit * 120 / rs), x, y));
    });
  }

  void arm(int s) {
    f_.capsule(j_.shoulder[s], j_.elbow[s], b_.upperArmWidth, kSkinShades, 30);
    if (!woman_) {
      f_.capsule(j_.shoulder[s], along(j_.shoulder[s], j_.elbow[s], 40), b_.upperArmWidth + 14, kShirtShades, 10);
    }
    f_.capsule(j_.elbow[s], j_.wrist[s], b_.forearmWidth, kSkinShades, 30);
    f_.capsule(along(j_.elbow[s], j_.wrist[s], 72), along(j_.elbow[s], j_.wrist[s], 84), b_.forearmWidth + 8,
               kBandShades, 20);
    hand(s);
  }

  void hand(int s) { f_.sphere(j_.hand[s], b_.hand * 6 / 10, kSkinShades, 30); }

  // The racket from the hand: its handle, then the strings inside the frame.
  void racket() {
    const RacketPose& rp = pose_.racket;
    const Unit grip = j_.hand[kRightSide];
    const Unit throat = grip + step(rp.direction, b_.racketHandle, rp.seen);
    const Unit centre = throat + step(rp.direction, b_.racketHead / 2, rp.seen);
    f_.capsule(grip - step(rp.direction, 26, rp.seen), throat, 22, kRacketShades, -40);
    const Pt c = f_.sub(centre);
    const int64_t a = std::max<int64_t>(f_.subLength(b_.racketHead * rp.seen / 200), kSub);
    const int64_t w = std::max<int64_t>(f_.subLength(b_.racketWidth * rp.face / 200), kSub * 3 / 4);
    const int64_t frame = std::max(f_.subLength(20), kSub);
    const int64_t ia = std::max<int64_t>(a - frame, 0), iw = std::max<int64_t>(w - frame, 0);
    // The head's axes on the canvas (y down).
    const int64_t ux = sinDeg(rp.direction), uy = cosDeg(rp.direction);
    f_.forBox(c.x - a - w, c.y - a - w, c.x + a + w, c.y + a + w, [&](int x, int y, int64_t cx, int64_t cy) {
      const int64_t dx = cx - c.x, dy = cy - c.y;
      const int64_t u = (dx * ux + dy * uy) / kTrigOne, v = (dy * ux - dx * uy) / kTrigOne;
      if (u * u * w * w + v * v * a * a > a * a * w * w) return;
      const bool strings = ia > 0 && iw > 0 && u * u * iw * iw + v * v * ia * ia <= ia * ia * iw * iw;
      uint8_t colour;
      if (strings) {
        colour = kRacketShades.index[((x + y) & 1) != 0 ? 3 : 2];
      } else {
        colour = kRacketShades.index[v * uy + u * ux < 0 ? 1 : 0];
      }
      f_.set(x, y, colour);
    });
  }

  Unit up(int length) const { return {j_.up.x * length / kTrigOne, j_.up.y * length / kTrigOne}; }
  Unit side(int length) const { return {j_.side.x * length / kTrigOne, j_.side.y * length / kTrigOne}; }

  FigureCanvas& f_;
  const Pose& pose_;
  bool woman_;
  const Build& b_;
  Joints j_;
};

// Darkens each painted pixel whose right or lower neighbour is empty by one shade: the
// shadowed rim that keeps a small figure apart from the court.
void darkenShadedRim(Canvas& c, const Box& ink) {
  const Canvas before = c.crop(ink);
  for (int y = 0; y < ink.h; y++) {
    for (int x = 0; x < ink.w; x++) {
      const uint8_t p = before.at(x, y);
      if (p == 0 || (before.at(x + 1, y) != 0 && before.at(x, y + 1) != 0)) continue;
      const ShadeOf s = shadeOf(p);
      if (s.run != nullptr && s.level > 0) c.set(ink.x + x, ink.y + y, s.run->index[s.level - 1]);
    }
  }
}

}  // namespace

Pose mixPoses(const Pose& a, const Pose& b, int n, int d) {
  if (d <= 0) return a;
  Pose out = 2 * n < d ? a : b;
  out.hipX = mixInt(a.hipX, b.hipX, n, d);
  out.lean = mixInt(a.lean, b.lean, n, d);
  out.trunkSeen = mixInt(a.trunkSeen, b.trunkSeen, n, d);
  out.shoulders = mixInt(a.shoulders, b.shoulders, n, d);
  out.headTurn = mixInt(a.headTurn, b.headTurn, n, d);
  for (int s = 0; s < 2; s++) {
    out.arm[s] = mixLimb(a.arm[s], b.arm[s], n, d);
    out.leg[s] = mixLimb(a.leg[s], b.leg[s], n, d);
  }
  out.racket.direction = mixInt(a.racket.direction, b.racket.direction, n, d);
  out.racket.seen = mixInt(a.racket.seen, b.racket.seen, n, d);
  out.racket.face = mixInt(a.racket.face, b.racket.face, n, d);
  out.ponytail = mixInt(a.ponytail, b.ponytail, n, d);
  out.ballX = mixInt(a.ballX, b.ballX, n, d);
  out.ballY = mixInt(a.ballY, b.ballY, n, d);
  return out;
}

namespace {

// Paints the figure onto an empty canvas; the box it painted.
Box paintOnEmpty(Canvas& canvas, const Pose& pose, FigureKind kind, int height, int originX, int originY) {
  FigureCanvas f(canvas, height, originX, originY);
  FigurePainter(f, pose, kind).paint();
  darkenShadedRim(canvas, f.painted());
  return f.painted();
}

// A canvas with room for a racket held out or high and a ball tossed over it (nothing goes
// below the soles), and where the origin lies on it.
Canvas roomFor(int height, Pt* origin) {
  *origin = {height, height * 2};
  return Canvas(height * 2 + 1, height * 2 + 2);
}

}  // namespace

void paintFigure(Canvas& canvas, const Pose& pose, FigureKind kind, int height, int originX, int originY) {
  Pt o;
  Canvas own = roomFor(height, &o);
  paintOnEmpty(own, pose, kind, height, o.x, o.y);
  canvas.draw(own, originX - o.x, originY - o.y);
}

Pt figureHips(const Pose& pose, FigureKind kind, int height) {
  const Joints j = jointsOf(pose, kind == FigureKind::kWoman ? kWomanBuild : kManBuild);
  return {j.hip.x * height / 1000, -j.hip.y * height / 1000};
}

Canvas paintedFigure(const Pose& pose, FigureKind kind, int height, Pt* origin) {
  Pt o;
  Canvas c = roomFor(height, &o);
  const Box ink = paintOnEmpty(c, pose, kind, height, o.x, o.y);
  *origin = {o.x - ink.x, o.y - ink.y};
  return c.crop(ink);
}

Canvas paintedFigureShadow(const Pose& pose, FigureKind kind, int height, Pt* origin) {
  const Joints j = jointsOf(pose, kind == FigureKind::kWoman ? kWomanBuild : kManBuild);
  // Across the feet, rounded to steps of kStep units.
  constexpr int kStep = 80, kMargin = 150;
  const int left = std::min(j.ankle[0].x, j.ankle[1].x), right = std::max(j.ankle[0].x, j.ankle[1].x);
  const int half = ((right - left) / 2 + kStep - 1) / kStep * kStep + kMargin;
  const int mid = (left + right) / 2 / (kStep / 2) * (kStep / 2);
  const int rx = std::max(2, half * height / 1000), ry = std::max(1, 42 * height / 1000);
  const int shift = mid * height / 1000;
  Canvas c(2 * rx + 1, 2 * ry + 1);
  c.fillEllipse(rx, ry, rx, ry, kFigureShadowIndex);
  *origin = {rx - shift, ry};
  return c;
}

}  // namespace sorv::mkdata
