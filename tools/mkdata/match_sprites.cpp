#include "tools/mkdata/match_sprites.h"

#include <algorithm>
#include <cstddef>

#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/effect_sprites.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

namespace {

constexpr uint8_t kInk = 1, kPaper = 2;
constexpr int kTileColumns = 4, kTileRows = 4;
constexpr int kTileWidth = kCourtImageWidth / kTileColumns;
constexpr int kTileHeight = kCourtImageHeight / kTileRows;

const MatchSpriteMinimum* findMinimum(int32_t pack, int32_t entry) {
  for (const MatchSpriteMinimum& m : kMatchSpriteMinimums) {
    if (m.pack == pack && m.entry == entry) return &m;
  }
  return nullptr;
}

bool isPlayerSprite(const MatchSpriteMinimum& m) { return m.colours == kPlayerPaletteColours; }

// Frames of one animation: the braking, swing, serve-meter, runner and walk animations have
// theirs.
int framesOfAnim(const MatchSpriteMinimum& m, int anim) {
  int n = m.animFrames;
  if ((m.pack == kConstRunningUser || m.pack == kConstRunningRival) && anim >= kBrakeAnimFirst &&
      anim <= kBrakeAnimLast) {
    n = std::max(n, kBrakeFrames);
  }
  if (m.pack == kConstMatchPack && m.entry == kMatchServeMeter && (anim == 0 || anim == 2)) {
    n = std::max(n, kServeMeterFrames);
  }
  if (m.pack == kConstMatchFxPack && m.entry == kMatchFxBallKids && (anim == 7 || anim == 8)) {
    n = std::max(n, kBallKidRunFrames);
  }
  // The change-of-ends walks restart at their fourth frame (walk off) or are waited on from
  // their second (walk on): with a single frame the walkers stood still.
  if (m.pack == kConstSpecialUser || m.pack == kConstSpecialRival) {
    for (int32_t a : kWalkOffAnims) {
      if (anim == a) n = std::max(n, kWalkOffFrames);
    }
    for (int32_t a : kWalkOnAnims) {
      if (anim == a) n = std::max(n, kWalkOnFrames);
    }
  }
  return n;
}

// Match frames a shown frame of the animation lasts.
uint8_t frameTimeOfAnim(const MatchSpriteMinimum& m, int anim) {
  const bool gesture = m.pack == kConstSpecialUser && anim >= kChallengeGestureFirst && anim <= kChallengeGestureLast;
  return gesture ? kChallengeGestureTime : 1;
}

std::vector<uint32_t> palette(int colours, int seed, int p) {
  std::vector<uint32_t> out(static_cast<size_t>(colours));
  for (int c = 0; c < colours; c++) {
    const uint32_t v = static_cast<uint32_t>((c * 31 + p * 71 + seed * 43) & 0xFF);
    out[static_cast<size_t>(c)] = 0xFF000000u | v << 16 | ((v * 7 + 30) & 0xFF) << 8 | ((v * 5 + 80) & 0xFF);
  }
  out[0] = 0x00FF00FF;
  if (colours > kInk) out[kInk] = 0xFFFFFFFF;
  if (colours > kPaper) out[kPaper] = 0xFF000000u | static_cast<uint32_t>((seed * 59 + p * 89) & 0x7F) << 16;
  return out;
}

SpriteModule block(int width, int height, uint8_t colour) {
  SpriteModule m;
  m.width = static_cast<int16_t>(width);
  m.height = static_cast<int16_t>(height);
  m.pixels.assign(static_cast<size_t>(width) * height, colour);
  return m;
}

// A court tile: grass with a white edge, so the joins show the court lines.
SpriteModule courtTile(uint8_t colour) {
  SpriteModule m = block(kTileWidth, kTileHeight, colour);
  for (int x = 0; x < kTileWidth; x++) m.pixels[static_cast<size_t>(x)] = kInk;
  for (int y = 0; y < kTileHeight; y++) m.pixels[static_cast<size_t>(y) * kTileWidth] = kInk;
  return m;
}

bool isJudges(const MatchSpriteMinimum& m) { return m.pack == kConstMatchFxPack && m.entry == kMatchFxJudges; }
bool isBallKids(const MatchSpriteMinimum& m) { return m.pack == kConstMatchFxPack && m.entry == kMatchFxBallKids; }

enum class Gesture { kNone, kOut, kIn, kRun };

Gesture gestureOf(const MatchSpriteMinimum& m, int anim) {
  if (isJudges(m)) {
    for (int32_t a : kJudgeOutSignals) {
      if (anim == a) return Gesture::kOut;
    }
    return anim == kJudgeInSignal ? Gesture::kIn : Gesture::kNone;
  }
  if (isBallKids(m) && anim >= kBallKidRunFirst && anim <= kBallKidRunLast) return Gesture::kRun;
  return Gesture::kNone;
}

// Two frames of a gesture on the 16 x 16 body (centred on the origin, label above): an out
// signal is an arm held out with a flag, waved; an in signal both arms held out low; a run
// two strides with a streak behind. Returns the first of the two frames.
int addGestureFrames(SpriteSpec& spec, Gesture g, uint8_t body, uint8_t label, int16_t labelHeight) {
  const auto module = [&spec](int w, int h, uint8_t colour) {
    spec.modules.push_back(block(w, h, colour));
    return static_cast<uint8_t>(spec.modules.size() - 1);
  };
  const SpriteFModule head{body, -8, -8, 0, 0}, name{label, -8, static_cast<int16_t>(-8 - labelHeight), 0, 0};
  int first = -1;
  if (g == Gesture::kOut) {
    // Held out sideways, away from the label.
    const uint8_t arm = module(22, 4, kInk), flag = module(10, 12, kInk);
    first = addFrame(spec, {head, name, {arm, 8, -4, 0, 0}, {flag, 26, -16, 0, 0}});
    addFrame(spec, {head, name, {arm, 8, -4, 0, 0}, {flag, 26, -14, 0, 0}});
  } else if (g == Gesture::kIn) {
    const uint8_t arms = module(44, 4, kInk);
    first = addFrame(spec, {head, name, {arms, -22, 2, 0, 0}});
    addFrame(spec, {head, name, {arms, -22, 4, 0, 0}});
  } else if (g == Gesture::kRun) {
    const uint8_t leg = module(3, 9, kInk), streak = module(14, 2, kInk);
    first = addFrame(spec, {head, name, {leg, -7, 8, 0, 0}, {leg, 4, 8, 0, 0}, {streak, -24, -2, 0, 0}});
    addFrame(spec, {head, name, {leg, -2, 8, 0, 0}, {streak, -26, 3, 0, 0}});
  }
  return first;
}

bool isCourtPicture(const MatchSpriteMinimum& m) {
  return m.pack == kConstCourtPack && (m.entry == kCourtBackground || m.entry == kCourtBackgroundMain);
}

}  // namespace

std::vector<uint8_t> matchSprite(const MatchSpriteMinimum& m) {
  SpriteSpec spec;
  const SpriteModule label = labelModule(m.pack, m.entry);
  spec.modules.push_back(label);
  // Colours 0 to 2 are the key, the ink and the paper; the shapes use the rest.
  const int shades = std::max(1, m.colours - 3);
  int totalFrames = m.frames;
  for (int a = 0; a < m.anims; a++) totalFrames = std::max(totalFrames, framesOfAnim(m, a));
  if (isCourtPicture(m)) {
    for (int f = 0; f < 3; f++) spec.modules.push_back(courtTile(static_cast<uint8_t>(m.colours > 3 ? 3 : kPaper)));
    for (int f = 0; f < totalFrames; f++) {
      std::vector<SpriteFModule> tiles;
      const auto tile = static_cast<uint8_t>(1 + f % 3);
      for (int r = 0; r < kTileRows; r++) {
        for (int c = 0; c < kTileColumns; c++) {
          tiles.push_back({tile, static_cast<int16_t>(c * kTileWidth), static_cast<int16_t>(r * kTileHeight), 0, 0});
        }
      }
      tiles.push_back({0, 8, 8, 0, 0});
      addFrame(spec, tiles);
    }
  } else {
    // Players stand 24 x 48 with their feet at the origin; the rest are 16 x 16 blocks.
    const bool person = isPlayerSprite(m);
    const int w = person ? 24 : 16, h = person ? 48 : 16;
    const int kinds = std::min(8, std::max(1, totalFrames));
    for (int k = 0; k < kinds; k++) spec.modules.push_back(block(w, h - k % 3, static_cast<uint8_t>(3 + k % shades)));
    for (int f = 0; f < totalFrames; f++) {
      const auto shape = static_cast<uint8_t>(1 + f % kinds);
      const auto left = static_cast<int16_t>(-w / 2), top = static_cast<int16_t>(person ? -h : -h / 2);
      addFrame(spec, {{shape, left, top, 0, 0}, {0, left, static_cast<int16_t>(top - label.height), 0, 0}});
    }
  }
  // The gestures' frames follow the others, so every other animation looks as before.
  int gestureFrame[4] = {-1, -1, -1, -1};
  for (int a = 0; a < m.anims && !isCourtPicture(m); a++) {
    const Gesture g = gestureOf(m, a);
    int& first = gestureFrame[static_cast<int>(g)];
    if (g != Gesture::kNone && first == -1) first = addGestureFrames(spec, g, 1, 0, label.height);
  }
  for (int a = 0; a < m.anims; a++) {
    std::vector<SpriteAFrame> shown;
    const int n = framesOfAnim(m, a);
    const int gesture = gestureFrame[static_cast<int>(gestureOf(m, a))];
    for (int k = 0; k < n; k++) {
      SpriteAFrame f;
      f.frame = static_cast<uint8_t>(gesture != -1 ? gesture + k % 2 : (a + k) % totalFrames);
      f.time = frameTimeOfAnim(m, a);
      shown.push_back(f);
    }
    addAnim(spec, shown);
  }
  for (int p = 0; p < m.palettes; p++) spec.palettes.push_back(palette(m.colours, m.pack * 8 + m.entry, p));
  return writeSprite(spec);
}

namespace {

std::vector<uint8_t> spriteOf(int32_t pack, int32_t entry) {
  const MatchSpriteMinimum* m = findMinimum(pack, entry);
  return m == nullptr ? std::vector<uint8_t>{} : matchSprite(*m);
}

}  // namespace

std::vector<std::vector<uint8_t>> matchPlayerPackEntries() {
  std::vector<std::vector<uint8_t>> entries = labelledPlayerPack();
  entries[kPlayerIntro] = spriteOf(kConstPlayerPack, kPlayerIntro);
  return entries;
}

std::vector<std::vector<uint8_t>> matchActionPackEntries(int32_t pack) {
  std::vector<std::vector<uint8_t>> entries(kActionPackEntries);
  for (int32_t e = 0; e < kActionPackEntries; e++) entries[static_cast<size_t>(e)] = spriteOf(pack, e);
  return entries;
}

std::vector<std::vector<uint8_t>> matchPackEntries() {
  std::vector<std::vector<uint8_t>> entries = labelledMatchPack();
  for (int32_t e : {kMatchServeMeter, kMatchSpeedLines, kMatchHud, kMatchNet}) {
    entries[static_cast<size_t>(e)] = spriteOf(kConstMatchPack, e);
  }
  // Entry 4 keeps the menus' shape, which holds the interface's minimum.
  return entries;
}

std::vector<std::vector<uint8_t>> matchEffectsPackEntries() {
  std::vector<std::vector<uint8_t>> entries(kMatchFxPackEntries);
  // Entries 0 and 1 are never read and stay empty.
  for (int32_t e : {kMatchFxReplayBackground, kMatchFxBallKids, kMatchFxJudges}) {
    entries[static_cast<size_t>(e)] = spriteOf(kConstMatchFxPack, e);
  }
  entries[kMatchFxDust] = dustSprite();
  return entries;
}

std::vector<std::vector<uint8_t>> matchCourtPackEntries() {
  std::vector<std::vector<uint8_t>> entries(kCourtPackEntries);
  for (int32_t e = 0; e < kCourtPackEntries; e++) entries[static_cast<size_t>(e)] = spriteOf(kConstCourtPack, e);
  return entries;
}

}  // namespace sorv::mkdata
