#include "runtime/application.h"

#include <cstring>

#include "runtime/class_table.h"
#include "runtime/collector.h"
#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/log.h"
#include "runtime/midlet_slots.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv {

namespace {

constexpr size_t kObjectHeapSize = 0x800000;
constexpr size_t kBufferHeapSize = 0xA00000;
constexpr size_t kStackTraceBytes = 512;
constexpr int32_t kCollectOnExhaustion = 9;

// A heap that has no fitting fragment collects once (keeping the newest object) and retries.
void collectOnExhaustion() {
  Application* app = Application::instance();
  if (app != nullptr && app->objectManager != nullptr) app->objectManager->gc(kCollectOnExhaustion);
}

// "stacktrace:\n" and the frame names innermost first, cut at the buffer's end.
size_t formatStackTrace(const Application* app, char (&text)[kStackTraceBytes]) {
  size_t used = static_cast<size_t>(std::snprintf(text, sizeof text, "stacktrace:\n"));
  if (app == nullptr) return used;
  int32_t depth = app->frameDepth < Application::kMaxFrames ? app->frameDepth : Application::kMaxFrames;
  for (int32_t i = depth - 1; i >= 0 && used < sizeof text - 1; i--) {
    const char* name = app->frameNames[i] != nullptr ? app->frameNames[i] : "?";
    int n = std::snprintf(text + used, sizeof text - used, "%s\n", name);
    if (n < 0) break;
    used += static_cast<size_t>(n);
  }
  return used < sizeof text ? used : sizeof text - 1;
}

}  // namespace

void Application::init(Application* app) {
  setInstance(app);
  Debug::trace("new MemoryManagers");
  app->objectHeap = new VirtualMemoryManager(kObjectHeapSize, VirtualMemoryManager::kFixed);
  app->bufferHeap = new VirtualMemoryManager(kBufferHeapSize, VirtualMemoryManager::kRelocatable);
  app->objectHeap->onExhausted = collectOnExhaustion;
  app->bufferHeap->onExhausted = collectOnExhaustion;
  app->profiler.eventCount = 0;
  app->profiler.depth = 0;
  app->profiler.armed = 0;
  Debug::trace("new ObjectManager");
  app->objectManager = new ObjectManager(app);
  Debug::trace("new StaticClass");
  app->staticClass = new StaticClass();
  app->frameDepth = 0;
  app->collectAfterHash = 0;
  app->m_pendingException = nullptr;
  app->decodeBuffer = nullptr;
  Debug::trace("Application::init");
  StaticClass::init(app->staticClass);
  app->frameCounter = 0;
}

void Application::close(Application* app) {
  Debug::trace("Application::close");
  Debug::trace("Application::destoryMIDlet");
  if (app->m_midlet == nullptr) {
    Debug::trace("m_midlet is already NULL.");
  } else if (instanceOf(app->m_midlet, kMIDlet)) {
    static_cast<MidletSlots*>(app->m_midlet)->destroyApp(true);
    dropUncaught("Application::close");
  }
  app->screenImage = nullptr;
  app->m_screenGraphics = nullptr;
  app->m_midlet = nullptr;
  app->decodeBuffer = nullptr;
  app->currentDisplayable = nullptr;
  app->m_pendingException = nullptr;
  // The final collection runs every finaliser while the class table and the heaps still
  // stand; only then are the statics cleared and the blocks freed.
  if (app->objectManager != nullptr) {
    app->objectManager->gc(ObjectManager::kReleaseAll);
    forEachStaticRoot([](StaticRootBase& root) { root.object = nullptr; });
    delete app->objectManager;
    app->objectManager = nullptr;
  }
  if (app->staticClass != nullptr) {
    app->staticClass->constantStrings = nullptr;
    StaticClass::freeClassTables(app->staticClass);
    delete app->staticClass;
    app->staticClass = nullptr;
  }
  delete app->objectHeap;
  app->objectHeap = nullptr;
  delete app->bufferHeap;
  app->bufferHeap = nullptr;
}

void Application::printStackTrace(Application* app) {
  char text[kStackTraceBytes];
  formatStackTrace(app, text);
  Debug::trace("%s", text);
}

String* Application::stackTraceString(Application* app) {
  char text[kStackTraceBytes];
  formatStackTrace(app, text);
  return String::fromCString(text);
}

void Application::throwException(Throwable* exception, int32_t callSiteId) {
  Application* app = current_;
  if (app == nullptr || isNull(exception)) return;
  exception->stackTrace = stackTraceString(app);
  app->m_pendingException = exception;
  // The throw's own site: a handler that rethrows must not match its own range again.
  app->currentCallSite = callSiteId;
}

int32_t Application::checkException(int32_t callSiteId) {
  Application* app = current_;
  if (app == nullptr || app->m_pendingException == nullptr) return 0;
  app->currentCallSite = callSiteId;
  return 1;
}

int32_t Application::catchException(const CatchEntry* table) {
  Application* app = current_;
  if (app == nullptr || app->m_pendingException == nullptr || table == nullptr) return -1;
  for (int32_t i = 0; table[i].classId != 0; i++) {
    const CatchEntry& e = table[i];
    if (e.first <= app->currentCallSite && app->currentCallSite < e.end &&
        instanceOf(app->m_pendingException, e.classId)) {
      app->m_pendingException = nullptr;
      return i;
    }
  }
  return -1;
}

Throwable* Application::pendingException() {
  return current_ != nullptr ? static_cast<Throwable*>(current_->m_pendingException) : nullptr;
}

void Application::dropUncaught(const char* where) {
  Application* app = current_;
  if (app == nullptr || app->m_pendingException == nullptr) return;
  auto* exception = static_cast<Throwable*>(app->m_pendingException);
  app->m_pendingException = nullptr;
  const char* name = classNameOf(exception->classId);
  Debug::trace("uncaught %s in %s", name != nullptr ? name : "exception", where);
  if (!isNull(exception->stackTrace)) Debug::trace("%s", String::toUtf8(exception->stackTrace).c_str());
}

}  // namespace sorv
