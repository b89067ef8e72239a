// The close-call inset (where the ball landed next to the judged line, drawn as a 106-pixel
// square in the top right corner), the challenge's picture over it, and the highlight band
// that the information messages open on.
#include "device/graphics.h"
#include "game/cgame.h"
#include "match/close_call_geometry.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "sprites/turned_frame.h"

namespace sorv {

bool CTennis::insetShown;

namespace {

constexpr int32_t kInsetX = 689, kInsetY = 25, kInsetSize = 106;
constexpr int32_t kShownFrames = 30;
constexpr int32_t kBar = 7;
constexpr int32_t kWhite = 0xFFFFFF, kGrassTint = 0x438648;
constexpr int32_t kMarkFrame = 4, kBallFrame = 31;
constexpr int32_t kVerdictDelay = 24, kVerdictItem = 18, kVerdictPalette = 3, kVerdictRise = 32;
constexpr int32_t kOfferText = 86, kLeftText = 87, kLeftSuffix = 92, kCloseCallText = 88;
constexpr int32_t kBandTop = 185, kBandHeight = 110, kBandColour = 0x0EBA3C;

int32_t signOf(int32_t v) { return v < 0 ? -1 : 1; }

void bar(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) { g->fillRect(x, y, w, h); }

// The lines of kind `line` around the bounce, shifted by the bounce's offset (dx, dz).
void drawLines(Graphics* g, int32_t line, int32_t dx, int32_t dz) {
  g->setColor(kWhite);
  const int32_t lineX = 739 - dx, lineY = 75 - dz;
  switch (line) {
    case 9: {
      const int32_t barY = CTennis::lineZoneZ == 0 ? lineY : kInsetY;
      if (CTennis::lineZone != 0) {
        bar(g, kInsetX, barY, 53 - dx, kBar);
      } else {
        bar(g, lineX, barY, dx + 57, kBar);
      }
      if (CTennis::lineZoneZ != 0) {
        bar(g, lineX, kInsetY, kBar, 53 - dz);
      } else {
        bar(g, lineX, lineY, kBar, dz + 57);
      }
      return;
    }
    case 1: case 3: case 5: case 7: bar(g, kInsetX, lineY, kInsetSize, kBar); break;
    case 4: bar(g, 742 - dx, lineY, dx + 53, kBar); break;
    case 6: bar(g, kInsetX, lineY, 53 - dx, kBar); break;
    default: break;
  }
  switch (line) {
    case 2: case 3: case 4: case 6: bar(g, lineX, kInsetY, kBar, kInsetSize); break;
    case 5: bar(g, lineX, 78 - dz, kBar, dz + 53); break;
    case 7: bar(g, lineX, kInsetY, kBar, 53 - dz); break;
    default: break;
  }
}

// On grass the outside of the line is tinted once the rally had a return.
void tintOutside(Graphics* g, int32_t line, int32_t dx, int32_t dz) {
  if (line != 2) {
    if (CTennis::lineZoneZ == 0) CGame::fillRect(g, kGrassTint, 690, 26, 105, 49 - dz, 100);
    if (CTennis::lineZoneZ == 4) CGame::fillRect(g, kGrassTint, kInsetX, 82 - dz, kInsetSize, 49 + dz, 100);
  }
  if (line != 1) {
    if (CTennis::lineZone == 0) CGame::fillRect(g, kGrassTint, 690, 26, 49 - dx, 105, 100);
    if (CTennis::lineZone == 4) CGame::fillRect(g, kGrassTint, 746 - dx, 26, 49 + dx, 105, 100);
  }
}

// The ball flying in and, once it has passed, the bounce mark turned along its flight.
void drawFlight(Graphics* g, int32_t dx, int32_t dz, int32_t t) {
  const int32_t markX = 742 + 7 * signOf(dx), markY = 78 + 7 * signOf(dz);
  const int32_t vx = CTennis::bounceVelocityX, vz = CTennis::bounceVelocityZ;
  const int32_t p = close_call::flightProgress(t);
  const int32_t y = vz < 0 ? kInsetY + kInsetSize - p : kInsetY + p;
  // A bounce with no depth speed falls straight down onto the mark.
  const int32_t x = vz == 0 ? markX : markX - static_cast<int32_t>(static_cast<int64_t>(markY - y) * vx / vz);
  ASprite* hud = CTennis::hudSprite;
  if (!isNull(hud)) hud->PaintFrame(g, kBallFrame, x, y, 0, 0);
  const bool passed = vz < 0 ? y < markY : y > markY;
  ASprite* marks = CTennis::replayBgSprite;
  if (passed && !isNull(marks)) paintFrameTurned(marks, g, kMarkFrame, markX, markY, CGame::atan2(-vz, vx));
}

}  // namespace

void CTennis::paintInstantReplay() {
  SORV_FRAME("CTennis.paintInstantReplay()V");
  const int32_t t = matchFrame - deadBallFrame;
  const int32_t reason = challengeDecided ? kReasonOut : deadBallReason;
  if (t >= kShownFrames || (reason & (kReasonOut | kReasonTwice)) == 0 || lineCallKind == 0) {
    lineCallKind = 0;
    return;
  }
  Graphics* g = CGame::gfx;
  if (isNull(g)) return;
  insetShown = true;
  const bool out = (reason & kReasonOut) != 0;
  const int32_t dx = close_call::insetOffset(lineDistanceZ, out), dz = close_call::insetOffset(lineDistanceX, out);
  const int32_t line = lineCallKind;
  if (!isNull(replayBgSprite)) replayBgSprite->PaintFrame(g, currentCourt, kInsetX, kInsetY, 0, 0);
  g->setColor(kWhite);
  g->drawRect(kInsetX, kInsetY, kInsetSize, kInsetSize);
  g->setClip(kInsetX, kInsetY, kInsetSize, kInsetSize);
  drawLines(g, line, dx, dz);
  if (line == 2 && secondLine != -1) {
    const int32_t d2 = close_call::insetOffset(secondLineDistance, out);
    if (lineZone == 1) {
      bar(g, 742 - dx, 75 - d2, dx + 53, kBar);
    } else {
      bar(g, kInsetX, 75 - d2, 53 - dx, kBar);
    }
  }
  if (currentCourt == 1 && rallyStrokes >= 2) tintOutside(g, line, dx, dz);
  drawFlight(g, dx, dz, t);
  g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  if (!isNull(replaySprite)) replaySprite->PaintFrame(g, currentCourt == 0 ? 12 : 13, 688, kInsetY, 0, 0);
  ASprite* small = CGame::GetAnimationIDByClass(4);
  if (!isNull(small)) small->DrawString(g, CGame::GetString(1, kCloseCallText), 692, 17, 0);
  if (!isNull(replayActor)) replayActor->update(g, 779, 16);
}

void CTennis::paintContestReferee() {
  SORV_FRAME("CTennis.paintContestReferee()V");
  if (!challengeDecided && challengeTimer > 0) {
    paintContestRefereeLineEffect();
    CGame::drawInfoMessage(CGame::GetString(1, kOfferText), true, true);
  }
  if (!blackBarsRunning()) paintInstantReplay();
  if (!challengeDecided || matchFrame - deadBallFrame < kVerdictDelay) return;
  // The band the review restarted for the verdict: it also brings the frame, drawn into the
  // screen buffer while the band runs, onto the screen.
  paintContestRefereeLineEffect();
  const int32_t layout = courtLayoutMenu;
  ASprite* effects = CGame::MenuGetItemSprite(layout, kVerdictItem);
  const int32_t frame = CGame::GetMenuItemFrameID(layout, kVerdictItem);
  if (!isNull(effects) && frame >= 0) {
    const int32_t position = CGame::GetMenuItemPosition(layout, kVerdictItem);
    const int32_t x = static_cast<int16_t>(position & 0xFFFF) - viewX;
    const int32_t y = static_cast<int16_t>(position >> 16) - viewY - kVerdictRise;
    const int32_t previous = effects->GetCurrentPalette();
    if (effects->paletteCount > kVerdictPalette) effects->SetCurrentPalette(kVerdictPalette);
    effects->PaintFrame(CGame::gfx, frame + (challengeUpheld ? 1 : 0), x, y, 0, 0);
    effects->SetCurrentPalette(previous);
  }
  StringBuffer* text = StringBuffer::create(32);
  StringBuffer::appendString(text, CGame::GetString(1, kLeftText));
  StringBuffer::appendInt(text, challengesLeft);
  StringBuffer::appendString(text, StaticClass::getConstant(kLeftSuffix));
  CGame::drawInfoMessage(text->toString(), true, false);
}

void CTennis::paintContestRefereeLineEffect() {
  SORV_FRAME("CTennis.paintContestRefereeLineEffect()V");
  CGame::paintInfoBand(kBandTop, kBandHeight, -1, kBandColour);
}

}  // namespace sorv
