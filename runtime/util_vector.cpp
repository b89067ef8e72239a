#include "runtime/util_vector.h"

#include "tools/data/resource_ids.h"
#include "runtime/frames.h"
#include "runtime/lang_exceptions.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"

namespace sorv {

SORV_REF_FIELDS(Vector, SORV_REF_OFFSET(Vector, elementData));

Vector* Vector::create(int32_t initialCapacity, int32_t capacityIncrement) {
  Vector* v = newObject<Vector>();
  if (v != nullptr) init(v, initialCapacity, capacityIncrement);
  return v;
}

void Vector::init(Vector* v, int32_t initialCapacity, int32_t capacityIncrement) {
  SORV_FRAME("Vector.<init>(II)V");
  v->capacityIncrement = capacityIncrement;
  if (initialCapacity < 0) {
    throwNew(kIllegalArgumentException, StaticClass::getConstant(kConstNegativeCapacity));
    return;
  }
  v->elementData = Array::newObjectArray(0, initialCapacity);
}

void Vector::ensureCapacityHelper(int32_t min) {
  SORV_FRAME("Vector.ensureCapacityHelper(I)V");
  int32_t old = capacity();
  int64_t grown = capacityIncrement > 0 ? static_cast<int64_t>(old) + capacityIncrement
                                        : static_cast<int64_t>(old) * 2;
  if (grown < min) grown = min;
  if (grown > INT32_MAX) grown = INT32_MAX;
  ObjectArray* bigger = Array::newObjectArray(0, static_cast<int32_t>(grown));
  if (isNull(bigger) || bigger->length != grown) return;
  if (elementCount > 0) System::arraycopy(elementData, 0, bigger, 0, elementCount);
  elementData = bigger;
}

void Vector::addElement(Object* o) {
  SORV_FRAME("Vector.addElement(Ljava/lang/Object;)V");
  if (elementCount == INT32_MAX) return;
  if (elementCount + 1 > capacity()) ensureCapacityHelper(elementCount + 1);
  // A failed growth leaves no room: the element is not added rather than written outside.
  if (elementCount + 1 > capacity()) return;
  elementData->elements()[elementCount++] = o;
}

Object* Vector::elementAt(int32_t index) {
  SORV_FRAME("Vector.elementAt(I)Ljava/lang/Object;");
  if (index < 0 || index >= elementCount) {
    throwArrayIndex(index);
    return nullptr;
  }
  return elementData->elements()[index];
}

void Vector::removeElementAt(int32_t index) {
  SORV_FRAME("Vector.removeElementAt(I)V");
  if (index < 0 || index >= elementCount) {
    throwArrayIndex(index);
    return;
  }
  int32_t after = elementCount - index - 1;
  if (after > 0) System::arraycopy(elementData, index + 1, elementData, index, after);
  --elementCount;
  elementData->elements()[elementCount] = nullptr;
}

int32_t Vector::indexOf(Object* o, int32_t from) {
  SORV_FRAME("Vector.indexOf(Ljava/lang/Object;I)I");
  for (int32_t i = from < 0 ? 0 : from; i < elementCount; ++i) {
    Object* e = elementData->elements()[i];
    if (isNull(o) ? isNull(e) : o->equals(e)) return i;
  }
  return -1;
}

void Vector::removeAllElements() {
  for (int32_t i = 0; i < elementCount; ++i) elementData->elements()[i] = nullptr;
  elementCount = 0;
}

}  // namespace sorv
