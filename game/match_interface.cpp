// The match's head-up display: the serve-speed panel after each serve, the score panel at the
// start of each point, the score written onto the court's board in main-tournament matches,
// the help pages with their control hints.
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "match/rigid_body.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace sorv {

bool CGame::serveSpeedBarShown = false;
bool CGame::matchScoreShown = false;
int32_t CGame::serveSpeedBarStart = 0;
int32_t CGame::serveSpeedBarDuration = 0;
int32_t CGame::serveSpeedBarFade = -1;
int32_t CGame::matchScoreStart = 0;
int32_t CGame::matchScoreDuration = 42;
int32_t CGame::matchScoreFade = -1;

namespace {

constexpr int32_t kEnteringCourt = 1;
constexpr int32_t kFadeFrames = 20, kFadeStep = 5;
// Serve speeds: below this the measured speed is half again as much.
constexpr int32_t kSlowServe = 55556;
struct SpeedLimits {
  int32_t top, low, cap;
};
constexpr SpeedLimits kKmh{249, 240, 234}, kMph{154, 149, 145};
constexpr int32_t kMphUnit = 0;
// The unit's name: the options' speed-unit words of text pack 0 (mph, km/h), which stay
// loaded through a match; the menu words of text pack 2 are unloaded with the menus, so the
// panel read "null" after the number.
constexpr int32_t kSpeedUnitNames = 246;
constexpr int32_t kServeSpeedTitle = 95;
constexpr int32_t kJoiner = 76, kPageSlash = 77, kNoName = 29;

constexpr int32_t kScoreRows = 55, kScoreRow = 56;
constexpr int32_t kServeMarker = 1, kNameItem = 2, kSetCell = 3, kGamesItem = 4, kPointsCell = 5, kPointsItem = 6;
constexpr int32_t kMostOpaque = 60;  // the panel is at most 60 % opaque
constexpr int32_t kBoardItem = 19, kBoardFirst = 20, kBoardSecond = 21;
constexpr int32_t kScoreBoardMode = 2;

constexpr int32_t kTeamText = 23, kYouText = 21, kCpuText = 20, kAdvantageText = 62;
constexpr int32_t kControlsMenu = 31, kSkillsMenu = 30;
constexpr int32_t kHelpState = 8;
constexpr int32_t kPageTitleItem = 9, kPageCounterItem = 33, kFirstKeyItem = 20, kLastKeyItem = 28;
constexpr int32_t kFirstPageTitle = 43;
constexpr int32_t kHintLabel = 21;

ASprite* hintFont() { return CGame::GetAnimationIDByClass(3); }

int32_t lowX(int32_t packed) { return static_cast<int16_t>(packed & 0xFFFF); }
int32_t highY(int32_t packed) { return static_cast<int16_t>(packed >> 16); }

// The fade after a panel's time: 95, 90, ... 5 on the frames after it, then off.
void fade(bool& shown, int32_t start, int32_t duration, int32_t& fadeValue) {
  const int32_t end = start + duration;
  if (CTennis::matchFrame <= end) return;
  fadeValue = (end - CTennis::matchFrame + kFadeFrames) * kFadeStep;
  if (fadeValue < 1) shown = false;
}

String* pointName(int32_t points) {
  ObjectArray* names = CTennis::pointNames;
  if (isNull(names)) return nullptr;
  return static_cast<String*>(aload(names, points < 0 ? 0 : points > 3 ? 3 : points));
}

// The texts of the current game's points for teams 0 and 1; gameOverZero: a won game (one
// side at 4 or more, the other below 3) shows 0 on both.
void pointTexts(bool gameOverZero, String*& first, String*& second) {
  const int32_t p1 = CTennis::points(0), p2 = CTennis::points(1);
  if (CTennis::isTieBreak()) {
    first = String::valueOfInt(p1);
    second = String::valueOfInt(p2);
  } else if (gameOverZero && ((p1 >= 4 && p2 < 3) || (p2 >= 4 && p1 < 3))) {
    first = second = pointName(0);
  } else if (p1 < 4 && p2 < 4) {
    first = pointName(p1);
    second = pointName(p2);
  } else if (p1 == p2) {
    first = second = pointName(3);
  } else {
    String* advantage = CGame::GetString(1, kAdvantageText);
    first = p1 > p2 ? advantage : pointName(3);
    second = p1 > p2 ? pointName(3) : advantage;
  }
}

String* teamName(int32_t row) {
  StringBuffer* text = StringBuffer::create(32);
  StringBuffer::appendString(text, CGame::GetString(0, kTeamText));
  StringBuffer::appendString(text, StaticClass::getConstant(kJoiner));
  StringBuffer::appendString(text, CGame::GetString(0, row == 0 ? kYouText : kCpuText));
  return text->toString();
}

IntArray* gamesOf(int32_t team) {
  const int32_t sets = CTennis::setsInMatch < 0 ? 0 : CTennis::setsInMatch;
  IntArray* games = Array::newIntArray(sets);
  ObjectArray* all = CTennis::setGames;
  if (isNull(games) || isNull(all)) return games;
  for (int32_t s = 0; s < sets && s < all->length; s++) {
    astore(games, s, aload(static_cast<ByteArray*>(aload(all, s)), team));
  }
  return games;
}

}  // namespace

void CGame::update_InGameInterface() {
  SORV_FRAME("CGame.update_InGameInterface()V");
  if (CTennis::matchState != kEnteringCourt) updateServeSpeedBar();
  if (matchScoreShown) fade(matchScoreShown, matchScoreStart, matchScoreDuration, matchScoreFade);
}

void CGame::paint_InGameInterface() {
  SORV_FRAME("CGame.paint_InGameInterface()V");
  if (serveSpeedBarShown) {
    CPlayer* s = CTennis::server;
    paintServeSpeedBar(!isNull(s) && s->serveFromLeft && s->type == 0);
  }
  paintMatchScore();
  if (CTennis::scoreBoardChanged && isMainTournament()) paintScoreToCourtBgBoard();
}

void CGame::activeServeSpeedBar(int32_t frames) {
  SORV_FRAME("CGame.activeServeSpeedBar(I)V");
  serveSpeedBarStart = CTennis::matchFrame;
  serveSpeedBarShown = true;
  serveSpeedBarFade = -1;
  serveSpeedBarDuration = frames;
  RigidBody* ball = CTennis::ball;
  const int32_t measured = isNull(ball) ? 0 : RigidBody::vectorToScalar(ball->vx, ball->vy, ball->vz, 12);
  CPlayer* server = CTennis::server;
  const bool topBand = !isNull(server) && server == CTennis::player.get() && CTennis::serveFlag &&
                       server->powerServe && server->powerServeHit;
  const int32_t v = serveSpeedShown(measured, aload(optionValues.get(), 1) == kMphUnit,
                                    aload(matchSettings.get(), 0), topBand);
  serveSpeedTarget = v;
  animatedNumberValue = 0;
  animatedNumberActive = true;
  animatedNumberPhase = 1;
  IntArray* digits = animatedNumberDigits;
  if (!isNull(digits)) {
    for (int32_t i = 0; i < digits->length; i++) astore(digits, i, 0);
  }
}

int32_t CGame::serveSpeedShown(int32_t measured, bool mph, int32_t category, bool topBand) {
  const int32_t s = measured < kSlowServe ? measured * 3 / 2 : measured;
  int32_t v = s * 36 / 10000;
  if (mph) v = v * 1000 / 1609;
  const SpeedLimits limits = mph ? kMph : kKmh;
  if (topBand) {
    v = limits.low + RAND(0, limits.top - limits.low);
  } else if (v > limits.cap) {
    v = limits.cap;
  }
  if (category == 2 || category == 3) v = static_cast<int32_t>(int64_t{v} * 2100000 / 2340000);
  return v;
}

void CGame::updateServeSpeedBar() {
  if (!serveSpeedBarShown) return;
  if (animatedNumberActive) updateAnimatedNumber();
  fade(serveSpeedBarShown, serveSpeedBarStart, serveSpeedBarDuration, serveSpeedBarFade);
}

void CGame::paintServeSpeedBar(bool right) {
  SORV_FRAME("CGame.paintServeSpeedBar(Z)V");
  ASprite* hud = interfaceSprite;
  ASprite* font = hintFont();
  if (isNull(hud) || isNull(font)) return;
  const int32_t w = hud->GetFrameWidth(2), h = hud->GetFrameHeight(2);
  const int32_t d = hud->GetFrameHeight(3) - h;
  const int32_t top = 140 - d - h, left = right ? 795 - w : 5;
  hud->PaintFrame(gfx, 2, left, top, 0, 0);
  hud->PaintFrame(gfx, 3, left, top, 0, 0);
  font->DrawString(gfx, GetString(0, kServeSpeedTitle), left + w / 2, top + h / 2, 272);
  font->DrawString(gfx, serveSpeedText(), left + w / 2, 140 - d + d / 2, 273);
}

String* CGame::serveSpeedText() {
  StringBuffer* value = StringBuffer::create(16);
  StringBuffer::appendInt(value, animatedNumberValue);
  StringBuffer::appendString(value, StaticClass::getConstant(kJoiner));
  const int32_t unit = aload(optionValues.get(), 1) == kMphUnit ? 0 : 1;
  StringBuffer::appendString(value, GetString(0, kSpeedUnitNames + unit));
  return value->toString();
}

void CGame::paintMatchScore() {
  SORV_FRAME("CGame.paintMatchScore()V");
  if (!matchScoreShown || CTennis::matchState == kEnteringCourt || CTennis::tutorialIndex != -1) return;
  String* name1;
  String* name2;
  if (CTennis::isDoubles) {
    name1 = teamName(0);
    name2 = teamName(1);
  } else {
    CPlayer* p = CTennis::player;
    CPlayer* r = CTennis::rival;
    name1 = isNull(p) ? nullptr : p->getPlayerName();
    name2 = isNull(r) ? nullptr : r->getPlayerName();
  }
  String* points1 = nullptr;
  String* points2 = nullptr;
  pointTexts(false, points1, points2);
  CPlayer* s = CTennis::server;
  const bool userServes = !isNull(s) && s->userTeamSide;
  drawMatchScoreItem(name1, gamesOf(0), points1, userServes, kScoreRows, 0);
  drawMatchScoreItem(name2, gamesOf(1), points2, !userServes, kScoreRows, 1);
  MatchTrace::scorePanelDrawn();
}

void CGame::drawMatchScoreItem(String* name, IntArray* games, String* points, bool serving, int32_t menu,
                               int32_t item) {
  SORV_FRAME("CGame.drawMatchScoreItem(Ljava/lang/String;[ILjava/lang/String;ZII)V");
  const int32_t position = GetMenuItemPosition(menu, item);
  const int32_t rowX = lowX(position), rowY = highY(position);
  setMenuPaintPosition(rowX, rowY);
  int32_t f = matchScoreFade == -1 ? 100 : matchScoreFade;
  f = f < 0 ? 0 : f > 100 ? 100 : f;
  setMenuPaintAlpha(f * kMostOpaque / 100);
  DrawMenu(kScoreRow, false);
  if (serving) DrawMenuItem(kScoreRow, kServeMarker);
  DrawStringAsItem(isNull(name) ? StaticClass::getConstant(kNoName) : name, kScoreRow, kNameItem, false);
  const int32_t cellX = lowX(GetMenuItemPosition(kScoreRow, kSetCell));
  const int32_t cellW = lowX(GetMenuItemSize(kScoreRow, kSetCell));
  int32_t x = cellX;
  const int32_t sets = isNull(games) ? 0 : games->length;
  // A cell is drawn at x by shifting the paint position from the item's own x.
  for (int32_t s = 0; s < sets; s++) {
    setMenuPaintPosition(rowX + x - cellX, rowY);
    DrawRectAsItem(100, kScoreRow, kSetCell);
    setMenuPaintPosition(rowX, rowY);
    DrawStringAsItem(String::valueOfInt(aload(games, s)), kScoreRow, kGamesItem, x + cellW / 2, -1, -1, false);
    x += cellW + 1;
  }
  const int32_t pointsX = lowX(GetMenuItemPosition(kScoreRow, kPointsCell));
  const int32_t pointsW = lowX(GetMenuItemSize(kScoreRow, kPointsCell));
  setMenuPaintPosition(rowX + x + 1 - pointsX, rowY);
  DrawRectAsItem(100, kScoreRow, kPointsCell);
  setMenuPaintPosition(rowX, rowY);
  DrawStringAsItem(points, kScoreRow, kPointsItem, x + 1 + pointsW / 2, -1, -1, false);
  menuPaintAlpha = -1;
  resetMenuPaintPosition();
}

void CGame::paintScoreToCourtBgBoard() {
  SORV_FRAME("CGame.paintScoreToCourtBgBoard()V");
  // The board carries a score only on court type 2's layouts.
  if (CTennis::currentCourt != kScoreBoardMode || isNull(CTennis::courtGraphics)) return;
  String* first = nullptr;
  String* second = nullptr;
  pointTexts(true, first, second);
  Graphics* previous = GetMenuGfx();
  SetMenuGfx(CTennis::courtGraphics);
  const int32_t layout = CTennis::courtLayoutMenu;
  DrawMenuItem(layout, kBoardItem);
  DrawStringAsItem(first, layout, kBoardFirst, false);
  DrawStringAsItem(second, layout, kBoardSecond, false);
  SetMenuGfx(previous);
}

void CGame::drawControlHint(int32_t, int32_t kind) {
  SORV_FRAME("CGame.drawControlHint(II)V");
  struct Hint {
    int32_t icon, xShift, circle;
  };
  static constexpr Hint kHints[3] = {{18, 0, -1}, {24, 0, 19}, {29, 1, 30}};
  if (kind < 0 || kind > 2) return;
  const Hint hint = kHints[kind];
  const int32_t icon = GetMenuItemPosition(kControlsMenu, hint.icon);
  drawControlsIcon(lowX(icon) + hint.xShift, highY(icon), kind, -1, 0, 0, 0, kind != 0, false);
  if (hint.circle < 0 || isNull(gfx)) return;
  const int32_t circle = GetMenuItemPosition(kControlsMenu, hint.circle);
  const int32_t cx = lowX(circle), cy = highY(circle);
  gfx->fillArc(cx - 18, cy - 16, 36, 36, 0, 360);
  ASprite* font = hintFont();
  if (!isNull(font)) font->DrawString(gfx, GetString(0, kHintLabel), cx + 1, cy + 1, 272);
}

namespace {

// Both help pages: the frozen picture behind, the frame, and in the help state the page's
// own frame items.
void drawHelpBackground(int32_t menu) {
  if (!isNull(CGame::screenBuffer) && !isNull(CGame::gfx)) CGame::gfx->drawImage(CGame::screenBuffer, 0, 0, 0);
  CGame::drawBk(nullptr, -1, -1, nullptr);
  if (CGame::GET_CURRENT_STATE() == kHelpState) {
    CGame::DrawMenuItem(menu, 1);
    CGame::DrawMenuItem(menu, 2);
  }
  CGame::DrawMenu(menu, true);
}

}  // namespace

void CGame::drawControlsHelp() {
  SORV_FRAME("CGame.drawControlsHelp()V");
  drawHelpBackground(kControlsMenu);
  DrawStringAsItem(GetString(0, kFirstPageTitle + helpPage), kControlsMenu, kPageTitleItem, false);
  drawControlHint(110, helpPage >= 2 ? helpPage - 1 : helpPage);
  if (helpPage == 1 || helpPage == 2) {
    for (int32_t item = kFirstKeyItem; item <= kLastKeyItem; item++) DrawMenuItem(kControlsMenu, item);
  }
  StringBuffer* counter = StringBuffer::create(8);
  StringBuffer::appendInt(counter, helpPage + 1);
  StringBuffer::appendString(counter, StaticClass::getConstant(kPageSlash));
  StringBuffer::appendInt(counter, helpPageCount);
  DrawStringAsItem(counter->toString(), kControlsMenu, kPageCounterItem, false);
}

void CGame::drawSkillsHelp() {
  SORV_FRAME("CGame.drawSkillsHelp()V");
  drawHelpBackground(kSkillsMenu);
}

namespace {

void resetInterface() {
  CGame::serveSpeedBarShown = CGame::matchScoreShown = false;
  CGame::serveSpeedBarStart = CGame::serveSpeedBarDuration = 0;
  CGame::serveSpeedBarFade = CGame::matchScoreFade = -1;
  CGame::matchScoreStart = 0;
  CGame::matchScoreDuration = 42;
  CGame::helpPage = 0;
  CGame::helpPageCount = 4;
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetInterface);

}  // namespace sorv
