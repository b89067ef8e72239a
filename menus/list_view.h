// What the achievement views and the unlock screen share: the touch box of a list arrow, the
// scroll thumb, and the texts of a Gold value and a record value.
//
// The list fields (CGame::listRows, listX..listH, listStep) are set by the screen's init from
// its menu; every division by an entry count is guarded, so an empty list draws no thumb.
#pragma once

#include <cstdint>

namespace sorv {

class String;

namespace list_view {

inline constexpr int32_t kPrevKeys = 0x2004, kNextKeys = 0x1100;
inline constexpr int32_t kThumbColour = -256;  // opaque yellow

// The bar box from a menu item's position and size; listRows from the menu's label count;
// listStep = listRows x listH / entries, 0 for no entries.
void setUp(int32_t menu, int32_t barItem, int32_t entries);
// Whether a release (consumed) or a press lies in the touch box of arrow item `item`,
// (drawn x - 35, drawn y - 17) 100 by 50.
bool arrowReleased(int32_t menu, int32_t item);
bool arrowPressed(int32_t menu, int32_t item);
// The thumb inside the bar box at `offset` from its top, `height` high; it also becomes
// CGame::scrollThumbOffset.
void drawThumb(int32_t offset, int32_t height);
// "1,250 Gold": a Gold value with thousands separators and the unit word.
String* goldText(int32_t gold);
// A record's value as shown in lists: a time for records 13 and 14, the number with the speed
// unit for record 4, else the number (with thousands separators when `grouped`).
String* recordText(int32_t record, int32_t value, bool grouped);
// The rank footer's lines: "Rank: Pro" by the Gold total's level, and the Gold total.
String* rankLine();
String* goldTotalLine();

}  // namespace list_view
}  // namespace sorv
