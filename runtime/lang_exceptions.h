// The exception helpers of the class library beyond the Throwable base: the index
// exception with its text, the translated `throw`, and Throwable.printStackTrace.
// The exception classes are class ids (object.h) sharing Throwable's layout.
#pragma once

#include <cstdint>

#include "runtime/throwable.h"

namespace sorv {

// new ArrayIndexOutOfBoundsException(index): the constant "Array index out of range:"
// text followed by the decimal index.
Throwable* newArrayIndexException(int32_t index);
void throwArrayIndex(int32_t index);

// A translated `throw e`: a null e throws NullPointerException instead.
void throwObject(Object* exception);

// Throwable.printStackTrace(): the stack-trace text and a line end through System.out.
void printStackTrace(Throwable* t);

}  // namespace sorv
