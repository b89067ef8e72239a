// ASprite: one sprite file in memory (modules, frames, animations, palettes), the images of
// its modules per palette, the shared image pool, drawing of modules, frames and animation
// frames, and sprite fonts.
//
// Invariants:
// - Every table is a managed array reached through this object; its element data moves, so
//   no raw element pointer is kept across an allocation.
// - The palette table has kMaxPalettes slots; paletteCount <= kMaxPalettes and the slots at
//   and beyond paletteCount are empty. A file asking for more palettes loads no pixel data.
// - The image cache (palettes x modules) grows to any palette index it is asked for, so a
//   later, larger palette count never writes past it.
// - Each pool slot names (owner, palette, module) of an image it holds in the owner's cache;
//   a slot's eviction clears exactly that cache entry.
// - Decoding never reads past a module's bytes nor writes past its w x h pixels.
// Called by the game's translated code (loading, drawing, text) on the one game thread.
// ASprite::clinit must run once after the runtime's start (the shared buffer and pool).
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class Graphics;
class Image;
class String;

class ASprite : public Object {
 public:
  static constexpr ClassId kClassId = kASprite;

  static constexpr int32_t kMaxPalettes = 48;
  static constexpr int32_t kDecodeBufferSize = 61440;
  static constexpr int32_t kPoolSize = 150;
  static constexpr int32_t kLineTableSize = 200;

  // Sprite file flag bits.
  static constexpr int32_t kFlagWideModules = 0x20;
  static constexpr int32_t kFlagModulePositions = 0x22;
  static constexpr int32_t kFlagWideFModuleOffsets = 0x400;
  static constexpr int32_t kFlagFModulePalettes = 0x4000;
  static constexpr int32_t kFlagWideAFrameOffsets = 0x40000;
  static constexpr int32_t kFlagShortAnimCounts = 0x80000;
  static constexpr int32_t kFlagIndexed = 0x01000000;
  static constexpr int32_t kFlagSingleImage = 0x20000000;

  // Module kinds.
  static constexpr int8_t kModuleImage = 0, kModuleOutline = 1, kModuleFilled = 2;

  // Drawing flags.
  static constexpr int32_t kFlipX = 1, kFlipY = 2, kRotate90 = 4;

  int32_t flags = 0;
  int32_t moduleCount = 0;
  ShortArray* moduleX = nullptr;
  ShortArray* moduleY = nullptr;
  ShortArray* moduleWidth = nullptr;
  ShortArray* moduleHeight = nullptr;
  ByteArray* moduleKind = nullptr;
  IntArray* moduleColour = nullptr;
  ShortArray* frameFModuleCount = nullptr;
  ShortArray* frameFirstFModule = nullptr;
  ByteArray* frameRect = nullptr;
  ByteArray* fmoduleModule = nullptr;
  ShortArray* fmoduleX = nullptr;
  ShortArray* fmoduleY = nullptr;
  ByteArray* fmodulePalette = nullptr;
  ByteArray* fmoduleFlags = nullptr;
  ShortArray* animAFrameCount = nullptr;
  ShortArray* animFirstAFrame = nullptr;
  ByteArray* aframeFrame = nullptr;
  ByteArray* aframeTime = nullptr;
  ShortArray* aframeX = nullptr;
  ShortArray* aframeY = nullptr;
  ByteArray* aframeFlags = nullptr;
  int32_t paletteCount = 0;
  int32_t colourCount = 0;
  ObjectArray* palettes = nullptr;  // kMaxPalettes IntArrays (empty slots null)
  int32_t currentPalette = 0;
  bool translucentPalette = false;
  int32_t dataFormat = 0;
  int32_t indexMask = 0;
  int32_t indexBits = 0;
  ByteArray* pixelData = nullptr;
  IntArray* pixelOffsets = nullptr;
  ByteArray* pngPalettes = nullptr;
  ObjectArray* imageCache = nullptr;  // per palette an ObjectArray of Images (per module)
  int32_t poolNumber = 0;
  // Images made on first draw stay in the cache, built as BuildCacheImages builds them and
  // never pooled: a font whose glyphs would take megabytes cached whole keeps only those
  // the texts use.
  bool cacheOnFirstDraw = false;
  bool decodeFaultLogged = false;
  bool tableFaultLogged = false;

  // Font.
  ByteArray* fontMap = nullptr;
  int32_t lineSpacing = 0;
  int32_t charSpacing = 0;

  // Class-table slots after Object's.
  virtual void setAlpha(int32_t alpha);  // slot 6: no effect
  virtual void drawRGB(Graphics* g, IntArray* argb, int32_t offset, int32_t scan, int32_t x,
                       int32_t y, int32_t w, int32_t h, bool alpha);  // slot 7

  // ASprite.<clinit>: the decode buffer, the text state and the pool.
  static void clinit();
  // ASprite.<init>: every field zero.
  static ASprite* create();

  // Loading (sprite_loader.cpp). A malformed file logs one line and keeps what was read
  // before the fault; the sprite stays safe to draw.
  void Load(ByteArray* data, int32_t offset);
  void setPaletteCount(int32_t n);
  IntArray* getPalette(int32_t n);
  void SetPalette(int32_t n);
  void SetCurrentPalette(int32_t n);
  int32_t GetCurrentPalette() const { return currentPalette; }

  // Module images, cache and pool (sprite_images.cpp).
  IntArray* DecodeImage(int32_t module, int32_t unused);
  static Image* Create_RGB_Image(IntArray* argb, int32_t w, int32_t h, bool alpha);
  void BuildCacheImages(int32_t palette, int32_t first, int32_t last, int32_t sharedPalette,
                        bool blur);
  void BuildCacheImages(int32_t palette, int32_t first, int32_t last, int32_t sharedPalette) {
    BuildCacheImages(palette, first, last, sharedPalette, false);
  }
  // The cached images of every module a frame draws (its nested frames followed), or every
  // frame of an animation: they draw on once the source pixels are freed.
  void BuildFrameCacheImages(int32_t palette, int32_t frame);
  void BuildAnimationCacheImages(int32_t palette, int32_t anim);
  static void AddAlphaToImgData(IntArray* argb, int32_t percent, int32_t w, int32_t h);
  static Image* applyBlurEffect(IntArray* argb, int32_t w, int32_t h, int32_t key);
  static void ImageDataXFlip(IntArray* argb, int32_t w, int32_t h);
  static void ImageDataYFlip(IntArray* argb, int32_t w, int32_t h);
  static void InitPool();
  void PoolImage(int32_t module, Image* image);
  static void ResetPoolData();
  static void FreePool();
  static void EnablePool() { poolingDisabled = false; }
  static void DisablePool() { poolingDisabled = true; }
  void ClearCacheImages();
  void disablePool(bool clear);
  void changePalette(IntArray* colours, int32_t palette, IntArray* keep);
  static void setTempBufferSize(int32_t n);
  // The cached image of (palette, module), or null.
  Image* cachedImage(int32_t palette, int32_t module);
  void dropCachedImage(int32_t palette, int32_t module);
  // Drops the source pixels and image data: from then on a module without a cached image
  // draws nothing.
  void FreeOriginalData();

  // Drawing (sprite_paint.cpp).
  static void SetGraphics(Graphics* g);
  void PaintModule(int32_t module, int32_t x, int32_t y, int32_t flags, int32_t alpha);
  void PaintFModule(int32_t frame, int32_t index, int32_t x, int32_t y, int32_t flags,
                    int32_t alpha);
  void PaintFModule(Graphics* g, int32_t frame, int32_t index, int32_t x, int32_t y,
                    int32_t flags, int32_t, int32_t);
  void PaintFrame(int32_t frame, int32_t x, int32_t y, int32_t flags, int32_t alpha);
  void PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t flags,
                  int32_t alpha);
  void PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t flags, int32_t,
                  int32_t);
  void PaintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t flags, int32_t,
                  int32_t, int32_t alpha);
  void PaintAFrame(int32_t anim, int32_t aframe, int32_t x, int32_t y, int32_t flags,
                   int32_t alpha);
  void PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y);
  void PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y,
                   int32_t flags);
  void PaintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y,
                   int32_t flags, int32_t, int32_t, int32_t alpha);
  void GetFrameRect(IntArray* rect, int32_t frame, int32_t x, int32_t y, int32_t flags);
  int32_t GetFrameWidth(int32_t frame);
  int32_t GetFrameHeight(int32_t frame);
  int32_t GetFrameModuleWidth(int32_t frame, int32_t index);
  int32_t GetAFrames(int32_t anim);
  int32_t GetAFrameTime(int32_t anim, int32_t aframe);
  int32_t GetActionTime(int32_t anim);
  int32_t GetAFrameID(int32_t anim, int32_t t);

  // Sprite fonts (sprite_font.cpp).
  int32_t Char2FrameModule(int32_t c);
  void DrawString(String* text, int32_t x, int32_t y, int32_t anchor, int32_t maxWidth);
  void DrawString(String* text, int32_t x, int32_t y, int32_t anchor) {
    DrawString(text, x, y, anchor, kDefaultMaxWidth);
  }
  void DrawString(Graphics* g, String* text, int32_t x, int32_t y, int32_t anchor) {
    SetGraphics(g);
    DrawString(text, x, y, anchor, kDefaultMaxWidth);
  }
  void DrawString(Graphics* g, String* text, int32_t x, int32_t y, int32_t anchor,
                  int32_t maxWidth) {
    SetGraphics(g);
    DrawString(text, x, y, anchor, maxWidth);
  }
  void drawPageAutoWordWrap(Graphics* g, String* text, int32_t x, int32_t y, int32_t anchor,
                            int32_t maxWidth) {
    DrawString(g, text, x, y, anchor, maxWidth);
  }
  void drawPageAutoWordWrap(Graphics* g, String* text, int32_t x, int32_t y, int32_t anchor) {
    DrawString(g, text, x, y, anchor, kPageMaxWidth);
  }
  void UpdateStringSize(String* text);
  int32_t getStringWidth(String* text);
  int32_t GetFontHeight();
  int32_t GetFontWidth(int32_t glyph) { return GetFrameModuleWidth(0, glyph); }
  int32_t GetLineSpacing() const { return lineSpacing; }
  void SetLineSpacingToDefault();

  static constexpr int32_t kDefaultMaxWidth = 3200;
  static constexpr int32_t kPageMaxWidth = 255;

  // Shared state.
  static StaticRef<IntArray> decodeBuffer;
  static StaticRef<Graphics> targetGraphics;
  static StaticRef<ObjectArray> poolOwners;    // per pool an ObjectArray of owners
  static StaticRef<ObjectArray> poolPalettes;  // per pool an IntArray
  static StaticRef<ObjectArray> poolModules;   // per pool an IntArray
  static StaticRef<ShortArray> wrapLines;      // line start at 2k, end at 2k + 1
  static int32_t poolNextSlot[1];
  static int32_t poolCapacity[1];
  static bool poolClean;
  static bool poolingDisabled;
  static bool measuring;
  static int32_t measuredBox[4];
  static int32_t textWidth;
  static int32_t textHeight;
  static int32_t wrapLineCount;
  static bool drawEnabled;
  static const int32_t kTransform[8];

 private:
  // The cache array of a palette, grown and created as needed (null when create is false
  // and it does not exist, or when an allocation failed).
  ObjectArray* cacheEntry(int32_t palette, bool create);
  void buildSingleImage(int32_t palette);
  // A module's image as BuildCacheImages makes it, from the current palette; null when the
  // module has no pixels.
  Image* buildModuleImage(int32_t module, bool blur);
  void keepDrawnImage(int32_t module, Image* image);
  // Frees the pool slots that name this sprite's modules first..last of the palette, leaving
  // the cache entries to the sprite.
  void releasePoolSlots(int32_t palette, int32_t first, int32_t last);
  // Measuring-mode walk of a frame into measuredBox.
  void measureFrame(int32_t frame, int32_t x, int32_t y, int32_t flags);
  void collectFrameModules(int32_t frame, int32_t depth, std::vector<int32_t>& modules);
  void buildCacheImagesOf(int32_t palette, std::vector<int32_t>& modules);
  void paintImageModule(int32_t module, int32_t x, int32_t y, int32_t w, int32_t h,
                        int32_t flags);
  // Byte range of a module's pixel data; false when it has none.
  bool moduleBytes(int32_t module, int32_t* start, int32_t* size);
  void layoutAndDraw(String* text, int32_t x, int32_t y, int32_t anchor, int32_t maxWidth,
                     bool draw);
  int32_t glyphAdvance(int32_t glyph);
  int32_t letterGap();
};

}  // namespace sorv
