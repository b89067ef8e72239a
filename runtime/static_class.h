// The block of the managed world's statics: the class table, the constant strings and (through
// the StaticRef registry of object.h) every static reference field of every class.
//
// Invariants: after init, classes[k].classIndex == k for every class id and constantStrings
// (a collector root) holds the strings of "/constants.bin" with collectable 0, or is null
// when none were loaded. One StaticClass per Application; init runs once, in
// Application::init; freeClassTables in Application::close.
#pragma once

#include <cstdint>

#include "runtime/class_table.h"

namespace sorv {

class ObjectArray;
class String;

// A class's static initialiser (<clinit>), declared once in the class's own .cpp with
// SORV_STATIC_INIT; StaticClass::init runs the registered ones in the game's fixed order.
struct StaticInitialiser {
  StaticInitialiser(ClassId id, void (*clinit)());

  ClassId classId;
  void (*run)();
  const StaticInitialiser* next;

  static const StaticInitialiser* first();
};

// SORV_STATIC_INIT(kBoolean, Boolean::clinit)
#define SORV_STATIC_INIT(id, function) \
  static const ::sorv::StaticInitialiser sorvStaticInit_##id(::sorv::id, function)

class StaticClass {
 public:
  Class classes[kClassCount];
  ObjectArray* constantStrings = nullptr;

  // Class table, every static reference cleared (a new run starts from nothing), the
  // constant strings, then the static initialisers in their fixed order.
  static void init(StaticClass* block);
  // "/constants.bin" through the resource opener (constants.h).
  static void loadConstants(StaticClass* block);
  // The descriptor of classId, or null outside the table.
  static Class* findClass(int32_t classId);
  static Class* findClassOfObject(const Object* object);
  // Constant String n (checked: "NullPointer" / "ArrayOutOfBound" give null).
  static String* getConstant(int32_t n);
  static void freeClassTables(StaticClass* block);
};

}  // namespace sorv
