#include "runtime/static_class.h"

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/constants.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/lang_wrappers.h"
#include "runtime/string.h"

namespace sorv {

namespace {

// The static initialisers in their fixed order. The game classes' own go between Boolean's
// and Runtime's (ANIM, CPlayer, CGame, ASprite, IGP, CTraining, CTennis) and after
// Runtime's (RigidBody, then CAE last), as those classes arrive.
constexpr void (*kStaticInitialisers[])() = {
    System::clinit,
    Boolean::clinit,
    Runtime::clinit,
};

}  // namespace

void StaticClass::init(StaticClass* block) {
  *block = StaticClass{};
  buildClassTable(block->classes);
  // Statics of a previous run (tests start the runtime many times) point into freed heaps.
  forEachStaticRoot([](StaticRootBase& root) { root.object = nullptr; });
  loadConstants(block);
  for (void (*clinit)() : kStaticInitialisers) {
    clinit();
    Application::dropUncaught("StaticClass::init");
  }
  // Loading leaves its streams and buffers behind; the game starts from a clean heap.
  System::gc();
}

void StaticClass::loadConstants(StaticClass* block) { block->constantStrings = loadConstantStrings(); }

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
