// CGame's array operations: sorting, searching, the bounded index walk, copies between
// element kinds and the record walks of the array tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/cgame.h"
#include "runtime/array.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {
namespace {

IntArray* ints(std::initializer_list<int32_t> values) {
  return Array::fillInts(Array::newIntArray(static_cast<int32_t>(values.size())), values);
}

std::vector<int32_t> valuesOf(Object* array) {
  std::vector<int32_t> out;
  auto* a = static_cast<Array*>(array);
  for (int32_t i = 0; i < a->length; i++) {
    switch (array->classId) {
      case kByteArray: out.push_back(static_cast<ByteArray*>(array)->elements()[i]); break;
      case kShortArray: out.push_back(static_cast<ShortArray*>(array)->elements()[i]); break;
      default: out.push_back(static_cast<IntArray*>(array)->elements()[i]); break;
    }
  }
  return out;
}

ObjectArray* rows(std::initializer_list<Object*> children) {
  ObjectArray* level = Array::newObjectArray(0, static_cast<int32_t>(children.size()));
  int32_t i = 0;
  for (Object* child : children) level->elements()[i++] = child;
  return level;
}

class ArrayUtilsTest : public RuntimeTest {};

TEST_F(ArrayUtilsTest, SortIsStableAndStaysInItsRange) {
  // Items are marked by their first position; equal keys must keep that order.
  IntArray* keys = ints({9, 3, 1, 3, 2, 1, 0});
  ObjectArray* items = Array::newObjectArray(0, 7);
  for (int32_t i = 0; i < 7; i++) items->elements()[i] = ints({i});
  CGame::sort(items, keys, 1, 5);
  EXPECT_EQ(valuesOf(keys), (std::vector<int32_t>{9, 1, 1, 2, 3, 3, 0}));
  std::vector<int32_t> order;
  for (int32_t i = 0; i < 7; i++) order.push_back(static_cast<IntArray*>(items->elements()[i])->elements()[0]);
  EXPECT_EQ(order, (std::vector<int32_t>{0, 2, 5, 4, 1, 3, 6}));

  LogCapture log;
  CGame::sort(items, keys, 3, 7);  // past the end: reported, nothing moved
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  EXPECT_EQ(valuesOf(keys), (std::vector<int32_t>{9, 1, 1, 2, 3, 3, 0}));
}

TEST_F(ArrayUtilsTest, NextIdxWalksToTheNearestFreeIndexAndAlwaysEnds) {
  struct Case {
    int32_t index, base, first, count;
    std::vector<int32_t> skip;
    bool backwards;
    int32_t expected;
  };
  const Case cases[] = {
      {2, 10, 10, 8, {}, false, 2},                  // nothing skipped
      {2, 10, 10, 8, {12, 13}, false, 4},            // forwards over two
      {2, 10, 10, 8, {12, 13}, true, 1},             // backwards over one
      {6, 10, 10, 8, {16, 17}, false, 5},            // turns back at the end
      {9, 10, 10, 8, {}, false, 7},                  // clamped to the end of the range
      {1, 10, 10, 8, {11, 10}, true, 0},             // stops at 0
      {3, 0, 0, 6, {0, 1, 2, 3, 4, 5}, false, 0},    // everything skipped, forwards
      {3, 0, 0, 6, {0, 1, 2, 3, 4, 5}, true, 0},     // everything skipped, backwards
      {0, 20, 10, 5, {}, false, 0},                  // window past the range
  };
  for (const Case& c : cases) {
    IntArray* skip = Array::newIntArray(static_cast<int32_t>(c.skip.size()));
    for (size_t i = 0; i < c.skip.size(); i++) skip->elements()[i] = c.skip[i];
    EXPECT_EQ(CGame::nextIdx(c.index, c.base, c.first, c.count, skip, c.backwards), c.expected)
        << "index " << c.index << " backwards " << c.backwards;
  }
}

TEST_F(ArrayUtilsTest, SearchSwapFillAndMerge) {
  ByteArray* bytes = Array::fillBytes(Array::newByteArray(3), {5, -1, 7});
  ShortArray* shorts = Array::fillShorts(Array::newShortArray(3), {300, -300, 300});
  IntArray* numbers = ints({1, 2, 3});
  EXPECT_EQ(CGame::contains(bytes, -1), 1);
  EXPECT_EQ(CGame::contains(shorts, 300), 0);
  EXPECT_EQ(CGame::contains(numbers, 4), -1);
  EXPECT_EQ(CGame::contains(Array::newObjectArray(0, 2), 0), -1);

  CGame::swap(bytes, 0, 0, 2);
  CGame::swap(shorts, 0, 1, 2);
  CGame::swap(numbers, 0, 0, 1);
  EXPECT_EQ(valuesOf(bytes), (std::vector<int32_t>{7, -1, 5}));
  EXPECT_EQ(valuesOf(shorts), (std::vector<int32_t>{300, 300, -300}));
  EXPECT_EQ(valuesOf(numbers), (std::vector<int32_t>{2, 1, 3}));
  ObjectArray* objects = rows({bytes, shorts});
  CGame::swap(objects, 0, 0, 1);
  EXPECT_EQ(objects->elements()[0], shorts);

  CGame::setArray(4, numbers);
  EXPECT_TRUE(CGame::isInArray(4, numbers));
  EXPECT_FALSE(CGame::isInArray(1, numbers));
  IntArray* target = ints({0, 0, 9});
  CGame::Vector2DCopy(target, ints({-3, 8}));
  EXPECT_EQ(valuesOf(target), (std::vector<int32_t>{-3, 8, 9}));

  EXPECT_EQ(valuesOf(CGame::mergeArrays(ints({1, 2}), 1, ints({3}), 1)), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(valuesOf(CGame::mergeArrays(nullptr, 1, ints({3}), 1)), (std::vector<int32_t>{3}));
  EXPECT_EQ(CGame::mergeArrays(nullptr, 1, nullptr, 1)->length, 0);
}

TEST_F(ArrayUtilsTest, ArrayCopyByKind) {
  struct Case {
    Object* src;
    int32_t srcDims;
    Object* dst;
    int32_t dstDims;
    bool throws;
    std::vector<int32_t> expected;  // the destination afterwards
  };
  IntArray* source = ints({300, -129, 70000});
  const Case cases[] = {
      {source, 1, Array::newIntArray(3), 1, false, {300, -129, 70000}},
      {source, 1, Array::newByteArray(3), 1, false, {44, 127, 112}},
      {source, 1, Array::newShortArray(3), 1, false, {300, -129, 4464}},
      {Array::newByteArray(3), 1, Array::newIntArray(3), 1, true, {0, 0, 0}},
      {Array::newShortArray(3), 1, Array::newByteArray(3), 1, true, {0, 0, 0}},
      {source, 1, Array::newByteArray(3), 2, true, {0, 0, 0}},
      {source, 2, Array::newByteArray(3), 2, true, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    CGame::arrayCopy(c.src, c.srcDims, 0, c.dst, c.dstDims, 0, 3);
    EXPECT_EQ(takeException(), c.throws ? kArrayStoreException : -1);
    EXPECT_EQ(valuesOf(c.dst), c.expected);
  }
  // Same array, null or nothing to copy: nothing happens, nothing is thrown.
  CGame::arrayCopy(source, 1, 0, source, 1, 1, 2);
  CGame::arrayCopy(nullptr, 1, 0, source, 1, 0, 2);
  CGame::arrayCopy(Array::newByteArray(3), 1, 0, source, 1, 0, 0);
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(valuesOf(source), (std::vector<int32_t>{300, -129, 70000}));
}

TEST_F(ArrayUtilsTest, ConvertArrayTypeKeepsTheShape) {
  ObjectArray* twoD = rows({ints({1, 256}), ints({-1}), ints({})});
  auto* bytes = static_cast<ObjectArray*>(CGame::convertArrayType(twoD, 0, 2));
  ASSERT_EQ(bytes->classId, kObjectArray);
  ASSERT_EQ(bytes->length, 3);
  EXPECT_EQ(bytes->elements()[0]->classId, kByteArray);
  EXPECT_EQ(valuesOf(bytes->elements()[0]), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(valuesOf(bytes->elements()[1]), (std::vector<int32_t>{-1}));
  EXPECT_EQ(valuesOf(bytes->elements()[2]).size(), 0u);

  ObjectArray* fourD = rows({rows({rows({ints({40000})}), rows({ints({2}), ints({3})})})});
  auto* shorts = static_cast<ObjectArray*>(CGame::convertArrayType(fourD, 1, 4));
  auto* inner = static_cast<ObjectArray*>(static_cast<ObjectArray*>(shorts->elements()[0])->elements()[1]);
  ASSERT_EQ(inner->length, 2);
  EXPECT_EQ(inner->elements()[1]->classId, kShortArray);
  EXPECT_EQ(valuesOf(inner->elements()[1]), (std::vector<int32_t>{3}));
  auto* first = static_cast<ObjectArray*>(static_cast<ObjectArray*>(shorts->elements()[0])->elements()[0]);
  EXPECT_EQ(valuesOf(first->elements()[0]), (std::vector<int32_t>{-25536}));

  EXPECT_EQ(CGame::convertArrayType(twoD, 2, 2), twoD);
  EXPECT_EQ(CGame::convertArrayType(nullptr, 0, 1), nullptr);
  EXPECT_EQ(CGame::convertArrayType(twoD, 0, 5), nullptr);

  EXPECT_EQ(valuesOf(CGame::to1DArray(twoD, 2)), (std::vector<int32_t>{1, 256, -1}));
  EXPECT_EQ(valuesOf(CGame::to1DArray(fourD, 4)), (std::vector<int32_t>{40000, 2, 3}));
  IntArray* flat = ints({7});
  EXPECT_EQ(CGame::to1DArray(flat, 1), flat);
}

// Records of 8 bytes: tag, u32 LE path, then three bytes the walks do not read.
ByteArray* records(std::initializer_list<std::pair<int, uint32_t>> list, int32_t extra = 0) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(list.size()) * 8 + extra);
  int32_t at = 0;
  for (auto [tag, path] : list) {
    a->elements()[at] = static_cast<int8_t>(tag);
    for (int b = 0; b < 4; b++) a->elements()[at + 1 + b] = static_cast<int8_t>(path >> (8 * b));
    at += 8;
  }
  return a;
}

TEST_F(ArrayUtilsTest, ChildAndLeafCountsStopAtTheDataEnd) {
  // A 3-D table [2][..]: a = 0 has rows 0..2, a = 1 rows 0..1, then another table's tag.
  ByteArray* desc = records({{5, 0x000}, {5, 0x001}, {5, 0x002}, {5, 0x100}, {5, 0x101}, {6, 0}});
  struct Case {
    int32_t offset, level, children, leaves;
  };
  const Case cases[] = {
      {0, 2, 2, 5},    // the whole table: two children, five leaves
      {0, 1, 3, 3},    // the first child's rows
      {24, 1, 2, 2},   // the second child's rows
      {32, 1, 2, 1},   // its last row alone
      {40, 1, 1, 1},   // the next table
      {48, 1, 1, 0},   // at the end
      {47, 1, 1, 0},   // a record cut by the end
      {-8, 1, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CGame::ChildNum(c.offset, c.level, desc), c.children) << "offset " << c.offset;
    EXPECT_EQ(CGame::LeafNum(c.offset, c.level, desc), c.leaves) << "offset " << c.offset;
  }
  // A last record whose tag and path are present counts even when its tail is cut.
  ByteArray* cut = records({{7, 0}, {7, 1}}, -3);
  EXPECT_EQ(CGame::LeafNum(0, 1, cut), 2);
  EXPECT_EQ(CGame::ChildNum(0, 1, cut), 2);
}

}  // namespace
}  // namespace sorv::test
