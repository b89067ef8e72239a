#include "tools/mkdata/menu_needs.h"

#include "tools/data/menu_needs.h"
#include "tools/data/menu_screens.h"

namespace sorv::mkdata {

namespace {

const MenuRecord* findMenu(const std::vector<MenuRecord>& menus, int id) {
  for (const MenuRecord& m : menus)
    if (m.id == id) return &m;
  return nullptr;
}

// What the row misses of the menu, or an empty text.
std::string missing(const MenuNeed& need, const MenuRecord& menu) {
  if (need.kind == MenuNeedKind::kShape) {
    if (menu.labels != need.a) return "label count " + std::to_string(need.a);
    if (need.b >= 0 && menu.rows != need.b) return "rows " + std::to_string(need.b);
    if (need.c >= 0 && menu.first != need.c) return "first list item " + std::to_string(need.c);
    return "";
  }
  if (need.item < 0 || need.item >= static_cast<int>(menu.items.size())) return "the item";
  const MenuItem& item = menu.items[static_cast<size_t>(need.item)];
  if (need.itemClass >= 0 && static_cast<int>(item.kind) != need.itemClass)
    return "item class " + std::to_string(need.itemClass);
  if ((item.flags & need.flags) != need.flags) return "flags " + std::to_string(need.flags);
  const bool selectable = (item.flags & item_flags::kSelectable) != 0;
  switch (need.kind) {
    case MenuNeedKind::kButton:
      if (item.type != need.a) return "type " + std::to_string(need.a);
      [[fallthrough]];
    case MenuNeedKind::kRow:
      if (!selectable) return "the select flag";
      if (item.cursor != need.b) return "cursor index " + std::to_string(need.b);
      break;
    case MenuNeedKind::kSized:
      if ((item.kind != ItemKind::kRectangle && !item.sized) || item.w <= 0 || item.h <= 0) return "a size";
      break;
    default: break;
  }
  return "";
}

// The menus the screen table takes entry lists from have ids (the records list keeps one
// after dropping its last).
bool checkScreenMenus(const std::vector<MenuRecord>& menus, std::string* error) {
  for (int32_t screen = 0; screen < kScreenCount; screen++) {
    const ScreenSource& source = kScreenTable[static_cast<size_t>(screen)];
    std::vector<int32_t> named;
    size_t least = 1;
    if (source.kind == ScreenList::kMenu) named = {source.value};
    if (source.kind == ScreenList::kMenuButLast) {
      named = {source.value};
      least = 2;
    }
    if (source.kind == ScreenList::kMainMenu) named.assign(std::begin(kMainMenus), std::end(kMainMenus));
    for (int32_t id : named) {
      const MenuRecord* menu = findMenu(menus, id);
      if (menu == nullptr || menu->ids.size() < least) {
        *error = "menus.txt: menu " + std::to_string(id) + " needs an id list for screen " + std::to_string(screen);
        return false;
      }
    }
  }
  return true;
}

// The history opens topic k as screen 13 + k, and only seven such screens have lists.
bool checkHistoryTopics(const std::vector<MenuRecord>& menus, std::string* error) {
  const MenuRecord* topics = findMenu(menus, kHistoryTopicsMenu);
  if (topics == nullptr || topics->ids.size() <= static_cast<size_t>(kHistoryTopicScreens) + 1) return true;
  *error = "menus.txt: menu " + std::to_string(kHistoryTopicsMenu) + " lists " + std::to_string(topics->ids.size() - 1) +
           " history topics; the topic screens hold " + std::to_string(kHistoryTopicScreens);
  return false;
}

}  // namespace

bool checkMenuNeeds(const std::vector<MenuRecord>& menus, std::string* error) {
  if (!checkScreenMenus(menus, error) || !checkHistoryTopics(menus, error)) return false;
  for (const MenuNeed& need : kMenuNeeds) {
    const MenuRecord* menu = findMenu(menus, need.menu);
    const std::string lack = menu == nullptr ? "the menu" : missing(need, *menu);
    if (!lack.empty()) {
      *error = "menus.txt: menu " + std::to_string(need.menu) + " item " + std::to_string(need.item) +
               " lacks " + lack + ", which the game reads";
      return false;
    }
  }
  for (const MenuRecord& menu : menus) {
    for (size_t i = 0; i < menu.items.size(); i++) {
      const MenuItem& item = menu.items[i];
      if (item.kind != ItemKind::kFrame || item.id != menu_need::kSoftKeyFrame) continue;
      if (item.x < menu_need::kSoftKeyLeftBelow || item.x > menu_need::kSoftKeyRightAbove) continue;
      *error = "menus.txt line " + std::to_string(item.line) + ": a soft-key button (frame 119) at x " +
               std::to_string(item.x) + " is on neither side";
      return false;
    }
  }
  return true;
}

}  // namespace sorv::mkdata
