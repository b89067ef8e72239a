#include "runtime/array.h"

#include "runtime/frames.h"
#include "runtime/heap.h"

namespace sorv {

void Array::finalize() {
  if (data != nullptr) qmx_free(data);
  data = nullptr;
}

void Array::nullPointer() { reportError("NullPointer"); }

void Array::outOfBounds() { reportError("ArrayOutOfBound"); }

}  // namespace sorv
