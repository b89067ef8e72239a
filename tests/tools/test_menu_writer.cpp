#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/menu_source.h"
#include "tools/mkdata/menu_writer.h"

namespace sorv::mkdata {
namespace {

// A reader of the menu entry written from the format alone, not from the game's reader.
int be16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int16_t>(b.at(at) << 8 | b.at(at + 1));
}

struct ReadItem {
  int length, type, id, flags, cursor, highlight;
  size_t q;  // payload offset in the blob
};

struct ReadMenu {
  size_t start = 0, end = 0;
  int labels = 0, itemCount = 0, first = 0, rows = 0, header = 0;
  std::vector<int> ids;
  std::vector<ReadItem> items;
};

struct ReadData {
  std::vector<uint8_t> blob;
  std::vector<ReadMenu> menus;
};

ReadData readMenuData(const std::vector<uint8_t>& entry) {
  ReadData data;
  const int total = static_cast<uint16_t>(be16(entry, 0));
  EXPECT_EQ(static_cast<size_t>(total) + 2, entry.size());
  data.blob.assign(entry.begin() + 2 + kMenuIndexBytes, entry.end());
  std::vector<size_t> starts{0};
  for (int k = 0; k < kMenuIndexEntries; ++k) {
    const int at = be16(entry, 2 + 2 * static_cast<size_t>(k));
    EXPECT_GE(at, 0);
    starts.push_back(static_cast<size_t>(at));
  }
  starts.push_back(data.blob.size());
  const std::vector<uint8_t>& b = data.blob;
  auto s8 = [&b](size_t at) { return static_cast<int>(static_cast<int8_t>(b.at(at))); };
  for (int m = 0; m < kMenuCount; ++m) {
    ReadMenu menu;
    menu.start = starts[static_cast<size_t>(m)];
    menu.end = starts[static_cast<size_t>(m) + 1];
    const size_t o = menu.start;
    menu.labels = s8(o) + 1;
    menu.itemCount = s8(o + 1);
    menu.first = s8(o + 2);
    menu.rows = s8(o + 3) + 1;
    menu.header = s8(o + 5);
    size_t p = o + 6;
    for (int i = 0; i < s8(o + 4); ++i, p += 2) menu.ids.push_back(be16(b, p));
    for (int i = 0; i < menu.itemCount; ++i) {
      ReadItem item{s8(p) + 1, s8(p + 1), s8(p + 2), s8(p + 3), -1, -1, p + 4};
      if ((item.flags & item_flags::kSelectable) != 0) {
        item.cursor = s8(p + 4);
        item.highlight = s8(p + 5);
        item.q = p + 10;
      }
      menu.items.push_back(item);
      p += static_cast<size_t>(item.length);
    }
    EXPECT_EQ(p, menu.end) << "menu " << m << " does not end where the next begins";
    data.menus.push_back(menu);
  }
  return data;
}

std::vector<uint8_t> realMenuData() {
  std::vector<uint8_t> entry;
  std::string error;
  EXPECT_TRUE(buildMenuData(defaultDataDir(), [](int, int) { return true; }, &entry, &error))
      << error;
  return entry;
}

TEST(MenuWriter, GoldenBytesOfAFixtureMenu) {
  const std::string source =
      "menu 0 labels=2 first=1 rows=2 header=2 ids=3,300\n"
      "  0 frame type=14 frame=5 x=-5 y=10 pal=1 alpha=128 flags=select,flipx cursor=1 "
      "highlight=6\n"
      "  1 string type=3 pack=2 text=7 x=260 y=-2 box=300 mode=1 anchor=8 pal=-1\n"
      "  2 rect x=1 y=2 w=3 h=4 fill=0x123456 alpha=200\n"
      "  3 anim type=20 anim=33 x=0 y=0 pal=0 flags=hidden,hold\n"
      "  4 none x=7 y=8 w=9 h=10\n"
      "  5 none\n"
      "menu 1\n";
  std::vector<uint8_t> entry;
  std::string error;
  ASSERT_TRUE(encodeMenuSource(source, &entry, &error)) << error;
  const std::vector<uint8_t> menu0 = {
      0x01, 0x06, 0x01, 0x01, 0x02, 0x02, 0x00, 0x03, 0x01, 0x2C,              // header, ids
      0x0F, 0x0E, 0x05, 0x05, 0x01, 0x06, 0x00, 0x00, 0x00, 0x00,              // frame, select
      0xFF, 0xFB, 0x00, 0x0A, 0x01, 0x80,                                      //   payload
      0x10, 0x03, 0x00, 0x00, 0x01, 0x04, 0xFF, 0xFE, 0xFF, 0x00, 0x02, 0x00,  // string
      0x07, 0x01, 0x2C, 0x01, 0x08,                                            //
      0x14, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x12, 0x34, 0x56,  // rect
      0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x03, 0x00, 0x04, 0xC8,                    //
      0x09, 0x14, 0x21, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF,              // anim
      0x13, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0, 0, 0, 0, 0, 0, 0, 0,  // sized none
      0x00, 0x09, 0x00, 0x0A,                                                  //
      0x03, 0x00, 0x00, 0x00,                                                  // bare none
  };
  const std::vector<uint8_t> empty = {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00};
  const size_t blobSize = menu0.size() + empty.size() * (kMenuCount - 1);
  ASSERT_EQ(entry.size(), 2 + kMenuIndexBytes + blobSize);
  EXPECT_EQ(entry[0] << 8 | entry[1], static_cast<int>(kMenuIndexBytes + blobSize));
  for (int k = 0; k < kMenuIndexEntries; ++k) {
    EXPECT_EQ(be16(entry, 2 + 2 * static_cast<size_t>(k)),
              static_cast<int>(menu0.size() + empty.size() * static_cast<size_t>(k)))
        << "index " << k;
  }
  const auto blob = entry.begin() + 2 + kMenuIndexBytes;
  EXPECT_EQ(std::vector<uint8_t>(blob, blob + static_cast<long>(menu0.size())), menu0);
  for (int m = 1; m < kMenuCount; ++m) {
    const auto at = blob + static_cast<long>(menu0.size() + empty.size() * static_cast<size_t>(m - 1));
    EXPECT_EQ(std::vector<uint8_t>(at, at + 6), empty) << "menu " << m;
  }
}

// Fixtures of broken data: a length override past the fields pads with zeros, one below
// them cuts the record, and either way the next record starts where the length says.
TEST(MenuWriter, LengthOverridesPadOrCut) {
  const std::string source =
      "menu 0\n"
      "  0 frame frame=3 x=1 y=2 length=14\n"
      "  1 string pack=2 text=9 box=5 x=1 y=2 length=6\n"
      "  2 none length=1\n";
  std::vector<uint8_t> entry;
  std::string error;
  ASSERT_TRUE(encodeMenuSource(source, &entry, &error)) << error;
  const ReadData data = readMenuData(entry);
  const ReadMenu& m = data.menus[0];
  ASSERT_EQ(m.items.size(), 3u);
  EXPECT_EQ(m.items[0].length, 14);
  EXPECT_EQ(m.items[1].length, 6);
  EXPECT_EQ(m.items[2].length, 1);
  const std::vector<uint8_t> cut(data.blob.begin() + static_cast<long>(m.items[1].q - 4),
                                 data.blob.begin() + static_cast<long>(m.items[1].q + 2));
  EXPECT_EQ(cut, (std::vector<uint8_t>{0x05, 0x02, 0x00, 0x00, 0x00, 0x01}));
  const std::vector<uint8_t> padded(data.blob.begin() + static_cast<long>(m.items[0].q + 6),
                                    data.blob.begin() + static_cast<long>(m.items[0].q + 10));
  EXPECT_EQ(padded, std::vector<uint8_t>(4, 0));
}

TEST(MenuData, SameBytesOnEveryBuildAndInTheArchive) {
  const std::vector<uint8_t> first = realMenuData();
  EXPECT_EQ(first, realMenuData());
  ASSERT_GE(first.size(), static_cast<size_t>(2 + kMenuIndexBytes));
  EXPECT_LT(first.size() - 2 - kMenuIndexBytes, static_cast<size_t>(kMenuBlobLimit));

  // The "menudata" pack of the archive holds the same bytes as its entry 0.
  ArchiveWriter archive;
  std::string error;
  ASSERT_TRUE(buildArchive(defaultDataDir(), &archive, &error)) << error;
  const std::vector<uint8_t> bar = archive.build();
  size_t at = 2;
  bool found = false;
  for (int i = 0, n = bar[0] << 8 | bar[1]; i < n; ++i) {
    const size_t len = static_cast<size_t>(bar[at] << 8 | bar[at + 1]);
    const std::string name(bar.begin() + static_cast<long>(at + 2),
                           bar.begin() + static_cast<long>(at + 2 + len));
    at += 2 + len;
    auto be32 = [&bar](size_t p) {
      return static_cast<size_t>(bar[p]) << 24 | bar[p + 1] << 16 | bar[p + 2] << 8 | bar[p + 3];
    };
    const size_t offset = be32(at), size = be32(at + 4);
    at += 8;
    if (name != "menudata") continue;
    found = true;
    const std::vector<uint8_t> pack(bar.begin() + static_cast<long>(offset),
                                    bar.begin() + static_cast<long>(offset + size));
    auto le32 = [&pack](size_t p) {
      return static_cast<size_t>(pack[p]) | pack[p + 1] << 8 | pack[p + 2] << 16 | pack[p + 3] << 24;
    };
    const size_t offsets = static_cast<size_t>(pack[0] | pack[1] << 8);
    const size_t base = 2 + 4 * offsets;
    ASSERT_GE(offsets, 2u);
    EXPECT_EQ(std::vector<uint8_t>(pack.begin() + static_cast<long>(base + le32(2)),
                                   pack.begin() + static_cast<long>(base + le32(6))),
              first);
  }
  EXPECT_TRUE(found);
}

// The data builder takes the texts a menu names from the English source: an id the source
// leaves out (an empty string in every language) is refused with the menu's line.
TEST(MenuData, TextsComeFromTheEnglishSource) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("menu_texts" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "texts");
  std::ofstream(dir / "texts" / "en.txt") << "[pack 0]\n0: EN\n5: Five\n[pack 2]\n3: Three\n";
  std::vector<std::u16string> constants(kConstantCount);
  constants[static_cast<size_t>(kConstLanguageCodes[kLanguageEN])] = u"EN";
  auto build = [&](int text, std::string* error) {
    std::string source = "menu 0 header=2 ids=3\n  0 string pack=0 box=9 x=0 y=0 text=" +
                         std::to_string(text) + "\n";
    for (int m = 1; m < kMenuCount; ++m) source += "menu " + std::to_string(m) + "\n";
    std::ofstream(dir / "menus.txt") << source;
    std::vector<uint8_t> entry;
    return buildMenuDataForTexts(dir.string(), constants, &entry, error);
  };
  std::string error;
  EXPECT_TRUE(build(5, &error)) << error;
  EXPECT_FALSE(build(4, &error));
  EXPECT_NE(error.find("menus.txt line 2 (menu 0 item 0): text 4 is missing from text pack 0"),
            std::string::npos)
      << error;
  fs::remove_all(dir);
}

TEST(MenuData, AllMenusPresentAndTheUnreferencedEmpty) {
  const ReadData data = readMenuData(realMenuData());
  const std::vector<int> unreferenced = {1, 2, 17, 21, 22, 23, 24, 59, 72, 75, 76, 78};
  ASSERT_EQ(data.menus.size(), static_cast<size_t>(kMenuCount));
  for (int m = 0; m < kMenuCount; ++m) {
    const ReadMenu& menu = data.menus[static_cast<size_t>(m)];
    const bool unused = std::count(unreferenced.begin(), unreferenced.end(), m) != 0;
    if (unused) {
      EXPECT_EQ(menu.end - menu.start, 6u) << "menu " << m;
      EXPECT_TRUE(menu.items.empty() && menu.ids.empty()) << "menu " << m;
    } else {
      EXPECT_FALSE(menu.items.empty()) << "menu " << m;
    }
  }
}

// Classes as the game's type table gives them; -1 draws nothing.
int classOfType(int type) {
  static const int kClass[34] = {4, 3, 2, 2, 2, 2, 2, 2, 2, 0, 1, 0, 0, 0, 0, 1, 0,
                                 1, 0, 0, 1, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, -1, 0};
  return type >= 0 && type < 34 ? kClass[type] : -1;
}

constexpr int kAny = -1;
constexpr int kSel = item_flags::kSelectable;
constexpr int kHid = item_flags::kHidden;

// Items the game's code addresses: their class (kAny: only the position is read), the flags
// they need and those they must not have, and whether a size is read from them.
struct Addressed {
  std::vector<int> menus;
  std::vector<int> items;
  int cls;
  int set = 0;
  int clear = 0;
  bool sized = false;
};

std::vector<int> range(int from, int to) {
  std::vector<int> v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}

const std::vector<Addressed>& addressedItems() {
  const std::vector<int> mainMenus = {5, 63, 64, 65};
  const std::vector<int> courts = {70, 71, 73, 74};
  static const std::vector<Addressed> kTable = {
      {{0}, {2}, 1, kHid},
      {{4}, {2}, 2, kHid},
      {mainMenus, {1, 2, 4, 5, 6}, 0},
      {mainMenus, {3, 7, 9}, 2},
      {mainMenus, {12, 13, 14, 15}, 0, kSel},
      {mainMenus, {16, 17, 18, 19}, 2, kSel},
      {{5}, {11, 24, 31}, kAny, kHid, 0, true},
      {{5}, {25, 26}, kAny, kHid},
      {{5}, {27, 28, 29, 30}, 1, kHid},
      {{63}, {24}, 1, kHid},
      {{63, 64, 65}, {25, 26}, kAny, kHid, 0, true},
      {{6}, {6}, 0, kHid},
      {{6}, {8}, kAny, kHid, 0, true},
      {{7}, {9, 10}, 2},
      {{7}, {12}, 0, kHid},
      {{7}, range(13, 19), 0},
      {{8}, {11}, 2},
      {{9}, {0, 3}, kAny},
      {{9}, {2, 4}, 2},
      {{10}, {1, 3, 5}, kAny},
      {{10}, {2, 4, 6}, 2},
      {{11}, {1}, kAny},
      {{12, 36, 61}, {0}, 3, kHid},
      {{12, 36, 61}, {1}, 0, kSel | kHid},
      {{12, 36, 61}, {2}, 2, kSel | kHid},
      {{12, 36, 61}, {3, 4}, 1, kHid},
      {{12, 36, 61}, {5}, 2},
      {{13}, {5}, kAny, kHid},
      {{13}, {8, 10}, 2},
      {{13}, {9}, 3, kHid},
      {{13}, {11, 12}, kAny},
      {{14}, {5, 6, 10}, kAny},
      {{14}, {14, 16}, 2},
      {{14}, {22, 23}, 1, kHid},
      {{18, 19, 20, 29, 30, 31}, {1}, 0, kHid},
      {{18, 19, 20, 30, 31}, {2}, 0, kHid},
      {{29}, {4}, 0, kHid},
      {{18}, {9, 10, 13}, kAny},
      {{19}, {10, 14}, kAny},
      {{19}, {11}, 2},
      {{19}, {15, 16}, 1, kHid},
      {{19}, {17}, 3, 0, kHid, true},
      {{20}, {9, 10}, kAny},
      {{20}, {11, 12}, 1, kHid},
      {{20}, {13}, 3, 0, 0, true},
      {{25}, {3, 4}, 2},
      {{26}, {2, 8}, 2},
      {{26}, {3, 4, 11}, kAny},
      {{26}, {5}, 3, kHid, 0, true},
      {{26}, {10}, 1},
      {{26}, {12, 13}, 1, kHid},
      {{27}, {7, 17, 18, 19, 20}, 2},
      {{27}, {9, 10, 21, 22}, kAny},
      {{27}, {28, 29}, 1, kHid},
      {{28}, {1, 2, 3}, 2},
      {{29}, {9, 10}, kAny},
      {{31}, {9, 33}, 2},
      {{31}, {18, 19, 29, 30}, kAny},
      {{31}, range(20, 28), 0, kHid},
      {{32}, {1}, 2},
      {{33}, {9}, kAny, 0, 0, true},
      {{33}, {10}, kAny},
      {{33}, {17}, 3, kHid},
      {{33}, {18}, 2},
      {{34}, {1, 2, 3}, 2},
      {{34}, {4}, 2, kHid},
      {{35}, {0, 2, 3, 6, 7, 8}, 0, 0, kSel},
      {{35}, {1, 4, 5}, 2},
      {{37}, {11, 12, 13, 14, 15, 16, 54, 65}, 2},
      {{37}, {55}, 0},
      {{37}, {56, 61, 62, 63, 64}, kAny},
      {{37}, {59, 60, 66, 67, 72, 73}, 1, kHid},
      {{38}, {10}, 2},
      {{38}, {11, 12}, kAny},
      {{38}, {19, 20}, 1, kHid},
      {{39}, {9, 10, 12, 13}, 2},
      {{39}, {11}, kAny, 0, 0, true},
      {{39}, range(14, 19), 1, kHid},
      {{40}, {11, 12, 19}, kAny},
      {{40}, {18}, 0},
      {{41}, {10}, 2},
      {{41}, {11}, kAny},
      {{41}, {14, 15}, 1, kHid},
      {{42}, {3}, 2},
      {{42}, {6}, kAny},
      {{42}, range(13, 18), 2},
      {{42}, {25}, 0, kHid, 0, true},
      {{42}, range(26, 30), 0, kHid},
      {{44}, range(1, 43), kAny},
      {{45}, {9, 11, 39}, 2},
      {{45}, range(19, 24), 2},
      {{45}, {31}, 0, kHid, 0, true},
      {{45}, range(32, 36), 0, kHid},
      {{45}, {37}, kAny},
      {{45}, {38}, 3, kHid, 0, true},
      {{45}, {40}, 1, kHid},
      {{45}, {41, 42}, 1},
      {{46}, {5, 6, 8}, 2},
      {{46}, {9}, 0, kHid},
      {{46}, {10}, kAny},
      {{47}, {9, 10, 13}, kAny},
      {{48}, {7, 9, 10}, kAny},
      {{48}, {14}, kAny, 0, 0, true},
      {{49}, {6, 7, 13, 14}, kAny},
      {{49}, {16}, 2},
      {{50}, {1, 3}, 3, kHid},
      {{50}, {2}, 0, kHid},
      {{50}, {4}, 1, kHid},
      {{50}, {5, 6}, 2},
      {{52}, {1}, 0, kHid},
      {{52}, {2, 4}, 2},
      {{52}, {3}, 3, kHid, 0, true},
      {{53}, {3}, 2},
      {{53}, {4}, 3},
      {{54}, {6, 7}, kAny},
      {{55}, {0, 1}, kAny},
      {{56}, {1}, 0, kHid},
      {{56}, {2, 4, 6}, 2},
      {{56}, {3, 5}, 3, kHid, 0, true},
      {{57}, {0}, kAny, kHid, kSel},
      {{57}, {1, 2}, 2},
      {{58}, {10, 11, 12, 13}, 2},
      {{58}, {14, 15}, kAny},
      {{60, 62}, {1, 2}, 2, kSel},
      {{60, 62}, {3}, 3, kHid},
      {{62}, {0}, 3, kHid},
      {{66}, {0}, 3, 0, 0, true},
      {{66}, {1}, 2},
      {{67}, {2, 3, 4, 5}, 2},
      {{68}, {1, 2}, 2},
      {{69}, {2, 3}, 2},
      {courts, range(0, 8), 0},
      {courts, {9, 10, 11, 12}, kAny},
      {courts, range(13, 17), 1},
      {courts, {18, 19}, 0},
      {courts, {20, 21}, 2},
      {{77}, {1, 2}, 2},
  };
  return kTable;
}

TEST(MenuData, AddressedItemsSitAtTheirIndicesWithClassAndFlags) {
  const ReadData data = readMenuData(realMenuData());
  for (const Addressed& a : addressedItems()) {
    for (int m : a.menus) {
      const ReadMenu& menu = data.menus[static_cast<size_t>(m)];
      for (int i : a.items) {
        SCOPED_TRACE("menu " + std::to_string(m) + " item " + std::to_string(i));
        ASSERT_LT(i, menu.itemCount);
        const ReadItem& item = menu.items[static_cast<size_t>(i)];
        const int cls = classOfType(item.type);
        if (a.cls != kAny) {
          EXPECT_EQ(cls, a.cls);
        }
        EXPECT_EQ(item.flags & a.set, a.set);
        EXPECT_EQ(item.flags & a.clear, 0);
        // The position is read for every class, the size where the caller asks for one.
        const size_t recordEnd = item.q - ((item.flags & kSel) != 0 ? 10u : 4u) +
                                 static_cast<size_t>(item.length);
        EXPECT_GE(recordEnd, item.q + 4) << "no position";
        if (a.sized) {
          EXPECT_NE(cls, 2) << "a string cannot hold a size";
          ASSERT_GE(recordEnd, item.q + 16) << "no size";
          EXPECT_GT(be16(data.blob, item.q + 12), 0);
          EXPECT_GT(be16(data.blob, item.q + 14), 0);
        }
        if ((item.flags & kSel) != 0) {
          EXPECT_LT(item.cursor, menu.labels);
        }
      }
    }
  }
}

TEST(MenuData, ListsAndRowsOfTheScreens) {
  const ReadData data = readMenuData(realMenuData());
  struct Lists {
    int menu, header, labels, rows, first;
    std::vector<int> ids;
  };
  const std::vector<int> main = {3, 4, 5, 12, 9, 8, 13};
  auto with = [&main](std::vector<int> extra, bool both) {
    std::vector<int> ids = main;
    ids.insert(ids.begin() + 3, extra[0]);
    if (both) ids.push_back(extra[1]);
    return ids;
  };
  const Lists cases[] = {
      {5, 2, 4, 4, 16, main},
      {63, 2, 4, 4, 16, with({272}, false)},
      {64, 2, 4, 4, 16, with({272, 273}, true)},
      {65, 2, 4, 4, 16, with({273}, false)},
      {18, 0, 2, 0, -1, {228, 229}},
      {29, 0, -1, 0, -1, {34, 77}},
      {19, 0, 1, 1, -1, {}},
      {26, 0, 3, 3, -1, {}},
  };
  for (const Lists& c : cases) {
    SCOPED_TRACE("menu " + std::to_string(c.menu));
    const ReadMenu& menu = data.menus[static_cast<size_t>(c.menu)];
    EXPECT_EQ(menu.ids, c.ids);
    if (!c.ids.empty()) {
      EXPECT_EQ(menu.header, c.header);
    }
    if (c.labels >= 0) {
      EXPECT_EQ(menu.labels, c.labels);
    }
    EXPECT_EQ(menu.rows, c.rows);
    if (c.first >= 0) {
      EXPECT_EQ(menu.first, c.first);
    }
  }
  // Lists whose length the screens fix, and the rows they show.
  EXPECT_EQ(data.menus[8].ids.size(), 2u);
  EXPECT_EQ(data.menus[8].rows, 2);
  EXPECT_EQ(data.menus[13].ids.size(), 4u);
  EXPECT_EQ(std::vector<int>(data.menus[13].ids.begin() + 2, data.menus[13].ids.end()),
            (std::vector<int>{10, 11}));
  EXPECT_GE(data.menus[13].rows, 4);
  EXPECT_EQ(data.menus[14].ids.size(), 5u);
  EXPECT_EQ(data.menus[14].labels, 5);
  EXPECT_EQ(data.menus[20].labels, data.menus[20].rows);
  EXPECT_LT(data.menus[20].rows, 15);
  EXPECT_LE(data.menus[38].ids.size(), 8u);  // seven topics at most, then the dropped id
  EXPECT_EQ(data.menus[47].ids.size(), 2u);
}

TEST(MenuData, LayoutRulesTheCodeReliesOn) {
  const ReadData data = readMenuData(realMenuData());
  auto pos = [&data](int m, int i) {
    const ReadItem& item = data.menus[static_cast<size_t>(m)].items[static_cast<size_t>(i)];
    return std::pair<int, int>(be16(data.blob, item.q), be16(data.blob, item.q + 2));
  };
  // Frame 119 is a soft-key button: left of x 60 or right of x 200.
  for (int m = 0; m < kMenuCount; ++m) {
    for (size_t i = 0; i < data.menus[static_cast<size_t>(m)].items.size(); ++i) {
      const ReadItem& item = data.menus[static_cast<size_t>(m)].items[i];
      if (classOfType(item.type) != 0 || item.id != 119) continue;
      const int x = pos(m, static_cast<int>(i)).first;
      EXPECT_TRUE(x < 60 || x > 200) << "menu " << m << " item " << i << " at x " << x;
    }
  }
  // Touch buttons are type-14 frames; soft-key buttons frame 119.
  struct Button {
    int menu, item, type, frame;
  };
  const Button buttons[] = {{3, 2, 14, -1},  {3, 3, 14, -1},  {8, 0, 14, -1},  {8, 1, 14, -1},
                            {35, 2, -1, 119}, {35, 3, -1, 119}, {13, 6, -1, 119}};
  for (const Button& b : buttons) {
    const ReadItem& item = data.menus[static_cast<size_t>(b.menu)].items[static_cast<size_t>(b.item)];
    EXPECT_EQ(classOfType(item.type), 0) << "menu " << b.menu << " item " << b.item;
    if (b.type >= 0) {
      EXPECT_EQ(item.type, b.type) << "menu " << b.menu << " item " << b.item;
      EXPECT_EQ(item.flags & kSel, kSel) << "menu " << b.menu << " item " << b.item;
    }
    if (b.frame >= 0) {
      EXPECT_EQ(item.id, b.frame) << "menu " << b.menu << " item " << b.item;
    }
  }
  for (int m : {5, 63, 64, 65}) {
    for (int i = 12; i < 16; ++i) {
      EXPECT_EQ(data.menus[static_cast<size_t>(m)].items[static_cast<size_t>(i)].type, 14);
    }
  }
  EXPECT_GT(pos(13, 6).first, 200);  // the options' back key is the right soft key
  // The labels fly to one x and each takes a 60-pixel touch row of its own.
  for (int m : {5, 63, 64, 65}) {
    for (int r = 1; r < 4; ++r) {
      EXPECT_EQ(pos(m, 12 + r).first, pos(m, 12).first) << "menu " << m;
      EXPECT_GE(pos(m, 12 + r).second - pos(m, 11 + r).second, 60) << "menu " << m;
    }
  }
  // The panel slides in from the left within 56 frames.
  const ReadItem& panel = data.menus[5].items[11];
  EXPECT_LT(be16(data.blob, panel.q), 0);
  EXPECT_LT(be16(data.blob, panel.q + 12), 336);
  // Every visible item of a whole-screen menu lies on the 800 x 480 screen.
  for (int m : {0, 3, 4, 5, 6, 7, 8, 13, 14, 18, 19, 20, 26, 27, 29, 30, 31, 32, 33, 35, 37,
                38, 39, 41, 45, 47, 48, 49, 51, 53, 57, 58, 63, 64, 65}) {
    const ReadMenu& menu = data.menus[static_cast<size_t>(m)];
    for (size_t i = 0; i < menu.items.size(); ++i) {
      const ReadItem& item = menu.items[i];
      if ((item.flags & kHid) != 0 || classOfType(item.type) == 4) continue;
      const auto [x, y] = pos(m, static_cast<int>(i));
      EXPECT_TRUE(x >= 0 && x <= 800 && y >= 0 && y <= 480) << "menu " << m << " item " << i;
    }
  }
}

}  // namespace
}  // namespace sorv::mkdata
