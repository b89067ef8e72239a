#include "runtime/throwable.h"

#include <cstddef>

#include "tools/data/resource_ids.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/java_int.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

SORV_REF_FIELDS(Throwable, SORV_REF_OFFSET(Throwable, message), SORV_REF_OFFSET(Throwable, stackTrace));

String* Throwable::toString() { return message; }

namespace {

// Throwable()'s message is the library's empty constant; without constants (a failed
// load) it stays null rather than reporting from inside every throw.
String* defaultMessage() {
  StaticClass* block = Application::getStaticClass();
  ObjectArray* strings = block != nullptr ? block->constantStrings : nullptr;
  if (isNull(strings) || !strings->inBounds(kConstEmpty)) return nullptr;
  return static_cast<String*>(strings->elements()[kConstEmpty]);
}

}  // namespace

Throwable* newException(ClassId id, String* message) {
  Throwable* exception = newObject<Throwable>();
  if (exception == nullptr) return nullptr;
  exception->classId = id;
  exception->message = message != nullptr ? message : defaultMessage();
  return exception;
}

void throwNew(ClassId id, String* message) { Application::throwException(newException(id, message)); }

void throwNew(ClassId id, const char* message) {
  String* text = message != nullptr ? String::fromCString(message) : nullptr;
  throwNew(id, text);
}

void throwDivisionByZero() { throwNew(kArithmeticException, "/ by zero"); }

}  // namespace sorv
