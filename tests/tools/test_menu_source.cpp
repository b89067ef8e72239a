#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/menu_source.h"

namespace sorv::mkdata {
namespace {

// Completes a source of the first menus with empty ones, so checkMenus sees all of them.
std::string allMenus(const std::string& first, int given) {
  std::string source = first;
  for (int m = given; m < kMenuCount; ++m) source += "menu " + std::to_string(m) + "\n";
  return source;
}

// "menus.txt line N" followed by something other than a further digit.
bool namesLine(const std::string& error, int line) {
  const std::string at = "menus.txt line " + std::to_string(line);
  const size_t found = error.find(at);
  return found != std::string::npos &&
         (found + at.size() == error.size() || !std::isdigit(static_cast<unsigned char>(error[found + at.size()])));
}

bool compile(const std::string& source, std::string* error) {
  std::vector<MenuRecord> menus;
  return parseMenuSource(source, &menus, error) && checkMenus(menus, error);
}

TEST(MenuSource, ParsesFieldsFlagsAndDefaults) {
  const std::string source =
      "# a comment line\n"
      "menu 0 labels=2 first=1 rows=3 header=2 ids=3,0x10,-1  # trailing comment\n"
      "  0 frame type=14 frame=5 x=-5 y=10 pal=1 alpha=128 flags=select,flipx cursor=1 "
      "highlight=6\n"
      "\n"
      "  1 string pack=2 text=7 x=1 y=2 box=300 mode=1 anchor=8\n"
      "  2 rect x=1 y=2 w=3 h=4 fill=0x123456\n"
      "  3 anim anim=33 x=0 y=0 flags=hidden,hold,flipy,scroll\n"
      "  4 none x=7 y=8 w=9 h=10\n"
      "  5 none\n";
  std::vector<MenuRecord> menus;
  std::string error;
  ASSERT_TRUE(parseMenuSource(source, &menus, &error)) << error;
  ASSERT_EQ(menus.size(), 1u);
  const MenuRecord& m = menus[0];
  EXPECT_EQ(m.line, 2);
  EXPECT_EQ(m.labels, 2);
  EXPECT_EQ(m.first, 1);
  EXPECT_EQ(m.rows, 3);
  EXPECT_EQ(m.ids, (std::vector<int>{3, 16, -1}));
  ASSERT_EQ(m.items.size(), 6u);
  EXPECT_EQ(m.items[0].flags, item_flags::kSelectable | item_flags::kFlipX);
  EXPECT_EQ(m.items[0].x, -5);
  EXPECT_EQ(m.items[0].highlight, 6);
  EXPECT_EQ(m.items[0].line, 3);
  EXPECT_EQ(m.items[1].type, defaultItemType(ItemKind::kString));
  EXPECT_EQ(m.items[1].line, 5);
  EXPECT_EQ(m.items[2].outline, -1);
  EXPECT_EQ(m.items[2].alpha, 255);
  EXPECT_EQ(m.items[2].fill, 0x123456);
  EXPECT_EQ(m.items[3].type, defaultItemType(ItemKind::kAnimation));
  EXPECT_EQ(m.items[3].flags, item_flags::kHidden | item_flags::kHoldLast | item_flags::kFlipY |
                                  item_flags::kScroll);
  EXPECT_TRUE(m.items[4].sized);
  EXPECT_FALSE(m.items[5].positioned);
}

TEST(MenuSource, ItemLengthsFollowKindSelectionAndSize) {
  struct Case {
    const char* line;
    int length;
  };
  const Case cases[] = {
      {"0 none", 4},
      {"0 none x=1 y=2", 8},
      {"0 none x=1 y=2 w=3 h=4", 20},
      {"0 frame frame=1 x=0 y=0", 10},
      {"0 frame frame=1 x=0 y=0 flags=select cursor=0 highlight=2", 16},
      {"0 frame frame=1 x=0 y=0 w=5 h=6", 20},
      {"0 anim anim=1 x=0 y=0", 10},
      {"0 string pack=0 box=9 x=0 y=0", 17},
      {"0 string pack=0 box=9 x=0 y=0 flags=select cursor=0 highlight=2", 23},
      {"0 rect fill=0 w=1 h=1 x=0 y=0", 21},
      {"0 rect fill=0 w=1 h=1 x=0 y=0 flags=select cursor=0 highlight=0", 27},
  };
  for (const Case& c : cases) {
    std::vector<MenuRecord> menus;
    std::string error;
    ASSERT_TRUE(parseMenuSource(std::string("menu 0\n") + c.line + "\n", &menus, &error))
        << c.line << ": " << error;
    EXPECT_EQ(naturalItemLength(menus[0].items[0]), c.length) << c.line;
  }
}

TEST(MenuSource, TypesBelongToTheirKinds) {
  const std::pair<ItemKind, std::vector<int>> kinds[] = {
      {ItemKind::kNone, {0}},
      {ItemKind::kRectangle, {1}},
      {ItemKind::kString, {2, 3, 4, 5, 6, 7, 8}},
      {ItemKind::kFrame, {9, 11, 12, 13, 14, 16, 18, 19, 21, 22, 23, 25, 26, 28, 29, 30, 31, 33}},
      {ItemKind::kAnimation, {10, 15, 17, 20, 27}},
  };
  int counted = 0;
  for (const auto& [kind, types] : kinds) {
    for (int type = -1; type <= 34; ++type) {
      bool listed = false;
      for (int t : types) listed = listed || t == type;
      EXPECT_EQ(typeFitsKind(type, kind), listed) << "type " << type;
    }
    EXPECT_TRUE(typeFitsKind(defaultItemType(kind), kind));
    counted += static_cast<int>(types.size());
  }
  // 24 and 32 draw as nothing at all.
  EXPECT_EQ(counted, 32);
}

// Every refusal names the line it comes from.
TEST(MenuSource, RefusalsNameTheirSourceLine) {
  struct Case {
    const char* what;
    std::string source;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"item length below its kind", "menu 0\n  0 string pack=0 box=9 x=0 y=0 length=16\n", 2,
       "item length 16"},
      {"item length past the length byte", "menu 0\n\n  0 none length=129\n", 3,
       "item length 129"},
      {"padded record still too short", "menu 0\n  0 frame frame=1 x=0 y=0 w=1 h=1 length=19\n",
       2, "item length 19"},
      {"frame above 127", "menu 0\n  0 none\n  1 frame frame=128 x=0 y=0\n", 3, "frame 128"},
      {"negative frame", "menu 0\n  0 frame frame=-1 x=0 y=0\n", 2, "frame -1"},
      {"animation above 127", "menu 0\n  0 anim anim=200 x=0 y=0\n", 2, "animation 200"},
      {"highlight frame above 127",
       "menu 0 labels=1\n  0 frame frame=1 x=0 y=0 flags=select cursor=0 highlight=130\n", 2,
       "highlight 130"},
      {"cursor index at the label count",
       "menu 0 labels=2\n  0 frame frame=1 x=0 y=0 flags=select cursor=2 highlight=1\n", 2,
       "cursor index 2"},
      {"x beyond 16 bits", "menu 0\n  0 none x=40000 y=0\n", 2, "x 40000"},
      {"anchor past the grid", "menu 0\n  0 string pack=0 box=9 x=0 y=0 anchor=9\n", 2,
       "anchor 9"},
      {"fill beyond RGB", "menu 0\n  0 rect fill=0x1000000 w=1 h=1 x=0 y=0\n", 2, "fill"},
      {"alpha beyond a byte", "menu 0\n  0 rect fill=0 w=1 h=1 x=0 y=0 alpha=256\n", 2,
       "alpha 256"},
      {"too many ids", "menu 0 ids=" + [] {
         std::string ids = "0";
         for (int i = 1; i < 128; ++i) ids += "," + std::to_string(i);
         return ids;
       }() + "\n", 1, "more than 127 ids"},
      {"labels of zero", "menu 0 labels=0\n", 1, "labels"},
      {"list rows past the items", "menu 0 rows=3 first=1 ids=5,6,7,8\n  0 none\n  1 none\n", 1,
       "items 1..3"},
      {"string of no text pack", "menu 0\n  0 string pack=4 box=9 x=0 y=0\n", 2, "pack 4"},
      {"type of another kind", "menu 0\n  0 frame type=10 frame=1 x=0 y=0\n", 2,
       "type 10 is not a frame type"},
      {"unknown kind", "menu 0\n  0 sprite x=0 y=0\n", 2, "item kind"},
      {"unknown field", "menu 0\n  0 rect fill=0 w=1 h=1 x=0 y=0 frame=3\n", 2,
       "has no field frame"},
      {"unknown flag", "menu 0\n  0 none flags=hidden,shiny\n", 2, "shiny"},
      {"field given twice", "menu 0\n  0 none x=1 x=2 y=3\n", 2, "twice"},
      {"bad number", "menu 0\n  0 none x=1O y=3\n", 2, "bad number"},
      {"missing position", "menu 0\n  0 frame frame=1 x=3\n", 2, "needs x and y"},
      {"string without a box", "menu 0\n  0 string pack=0 x=0 y=0\n", 2, "pack and box"},
      {"size on a string", "menu 0\n  0 string pack=0 box=1 x=0 y=0 w=1 h=1\n", 2,
       "a string item has no field"},
      {"half a size", "menu 0\n  0 none x=0 y=0 w=4\n", 2, "w and h"},
      {"selectable without cursor", "menu 0\n  0 frame frame=1 x=0 y=0 flags=select\n", 2,
       "cursor and highlight"},
      {"cursor on a plain item", "menu 0\n  0 frame frame=1 x=0 y=0 cursor=0\n", 2,
       "selectable"},
      {"items out of order", "menu 0\n  0 none\n  2 none\n", 3, "expected 1"},
      {"menu out of order", "menu 0\nmenu 2\n", 2, "expected 1"},
      {"item before a menu", "  0 none\nmenu 0\n", 1, "before any menu"},
  };
  for (const Case& c : cases) {
    std::string error;
    const int given = c.source.find("menu 2") != std::string::npos ? 3 : 1;
    EXPECT_FALSE(compile(allMenus(c.source, given), &error)) << c.what;
    EXPECT_TRUE(namesLine(error, c.line)) << c.what << ": " << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
  }
}

TEST(MenuSource, AcceptsTheLimitsThemselves) {
  const std::string source =
      "menu 0 labels=128 rows=128 first=127 header=-128\n"
      "  0 frame frame=127 x=-32768 y=32767 pal=-128 alpha=255 flags=select cursor=127 "
      "highlight=127\n"
      "  1 none length=128\n"
      "  2 string pack=0 box=32767 x=0 y=0 anchor=8 mode=255 text=-1\n"
      "  3 rect fill=0xFFFFFF outline=0xFFFFFF w=32767 h=0 x=0 y=0 alpha=0\n";
  std::string error;
  EXPECT_TRUE(compile(allMenus(source, 1), &error)) << error;
}

TEST(MenuSource, RefusesAnythingButAllMenus) {
  std::string error;
  EXPECT_FALSE(compile("menu 0\n", &error));
  EXPECT_NE(error.find("1 menus, the game reads 79"), std::string::npos) << error;
  EXPECT_FALSE(compile(allMenus("menu 0\n", 1) + "menu 79\n", &error));
  EXPECT_NE(error.find("80 menus"), std::string::npos) << error;
}

// A blob of 32,767 bytes is the largest the signed offsets reach; one more byte is refused at
// the menu that crosses the limit.
TEST(MenuSource, BlobLimit) {
  auto source = [](int lastLength) {
    std::string s = "menu 0\n";
    for (int i = 0; i < 127; ++i) s += "  " + std::to_string(i) + " none length=128\n";
    s += "menu 1\n";
    for (int i = 0; i < 125; ++i) s += "  " + std::to_string(i) + " none length=128\n";
    s += "  125 none length=" + std::to_string(lastLength) + "\n";
    return allMenus(s, 2);
  };
  std::string error;
  EXPECT_TRUE(compile(source(37), &error)) << error;
  const std::string over = source(38);
  EXPECT_FALSE(compile(over, &error));
  const int lastLine = static_cast<int>(std::count(over.begin(), over.end(), '\n'));
  EXPECT_TRUE(namesLine(error, lastLine)) << error;
  EXPECT_NE(error.find("(menu 78)"), std::string::npos) << error;
  EXPECT_NE(error.find("32768 bytes"), std::string::npos) << error;
}

TEST(MenuSource, TextCheckTakesThePresentIds) {
  const std::string source =
      "menu 0 header=2 ids=3,4\n"
      "  0 string pack=0 box=9 x=0 y=0 text=5\n"
      "  1 string pack=0 box=9 x=0 y=0\n"  // no own text: nothing to check
      "menu 1\n"
      "  0 string pack=3 box=9 x=0 y=0 text=60\n";
  std::vector<MenuRecord> menus;
  std::string error;
  ASSERT_TRUE(parseMenuSource(source, &menus, &error)) << error;

  struct Case {
    std::set<std::pair<int, int>> present;
    const char* says;  // nullptr: accepted
  };
  const Case cases[] = {
      {{{2, 3}, {2, 4}, {0, 5}, {3, 60}}, nullptr},
      {{{2, 3}, {0, 5}, {3, 60}}, "line 1 (menu 0): id 4 is missing from text pack 2"},
      {{{2, 3}, {2, 4}, {3, 60}}, "line 2 (menu 0 item 0): text 5 is missing from text pack 0"},
      {{{2, 3}, {2, 4}, {0, 5}, {0, 60}}, "line 5 (menu 1 item 0): text 60 is missing from text pack 3"},
  };
  for (const Case& c : cases) {
    const TextPresence present = [&c](int pack, int id) { return c.present.count({pack, id}) != 0; };
    const bool ok = checkMenuTexts(menus, present, &error);
    if (c.says == nullptr) {
      EXPECT_TRUE(ok) << error;
    } else {
      EXPECT_FALSE(ok);
      EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
  }
}

}  // namespace
}  // namespace sorv::mkdata
