#include "tools/mkdata/interface_art.h"

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/art_strips.h"

namespace sorv::mkdata {

namespace {

enum : uint8_t {
  kKey,
  kNight, kNavy, kPanelFirst,  // then kPanelShades of the panels' face, light to dark
};
constexpr int kPanelShades = 4;
enum : uint8_t {
  kPanelEdge = kPanelFirst + kPanelShades, kWhite,
  kGoldDark, kGold, kGoldLight,
  kRedDark, kRed, kRedLight, kBlueDark, kBlue, kBlueLight,
  kBallEdge, kBall,
  kClayDark, kClay, kClayLight, kGreenDark, kGreen, kGreenLight,
  kBoardFace, kBoardEdge,
};

std::vector<uint32_t> palette() {
  std::vector<uint32_t> p = {kArtKey, opaque(0x060C1C), opaque(0x0C1A3A)};
  appendShades(p, opaque(0x284A8C), opaque(0x10224C), kPanelShades);
  for (uint32_t c : {0x6E8CD0, 0xFFFFFF, 0x9A6C0C, 0xE8B830, 0xFFF0A8, 0x7A1414, 0xD83232, 0xFF9A9A, 0x14327C,
                     0x3070E0, 0xA8C8FF, 0x6A7A18, 0xD8F040, 0x6E2C12, 0xB45A2C, 0xE89060, 0x0C3A1E, 0x1E6E3C,
                     0x6CC08A, 0x10241A, 0x8CA898}) {
    p.push_back(opaque(c));
  }
  return p;
}

// The frame numbers the game and the menus draw.
constexpr int kCallPanel = 0, kServeMarker = 1, kSpeedTitle = 2, kSpeedValue = 3, kEmptyFrame = 4;
constexpr int kArrowCpuLeft = 5, kArrowCpuRight = 6, kArrowUserLeft = 7, kArrowUserRight = 8;
constexpr int kInsetClay = 12, kInsetOther = 13, kScoreBoard = 14, kPopupPlate = 18;
constexpr int kFarTag = 49, kNearTag = 58;
constexpr int kReplayAnim = 0, kTrophyAnim = 2, kStarAnim = 3;
// What the labelled stand-in holds, which the menus may name.
constexpr int kLabelledFrames = 132, kLabelledAnims = 48;

constexpr int kCallWidth = 250, kCallHeight = 40;
constexpr int kSpeedWidth = 170, kSpeedTitleHeight = 26, kSpeedValueHeight = 38;
constexpr int kBoardWidth = 130, kBoardHeight = 46;
constexpr int kPlateWidth = 300, kPlateHeight = 56, kPlateIconX = -128;
// The inset's window is 106 pixels from (1, 0) of the frame's origin; its caption above.
constexpr int kInsetSide = 106, kInsetTab = 13;
constexpr Pt kReplayMark{91, -9};

// A panel with a dark rim, a light edge and a face shaded from light at the top to dark.
void panel(Canvas& c, const Box& b, uint8_t edge = kPanelEdge) {
  c.fillRect(b.x, b.y, b.w, b.h, kNight);
  c.fillRect(b.x + 1, b.y + 1, b.w - 2, b.h - 2, edge);
  c.ramp(b.x + 2, b.y + 2, b.w - 4, b.h - 4, kPanelFirst, kPanelShades);
  // Rounded corners.
  for (Pt corner : {Pt{b.x, b.y}, Pt{b.x + b.w - 1, b.y}, Pt{b.x, b.y + b.h - 1}, Pt{b.x + b.w - 1, b.y + b.h - 1}}) {
    const int sx = corner.x == b.x ? 1 : -1, sy = corner.y == b.y ? 1 : -1;
    c.set(corner.x, corner.y, kKey);
    c.set(corner.x + sx, corner.y, kKey);
    c.set(corner.x, corner.y + sy, kKey);
    c.set(corner.x + sx, corner.y + sy, kNight);
  }
}

Canvas callPanel() {
  Canvas c(kCallWidth, kCallHeight);
  panel(c, {0, 0, kCallWidth, kCallHeight});
  return c;
}

Canvas serveMarker() {
  Canvas c(8, 8);
  c.fillOval({0, 0, 8, 8}, kBallEdge);
  c.fillOval({1, 1, 6, 6}, kBall);
  c.set(3, 2, kWhite);
  return c;
}

// The serve-speed panel: its title strip (frame 2) and the box below for the number (frame 3).
Canvas speedTitle() {
  Canvas c(kSpeedWidth, kSpeedTitleHeight);
  panel(c, {0, 0, kSpeedWidth, kSpeedTitleHeight}, kBlue);
  return c;
}

Canvas speedValue() {
  Canvas c(kSpeedWidth, kSpeedValueHeight);
  panel(c, {0, 0, kSpeedWidth, kSpeedValueHeight});
  c.fillRect(6, 4, kSpeedWidth - 12, kSpeedValueHeight - 8, kNavy);
  return c;
}

// An arrow pointing left, its tip on the canvas's left edge at mid height.
Canvas edgeArrow(uint8_t dark, uint8_t body, uint8_t light) {
  Canvas c(28, 23);
  const std::vector<Pt> shape = {{1, 11}, {14, 1}, {14, 7}, {27, 7}, {27, 15}, {14, 15}, {14, 21}};
  c.fillPolygon(shape, body);
  c.outline(dark);
  c.fillRect(15, 8, 11, 2, light);
  return c;
}

// The frame round the close-call inset, its caption tab above; `clay` picks the colours.
Canvas insetFrame(bool clay) {
  const uint8_t dark = clay ? kClayDark : kGreenDark, body = clay ? kClay : kGreen, light = clay ? kClayLight : kGreenLight;
  // Canvas (0, 0) is (-2, -kInsetTab - 1) of the frame.
  Canvas c(kInsetSide + 6, kInsetSide + kInsetTab + 4);
  const int top = kInsetTab + 1;
  c.fillRect(0, top - 1, c.width(), c.height() - top + 1, dark);
  c.fillRect(1, top, c.width() - 2, c.height() - top - 1, body);
  c.fillRect(3, top, kInsetSide + 1, kInsetSide + 1, kKey);  // the window the surface shows through
  c.fillRect(0, 1, c.width(), top - 1, dark);
  c.fillRect(1, 2, c.width() - 2, top - 3, body);
  c.fillRect(1, 2, c.width() - 2, 1, light);
  c.set(0, 1, kKey);
  c.set(c.width() - 1, 1, kKey);
  const Pt mark{kReplayMark.x + 2, kReplayMark.y + top};
  c.fillOval({mark.x - 5, mark.y - 5, 11, 11}, dark);
  return c;
}

Canvas scoreBoard() {
  Canvas c(kBoardWidth, kBoardHeight);
  c.fillRect(0, 0, kBoardWidth, kBoardHeight, kBoardEdge);
  c.fillRect(2, 2, kBoardWidth - 4, kBoardHeight - 4, kNight);
  c.fillRect(3, 3, kBoardWidth - 6, kBoardHeight - 6, kBoardFace);
  c.fillRect(6, kBoardHeight / 2, kBoardWidth - 12, 1, kGreenDark);
  return c;
}

Canvas popupPlate() {
  Canvas c(kPlateWidth, kPlateHeight);
  panel(c, {0, 0, kPlateWidth, kPlateHeight}, kGold);
  const int iconX = kPlateWidth / 2 + kPlateIconX;
  c.fillOval({iconX - 19, kPlateHeight / 2 - 19, 38, 38}, kNight);
  c.ovalRing({iconX - 19, kPlateHeight / 2 - 19, 38, 38}, 1, kGoldDark);
  return c;
}

// A cup with two handles on a stepped foot; `shine` 0 to 2 moves a glint over the bowl.
Canvas trophy(int shine) {
  Canvas c(28, 30);
  c.ovalRing({1, 3, 10, 12}, 2, kGoldDark);
  c.ovalRing({17, 3, 10, 12}, 2, kGoldDark);
  c.fillPolygon({{5, 1}, {22, 1}, {21, 12}, {17, 18}, {10, 18}, {6, 12}}, kGold);
  c.fillRect(12, 18, 4, 5, kGoldDark);
  c.fillRect(8, 23, 12, 3, kGold);
  c.fillRect(6, 26, 16, 3, kGoldDark);
  c.fillRect(7, 2, 3, 9, kGoldLight);
  c.outline(kNight);
  const Pt glint{11 + 4 * shine, 5 + 2 * shine};
  c.line({glint.x - 2, glint.y}, {glint.x + 2, glint.y}, 1, kWhite);
  c.line({glint.x, glint.y - 2}, {glint.x, glint.y + 2}, 1, kWhite);
  return c;
}

// A five-pointed star (points in 1/16 pixels about the centre of a 25-pixel square).
Canvas star(int twinkle) {
  Canvas c(25, 25);
  c.fillPolygonSub({{200, 24}, {242, 142}, {367, 146}, {268, 222}, {304, 342}, {200, 272}, {96, 342}, {132, 222},
                    {33, 146}, {158, 142}},
                   kGold);
  c.outline(kGoldDark);
  c.fillOval({10, 9 + twinkle % 2, 5, 4}, kGoldLight);
  if (twinkle == 1) c.line({19, 2}, {23, 6}, 1, kWhite);
  if (twinkle == 2) c.line({1, 20}, {4, 23}, 1, kWhite);
  return c;
}

// The serve tag: a plate for the "You" or "CPU" label and a pointer down to the server.
Canvas serveTag(uint8_t dark, uint8_t body, uint8_t light) {
  constexpr int kWidth = 72;
  Canvas c(kWidth, 45);
  c.fillRect(0, 0, kWidth, 27, dark);
  c.fillRect(1, 1, kWidth - 2, 25, body);
  c.fillRect(2, 1, kWidth - 4, 1, light);
  c.fillPolygon({{kWidth / 2 - 8, 26}, {kWidth / 2 + 8, 26}, {kWidth / 2, 44}}, dark);
  c.fillPolygon({{kWidth / 2 - 6, 26}, {kWidth / 2 + 6, 26}, {kWidth / 2, 41}}, body);
  return c;
}

Canvas replayMark(bool lit) {
  Canvas c(9, 9);
  c.fillOval({0, 0, 9, 9}, kRedDark);
  c.fillOval({1, 1, 7, 7}, lit ? kRed : kRedDark);
  if (lit) c.set(3, 3, kRedLight);
  return c;
}

// The inset's frame as its four sides round the window, which keep nothing of the window.
std::vector<SpriteFModule> placeInsetFrame(ArtSprite& art, const Canvas& c, int originX, int originY) {
  const int top = kInsetTab + 1, bottom = top + kInsetSide + 1, left = 3, right = 3 + kInsetSide + 1;
  const Box sides[] = {{0, 0, c.width(), top}, {0, top, left, bottom - top}, {right, top, c.width() - right, bottom - top},
                       {0, bottom, c.width(), c.height() - bottom}};
  std::vector<SpriteFModule> out;
  for (const Box& box : sides)
    for (const SpriteFModule& e : art.place(c.crop(box), originX - box.x, originY - box.y)) out.push_back(e);
  return out;
}

}  // namespace

std::vector<uint8_t> interfaceArt() {
  ArtSprite art;
  // One palette: the menus cache every palette's images of this sprite for the whole game,
  // and nothing draws it in another.
  art.addPalette(palette());
  art.setFrame(kCallPanel, placeRepeating(art, callPanel(), 0, 0));
  art.setFrame(kServeMarker, art.place(serveMarker(), 4, 4));
  art.setFrame(kSpeedTitle, placeRepeating(art, speedTitle(), 0, 0));
  art.setFrame(kSpeedValue, placeRepeating(art, speedValue(), 0, -kSpeedTitleHeight));
  art.setFrame(kEmptyFrame, {});
  const Canvas cpu = edgeArrow(kRedDark, kRed, kRedLight), user = edgeArrow(kBlueDark, kBlue, kBlueLight);
  // The left arrows start at the screen's left edge, the right ones end at its right edge.
  art.setFrame(kArrowCpuLeft, art.place(cpu, 0, cpu.height() / 2));
  art.setFrame(kArrowCpuRight, art.place(cpu.mirrored(), cpu.width(), cpu.height() / 2));
  art.setFrame(kArrowUserLeft, art.place(user, 0, user.height() / 2));
  art.setFrame(kArrowUserRight, art.place(user.mirrored(), user.width(), user.height() / 2));
  art.setFrame(kInsetClay, placeInsetFrame(art, insetFrame(true), 2, kInsetTab + 1));
  art.setFrame(kInsetOther, placeInsetFrame(art, insetFrame(false), 2, kInsetTab + 1));
  art.setFrame(kScoreBoard, placeRepeating(art, scoreBoard(), 0, 0));
  art.setFrame(kPopupPlate, placeRepeating(art, popupPlate(), kPlateWidth / 2, kPlateHeight / 2));
  const Canvas farTag = serveTag(kRedDark, kRed, kRedLight), nearTag = serveTag(kBlueDark, kBlue, kBlueLight);
  art.setFrame(kFarTag, art.place(farTag, farTag.width() / 2, farTag.height()));
  art.setFrame(kNearTag, art.place(nearTag, nearTag.width() / 2, nearTag.height()));
  const int replay = kLabelledFrames;
  art.setFrame(replay, art.place(replayMark(true), 4, 4));
  art.addPicture(replayMark(false), 4, 4);
  const int cup = art.frameCount();
  for (int shine = 0; shine < 3; shine++) art.addPicture(trophy(shine), 14 - kPlateIconX, 15);
  const int stars = art.frameCount();
  for (int twinkle = 0; twinkle < 3; twinkle++) art.addPicture(star(twinkle), 12 - kPlateIconX, 12);
  art.setAnim(kReplayAnim, {{replay, 3}, {replay + 1, 2}}, kEmptyFrame);
  art.setAnim(kTrophyAnim, {{cup, 3}, {cup + 1, 2}, {cup + 2, 2}}, kEmptyFrame);
  art.setAnim(kStarAnim, {{stars, 3}, {stars + 1, 2}, {stars + 2, 2}}, kEmptyFrame);
  art.setAnim(kLabelledAnims - 1, {{kEmptyFrame, 1}}, kEmptyFrame);
  return art.write();
}

}  // namespace sorv::mkdata
