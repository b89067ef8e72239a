#include "tools/mkdata/training_art.h"

#include <algorithm>
#include <array>

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/tank_art.h"
#include "tools/mkdata/training_palette.h"
#include "tools/mkdata/training_sprites.h"

namespace sorv::mkdata {

namespace {

constexpr uint8_t kMark = 250;

// The animations the games play (the rest show the ball mark).
enum Anim {
  kBoard = 0, kBoardHit = 1, kBarrier = 3, kTankRolling = 5, kTankEntering = 6, kTankDestroyed = 7, kHitBurst = 8,
  kTankScorched = 22, kTankBurning = 23, kTankOnTheLine = 26, kTankWreck = 27, kBonus = 28, kWrongBonus = 29
};

// A picture whose ground point is (originX, originY) of its canvas.
struct Picture {
  Canvas canvas;
  int originX, originY;
};

// ---------------------------------------------------------------- the board

constexpr int kBoardW = 46, kBoardH = 48, kBoardX = kBoardW / 2, kBoardGround = kBoardH - 4;

// The face's rings, outside in, and whether each takes the red.
constexpr int kRingRadii[] = {kBoardFaceRadius - 2, 13, 10, 7, 4};

// The board's face squashed to `height` of its radius (the hit knocks it back), lit or not.
Picture board(const TrainingColours& k, int height, bool flash) {
  Canvas c(kBoardW, kBoardH);
  const int cy = kBoardGround - kBoardFaceRise;
  c.fillEllipse(kBoardX, kBoardGround, 14, 3, k.shadow);
  // The easel: two legs in front, one behind.
  c.line({kBoardX, cy}, {kBoardX, kBoardGround - 1}, 2, k.wood.dark());
  c.line({kBoardX - 8, cy + 8}, {kBoardX - 13, kBoardGround}, 2, k.wood.at(160));
  c.line({kBoardX + 8, cy + 8}, {kBoardX + 13, kBoardGround}, 2, k.wood.at(160));
  Canvas face(kBoardW, kBoardH);
  const auto ry = [&](int r) { return r * height / kBoardFaceRadius; };
  face.fillEllipse(kBoardX, cy, kBoardFaceRadius, ry(kBoardFaceRadius), k.wood.at(128));
  face.ellipseRing(kBoardX, cy, kBoardFaceRadius, ry(kBoardFaceRadius), 1, k.wood.dark());
  for (size_t i = 0; i < std::size(kRingRadii); i++) {
    const int r = kRingRadii[i];
    const bool red = i % 2 == 0, middle = i + 1 == std::size(kRingRadii);
    uint8_t colour = middle ? k.gold.at(200) : red ? k.red.at(160) : k.paper.light();
    if (flash) colour = middle ? k.flash.light() : red ? k.fire.at(190) : k.flash.dark();
    face.fillEllipse(kBoardX, cy, r, ry(r), colour);
  }
  // A glint on the upper left of the rim.
  face.line({kBoardX - 12, cy - ry(10)}, {kBoardX - 8, cy - ry(14)}, 1, k.paper.light());
  face.outline(k.outline);
  if (flash) face.ellipseRing(kBoardX, cy, kBoardFaceRadius + 3, ry(kBoardFaceRadius) + 3, 1, k.flash.light());
  c.draw(face, 0, 0);
  return {c, kBoardX, kBoardGround + 1};
}

// ---------------------------------------------------------------- the barrier

constexpr int kBarrierW = 66, kBarrierH = 36, kBarrierX = kBarrierW / 2, kBarrierGround = kBarrierH - 3;

Picture barrier(const TrainingColours& k) {
  Canvas c(kBarrierW, kBarrierH);
  c.fillEllipse(kBarrierX, kBarrierGround, 30, 2, k.shadow);
  Canvas b(kBarrierW, kBarrierH);
  for (int x : {6, kBarrierW - 9}) {
    b.fillRect(x, 4, 3, kBarrierGround - 3, kMark);
    b.fillRect(x - 4, kBarrierGround - 1, 11, 2, k.grey.at(90));
  }
  shadeCylinder(b, kMark, k.grey);
  // The lower rail, then the striped board.
  b.fillRect(8, 21, kBarrierW - 16, 3, k.grey.at(170));
  b.fillRect(8, 23, kBarrierW - 16, 1, k.grey.dark());
  for (int y = 5; y < 17; y++) {
    for (int x = 3; x < kBarrierW - 3; x++) b.set(x, y, (x + y) / 6 % 2 == 0 ? k.red.at(160) : k.paper.light());
  }
  b.fillRect(3, 5, kBarrierW - 6, 1, k.paper.light());
  b.fillRect(3, 16, kBarrierW - 6, 1, k.red.dark());
  b.outline(k.outline);
  c.draw(b, 0, 0);
  return {c, kBarrierX, kBarrierGround + 1};
}

// ---------------------------------------------------------------- the bonus and the cross

constexpr int kBonusSide = 37, kBonusX = kBonusSide / 2, kBonusGround = kBonusSide - 4;

Picture bonusCoin(const TrainingColours& k) {
  Canvas c(kBonusSide, kBonusSide);
  c.fillEllipse(kBonusX, kBonusGround, 8, 2, k.shadow);
  Canvas coin(kBonusSide, kBonusSide);
  const int cy = kBonusGround + 1 - kBonusCoinRise;
  coin.fillEllipse(kBonusX, cy, kBonusCoinRadius, kBonusCoinRadius, kMark);
  shadeBall(coin, kMark, kBonusX, cy, kBonusCoinRadius, k.gold);
  // The face the number is written on: dark, so the font's light ink stands out.
  coin.fillEllipse(kBonusX, cy, kBonusCoinRadius - 2, kBonusCoinRadius - 2, kMark);
  shadeBall(coin, kMark, kBonusX, cy, kBonusCoinRadius - 2, k.coin);
  coin.outline(k.outline);
  c.draw(coin, 0, 0);
  return {c, kBonusX, kBonusGround + 1};
}

Picture wrongCross(const TrainingColours& k) {
  Canvas c(kBonusSide, kBonusSide);
  const int cy = kBonusGround + 1 - kBonusCoinRise;
  Canvas x(kBonusSide, kBonusSide);
  x.line({kBonusX - 9, cy - 9}, {kBonusX + 9, cy + 9}, 4, k.red.at(150));
  x.line({kBonusX + 9, cy - 9}, {kBonusX - 9, cy + 9}, 4, k.red.at(150));
  x.line({kBonusX - 8, cy - 9}, {kBonusX + 8, cy + 7}, 1, k.red.light());
  x.outline(k.outline);
  c.draw(x, 0, 0);
  return {c, kBonusX, kBonusGround + 1};
}

// ---------------------------------------------------------------- the hit burst

constexpr int kBurstSide = 35, kBurstMiddle = kBurstSide / 2;
constexpr int kBurstSteps = 4;
// The eight directions of the rays, in sixteenths.
constexpr int kRays[8][2] = {{16, 0}, {11, 11}, {0, 16}, {-11, 11}, {-16, 0}, {-11, -11}, {0, -16}, {11, -11}};

Picture burst(const TrainingColours& k, int step) {
  Canvas c(kBurstSide, kBurstSide);
  const int m = kBurstMiddle, inner = 2 + 4 * step, outer = 7 + 4 * step;
  for (int i = 0; i < 8; i++) {
    const int from = i % 2 == 0 ? inner : inner + 2, to = i % 2 == 0 ? outer : outer - 2;
    const Pt a{m + kRays[i][0] * from / 16, m + kRays[i][1] * from / 16};
    const Pt b{m + kRays[i][0] * to / 16, m + kRays[i][1] * to / 16};
    c.line(a, b, step < 3 ? 2 : 1, step < 2 ? k.flash.light() : k.fire.at(220));
  }
  if (step < 3) c.fillEllipse(m, m, 3 - step, 3 - step, k.flash.light());
  return {c, m, m};
}

// ---------------------------------------------------------------- the ball machine

constexpr int kMachineW = 36, kMachineH = 48, kMachineX = kMachineW / 2, kMachineGround = kMachineH - 4;

// A small ball of felt.
void ball(Canvas& c, const TrainingColours& k, int x, int y, int r) {
  c.fillEllipse(x, y, r, r, kMark);
  shadeBall(c, kMark, x, y, r, k.felt);
}

// Frame f: the ball's way from the hopper (frames before the launch) out of the mouth (the
// launch) to rest (the last).
Picture machine(const TrainingColours& k, int f) {
  Canvas c(kMachineW, kMachineH);
  c.fillEllipse(kMachineX, kMachineGround, 16, 3, k.shadow);
  Canvas m(kMachineW, kMachineH);
  const int mouthY = kMachineGround + 1 - kMachineMouthRise;
  // Wheels, the body, its lit top, the hopper of balls.
  for (int x : {7, kMachineW - 8}) {
    m.fillEllipse(x, kMachineGround - 3, 3, 3, k.rubber.at(100));
    m.set(x, kMachineGround - 3, k.grey.light());
  }
  m.fillRect(4, 14, kMachineW - 8, kMachineGround - 17, kMark);
  shadeCylinder(m, kMark, k.blue);
  m.fillRect(4, 13, kMachineW - 8, 3, k.blue.light());
  m.fillPolygon({{3, 1}, {kMachineW - 4, 1}, {kMachineW - 9, 12}, {8, 12}}, k.grey.at(200));
  m.fillPolygon({{5, 2}, {kMachineW - 6, 2}, {kMachineW - 10, 11}, {9, 11}}, k.grey.dark());
  const int balls[7][2] = {{10, 5}, {15, 4}, {20, 5}, {25, 4}, {12, 9}, {18, 9}, {23, 9}};
  for (int i = 0; i < 7; i++) {
    const int drop = f == 0 && i == 5 ? 1 : 0;  // the next ball settles into the chute
    if (f == 1 && i == 5) continue;
    ball(m, k, balls[i][0], balls[i][1] + drop, 2);
  }
  // The mouth toward the court; the lamps of its panel.
  m.fillEllipse(kMachineX, mouthY, 6, 6, k.grey.at(170));
  m.ellipseRing(kMachineX, mouthY, 6, 6, 1, k.grey.dark());
  m.fillEllipse(kMachineX, mouthY, 4, 4, k.black);
  const bool launching = f < kMachineLaunchFrame;
  m.set(8, kMachineGround - 10, launching ? k.lampRed : k.lampGreen);
  m.set(10, kMachineGround - 10, launching ? k.lampGreen : k.lampRed);
  // The ball coming up the tube grows in the mouth until it leaves.
  if (f >= 2 && f < kMachineLaunchFrame) ball(m, k, kMachineX, mouthY, f - 1);
  m.outline(k.outline);
  c.draw(m, 0, 0);
  if (f == kMachineLaunchFrame) {
    ball(c, k, kMachineX, mouthY, 4);
    c.ellipseRing(kMachineX, mouthY, 4, 4, 1, k.outline);
    for (const auto& p : {std::array<int, 4>{-8, -4, -12, -6}, {8, -4, 12, -6}, {-8, 4, -12, 6}, {8, 4, 12, 6}}) {
      c.line({kMachineX + p[0], mouthY + p[1]}, {kMachineX + p[2], mouthY + p[3]}, 1, k.paper.light());
    }
  }
  return {c, kMachineX, kMachineGround + 1};
}

// ---------------------------------------------------------------- the ball mark

Picture ballMark(const TrainingColours& k) {
  Canvas c(3, 3);
  c.fillEllipse(1, 1, 1, 1, k.shadow);
  return {c, 1, 1};
}

// ---------------------------------------------------------------- the sprite

class Frames {
 public:
  explicit Frames(ArtSprite& art) : art_(art) {}
  int add(const Picture& p) { return art_.addPicture(p.canvas, p.originX, p.originY); }
  int add(const Canvas& tank) { return art_.addPicture(tank, kTankOriginX, kTankOriginY); }

 private:
  ArtSprite& art_;
};

std::vector<ArtStep> steps(const std::vector<int>& frames, int time) {
  std::vector<ArtStep> out;
  for (int f : frames) out.push_back({f, time});
  return out;
}

}  // namespace

std::vector<uint8_t> trainingArtSprite() {
  const TrainingColours k = trainingColours(false);
  ArtSprite art;
  Frames frames(art);
  std::vector<std::vector<ArtStep>> anims(kTrainingAnims);
  const int mark = frames.add(ballMark(k));
  for (auto& a : anims) a = {{mark, 1}};

  const int still = frames.add(board(k, kBoardFaceRadius, false));
  anims[kBoard] = {{still, 1}};
  anims[kBoardHit] = steps({frames.add(board(k, kBoardFaceRadius, true)), frames.add(board(k, kBoardFaceRadius * 3 / 4, false)),
                            frames.add(board(k, kBoardFaceRadius - 1, false)), still},
                           1);
  anims[kBarrier] = {{frames.add(barrier(k)), 1}};

  std::vector<int> rolling, scorched, burning;
  for (int step = 0; step < 3; step++) {
    rolling.push_back(frames.add(tankPicture(k, TankWear::kNew, step)));
    scorched.push_back(frames.add(tankPicture(k, TankWear::kScorched, step)));
    burning.push_back(frames.add(tankPicture(k, TankWear::kBurning, step)));
  }
  anims[kTankRolling] = steps(rolling, 1);
  anims[kTankScorched] = steps(scorched, 1);
  anims[kTankBurning] = steps(burning, 1);
  std::vector<int> entering;
  for (int step = 0; step < 6; step++) entering.push_back(frames.add(tankRollingIn(k, step)));
  anims[kTankEntering] = steps(entering, 1);
  const int flash = frames.add(tankFlash(k));
  std::vector<int> blast;
  for (int stage = 0; stage < 5; stage++) blast.push_back(frames.add(tankBlast(k, stage, stage < 3)));
  anims[kTankDestroyed] = steps({flash, blast[0], blast[1], blast[2], blast[3], blast[4]}, 2);
  // On the net line the burning tank shakes before it bursts.
  anims[kTankOnTheLine] = {{burning[0], 2, -1, 0}, {burning[1], 2, 1, 0}, {burning[2], 2, -1, 0}, {flash, 2}};
  std::vector<ArtStep> wreck;
  for (int step = 0; step < 4; step++) wreck.push_back({frames.add(tankWreck(k, step)), 3});
  anims[kTankWreck] = wreck;

  std::vector<int> bursts;
  for (int step = 0; step < kBurstSteps; step++) bursts.push_back(frames.add(burst(k, step)));
  anims[kHitBurst] = steps(bursts, 1);
  anims[kBonus] = {{frames.add(bonusCoin(k)), 1}};
  anims[kWrongBonus] = {{frames.add(wrongCross(k)), 1}};
  std::vector<int> machineFrames;
  for (int f = 0; f < kMachineFrames; f++) machineFrames.push_back(frames.add(machine(k, f)));
  anims[kMachineAnim] = steps(machineFrames, 1);

  for (const auto& a : anims) art.addAnim(a);
  art.addPalette(k.palette);
  art.addPalette(trainingColours(true).palette);
  return art.write();
}

}  // namespace sorv::mkdata
