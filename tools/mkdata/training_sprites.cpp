#include "tools/mkdata/training_sprites.h"

#include <cstddef>
#include <algorithm>
#include <cstdlib>

#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {
namespace {

// Palette indexes of the pictures.
enum Colour : uint8_t {
  kClear = 0, kBlack, kWhite, kRed, kBlue, kYellow, kGreen, kDarkGreen, kGrey, kDarkGrey, kOrange, kBrown, kColours
};

// A picture of palette indexes, drawn with a few shapes.
struct Picture {
  int w, h;
  std::vector<uint8_t> px;
  Picture(int width, int height) : w(width), h(height), px(static_cast<size_t>(width * height), kClear) {}
  void dot(int x, int y, uint8_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y * w + x)] = c;
  }
  void rect(int x, int y, int rw, int rh, uint8_t c) {
    for (int j = y; j < y + rh; j++)
      for (int i = x; i < x + rw; i++) dot(i, j, c);
  }
  void disc(int cx, int cy, int r, uint8_t c) {
    for (int j = -r; j <= r; j++)
      for (int i = -r; i <= r; i++)
        if (i * i + j * j <= r * r) dot(cx + i, cy + j, c);
  }
  void line(int x0, int y0, int x1, int y1, uint8_t c) {
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int k = 0; k <= n; k++) dot(x0 + (n == 0 ? 0 : (x1 - x0) * k / n), y0 + (n == 0 ? 0 : (y1 - y0) * k / n), c);
  }
};

class Builder {
 public:
  // A picture as a module and a frame, anchored at its bottom centre or its centre.
  int frame(const Picture& p, bool centred) {
    SpriteModule m;
    m.width = static_cast<int16_t>(p.w);
    m.height = static_cast<int16_t>(p.h);
    m.pixels = p.px;
    spec.modules.push_back(m);
    SpriteFModule f;
    f.module = static_cast<uint8_t>(spec.modules.size() - 1);
    f.x = static_cast<int16_t>(-p.w / 2);
    f.y = static_cast<int16_t>(centred ? -p.h / 2 : -p.h);
    return addFrame(spec, {f});
  }
  void anim(const std::vector<int>& frames, int time = 1) {
    std::vector<SpriteAFrame> shown;
    for (int f : frames) {
      SpriteAFrame a;
      a.frame = static_cast<uint8_t>(f);
      a.time = static_cast<uint8_t>(time);
      shown.push_back(a);
    }
    addAnim(spec, shown);
  }
  SpriteSpec spec;
};

Picture board(int flash) {
  Picture p(40, 40);
  const uint8_t rings[] = {kRed, kWhite, kRed, kWhite, kYellow};
  for (int k = 0; k < 5; k++) p.disc(20, 20, 19 - 4 * k, flash > 0 && k % 2 == 1 ? static_cast<uint8_t>(kYellow) : rings[k]);
  if (flash > 0) {
    for (int k = 0; k < 8; k++) p.line(20, 20, 20 + (k % 3 - 1) * 19, 20 + (k / 3 - 1) * 19, kWhite);
  }
  return p;
}

Picture barrier() {
  Picture p(48, 24);
  p.rect(0, 0, 48, 3, kWhite);
  for (int x = 0; x < 48; x += 6) p.rect(x, 3, 2, 21, kGrey);
  for (int y = 6; y < 24; y += 5) p.rect(0, y, 48, 1, kDarkGrey);
  p.rect(0, 0, 2, 24, kBlack);
  p.rect(46, 0, 2, 24, kBlack);
  return p;
}

// The tank: a hull, a turret and a gun, tracks whose links move with the step; damaged
// ones are scorched, a hit one flashes.
Picture tank(int step, bool damaged, bool hit) {
  Picture p(40, 26);
  const uint8_t hull = hit ? kYellow : damaged ? kBrown : kDarkGreen;
  p.rect(2, 16, 36, 10, kBlack);
  for (int x = 3 + step % 2 * 2; x < 37; x += 4) p.rect(x, 18, 2, 6, kDarkGrey);
  p.rect(4, 10, 32, 7, hull);
  p.rect(12, 4, 16, 7, hit ? kWhite : kGreen);
  p.rect(18, 0, 4, 5, kBlack);
  if (damaged) {
    p.disc(10, 12, 2, kBlack);
    p.disc(28, 7, 2, kBlack);
  }
  return p;
}

Picture blast(int size) {
  Picture p(40, 40);
  p.disc(20, 24, 6 + 5 * size, kOrange);
  p.disc(20, 24, 3 + 4 * size, kYellow);
  p.disc(20, 24, 2 * size, kWhite);
  return p;
}

Picture wreck(int fade) {
  Picture p(40, 26);
  p.rect(4, 16, 32, 10, fade > 0 ? kDarkGrey : kBlack);
  p.rect(10, 10, 18, 6, kDarkGrey);
  p.line(14, 10, 8, 2, kGrey);
  return p;
}

Picture burst(int size) {
  Picture p(32, 32);
  const int r = 4 + 5 * size;
  for (int k = 0; k < 8; k++) {
    const int dx[] = {1, 1, 0, -1, -1, -1, 0, 1}, dy[] = {0, 1, 1, 1, 0, -1, -1, -1};
    p.line(16, 16, 16 + dx[k] * r, 16 + dy[k] * r, kYellow);
  }
  p.disc(16, 16, 2 + size, kWhite);
  return p;
}

Picture bonusDisc() {
  Picture p(30, 16);
  for (int j = 0; j < 16; j++)
    for (int i = 0; i < 30; i++) {
      const int dx = i - 15, dy = j - 8;
      if (dx * dx * 64 + dy * dy * 225 <= 225 * 64) p.dot(i, j, dx * dx * 64 + dy * dy * 225 > 150 * 64 ? kBlue : kYellow);
    }
  return p;
}

Picture cross() {
  Picture p(24, 24);
  for (int k = -1; k <= 1; k++) {
    p.line(2, 2 + k, 21, 21 + k, kRed);
    p.line(21, 2 + k, 2, 21 + k, kRed);
  }
  return p;
}

// The ball machine: a box on legs with a barrel; the ball rises up the barrel and leaves the
// mouth at the launch frame.
Picture machine(int f) {
  Picture p(36, 44);
  p.rect(4, 18, 28, 18, kBlue);
  p.rect(4, 18, 28, 3, kWhite);
  p.rect(6, 36, 3, 8, kBlack);
  p.rect(27, 36, 3, 8, kBlack);
  p.rect(13, 4, 10, 15, kDarkGrey);
  p.rect(12, 2, 12, 3, kBlack);
  if (f < kMachineLaunchFrame) {
    p.disc(18, 26 - 4 * f, 3, kYellow);
  } else if (f == kMachineLaunchFrame) {
    p.disc(18, 3, 4, kYellow);
    p.line(10, 1, 6, 0, kWhite);
    p.line(26, 1, 30, 0, kWhite);
  }
  return p;
}

Picture dotPicture() {
  Picture p(2, 2);
  p.rect(0, 0, 2, 2, kGrey);
  return p;
}

std::vector<uint32_t> palette(bool dusk) {
  const uint32_t day[kColours] = {0x00FF00FF, 0xFF101010, 0xFFF8F8F8, 0xFFD82020, 0xFF2050D0, 0xFFF8D820,
                                  0xFF40B040, 0xFF206020, 0xFFA0A0A0, 0xFF505050, 0xFFF08020, 0xFF805030};
  std::vector<uint32_t> colours(day, day + kColours);
  // The second palette is the same scene a little darker.
  if (dusk)
    for (size_t i = 1; i < colours.size(); i++) colours[i] = 0xFF000000u | (((colours[i] >> 1) & 0x7F7F7F) + 0x202020);
  return colours;
}

}  // namespace

std::vector<uint8_t> trainingSprite() {
  Builder b;
  std::vector<std::vector<int>> anims(kTrainingAnims);
  const int filler = b.frame(dotPicture(), true);
  for (auto& a : anims) a = {filler};
  anims[0] = {b.frame(board(0), true)};
  anims[1] = {b.frame(board(1), true), anims[0][0], b.frame(board(1), true)};
  anims[3] = {b.frame(barrier(), false)};
  anims[5] = {b.frame(tank(0, false, false), false)};
  anims[6] = {anims[5][0], b.frame(tank(1, false, false), false)};
  anims[7] = {b.frame(tank(0, false, true), false), anims[5][0]};
  anims[22] = {b.frame(tank(0, true, false), false), b.frame(tank(1, true, false), false)};
  anims[23] = {b.frame(tank(0, true, true), false), anims[22][0]};
  anims[26] = {b.frame(blast(0), false), b.frame(blast(1), false), b.frame(blast(2), false)};
  anims[27] = {b.frame(wreck(0), false), b.frame(wreck(1), false)};
  anims[8] = {b.frame(burst(0), true), b.frame(burst(1), true), b.frame(burst(2), true)};
  anims[28] = {b.frame(bonusDisc(), true)};
  anims[29] = {b.frame(cross(), true)};
  anims[kMachineAnim].clear();
  for (int f = 0; f < kMachineFrames; f++) anims[kMachineAnim].push_back(b.frame(machine(f), false));
  for (const auto& a : anims) b.anim(a);
  b.spec.palettes = {palette(false), palette(true)};
  return writeSprite(b.spec);
}

std::vector<uint8_t> checkPointSprite() {
  Builder b;
  // Frames 0..3: the zone's square on the ground, from the largest to the smallest.
  for (int k = 0; k < kCheckPointFrames; k++) {
    const int side = 40 - 8 * k;
    Picture p(side, side / 2);
    p.rect(0, 0, side, side / 2, kYellow);
    p.rect(2, 1, side - 4, side / 2 - 2, kClear);
    b.frame(p, true);
  }
  // Animation 0 the idle marker; 1..3 the marker rising in three sizes.
  for (int a = 0; a < kCheckPointAnims; a++) {
    std::vector<int> frames;
    const int steps = a == 0 ? 1 : 4;
    for (int s = 0; s < steps; s++) {
      const int size = a == 0 ? 2 : 4 - a;
      Picture p(12 + 4 * size, 30);
      const int top = 8 + 4 * (steps - 1 - s);
      p.rect(p.w / 2 - 1, top, 2, 30 - top, kBlack);
      p.rect(p.w / 2 + 1, top, 5 + 2 * size, 4 + size, kRed);
      frames.push_back(b.frame(p, false));
    }
    b.anim(frames);
  }
  b.spec.palettes = {palette(false)};
  return writeSprite(b.spec);
}

}  // namespace sorv::mkdata
