// The menu layouts of the synthetic data set, read from tools/data/menus.txt into records
// that menu_writer encodes as the game reads them.
//
// Source format: '#' starts a comment (to the end of the line); blank lines are ignored.
// A menu block starts with a line
//   menu ID [labels=N] [first=N] [rows=N] [header=N] [ids=A,B,...]
// (labels: cursor positions, first: the item that holds the first list row, rows: visible
// list rows, header and ids: the id list, header being the text pack of the ids). Each
// following line is one item, numbered from 0 in order:
//   INDEX KIND field=value ...
// with KIND one of none, rect, frame, anim, string. Fields by name:
//   all kinds     x y (position), flags=select,hidden,scroll,hold,flipx,flipy,
//                 cursor highlight (with select), length (bytes of a padded record)
//   frame, anim   type, frame / anim (the sprite's frame or animation), pal, alpha, w h
//   string        type, pal, pack, text, box, mode, anchor
//   rect          fill, outline, w, h, alpha
//   none          w h (a size read by the code; x and y are then needed too)
// A frame, animation or none record with w and h is padded so that the size lies where
// the game reads it, 12 bytes into the payload.
//
// Parsing checks the syntax, the kinds and the numbering; checkMenus and checkMenuTexts
// check what the game relies on. The data builder calls this, and tests of the game build
// fixture menus with it (menu_writer.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sorv::mkdata {

// The item classes, numbered as the game's class lookup answers.
enum class ItemKind : int8_t { kFrame = 0, kAnimation = 1, kString = 2, kRectangle = 3, kNone = 4 };

namespace item_flags {
inline constexpr int kFlipX = 0x01;
inline constexpr int kFlipY = 0x02;
inline constexpr int kSelectable = 0x04;
inline constexpr int kScroll = 0x08;
inline constexpr int kHidden = 0x10;
inline constexpr int kHoldLast = 0x20;
}  // namespace item_flags

struct MenuItem {
  int line = 0;  // source line, 0 for items built in code
  ItemKind kind = ItemKind::kNone;
  int type = 0;
  int id = 0;  // frame or animation id
  int flags = 0;
  int cursor = 0;
  int highlight = 0;
  int x = 0, y = 0;
  int palette = 0;
  int alpha = 255;
  int pack = 0, text = -1, box = 0, mode = 0, anchor = 0;
  int64_t fill = 0, outline = -1;
  bool sized = false;
  int w = 0, h = 0;
  bool positioned = false;
  int length = 0;  // 0: the kind's own length; otherwise the record's byte count
};

struct MenuRecord {
  int line = 0;
  int id = 0;
  int labels = 1;
  int first = 0;
  int rows = 0;
  int header = 0;
  std::vector<int> ids;
  std::vector<MenuItem> items;
};

// The type a kind takes when the source names none, and whether a type fits a kind.
int defaultItemType(ItemKind kind);
bool typeFitsKind(int type, ItemKind kind);

// Bytes of an item record without a length override.
int naturalItemLength(const MenuItem& item);

// Errors read "menus.txt line N: ..." (N the source line).
bool parseMenuSource(const std::string& source, std::vector<MenuRecord>* menus,
                     std::string* error);

// Every menu 0..78 once and in order, values that fit their bytes, item lengths that fit
// their kind, frame and animation ids 0..127, cursor indexes below the label count, strings
// of the four text packs, the list's visible rows inside the menu's items, and a blob below
// the signed offsets' limit.
bool checkMenus(const std::vector<MenuRecord>& menus, std::string* error);

// Whether text `id` of text pack `pack` exists.
using TextPresence = std::function<bool(int pack, int id)>;

// Every text a string item names (id >= 0) and every id of an id list (ids of the list
// header's pack) is present.
bool checkMenuTexts(const std::vector<MenuRecord>& menus, const TextPresence& present,
                    std::string* error);

}  // namespace sorv::mkdata
