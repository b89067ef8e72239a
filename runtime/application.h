// The runtime context: one block that holds the roots of the managed world (midlet,
// current Displayable, screen image and Graphics, decode buffer, pending exception), the
// heaps, the collector, the static block, the frame-name stack and the profiler.
//
// Invariants:
// - There is at most one Application at a time; Application::instance() reaches it.
// - The five context roots and m_pendingException are collector roots while set.
// - frameDepth stays within [0, kMaxFrames]: pushes beyond the table are counted but not
//   stored, so pops stay balanced.
// - After close, paint and the key calls do nothing.
// - Everything runs on the main thread.
// The shell calls the life cycle in order; createScreenGraphics, startApp, paint and the key
// calls are defined with the device classes they call (device/application_screen.cpp).
#pragma once

#include <cstdint>

#include "runtime/object.h"
#include "runtime/profiler.h"

namespace sorv {

class String;
class StringBuffer;
class Throwable;
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

 public:
  // One entry of a method's catch table: class id, first call site, end call site
  // (exclusive). A table ends with class id 0.
  struct CatchEntry {
    int32_t classId;
    int32_t first;
    int32_t end;
  };

  // Life cycle (the shell calls these in order).
  static void init(Application* app);
  static void createScreenGraphics(Application* app, Object* screenImage);
  static void startApp(Application* app);
  static void paint(Application* app);
  static void keyPressed(Application* app, int32_t keyCode);
  static void keyReleased(Application* app, int32_t keyCode);
  static void close(Application* app);

  static StaticClass* getStaticClass() { return current_ != nullptr ? current_->staticClass : nullptr; }
  static ObjectManager* getObjectManager() {
    return current_ != nullptr ? current_->objectManager : nullptr;
  }

  // Errors and exceptions of translated code.
  static void printStackTrace(Application* app);
  static String* stackTraceString(Application* app);
  // Records the stack trace in the Throwable, records this throw's own call site and makes
  // it the pending exception.
  static void throwException(Throwable* exception, int32_t callSiteId = 0);
  // 0 when nothing is pending; else records callSiteId and returns 1.
  static int32_t checkException(int32_t callSiteId);
  // Index of the first matching entry (the exception is then cleared), else -1.
  static int32_t catchException(const CatchEntry* table);
  static Throwable* pendingException();
  // Dispatch from outside managed code (paint, keys, run, static initialisers): logs and
  // clears an exception nobody caught.
  static void dropUncaught(const char* where);

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
