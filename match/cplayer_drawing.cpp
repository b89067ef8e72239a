// What is drawn for a player besides its animation: the racket effect, the serve meter, the
// slide dust and slide marks, and an arrow at the screen edge for a player out of sight.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "device/graphics.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kScreenRight = 800, kMeterFlip = 771, kMeterGap = 40;
constexpr int32_t kPerfectText = 245, kTextAnchor = 272;
constexpr int32_t kArrowRise = 10;
constexpr int32_t kMarkRowSplit = 230;
constexpr int32_t kFontClass = 2;

int32_t screenX(const CPlayer* p) { return isNull(p->screenPos) ? 0 : aload(p->screenPos, 0); }
int32_t screenY(const CPlayer* p) { return isNull(p->screenPos) ? 0 : aload(p->screenPos, 1); }

CActor* decor(int32_t i) {
  ObjectArray* list = CTennis::courtDecor;
  if (isNull(list) || i < 0 || i >= list->length) return nullptr;
  return static_cast<CActor*>(list->elements()[i]);
}

}  // namespace

int32_t CPlayer::paintPlayer() {
  const bool far = !userTeamSide;
  if (far) drawHitRacket();
  ASprite* s = isNull(animActor) ? nullptr : animActor->sprite;
  if (!isNull(s) && index >= 0 && index < s->paletteCount) s->SetCurrentPalette(index);
  const int32_t result = isNull(animActor) ? -1 : animActor->update(CGame::gfx, screenX(this), screenY(this));
  if (CTennis::matchKind == CTennis::kKindMatch && courtType() == 0) CGame::gfx_drawDust(this, CTennis::dustChoice);
  if (screenX(this) < 0 || screenX(this) > kScreenRight) drawPlayerOutIndication();
  if (!far) drawHitRacket();
  return result;
}

void CPlayer::drawHitRacket() {
  if (isNull(racketActor)) return;
  if (racketActor->update(CGame::gfx, aload(racketPos, 0), aload(racketPos, 1)) == -1) racketActor = nullptr;
}

void CPlayer::drawEnergyBar() {
  CActor* meter = CTennis::sharedActor;
  if (isNull(meter)) return;
  const int32_t s = screenX(this) < kMeterFlip ? 1 : -1;
  const int32_t mx = screenX(this) + s * kMeterGap, my = screenY(this);
  // The computer's meter runs in step with the user's but is never shown.
  meter->update(type == kTypeComputer ? nullptr : CGame::gfx.get(), mx, my);
  if (this != CTennis::player.get()) return;
  const int32_t perfect = powerServe ? 3 : 1;
  if (meter->animation != perfect) return;
  ASprite* font = CGame::GetAnimationIDByClass(kFontClass);
  String* text = CGame::GetString(0, kPerfectText);
  if (isNull(font) || isNull(text)) return;
  font->DrawString(CGame::gfx, text, mx + 1, my - (powerServe ? 70 : 64), kTextAnchor);
}

void CPlayer::updateSlipDust() {
  if (moveState != 2 || (lastMoveDir != 3 && lastMoveDir != 4)) return;
  if (!isNull(animActor) && animActor->currentFrame == 2) sliding = true;
  if (courtType() != 0 || CTennis::matchKind == CTennis::kKindTraining) return;
  const int32_t i = userTeamSide ? (vx >= 0 ? 3 : 2) : (vx >= 0 ? 0 : 1);
  CActor* dust = decor(i);
  if (!isNull(dust)) dust->update(screenX(this), screenY(this));
}

void CPlayer::paintSlipTrace() {
  if (courtType() != 0 || isNull(slipTrace) || isNull(CTennis::hudSprite)) return;
  for (int32_t i = 0; i < kSlipTraceRows; i++) {
    IntArray* row = static_cast<IntArray*>(aload(slipTrace.get(), i));
    const int32_t mx = aload(row, 0), my = aload(row, 1), mvx = aload(row, 2);
    if (mvx == 0) continue;
    const int32_t frame = my >= kMarkRowSplit ? (mvx < 0 ? 57 : 58) : (mvx < 0 ? 59 : 60);
    CTennis::hudSprite->PaintFrame(CGame::gfx, frame, mx - CTennis::viewX, my - CTennis::viewY, 0, 0);
  }
}

void CPlayer::drawPlayerOutIndication() {
  ASprite* arrows = CTennis::replaySprite;
  if (isNull(arrows)) return;
  const int32_t sx = screenX(this), sy = screenY(this) - kArrowRise;
  const bool computer = type == kTypeComputer;
  if (sx < 0) arrows->PaintFrame(CGame::gfx, computer ? 5 : 7, 0, sy, 0, 0);
  if (sx > kScreenRight) arrows->PaintFrame(CGame::gfx, computer ? 6 : 8, kScreenRight, sy, 0, 0);
}

}  // namespace sorv
