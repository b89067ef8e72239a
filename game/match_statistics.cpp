// The match statistics: seven rows comparing the two teams, rebuilt from the match's
// counters each time they are shown, beside the in-game menu and on the match-over page.
#include <cstdint>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ObjectArray> CGame::matchStatistics;

namespace {

// Rows of the match's counter table.
constexpr int32_t kFirstServes = 0, kFirstServesIn = 1, kFirstServeAces = 2, kSecondServeAces = 6;
constexpr int32_t kDoubleFaults = 8, kNetPoints = 10, kErrors = 11;
// Texts of text pack 0 that name the doubles teams.
constexpr int32_t kTeamText = 23, kUserText = 21, kComputerText = 20;
// Menu 27 (the in-game menu), 58 (the match-over page) and 28 (one row).
constexpr int32_t kMenuLayout = 27, kNameItem = 17, kTotalItem = 19, kRowStepItem = 9, kFirstRowItem = 10;
constexpr int32_t kOverLayout = 58, kOverNameItem = 10, kOverTotalItem = 12, kOverFirstRow = 14, kOverRowStep = 15;
constexpr int32_t kRowLayout = 28, kRowLabelItem = 1, kRowValueItem = 2;

int32_t xOf(int32_t at) { return static_cast<int16_t>(at); }
int32_t yOf(int32_t at) { return at >> 16; }

int32_t counter(int32_t row, int32_t team) {
  ObjectArray* table = CTennis::matchStats;
  if (isNull(table) || row >= table->length) return 0;
  IntArray* counts = static_cast<IntArray*>(table->elements()[row]);
  return isNull(counts) || team >= counts->length ? 0 : counts->elements()[team];
}

int32_t rowValue(int32_t row, int32_t team) {
  const bool opponents = team == 1;
  switch (row) {
    case 0: return CTennis::getTotalGamePoints(opponents);
    case 1: {
      const int32_t served = counter(kFirstServes, team);
      // Java's int product: a damaged counter wraps rather than trapping.
      const int32_t in = static_cast<int32_t>(static_cast<uint32_t>(counter(kFirstServesIn, team)) * 100u);
      return served == 0 ? 0 : idiv(in, served);
    }
    case 2: return counter(kFirstServeAces, team) + counter(kSecondServeAces, team);
    case 3: return counter(kDoubleFaults, team);
    case 4: return CTennis::getTotalSetPoints(opponents);
    case 5: return counter(kErrors, team);
    default: return counter(kNetPoints, team);
  }
}

String* doublesName(int32_t member) {
  StringBuffer* name = StringBuffer::create(16);
  StringBuffer::appendString(name, CGame::GetString(0, kTeamText));
  StringBuffer::appendString(name, StaticClass::getConstant(kConstOrdinalJoiner));
  StringBuffer::appendString(name, CGame::GetString(0, member));
  return name->toString();
}

String* playerName(CPlayer* p) {
  if (isNull(p)) return StaticClass::getConstant(kConstEmpty);
  return CGame::gePlayerName(p->rosterIndex, p->attrValue1, p->attrValue2);
}

String* shown(int32_t value) {
  if (value < 0) return StaticClass::getConstant(kConstNegativeStatistic);
  return CGame::FormatMathStringLocalize(value);
}

IntArray* statisticRow(int32_t row) {
  ObjectArray* rows = CGame::matchStatistics;
  return isNull(rows) || row >= rows->length ? nullptr : static_cast<IntArray*>(rows->elements()[row]);
}

ObjectArray* labelRow(int32_t row) {
  ObjectArray* rows = CGame::statLabels;
  return isNull(rows) || row >= rows->length ? nullptr : static_cast<ObjectArray*>(rows->elements()[row]);
}

String* name(int32_t team) {
  ObjectArray* names = labelRow(0);
  return isNull(names) || team >= names->length ? nullptr : static_cast<String*>(names->elements()[team]);
}

String* total(int32_t team, bool prefixed) {
  String* value = CGame::FormatMathStringLocalize(aload(statisticRow(0), team));
  if (!prefixed) return value;
  StringBuffer* text = StringBuffer::create(8);
  StringBuffer::appendString(text, StaticClass::getConstant(kConstEmpty));
  StringBuffer::appendString(text, value);
  return text->toString();
}

// Rows 1 to 6 from (x, y) stepping dy.
void drawRows(int32_t x, int32_t y, int32_t dy) {
  for (int32_t row = 1; row < CGame::kStatisticRows; row++, y += dy) {
    CGame::igm_drawMatchStatisticItem(labelRow(row), statisticRow(row), x, y);
  }
}

}  // namespace

void CGame::initMatchStatistic() {
  SORV_FRAME("CGame.initMatchStatistic()V");
  if (isNull(matchStatistics)) {
    matchStatistics = Array::newObjectArray(kIntArray, kStatisticRows);
    for (int32_t row = 0; !isNull(matchStatistics) && row < kStatisticRows; row++) {
      astore(matchStatistics.get(), row, Array::newIntArray(2));
    }
  }
  for (int32_t row = 0; row < kStatisticRows; row++) {
    for (int32_t team = 0; team < 2; team++) astore(statisticRow(row), team, rowValue(row, team));
  }
  ObjectArray* names = labelRow(0);
  if (isNull(names)) return;  // the loader makes the labels; no match loaded, no names
  if (CTennis::isDoubles) {
    astore(names, 0, doublesName(kUserText));
    astore(names, 1, doublesName(kComputerText));
  } else {
    astore(names, 0, playerName(CTennis::player));
    astore(names, 1, playerName(CTennis::rival));
  }
}

void CGame::paintMatchStatistic() {
  SORV_FRAME("CGame.paintMatchStatistic()V");
  // The menu opens the table; a menu shown without one (no match loaded) shows none.
  if (isNull(matchStatistics)) return;
  for (int32_t team = 0; team < 2; team++) {
    DrawStringAsItem(name(team), kMenuLayout, kNameItem + team, false);
    DrawStringAsItem(total(team, false), kMenuLayout, kTotalItem + team, false);
  }
  const int32_t y = yOf(GetMenuItemPosition(kMenuLayout, kFirstRowItem));
  drawRows(0, y, y - yOf(GetMenuItemPosition(kMenuLayout, kRowStepItem)));
}

void CGame::drawMatchStatistic() {
  SORV_FRAME("CGame.drawMatchStatistic()V");
  initMatchStatistic();
  DrawMenu(kOverLayout, false);
  for (int32_t team = 0; team < 2; team++) {
    DrawStringAsItem(name(team), kOverLayout, kOverNameItem + team, false);
    DrawStringAsItem(total(team, true), kOverLayout, kOverTotalItem + team, false);
  }
  const int32_t at = GetMenuItemPosition(kOverLayout, kOverFirstRow);
  drawRows(xOf(at), yOf(at), yOf(GetMenuItemPosition(kOverLayout, kOverRowStep)) - yOf(at));
}

void CGame::igm_drawMatchStatisticItem(ObjectArray* labels, IntArray* values, int32_t x, int32_t y) {
  SORV_FRAME("CGame.igm_drawMatchStatisticItem([Ljava/lang/String;[III)V");
  if (isNull(values) || values->length < 2) return reportError("NullPointer");
  setMenuPaintPosition(x, y);
  DrawMenu(kRowLayout, false);
  DrawStringAsItem(isNull(labels) ? nullptr : static_cast<String*>(aload(labels, 0)), kRowLayout, kRowLabelItem,
                   false);
  DrawStringAsItem(shown(values->elements()[0]), kRowLayout, kRowValueItem, false);
  DrawStringAsItem(shown(values->elements()[1]), kRowLayout, kRowValueItem + 1, false);
  resetMenuPaintPosition();
}

}  // namespace sorv
