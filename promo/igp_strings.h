// Small string helpers of the promotion screen: equality that allows null, joining, and
// the constant strings it builds links from.
#pragma once

#include <cstdint>

#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv::igp {

inline bool equal(String* a, String* b) {
  if (isNull(a) || isNull(b)) return false;
  return String::compareTo(a, b) == 0;
}

inline String* constant(int32_t n) { return StaticClass::getConstant(n); }

// a + b + c (a null part is left out, unlike Java's "null").
inline String* join(String* a, String* b, String* c = nullptr) {
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  if (!isNull(a)) StringBuffer::appendString(sb, a);
  if (!isNull(b)) StringBuffer::appendString(sb, b);
  if (!isNull(c)) StringBuffer::appendString(sb, c);
  return sb->toString();
}

inline bool isEmpty(String* s) { return isNull(s) || s->length() == 0; }

}  // namespace sorv::igp
