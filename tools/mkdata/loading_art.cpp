#include "tools/mkdata/loading_art.h"

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/menu_kit.h"

namespace sorv::mkdata {

namespace {

// Menu 7: the bar at y 250 (x 344 to 456), the caption centred on y 300, the hint from
// (100, 330) in a 600-pixel box.
constexpr Box kPanel = {80, 226, 640, 196};
constexpr int kDividerY = 318;
constexpr int kFrames = 132, kAnims = 48;

Canvas segmentCanvas(bool full) {
  Canvas c(kLoadingSegmentW, kLoadingSegmentH);
  const int w = kLoadingSegmentW - 1;  // a pixel's gap to the next segment
  if (full) {
    c.ramp(0, 0, w, kLoadingSegmentH, kit::kGold, kit::kGoldShades);
  } else {
    c.fillRect(0, 0, w, kLoadingSegmentH, kit::kPanelShadow);
  }
  c.strokeRect(0, 0, w, kLoadingSegmentH, kit::kPanelEdge);
  return c;
}

}  // namespace

std::vector<uint8_t> loadingArtSprite() {
  ArtSprite s;
  std::vector<SpriteFModule> screen = stripBackdrop(s, kit::kBackdrop, kit::kBackdropShades, false);
  addSlicedPanel(screen, addPanelSlices(s), kPanel.x, kPanel.y, kPanel.w, kPanel.h);
  const int divider = s.addRectangle(kitPalette(0)[kit::kPanelSheen], kPanel.w - 48, 2, true);
  screen.push_back(ArtSprite::entry(divider, kPanel.x + 24, kDividerY));
  s.addFrame(screen);
  s.addPicture(segmentCanvas(false), 0, 0);
  s.addPicture(segmentCanvas(true), 0, 0);
  s.setFrame(kFrames - 1, {});
  for (int a = 0; a < kAnims; a++) s.setAnim(a, {{kFrames - 1, 1}});
  // Kept whole, an image of every module in every palette: one palette.
  s.addPalette(kitPalette(0));
  return s.write();
}

}  // namespace sorv::mkdata
