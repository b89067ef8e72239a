#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/lang_system.h"
#include "runtime/operand_stack.h"
#include "tests/runtime/classlib_fixture.h"

namespace sorv {
namespace {

using test::ClassLibTest;
using test::LogCapture;

class Arrays : public ClassLibTest {};

TEST_F(Arrays, EveryKindHasItsClassElementSizeAndZeroedData) {
  struct Case {
    Array* array;
    ClassId id;
    int32_t size;
    int32_t kind;
  };
  const Case cases[] = {
      {Array::newObjectArray(0, 3), kObjectArray, static_cast<int32_t>(sizeof(Object*)), 3},
      {Array::newBooleanArray(3), kBoolArray, 1, 3},
      {Array::newByteArray(3), kByteArray, 1, 0},
      {Array::newCharArray(3), kCharArray, 2, 3},
      {Array::newShortArray(3), kShortArray, 2, 1},
      {Array::newIntArray(3), kIntArray, 4, 2},
      {Array::newLongArray(3), kLong64Array, 8, 3},
      {Array::newFloatArray(3), kFloatArray, 4, 3},
      {Array::newDoubleArray(3), kDoubleArray, 8, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(c.array, nullptr);
    EXPECT_EQ(c.array->classId, c.id);
    EXPECT_EQ(c.array->length, 3);
    EXPECT_EQ(c.array->elementSize(), c.size);
    EXPECT_EQ(Array::elementSizeOf(c.id), c.size);
    EXPECT_EQ(Array::elementKind(c.array), c.kind);
    std::vector<char> zeros(3 * c.size, 0);
    EXPECT_EQ(std::memcmp(c.array->data, zeros.data(), zeros.size()), 0);
  }
  EXPECT_EQ(Array::elementKind(test::str("x")), -1);
  EXPECT_EQ(Array::elementKind(nullptr), -1);
}

TEST_F(Arrays, EmptyAndNegativeLengthsHaveNoDataAndEveryAccessIsOutOfBounds) {
  LogCapture log;
  IntArray* empty = Array::newIntArray(0);
  EXPECT_EQ(empty->data, nullptr);
  EXPECT_FALSE(log.contains("length of array"));
  IntArray* negative = Array::newIntArray(-1);
  EXPECT_TRUE(log.contains("length of array should be >= 0"));
  EXPECT_EQ(negative->data, nullptr);
  for (IntArray* a : {empty, negative}) {
    log.clear();
    EXPECT_EQ(ArrayAccess::getInt(a, 0), 0);
    EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  }
}

TEST_F(Arrays, CheckedAccessOutsideLogsATraceLoadsZeroAndChangesNothing) {
  IntArray* a = Array::newIntArray(4);
  Array::fillInts(a, {1, 2, 3, 4});
  for (int32_t index : {-1, 4, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(index);
    LogCapture log;
    {
      SORV_FRAME("Test.outer()V");
      SORV_FRAME("Test.inner()V");
      EXPECT_EQ(ArrayAccess::getInt(a, index), 0);
      ArrayAccess::setInt(a, index, 99);
    }
    std::string text = log.text();
    EXPECT_NE(text.find("ArrayOutOfBound\nstacktrace:\nTest.inner()V\nTest.outer()V\n"), std::string::npos) << text;
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(a->elements()[i], i + 1);
  }
  LogCapture log;
  EXPECT_EQ(ArrayAccess::getInt(nullptr, 0), 0);
  EXPECT_TRUE(log.contains("NullPointer"));
  ShortArray* s = Array::newShortArray(1);
  ArrayAccess::setShort(s, 0, 0x18000);
  EXPECT_EQ(ArrayAccess::getShort(s, 0), -32768);
  ByteArray* b = Array::newByteArray(1);
  ArrayAccess::setByte(b, 0, 0x1FF);
  EXPECT_EQ(ArrayAccess::getByte(b, 0), -1);
}

TEST_F(Arrays, LiteralFillersCheckTheArrayAndTheCount) {
  ShortArray* s = Array::fillShorts(Array::newShortArray(3), {1, 0x12345, -1});
  EXPECT_EQ(s->elements()[1], 0x2345);
  EXPECT_EQ(s->elements()[2], -1);
  ByteArray* b = Array::fillBytes(Array::newByteArray(2), {0x180, 7});
  EXPECT_EQ(b->elements()[0], -128);
  LogCapture log;
  IntArray* small = Array::newIntArray(2);
  Array::fillInts(small, {1, 2, 3});
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  EXPECT_EQ(small->elements()[0], 0);
  log.clear();
  EXPECT_EQ(Array::fillInts(nullptr, {1}), nullptr);
  Array::fillInts(small, nullptr, 2);
  EXPECT_TRUE(log.contains("NullPointer"));
}

TEST_F(Arrays, ElementDataSurvivesCompaction) {
  Long64Array* a = Array::newLongArray(100);
  for (int32_t i = 0; i < 100; ++i) a->elements()[i] = int64_t{i} << 40;
  app_->bufferHeap->moveAllBlocks();
  app_->bufferHeap->moveAllBlocks();
  for (int32_t i = 0; i < 100; ++i) ASSERT_EQ(a->elements()[i], int64_t{i} << 40);
  EXPECT_TRUE(app_->bufferHeap->check());
}

// ---- System::arraycopy

class ArrayCopy : public ClassLibTest {
 protected:
  IntArray* ints(std::initializer_list<int32_t> values) {
    IntArray* a = Array::newIntArray(static_cast<int32_t>(values.size()));
    return Array::fillInts(a, values);
  }
  static std::vector<int32_t> contents(IntArray* a) { return {a->elements(), a->elements() + a->length}; }
};

TEST_F(ArrayCopy, OverlappingShiftsMoveCorrectlyBothWays) {
  IntArray* up = ints({1, 2, 3, 4, 5});
  System::arraycopy(up, 0, up, 1, 4);
  EXPECT_EQ(contents(up), (std::vector<int32_t>{1, 1, 2, 3, 4}));
  IntArray* down = ints({1, 2, 3, 4, 5});
  System::arraycopy(down, 1, down, 0, 4);
  EXPECT_EQ(contents(down), (std::vector<int32_t>{2, 3, 4, 5, 5}));
}

TEST_F(ArrayCopy, WideAndReferenceElementsMoveWhole) {
  DoubleArray* d = Array::newDoubleArray(3);
  d->elements()[0] = 1.0 / 3.0;
  d->elements()[1] = -2.5e300;
  DoubleArray* e = Array::newDoubleArray(3);
  System::arraycopy(d, 0, e, 1, 2);
  EXPECT_EQ(e->elements()[1], 1.0 / 3.0);
  EXPECT_EQ(e->elements()[2], -2.5e300);
  ObjectArray* o = Array::newObjectArray(0, 2);
  o->elements()[0] = test::str("kept");
  ObjectArray* p = Array::newObjectArray(0, 2);
  System::arraycopy(o, 0, p, 1, 1);
  EXPECT_EQ(p->elements()[1], o->elements()[0]);
}

TEST_F(ArrayCopy, ChecksRunInOrderAndAFailureCopiesNothing) {
  struct Case {
    const char* name;
    bool nullSource;
    bool floatTarget;
    int32_t srcPos, dstPos, length;
    const char* log;
  };
  const Case cases[] = {
      {"null first", true, true, -1, -1, -1, "NullPointerException"},
      {"kind before length", false, true, -1, -1, -1, "ArrayStoreException"},
      {"length before positions", false, false, -1, -1, -1, "arraycopy length"},
      {"negative source", false, false, -1, -1, 1, "src_position"},
      {"negative target", false, false, 0, -1, 1, "dst_position"},
      {"source at end", false, false, 4, 9, 1, "src_position"},
      {"target at end", false, false, 0, 4, 1, "dst_position"},
      {"source range", false, false, 2, 0, 3, "src_position"},
      {"target range", false, false, 0, 2, 3, "dst_position"},
      {"huge length wraps in 32 bits", false, false, 1, 0, INT_MAX, "src_position"},
      {"huge target sum", false, false, 0, 3, INT_MAX, "src_position"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntArray* src = ints({1, 2, 3, 4});
    Array* dst = c.floatTarget ? static_cast<Array*>(Array::newFloatArray(4)) : ints({9, 9, 9, 9});
    LogCapture log;
    System::arraycopy(c.nullSource ? nullptr : src, c.srcPos, dst, c.dstPos, c.length);
    std::string text = log.text();
    EXPECT_EQ(text.rfind(c.log, 0), 0u) << text;
    if (!c.floatTarget) {
      EXPECT_EQ(contents(static_cast<IntArray*>(dst)), (std::vector<int32_t>{9, 9, 9, 9}));
    }
  }
}

TEST_F(ArrayCopy, LengthZeroIsSilentWhateverThePositions) {
  IntArray* a = ints({1, 2});
  LogCapture log;
  System::arraycopy(a, 100, a, -5, 0);
  EXPECT_EQ(log.text(), "");
  System::arraycopy(test::str("a"), 0, test::str("b"), 0, 1);
  EXPECT_TRUE(log.contains("ArrayStoreException"));
}

// ---- multi-dimensional arrays and the operand stack

TEST_F(Arrays, MultiArraysFollowTheDescriptorAndTheGivenDimensions) {
  LocalOperandStack<4> stack;
  stack.pushInt(2);
  stack.pushInt(3);
  auto* grid = static_cast<ObjectArray*>(Array::newMultiArray(&stack, "[[I", 2));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(stack.depth(), 1);
  EXPECT_EQ(stack.tagAt(0), 1);
  EXPECT_EQ(grid->classId, kObjectArray);
  ASSERT_EQ(grid->length, 2);
  for (int i = 0; i < 2; ++i) {
    auto* row = static_cast<IntArray*>(grid->elements()[i]);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->classId, kIntArray);
    EXPECT_EQ(row->length, 3);
  }
  stack.popReference();

  stack.pushInt(2);
  auto* outerOnly = static_cast<ObjectArray*>(Array::newMultiArray(&stack, "[[I", 1));
  EXPECT_EQ(outerOnly->length, 2);
  EXPECT_EQ(outerOnly->elements()[0], nullptr);
  EXPECT_EQ(outerOnly->elements()[1], nullptr);
  stack.popReference();

  // Two lengths for three levels: the middle level is Object[] of nulls, not byte[].
  stack.pushInt(2);
  stack.pushInt(5);
  auto* partial = static_cast<ObjectArray*>(Array::newMultiArray(&stack, "[[[B", 2));
  auto* middle = static_cast<Array*>(partial->elements()[1]);
  EXPECT_EQ(middle->classId, kObjectArray);
  EXPECT_EQ(middle->length, 5);
}

TEST(OperandStack, Dup2X1RotatesValuesAndTags) {
  LocalOperandStack<8> s;
  Object* x = reinterpret_cast<Object*>(uintptr_t{0x1000});
  s.pushReference(x);  // x, tag 1
  s.pushInt(7);        // a, tag 0
  s.pushInt(8);        // b, tag 0
  s.dup2_x1();
  ASSERT_EQ(s.depth(), 5);
  const int64_t values[] = {8, 7, 0x1000, 8, 7};  // from the top: b a x b a
  const uint8_t tags[] = {0, 0, 1, 0, 0};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s.cellAt(i), values[i]) << i;
    EXPECT_EQ(s.tagAt(i), tags[i]) << i;
  }
  s.dup2();
  EXPECT_EQ(s.cellAt(0), 8);
  EXPECT_EQ(s.cellAt(1), 7);
}

TEST(OperandStack, ComparisonsAndLongs) {
  struct Case {
    int64_t a, b;
    int32_t result;
  };
  const Case cases[] = {{INT64_MAX, -1, 1}, {INT64_MIN, 1, -1}, {5, 5, 0}, {-1, 0, -1}, {int64_t{1} << 32, 1, 1}};
  LocalOperandStack<8> s;
  for (const Case& c : cases) {
    s.pushLong(c.a);
    s.pushLong(c.b);
    s.lcmp();
    EXPECT_EQ(s.popInt(), c.result) << c.a << " " << c.b;
  }
  s.pushLong(INT64_MIN + 5);
  EXPECT_EQ(s.popLong(), INT64_MIN + 5);
  s.pushInt(-3);
  s.pushInt(2);
  EXPECT_EQ(s.ifIcmpLe(), 1);
  s.pushInt(2);
  s.pushInt(2);
  EXPECT_EQ(s.ifIcmpGe(), 1);
  s.pushInt(1);
  s.pushInt(2);
  EXPECT_EQ(s.ifCmpNe(), 1);
  s.pushInt(9);
  s.pushInt(1);
  s.pushInt(2);
  s.returnInt(42, 2);
  EXPECT_EQ(s.popInt(), 42);
  EXPECT_EQ(s.popInt(), 9);
  EXPECT_EQ(s.depth(), 0);
}

struct Holder : Object {
  int32_t number = 0;
  int64_t wide = 0;
  int8_t flag = 0;
};

TEST_F(Arrays, OperandStackAccessIsCheckedLikePlainAccess) {
  LocalOperandStack<8> s;
  IntArray* a = Array::newIntArray(2);
  s.pushReference(a);
  s.pushInt(1);
  s.pushInt(-7);
  s.iastore();
  s.pushReference(a);
  s.pushInt(1);
  s.iaload();
  EXPECT_EQ(s.popInt(), -7);

  ByteArray* b = Array::newByteArray(1);
  s.pushReference(b);
  s.pushInt(0);
  s.pushInt(0xFF);
  s.bastore();
  s.pushReference(b);
  s.pushInt(0);
  s.baload();
  EXPECT_EQ(s.popInt(), -1);

  LogCapture log;
  s.pushReference(a);
  s.pushInt(2);
  s.pushInt(5);
  s.iastore();
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  s.pushReference(nullptr);
  s.pushInt(0);
  s.iaload();
  EXPECT_EQ(s.popInt(), 0);
  s.pushReference(nullptr);
  s.arrayLength();
  EXPECT_EQ(s.popInt(), 0);
  ObjectArray* o = Array::newObjectArray(0, 1);
  s.pushReference(o);
  s.pushInt(-1);
  s.aaload();
  EXPECT_EQ(s.tagAt(0), 0);
  EXPECT_EQ(s.popReference(), nullptr);
  EXPECT_EQ(s.depth(), 0);
  EXPECT_EQ(a->elements()[1], -7);

  Holder h;
  s.pushReference(&h);
  s.pushInt(12);
  s.putIntField(&Holder::number);
  s.pushReference(&h);
  s.pushLong(int64_t{3} << 33);
  s.putLongField(&Holder::wide);
  s.pushReference(&h);
  s.pushInt(4);
  s.putBooleanField(&Holder::flag);
  EXPECT_EQ(h.number, 12);
  EXPECT_EQ(h.wide, int64_t{3} << 33);
  EXPECT_EQ(h.flag, 1);
  log.clear();
  s.pushReference(nullptr);
  s.pushInt(12);
  s.putIntField(&Holder::number);
  EXPECT_TRUE(log.contains("NullPointer"));
  EXPECT_EQ(s.depth(), 0);
}

}  // namespace
}  // namespace sorv
