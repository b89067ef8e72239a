#include <gtest/gtest.h>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

class ResourcePackTest : public GameTest {
 protected:
  void open(const Bytes& packBytes, bool whole) {
    serve({{"p", asText(packBytes)}});
    CGame::Lib_Open(String::fromCString("p"), whole);
  }
  Bytes get(int32_t index, ByteArray* buffer = nullptr) {
    return contents(CGame::Lib_GetData(index, false, buffer));
  }
  static const inline std::vector<Bytes> kEntries = {{1, 2}, {3}, {4, 5, 6}, {7, 8, 9, 10}, {}};
};

TEST_F(ResourcePackTest, EntriesComeOutInBothModes) {
  for (bool whole : {false, true}) {
    SCOPED_TRACE(whole ? "whole" : "streaming");
    open(pack(kEntries), whole);
    EXPECT_EQ(CGame::libOffsetCount, 6);
    EXPECT_EQ(isNull(CGame::libStream.get()), whole) << "only streaming keeps the stream";
    EXPECT_EQ(get(0), kEntries[0]);
    EXPECT_EQ(get(2), kEntries[2]);
    EXPECT_EQ(get(3), kEntries[3]);
    EXPECT_EQ(CGame::Lib_GetData(4, false, nullptr), nullptr) << "an empty entry is null";
  }
}

TEST_F(ResourcePackTest, StreamingNeverGoesBackWholeModeDoes) {
  open(pack(kEntries), false);
  EXPECT_EQ(get(3), kEntries[3]);
  EXPECT_EQ(CGame::Lib_GetData(1, false, nullptr), nullptr);
  open(pack(kEntries), true);
  EXPECT_EQ(get(3), kEntries[3]);
  EXPECT_EQ(get(1), kEntries[1]);
  ByteArray* kept = CGame::Lib_GetData(2, false, nullptr);
  EXPECT_EQ(CGame::Lib_GetData(2, false, nullptr), kept) << "the stored array itself";
  CGame::Lib_FreeData(2);
  EXPECT_EQ(CGame::Lib_GetData(2, false, nullptr), nullptr);
  EXPECT_EQ(get(3), kEntries[3]) << "the others stay";
}

TEST_F(ResourcePackTest, CallersBufferIsUsedWhenLargeEnough) {
  struct Case {
    int32_t bufferLength;
    bool reused;
  };
  for (Case c : {Case{4, true}, Case{9, true}, Case{3, false}}) {
    SCOPED_TRACE(c.bufferLength);
    open(pack(kEntries), false);
    ByteArray* buffer = Array::newByteArray(c.bufferLength);
    for (int32_t i = 0; i < c.bufferLength; i++) buffer->elements()[i] = 99;
    ByteArray* got = CGame::Lib_GetData(3, false, buffer);
    EXPECT_EQ(got == buffer, c.reused);
    EXPECT_EQ(contents(got, 4), kEntries[3]);
    if (c.reused && c.bufferLength > 4) {
      EXPECT_EQ(got->elements()[4], 99) << "bytes past the entry stay";
    }
  }
}

TEST_F(ResourcePackTest, EntriesOutsideThePackPrintTheMessage) {
  LogCapture log;
  open(packHeader({0}), false);  // one offset: no entries at all
  const std::string message = String::toUtf8(StaticClass::getConstant(kConstLibIndexOutOfRange));
  for (int32_t index : {-1, 0, 1}) EXPECT_EQ(CGame::Lib_GetData(index, false, nullptr), nullptr);
  open(pack(kEntries), false);
  EXPECT_EQ(CGame::Lib_GetData(5, false, nullptr), nullptr);
  CGame::Lib_Close();
  EXPECT_EQ(CGame::libOffsetCount, 0);
  EXPECT_EQ(CGame::Lib_GetData(0, false, nullptr), nullptr) << "a closed pack has no entries";
  size_t lines = 0;
  for (size_t at = log.text().find(message); at != std::string::npos; at = log.text().find(message, at + 1)) lines++;
  EXPECT_EQ(lines, 5u);
}

TEST_F(ResourcePackTest, CutOrMissingHeadersLeaveThePackClosed) {
  struct Case {
    const char* what;
    Bytes bytes;
  };
  Bytes threeOffsetsOneThere = packHeader({0});
  threeOffsetsOneThere[0] = 3;
  Bytes halfAnOffset = packHeader({0, 4});
  halfAnOffset.resize(8);
  const Case cases[] = {{"nothing", {}},
                        {"one byte of the count", {2}},
                        {"two of three offsets missing", threeOffsetsOneThere},
                        {"half an offset", halfAnOffset}};
  for (bool whole : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      LogCapture log;
      open(c.bytes, whole);
      EXPECT_EQ(CGame::libOffsetCount, 0);
      EXPECT_EQ(CGame::libOffsets.get(), nullptr);
      EXPECT_EQ(CGame::libStream.get(), nullptr);
      EXPECT_TRUE(log.contains("cut or empty header"));
    }
  }
  LogCapture log;
  serve({});
  CGame::Lib_Open(String::fromCString("absent"), false);
  EXPECT_EQ(CGame::libOffsetCount, 0);
  EXPECT_TRUE(log.contains("no resource absent"));
}

TEST_F(ResourcePackTest, EntriesNotWhollyPresentAreNullWithOneLine) {
  // Offsets 0, 2, 1 (decreasing), 3, 40 (past the 3 data bytes), then 3 again.
  Bytes bytes = packHeader({0, 2, 1, 3, 40});
  bytes.insert(bytes.end(), {10, 11, 12});
  for (bool whole : {false, true}) {
    SCOPED_TRACE(whole ? "whole" : "streaming");
    LogCapture log;
    open(bytes, whole);
    EXPECT_EQ(get(0), (Bytes{10, 11}));
    EXPECT_EQ(CGame::Lib_GetData(1, false, nullptr), nullptr) << "negative size";
    EXPECT_EQ(CGame::Lib_GetData(2, false, nullptr), nullptr) << "starts before bytes already passed";
    EXPECT_EQ(CGame::Lib_GetData(3, false, nullptr), nullptr) << "runs past the pack";
    EXPECT_TRUE(log.contains("is not wholly in the pack"));
  }
}

TEST_F(ResourcePackTest, OpeningAnotherPackClosesTheFirst) {
  serve({{"a", asText(pack({{1}, {2}}))}, {"b", asText(pack({{3}}))}});
  CGame::Lib_Open(String::fromCString("a"), false);
  CGame::Lib_Open(String::fromCString("b"), true);
  EXPECT_EQ(CGame::libOffsetCount, 2);
  EXPECT_EQ(get(0), (Bytes{3}));
  EXPECT_EQ(CGame::Lib_GetData(1, false, nullptr), nullptr);
}

}  // namespace
}  // namespace sorv::test
