// The match's camera: the court's perspective projection, its scaling into the background's
// logical pixels, the viewport and its following of the ball and the user's player.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/static_class.h"
#include "sprites/cactor.h"
#include "tools/data/court_geometry.h"

namespace sorv {

int32_t CTennis::cameraDistance = 0;
int32_t CTennis::cameraAngle = 0;
int32_t CTennis::cameraFocal = 0;
int64_t CTennis::cameraSin = 0;
int64_t CTennis::cameraCos = 0;
StaticRef<IntArray> CTennis::projPoint;
StaticRef<IntArray> CTennis::followPoint;
StaticRef<IntArray> CTennis::ballScreen;
StaticRef<IntArray> CTennis::ballScreenPrev;
int32_t CTennis::refLeftX = 0;
int32_t CTennis::refLeftY = 0;
int32_t CTennis::refRightX = 0;
int32_t CTennis::viewBaseX = 0;
int32_t CTennis::viewBaseY = 0;
int32_t CTennis::viewX = 0;
int32_t CTennis::viewY = 0;
int32_t CTennis::scrollX = 0;
int32_t CTennis::scrollY = 0;
bool CTennis::autoFollow = false;
int32_t CTennis::followTargetX = 0;
int32_t CTennis::playerTargetX = 0;
int32_t CTennis::followDirection = 0;
int32_t CTennis::courtLossX = 0;
int32_t CTennis::courtLossY = 0;
int32_t CTennis::courtLossZ = 0;
StaticRef<RigidBody> CTennis::ball;
StaticRef<CPlayer> CTennis::player;
StaticRef<CPlayer> CTennis::rival;
StaticRef<ObjectArray> CTennis::objectList;
StaticRef<ASprite> CTennis::hudSprite;
StaticRef<CActor> CTennis::sharedActor;

namespace {

using court::kDoublesLeftX, court::kDoublesRightX, court::kNearBaselineZ;
using court::kLogicalLeft, court::kLogicalBaseline, court::kLogicalWidth;
constexpr int32_t kCentreX = court::kProjectionCentreX;
constexpr int32_t kScrollWidth = 40;   // 840-pixel background on an 800-pixel screen
constexpr int32_t kScrollHeight = 52;  // fixViewport's negative y counts from here
constexpr int32_t kScreenWidth = 800, kBackgroundWidth = court::kCourtImageWidth;
constexpr int32_t kViewTop = -court::kCourtImageTop, kViewBottom = 20, kViewHeight = 512;
constexpr int32_t kBackgroundHeight = court::kCourtImageHeight;
constexpr int32_t kFollowStep = 5;
constexpr int32_t kPlayerLeftEdge = 353, kPlayerRightEdge = 563;
constexpr int32_t kTurnSpeed = 1000;  // slower balls do not move the camera across
constexpr int32_t kBitMask23 = 0x800000;
constexpr int32_t kTrainingState = 44;
constexpr int32_t kObjectSlots = 12;
constexpr int32_t kPlayerSprites = 6;

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The camera part of CTennis.<clinit>: the scratch points.
void cameraStatics() {
  CTennis::projPoint = Array::newIntArray(2);
  CTennis::followPoint = Array::newIntArray(2);
  CTennis::ballScreen = Array::newIntArray(2);
  CTennis::ballScreenPrev = Array::newIntArray(2);
}

}  // namespace

SORV_STATIC_INIT(kCTennis, cameraStatics);

void CTennis::initCamera(int32_t angle, int32_t distance, int32_t focal) {
  cameraAngle = angle;
  cameraDistance = distance;
  cameraFocal = focal;
  // The angle in radians times 128, then the first terms of the sine and cosine series.
  const int32_t r = angle * 804 / 3600;
  cameraSin = r - r * r * r / 98304;
  cameraCos = 128 - r * r / 256;
}

void CTennis::project3DTo2D(IntArray* out, int32_t px, int32_t py, int32_t pz) {
  const int32_t depth =
      static_cast<int32_t>(cameraDistance + ((-(py * cameraSin) - pz * cameraCos + 64) >> 7));
  // A point in the camera's own plane has no picture: the point keeps its old place.
  if (depth == 0) return;
  astore(out, 0, static_cast<int32_t>(ldiv((int64_t{px} - kCentreX) * cameraFocal, depth)));
  const int32_t scaled =
      static_cast<int32_t>(((pz * cameraSin - py * cameraCos) * cameraFocal + 64) >> 7);
  astore(out, 1, idiv(scaled, depth));
}

void CTennis::project2D2Logical(IntArray* p) {
  const int32_t w = refRightX - refLeftX;
  // Before the camera is set the scale is unknown: the point stays as projected.
  if (w == 0) return;
  astore(p, 0, idiv((aload(p, 0) - refLeftX) * kLogicalWidth, w) + kLogicalLeft);
  astore(p, 1, idiv((aload(p, 1) - refLeftY) * kLogicalWidth, w) + kLogicalBaseline);
}

void CTennis::logical2Screen(IntArray* p) {
  astore(p, 0, aload(p, 0) - viewX);
  astore(p, 1, aload(p, 1) - viewY);
}

void CTennis::project3D2Screen(IntArray* out, int32_t px, int32_t py, int32_t pz) {
  project3DTo2D(out, px, py, pz);
  project2D2Logical(out);
  logical2Screen(out);
}

void CTennis::initViewport() {
  SORV_FRAME("CTennis.initViewport()V");
  viewBaseX = 30;
  viewBaseY = 0;
  followTargetX = playerTargetX = 30;
  IntArray* p = projPoint.get();
  project3DTo2D(p, kDoublesLeftX, 0, kNearBaselineZ);
  refLeftX = aload(p, 0);
  refLeftY = aload(p, 1);
  project3DTo2D(p, kDoublesRightX, 0, kNearBaselineZ);
  refRightX = aload(p, 0);
}

void CTennis::resetViewport() {
  scrollX = scrollY = 0;
  viewX = viewBaseX;
  viewY = viewBaseY;
  followTargetX = playerTargetX = viewBaseX;
  autoFollow = true;
}

void CTennis::a_constructor() {
  SORV_FRAME("CTennis.a_constructor()V");
  courtLossX = courtLossY = courtLossZ = 0;
  autoFollow = true;
  initCamera(court::kCameraAngle, court::kCameraDistance, court::kCameraFocal);
  initViewport();
  resetViewport();
}

void CTennis::fixViewport(int32_t vx, int32_t vy) {
  viewX = vx < 0 ? vx + kScrollWidth : vx;
  viewY = vy < 0 ? vy + kScrollHeight : vy;
  scrollX = scrollY = 0;
  autoFollow = false;
}

void CTennis::updateViewport() {
  SORV_FRAME("CTennis.updateViewport()V");
  if (scrollX != 0) {
    viewX += scrollX;
    if (viewX + kScreenWidth >= kBackgroundWidth) {
      viewX = kScrollWidth;
    } else if (viewX < 0) {
      viewX = 0;
    }
  }
  if (scrollY != 0) {
    viewY += scrollY;
    if (viewY + kViewHeight >= kBackgroundHeight) viewY = kViewBottom;
    if (viewY - kViewTop < 0 && scrollY <= 0) viewY = kViewTop;
  }
  if (autoFollow) autoUpdateVP();
}

void CTennis::autoUpdateVP() {
  SORV_FRAME("CTennis.autoUpdateVP()V");
  scrollY = 0;
  scrollX = 0;
  a_followPlayer(player.get());
  const int32_t before = followTargetX;
  RigidBody* b = ball.get();
  if (CGame::GET_CURRENT_STATE() != kTrainingState && !isNull(b) &&
      (b->vx != 0 || b->vy != 0 || b->vz != 0)) {
    a_followBall();
  }
  int32_t t = followTargetX;
  if (t == before && t > 0 && t < kScrollWidth) t = playerTargetX;
  if (t - viewX >= kFollowStep || viewX - t >= kFollowStep) {
    viewX += kFollowStep * sign(t - viewX);
  } else {
    viewX = t;
  }
  if (viewX + kScreenWidth >= kBackgroundWidth) viewX = t < kScrollWidth ? t : kScrollWidth;
  if (viewX < 0) viewX = t > 0 ? t : 0;
}

void CTennis::a_followPlayer(CPlayer* p) {
  SORV_FRAME("CTennis.a_followPlayer(LCPlayer;)V");
  if (isNull(p)) {
    reportError("NullPointer");
    return;
  }
  IntArray* point = followPoint.get();
  project3DTo2D(point, p->x, p->y, p->z);
  project2D2Logical(point);
  const int32_t lx = aload(point, 0);
  if (lx < kPlayerLeftEdge) {
    playerTargetX = viewBaseX + (lx - (kPlayerLeftEdge - 1));
  } else if (lx >= kPlayerRightEdge) {
    playerTargetX = viewBaseX + (lx - kPlayerRightEdge);
  } else {
    playerTargetX = viewBaseX;
  }
  followDirection = sign(p->vx);
  if (p == player.get() && scrollY == 0) scrollY = sign(p->vz);
}

void CTennis::a_followBall() {
  SORV_FRAME("CTennis.a_followBall()V");
  RigidBody* b = ball.get();
  if (isNull(b)) {
    reportError("NullPointer");
    return;
  }
  IntArray* now = ballScreen.get();
  IntArray* before = ballScreenPrev.get();
  astore(before, 0, aload(now, 0));
  astore(before, 1, aload(now, 1));
  project3D2Screen(now, b->x, b->y, b->z);
  const int32_t vx = b->vx;
  if (CGame::p_find(objectList.get(), b, 0) >= 0 && (vx >= kTurnSpeed || vx <= -kTurnSpeed)) {
    const int32_t was = aload(before, 0), is = aload(now, 0);
    if (((followDirection ^ vx) & kBitMask23) != 0) {
      followTargetX = viewBaseX;  // the ball turned
      followDirection = sign(vx);
    } else if (vx < 0) {
      if (was >= 20 && is < 21) followTargetX = 0;
    } else if (was < kScreenWidth - 19 && is >= kScreenWidth - 20) {
      followTargetX = kScrollWidth;
    }
  }
  CPlayer* user = player.get();
  if (isNull(user)) {
    reportError("NullPointer");
    return;
  }
  if (user->z < b->z && b->vz > 0) scrollY = 1;
  CPlayer* other = rival.get();
  if (!isNull(other) && other->z > b->z && b->vz < 0) scrollY = -1;
}

void CTennis::updateAllScreen() {
  SORV_FRAME("CTennis.updateAllScreen()V");
  ObjectArray* list = objectList.get();
  if (isNull(list)) {
    reportError("NullPointer");
    return;
  }
  for (int32_t i = 0; i < list->length; i++) {
    RigidBody* body = static_cast<RigidBody*>(aload(list, i));
    if (!isNull(body)) body->updateScreen();
  }
}

CPlayer* CTennis::focusPlayer() { return player.get(); }

void CTennis::a_init() {
  SORV_FRAME("CTennis.a_init()V");
  sharedActor = newObject<CActor>();
  mainTournament = CGame::isMainTournament();
  CGame::actionSprites0 = Array::newObjectArray(kASprite, kPlayerSprites);
  objectList = Array::newObjectArray(kRigidBody, kObjectSlots);
}

}  // namespace sorv
