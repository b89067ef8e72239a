#include "runtime/static_class.h"

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

void StaticClass::init(StaticClass* block) {
  *block = StaticClass{};
  buildClassTable(block->classes);
  // Statics of a previous run (tests start the runtime many times) point into freed heaps.
  forEachStaticRoot([](StaticRootBase& root) { root.object = nullptr; });
}

Class* StaticClass::findClass(int32_t classId) {
  StaticClass* block = Application::getStaticClass();
  if (block == nullptr || classId < 0 || classId >= kClassCount) return nullptr;
  return &block->classes[classId];
}

Class* StaticClass::findClassOfObject(const Object* object) {
  return object == nullptr ? nullptr : findClass(object->classId);
}

String* StaticClass::getConstant(int32_t n) {
  StaticClass* block = Application::getStaticClass();
  ObjectArray* strings = block != nullptr ? block->constantStrings : nullptr;
  if (isNull(strings)) {
    reportError("NullPointer");
    return nullptr;
  }
  if (!strings->inBounds(n)) {
    reportError("ArrayOutOfBound");
    return nullptr;
  }
  return static_cast<String*>(strings->elements()[n]);
}

void StaticClass::freeClassTables(StaticClass* block) { freeClassTable(block->classes); }

}  // namespace sorv
