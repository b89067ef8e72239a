#include "tools/mkdata/menu_source.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
namespace {

// Record sizes: length, type, id and flags; the selectable block; the payloads.
constexpr int kItemHeaderBytes = 4;
constexpr int kSelectBlockBytes = 6;
constexpr int kSpritePayloadBytes = 6;
constexpr int kStringPayloadBytes = 13;
constexpr int kRectPayloadBytes = 17;
constexpr int kPositionBytes = 4;
// Where the game reads an item's size, and the length byte's largest value plus one.
constexpr int kSizeEndBytes = 16;
constexpr int kMaxItemLength = 128;
constexpr int kMaxSpriteId = 127;
constexpr int kMaxAnchor = 8;
constexpr int kMenuHeaderBytes = 6;

struct KindName {
  const char* name;
  ItemKind kind;
};
constexpr KindName kKinds[] = {{"none", ItemKind::kNone},
                               {"rect", ItemKind::kRectangle},
                               {"frame", ItemKind::kFrame},
                               {"anim", ItemKind::kAnimation},
                               {"string", ItemKind::kString}};

struct FlagName {
  const char* name;
  int bit;
};
constexpr FlagName kFlags[] = {{"flipx", item_flags::kFlipX},   {"flipy", item_flags::kFlipY},
                               {"select", item_flags::kSelectable},
                               {"scroll", item_flags::kScroll}, {"hidden", item_flags::kHidden},
                               {"hold", item_flags::kHoldLast}};

// Fields each kind takes besides x, y, flags, cursor, highlight and length.
const char* kindFields(ItemKind kind) {
  switch (kind) {
    case ItemKind::kFrame: return " type frame pal alpha w h ";
    case ItemKind::kAnimation: return " type anim pal alpha w h ";
    case ItemKind::kString: return " type pal pack text box mode anchor ";
    case ItemKind::kRectangle: return " fill outline w h alpha ";
    case ItemKind::kNone: return " w h ";
  }
  return " ";
}

const char* kindName(ItemKind kind) {
  for (const KindName& k : kKinds) {
    if (k.kind == kind) return k.name;
  }
  return "?";
}

std::string where(int line, int menu, int item) {
  std::string at = line > 0 ? "menus.txt line " + std::to_string(line) + " (menu "
                            : "menus.txt (menu ";
  at += std::to_string(menu);
  if (item >= 0) at += " item " + std::to_string(item);
  return at + "): ";
}

bool parseNumber(const std::string& text, int64_t* value) {
  const char* p = text.data();
  const char* end = p + text.size();
  bool negative = p != end && *p == '-';
  if (negative) ++p;
  int base = 10;
  if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  uint64_t magnitude = 0;
  auto [ptr, ec] = std::from_chars(p, end, magnitude, base);
  if (p == end || ec != std::errc() || ptr != end || magnitude > 0xFFFFFFFFull) return false;
  *value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

bool parseInt(const std::string& text, int* value) {
  int64_t v;
  if (!parseNumber(text, &v) || v < INT32_MIN || v > INT32_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

std::vector<std::string> splitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::vector<std::string> splitCommas(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

// "key=value" words into a map; false on a word without '=' or a repeated key.
bool splitFields(const std::vector<std::string>& words, size_t from,
                 std::map<std::string, std::string>* fields, std::string* why) {
  for (size_t i = from; i < words.size(); ++i) {
    size_t eq = words[i].find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == words[i].size()) {
      *why = "expected name=value, found \"" + words[i] + "\"";
      return false;
    }
    if (!fields->emplace(words[i].substr(0, eq), words[i].substr(eq + 1)).second) {
      *why = "field " + words[i].substr(0, eq) + " given twice";
      return false;
    }
  }
  return true;
}

bool parseMenuLine(const std::vector<std::string>& words, int line, int expectedId,
                   MenuRecord* menu, std::string* error) {
  std::string at = "menus.txt line " + std::to_string(line) + ": ";
  if (words.size() < 2 || !parseInt(words[1], &menu->id)) {
    *error = at + "a menu line needs its number";
    return false;
  }
  if (menu->id != expectedId) {
    *error = at + "menu " + words[1] + " out of order (expected " + std::to_string(expectedId) +
             ")";
    return false;
  }
  menu->line = line;
  std::map<std::string, std::string> fields;
  std::string why;
  if (!splitFields(words, 2, &fields, &why)) {
    *error = at + why;
    return false;
  }
  for (const auto& [key, value] : fields) {
    bool ok = true;
    if (key == "labels") {
      ok = parseInt(value, &menu->labels);
    } else if (key == "first") {
      ok = parseInt(value, &menu->first);
    } else if (key == "rows") {
      ok = parseInt(value, &menu->rows);
    } else if (key == "header") {
      ok = parseInt(value, &menu->header);
    } else if (key == "ids") {
      for (const std::string& part : splitCommas(value)) {
        int id = 0;
        ok = ok && parseInt(part, &id);
        menu->ids.push_back(id);
      }
    } else {
      *error = at + "unknown menu field " + key;
      return false;
    }
    if (!ok) {
      *error = at + "bad number in " + key + "=" + value;
      return false;
    }
  }
  return true;
}

bool parseFlags(const std::string& value, int* flags, std::string* why) {
  for (const std::string& name : splitCommas(value)) {
    bool known = false;
    for (const FlagName& f : kFlags) {
      if (name == f.name) {
        *flags |= f.bit;
        known = true;
      }
    }
    if (!known) {
      *why = "unknown flag \"" + name + "\"";
      return false;
    }
  }
  return true;
}

bool parseItemLine(const std::vector<std::string>& words, int line, const MenuRecord& menu,
                   MenuItem* item, std::string* error) {
  const int index = static_cast<int>(menu.items.size());
  std::string at = where(line, menu.id, index);
  int number;
  if (!parseInt(words[0], &number) || number != index) {
    *error = at + "items are numbered in order; expected " + std::to_string(index) +
             ", found \"" + words[0] + "\"";
    return false;
  }
  bool knownKind = false;
  for (const KindName& k : kKinds) {
    if (words.size() > 1 && words[1] == k.name) {
      item->kind = k.kind;
      knownKind = true;
    }
  }
  if (!knownKind) {
    *error = at + "expected an item kind (none, rect, frame, anim, string)";
    return false;
  }
  item->line = line;
  item->type = defaultItemType(item->kind);
  std::map<std::string, std::string> fields;
  std::string why;
  if (!splitFields(words, 2, &fields, &why)) {
    *error = at + why;
    return false;
  }
  const std::string allowed = kindFields(item->kind);
  for (const auto& [key, value] : fields) {
    int64_t v = 0;
    if (key == "flags") {
      if (!parseFlags(value, &item->flags, &why)) {
        *error = at + why;
        return false;
      }
      continue;
    }
    bool common = key == "x" || key == "y" || key == "cursor" || key == "highlight" ||
                  key == "length";
    if (!common && allowed.find(" " + key + " ") == std::string::npos) {
      *error = at + "a " + kindName(item->kind) + " item has no field " + key;
      return false;
    }
    if (!parseNumber(value, &v) ||
        (key != "fill" && key != "outline" && (v < INT32_MIN || v > INT32_MAX))) {
      *error = at + "bad number in " + key + "=" + value;
      return false;
    }
    const int n = static_cast<int>(v);
    if (key == "x") item->x = n;
    else if (key == "y") item->y = n;
    else if (key == "cursor") item->cursor = n;
    else if (key == "highlight") item->highlight = n;
    else if (key == "length") item->length = n;
    else if (key == "type") item->type = n;
    else if (key == "frame" || key == "anim") item->id = n;
    else if (key == "pal") item->palette = n;
    else if (key == "alpha") item->alpha = n;
    else if (key == "pack") item->pack = n;
    else if (key == "text") item->text = n;
    else if (key == "box") item->box = n;
    else if (key == "mode") item->mode = n;
    else if (key == "anchor") item->anchor = n;
    else if (key == "fill") item->fill = v;
    else if (key == "outline") item->outline = v;
    else if (key == "w") item->w = n;
    else if (key == "h") item->h = n;
  }
  auto has = [&fields](const char* key) { return fields.count(key) != 0; };
  item->sized = has("w") || has("h");
  item->positioned = has("x") || has("y") || item->sized;
  const bool selectable = (item->flags & item_flags::kSelectable) != 0;
  const ItemKind kind = item->kind;
  struct Need {
    bool lacking;
    const char* what;
  };
  const Need needs[] = {
      {(kind != ItemKind::kNone || item->positioned) && !(has("x") && has("y")), "x and y"},
      {kind == ItemKind::kFrame && !has("frame"), "frame"},
      {kind == ItemKind::kAnimation && !has("anim"), "anim"},
      {kind == ItemKind::kString && !(has("pack") && has("box")), "pack and box"},
      {kind == ItemKind::kRectangle && !(has("fill") && has("w") && has("h")), "fill, w and h"},
      {item->sized && !(has("w") && has("h")), "w and h together"},
      {selectable && !(has("cursor") && has("highlight")), "cursor and highlight (it is selectable)"},
  };
  const char* missing = nullptr;
  for (const Need& need : needs) {
    if (need.lacking && missing == nullptr) missing = need.what;
  }
  if (missing != nullptr) {
    *error = at + "needs " + missing;
    return false;
  }
  if (!selectable && (has("cursor") || has("highlight"))) {
    *error = at + "cursor and highlight belong to selectable items";
    return false;
  }
  if (!typeFitsKind(item->type, item->kind)) {
    *error = at + "type " + std::to_string(item->type) + " is not a " + kindName(item->kind) +
             " type";
    return false;
  }
  return true;
}

bool fits(int64_t v, int64_t lo, int64_t hi) { return v >= lo && v <= hi; }

bool checkItem(const MenuRecord& menu, int index, std::string* error) {
  const MenuItem& item = menu.items[static_cast<size_t>(index)];
  const std::string at = where(item.line, menu.id, index);
  auto refuse = [&](const std::string& why) {
    *error = at + why;
    return false;
  };
  if (!typeFitsKind(item.type, item.kind)) {
    return refuse("type " + std::to_string(item.type) + " is not a " + kindName(item.kind) +
                  " type");
  }
  const bool sprite = item.kind == ItemKind::kFrame || item.kind == ItemKind::kAnimation;
  if (sprite && !fits(item.id, 0, kMaxSpriteId)) {
    return refuse(std::string(item.kind == ItemKind::kFrame ? "frame " : "animation ") +
                  std::to_string(item.id) + " is outside 0.." + std::to_string(kMaxSpriteId));
  }
  if (!fits(item.flags, 0, 0x3F)) return refuse("unknown flag bits");
  if ((item.flags & item_flags::kSelectable) != 0) {
    if (!fits(item.cursor, 0, menu.labels - 1)) {
      return refuse("cursor index " + std::to_string(item.cursor) + " is not below the menu's " +
                    std::to_string(menu.labels) + " labels");
    }
    if (!fits(item.highlight, 0, kMaxSpriteId)) {
      return refuse("highlight " + std::to_string(item.highlight) + " is outside 0..127");
    }
  }
  struct Range {
    const char* name;
    int64_t value, lo, hi;
  };
  const Range ranges[] = {
      {"x", item.x, INT16_MIN, INT16_MAX},        {"y", item.y, INT16_MIN, INT16_MAX},
      {"pal", item.palette, INT8_MIN, INT8_MAX},  {"alpha", item.alpha, 0, 255},
      {"pack", item.pack, 0, kTextPackCount - 1}, {"text", item.text, -1, INT16_MAX},
      {"box", item.box, 0, INT16_MAX},            {"mode", item.mode, 0, 255},
      {"anchor", item.anchor, 0, kMaxAnchor},     {"fill", item.fill, 0, 0xFFFFFF},
      {"outline", item.outline, -1, 0xFFFFFF},    {"w", item.w, 0, INT16_MAX},
      {"h", item.h, 0, INT16_MAX},
  };
  for (const Range& r : ranges) {
    if (!fits(r.value, r.lo, r.hi)) {
      return refuse(std::string(r.name) + " " + std::to_string(r.value) + " is outside " +
                    std::to_string(r.lo) + ".." + std::to_string(r.hi));
    }
  }
  if (item.kind == ItemKind::kString && item.sized) {
    return refuse("a string item has no room for a size (its anchor lies there)");
  }
  const int natural = naturalItemLength(item);
  if (item.length != 0 && !fits(item.length, natural, kMaxItemLength)) {
    return refuse("item length " + std::to_string(item.length) + " does not fit a " +
                  kindName(item.kind) + " item of these fields (" + std::to_string(natural) +
                  " to " + std::to_string(kMaxItemLength) + " bytes)");
  }
  return true;
}

}  // namespace

int defaultItemType(ItemKind kind) {
  switch (kind) {
    case ItemKind::kNone: return 0;
    case ItemKind::kRectangle: return 1;
    case ItemKind::kString: return 2;
    case ItemKind::kFrame: return 19;
    case ItemKind::kAnimation: return 20;
  }
  return 0;
}

bool typeFitsKind(int type, ItemKind kind) {
  // The game's type table: which class each item type draws as.
  static const int8_t kClassOfType[34] = {4, 3, 2, 2, 2, 2, 2, 2, 2, 0, 1, 0, 0, 0, 0, 1, 0,
                                          1, 0, 0, 1, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, -1, 0};
  return type >= 0 && type < 34 && kClassOfType[type] == static_cast<int8_t>(kind);
}

int naturalItemLength(const MenuItem& item) {
  const int head =
      kItemHeaderBytes + ((item.flags & item_flags::kSelectable) != 0 ? kSelectBlockBytes : 0);
  switch (item.kind) {
    case ItemKind::kFrame:
    case ItemKind::kAnimation:
      return head + (item.sized ? kSizeEndBytes : kSpritePayloadBytes);
    case ItemKind::kString: return head + kStringPayloadBytes;
    case ItemKind::kRectangle: return head + kRectPayloadBytes;
    case ItemKind::kNone:
      return head + (item.sized ? kSizeEndBytes : item.positioned ? kPositionBytes : 0);
  }
  return head;
}

bool parseMenuSource(const std::string& source, std::vector<MenuRecord>* menus,
                     std::string* error) {
  menus->clear();
  int lineNumber = 0;
  for (std::string line : sourceLines(source)) {
    ++lineNumber;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::vector<std::string> words = splitWords(line);
    if (words.empty()) continue;
    if (words[0] == "menu") {
      MenuRecord menu;
      if (!parseMenuLine(words, lineNumber, static_cast<int>(menus->size()), &menu, error)) {
        return false;
      }
      menus->push_back(std::move(menu));
      continue;
    }
    if (menus->empty()) {
      *error = "menus.txt line " + std::to_string(lineNumber) + ": an item before any menu line";
      return false;
    }
    MenuItem item;
    if (!parseItemLine(words, lineNumber, menus->back(), &item, error)) return false;
    menus->back().items.push_back(item);
  }
  return true;
}

bool checkMenus(const std::vector<MenuRecord>& menus, std::string* error) {
  if (menus.size() != static_cast<size_t>(kMenuCount)) {
    *error = "menus.txt: " + std::to_string(menus.size()) + " menus, the game reads " +
             std::to_string(kMenuCount);
    return false;
  }
  int64_t blob = 0;
  for (size_t m = 0; m < menus.size(); ++m) {
    const MenuRecord& menu = menus[m];
    const std::string at = where(menu.line, menu.id, -1);
    auto refuse = [&](const std::string& why) {
      *error = at + why;
      return false;
    };
    if (menu.id != static_cast<int>(m)) return refuse("out of order (expected " + std::to_string(m) + ")");
    if (!fits(menu.labels, 1, 128)) return refuse("labels must be 1..128");
    if (!fits(menu.rows, 0, 128)) return refuse("rows must be 0..128");
    if (!fits(menu.first, 0, 127)) return refuse("first must be 0..127");
    if (!fits(menu.header, INT8_MIN, INT8_MAX)) return refuse("header must fit a byte");
    if (menu.ids.size() > 127) return refuse("more than 127 ids");
    if (menu.items.size() > 127) return refuse("more than 127 items");
    for (int id : menu.ids) {
      if (!fits(id, INT16_MIN, INT16_MAX)) return refuse("id " + std::to_string(id) + " does not fit 16 bits");
    }
    // The list draws its visible rows into the items from `first` on.
    const size_t listRows = std::min(static_cast<size_t>(menu.rows), menu.ids.size());
    if (listRows > 0 && static_cast<size_t>(menu.first) + listRows > menu.items.size()) {
      return refuse("the list's rows need items " + std::to_string(menu.first) + ".." +
                    std::to_string(menu.first + static_cast<int>(listRows) - 1));
    }
    blob += kMenuHeaderBytes + 2 * static_cast<int64_t>(menu.ids.size());
    for (size_t i = 0; i < menu.items.size(); ++i) {
      if (!checkItem(menu, static_cast<int>(i), error)) return false;
      const MenuItem& item = menu.items[i];
      blob += item.length != 0 ? item.length : naturalItemLength(item);
    }
    if (blob >= kMenuBlobLimit) {
      return refuse("the menu blob reaches " + std::to_string(blob) + " bytes; it must stay below " +
                    std::to_string(kMenuBlobLimit));
    }
  }
  return true;
}

bool checkMenuTexts(const std::vector<MenuRecord>& menus, const TextPresence& present,
                    std::string* error) {
  for (const MenuRecord& menu : menus) {
    for (int id : menu.ids) {
      if (!present(menu.header, id)) {
        *error = where(menu.line, menu.id, -1) + "id " + std::to_string(id) +
                 " is missing from text pack " + std::to_string(menu.header);
        return false;
      }
    }
    for (size_t i = 0; i < menu.items.size(); ++i) {
      const MenuItem& item = menu.items[i];
      if (item.kind == ItemKind::kString && item.text >= 0 && !present(item.pack, item.text)) {
        *error = where(item.line, menu.id, static_cast<int>(i)) + "text " +
                 std::to_string(item.text) + " is missing from text pack " +
                 std::to_string(item.pack);
        return false;
      }
    }
  }
  return true;
}

}  // namespace sorv::mkdata
