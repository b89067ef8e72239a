// The array tree: hand-built tables of every dimension count and width, damaged nodes and
// rows, and the whole tree that the data builder writes, loaded through the boot pack.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "game/array_tree.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/static_class.h"
#include "tests/game/game_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/array_tree_writer.h"

namespace sorv::test {
namespace {

// A loaded table as text: [1,2] for a row, nested brackets for the levels above.
std::string nested(Object* o) {
  if (isNull(o)) return "null";
  std::string out = "[";
  auto* a = static_cast<Array*>(o);
  for (int32_t i = 0; i < a->length; i++) {
    if (i > 0) out += ",";
    switch (o->classId) {
      case kByteArray: out += std::to_string(static_cast<ByteArray*>(o)->elements()[i]); break;
      case kShortArray: out += std::to_string(static_cast<ShortArray*>(o)->elements()[i]); break;
      case kIntArray: out += std::to_string(static_cast<IntArray*>(o)->elements()[i]); break;
      default: out += nested(static_cast<ObjectArray*>(o)->elements()[i]); break;
    }
  }
  return out + "]";
}

// The innermost arrays' class, or -1 when they differ.
int32_t rowClass(Object* o) {
  if (isNull(o) || o->classId != kObjectArray) return isNull(o) ? -1 : o->classId;
  auto* level = static_cast<ObjectArray*>(o);
  int32_t found = -1;
  for (int32_t i = 0; i < level->length; i++) {
    const int32_t c = rowClass(level->elements()[i]);
    if (found != -1 && c != found) return -2;
    found = c;
  }
  return found;
}

std::string nested(const mkdata::ArrayLevel& level) {
  std::string out = "[";
  for (size_t i = 0; i < level.values.size(); i++) out += (i ? "," : "") + std::to_string(level.values[i]);
  for (size_t i = 0; i < level.rows.size(); i++) out += (i ? "," : "") + nested(level.rows[i]);
  return out + "]";
}

struct Row {
  uint32_t path;
  std::vector<int64_t> values;
};

// A descriptor and values entry built node by node, each table after a 3-byte header.
struct HandTree {
  Bytes desc, data;

  int32_t table(int width, uint8_t tag, const std::vector<Row>& rows) {
    desc.insert(desc.end(), {static_cast<uint8_t>(width), 0, 0});
    const auto pos = static_cast<int32_t>(desc.size());
    for (const Row& r : rows) {
      const auto offset = static_cast<uint32_t>(data.size());
      desc.push_back(tag);
      putLe(desc, r.path, 4);
      desc.push_back(static_cast<uint8_t>(r.values.size()));
      putLe(desc, offset, 2);
      for (int64_t v : r.values) putLe(data, static_cast<uint32_t>(v), 1 << width);
    }
    return pos;
  }
  // A table, then another one after it that the walks must not run into.
  int32_t tableThenAnother(int width, const std::vector<Row>& rows) {
    const int32_t pos = table(width, 5, rows);
    table(0, 6, {{0, {99}}});
    return pos;
  }
};

class ArrayTreeTest : public GameTest {
 protected:
  static int32_t treeLines(const LogCapture& log) {
    const std::string text = log.text();
    int32_t n = 0;
    for (size_t at = text.find("CGame.loadArray:"); at != std::string::npos; at = text.find("CGame.loadArray:", at + 1)) n++;
    return n;
  }
  Object* load(const HandTree& t, int32_t dims, int32_t pos, int32_t kind = 2, int32_t typePos = INT_MIN) {
    return CGame::loadArray(dims, pos, typePos == INT_MIN ? pos - 3 : typePos, kind, bytes(t.desc), bytes(t.data));
  }
};

TEST_F(ArrayTreeTest, HandBuiltTablesOfEveryShapeAndWidth) {
  struct Case {
    int dims, width;
    std::vector<Row> rows;
    std::string expected;
  };
  const Case cases[] = {
      {1, 0, {{0, {-1, 127, -128}}}, "[-1,127,-128]"},
      {1, 1, {{0, {-1, 32767, -32768}}}, "[-1,32767,-32768]"},
      {1, 2, {{0, {-1, INT_MAX, INT_MIN}}}, "[-1,2147483647,-2147483648]"},
      {1, 0, {{0, {}}}, "[]"},
      {2, 0, {{0, {1, 2}}, {1, {}}, {2, {-3}}}, "[[1,2],[],[-3]]"},
      {2, 2, {{0, {70000}}, {1, {-70000, 5}}}, "[[70000],[-70000,5]]"},
      {3, 1, {{0x000, {1}}, {0x001, {2, -300}}, {0x100, {-4}}}, "[[[1],[2,-300]],[[-4]]]"},
      {3, 0, {{0x000, {1}}, {0x100, {2}}, {0x101, {3}}, {0x102, {-4}}}, "[[[1]],[[2],[3],[-4]]]"},
      {4, 2, {{0x00000, {5}}, {0x00100, {6}}, {0x10000, {-7}}, {0x10001, {8}}}, "[[[[5]],[[6]]],[[[-7],[8]]]]"},
      {4, 0, {{0x00000, {1, 2}}, {0x00001, {3}}, {0x00100, {-4}}}, "[[[[1,2],[3]],[[-4]]]]"},
  };
  for (const Case& c : cases) {
    HandTree t;
    const int32_t pos = t.tableThenAnother(c.width, c.rows);
    LogCapture log;
    Object* loaded = load(t, c.dims, pos);
    EXPECT_EQ(nested(loaded), c.expected) << c.dims << "-D, width " << c.width;
    EXPECT_EQ(rowClass(loaded), kIntArray);
    EXPECT_EQ(treeLines(log), 0);
  }
}

TEST_F(ArrayTreeTest, ElementKindsNarrowTheRows) {
  HandTree t;
  const int32_t pos = t.tableThenAnother(1, {{0, {300, -2}}, {1, {-129}}});
  Object* asBytes = load(t, 2, pos, 0);
  EXPECT_EQ(nested(asBytes), "[[44,-2],[127]]");
  EXPECT_EQ(rowClass(asBytes), kByteArray);
  Object* asShorts = load(t, 2, pos, 1);
  EXPECT_EQ(nested(asShorts), "[[300,-2],[-129]]");
  EXPECT_EQ(rowClass(asShorts), kShortArray);
}

TEST_F(ArrayTreeTest, DamagedNodesAndRowsReadAsEmptyWithOneLine) {
  HandTree base;
  const int32_t pos = base.tableThenAnother(1, {{0, {10, 20}}});
  const auto size = static_cast<int32_t>(base.desc.size());
  struct Case {
    const char* what;
    int32_t dims, pos, typePos;
    void (*damage)(HandTree&, int32_t pos);
    std::string expected;
    int32_t lines;
  };
  const Case cases[] = {
      {"node past the end", 1, size, size - 3, nullptr, "[]", 1},
      {"node cut by the end", 1, size - 4, size - 7, nullptr, "[]", 1},
      {"negative position", 1, -5, -8, nullptr, "[]", 1},
      {"negative count", 1, pos, pos - 3, [](HandTree& t, int32_t p) { t.desc[p + 5] = 0xF0; }, "[]", 0},
      {"negative offset", 1, pos, pos - 3, [](HandTree& t, int32_t p) { t.desc[p + 7] = 0x80; }, "[]", 1},
      {"row past the values", 1, pos, pos - 3, [](HandTree& t, int32_t p) { t.desc[p + 5] = 100; }, "[]", 1},
      {"offset past the values", 1, pos, pos - 3, [](HandTree& t, int32_t p) { t.desc[p + 6] = 0xF0; }, "[]", 1},
      {"width code outside", 1, pos, -1, nullptr, "[]", 1},
      {"unknown width code", 1, pos, pos - 3, [](HandTree& t, int32_t p) { t.desc[p - 3] = 7; }, "[]", 1},
      {"2-D rows past the end", 2, size - 8, size - 11, [](HandTree& t, int32_t) { t.desc[t.desc.size() - 7] = 3; }, "[[99]]", 1},
      {"no dimensions", 0, pos, pos - 3, nullptr, "null", 0},
      {"five dimensions", 5, pos, pos - 3, nullptr, "null", 0},
  };
  for (const Case& c : cases) {
    HandTree t = base;
    if (c.damage != nullptr) c.damage(t, c.pos);
    LogCapture log;
    EXPECT_EQ(nested(load(t, c.dims, c.pos, 2, c.typePos)), c.expected) << c.what;
    EXPECT_EQ(treeLines(log), c.lines) << c.what;
  }
}

TEST_F(ArrayTreeTest, GarbageTreesStayWithinTheNodesThereAre) {
  // Every node claims the highest index at every level: a naive walk would build 256^3 rows.
  HandTree t;
  std::vector<Row> rows;
  for (int i = 0; i < 40; i++) rows.push_back({0xFFFFFF, {static_cast<int64_t>(i)}});
  const int32_t pos = t.table(0, 9, rows);
  for (int32_t dims = 2; dims <= 4; dims++) {
    LogCapture log;
    Object* loaded = load(t, dims, pos);
    EXPECT_LE(CGame::to1DArray(loaded, dims)->length, 40) << dims;
    EXPECT_EQ(treeLines(log), 1) << dims;
  }
  LogCapture log;
  EXPECT_EQ(CGame::loadArray(1, 0, 0, 2, nullptr, bytes(t.data)), nullptr);
  EXPECT_TRUE(log.contains("NullPointer"));
}

class ArrayTreeDataTest : public ArrayTreeTest {
 protected:
  void SetUp() override {
    ArrayTreeTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::arrayTreeEntries(mkdata::defaultDataDir(), &tree_, &error)) << error;
    std::string source;
    ASSERT_TRUE(mkdata::readSourceFile(std::string(mkdata::defaultDataDir()) + "/arrays.txt", &source, &error));
    ASSERT_TRUE(mkdata::readArraySource(source, &source_, &error)) << error;
  }
  // Serves the boot pack with the builder's tree and loads it the way the boot state does.
  void loadBootTree(const Bytes& data, const Bytes& descriptor) {
    serve({{"boot", asText(pack({{0}, data, descriptor, {0, 0}}))}});
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CGame::initArrays();
    CGame::Lib_Close();
  }

  mkdata::ArrayTreeEntries tree_;
  std::vector<mkdata::ArraySourceTable> source_;
};

TEST_F(ArrayTreeDataTest, EveryTableLoadsWithTheSourcesShapeAndValues) {
  LogCapture log;
  loadBootTree(tree_.data, tree_.descriptor);
  const int32_t rowClasses[] = {kByteArray, kShortArray, kIntArray};
  for (const ArrayTable& t : kArrayTables) {
    Object* loaded = array_tree::table(t.id);
    std::string expected = nested(source_[static_cast<size_t>(t.id)].values);
    if (t.flattened) {
      std::string flat;
      for (char c : expected) {
        if (c != '[' && c != ']') flat += c;
      }
      expected = "[" + flat + "]";
    }
    EXPECT_EQ(nested(loaded), expected) << t.name;
    EXPECT_EQ(rowClass(loaded), rowClasses[t.kind]) << t.name;
  }
  EXPECT_EQ(CGame::tournamentTable->length, 23 * 11);
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  EXPECT_FALSE(log.contains("CGame.loadArray"));
}

TEST_F(ArrayTreeDataTest, TheTablesMeetTheirReadersRules) {
  loadBootTree(tree_.data, tree_.descriptor);
  auto at = [](Object* rows, int32_t i) { return static_cast<IntArray*>(static_cast<ObjectArray*>(rows)->elements()[i]); };
  ShortArray* thresholds = CGame::attrThresholds;
  EXPECT_GE(thresholds->elements()[0], 1);
  for (int32_t i = 1; i < thresholds->length; i++) EXPECT_GT(thresholds->elements()[i], thresholds->elements()[i - 1]);
  for (int32_t row = 0; row < 23; row++) {
    const int8_t* r = CGame::tournamentTable->elements() + 11 * row;
    EXPECT_TRUE(r[0] >= 0 && r[0] <= 3 && r[1] >= 0 && r[1] <= 4 && r[2] >= 0 && r[2] <= 2) << row;
    EXPECT_TRUE(r[3] >= 3 && r[3] <= 4) << row;
  }
  EXPECT_EQ(CGame::tournamentTable->elements()[2 * 11], 2);  // the main tournaments
  EXPECT_EQ(CGame::tournamentTable->elements()[4 * 11], 2);
  // The options each decision offers together weigh 100 at every level.
  const std::vector<std::pair<int32_t, std::vector<int32_t>>> offered = {{0, {0, 1}}, {1, {4, 5}}, {1, {2, 3}}, {3, {0, 1}}};
  for (const auto& [kind, options] : offered) {
    Object* kindRows = static_cast<ObjectArray*>(CPlayer::aiWeights.get())->elements()[kind];
    for (int32_t level = 0; level < 5; level++) {
      int32_t sum = 0;
      for (int32_t o : options) sum += at(kindRows, o)->elements()[level];
      EXPECT_EQ(sum, 100) << "kind " << kind << " level " << level;
    }
  }
  // Colour groups paint inside entries 2..31 without overlapping.
  int32_t next = 2;
  for (int32_t g = 0; g < kColourGroupCount; g++) {
    IntArray* range = at(CGame::colourGroupRanges.get(), g);
    EXPECT_GE(range->elements()[0], next);
    next = range->elements()[0] + range->elements()[1];
  }
  EXPECT_LE(next, 32);
  EXPECT_EQ(CTennis::courtLossTable->length, 12);
  EXPECT_GT(CPlayer::runSpeedSide->elements()[0], 0);
}

TEST_F(ArrayTreeDataTest, AMissingTreeLeavesEveryTableEmptyWithOneLine) {
  LogCapture log;
  serve({{"boot", asText(pack({{0}}))}});
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CGame::initArrays();
  for (const ArrayTable& t : kArrayTables) EXPECT_EQ(array_tree::table(t.id), nullptr) << t.name;
  EXPECT_TRUE(log.contains("no array tree"));
  EXPECT_FALSE(log.contains("NullPointer"));
}

}  // namespace
}  // namespace sorv::test
