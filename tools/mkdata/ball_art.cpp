#include "tools/mkdata/ball_art.h"

#include <algorithm>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_integers.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace {

// --- The serve meter
namespace meter {

enum : uint8_t { kKey, kBorder, kEmpty, kFlashWhite, kFlashGold, kNormalFirst };
constexpr int kShades = 8;
constexpr uint8_t kPowerFirst = kNormalFirst + kShades;
constexpr int kWidth = 10, kHeight = 60, kLevels = 9;  // levels 0 (empty) to 8 (full)
constexpr int kSteps = 17;                             // up to the full bar at step 8 and back
constexpr int kPowerFrames = kLevels, kFlashFrames = 2 * kLevels;

// The bar standing on the origin, filled from the bottom to `level` eighths.
Canvas bar(int level, uint8_t fillFirst, uint8_t border) {
  Canvas c(kWidth, kHeight, border);
  const int inside = kHeight - 2;
  c.ramp(1, 1, kWidth - 2, inside, fillFirst, kShades);
  c.fillRect(1, 1, kWidth - 2, inside - inside * level / (kLevels - 1), kEmpty);
  return c;
}

Canvas flash(uint8_t colour, uint8_t border) {
  Canvas c(kWidth, kHeight, border);
  c.fillRect(1, 1, kWidth - 2, kHeight - 2, colour);
  return c;
}

}  // namespace meter

// --- The HUD sprite
namespace hud {

enum : uint8_t {
  kKey,
  kBallEdge, kBall, kBallLight, kShadow, kWhite,
  kBurstYellow, kBurstOrange, kBurstRed,
  kBlueEdge, kBlue, kBlueLight, kRedEdge, kRed, kRedLight,
  kClayDark, kClayMid, kClayLight, kPuff, kPuffLight,
  kRingYellow, kRingCyan, kRingRed, kRingCore,
  kDust, kDustLight,
};

constexpr int kBallFrame = 0, kShadowFrame = 1, kEmptyFrame = 2;
constexpr int kBurstFirst = 3, kStrongBurstFirst = 9, kBursts = 6;
constexpr int kIconBlue = 27, kIconRed = 28, kBallFromAbove = 31;
constexpr int kStreakNearLeft = 57, kStreakNearRight = 58, kStreakFarLeft = 59, kStreakFarRight = 60;
constexpr int kClayMark = 85;
constexpr int kBounceAnim = 2, kDustRightAnim = 20, kDustLeftAnim = 21;
// The point-of-fall marker's animations by kind: a plain shot, a high one, one being met.
constexpr int kFallAnims[3] = {15, 29, 30};
constexpr uint8_t kFallColours[3] = {kRingYellow, kRingCyan, kRingRed};

// Where the racket meets the ball, from the player's feet, for frames 3 to 8: the near
// player's forehand (right), backhand, the far player's volley, the far player's forehand
// (left on screen), backhand and the near player's volley.
constexpr Pt kContact[kBursts] = {{20, -30}, {-20, -30}, {-6, -30}, {-15, -22}, {15, -22}, {8, -40}};

std::vector<uint32_t> palette() {
  return {kArtKey,
          opaque(0x6A7A18), opaque(0xD8F040), opaque(0xF8FFC8), withAlpha(0x101010, 0x78), opaque(0xFFFFFF),
          opaque(0xFFE860), opaque(0xFF9A28), opaque(0xE8401C),
          opaque(0x10307A), opaque(0x2F6FE8), opaque(0xA8CCFF), opaque(0x7A1010), opaque(0xE03030), opaque(0xFFA8A8),
          opaque(0x7C3418), opaque(0x9C4622), opaque(0xD4865A), withAlpha(0xD89868, 0xA0), withAlpha(0xF0C8A0, 0x70),
          opaque(0xFFE040), opaque(0x60E0FF), opaque(0xFF5A30), opaque(0xFFFFFF),
          withAlpha(0xDCB48C, 0x90), withAlpha(0xF0D8BC, 0x60)};
}

// A ball `size` pixels across, lit from the top left.
Canvas ball(int size) {
  Canvas c(size, size);
  c.fillOval({0, 0, size, size}, kBallEdge);
  c.fillOval({1, 1, size - 2, size - 2}, kBall);
  c.set(size / 2 - 1, size / 2 - 1, kBallLight);
  return c;
}

// A star of `spikes` rays round the centre of a (2r + 1)-pixel square, long and short in turn.
Canvas burst(int r, int spikes, bool strong) {
  Canvas c(2 * r + 1, 2 * r + 1);
  const Pt centre{r, r};
  const int step = kDirections / spikes;
  for (int layer = 0; layer < 2; layer++) {
    for (int i = 0; i < spikes; i++) {
      const int length = (i % 2 == 0 ? r : r * 2 / 3) - layer * 2;
      const uint8_t colour = layer == 0 ? (strong ? kBurstRed : kBurstOrange) : kBurstYellow;
      c.line(along(centre, i * step, r / 4), along(centre, i * step, length), layer == 0 ? 3 : 1, colour);
    }
  }
  c.fillOval({r - 3, r - 3, 7, 7}, kBurstYellow);
  c.fillOval({r - 2, r - 2, 5, 5}, kWhite);
  return c;
}

Canvas icon(uint8_t edge, uint8_t body, uint8_t light) {
  Canvas c(8, 8);
  c.fillOval({0, 0, 8, 8}, edge);
  c.fillOval({1, 1, 6, 6}, body);
  c.fillRect(2, 2, 2, 1, light);
  return c;
}

// The ball seen from above in the close-call inset: its seam shows.
Canvas ballFromAbove() {
  Canvas c = ball(8);
  for (Pt p : {Pt{1, 2}, Pt{2, 3}, Pt{2, 4}, Pt{1, 5}, Pt{6, 2}, Pt{5, 3}, Pt{5, 4}, Pt{6, 5}}) c.set(p.x, p.y, kWhite);
  return c;
}

// A shoe's slide through the clay: a furrow, darker in the middle and lit along its top.
Canvas streak(int length, int width) {
  Canvas c(length, width + 1);
  c.fillOval({0, 0, length, width + 1}, kClayLight);
  c.fillOval({1, 1, length - 2, width}, kClayDark);
  return c;
}

// The ball's print in the clay.
Canvas clayMark() {
  Canvas c(10, 4);
  c.fillOval({0, 0, 10, 4}, kClayMid);
  c.fillOval({2, 1, 6, 2}, kClayDark);
  return c;
}

// The clay thrown up where the ball lands, `step` 0 to 2 as it spreads and settles.
Canvas bouncePuff(int step) {
  const int w = 8 + 4 * step, h = 4 + step;
  Canvas c(w, h);
  c.fillOval({0, 0, w, h}, step == 2 ? kPuffLight : kPuff);
  if (step > 0) c.fillOval({step, step / 2, w - 2 * step, h - step}, kPuffLight);
  c.draw(clayMark(), (w - 10) / 2, (h - 4) / 2);
  return c;
}

// A ring on the ground round the point of fall, seen in the court's perspective.
Canvas ring(uint8_t colour, int w, int h) {
  Canvas c(w, h);
  c.ovalRing({0, 0, w, h}, 2, colour);
  c.fillOval({w / 2 - 1, h / 2 - 1, 2, 2}, kRingCore);
  return c;
}

// Dust a sliding player kicks up behind the feet, for one moving right; `step` 0 to 2.
Canvas slideDust(int step) {
  Canvas c(28, 12);
  const int x = 18 - 4 * step, size = 6 + 2 * step;
  c.fillOval({x, 11 - size / 2 - step, size, size / 2 + 1}, kDust);
  c.fillOval({x - size / 2 - 2, 9 - size / 2, size - 2, size / 2}, kDustLight);
  c.fillOval({x + 2, 11 - size / 2, size / 2, size / 3 + 1}, kDustLight);
  return c;
}

}  // namespace hud

}  // namespace

std::vector<uint8_t> serveMeterArt() {
  using namespace meter;
  ArtSprite art;
  std::vector<uint32_t> colours = {kArtKey, opaque(0x0C141C), opaque(0x2A3440), opaque(0xFFFFFF), opaque(0xFFF0A0)};
  // Red at the top of the bar, green at the foot; the power serve's bar burns gold.
  appendShades(colours, 0xFFE83020, 0xFFF8E040, kShades / 2);
  appendShades(colours, 0xFFC8E040, 0xFF38B838, kShades / 2);
  appendShades(colours, 0xFFFFFFFF, 0xFFFFD040, kShades / 2);
  appendShades(colours, 0xFFFFB030, 0xFFD84010, kShades / 2);
  art.addPalette(colours);
  for (int level = 0; level < kLevels; level++) art.addPicture(bar(level, kNormalFirst, kBorder), kWidth / 2, kHeight);
  for (int level = 0; level < kLevels; level++) art.addPicture(bar(level, kPowerFirst, kFlashGold), kWidth / 2, kHeight);
  for (uint8_t colour : {kFlashWhite, kFlashGold}) art.addPicture(flash(colour, kBorder), kWidth / 2, kHeight);
  const int full = kLevels - 1;
  for (int power = 0; power < 2; power++) {
    std::vector<ArtStep> swing, perfect;
    for (int step = 0; step < kSteps; step++) swing.push_back({power * kPowerFrames + std::min(step, kSteps - 1 - step)});
    for (int blink = 0; blink < 4; blink++) {
      perfect.push_back({blink % 2 == 0 ? kFlashFrames + power : power * kPowerFrames + full, 1});
    }
    art.addAnim(swing);
    art.addAnim(perfect);
  }
  return art.write();
}

std::vector<uint8_t> speedStreaksArt() {
  constexpr int kR = 36, kFrames = 3, kStreaks = 8;
  ArtSprite art;
  art.addPalette({kArtKey, withAlpha(0xFFFFFF, 0xD0), withAlpha(0xE8F4FF, 0x68)});
  for (int f = 0; f < kFrames; f++) {
    Canvas c(2 * kR + 1, 2 * kR + 1);
    const Pt centre{kR, kR};
    for (int i = 0; i < kStreaks; i++) {
      const int direction = 2 * i + f % 2, inner = 18 + 4 * ((i + f) % 3);
      c.line(along(centre, direction, inner - 6), along(centre, direction, inner), 1, 2);
      c.line(along(centre, direction, inner), along(centre, direction, inner + 12), 1, 1);
    }
    art.addPicture(c, kR, kR);
  }
  art.addSequence(0, kFrames);
  return art.write();
}

std::vector<uint8_t> ballHudArt() {
  using namespace hud;
  ArtSprite art;
  art.addPalette(palette());
  art.setFrame(kBallFrame, art.place(ball(6), 3, 3));
  Canvas shadow(8, 4);
  shadow.fillOval({0, 0, 8, 4}, kShadow);
  art.setFrame(kShadowFrame, art.place(shadow, 4, 2));
  art.setFrame(kEmptyFrame, {});
  for (int strong = 0; strong < 2; strong++) {
    const Canvas star = strong == 0 ? burst(9, 8, false) : burst(14, 16, true);
    const int r = star.width() / 2;
    for (int i = 0; i < kBursts; i++) {
      art.setFrame((strong == 0 ? kBurstFirst : kStrongBurstFirst) + i,
                     art.place(star, r - kContact[i].x, r - kContact[i].y));
    }
  }
  art.setFrame(kIconBlue, art.place(icon(kBlueEdge, kBlue, kBlueLight), 4, 4));
  art.setFrame(kIconRed, art.place(icon(kRedEdge, kRed, kRedLight), 4, 4));
  art.setFrame(kBallFromAbove, art.place(ballFromAbove(), 4, 4));
  // The furrow lies behind the sliding foot: right of it for a player moving left.
  const Canvas nearStreak = streak(22, 3), farStreak = streak(14, 2);
  art.setFrame(kStreakNearLeft, art.place(nearStreak, 0, 2));
  art.setFrame(kStreakNearRight, art.place(nearStreak, nearStreak.width(), 2));
  art.setFrame(kStreakFarLeft, art.place(farStreak, 0, 1));
  art.setFrame(kStreakFarRight, art.place(farStreak, farStreak.width(), 1));
  art.setFrame(kClayMark, art.place(clayMark(), 5, 2));
  const int firstPuff = art.frameCount();
  for (int step = 0; step < 3; step++) {
    const Canvas puff = bouncePuff(step);
    art.addPicture(puff, puff.width() / 2, puff.height() / 2);
  }
  const int firstRing = art.frameCount();
  for (uint8_t colour : kFallColours) {
    art.addPicture(ring(colour, 22, 9), 11, 4);
    art.addPicture(ring(colour, 18, 7), 9, 3);
  }
  const int firstDust = art.frameCount();
  for (int mirror = 0; mirror < 2; mirror++) {
    for (int step = 0; step < 3; step++) art.addPicture(slideDust(step), 26, 11, mirror == 1);
  }
  // The bounce ends on the print that then stays in the clay as a trace mark.
  art.setAnim(kBounceAnim, {{firstPuff, 1}, {firstPuff + 1, 1}, {firstPuff + 2, 1}, {kClayMark, 2}}, kEmptyFrame);
  const auto pulse = [firstRing](int kind) {
    return std::vector<ArtStep>{{firstRing + 2 * kind, 2}, {firstRing + 2 * kind + 1, 2}};
  };
  art.setAnim(kFallAnims[0], pulse(0), kEmptyFrame);
  art.setAnim(kDustRightAnim, {{firstDust, 1}, {firstDust + 1, 1}, {firstDust + 2, 1}}, kEmptyFrame);
  art.setAnim(kDustLeftAnim, {{firstDust + 3, 1}, {firstDust + 4, 1}, {firstDust + 5, 1}}, kEmptyFrame);
  art.setAnim(kFallAnims[1], pulse(1), kEmptyFrame);
  art.setAnim(kFallAnims[2], pulse(2), kEmptyFrame);
  return art.write();
}

std::vector<uint8_t> runningDustArt() {
  constexpr int kPuffs = 4;
  ArtSprite art;
  art.addPalette({kArtKey, withAlpha(0xE0CCA4, 0xA0), withAlpha(0xF4EAD4, 0x68), withAlpha(0xA88C64, 0xA0),
                  withAlpha(0xC8B08C, 0x68)});
  for (int dark = 0; dark < 2; dark++) {
    const auto body = static_cast<uint8_t>(1 + 2 * dark), rim = static_cast<uint8_t>(2 + 2 * dark);
    for (int k = 0; k < kPuffs; k++) {
      const int w = 8 + 3 * k, h = 4 + 2 * k;
      Canvas c(w + 4, h + 2);
      c.fillOval({0, 1, w, h}, rim);
      c.fillOval({2, 0, w, h}, body);
      c.fillOval({4, 2 + k / 2, w - 2, h - k}, rim);
      art.addPicture(c, (w + 4) / 2, (h + 2) / 2);
    }
  }
  art.addSequence(0, kPuffs);
  art.addSequence(kPuffs, kPuffs);
  return art.write();
}

}  // namespace sorv::mkdata
