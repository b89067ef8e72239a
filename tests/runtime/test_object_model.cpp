#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/array.h"
#include "runtime/class_table.h"
#include "runtime/heap.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::RuntimeTest;

class ObjectModel : public RuntimeTest {};

// A canvas-like pair: CGame extends Canvas, which extends Displayable, in the class table.
class Displayable : public Object {
 public:
  static constexpr ClassId kClassId = kDisplayable;
  Object* title = nullptr;
};
SORV_REF_FIELDS(Displayable, SORV_REF_OFFSET(Displayable, title));

class Canvas : public Displayable {
 public:
  static constexpr ClassId kClassId = kCanvas;
};

class Game : public Canvas {
 public:
  static constexpr ClassId kClassId = kCGame;
  Object* state = nullptr;
  int32_t counter = 0;
  Object* menu = nullptr;
  void* getInterface(int32_t id) override { return id == kRunnable ? &counter : nullptr; }
};
SORV_REF_FIELDS(Game, SORV_REF_OFFSET(Game, state), SORV_REF_OFFSET(Game, menu));

TEST_F(ObjectModel, ClassTableNamesChainsAndInheritedReferenceFields) {
  EXPECT_STREQ(StaticClass::findClass(kObject)->name, "java_lang_Object");
  EXPECT_STREQ(StaticClass::findClass(kCanvas)->name, "javax_microedition_lcdui_Canvas");
  EXPECT_STREQ(StaticClass::findClass(kHashtableEnumerator)->name, "java_util_Hashtable_HashtableEnumerator");
  EXPECT_STREQ(StaticClass::findClass(kRigidBody)->name, "RigidBody");
  EXPECT_EQ(StaticClass::findClass(kClassCount), nullptr);
  EXPECT_EQ(StaticClass::findClass(-1), nullptr);
  for (int32_t id = 0; id < kClassCount; id++) {
    const Class* c = StaticClass::findClass(id);
    ASSERT_EQ(c->classIndex, id);
    // Every chain ends at Object, whose superclass is none.
    int steps = 0;
    while (c->classIndex != kObject && steps++ < kClassCount) c = StaticClass::findClass(c->superclassId);
    EXPECT_EQ(c->superclassId, kNoSuperclass) << classNameOf(id);
  }
  const Class* game = StaticClass::findClass(kCGame);
  ASSERT_EQ(game->refCount, 3);
  EXPECT_EQ(game->refOffsets[0], offsetof(Displayable, title));
  EXPECT_EQ(game->refOffsets[1], offsetof(Game, state));
  EXPECT_EQ(game->refOffsets[2], offsetof(Game, menu));
  EXPECT_EQ(StaticClass::findClass(kCanvas)->refCount, 1);
}

TEST_F(ObjectModel, InstanceofFollowsSuperclassesAndInterfaces) {
  Game* g = newObject<Game>();
  Object* plain = newObject<Displayable>();
  for (int32_t id = 0; id < kClassCount; id++) EXPECT_FALSE(instanceOf(nullptr, id));
  EXPECT_TRUE(instanceOf(g, kCGame));
  EXPECT_TRUE(instanceOf(g, kCanvas));
  EXPECT_TRUE(instanceOf(g, kDisplayable));
  EXPECT_TRUE(instanceOf(g, kObject));
  EXPECT_TRUE(instanceOf(g, kRunnable));
  EXPECT_FALSE(instanceOf(g, kCommandListener));
  EXPECT_FALSE(instanceOf(g, kGameCanvas));
  EXPECT_FALSE(instanceOf(plain, kCanvas));
  EXPECT_FALSE(instanceOf(plain, kRunnable));
  EXPECT_EQ(app_->frameDepth, 0);
}

TEST_F(ObjectModel, DefaultSlotsAndHeaders) {
  Object* a = newObject<Displayable>();
  Object* b = newObject<Displayable>();
  EXPECT_EQ(a->classId, kDisplayable);
  EXPECT_EQ(a->collectable, 1);
  EXPECT_EQ(a->mark, 1);
  EXPECT_TRUE(a->equals(a));
  EXPECT_FALSE(a->equals(b));
  // Identity hashes are heap offsets, the same on every run.
  EXPECT_EQ(a->hashCode(), static_cast<int32_t>(app_->objectHeap->offsetOf(a)));
  char expected[48];
  std::snprintf(expected, sizeof expected, "Object_id=%d @0x%x", kDisplayable, a->hashCode());
  EXPECT_EQ(String::toUtf8(a->toString()), expected);
  LogCapture log;
  EXPECT_EQ(a->clone(), nullptr);
  EXPECT_EQ(log.text(), "clone\nstacktrace:\n\n");
}

TEST_F(ObjectModel, ConstantLookupIsChecked) {
  LogCapture log;
  EXPECT_EQ(StaticClass::getConstant(0), nullptr);
  EXPECT_TRUE(log.contains("NullPointer"));
  auto* strings = newObject<ObjectArray>();
  strings->length = 1;
  strings->data = Object::allocate(sizeof(Object*), 1);
  registerBufferField(&strings->data);
  strings->elements()[0] = String::fromCString("rms_game");
  app_->staticClass->constantStrings = strings;
  EXPECT_EQ(String::toUtf8(StaticClass::getConstant(0)), "rms_game");
  log.clear();
  EXPECT_EQ(StaticClass::getConstant(1), nullptr);
  EXPECT_EQ(StaticClass::getConstant(-1), nullptr);
  EXPECT_EQ(log.text(), "ArrayOutOfBound\nstacktrace:\n\nArrayOutOfBound\nstacktrace:\n\n");
}

TEST_F(ObjectModel, ReleasedObjectsCountAsNull) {
  Displayable d;
  d.classId = kReleasedClassId;
  EXPECT_TRUE(isNull(&d));
  EXPECT_TRUE(isNull(nullptr));
  EXPECT_FALSE(instanceOf(&d, kObject));
}

TEST(Runtime, StartsAgainAfterCloseWithNoStaticLeftOver) {
  static StaticRef<Displayable> kept;
  for (int run = 0; run < 3; run++) {
    auto* app = new Application();
    Application::init(app);
    EXPECT_EQ(kept.get(), nullptr);
    kept = newObject<Displayable>();
    Application::close(app);
    // Closing twice finds everything already gone.
    LogCapture log;
    Application::close(app);
    EXPECT_TRUE(log.contains("m_midlet is already NULL."));
    EXPECT_EQ(app->objectHeap, nullptr);
    EXPECT_EQ(app->staticClass, nullptr);
    delete app;
    Application::setInstance(nullptr);
  }
}

}  // namespace
}  // namespace sorv

namespace sorv {
namespace {

std::string gInitOrder;
void initCTraining() { gInitOrder += "CTraining "; }
void initCPlayer() { gInitOrder += "CPlayer "; }
void initCAE() { gInitOrder += "CAE "; }
SORV_STATIC_INIT(kCTraining, initCTraining);
SORV_STATIC_INIT(kCAE, initCAE);
SORV_STATIC_INIT(kCPlayer, initCPlayer);

TEST(Runtime, StaticInitialisersRunInTheGamesOrderWhateverTheLinkOrder) {
  gInitOrder.clear();
  auto* app = new Application();
  Application::init(app);
  EXPECT_EQ(gInitOrder, "CPlayer CTraining CAE ");
  Application::close(app);
  delete app;
  Application::setInstance(nullptr);
}

}  // namespace
}  // namespace sorv
