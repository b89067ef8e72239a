// The runtime context: one block that holds the roots of the managed world (midlet,
// current Displayable, screen image and Graphics, decode buffer, pending exception), the
// heaps, the collector, the static block, the frame-name stack and the profiler.
//
// Invariants:
// - There is at most one Application at a time; Application::instance() reaches it.
// - The five context roots and m_pendingException are collector roots while set.
// - frameDepth stays within [0, kMaxFrames]: pushes beyond the table are counted but not
//   stored, so pops stay balanced.
// - Everything runs on the main thread.
#pragma once

#include <cstdint>

#include "runtime/object.h"
#include "runtime/profiler.h"

namespace sorv {

class StringBuffer;
class VirtualMemoryManager;
class ObjectManager;
class StaticClass;

struct Application {
  static constexpr int kMaxFrames = 256;

  // Collector roots.
  Object* m_midlet = nullptr;
  Object* currentDisplayable = nullptr;
  Object* screenImage = nullptr;
  Object* m_screenGraphics = nullptr;
  StringBuffer* decodeBuffer = nullptr;

  StaticClass* staticClass = nullptr;
  ObjectManager* objectManager = nullptr;
  int32_t frameCounter = 0;
  VirtualMemoryManager* objectHeap = nullptr;
  VirtualMemoryManager* bufferHeap = nullptr;
  Profiler profiler;

  const char* frameNames[kMaxFrames] = {};
  int32_t frameDepth = 0;
  uint8_t collectAfterHash = 0;

  Object* m_pendingException = nullptr;  // a Throwable; also a root
  int32_t currentCallSite = 0;

 private:
  static inline Application* current_ = nullptr;

  static Application* instance() { return current_; }
  static void setInstance(Application* app) { current_ = app; }

  // Frames: a store and an increment, and the profiler's armed test. Outside a running
  // runtime (tools, host-only tests) frames are not recorded.
  static void pushFrame(const char* name) {
    Application* app = current_;
    if (app == nullptr) return;
    if (app->frameDepth < kMaxFrames) app->frameNames[app->frameDepth] = name;
    app->frameDepth++;
    if (app->profiler.armed) app->profiler.beginEvent(name);
  }
  static void popFrame() {
    Application* app = current_;
    if (app == nullptr) return;
    if (app->frameDepth > 0) app->frameDepth--;
    if (app->profiler.armed) app->profiler.endEvent();
  }
};

}  // namespace sorv
