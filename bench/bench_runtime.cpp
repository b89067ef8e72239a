// Runtime benchmarks: the heaps' small-object allocation beside the system allocator.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <vector>

#include "runtime/heap.h"

namespace {

using sorv::VirtualMemoryManager;

constexpr size_t kObjectHeapSize = 0x800000;
constexpr int kBatch = 64;
// Object sizes of the game's small objects, 16 to 64 bytes.
constexpr size_t kSizes[8] = {16, 24, 32, 40, 48, 56, 64, 32};

// Leaves `count` free fragments in the heap: holes of mixed sizes between used blocks, and
// the rest of the arena.
void fragmentHeap(VirtualMemoryManager& heap, int64_t count) {
  std::mt19937 rng(1);
  std::vector<void*> holes;
  for (int64_t i = 1; i < count; i++) {
    holes.push_back(heap.malloc(16 + rng() % 240));
    heap.malloc(16);
  }
  for (void* p : holes) heap.free(p);
}

template <class Alloc, class Free>
void allocateAndFreeBatch(Alloc allocate, Free release) {
  void* batch[kBatch];
  for (int k = 0; k < kBatch; k++) batch[k] = allocate(kSizes[k & 7]);
  benchmark::DoNotOptimize(batch);
  for (int k = 0; k < kBatch; k++) release(batch[k]);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Batches of 64 small allocations, then their frees, in the object heap with range(0) free
// fragments; the same pattern through malloc/free is timed in the same run for the ratio.
void BM_ObjectHeapSmallAllocFree(benchmark::State& state) {
  VirtualMemoryManager heap(kObjectHeapSize, VirtualMemoryManager::kFixed);
  fragmentHeap(heap, state.range(0));
  auto heapAlloc = [&](size_t n) { return heap.malloc(n); };
  auto heapFree = [&](void* p) { heap.free(p); };

  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) allocateAndFreeBatch(heapAlloc, heapFree);
  double heapSeconds = secondsSince(start);

  start = std::chrono::steady_clock::now();
  for (int64_t i = 0; i < state.iterations(); i++) {
    allocateAndFreeBatch([](size_t n) { return std::malloc(n); }, [](void* p) { std::free(p); });
  }
  double mallocSeconds = secondsSince(start);

  double pairs = static_cast<double>(state.iterations()) * kBatch;
  state.SetItemsProcessed(state.iterations() * kBatch);
  state.counters["free_fragments"] = static_cast<double>(heap.freeFragmentCount());
  state.counters["heap_ns_per_pair"] = heapSeconds * 1e9 / pairs;
  state.counters["malloc_ns_per_pair"] = mallocSeconds * 1e9 / pairs;
  state.counters["ratio_to_malloc"] = heapSeconds / mallocSeconds;
}
BENCHMARK(BM_ObjectHeapSmallAllocFree)->Arg(10)->Arg(10000);

}  // namespace
