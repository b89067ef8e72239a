// One frame of the match scene, back to front: the slip and ball traces, the linesmen, the
// ball's shadow, the far half, the net and its judge, the near half, with the ball drawn once
// at its depth, and over it all the practice ball's flight in the tutorial.
#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kFarEndZ = 36600;
constexpr int32_t kNetKid = 4;
constexpr int32_t kBackKidX[2] = {240, 605}, kBackKidY = 100;
constexpr int32_t kServeTutorial = 1, kPracticeStep = 3;
// The serve tag: frames of the replay sprite by half, its label 22 pixels higher, centred on
// its bottom (sprite-font anchor), the whole tag this far above the player's feet.
constexpr int32_t kFarTagFrame = 49, kNearTagFrame = 58, kTagLabelRise = 22, kTagAnchor = 528;
constexpr int32_t kTagHeight = 60;
constexpr int32_t kUserLabel = 21, kCpuLabel = 20;

int32_t kidAnimation(int32_t kid) {
  ObjectArray* kids = CTennis::ballKidActors;
  if (isNull(kids) || kid >= kids->length) return -1;
  CActor* a = static_cast<CActor*>(kids->elements()[kid]);
  return isNull(a) ? -1 : a->animation;
}

int32_t animationOf(CPlayer* p) { return isNull(p->animActor) ? -1 : p->animActor->animation; }

// The stage rule: a player kept at its screen point while the points' scene holds it.
void paintByStage(CPlayer* p) {
  const bool held = CTennis::afterPointStage == 5 || (CTennis::afterPointStage == 2 && CTennis::changeEnds);
  if (held && !isNull(p->screenPos)) {
    p->paintYourself(p->screenPos->elements()[0] - CTennis::viewX, p->screenPos->elements()[1] - CTennis::viewY);
  } else {
    p->paintYourself();
  }
}

bool ballStillInPlay() {
  RigidBody* ball = CTennis::ball;
  if (isNull(ball)) return false;
  return CTennis::deadBallReason == 0 || CGame::p_find(CTennis::objectList, ball, 0) >= 0;
}

}  // namespace

ASprite* CTennis::getPlayerSprite(bool userTeam, int32_t character, int32_t kind) {
  ObjectArray* table = userTeam ? CGame::actionSprites0.get() : CGame::actionSprites1.get();
  // In mixed doubles the women wear the second sprite of each kind, three slots on.
  IntArray* settings = CGame::matchSettings;
  const bool mixed = !isNull(settings) && settings->length > 0 && settings->elements()[0] == kMixedCategory;
  const int32_t slot = kind + (mixed && character >= kFirstWoman ? kPartnerSlot : 0);
  if (isNull(table) || kind < 0 || kind >= kSpriteKinds || slot >= table->length) return nullptr;
  return static_cast<ASprite*>(table->elements()[slot]);
}

void CTennis::drawSmashPoint() {
  if (smashPointX == 0 || isNull(sharedActor)) return;
  if (tutorialIndex == -1 && !isNull(ball) && !isNull(ball->screenPos) &&
      ball->screenPos->elements()[1] + viewY > smashPointY) {
    return resetSmashPoint();
  }
  sharedActor->update(smashPointX - viewX, smashPointY - viewY);
}

namespace {

// Rule B: a player the ball kids hold in place is painted at their place.
void paintByKids(CPlayer* p, int32_t anim) {
  const int32_t viewX = CTennis::viewX, viewY = CTennis::viewY;
  if (p->half() == 1) {
    const int32_t kid = kidAnimation(kNetKid);
    if (kid == 3 || kid == 4) {
      p->paintYourself();
    } else if (kid == 2) {
      p->paintYourself((anim == 6 ? 151 : 212) - viewX, 304 - viewY);
    } else {
      paintByStage(p);
    }
  } else {
    bool placed = false;
    for (int32_t k = 0; k < 2 && !placed; k++) {
      if (kidAnimation(k) != 2) continue;
      p->paintYourself(kBackKidX[k] - viewX, kBackKidY - viewY);
      placed = true;
    }
    if (!placed) paintByStage(p);
  }
}

// The server's tag while it places its serve: a marker and "You" or "CPU" above it.
void drawServerTag(CPlayer* p) {
  if (CTennis::matchState != 2 || p != CTennis::server.get() || p->state != 1 || isNull(p->screenPos)) return;
  ASprite* marker = CTennis::replaySprite;
  const int32_t x = p->screenPos->elements()[0], y = p->screenPos->elements()[1] - kTagHeight;
  const int32_t frame = p->half() == 0 ? kFarTagFrame : kNearTagFrame;
  if (!isNull(marker) && !isNull(marker->frameFModuleCount) && frame < marker->frameFModuleCount->length) {
    marker->PaintFrame(CGame::gfx, frame, x, y, 0, 0);
  }
  ObjectArray* fonts = CGame::fontSprites;
  auto* font = isNull(fonts) || kFontHint >= fonts->length ? nullptr : static_cast<ASprite*>(fonts->elements()[kFontHint]);
  String* label = CGame::GetString(0, p == CTennis::player.get() ? kUserLabel : kCpuLabel);
  if (!isNull(font) && !isNull(label)) font->DrawString(CGame::gfx, label, x, y - kTagLabelRise, kTagAnchor);
}

}  // namespace

bool CTennis::drawSinglePlayer(CPlayer* p, bool flag) {
  if (isNull(p)) return false;
  if (CGame::screenCovered && !CGame::playersShown) return false;
  const int32_t anim = animationOf(p);
  const bool ruleA = !flag && (anim < 4 || anim > 7);
  if (ruleA) {
    if (!isNull(ball)) drawBall(ball->z, p->z);
    paintByStage(p);
  } else {
    paintByKids(p, anim);
  }
  drawServerTag(p);
  drawPlayerHead(p);
  return !ruleA;
}

void CTennis::drawPlayer(bool nearHalf) {
  if ((matchState == 2 && changeEnds) || (matchState == 11 && tutorialIndex == 0) || matchState == 7 ||
      matchState == 8 || (!nearHalf && tutorialIndex == kServeTutorial)) {
    return;
  }
  CPlayer* user = player;
  CPlayer* p = !isNull(user) && (user->half() == 1) == nearHalf ? user : rival.get();
  if (isNull(p)) return;
  if (!isDoubles) {
    drawSinglePlayer(p, true);
    return;
  }
  CPlayer* mate = getPalPlayer(p);
  CPlayer* first = isNull(mate) || p->z <= mate->z ? p : mate;
  CPlayer* second = first == p ? mate : p;
  const bool firstByRuleB = drawSinglePlayer(first, false);
  drawSinglePlayer(second, !firstByRuleB);
}

void CTennis::drawObjects() {
  SORV_FRAME("CTennis.drawObjects()V");
  CPlayer::paintSlipTrace();
  RigidBody::paintBallTrace();
  if (matchState == 5) drawSmashPoint();
  drawLinesMen();
  ballVisible = (matchState == 5 || matchState == 12 || (matchState == 11 && rallyStrokes >= 1)) && ballStillInPlay();
  if (ballVisible) {
    ball->paintShadow();
    if (deadBallReason == 0) ball->paintPointOfFall();
  }
  // The entry to the court draws its own players, and the court's front over them.
  if (matchState == 1) {
    drawPlayersEnterCourt(false);
  } else {
    drawPlayer(false);
  }
  drawBallPickerNearNet(true);
  if (!isNull(ball)) drawBall(ball->z, kNetZ);
  drawNet();
  drawNetMan();
  drawBallPickerNearNet(false);
  if (matchState == 1) {
    drawPlayersEnterCourt(true);
    drawEntryCover();
  } else {
    drawPlayer(true);
  }
  if (!isNull(ball)) drawBall(ball->z, kFarEndZ);
  // The practice strokes show where each stroke sent the tutorial's ball.
  if (getTutMiniStep() == kPracticeStep && !isNull(practiceBall)) practiceBall->paintOrbit();
}

}  // namespace sorv
