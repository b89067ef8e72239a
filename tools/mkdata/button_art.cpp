#include "tools/mkdata/button_art.h"

#include <set>
#include <stdexcept>
#include <string>

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/menu_kit.h"

namespace sorv::mkdata {

namespace {

constexpr int kArrowRight = 6, kArrowRightLit = 7;
constexpr int kKeyCapModules[9] = {8, 9, 14, 15, 17, 18, 19, 20, 21};
constexpr int kKeyCapSide = 48, kArrowW = 24, kArrowH = 34;
constexpr int kBarW = 330, kBarH = 56, kAnswerW = 198, kChoiceW = 290;
constexpr int kFrames = 132, kAnims = 48;
constexpr int kFlashFrame = 5, kAnswerFlashFrame = 4;
constexpr int kRight = 10, kLeft = 11, kRightLit = 12, kLeftLit = 13, kEmpty = kFrames - 1;
constexpr int kFirstKeyFrame = 22;
constexpr int kSelectBlinkAnim = 11;

void keep(ArtSprite& s, int index, const Canvas& c) {
  s.padModules(index);
  if (s.addModule(c) != index) throw std::logic_error("button sprite: kept module " + std::to_string(index) + " is shared");
}

constexpr int kCap = 28, kStrip = 48, kBallSide = 20;

enum class Look { kPlain, kLit, kFlash };

// A bar's rounded end and a piece of its middle, laid along any width (the end flipped at
// the right), so the bars keep a few small images instead of one per width.
struct BarPieces {
  int cap, strip;
};
BarPieces addBarPieces(ArtSprite& s, Look look) {
  Canvas c = barCanvas(2 * kCap + 2 * kStrip, kBarH, look != Look::kPlain);
  // A chosen entry flashes in the pressed colour.
  if (look == Look::kFlash) c.replace(kit::kBall, kit::kPressed);
  return {s.addModule(c.crop({0, 0, kCap, kBarH})), s.addModule(c.crop({kCap, 0, kStrip, kBarH}))};
}

std::vector<SpriteFModule> bar(const BarPieces& p, int w, int ball) {
  std::vector<SpriteFModule> out;
  for (int x : runOffsets(w - 2 * kCap, kStrip)) out.push_back(ArtSprite::entry(p.strip, kCap + x, 0));
  out.push_back(ArtSprite::entry(p.cap, 0, 0));
  out.push_back(ArtSprite::entry(p.cap, w - kCap, 0, 1));
  // The lit bars carry a ball at their left, clear of the text.
  if (ball >= 0) out.push_back(ArtSprite::entry(ball, 7, (kBarH - kBallSide) / 2));
  return out;
}

}  // namespace

std::vector<uint8_t> buttonArtSprite() {
  ArtSprite s;
  keep(s, kArrowRight, arrowCanvas(kArrowW, kArrowH, false, kit::kBall, kit::kInk));
  keep(s, kArrowRightLit, arrowCanvas(kArrowW, kArrowH, false, kit::kPressed, kit::kWhite));
  for (int d = 0; d < 9; d++) keep(s, kKeyCapModules[d], keyCapCanvas(kKeyCapSide, static_cast<char>('1' + d), false));
  s.padModules(59);
  s.setFrame(kFrames - 1, {});
  const BarPieces plain = addBarPieces(s, Look::kPlain), lit = addBarPieces(s, Look::kLit);
  const BarPieces flash = addBarPieces(s, Look::kFlash);
  const int ball = s.addModule(ballCanvas(kBallSide, 1));
  s.setFrame(0, bar(plain, kBarW, -1));
  s.setFrame(1, bar(lit, kBarW, ball));
  s.setFrame(kFlashFrame, bar(flash, kBarW, ball));
  s.setFrame(kAnswerFrame, bar(plain, kAnswerW, -1));
  s.setFrame(kAnswerLitFrame, bar(lit, kAnswerW, ball));
  s.setFrame(kAnswerFlashFrame, bar(flash, kAnswerW, ball));
  s.setFrame(kChoiceFrame, bar(plain, kChoiceW, -1));
  s.setFrame(kChoiceLitFrame, bar(lit, kChoiceW, ball));
  s.setFrame(kRight, {ArtSprite::entry(kArrowRight, -kArrowW / 2, -kArrowH / 2)});
  s.setFrame(kLeft, {ArtSprite::entry(kArrowRight, -kArrowW / 2, -kArrowH / 2, 1)});
  s.setFrame(kRightLit, {ArtSprite::entry(kArrowRightLit, -kArrowW / 2, -kArrowH / 2)});
  s.setFrame(kLeftLit, {ArtSprite::entry(kArrowRightLit, -kArrowW / 2, -kArrowH / 2, 1)});
  for (int d = 0; d < 9; d++) {
    s.setFrame(kFirstKeyFrame + d, {ArtSprite::entry(kKeyCapModules[d], -kKeyCapSide / 2, -kKeyCapSide / 2)});
  }
  std::set<int> named;
  auto anim = [&](int a, const std::vector<ArtStep>& steps) {
    s.setAnim(a, steps);
    named.insert(a);
  };
  anim(1, {{1, 4}, {kFlashFrame, 4}});
  anim(kAnswerLitFrame, {{kAnswerLitFrame, 2}, {kAnswerFlashFrame, 2}});
  anim(kSelectBlinkAnim, {{1, 1}, {kFlashFrame, 1}, {1, 1}, {kFlashFrame, 1}});
  // Pressed arrows light up and jump the way they point; released ones stand still beside
  // the value, so a row looks the same whenever it is drawn.
  anim(6, {{kRightLit, 2, 2, 0}, {kRightLit, 2, 3, 0}});
  anim(7, {{kLeftLit, 2, -2, 0}, {kLeftLit, 2, -3, 0}});
  anim(8, {{kRight, 4}});
  anim(9, {{kLeft, 4}});
  for (int a = 0; a < kAnims; a++)
    if (named.count(a) == 0) s.setAnim(a, {{kEmpty, 1}});
  // The game keeps an image of every module in every palette of this sprite; the menus draw
  // it in palette 0 only.
  s.addPalette(kitPalette(0));
  return s.write();
}

}  // namespace sorv::mkdata
