// Painting a court as a camera sees it: the world box's floor, the surface inside the lines,
// the lines, the walls and barriers, the stands and their crowd, and the net. Every point
// goes through the match's own integer projection before the view places it on the canvas,
// so with the match camera a line lands on the very pixels where the match projects it; the
// same painter serves the court image, the net sprite, the set-up's preview and any other
// picture of a court (another camera, scale or light).
//
// Invariants: integer arithmetic only; the painter writes only the palette indexes it is
// handed (CourtInks), one per role, so one picture can be recoloured by its palettes; the
// crowd is the same for the same view and crowd share, whatever the surface.
// Only the data builder and its tests call this.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/data/court_geometry.h"
#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

inline constexpr int kCourtFloorRoles = 8, kCourtSkinCount = 3, kCourtHairCount = 3, kCourtShirtCount = 8;

// What each painted pixel is, the palette index of which a picture decides.
enum CourtRole : int {
  kCourtLine,
  kCourtFloor,  // kCourtFloorRoles from here, see courtFloor
  kCourtFloorShade = kCourtFloor + kCourtFloorRoles,  // at the foot of the walls
  kCourtWall,
  kCourtWallTop,
  kCourtWallBand,
  kCourtTread,
  kCourtRiser,
  kCourtSeat,
  kCourtSkin,  // the spectators' skin tones, hair and shirts, so many of each from here
  kCourtHair = kCourtSkin + kCourtSkinCount,
  kCourtShirt = kCourtHair + kCourtHairCount,
  kCourtNetMesh = kCourtShirt + kCourtShirtCount,
  kCourtNetTape,
  kCourtNetPost,
  kCourtNetPostLight,
  kCourtRoleCount
};
// The floor's roles: inside the lines or the run-off around them, in the first or second of
// the mown stripes, plain or a grain of the swept surface.
constexpr int courtFloor(bool runOff, bool secondStripe, bool grain) {
  return kCourtFloor + (runOff ? 4 : 0) + (secondStripe ? 2 : 0) + (grain ? 1 : 0);
}

using CourtColours = std::array<uint32_t, kCourtRoleCount>;  // ARGB per role
using CourtInks = std::array<uint8_t, kCourtRoleCount>;      // palette index per role

enum class CourtSurface { kClay, kHard, kGrass };

// What the floor shows (mown stripes, a swept grain, or neither) and how full the stands are.
// The colours give every role, so a look's colours also suit a picture painted with stripes
// and grain both: the roles a surface does not show take its plain colours.
struct CourtLook {
  bool stripes = false, grain = false;
  bool lines = true;  // the white lines painted on the floor
  int crowdPercent = 70;  // seats taken
  CourtColours colours{};
};

// The daylight looks: a club court of each surface (clay swept, hard plain, grass mown), or
// the show court of a main tournament. Another light is the same look with its colours
// mixed toward that light's.
CourtLook courtLook(CourtSurface surface, bool showCourt);

// Adds the colours to a palette, each colour once (those already there are reused), and
// returns the index every role took.
CourtInks addCourtColours(std::vector<uint32_t>& palette, const CourtColours& colours);

// One picture for every look: every role its own palette index after the key, and a look's
// colours as a palette in that order.
CourtInks courtRoleInks();
std::vector<uint32_t> courtRolePalette(const CourtColours& colours);

// The swept grain's dashes: whether a canvas pixel holds one. The dashes repeat every
// kCourtGrainPeriod pixels both ways, so equal stretches of floor stay equal pictures.
inline constexpr int kCourtGrainPeriod = 60;
bool courtGrainAt(int x, int y);

// Where the picture lands: a court point goes through the camera and the match's logical
// scale (the camera's own near doubles baseline is 376 logical pixels wide), then takes
// num / den canvas pixels per logical pixel and is shifted so that logical (0, 0) lies at
// (originX, originY). The default view is the match's 840 x 532 court image.
struct CourtView {
  CourtView() = default;
  CourtView(const court::Camera& camera, int32_t num, int32_t den, int32_t originX, int32_t originY);

  court::Camera camera = court::kMatchCamera;
  court::Scale scale = court::kMatchScale;  // the camera's own: court::scaleOf(camera)
  int32_t num = 1, den = 1;
  int32_t originX = 0, originY = court::kCourtImageTop;

  // The canvas pixel of a court point, and the same in 1/kSub pixels (the pixel's centre at
  // scale 1, so a polygon through such points covers the match's own pixels).
  Pt at(int32_t x, int32_t y, int32_t z) const;
  Pt atSub(int32_t x, int32_t y, int32_t z) const;
  // How many canvas pixels a length of mm millimetres across the view spans at that point.
  int32_t pixels(int32_t mm, int32_t x, int32_t y, int32_t z) const;
};

// The parts of a court picture, back to front: the far stands, the side stands, the floor
// with its lines, and the walls with their shadow on the floor. The stands' parts start by
// filling the canvas with the risers' colour.
enum CourtPart : unsigned {
  kCourtFarStandPart = 1,
  kCourtSideStandsPart = 2,
  kCourtFloorPart = 4,
  kCourtWallsPart = 8,
  kCourtEveryPart = 15
};
void paintCourt(Canvas& canvas, const CourtLook& look, const CourtInks& inks, const CourtView& view = {},
                unsigned parts = kCourtEveryPart);

// The walls: the back wall behind the far baseline and the barriers along the sides, their
// cap and skirt bands, and the shadow they cast on the floor at their feet.
inline constexpr int32_t kBackWallMm = 2000, kBarrierMm = 1000, kWallCapMm = 120, kWallSkirtMm = 250;
inline constexpr int32_t kBackWallShadeMm = 500, kBarrierShadeMm = 250;

// The net across the court: the mesh between two posts (the singles net over the span the
// ball's net test takes, the doubles net between the doubles posts), a grid of strands with
// the court showing between them, the white tape and the centre strap. shakeMm lifts the
// middle of the tape (negative drops it), fading to nothing at the posts.
inline constexpr int32_t kSinglesNetLeftX = 4315, kSinglesNetRightX = 13856;
inline constexpr int32_t kDoublesPostLeftX = 2746, kDoublesPostRightX = 15424;
inline constexpr int32_t kNetCentreHeight = 914, kNetPostHeight = 1070;
void paintNet(Canvas& canvas, const CourtInks& inks, const CourtView& view, bool doubles, int32_t shakeMm = 0);

// The far stands' rows and seats, so a picture laid over them can sit on their seats: the
// head of a spectator in row `row` (0 the lowest) on seat `seat` (0 above the far doubles
// line's left end, counting right). The far stands face the camera square on, so their
// seats keep one spacing and their spectators repeat every kFarStandRepeat seats: the
// picture's equal stretches stay equal.
inline constexpr int kFarStandRepeat = 10;
Pt farStandHead(const CourtView& view, int row, int seat);
// The same spectator's head radius on the canvas.
int32_t farStandHeadRadius(const CourtView& view, int row, int seat);

}  // namespace sorv::mkdata
