// The about screen (state 9, menu 6): ten credit lines rise one after another through a
// window (menu 6 item 8) over a blurred copy of the screen it was opened from, and start
// again after the last.
//
// Each line eases from the window's bottom edge (start y) to its middle in 24 frames, then
// rises 2 px a frame; the next line enters in the frame the entering line's bottom passes the
// middle. Only lines up to the entering one are drawn; a line that has left at the top rests
// until it enters anew. The last line counts the middle y into its height, so it hands over
// only once it has risen that much further and the cycle restarts with an empty window.
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ObjectArray> CGame::creditLines;
int32_t CGame::creditCurrent = 0;
int32_t CGame::creditWindowY = 0;
int32_t CGame::creditWindowH = 0;
int32_t CGame::creditWindowW = 0;
int32_t CGame::creditMiddle = 0;
int32_t CGame::creditStartY = 0;
int32_t CGame::creditSpeed = 2;

namespace {

constexpr int32_t kAboutMenu = 6, kFrameItem = 6, kWindowItem = 8;
constexpr int32_t kTexts = 2, kFirstCreditText = 249, kVersionWord = 259;
constexpr int32_t kNameGap = 100, kVersionGap = 144;
constexpr int32_t kCreditLineSpacing = 5;
constexpr int32_t kStartBelowWindow = 10;
constexpr int32_t kEaseFrames = 24;
constexpr int32_t kBlur = 100, kDesaturate = 50;
constexpr int32_t kCentred = 0x10;
constexpr int32_t kBackKey = 0x20000;
constexpr int32_t kBackLabel = 10, kNoLabel = -1;
// A line's record.
constexpr int32_t kTextId = 0, kStartY = 1, kY = 2, kHeight = 3, kClock = 4, kFields = 5;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

ASprite* creditFont() { return static_cast<ASprite*>(aload(CGame::fontSprites.get(), kFontCredits)); }

IntArray* lineAt(int32_t i) { return static_cast<IntArray*>(aload(CGame::creditLines.get(), i)); }
int32_t get(int32_t i, int32_t field) { return aload(lineAt(i), field); }
void set(int32_t i, int32_t field, int32_t value) { astore(lineAt(i), field, value); }

// The credits rise over the screen they were opened from: the last frame shown, blurred.
void blurLastFrame() {
  CGame::createScreenBuffer();
  Image* buffer = CGame::screenBuffer.get();
  if (isNull(buffer)) return;
  Graphics* g = buffer->getGraphics();
  if (!isNull(CGame::backBuffer)) g->drawImage(CGame::backBuffer, 0, 0, 0);
  CGame::paintIGMBlurEffect(g, 0, 0, CGame::kGameWidth, CGame::kGameHeight, kBlur, kDesaturate);
}

void drawBackground() {
  if (!isNull(CGame::screenBuffer) && !isNull(CGame::gfx)) CGame::gfx->drawImage(CGame::screenBuffer, 0, 0, 0);
  CGame::drawBk(nullptr, -1, -1, nullptr);
  ASprite* font = creditFont();
  if (!isNull(font)) font->lineSpacing = kCreditLineSpacing;
}

// The menu's overlay, the back soft key's plate, and its label over it: the right soft key
// is the screen's one key.
void drawOverlay() {
  CGame::DrawMenuItem(kAboutMenu, kFrameItem);
  CGame::drawMenuBar(kBackLabel, kNoLabel, false);
}

void prepare() {
  const int32_t at = CGame::GetMenuItemPosition(kAboutMenu, kWindowItem);
  const int32_t size = CGame::GetMenuItemSize(kAboutMenu, kWindowItem);
  CGame::creditWindowY = yOf(at);
  CGame::creditWindowW = xOf(size);
  CGame::creditWindowH = yOf(size);
  CGame::creditMiddle = CGame::creditWindowY + CGame::creditWindowH / 2;
  CGame::creditStartY = CGame::creditWindowH + kStartBelowWindow;
  ObjectArray* lines = Array::newObjectArray(kIntArray, CGame::kCreditLineCount);
  if (isNull(lines)) return;
  CGame::creditLines = lines;
  ASprite* font = creditFont();
  ASprite::drawEnabled = false;
  for (int32_t i = 0; i < CGame::kCreditLineCount; i++) {
    IntArray* line = Array::newIntArray(kFields);
    if (isNull(line)) break;
    CGame::creditLines->elements()[i] = line;
    set(i, kTextId, kFirstCreditText + i);
    set(i, kStartY, CGame::creditStartY);
    set(i, kY, CGame::creditStartY);
    set(i, kClock, 0);
    ASprite::textHeight = 0;
    if (!isNull(font)) font->DrawString(CGame::GetMenuGfx(), CGame::creditText(i), 0, 0, kCentred, CGame::creditWindowW);
    const bool last = i == CGame::kCreditLineCount - 1;
    set(i, kHeight, ASprite::textHeight + (last ? CGame::creditMiddle : 0));
  }
  ASprite::drawEnabled = true;
  CGame::creditCurrent = 0;
  if (!isNull(lineAt(0))) set(0, kY, CGame::creditStartY);
  CGame::DrawMenu(kAboutMenu, true);
  drawOverlay();
}

void drawLine(int32_t i) {
  ASprite* font = creditFont();
  if (isNull(font)) return;
  font->DrawString(CGame::GetMenuGfx(), CGame::creditText(i), CGame::kGameWidth / 2, get(i, kY), kCentred,
                   CGame::creditWindowW);
}

// The entering line: eased to the middle, then rising; once its bottom passes the middle the
// next line enters from the start y.
void enter(int32_t i) {
  int32_t y = get(i, kY);
  const int32_t clock = get(i, kClock);
  y = y > CGame::creditMiddle ? CGame::Parabolic(clock, kEaseFrames, get(i, kStartY), CGame::creditMiddle)
                              : y - CGame::creditSpeed;
  set(i, kY, y);
  set(i, kClock, clock + 1);
  if (y + get(i, kHeight) < CGame::creditMiddle) {
    const int32_t next = (i + 1) % CGame::kCreditLineCount;
    CGame::creditCurrent = next;
    set(next, kY, get(next, kStartY));
    set(next, kClock, 0);
  }
  drawLine(i);
}

// An earlier line rises until it has left the window at the top, then rests.
void rise(int32_t i) {
  if (get(i, kClock) == 0) return;
  const int32_t y = get(i, kY) - CGame::creditSpeed;
  if (y + get(i, kHeight) < CGame::creditWindowY) {
    set(i, kY, get(i, kStartY));
    set(i, kClock, 0);
    return;
  }
  set(i, kY, y);
  drawLine(i);
}

void frame() {
  if (isNull(CGame::creditLines)) return;
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  g->setClip((CGame::kGameWidth - CGame::creditWindowW) / 2, CGame::creditWindowY, CGame::creditWindowW,
             CGame::creditWindowH);
  for (int32_t i = 0; i < CGame::kCreditLineCount && !isNull(CGame::creditLines); i++) {
    const int32_t current = CGame::creditCurrent;
    if (i > current) break;
    if (i < current) {
      rise(i);
    } else {
      enter(i);
    }
  }
  g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  CGame::DrawMenu(kAboutMenu, true);
  drawOverlay();
}

void leave() {
  CGame::creditLines = nullptr;
  CGame::updateScreenBufferWithStdSplash();
  CGame::MenuPop();
  CGame::POP_STATE();
  if (!isNull(CGame::gfx)) CGame::gfx->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
}

}  // namespace

String* CGame::creditText(int32_t line) {
  if (line != 0) return GetString(kTexts, kFirstCreditText + line);
  StringBuffer* joined = StringBuffer::create(32);
  StringBuffer::appendString(joined, GetString(kTexts, kFirstCreditText));
  StringBuffer::appendString(joined, StaticClass::getConstant(kNameGap));
  StringBuffer::appendString(joined, GetString(kTexts, kVersionWord));
  StringBuffer::appendString(joined, StaticClass::getConstant(kVersionGap));
  if (!isNull(startProperty)) StringBuffer::appendString(joined, startProperty);
  return joined->toString();
}

void CGame::updateAbout(int32_t mode) {
  SORV_FRAME("CGame.updateAbout(I)V");
  if (mode == 0) blurLastFrame();
  drawBackground();
  if (mode == 0) {
    prepare();
  } else {
    frame();
  }
  if ((keysPressed & kBackKey) != 0) leave();
}

}  // namespace sorv
