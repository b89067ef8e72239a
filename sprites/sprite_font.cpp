// Sprite fonts: character to glyph, laying out and drawing text, measuring text.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/game_hooks.h"
#include "tools/data/glyph_substitutes.h"

namespace sorv {

StaticRef<ShortArray> ASprite::wrapLines;
int32_t ASprite::textWidth = 0;
int32_t ASprite::textHeight = 0;
int32_t ASprite::wrapLineCount = 0;
bool ASprite::drawEnabled = true;

namespace {

constexpr int32_t kCodePalette = 1;  // followed by a palette number (255: the default one)
constexpr int32_t kCodeGlyph = 2;    // followed by a frame-module entry of frame 0
constexpr int32_t kDefaultPaletteCode = 255;
constexpr int32_t kBreakingSpaceSlack = 5;

bool breaksAfterSpace(int32_t next) { return next != '!' && next != ':'; }

}  // namespace

int32_t ASprite::Char2FrameModule(int32_t c) {
  const int32_t language = gameHooks().language();
  int32_t g = c;
  if (language == kLanguageCyrillic) {
    if (c == kCyrillicYo || c == kCyrillicSmallYo) g = kCyrillicYoGlyph;
    if (c >= kCyrillicFirst && c <= kCyrillicLast) g = kCyrillicFirstGlyph + (c - kCyrillicFirst);
  }
  for (const GlyphSubstitute& s : kGlyphSubstitutes) {
    if (s.code == c) g = s.glyph;
  }
  if (language == kLanguageDottedI && c == 105) {
    g = kDottedIGlyph;
  } else if (language == kLanguageDottedI && c == 73) {
    g = 73;
  } else if (g >= 256) {
    g = 0;
  }
  return aload(fontMap, g) & 0xFF;
}

int32_t ASprite::GetFontHeight() { return aload(moduleHeight, 0) & 0xFF; }

void ASprite::SetLineSpacingToDefault() { lineSpacing = (GetFontHeight() >> 1) & 127; }

int32_t ASprite::letterGap() { return aload(fmoduleX, aload(frameFirstFModule, 0)); }

int32_t ASprite::glyphAdvance(int32_t glyph) { return letterGap() + GetFontWidth(glyph); }

namespace {

// A character of the text, read afresh each time: drawing may move the text's buffer.
int32_t unitAt(String* text, int32_t i) { return i < text->length() ? text->units()[i] : 0; }

}  // namespace

void ASprite::layoutAndDraw(String* text, int32_t x, int32_t y, int32_t anchor, int32_t maxWidth,
                            bool draw) {
  const int32_t n = text->length();
  const int32_t defaultPalette = anchor & 0xF;
  const int32_t horizontal = (anchor >> 4) & 0xF;
  const int32_t fontHeight = GetFontHeight();
  int32_t textPalette = defaultPalette;
  int32_t totalHeight = 0, widest = 0;
  wrapLineCount = 0;
  if (!isNull(wrapLines.get()) && wrapLines->length > 0) wrapLines->elements()[0] = 0;

  for (int32_t lineStart = 0; lineStart < n;) {
    int32_t w = 0, groupStart = -1, groupWidth = 0;
    int32_t candidateEnd = -1, candidateWidth = 0;
    int32_t lineEnd = n, next = n;
    for (int32_t j = lineStart; j < n; j++) {
      const int32_t at = j;  // where this character (or code pair) starts
      const int32_t c = unitAt(text, j);
      if (c == '\n' || c == '^') {
        lineEnd = j;
        next = j + 1;
        break;
      }
      int32_t glyph;
      if (c == kCodeGlyph && j + 1 < n) {
        glyph = unitAt(text, ++j) & 0xFF;
      } else if ((c == '|' || c == kCodePalette) && j + 1 < n) {
        j++;
        continue;
      } else if (c == '[') {
        groupStart = j;
        groupWidth = 0;
        continue;
      } else if (c == ']') {
        groupStart = -1;
        continue;
      } else if (c < 32) {
        continue;
      } else {
        glyph = Char2FrameModule(c);
      }
      const int32_t advance = glyphAdvance(glyph);
      w += advance;
      if (groupStart >= 0) groupWidth += advance;
      if (w > maxWidth) {
        // Every line takes at least one character, so narrow widths still end.
        if (groupStart > lineStart) {
          w -= groupWidth;
          lineEnd = next = groupStart;
        } else if (c == ' ' && groupStart < 0 && breaksAfterSpace(unitAt(text, j + 1))) {
          w -= GetFontWidth(glyph);
          lineEnd = next = j + 1;
        } else if (candidateWidth > 0) {
          w = candidateWidth;
          lineEnd = next = candidateEnd;
        } else if (at > lineStart) {
          w -= advance;
          lineEnd = next = at;
        } else {
          lineEnd = next = j + 1;
        }
        break;
      }
      if (groupStart >= 0) continue;
      if (c == '.' || c == '!' || c == ':') {
        candidateEnd = j + 1;
        candidateWidth = w;
      } else if (c == ' ' && (j == n - 1 || breaksAfterSpace(unitAt(text, j + 1)))) {
        candidateEnd = j + 1;
        candidateWidth = w - kBreakingSpaceSlack;
      }
    }

    if (draw && drawEnabled) {
      int32_t px = horizontal == 1 ? x - w / 2 : horizontal == 2 ? x - w : x;
      for (int32_t j = lineStart; j < lineEnd; j++) {
        const int32_t c = unitAt(text, j);
        int32_t glyph;
        if (c == kCodeGlyph && j + 1 < lineEnd) {
          glyph = unitAt(text, ++j) & 0xFF;
        } else if (c == '|' && j + 1 < lineEnd) {
          textPalette = unitAt(text, ++j) - '0';
          continue;
        } else if (c == kCodePalette && j + 1 < lineEnd) {
          const int32_t p = unitAt(text, ++j) & 0xFF;
          if (p == kDefaultPaletteCode) {
            textPalette = defaultPalette;
          } else if (p < paletteCount) {
            textPalette = p;
          }
          continue;
        } else if (c == '[' || c == ']' || c < 32) {
          continue;
        } else {
          glyph = Char2FrameModule(c);
        }
        SetPalette(textPalette);
        PaintFModule(targetGraphics.get(), 0, glyph, px, y, 0, 0, 0);
        SetPalette(defaultPalette);
        px += glyphAdvance(glyph);
      }
    }

    // Recording stops at the table's end; the layout itself goes on.
    if (!isNull(wrapLines.get()) && 2 * wrapLineCount + 1 < wrapLines->length) {
      wrapLines->elements()[2 * wrapLineCount] = static_cast<int16_t>(lineStart);
      wrapLines->elements()[2 * wrapLineCount + 1] = static_cast<int16_t>(next);
      wrapLineCount++;
    }
    y += lineSpacing + fontHeight;
    totalHeight += (totalHeight > 0 ? lineSpacing : 0) + fontHeight;
    widest = std::max(widest, w);
    lineStart = next;
  }
  textWidth = widest;
  textHeight = totalHeight;
}

void ASprite::DrawString(String* text, int32_t x, int32_t y, int32_t anchor, int32_t maxWidth) {
  if (isNull(text) || text->length() == 0) return;
  const int32_t savedSpacing = lineSpacing;
  const int32_t lineHeight = (anchor >> 16) & 0xFF;
  if (lineHeight >= GetFontHeight()) lineSpacing = lineHeight - GetFontHeight();
  const int32_t vertical = (anchor >> 8) & 0xF;
  if (vertical != 0) {
    layoutAndDraw(text, x, y, anchor, maxWidth, false);
    y -= vertical == 1 ? textHeight / 2 : vertical == 2 ? textHeight : 0;
  }
  layoutAndDraw(text, x, y, anchor, maxWidth, true);
  lineSpacing = savedSpacing;
}

void ASprite::UpdateStringSize(String* text) {
  if (isNull(text)) return;
  const int32_t n = text->length();
  const int32_t fontHeight = GetFontHeight();
  const int32_t gap = letterGap();
  const int32_t first = aload(frameFirstFModule, 0);
  int32_t width = 0, line = 0, height = fontHeight;
  for (int32_t j = 0; j < n; j++) {
    const int32_t c = unitAt(text, j);
    int32_t glyph;
    if (c == '\n') {
      width = std::max(width, line);
      line = 0;
      height += fontHeight + lineSpacing;
      continue;
    }
    if (c == '^' || c == kCodePalette) {
      j++;
      continue;
    }
    if (c == kCodeGlyph && j + 1 < n) {
      glyph = unitAt(text, ++j) & 0xFF;
    } else if (c < 32) {
      continue;
    } else {
      glyph = Char2FrameModule(c);
    }
    line += gap + aload(fmoduleX, first + glyph) + charSpacing + GetFontWidth(glyph);
  }
  width = std::max(width, line);
  if (width >= 1) width -= gap;
  textWidth = width;
  textHeight = height;
}

int32_t ASprite::getStringWidth(String* text) {
  if (isNull(text)) return 0;
  const int32_t n = text->length();
  const int32_t gap = letterGap();
  const int32_t first = aload(frameFirstFModule, 0);
  int32_t width = 0;
  for (int32_t j = 0; j < n; j++) {
    const int32_t c = unitAt(text, j);
    int32_t glyph;
    if ((c == '|' || c == kCodePalette) && j + 1 < n) {
      j++;
      continue;
    }
    if (c == kCodeGlyph && j + 1 < n) {
      glyph = unitAt(text, ++j) & 0xFF;
    } else if (c < 32) {
      continue;
    } else {
      glyph = Char2FrameModule(c);
    }
    width += charSpacing - aload(fmoduleX, first + glyph) + gap + GetFontWidth(glyph);
  }
  if (width >= 1) width -= gap;
  textWidth = width;
  return width;
}

}  // namespace sorv
