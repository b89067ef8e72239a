// java.util.Vector: a growable array of references.
//
// What always holds: 0 <= elementCount <= elementData's length, and the slots from
// elementCount on are null. Index errors throw ArrayIndexOutOfBoundsException (pending) and
// the method gives null or does nothing. Slots after the Object six: 6 size, 7 isEmpty,
// 8 contains, 9 clear.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class Vector : public Object {
 public:
  static constexpr ClassId kClassId = kVector;
  static constexpr int32_t kDefaultCapacity = 10;

  ObjectArray* elementData = nullptr;
  int32_t elementCount = 0;
  int32_t capacityIncrement = 0;

  // newObject + init; a negative capacity throws IllegalArgumentException (the constant
  // "negative capacity" message) and leaves the Vector without room.
  static Vector* create(int32_t initialCapacity = kDefaultCapacity, int32_t capacityIncrement = 0);
  static void init(Vector* v, int32_t initialCapacity, int32_t capacityIncrement);

  virtual int32_t size() { return elementCount; }        // slot 6
  virtual bool isEmpty() { return elementCount == 0; }  // slot 7
  virtual bool contains(Object* o) { return indexOf(o, 0) >= 0; }  // slot 8
  virtual void clear() { removeAllElements(); }          // slot 9

  int32_t capacity() const { return isNull(elementData) ? 0 : elementData->length; }
  void addElement(Object* o);
  // Grows to old + capacityIncrement (when above 0) or old x 2, at least min.
  void ensureCapacityHelper(int32_t min);
  Object* elementAt(int32_t index);
  void removeElementAt(int32_t index);
  // The first index at or after from holding o (by o's equals; null matches null), or -1.
  int32_t indexOf(Object* o, int32_t from);
  void removeAllElements();
};

}  // namespace sorv
