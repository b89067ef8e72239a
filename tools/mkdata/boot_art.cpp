#include "tools/mkdata/boot_art.h"

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/menu_kit.h"

namespace sorv::mkdata {

namespace {

constexpr int kSpinnerRadius = 18, kDotRadius = 3;
constexpr int kNameScale = 6;

// The spinner with dot `lit` the brightest and the two before it fading.
Canvas spinnerCanvas(int lit) {
  constexpr int kSide = 2 * (kSpinnerRadius + kDotRadius) + 3;
  constexpr int c = kSide / 2;
  Canvas out(kSide, kSide);
  for (int dot = 0; dot < kSpinnerDots; dot++) {
    const int age = (lit - dot + kSpinnerDots) % kSpinnerDots;
    const uint8_t colour = age == 0 ? kit::kBall : age == 1 ? kit::kBallShade : age == 2 ? kit::kSteel : kit::kGrey;
    const Pt p = circlePoint(c, c, kSpinnerRadius, dot * 32 / kSpinnerDots - 8);
    out.fillEllipse(p.x, p.y, kDotRadius, kDotRadius, colour);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> bootArtSprite() {
  ArtSprite s;
  s.addFrame(stripBackdrop(s, kit::kBand, kit::kBandShades, false));
  Canvas name = letteringCanvas(kMakerName, kNameScale, kit::kWhite);
  Canvas shadow = name;
  shadow.replace(kit::kWhite, kit::kInk);
  Canvas lettering(name.width() + 3, name.height() + 3);
  lettering.draw(shadow, 3, 3);
  lettering.draw(name, 0, 0);
  s.addPicture(lettering, name.width() / 2, name.height() / 2);
  std::vector<ArtStep> spin;
  for (int lit = 0; lit < kSpinnerDots; lit++) {
    const Canvas c = spinnerCanvas(lit);
    spin.push_back({s.addPicture(c, c.width() / 2, c.height() / 2), 1});
  }
  s.addAnim(spin);
  s.addAnim(spin);
  addKitPalettes(s);
  return s.write();
}

// Kept whole by the boot state: one palette.
std::vector<uint8_t> bootStateArtSprite() {
  ArtSprite s;
  std::vector<ArtStep> spin;
  for (int step = 0; step < 4; step++) {
    const Canvas ball = ballCanvas(24, step);
    spin.push_back({s.addPicture(ball, 12, 12), 2});
  }
  s.addAnim(spin);
  s.addAnim(spin);
  s.addPalette(kitPalette(0));
  return s.write();
}

}  // namespace sorv::mkdata
