#include "tools/mkdata/people_art.h"

#include <algorithm>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/figure_painter.h"
#include "tools/mkdata/integer_trig.h"

namespace sorv::mkdata {

namespace {

constexpr int R = kRightSide, L = kLeftSide;

// The court people's colours: the figure painter's groups folded onto sixteen, with the
// shadow's, a chair colour, white and the verdict's red and green beside them.
constexpr uint8_t kShadow = 1, kSkinLight = 2, kSkinDark = 3, kCapDark = 4, kCap = 5;
constexpr uint8_t kShirtDark = 6, kShirt = 7, kShirtLight = 8, kTrousersDark = 9, kTrousers = 10;
constexpr uint8_t kDark = 11, kChair = 12, kWhite = 13, kRed = 14, kGreen = 15;

uint8_t peopleIndex(uint8_t figure) {
  static constexpr uint8_t kFold[kFigureColours] = {
      0,     0,
      kCapDark, kCapDark, kCap, kCap,                          // hair under a cap
      kShirtDark, kShirtDark, kShirt, kShirtLight, kShirtLight,  // shirt or jacket
      kTrousersDark, kTrousersDark, kTrousers, kTrousers, kTrousers,
      kWhite, kWhite, kWhite, kWhite,  // socks
      kDark, kDark, kDark, kDark,      // shoes
      kShirt, kShirt, kShirt, kShirt,  // bands
      kDark, kDark, kWhite, kWhite,    // a racket
      kSkinLight, kSkinDark};
  return figure < kFigureColours ? kFold[figure] : 0;
}

Canvas folded(const Canvas& figure) {
  Canvas out(figure.width(), figure.height());
  for (int y = 0; y < figure.height(); y++) {
    for (int x = 0; x < figure.width(); x++) out.set(x, y, peopleIndex(figure.at(x, y)));
  }
  return out;
}

// A uniform by palette: 0 to 2 the court types (3 plays on 2's), 3 the verdict's, 4 the
// main tournaments'.
struct Uniform {
  uint32_t cap, shirt, trousers, chair;
};
constexpr int kPeoplePalettes = 5;
constexpr Uniform kKidUniforms[kPeoplePalettes] = {
    {0x1F5F3A, 0x2F8A4A, 0xF2F2F2, 0x2F6A3A}, {0x1F2F6B, 0x2A5FC8, 0x1F2F6B, 0x1F2F6B},
    {0x4A2A7A, 0x6A3AA8, 0x2F6A3A, 0x2F5A3A}, {0x4A2A7A, 0x6A3AA8, 0x2F6A3A, 0x2F5A3A},
    {0x262626, 0x1F2F6B, 0xF2F2F2, 0x3A3A3A}};
constexpr Uniform kJudgeUniforms[kPeoplePalettes] = {
    {0xD8C49A, 0x1F2F6B, 0xD8C49A, 0x2F6A3A}, {0xF2F2F2, 0x6FB0E8, 0x1F2F6B, 0x2F6A3A},
    {0xD8C49A, 0x2F5A3A, 0xE8E0C8, 0x2F5A3A}, {0xD8C49A, 0x2F5A3A, 0xE8E0C8, 0x2F5A3A},
    {0x262626, 0x262626, 0x8A8A8A, 0x3A3A3A}};

std::vector<uint32_t> peoplePalette(const Uniform& u) {
  const auto darker = [](uint32_t c) { return mixColour(opaque(c), opaque(0), 40, 100); };
  const auto lighter = [](uint32_t c) { return mixColour(opaque(c), opaque(0xFFFFFF), 35, 100); };
  return {kArtKey,          opaque(0x1C1C1C),       opaque(0xE0A070), opaque(0xB0703C),
          darker(u.cap),    opaque(u.cap),          darker(u.shirt),  opaque(u.shirt),
          lighter(u.shirt), darker(u.trousers),     opaque(u.trousers), opaque(0x2A2A2A),
          opaque(u.chair),  opaque(0xF6F6F6),       opaque(0xD82424), opaque(0x24B048)};
}

// --- What a frame shows

enum class Scene { kKid, kLinesman, kUmpire, kCross, kTick, kFlash, kTarget, kEmpty };

struct Shot {
  Scene scene = Scene::kEmpty;
  Pose pose;
  int step = 0;  // the flash's and the target's frame
  bool operator==(const Shot&) const = default;
};

struct Step {
  Shot shot;
  int time = 1;
  int dx = 0, dy = 0;
};
using Plan = std::vector<Step>;

constexpr int kKidHeight = 32;
constexpr int kLinesmanHeight = 40;
constexpr int kUmpireHeight = 44;
constexpr int kUmpireSeat = 40;  // pixels from the ground to the footrest

// A shadow on the ground in every other pixel: it reads as a shadow and keeps the people's
// frames one opaque image each, cheap to draw every frame.
Canvas shadowOf(int halfWidth, Pt* origin) {
  Canvas c(2 * halfWidth + 1, 5);
  c.fillEllipse(halfWidth, 2, halfWidth, 2, kShadow);
  for (int y = 0; y < c.height(); y++) {
    for (int x = 0; x < c.width(); x++) {
      if ((x + y) % 2 != 0) c.set(x, y, 0);
    }
  }
  *origin = {halfWidth, 2};
  return c;
}

// A chair facing the camera under a seated figure: the seat at the hips, four legs, a back.
void paintChair(Canvas& c, Pt foot, Pt hips, int half) {
  const int seatY = foot.y + hips.y + 1, x = foot.x + hips.x;
  c.fillRect(x - half, seatY - half * 2, half * 2 + 1, half * 2, kChair);  // the back
  c.fillRect(x - half + 1, seatY - half * 2 + 1, half * 2 - 1, 1, kWhite);
  for (int side : {-half, half - 1}) c.fillRect(x + side, seatY, 2, foot.y - seatY, kChair);
  c.fillRect(x - half - 1, seatY, half * 2 + 3, 2, kWhite);
  c.fillRect(x - half - 1, seatY + 2, half * 2 + 3, 1, kChair);
}

// The umpire's high chair: two uprights with rungs, the footrest and the seat above it.
void paintHighChair(Canvas& c, Pt foot, Pt hips) {
  const int top = foot.y - kUmpireSeat, seatY = top + hips.y;
  for (int side : {-9, 8}) c.fillRect(foot.x + side, top - 2, 2, kUmpireSeat + 2, kChair);
  for (int y = top + 8; y < foot.y - 2; y += 8) c.fillRect(foot.x - 8, y, 16, 1, kWhite);
  c.fillRect(foot.x - 11, top, 23, 2, kWhite);
  c.fillRect(foot.x - 10, seatY - 8, 21, 8, kChair);
  c.fillRect(foot.x - 11, seatY, 23, 2, kWhite);
}

struct Painted {
  Canvas canvas;
  Pt origin;  // the canvas pixel on the frame's origin
};

// A figure on a canvas with room around it for its shadow and its seat, `below` rows under
// its feet; where its origin lies.
Canvas roomAround(const Canvas& body, Pt bodyOrigin, int below, Pt* origin) {
  constexpr int kMargin = 20;
  Canvas c(body.width() + 2 * kMargin, body.height() + below);
  *origin = {bodyOrigin.x + kMargin, bodyOrigin.y};
  c.draw(body, kMargin, 0);
  return c;
}

// The figure of a shot in the court people's colours, with room around it.
Canvas personOf(const Pose& pose, int height, int below, Pt* origin) {
  Pt o;
  const Canvas figure = folded(paintedFigure(pose, FigureKind::kMan, height, &o));
  return roomAround(figure, o, below, origin);
}

Painted paintShot(const Shot& s) {
  switch (s.scene) {
    case Scene::kKid: {
      Pt o, so;
      const Canvas body = personOf(s.pose, kKidHeight, 3, &o);
      const Canvas shadow = shadowOf(9, &so);
      Canvas all(body.width(), body.height());
      all.draw(shadow, o.x - so.x, o.y - so.y);
      all.draw(body, 0, 0);
      return {all, o};
    }
    case Scene::kLinesman: {
      Pt o, so;
      const Canvas body = personOf(s.pose, kLinesmanHeight, 3, &o);
      const Canvas shadow = shadowOf(11, &so);
      Canvas all(body.width(), body.height());
      all.draw(shadow, o.x - so.x, o.y - so.y);
      paintChair(all, o, figureHips(s.pose, FigureKind::kMan, kLinesmanHeight), 7);
      all.draw(body, 0, 0);
      return {all, o};
    }
    case Scene::kUmpire: {
      Pt o, so;
      const Canvas body = personOf(s.pose, kUmpireHeight, kUmpireSeat + 3, &o);
      const Canvas shadow = shadowOf(14, &so);
      Canvas all(body.width(), body.height());
      const Pt foot{o.x, o.y + kUmpireSeat};
      all.draw(shadow, foot.x - so.x, foot.y - so.y);
      paintHighChair(all, foot, figureHips(s.pose, FigureKind::kMan, kUmpireHeight));
      all.draw(body, 0, 0);
      // The chair's foot stands at its place on the court, the frame's origin at the court's.
      return {all, {foot.x - kUmpireChairX, foot.y - kUmpireChairY}};
    }
    case Scene::kCross:
    case Scene::kTick: {
      constexpr int kSide = 44, kMid = kSide / 2;
      Canvas c(kSide, kSide);
      if (s.scene == Scene::kCross) {
        c.line({8, 8}, {kSide - 9, kSide - 9}, 7, kRed);
        c.line({kSide - 9, 8}, {8, kSide - 9}, 7, kRed);
      } else {
        c.line({7, kMid + 2}, {kMid - 4, kSide - 10}, 7, kGreen);
        c.line({kMid - 4, kSide - 10}, {kSide - 7, 8}, 7, kGreen);
      }
      c.outline(kWhite);
      c.outline(kDark);
      return {c, {kMid, kMid}};
    }
    case Scene::kFlash: {
      // A burst of light where the racket meets the ball, spreading and fading.
      const int r = 4 + s.step * 3;
      Canvas c(2 * r + 3, 2 * r + 3);
      const Pt m{r + 1, r + 1};
      for (int k = 0; k < 8; k++) {
        if (s.step == 2 && k % 2 != 0) continue;
        const int len = k % 2 == 0 ? r : r * 2 / 3;
        const Pt tip{m.x + len * sinDeg(k * 45) / kTrigOne, m.y - len * cosDeg(k * 45) / kTrigOne};
        c.line(m, tip, 1, s.step == 0 ? kWhite : kCap);
      }
      if (s.step == 0) c.fillEllipse(m.x, m.y, 2, 2, kWhite);
      return {c, m};
    }
    case Scene::kTarget: {
      // A ring on the ground where the smash will land, pulsing.
      const int rx = 10 + s.step * 2, ry = 4 + s.step;
      Canvas c(2 * rx + 1, 2 * ry + 1);
      c.ellipseRing(rx, ry, rx, ry, 2, s.step == 1 ? kWhite : kRed);
      c.ellipseRing(rx, ry, rx - 4, ry - 2, 1, kWhite);
      return {c, {rx, ry}};
    }
    case Scene::kEmpty:
      break;
  }
  return {Canvas(), {0, 0}};
}

// A sprite's frames, a frame per distinct shot, some shots at fixed numbers.
class PeopleFrames {
 public:
  explicit PeopleFrames(ArtSprite& art) : art_(art) {}

  // Numbers the plans' shots in order of their first use, with the fixed shots at their
  // numbers, and paints them all.
  void paint(const std::vector<Plan>& plans, int firstFixed, const std::vector<Shot>& fixed) {
    std::vector<Shot> order;
    for (const Plan& plan : plans) {
      for (const Step& s : plan) {
        if (std::find(order.begin(), order.end(), s.shot) == order.end() &&
            std::find(fixed.begin(), fixed.end(), s.shot) == fixed.end()) {
          order.push_back(s.shot);
        }
      }
    }
    const auto at = std::min<size_t>(static_cast<size_t>(firstFixed), order.size());
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), fixed.begin(), fixed.end());
    for (const Shot& shot : order) {
      const Painted p = paintShot(shot);
      const bool empty = p.canvas.width() == 0;
      art_.addFrame(empty ? std::vector<SpriteFModule>{} : art_.place(p.canvas, p.origin.x, p.origin.y));
      shots_.push_back(shot);
    }
    for (const Plan& plan : plans) {
      std::vector<ArtStep> shown;
      for (const Step& s : plan) shown.push_back({frameOf(s.shot), s.time, s.dx, s.dy});
      art_.addAnim(shown);
    }
  }

 private:
  int frameOf(const Shot& shot) const {
    return static_cast<int>(std::find(shots_.begin(), shots_.end(), shot) - shots_.begin());
  }
  ArtSprite& art_;
  std::vector<Shot> shots_;
};

Step kid(const Pose& p, int time = 1, int dx = 0, int dy = 0) { return {{Scene::kKid, p, 0}, time, dx, dy}; }
Step linesman(const Pose& p, int time = 1) { return {{Scene::kLinesman, p, 0}, time, 0, 0}; }
Step umpire(const Pose& p, int time = 1) { return {{Scene::kUmpire, p, 0}, time, 0, 0}; }

// --- The ball kids

Pose kidStanding(int turn = 0) {
  return PoseMaker().leg(R, 4, 2).leg(L, -4, -2).arm(R, 10, 6).arm(L, -10, -6).noRacket().head(turn);
}

// Crouched low, hands on the knees, ready to run.
Pose kidCrouching(int lean = 0) {
  return PoseMaker()
      .leg(R, 36, -24, 70, 100)
      .leg(L, -36, 24, 70, 100)
      .arm(R, 20, -10, 90, 80)
      .arm(L, -20, 10, 90, 80)
      .noRacket()
      .trunk(84)
      .lean(lean)
      .hips(lean * 2);
}

Pose kidHanding(int reach) {
  return PoseMaker()
      .leg(R, 6, 2)
      .leg(L, -8, -2)
      .arm(R, 10, 6)
      .arm(L, -30 - reach * 25, -50 - reach * 30, 100, 90)
      .noRacket()
      .ballInHand();
}

// Running across the picture, leaning into the run.
std::vector<Pose> kidRun(bool toRight) {
  const int s = toRight ? 1 : -1;
  const auto stride = [&](int front, int back, int arm) {
    return Pose(PoseMaker()
                    .leg(R, s * front, s * front / 2 + s * 10)
                    .leg(L, s * back, s * back - s * 30, 100, 80)
                    .arm(R, s * arm, s * arm + s * 60)
                    .arm(L, -s * arm, -s * arm + s * 60)
                    .noRacket()
                    .lean(s * 10));
  };
  return {kidCrouching(s * 6), stride(20, -10, 30), stride(32, -26, 40), stride(-4, 18, -20)};
}

Plan kidFetch(bool toRight) {
  // Down the side of the court to the net for the ball and back to the place.
  constexpr int kLegs = 6, kDown = 24;
  const int across = toRight ? -6 : 6;
  const std::vector<Pose> run = kidRun(!toRight);
  Plan plan;
  const auto stride = [&](int i) { return kid(run[static_cast<size_t>(1 + i % 3)], 1, across * i, kDown * i); };
  for (int i = 1; i <= kLegs; i++) plan.push_back(stride(i));
  plan.push_back(kid(kidCrouching(), 2, across * kLegs, kDown * kLegs));
  for (int i = kLegs - 1; i >= 0; i--) plan.push_back(stride(i));
  plan.push_back(kid(kidCrouching(), 1));
  return plan;
}

std::vector<Plan> ballKidPlans() {
  std::vector<Plan> plans(kBallKidAnims);
  plans[0] = {kid(kidCrouching())};
  plans[1] = {kid(kidStanding())};
  plans[2] = {kid(kidHanding(0), 2), kid(kidHanding(1), 2), kid(kidHanding(2), 6), kid(kidHanding(1), 2),
              kid(kidStanding(), 2)};
  plans[3] = {kid(kidStanding(-10))};
  plans[4] = {kid(kidStanding(10))};
  plans[5] = {kid(kidCrouching(4))};
  plans[6] = {kid(kidCrouching(-4))};
  for (int a : {7, 8}) {
    const std::vector<Pose> run = kidRun(a == 7);
    plans[static_cast<size_t>(a)] = {kid(run[0]), kid(run[1]), kid(run[2]), kid(run[3])};
  }
  plans[9] = kidFetch(false);
  plans[10] = kidFetch(true);
  return plans;
}

// --- The judges

// Seated facing the court, thighs toward the camera, hands on the knees.
Pose seated(int lean = 0, int headTurn = 0) {
  return PoseMaker()
      .leg(R, 50, 4, 45, 100)
      .leg(L, -50, -4, 45, 100)
      .arm(R, 24, -2, 95, 85)
      .arm(L, -24, 2, 95, 85)
      .noRacket()
      .lean(lean)
      .head(headTurn);
}

// Leaning forward to watch the serve's line.
Pose watching(int lean) {
  Pose p = seated(lean);
  p.trunkSeen = 84;
  p.headDrop = 6;
  p.arm[R] = {20, -10, 85, 70, false};
  p.arm[L] = {-20, 10, 85, 70, false};
  return p;
}

// An arm held out level: the ball was out on that side.
Pose armOut(bool right, int height) {
  Pose p = seated();
  const int angle = 40 + height * 25;
  if (right) {
    p.arm[R] = {angle, angle, 100, 100, false};
  } else {
    p.arm[L] = {-angle, -angle, 100, 100, false};
  }
  return p;
}

// Both hands low and flat: the ball was in.
Pose handsIn(int spread) {
  Pose p = seated();
  p.arm[R] = {20 + spread * 10, 50 + spread * 14, 100, 90, false};
  p.arm[L] = {-20 - spread * 10, -50 - spread * 14, 100, 90, false};
  return p;
}

Pose handUp(int height) {
  Pose p = seated();
  p.arm[R] = {60 + height * 50, 90 + height * 44, 100, 100, false};
  return p;
}

std::vector<Plan> judgePlans() {
  std::vector<Plan> plans(kJudgeAnims);
  // The net judge in the high chair, at ends 1 and 2: watching the serve, at rest, a net.
  plans[0] = {umpire(seated(0, 0), 2), umpire(watching(0))};
  plans[1] = {umpire(seated(0, 0), 2), umpire(watching(0))};
  plans[2] = {umpire(seated(0, 6))};
  plans[3] = {umpire(seated(0, -6))};
  plans[4] = {umpire(handUp(0)), umpire(handUp(1))};
  plans[5] = {umpire(handUp(0)), umpire(handUp(1))};
  // The linesmen: watching the serve (straight on, or leaning toward the server's side),
  // signalling out to the side they call and in, at rest.
  const int leanOf[4] = {0, 4, -4, 0};
  for (int i = 0; i < 4; i++) plans[static_cast<size_t>(kJudgeServeWatch[i])] = {linesman(watching(leanOf[i]))};
  plans[7] = {linesman(seated())};
  plans[12] = {linesman(seated())};
  plans[static_cast<size_t>(kJudgeOutSignals[0])] = {linesman(armOut(false, 0)), linesman(armOut(false, 2))};
  for (int j : {1, 2}) {
    plans[static_cast<size_t>(kJudgeOutSignals[j])] = {linesman(armOut(true, 0)), linesman(armOut(true, 2))};
  }
  plans[kJudgeInSignal] = {linesman(handsIn(0)), linesman(handsIn(1))};
  // Idle, by where each sits: the side judges look in toward the court.
  const int headOf[kLinesmanIdleLast - kLinesmanIdleFirst + 1] = {8, 0, -8, 8, -8};
  for (int a = kLinesmanIdleFirst; a <= kLinesmanIdleLast; a++) {
    const int turn = headOf[a - kLinesmanIdleFirst];
    plans[static_cast<size_t>(a)] = {linesman(seated(0, 0), 8), linesman(seated(0, turn))};
  }
  for (int a : {21, 22, 23, 24, 26, 27, 28, 29, 30, 31}) plans[static_cast<size_t>(a)] = {linesman(seated())};
  plans[kJudgeSmashTarget] = {{{Scene::kTarget, {}, 0}}, {{Scene::kTarget, {}, 1}}, {{Scene::kTarget, {}, 2}}};
  // The flash ends on an empty frame, which the actor holds.
  plans[kJudgeRacketFlash] = {{{Scene::kFlash, {}, 0}}, {{Scene::kFlash, {}, 1}}, {{Scene::kFlash, {}, 2}},
                              {{Scene::kEmpty, {}, 0}}};
  return plans;
}

ArtSprite peopleSprite(const std::vector<Plan>& plans, const Uniform (&uniforms)[kPeoplePalettes],
                       const std::vector<Shot>& fixed, int firstFixed) {
  ArtSprite art;
  PeopleFrames(art).paint(plans, firstFixed, fixed);
  for (const Uniform& u : uniforms) art.addPalette(peoplePalette(u));
  return art;
}

}  // namespace

ArtSprite ballKidSprite() { return peopleSprite(ballKidPlans(), kKidUniforms, {}, 0); }

ArtSprite judgeSprite() {
  return peopleSprite(judgePlans(), kJudgeUniforms, {{Scene::kCross, {}, 0}, {Scene::kTick, {}, 0}},
                      kJudgeVerdictFrame);
}

void paintCourtPeopleArt(PackSet& packs) {
  PackEntries& entries = packs[kConstMatchFxPack];
  entries[kMatchFxBallKids] = ballKidSprite().write();
  entries[kMatchFxJudges] = judgeSprite().write();
}

}  // namespace sorv::mkdata
