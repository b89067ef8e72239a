// Managed arrays: nine kinds, one class id each, element data in the relocatable buffer heap.
//
// Invariants:
// - data is null when length < 1; otherwise it points at length * sizeof(element) zeroed
//   bytes in the buffer heap (system heap as fallback) whose owner is the field `data`, so a
//   compaction patches it. Never keep a raw element pointer across an allocation.
// - An array made with a negative length is reported and has no element data; every access
//   to it is out of bounds.
// - Checked access: a null (or released) array logs "NullPointer", an index outside
//   [0, length) logs "ArrayOutOfBound"; both print the stack trace, and the access is
//   skipped (a load gives 0 or null).
// - Anyone may create arrays; element access from translated code goes through the checked
//   aload/astore (inline) or the operand-stack routines.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/object.h"

namespace sorv {

class ObjectArray;
class BoolArray;
class ByteArray;
class CharArray;
class ShortArray;
class IntArray;
class Long64Array;
class FloatArray;
class DoubleArray;
class OperandStack;

class Array : public Object {
 public:
  int32_t length = 0;
  void* data = nullptr;

  void finalize() override;  // slot 0: returns the element data
  virtual int32_t elementSize() const = 0;  // slot 6

  bool inBounds(int32_t i) const {
    return static_cast<uint32_t>(i) < static_cast<uint32_t>(length);
  }

  // Entry points of translated code; null when the object allocation failed.
  static ObjectArray* newObjectArray(int32_t elementType, int32_t length);
  static BoolArray* newBooleanArray(int32_t length);
  static ByteArray* newByteArray(int32_t length);
  static CharArray* newCharArray(int32_t length);
  static ShortArray* newShortArray(int32_t length);
  static IntArray* newIntArray(int32_t length);
  static Long64Array* newLongArray(int32_t length);
  static FloatArray* newFloatArray(int32_t length);
  static DoubleArray* newDoubleArray(int32_t length);

  // The array kind of a descriptor's element letter ('B', 'C', 'D', 'F', 'I', 'J', 'S',
  // 'Z'; anything else holds references).
  static Array* newArrayOfKind(char elementLetter, int32_t length);

  // Pops `dimensions` lengths (the first pushed is the outermost), builds the arrays of a
  // descriptor such as "[[I" level by level (levels without a length stay null) and pushes
  // the outer array.
  static constexpr int32_t kMaxDimensions = 255;
  static Array* newMultiArray(OperandStack* stack, const char* descriptor, int32_t dimensions);

  static bool isArrayClass(int32_t classId);
  // Bytes per element of an array class id (the kind table's slot 6 without the virtual
  // call), 0 for any other class.
  static int32_t elementSizeOf(int32_t classId) {
    static constexpr int8_t kSizes[] = {sizeof(Object*), 1, 1, 2, 2, 4, 8, 4, 8};
    uint32_t k = static_cast<uint32_t>(classId - kObjectArray);
    return k < sizeof kSizes ? kSizes[k] : 0;
  }
  // By class id: byte[] 0, short[] 1, int[] 2, any other array 3, not an array -1.
  static int32_t elementKind(const Object* array);

  // Array literals: element i := values[i] (low 16 or 8 bits for the narrow kinds). A null
  // array or missing values are reported as "NullPointer", more values than elements as
  // "ArrayOutOfBound"; then nothing is filled. Each returns the array.
  static IntArray* fillInts(IntArray* a, const int32_t* values, int32_t count);
  static ShortArray* fillShorts(ShortArray* a, const int32_t* values, int32_t count);
  static ByteArray* fillBytes(ByteArray* a, const int32_t* values, int32_t count);
  static IntArray* fillInts(IntArray* a, std::initializer_list<int32_t> values) {
    return fillInts(a, values.begin(), static_cast<int32_t>(values.size()));
  }
  static ShortArray* fillShorts(ShortArray* a, std::initializer_list<int32_t> values) {
    return fillShorts(a, values.begin(), static_cast<int32_t>(values.size()));
  }
  static ByteArray* fillBytes(ByteArray* a, std::initializer_list<int32_t> values) {
    return fillBytes(a, values.begin(), static_cast<int32_t>(values.size()));
  }

  // The failed-check reports (out of line: the fast path stays two compares).
  [[gnu::cold, gnu::noinline]] static void nullPointer();
  [[gnu::cold, gnu::noinline]] static void outOfBounds();
};

template <class T, ClassId Id>
class TypedArray : public Array {
 public:
  static constexpr ClassId kClassId = Id;
  using Element = T;

  int32_t elementSize() const override { return static_cast<int32_t>(sizeof(T)); }
  T* elements() { return static_cast<T*>(data); }
  const T* elements() const { return static_cast<const T*>(data); }
};

class ObjectArray : public TypedArray<Object*, kObjectArray> {};
class BoolArray : public TypedArray<int8_t, kBoolArray> {};
class ByteArray : public TypedArray<int8_t, kByteArray> {};
class CharArray : public TypedArray<char16_t, kCharArray> {
 public:
  String* toString() override;  // the units up to the first 0 unit
};
class ShortArray : public TypedArray<int16_t, kShortArray> {};
class IntArray : public TypedArray<int32_t, kIntArray> {};
class Long64Array : public TypedArray<int64_t, kLong64Array> {};
class FloatArray : public TypedArray<float, kFloatArray> {};
class DoubleArray : public TypedArray<double, kDoubleArray> {};

// Checked element access of translated code.
template <class A>
inline typename A::Element aload(A* a, int32_t i) {
  if (isNull(a)) [[unlikely]] {
    Array::nullPointer();
    return typename A::Element{};
  }
  if (!a->inBounds(i)) [[unlikely]] {
    Array::outOfBounds();
    return typename A::Element{};
  }
  return a->elements()[i];
}

template <class A, class V>
inline void astore(A* a, int32_t i, V value) {
  if (isNull(a)) [[unlikely]] {
    Array::nullPointer();
    return;
  }
  if (!a->inBounds(i)) [[unlikely]] {
    Array::outOfBounds();
    return;
  }
  a->elements()[i] = static_cast<typename A::Element>(value);
}

namespace ArrayAccess {
inline int32_t getInt(IntArray* a, int32_t i) { return aload(a, i); }
inline void setInt(IntArray* a, int32_t i, int32_t v) { astore(a, i, v); }
inline int32_t getShort(ShortArray* a, int32_t i) { return aload(a, i); }
// A 16-bit store serves short[] and char[] alike.
inline void setShort(ShortArray* a, int32_t i, int32_t v) { astore(a, i, static_cast<int16_t>(v)); }
inline void setShort(CharArray* a, int32_t i, int32_t v) { astore(a, i, static_cast<char16_t>(v)); }
inline int32_t getByte(ByteArray* a, int32_t i) { return aload(a, i); }
inline void setByte(ByteArray* a, int32_t i, int32_t v) { astore(a, i, static_cast<int8_t>(v)); }
}  // namespace ArrayAccess

}  // namespace sorv
