#include "runtime/operand_stack.h"

#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

String* OperandStack::pushConstant(int32_t n) {
  String* s = StaticClass::getConstant(n);
  pushReference(s);
  return s;
}

void OperandStack::wrongKind() { reportError("ArrayStoreException"); }

}  // namespace sorv
