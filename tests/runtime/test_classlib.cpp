#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/class_table.h"
#include "runtime/lang_exceptions.h"
#include "runtime/lang_math.h"
#include "runtime/lang_system.h"
#include "runtime/lang_wrappers.h"
#include "runtime/static_class.h"
#include "runtime/util_hashtable.h"
#include "runtime/util_random.h"
#include "runtime/util_vector.h"
#include "tests/runtime/classlib_fixture.h"

namespace sorv {
namespace {

using test::ClassLibTest;
using test::LogCapture;
using test::host;
using test::str;

class ClassLib : public ClassLibTest {};

TEST_F(ClassLib, ExceptionMessagesAndTheirClasses) {
  Throwable* plain = newException(kException);
  EXPECT_EQ(host(plain->toString()), "");
  EXPECT_NE(plain->toString(), nullptr);
  EXPECT_EQ(host(newException(kException, str("why"))->toString()), "why");
  Throwable* index = newArrayIndexException(5);
  EXPECT_EQ(host(index->toString()), "Array index out of range: 5");
  EXPECT_TRUE(instanceOf(index, kIndexOutOfBoundsException));
  EXPECT_TRUE(instanceOf(index, kRuntimeException));
  EXPECT_FALSE(instanceOf(index, kIOException));

  throwObject(nullptr);
  EXPECT_EQ(takeException(), kNullPointerException);
  throwObject(str("not a throwable"));
  EXPECT_EQ(takeException(), kNullPointerException);
  throwObject(newException(kEOFException));
  EXPECT_EQ(takeException(), kEOFException);
}

TEST_F(ClassLib, PrintStackTraceGoesToTheSilentConsole) {
  Throwable* t = newException(kIOException);
  Application::throwException(t);
  takeException();
  ASSERT_NE(t->stackTrace, nullptr);
  LogCapture log;
  printStackTrace(t);
  System::out->println(str("nothing to see"));
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(takeException(), -1);
}

TEST_F(ClassLib, WrappersRuntimeAndSystemStatics) {
  ASSERT_NE(Boolean::TRUE.get(), nullptr);
  EXPECT_EQ(Boolean::TRUE->hashCode(), 1);
  EXPECT_EQ(Boolean::FALSE->hashCode(), 0);
  EXPECT_EQ(host(Boolean::TRUE->toString()), "true");
  EXPECT_EQ(host(Boolean::FALSE->toString()), "false");
  EXPECT_TRUE(Boolean::create(true)->equals(Boolean::TRUE));
  EXPECT_FALSE(Boolean::TRUE->equals(Boolean::FALSE));
  EXPECT_TRUE(Integer::create(7)->equals(Integer::create(7)));
  EXPECT_FALSE(Integer::create(7)->equals(Boolean::TRUE));
  EXPECT_FALSE(Integer::create(7)->equals(nullptr));
  EXPECT_EQ(Integer::create(-9)->hashCode(), -9);
  EXPECT_EQ(Integer::create(-9)->longValue(), -9);
  EXPECT_EQ(host(Integer::create(-9)->toString()), "-9");
  EXPECT_EQ(host(Integer::toString(INT_MAX)), "2147483647");
  // The statics are roots: a collection keeps them and what they hold.
  System::gc();
  EXPECT_EQ(host(Boolean::TRUE->toString()), "true");
  ASSERT_NE(Runtime::instance.get(), nullptr);
  Runtime::instance->exit(0);
  EXPECT_EQ(host(static_cast<String*>(Hashtable::get(System::properties, str("microedition.encoding")))), "UTF-8");
  EXPECT_EQ(Math::abs(INT_MIN), INT_MIN);
  EXPECT_EQ(Math::abs(-3), 3);
  EXPECT_EQ(Math::absLong(INT64_MIN), INT64_MIN);
  EXPECT_EQ(Math::max(-1, 2), 2);
  EXPECT_EQ(Math::min(-1, 2), -1);
}

// ---- Vector

TEST_F(ClassLib, VectorGrowsByDoublingOrByItsIncrement) {
  struct Case {
    int32_t increment;
    int32_t grown;
  };
  for (Case c : {Case{0, 20}, Case{5, 15}}) {
    Vector* v = Vector::create(10, c.increment);
    for (int i = 0; i < 10; ++i) v->addElement(Integer::create(i));
    EXPECT_EQ(v->capacity(), 10);
    v->addElement(Integer::create(10));
    EXPECT_EQ(v->capacity(), c.grown);
    EXPECT_EQ(v->size(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(static_cast<Integer*>(v->elementAt(i))->value, i);
  }
  Vector* zero = Vector::create(0, 0);
  zero->addElement(str("a"));
  EXPECT_EQ(zero->capacity(), 1);
}

TEST_F(ClassLib, VectorRemovesSearchesAndReportsBadIndexes) {
  Vector* v = Vector::create();
  for (const char* s : {"a", "b", "c", "b"}) v->addElement(str(s));
  v->addElement(nullptr);
  EXPECT_EQ(v->indexOf(str("b"), 0), 1);
  EXPECT_EQ(v->indexOf(str("b"), 2), 3);
  EXPECT_EQ(v->indexOf(nullptr, 0), 4);
  EXPECT_EQ(v->indexOf(str("z"), 0), -1);
  EXPECT_EQ(v->indexOf(str("a"), 9), -1);
  EXPECT_TRUE(v->contains(str("c")));
  v->removeElementAt(1);
  EXPECT_EQ(v->size(), 4);
  EXPECT_EQ(host(static_cast<String*>(v->elementAt(1))), "c");
  EXPECT_EQ(v->elementData->elements()[4], nullptr);

  std::string message;
  for (int32_t bad : {-1, 4, INT_MAX}) {
    EXPECT_EQ(v->elementAt(bad), nullptr);
    EXPECT_EQ(takeException(&message), kArrayIndexOutOfBoundsException);
    EXPECT_EQ(message, "Array index out of range: " + std::to_string(bad));
    v->removeElementAt(bad);
    EXPECT_EQ(takeException(), kArrayIndexOutOfBoundsException);
  }
  EXPECT_EQ(v->size(), 4);
  v->clear();
  EXPECT_TRUE(v->isEmpty());
  EXPECT_EQ(v->elementData->elements()[0], nullptr);

  Vector* negative = Vector::create(-1, 0);
  EXPECT_EQ(takeException(&message), kIllegalArgumentException);
  EXPECT_EQ(message, "negative capacity");
  negative->addElement(str("still works"));
  EXPECT_EQ(negative->size(), 1);
}

// ---- Hashtable

std::vector<int32_t> enumerate(Object* enumerator) {
  auto* e = static_cast<Enumeration*>(enumerator->getInterface(kEnumeration));
  std::vector<int32_t> out;
  while (e->hasMoreElements()) out.push_back(static_cast<Integer*>(e->nextElement())->value);
  return out;
}

TEST_F(ClassLib, HashtableRehashesAtItsThreshold) {
  Hashtable* h = Hashtable::create();
  EXPECT_EQ(h->bucketCount(), 11);
  EXPECT_EQ(h->threshold, 8);
  for (int32_t i = 0; i < 8; ++i) Hashtable::put(h, Integer::create(i), Integer::create(i * 10));
  EXPECT_EQ(h->bucketCount(), 11);
  Hashtable::put(h, Integer::create(8), Integer::create(80));
  EXPECT_EQ(h->bucketCount(), 23);
  EXPECT_EQ(h->threshold, 17);
  EXPECT_EQ(h->size(), 9);
  for (int32_t i = 0; i < 9; ++i) {
    EXPECT_EQ(static_cast<Integer*>(Hashtable::get(h, Integer::create(i)))->value, i * 10);
  }
  for (int32_t i = 9; i < 18; ++i) Hashtable::put(h, Integer::create(i), Integer::create(i));
  EXPECT_EQ(h->bucketCount(), 47);
  EXPECT_EQ(h->threshold, 35);
}

TEST_F(ClassLib, HashtableReplacesEnumeratesAndPrints) {
  Hashtable* h = Hashtable::create();
  // Integer keys hash to their value: 1 and 12 share bucket 1, 3 lies in bucket 3.
  EXPECT_EQ(Hashtable::put(h, Integer::create(1), Integer::create(100)), nullptr);
  Hashtable::put(h, Integer::create(12), Integer::create(1200));
  Hashtable::put(h, Integer::create(3), Integer::create(300));
  Object* old = Hashtable::put(h, Integer::create(3), Integer::create(301));
  EXPECT_EQ(static_cast<Integer*>(old)->value, 300);
  EXPECT_EQ(h->size(), 3);
  EXPECT_EQ(enumerate(h->keys()), (std::vector<int32_t>{3, 12, 1}));
  EXPECT_EQ(enumerate(h->elements()), (std::vector<int32_t>{301, 1200, 100}));
  EXPECT_EQ(host(h->toString()), "{3=301, 12=1200, 1=100}");
  EXPECT_TRUE(h->contains(Integer::create(1200)));
  EXPECT_FALSE(h->contains(Integer::create(3)));
  EXPECT_EQ(host(Hashtable::create()->toString()), "{}");

  Object* keys = h->keys();
  auto* e = static_cast<Enumeration*>(keys->getInterface(kEnumeration));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(keys->getInterface(kRunnable), nullptr);
  for (int i = 0; i < 3; ++i) e->nextElement();
  std::string message;
  EXPECT_EQ(e->nextElement(), nullptr);
  EXPECT_EQ(takeException(&message), kNoSuchElementException);
  EXPECT_EQ(message, "no more elements");
  h->clear();
  EXPECT_TRUE(h->isEmpty());
  EXPECT_EQ(Hashtable::get(h, Integer::create(1)), nullptr);
}

TEST_F(ClassLib, HashtableRefusesNullKeysAndValues) {
  Hashtable* h = Hashtable::create();
  EXPECT_EQ(Hashtable::put(h, nullptr, str("v")), nullptr);
  EXPECT_EQ(takeException(), kNullPointerException);
  EXPECT_EQ(Hashtable::put(h, str("k"), nullptr), nullptr);
  EXPECT_EQ(takeException(), kNullPointerException);
  EXPECT_EQ(Hashtable::get(h, nullptr), nullptr);
  EXPECT_EQ(takeException(), kNullPointerException);
  EXPECT_FALSE(h->contains(nullptr));
  EXPECT_EQ(takeException(), kNullPointerException);
  EXPECT_EQ(h->size(), 0);
  Hashtable::put(h, str("key"), str("value"));
  EXPECT_EQ(host(static_cast<String*>(Hashtable::get(h, str("key")))), "value");
}

// ---- Random

TEST(Random, ReproducesThePlatformSequence) {
  Random r;
  r.setSeed(42);
  const int32_t expected42[] = {-1170105035, 234785527, -1360544799, 205897768};
  for (int32_t v : expected42) EXPECT_EQ(r.nextInt(), v);
  r.setSeed(0);
  EXPECT_EQ(r.nextInt(), -1155484576);
  Random a, b;
  a.setSeed(-7);
  b.setSeed(-7);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.nextInt(), b.nextInt());
  EXPECT_LT(a.seedHigh, 0x10000u);
}

TEST(Random, SeedComesFromTheEnvironmentWhenSet) {
  const char* saved = std::getenv("SORV_SEED");
  std::string keep = saved != nullptr ? saved : "";
  setenv("SORV_SEED", "12345", 1);
  EXPECT_EQ(Random::initialSeed(99), 12345);
  setenv("SORV_SEED", "12x", 1);
  EXPECT_EQ(Random::initialSeed(99), 99);
  unsetenv("SORV_SEED");
  EXPECT_EQ(Random::initialSeed(99), 99);
  if (saved != nullptr) setenv("SORV_SEED", keep.c_str(), 1);
}

}  // namespace
}  // namespace sorv
