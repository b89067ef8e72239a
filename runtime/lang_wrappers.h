// The java.lang wrappers Integer and Boolean.
//
// Boolean.TRUE and Boolean.FALSE are static roots made by Boolean::clinit (run by the
// static initialisation, after System's); Boolean's text comes from the constant strings,
// so the constants must be loaded first. Boolean.hashCode is 1 or 0 (not 1231/1237).
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Integer : public Object {
 public:
  static constexpr ClassId kClassId = kInteger;

  int32_t value = 0;

  static Integer* create(int32_t value);
  // The decimal text of a value ("%d").
  static String* toString(int32_t value);

  bool equals(Object* other) override;  // another Integer of the same value
  String* toString() override;
  int32_t hashCode() override { return value; }
  virtual int64_t longValue() { return value; }  // slot 6
};

class Boolean : public Object {
 public:
  static constexpr ClassId kClassId = kBoolean;

  int8_t value = 0;

  static StaticRef<Boolean> TRUE;
  static StaticRef<Boolean> FALSE;
  static void clinit();
  static Boolean* create(bool value);

  bool equals(Object* other) override;  // another Boolean of the same value
  String* toString() override;          // the constant "true" or "false" text
  int32_t hashCode() override { return value != 0 ? 1 : 0; }
};

}  // namespace sorv
