// Effects the match and the special pause switch on during play: speed lines, floating
// hints, the rolling serve-speed digits, the weather (drizzle and the rain interruption),
// the thunder serve's shake and the dust puffs. A player's screen point, sprite set and
// slide dust are read from the player itself.
#include <algorithm>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

StaticRef<IntArray> CGame::speedLineCentre;
StaticRef<CActor> CGame::speedLineActor;
StaticRef<ObjectArray> CGame::floatHintText;
StaticRef<ObjectArray> CGame::floatHintFont;
StaticRef<ObjectArray> CGame::floatHintData;
bool CGame::animatedNumberActive = false;
int32_t CGame::animatedNumberPhase = 1;
int32_t CGame::animatedNumberValue = 0;
int32_t CGame::animatedNumberTick = 0;
int32_t CGame::animatedNumberStep = 1;
StaticRef<IntArray> CGame::animatedNumberDigits;
int32_t CGame::serveSpeedTarget = 0;
StaticRef<IntArray> CGame::rainX;
StaticRef<IntArray> CGame::rainY;
StaticRef<ByteArray> CGame::rainKind;
bool CGame::rainMoving = true;
bool CGame::drizzleOn = false;
bool CGame::rainInterruptionDone = false;
bool CGame::rainBufferPainted = false;
StaticRef<CActor> CGame::rainActor1;
StaticRef<CActor> CGame::rainActor2;
bool CGame::screenCovered = false;
bool CGame::playersShown = true;
int32_t CGame::thunderFrames = 0;
int32_t CGame::speShakeX = 0;
int32_t CGame::speShakeY = 0;
bool CGame::speQuitting = false;
bool CGame::dustEnabled = false;

namespace {

// Floating hint record fields.
constexpr int32_t kHintX = 0, kHintY = 1, kHintLife = 2, kHintStart = 3, kHintPalette = 4, kHintFields = 5;
// Hints are pulled onto the screen during their first frames.
constexpr int32_t kHintSettleFrames = 2;
constexpr int32_t kHundreds = 0, kTens = 1, kUnits = 2;
constexpr int32_t kRainBarTexts = 1, kRainBarText = 71, kRainBarLength = 14;
constexpr int32_t kRainBars = 12;
constexpr int32_t kRainEndKeys = 0x70020;  // 5, fire and both soft keys
constexpr int32_t kRainVeil = 0x19000000;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kThunderFrames = 5, kShake = 5;
constexpr int32_t kDustSteps = 4, kDustAlpha = 75, kDustRise = 8;
constexpr int32_t kHalfHeight = 240;

IntArray* hintRecord(int32_t slot) {
  ObjectArray* data = CGame::floatHintData;
  return isNull(data) ? nullptr : static_cast<IntArray*>(aload(data, slot));
}

int32_t hintField(int32_t slot, int32_t field) { return aload(hintRecord(slot), field); }

void freeHint(int32_t slot) {
  astore(CGame::floatHintText.get(), slot, static_cast<Object*>(nullptr));
  astore(CGame::floatHintFont.get(), slot, static_cast<Object*>(nullptr));
}

bool hintFree(int32_t slot) {
  if (isNull(aload(CGame::floatHintText.get(), slot))) return true;
  return CTennis::matchFrame - hintField(slot, kHintStart) > hintField(slot, kHintLife);
}

// The digit of the rolling number at index d, and its target digit.
int32_t digit(int32_t d) { return aload(CGame::animatedNumberDigits.get(), d); }
void setDigit(int32_t d, int32_t v) { astore(CGame::animatedNumberDigits.get(), d, v); }

bool weatherBarred() {
  return CGame::isMainTournament() || CTennis::isTrainingMatch() || CTennis::setIndex < 1;
}

bool rainBarOver() { return CGame::frameCounter - CTennis::barStart > CTennis::barDuration; }

// An actor without a sprite has nothing left to show.
bool actorDone(CActor* a) { return isNull(a) || isNull(a->sprite) || a->ended; }

CActor* rainActorFor(CPlayer* p, int32_t anim) {
  const bool set = !isNull(p) && p->userTeamSide;
  const int32_t character = isNull(p) ? 0 : p->rosterIndex;
  return CActor::create(CTennis::getPlayerSprite(set, character, 2), anim, -1);
}

int32_t screenCoord(CPlayer* p, int32_t i) { return isNull(p->screenPos) ? 0 : aload(p->screenPos, i); }

void paintAt(CActor* a, CPlayer* p) {
  if (isNull(a) || isNull(p)) return;
  a->paintCurrentFrame(CGame::gfx, screenCoord(p, 0), screenCoord(p, 1));
}

void resetEffects() {
  CGame::animatedNumberActive = false;
  CGame::animatedNumberPhase = 1;
  CGame::animatedNumberValue = CGame::animatedNumberTick = 0;
  CGame::animatedNumberStep = 1;
  CGame::serveSpeedTarget = 0;
  CGame::rainMoving = true;
  CGame::drizzleOn = CGame::rainInterruptionDone = CGame::rainBufferPainted = false;
  CGame::screenCovered = false;
  CGame::playersShown = true;
  CGame::thunderFrames = CGame::speShakeX = CGame::speShakeY = 0;
  CGame::speQuitting = false;
  CGame::dustEnabled = false;
  CGame::floatHintText = Array::newObjectArray(0, CGame::kFloatHints);
  CGame::floatHintFont = Array::newObjectArray(0, CGame::kFloatHints);
  CGame::floatHintData = Array::newObjectArray(0, CGame::kFloatHints);
  for (int32_t i = 0; i < CGame::kFloatHints && !isNull(CGame::floatHintData.get()); i++)
    astore(CGame::floatHintData.get(), i, static_cast<Object*>(Array::newIntArray(kHintFields)));
  CGame::animatedNumberDigits = Array::newIntArray(3);
  CGame::rainX = Array::newIntArray(CGame::kRainStreaks);
  CGame::rainY = Array::newIntArray(CGame::kRainStreaks);
  CGame::rainKind = Array::newByteArray(CGame::kRainStreaks);
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetEffects);

void CGame::StartSpeedLineEffect(int32_t, int32_t) { enablePaintDirectInBuffer(kPdbBlur, 0); }

void CGame::EndSpeedLineEffect() {
  if (pdbKind == kPdbBlur) closePaintDirectInBuffer();
}

void CGame::SetSpeedLineCenterPosition(IntArray* p) {
  SORV_FRAME("CGame.SetSpeedLineCenterPosition([I)V");
  if (isNull(speedLineCentre)) speedLineCentre = Array::newIntArray(2);
  astore(speedLineCentre.get(), 0, aload(p, 0));
  astore(speedLineCentre.get(), 1, aload(p, 1));
}

void CGame::DrawSpeedLineEffect(Graphics* g) {
  SORV_FRAME("CGame.DrawSpeedLineEffect(Ljavax/microedition/lcdui/Graphics;)V");
  CActor* actor = speedLineActor;
  if (!pdbActive || pdbKind != kPdbBlur || isNull(actor)) return;
  IntArray* centre = speedLineCentre;
  const int32_t x = isNull(centre) ? 0 : aload(centre, 0), y = isNull(centre) ? 0 : aload(centre, 1);
  actor->update(g, x, y);
}

void CGame::activeFloatHint(String* text, ASprite* font, int32_t palette, int32_t x, int32_t y,
                            int32_t life, int32_t delay) {
  SORV_FRAME("CGame.activeFloatHint(Ljava/lang/String;LASprite;IIIII)V");
  int32_t slot = -1;
  for (int32_t i = 0; i < kFloatHints && slot < 0; i++) {
    if (hintFree(i)) slot = i;
  }
  // Eight live hints: the one started first gives way.
  if (slot < 0) {
    slot = 0;
    for (int32_t i = 1; i < kFloatHints; i++) {
      if (hintField(i, kHintStart) < hintField(slot, kHintStart)) slot = i;
    }
  }
  astore(floatHintText.get(), slot, static_cast<Object*>(text));
  astore(floatHintFont.get(), slot, static_cast<Object*>(font));
  IntArray* record = hintRecord(slot);
  astore(record, kHintX, x);
  astore(record, kHintY, y);
  astore(record, kHintLife, life);
  astore(record, kHintStart, CTennis::matchFrame + delay);
  astore(record, kHintPalette, palette);
}

bool CGame::drawFloatHints() {
  SORV_FRAME("CGame.drawFloatHints()Z");
  bool drawn = false;
  for (int32_t i = 0; i < kFloatHints; i++) {
    String* text = static_cast<String*>(aload(floatHintText.get(), i));
    if (isNull(text)) continue;
    IntArray* record = hintRecord(i);
    const int32_t age = CTennis::matchFrame - aload(record, kHintStart);
    if (age >= aload(record, kHintLife) && age >= 0) {
      freeHint(i);
      continue;
    }
    if (age < 0) continue;
    ASprite* font = static_cast<ASprite*>(aload(floatHintFont.get(), i));
    if (isNull(font)) {
      reportError("NullPointer");
      freeHint(i);
      continue;
    }
    int32_t sx = aload(record, kHintX) - CTennis::viewX;
    int32_t sy = aload(record, kHintY) - CTennis::viewY;
    font->UpdateStringSize(text);
    const int32_t w = ASprite::textWidth, h = ASprite::textHeight;
    if (age < kHintSettleFrames) {
      sx = std::min(std::max(w / 2, sx), kGameWidth - w / 2);
      sy = std::min(std::max(h, sy), kGameHeight);
      astore(record, kHintX, CTennis::viewX + sx);
      astore(record, kHintY, CTennis::viewY + sy);
    }
    const int32_t palette = aload(record, kHintPalette);
    if (palette >= 0 && palette < font->paletteCount) font->SetCurrentPalette(palette);
    font->DrawString(gfx, text, sx - w / 2, sy - h, 0);
    astore(record, kHintY, aload(record, kHintY) - 1);
    drawn = true;
  }
  return !drawn;
}

int32_t CGame::getMaxSpeedDigit(int32_t k) {
  int32_t v = serveSpeedTarget, d = 0;
  for (int32_t i = 0; i < k; i++) {
    d = v % 10;
    v /= 10;
  }
  return d;
}

void CGame::updateAnimatedNumber() {
  SORV_FRAME("CGame.updateAnimatedNumber()V");
  switch (animatedNumberPhase) {
    case 1:
      animatedNumberPhase = 2;
      animatedNumberStep = 1;
      setDigit(kUnits, 0);
      break;
    case 2: {
      animatedNumberTick++;
      const int32_t hundreds = RAND(0, 9);
      animatedNumberValue = digit(kUnits) + 10 * RAND(0, 9) + 100 * hundreds;
      if (animatedNumberTick != animatedNumberStep) break;
      animatedNumberTick = 0;
      if (digit(kUnits) >= getMaxSpeedDigit(1)) {
        animatedNumberPhase = 3;
        setDigit(kTens, 0);
        setDigit(kUnits, getMaxSpeedDigit(1));
      } else {
        setDigit(kUnits, digit(kUnits) + 2);
      }
      break;
    }
    case 3:
      animatedNumberTick++;
      animatedNumberValue = digit(kUnits) + 10 * digit(kTens) + 100 * RAND(0, 9);
      if (animatedNumberTick != animatedNumberStep) break;
      animatedNumberTick = 0;
      if (digit(kTens) >= getMaxSpeedDigit(2)) {
        animatedNumberPhase = 4;
        setDigit(kHundreds, 0);
        setDigit(kTens, getMaxSpeedDigit(2));
      } else {
        setDigit(kTens, digit(kTens) + 2);
      }
      break;
    case 4:
      animatedNumberTick++;
      animatedNumberValue = digit(kUnits) + 10 * digit(kTens) + 100 * digit(kHundreds);
      if (animatedNumberTick != animatedNumberStep) break;
      animatedNumberTick = 0;
      if (digit(kHundreds) >= getMaxSpeedDigit(3)) {
        animatedNumberActive = false;
        setDigit(kHundreds, getMaxSpeedDigit(3));
        animatedNumberValue = serveSpeedTarget;
      } else {
        setDigit(kHundreds, digit(kHundreds) + 2);
      }
      break;
    default:
      break;
  }
}

bool CGame::bEnableRainInterruption() {
  if (weatherBarred() || rainInterruptionDone) return false;
  return RAND(0, 10) < 2;
}

bool CGame::bEnableDrizzle() {
  if (weatherBarred() || drizzleOn) return false;
  return RAND(0, 10) < 1;
}

void CGame::newMatchWeather() {
  drizzleOn = rainInterruptionDone = false;
  screenCovered = false;
  playersShown = true;
  CTennis::rainFlag = false;
}

void CGame::initRain() {
  SORV_FRAME("CGame.initRain()V");
  for (int32_t i = 0; i < kRainStreaks; i++) {
    astore(rainX.get(), i, RAND(0, 100) * kGameWidth / 100);
    astore(rainY.get(), i, RAND(0, 100) * kGameHeight / 100);
    astore(rainKind.get(), i, static_cast<int8_t>(RAND(0, 6)));
  }
  drizzleOn = true;
}

void CGame::drawRain(Graphics* g) {
  SORV_FRAME("CGame.drawRain(Ljavax/microedition/lcdui/Graphics;)V");
  if (isNull(g)) return reportError("NullPointer");
  g->setColor(kWhite);
  // While black bars run, only the band between them shows rain.
  if (blackBarsFrames > 0) {
    const int32_t t = (kHalfHeight / blackBarsFrames) * blackBarsStep;
    const int32_t top = blackBarsClosing ? t : kHalfHeight - t;
    g->setClip(0, top, kGameWidth, (kHalfHeight - top) * 2);
  } else {
    g->setClip(0, 0, kGameWidth, kGameHeight);
  }
  for (int32_t i = 0; i < kRainStreaks; i++) {
    int32_t x = aload(rainX.get(), i), y = aload(rainY.get(), i);
    const int32_t kind = aload(rainKind.get(), i);
    if (rainMoving && !CTennis::drawOnlyFrame) {
      y = (y + (kind != 0 ? 47 : 45) + kGameHeight) % kGameHeight;
      x = (x - 18 + kGameWidth) % kGameWidth;
      astore(rainX.get(), i, x);
      astore(rainY.get(), i, y);
    }
    if (kind == 0) continue;
    switch (drizzleOn ? RAND(1, 2) : RAND(0, 5)) {
      case 0:
      case 1:
        if (drizzleOn) {
          g->drawLine(x, y, x - 3, y + 6);
        } else {
          g->drawLine(x, y, x - 7, y + 13);
        }
        break;
      case 2:
        g->drawLine(x - 7, y + 13, x - 7, y + 13);
        break;
      case 3:
        fillRect(g, kWhite, x - 8, y + 12, 2, 2, RAND(60, 100));
        fillRect(g, kWhite, x - 6, y + 11, 1, 1, RAND(60, 100));
        break;
      case 4:
        fillRect(g, kWhite, x - 10, y + 12, 1, 1, RAND(60, 100));
        fillRect(g, kWhite, x - 7, y + 11, 1, 1, RAND(60, 100));
        fillRect(g, kWhite, x - 4, y + 14, 1, 1, RAND(60, 100));
        fillRect(g, kWhite, x - 7, y + 15, 1, 1, RAND(60, 100));
        break;
      default:
        break;
    }
  }
  g->setClip(0, 0, kGameWidth, kGameHeight);
}

void CGame::initRainInterruption() {
  SORV_FRAME("CGame.initRainInterruption()V");
  initRain();
  drizzleOn = false;
  initBlackScreen(kRainBars, false);
  CTennis::initBarMessage(GetString(kRainBarTexts, kRainBarText), 0, kRainBarLength, true, false, false, false);
  rainActor1 = rainActorFor(CTennis::player, CTennis::courtEnd == 2 ? 23 : 22);
  rainActor2 = rainActorFor(CTennis::rival, 0);
  rainBufferPainted = false;
}

void CGame::updateRainInterruption() {
  SORV_FRAME("CGame.updateRainInterruption()V");
  updateBlackScreen();
  if (speQuitting) return;
  CTennis::updateBarMessage();
  bool ended = false;
  if (rainBarOver()) {
    if (!rainBufferPainted) {
      // The court is painted once without its players: the rain actors stand in their place.
      screenCovered = true;
      playersShown = false;
      updateScreenBuffer(true);
      rainBufferPainted = true;
    }
    if (!isNull(rainActor1)) rainActor1->update();
    if (!isNull(rainActor2)) rainActor2->update();
    ended = actorDone(rainActor1) && actorDone(rainActor2);
  }
  if ((keysPressed & kRainEndKeys) == 0 && !ended) return;
  initBlackScreen(kRainBars, false);
  deactiveSPEPause();
  playersShown = true;
  updateScreenBuffer(true);
}

void CGame::paintRainInterruption() {
  SORV_FRAME("CGame.paintRainInterruption()V");
  if (speQuitting) return;
  drawRain(gfx);
  fillRect(gfx, kRainVeil, 0, 0, kGameWidth, kGameHeight);
  if (!rainBarOver()) return;
  paintAt(rainActor1, CTennis::player);
  paintAt(rainActor2, CTennis::rival);
}

void CGame::updateThunderServe() {
  thunderFrames++;
  speShakeX = RAND(-kShake, kShake);
  speShakeY = RAND(-kShake, kShake);
  if (thunderFrames >= kThunderFrames) deactiveSPEPause();
}

void CGame::gfx_drawDust(CPlayer* p, bool second) {
  SORV_FRAME("CGame.gfx_drawDust(LCPlayer;Z)V");
  if (isNull(p) || p->slideFlag == 0 || !dustEnabled) return;
  CActor* actor = second ? dustActor1 : dustActor0;
  // The last step of the puff is still drawn; a pause's still steps nothing.
  if (!CTennis::drawOnlyFrame && ++p->dustStep >= kDustSteps) {
    p->dustStep = 0;
    p->slideFlag = 0;
  }
  if (isNull(actor) || isNull(actor->sprite)) return;
  actor->sprite->setAlpha(kDustAlpha);
  actor->update(gfx, screenCoord(p, 0), screenCoord(p, 1) - kDustRise);
  actor->sprite->setAlpha(-1);
}

void CGame::deactiveSPEPause() {
  speQuitting = true;
  key_resetKey();
}

}  // namespace sorv
