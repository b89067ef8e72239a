// java.util.Hashtable with its entries and enumerator.
//
// What always holds: table is an Object[] of bucket chains (HashtableEntry, newest first);
// an entry lies in bucket (hash & 0x7FFFFFFF) mod the table's length; count is the number
// of entries; threshold = length x 75 / 100 after a rehash (8 for the first 11 buckets).
// Keys and values are never null: a null one throws NullPointerException (pending).
// Enumeration order: buckets from the highest index down, each chain newest first.
// Slots: Hashtable 3 toString, 6 size, 7 isEmpty, 8 contains, 9 clear; the enumerator
// 5 getInterface (Enumeration), 6 hasMoreElements, 7 nextElement.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/enumeration.h"
#include "runtime/object.h"

namespace sorv {

class HashtableEntry : public Object {
 public:
  static constexpr ClassId kClassId = kHashtableEntry;

  int32_t hash = 0;
  Object* key = nullptr;
  Object* value = nullptr;
  HashtableEntry* next = nullptr;
};

class Hashtable : public Object {
 public:
  static constexpr ClassId kClassId = kHashtable;
  static constexpr int32_t kInitialBuckets = 11;
  static constexpr int32_t kInitialThreshold = 8;

  ObjectArray* table = nullptr;
  int32_t count = 0;
  int32_t threshold = 0;

  static Hashtable* create();

  // The stored value of key, or null.
  static Object* get(Hashtable* h, Object* key);
  // The previous value of key (replaced), or null for a new entry.
  static Object* put(Hashtable* h, Object* key, Object* value);
  // New length = old x 2 + 1; the old chains are moved from the last bucket to the first.
  void rehash();
  Object* keys();      // a HashtableEnumerator of the keys
  Object* elements();  // a HashtableEnumerator of the values

  String* toString() override;
  virtual int32_t size() { return count; }            // slot 6
  virtual bool isEmpty() { return count == 0; }      // slot 7
  virtual bool contains(Object* value);              // slot 8: any entry's value equals it
  virtual void clear();                              // slot 9

  int32_t bucketCount() const { return isNull(table) ? 0 : table->length; }
};

class HashtableEnumerator : public Object, public Enumeration {
 public:
  static constexpr ClassId kClassId = kHashtableEnumerator;

  int8_t keys = 0;  // 1: keys, 0: values
  int32_t index = 0;  // the next bucket to look at is index - 1
  ObjectArray* table = nullptr;
  HashtableEntry* entry = nullptr;
  Hashtable* hashtable = nullptr;

  static HashtableEnumerator* create(Hashtable* h, bool keys);

  void* getInterface(int32_t classId) override;
  bool hasMoreElements() override;
  // The next key or value; none left throws NoSuchElementException and gives null.
  Object* nextElement() override;
};

}  // namespace sorv
