// The sprite file reader and the palette set.
#include <cstdint>

#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/module_decode.h"

namespace sorv {

SORV_REF_FIELDS(ASprite, SORV_REF_OFFSET(ASprite, moduleX), SORV_REF_OFFSET(ASprite, moduleY),
                SORV_REF_OFFSET(ASprite, moduleWidth), SORV_REF_OFFSET(ASprite, moduleHeight),
                SORV_REF_OFFSET(ASprite, moduleKind), SORV_REF_OFFSET(ASprite, moduleColour),
                SORV_REF_OFFSET(ASprite, frameFModuleCount),
                SORV_REF_OFFSET(ASprite, frameFirstFModule), SORV_REF_OFFSET(ASprite, frameRect),
                SORV_REF_OFFSET(ASprite, fmoduleModule), SORV_REF_OFFSET(ASprite, fmoduleX),
                SORV_REF_OFFSET(ASprite, fmoduleY), SORV_REF_OFFSET(ASprite, fmodulePalette),
                SORV_REF_OFFSET(ASprite, fmoduleFlags), SORV_REF_OFFSET(ASprite, animAFrameCount),
                SORV_REF_OFFSET(ASprite, animFirstAFrame), SORV_REF_OFFSET(ASprite, aframeFrame),
                SORV_REF_OFFSET(ASprite, aframeTime), SORV_REF_OFFSET(ASprite, aframeX),
                SORV_REF_OFFSET(ASprite, aframeY), SORV_REF_OFFSET(ASprite, aframeFlags),
                SORV_REF_OFFSET(ASprite, palettes), SORV_REF_OFFSET(ASprite, pixelData),
                SORV_REF_OFFSET(ASprite, pixelOffsets), SORV_REF_OFFSET(ASprite, pngPalettes),
                SORV_REF_OFFSET(ASprite, imageCache), SORV_REF_OFFSET(ASprite, fontMap));

namespace {

// Little-endian reads bounded by the array's real length: past the end a read gives 0 and
// marks the reader short, which stops the load.
struct SpriteReader {
  ByteArray* data;
  int64_t pos;
  bool shortData = false;

  int64_t remaining() const { return data->length - pos; }
  uint32_t u8() {
    if (pos < 0 || pos >= data->length) {
      shortData = true;
      return 0;
    }
    return static_cast<uint8_t>(data->elements()[pos++]);
  }
  int32_t s8() { return static_cast<int8_t>(u8()); }
  uint32_t u16() {
    uint32_t lo = u8();
    return lo | (u8() << 8);
  }
  int32_t s16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() {
    uint32_t lo = u16();
    return lo | (u16() << 16);
  }
  // Whether count entries of at least entrySize bytes each can still be there.
  bool fits(int64_t count, int64_t entrySize) const { return count * entrySize <= remaining(); }
};

void logLoadFault(const char* what, int64_t value) {
  Debug::trace("ASprite.Load: %s (%lld), the rest of the sprite is not loaded", what,
               static_cast<long long>(value));
}

bool readModules(ASprite* s, SpriteReader& r) {
  int32_t count = static_cast<int32_t>(r.u16());
  const bool wide = (s->flags & ASprite::kFlagWideModules) != 0;
  if (!r.fits(count, wide ? 8 : 2)) {
    logLoadFault("module count beyond the file", count);
    return false;
  }
  s->moduleCount = count;
  if (count == 0) return true;
  if ((s->flags & ASprite::kFlagModulePositions) != 0) {
    s->moduleX = Array::newShortArray(count);
    s->moduleY = Array::newShortArray(count);
  }
  s->moduleWidth = Array::newShortArray(count);
  s->moduleHeight = Array::newShortArray(count);
  s->moduleKind = Array::newByteArray(count);
  s->moduleColour = Array::newIntArray(count);
  for (int32_t m = 0; m < count; m++) {
    // Only the two rectangle markers are consumed; any other byte is the module's size.
    uint32_t marker = r.pos < r.data->length ? static_cast<uint8_t>(r.data->elements()[r.pos]) : 0;
    if (marker == 0xFF || marker == 0xFE) {
      r.u8();
      astore(s->moduleKind, m, marker == 0xFF ? ASprite::kModuleOutline : ASprite::kModuleFilled);
      astore(s->moduleColour, m, static_cast<int32_t>(r.u32()));
    }
    if (wide) {
      astore(s->moduleX, m, r.s16());
      astore(s->moduleY, m, r.s16());
      astore(s->moduleWidth, m, r.s16());
      astore(s->moduleHeight, m, r.s16());
    } else {
      astore(s->moduleWidth, m, r.s8());
      astore(s->moduleHeight, m, r.s8());
    }
    if (r.shortData) return false;
  }
  return true;
}

bool readFModules(ASprite* s, SpriteReader& r) {
  int32_t count = static_cast<int32_t>(r.u16());
  const bool wide = (s->flags & ASprite::kFlagWideFModuleOffsets) != 0;
  const bool palettes = (s->flags & ASprite::kFlagFModulePalettes) != 0;
  if (!r.fits(count, (wide ? 6 : 4) + (palettes ? 1 : 0))) {
    logLoadFault("frame-module count beyond the file", count);
    return false;
  }
  if (count == 0) return true;
  s->fmoduleModule = Array::newByteArray(count);
  s->fmoduleX = Array::newShortArray(count);
  s->fmoduleY = Array::newShortArray(count);
  if (palettes) s->fmodulePalette = Array::newByteArray(count);
  s->fmoduleFlags = Array::newByteArray(count);
  for (int32_t i = 0; i < count; i++) {
    astore(s->fmoduleModule, i, r.u8());
    astore(s->fmoduleX, i, wide ? r.s16() : r.s8());
    astore(s->fmoduleY, i, wide ? r.s16() : r.s8());
    if (palettes) astore(s->fmodulePalette, i, r.u8());
    astore(s->fmoduleFlags, i, r.u8());
  }
  return !r.shortData;
}

bool readFrames(ASprite* s, SpriteReader& r) {
  int32_t count = static_cast<int32_t>(r.u16());
  if (!r.fits(count, 8)) {
    logLoadFault("frame count beyond the file", count);
    return false;
  }
  if (count == 0) return true;
  s->frameFModuleCount = Array::newShortArray(count);
  s->frameFirstFModule = Array::newShortArray(count);
  s->frameRect = Array::newByteArray(4 * count);
  for (int32_t f = 0; f < count; f++) {
    astore(s->frameFModuleCount, f, static_cast<int32_t>(r.u16()));
    astore(s->frameFirstFModule, f, static_cast<int32_t>(r.u16()));
  }
  for (int32_t i = 0; i < 4 * count; i++) astore(s->frameRect, i, r.u8());
  return !r.shortData;
}

bool readAFrames(ASprite* s, SpriteReader& r) {
  int32_t count = static_cast<int32_t>(r.u16());
  const bool wide = (s->flags & ASprite::kFlagWideAFrameOffsets) != 0;
  if (!r.fits(count, wide ? 7 : 5)) {
    logLoadFault("animation-frame count beyond the file", count);
    return false;
  }
  if (count == 0) return true;
  s->aframeFrame = Array::newByteArray(count);
  s->aframeTime = Array::newByteArray(count);
  s->aframeX = Array::newShortArray(count);
  s->aframeY = Array::newShortArray(count);
  s->aframeFlags = Array::newByteArray(count);
  for (int32_t i = 0; i < count; i++) {
    astore(s->aframeFrame, i, r.u8());
    astore(s->aframeTime, i, r.u8());
    astore(s->aframeX, i, wide ? r.s16() : r.s8());
    astore(s->aframeY, i, wide ? r.s16() : r.s8());
    astore(s->aframeFlags, i, r.u8());
  }
  return !r.shortData;
}

bool readAnims(ASprite* s, SpriteReader& r) {
  int32_t count = static_cast<int32_t>(r.u16());
  const bool shortCounts = (s->flags & ASprite::kFlagShortAnimCounts) != 0;
  if (!r.fits(count, shortCounts ? 3 : 4)) {
    logLoadFault("animation count beyond the file", count);
    return false;
  }
  if (count == 0) return true;
  s->animAFrameCount = Array::newShortArray(count);
  s->animFirstAFrame = Array::newShortArray(count);
  for (int32_t a = 0; a < count; a++) {
    astore(s->animAFrameCount, a, shortCounts ? r.s8() : static_cast<int32_t>(r.u16()));
    astore(s->animFirstAFrame, a, static_cast<int32_t>(r.u16()));
  }
  return !r.shortData;
}

bool readIndexedPixels(ASprite* s, SpriteReader& r) {
  const int32_t paletteFormat = r.s16();
  const int32_t paletteCount = static_cast<int32_t>(r.u8());
  int32_t colours = static_cast<int32_t>(r.u8());
  if (colours == 0) colours = 256;
  if (r.shortData) return false;
  // The table has 48 slots: more palettes would be written past it.
  if (paletteCount > ASprite::kMaxPalettes) {
    logLoadFault("more than 48 palettes", paletteCount);
    return false;
  }
  const bool argbColours = paletteFormat == static_cast<int16_t>(0x8888);
  if (argbColours && !r.fits(int64_t{paletteCount} * colours, 4)) {
    logLoadFault("palettes beyond the file", paletteCount);
    return false;
  }
  s->colourCount = colours;
  s->palettes = Array::newObjectArray(0, ASprite::kMaxPalettes);
  for (int32_t p = 0; p < paletteCount; p++) {
    IntArray* palette = Array::newIntArray(colours);
    astore(s->palettes, p, palette);
    if (!argbColours) continue;
    for (int32_t c = 0; c < colours; c++) {
      uint32_t argb = r.u32();
      if ((argb >> 24) < 0xFF) s->translucentPalette = true;
      astore(palette, c, static_cast<int32_t>(argb));
    }
  }
  s->paletteCount = paletteCount;
  s->dataFormat = r.s16();
  if (s->dataFormat == kModuleFormatRunMasked) {
    s->indexBits = moduleIndexBits(colours);
    s->indexMask = (1 << s->indexBits) - 1;
  }
  if (r.shortData || s->moduleCount == 0) return !r.shortData;

  // Walk the lengths first, then copy each module's bytes into one array.
  const int64_t start = r.pos;
  int64_t total = 0;
  for (int32_t m = 0; m < s->moduleCount; m++) {
    int64_t length = r.u16();
    r.pos += length;
    total += length;
    if (r.shortData || r.pos > r.data->length) {
      logLoadFault("module pixel data beyond the file", m);
      return false;
    }
  }
  s->pixelOffsets = Array::newIntArray(s->moduleCount);
  ByteArray* pixels = Array::newByteArray(static_cast<int32_t>(total));
  if (isNull(s->pixelOffsets) || (total > 0 && isNull(pixels))) return false;
  r.pos = start;
  int32_t at = 0;
  for (int32_t m = 0; m < s->moduleCount; m++) {
    int32_t length = static_cast<int32_t>(r.u16());
    astore(s->pixelOffsets, m, at);
    for (int32_t i = 0; i < length; i++) pixels->elements()[at + i] = r.data->elements()[r.pos + i];
    r.pos += length;
    at += length;
  }
  s->pixelData = pixels;
  return true;
}

bool readSingleImage(ASprite* s, SpriteReader& r) {
  int32_t length = static_cast<int32_t>(r.u16());
  if (!r.fits(length, 1)) {
    logLoadFault("image beyond the file", length);
    return false;
  }
  ByteArray* png = Array::newByteArray(length);
  if (isNull(png)) return false;
  for (int32_t i = 0; i < length; i++) png->elements()[i] = r.data->elements()[r.pos + i];
  r.pos += length;
  s->pixelData = png;
  const int32_t paletteCount = static_cast<int32_t>(r.u8());
  int32_t colours = static_cast<int32_t>(r.u8());
  if (colours == 0) colours = 256;
  if (r.shortData) return false;
  if (paletteCount > ASprite::kMaxPalettes) {
    logLoadFault("more than 48 palettes", paletteCount);
    return false;
  }
  const int32_t recordsSize = paletteCount * (colours + 2) * 4;
  if (!r.fits(recordsSize, 1)) {
    logLoadFault("palette records beyond the file", paletteCount);
    return false;
  }
  ByteArray* records = Array::newByteArray(recordsSize);
  if (recordsSize > 0 && isNull(records)) return false;
  for (int32_t i = 0; i < recordsSize; i++) records->elements()[i] = r.data->elements()[r.pos + i];
  r.pos += recordsSize;
  s->pngPalettes = records;
  s->paletteCount = paletteCount;
  s->colourCount = colours;
  return true;
}

}  // namespace

void ASprite::Load(ByteArray* data, int32_t offset) {
  SORV_FRAME("ASprite.Load([BI)V");
  System::gc();
  if (isNull(data)) {
    reportError("NullPointer");
    return;
  }
  SpriteReader r{data, offset};
  r.u16();  // not used
  flags = static_cast<int32_t>(r.u32());
  bool ok = !r.shortData && readModules(this, r) && readFModules(this, r) && readFrames(this, r) &&
            readAFrames(this, r) && readAnims(this, r);
  if (ok && (flags & kFlagIndexed) != 0) ok = readIndexedPixels(this, r);
  if (ok && (flags & kFlagSingleImage) != 0) ok = readSingleImage(this, r);
  if (!ok && r.shortData) logLoadFault("file ends early at byte", r.pos);
  System::gc();
}

void ASprite::setPaletteCount(int32_t n) {
  if (n < 1 || n > kMaxPalettes) {
    Debug::trace("ASprite.setPaletteCount: %d outside 1..48, ignored", n);
    return;
  }
  if (isNull(palettes)) palettes = Array::newObjectArray(0, kMaxPalettes);
  if (isNull(palettes)) return;
  IntArray* first = static_cast<IntArray*>(palettes->elements()[0]);
  const int32_t length = isNull(first) ? colourCount : first->length;
  for (int32_t p = paletteCount; p < n; p++) {
    IntArray* palette = Array::newIntArray(length);
    palettes->elements()[p] = palette;
  }
  for (int32_t p = n; p < paletteCount; p++) palettes->elements()[p] = nullptr;
  paletteCount = n;
  if (currentPalette >= n) currentPalette = n - 1;
}

IntArray* ASprite::getPalette(int32_t n) {
  if (n == -1) n = currentPalette;
  return static_cast<IntArray*>(aload(palettes, n));
}

void ASprite::SetPalette(int32_t n) {
  if (n < 0) return;
  currentPalette = n >= paletteCount ? paletteCount - 1 : n;
  if (currentPalette < 0) currentPalette = 0;
}

void ASprite::SetCurrentPalette(int32_t n) {
  if (n >= 0 && n < paletteCount) currentPalette = n;
}

}  // namespace sorv
