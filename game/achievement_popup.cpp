// The in-play pop-up: each achievement or record waiting in the first display queue fades in
// at the bottom of the match screen, holds and fades out before the next one.
#include "device/graphics.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kPopupQueue = 0, kAnyKind = 2, kAchievementKind = 0;
constexpr int32_t kSpeedRecord = 4, kFirstTimeRecord = 13, kLastTimeRecord = 14;
constexpr int32_t kOpenBracket = 139, kCloseBracket = 140;
constexpr int32_t kFirstSpeedUnitText = 246, kSpeedUnitOption = 1;
constexpr int32_t kBackFrame = 18, kFirstKindAnim = 2;
constexpr int32_t kPopupX = 400, kPopupY = 445, kTextX = 410, kTextAnchor = 272, kTextWidth = 240;
constexpr int32_t kTextLineSpacing = 4;
constexpr int32_t kMatchState = 40;

// In a match a pop-up starts only between points, with the ball dead: over a rally it would
// lie on the near base line and the pad's keys. Training shows its pop-ups as they come.
bool popupMayStart() {
  if (CGame::GET_CURRENT_STATE() != kMatchState) return true;
  return CTennis::matchState == CTennis::kStatePlaying && CTennis::deadBallReason != 0;
}

void append(StringBuffer* text, String* s) { StringBuffer::appendString(text, s); }
String* constant(int32_t n) { return StaticClass::getConstant(n); }

String* popupText(int32_t id, int32_t kind) {
  if (kind == kAchievementKind) return CGame::GetString(0, CAE::GetAchiTitleId(id));
  StringBuffer* text = StringBuffer::create(48);
  if (isNull(text)) return nullptr;
  const int32_t v = CAE::getRecordVal(id);
  append(text, CAE::getRecordName(id));
  if (id == kSpeedRecord) {
    const int32_t unit = aload(CGame::optionValues.get(), kSpeedUnitOption);
    append(text, constant(kOpenBracket));
    append(text, String::valueOfInt(v));
    append(text, constant(kConstOrdinalJoiner));
    append(text, CGame::GetString(0, kFirstSpeedUnitText + unit));
    append(text, constant(kCloseBracket));
  } else if (id == kFirstTimeRecord || id == kLastTimeRecord) {
    append(text, constant(kOpenBracket));
    append(text, CGame::INT2Time(v));
    append(text, constant(kCloseBracket));
  } else {
    append(text, constant(kConstOrdinalJoiner));
    append(text, String::valueOfInt(v));
  }
  return text->toString();
}

}  // namespace

void CGame::drawAchievement() {
  SORV_FRAME("CGame.drawAchievement()V");
  if (!CAE::IsDisplaying()) {
    // Taking the next pair is what keeps the queue from filling during a match.
    if (CAE::IsQueueEmpty(kPopupQueue, kAnyKind) || !popupMayStart()) return;
    IntArray* pair = CAE::popQueue(kPopupQueue, kAnyKind);
    if (isNull(pair) || pair->length < 2) return;
    CAE::StartDisplay(aload(pair, 0), aload(pair, 1));
    return;
  }
  CAE::update();
  IntArray* shown = CAE::achiShowing.get();
  const int32_t id = aload(shown, 0), kind = aload(shown, 1);
  const int32_t fade = CAE::achiFade;
  Graphics* g = GetMenuGfx();
  ASprite* back = CTennis::replaySprite;
  if (!isNull(back) && !isNull(g)) {
    back->PaintFrame(g, kBackFrame, kPopupX, kPopupY, 0, 0, 0, fade / 2);
    DrawAnimation(g, back, kind + kFirstKindAnim, CTennis::matchFrame, kPopupX, kPopupY, 0, 0, fade);
  }
  ASprite* font = GetAnimationIDByClass(4);
  if (!isNull(font) && !isNull(g)) {
    const int32_t spacing = font->lineSpacing;
    font->lineSpacing = kTextLineSpacing;
    font->SetGraphics(g);
    font->DrawString(popupText(id, kind), kTextX, kPopupY, kTextAnchor, kTextWidth);
    font->lineSpacing = spacing;
  }
  if (CAE::IsTimeOver()) CAE::EndDisplay();
}

}  // namespace sorv
