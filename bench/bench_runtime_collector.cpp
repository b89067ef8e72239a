#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "runtime/application.h"
#include "runtime/collector.h"
#include "runtime/heap.h"
#include "runtime/log.h"
#include "runtime/object.h"

namespace sorv {
namespace {

class BenchNode : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  Object* next = nullptr;
  Object* other = nullptr;
  int32_t value = 0;
};
SORV_REF_FIELDS(BenchNode, SORV_REF_OFFSET(BenchNode, next), SORV_REF_OFFSET(BenchNode, other));

StaticRef<BenchNode> gLive;
constexpr int kLiveObjects = 20000;

// A started runtime whose object heap holds kLiveObjects objects reachable from a static.
struct LiveWorld {
  LiveWorld() {
    std::FILE* quiet = std::fopen("/dev/null", "w");
    Debug::setSink(quiet);
    app = new Application();
    Application::init(app);
    BenchNode* head = nullptr;
    for (int i = 0; i < kLiveObjects; i++) {
      BenchNode* n = newObject<BenchNode>();
      n->next = head;
      n->other = head != nullptr ? head->next : nullptr;
      head = n;
    }
    gLive = head;
  }
  ~LiveWorld() {
    Application::close(app);
    delete app;
    Application::setInstance(nullptr);
  }
  Application* app;
};

uintptr_t walkOnce(const ObjectManager* om) {
  uintptr_t sum = 0;
  for (int32_t i = 0; i < om->count(); i++) {
    auto* n = static_cast<const BenchNode*>(om->objectAt(i));
    sum += reinterpret_cast<uintptr_t>(n->next) ^ reinterpret_cast<uintptr_t>(n->other);
  }
  return sum;
}

double secondsPer(int repeats, const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; i++) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
}

// The pause of a whole collection with 20,000 live objects (it must stay under 1 ms), and its
// ratio to a plain walk that reads every reference field of the same objects once.
void BM_FullCollection20kLive(benchmark::State& state) {
  LiveWorld world;
  ObjectManager* om = world.app->objectManager;
  for (auto _ : state) om->gc(0);
  double collection = secondsPer(200, [om] { om->gc(0); });
  double walk = secondsPer(200, [om] { benchmark::DoNotOptimize(walkOnce(om)); });
  state.counters["live"] = om->count();
  state.counters["pause_ms"] = collection * 1e3;
  state.counters["ratio_to_walk"] = collection / walk;
}
BENCHMARK(BM_FullCollection20kLive)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorv
