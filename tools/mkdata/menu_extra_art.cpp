#include "tools/mkdata/menu_extra_art.h"

#include "tools/data/menu_screens.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/menu_kit.h"

namespace sorv::mkdata {

namespace {

constexpr int kFrames = 132, kAnims = 48;

// Every frame and animation number the labelled sprites hold, each showing `frame`.
void fillNumbers(ArtSprite& s, int frame) {
  const std::vector<SpriteFModule> shown = s.spec().frames.empty() ? std::vector<SpriteFModule>{}
                                                                   : std::vector<SpriteFModule>{ArtSprite::frameEntry(frame, 0, 0)};
  while (s.frameCount() < kFrames) s.addFrame(shown);
  for (int a = 0; a < kAnims; a++) s.setAnim(a, {{frame, 1}});
}

// The history topics' motifs: a ball, a racket, a net, a cup, balls in a row, a court, a star.
Canvas motif(int topic) {
  Canvas c = panelCanvas(kHistoryPictureW, kHistoryPictureH);
  constexpr int cx = kHistoryPictureW / 2, cy = kHistoryPictureH / 2;
  switch (topic) {
    case 0: c.draw(ballCanvas(44, 1), cx - 22, cy - 22); break;
    case 1:
      c.ellipseRing(cx, cy - 8, 18, 24, 4, kit::kRacket);
      c.line({cx, cy + 16}, {cx, cy + 32}, 6, kit::kRacketLight);
      break;
    case 2:
      for (int x = 20; x <= 100; x += 8) c.fillRect(x, 28, 1, 30, kit::kString);
      for (int y = 28; y <= 58; y += 6) c.fillRect(20, y, 81, 1, kit::kString);
      c.fillRect(18, 24, 85, 4, kit::kWhite);
      break;
    case 3:
      c.fillPolygon({{cx - 22, 16}, {cx + 22, 16}, {cx + 12, 44}, {cx - 12, 44}}, kit::kGold + 2);
      c.fillRect(cx - 4, 44, 8, 12, kit::kGold + 4);
      c.fillRect(cx - 14, 56, 28, 6, kit::kGold + 6);
      break;
    case 4:
      for (int i = 0; i < 3; i++) c.draw(ballCanvas(26, i * 2), 14 + i * 32, cy - 13);
      break;
    case 5:
      c.fillPolygon({{30, 18}, {90, 18}, {108, 66}, {12, 66}}, kit::kAccentDark);
      c.line({60, 18}, {60, 66}, 1, kit::kWhite);
      c.line({22, 42}, {98, 42}, 2, kit::kWhite);
      break;
    default: {
      std::vector<Pt> star;
      for (int k = 0; k < 10; k++) star.push_back(circlePoint(cx, cy, k % 2 == 0 ? 28 : 12, k * 32 / 10 - 8));
      c.fillPolygon(star, kit::kGold + 1);
      break;
    }
  }
  return c;
}

}  // namespace

std::vector<uint8_t> spareMenuArtSprite() {
  ArtSprite s;
  Canvas plate = panelCanvas(40, 40, false, 8);
  plate.draw(ballCanvas(24, 2), 8, 8);
  s.addPicture(plate, 20, 20);
  fillNumbers(s, 0);
  // Kept as images of every module in every palette: one palette.
  s.addPalette(kitPalette(0));
  return s.write();
}

std::vector<uint8_t> historyArtSprite() {
  ArtSprite s;
  for (int topic = 0; topic < kHistoryTopicScreens; topic++) s.addPicture(motif(topic), 0, 0);
  fillNumbers(s, 0);
  s.addPalette(kitPalette(0));
  return s.write();
}

}  // namespace sorv::mkdata
