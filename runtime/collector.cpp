#include "runtime/collector.h"

#include <pthread.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kFirstListCapacity = 512;
constexpr size_t kGrayReserve = 3000;

// An object allocated but never constructed has no class table yet; it has nothing to
// finalise.
bool hasClassTable(const Object* o) { return *reinterpret_cast<void* const*>(o) != nullptr; }

}  // namespace

const void* stackTop() {
  thread_local const void* top = [] {
    pthread_attr_t attr;
    void* base = nullptr;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
      pthread_attr_getstack(&attr, &base, &size);
      pthread_attr_destroy(&attr);
    }
    return static_cast<const void*>(static_cast<const char*>(base) + size);
  }();
  return top;
}

ObjectManager::ObjectManager(Application* app) : app_(app) { gray_.reserve(kGrayReserve); }

ObjectManager::~ObjectManager() { freeObjectList(); }

void ObjectManager::registerObject(Object* object) {
  if (count_ == capacity_) {
    int32_t capacity = capacity_ == 0 ? kFirstListCapacity : capacity_ * 2;
    auto* grown = static_cast<Object**>(std::malloc(static_cast<size_t>(capacity) * sizeof(Object*)));
    if (grown == nullptr) {
      // An unlisted object would never be swept nor have its mark cleared: the game cannot go
      // on, and ends with the line that says why rather than a crash.
      logOutOfMemory("the object list cannot grow");
      std::fflush(nullptr);
      std::_Exit(EXIT_FAILURE);
    }
    if (count_ > 0) std::memcpy(grown, list_, static_cast<size_t>(count_) * sizeof(Object*));
    std::free(list_);
    list_ = grown;
    capacity_ = capacity;
  }
  list_[count_++] = object;
}

void ObjectManager::freeObjectList() {
  std::free(list_);
  list_ = nullptr;
  capacity_ = count_ = 0;
}

void ObjectManager::gc(int32_t mode) {
  if (collecting_) {
    // A finaliser that allocates must not start a sweep inside the sweep.
    Debug::trace("ObjectManager::gc refused inside a collection");
    return;
  }
  SORV_FRAME("ObjectManager::gc()");
  collecting_ = true;
  collections_++;
  // The stack is read before the collector's own frames have held any object pointer, so
  // none of its leftovers keeps garbage alive.
  candidates_.clear();
  if ((mode & kReleaseAll) == 0) scanStack();
  for (int32_t i = 0; i < count_; i++) list_[i]->mark = 0;
  if ((mode & kReleaseAll) == 0) {
    markRoots(mode);
  } else {
    for (int32_t i = 0; i < count_; i++) list_[i]->collectable = 1;
  }
  sweep();
  collecting_ = false;
}

void ObjectManager::markRoots(int32_t mode) {
  forEachStaticRoot([this](StaticRootBase& root) { mark(root.object); });
  if (app_->staticClass != nullptr) mark(app_->staticClass->constantStrings);
  mark(app_->m_midlet);
  mark(app_->currentDisplayable);
  mark(app_->screenImage);
  mark(app_->m_screenGraphics);
  mark(app_->decodeBuffer);
  mark(app_->m_pendingException);
  for (Object* object : candidates_) mark(object);
  if ((mode & kKeepNewest) != 0 && count_ > 0) mark(list_[count_ - 1]);
}

void ObjectManager::mark(Object* object) {
  if (object == nullptr || object->mark != 0) return;
  if (app_->objectHeap == nullptr || !app_->objectHeap->owns(object)) return;
  if (object->classId == kReleasedClassId) {
    reportError("NullPointer");
    return;
  }
  object->mark = 1;
  gray_.push_back(object);
  drainGrayStack();
}

void ObjectManager::drainGrayStack() {
  const VirtualMemoryManager* heap = app_->objectHeap;
  const StaticClass* statics = app_->staticClass;
  auto visit = [&](Object* target) {
    if (target == nullptr || target->mark != 0 || !heap->owns(target)) return;
    if (target->classId == kReleasedClassId) {
      reportError("NullPointer");
      return;
    }
    target->mark = 1;
    gray_.push_back(target);
  };
  while (!gray_.empty()) {
    Object* o = gray_.back();
    gray_.pop_back();
    if (o->classId == kObjectArray) {
      auto* array = static_cast<ObjectArray*>(o);
      Object** elements = array->elements();
      if (elements == nullptr) continue;
      for (int32_t i = 0; i < array->length; i++) visit(elements[i]);
    } else if (statics != nullptr && o->classId >= 0 && o->classId < kClassCount) {
      const Class& c = statics->classes[o->classId];
      auto* base = reinterpret_cast<std::byte*>(o);
      for (int32_t j = 0; j < c.refCount; j++) {
        visit(*reinterpret_cast<Object**>(base + c.refOffsets[j]));
      }
    }
  }
}

void ObjectManager::addCandidate(const void* word) {
  const VirtualMemoryManager* heap = app_->objectHeap;
  if (!heap->owns(word)) return;
  // Interior pointers (an interface base, a field address) keep their object too; a word
  // that points at a block's heap header (the arena's own base, say) is no reference.
  auto* object = static_cast<Object*>(heap->blockContaining(word));
  if (object != nullptr && word >= object) candidates_.push_back(object);
}

// Stack words include redzones and dead slots: reading them is the point.
__attribute__((no_sanitize_address)) void ObjectManager::scanRange(const void* from, const void* to) {
  if (app_->objectHeap == nullptr) return;
  auto lo = reinterpret_cast<uintptr_t>(from < to ? from : to);
  auto hi = reinterpret_cast<uintptr_t>(from < to ? to : from);
  lo = (lo + sizeof(void*) - 1) & ~(uintptr_t{sizeof(void*)} - 1);
  for (uintptr_t a = lo; a + sizeof(void*) <= hi; a += sizeof(void*)) {
    addCandidate(*reinterpret_cast<const void* const*>(a));
  }
}

[[gnu::noinline]] void ObjectManager::scanStack() {
  // Callee-saved registers of every caller go to this frame, so a reference that lives only
  // in a register is scanned as well.
  __builtin_unwind_init();
  std::jmp_buf registers;
  setjmp(registers);
  scanRange(&registers, stackTop());
}

void ObjectManager::sweep() {
  doomed_.clear();
  for (int32_t i = count_ - 1; i >= 0; i--) {
    Object* o = list_[i];
    if (o->mark == 0 && o->collectable != 0) {
      list_[i] = list_[--count_];
      doomed_.push_back(o);
    }
  }
  // Every finaliser first: one may still read another doomed object.
  for (Object* o : doomed_) {
    if (hasClassTable(o)) o->finalize();
  }
  for (Object* o : doomed_) {
    o->classId = kReleasedClassId;
    if (app_->bufferHeap != nullptr && app_->bufferHeap->free(o)) continue;
    if (app_->objectHeap != nullptr && app_->objectHeap->free(o)) continue;
    std::free(o);
  }
  doomed_.clear();
}

}  // namespace sorv
