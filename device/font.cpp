#include "device/font.h"

#include "runtime/frames.h"

namespace sorv {

SORV_REF_FIELDS(Font, SORV_REF_OFFSET(Font, nextCached));

namespace {
StaticRef<Font> gFontCache;
}

void Font::init(int32_t f, int32_t s, int32_t sz) {
  SORV_FRAME("javax_microedition_lcdui_Font.<init>(III)V");
  face = f;
  style = s;
  size = sz;
  metric = 0;
  height = kLineHeight;
}

Font* Font::getFont(int32_t f, int32_t s, int32_t sz) {
  SORV_FRAME("javax_microedition_lcdui_Font.getFont(III)Ljavax/microedition/lcdui/Font;");
  const int32_t key = f | s | sz;
  for (Font* font = gFontCache; font != nullptr; font = font->nextCached) {
    if ((font->face | font->style | font->size) == key) return font;
  }
  Font* font = newObject<Font>();
  if (font == nullptr) return nullptr;
  font->init(f, s, sz);
  font->nextCached = gFontCache;
  gFontCache = font;
  return font;
}

}  // namespace sorv
