#include "tools/mkdata/face_painter.h"

#include <cstdlib>

namespace sorv::mkdata {

namespace {

// The head's oval and the parts of the face, in window pixels.
constexpr Box kHead{8, 5, 14, 17};
constexpr int kEyeY = 13, kLeftEyeX = 11, kRightEyeX = 16, kNoseX = 15, kMouthY = 18;
constexpr int kHairline = 8, kShirtTop = 25, kNeckX = 12, kNeckW = 6;

bool inOval(const Box& b, int x, int y) {
  const int64_t ax = b.w, ay = b.h;
  const int64_t dx = 2 * x + 1 - (2 * b.x + b.w), dy = 2 * y + 1 - (2 * b.y + b.h);
  return dx * dx * ay * ay + dy * dy * ax * ax <= ax * ax * ay * ay;
}

// Lit from the upper left: the pixels of `mid` whose right or lower neighbour is empty take
// the dark shade, those whose left or upper one is empty the light one.
void shadeRim(Canvas& c, uint8_t mid, const Shade3& s) {
  const Canvas before = c;
  for (int y = 0; y < c.height(); y++) {
    for (int x = 0; x < c.width(); x++) {
      if (before.at(x, y) != mid) continue;
      if (before.at(x + 1, y) == 0 || before.at(x, y + 1) == 0) {
        c.set(x, y, s.dark);
      } else if (before.at(x - 1, y) == 0 || before.at(x, y - 1) == 0) {
        c.set(x, y, s.light);
      }
    }
  }
}

// --- The head: ears, neck, the oval, and the face on it.

Canvas head(const Face& face, const FaceInks& k) {
  Canvas c(kFaceWidth, kFaceHeight);
  c.fillRect(kNeckX, kHead.y + kHead.h - 3, kNeckW, kShirtTop + 2 - (kHead.y + kHead.h - 3), k.skin);
  for (int y = 12; y <= 15; y++) c.set(kHead.x - 1, y, k.skin), c.set(kHead.x + kHead.w, y, k.skinShade);
  c.fillOval(kHead, k.skin);
  // The shaded side and the chin's shadow on the neck.
  for (int y = kHead.y; y < kHead.y + kHead.h; y++) {
    for (int x = kHead.x + kHead.w - 1; x >= kHead.x; x--) {
      if (!inOval(kHead, x, y)) continue;
      c.set(x, y, k.skinShade);
      if (y > kHead.y + 3) c.set(x - 1, y, k.skinShade);
      break;
    }
  }
  for (int x = kNeckX; x < kNeckX + kNeckW; x++) c.set(x, kHead.y + kHead.h, k.skinShade);
  c.fillRect(kNeckX + kNeckW - 2, kHead.y + kHead.h, 2, 4, k.skinShade);
  // The eyes look ahead: white outside, the iris inside.
  c.set(kLeftEyeX, kEyeY, k.eyeWhite), c.set(kLeftEyeX + 1, kEyeY, k.eye);
  c.set(kRightEyeX, kEyeY, k.eye), c.set(kRightEyeX + 1, kEyeY, k.eyeWhite);
  if (face.variant == 1) c.set(kLeftEyeX + 1, kEyeY + 1, k.eye), c.set(kRightEyeX, kEyeY + 1, k.eye);
  if (face.woman) c.set(kLeftEyeX - 1, kEyeY - 1, k.eye), c.set(kRightEyeX + 2, kEyeY - 1, k.eye);
  c.set(kNoseX, kEyeY + 2, k.skinShade), c.set(kNoseX, kEyeY + 3, k.skinShade), c.set(kNoseX - 1, kEyeY + 3, k.skinShade);
  // A smile or a straight mouth; fuller lips for women.
  c.fillRect(13, kMouthY, 4, 1, k.mouth);
  if (face.variant == 0) c.set(12, kMouthY - 1, k.mouth), c.set(17, kMouthY - 1, k.mouth);
  if (face.woman) c.fillRect(14, kMouthY + 1, 2, 1, k.mouth);
  return c;
}

// --- The shirt: shoulders rising to the neck, a polo's collar or a scooped neck.

Canvas shirt(bool woman, const FaceInks& k) {
  Canvas c(kFaceWidth, kFaceHeight);
  const int half = woman ? 11 : 13, middle = 15;
  const std::vector<Pt> shoulders = {
      {middle - half - 1, kFaceHeight}, {middle - half, kShirtTop + 4}, {middle - half + 3, kShirtTop + 1},
      {middle - 5, kShirtTop},          {middle + 5, kShirtTop},        {middle + half - 3, kShirtTop + 1},
      {middle + half, kShirtTop + 4},   {middle + half + 1, kFaceHeight}};
  c.fillPolygon(shoulders, k.shirt.mid);
  shadeRim(c, k.shirt.mid, k.shirt);
  if (woman) {
    c.fillOval({11, kShirtTop - 3, 8, 7}, k.skin);
    for (int x = 11; x < 19; x++) {
      if (c.at(x, kShirtTop + 2) == k.skin && c.at(x, kShirtTop + 3) != k.skin) c.set(x, kShirtTop + 3, k.shirt.dark);
    }
  } else {
    // The open neck between the collar's two flaps.
    for (int y = kShirtTop; y < kShirtTop + 4; y++) {
      for (int x = middle - 3 + (y - kShirtTop); x <= middle + 2 - (y - kShirtTop); x++) c.set(x, y, k.skin);
    }
    for (int i = 0; i < 3; i++) {
      c.set(middle - 5 + i, kShirtTop + i, k.shirt.light), c.set(middle - 4 + i, kShirtTop + i, k.shirt.light);
      c.set(middle + 4 - i, kShirtTop + i, k.shirt.light), c.set(middle + 3 - i, kShirtTop + i, k.shirt.light);
    }
  }
  return c;
}

// --- The hair.

// The hair's shape over the head, by style; `back` is the part behind the head and
// shoulders.
bool hairAt(HairStyle style, int x, int y, bool back) {
  const bool cap = inOval({kHead.x - 1, kHead.y - 2, kHead.w + 2, 12}, x, y);
  const bool sides = y <= 12 && (x <= kHead.x || x >= kHead.x + kHead.w - 1);
  const bool fringe = y <= kHairline;
  switch (style) {
    case HairStyle::kCrop:
    case HairStyle::kBeard:
      return !back && cap && (fringe || sides);
    case HairStyle::kSidePart:
      return !back && cap && (fringe || sides || (y <= kHairline + 2 && x <= 13));
    case HairStyle::kSpiky: {
      if (back) return false;
      if (cap && (y <= kHairline - 1 || sides)) return true;
      const int u = (x - kHead.x + 2) % 4;  // a spike every four columns
      return y >= kHead.y - 4 + std::abs(u - 2) * 2 && y < kHead.y + 1 && x >= kHead.x && x < kHead.x + kHead.w;
    }
    case HairStyle::kCurly:
      return !back && inOval({kHead.x - 2, kHead.y - 4, kHead.w + 4, 15}, x, y) &&
             (y <= kHairline || (y <= 14 && (x <= kHead.x || x >= kHead.x + kHead.w - 1)));
    case HairStyle::kReceding:
      return !back && cap && y >= kHead.y + 1 && (x <= kHead.x + 1 || x >= kHead.x + kHead.w - 2);
    case HairStyle::kLong:
      // To the jaw at both sides of the face.
      if (back) return false;
      return (cap && fringe) || (y >= kHead.y + 2 && y <= 20 && (x <= kHead.x || x >= kHead.x + kHead.w - 1) &&
                                 x >= kHead.x - 1 && x <= kHead.x + kHead.w);
    case HairStyle::kPonytail:
      if (back) return false;
      return cap && (fringe || sides);
    case HairStyle::kBob:
      if (back) return false;
      return inOval({kHead.x - 2, kHead.y - 2, kHead.w + 4, kHead.h + 1}, x, y) && y <= kHead.y + kHead.h - 3 &&
             (y <= kHairline + 1 || x <= kHead.x || x >= kHead.x + kHead.w - 1);
    case HairStyle::kStraight:
    case HairStyle::kWavy: {
      const int wave = style == HairStyle::kWavy ? (y / 3) % 2 : 0;
      if (back) return y >= kHead.y && y <= 30 && x >= kHead.x - 2 - wave && x <= kHead.x + kHead.w + 1 + wave;
      return (cap && fringe && x != 15) || (y <= 22 && y >= kHead.y + 2 && (x == kHead.x - 1 - wave || x == kHead.x - wave || x == kHead.x + kHead.w - 1 + wave || x == kHead.x + kHead.w + wave));
    }
    case HairStyle::kBun:
      if (back) return false;
      return (cap && (fringe || sides)) || inOval({12, kHead.y - 6, 7, 6}, x, y);
    case HairStyle::kBraids:
      if (back) return false;
      if (cap && (fringe || sides)) return true;
      // Two braids down over the shoulders.
      return y > 12 && y < 31 && (std::abs(x - (kHead.x - 1 - (y - 12) / 6)) <= 1 || std::abs(x - (kHead.x + kHead.w + (y - 12) / 6)) <= 1);
  }
  return false;
}

Canvas hairLayer(const Face& face, const FaceInks& k, bool back) {
  Canvas c(kFaceWidth, kFaceHeight);
  for (int y = 0; y < kFaceHeight; y++) {
    for (int x = 0; x < kFaceWidth; x++) {
      if (hairAt(face.hair, x, y, back)) c.set(x, y, k.hair.mid);
    }
  }
  shadeRim(c, k.hair.mid, k.hair);
  if (back) return c;
  if (face.hair == HairStyle::kCurly) {
    for (int y = 0; y < kFaceHeight; y++) {
      for (int x = 0; x < kFaceWidth; x++) {
        if (c.at(x, y) == k.hair.mid && (x + 2 * y) % 5 == 0) c.set(x, y, k.hair.dark);
      }
    }
  }
  if (face.hair == HairStyle::kBraids) {
    for (int y = 15; y < 31; y += 3) {
      for (int x = 0; x < kFaceWidth; x++) {
        if (c.at(x, y) != 0) c.set(x, y, k.hair.dark);
      }
    }
  }
  if (face.hair == HairStyle::kBeard) {
    for (int y = kMouthY - 2; y < kHead.y + kHead.h; y++) {
      for (int x = kHead.x; x < kHead.x + kHead.w; x++) {
        const bool mouth = y >= kMouthY - 1 && y <= kMouthY && x >= 13 && x <= 16;
        if (inOval(kHead, x, y) && !mouth) c.set(x, y, y == kHead.y + kHead.h - 1 ? k.hair.dark : k.hair.mid);
      }
    }
  }
  // The brows, in the hair's darkest shade.
  for (int i = 0; i < 3; i++) c.set(kLeftEyeX - 1 + i, kEyeY - 2, k.hair.dark), c.set(kRightEyeX + i, kEyeY - 2, k.hair.dark);
  return c;
}

// The ponytail hangs behind the head to the right, from a tie.
void addPonytail(Canvas& back, const FaceInks& k) {
  back.line({kHead.x + kHead.w - 2, kHead.y + 3}, {kHead.x + kHead.w + 3, kHead.y + 13}, 4, k.hair.mid);
  shadeRim(back, k.hair.mid, k.hair);
}

}  // namespace

FaceLayers paintFace(const Face& face, const FaceInks& inks) {
  FaceLayers layers;
  layers.back = hairLayer(face, inks, true);
  if (face.hair == HairStyle::kPonytail) addPonytail(layers.back, inks);
  layers.shirt = shirt(face.woman, inks);
  layers.head = head(face, inks);
  layers.hair = hairLayer(face, inks, false);
  return layers;
}

Canvas paintSilhouette(bool woman, uint8_t body, uint8_t rim, uint8_t mark) {
  Canvas c(kFaceWidth, kFaceHeight);
  const FaceInks k{{body, body, body}, {body, body, body}, body, body, body, body, body};
  const Face face{woman, woman ? HairStyle::kPonytail : HairStyle::kCrop, 0};
  const FaceLayers layers = paintFace(face, k);
  for (const Canvas* layer : {&layers.back, &layers.shirt, &layers.head, &layers.hair}) c.draw(*layer, 0, 0);
  // The lit rim, then the question mark on the face.
  const Canvas shape = c;
  for (int y = 0; y < kFaceHeight; y++) {
    for (int x = 0; x < kFaceWidth; x++) {
      if (shape.at(x, y) != 0 && (shape.at(x - 1, y) == 0 || shape.at(x, y - 1) == 0)) c.set(x, y, rim);
    }
  }
  constexpr uint8_t kMark[7] = {0b0110, 0b1001, 0b0001, 0b0010, 0b0100, 0b0000, 0b0100};
  for (int row = 0; row < 7; row++) {
    for (int col = 0; col < 4; col++) {
      if ((kMark[row] >> (3 - col) & 1) != 0) c.set(13 + col, 10 + row, mark);
    }
  }
  return c;
}

}  // namespace sorv::mkdata
