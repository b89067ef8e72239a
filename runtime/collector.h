// The collector: the list of every live object of the object heap and a mark-and-sweep
// collection over it.
//
// Invariants:
// - Every object made by Object::allocate(size, 0) is listed exactly once until a sweep
//   releases it; nothing else lives in the object heap.
// - Roots: the static reference fields (StaticRef registry), the constant strings, the
//   Application's five context fields and its pending exception, and every word of the
//   machine stack and the spilled registers that points at or into a live object (found
//   through the object heap's block bitmap, never by a list search).
// - Marking is complete for any depth (the gray stack grows); a released object is never
//   reachable from a marked one.
// - A sweep runs every finaliser of the collection before it frees any object, and a
//   collection asked for while one runs (from a finaliser) is refused.
// Called by the heaps on exhaustion (mode 9), the per-frame tick (1 or 5), System.gc (0)
// and Application::close (2); main thread only.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv {

class Object;
struct Application;

class ObjectManager {
 public:
  // Mode bits of gc().
  static constexpr int32_t kReleaseAll = 2;
  static constexpr int32_t kKeepNewest = 8;

  explicit ObjectManager(Application* app);
  ~ObjectManager();
  ObjectManager(const ObjectManager&) = delete;
  ObjectManager& operator=(const ObjectManager&) = delete;

  void registerObject(Object* object);
  void gc(int32_t mode);
  // Marks object and everything reachable from it.
  void mark(Object* object);
  // Conservative roots: every pointer-sized word between the two addresses that points at or
  // into an object becomes a root of the collection under way.
  void scanRange(const void* from, const void* to);
  void scanStack();
  void freeObjectList();

  int32_t count() const { return count_; }
  Object* objectAt(int32_t i) const { return list_[i]; }
  bool collecting() const { return collecting_; }
  // Collections run so far (tests and the stress check read it).
  uint64_t collections() const { return collections_; }

 private:
  void markRoots(int32_t mode);
  void addCandidate(const void* word);
  void drainGrayStack();
  void sweep();

  Application* app_;
  Object** list_ = nullptr;
  int32_t capacity_ = 0;
  int32_t count_ = 0;
  std::vector<Object*> gray_;
  std::vector<Object*> doomed_;
  std::vector<Object*> candidates_;
  bool collecting_ = false;
  uint64_t collections_ = 0;
};

// The top of the calling thread's machine stack (its highest address): where the
// conservative scan ends.
const void* stackTop();

}  // namespace sorv
