// Drawing modules, frames and animation frames; measuring frames; animation timing.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/game_hooks.h"

namespace sorv {

StaticRef<Graphics> ASprite::targetGraphics;
bool ASprite::measuring = false;
int32_t ASprite::measuredBox[4];
const int32_t ASprite::kTransform[8] = {0, 2, 1, 3, 5, 7, 4, 6};

namespace {

constexpr int32_t kEmptyBox = 102400;
// Frame-module flags 0x40..0x43 reach modules 256..511.
constexpr int32_t kHighModuleFlags = 0x40;
constexpr int32_t kFrameEntryFlag = 0x10;

}  // namespace

void ASprite::SetGraphics(Graphics* g) { targetGraphics = g; }

void ASprite::PaintModule(int32_t module, int32_t x, int32_t y, int32_t drawFlags, int32_t) {
  int32_t w = aload(moduleWidth, module) & 0xFF;
  int32_t h = aload(moduleHeight, module) & 0xFF;
  if (w < 1 || h < 1) return;
  if (measuring) {
    measuredBox[0] = std::min(measuredBox[0], x);
    measuredBox[1] = std::min(measuredBox[1], y);
    measuredBox[2] = std::max(measuredBox[2], x + w);
    measuredBox[3] = std::max(measuredBox[3], y + h);
    return;
  }
  Graphics* g = targetGraphics.get();
  if (isNull(g)) return;
  if (x + w < g->getClipX() || y + h < g->getClipY() || x >= g->getClipX() + g->getClipWidth() ||
      y >= g->getClipY() + g->getClipHeight()) {
    return;
  }
  const int8_t kind = aload(moduleKind, module);
  if (kind == kModuleOutline || kind == kModuleFilled) {
    const int32_t colour = aload(moduleColour, module) | static_cast<int32_t>(0xFF000000);
    g->setColor(colour);
    if ((drawFlags & kRotate90) != 0) std::swap(w, h);
    if (kind == kModuleOutline) {
      g->drawRect(x, y, w, h);
    } else {
      gameHooks().fillRect(g, colour, x, y, w, h, 100);
    }
    return;
  }
  paintImageModule(module, x, y, w, h, drawFlags);
}

void ASprite::paintImageModule(int32_t module, int32_t x, int32_t y, int32_t w, int32_t h,
                               int32_t drawFlags) {
  Graphics* g = targetGraphics.get();
  const int32_t transform = kTransform[drawFlags & 7];
  if ((flags & kFlagSingleImage) != 0) {
    if (cachedImage(currentPalette, 0) == nullptr) BuildCacheImages(currentPalette, 0, 0, 0);
    Image* sheet = cachedImage(currentPalette, 0);
    if (sheet == nullptr) return;
    // Only the module's own region of the sheet, inside the caller's clip, which is put back.
    const int32_t left = g->clipLeft, top = g->clipTop, right = g->clipRight, bottom = g->clipBottom;
    g->clipRect(x, y, (transform & 4) != 0 ? h : w, (transform & 4) != 0 ? w : h);
    g->drawRegion(sheet, aload(moduleX, module) & 0xFF, aload(moduleY, module) & 0xFF, w, h,
                  transform, x, y, 0);
    g->clipLeft = left;
    g->clipTop = top;
    g->clipRight = right;
    g->clipBottom = bottom;
    return;
  }
  if ((flags & kFlagIndexed) == 0) return;
  Image* image = cachedImage(currentPalette, module);
  if (image == nullptr && cacheOnFirstDraw) {
    image = buildModuleImage(module, false);
    if (isNull(image)) return;
    keepDrawnImage(module, image);
  } else if (image == nullptr) {
    IntArray* pixels = DecodeImage(module, 0);
    if (isNull(pixels)) return;
    image = Create_RGB_Image(pixels, w, h, translucentPalette);
    if (isNull(image)) return;
    PoolImage(module, image);
  }
  if (drawFlags != 0) {
    g->drawRegion(image, 0, 0, w, h, transform, x, y, 0);
  } else {
    g->drawImage(image, x, y, 0);
  }
}

void ASprite::PaintFModule(int32_t frame, int32_t index, int32_t x, int32_t y, int32_t drawFlags,
                           int32_t alpha) {
  const int32_t e = aload(frameFirstFModule, frame) + index;
  const int32_t f = aload(fmoduleFlags, e) & 0xFF;
  int32_t m = aload(fmoduleModule, e) & 0xFF;
  if ((f & ~3) == kHighModuleFlags) m += 256;
  if ((flags & kFlagFModulePalettes) != 0) currentPalette = aload(fmodulePalette, e) & 0xFF;
  const int32_t ox = aload(fmoduleX, e);
  const int32_t oy = aload(fmoduleY, e);
  const bool frameEntry = (f & kFrameEntryFlag) != 0;
  const int32_t mw = frameEntry ? 0 : aload(moduleWidth, m) & 0xFF;
  const int32_t mh = frameEntry ? 0 : aload(moduleHeight, m) & 0xFF;
  int32_t nx, ny;
  if ((drawFlags & kRotate90) == 0) {
    nx = (drawFlags & kFlipX) != 0 ? x - mw - ox : x + ox;
    ny = (drawFlags & kFlipY) != 0 ? y - mh - oy : y + oy;
  } else {
    ny = (drawFlags & kFlipX) != 0 ? y - mw - ox : y + ox;
    nx = (drawFlags & kFlipY) != 0 ? x - mh - oy : x + oy;
  }
  if (frameEntry) {
    PaintFrame(m, nx, ny, (f & 15) ^ drawFlags, alpha);
  } else {
    PaintModule(m, nx, ny, (f & 15) ^ drawFlags, alpha);
  }
}

void ASprite::PaintFModule(Graphics* g, int32_t frame, int32_t index, int32_t x, int32_t y,
                           int32_t drawFlags, int32_t, int32_t) {
  SetGraphics(g);
  PaintFModule(frame, index, x, y, drawFlags, 100);
}

void ASprite::PaintFrame(int32_t frame, int32_t x, int32_t y, int32_t drawFlags, int32_t alpha) {
  // Frames that place frames are walked to a bounded depth and a bounded number of entries
  // per outermost call: a frame placing itself, or frames placing each other many times
  // over, would otherwise never finish.
  static int32_t depth = 0;
  static int32_t entriesLeft = 0;
  constexpr int32_t kMaxNesting = 8;
  constexpr int32_t kMaxEntriesPerCall = 1 << 14;
  if (depth == 0) entriesLeft = kMaxEntriesPerCall;
  if (depth >= kMaxNesting) return;
  int32_t count = aload(frameFModuleCount, frame);
  // Entries past the table would each report a fault; the frame keeps the ones that exist.
  const int32_t first = aload(frameFirstFModule, frame);
  const int32_t entries = isNull(fmoduleFlags) ? 0 : fmoduleFlags->length;
  if (count > 0 && (first < 0 || int64_t{first} + count > entries)) {
    if (!tableFaultLogged) {
      tableFaultLogged = true;
      Debug::trace("ASprite.PaintFrame: frame %d names entries %d..%d of %d", frame, first,
                   first + count - 1, entries);
    }
    count = first < 0 ? 0 : std::max(entries - first, 0);
  }
  depth++;
  for (int32_t i = 0; i < count && entriesLeft > 0; i++, entriesLeft--) {
    PaintFModule(frame, i, x, y, drawFlags, alpha);
  }
  depth--;
  if (depth == 0 && entriesLeft <= 0 && !tableFaultLogged) {
    tableFaultLogged = true;
    Debug::trace("ASprite.PaintFrame: frame %d nests more than %d entries, cut", frame,
                 kMaxEntriesPerCall);
  }
}

void ASprite::PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t drawFlags,
                         int32_t alpha) {
  SetGraphics(g);
  PaintFrame(frame, x, y, drawFlags, alpha);
}

void ASprite::PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t drawFlags,
                         int32_t, int32_t) {
  SetGraphics(g);
  PaintFrame(frame, x, y, drawFlags, 100);
}

void ASprite::PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t drawFlags,
                         int32_t, int32_t, int32_t alpha) {
  SetGraphics(g);
  PaintFrame(frame, x, y, drawFlags, alpha);
}

void ASprite::PaintAFrame(int32_t anim, int32_t aframe, int32_t x, int32_t y, int32_t drawFlags,
                          int32_t alpha) {
  const int32_t e = aload(animFirstAFrame, anim) + aframe;
  const int32_t ox = aload(aframeX, e);
  const int32_t oy = aload(aframeY, e);
  const int32_t nx = (drawFlags & kFlipX) != 0 ? x - ox : x + ox;
  const int32_t ny = (drawFlags & kFlipY) != 0 ? y - oy : y + oy;
  PaintFrame(aload(aframeFrame, e) & 0xFF, nx, ny, (aload(aframeFlags, e) & 15) ^ drawFlags, alpha);
}

void ASprite::PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y) {
  SetGraphics(g);
  PaintAFrame(anim, aframe, x, y, 0, 100);
}

void ASprite::PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y,
                          int32_t drawFlags) {
  SetGraphics(g);
  PaintAFrame(anim, aframe, x, y, drawFlags, 100);
}

void ASprite::PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y,
                          int32_t drawFlags, int32_t, int32_t, int32_t alpha) {
  SetGraphics(g);
  PaintAFrame(anim, aframe, x, y, drawFlags, alpha);
}

void ASprite::measureFrame(int32_t frame, int32_t x, int32_t y, int32_t drawFlags) {
  measuredBox[0] = measuredBox[1] = kEmptyBox;
  measuredBox[2] = measuredBox[3] = -kEmptyBox;
  measuring = true;
  PaintFrame(frame, x, y, drawFlags, 100);
  measuring = false;
}

void ASprite::GetFrameRect(IntArray* rect, int32_t frame, int32_t x, int32_t y, int32_t drawFlags) {
  measureFrame(frame, x, y, drawFlags);
  for (int32_t i = 0; i < 4; i++) astore(rect, i, measuredBox[i]);
}

int32_t ASprite::GetFrameWidth(int32_t frame) {
  measureFrame(frame, 0, 0, 0);
  return measuredBox[2];
}

int32_t ASprite::GetFrameHeight(int32_t frame) {
  measureFrame(frame, 0, 0, 0);
  return measuredBox[3];
}

int32_t ASprite::GetFrameModuleWidth(int32_t frame, int32_t index) {
  const int32_t e = aload(frameFirstFModule, frame) + index;
  return aload(moduleWidth, aload(fmoduleModule, e) & 0xFF) & 0xFF;
}

// Nested frames deeper than this are taken for a loop in damaged data.
constexpr int32_t kMaxFrameNesting = 8;

void ASprite::collectFrameModules(int32_t frame, int32_t depth, std::vector<int32_t>& modules) {
  if (depth > kMaxFrameNesting || isNull(frameFModuleCount) || !frameFModuleCount->inBounds(frame)) return;
  const int32_t first = aload(frameFirstFModule, frame), count = aload(frameFModuleCount, frame) & 0xFFFF;
  for (int32_t e = first; e < first + count && !isNull(fmoduleModule) && fmoduleModule->inBounds(e); e++) {
    const int32_t f = aload(fmoduleFlags, e) & 0xFF;
    int32_t m = aload(fmoduleModule, e) & 0xFF;
    if ((f & ~3) == kHighModuleFlags) m += 256;
    if ((f & kFrameEntryFlag) != 0) {
      collectFrameModules(m, depth + 1, modules);
    } else {
      modules.push_back(m);
    }
  }
}

void ASprite::buildCacheImagesOf(int32_t palette, std::vector<int32_t>& modules) {
  std::sort(modules.begin(), modules.end());
  modules.erase(std::unique(modules.begin(), modules.end()), modules.end());
  // One build a run of neighbouring modules: each build collects first.
  for (size_t i = 0; i < modules.size();) {
    size_t j = i;
    while (j + 1 < modules.size() && modules[j + 1] == modules[j] + 1) j++;
    BuildCacheImages(palette, modules[i], modules[j], -1);
    i = j + 1;
  }
}

void ASprite::BuildFrameCacheImages(int32_t palette, int32_t frame) {
  SORV_FRAME("ASprite.BuildFrameCacheImages(II)V");
  std::vector<int32_t> modules;
  collectFrameModules(frame, 0, modules);
  buildCacheImagesOf(palette, modules);
}

void ASprite::BuildAnimationCacheImages(int32_t palette, int32_t anim) {
  SORV_FRAME("ASprite.BuildAnimationCacheImages(II)V");
  if (isNull(animAFrameCount) || !animAFrameCount->inBounds(anim)) return;
  std::vector<int32_t> modules;
  const int32_t first = aload(animFirstAFrame, anim);
  for (int32_t a = 0; a < GetAFrames(anim); a++) {
    if (isNull(aframeFrame) || !aframeFrame->inBounds(first + a)) break;
    collectFrameModules(aload(aframeFrame, first + a) & 0xFF, 0, modules);
  }
  buildCacheImagesOf(palette, modules);
}

int32_t ASprite::GetAFrames(int32_t anim) { return aload(animAFrameCount, anim) & 0xFFFF; }

int32_t ASprite::GetAFrameTime(int32_t anim, int32_t aframe) {
  return aload(aframeTime, aload(animFirstAFrame, anim) + aframe) & 0xFF;
}

int32_t ASprite::GetActionTime(int32_t anim) {
  const int32_t count = aload(animAFrameCount, anim) & 0xFF;
  int32_t total = 0;
  for (int32_t i = 0; i < count; i++) total += GetAFrameTime(anim, i);
  return total;
}

int32_t ASprite::GetAFrameID(int32_t anim, int32_t t) {
  const int32_t count = aload(animAFrameCount, anim) & 0xFF;
  int32_t start = 0;
  for (int32_t i = 0; i < count; i++) {
    const int32_t time = GetAFrameTime(anim, i);
    if (t >= start && t < start + time) return i;
    start += time;
  }
  return count;
}

}  // namespace sorv
