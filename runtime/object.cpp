#include "runtime/object.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/application.h"
#include "runtime/collector.h"
#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/log.h"
#include "runtime/stress.h"
#include "runtime/string.h"

namespace sorv {

namespace {

// Both lists are linked by constructors of static objects; the heads are constant-initialised
// so the order in which translation units start does not matter.
const OwnRefFields* gFirstOwnRefFields = nullptr;
StaticRootBase* gFirstStaticRoot = nullptr;

// The stress mode checks the heaps now and then; a broken heap is not worth going on with.
void checkHeapsUnderStress(Application* app) {
  std::string why;
  for (VirtualMemoryManager* heap : {app->objectHeap, app->bufferHeap}) {
    if (heap != nullptr && !heap->check(&why)) {
      Debug::trace("heap check failed: %s", why.c_str());
      std::abort();
    }
  }
}

}  // namespace

OwnRefFields::OwnRefFields(ClassId id, std::initializer_list<uint32_t> list)
    : classId(id), offsets(list), next(gFirstOwnRefFields) {
  gFirstOwnRefFields = this;
}

const OwnRefFields* OwnRefFields::first() { return gFirstOwnRefFields; }

StaticRootBase::StaticRootBase() : nextRoot(gFirstStaticRoot) { gFirstStaticRoot = this; }

StaticRootBase* firstStaticRoot() { return gFirstStaticRoot; }

void Object::finalize() {}

bool Object::equals(Object* other) { return this == other; }

Object* Object::clone() {
  reportError("clone");
  return nullptr;
}

String* Object::toString() {
  char text[48];
  std::snprintf(text, sizeof text, "Object_id=%d @0x%x", classId, static_cast<unsigned>(hashCode()));
  return String::fromCString(text);
}

int32_t Object::hashCode() {
  // The offset in the object heap, not the host address, so runs repeat.
  Application* app = Application::instance();
  if (app != nullptr && app->objectHeap != nullptr && app->objectHeap->owns(this)) {
    return static_cast<int32_t>(app->objectHeap->offsetOf(this));
  }
  return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this));
}

void* Object::getInterface(int32_t) { return nullptr; }

void* Object::allocate(size_t size, int kind) {
  if (kind != 0) return qmx_malloc(size);
  Application* app = Application::instance();
  if (app == nullptr || app->objectHeap == nullptr) {
    reportError("Malloc returned null");
    return nullptr;
  }
  if (stress::collectOnAllocate() && app->objectManager != nullptr) {
    app->objectManager->gc(0);
    if (stress::checkDue()) checkHeapsUnderStress(app);
  }
  void* p = app->objectHeap->malloc(size);
  if (p == nullptr) {
    logOutOfMemory("an object");
    reportError("Malloc returned null");
    return nullptr;
  }
  std::memset(p, 0, size);
  if (app->objectManager != nullptr) app->objectManager->registerObject(static_cast<Object*>(p));
  return p;
}

}  // namespace sorv
