#include "tools/mkdata/promo_art.h"

#include <algorithm>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/menu_kit.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

namespace {

// The screen pictures by number: 4/5 and 6/7 the page arrows (lit, plain), 8 the back icon,
// 12/13 the back soft key (plain, lit); the others a ball on a plate.
constexpr int kLeftLit = 4, kLeft = 5, kRightLit = 6, kRight = 7, kBack = 8, kTop = 10, kAll = 11;
constexpr int kSoftKey = 12, kSoftKeyLit = 13;

Canvas arrowPlate(int w, int h, bool right, bool lit) {
  Canvas c = panelCanvas(w, h, lit, std::min(w, h) / 4);
  const int aw = w * 5 / 8, ah = h / 2;
  Canvas arrow = arrowCanvas(aw, ah, false, lit ? kit::kPressed : kit::kBall, kit::kInk);
  if (!right) arrow = arrow.mirrored();
  c.draw(arrow, (w - aw) / 2, (h - ah) / 2);
  return c;
}

Canvas ballPlate(int w, int h, int step) {
  Canvas c = panelCanvas(w, h, false, std::min(w, h) / 5);
  const int d = std::min(w, h) * 2 / 3;
  c.draw(ballCanvas(d, step), (w - d) / 2, (h - d) / 2);
  return c;
}

// A small court at dusk seen from behind its baseline, a ball above it: a product's page,
// the accent changing with the product.
Canvas courtScene(int w, int h, int variant) {
  Canvas c = panelCanvas(w, h);
  Canvas sky(w - 8, h - 8);
  sky.ramp(0, 0, sky.width(), sky.height(), kit::kBackdrop, kit::kBackdropShades);
  const int top = h / 3, bottom = h - 10, cx = w / 2;
  const int farHalf = w / 6, nearHalf = w * 2 / 5;
  const std::vector<Pt> court = {{cx - farHalf, top}, {cx + farHalf, top}, {cx + nearHalf, bottom}, {cx - nearHalf, bottom}};
  sky.fillPolygon(court, static_cast<uint8_t>(kit::kAccentDark + variant % 2));
  sky.line(court[0], court[1], 1, kit::kWhite);
  sky.line(court[1], court[2], 2, kit::kWhite);
  sky.line(court[2], court[3], 2, kit::kWhite);
  sky.line(court[3], court[0], 2, kit::kWhite);
  sky.line({cx, top}, {cx, bottom}, 1, kit::kWhite);
  sky.line({cx - (farHalf + nearHalf) / 2 - 6, (top + bottom) / 2}, {cx + (farHalf + nearHalf) / 2 + 6, (top + bottom) / 2}, 2,
           kit::kSteelLight);
  c.draw(sky, 4, 4);
  const int d = h / 4;
  c.draw(ballCanvas(d, variant), w / 4 + (variant * 37) % (w / 2), h / 8);
  return c;
}

// A mark of two stripes per language, its colours from its number.
Canvas languageMark(int w, int h, int index) {
  static constexpr uint8_t kStripes[] = {kit::kAccent, kit::kWhite, kit::kBall, kit::kRacket, kit::kSea, kit::kLand, kit::kGold};
  Canvas c(w, h, kStripes[index % 7]);
  c.fillRect(0, h / 2, w, h - h / 2, kStripes[(index * 3 + 1) % 7]);
  c.strokeRect(0, 0, w, h, kit::kInk);
  return c;
}

Canvas uiPicture(int index, int w, int h) {
  switch (index) {
    case kLeftLit: return arrowPlate(w, h, false, true);
    case kLeft: return arrowPlate(w, h, false, false);
    case kRightLit: return arrowPlate(w, h, true, true);
    case kRight: return arrowPlate(w, h, true, false);
    case kBack: {
      Canvas c = panelCanvas(w, h, false, w / 4);
      Canvas arrow = arrowCanvas(w / 2, h / 2, false, kit::kWhite, kit::kInk).mirrored();
      c.draw(arrow, w / 4, h / 4);
      return c;
    }
    case kTop: {
      Canvas c = bandCanvas(w, h, false);
      const Canvas title = titleCanvas("Sorvantel 2009", 2, 1);
      c.draw(title, (w - title.width()) / 2, (h - title.height()) / 2);
      return c;
    }
    case kAll: {
      Canvas c = panelCanvas(w, h, false, w / 5);
      for (int i = 0; i < 3; i++) c.fillEllipse(w / 4 + i * w / 4, h / 2, 3, 3, kit::kWhite);
      return c;
    }
    case kSoftKey: return panelCanvas(w, h, false, h / 4);
    case kSoftKeyLit: return panelCanvas(w, h, true, h / 4);
    default: return ballPlate(w, h, index);
  }
}

}  // namespace

std::vector<uint8_t> promoArtPicture(PromoPicture kind, int index, int w, int h) {
  Canvas c;
  switch (kind) {
    case PromoPicture::kUi: c = uiPicture(index, w, h); break;
    case PromoPicture::kProduct: c = courtScene(w, h, index); break;
    case PromoPicture::kPromotion: c = courtScene(w, h, 5); break;
    case PromoPicture::kLanguage: c = languageMark(w, h, index); break;
    case PromoPicture::kFirstList: c = ballPlate(w, h, index); break;
    case PromoPicture::kSecondList: c = ballPlate(w, h, index + 4); break;
    case PromoPicture::kLink: c = courtScene(w, h, 2); break;
    case PromoPicture::kLinkExtra: c = uiPicture(kTop, w, h); break;
    case PromoPicture::kExtraPage: c = courtScene(w, h, 3); break;
  }
  return writeIndexedPng(c.width(), c.height(), c.pixels(), kitPalette(0));
}

}  // namespace sorv::mkdata
