#include "tools/mkdata/portrait_art.h"

#include <algorithm>
#include <iterator>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/badge_art.h"
#include "tools/mkdata/face_painter.h"

namespace sorv::mkdata {

namespace {

constexpr int kRosterSize = kFirstBadgeFrame;
static_assert(kBadgeCount == kPortraitBadgeFrames && kPortraitCursorFrame == kFirstBadgeFrame + kBadgeCount &&
                  kPortraitFrames == kPortraitCursorFrame + 1,
              "a badge per country or home after the faces, then the cursor's ring");

// The palette: fixed colours, the badges', then three shades of each hair and shirt colour
// the looks name, in the order they first appear.
enum Fixed : uint8_t {
  kKey, kBackdropEdge, kBackdropTop, kBackdropBottom, kEye, kEyeWhite, kMouth, kSkin, kSkinShade,
  kShape, kShapeRim, kShapeMark, kBadgeEdge, kBadgeFirst, kShadesFirst = kBadgeFirst + kBadgeColours
};
constexpr uint32_t kSkinColour = 0xCF7F38, kSkinShadeColour = 0xAB5A12;
constexpr uint32_t kBackdropTopColour = 0xC4D4E4, kBackdropBottomColour = 0x8AA2BC;
constexpr int kFirstWomanPortrait = 18;

Shade3 shadesAt(uint8_t first) { return {first, static_cast<uint8_t>(first + 1), static_cast<uint8_t>(first + 2)}; }

// Every colour of the looks' hair and shirts once, and its shades' first index.
class LookColours {
 public:
  uint8_t of(uint32_t rgb) {
    const auto it = std::find(colours_.begin(), colours_.end(), rgb);
    if (it != colours_.end()) return static_cast<uint8_t>(kShadesFirst + 3 * (it - colours_.begin()));
    colours_.push_back(rgb);
    return static_cast<uint8_t>(kShadesFirst + 3 * (colours_.size() - 1));
  }
  const std::vector<uint32_t>& colours() const { return colours_; }

 private:
  std::vector<uint32_t> colours_;
};

uint32_t grey(uint32_t argb) {
  const uint32_t r = argb >> 16 & 0xFF, g = argb >> 8 & 0xFF, b = argb & 0xFF;
  const uint32_t v = (r * 30 + g * 59 + b * 11) / 100;
  return (argb & 0xFF000000u) | v << 16 | v << 8 | v;
}

std::vector<uint32_t> plainPalette(const LookColours& looks) {
  std::vector<uint32_t> c(kShadesFirst, opaque(0));
  c[kKey] = kArtKey;
  c[kBackdropEdge] = opaque(0x28303C);
  c[kBackdropTop] = opaque(kBackdropTopColour);
  c[kBackdropBottom] = opaque(kBackdropBottomColour);
  c[kEye] = opaque(0x24160E);
  c[kEyeWhite] = opaque(0xF4ECE4);
  c[kMouth] = opaque(0x8A2E22);
  c[kSkin] = opaque(kSkinColour);
  c[kSkinShade] = opaque(kSkinShadeColour);
  c[kShape] = opaque(0x3A4656);
  c[kShapeRim] = opaque(0x6A7A8E);
  c[kShapeMark] = opaque(0xE8EEF4);
  c[kBadgeEdge] = opaque(0x1A1A1E);
  for (int i = 0; i < kBadgeColours; i++) c[static_cast<size_t>(kBadgeFirst + i)] = opaque(kBadgeInks[i]);
  for (uint32_t rgb : looks.colours()) {
    c.push_back(mixColour(opaque(rgb), opaque(0), 35, 100));
    c.push_back(opaque(rgb));
    c.push_back(mixColour(opaque(rgb), opaque(0xFFFFFF), 30, 100));
  }
  return c;
}

// The picked look: every colour grey but the badges'.
std::vector<uint32_t> pickedPalette(const std::vector<uint32_t>& plain) {
  std::vector<uint32_t> c = plain;
  for (size_t i = 1; i < c.size(); i++) {
    if (i < kBadgeEdge || i >= kShadesFirst) c[i] = grey(c[i]);
  }
  return c;
}

// The cursor's ring: a yellow frame just outside the backdrop, in an ink that both palettes
// keep.
constexpr int kRingWidth = 2;
constexpr uint8_t kRingInk = kBadgeFirst + 4;
Canvas cursorRing() {
  Canvas c(kFaceWidth + 2 * kRingWidth, kFaceHeight + 2 * kRingWidth);
  c.fillRect(0, 0, c.width(), c.height(), kRingInk);
  c.fillRect(kRingWidth, kRingWidth, kFaceWidth, kFaceHeight, 0);
  return c;
}

// The framed backdrop, light above and darker below (in bands: a dither would be noise at
// this size), its corners cut.
Canvas backdrop() {
  Canvas c(kFaceWidth, kFaceHeight, kBackdropEdge);
  c.fillRect(1, 1, kFaceWidth - 2, kFaceHeight - 2, kBackdropTop);
  c.fillRect(1, kFaceHeight * 3 / 5, kFaceWidth - 2, kFaceHeight - 1 - kFaceHeight * 3 / 5, kBackdropBottom);
  for (int x : {0, kFaceWidth - 1}) {
    for (int y : {0, kFaceHeight - 1}) c.set(x, y, 0);
  }
  return c;
}

bool isCreatedPlayer(int avatar) {
  return std::find(std::begin(kCreatedPlayerPortraits), std::end(kCreatedPlayerPortraits), avatar) !=
         std::end(kCreatedPlayerPortraits);
}

// The face of an avatar: kind, hair style by avatar (the women's longer or tied), variant.
Face faceOf(int avatar) {
  Face f;
  f.woman = avatar >= kFirstWomanPortrait;
  const int n = f.woman ? avatar - kFirstWomanPortrait : avatar;
  constexpr int kMen = static_cast<int>(std::size(kMenStyles)), kWomen = static_cast<int>(std::size(kWomenStyles));
  f.hair = f.woman ? kWomenStyles[n % kWomen] : kMenStyles[n % kMen];
  f.variant = n % 2;
  return f;
}

}  // namespace

ArtSprite portraitSprite(const std::vector<Look>& looks) {
  ArtSprite sprite;
  LookColours colours;
  const std::vector<SpriteFModule> plate = sprite.place(backdrop(), kFaceOriginX, kFaceOriginY);
  for (int avatar = 0; avatar < kRosterSize; avatar++) {
    std::vector<SpriteFModule> entries = plate;
    const auto add = [&](const Canvas& layer) {
      for (const SpriteFModule& e : sprite.place(layer, kFaceOriginX, kFaceOriginY)) entries.push_back(e);
    };
    const Face face = faceOf(avatar);
    if (isCreatedPlayer(avatar)) {
      add(paintSilhouette(face.woman, kShape, kShapeRim, kShapeMark));
    } else {
      const Look& look = looks[static_cast<size_t>(avatar)];
      FaceInks inks;
      inks.hair = shadesAt(colours.of(look.colours[kHairGroup]));
      inks.shirt = shadesAt(colours.of(look.colours[kShirtGroup]));
      inks.skin = kSkin, inks.skinShade = kSkinShade, inks.eye = kEye, inks.eyeWhite = kEyeWhite, inks.mouth = kMouth;
      const FaceLayers layers = paintFace(face, inks);
      for (const Canvas* layer : {&layers.back, &layers.shirt, &layers.head, &layers.hair}) add(*layer);
    }
    sprite.addFrame(entries);
  }
  for (int badge = 0; badge < kBadgeCount; badge++) sprite.addPicture(paintBadge(badge, kBadgeEdge, kBadgeFirst), 0, 0);
  sprite.addPicture(cursorRing(), kFaceOriginX + kRingWidth, kFaceOriginY + kRingWidth);
  sprite.addSequence(0, 1);
  const std::vector<uint32_t> plain = plainPalette(colours);
  sprite.addPalette(pickedPalette(plain));
  sprite.addPalette(plain);
  return sprite;
}

}  // namespace sorv::mkdata
