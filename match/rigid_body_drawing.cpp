// RigidBody's drawing layers: the body itself, its shadow and bounce mark, the point-of-fall
// marker, the predicted flight and the court's trace of old bounce marks. Every layer draws
// from the match's HUD sprite into the frame's Graphics and draws nothing without it.
#include "match/rigid_body.h"

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kBallFrame = 0, kShadowFrame = 1, kTraceFrame = 85;
constexpr int32_t kOrbitSkipX = 128, kOrbitSkipY = 23;
constexpr int32_t kPointSize = 3;

// The point-of-fall marker: one actor for every ball, made on first use.
StaticRef<CActor> fallMarker;

void resetFallMarker() { fallMarker = nullptr; }
SORV_STATIC_INIT(kRigidBody, resetFallMarker);

ASprite* hud() { return CTennis::hudSprite.get(); }

bool hasFrame(ASprite* s, int32_t frame) {
  return !isNull(s) && !isNull(s->frameFModuleCount) && frame >= 0 && frame < s->frameFModuleCount->length;
}

void paintHudFrame(int32_t frame, int32_t x, int32_t y) {
  ASprite* s = hud();
  if (hasFrame(s, frame)) s->PaintFrame(CGame::gfx, frame, x, y, 0, 0);
}

// The court point on screen, in the match's projection point.
IntArray* project(int32_t x, int32_t y, int32_t z) {
  IntArray* p = CTennis::projPoint;
  if (!isNull(p)) CTennis::project3D2Screen(p, x, y, z);
  return p;
}

bool marksCourt() { return (CTennis::currentCourt == 3 ? 2 : CTennis::currentCourt) == 0; }

}  // namespace

void RigidBody::paint() {
  if (!isNull(actor) && !isNull(screenPos)) actor->update(CGame::gfx, screenPos->elements()[0], screenPos->elements()[1]);
  if (type == kTypeBall && !isNull(screenPos)) paintHudFrame(kBallFrame, screenPos->elements()[0], screenPos->elements()[1]);
}

void RigidBody::paintShadow() {
  SORV_FRAME("RigidBody.paintShadow()V");
  IntArray* p = project(x, 0, z);
  if (isNull(p)) return;
  paintHudFrame(kShadowFrame, p->elements()[0], p->elements()[1]);
  if (markX == kNoPoint || isNull(markActor) || !marksCourt()) return;
  project(markX, 0, markZ);
  if (markActor->update(CGame::gfx, p->elements()[0], p->elements()[1]) == -1) {
    addBallTrace(p->elements()[0] + CTennis::viewX, p->elements()[1] + CTennis::viewY);
    markX = markZ = kNoPoint;
  }
}

void RigidBody::paintPointOfFall() {
  SORV_FRAME("RigidBody.paintPointOfFall()V");
  if (fallX == kNoPoint) return;
  IntArray* anims = pointOfFallFrames;
  const int32_t k = fallMarkKind > 1 ? fallMarkKind : 1;
  if (isNull(anims) || !anims->inBounds(k - 1)) return;
  const int32_t anim = anims->elements()[k - 1];
  if (isNull(fallMarker)) fallMarker = CActor::create(hud(), anim, 0);
  if (isNull(fallMarker)) return;
  if (fallMarker->animation != anim || fallMarker->sprite != hud()) fallMarker->setSprite(hud(), anim, 0);
  const bool onItsWay = (vz > 0 && z < fallZ && fallZ > kNetZ) || (vz < 0 && z > fallZ && fallZ < kNetZ);
  if (!onItsWay) {
    fallX = fallZ = kNoPoint;
    fallMarkKind = 0;
    return;
  }
  IntArray* p = project(fallX, 0, fallZ);
  if (!isNull(p)) fallMarker->update(p->elements()[0], p->elements()[1]);
}

void RigidBody::paintOrbit() {
  SORV_FRAME("RigidBody.paintOrbit()V");
  IntArray* path = recordBuffer;
  if (isNull(path)) return;
  const int32_t n = path->length / kPointSize;
  for (int32_t i = 0; i < n; i++) {
    const int32_t at = (vz < 0 ? n - 1 - i : i) * kPointSize;
    IntArray* p = project(path->elements()[at], path->elements()[at + 1], path->elements()[at + 2]);
    if (isNull(p)) return;
    if (p->elements()[0] == kOrbitSkipX && p->elements()[1] == kOrbitSkipY) continue;
    paintHudFrame(kBallFrame, p->elements()[0], p->elements()[1]);
  }
}

void RigidBody::paintBallTrace() {
  ObjectArray* trace = ballTrace;
  if (!marksCourt() || isNull(trace)) return;
  for (int32_t i = 0; i < trace->length; i++) {
    auto* point = static_cast<IntArray*>(trace->elements()[i]);
    if (isNull(point) || point->length < 2) continue;
    paintHudFrame(kTraceFrame, point->elements()[0] - CTennis::viewX, point->elements()[1] - CTennis::viewY);
  }
}

}  // namespace sorv
