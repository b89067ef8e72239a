#include "runtime/operand_stack.h"

#include "runtime/frames.h"

namespace sorv {

void OperandStack::wrongKind() { reportError("ArrayStoreException"); }

}  // namespace sorv
