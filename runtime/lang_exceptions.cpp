#include "runtime/lang_exceptions.h"

#include "tools/data/resource_ids.h"
#include "runtime/application.h"
#include "runtime/class_table.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

Throwable* newArrayIndexException(int32_t index) {
  SORV_FRAME("ArrayIndexOutOfBoundsException.<init>(I)V");
  StringBuffer* sb = StringBuffer::create(16);
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstIndexOutOfRange));
  StringBuffer::appendInt(sb, index);
  return newException(kArrayIndexOutOfBoundsException, isNull(sb) ? nullptr : sb->toString());
}

void throwArrayIndex(int32_t index) {
  Throwable* t = newArrayIndexException(index);
  if (t != nullptr) Application::throwException(t);
}

void throwObject(Object* exception) {
  if (isNull(exception) || !instanceOf(exception, kThrowable)) {
    // `throw null` throws NullPointerException rather than calling through null.
    throwNew(kNullPointerException);
    return;
  }
  Application::throwException(static_cast<Throwable*>(exception));
}

void printStackTrace(Throwable* t) {
  SORV_FRAME("Throwable.printStackTrace()V");
  if (isNull(t)) {
    reportError("NullPointer");
    return;
  }
  PrintStream* out = System::out;
  if (isNull(out)) return;
  out->print(t->stackTrace);
  out->println();
}

}  // namespace sorv
