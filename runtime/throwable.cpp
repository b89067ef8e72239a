#include "runtime/throwable.h"

#include <cstddef>

#include "runtime/application.h"
#include "runtime/string.h"

namespace sorv {

SORV_REF_FIELDS(Throwable, SORV_REF_OFFSET(Throwable, message), SORV_REF_OFFSET(Throwable, stackTrace));

String* Throwable::toString() { return message; }

Throwable* newException(ClassId id, String* message) {
  Throwable* exception = newObject<Throwable>();
  if (exception == nullptr) return nullptr;
  exception->classId = id;
  exception->message = message;
  return exception;
}

void throwNew(ClassId id, String* message) { Application::throwException(newException(id, message)); }

void throwNew(ClassId id, const char* message) {
  String* text = message != nullptr ? String::fromCString(message) : nullptr;
  throwNew(id, text);
}

}  // namespace sorv
