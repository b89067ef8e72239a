#include "tools/mkdata/title_picture.h"

#include <algorithm>
#include <array>

#include "tools/data/court_geometry.h"
#include "tools/mkdata/court_painter.h"
#include "tools/mkdata/figure_painter.h"
#include "tools/mkdata/player_art.h"
#include "tools/mkdata/player_palettes.h"

namespace sorv::mkdata {

namespace {

constexpr int R = kRightSide, L = kLeftSide;

// The palette's layout: the court's roles, the sky's shades, the stadium's rim and
// floodlights, the server's colours (the figure painter's from 2 on) and the ball.
constexpr uint8_t kCourtFirst = 1;
constexpr int kSkyShades = 12;
constexpr uint8_t kSkyFirst = kCourtFirst + kCourtRoleCount;
constexpr uint8_t kRim = kSkyFirst + kSkyShades, kRimEdge = kRim + 1, kMast = kRim + 2, kMastLight = kRim + 3;
constexpr uint8_t kLampFrame = kRim + 4, kLamp = kRim + 5, kGlowOuter = kRim + 6, kGlowInner = kRim + 7;
constexpr uint8_t kServerShadow = kRim + 8;
constexpr uint8_t kBallDark = kRim + 9, kBall = kRim + 10, kBallLight = kRim + 11;
constexpr uint8_t kFigureFirst = kRim + 12;  // the figure painter's index 2
constexpr int kColours = kFigureFirst + kFigureColours - 2;
static_assert(kColours <= 256, "the title's palette holds at most 256 colours");

// The court through the match camera, a little smaller than in a match and lower on the
// screen, so the far stands, the rim and the sky above them show.
constexpr int32_t kCourtNum = 3, kCourtDen = 4;
constexpr int32_t kCourtX = 400 - court::kCourtImageWidth * kCourtNum / kCourtDen / 2;
constexpr int32_t kCourtY = 150;
// The sky down to the rim, the rim's height, the floodlight masts and their heads.
constexpr int kHorizon = 176, kRimHeight = 7;
constexpr int kMastXs[] = {64, 736};
constexpr int kMastTop = 70, kMastWidth = 5, kLampW = 38, kLampH = 16, kGlowRx = 44, kGlowRy = 26;
static_assert(kTitleBand.y + kTitleBand.h <= kHorizon && kMastXs[0] + kGlowRx < kTitleBand.x &&
                  kMastXs[1] - kGlowRx > kTitleBand.x + kTitleBand.w,
              "only the sky lies under the game's name");
// The server: three times a match player, the feet near the bottom right, facing the court.
constexpr int kServerHeight = 3 * kPlayerFigureHeight;
constexpr int kServerX = 616, kServerY = 470;
constexpr int kServerLook = 0;
// The ball tossed above the left hand, in figure units (1000 a standing height).
constexpr int kTossX = -110, kTossY = 1600, kBallUnits = 38;

// The sky from the night above to the sunset's glow on the rim.
constexpr uint32_t kSkyStops[] = {0x0A1030, 0x141A44, 0x1E2252, 0x2C2A60, 0x402E68, 0x6A3A6C, 0xB45A5E, 0xF09A58};

// Dusk: the daylight colours darkened and warmed toward the sunset.
uint32_t dusk(uint32_t c) {
  const int r = static_cast<int>(c >> 16 & 0xFF), g = static_cast<int>(c >> 8 & 0xFF), b = static_cast<int>(c & 0xFF);
  return opaque(static_cast<uint32_t>(r * 70 / 100 + 30) << 16 | static_cast<uint32_t>(g * 56 / 100 + 12) << 8 |
                static_cast<uint32_t>(b * 58 / 100 + 30));
}
// The server stands in the floodlights: only a touch of the dusk.
uint32_t floodlit(uint32_t c) { return mixColour(opaque(c), dusk(c), 1, 3); }
// The boot's palette: the whole picture in a deeper dusk.
uint32_t deeper(uint32_t c) { return mixColour(c, opaque(0x080818), 2, 5); }

uint32_t skyShade(int i) {
  constexpr int kStops = static_cast<int>(std::size(kSkyStops));
  const int at = i * (kStops - 1) * 16 / (kSkyShades - 1);
  const int s = std::min(at / 16, kStops - 2);
  return mixColour(opaque(kSkyStops[s]), opaque(kSkyStops[s + 1]), at - s * 16, 16);
}

std::vector<uint32_t> titlePalette(const Look& server) {
  std::vector<uint32_t> c(kColours, opaque(0));
  c[0] = kArtKey;
  const CourtColours court = courtLook(CourtSurface::kGrass, true).colours;
  for (int role = 0; role < kCourtRoleCount; role++) c[kCourtFirst + role] = dusk(court[role]);
  // The floodlights light the court itself, the lines and the net more than the stands.
  for (int role = kCourtLine; role < kCourtWall; role++) c[kCourtFirst + role] = floodlit(court[role]);
  for (int role = kCourtNetMesh; role < kCourtRoleCount; role++) c[kCourtFirst + role] = floodlit(court[role]);
  // The crowd in the dusk, calm behind the menus' panels: its colours toward the stands'.
  for (int role = kCourtSkin; role < kCourtNetMesh; role++) {
    c[kCourtFirst + role] = mixColour(c[kCourtFirst + role], c[kCourtFirst + kCourtRiser], 2, 5);
  }
  for (int i = 0; i < kSkyShades; i++) c[static_cast<size_t>(kSkyFirst + i)] = skyShade(i);
  c[kRim] = opaque(0x181424);
  c[kRimEdge] = opaque(0x4A3848);
  c[kMast] = opaque(0x1C1A26);
  c[kMastLight] = opaque(0x54506A);
  c[kLampFrame] = opaque(0x2A2634);
  c[kLamp] = opaque(0xFFF6D8);
  c[kGlowOuter] = mixColour(skyShade(2), opaque(0xFFE8B0), 1, 4);
  c[kGlowInner] = mixColour(skyShade(2), opaque(0xFFE8B0), 1, 2);
  c[kServerShadow] = mixColour(dusk(court[kCourtFloorShade]), opaque(0), 2, 5);
  c[kBallDark] = opaque(0x8AA020);
  c[kBall] = opaque(0xD8F040);
  c[kBallLight] = opaque(0xF4FFB0);
  const std::vector<uint32_t> figure = playerPalette(server);
  for (int i = 2; i < kFigureColours; i++) c[static_cast<size_t>(kFigureFirst + i - 2)] = floodlit(figure[static_cast<size_t>(i)]);
  return c;
}

void paintSky(Canvas& canvas) {
  canvas.ramp(0, 0, kTitleWidth, kHorizon, kSkyFirst, kSkyShades);
  canvas.fillRect(0, kHorizon, kTitleWidth, kRimHeight, kRim);
  canvas.fillRect(0, kHorizon, kTitleWidth, 1, kRimEdge);
}

// A mast on the rim with its head of lamps, haloed against the sky.
void paintFloodlight(Canvas& canvas, int x) {
  const int headY = kMastTop - kLampH / 2;
  canvas.fillOval({x - kGlowRx, kMastTop - kGlowRy, 2 * kGlowRx, 2 * kGlowRy}, kGlowOuter);
  canvas.fillOval({x - kGlowRx * 3 / 5, kMastTop - kGlowRy * 3 / 5, kGlowRx * 6 / 5, kGlowRy * 6 / 5}, kGlowInner);
  canvas.fillRect(x - kMastWidth / 2, kMastTop, kMastWidth, kHorizon - kMastTop, kMast);
  canvas.fillRect(x - kMastWidth / 2, kMastTop, 1, kHorizon - kMastTop, kMastLight);
  canvas.fillRect(x - kLampW / 2, headY, kLampW, kLampH, kLampFrame);
  constexpr int kLampCols = 4, kLampRows = 2, kGap = 2;
  const int lw = (kLampW - kGap * (kLampCols + 1)) / kLampCols, lh = (kLampH - kGap * (kLampRows + 1)) / kLampRows;
  for (int row = 0; row < kLampRows; row++) {
    for (int col = 0; col < kLampCols; col++) {
      canvas.fillRect(x - kLampW / 2 + kGap + col * (lw + kGap), headY + kGap + row * (lh + kGap), lw, lh, kLamp);
    }
  }
}

// The trophy position: the ball at the top of its toss, the racket dropped behind the back.
Pose trophyPose() {
  return PoseMaker()
      .leg(R, 14, 4)
      .leg(L, -12, -2)
      .shoulders(70)
      .arm(L, -172, -178)
      .arm(R, 100, -170)
      .racket(165, 50, 90)
      .lean(-6);
}

void paintServer(Canvas& canvas) {
  const Pose pose = trophyPose();
  Pt origin;
  const Canvas shadow = paintedFigureShadow(pose, FigureKind::kMan, kServerHeight, &origin);
  for (int y = 0; y < shadow.height(); y++) {
    for (int x = 0; x < shadow.width(); x++) {
      if (shadow.at(x, y) != 0) canvas.set(kServerX - origin.x + x, kServerY - origin.y + y, kServerShadow);
    }
  }
  const Canvas body = paintedFigure(pose, FigureKind::kMan, kServerHeight, &origin);
  for (int y = 0; y < body.height(); y++) {
    for (int x = 0; x < body.width(); x++) {
      const uint8_t p = body.at(x, y);
      if (p >= 2) canvas.set(kServerX - origin.x + x, kServerY - origin.y + y, static_cast<uint8_t>(kFigureFirst + p - 2));
    }
  }
  const int bx = kServerX + kTossX * kServerHeight / 1000, by = kServerY - kTossY * kServerHeight / 1000;
  const int r = kBallUnits * kServerHeight / 1000;
  canvas.fillEllipse(bx, by, r, r, kBallDark);
  canvas.fillEllipse(bx - 1, by - 1, r - 1, r - 1, kBall);
  canvas.fillEllipse(bx - r / 3, by - r / 3, r / 3, r / 3, kBallLight);
}

Canvas titleCanvas() {
  Canvas canvas(kTitleWidth, kTitleHeight);
  CourtInks inks{};
  for (int role = 0; role < kCourtRoleCount; role++) inks[role] = static_cast<uint8_t>(kCourtFirst + role);
  const CourtView view(court::kMatchCamera, kCourtNum, kCourtDen, kCourtX, kCourtY);
  paintCourt(canvas, courtLook(CourtSurface::kGrass, true), inks, view);
  paintNet(canvas, inks, view, true);
  paintSky(canvas);
  for (int x : kMastXs) paintFloodlight(canvas, x);
  paintServer(canvas);
  return canvas;
}

}  // namespace

ArtSprite titlePictureSprite(const std::vector<Look>& looks) {
  ArtSprite sprite;
  sprite.addPicture(titleCanvas(), 0, 0);
  sprite.addSequence(0, 1);
  const std::vector<uint32_t> light = titlePalette(looks[kServerLook]);
  std::vector<uint32_t> dark = light;
  for (size_t i = 1; i < dark.size(); i++) dark[i] = deeper(dark[i]);
  static_assert(kTitleDarkPalette == 0 && kTitleLightPalette == 1, "the palettes go in this order");
  sprite.addPalette(dark);
  sprite.addPalette(light);
  return sprite;
}

}  // namespace sorv::mkdata
