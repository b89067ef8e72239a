#include "runtime/static_class.h"

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/constants.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/string.h"

namespace sorv {

namespace {

// The order in which the classes' static initialisers run; a class that is not part of the
// program has none registered and is passed over.
constexpr ClassId kStaticInitOrder[] = {kSystem, kBoolean,  kANIM,    kCPlayer,   kCGame, kASprite,
                                        kIGP,    kCTraining, kCTennis, kRuntime, kRigidBody, kCAE};

// Linked by constructors of static objects; the head is constant-initialised.
const StaticInitialiser* gFirstStaticInitialiser = nullptr;

}  // namespace

StaticInitialiser::StaticInitialiser(ClassId id, void (*clinit)())
    : classId(id), run(clinit), next(gFirstStaticInitialiser) {
  gFirstStaticInitialiser = this;
}

const StaticInitialiser* StaticInitialiser::first() { return gFirstStaticInitialiser; }

void StaticClass::init(StaticClass* block) {
  *block = StaticClass{};
  buildClassTable(block->classes);
  // Statics of a previous run (tests start the runtime many times) point into freed heaps.
  forEachStaticRoot([](StaticRootBase& root) { root.object = nullptr; });
  loadConstants(block);
  for (ClassId id : kStaticInitOrder) {
    for (const StaticInitialiser* i = StaticInitialiser::first(); i != nullptr; i = i->next) {
      if (i->classId != id) continue;
      i->run();
      Application::dropUncaught("StaticClass::init");
    }
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
