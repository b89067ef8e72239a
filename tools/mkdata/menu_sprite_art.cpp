#include "tools/mkdata/menu_sprite_art.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/art_strips.h"
#include "tools/mkdata/menu_kit.h"

namespace sorv::mkdata {

namespace {

// The kept modules, on the indexes a match keeps (kMenuKeptModules).
namespace kept {
constexpr int kFill = 9, kFillSmall = 10;                           // panel fill, 48 and 12 square
constexpr int kCorner = 31, kTopEdge = 32, kLeftEdge = 33;          // panel slices
constexpr int kRowCap = 34, kRowStrip = 35, kLitCap = 41, kLitStrip = 42;  // 50-pixel rows
constexpr int kHeader = 43, kBar = 44, kBandFill = 45;              // bands
constexpr int kArrowUp = 46, kArrowUpLit = 47, kArrowRight = 48, kArrowRightLit = 49;
constexpr int kKeyCap1 = 50;                                        // "1" to "9"
constexpr int kSoftKey = 59, kSoftKeyPressed = 60, kSoftKeyLit = 61, kIconPlate = 62;
constexpr int kBall = 63, kRacket = 64, kMeter = 65;
constexpr int kLast = 65;
}  // namespace kept

constexpr int kRowHeight = 50, kRowCap = 24, kRowStrip = 48;
// A band's picture repeats every four columns, so a narrow piece of it is laid across; its
// plain fill below is one wide rectangle.
constexpr int kBandPiece = 40, kBandWidth = 200, kHeaderHeight = 56, kBarHeight = 60, kFooterFill = 40;
constexpr int kArrowLong = 44, kArrowShort = 26;
constexpr int kKeyCap = 60;
constexpr int kSoftKeyW = 188, kSoftKeyH = 48;
constexpr int kScreenW = 800, kScreenH = 480;
constexpr int kFrames = 160, kAnims = 48;

// Frames the animations show, past the ones the menus name.
namespace shown {
constexpr int kSoftKeyLit = 120;
constexpr int kFirst = 69;
}  // namespace shown

uint32_t kitColour(uint8_t index) { return kitPalette(0)[index]; }

// Every kept module in index order, the free indexes below them padded.
void addKeptModules(ArtSprite& s) {
  auto at = [&](int index, const Canvas& c) {
    s.padModules(index);
    const int got = s.addModule(c);
    if (got != index) throw std::logic_error("menu sprite: kept module " + std::to_string(index) + " is shared");
  };
  auto rect = [&](int index, uint8_t colour, int side) {
    s.padModules(index);
    s.addRectangle(kitColour(colour), side, side, true);
  };
  rect(kept::kFill, kit::kPanelFill, kSliceRun);
  rect(kept::kFillSmall, kit::kPanelFill, kSliceSide);
  for (int piece = 0; piece < 3; piece++) at(kept::kCorner + piece, panelSliceCanvas(piece));
  const Canvas row = panelCanvas(4 * kRowStrip, kRowHeight, false, 10);
  at(kept::kRowCap, row.crop({0, 0, kRowCap, kRowHeight}));
  at(kept::kRowStrip, row.crop({kRowCap, 0, kRowStrip, kRowHeight}));
  const Canvas lit = panelCanvas(4 * kRowStrip, kRowHeight, true, 10);
  at(kept::kLitCap, lit.crop({0, 0, kRowCap, kRowHeight}));
  at(kept::kLitStrip, lit.crop({kRowCap, 0, kRowStrip, kRowHeight}));
  at(kept::kHeader, bandCanvas(kBandPiece, kHeaderHeight, false));
  at(kept::kBar, bandCanvas(kBandPiece, kBarHeight, true));
  s.padModules(kept::kBandFill);
  s.addRectangle(kitColour(kit::kBand + kit::kBandShades - 1), kBandWidth, kFooterFill, true);
  at(kept::kArrowUp, arrowCanvas(kArrowLong, kArrowShort, true, kit::kBall, kit::kInk));
  at(kept::kArrowUpLit, arrowCanvas(kArrowLong, kArrowShort, true, kit::kPressed, kit::kWhite));
  at(kept::kArrowRight, arrowCanvas(kArrowShort, kArrowLong, false, kit::kBall, kit::kInk));
  at(kept::kArrowRightLit, arrowCanvas(kArrowShort, kArrowLong, false, kit::kPressed, kit::kWhite));
  for (int d = 0; d < 9; d++) at(kept::kKeyCap1 + d, keyCapCanvas(kKeyCap, static_cast<char>('1' + d), false));
  Canvas softKey = panelCanvas(kSoftKeyW, kSoftKeyH, false, 14);
  at(kept::kSoftKey, softKey);
  Canvas pressed = panelCanvas(kSoftKeyW, kSoftKeyH, true, 14);
  pressed.replace(kit::kLitFill, kit::kPressedEdge);
  pressed.replace(kit::kLitSheen, kit::kPressedEdge);
  at(kept::kSoftKeyPressed, pressed);
  at(kept::kSoftKeyLit, panelCanvas(kSoftKeyW, kSoftKeyH, true, 14));
  // The soft key's icon: three lines, the menu.
  Canvas plate = panelCanvas(60, 44, false, 10);
  for (int i = 0; i < 3; i++) plate.fillRect(16, 12 + i * 8, 28, 4, kit::kWhite);
  at(kept::kIconPlate, plate);
  at(kept::kBall, ballCanvas(22, 1));
  // An upright racket: strings inside the head's ring, the throat and the grip below it.
  Canvas racket(60, 150);
  for (int y = 0; y < 150; y++)
    for (int x = 0; x < 60; x++) {
      const int dx = x - 30, dy = y - 44;
      if (dx * dx * 36 * 36 + dy * dy * 22 * 22 <= 22 * 22 * 36 * 36 && (x % 7 == 1 || y % 7 == 1)) racket.set(x, y, kit::kString);
    }
  racket.ellipseRing(30, 44, 27, 41, 5, kit::kRacket);
  racket.line({30, 86}, {30, 104}, 6, kit::kSteel);
  racket.line({30, 104}, {30, 146}, 9, kit::kRacketLight);
  racket.outline(kit::kInk);
  at(kept::kRacket, racket);
  s.padModules(kept::kMeter);
  s.addRectangle(kitColour(kit::kBall), kSliceSide, kSliceSide, true);
  if (s.moduleCount() != kept::kLast + 1) throw std::logic_error("menu sprite: kept modules misplaced");
}

constexpr PanelSlices kSlices = {kept::kFill, kept::kFillSmall, kept::kCorner, kept::kTopEdge, kept::kLeftEdge};

std::vector<SpriteFModule> slicedPanel(int x, int y, int w, int h) {
  std::vector<SpriteFModule> out;
  addSlicedPanel(out, kSlices, x, y, w, h);
  return out;
}

// A sliced panel whose inside is a few plain rectangles of their own (the game reads a module's
// sides as bytes): a module more, and dozens of pieces fewer to draw where a screen repaints
// it whole.
std::vector<SpriteFModule> solidPanel(ArtSprite& s, int w, int h) {
  constexpr int kMaxSide = 255;
  const int iw = w - 2 * kSliceSide, ih = h - 2 * kSliceSide;
  const int pw = (iw + (iw + kMaxSide - 1) / kMaxSide - 1) / ((iw + kMaxSide - 1) / kMaxSide);
  const int ph = (ih + (ih + kMaxSide - 1) / kMaxSide - 1) / ((ih + kMaxSide - 1) / kMaxSide);
  const int fill = s.addRectangle(kitColour(kit::kPanelFill), pw, ph, true);
  std::vector<SpriteFModule> out;
  for (int ty : runOffsets(ih, ph))
    for (int tx : runOffsets(iw, pw)) out.push_back(ArtSprite::entry(fill, kSliceSide + tx, kSliceSide + ty));
  for (const SpriteFModule& e : slicedPanel(0, 0, w, h))
    if (e.module != kept::kFill && e.module != kept::kFillSmall) out.push_back(e);
  return out;
}

// A 50-pixel option row of the width from its rounded caps and strips.
std::vector<SpriteFModule> row(int w, bool lit) {
  const int cap = lit ? kept::kLitCap : kept::kRowCap;
  std::vector<SpriteFModule> out;
  for (int tx : runOffsets(w - 2 * kRowCap, kRowStrip))
    out.push_back(ArtSprite::entry(lit ? kept::kLitStrip : kept::kRowStrip, kRowCap + tx, 0));
  out.push_back(ArtSprite::entry(cap, 0, 0));
  out.push_back(ArtSprite::entry(cap, w - kRowCap, 0, 1));
  return out;
}

// A band across the screen from the band modules.
std::vector<SpriteFModule> band(int module, int y) {
  std::vector<SpriteFModule> out;
  const int step = module == kept::kBandFill ? kBandWidth : kBandPiece;
  for (int x = 0; x < kScreenW; x += step) out.push_back(ArtSprite::entry(module, x, y));
  return out;
}

std::vector<SpriteFModule> joined(std::vector<SpriteFModule> a, const std::vector<SpriteFModule>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Panels on a canvas of the screen's size, at their screen positions; `open` ones only edged.
struct PanelBox {
  int x, y, w, h;
  bool open = false;
};
// Panels big enough are laid from the slices, which keep little; the rest are pictures.
std::vector<SpriteFModule> screenPanels(ArtSprite& s, const std::vector<PanelBox>& boxes) {
  std::vector<SpriteFModule> out;
  for (const PanelBox& b : boxes) {
    if (!b.open && b.w >= kSlicedPanelMin && b.h >= kSlicedPanelMin) {
      addSlicedPanel(out, kSlices, b.x, b.y, b.w, b.h);
      continue;
    }
    Canvas p = panelCanvas(b.w, b.h);
    if (b.open) {
      p.replace(kit::kPanelFill, 0);
      p.replace(kit::kPanelSheen, 0);
    }
    for (const SpriteFModule& e : placeRepeating(s, p, -b.x, -b.y)) out.push_back(e);
  }
  return out;
}

// The main menu's achievement panel slides in at the left; the emblem stands beside it, between
// it and the entries' panel, so the panel never covers it.
constexpr int kAchievementPanelW = 236, kEmblemX = 222, kEmblemY = 56;

// Two rackets crossed behind a ball.
Canvas emblemCanvas() {
  constexpr int kW = 220, kH = 210;
  Canvas c(kW, kH);
  for (int side : {-1, 1}) {
    const int tilt = side * 3;  // steps of 32 to a turn
    const Pt axis = circlePoint(0, 0, 1024, 8 + tilt);  // down the handle
    const int hx = kW / 2 - side * 46, hy = 78;           // the head's centre
    auto at = [&](int along, int across) {
      return Pt{hx + (along * axis.x - across * axis.y) / 1024, hy + (along * axis.y + across * axis.x) / 1024};
    };
    std::vector<Pt> outer, inner;
    for (int k = 0; k < 32; k++) {
      const Pt u = circlePoint(0, 0, 1024, k);
      outer.push_back(at(u.y * 62 / 1024, u.x * 46 / 1024));
      inner.push_back(at(u.y * 54 / 1024, u.x * 38 / 1024));
    }
    Canvas head(kW, kH);
    head.fillPolygon(inner, kit::kString);
    for (int y = 0; y < kH; y++) {
      for (int x = 0; x < kW; x++) {
        if (head.at(x, y) == 0) continue;
        const int dx = x - hx, dy = y - hy;
        const int along = (dx * axis.x + dy * axis.y) / 1024 + 200, across = (-dx * axis.y + dy * axis.x) / 1024 + 200;
        c.set(x, y, (along % 9 == 0 || across % 9 == 0) ? kit::kString : c.at(x, y));
      }
    }
    Canvas frame(kW, kH);
    frame.fillPolygon(outer, kit::kRacket);
    for (int y = 0; y < kH; y++)
      for (int x = 0; x < kW; x++)
        if (head.at(x, y) != 0) frame.set(x, y, 0);
    frame.line(at(62, 0), at(90, 0), 7, kit::kSteel);
    frame.line(at(90, 0), at(150, 0), 12, kit::kRacketLight);
    frame.line(at(146, 0), at(150, 0), 14, kit::kRacket);
    frame.outline(kit::kInk);
    c.draw(frame, 0, 0);
  }
  c.draw(ballCanvas(46, 3), kW / 2 - 23, 150);
  return c;
}

// A ball with bands of land on it, turned by step (of 8).
Canvas globeCanvas(int step) {
  constexpr int kSide = 34, kR = 16;
  // Land by latitude row (of 8) and longitude column (of 16), a bit each.
  constexpr uint16_t kLandRows[8] = {0x0000, 0x3C70, 0x7EF8, 0x3C3C, 0x1C1E, 0x180C, 0x1006, 0x0000};
  Canvas c(kSide, kSide);
  c.fillEllipse(kR, kR, kR, kR, kit::kSea);
  for (int y = 0; y < kSide; y++) {
    const int dy = y - kR;
    int half = 1;
    while ((half + 1) * (half + 1) + dy * dy <= kR * kR) half++;
    for (int x = 0; x < kSide; x++) {
      if (c.at(x, y) != kit::kSea) continue;
      const int lon = ((x - kR) * 4 / half + 4 + step * 2) & 15;  // a hemisphere spans 8 columns
      const int lat = std::clamp(y * 8 / kSide, 0, 7);
      if ((kLandRows[lat] >> lon & 1) != 0) c.set(x, y, kit::kLand);
    }
  }
  c.outline(kit::kInk);
  return c;
}

// The key highlight: the lit panel's edge and sheen only, the key's letter showing through;
// `doubled` adds a second edge inside it.
Canvas ringCanvas(int w, int h, bool doubled, uint8_t colour) {
  Canvas c = panelCanvas(w, h, true, 10);
  c.replace(kit::kLitSheen, kit::kBall);
  c.replace(kit::kLitFill, 0);
  if (doubled) {
    Canvas inner = panelCanvas(w - 8, h - 8, true, 7);
    inner.replace(kit::kLitSheen, 0);
    inner.replace(kit::kLitFill, 0);
    c.draw(inner, 4, 4);
  }
  c.replace(kit::kBall, colour);
  return c;
}

// The bar of a level: its colour lit on top and shaded below.
Canvas levelBar(int level) {
  constexpr int kW = 300, kH = 14;
  Canvas c(kW, kH, static_cast<uint8_t>(kit::kLevel + level));
  c.fillRect(0, 0, kW, 3, static_cast<uint8_t>(kit::kLevelLight + level));
  c.fillRect(0, kH - 3, kW, 3, static_cast<uint8_t>(kit::kLevelDark + level));
  return c;
}

class MenuSheet {
 public:
  MenuSheet() {
    addKeptModules(s_);
    s_.setFrame(kFrames - 1, {});
  }

  void picture(int frame, const Canvas& c, int originX = 0, int originY = 0) {
    s_.setFrame(frame, placeRepeating(s_, c, originX, originY));
  }
  void frame(int frame, const std::vector<SpriteFModule>& entries) { s_.setFrame(frame, entries); }
  // A frame of one picture centred on its origin, numbered from the shown frames.
  int centred(const Canvas& c) {
    s_.setFrame(next_, s_.place(c, c.width() / 2, c.height() / 2));
    return next_++;
  }
  int shownFrame(const std::vector<SpriteFModule>& entries) {
    s_.setFrame(next_, entries);
    return next_++;
  }
  // A dark inset where a picture or a player stands: plain rectangles, which keep no image.
  std::vector<SpriteFModule> inset(int x, int y, int w, int h) {
    return {ArtSprite::entry(s_.addRectangle(kitColour(kit::kPanelShadow), w, h, true), x, y)};
  }
  void anim(int anim, const std::vector<ArtStep>& steps) {
    s_.setAnim(anim, steps);
    named_.insert(anim);
  }
  // Numbers no menu names show the steps, so every animation runs.
  void fillAnims(const std::vector<ArtStep>& steps) {
    for (int a = 0; a < kAnims; a++)
      if (named_.count(a) == 0) anim(a, steps);
  }
  ArtSprite& sprite() { return s_; }

 private:
  ArtSprite s_;
  std::set<int> named_;
  int next_ = shown::kFirst;
};

// A whole-screen picture cut into opaque pieces around the boxes left out.
std::vector<SpriteFModule> placeAround(ArtSprite& s, const Canvas& c, const std::vector<Box>& holes) {
  std::set<int> ys = {0, c.height()};
  for (const Box& h : holes) ys.insert({h.y, h.y + h.h});
  std::vector<SpriteFModule> out;
  for (auto y = ys.begin(); std::next(y) != ys.end(); ++y) {
    const int top = *y, height = *std::next(y) - top;
    std::set<int> xs = {0, c.width()};
    for (const Box& h : holes)
      if (h.y <= top && top < h.y + h.h) xs.insert({h.x, h.x + h.w});
    for (auto x = xs.begin(); std::next(x) != xs.end(); ++x) {
      const Box cell{*x, top, *std::next(x) - *x, height};
      const bool hole = std::any_of(holes.begin(), holes.end(), [&](const Box& h) {
        return cell.x >= h.x && cell.x < h.x + h.w && cell.y >= h.y && cell.y < h.y + h.h;
      });
      if (hole) continue;
      for (SpriteFModule e : s.place(c.crop(cell), 0, 0)) {
        e.x = static_cast<int16_t>(e.x + cell.x);
        e.y = static_cast<int16_t>(e.y + cell.y);
        out.push_back(e);
      }
    }
  }
  return out;
}

// The main menu's panels and bottom band where frames 5 to 7 put them.
struct MainMenuPiece {
  int frame, x, y, w, h;
};
constexpr MainMenuPiece kMainMenuPieces[] = {{5, 430, 100, 350, 290}, {6, 10, 290, 400, 140}, {7, 0, 440, kScreenW, 40}};

// The main menu's whole background, which it repaints each time it changes: the backdrop with
// the emblem in one opaque layer of few pieces, each pixel drawn once, around the panels' and
// the band's insides, which their own frames fill (the fly-in draws them and frame 8 again).
std::vector<SpriteFModule> mainMenuLayer(ArtSprite& s, const Canvas& emblem) {
  Canvas c = backdropCanvas();
  c.draw(emblem, kEmblemX, kEmblemY);
  std::vector<Box> holes;
  for (const MainMenuPiece& p : kMainMenuPieces) {
    const int edge = p.frame == 7 ? 0 : kSliceSide;  // a panel's rounded rim shows what lies under it
    holes.push_back({p.x + edge, p.y + edge, p.w - 2 * edge, p.h - 2 * edge});
  }
  std::vector<SpriteFModule> out = placeAround(s, c, holes);
  for (const MainMenuPiece& p : kMainMenuPieces) out.push_back(ArtSprite::frameEntry(p.frame, p.x, p.y));
  return out;
}

void addMainMenu(MenuSheet& m) {
  m.frame(2, slicedPanel(0, 0, 500, 280));
  const Canvas title = titleCanvas("Sorvantel 2009", 6, 3);
  m.picture(3, title, title.width() / 2, title.height() / 2);
  m.frame(4, backdropFrame(m.sprite()));
  m.frame(5, solidPanel(m.sprite(), 350, 290));
  m.frame(6, solidPanel(m.sprite(), 400, 140));
  // The bottom band runs off the screen's bottom edge.
  m.frame(7, band(kept::kBar, 0));
  const Canvas emblem = emblemCanvas();
  m.picture(8, emblem);
  m.frame(kMainMenuLayerFrame, mainMenuLayer(m.sprite(), emblem));
}

void addPanels(MenuSheet& m) {
  // The about screen's soft-key plates, under its labels at x 100 and 700.
  m.frame(10, {ArtSprite::entry(kept::kSoftKey, -10, 0)});
  m.frame(11, {ArtSprite::entry(kept::kSoftKey, -58, 0)});
  m.frame(12, joined(slicedPanel(0, 0, 430, 300), m.inset(10, 10, 140, 140)));
  m.frame(13, row(720, false));
  m.frame(14, row(720, true));
  m.frame(15, row(480, false));
  m.frame(16, row(480, true));
  m.frame(17, row(720, false));
  m.frame(18, row(720, true));
  Canvas hint = panelCanvas(48, 36, false, 8);
  hint.draw(ballCanvas(22, 5), 13, 7);
  m.picture(19, hint);
  m.frame(20, band(kept::kHeader, 0));
  m.frame(21, joined(band(kept::kBar, 0), band(kept::kBandFill, kBarHeight)));
  std::vector<SpriteFModule> achievement = slicedPanel(0, 0, kAchievementPanelW, 140);
  achievement.push_back(ArtSprite::entry(kept::kBall, kAchievementPanelW - 34, 106));
  m.frame(22, achievement);
  m.frame(23, slicedPanel(0, 0, 720, 380));
  m.frame(24, slicedPanel(20, 0, 760, 246));
  std::vector<SpriteFModule> skills = slicedPanel(0, 0, 240, 250);
  skills.push_back(ArtSprite::entry(kept::kRacket, 30, 40));
  skills.push_back(ArtSprite::entry(kept::kBall, 110, 60));
  for (int bar = 0; bar < 3; bar++)
    for (int seg = 0; seg <= bar + 1; seg++) skills.push_back(ArtSprite::entry(kept::kMeter, 110 + seg * 16, 150 + bar * 26));
  m.frame(25, skills);
  m.picture(kOptionsHeaderFrame, panelCanvas(720, 40), 0, 6);
  m.frame(kKeysPanelFrame, slicedPanel(0, 0, 300, 250));
  Canvas roster(312, 36);
  roster.ramp(0, 0, 312, 36, kit::kAccentDark, 2);
  Canvas compact(312, 36);
  compact.ramp(0, 0, 312, 36, kit::kBar, kit::kBarShades);
  for (Canvas* c : {&roster, &compact}) {
    for (int y = 0; y < 36; y++)
      for (int x = 0; x < 312; x++)
        if (c->at(x, y) != 0 && (y == 0 || y == 35)) c->set(x, y, kit::kPanelEdge);
  }
  m.picture(kRosterCardFrame, panelCanvas(320, 225));
  m.picture(kRosterBandFrame, roster);
  m.picture(kCompactRosterBandFrame, compact);
  for (int d = 0; d < 9; d++) m.frame(41 + d, {ArtSprite::entry(kept::kKeyCap1 + d, -kKeyCap / 2, -kKeyCap / 2)});
  // The tournament table's board, left of the trophy's column (x 700 to 775).
  std::vector<SpriteFModule> board;
  addSlicedPanel(board, addPanelSlices(m.sprite(), kit::kBoard), 10, 0, 680, 360);
  m.frame(51, board);
  m.frame(52, band(kept::kHeader, 0));
  m.frame(53, {ArtSprite::entry(kept::kIconPlate, 0, 0)});
  m.frame(54, band(kept::kBar, 0));
  m.frame(119, {ArtSprite::entry(kept::kSoftKey, 0, 0)});
  m.frame(shown::kSoftKeyLit, {ArtSprite::entry(kept::kSoftKeyLit, 0, 0)});
  m.frame(126, {ArtSprite::entry(kept::kSoftKeyPressed, 0, 0)});
  m.picture(121, ringCanvas(76, 64, false, kit::kBall));
  m.picture(122, ringCanvas(76, 64, true, kit::kPressed));
}

void addCareer(MenuSheet& m) {
  ArtSprite& s = m.sprite();
  m.frame(kCareerBackdropCreation, screenPanels(s, {{10, 286, 780, 34}, {10, 324, 780, 76}}));
  m.frame(kCareerBackdropCreationPanel, joined(slicedPanel(0, 0, 640, 180), m.inset(10, 30, 140, 140)));
  m.frame(kCareerBackdropLobby, screenPanels(s, {{8, 58, 524, 284, true}, {6, 346, 528, 58}, {535, 222, 258, 128}, {535, 358, 258, 46}}));
  m.frame(kCareerBackdropCard, joined(slicedPanel(0, 0, 250, 160), m.inset(8, 8, 84, 144)));
  m.frame(kCareerBackdropHome, screenPanels(s, {{550, 170, 160, 160}}));
  m.frame(kCareerBackdropAppearance, screenPanels(s, {{36, 276, 728, 138}}));
  m.frame(kCareerBackdropUpdate, screenPanels(s, {{50, 100, 700, 126}, {50, 232, 700, 188}}));
  m.picture(63, panelCanvas(320, 46, false, 8));
  for (int level = 0; level < kBarLevelCount; level++) m.picture(kBarLevelFirst + level, levelBar(level));
}

void addAnimations(MenuSheet& m) {
  std::vector<int> balls;
  for (int step = 0; step < 4; step++) balls.push_back(m.centred(ballCanvas(34, step)));
  std::vector<ArtStep> spin;
  for (int f : balls) spin.push_back({f, 2});
  for (int a : {0, 1, 2, 3, 4, 5}) m.anim(a, spin);
  m.anim(kAnimLobbyLeft, spin);
  const int marker = m.shownFrame({ArtSprite::entry(kept::kBall, -11, -11)});
  m.anim(6, {{marker, 2, 0, 0}, {marker, 2, 0, -3}, {marker, 2, 0, -5}, {marker, 2, 0, -3}});
  m.anim(17, {{shown::kSoftKeyLit, 2}, {119, 2}});
  const int up = m.shownFrame({ArtSprite::entry(kept::kArrowUp, -kArrowLong / 2, -kArrowShort / 2)});
  const int down = m.shownFrame({ArtSprite::entry(kept::kArrowUp, -kArrowLong / 2, -kArrowShort / 2, 2)});
  const int upLit = m.shownFrame({ArtSprite::entry(kept::kArrowUpLit, -kArrowLong / 2, -kArrowShort / 2)});
  const int downLit = m.shownFrame({ArtSprite::entry(kept::kArrowUpLit, -kArrowLong / 2, -kArrowShort / 2, 2)});
  const int right = m.shownFrame({ArtSprite::entry(kept::kArrowRight, -kArrowShort / 2, -kArrowLong / 2)});
  const int left = m.shownFrame({ArtSprite::entry(kept::kArrowRight, -kArrowShort / 2, -kArrowLong / 2, 1)});
  // A slow bob the way each arrow points. Every looping animation here lasts four or eight
  // ticks, so a screen shows the same picture every eighth frame.
  auto bob = [](int frame, int dx, int dy) {
    return std::vector<ArtStep>{{frame, 2, 0, 0}, {frame, 2, dx, dy}, {frame, 2, 2 * dx, 2 * dy}, {frame, 2, dx, dy}};
  };
  m.anim(kAnimArrowUp, bob(up, 0, -1));
  m.anim(kAnimArrowDown, bob(down, 0, 1));
  m.anim(35, {{upLit, 2}, {upLit, 2, 0, -2}});
  m.anim(36, {{downLit, 2}, {downLit, 2, 0, 2}});
  m.anim(37, bob(left, -1, 0));
  m.anim(38, bob(right, 1, 0));
  const int group = m.centred(arrowCanvas(20, 32, false, kit::kBall, kit::kInk));
  const int groupLeft = m.centred(arrowCanvas(20, 32, false, kit::kBall, kit::kInk).mirrored());
  m.anim(43, bob(groupLeft, -1, 0));
  m.anim(44, bob(group, 1, 0));
  // Left of its row's text, which starts 3 pixels right of it.
  const int promo = m.shownFrame(m.sprite().place(ballCanvas(14, 2), 20, 7));
  const int none = m.shownFrame({});
  m.anim(40, {{promo, 4}, {none, 4}});
  Canvas hint(16, 18);
  hint.fillPolygon({{4, 0}, {11, 0}, {11, 8}, {15, 8}, {8, 17}, {0, 8}, {4, 8}}, kit::kPressed);
  hint.outline(kit::kInk);
  const int hintFrame = m.shownFrame(m.sprite().place(hint, 8, 30));
  m.anim(kAnimMapHint, {{hintFrame, 2}, {hintFrame, 2, 0, -2}, {hintFrame, 2, 0, -4}, {hintFrame, 2, 0, -2}});
  std::vector<ArtStep> rank;
  for (int tenths = 0; tenths <= 10; tenths++) {
    Canvas track(250, 14, kit::kPanelShadow);
    if (tenths > 0) track.ramp(0, 0, 25 * tenths, 14, kit::kGold, kit::kGoldShades);
    for (int x = 0; x < 250; x++) {
      track.set(x, 0, kit::kPanelEdge);
      track.set(x, 13, kit::kPanelEdge);
    }
    for (int y = 0; y < 14; y++) {
      track.set(0, y, kit::kPanelEdge);
      track.set(249, y, kit::kPanelEdge);
    }
    rank.push_back({m.shownFrame(placeRepeating(m.sprite(), track, 0, 7)), 1});
  }
  m.anim(kAnimRankBand, rank);
  std::vector<ArtStep> turn;
  for (int step = 0; step < 8; step++) turn.push_back({m.centred(globeCanvas(step)), 1});
  m.anim(kAnimLobbyRight, turn);
  m.fillAnims(spin);
}

}  // namespace

std::vector<uint8_t> menuMainArtSprite() {
  MenuSheet m;
  addMainMenu(m);
  addPanels(m);
  addCareer(m);
  addAnimations(m);
  ArtSprite& s = m.sprite();
  addKitPalettes(s);
  return s.write();
}

}  // namespace sorv::mkdata
