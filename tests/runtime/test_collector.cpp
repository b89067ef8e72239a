#include <gtest/gtest.h>

#include <cstring>

#include "runtime/collector.h"
#include "runtime/heap.h"
#include "runtime/static_class.h"
#include "runtime/stress.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::clobberStack;
using test::LogCapture;
using test::RuntimeTest;

int gNodeFinalized = 0;

// A managed class with two reference fields, under the id of a class that the runtime
// itself never defines.
class Node : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  Object* next = nullptr;
  Object* other = nullptr;
  int32_t value = 0;
  void finalize() override { gNodeFinalized++; }
};
SORV_REF_FIELDS(Node, SORV_REF_OFFSET(Node, next), SORV_REF_OFFSET(Node, other));

StaticRef<Node> gStaticNode;


// Garbage made in its own frame: nothing of it is left on the stack once clobbered.
[[gnu::noinline]] void makeGarbageCycle(int n) {
  Node* first = newObject<Node>();
  Node* last = first;
  for (int i = 1; i < n; i++) {
    Node* node = newObject<Node>();
    last->next = node;
    last = node;
  }
  last->next = first;
}

class Collector : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    gNodeFinalized = 0;
  }
  ObjectManager& om() { return *app_->objectManager; }
};

TEST_F(Collector, UnreachableCycleGoesInOneCollectionAndEachFinaliserRunsOnce) {
  int before = om().count();
  makeGarbageCycle(50);
  clobberStack();
  EXPECT_EQ(om().count(), before + 50);
  om().gc(0);
  EXPECT_EQ(om().count(), before);
  EXPECT_EQ(gNodeFinalized, 50);
  om().gc(0);
  EXPECT_EQ(gNodeFinalized, 50);
}

}  // namespace
}  // namespace sorv
