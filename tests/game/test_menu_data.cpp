#include <gtest/gtest.h>

#include "game/cgame.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

// A record without items: its id list and header, as the menu engine reads them.
Bytes menuRecord(int8_t header, const std::vector<int16_t>& ids) {
  Bytes r = {0, 0, 0, 0, static_cast<uint8_t>(ids.size()), static_cast<uint8_t>(header)};
  for (int16_t id : ids) putBe(r, static_cast<uint16_t>(id), 2);
  return r;
}

// The file of the records of menus 0.. (missing menus start and end at the blob's end).
Bytes menuFile(const std::vector<Bytes>& records) {
  Bytes blob;
  std::vector<uint32_t> starts;
  for (const Bytes& r : records) {
    starts.push_back(static_cast<uint32_t>(blob.size()));
    blob.insert(blob.end(), r.begin(), r.end());
  }
  Bytes file;
  putBe(file, static_cast<uint32_t>(kMenuIndexBytes + blob.size()), 2);
  for (int32_t m = 1; m < kMenuCount; m++)
    putBe(file, m < static_cast<int32_t>(starts.size()) ? starts[m] : static_cast<uint32_t>(blob.size()), 2);
  file.insert(file.end(), blob.begin(), blob.end());
  return file;
}

class MenuDataTest : public GameTest {
 protected:
  void load(const Bytes& file) {
    serve({{"menudata", asText(pack({file}))}}, {{kConstMenuDataPack, u"menudata"}});
    CGame::LoadMenuData();
  }
  static std::vector<int32_t> menu(int32_t id) {
    IntArray* list = CGame::GetMenu(id);
    if (isNull(list)) return {};
    return std::vector<int32_t>(list->elements(), list->elements() + list->length);
  }
};

TEST_F(MenuDataTest, EveryMenuReadsItsHeaderAndIds) {
  std::vector<Bytes> records;
  for (int32_t m = 0; m < kMenuCount; m++)
    records.push_back(m % 3 == 0 ? menuRecord(2, {}) : menuRecord(static_cast<int8_t>(m), {int16_t(m), -300}));
  load(menuFile(records));
  EXPECT_EQ(CGame::menuIndex->length, kMenuIndexEntries);
  for (int32_t m = 0; m < kMenuCount; m++) {
    if (m % 3 == 0) {
      EXPECT_TRUE(menu(m).empty()) << "an empty id list is null: " << m;
    } else {
      EXPECT_EQ(menu(m), (std::vector<int32_t>{m, m, -300})) << m;
    }
  }
  IntArray* first = CGame::GetMenu(1);
  EXPECT_EQ(CGame::GetMenu(1), first) << "the same menu again is the cached array";
  EXPECT_EQ(CGame::menuCacheId, 1);
}

TEST_F(MenuDataTest, AFileOfOnlyTheIndexHasNoMenus) {
  LogCapture log;
  load(menuFile({}));
  EXPECT_EQ(CGame::menuData->length, 0);
  for (int32_t m = 0; m < kMenuCount; m++) EXPECT_TRUE(menu(m).empty()) << m;
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(MenuDataTest, DamagedFilesKeepOnlyWhatIsThere) {
  Bytes longTotal = menuFile({menuRecord(2, {5, 6}), menuRecord(2, {7})});
  longTotal[0] = 0x7F;  // announces far more blob than follows
  Bytes cutIndex = menuFile({menuRecord(2, {5, 6})});
  cutIndex.resize(40);
  Bytes negativeOffset = menuFile({menuRecord(2, {5, 6}), menuRecord(2, {7})});
  negativeOffset[2] = 0x80;  // menu 1 at 0x80xx: negative as a signed offset
  Bytes pastTheBlob = menuFile({menuRecord(2, {5, 6}), menuRecord(2, {7})});
  pastTheBlob[2] = 0x10;
  Bytes listPastTheEnd = menuFile({menuRecord(2, {5, 6})});
  listPastTheEnd[kMenuIndexBytes + 2 + 4] = 100;  // menu 0 claims 100 ids
  struct Case {
    const char* what;
    Bytes file;
    int32_t blobLength;
    std::vector<int32_t> menu0, menu1;
    const char* line;
  };
  const Case cases[] = {
      {"total above the bytes", longTotal, 18, {2, 5, 6}, {2, 7}, "holds 18 of its"},
      {"cut in the index", cutIndex, 0, {}, {}, "holds 0 of its"},
      {"negative offset", negativeOffset, 18, {2, 5, 6}, {}, "1 menu offsets lie outside"},
      {"offset past the blob", pastTheBlob, 18, {2, 5, 6}, {}, "1 menu offsets lie outside"},
      {"id list past the end", listPastTheEnd, 10, {}, {}, "id list runs past"},
      {"no pack entry", {}, 0, {}, {}, "no menu data"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogCapture log;
    load(c.file);
    EXPECT_EQ(CGame::menuData->length, c.blobLength);
    EXPECT_EQ(menu(0), c.menu0);
    EXPECT_EQ(menu(1), c.menu1);
    EXPECT_TRUE(log.contains(c.line)) << log.text();
    EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  }
}

TEST_F(MenuDataTest, MenusOutsideTheFileAreReported) {
  load(menuFile({menuRecord(2, {5})}));
  LogCapture log;
  EXPECT_TRUE(menu(kMenuCount).empty());
  EXPECT_TRUE(menu(-1).empty());
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
}

}  // namespace
}  // namespace sorv::test
