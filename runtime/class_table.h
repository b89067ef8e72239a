// The class table: one descriptor per class id with its name, superclass and the complete
// list of its reference fields (its own and every superclass's), which the collector follows.
//
// Invariants: after buildClassTable, table[k].classIndex == k for every class id; the
// superclass chain of every class ends at Object (id 0), whose superclass is kNoSuperclass;
// refOffsets holds refCount distinct byte offsets, ascending. Built by StaticClass::init,
// freed by StaticClass::freeClassTables; read by the collector and instanceof.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

struct Class {
  const char* name = nullptr;  // "java_lang_String"; game classes by their plain names
  int32_t classIndex = 0;
  int32_t superclassId = kNoSuperclass;
  uint32_t* refOffsets = nullptr;  // malloc'd
  int32_t refCount = 0;

  // a is b, or b lies on a's superclass chain.
  static bool isSubclassOf(const Class* a, const Class* b);
};

// The read-only class data, by class id (null / kNoSuperclass outside the table).
const char* classNameOf(int32_t classId);
int32_t superclassIdOf(int32_t classId);

// Fills the descriptors and joins each class's reference fields with its superclasses'.
void buildClassTable(Class* table);
void freeClassTable(Class* table);

// Object::instanceof: the object's getInterface answers classId, or its class is classId
// or a subclass of it. Null and released objects are instances of nothing.
bool instanceOf(Object* object, int32_t classId);

}  // namespace sorv
