// The Throwable family: one C++ layout (message and stack trace) shared by every exception
// class; the class id tells them apart, and instanceof follows the class table's superclass
// ids.
#pragma once

#include "runtime/object.h"

namespace sorv {

class Throwable : public Object {
 public:
  static constexpr ClassId kClassId = kThrowable;

  String* message = nullptr;
  String* stackTrace = nullptr;  // written by Application::throwException

  String* toString() override;  // the message itself
};

// A new exception object of the given class id (an exception class of the class table);
// a null message means the library's default message.
Throwable* newException(ClassId id, String* message = nullptr);
// newException + Application::throwException.
void throwNew(ClassId id, String* message = nullptr);
void throwNew(ClassId id, const char* message);

}  // namespace sorv
