#include <gtest/gtest.h>

#include <string>

#include "runtime/clock.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/throwable.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::RuntimeTest;

class Frames : public RuntimeTest {};

void innermost() {
  SORV_FRAME("C.c()V");
  reportError("NullPointer");
}
void middle() {
  SORV_FRAME("B.b(I)I");
  innermost();
}
void outermost() {
  SORV_FRAME("A.a()V");
  middle();
}

TEST_F(Frames, FailedCheckThreeCallsDeepPrintsTheTraceInnermostFirstAndGoesOn) {
  LogCapture log;
  outermost();
  EXPECT_EQ(log.text(), "NullPointer\nstacktrace:\nC.c()V\nB.b(I)I\nA.a()V\n\n");
  EXPECT_EQ(app_->frameDepth, 0);
}

int earlyReturn(int n) {
  SORV_FRAME("A.early(I)I");
  if (n > 0) return 1;
  {
    SORV_FRAME("A.inner()V");
    if (n == 0) return 2;
  }
  return 3;
}

int recurse(int n) {
  SORV_FRAME("A.recurse(I)I");
  if (n == 0) {
    LogCapture log;
    reportError();
    std::string text = log.text();
    EXPECT_LE(text.size(), 512u);
    EXPECT_EQ(text.rfind("stacktrace:\nA.recurse(I)I\n", 0), 0u);
    return 0;
  }
  return recurse(n - 1) + 1;
}

TEST_F(Frames, FramesStayBalancedAndBoundedWhateverTheExit) {
  for (int n : {1, 0, -1}) earlyReturn(n);
  EXPECT_EQ(app_->frameDepth, 0);
  // Deeper than the name table and longer than the trace buffer: both stay inside.
  EXPECT_EQ(recurse(300), 300);
  EXPECT_EQ(app_->frameDepth, 0);
}

TEST(Log, OverlongLinesAreCutInsideTheBuffer) {
  LogCapture log;
  std::string longLine(5000, 'x');
  Debug::trace("%s", longLine.c_str());
  EXPECT_EQ(log.text(), std::string(1023, 'x') + "\n");
}

// A translated method's try ranges, as the code generator writes them: call sites 0 and 1
// are covered by a handler for RuntimeException, site 2 (the handler's own rethrow) is not.
const Application::CatchEntry kTable[] = {{kRuntimeException, 0, 2}, {0, 0, 0}};

int callAndCatch(ClassId thrown, int32_t site, bool rethrow) {
  SORV_FRAME("T.m()I");
  throwNew(thrown);
  if (Application::checkException(site)) {
    if (Application::catchException(kTable) == 0) {
      if (!rethrow) return 1;
      Throwable* again = newException(thrown);
      Application::throwException(again, 2);
      if (Application::catchException(kTable) == 0) return 99;  // would loop for ever
    }
    return -1;  // propagates
  }
  return 0;
}

TEST_F(Frames, CatchTablesMatchBySuperclassWithinTheirSiteRange) {
  struct Case {
    ClassId thrown;
    int32_t site;
    bool rethrow;
    int result;
    bool pendingAfter;
  };
  const Case cases[] = {
      {kNullPointerException, 0, false, 1, false},       // subclass, first site inclusive
      {kArithmeticException, 1, false, 1, false},        // last site inside
      {kRuntimeException, 2, false, -1, true},           // end exclusive
      {kIOException, 0, false, -1, true},                // not a RuntimeException
      {kArrayIndexOutOfBoundsException, 0, false, 1, false},  // two levels down
      {kNullPointerException, 0, true, -1, true},        // a rethrow leaves the handler
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "class " << c.thrown << " site " << c.site);
    EXPECT_EQ(callAndCatch(c.thrown, c.site, c.rethrow), c.result);
    EXPECT_EQ(Application::pendingException() != nullptr, c.pendingAfter);
    app_->m_pendingException = nullptr;
    EXPECT_EQ(app_->frameDepth, 0);
  }
}

TEST_F(Frames, ThrownExceptionCarriesTheTraceOfItsThrowSite) {
  {
    SORV_FRAME("T.thrower()V");
    throwNew(kIllegalStateException, "broken");
  }
  Throwable* pending = Application::pendingException();
  ASSERT_NE(pending, nullptr);
  EXPECT_EQ(String::toUtf8(pending->stackTrace), "stacktrace:\nT.thrower()V\n");
  EXPECT_EQ(String::toUtf8(pending->toString()), "broken");
}

TEST_F(Frames, AnExceptionNobodyCaughtIsLoggedAndCleared) {
  LogCapture log;
  {
    SORV_FRAME("T.paint()V");
    throwNew(kNullPointerException);
  }
  Application::dropUncaught("paint");
  EXPECT_EQ(Application::pendingException(), nullptr);
  EXPECT_TRUE(log.contains("uncaught java_lang_NullPointerException in paint"));
  EXPECT_TRUE(log.contains("T.paint()V"));
  log.clear();
  Application::dropUncaught("paint");
  EXPECT_EQ(log.text(), "");
}

class ProfilerRun : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    clock::setVirtual(true);
    app_->profiler.armed = 1;
  }
  void TearDown() override {
    clock::setVirtual(false);
    RuntimeTest::TearDown();
  }
};

void timed(const char* name, uint32_t ms, void (*inner)() = nullptr) {
  SORV_FRAME(name);
  clock::advance(ms);
  if (inner != nullptr) inner();
}

TEST_F(ProfilerRun, DumpsFramesOfTwoMillisecondsOrMoreIndentedByDepth) {
  timed("Outer.run()V", 3, [] {
    timed("Inner.fast()V", 1);
    timed("Inner.slow()V", 2);
  });
  LogCapture log;
  app_->profiler.dump();
  EXPECT_EQ(log.text(), "Profiler:\nOuter.run()V : 6\n\tInner.slow()V : 2\n");
}

void nest(int n) {
  SORV_FRAME("P.nest(I)V");
  if (n > 0) nest(n - 1);
}

TEST_F(ProfilerRun, StaysInsideItsTablesAndDisarmsWhenFull) {
  LogCapture log;
  nest(300);
  EXPECT_TRUE(log.contains("Profiler: Event stack depth"));
  EXPECT_EQ(app_->profiler.depth, 0);
  EXPECT_FALSE(log.contains("Begin/End event match problem"));
  app_->profiler.endEvent();
  EXPECT_TRUE(log.contains("Profiler: Begin/End event match problem"));
  for (int i = 0; i < Profiler::kMaxEvents; i++) nest(0);
  EXPECT_TRUE(log.contains("Profiler: Too many events "));
  EXPECT_EQ(app_->profiler.armed, 0);
  EXPECT_EQ(app_->profiler.eventCount, Profiler::kMaxEvents);
}

TEST_F(ProfilerRun, AnOverlongNameKeepsItsEndInsideTheLine) {
  std::string name(3000, 'n');
  name += ".tail()V";
  timed(name.c_str(), 5);
  LogCapture log;
  app_->profiler.dump();
  std::string text = log.text();
  EXPECT_NE(text.find(".tail()V : 5\n"), std::string::npos);
  EXPECT_LT(text.size(), 1100u);
}

}  // namespace
}  // namespace sorv
