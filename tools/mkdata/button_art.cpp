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
constexpr int kBarW = 330, kBarH = 56, kAnswerW = 198;
constexpr int kFrames = 132, kAnims = 48;
constexpr int kFlashFrame = 5, kAnswerFlashFrame = 4;
constexpr int kRight = 10, kLeft = 11, kRightLit = 12, kLeftLit = 13, kEmpty = kFrames - 1;
constexpr int kFirstKeyFrame = 22;
constexpr int kSelectBlinkAnim = 11;

void keep(ArtSprite& s, int index, const Canvas& c) {
  s.padModules(index);
  if (s.addModule(c) != index) throw std::logic_error("button sprite: kept module " + std::to_string(index) + " is shared");
}

// A bar lit with the pressed edge: the flash of a chosen entry.
Canvas flashCanvas(int w, int h) {
  Canvas c = barCanvas(w, h, true);
  c.replace(kit::kBall, kit::kPressed);
  return c;
}

}  // namespace

std::vector<uint8_t> buttonArtSprite() {
  ArtSprite s;
  keep(s, kArrowRight, arrowCanvas(kArrowW, kArrowH, false, kit::kBall, kit::kInk));
  keep(s, kArrowRightLit, arrowCanvas(kArrowW, kArrowH, false, kit::kPressed, kit::kWhite));
  for (int d = 0; d < 9; d++) keep(s, kKeyCapModules[d], keyCapCanvas(kKeyCapSide, static_cast<char>('1' + d), false));
  s.padModules(59);
  s.setFrame(kFrames - 1, {});
  s.setFrame(0, s.place(barCanvas(kBarW, kBarH, false), 0, 0));
  s.setFrame(1, s.place(barCanvas(kBarW, kBarH, true), 0, 0));
  s.setFrame(kAnswerFrame, s.place(barCanvas(kAnswerW, kBarH, false), 0, 0));
  s.setFrame(kAnswerLitFrame, s.place(barCanvas(kAnswerW, kBarH, true), 0, 0));
  s.setFrame(kAnswerFlashFrame, s.place(flashCanvas(kAnswerW, kBarH), 0, 0));
  s.setFrame(kFlashFrame, s.place(flashCanvas(kBarW, kBarH), 0, 0));
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
  anim(1, {{1, 4}, {kFlashFrame, 2}});
  anim(kAnswerLitFrame, {{kAnswerLitFrame, 3}, {kAnswerFlashFrame, 2}});
  anim(kSelectBlinkAnim, {{1, 1}, {kFlashFrame, 1}, {1, 1}, {kFlashFrame, 1}});
  // Pressed arrows jump the way they point; released ones bob slowly.
  anim(6, {{kRightLit, 2, 2, 0}, {kRightLit, 2, 3, 0}});
  anim(7, {{kLeftLit, 2, -2, 0}, {kLeftLit, 2, -3, 0}});
  anim(8, {{kRight, 6}, {kRight, 3, 1, 0}, {kRight, 6, 2, 0}, {kRight, 3, 1, 0}});
  anim(9, {{kLeft, 6}, {kLeft, 3, -1, 0}, {kLeft, 6, -2, 0}, {kLeft, 3, -1, 0}});
  for (int a = 0; a < kAnims; a++)
    if (named.count(a) == 0) s.setAnim(a, {{kEmpty, 1}});
  addKitPalettes(s);
  return s.write();
}

}  // namespace sorv::mkdata
