#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>

#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/heap.h"
#include "runtime/static_class.h"
#include "runtime/stress.h"
#include "runtime/throwable.h"
#include "tests/support/run_budget.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::clobberStack;
using test::LogCapture;
using test::RuntimeTest;

int gFinalized = 0;

// A managed class with two reference fields, under the id of a class that the runtime
// itself never defines.
class Node : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  Object* next = nullptr;
  Object* other = nullptr;
  int32_t value = 0;
  void finalize() override { gFinalized++; }
};
SORV_REF_FIELDS(Node, SORV_REF_OFFSET(Node, next), SORV_REF_OFFSET(Node, other));

// An interface as the game has them: an abstract base after Object, answered by slot 5.
class Runnable {
 public:
  virtual void run() = 0;

 protected:
  ~Runnable() = default;
};

class Task : public Node, public Runnable {
 public:
  static constexpr ClassId kClassId = kCActor;
  void run() override {}
  void* getInterface(int32_t id) override {
    return id == kRunnable ? static_cast<Runnable*>(this) : nullptr;
  }
};
// The class table, not C++, says what a class inherits: these ids extend Object there.
SORV_REF_FIELDS(Task, SORV_REF_OFFSET(Task, next), SORV_REF_OFFSET(Task, other));

StaticRef<Node> gStaticNode;

Node* newNode(int32_t value = 0, Object* next = nullptr) {
  Node* n = newObject<Node>();
  n->value = value;
  n->next = next;
  return n;
}

// An object array built by hand (the array constructors are not what is tested here).
ObjectArray* newArray(int32_t length) {
  auto* a = newObject<ObjectArray>();
  a->length = length;
  a->data = Object::allocate(sizeof(Object*) * static_cast<size_t>(length), 1);
  registerBufferField(&a->data);
  return a;
}

// Garbage made in its own frame: nothing of it is left on the stack once clobbered.
[[gnu::noinline]] void makeGarbageCycle(int n) {
  Node* first = newNode();
  Node* last = first;
  for (int i = 1; i < n; i++) {
    Node* node = newNode(i);
    last->next = node;
    last = node;
  }
  last->next = first;
}

[[gnu::noinline]] Node* makeRootedPair() {
  Node* child = newNode(2);
  return newNode(1, child);
}

class Collector : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    gFinalized = 0;
  }
  ObjectManager& om() { return *app_->objectManager; }
  // A collection seen from a clean stack.
  void collect(int32_t mode = 0) {
    clobberStack();
    om().gc(mode);
  }
  // What stays listed after start: the objects the static initialisers keep (System.out,
  // Boolean.TRUE, ...), once start-up garbage is gone.
  int permanentObjects() {
    collect();
    return om().count();
  }
};

TEST_F(Collector, UnreachableCycleGoesInOneCollectionAndEachFinaliserRunsOnce) {
  int before = permanentObjects();
  makeGarbageCycle(50);
  collect();
  EXPECT_EQ(om().count(), before);
  EXPECT_EQ(gFinalized, 50);
  collect();
  EXPECT_EQ(gFinalized, 50);
  std::string why;
  EXPECT_TRUE(app_->objectHeap->check(&why)) << why;
}

// Each kind of exact root keeps a parent and, through it, its child; once the root lets go,
// both go in the next collection.
struct RootCase {
  const char* name;
  void (*hold)(Application*, Node*);
  void (*release)(Application*);
};

const RootCase kRootCases[] = {
    {"static field", [](Application*, Node* n) { gStaticNode = n; },
     [](Application*) { gStaticNode = nullptr; }},
    {"midlet", [](Application* a, Node* n) { a->m_midlet = n; }, [](Application* a) { a->m_midlet = nullptr; }},
    {"current displayable", [](Application* a, Node* n) { a->currentDisplayable = n; },
     [](Application* a) { a->currentDisplayable = nullptr; }},
    {"screen image", [](Application* a, Node* n) { a->screenImage = n; },
     [](Application* a) { a->screenImage = nullptr; }},
    {"screen graphics", [](Application* a, Node* n) { a->m_screenGraphics = n; },
     [](Application* a) { a->m_screenGraphics = nullptr; }},
    {"pending exception", [](Application* a, Node* n) { a->m_pendingException = n; },
     [](Application* a) { a->m_pendingException = nullptr; }},
    {"constant strings",
     [](Application* a, Node* n) {
       ObjectArray* strings = newArray(3);
       strings->elements()[2] = n;
       a->staticClass->constantStrings = strings;
     },
     [](Application* a) { a->staticClass->constantStrings = nullptr; }},
};

[[gnu::noinline]] void holdNewPair(Application* app, const RootCase& c) { c.hold(app, makeRootedPair()); }

TEST_F(Collector, EveryExactRootKeepsItsObjectsUntilItLetsGo) {
  for (const RootCase& c : kRootCases) {
    SCOPED_TRACE(c.name);
    gFinalized = 0;
    holdNewPair(app_, c);
    collect();
    collect();
    EXPECT_EQ(gFinalized, 0);
    c.release(app_);
    collect();
    EXPECT_EQ(gFinalized, 2);
  }
}

[[gnu::noinline]] int survivesInThisFrameOnly() {
  Node* local = makeRootedPair();
  clobberStack();
  Application::instance()->objectManager->gc(0);
  // The local is still read after the collection, so it was live across it.
  asm volatile("" : : "r"(local) : "memory");
  return gFinalized == 0 && local->classId == Node::kClassId && local->next != nullptr;
}

TEST_F(Collector, LocalOfARunningFrameOrRegisterSurvives) {
  EXPECT_TRUE(survivesInThisFrameOnly());
  collect();
  EXPECT_EQ(gFinalized, 2);
}

[[gnu::noinline]] Object** fieldAddressOfNewPair() { return &makeRootedPair()->other; }
[[gnu::noinline]] Runnable* interfaceOfNewTask() {
  Task* t = newObject<Task>();
  t->next = newNode(7);
  return t;
}

// Holds only a field address and an interface pointer across a collection.
[[gnu::noinline]] int interiorPointersKeepTheirObjects() {
  Object** volatile field = fieldAddressOfNewPair();
  Runnable* volatile runnable = interfaceOfNewTask();
  clobberStack();
  Application::instance()->objectManager->gc(0);
  return gFinalized == 0 && field != nullptr && runnable != nullptr;
}

TEST_F(Collector, InteriorAndInterfacePointersKeepTheirObject) {
  EXPECT_TRUE(interiorPointersKeepTheirObjects());
  collect();
  EXPECT_EQ(gFinalized, 4);
}

TEST_F(Collector, PermanentObjectsSurviveAllButTheFullCollection) {
  [] [[gnu::noinline]] () { newNode()->collectable = 0; }();
  collect();
  collect(1);
  collect(5);
  EXPECT_EQ(gFinalized, 0);
  collect(ObjectManager::kReleaseAll);
  EXPECT_EQ(gFinalized, 1);
}

TEST_F(Collector, KeepNewestModeKeepsTheLastListedObject) {
  makeGarbageCycle(1);
  collect(ObjectManager::kKeepNewest | 1);
  EXPECT_EQ(gFinalized, 0);
  collect(1);
  EXPECT_EQ(gFinalized, 1);
}

// A finaliser that reads a neighbour that dies with it, and one that asks for a collection.
int gNeighbourValueSeen = -1;
class Reader : public Node {
 public:
  static constexpr ClassId kClassId = kCAE;
  void finalize() override {
    gNeighbourValueSeen = static_cast<Node*>(next)->value;
    Application::instance()->objectManager->gc(0);
  }
};
SORV_REF_FIELDS(Reader, SORV_REF_OFFSET(Reader, next), SORV_REF_OFFSET(Reader, other));

[[gnu::noinline]] void makeReaderOfDoomedNeighbour() {
  Reader* r = newObject<Reader>();
  r->next = newNode(42);
}

TEST_F(Collector, AllFinalisersRunBeforeAnyObjectIsFreedAndNoCollectionNests) {
  int permanent = permanentObjects();
  LogCapture log;
  gNeighbourValueSeen = -1;
  // The neighbour is listed after the reader, so the sweep meets it first.
  makeReaderOfDoomedNeighbour();
  collect();
  EXPECT_EQ(gNeighbourValueSeen, 42);
  EXPECT_EQ(gFinalized, 1);
  EXPECT_TRUE(log.contains("ObjectManager::gc refused inside a collection"));
  EXPECT_EQ(om().count(), permanent);
}

[[gnu::noinline]] void makeChain(int length) {
  Node* head = nullptr;
  for (int i = 0; i < length; i++) head = newNode(i, head);
  gStaticNode = head;
}

[[gnu::noinline]] void makeNestedArrays(int depth) {
  ObjectArray* outer = newArray(1);
  ObjectArray* inner = outer;
  for (int i = 0; i < depth; i++) {
    ObjectArray* next = newArray(2);
    next->elements()[1] = newNode(i);
    inner->elements()[0] = next;
    inner = next;
  }
  Application::instance()->m_midlet = outer;
}

TEST_F(Collector, LongChainsAndDeepArrayNestingAreMarkedCompletely) {
  stress::StressOverride plain(false, false);
  int permanent = permanentObjects();
  makeChain(100000);
  makeNestedArrays(5000);
  int listed = om().count();
  collect();
  EXPECT_EQ(om().count(), listed);
  EXPECT_EQ(gFinalized, 0);
  gStaticNode = nullptr;
  app_->m_midlet = nullptr;
  collect();
  EXPECT_EQ(om().count(), permanent);
  EXPECT_EQ(gFinalized, 100000 + 5000);
}

TEST_F(Collector, FullCollectionLeavesBothHeapsEmpty) {
  stress::StressOverride plain(false, false);
  gStaticNode = newNode();
  app_->m_midlet = newArray(100);
  for (int i = 0; i < 100; i++) static_cast<ObjectArray*>(app_->m_midlet)->elements()[i] = newArray(i);
  EXPECT_GT(app_->bufferHeap->heapUsed(), 0u);
  collect(ObjectManager::kReleaseAll);
  EXPECT_EQ(om().count(), 0);
  EXPECT_EQ(app_->objectHeap->heapUsed(), 0u);
  EXPECT_EQ(app_->bufferHeap->heapUsed(), 0u);
  gStaticNode = nullptr;
  app_->m_midlet = nullptr;
}

[[gnu::noinline]] void fillHeapWithGarbage(size_t bytes) {
  for (size_t made = 0; made < bytes; made += sizeof(Node)) newNode();
}

TEST_F(Collector, AnExhaustedHeapCollectsAndTheAllocationGoesOn) {
  stress::StressOverride plain(false, false);
  // Twice the heap in short-lived objects: only the collection on exhaustion lets it fit.
  fillHeapWithGarbage(2 * app_->objectHeap->heapSize());
  clobberStack();
  EXPECT_GT(om().collections(), 0u);
  EXPECT_NE(newNode(), nullptr);
  std::string why;
  EXPECT_TRUE(app_->objectHeap->check(&why)) << why;
}

TEST_F(Collector, StressModeCollectsOnEveryAllocation) {
  stress::StressOverride stressed(true, false);
  uint64_t before = om().collections();
  Node* kept = newNode(1);
  for (int i = 0; i < 20; i++) kept = newNode(i, kept);
  EXPECT_EQ(om().collections(), before + 21);
  int length = 0;
  for (Object* n = kept; n != nullptr; n = static_cast<Node*>(n)->next) length++;
  EXPECT_EQ(length, 21);
  EXPECT_EQ(gFinalized, 0);
}

// Three roots registered in this order; one assigned from another copies the reference only.
StaticRef<Node> gRootA;
StaticRef<Node> gRootB;
StaticRef<Node> gRootC;

TEST_F(Collector, ARootAssignedFromAnotherLeavesTheRegistryWhole) {
  gFinalized = 0;
  gRootA = makeRootedPair();
  gRootB = makeRootedPair();
  gRootC = gRootA;
  collect();
  EXPECT_EQ(gFinalized, 0) << "every root between them is still visited";
  EXPECT_EQ(gRootC.get(), gRootA.get());
  gRootA = nullptr;
  gRootB = nullptr;
  gRootC = nullptr;
}

}  // namespace
}  // namespace sorv

namespace sorv {
namespace {

StaticRef<Node> gKeptChain;

// Every object kept reachable until the heap holds no more: the allocation that still fails
// after the collection says so in one line with both heaps' figures.
TEST_F(Collector, AnAllocationThatFailsAfterTheCollectionLogsTheHeapFigures) {
  stress::StressOverride plain(false, false);
  LogCapture log;
  for (Node* made = newObject<Node>(); made != nullptr; made = newObject<Node>()) {
    made->next = gKeptChain.get();
    gKeptChain = made;
  }
  const std::string text = log.text();
  EXPECT_EQ(text.find("Out of memory after the collection (an object): object heap "),
            text.rfind("Out of memory after the collection")) << "once";
  EXPECT_NE(text.find("Out of memory after the collection (an object): object heap "), std::string::npos) << text;
  EXPECT_NE(text.find("bytes used, peak"), std::string::npos);
  EXPECT_NE(text.find(std::to_string(app_->objectHeap->heapSize())), std::string::npos);
  gKeptChain = nullptr;
}

// Where the list of objects cannot grow (the process may map no more memory), the program
// ends with the same line and a failure status rather than a crash.
TEST_F(Collector, AnObjectListThatCannotGrowEndsWithTheLineNotACrash) {
  if (test::kSanitizerBuild) GTEST_SKIP() << "the sanitizer maps memory of its own";
  stress::StressOverride plain(false, false);
  LogCapture log;
  // Just below a growth of the list large enough to need new memory from the system.
  while (om().count() < 16 * 1024 - 1) gKeptChain = newNode(0, gKeptChain.get());
  std::fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit limit{};
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    limit.rlim_cur = limit.rlim_max = pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
    setrlimit(RLIMIT_AS, &limit);
    for (int i = 0; i < 4 * 1024; i++) gKeptChain = newNode(0, gKeptChain.get());
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_FAILURE) << status;
  EXPECT_TRUE(log.contains("Out of memory after the collection (the object list cannot grow): object heap"))
      << log.text();
  gKeptChain = nullptr;
}

}  // namespace
}  // namespace sorv
