// The career's week: closing it and the weekly update (state 26). Closing takes the
// tournament's points as the pending change, advances the week and saves the career at once;
// the update then counts the change into the ranking points and walks the shown attributes
// and mental up to their new values. Record 3 stores the points with the change already in,
// so the saved total stays the same at every frame of the count.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "device/sound_glue.h"
#include "game/cgame.h"
#include "menus/career_text.h"
#include "menus/menu_paint.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CGame::careerRankingChange = 0;
int32_t CGame::careerRankingChangeTotal = 0;
bool CGame::careerUpdateFromMatch = false;
StaticRef<ObjectArray> CGame::attrNames;

namespace {

constexpr int32_t kUpdateState = 26, kLobbyState = 23;
constexpr int32_t kCareerMatchRecord = 5;  // emptied with the career's tournament
constexpr int32_t kOkKeys = 0x50020;
// The change is counted in over about this many frames.
constexpr int32_t kCountFrames = 14;
constexpr int32_t kShownStep = 3;  // attribute and mental points a frame
constexpr int32_t kAttributes = 5, kTopThreshold = 4;
constexpr int32_t kFullScale = 100, kValuesPerBar = 20;
constexpr int32_t kLowestPoints = 20, kHighestPoints = 2010;

constexpr int32_t kUpdateMenu = 49, kRowMenu = 50;
constexpr int32_t kNameItem = 16, kTopRowItem = 13, kAttrRowItem = 6, kBandItem = 4;
constexpr int32_t kChangeText = 99, kRankText = 100, kMentalText = 84, kFirstAttrText = 79;
constexpr int32_t kNoLabel = -1, kOkLabel = 11;
constexpr int32_t kConstPlus = 98;
constexpr int32_t kTextRow = 1, kAnimationRow = 0;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

// The points field may only ever hold 20..2010; the change takes what is left of the gain
// (or loss) inside that range.
void holdChangeInRange() {
  int32_t& points = CGame::careerRankingPoints;
  points = std::min(points, kHighestPoints);
  const int64_t total = static_cast<int64_t>(points) + CGame::careerRankingChange;
  const int64_t held = std::clamp<int64_t>(total, kLowestPoints, kHighestPoints);
  CGame::careerRankingChange = static_cast<int32_t>(held - points);
}

// T4, the most an attribute holds; -1 when the thresholds are missing (nothing is capped).
int32_t topPoints() {
  ShortArray* t = CGame::attrThresholds;
  return isNull(t) || !t->inBounds(kTopThreshold) ? -1 : t->elements()[kTopThreshold];
}

int32_t towards(int32_t shown, int32_t goal) {
  if (std::abs(goal - shown) <= kShownStep) return goal;
  return shown + (goal > shown ? kShownStep : -kShownStep);
}

void countChange() {
  int32_t& change = CGame::careerRankingChange;
  const int32_t total = CGame::careerRankingChangeTotal;
  int32_t step = total / kCountFrames;
  if (step == 0) step = total < 0 ? -1 : 1;
  const bool more = total > 0 ? change - step > 0 : change - step < 0;
  if (more) {
    change -= step;
    CGame::careerRankingPoints += step;
  } else {
    CGame::careerRankingPoints += change;
    change = 0;
  }
}

void moveShown() {
  IntArray* points = CGame::careerAttrPts;
  IntArray* shown = CGame::careerAttrPtsPrev;
  if (!isNull(points) && !isNull(shown)) {
    for (int32_t i = 0; i < std::min(points->length, shown->length); i++) {
      shown->elements()[i] = towards(shown->elements()[i], points->elements()[i]);
    }
  }
  CGame::careerMentalPrev = towards(CGame::careerMentalPrev, CGame::careerMental);
}

bool everythingArrived() {
  if (CGame::careerRankingChange != 0 || CGame::careerMentalPrev != CGame::careerMental) return false;
  IntArray* points = CGame::careerAttrPts;
  IntArray* shown = CGame::careerAttrPtsPrev;
  if (isNull(points) || isNull(shown)) return true;
  for (int32_t i = 0; i < std::min(points->length, shown->length); i++) {
    if (shown->elements()[i] != points->elements()[i]) return false;
  }
  return true;
}

String* generalText(int32_t id) { return CGame::GetString(kTextGeneral, id); }

// The points still to count in, a gain with its sign ("+35"): the row's label names them as
// points to add, so a week that brought none reads 0 to add.
String* changeText(int32_t change) {
  if (change <= 0) return String::valueOfInt(change);
  StringBuffer* sb = StringBuffer::create(12);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstPlus));
  StringBuffer::appendInt(sb, change);
  return sb->toString();
}

// How far the points are through their rank, as a frame of the band's animation; -1 when
// there is no band to show: at the top rank (no points above it) or with fewer than two
// frames, whose last frame would be frame -1.
int32_t bandFrame(int32_t points) {
  const int32_t rank = CGame::mapPts2Rank(points);
  const int32_t low = CGame::mapRank2Pts(rank), high = CGame::mapRank2Pts(std::max(rank - 1, 1));
  ASprite* sprite = CGame::MenuGetItemSprite(kRowMenu, kBandItem);
  const int32_t anim = CGame::GetMenuItemActionID(kRowMenu, kBandItem);
  const int32_t frames = menu_paint::hasAnimation(sprite, anim) ? sprite->GetAFrames(anim) : 0;
  if (high == low || frames < 2) return -1;
  return std::clamp((points - low) * (frames - 1) / (high - low), 0, frames - 1);
}

void paintTopRows() {
  const int32_t at = CGame::GetMenuItemPosition(kUpdateMenu, kTopRowItem);
  const int32_t next = CGame::GetMenuItemPosition(kUpdateMenu, kTopRowItem + 1);
  const int32_t x = xOf(at), y = yOf(at), dx = xOf(next) - x, dy = yOf(next) - y;
  const int32_t points = CGame::careerRankingPoints;
  CGame::drawCareerPlayerAbiItem(generalText(kChangeText), changeText(CGame::careerRankingChange), kTextRow,
                                 0, 0, x, y, false);
  const int32_t frame = bandFrame(points);
  if (frame >= 0) CGame::drawCareerPlayerAbiItem(nullptr, nullptr, kAnimationRow, 0, frame, x + dx, y + dy, false);
  CGame::drawCareerPlayerAbiItem(generalText(kRankText), careerRankText(points), kTextRow, 0, 0, x + 2 * dx, y + 2 * dy,
                                 false);
}

void paintValueRow(String* name, int32_t value, int32_t x, int32_t y) {
  const int32_t level = (value - 1) / kValuesPerBar;
  CGame::drawCareerPlayerAbiItem(careerSpacedText(name, String::valueOfInt(value)), nullptr, kTextRow, level, value, x, y, false);
}

void paintAttributeRows() {
  const int32_t at = CGame::GetMenuItemPosition(kUpdateMenu, kAttrRowItem);
  const int32_t next = CGame::GetMenuItemPosition(kUpdateMenu, kAttrRowItem + 1);
  const int32_t x = xOf(at), y = yOf(at), dx = xOf(next) - x, dy = yOf(next) - y;
  IntArray* shown = CGame::careerAttrPtsPrev;
  ObjectArray* names = CGame::attrNames;
  for (int32_t i = 0; i < kAttributes; i++) {
    const int32_t points = !isNull(shown) && shown->inBounds(i) ? shown->elements()[i] : 0;
    String* name = !isNull(names) && names->inBounds(i) ? static_cast<String*>(names->elements()[i]) : nullptr;
    paintValueRow(name, CGame::mapAttrPtTo100(points), x + i * dx, y + i * dy);
  }
  paintValueRow(generalText(kMentalText), CGame::careerMentalPrev, x + kAttributes * dx, y + kAttributes * dy);
}

void initCareerWeek() {
  CGame::careerRankingChange = CGame::careerRankingChangeTotal = 0;
  CGame::careerUpdateFromMatch = false;
}

}  // namespace

SORV_STATIC_INIT(kCGame, initCareerWeek);

void CGame::switch2CareerUpdate(bool fromMatch) { switch2CareerUpdate(fromMatch, false); }

void CGame::switch2CareerUpdate(bool fromMatch, bool) {
  SORV_FRAME("CGame.switch2CareerUpdate(ZZ)V");
  careerUpdateFromMatch = fromMatch;
  // A week of training or at home earns no points.
  careerRankingChange = careerTargetLocation() < kFirstTrainingLocation ? getPointsForCurrentTournament() : 0;
  holdChangeInRange();
  careerStamina = static_cast<int8_t>(std::clamp<int32_t>(careerStamina, 0, kFullScale));
  nextWeek();
  if (!fromMatch) GameSound::stopAll();
  SWITCH_STATE(kUpdateState);
  resetRMS(kCareerTournamentRecord);
  resetRMS(kCareerMatchRecord);
  // Saved now, not when the lobby comes: a week closed only in memory would lose the
  // tournament's points and the week while the tournament stays marked played.
  RMS(true, kCareerRecord);
}

void CGame::initCareerUpdate() {
  SORV_FRAME("CGame.initCareerUpdate()V");
  holdChangeInRange();
  careerRankingChangeTotal = careerRankingChange;
  const int32_t top = topPoints();
  IntArray* points = careerAttrPts;
  for (int32_t i = 0; top >= 0 && !isNull(points) && i < points->length; i++) {
    points->elements()[i] = std::min(points->elements()[i], top);
  }
  careerMental = std::min(careerMental, kFullScale);
  attrNames = GetString(kTextGeneral, kFirstAttrText, kFirstAttrText + kAttributes - 1);
  // The screen buffer still holds the match's last picture; the update and then the lobby
  // draw over the menus' background instead.
  updateScreenBufferWithStdSplash();
}

void CGame::updateCareerUpdate() {
  SORV_FRAME("CGame.updateCareerUpdate()V");
  if (careerRankingChange != 0) {
    countChange();
  } else if (everythingArrived() && (keysPressed & kOkKeys) != 0) {
    // After a match or a training game the menus' resources come back with the loading screen.
    if (careerUpdateFromMatch) {
      initLoad(kLobbyState);
    } else {
      SWITCH_STATE(kLobbyState);
    }
  }
  moveShown();
}

void CGame::paintCareerUpdate() {
  SORV_FRAME("CGame.paintCareerUpdate()V");
  drawInterfaceBk(nullptr, kNoLabel, kNoLabel);
  DrawMenu(kUpdateMenu, false);
  DrawStringAsItem(careerName, kUpdateMenu, kNameItem, false);
  paintTopRows();
  paintAttributeRows();
  drawMenuBar(kNoLabel, everythingArrived() ? kOkLabel : kNoLabel, true);
}

}  // namespace sorv
