#include "device/font.h"

#include "runtime/frames.h"
#include "runtime/lang_wrappers.h"
#include "runtime/util_hashtable.h"

namespace sorv {
namespace {
StaticRef<Hashtable> gFontCache;
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
  if (isNull(gFontCache)) gFontCache = Hashtable::create();
  Integer* key = Integer::create(f | s | sz);
  if (isNull(gFontCache) || key == nullptr) return nullptr;
  if (Object* cached = Hashtable::get(gFontCache, key)) return static_cast<Font*>(cached);
  Font* font = newObject<Font>();
  if (font == nullptr) return nullptr;
  font->init(f, s, sz);
  Hashtable::put(gFontCache, key, font);
  return font;
}

}  // namespace sorv
