// A face for the portraits: a head and shoulders seen from the front on the portrait's
// window (kFaceWidth x kFaceHeight, the attribute card's panel), painted flat and lightly
// shaded like the figures, in layers the portraits share: the hair behind the head, the
// shirt, the head with its face, the hair over it (and the brows, in the hair's colour).
//
// Invariants: integer arithmetic only; each layer holds only the inks it is handed (0 where
// it leaves the window empty); the head layer depends on the kind and the face's variant
// alone, the shirt layer on the kind and the shirt's inks, the hair layers on the style
// and the hair's inks, so equal layers of different faces are equal pictures.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

// The window, and the pixel of it that lies on the portrait's origin.
inline constexpr int kFaceWidth = 30, kFaceHeight = 34;
inline constexpr int kFaceOriginX = 13, kFaceOriginY = 18;

// Short styles for men; longer or tied ones for women.
enum class HairStyle { kCrop, kSidePart, kSpiky, kCurly, kReceding, kBeard, kLong,
                       kPonytail, kBob, kStraight, kBun, kWavy, kBraids };
inline constexpr HairStyle kMenStyles[] = {HairStyle::kCrop, HairStyle::kSidePart, HairStyle::kSpiky, HairStyle::kCurly,
                                           HairStyle::kReceding, HairStyle::kBeard, HairStyle::kLong};
inline constexpr HairStyle kWomenStyles[] = {HairStyle::kPonytail, HairStyle::kBob, HairStyle::kStraight,
                                             HairStyle::kBun, HairStyle::kWavy, HairStyle::kBraids};

// Dark, mid and light of one colour.
struct Shade3 {
  uint8_t dark = 0, mid = 0, light = 0;
};

struct FaceInks {
  Shade3 hair, shirt;
  uint8_t skin = 0, skinShade = 0, eye = 0, eyeWhite = 0, mouth = 0;
};

struct Face {
  bool woman = false;
  HairStyle hair = HairStyle::kCrop;
  int variant = 0;  // 0 or 1: the mouth and the eyes
};

struct FaceLayers {
  Canvas back, shirt, head, hair;
};

FaceLayers paintFace(const Face& face, const FaceInks& inks);

// The created player, whose looks are still to choose: a plain shape of head and shoulders
// (a woman's with her ponytail) with a question mark on the face.
Canvas paintSilhouette(bool woman, uint8_t body, uint8_t rim, uint8_t mark);

}  // namespace sorv::mkdata
