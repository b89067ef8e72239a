// Module images: decoding into the shared buffer, the per-palette cache, the image pool and
// the build-time pixel effects.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/clock.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/game_hooks.h"
#include "sprites/module_decode.h"

namespace sorv {

StaticRef<IntArray> ASprite::decodeBuffer;
StaticRef<ObjectArray> ASprite::poolOwners;
StaticRef<ObjectArray> ASprite::poolPalettes;
StaticRef<ObjectArray> ASprite::poolModules;
int32_t ASprite::poolNextSlot[1];
int32_t ASprite::poolCapacity[1];
bool ASprite::poolClean = true;
bool ASprite::poolingDisabled = false;

namespace {

constexpr int32_t kPoolSizes[] = {ASprite::kPoolSize};
constexpr int32_t kPoolCount = sizeof kPoolSizes / sizeof kPoolSizes[0];
// Images the device cannot make on the first try get a collection between attempts; after
// these many the module is skipped rather than the game hanging.
constexpr int kCreateImageAttempts = 3;
constexpr int32_t kKeyRgb = 0xFF00FF;
constexpr int32_t kBlurAlphaStep = 54;
// PNG layout of single-image sprites: signature 8, IHDR 25, PLTE length and type 8.
constexpr int32_t kPngPlteDataOffset = 41;
constexpr int32_t kPngTrnsDataAfterPlte = 53;

bool keyPixel(int32_t argb) { return (argb & 0xFFFFFF) == kKeyRgb; }

}  // namespace

// Meant to do nothing: the sprites draw opaque; callers set and reset it around dust puffs.
void ASprite::setAlpha(int32_t) {}

void ASprite::drawRGB(Graphics* g, IntArray* argb, int32_t offset, int32_t scan, int32_t x,
                      int32_t y, int32_t w, int32_t h, bool alpha) {
  if (isNull(g)) return reportError("NullPointer");
  g->drawRGB(argb, offset, scan, x, y, w, h, alpha);
}

ASprite* ASprite::create() { return newObject<ASprite>(); }

void ASprite::clinit() {
  decodeBuffer = Array::newIntArray(kDecodeBufferSize);
  wrapLines = Array::newShortArray(kLineTableSize);
  wrapLineCount = 0;
  textWidth = textHeight = 0;
  drawEnabled = true;
  measuring = false;
  poolingDisabled = false;
  targetGraphics = nullptr;
  InitPool();
}

SORV_STATIC_INIT(kASprite, ASprite::clinit);

bool ASprite::moduleBytes(int32_t module, int32_t* start, int32_t* size) {
  if (isNull(pixelData) || isNull(pixelOffsets) || !pixelOffsets->inBounds(module)) return false;
  const int32_t begin = pixelOffsets->elements()[module];
  const int32_t end = module + 1 < pixelOffsets->length ? pixelOffsets->elements()[module + 1]
                                                         : pixelData->length;
  if (begin < 0 || begin > end || end > pixelData->length) return false;
  *start = begin;
  *size = end - begin;
  return true;
}

IntArray* ASprite::DecodeImage(int32_t module, int32_t) {
  int32_t start = 0, size = 0;
  if (!moduleBytes(module, &start, &size)) return nullptr;
  const int32_t w = aload(moduleWidth, module) & 0xFF;
  const int32_t h = aload(moduleHeight, module) & 0xFF;
  const int32_t n = w * h;
  IntArray* palette = static_cast<IntArray*>(
      isNull(palettes) || !palettes->inBounds(currentPalette) ? nullptr
                                                              : palettes->elements()[currentPalette]);
  if (isNull(palette) || palette->length < 1) return nullptr;
  IntArray* out = decodeBuffer.get();
  // A dropped or too small shared buffer gives way to one for this call only.
  if (isNull(out) || n > out->length) out = Array::newIntArray(std::max(n, 1));
  if (isNull(out)) return nullptr;
  ModulePixels in{reinterpret_cast<const uint8_t*>(pixelData->elements()) + start,
                  static_cast<size_t>(size),
                  palette->elements(),
                  palette->length,
                  dataFormat,
                  indexBits,
                  indexMask};
  const uint32_t faults = decodeModulePixels(in, out->elements(), n);
  if (faults != kDecodeOk && !decodeFaultLogged) {
    decodeFaultLogged = true;
    Debug::trace("ASprite.DecodeImage: module %d data mended (faults 0x%x, format 0x%X)", module,
                 faults, dataFormat);
  }
  return out;
}

Image* ASprite::Create_RGB_Image(IntArray* argb, int32_t w, int32_t h, bool alpha) {
  for (int attempt = 0; attempt < kCreateImageAttempts; attempt++) {
    Image* image = Image::createRGBImage(argb, w, h, alpha);
    if (!isNull(image)) return image;
    System::gc();
  }
  Debug::trace("ASprite.Create_RGB_Image: no image of %dx%d, module skipped", w, h);
  return nullptr;
}

ObjectArray* ASprite::cacheEntry(int32_t palette, bool create) {
  if (palette < 0) return nullptr;
  if (isNull(imageCache) || palette >= imageCache->length) {
    if (!create) return nullptr;
    // Grown to the palette asked for: the palette count may have risen since first use.
    ObjectArray* grown =
        Array::newObjectArray(0, std::max({palette + 1, paletteCount, 1}));
    if (isNull(grown)) return nullptr;
    if (!isNull(imageCache)) {
      for (int32_t p = 0; p < imageCache->length; p++) grown->elements()[p] = imageCache->elements()[p];
    }
    imageCache = grown;
  }
  ObjectArray* entry = static_cast<ObjectArray*>(imageCache->elements()[palette]);
  if (isNull(entry) && create) {
    const int32_t slots = (flags & kFlagSingleImage) != 0 ? 1 : std::max(moduleCount, 1);
    entry = Array::newObjectArray(0, slots);
    if (isNull(entry)) return nullptr;
    imageCache->elements()[palette] = entry;
  }
  return isNull(entry) ? nullptr : entry;
}

Image* ASprite::cachedImage(int32_t palette, int32_t module) {
  ObjectArray* entry = cacheEntry(palette, false);
  if (entry == nullptr || !entry->inBounds(module)) return nullptr;
  Image* image = static_cast<Image*>(entry->elements()[module]);
  return isNull(image) ? nullptr : image;
}

void ASprite::dropCachedImage(int32_t palette, int32_t module) {
  ObjectArray* entry = cacheEntry(palette, false);
  if (entry != nullptr && entry->inBounds(module)) entry->elements()[module] = nullptr;
}

void ASprite::FreeOriginalData() {
  pixelData = nullptr;
  pixelOffsets = nullptr;
  pngPalettes = nullptr;
}

void ASprite::BuildCacheImages(int32_t palette, int32_t first, int32_t last,
                               int32_t sharedPalette, bool blur) {
  SORV_FRAME("ASprite.BuildCacheImages(IIIIZ)V");
  if (moduleCount == 0 || palette < 0) return;
  if (last == -1) last = moduleCount - 1;
  if ((flags & kFlagSingleImage) != 0) return buildSingleImage(palette);
  if ((flags & kFlagIndexed) == 0) return;
  first = std::max(first, 0);
  last = std::min(last, moduleCount - 1);
  ObjectArray* entry = cacheEntry(palette, true);
  if (entry == nullptr) return;
  // The built images are the sprite's own from now on: a pool slot still naming an entry
  // would clear it when the pools are reset (the match's loading does), and a sprite whose
  // source pixels are then freed could never draw that module again.
  releasePoolSlots(palette, first, last);
  if (sharedPalette >= 0) {
    for (int32_t m = first; m <= last; m++) {
      Image* shared = cachedImage(sharedPalette, m);
      entry = cacheEntry(palette, false);
      if (entry != nullptr && entry->inBounds(m)) entry->elements()[m] = shared;
    }
    return;
  }
  const int32_t previous = currentPalette;
  currentPalette = palette;
  System::gc();
  for (int32_t m = first; m <= last; m++) {
    if (aload(moduleKind, m) != kModuleImage) continue;
    Image* image = buildModuleImage(m, blur);
    if (isNull(image)) continue;
    entry = cacheEntry(palette, true);
    if (entry != nullptr && entry->inBounds(m)) entry->elements()[m] = image;
  }
  System::gc();
  currentPalette = previous;
}

void ASprite::releasePoolSlots(int32_t palette, int32_t first, int32_t last) {
  if (isNull(poolOwners.get())) return;
  for (int32_t k = 0; k < poolOwners->length; k++) {
    auto* owners = static_cast<ObjectArray*>(poolOwners->elements()[k]);
    auto* palettes = static_cast<IntArray*>(poolPalettes->elements()[k]);
    auto* modules = static_cast<IntArray*>(poolModules->elements()[k]);
    if (isNull(owners) || isNull(palettes) || isNull(modules)) continue;
    for (int32_t s = 0; s < owners->length; s++) {
      if (owners->elements()[s] != this || palettes->elements()[s] != palette) continue;
      const int32_t m = modules->elements()[s];
      if (m >= first && m <= last) owners->elements()[s] = nullptr;
    }
  }
}

Image* ASprite::buildModuleImage(int32_t module, bool blur) {
  const int32_t w = aload(moduleWidth, module) & 0xFF;
  const int32_t h = aload(moduleHeight, module) & 0xFF;
  if (w < 1 || h < 1) return nullptr;
  IntArray* pixels = DecodeImage(module, 0);
  if (isNull(pixels)) return nullptr;
  if (gameHooks().buildAlpha70()) AddAlphaToImgData(pixels, 70, w, h);
  if (gameHooks().buildAlpha30()) AddAlphaToImgData(pixels, 30, w, h);
  if (blur) return applyBlurEffect(pixels, w, h, kKeyRgb);
  bool translucent = false;
  for (int32_t i = 0; i < w * h && !translucent; i++) {
    translucent = (static_cast<uint32_t>(pixels->elements()[i]) >> 24) < 0xFF;
  }
  return Image::createRGBImage(pixels, w, h, translucent);
}

void ASprite::keepDrawnImage(int32_t module, Image* image) {
  ObjectArray* entry = cacheEntry(currentPalette, true);
  if (entry != nullptr && entry->inBounds(module)) entry->elements()[module] = image;
}

void ASprite::buildSingleImage(int32_t palette) {
  ObjectArray* entry = cacheEntry(palette, true);
  if (entry == nullptr || isNull(pixelData)) return;
  const int32_t n = colourCount;
  const int32_t recordSize = (n + 2) * 4;
  const int64_t recordStart = int64_t{palette} * recordSize;
  if (isNull(pngPalettes) || palette >= paletteCount ||
      recordStart + recordSize > pngPalettes->length) {
    Debug::trace("ASprite.BuildCacheImages: no palette record %d", palette);
    return;
  }
  // The records carry PLTE and tRNS for n colours; a PNG laid out otherwise is left alone.
  if (pixelData->length < 3 * n + 53 + n + 4) {
    Debug::trace("ASprite.BuildCacheImages: image too short for %d colours", n);
    return;
  }
  int8_t* png = pixelData->elements();
  const int8_t* record = pngPalettes->elements() + recordStart;
  std::copy(record, record + 3 * n + 4, png + kPngPlteDataOffset);
  std::copy(record + 3 * n + 4, record + recordSize, png + 3 * n + kPngTrnsDataAfterPlte);
  Image* image = Image::createImage(pixelData, 0, pixelData->length);
  entry = cacheEntry(palette, true);
  if (entry != nullptr) entry->elements()[0] = image;
}

void ASprite::AddAlphaToImgData(IntArray* argb, int32_t percent, int32_t w, int32_t h) {
  if (isNull(argb) || percent < 1 || percent > 100 || w * h < 1) return;
  const int32_t alpha = percent * 255 / 100;
  const int32_t count = std::min(w * h, argb->length);
  int32_t* p = argb->elements();
  for (int32_t i = 0; i < count; i++) {
    if (keyPixel(p[i])) continue;
    if (percent < 100 && (static_cast<uint32_t>(p[i]) >> 24) == static_cast<uint32_t>(alpha)) return;
    p[i] = (p[i] & 0xFFFFFF) | (alpha << 24);
  }
}

Image* ASprite::applyBlurEffect(IntArray* argb, int32_t w, int32_t h, int32_t key) {
  const int32_t n = w * h;
  if (isNull(argb) || n < 1 || n > argb->length) return nullptr;
  IntArray* out = Array::newIntArray(n);
  if (isNull(out)) return nullptr;
  const int32_t* in = argb->elements();
  int32_t* o = out->elements();
  auto isKey = [key](int32_t c) { return (c & 0xFFFFFF) == (key & 0xFFFFFF); };
  for (int32_t i = 0; i < n; i++) {
    if (!isKey(in[i])) {
      o[i] = in[i];
      continue;
    }
    const bool tests[4] = {i > w, i < (h - 1) * w, i >= 1, i < n - 1};
    const int32_t at[4] = {i - w, i + w, i - 1, i + 1};
    int32_t sum = 0, rgb = -1;
    for (int k = 0; k < 4; k++) {
      if (!tests[k] || isKey(in[at[k]])) continue;
      sum += kBlurAlphaStep;
      if (rgb < 0) rgb = in[at[k]] & 0xFFFFFF;
    }
    o[i] = rgb < 0 ? 0 : static_cast<int32_t>((static_cast<uint32_t>(sum) << 24) | static_cast<uint32_t>(rgb));
  }
  return Image::createRGBImage(out, w, h, true);
}

void ASprite::ImageDataXFlip(IntArray* argb, int32_t w, int32_t h) {
  if (isNull(argb) || w < 1 || h < 1 || int64_t{w} * h > argb->length) return;
  for (int32_t r = 0; r < h; r++) std::reverse(argb->elements() + r * w, argb->elements() + (r + 1) * w);
}

void ASprite::ImageDataYFlip(IntArray* argb, int32_t w, int32_t h) {
  if (isNull(argb) || w < 1 || h < 1 || int64_t{w} * h > argb->length) return;
  int32_t* p = argb->elements();
  for (int32_t r = 0; r < h / 2; r++) std::swap_ranges(p + r * w, p + (r + 1) * w, p + (h - 1 - r) * w);
}

void ASprite::InitPool() {
  FreePool();
  poolOwners = Array::newObjectArray(0, kPoolCount);
  poolPalettes = Array::newObjectArray(0, kPoolCount);
  poolModules = Array::newObjectArray(0, kPoolCount);
  if (isNull(poolOwners.get()) || isNull(poolPalettes.get()) || isNull(poolModules.get())) return;
  for (int32_t k = 0; k < kPoolCount; k++) {
    ObjectArray* owners = Array::newObjectArray(0, kPoolSizes[k]);
    poolOwners->elements()[k] = owners;
    IntArray* palettesOfSlots = Array::newIntArray(kPoolSizes[k]);
    poolPalettes->elements()[k] = palettesOfSlots;
    IntArray* modulesOfSlots = Array::newIntArray(kPoolSizes[k]);
    poolModules->elements()[k] = modulesOfSlots;
    poolCapacity[k] = kPoolSizes[k];
    poolNextSlot[k] = 0;
  }
  poolClean = true;
}

namespace {

// Clears the cache entry that pool k's slot s names and frees the slot.
void evictSlot(int32_t k, int32_t s) {
  auto* owners = static_cast<ObjectArray*>(ASprite::poolOwners->elements()[k]);
  auto* palettes = static_cast<IntArray*>(ASprite::poolPalettes->elements()[k]);
  auto* modules = static_cast<IntArray*>(ASprite::poolModules->elements()[k]);
  if (isNull(owners) || isNull(palettes) || isNull(modules) || !owners->inBounds(s)) return;
  auto* owner = static_cast<ASprite*>(owners->elements()[s]);
  if (!isNull(owner)) {
    ObjectArray* cache = owner->imageCache;
    const int32_t p = palettes->elements()[s];
    const int32_t m = modules->elements()[s];
    if (!isNull(cache) && cache->inBounds(p)) {
      auto* entry = static_cast<ObjectArray*>(cache->elements()[p]);
      if (!isNull(entry) && entry->inBounds(m)) entry->elements()[m] = nullptr;
    }
  }
  owners->elements()[s] = nullptr;
}

}  // namespace

void ASprite::PoolImage(int32_t module, Image* image) {
  if (poolingDisabled || poolNumber < 0 || isNull(poolOwners.get())) return;
  if (poolNumber >= poolOwners->length) return;
  ObjectArray* entry = cacheEntry(currentPalette, true);
  if (entry == nullptr || !entry->inBounds(module)) return;
  const int32_t k = poolNumber;
  const int32_t s = poolNextSlot[k];
  evictSlot(k, s);
  entry = cacheEntry(currentPalette, false);
  if (entry == nullptr) return;
  entry->elements()[module] = image;
  static_cast<ObjectArray*>(poolOwners->elements()[k])->elements()[s] = this;
  static_cast<IntArray*>(poolPalettes->elements()[k])->elements()[s] = currentPalette;
  static_cast<IntArray*>(poolModules->elements()[k])->elements()[s] = module;
  poolNextSlot[k] = s + 1 >= poolCapacity[k] ? 0 : s + 1;
  poolClean = false;
}

void ASprite::ResetPoolData() {
  if (isNull(poolOwners.get()) || poolClean) return;
  for (int32_t k = 0; k < poolOwners->length; k++) {
    for (int32_t s = 0; s < poolCapacity[k]; s++) evictSlot(k, s);
    poolNextSlot[k] = 0;
  }
  poolClean = true;
  System::gc();
}

void ASprite::FreePool() {
  if (isNull(poolOwners.get())) return;
  for (int32_t k = 0; k < poolOwners->length; k++) {
    for (int32_t s = 0; s < poolCapacity[k]; s++) evictSlot(k, s);
  }
  poolOwners = nullptr;
  poolPalettes = nullptr;
  poolModules = nullptr;
}

void ASprite::ClearCacheImages() {
  if (moduleCount == 0 || isNull(imageCache)) return;
  for (int32_t p = 0; p < imageCache->length; p++) {
    auto* entry = static_cast<ObjectArray*>(imageCache->elements()[p]);
    if (isNull(entry)) continue;
    std::fill_n(entry->elements(), entry->length, nullptr);
  }
}

void ASprite::disablePool(bool clear) {
  poolNumber = -1;
  if (clear) ClearCacheImages();
}

void ASprite::changePalette(IntArray* colours, int32_t palette, IntArray* keep) {
  if (palette == -1) palette = currentPalette;
  IntArray* target = getPalette(palette);
  if (isNull(target) || isNull(colours)) return reportError("NullPointer");
  const int32_t count = std::min(target->length, colours->length);
  for (int32_t i = 0; i < count; i++) {
    bool kept = false;
    for (int32_t k = 0; !isNull(keep) && k < keep->length && !kept; k++) kept = keep->elements()[k] == i;
    if (!kept) target->elements()[i] = colours->elements()[i];
  }
  ObjectArray* entry = cacheEntry(palette, false);
  if (entry != nullptr && moduleCount > 0) std::fill_n(entry->elements(), entry->length, nullptr);
}

void ASprite::setTempBufferSize(int32_t n) {
  if (!isNull(decodeBuffer.get()) && decodeBuffer->length == n) return;
  decodeBuffer = nullptr;
  if (n > 0) decodeBuffer = Array::newIntArray(n);
  System::gc();
  clock::delay(1);
}

}  // namespace sorv
