// What the built code reads of the menu layouts: one row per menu shape or item. The data
// builder refuses menu data that misses a row, and a test checks each language's archive
// with the game's own readers. Later screens add their rows here.
#pragma once

#include <cstdint>
#include <iterator>

namespace sorv {

enum class MenuNeedKind : int8_t {
  kShape,   // the menu: labelCount a, rows b, firstListItem c
  kItem,    // an item of class `itemClass` (-1 any) whose flags include `flags`
  kButton,  // a selectable item of type a with cursor index b
  kRow,     // a selectable string item with cursor index b
  kSized,   // an item of class `itemClass` (-1 any) with flags `flags` whose record holds a size
};

struct MenuNeed {
  int32_t menu;
  int32_t item;  // -1 for a shape row
  MenuNeedKind kind;
  int32_t itemClass;
  int32_t flags;
  int32_t a, b, c;
};

namespace menu_need {
inline constexpr int32_t kFrame = 0, kAnimation = 1, kString = 2, kRect = 3, kAny = -1;
inline constexpr int32_t kHidden = 0x10;
inline constexpr int32_t kScroll = 0x08;
inline constexpr int32_t kButtonType = 14;
// Soft-key buttons (frame 119) stand clear of the middle: left of this x or right of the next.
inline constexpr int32_t kSoftKeyFrame = 119, kSoftKeyLeftBelow = 60, kSoftKeyRightAbove = 200;
}  // namespace menu_need

#define SORV_MAIN_MENU_NEEDS(m)                                                        \
  {m, -1, MenuNeedKind::kShape, -1, 0, 4, 4, 16},                                      \
      {m, 1, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},                      \
      {m, 2, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},                      \
      {m, 4, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},                      \
      {m, 5, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},                      \
      {m, 6, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},                      \
      {m, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},                     \
      {m, 7, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},                     \
      {m, 12, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 0, 0}, \
      {m, 13, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 1, 0}, \
      {m, 14, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 2, 0}, \
      {m, 15, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 3, 0}, \
      {m, 16, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},                     \
      {m, 17, MenuNeedKind::kRow, menu_need::kString, 0, 0, 1, 0},                     \
      {m, 18, MenuNeedKind::kRow, menu_need::kString, 0, 0, 2, 0},                     \
      {m, 19, MenuNeedKind::kRow, menu_need::kString, 0, 0, 3, 0}

// A court layout's boards (items 4 to 8), the challenge's verdict (18) and the score board
// (19 to 21).
#define SORV_COURT_LAYOUT_NEEDS(m)                                  \
  {m, 4, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},       \
      {m, 5, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},   \
      {m, 6, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},   \
      {m, 7, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},   \
      {m, 8, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},   \
      {m, 18, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},  \
      {m, 19, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},  \
      {m, 20, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0}, \
      {m, 21, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0}

#define SORV_OPTION_ROW_NEEDS(m)                                          \
  {m, 0, MenuNeedKind::kItem, menu_need::kRect, 0, 0, 0, 0},              \
      {m, 1, MenuNeedKind::kRow, menu_need::kFrame, 0, 0, 0, 0},          \
      {m, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},        \
      {m, 3, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},     \
      {m, 4, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},     \
      {m, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0}

inline constexpr MenuNeed kMenuNeeds[] = {
    // The boot screen's spinner.
    {0, 2, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    // The sound question: two buttons.
    {3, -1, MenuNeedKind::kShape, -1, 0, 2, -1, -1},
    {3, 2, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 0, 0},
    {3, 3, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 1, 0},
    // The title's blinking prompt.
    {4, 2, MenuNeedKind::kItem, menu_need::kString, menu_need::kHidden, 0, 0, 0},
    SORV_MAIN_MENU_NEEDS(5),
    SORV_MAIN_MENU_NEEDS(63),
    SORV_MAIN_MENU_NEEDS(64),
    SORV_MAIN_MENU_NEEDS(65),
    {63, 24, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    // The main menu's description, achievement panel, clip boxes and list arrows (the arrows
    // are menu 5's for every main menu); the panel slides in before its count ends while
    // item 11 is narrower than 336.
    {5, 9, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {5, 11, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {5, 24, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {5, 25, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {5, 26, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {5, 27, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {5, 28, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {5, 29, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {5, 30, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {5, 31, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {63, 25, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {63, 26, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {64, 25, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {64, 26, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {65, 25, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {65, 26, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    // The loading screen: caption, hint, the full segment and the seven segments.
    {7, 9, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {7, 10, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {7, 12, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {7, 13, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 14, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 15, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 16, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 17, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 18, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {7, 19, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    // The options: the marker, title, hint box and hint, the rows' two positions and the
    // right soft-key button.
    {13, -1, MenuNeedKind::kShape, -1, 0, 4, 4, -1},
    {13, 5, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {13, 6, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {13, 8, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {13, 9, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {13, 10, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {13, 11, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {13, 12, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    // The credits: the frame drawn over the lines and the window (its y and size). The help's
    // backdrop, bar, rows and right soft key; the help pages' backdrops. The history's topics:
    // backdrop, title, rows' places, right soft key, arrows; its page: backdrop, titles,
    // counter, the page box's bottom (sized) and text, the page arrows.
    {6, 6, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {6, 8, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {29, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {29, 4, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {29, 9, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {29, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {29, 11, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {38, -1, MenuNeedKind::kShape, -1, 0, 3, 3, -1},
    {38, 0, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {38, 10, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {38, 11, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {38, 12, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {38, 13, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {38, 19, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {38, 20, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 0, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {39, 9, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {39, 10, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {39, 11, MenuNeedKind::kSized, menu_need::kAny, 0, 0, 0, 0},
    {39, 12, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {39, 13, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {39, 14, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 15, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 16, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 17, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 18, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {39, 19, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    // The main menu's achievement panel, and the frame and caption of the keys picture.
    {25, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {25, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {31, 34, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 35, MenuNeedKind::kItem, menu_need::kString, menu_need::kHidden, 0, 0, 0},
    SORV_OPTION_ROW_NEEDS(12),
    SORV_OPTION_ROW_NEEDS(36),
    SORV_OPTION_ROW_NEEDS(61),
    // The load choice: two buttons over two rows and the description; the tournament card's
    // player frame, names, line and round; the group choice's row; the tournament table's
    // name column (its width the bracket's x), second row, message box and message.
    {8, -1, MenuNeedKind::kShape, -1, 0, 2, 2, 2},
    {8, 0, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 0, 0},
    {8, 1, MenuNeedKind::kButton, menu_need::kFrame, 0, menu_need::kButtonType, 1, 0},
    {8, 2, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},
    {8, 3, MenuNeedKind::kRow, menu_need::kString, 0, 0, 1, 0},
    {8, 11, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {9, 0, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {9, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {9, 3, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {9, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {11, 1, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {33, 9, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {33, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {33, 17, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {33, 18, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // Message box, label, soft-key bar and information box.
    {32, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {34, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {34, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {34, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {34, 4, MenuNeedKind::kItem, menu_need::kString, menu_need::kHidden, 0, 0, 0},
    {35, 0, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {35, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {35, 2, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {35, 3, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {35, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {35, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {35, 6, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {35, 7, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {35, 8, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    // Name entry: the two rows' places, the name field, a key's letter, the key highlight.
    {40, 11, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {40, 12, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {40, 13, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {40, 18, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {40, 19, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {57, 0, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {57, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {57, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // The match set-up: five labels in a two-row list, the rows' places, the court picture,
    // name, row title and arrows; the player selection's labels, title, portraits, markers,
    // panels, caption and arrows; the roster cards.
    {14, -1, MenuNeedKind::kShape, -1, 0, 5, 2, -1},
    {14, 5, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {14, 6, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {14, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {14, 14, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {14, 16, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {14, 22, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {14, 23, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 11, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {37, 16, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {37, 54, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {37, 55, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {37, 56, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {37, 59, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 60, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 61, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {37, 64, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {37, 65, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {37, 66, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 67, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 72, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {37, 73, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {15, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {15, 11, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {15, 13, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {16, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {16, 11, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {16, 13, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // The in-match interface: the score panel's two rows and a row's marker, name, cells and
    // texts; the help pages' frames, title, hint places, keys and page counter.
    {55, 0, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {55, 1, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {56, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {56, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {56, 3, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {56, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {56, 5, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {56, 6, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {30, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {30, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 9, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {31, 18, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {31, 19, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {31, 20, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 21, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 22, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 23, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 24, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 25, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 26, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 27, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 28, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {31, 29, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {31, 30, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {31, 31, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    {31, 32, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    {31, 33, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // The career's save card: the player's frame, name, line, rank, line, week.
    {10, 1, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {10, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {10, 3, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {10, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {10, 5, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {10, 6, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // The avatar creation: the caption, the panel's place, the arrows; the panel's name, the
    // player's frame, six values and six bars (the first sized).
    {41, 10, MenuNeedKind::kItem, menu_need::kString, menu_need::kScroll, 0, 0, 0},
    {41, 11, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {41, 14, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {41, 15, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {42, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {42, 6, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {42, 13, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {42, 18, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {42, 25, MenuNeedKind::kSized, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {42, 26, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {42, 30, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    // A row of the creation and appearance lists: highlight (its height the row's), label,
    // right and left arrows, value, level frame.
    {43, 1, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {43, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {43, 3, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {43, 4, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {43, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {43, 7, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    // The world map's places: locations 0-28 at items 1-29, home cities at 30-43.
    {44, 29, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {44, 43, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    // The lobby: target caption, week, values, bars (the first sized), card place, map view,
    // target name, hint, corner pieces.
    {45, 9, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {45, 11, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {45, 19, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {45, 24, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {45, 31, MenuNeedKind::kSized, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {45, 32, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {45, 36, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {45, 37, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {45, 38, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {45, 39, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {45, 40, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {45, 41, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    {45, 42, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    // The career card: name, home, rank, home picture, player.
    {46, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {46, 6, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {46, 8, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {46, 9, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {46, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    // Home: the two option rows and the player; appearance: the card, the rows, the list area.
    {47, 9, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {47, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {47, 13, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {48, 7, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {48, 9, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {48, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {48, 14, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    // The weekly update: attribute rows, top rows, name; its row: highlight, bar, bar box
    // (sized), rank band, label, value.
    {49, 6, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {49, 7, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {49, 13, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {49, 14, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {49, 16, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {50, 1, MenuNeedKind::kItem, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {50, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {50, 3, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {50, 4, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {50, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {50, 6, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    SORV_COURT_LAYOUT_NEEDS(70),
    SORV_COURT_LAYOUT_NEEDS(71),
    SORV_COURT_LAYOUT_NEEDS(73),
    SORV_COURT_LAYOUT_NEEDS(74),
    // The achievements table: two labels and no list rows (its keys do not wrap), the backdrop
    // and bar of its own state, the rows' two places, the rank footer, the right soft-key
    // button. The browser: one row at 14, the description 11, the footer 10, the arrows 15 and
    // 16, the bar 17. The records list: five rows from 9, the arrows 11 and 12, the bar 13.
    {18, -1, MenuNeedKind::kShape, -1, 0, 2, 0, -1},
    {18, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {18, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {18, 9, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {18, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {18, 13, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {18, 14, MenuNeedKind::kItem, menu_need::kFrame, 0, 0, 0, 0},
    {19, -1, MenuNeedKind::kShape, -1, 0, 1, 1, -1},
    {19, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {19, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {19, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {19, 11, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {19, 14, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {19, 15, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {19, 16, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {19, 17, MenuNeedKind::kSized, menu_need::kRect, 0, 0, 0, 0},
    {20, -1, MenuNeedKind::kShape, -1, 0, 5, 5, -1},
    {20, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {20, 2, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {20, 9, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {20, 10, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {20, 11, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {20, 12, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {20, 13, MenuNeedKind::kSized, menu_need::kRect, 0, 0, 0, 0},
    // The unlock page: three labels and rows, the heading 2, the rows' places 3 and 4, the
    // hidden bar 5, the caption 8, the kind's animation 10, the footer 11, the arrows 12 and
    // 13; its row (62) and the achievement and record row (60): two highlighted strings and
    // their rectangles; the rank footer's two lines (77).
    {26, -1, MenuNeedKind::kShape, -1, 0, 3, 3, -1},
    {26, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {26, 3, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {26, 4, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {26, 5, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {26, 8, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {26, 10, MenuNeedKind::kItem, menu_need::kAnimation, 0, 0, 0, 0},
    {26, 11, MenuNeedKind::kItem, menu_need::kAny, 0, 0, 0, 0},
    {26, 12, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {26, 13, MenuNeedKind::kItem, menu_need::kAnimation, menu_need::kHidden, 0, 0, 0},
    {60, 1, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},
    {60, 2, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},
    {60, 3, MenuNeedKind::kItem, menu_need::kRect, 0, 0, 0, 0},
    {62, 0, MenuNeedKind::kItem, menu_need::kRect, 0, 0, 0, 0},
    {62, 1, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},
    {62, 2, MenuNeedKind::kRow, menu_need::kString, 0, 0, 0, 0},
    {62, 3, MenuNeedKind::kItem, menu_need::kRect, 0, 0, 0, 0},
    {77, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {77, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    // Training: the result page's score block (52: frame 1, title 2, line rectangle 3 whose
    // height spaces the lines, line 4), its notice (53: text 3, box 4), the title line of
    // games 2 and 4 (66: rectangle 0 whose width centres it, text 1) and the heads-up texts
    // (67, 68, 69); the game and level lists step by the height of row 12's rectangle 0.
    {12, 0, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {52, 1, MenuNeedKind::kItem, menu_need::kFrame, menu_need::kHidden, 0, 0, 0},
    {52, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {52, 3, MenuNeedKind::kSized, menu_need::kRect, menu_need::kHidden, 0, 0, 0},
    {52, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {53, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {53, 4, MenuNeedKind::kItem, menu_need::kRect, 0, 0, 0, 0},
    {66, 0, MenuNeedKind::kSized, menu_need::kRect, 0, 0, 0, 0},
    {66, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {67, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {67, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {67, 4, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {67, 5, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {68, 1, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {68, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {69, 2, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
    {69, 3, MenuNeedKind::kItem, menu_need::kString, 0, 0, 0, 0},
};
inline constexpr int32_t kMenuNeedCount = static_cast<int32_t>(std::size(kMenuNeeds));

#undef SORV_MAIN_MENU_NEEDS
#undef SORV_OPTION_ROW_NEEDS
#undef SORV_COURT_LAYOUT_NEEDS

}  // namespace sorv
