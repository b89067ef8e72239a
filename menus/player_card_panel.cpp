// The roster card of the player selection's panels: a roster player's portrait, name, card
// values and country, and the panel's running actor in its frame.
//
// The card's flags, in order: withActor (the portrait and the framed running actor),
// details (the card values, caption and country), compact (the narrow card, menu 16,
// instead of the full one, menu 15), withName (the roster name) and opponent (the
// computer's caption). The court type colours the card's band (its palette).
#include <cstdint>
#include <initializer_list>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kBandItem = 1, kPortraitItem = 2, kHeightItem = 5, kNameItem = 6;
constexpr int32_t kWeightItem = 7, kNumberItem = 8, kCaptionItem = 9, kAgeItem = 10;
constexpr int32_t kCountryItem = 11, kActorItem = 12, kOpponentItem = 13;
constexpr int32_t kPlainPortraitPalette = 1;
constexpr int32_t kFirstBadgeFrame = 36;
constexpr int32_t kComputerText = 20;
constexpr int32_t kConstLinePrefix = 145, kConstPoint = 78;
// The weight's unit as the language writes it (" kg", " кг"), as on the match's attribute card.
constexpr int32_t kTextWeightUnit = 37;
constexpr int32_t kClipSize = 138, kActorX = 75, kActorY = 85;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

String* constant(int32_t n) { return StaticClass::getConstant(n); }

// Row `row` of a two-level int table at the player's index; 0 outside the table.
int32_t cardValue(int32_t row, int32_t index) {
  ObjectArray* rows = CGame::rosterCardValues.get();
  if (isNull(rows) || !rows->inBounds(row)) return 0;
  auto* values = static_cast<IntArray*>(rows->elements()[row]);
  return isNull(values) || !values->inBounds(index) ? 0 : values->elements()[index];
}

template <typename A>
int32_t rosterByte(A* table, int32_t index) {
  return isNull(table) || !table->inBounds(index) ? 0 : table->elements()[index];
}

String* join(std::initializer_list<String*> parts, int32_t number, bool numberFirst) {
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  if (numberFirst) StringBuffer::appendInt(sb, number);
  for (String* part : parts) StringBuffer::appendString(sb, part);
  if (!numberFirst) StringBuffer::appendInt(sb, number);
  return sb->toString();
}

// A number in hundredths as whole, point, two digits.
String* hundredths(int32_t value) {
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendString(sb, constant(kConstLinePrefix));
  StringBuffer::appendInt(sb, value / 100);
  StringBuffer::appendString(sb, constant(kConstPoint));
  if (value % 100 < 10) StringBuffer::appendInt(sb, 0);
  StringBuffer::appendInt(sb, value % 100);
  return sb->toString();
}

void drawDetails(int32_t menu, int32_t index) {
  CGame::DrawStringAsItem(hundredths(cardValue(0, index)), menu, kHeightItem, false);
  CGame::DrawStringAsItem(join({CGame::GetString(kTextGeneral, kTextWeightUnit)}, cardValue(1, index), true), menu,
                          kWeightItem, false);
  CGame::DrawStringAsItem(String::valueOfInt(cardValue(2, index)), menu, kNumberItem, false);
  CGame::DrawStringAsItem(join({constant(kConstEmpty)}, cardValue(3, index), false), menu, kAgeItem, false);
  CGame::DrawStringAsItem(CGame::GetString(kTextGeneral, rosterByte(CGame::rosterCaptions.get(), index)), menu,
                          kCaptionItem, false);
  CGame::DrawFrameAsItem(kFirstBadgeFrame + rosterByte(CGame::rosterCountries.get(), index), -1, menu, kCountryItem,
                         false);
}

}  // namespace

void CGame::drawPlayerRect(CActor* actor, int32_t x, int32_t y) {
  SORV_FRAME("CGame.drawPlayerRect(LCActor;II)V");
  Graphics* g = GetMenuGfx();
  if (isNull(actor) || isNull(g)) return reportError("NullPointer");
  SetClip(g, x + 1, y + 1, kClipSize, kClipSize);
  actor->update(g, x + kActorX, y + kActorY);
  SetClip(g, 0, 0, kGameWidth, kGameHeight);
}

void CGame::drawPlayerInfo(CActor* actor, int32_t index, int32_t courtType, int32_t x, int32_t y, bool withActor,
                           bool details, bool compact, bool withName, bool opponent) {
  SORV_FRAME("CGame.drawPlayerInfo(LCActor;IIIIZZZZZ)V");
  if (index < 0 || index >= kRosterNamesCount) {
    Debug::trace("card: avatar %d is outside the roster; not drawn", index);
    return;
  }
  const int32_t menu = compact ? kRosterCardCompactMenu : kRosterCardMenu;
  setMenuPaintPosition(x, y);
  DrawMenu(menu, false);
  DrawFrameAsItem(-1, courtType, menu, kBandItem, false);
  if (withActor) DrawFrameAsItem(index, kPlainPortraitPalette, menu, kPortraitItem, false);
  if (withName) DrawStringAsItem(GetString(kTextMenus, kRosterNamesFirst + index), menu, kNameItem, false);
  if (details) drawDetails(menu, index);
  if (opponent) DrawStringAsItem(GetString(kTextGeneral, kComputerText), menu, kOpponentItem, false);
  resetMenuPaintPosition();
  // A selection entered without its actors (a state pushed by a script) shows the cards.
  if (withActor && !isNull(actor)) {
    const int32_t at = GetMenuItemPosition(menu, kActorItem);
    drawPlayerRect(actor, x + xOf(at), y + yOf(at));
  }
}

}  // namespace sorv
