#include <gtest/gtest.h>

#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

// Menu 0: a rectangle, then a selectable frame button with cursor index 1.
constexpr const char* kTwoItems = R"(
menu 0 labels=2
  0 rect x=-5 y=10 w=30 h=40 fill=0xFF0000 alpha=255
  1 frame type=19 frame=3 x=100 y=200 flags=select cursor=1 highlight=4
)";

// Where blob byte k of the encoded menu data lies.
constexpr size_t kBlob = 2 + kMenuIndexBytes;
constexpr size_t kFirstItem = kBlob + 6;       // menu 0 has no ids
constexpr size_t kSecondItem = kFirstItem + 21;  // after the 21-byte rectangle

std::vector<uint8_t> encoded(const char* source) {
  std::vector<uint8_t> entry;
  std::string error;
  EXPECT_TRUE(mkdata::encodeMenuSource(source, &entry, &error)) << error;
  return entry;
}

class MenuReaderTest : public MenuTest {};

TEST_F(MenuReaderTest, ItemsAreFoundAndTheirFieldsRead) {
  useMenus(kTwoItems);
  EXPECT_EQ(CGame::GetItemPointer(0, 0), 6);
  EXPECT_EQ(CGame::GetItemPointer(0, 1), 27);
  EXPECT_EQ(CGame::nextItemData(6), 27);
  EXPECT_EQ(CGame::GetMenuItemPosition(0, 0), 0x000AFFFB) << "x -5, y 10";
  EXPECT_EQ(CGame::GetMenuItemSize(0, 0), (40 << 16) | 30);
  EXPECT_EQ(CGame::GetMenuItemFrameID(0, 1), 3);
  EXPECT_EQ(CGame::GetMenuItemFrameID(0, 0), -1) << "a rectangle has no frame";
  EXPECT_EQ(CGame::GetMenuItemActionID(0, 1), -1);
  EXPECT_EQ(CGame::MenuGetItemLabelNum(0), 2);
  EXPECT_EQ(CGame::menuLabelNum, 2);
}

TEST_F(MenuReaderTest, ItemsAndMenusOutsideTheDataReadAsNothing) {
  useMenus(kTwoItems);
  LogCapture log;
  const struct {
    int32_t menu, item;
  } outside[] = {{0, 2}, {0, -1}, {1, 0}, {-1, 0}, {kMenuCount, 0}, {1000, 0}};
  for (const auto& c : outside) {
    SCOPED_TRACE(testing::Message() << c.menu << "/" << c.item);
    EXPECT_EQ(CGame::GetItemPointer(c.menu, c.item), -1);
    EXPECT_EQ(CGame::GetMenuItemPosition(c.menu, c.item), 0);
    EXPECT_EQ(CGame::GetMenuItemSize(c.menu, c.item), 0);
    EXPECT_EQ(CGame::GetMenuItemFrameID(c.menu, c.item), -1);
    EXPECT_EQ(CGame::GetMenuItemActionID(c.menu, c.item), -1);
    EXPECT_EQ(CGame::MenuGetItemSprite(c.menu, c.item), nullptr);
  }
  EXPECT_EQ(CGame::nextItemData(-1), -1);
  EXPECT_EQ(CGame::MenuGetItemLabelNum(kMenuCount), 0);
  EXPECT_TRUE(isNull(CGame::MenuGetMenuItemList(2))) << "a menu without ids";
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

TEST_F(MenuReaderTest, DamagedRecordsLogOnceAndReadAsNoData) {
  struct Case {
    const char* what;
    size_t at;
    uint8_t value;
  };
  const Case cases[] = {
      {"length byte -1", kFirstItem, 0xFF},
      {"length byte -100", kFirstItem, 0x9C},
      {"item count past the data", kBlob + 1, 100},
      {"payload shorter than its class", kFirstItem, 10},
      {"cursor index outside the labels", kSecondItem + 4, 2},
      {"negative cursor index", kSecondItem + 4, 0xFE},
      {"id count past the data", kBlob + 4, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> entry = encoded(kTwoItems);
    entry[c.at] = c.value;
    LogCapture log;
    useMenuEntry(entry);
    clear();
    CGame::DrawMenu(0, true);
    CGame::DrawMenuItem(0, 0);
    CGame::MenuProcessInput(0, nullptr, 0, true);
    EXPECT_EQ(CGame::MenuOffset(0), -1);
    EXPECT_EQ(CGame::GetItemPointer(0, 0), -1);
    EXPECT_TRUE(isNull(CGame::GetMenu(0)));
    EXPECT_EQ(CGame::GetMenuItemPosition(0, 0), 0);
    EXPECT_TRUE(blank(0, 0, 200, 200)) << "nothing drawn";
    const std::string text = log.text();
    size_t lines = 0;
    for (size_t i = text.find("read as no data"); i != std::string::npos; i = text.find("read as no data", i + 1)) lines++;
    EXPECT_EQ(lines, 1u) << text;
    EXPECT_FALSE(log.contains("ArrayOutOfBound")) << text;
    EXPECT_FALSE(log.contains("NullPointer")) << text;
  }
}

TEST_F(MenuReaderTest, TheShippedMenusPassTheChecks) {
  LogCapture log;
  useShippedData();
  EXPECT_FALSE(log.contains("read as no data")) << log.text();
  int32_t withData = 0;
  for (int32_t m = 0; m < kMenuCount; m++) {
    if (CGame::MenuOffset(m) >= 0) withData++;
    const int32_t items = CGame::MenuOffset(m) < 0 ? 0 : CGame::menuData->elements()[CGame::MenuOffset(m) + 1];
    if (items == 0) {
      EXPECT_EQ(CGame::GetItemPointer(m, 0), -1) << "an unreferenced menu reads as empty: " << m;
    }
  }
  EXPECT_EQ(withData, kMenuCount);
}

}  // namespace
}  // namespace sorv::test
