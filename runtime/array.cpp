#include "runtime/array.h"

#include <cstring>

#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/operand_stack.h"
#include "runtime/string.h"

namespace sorv {

namespace {

// Gives a fresh array its element data; a negative length is reported and leaves an empty
// array, so every access to it is out of bounds and no size computation sees it negative.
template <class A>
A* makeArray(int32_t length) {
  A* a = newObject<A>();
  if (a == nullptr) return nullptr;
  if (length < 0) {
    reportError("length of array should be >= 0");
    return a;
  }
  a->length = length;
  if (length == 0) return a;
  void* data = qmx_malloc(static_cast<size_t>(length) * sizeof(typename A::Element));
  if (data == nullptr) {
    // Already reported by qmx_malloc; an array without data must not claim elements.
    a->length = 0;
    return a;
  }
  a->data = data;
  registerBufferField(&a->data);
  return a;
}

}  // namespace

void Array::finalize() {
  if (data != nullptr) qmx_free(data);
  data = nullptr;
  length = 0;
}

void Array::nullPointer() { reportError("NullPointer"); }
void Array::outOfBounds() { reportError("ArrayOutOfBound"); }

ObjectArray* Array::newObjectArray(int32_t, int32_t length) { return makeArray<ObjectArray>(length); }
BoolArray* Array::newBooleanArray(int32_t length) { return makeArray<BoolArray>(length); }
ByteArray* Array::newByteArray(int32_t length) { return makeArray<ByteArray>(length); }
CharArray* Array::newCharArray(int32_t length) { return makeArray<CharArray>(length); }
ShortArray* Array::newShortArray(int32_t length) { return makeArray<ShortArray>(length); }
IntArray* Array::newIntArray(int32_t length) { return makeArray<IntArray>(length); }
Long64Array* Array::newLongArray(int32_t length) { return makeArray<Long64Array>(length); }
FloatArray* Array::newFloatArray(int32_t length) { return makeArray<FloatArray>(length); }
DoubleArray* Array::newDoubleArray(int32_t length) { return makeArray<DoubleArray>(length); }

bool Array::isArrayClass(int32_t classId) { return classId >= kObjectArray && classId <= kDoubleArray; }

int32_t Array::elementKind(const Object* array) {
  if (array == nullptr || !isArrayClass(array->classId)) return -1;
  switch (array->classId) {
    case kByteArray: return 0;
    case kShortArray: return 1;
    case kIntArray: return 2;
    default: return 3;
  }
}

Array* Array::newArrayOfKind(char elementLetter, int32_t length) {
  switch (elementLetter) {
    case 'B': return newByteArray(length);
    case 'C': return newCharArray(length);
    case 'D': return newDoubleArray(length);
    case 'F': return newFloatArray(length);
    case 'I': return newIntArray(length);
    case 'J': return newLongArray(length);
    case 'S': return newShortArray(length);
    case 'Z': return newBooleanArray(length);
    default: return newObjectArray(0, length);
  }
}

namespace {

// descriptor points at the '[' of the current level; lengths[0] is this level's length.
Array* buildLevel(const char* descriptor, const int32_t* lengths, int32_t dimensionsLeft) {
  const char* inner = descriptor + 1;
  if (*inner != '[') return Array::newArrayOfKind(*inner, lengths[0]);
  ObjectArray* level = Array::newObjectArray(0, lengths[0]);
  if (level == nullptr || dimensionsLeft <= 1) return level;
  for (int32_t i = 0; i < level->length; ++i) {
    Array* child = buildLevel(inner, lengths + 1, dimensionsLeft - 1);
    // Re-read the element data: building the child may have moved it.
    level->elements()[i] = child;
  }
  return level;
}

}  // namespace

Array* Array::newMultiArray(OperandStack* stack, const char* descriptor, int32_t dimensions) {
  int32_t levels = 0;
  while (descriptor[levels] == '[') ++levels;
  int32_t lengths[kMaxDimensions] = {};
  // Only as many dimensions as the descriptor has levels can be built; extra ones are
  // still popped so the stack stays balanced.
  int32_t used = dimensions < levels ? dimensions : levels;
  if (used > kMaxDimensions) used = kMaxDimensions;
  for (int32_t i = dimensions - 1; i >= 0; --i) {
    int32_t length = stack->popInt();
    if (i < used) lengths[i] = length;
  }
  Array* outer = used > 0 ? buildLevel(descriptor, lengths, used) : nullptr;
  stack->pushReference(outer);
  return outer;
}

namespace {

template <class A>
A* fill(A* a, const int32_t* values, int32_t count) {
  if (isNull(a) || (values == nullptr && count > 0)) {
    Array::nullPointer();
    return a;
  }
  if (count < 0 || count > a->length) {
    Array::outOfBounds();
    return a;
  }
  typename A::Element* e = a->elements();
  for (int32_t i = 0; i < count; ++i) e[i] = static_cast<typename A::Element>(values[i]);
  return a;
}

}  // namespace

IntArray* Array::fillInts(IntArray* a, const int32_t* values, int32_t count) { return fill(a, values, count); }
ShortArray* Array::fillShorts(ShortArray* a, const int32_t* values, int32_t count) {
  return fill(a, values, count);
}
ByteArray* Array::fillBytes(ByteArray* a, const int32_t* values, int32_t count) { return fill(a, values, count); }

String* CharArray::toString() {
  int32_t n = 0;
  while (n < length && elements()[n] != 0) ++n;
  String* s = newObject<String>();
  if (s == nullptr) return nullptr;
  char16_t* text = String::reserveText(s, n);
  if (text != nullptr && n > 0) std::memcpy(text, elements(), static_cast<size_t>(n) * sizeof(char16_t));
  return s;
}

}  // namespace sorv
