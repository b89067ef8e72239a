#include "tools/mkdata/player_poses.h"

#include "tools/data/resource_ids.h"

namespace sorv::mkdata {

namespace {

constexpr int R = kRightSide, L = kLeftSide;

// The same move to the other side: the legs and the body swap sides, the arms keep their
// hands (the racket stays in the right).
Limb mirroredLimb(const Limb& l) { return {-l.upper, -l.lower, l.upperSeen, l.lowerSeen, l.behind}; }

Pose toOtherSide(const Pose& p) {
  Pose m = p;
  m.hipX = -p.hipX;
  m.lean = -p.lean;
  m.headTurn = -p.headTurn;
  m.ponytail = -p.ponytail;
  m.ballX = -p.ballX;
  for (int s = 0; s < 2; s++) {
    m.leg[s] = mirroredLimb(p.leg[1 - s]);
  }
  return m;
}

PoseStep shown(const Pose& p, int time = 1, int dx = 0, int dy = 0) { return {p, time, dx, dy}; }

PosePlan steps(const std::vector<Pose>& poses, int time) {
  PosePlan plan;
  for (const Pose& p : poses) plan.push_back(shown(p, time));
  return plan;
}

// --- Standing, ready and running

Pose standing(int sway = 0) {
  return PoseMaker()
      .leg(R, 4, 2)
      .leg(L, -4, -2)
      .arm(R, 14 + sway, 24 + sway)
      .arm(L, -12, -14 - sway)
      .racket(14 + sway, 40);
}

Pose ready(int bob = 0) {
  return PoseMaker()
      .leg(R, 20 + bob, -6 - bob)
      .leg(L, -20 - bob, 6 + bob)
      .armFar(R, 22, 150, 85, 55)
      .armFar(L, -22, -150, 85, 55)
      .racketFar(178, 90, 75);
}

// The four frames of a run seen from behind: each leg in turn plants and kicks back (its
// shin toward the camera looks short), the arms swing against the legs.
std::vector<Pose> runCycle(int lean) {
  const Pose k0 = PoseMaker()
                      .leg(R, -3, 3)
                      .leg(L, 8, 2, 85, 30)
                      .arm(R, 26, 14, 85, 75)
                      .arm(L, -12, -168, 70, 45)
                      .racket(40, 45, 75)
                      .lean(lean)
                      .ponytail(-lean - 14);
  const Pose k1 = PoseMaker()
                      .leg(R, 4, 6, 100, 90)
                      .leg(L, -6, -2, 95, 75)
                      .arm(R, 18, 70, 90, 60)
                      .arm(L, -16, -70, 90, 60)
                      .racket(100, 40, 80)
                      .lean(lean)
                      .ponytail(-lean);
  const Pose k2 = PoseMaker()
                      .leg(L, 3, -3)
                      .leg(R, -8, -2, 85, 30)
                      .arm(R, 12, 168, 70, 45)
                      .arm(L, -26, -14, 85, 75)
                      .racket(168, 45, 70)
                      .lean(lean)
                      .ponytail(-lean + 14);
  const Pose k3 = PoseMaker()
                      .leg(L, -4, -6, 100, 90)
                      .leg(R, 6, 2, 95, 75)
                      .arm(R, 16, 110, 90, 60)
                      .arm(L, -18, -110, 90, 60)
                      .racket(130, 40, 80)
                      .lean(lean)
                      .ponytail(-lean);
  return {k0, k1, k2, k3};
}

// Side steps to the right: the right foot leads, the left closes; the racket stays ready.
std::vector<Pose> sideSteps(bool toRight) {
  const auto step = [](int legR, int shinR, int legL, int shinL, int lean) {
    return PoseMaker()
        .leg(R, legR, shinR)
        .leg(L, legL, shinL)
        .arm(R, 36, 122, 100, 70)
        .arm(L, -34, -104, 100, 70)
        .racket(158, 60, 90)
        .lean(lean)
        .ponytail(-lean * 3);
  };
  std::vector<Pose> right = {step(8, 2, -8, -2, 0), step(30, 14, -8, -2, -4), step(26, 10, -24, -10, -2),
                             step(14, 6, -18, -10, 2)};
  if (toRight) return right;
  for (Pose& p : right) p = toOtherSide(p);
  return right;
}

Pose brakeSide(int depth, bool movingLeft) {
  // Moving left the left foot plants out ahead and the body leans back to the right.
  const Pose p = PoseMaker()
                     .leg(L, -22 - depth * 5, -14 - depth * 7)
                     .leg(R, 8 + depth * 5, 6 + depth * 6)
                     .arm(L, -54, -84)
                     .arm(R, 48, 110)
                     .racket(148, 60, 90)
                     .lean(4 + depth * 3)
                     .ponytail(-20);
  return movingLeft ? p : toOtherSide(p);
}

Pose brakeStraight(int depth, bool wasForward) {
  const int spread = 14 + depth * 6;
  return PoseMaker()
      .leg(R, spread, wasForward ? -4 - depth * 2 : 4 + depth * 4)
      .leg(L, -spread, wasForward ? 4 + depth * 2 : -4 - depth * 4)
      .arm(R, 34, 118, 100, 70)
      .arm(L, -34, -104, 100, 70)
      .racket(156, 60, 90)
      .trunk(wasForward ? 100 : 94 - depth * 2);
}

// The push off into a run to the left: the right leg drives, the body leans into the run.
Pose startSide(bool toLeft) {
  const Pose p = PoseMaker()
                     .leg(R, 32, 28)
                     .leg(L, -14, -6)
                     .arm(L, -56, -90)
                     .arm(R, 22, 90)
                     .racket(140, 60, 90)
                     .lean(-12)
                     .ponytail(20);
  return toLeft ? p : toOtherSide(p);
}

// Serve position: the ball in the left hand, a step to either side.
Pose atServeMark(int legR, int shinR, int legL, int shinL, int sway) {
  return PoseMaker()
      .leg(R, legR, shinR)
      .leg(L, legL, shinL)
      .arm(R, 12 + sway, 22 + sway)
      .arm(L, -16, -34 - sway)
      .racket(12 + sway, 40)
      .ballInHand();
}

PosePlan receiveSteps(int dir) {
  const auto r = [](int legR, int shinR, int legL, int shinL) {
    Pose p = ready();
    p.leg[R] = {legR, shinR, 100, 100, false};
    p.leg[L] = {legL, shinL, 100, 100, false};
    return p;
  };
  switch (dir) {
    case 0:
      return steps({r(28, -2, -16, 6), r(22, -6, -22, 6), r(16, -6, -26, 2)}, 1);
    case 1:
      return steps({r(16, -6, -28, 2), r(22, -6, -22, 6), r(26, -2, -16, 6)}, 1);
    case 2:
      return steps({r(16, -6, -16, 6), r(10, 0, -10, 0), r(24, -8, -24, 8)}, 1);
    default:
      return steps({r(12, -2, -14, 4), r(20, -8, -20, 8), r(14, -4, -12, 2)}, 1);
  }
}

// --- Strokes

// The ten frames of a swing on the forehand side: backswing, the racket dropping under the
// ball, contact at frame 6 on the right of the body, the follow-through over the left
// shoulder.
struct SwingStyle {
  int spread = 0;   // legs wider apart
  int bend = 0;     // knees bent
  int turn = 0;     // shoulders turned further at the backswing
  int low = 0;      // the racket lower at contact, degrees
  int reach = 0;    // the arm reaching out further, degrees
  int lean = 0;     // the trunk leaning toward the ball at contact
  int slideLeg = 0; // the near leg sliding out toward the ball
};

Pose legsOf(Pose p, const SwingStyle& s, int frame) {
  const int slide = frame >= 3 ? s.slideLeg : s.slideLeg / 3;
  p.leg[R].upper += s.spread + s.bend + slide;
  p.leg[R].lower += s.spread / 2 - s.bend + slide;
  p.leg[L].upper -= s.spread + s.bend;
  p.leg[L].lower -= s.spread / 2 - s.bend;
  return p;
}

std::vector<Pose> forehandSwing(const SwingStyle& s) {
  const int low = s.low, turn = s.turn;
  std::vector<Pose> f = {
      PoseMaker().leg(R, 18, 6).leg(L, -20, -6).shoulders(86 - turn / 2).lean(-2)
          .arm(R, 46, 82).armFar(L, 10, 50, 80, 70).racket(120, 60),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(72 - turn).lean(-4 - s.lean / 2)
          .arm(R, 72, 128).armFar(L, 40, 74, 80, 80).racket(156 + turn / 2, 55, 90).ponytail(-8),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(74 - turn).lean(-4)
          .arm(R, 76, 110).armFar(L, 36, 70, 80, 80).racket(118, 50, 90),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(78 - turn / 2).lean(-2)
          .arm(R, 68 + low / 3, 72 + low).armFar(L, 20, 50, 80, 80).racket(48 + low, 60, 90),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(84).lean(0)
          .arm(R, 62 + low / 3, 64 + low).arm(L, -20, -20).racket(58 + low, 70, 90),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(92).lean(s.lean / 2)
          .arm(R, 66 + low / 3 + s.reach / 2, 78 + low).arm(L, -34, -28).racket(76 + low, 85, 92),
      PoseMaker().leg(R, 20, 8).leg(L, -22, -6).shoulders(100).lean(3 + s.lean)
          .arm(R, 70 + low / 3 + s.reach, 86 + low + s.reach / 2).arm(L, -42, -32).racket(90 + low, 95, 95)
          .ponytail(10),
      PoseMaker().leg(R, 18, 6).leg(L, -22, -6).shoulders(92).lean(2 + s.lean / 2)
          .armFar(R, 24, 150, 80, 70).arm(L, -40, -24).racket(174, 55, 80).ponytail(16),
      PoseMaker().leg(R, 16, 6).leg(L, -20, -6).shoulders(82).lean(2)
          .armFar(R, -26, -160, 70, 60).arm(L, -30, -14).racket(204, 45, 80).ponytail(14),
      PoseMaker().leg(R, 14, 4).leg(L, -18, -4).shoulders(78).lean(1)
          .armFar(R, -48, -168, 70, 50).arm(L, -26, -8).racket(24, 70, 80).ponytail(6),
  };
  for (int i = 0; i < kSwingFrames; i++) f[static_cast<size_t>(i)] = legsOf(f[static_cast<size_t>(i)], s, i);
  return f;
}

// The two-handed backhand: the mirror of the forehand's path, both hands on the handle.
std::vector<Pose> backhandSwing(const SwingStyle& s) {
  const int low = s.low, turn = s.turn;
  std::vector<Pose> f = {
      PoseMaker().leg(R, 20, 6).leg(L, -18, -6).shoulders(86 - turn / 2).lean(2)
          .armFar(R, -30, -64, 90, 80).arm(L, -40, -64).racket(-128, 60),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(72 - turn).lean(4 + s.lean / 2)
          .armFar(R, -50, -104, 90, 90).arm(L, -62, -112).racket(-156 - turn / 2, 55, 90).ponytail(8),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(74 - turn).lean(4)
          .armFar(R, -54, -96, 90, 90).arm(L, -66, -100).racket(-118, 50, 90),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(78 - turn / 2).lean(2)
          .armFar(R, -50 - low / 3, -70 - low, 90, 90).arm(L, -60 - low / 3, -74 - low).racket(-48 - low, 60, 90),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(84).lean(0)
          .armFar(R, -46 - low / 3, -64 - low, 90, 90).arm(L, -56 - low / 3, -64 - low).racket(-58 - low, 70, 90),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(92).lean(-s.lean / 2)
          .armFar(R, -52 - low / 3 - s.reach / 2, -76 - low, 95, 95).arm(L, -60 - low / 3 - s.reach / 2, -80 - low)
          .racket(-76 - low, 85, 92),
      PoseMaker().leg(R, 22, 6).leg(L, -20, -8).shoulders(100).lean(-3 - s.lean)
          .armFar(R, -56 - low / 3 - s.reach, -84 - low - s.reach / 2, 95, 95)
          .arm(L, -64 - low / 3 - s.reach, -88 - low - s.reach / 2).racket(-90 - low, 95, 95).ponytail(-10),
      PoseMaker().leg(R, 22, 6).leg(L, -18, -6).shoulders(92).lean(-2 - s.lean / 2)
          .armFar(R, -10, -150, 80, 70).armFar(L, -24, -150, 80, 70).racket(-174, 55, 80).ponytail(-16),
      PoseMaker().leg(R, 20, 6).leg(L, -16, -6).shoulders(82).lean(-2)
          .armFar(R, 30, 160, 70, 60).armFar(L, 20, 160, 70, 60).racket(-204, 45, 80).ponytail(-14),
      PoseMaker().leg(R, 18, 4).leg(L, -14, -4).shoulders(78).lean(-1)
          .armFar(R, 46, 168, 70, 50).armFar(L, 36, 166, 70, 50).racket(-24, 70, 80).ponytail(-6),
  };
  for (int i = 0; i < kSwingFrames; i++) {
    Pose& p = f[static_cast<size_t>(i)];
    p = legsOf(p, s, i);
    // The slide of a backhand goes to the left.
    if (s.slideLeg != 0) {
      const int slide = i >= 3 ? s.slideLeg : s.slideLeg / 3;
      p.leg[R].upper -= 2 * slide;
      p.leg[R].lower -= 2 * slide;
      p.leg[L].upper -= slide;
      p.leg[L].lower -= slide;
    }
  }
  return f;
}

// The one-handed backhand: the racket arm alone across the body, the other arm thrown back.
std::vector<Pose> oneHandedBackhand(const SwingStyle& s) {
  std::vector<Pose> f = backhandSwing(s);
  const int low = s.low;
  f[0].arm[L] = {-20, -40, 90, 80, true};
  f[1].arm[L] = {-30, -70, 90, 80, true};
  for (int i = 2; i <= 5; i++) f[static_cast<size_t>(i)].arm[L] = {-24, -50, 90, 80, true};
  f[6].arm[R] = {-70 - low / 3 - s.reach, -92 - low, 100, 100, true};
  f[6].arm[L] = {40, 60, 90, 90, false};
  f[7].arm[R] = {-30, -150, 85, 80, true};
  f[7].arm[L] = {50, 70, 90, 90, false};
  f[8].arm[R] = {20, 170, 80, 70, true};
  f[8].arm[L] = {48, 60, 90, 90, false};
  f[9].arm[R] = {60, 176, 80, 60, true};
  f[9].arm[L] = {40, 40, 90, 90, false};
  f[9].racket = {160, 80, 60, false};
  return f;
}

// A punch at a ball on the body: the racket held up in front, pushed toward the net.
std::vector<Pose> blockSwing(bool backhand) {
  const auto at = [](int upper, int lower, int racket, int seen, int spread) {
    return Pose(PoseMaker()
                    .leg(R, 18 + spread, -4)
                    .leg(L, -18 - spread, 4)
                    .armFar(R, upper, lower, 85, 60)
                    .arm(L, -36, -60)
                    .racket(racket, 90, seen));
  };
  std::vector<Pose> f = {at(24, 140, 150, 85, 0),  at(32, 130, 140, 90, 2), at(30, 136, 148, 88, 2),
                         at(26, 144, 158, 84, 3),  at(22, 150, 166, 80, 4), at(20, 156, 172, 76, 4),
                         at(18, 160, 178, 70, 4),  at(18, 156, 174, 74, 3), at(20, 150, 168, 80, 2),
                         at(22, 146, 160, 84, 1)};
  if (backhand) {
    for (Pose& p : f) {
      p.arm[R] = {-p.arm[R].upper, -p.arm[R].lower, p.arm[R].upperSeen, p.arm[R].lowerSeen, true};
      p.arm[L] = {-20, -150, 85, 60, true};
      p.racket.direction = -p.racket.direction;
    }
  }
  return f;
}

// The smash: sideways with the left hand pointing up, the racket dropped behind the back,
// contact high above the head, the follow-through down across the body.
std::vector<Pose> smashSwing() {
  return {
      PoseMaker().leg(R, 16, 4).leg(L, -14, -4).shoulders(80).arm(L, -168, -176).arm(R, 92, 150, 100, 90)
          .racket(170, 50, 90),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(72).lean(-4).arm(L, -170, -178)
          .arm(R, 100, -170, 100, 80).racket(20, 70, 80),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(72).lean(-4).arm(L, -166, -176)
          .arm(R, 110, -160, 100, 80).racket(-4, 70, 80),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(78).lean(-2).arm(L, -150, -170)
          .arm(R, 130, 180, 100, 80).racket(60, 60, 80),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(86).arm(L, -120, -150)
          .arm(R, 150, 176, 100, 90).racket(130, 60, 85),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(94).lean(2).arm(L, -90, -120)
          .arm(R, 164, 178, 100, 95).racket(166, 80, 95),
      PoseMaker().leg(R, 18, 4).leg(L, -16, -4).shoulders(100).lean(3).arm(L, -60, -60)
          .arm(R, 172, 180).racket(180, 100),
      PoseMaker().leg(R, 16, 4).leg(L, -18, -4).shoulders(92).lean(4).arm(L, -44, -30)
          .armFar(R, 120, 150, 90, 80).racket(130, 60, 80),
      PoseMaker().leg(R, 14, 4).leg(L, -18, -4).shoulders(84).lean(3).arm(L, -36, -20)
          .armFar(R, 10, -40, 80, 80).racket(-60, 50, 80),
      PoseMaker().leg(R, 12, 4).leg(L, -16, -4).shoulders(80).lean(2).arm(L, -30, -14)
          .armFar(R, -30, -60, 80, 80).racket(-30, 60, 80),
  };
}

// A long step toward the net for the last ball in reach, the racket stretched forward.
std::vector<Pose> lungeSwing() {
  const auto at = [](int stride, int upper, int lower, int racket, int seen) {
    return Pose(PoseMaker()
                    .legFar(R, 10, 4 - stride / 4, 100 - stride, 100)
                    .leg(L, -10 - stride / 3, -6 - stride / 3, 100, 100 - stride)
                    .arm(R, upper, lower, 80, 70)
                    .arm(L, -50, -70)
                    .racket(racket, 90, seen)
                    .trunk(100 - stride / 3)
                    .lean(2));
  };
  // Out to the full stride by the contact, then partway back.
  const Pose start = at(0, 40, 110, 130, 85), reach = at(28, 64, 130, 132, 72), back = at(14, 36, 150, 160, 82);
  std::vector<Pose> f;
  for (int i = 0; i <= kSwingContact; i++) f.push_back(mixPoses(start, reach, i, kSwingContact));
  const int after = kSwingFrames - kSwingContact - 1;
  for (int i = 1; i <= after; i++) f.push_back(mixPoses(reach, back, i, after));
  return f;
}

// The serve: the ball bounced and tossed from the left hand while the racket goes back,
// high to 3 m (the toss of a full serve) or to 1 m (the weak toss).
std::vector<PoseStep> servePlan(bool weak) {
  const auto stance = [](int armL, int foreL, int armR, int foreR, int racket, int face) {
    return PoseMaker()
        .leg(R, 14, 4)
        .leg(L, -12, -2)
        .shoulders(70)
        .arm(L, armL, foreL)
        .arm(R, armR, foreR)
        .racket(racket, face, 90);
  };
  const Pose hold = PoseMaker(stance(-20, -40, 20, 30, 30, 50)).ballInHand();
  const Pose bounce = PoseMaker(stance(-28, -20, 20, 30, 30, 50)).ball(-170, 60);
  const Pose caught = PoseMaker(stance(-24, -30, 20, 30, 30, 50)).ballInHand();
  const Pose rising = PoseMaker(stance(-110, -130, 50, 60, 60, 60)).ballInHand();
  if (weak) {
    const Pose toss = PoseMaker(stance(-140, -150, 62, 90, 110, 60)).ball(-160, 720);
    const Pose top = PoseMaker(stance(-130, -140, 70, 100, 130, 60)).ball(-150, 600);
    return {shown(hold), shown(bounce), shown(caught), shown(rising), shown(toss),
            shown(top),  shown(top),    shown(top),    shown(top),    shown(top)};
  }
  const Pose toss = PoseMaker(stance(-168, -174, 70, 120, 150, 50)).ball(-130, 1240);
  const Pose trophy1 = PoseMaker(stance(-172, -178, 94, -160, 170, 50)).ball(-110, 1480).lean(-4);
  const Pose trophy2 = PoseMaker(stance(-172, -178, 100, -170, 10, 70)).ball(-100, 1620).lean(-6);
  const Pose drop = PoseMaker(stance(-160, -170, 110, -160, -10, 70)).ball(-90, 1700).lean(-6);
  return {shown(hold),   shown(bounce), shown(caught),  shown(bounce),  shown(caught),
          shown(rising), shown(toss),   shown(trophy1), shown(trophy2), shown(drop)};
}

// After the serve's contact (the ball already in flight): the racket over the head, then
// down across the body, back to the ready stance.
std::vector<Pose> serveSwing(bool weak) {
  const int high = weak ? 40 : 0;
  return {
      PoseMaker().leg(R, 10, 4).leg(L, -16, -4).shoulders(96).lean(4).arm(L, -70, -60)
          .arm(R, 172 - high, 180 - high).racket(180 - high, 100),
      PoseMaker().leg(R, 10, 4).leg(L, -16, -4).shoulders(96).lean(6).arm(L, -50, -40)
          .arm(R, 150 - high, 150 - high, 100, 90).racket(140 - high, 70, 90),
      PoseMaker().leg(R, 8, 4).leg(L, -18, -4).shoulders(90).lean(6).arm(L, -40, -30)
          .armFar(R, 60, 40, 90, 80).racket(30, 50, 80),
      PoseMaker().leg(R, 8, 4).leg(L, -20, -4).shoulders(84).lean(4).arm(L, -30, -20)
          .armFar(R, -20, -50, 80, 80).racket(-50, 50, 80),
      PoseMaker().leg(R, 10, 2).leg(L, -20, -6).shoulders(82).lean(2).arm(L, -26, -14)
          .armFar(R, -40, -70, 80, 80).racket(-40, 60, 80),
      PoseMaker().leg(R, 14, 0).leg(L, -18, -6).shoulders(86).arm(L, -22, -20)
          .armFar(R, -20, -100, 80, 70).racket(-120, 60, 80),
      ready(),
      ready(1),
      ready(2),
      ready(1),
  };
}

SwingStyle drive() { return {}; }
SwingStyle strong() { return {6, 0, 12, 0, 4, 4, 0}; }
SwingStyle lowBall() { return {4, 10, 4, 22, 0, 2, 0}; }
SwingStyle slide() { return {6, 4, 6, 14, 6, 6, 12}; }
SwingStyle stretch() { return {12, 2, 4, 8, 14, 10, 0}; }

// --- Special actions

// Arms up in joy; `height` 0 at the shoulders to 2 straight up.
Pose armsUp(int height, int spread) {
  const int upper = 90 + height * 40 + spread, lower = 100 + height * 38 + spread;
  return PoseMaker()
      .leg(R, 10, 2)
      .leg(L, -10, -2)
      .arm(R, upper, lower)
      .arm(L, -upper, -lower)
      .racket(lower + 4, 60);
}

Pose fistPump(bool up) {
  return PoseMaker()
      .leg(R, 12, 2)
      .leg(L, -14, -4)
      .arm(R, 14, 30)
      .arm(L, up ? -60 : -30, up ? -170 : -150, 100, 80)
      .racket(20, 40)
      .lean(up ? 2 : 0)
      .head(0, up ? 0 : 6);
}

// Hands on the hips, the head hung: a point lost.
Pose slumped(int depth, int turn) {
  return PoseMaker()
      .leg(R, 8, 2)
      .leg(L, -8, -2)
      .arm(R, 38 + depth * 4, -34, 100, 90)
      .arm(L, -38 - depth * 4, 34, 100, 90)
      .racket(-30, 50, 90)
      .trunk(100 - depth * 3)
      .head(turn, depth * 12);
}

// The racket let hang to the ground, the head down.
Pose drooping(int depth) {
  return PoseMaker()
      .leg(R, 6, 2)
      .leg(L, -6, -2)
      .arm(R, 10, 6)
      .arm(L, -10, -8)
      .racket(2, 30 + depth * 10)
      .trunk(100 - depth * 3)
      .head(0, depth * 14);
}

Pose handsOnHead(int shake) {
  return PoseMaker()
      .leg(R, 8, 2)
      .leg(L, -8, -2)
      .arm(R, 120, -160, 100, 80)
      .arm(L, -120, 160, 100, 80)
      .racket(-120, 60, 80)
      .head(shake, 4);
}

// A hand held out for the balls a ball kid brings: to the left, or up in front.
Pose reachFor(bool left, int extent) {
  Pose p = PoseMaker()
               .leg(R, 8, 2)
               .leg(L, -8, -2)
               .arm(R, 14, 24)
               .arm(L, -30 - extent * 20, -40 - extent * 25)
               .racket(16, 40);
  if (!left) p.arm[L] = {-20 - extent * 10, -120 - extent * 20, 100, 70 + extent * 10, false};
  if (extent >= 2) p.ballInHand = true;
  return p;
}

Pose brushLine(int stroke) {
  return PoseMaker()
      .leg(R, 14 + stroke * 6, 10 + stroke * 8)
      .leg(L, -8, -2)
      .arm(R, 20, 30)
      .arm(L, -16, -24)
      .racket(24, 40)
      .head(8, 10)
      .lean(-3);
}

Pose sway(int side) {
  Pose p = ready(side == 0 ? 0 : 1);
  p.lean = side * 4;
  p.hipX = side * 16;
  return p;
}

Pose twirl(int face, int bob) {
  Pose p = ready(bob);
  p.racket.face = face;
  return p;
}

Pose pointUp(bool racketArm, int height) {
  Pose p = standing();
  if (racketArm) {
    p.arm[R] = {60 + height * 50, 80 + height * 48, 100, 100, false};
    p.racket = {p.arm[R].lower, 90, 40, false};
  } else {
    p.arm[L] = {-60 - height * 50, -80 - height * 48, 100, 100, false};
  }
  return p;
}

// The hand held out over the net, the racket under the other arm.
Pose handshake(int shake) {
  return PoseMaker()
      .leg(R, 6, 2)
      .leg(L, -8, -2)
      .arm(R, 44, 118 + shake * 10, 90, 60)
      .arm(L, -12, -14)
      .noRacket()
      .trunk(98);
}

// The walk of the change of ends and onto the court, seen from behind: shorter strides than
// the run, the racket carried low.
std::vector<Pose> walkCycle() {
  // The leg toward the camera lifts its heel (its shin looks short), the other reaches ahead.
  const auto w = [](int legR, int seenR, int legL, int seenL, int swing) {
    return PoseMaker()
        .leg(R, legR, legR / 2, 100, seenR)
        .leg(L, legL, legL / 2, 100, seenL)
        .arm(R, 10 + swing, 18 + swing * 2, 100, 90)
        .arm(L, -10 + swing, -14 + swing * 2, 100, 90)
        .racket(16 + swing * 2, 40)
        .ponytail(-swing);
  };
  return {w(-4, 100, 8, 48, 10), w(3, 88, -3, 92, 0), w(-8, 48, 4, 100, -10), w(3, 92, -3, 88, 0)};
}

PosePlan walking(int steps, int time) {
  const std::vector<Pose> cycle = walkCycle();
  PosePlan plan;
  for (int i = 0; i < steps; i++) plan.push_back(shown(cycle[static_cast<size_t>(i % 4)], time));
  return plan;
}

Pose tired(int breath) {
  return PoseMaker()
      .leg(R, 14, -6)
      .leg(L, -14, 6)
      .armFar(R, 10, -10, 80, 70)
      .armFar(L, -10, 10, 80, 70)
      .racket(-30, 60, 80)
      .trunk(76 + breath * 3)
      .head(0, 10 - breath * 4);
}

Pose highFive(bool toRight, int height, bool low) {
  const int upper = low ? 70 + height * 10 : 110 + height * 30, lower = low ? 80 + height * 10 : 130 + height * 24;
  Pose p = PoseMaker().leg(R, 10, 2).leg(L, -12, -2).arm(R, upper, lower).arm(L, -14, -18).racket(lower, 60);
  if (!toRight) {
    p.arm[R] = {20, 40, 100, 100, false};
    p.racket.direction = 40;
    p.arm[L] = {-upper, -lower, 100, 100, false};
  }
  p.lean = toRight ? 4 : -4;
  return p;
}

Pose umbrella(int step) {
  const std::vector<Pose> cycle = walkCycle();
  Pose p = cycle[static_cast<size_t>(step % 4)];
  p.arm[R] = {150, -160, 100, 80, false};
  p.arm[L] = {-150, 160, 100, 80, false};
  p.racket = {-92, 100, 100, false};
  p.headDrop = 8;
  return p;
}

Pose wave(int side) {
  return PoseMaker()
      .leg(R, 8, 2)
      .leg(L, -8, -2)
      .arm(R, 150 + side * 10, 170 + side * 16)
      .arm(L, -12, -14)
      .racket(176 + side * 20, 70);
}

Pose racketSalute(int height) {
  return PoseMaker()
      .leg(R, 10, 2)
      .leg(L, -10, -2)
      .arm(R, 100 + height * 30, 120 + height * 30)
      .arm(L, -14, -16)
      .racket(130 + height * 30, 90);
}

}  // namespace

std::vector<PosePlan> runningPlans() {
  std::vector<PosePlan> plans(kRunningAnims);
  const std::vector<Pose> run = runCycle(0), runLeft = runCycle(-8), runRight = runCycle(8);
  plans[0] = steps({standing(), standing(2)}, 4);
  plans[1] = steps(sideSteps(false), 1);
  plans[2] = steps(sideSteps(true), 1);
  plans[3] = steps(run, 1);
  plans[4] = steps({run[2], run[3], run[0], run[1]}, 1);
  plans[5] = steps(runLeft, 1);
  plans[6] = steps(runRight, 1);
  plans[7] = steps({runLeft[2], runLeft[3], runLeft[0], runLeft[1]}, 1);
  plans[8] = steps({runRight[2], runRight[3], runRight[0], runRight[1]}, 1);
  // A start is one push off: the run's speed stays at its start-up share until it ends.
  plans[9] = steps({startSide(true)}, 1);
  plans[10] = steps({startSide(false)}, 1);
  plans[11] = steps({brakeStraight(0, false)}, 1);
  plans[12] = steps({brakeStraight(0, true)}, 1);
  // A brake slides at its third frame (the slide dust and marks start there).
  plans[13] = steps({brakeSide(0, true), brakeSide(1, true), brakeSide(2, true)}, 1);
  plans[14] = steps({brakeSide(0, false), brakeSide(1, false), brakeSide(2, false)}, 1);
  plans[15] = steps({brakeStraight(0, false), brakeStraight(1, false), brakeStraight(2, false)}, 1);
  plans[16] = steps({brakeStraight(0, true), brakeStraight(1, true), brakeStraight(2, true)}, 1);
  plans[17] = steps({atServeMark(8, 2, -10, -2, 0), atServeMark(8, 2, -10, -2, 3)}, 3);
  plans[18] = steps({atServeMark(6, 2, -20, -10, 0), atServeMark(4, 2, -8, -2, 0), atServeMark(10, 4, -12, -4, 0)}, 1);
  plans[19] = steps({atServeMark(20, 10, -6, -2, 0), atServeMark(8, 2, -4, -2, 0), atServeMark(12, 4, -10, -4, 0)}, 1);
  plans[20] = steps({ready(), ready(2)}, 2);
  plans[21] = receiveSteps(0);
  plans[22] = receiveSteps(1);
  plans[23] = receiveSteps(2);
  plans[24] = receiveSteps(3);
  return plans;
}

std::vector<PosePlan> strokePlans() {
  std::vector<PosePlan> plans(kStrokeAnims);
  // A frame a match frame: a swing the match starts without its tables (the strokes with no
  // waiting window) still meets the ball at its sixth frame.
  const auto swing = [](const std::vector<Pose>& frames) { return steps(frames, 1); };
  const PosePlan driveF = swing(forehandSwing(drive())), driveB = swing(backhandSwing(drive()));
  const PosePlan strongF = swing(forehandSwing(strong())), strongB = swing(backhandSwing(strong()));
  const PosePlan lowF = swing(forehandSwing(lowBall())), lowB = swing(backhandSwing(lowBall()));
  for (int a : {2, 12, 14, 16, 22, 30}) plans[static_cast<size_t>(a)] = driveF;
  for (int a : {3, 13, 15, 17, 23}) plans[static_cast<size_t>(a)] = driveB;
  for (int a : {4, 20}) plans[static_cast<size_t>(a)] = strongF;
  for (int a : {5, 21}) plans[static_cast<size_t>(a)] = strongB;
  for (int a : {8, 10}) plans[static_cast<size_t>(a)] = lowF;
  for (int a : {9, 11}) plans[static_cast<size_t>(a)] = lowB;
  plans[6] = swing(forehandSwing(slide()));
  plans[7] = swing(backhandSwing(slide()));
  plans[26] = swing(forehandSwing(stretch()));
  plans[27] = swing(backhandSwing(stretch()));
  plans[24] = swing(oneHandedBackhand(strong()));
  plans[25] = swing(oneHandedBackhand(lowBall()));
  plans[18] = swing(blockSwing(false));
  plans[19] = swing(blockSwing(true));
  plans[31] = swing(smashSwing());
  plans[32] = swing(lungeSwing());
  plans[0] = servePlan(false);
  plans[1] = steps(serveSwing(false), 1);
  plans[28] = servePlan(true);
  plans[29] = steps(serveSwing(true), 1);
  return plans;
}

std::vector<int> forehandStrokes() { return {2, 4, 6, 8, 10, 12, 14, 16, 20, 22, 26, 30}; }
std::vector<int> backhandStrokes() { return {3, 5, 7, 9, 11, 13, 15, 17, 21, 23, 24, 25, 27}; }

std::vector<PosePlan> specialPlans() {
  std::vector<PosePlan> plans(kSpecialAnims);
  const Pose stand = standing();
  // Reactions to a point: lost (held at its end), won, a long rally or the match, a run of
  // points lost.
  plans[0] = steps({stand, slumped(1, 0), slumped(2, 0), slumped(2, -12), slumped(2, 12), slumped(2, 0)}, 2);
  plans[1] = steps({stand, fistPump(false), fistPump(true), fistPump(false), fistPump(true), stand}, 2);
  plans[2] = steps({stand, armsUp(0, 0), armsUp(1, 0), armsUp(2, 0), armsUp(2, 8), armsUp(2, 0), armsUp(1, 0)}, 2);
  plans[3] = steps({stand, handsOnHead(0), handsOnHead(-8), handsOnHead(8), handsOnHead(0), slumped(2, 0)}, 2);
  plans[4] = plans[1];
  plans[5] = plans[0];
  // Before the serve: the balls taken from a ball kid, the line brushed on clay.
  plans[6] = steps({stand, reachFor(true, 1), reachFor(true, 2), reachFor(true, 2), reachFor(true, 1), stand}, 2);
  plans[7] = steps({stand, reachFor(false, 1), reachFor(false, 2), reachFor(false, 2), reachFor(false, 1), stand}, 2);
  plans[8] = steps({stand, brushLine(0), brushLine(1), brushLine(0), brushLine(1), stand}, 2);
  // The receiver waits: swaying, or bouncing on the toes turning the racket.
  plans[9] = steps({sway(0), sway(1), sway(0), sway(-1), sway(0), sway(1)}, 2);
  plans[10] = steps({twirl(90, 0), twirl(50, 1), twirl(20, 2), twirl(50, 1), twirl(90, 0), twirl(50, 1)}, 2);
  // The challenge: a hand held up until the review has shown its verdict.
  plans[11] = {shown(stand), shown(pointUp(false, 1)), shown(pointUp(false, 2), kChallengeGestureTime), shown(stand)};
  plans[12] = {shown(stand), shown(pointUp(true, 1)), shown(pointUp(true, 2), kChallengeGestureTime), shown(stand)};
  plans[13] = steps({handshake(0), handshake(1)}, 2);
  // The change of ends: a walk off (restarted at its fourth frame) and a walk on.
  constexpr int kWalkSteps = 16, kWalkTime = 2;
  static_assert(kWalkSteps >= kWalkOffFrames && kWalkSteps >= kWalkOnFrames);
  for (int a : {14, 15, 16, 17}) plans[static_cast<size_t>(a)] = walking(kWalkSteps, kWalkTime);
  plans[18] = steps({stand, drooping(1), PoseMaker(drooping(2)).trunk(86), drooping(1), stand}, 2);
  plans[19] = steps({stand, armsUp(0, 0), armsUp(1, 6), armsUp(2, 10), armsUp(2, 0), armsUp(2, 10), armsUp(2, 0),
                     armsUp(1, 0)},
                    2);
  plans[20] = steps({stand, racketSalute(0), stand}, 2);
  plans[21] = steps({stand, drooping(1), drooping(2), slumped(2, -10), slumped(2, 0)}, 3);
  // The rain: the racket held over the head, walking off.
  plans[22] = steps({umbrella(0), umbrella(1), umbrella(2), umbrella(3), umbrella(0), umbrella(1), umbrella(2),
                     umbrella(3)},
                    2);
  plans[23] = plans[22];
  plans[24] = steps({stand, PoseMaker(stand).arm(L, -130, 160, 100, 70), stand}, 3);
  // Celebrations after the match, looping.
  plans[25] = steps({armsUp(2, 0), armsUp(2, 12)}, 2);
  plans[26] = steps({wave(0), wave(1)}, 2);
  plans[27] = steps({stand, fistPump(false), fistPump(true), fistPump(true), stand}, 2);
  plans[28] = steps({stand, racketSalute(0), racketSalute(1), racketSalute(1), stand}, 2);
  plans[29] = steps({tired(0), tired(1), tired(0), tired(1), tired(0), tired(1)}, 2);
  // The partners' celebrations together, by where each stands.
  plans[30] = steps({stand, highFive(true, 0, false), highFive(true, 1, false), highFive(true, 1, false), stand}, 2);
  plans[31] = steps({stand, highFive(true, 0, true), highFive(true, 1, true), highFive(true, 1, true), stand}, 2);
  plans[32] = steps({stand, highFive(false, 0, false), highFive(false, 1, false), highFive(false, 1, false), stand}, 2);
  plans[33] = steps({stand, highFive(false, 0, true), highFive(false, 1, true), highFive(false, 1, true), stand}, 2);
  plans[34] = steps({stand, drooping(1), drooping(2), drooping(2)}, 3);
  plans[35] = steps({stand, PoseMaker(armsUp(0, -30)).head(0, -6), PoseMaker(armsUp(0, -20)).head(0, -6), stand}, 3);
  return plans;
}

PosePlan entryWalkPlan() {
  // Up the screen to the mark from 40 pixels below it, then a wave.
  constexpr int kStrides = 8, kRise = 5;
  const std::vector<Pose> cycle = walkCycle();
  PosePlan plan;
  for (int i = 0; i < kStrides; i++) {
    plan.push_back(shown(cycle[static_cast<size_t>(i % 4)], 1, 0, (kStrides - i) * kRise));
  }
  plan.push_back(shown(standing(), 2));
  plan.push_back(shown(wave(0), 2));
  plan.push_back(shown(wave(1), 2));
  plan.push_back(shown(wave(0), 2));
  return plan;
}

PosePlan jogPlan() { return steps(runCycle(0), 2); }

}  // namespace sorv::mkdata
