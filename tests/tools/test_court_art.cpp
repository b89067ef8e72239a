// The painted court, net and set-up preview of the data set, read back through the game: the
// lines where the match projects them, the surfaces inside the service boxes, the boards'
// digits, the net against the geometry, the preview in the set-up's box, the court layouts'
// frames and places, and the labelled sprites left as they were. Each court picture is also
// written to build/court/ for a look.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "device/pixel_formats.h"
#include "game/cae.h"
#include "match/ctennis.h"
#include "sprites/cactor.h"
#include "tests/match/loading_fixture.h"
#include "tests/support/picture_file.h"
#include "tools/data/court_geometry.h"
#include "tools/mkdata/court_art.h"
#include "tools/mkdata/court_painter.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/match_sprites.h"
#include "tools/mkdata/selection_sprites.h"
#include "tools/mkdata/text_source.h"

namespace sorv::test {
namespace {

using mkdata::DataStyle;
constexpr int32_t kW = court::kCourtImageWidth, kH = court::kCourtImageHeight;

uint16_t rgb565(uint32_t colour) { return pixel::toRgb565(0xFF000000u | colour); }

// The WCAG contrast ratio of two screen colours.
double luminance(uint16_t p) {
  const auto channel = [](int v, int bits) {
    const double c = v / double((1 << bits) - 1);
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(p >> 11, 5) + 0.7152 * channel((p >> 5) & 0x3F, 6) + 0.0722 * channel(p & 0x1F, 5);
}
double contrast(uint16_t a, uint16_t b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class CourtArtTest : public LoadingTest {
 protected:
  DataStyle dataStyle() const override { return DataStyle::kArt; }

  static ASprite* sprite(int32_t pack, int32_t entry) {
    return CGame::loadSprite(StaticClass::getConstant(pack), false, entry, true);
  }
  static int32_t frames(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static int32_t anims(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }

  // A w x h picture filled with a colour, the frame drawn on it at (x, y) in a palette.
  static Image* drawn(ASprite* s, int32_t frame, int32_t w, int32_t h, uint32_t fill, int32_t x = 0, int32_t y = 0,
                      int32_t palette = 0) {
    Image* image = Image::createImage(w, h);
    Graphics* g = image->getGraphics();
    g->setColor(static_cast<int32_t>(fill));
    g->fillRect(0, 0, w, h);
    s->SetCurrentPalette(palette);
    s->PaintFrame(g, frame, x, y, 0, 100);
    return image;
  }
  static std::vector<uint16_t> pixels(Image* image, int32_t x, int32_t y, int32_t w, int32_t h) {
    std::vector<uint16_t> out;
    for (int32_t j = y; j < y + h; j++)
      for (int32_t i = x; i < x + w; i++) out.push_back(pixelOf(image, i, j));
    return out;
  }

  static void save(const std::string& name, Image* image) { savePicture(image, "court", name); }
};

// Each court picture frame and the surface it paints (frame 0 grass, 1 hard, 2 clay), in the
// club court and the show court.
struct Picture {
  int32_t entry, frame;
  mkdata::CourtSurface surface;
  bool show;
  const char* name;
};
constexpr Picture kPictures[] = {
    {kCourtBackground, 0, mkdata::CourtSurface::kGrass, false, "grass"},
    {kCourtBackground, 1, mkdata::CourtSurface::kHard, false, "hard"},
    {kCourtBackground, 2, mkdata::CourtSurface::kClay, false, "clay"},
    {kCourtBackgroundMain, 0, mkdata::CourtSurface::kGrass, true, "show-grass"},
    {kCourtBackgroundMain, 1, mkdata::CourtSurface::kHard, true, "show-hard"},
    {kCourtBackgroundMain, 2, mkdata::CourtSurface::kClay, true, "show-clay"},
};

// The colours inside the lines: either stripe, plain or grained.
std::set<uint16_t> surfaceOf(const mkdata::CourtColours& colours) {
  std::set<uint16_t> out;
  for (bool stripe : {false, true})
    for (bool grain : {false, true}) out.insert(rgb565(colours[mkdata::courtFloor(false, stripe, grain)]));
  return out;
}

struct Line {
  int32_t x0, z0, x1, z1;
};
constexpr Line kLines[] = {
    {court::kDoublesLeftX, court::kFarBaselineZ, court::kDoublesRightX, court::kFarBaselineZ},
    {court::kDoublesLeftX, court::kNearBaselineZ, court::kDoublesRightX, court::kNearBaselineZ},
    {court::kSinglesLeftX, court::kFarServiceLineZ, court::kSinglesRightX, court::kFarServiceLineZ},
    {court::kSinglesLeftX, court::kNearServiceLineZ, court::kSinglesRightX, court::kNearServiceLineZ},
    {court::kDoublesLeftX, court::kFarBaselineZ, court::kDoublesLeftX, court::kNearBaselineZ},
    {court::kSinglesLeftX, court::kFarBaselineZ, court::kSinglesLeftX, court::kNearBaselineZ},
    {court::kCentreLineX, court::kFarServiceLineZ, court::kCentreLineX, court::kNearServiceLineZ},
    {court::kSinglesRightX, court::kFarBaselineZ, court::kSinglesRightX, court::kNearBaselineZ},
    {court::kDoublesRightX, court::kFarBaselineZ, court::kDoublesRightX, court::kNearBaselineZ},
};

TEST_F(CourtArtTest, EveryPictureCoversTheImageWithItsLinesWhereTheMatchProjectsThem) {
  const uint16_t white = rgb565(0xFFFFFF), key = rgb565(0xFF00FF);
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    ASprite* s = sprite(kConstCourtPack, p.entry);
    ASSERT_FALSE(isNull(s));
    Image* image = drawn(s, p.frame, kW, kH, 0xFF00FF);
    save(std::string(p.name) + ".png", image);
    int32_t uncovered = 0;
    for (uint16_t px : pixels(image, 0, 0, kW, kH)) uncovered += px == key;
    EXPECT_EQ(uncovered, 0);
    for (const Line& l : kLines) {
      for (int32_t i = 0; i < 20; i++) {
        const int32_t x = l.x0 + (l.x1 - l.x0) * i / 19, z = l.z0 + (l.z1 - l.z0) * i / 19;
        const court::Point at = court::courtImagePoint(x, 0, z);
        EXPECT_EQ(pixelOf(image, at.x, at.y), white) << "line point (" << x << ", " << z << ") at " << at.x << ", " << at.y;
      }
    }
  }
}

// Six pixels inside each corner of the four service boxes lies the surface; outside the hard
// court's lines lies the close-call view's tint.
TEST_F(CourtArtTest, TheServiceBoxesShowTheSurfaceAndTheHardCourtItsTint) {
  struct Box {
    int32_t left, right, far, near;
  };
  const Box boxes[] = {
      {court::kSinglesLeftX, court::kCentreLineX, court::kFarServiceLineZ, court::kNetZ},
      {court::kCentreLineX, court::kSinglesRightX, court::kFarServiceLineZ, court::kNetZ},
      {court::kSinglesLeftX, court::kCentreLineX, court::kNetZ, court::kNearServiceLineZ},
      {court::kCentreLineX, court::kSinglesRightX, court::kNetZ, court::kNearServiceLineZ},
  };
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    const mkdata::CourtColours colours = mkdata::courtLook(p.surface, p.show).colours;
    const std::set<uint16_t> surface = surfaceOf(colours);
    Image* image = drawn(sprite(kConstCourtPack, p.entry), p.frame, kW, kH, 0xFF00FF);
    for (const Box& b : boxes) {
      const court::Point corners[4] = {court::courtImagePoint(b.left, 0, b.far), court::courtImagePoint(b.right, 0, b.far),
                                       court::courtImagePoint(b.left, 0, b.near), court::courtImagePoint(b.right, 0, b.near)};
      for (int32_t c = 0; c < 4; c++) {
        const int32_t x = corners[c].x + (c % 2 == 0 ? 6 : -6), y = corners[c].y + (c < 2 ? 6 : -6);
        EXPECT_TRUE(surface.count(pixelOf(image, x, y))) << "box corner " << c << " at " << x << ", " << y;
      }
    }
    if (p.surface != mkdata::CourtSurface::kHard) continue;
    const uint16_t tint = rgb565(0x438648);
    for (int32_t z : {court::kFarServiceLineZ, court::kNetZ, court::kNearServiceLineZ}) {
      EXPECT_EQ(pixelOf(image, court::courtImagePoint(court::kDoublesLeftX, 0, z).x - 10, court::courtImagePoint(0, 0, z).y), tint);
      EXPECT_EQ(pixelOf(image, court::courtImagePoint(court::kDoublesRightX, 0, z).x + 10, court::courtImagePoint(0, 0, z).y), tint);
    }
    EXPECT_EQ(pixelOf(image, kW / 2, court::courtImagePoint(0, 0, court::kNearBaselineZ).y + 12), tint);
  }
}

// The court of each kind as the match loads it; the boards' digits drawn as between points,
// light on the dark windows, every digit inside its window, so the next score covers it.
TEST_F(CourtArtTest, TheBoardsShowTheirDigitsInContrastInsideTheirWindows) {
  struct Case {
    int32_t court;
    bool main;
  };
  for (const Case c : {Case{0, false}, Case{1, false}, Case{2, false}, Case{2, true}}) {
    SCOPED_TRACE(std::to_string(c.court) + (c.main ? " main" : ""));
    loadAll(0, c.court, c.main);
    ASSERT_FALSE(isNull(CTennis::courtImage));
    const int32_t layout = CTennis::courtLayoutMenu;
    ASprite* font = static_cast<ASprite*>(aload(CGame::fontSprites.get(), kFontDigits));
    ASSERT_FALSE(isNull(font));
    const uint16_t ink = pixel::toRgb565(static_cast<uint32_t>(aload(font->getPalette(0), 1)));
    struct Board {
      int32_t item, window;
      void (*draw)(int32_t);
      int32_t first, second;
    };
    const Board boards[] = {{7, kDecorSpeedWindow, CTennis::drawSpeedToBg, 888, 111},
                            {8, kDecorTimeWindow, CTennis::drawTimeToBg, 1291, 0}};
    for (const Board& b : boards) {
      SCOPED_TRACE(b.item);
      const int32_t at = CGame::GetMenuItemPosition(layout, b.item);
      const int32_t x = static_cast<int16_t>(at & 0xFFFF), y = at >> 16;
      Image* window = drawn(CTennis::courtSprite2, b.window, kW, kH, 0xFF00FF, x, y);
      const int32_t rx = x - 40, ry = y - 20, rw = 100, rh = 45;
      b.draw(b.first);
      if (c.main) save("boards-main.png", CTennis::courtImage);
      const std::vector<uint16_t> first = pixels(CTennis::courtImage, rx, ry, rw, rh);
      int32_t inked = 0;
      for (int32_t j = ry; j < ry + rh; j++) {
        for (int32_t i = rx; i < rx + rw; i++) {
          if (pixelOf(CTennis::courtImage, i, j) != ink) continue;
          inked++;
          EXPECT_NE(pixelOf(window, i, j), rgb565(0xFF00FF)) << "ink outside the window at " << i << ", " << j;
          for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
            const uint16_t n = pixelOf(CTennis::courtImage, i + dx, j + dy);
            if (n != ink) {
              EXPECT_GE(contrast(ink, n), 4.5) << i + dx << ", " << j + dy;
            }
          }
        }
      }
      EXPECT_GT(inked, 40);
      b.draw(b.second);
      b.draw(b.first);
      EXPECT_EQ(pixels(CTennis::courtImage, rx, ry, rw, rh), first) << "the digits before show through";
    }
  }
}

// The board shows its unit frame for mph and the next one for km/h (option 1): the frames
// must name them in that order, "km/h" being the wider word.
TEST_F(CourtArtTest, TheSpeedBoardsUnitIsTheOneTheOptionsChose) {
  loadAll(0, 1);
  ASprite* decor = CTennis::courtSprite2;
  ASSERT_FALSE(isNull(decor));
  const int32_t mph = CGame::GetMenuItemFrameID(CTennis::courtLayoutMenu, 6);
  auto width = [decor](int32_t frame) {
    IntArray* box = Array::newIntArray(4);
    decor->GetFrameRect(box, frame, 0, 0, 0);
    return aload(box, 2) - aload(box, 0);
  };
  EXPECT_GT(width(mph + 1), width(mph));
}

// The net sprite drawn where the match draws it, over a flat colour.
constexpr int32_t kNetX = court::kNetLogicalX, kNetY = court::kNetLogicalY;

TEST_F(CourtArtTest, TheNetStandsWhereTheGeometryPutsIt) {
  ASprite* net = sprite(kConstMatchPack, kMatchNet);
  ASSERT_FALSE(isNull(net));
  ASSERT_GE(net->paletteCount, kCourtTypes);
  const uint16_t white = rgb565(0xFFFFFF), grey = rgb565(0x808080);
  struct Case {
    int32_t frame, halfSpan;
  };
  for (const Case c : {Case{0, 133}, Case{1, 177}}) {
    SCOPED_TRACE(c.frame);
    std::vector<uint16_t> posts;
    for (int32_t palette = 0; palette < kCourtTypes; palette++) {
      Image* image = drawn(net, c.frame, kW, 480, 0x808080, kNetX, kNetY, palette);
      // The tape: 10 below the net's point in the middle, 5 at the posts; nothing above it.
      EXPECT_EQ(pixelOf(image, kNetX, kNetY + 10), white);
      EXPECT_EQ(pixelOf(image, kNetX, kNetY + 9), grey);
      for (int32_t side : {-1, 1}) {
        const int32_t post = kNetX + side * c.halfSpan, inside = post - side * 3;
        EXPECT_EQ(pixelOf(image, inside, kNetY + 5), white) << side;
        EXPECT_EQ(pixelOf(image, inside, kNetY + 4), grey) << side;
        for (int32_t y = kNetY + 6; y <= kNetY + 34; y++) EXPECT_NE(pixelOf(image, post, y), grey) << side << " post at " << y;
        EXPECT_EQ(pixelOf(image, post + side * 3, kNetY + 20), grey) << side << " past the post";
        posts.push_back(pixelOf(image, post, kNetY + 20));
      }
      // Standing on the ground 34 below the point: nothing under it.
      for (int32_t x = kNetX - c.halfSpan - 2; x <= kNetX + c.halfSpan + 2; x++) EXPECT_EQ(pixelOf(image, x, kNetY + 35), grey) << x;
    }
    EXPECT_NE(posts[0], posts[2]) << "clay and hard posts";
    EXPECT_NE(posts[2], posts[6]) << "hard and practice posts";
    // Below the tape the mesh lets what is behind it show between its strands.
    Image* onBlack = drawn(net, c.frame, kW, 480, 0x000000, kNetX, kNetY);
    Image* onWhite = drawn(net, c.frame, kW, 480, 0xFFFFFF, kNetX, kNetY);
    int32_t holes = 0, strands = 0;
    for (int32_t y = kNetY + 14; y < kNetY + 32; y++) {
      for (int32_t x = kNetX - c.halfSpan + 4; x < kNetX + c.halfSpan - 4; x++) {
        const uint16_t b = pixelOf(onBlack, x, y), w = pixelOf(onWhite, x, y);
        holes += b == 0 && w == 0xFFFF;
        strands += b == w;
      }
    }
    const int32_t area = 18 * (2 * c.halfSpan - 8);
    EXPECT_GT(holes, area / 4);
    EXPECT_GT(strands, area / 4);
    EXPECT_EQ(pixelOf(onBlack, kNetX, kNetY + 10), pixelOf(onWhite, kNetX, kNetY + 10));
  }
}

// A net cord shakes the tape for a few frames and the net comes back to rest.
TEST_F(CourtArtTest, TheTapeShakesAndSettlesInEachNet) {
  ASprite* net = sprite(kConstMatchPack, kMatchNet);
  ASSERT_FALSE(isNull(net));
  ASSERT_GE(anims(net), 2);
  for (int32_t anim : {0, 1}) {
    SCOPED_TRACE(anim);
    ASSERT_GE(net->GetAFrames(anim), 4);
    const std::vector<uint16_t> rest = pixels(drawn(net, anim, kW, 480, 0, kNetX, kNetY), 240, 230, 380, 40);
    std::set<std::vector<uint16_t>> shown;
    for (int32_t f = 0; f < net->GetAFrames(anim); f++) {
      EXPECT_GT(net->GetAFrameTime(anim, f), 0);
      const int32_t frame = aload(net->aframeFrame, aload(net->animFirstAFrame, anim) + f) & 0xFF;
      ASSERT_LT(frame, frames(net));
      const std::vector<uint16_t> picture = pixels(drawn(net, frame, kW, 480, 0, kNetX, kNetY), 240, 230, 380, 40);
      EXPECT_NE(picture, rest) << f;
      shown.insert(picture);
    }
    EXPECT_EQ(shown.size(), static_cast<size_t>(net->GetAFrames(anim))) << "every frame of the shake differs";
    Image* image = Image::createImage(kW, 480);
    CActor* actor = CActor::create(net, anim, -1);
    int32_t calls = 0;
    while (actor->update(image->getGraphics(), kNetX, kNetY) != -1 && calls < 200) calls++;
    EXPECT_LT(calls, 200) << "the shake ends";
  }
}

// The set-up draws frame 0 from item 10 in a palette per court: it fits the box above the
// court's name, and each court shows its own surface (the practice court the grass court's).
TEST_F(CourtArtTest, ThePreviewFitsTheSetUpBoxWithAPalettePerCourt) {
  ASprite* preview = sprite(kConstMenuExtPack, kMenuExtCourtPreview);
  ASSERT_FALSE(isNull(preview));
  ASSERT_GE(preview->paletteCount, kCourtTypes);
  IntArray* rect = Array::newIntArray(4);
  preview->GetFrameRect(rect, 0, 0, 0, 0);
  EXPECT_GE(aload(rect, 0), 0);
  EXPECT_GE(aload(rect, 1), 0);
  EXPECT_LE(aload(rect, 2), 220);
  EXPECT_LE(aload(rect, 3), 140);
  // The near right service box's middle, as the preview's quarter scale puts it.
  const court::Point box = court::courtImagePoint((court::kCentreLineX + court::kSinglesRightX) / 2, 0,
                                                  (court::kNetZ + court::kNearServiceLineZ) / 2);
  const int32_t bx = box.x * 220 / kW, by = box.y * 220 / kW;
  std::vector<std::vector<uint16_t>> pictures;
  std::vector<uint16_t> surfaces;
  for (int32_t c = 0; c < kCourtTypes; c++) {
    Image* image = drawn(preview, 0, 220, 140, 0xFF00FF, 0, 0, c);
    save("preview-" + std::to_string(c) + ".png", image);
    pictures.push_back(pixels(image, 0, 0, 220, 140));
    surfaces.push_back(pixelOf(image, bx, by));
  }
  EXPECT_TRUE(surfaceOf(mkdata::courtLook(mkdata::CourtSurface::kClay, false).colours).count(surfaces[0]));
  EXPECT_TRUE(surfaceOf(mkdata::courtLook(mkdata::CourtSurface::kHard, false).colours).count(surfaces[1]));
  EXPECT_NE(surfaces[2], surfaces[0]);
  EXPECT_NE(surfaces[2], surfaces[1]);
  EXPECT_EQ(pictures[3], pictures[2]);
}

// Court layouts: a decor frame per item with room for the game's "+ 1"s, the linesmen by the
// lines they judge, the score board, and the decor placed where its frames were painted.
TEST_F(CourtArtTest, TheLayoutsGiveEachItemItsFrameAndTheLinesmenTheirPlaces) {
  const int32_t ownFrames[9] = {0, kDecorBenches, kDecorCrowd, kDecorGate, kDecorSpeedBoard, kDecorClock,
                                kDecorSpeedUnit, kDecorSpeedWindow, kDecorTimeWindow};
  struct Place {
    int32_t x, y;
  };
  const Place end1[5] = {{243, 234}, {431, 137}, {619, 234}, {199, 371}, {662, 371}};
  const Place end2[5] = {{199, 371}, {431, 498}, {662, 371}, {243, 234}, {619, 234}};
  const court::Point crowd = court::Point{mkdata::farStandHead(mkdata::CourtView{}, mkdata::kCrowdBlockRow,
                                                               mkdata::kCrowdBlockSeat).x,
                                          mkdata::farStandHead(mkdata::CourtView{}, mkdata::kCrowdBlockRow,
                                                               mkdata::kCrowdBlockSeat).y};
  const auto placeOf = [](int32_t menu, int32_t item) {
    const int32_t at = CGame::GetMenuItemPosition(menu, item);
    return Place{static_cast<int16_t>(at & 0xFFFF), at >> 16};
  };
  for (int32_t menu : {kCourtLayoutMain, kCourtLayout, kCourtLayoutMain + kCourtLayoutEnd2, kCourtLayout + kCourtLayoutEnd2}) {
    SCOPED_TRACE(menu);
    std::set<int32_t> used;
    for (int32_t item = 1; item <= 8; item++) {
      EXPECT_EQ(CGame::GetMenuItemFrameID(menu, item), ownFrames[item]) << item;
      used.insert(ownFrames[item]);
    }
    used.insert(kDecorGate + 1);
    used.insert(kDecorSpeedUnit + 1);
    EXPECT_EQ(used.size(), 10u) << "a '+ 1' lands on another item's frame";
    for (const mkdata::CourtItemPlace& p : mkdata::kCourtItemPlaces) {
      EXPECT_EQ(placeOf(menu, p.item).x, p.x) << p.item;
      EXPECT_EQ(placeOf(menu, p.item).y, p.y) << p.item;
    }
    EXPECT_EQ(placeOf(menu, 2).x, crowd.x);
    EXPECT_EQ(placeOf(menu, 2).y, crowd.y);
    const Place* linesmen = menu >= kCourtLayoutMain + kCourtLayoutEnd2 ? end2 : end1;
    for (int32_t i = 0; i < 5; i++) {
      EXPECT_EQ(CGame::GetMenuItemActionID(menu, 13 + i), kLinesmanRestFirst + i) << i;
      EXPECT_EQ(placeOf(menu, 13 + i).x, linesmen[i].x) << i;
      EXPECT_EQ(placeOf(menu, 13 + i).y, linesmen[i].y) << i;
    }
    EXPECT_EQ(CGame::GetMenuItemFrameID(menu, 19), kInterfaceScoreBoardFrame);
  }
  // Both styles hold what the layouts name.
  for (DataStyle style : {DataStyle::kArt, DataStyle::kLabels}) {
    SCOPED_TRACE(style == DataStyle::kArt ? "art" : "labels");
    useStyle(style);
    for (int32_t entry : {kCourtDecor, kCourtDecorMain}) {
      ASprite* decor = sprite(kConstCourtPack, entry);
      EXPECT_GT(frames(decor), kDecorTimeWindow) << entry;
      EXPECT_GT(decor->paletteCount, kDecorBoardPalette) << entry;
    }
    EXPECT_GE(anims(sprite(kConstMatchFxPack, kMatchFxJudges)), kLinesmanRestFirst + 5);
    EXPECT_GT(frames(sprite(kConstMatchPack, kMatchInterface)), kInterfaceScoreBoardFrame);
  }
}

// The court actor waves the crowd block: four looping animations over the block's place.
TEST_F(CourtArtTest, TheCourtActorWavesOverTheCrowdBlock) {
  ASprite* actor = sprite(kConstCourtPack, kCourtActor);
  ASprite* decor = sprite(kConstCourtPack, kCourtDecor);
  ASSERT_FALSE(isNull(actor));
  ASSERT_GE(anims(actor), 4);
  IntArray* block = Array::newIntArray(4);
  IntArray* wave = Array::newIntArray(4);
  decor->GetFrameRect(block, kDecorCrowd, 0, 0, 0);
  for (int32_t a = 0; a < 4; a++) {
    SCOPED_TRACE(a);
    ASSERT_GE(actor->GetAFrames(a), 2);
    std::set<int32_t> shown;
    for (int32_t f = 0; f < actor->GetAFrames(a); f++) {
      EXPECT_GT(actor->GetAFrameTime(a, f), 0);
      const int32_t frame = aload(actor->aframeFrame, aload(actor->animFirstAFrame, a) + f) & 0xFF;
      shown.insert(frame);
      actor->GetFrameRect(wave, frame, 0, 0, 0);
      // Arms and flags reach above the fans, within the block's width.
      EXPECT_LT(aload(wave, 1), aload(block, 1)) << f;
      EXPECT_GE(aload(wave, 0), aload(block, 0) - 8) << f;
      EXPECT_LE(aload(wave, 2), aload(block, 2) + 8) << f;
    }
    EXPECT_GE(shown.size(), 2u);
  }
}

// The painted sprites draw nothing of the labels, and the labelled ones stay byte for byte.
TEST_F(CourtArtTest, NoArtModuleIsALabelAndTheLabelledSpritesStay) {
  struct Entry {
    int32_t pack, entry;
  };
  const Entry entries[] = {{kConstCourtPack, 0}, {kConstCourtPack, 1}, {kConstCourtPack, 2}, {kConstCourtPack, 3},
                           {kConstCourtPack, 4}, {kConstMatchPack, kMatchNet}, {kConstMenuExtPack, kMenuExtCourtPreview}};
  const auto modules = [](ASprite* s) {
    std::vector<std::vector<int32_t>> out;
    for (int32_t m = 0; m < s->moduleWidth->length; m++) {
      const int32_t w = aload(s->moduleWidth, m) & 0xFF, h = aload(s->moduleHeight, m) & 0xFF;
      IntArray* argb = s->DecodeImage(m, 0);
      std::vector<int32_t> px{w, h};
      for (int32_t i = 0; !isNull(argb) && i < w * h; i++) px.push_back(argb->elements()[i]);
      out.push_back(px);
    }
    return out;
  };
  std::vector<std::vector<std::vector<int32_t>>> art;
  for (const Entry& e : entries) art.push_back(modules(sprite(e.pack, e.entry)));
  useStyle(DataStyle::kLabels);
  for (size_t i = 0; i < std::size(entries); i++) {
    SCOPED_TRACE(std::to_string(entries[i].pack) + "/" + std::to_string(entries[i].entry));
    const std::vector<int32_t> label = modules(sprite(entries[i].pack, entries[i].entry))[0];
    for (const std::vector<int32_t>& m : art[i]) EXPECT_NE(m, label);
  }
  const auto fnv = [](const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
  };
  const std::vector<std::vector<uint8_t>> courts = mkdata::matchCourtPackEntries();
  const uint64_t courtHashes[kCourtPackEntries] = {0x4d52e490ed644826ull, 0x2969f29db316e9b4ull, 0x0e92e3fa54e15b78ull,
                                                   0xcb57dbdcebb1a760ull, 0xa45fb3752600ca3full};
  for (int32_t e = 0; e < kCourtPackEntries; e++) EXPECT_EQ(fnv(courts[static_cast<size_t>(e)]), courtHashes[e]) << e;
  EXPECT_EQ(fnv(mkdata::matchPackEntries()[kMatchNet]), 0x350c1be8a420a9f2ull);
  EXPECT_EQ(fnv(mkdata::selectionMenuExtPackEntries()[kMenuExtCourtPreview]), 0xf3ea37dd379ad1e6ull);
}

// The court names follow the surfaces (clay, hard, grass, practice) in every language, each
// by its own four names.
TEST(CourtTexts, TheCourtNamesFollowTheSurfacesInEveryLanguage) {
  const std::map<std::string, std::array<std::u16string, kCourtTypes>> written = {
      {"en.txt", {u"Clay court", u"Hard court", u"Grass court", u"Practice court"}},
      {"fr.txt", {u"Terre battue", u"Court en dur", u"Gazon", u"Court annexe"}},
      {"it.txt", {u"Terra battuta", u"Cemento", u"Erba", u"Campo allenamento"}},
      {"de.txt", {u"Sandplatz", u"Hartplatz", u"Rasenplatz", u"Trainingsplatz"}},
      {"es.txt", {u"Tierra batida", u"Pista dura", u"Hierba", u"Pista de prácticas"}},
      {"pt.txt", {u"Saibro", u"Quadra dura", u"Grama", u"Quadra de treino"}},
      {"nl.txt", {u"Gravelbaan", u"Harde baan", u"Grasbaan", u"Oefenbaan"}},
      {"pl.txt", {u"Kort ziemny", u"Kort twardy", u"Kort trawiasty", u"Kort treningowy"}},
      {"cs.txt", {u"Antuka", u"Tvrdý povrch", u"Tráva", u"Tréninkový dvorec"}},
      {"tr.txt", {u"Toprak kort", u"Sert kort", u"Çim kort", u"Antrenman kortu"}},
      {"ru.txt", {u"Грунт", u"Хард", u"Трава", u"Учебный корт"}},
  };
  int32_t languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(mkdata::defaultDataDir()) / "texts")) {
    const std::string name = file.path().filename().string();
    SCOPED_TRACE(name);
    std::string contents, error;
    ASSERT_TRUE(mkdata::readSourceFile(file.path().string(), &contents, &error)) << error;
    mkdata::TextSource texts;
    ASSERT_TRUE(mkdata::parseTextSource(contents, name, &texts, &error)) << error;
    const auto own = written.find(name);
    ASSERT_NE(own, written.end());
    std::set<std::u16string> distinct;
    for (int32_t c = 0; c < kCourtTypes; c++) {
      const std::u16string& text = texts.strings[kTextMenus].at(static_cast<size_t>(kTextCourtNames + 2 * c));
      EXPECT_EQ(text, own->second[static_cast<size_t>(c)]) << c;
      distinct.insert(text);
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kCourtTypes));
    languages++;
  }
  EXPECT_EQ(languages, kLanguageCount);
}

}  // namespace
}  // namespace sorv::test
