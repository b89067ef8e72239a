#include "tools/mkdata/court_art.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/court_image.h"
#include "tools/mkdata/court_painter.h"
#include "tools/mkdata/font_face.h"

namespace sorv::mkdata {

namespace {

constexpr int kImageW = court::kCourtImageWidth, kImageH = court::kCourtImageHeight;

// The net's mesh repeats every few pixels, so its pieces are cut to a multiple of that.
constexpr int kNetTileW = 60, kNetTileH = 20;

// The ink of a box of the canvas (empty when none).
Box inkIn(const Canvas& canvas, const Box& box) {
  const std::vector<uint8_t>& px = canvas.pixels();
  int x0 = box.x + box.w, y0 = box.y + box.h, x1 = -1, y1 = -1;
  for (int y = box.y; y < box.y + box.h; y++) {
    const uint8_t* row = px.data() + static_cast<size_t>(y) * canvas.width();
    for (int x = box.x; x < box.x + box.w; x++) {
      if (row[x] == 0) continue;
      x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  }
  return x1 < 0 ? Box{} : Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// The canvas cut into w x h tiles trimmed to their ink (equal ones shared), placed with the
// canvas's (originX, originY) on the frame's origin.
std::vector<SpriteFModule> tilesOf(ArtSprite& sprite, const Canvas& canvas, int w, int h, int originX = 0,
                                   int originY = 0) {
  std::vector<SpriteFModule> entries;
  for (int ty = 0; ty < canvas.height(); ty += h) {
    for (int tx = 0; tx < canvas.width(); tx += w) {
      const Box ink = inkIn(canvas, {tx, ty, std::min(w, canvas.width() - tx), std::min(h, canvas.height() - ty)});
      if (ink.empty()) continue;
      entries.push_back(ArtSprite::entry(sprite.addModule(canvas.crop(ink)), ink.x - originX, ink.y - originY));
    }
  }
  return entries;
}

// The court types' surfaces: clay, hard, grass, and the practice court, which is the grass
// court's picture.
constexpr CourtSurface kTypeSurfaces[kCourtTypes] = {CourtSurface::kClay, CourtSurface::kHard, CourtSurface::kGrass,
                                                      CourtSurface::kGrass};

// One picture for every surface, painted with stripes and grain both, and each surface's
// look in a palette of its own.
Canvas everySurfacePicture(int w, int h, const CourtView& view) {
  CourtLook look = courtLook(CourtSurface::kGrass, false);
  look.stripes = look.grain = true;
  Canvas canvas(w, h);
  paintCourt(canvas, look, courtRoleInks(), view);
  return canvas;
}

std::vector<uint32_t> surfacePalette(CourtSurface surface) { return courtRolePalette(courtLook(surface, false).colours); }

// --- The net

constexpr int kNetCanvasW = 420, kNetCanvasH = 40, kNetOriginX = kNetCanvasW / 2;
// The tape's shake after a net cord: the middle of the tape lifted (or dropped) by so many
// millimetres, frame by frame, settling.
constexpr int32_t kNetShakeMm[] = {-110, 70, -40, 20};
constexpr int kNetShakeTime = 2;
// The posts take the court's colours: clay, hard, grass, practice.
constexpr uint32_t kNetPosts[kCourtTypes][2] = {
    {0x1E5A34, 0x5EA070}, {0x2E3238, 0x8A9098}, {0x1E4E30, 0x6A9A70}, {0x5A6068, 0xA0A6AE}};

std::vector<uint8_t> netSprite() {
  const CourtView view(court::kMatchCamera, 1, 1, kNetOriginX - court::kNetLogicalX, -court::kNetLogicalY);
  CourtInks inks{};
  inks[kCourtNetTape] = 1;
  inks[kCourtNetMesh] = 2;
  inks[kCourtNetPost] = 3;
  inks[kCourtNetPostLight] = 4;
  ArtSprite sprite;
  const auto net = [&](bool doubles, int32_t shake) {
    Canvas canvas(kNetCanvasW, kNetCanvasH);
    paintNet(canvas, inks, view, doubles, shake);
    return sprite.addFrame(tilesOf(sprite, canvas, kNetTileW, kNetTileH, kNetOriginX, 0));
  };
  net(false, 0);
  net(true, 0);
  for (bool doubles : {false, true}) {
    const int first = sprite.frameCount();
    for (int32_t shake : kNetShakeMm) net(doubles, shake);
    sprite.addSequence(first, static_cast<int>(std::size(kNetShakeMm)), kNetShakeTime);
  }
  // The mesh is see-through by its holes rather than by alpha: the net is drawn every frame
  // and a keyed picture draws several times faster than a blended one.
  for (const auto& post : kNetPosts) {
    sprite.addPalette({kArtKey, opaque(0xFFFFFF), opaque(0x18181C), opaque(post[0]), opaque(post[1])});
  }
  return sprite.write();
}

// --- The set-up's preview: the court image, the net over it, at a quarter of its size

constexpr int kPreviewW = 220, kPreviewH = 140;
constexpr int32_t kPreviewNum = kPreviewW, kPreviewDen = kImageW;

std::vector<uint8_t> previewSprite() {
  const CourtView view(court::kMatchCamera, kPreviewNum, kPreviewDen, 0, court::kCourtImageTop * kPreviewNum / kPreviewDen);
  Canvas canvas = everySurfacePicture(kPreviewW, kPreviewH, view);
  const CourtInks inks = courtRoleInks();
  paintNet(canvas, inks, view, false);
  for (int x = 0; x < kPreviewW; x++) canvas.set(x, 0, inks[kCourtWallTop]), canvas.set(x, kPreviewH - 1, inks[kCourtWallTop]);
  for (int y = 0; y < kPreviewH; y++) canvas.set(0, y, inks[kCourtWallTop]), canvas.set(kPreviewW - 1, y, inks[kCourtWallTop]);
  ArtSprite sprite;
  sprite.addPicture(canvas, 0, 0);
  sprite.addSequence(0, 1);
  for (CourtSurface surface : kTypeSurfaces) sprite.addPalette(surfacePalette(surface));
  return sprite.write();
}

// --- The court decor: benches, the crowd block, the gate and the boards, painted where the
// layouts put them; and the crowd block's waving

enum DecorInk : uint8_t {
  kDecorKey,
  kBoardFace,
  kBoardEdge,
  kWindowFace,
  kWindowEdge,
  kUnitInk,
  kBallInk,
  kBallShade,
  kDialFace,
  kDialHands,
  kTunnelDeep,
  kTunnelMouth,
  kGateFrame,
  kWood,
  kWoodSide,
  kBenchLegs,
  kTowel,
  kCoolerBox,
  kCoolerLid,
  kFloorShadow,
  kFanShirt,
  kBanner,
  kBannerBlue,
  kBannerRed,
  kFlag,
  kFlagPole,
  kFanSkin,
  kFanHair = kFanSkin + kCourtSkinCount,
  kDecorInkCount = kFanHair + kCourtHairCount
};

// A board's face: club courts in navy, grass courts (the show court's too) in dark green.
std::vector<uint32_t> decorPalette(uint32_t boardFace) {
  std::vector<uint32_t> p(kDecorInkCount);
  p[kDecorKey] = kArtKey;
  p[kBoardFace] = boardFace;
  p[kBoardEdge] = 0xC8CDD2;
  p[kWindowFace] = 0x050608;
  p[kWindowEdge] = 0x3A424C;
  p[kUnitInk] = 0xF2B440;
  p[kBallInk] = 0xD8E83C;
  p[kBallShade] = 0x98A82A;
  p[kDialFace] = 0xF4F4EE;
  p[kDialHands] = 0x1C1C1C;
  p[kTunnelDeep] = 0x08090C;
  p[kTunnelMouth] = 0x262C34;
  p[kGateFrame] = 0xD8DCE0;
  p[kWood] = 0x9A6A3A;
  p[kWoodSide] = 0x6A4424;
  p[kBenchLegs] = 0x2A2E34;
  p[kTowel] = 0xF6F6F2;
  p[kCoolerBox] = 0xC8342C;
  p[kCoolerLid] = 0xF0F0EC;
  p[kFloorShadow] = 0x000000;
  p[kFanShirt] = 0xF07A1C;
  p[kBanner] = 0xF8F8F4;
  p[kBannerBlue] = 0x2F55C8;
  p[kBannerRed] = 0xD83A32;
  p[kFlag] = 0xF0C830;
  p[kFlagPole] = 0x5A4A3A;
  const CourtColours crowd = courtLook(CourtSurface::kHard, false).colours;
  for (int i = 0; i < kCourtSkinCount; i++) p[kFanSkin + i] = crowd[kCourtSkin + i];
  for (int i = 0; i < kCourtHairCount; i++) p[kFanHair + i] = crowd[kCourtHair + i];
  for (uint32_t& c : p) c = opaque(c);
  p[kDecorKey] = kArtKey;
  p[kFloorShadow] = withAlpha(0x000000, 0x60);
  return p;
}

// The layouts' decor items.
constexpr int32_t kBenchesItem = 1, kGateItem = 3, kSpeedBoardItem = 4, kClockItem = 5, kSpeedUnitItem = 6;
constexpr int32_t kSpeedDigitsItem = 7, kTimeDigitsItem = 8;

CourtItemPlace placeOf(int32_t item) {
  for (const CourtItemPlace& p : kCourtItemPlaces) {
    if (p.item == item) return p;
  }
  return {item, 0, 0};
}

Canvas imageCanvas() { return Canvas(kImageW, kImageH); }

// A frame of a picture painted in court-image pixels, drawn from the item's place.
int addPlaced(ArtSprite& sprite, const Canvas& canvas, Pt place) {
  const Box ink = canvas.bounds();
  return sprite.addPicture(canvas.crop(ink), place.x - ink.x, place.y - ink.y);
}
int addPlaced(ArtSprite& sprite, const Canvas& canvas, int32_t item) {
  const CourtItemPlace p = placeOf(item);
  return addPlaced(sprite, canvas, Pt{p.x, p.y});
}

void boxed(Canvas& c, int x, int y, int w, int h, uint8_t face, uint8_t edge) {
  c.fillRect(x, y, w, h, edge);
  c.fillRect(x + 1, y + 1, w - 2, h - 2, face);
}

// Text in the builder's face from the capitals' top at y, one pixel between letters.
void letters(Canvas& c, int x, int y, std::string_view text, uint8_t ink) {
  for (char ch : text) {
    const FaceGlyph g = faceGlyphOrHole(static_cast<unsigned char>(ch));
    for (int col = 0; col < g.width; col++) {
      for (int row = kFaceCapTop; row < kFaceRows; row++) {
        if (g.ink(col, row)) c.set(x + col, y + row - kFaceCapTop, ink);
      }
    }
    x += g.width + 1;
  }
}

// The boards' boxes around the game's digits: three digits from the speed item's x, centred
// 4 below it; hours ending 11 right of the time item, minutes from 13 right of it.
constexpr Box kSpeedWindow{-4, -5, 48, 21};
constexpr Box kTimeWindow{-22, -5, 65, 21};
constexpr int kBoardW = 118, kBoardH = 31;

Canvas speedBoard() {
  Canvas c = imageCanvas();
  const CourtItemPlace at = placeOf(kSpeedBoardItem);
  boxed(c, at.x, at.y, kBoardW, kBoardH, kBoardFace, kBoardEdge);
  const int bx = at.x + 14, by = at.y + kBoardH / 2;
  for (int k = 0; k < 3; k++) c.fillRect(at.x + 3 + k, by - 3 + 3 * k, 5 - k, 1, kBallShade);
  c.fillEllipse(bx, by, 5, 5, kBallShade);
  c.fillEllipse(bx - 1, by - 1, 4, 4, kBallInk);
  return c;
}

Canvas clockBoard() {
  Canvas c = imageCanvas();
  const CourtItemPlace at = placeOf(kClockItem);
  boxed(c, at.x, at.y, kBoardW, kBoardH, kBoardFace, kBoardEdge);
  const int cx = at.x + 12, cy = at.y + kBoardH / 2;
  c.fillEllipse(cx, cy, 8, 8, kBoardEdge);
  c.fillEllipse(cx, cy, 7, 7, kDialFace);
  c.line({cx, cy}, {cx, cy - 5}, 1, kDialHands);
  c.line({cx, cy}, {cx + 4, cy}, 1, kDialHands);
  return c;
}

Canvas speedUnit(std::string_view unit) {
  Canvas c = imageCanvas();
  const CourtItemPlace at = placeOf(kSpeedUnitItem);
  letters(c, at.x, at.y, unit, kUnitInk);
  return c;
}

Canvas digitWindow(int32_t item, const Box& box) {
  Canvas c = imageCanvas();
  const CourtItemPlace at = placeOf(item);
  boxed(c, at.x + box.x, at.y + box.y, box.w, box.h, kWindowFace, kWindowEdge);
  return c;
}

// The players' gate: a tunnel through the back wall with a white frame.
constexpr int32_t kGateLeftX = 8285, kGateRightX = 9885, kGateHeight = 1800, kGateFrameMm = 90;

Canvas gate() {
  Canvas c = imageCanvas();
  const CourtView v;
  const Pt topLeft = v.at(kGateLeftX - kGateFrameMm, kGateHeight + kGateFrameMm, court::kFarEndZ);
  const Pt bottomRight = v.at(kGateRightX + kGateFrameMm, 0, court::kFarEndZ);
  c.fillRect(topLeft.x, topLeft.y, bottomRight.x - topLeft.x + 1, bottomRight.y - topLeft.y + 1, kGateFrame);
  const Pt in0 = v.at(kGateLeftX, kGateHeight, court::kFarEndZ), in1 = v.at(kGateRightX, 0, court::kFarEndZ);
  c.ramp(in0.x, in0.y, in1.x - in0.x, in1.y - in0.y + 1, kTunnelDeep, 2);  // deep to the mouth
  c.fillRect(in0.x, in0.y, in1.x - in0.x, 2, kTunnelDeep);
  return c;
}

// Two benches by the right-hand net post with a cooler between them, in the court's
// perspective.
void box3d(Canvas& c, const CourtView& v, std::array<int32_t, 6> b, uint8_t top, uint8_t side, uint8_t front) {
  const auto [x0, y0, z0, x1, y1, z1] = b;
  const auto quad = [&](std::array<std::array<int32_t, 3>, 4> q, uint8_t ink) {
    std::vector<Pt> pts;
    for (const auto& p : q) pts.push_back(v.atSub(p[0], p[1], p[2]));
    c.fillPolygonSub(pts, ink);
  };
  quad({{{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}}}, top);
  quad({{{x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}}}, side);
  quad({{{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}}, front);
}

Canvas benches() {
  Canvas c = imageCanvas();
  const CourtView v;
  constexpr int32_t kSeatX0 = 17300, kSeatX1 = 17800, kBackX1 = 17900;
  for (const auto& [z0, z1] : {std::pair{16700, 18000}, std::pair{18600, 19900}}) {
    box3d(c, v, {kSeatX0 - 150, 0, z0 - 150, kBackX1 + 100, 1, z1 + 150}, kFloorShadow, kFloorShadow, kFloorShadow);
    for (int32_t legZ : {z0 + 80, z1 - 160}) box3d(c, v, {kSeatX0 + 60, 0, legZ, kSeatX1 - 60, 380, legZ + 80}, kBenchLegs, kBenchLegs, kBenchLegs);
    box3d(c, v, {kSeatX1, 380, z0, kBackX1, 950, z1}, kWood, kWoodSide, kWoodSide);
    box3d(c, v, {kSeatX0, 380, z0, kSeatX1, 470, z1}, kWood, kWoodSide, kWoodSide);
    box3d(c, v, {kSeatX0 + 80, 470, z0 + 300, kSeatX1 - 40, 500, z0 + 750}, kTowel, kTowel, kTowel);
  }
  box3d(c, v, {17350, 0, 18130, 17750, 420, 18470}, kCoolerLid, kCoolerBox, kCoolerBox);
  return c;
}

// The crowd block: supporters in one colour on the far stands' seats behind a banner.
struct Fan {
  Pt head;
  int r;
  int tone;
};

std::vector<Fan> crowdBlockFans() {
  const CourtView v;
  std::vector<Fan> fans;
  // Back rows first, so nearer fans are painted over them.
  for (int row = kCrowdBlockRow + kCrowdBlockRows - 1; row >= kCrowdBlockRow; row--) {
    for (int seat = kCrowdBlockSeat; seat < kCrowdBlockSeat + kCrowdBlockSeats; seat++) {
      fans.push_back({farStandHead(v, row, seat), std::max(2, farStandHeadRadius(v, row, seat)), (row * 7 + seat) % 3});
    }
  }
  return fans;
}

Pt crowdBlockPlace() { return farStandHead(CourtView{}, kCrowdBlockRow, kCrowdBlockSeat); }

Canvas crowdBlock() {
  Canvas c = imageCanvas();
  const std::vector<Fan> fans = crowdBlockFans();
  for (const Fan& f : fans) {
    c.fillEllipse(f.head.x, f.head.y + 2 * f.r + 2, f.r + 2, f.r + 2, kFanShirt);
    c.fillEllipse(f.head.x, f.head.y, f.r, f.r, static_cast<uint8_t>(kFanHair + f.tone));
    c.fillEllipse(f.head.x, f.head.y + 1, f.r - 1, f.r - 1, static_cast<uint8_t>(kFanSkin + f.tone));
  }
  const Pt first = farStandHead(CourtView{}, kCrowdBlockRow, kCrowdBlockSeat);
  const Pt last = farStandHead(CourtView{}, kCrowdBlockRow, kCrowdBlockSeat + kCrowdBlockSeats - 1);
  const int x0 = first.x - 7, x1 = last.x + 7, y0 = first.y + 5;
  c.fillRect(x0, y0, x1 - x0 + 1, 8, kBanner);
  for (int x = x0 + 2; x <= x1 - 2; x += 6) c.fillRect(x, y0 + 2, 3, 4, (x / 6) % 2 == 0 ? kBannerBlue : kBannerRed);
  return c;
}

// The waving: arms up (all, or every other fan), and flags held high.
enum class Wave { kAllArms, kEveryOther, kFlags };

Canvas crowdWave(Wave wave) {
  Canvas c = imageCanvas();
  int i = 0;
  for (const Fan& f : crowdBlockFans()) {
    const bool up = wave == Wave::kAllArms || (wave == Wave::kEveryOther && i % 2 == 0);
    const auto skin = static_cast<uint8_t>(kFanSkin + f.tone);
    const int sy = f.head.y + f.r + 2;
    if (up) {
      c.line({f.head.x - f.r - 1, sy}, {f.head.x - f.r - 3, f.head.y - f.r - 3}, 1, skin);
      c.line({f.head.x + f.r + 1, sy}, {f.head.x + f.r + 3, f.head.y - f.r - 3}, 1, skin);
    }
    if (wave == Wave::kFlags && i % 3 == 1) {
      const int top = f.head.y - 3 * f.r - 6;
      c.line({f.head.x + f.r + 1, sy}, {f.head.x + f.r + 2, top}, 1, kFlagPole);
      c.fillRect(f.head.x + f.r + 3, top, 8, 5, kFlag);
      c.fillRect(f.head.x + f.r + 3, top + 2, 8, 1, kBannerRed);
    }
    i++;
  }
  return c;
}

// The frames in the order the layouts name them.
static_assert(kDecorBenches == 1 && kDecorCrowd == 2 && kDecorGate == 3 && kDecorSpeedBoard == 5 && kDecorClock == 6 &&
              kDecorSpeedUnit == 7 && kDecorSpeedWindow == 9 && kDecorTimeWindow == 10);

std::vector<uint8_t> decorSprite(uint32_t boardFace) {
  ArtSprite sprite;
  sprite.addFrame({});  // no item draws frame 0
  addPlaced(sprite, benches(), kBenchesItem);
  addPlaced(sprite, crowdBlock(), crowdBlockPlace());
  const Canvas gatePicture = gate();
  addPlaced(sprite, gatePicture, kGateItem);
  addPlaced(sprite, gatePicture, kGateItem);
  addPlaced(sprite, speedBoard(), kSpeedBoardItem);
  addPlaced(sprite, clockBoard(), kClockItem);
  // The board shows its item's frame for mph and the next one for km/h (the speed-unit
  // option 1).
  addPlaced(sprite, speedUnit("mph"), kSpeedUnitItem);
  addPlaced(sprite, speedUnit("km/h"), kSpeedUnitItem);
  addPlaced(sprite, digitWindow(kSpeedDigitsItem, kSpeedWindow), kSpeedDigitsItem);
  addPlaced(sprite, digitWindow(kTimeDigitsItem, kTimeWindow), kTimeDigitsItem);
  sprite.addSequence(kDecorBenches, 1);
  // Every palette alike: the boards are drawn in palette 3, the rest in palette 0.
  for (int p = 0; p <= kDecorBoardPalette; p++) sprite.addPalette(decorPalette(boardFace));
  return sprite.write();
}

std::vector<uint8_t> courtActorSprite() {
  ArtSprite sprite;
  const Pt place = crowdBlockPlace();
  const int all = addPlaced(sprite, crowdWave(Wave::kAllArms), place);
  const int half = addPlaced(sprite, crowdWave(Wave::kEveryOther), place);
  const int flags = addPlaced(sprite, crowdWave(Wave::kFlags), place);
  constexpr int kWaveTime = 3;
  // Main tournament (ends 1 and 2), then every other court: the same fans, waving.
  for (int a = 0; a < 4; a++) {
    sprite.addAnim({{all, kWaveTime}, {a % 2 == 0 ? half : flags, kWaveTime}, {all, kWaveTime}, {flags, kWaveTime}});
  }
  sprite.addPalette(decorPalette(0));
  return sprite.write();
}

}  // namespace

void paintCourtArt(PackSet& packs) {
  PackEntries& court = packs[kConstCourtPack];
  court[kCourtBackground] = courtPictureSprite(false);
  court[kCourtBackgroundMain] = courtPictureSprite(true);
  court[kCourtDecor] = decorSprite(0x14263A);
  court[kCourtDecorMain] = decorSprite(0x143424);
  court[kCourtActor] = courtActorSprite();
  packs[kConstMatchPack][kMatchNet] = netSprite();
  packs[kConstMenuExtPack][kMenuExtCourtPreview] = previewSprite();
}

}  // namespace sorv::mkdata
