#include "runtime/heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "runtime/application.h"
#include "runtime/log.h"
#include "runtime/stress.h"
#include "tests/support/runtime_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TEST_ASAN 1
#endif
#endif
#if defined(TEST_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace sorv {

struct HeapTestAccess {
  static std::byte* fragmentOf(VirtualMemoryManager& heap, void* block) {
    return static_cast<std::byte*>(block) - heap.headerSize();
  }
  static bool moveFragments(VirtualMemoryManager& heap, void* srcBlock, void* dstBlock,
                            size_t length) {
    return heap.moveFragments(fragmentOf(heap, srcBlock), fragmentOf(heap, dstBlock), length);
  }
};

namespace {

using Mode = VirtualMemoryManager::Mode;
constexpr Mode kFixed = VirtualMemoryManager::kFixed;
constexpr Mode kRelocatable = VirtualMemoryManager::kRelocatable;
constexpr size_t kGranule = VirtualMemoryManager::kGranule;
constexpr size_t kWord = sizeof(void*);

using test::LogCapture;

// Makes a heap the running Application's buffer and object heaps for one scope.
class HeapsInstalled {
 public:
  HeapsInstalled(VirtualMemoryManager* buffer, VirtualMemoryManager* objects)
      : app_(std::make_unique<Application>()), previous_(Application::instance()) {
    app_->bufferHeap = buffer;
    app_->objectHeap = objects;
    Application::setInstance(app_.get());
  }
  ~HeapsInstalled() { Application::setInstance(previous_); }

 private:
  std::unique_ptr<Application> app_;
  Application* previous_;
};

// Fragment size a request takes: the rounded request plus the header, at least three words.
size_t fragmentSize(const VirtualMemoryManager& heap, void* block) {
  return heap.blockSize(block) + heap.headerSize();
}

// A free fragment taken whole may be larger than the request by at most one header plus
// eight words; one word more and it is split.
size_t splitSlack(const VirtualMemoryManager& heap) { return heap.headerSize() + 8 * kWord; }

std::string checkText(const VirtualMemoryManager& heap) {
  std::string why;
  return heap.check(&why) ? "ok" : why;
}

// The layout tests lay blocks out by hand; the stress switches would move them.
class HeapLayout : public ::testing::Test {
 protected:
  stress::StressOverride quiet_{false, false};
};

// The backward search against a plain scan, over bits set at word, summary-word and
// top-word boundaries of an arena larger than one top word covers, as each is cleared.
TEST(GranuleBitmap, FindPrevIsTheNearestSetBitAtOrBelow) {
  constexpr size_t kBits = (size_t{1} << 18) * 2 + 100;
  const std::vector<size_t> marks = {0, 63, 64, 4095, 4096, 4097, 262143, 262144, 300000, kBits - 1};
  GranuleBitmap bits;
  bits.resize(kBits);
  std::vector<bool> plain(kBits, false);
  for (size_t m : marks) {
    bits.set(m);
    plain[m] = true;
  }
  auto scan = [&](size_t i) {
    for (size_t j = i + 1; j-- > 0;) {
      if (plain[j]) return j;
    }
    return SIZE_MAX;
  };
  for (size_t cleared = 0; cleared <= marks.size(); cleared++) {
    for (size_t m : marks) {
      for (size_t i : {m, m + 1, m == 0 ? 0 : m - 1}) {
        if (i < kBits) EXPECT_EQ(bits.findPrev(i), scan(i)) << "at " << i << " after " << cleared;
      }
    }
    if (cleared < marks.size()) {
      bits.clear(marks[cleared]);
      plain[marks[cleared]] = false;
    }
  }
  EXPECT_EQ(bits.count(), 0u);
}

TEST_F(HeapLayout, SmallRequestsTakeAtLeastThreeWords) {
  struct Case {
    Mode mode;
    size_t request;
  };
  const Case cases[] = {{kFixed, 0},        {kFixed, 1},        {kFixed, kGranule},
                        {kFixed, 3 * kWord}, {kRelocatable, 1}, {kRelocatable, kGranule},
                        {kRelocatable, 2 * kWord}};
  for (const Case& c : cases) {
    VirtualMemoryManager heap(64 * 1024, c.mode);
    void* p = heap.malloc(c.request);
    ASSERT_NE(p, nullptr);
    size_t expected = std::max((c.request + kGranule - 1) / kGranule * kGranule + heap.headerSize(),
                               3 * kWord);
    EXPECT_EQ(fragmentSize(heap, p), expected) << "mode " << c.mode << " request " << c.request;
    EXPECT_EQ(heap.heapUsed(), expected);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % kGranule, 0u);
    EXPECT_EQ(checkText(heap), "ok");
  }
  VirtualMemoryManager objects(64 * 1024, kFixed);
  EXPECT_EQ(fragmentSize(objects, objects.malloc(1)), 3 * kWord);
}

// A hole of `hole` bytes between two used blocks, the rest of the arena used up, so the next
// request can only go into the hole.
struct Hole {
  VirtualMemoryManager heap;
  void* hole;
  explicit Hole(Mode mode, size_t holeBytes) : heap(64 * 1024, mode) {
    size_t h = heap.headerSize();
    void* before = heap.malloc(16);
    hole = heap.malloc(holeBytes - h);
    void* after = heap.malloc(16);
    heap.malloc(heap.heapSize() - heap.heapUsed() - h);  // the rest, exactly
    EXPECT_NE(before, nullptr);
    EXPECT_NE(after, nullptr);
    EXPECT_EQ(heap.freeFragmentCount(), 0u);
    heap.free(hole);
  }
};

TEST_F(HeapLayout, SplitOnlyWhenTheRemainderExceedsHeaderPlusEightWords) {
  struct Case {
    Mode mode;
    size_t extra;  // hole size minus the fragment size of the request
    bool split;
  };
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager probe(4096, mode);
    size_t slack = splitSlack(probe);
    const Case cases[] = {{mode, 0, false},
                          {mode, slack - kGranule, false},
                          {mode, slack, false},
                          {mode, slack + kGranule, true},
                          {mode, 4 * slack, true}};
    for (const Case& c : cases) {
      size_t request = 10 * kWord;
      size_t need = request + probe.headerSize();
      Hole h(c.mode, need + c.extra);
      void* p = h.heap.malloc(request);
      ASSERT_EQ(p, h.hole) << "the hole is the only fit";
      EXPECT_EQ(fragmentSize(h.heap, p), c.split ? need : need + c.extra)
          << "mode " << c.mode << " extra " << c.extra;
      EXPECT_EQ(h.heap.freeFragmentCount(), c.split ? 1u : 0u);
      EXPECT_EQ(checkText(h.heap), "ok");
    }
  }
}

TEST_F(HeapLayout, BestFitPrefersTheSmallestThenTheLowestAddress) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(64 * 1024, mode);
    size_t unit = 16 * kWord;
    size_t h = heap.headerSize();
    // Holes of 3, 2, 2 and 5 units, each behind a used guard.
    std::vector<void*> holes;
    for (size_t units : {3, 2, 2, 5}) {
      heap.malloc(8);
      holes.push_back(heap.malloc(units * unit - h));
    }
    heap.malloc(8);
    heap.malloc(heap.heapSize() - heap.heapUsed() - h);
    for (void* p : holes) heap.free(p);
    ASSERT_EQ(heap.freeFragmentCount(), 4u);

    // Exactly two units: the first of the two equal holes.
    EXPECT_EQ(heap.malloc(2 * unit - h), holes[1]);
    // A little less than two units still picks the smallest fitting one, now the second.
    EXPECT_EQ(heap.malloc(2 * unit - h - kGranule), holes[2]);
    // Between three and five units: the five-unit hole.
    EXPECT_EQ(heap.malloc(4 * unit - h), holes[3]);
    EXPECT_EQ(heap.malloc(3 * unit - h), holes[0]);
    EXPECT_EQ(checkText(heap), "ok");
  }
}

TEST_F(HeapLayout, FreeingNeighboursInAnyOrderLeavesOneFragment) {
  const std::vector<std::vector<int>> orders = {
      {0, 1}, {1, 0}, {0, 2, 1}, {2, 0, 1}, {1, 2, 0}, {0, 1, 2}, {2, 1, 0}};
  for (Mode mode : {kFixed, kRelocatable}) {
    for (const auto& order : orders) {
      VirtualMemoryManager heap(16 * 1024, mode);
      void* blocks[3] = {heap.malloc(40), heap.malloc(100), heap.malloc(72)};
      heap.malloc(heap.heapSize() - heap.heapUsed() - heap.headerSize());  // a fence to the end
      size_t fragmentsBefore = heap.fragmentCount();
      size_t together = 0;
      for (int i : order) together += fragmentSize(heap, blocks[i]);
      for (int i : order) {
        EXPECT_EQ(heap.free(blocks[i]), 1);
        EXPECT_EQ(checkText(heap), "ok");
      }
      EXPECT_EQ(heap.freeFragmentCount(), 1u) << "mode " << mode;
      EXPECT_EQ(heap.fragmentCount(), fragmentsBefore - order.size() + 1);
      // The merged fragment starts at the lowest freed block and holds all of them.
      EXPECT_EQ(heap.malloc(together - heap.headerSize()), blocks[0]);
      EXPECT_EQ(heap.freeFragmentCount(), 0u);
    }
  }
}

TEST_F(HeapLayout, FreeingWhatIsNotAUsedBlockIsLoggedAndIgnored) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(16 * 1024, mode);
    void* a = heap.malloc(64);
    void* b = heap.malloc(64);
    heap.malloc(32);
    heap.free(a);
    int outside = 0;
    struct Case {
      const char* what;
      void* p;
      int returned;
      bool logged;
    };
    const Case cases[] = {
        {"double free", a, 1, true},
        {"interior pointer", static_cast<char*>(b) + kGranule, 1, true},
        {"fragment header", static_cast<char*>(b) - heap.headerSize(), 1, true},
        {"arena start", const_cast<std::byte*>(heap.arena()), 1, true},
        {"outside the arena", &outside, 0, false},
        {"null", nullptr, 0, false},
    };
    for (const Case& c : cases) {
      size_t used = heap.heapUsed(), fragments = heap.fragmentCount(), free = heap.freeFragmentCount();
      LogCapture log;
      EXPECT_EQ(heap.free(c.p), c.returned) << c.what;
      EXPECT_EQ(log.contains("not a used block"), c.logged) << c.what;
      EXPECT_EQ(heap.heapUsed(), used) << c.what;
      EXPECT_EQ(heap.fragmentCount(), fragments) << c.what;
      EXPECT_EQ(heap.freeFragmentCount(), free) << c.what;
      EXPECT_EQ(checkText(heap), "ok") << c.what;
    }
    EXPECT_EQ(heap.free(b), 1);
    EXPECT_EQ(checkText(heap), "ok");
  }
}

int gHookCalls = 0;
VirtualMemoryManager* gHookHeap = nullptr;
void* gGarbage = nullptr;

void collectGarbage() {
  gHookCalls++;
  if (gGarbage != nullptr) gHookHeap->free(gGarbage);
  gGarbage = nullptr;
}

TEST_F(HeapLayout, RequestsBeyondTheArenaAreRefusedWithoutOverflow) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(64 * 1024, mode);
    void* kept = heap.malloc(100);
    const size_t sizes[] = {heap.heapSize() + 1,
                            heap.heapSize(),
                            heap.heapSize() - heap.headerSize() + 1,
                            size_t{UINT32_MAX} + 1 + 16,  // small if cut to 32 bits
                            SIZE_MAX / 2 + 1,
                            SIZE_MAX - kGranule + 2,  // wraps when rounded up
                            SIZE_MAX};
    for (size_t n : sizes) {
      LogCapture log;
      EXPECT_EQ(heap.malloc(n), nullptr) << n;
      EXPECT_TRUE(log.contains("totalFragmentSizeNeeded=")) << n;
      EXPECT_TRUE(log.contains("Malloc failed")) << n;
      EXPECT_EQ(heap.fragmentCount(), 2u);
      EXPECT_EQ(checkText(heap), "ok");
    }
    EXPECT_TRUE(heap.isBlockStart(kept));
    EXPECT_NE(heap.malloc(100), nullptr);
  }
}

TEST_F(HeapLayout, AnArenaThatCannotBeMadeRefusesEverything) {
  LogCapture log;
  VirtualMemoryManager heap(2 * kWord, kFixed);  // smaller than one fragment
  EXPECT_TRUE(log.contains("VirtualMemoryManager malloc failed"));
  EXPECT_EQ(heap.malloc(1), nullptr);
  int local = 0;
  EXPECT_EQ(heap.free(&local), 0);
  EXPECT_EQ(heap.blockContaining(&local), nullptr);
  EXPECT_EQ(checkText(heap), "ok");
}

TEST_F(HeapLayout, ExhaustionRunsTheCollectionOnceAndRetries) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(16 * 1024, mode);
    heap.onExhausted = collectGarbage;
    gHookHeap = &heap;
    gHookCalls = 0;
    void* garbage = heap.malloc(1024);
    heap.malloc(heap.heapSize() - heap.heapUsed() - heap.headerSize());
    ASSERT_EQ(heap.freeFragmentCount(), 0u);

    gGarbage = garbage;
    EXPECT_EQ(heap.malloc(512), garbage) << "the collection freed room for the retry";
    EXPECT_EQ(gHookCalls, 1);

    LogCapture log;
    EXPECT_EQ(heap.malloc(1024), nullptr);
    EXPECT_EQ(gHookCalls, 2);
    EXPECT_TRUE(log.contains("Malloc failed"));
    EXPECT_EQ(checkText(heap), "ok");
    gHookHeap = nullptr;
  }
}

// The conservative stack scan finds objects through this: any pointer into a used block,
// header included, gives the block; pointers into free memory or elsewhere give null.
TEST_F(HeapLayout, BlockContainingFindsUsedBlocksOnly) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(16 * 1024, mode);
    auto* a = static_cast<char*>(heap.malloc(100));
    auto* freed = static_cast<char*>(heap.malloc(200));
    auto* b = static_cast<char*>(heap.malloc(64));
    heap.free(freed);
    size_t aSize = heap.blockSize(a);
    int outside = 0;
    struct Case {
      const char* what;
      const void* p;
      void* expected;
    };
    const Case cases[] = {
        {"block start", a, a},
        {"inside", a + 37, a},
        {"last byte", a + aSize - 1, a},
        {"header", a - heap.headerSize(), a},
        {"one past the end", a + aSize, nullptr},  // the freed block's header
        {"free fragment", freed + 50, nullptr},
        {"next block's header", b - 1, b},
        {"after the last block", b + heap.blockSize(b) + 100, nullptr},
        {"outside the arena", &outside, nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(heap.blockContaining(c.p), c.expected) << c.what;
  }
}

TEST_F(HeapLayout, RelocPointerOnlyForUsedBlocks) {
  VirtualMemoryManager heap(16 * 1024, kRelocatable);
  void* field = heap.malloc(64);
  void* freed = heap.malloc(64);
  heap.malloc(16);
  heap.free(freed);
  int outside = 0;
  struct Case {
    const char* what;
    void* p;
    bool logged;
  };
  const Case cases[] = {
      {"outside the arena", &outside, true},
      {"inside a block", static_cast<char*>(field) + kGranule, true},
      {"a freed block", freed, true},
      {"the block", field, false},
  };
  for (const Case& c : cases) {
    LogCapture log;
    heap.setFragmentRelocPointer(c.p, &field);
    EXPECT_EQ(log.contains("setFragmentRelocPointer"), c.logged) << c.what;
    EXPECT_EQ(checkText(heap), "ok") << c.what;
  }
  EXPECT_EQ(heap.ownerOf(field), &field);

  VirtualMemoryManager objects(16 * 1024, kFixed);
  void* object = objects.malloc(64);
  objects.setFragmentRelocPointer(object, &object);
  EXPECT_EQ(objects.ownerOf(object), nullptr) << "objects never move";
}

// Fills a block with bytes that depend on its seed and position.
uint8_t patternByte(uint32_t seed, size_t i) {
  return static_cast<uint8_t>(((seed + static_cast<uint32_t>(i)) * 2654435761u) >> 24);
}
void fillPattern(void* p, size_t n, uint32_t seed) {
  auto* b = static_cast<uint8_t*>(p);
  for (size_t i = 0; i < n; i++) b[i] = patternByte(seed, i);
}
bool hasPattern(const void* p, size_t n, uint32_t seed) {
  auto* b = static_cast<const uint8_t*>(p);
  for (size_t i = 0; i < n; i++) {
    if (b[i] != patternByte(seed, i)) return false;
  }
  return true;
}

enum class Owner { kRegistered, kNone, kStale };

TEST_F(HeapLayout, CompactionMovesOnlyBlocksWhoseOwnerHoldsThem) {
  // [x 4u][u 1u][y 4u][guard][w 2u][rest]; x, y and w freed. Only moving u into w makes room
  // for 8 units.
  const size_t unit = 1024;
  for (Owner owner : {Owner::kRegistered, Owner::kNone, Owner::kStale}) {
    VirtualMemoryManager heap(32 * 1024, kRelocatable);
    size_t h = heap.headerSize();
    void* x = heap.malloc(4 * unit - h);
    void* u = heap.malloc(unit - h);
    void* y = heap.malloc(4 * unit - h);
    void* guard = heap.malloc(64);
    void* w = heap.malloc(2 * unit - h);
    heap.malloc(heap.heapSize() - heap.heapUsed() - h);
    fillPattern(u, unit - h, 7);
    fillPattern(guard, 64, 8);
    void* field = u;
    if (owner != Owner::kNone) heap.setFragmentRelocPointer(u, &field);
    if (owner == Owner::kStale) field = nullptr;
    void* placed = u;
    heap.free(x);
    heap.free(y);
    heap.free(w);

    LogCapture log;
    void* big = heap.malloc(8 * unit - h);
    EXPECT_EQ(checkText(heap), "ok");
    EXPECT_TRUE(hasPattern(guard, 64, 8));
    if (owner == Owner::kRegistered) {
      EXPECT_EQ(big, x);
      EXPECT_EQ(field, w) << "the owner follows the block";
      EXPECT_TRUE(hasPattern(field, unit - h, 7));
      EXPECT_EQ(heap.ownerOf(field), &field);
    } else {
      EXPECT_EQ(big, nullptr);
      EXPECT_TRUE(log.contains("Malloc failed"));
      EXPECT_TRUE(heap.isBlockStart(placed));
      EXPECT_TRUE(hasPattern(placed, unit - h, 7)) << "a block nobody can patch stays put";
      EXPECT_EQ(field, owner == Owner::kStale ? nullptr : placed);
    }
  }
}

TEST_F(HeapLayout, CompactionSlidesBlocksOneByOneWhenNoGapFitsWhole) {
  // [f1 2u][a b c, 1u each][f2 2u][d e g][f3 2u][pinned][rest]: no gap of 3 units fits any
  // other hole, so the blocks after f1 move one at a time until f1 holds 5 units.
  const size_t unit = 1024;
  VirtualMemoryManager heap(32 * 1024, kRelocatable);
  size_t h = heap.headerSize();
  std::vector<void*> holes;
  void* fields[6];
  for (int run = 0; run < 3; run++) {
    holes.push_back(heap.malloc(2 * unit - h));
    for (int i = 0; i < 3 && run < 2; i++) {
      void*& field = fields[run * 3 + i];
      field = heap.malloc(unit - h);
      fillPattern(field, unit - h, run * 3 + i);
      heap.setFragmentRelocPointer(field, &field);
    }
  }
  heap.malloc(64);  // pinned: no owner
  heap.malloc(heap.heapSize() - heap.heapUsed() - h);
  for (void* hole : holes) heap.free(hole);
  ASSERT_EQ(heap.freeFragmentCount(), 3u);

  EXPECT_EQ(heap.malloc(5 * unit - h), holes[0]);
  EXPECT_EQ(checkText(heap), "ok");
  for (int i = 0; i < 6; i++) {
    EXPECT_TRUE(heap.isBlockStart(fields[i])) << i;
    EXPECT_EQ(heap.ownerOf(fields[i]), &fields[i]) << i;
    EXPECT_TRUE(hasPattern(fields[i], unit - h, i)) << i;
  }
}

TEST_F(HeapLayout, MoveIntoATooSmallFragmentIsRefused) {
  VirtualMemoryManager heap(32 * 1024, kRelocatable);
  size_t h = heap.headerSize();
  heap.malloc(64);
  void* src = heap.malloc(4096 - h);
  void* before = heap.malloc(256);
  void* dst = heap.malloc(1024 - h);
  void* after = heap.malloc(heap.heapSize() - heap.heapUsed() - h);
  void* field = src;
  heap.setFragmentRelocPointer(src, &field);
  fillPattern(src, 4096 - h, 1);
  fillPattern(before, 256, 2);
  fillPattern(after, 1024, 3);
  heap.free(dst);
  size_t used = heap.heapUsed(), fragments = heap.fragmentCount();

  LogCapture log;
  EXPECT_FALSE(HeapTestAccess::moveFragments(heap, src, dst, 4096));
  EXPECT_TRUE(log.contains("move dst size"));
  EXPECT_EQ(field, src);
  EXPECT_TRUE(hasPattern(src, 4096 - h, 1));
  EXPECT_TRUE(hasPattern(before, 256, 2));
  EXPECT_TRUE(hasPattern(after, 1024, 3)) << "the destination's neighbour is untouched";
  EXPECT_EQ(heap.heapUsed(), used);
  EXPECT_EQ(heap.fragmentCount(), fragments);
  EXPECT_EQ(checkText(heap), "ok");
}

TEST_F(HeapLayout, FreedMemoryIsPoisoned) {
  for (Mode mode : {kFixed, kRelocatable}) {
    VirtualMemoryManager heap(16 * 1024, mode);
    heap.malloc(32);
    auto* p = static_cast<unsigned char*>(heap.malloc(256));
    heap.malloc(32);
    std::memset(p, 0x11, 256);
    heap.free(p);
#if defined(TEST_ASAN)
    EXPECT_TRUE(__asan_address_is_poisoned(p + 64));
    EXPECT_TRUE(__asan_address_is_poisoned(p + 255));
    void* again = heap.malloc(256);
    ASSERT_EQ(again, p);
    EXPECT_FALSE(__asan_address_is_poisoned(p + 255));
#elif !defined(NDEBUG)
    EXPECT_EQ(p[64], VirtualMemoryManager::kFreeFill);
    EXPECT_EQ(p[255], VirtualMemoryManager::kFreeFill);
#else
    GTEST_SKIP() << "free memory is poisoned only in sanitizer and debug builds";
#endif
  }
}

TEST_F(HeapLayout, CheckFindsABrokenTiling) {
  VirtualMemoryManager heap(16 * 1024, kFixed);
  void* a = heap.malloc(64);
  void* b = heap.malloc(64);
  heap.malloc(64);
  std::memset(b, 0, 64);
  heap.free(a);
  auto word = [&](void* block, int i) -> intptr_t& {
    return reinterpret_cast<intptr_t*>(HeapTestAccess::fragmentOf(heap, block))[i];
  };
  struct Case {
    const char* what;
    intptr_t& target;
    intptr_t value;
  };
  const Case cases[] = {
      {"used size", word(b, 0), word(b, 0) - static_cast<intptr_t>(kGranule)},
      {"free size", word(a, 0), word(a, 0) + static_cast<intptr_t>(kGranule)},
      {"used marked free", word(b, 0), -word(b, 0)},
      {"free list link", word(a, 2), 0},
  };
  for (const Case& c : cases) {
    intptr_t saved = c.target;
    c.target = c.value;
    EXPECT_NE(checkText(heap), "ok") << c.what;
    c.target = saved;
    EXPECT_EQ(checkText(heap), "ok") << c.what;
  }
}

TEST_F(HeapLayout, RawAllocatorUsesTheBufferHeapThenTheSystemHeap) {
  VirtualMemoryManager buffers(16 * 1024, kRelocatable);
  VirtualMemoryManager objects(16 * 1024, kFixed);
  HeapsInstalled installed(&buffers, &objects);

  auto* p = static_cast<unsigned char*>(qmx_malloc(100));
  ASSERT_TRUE(buffers.owns(p));
  EXPECT_EQ(buffers.ownerOf(p), nullptr) << "native buffers have no owner and never move";
  std::memset(p, 0xAB, 100);
  qmx_free(p);
  EXPECT_EQ(buffers.heapUsed(), 0u);
  auto* q = static_cast<unsigned char*>(qmx_malloc(100));
  EXPECT_TRUE(std::all_of(q, q + 100, [](unsigned char c) { return c == 0; })) << "zero-filled";
  qmx_free(q);

  {
    LogCapture log;
    auto* big = static_cast<unsigned char*>(qmx_malloc(64 * 1024));
    ASSERT_NE(big, nullptr);
    EXPECT_FALSE(buffers.owns(big));
    EXPECT_FALSE(objects.owns(big));
    EXPECT_TRUE(std::all_of(big, big + 64 * 1024, [](unsigned char c) { return c == 0; }));
    qmx_free(big);  // the system heap's free; the sanitizer build checks it
    EXPECT_TRUE(log.contains("Malloc failed")) << "the buffer heap said why it fell back";
  }

  void* object = objects.malloc(32);
  qmx_free(object);
  EXPECT_EQ(objects.heapUsed(), 0u);

  LogCapture log;
  qmx_free(nullptr);
  EXPECT_TRUE(log.contains("qmx_free null"));
  EXPECT_TRUE(log.contains("stacktrace:"));
  EXPECT_EQ(checkText(buffers), "ok");
  EXPECT_EQ(checkText(objects), "ok");
}

TEST_F(HeapLayout, RegisterBufferFieldRecordsOnlyBufferHeapBlocks) {
  VirtualMemoryManager buffers(16 * 1024, kRelocatable);
  HeapsInstalled installed(&buffers, nullptr);
  void* field = buffers.malloc(64);
  registerBufferField(&field);
  EXPECT_EQ(buffers.ownerOf(field), &field);

  void* system = std::malloc(16);
  void* systemField = system;
  LogCapture log;
  registerBufferField(&systemField);
  void* none = nullptr;
  registerBufferField(&none);
  EXPECT_EQ(log.text(), "") << "nothing to record for null or a system-heap block";
  std::free(system);
}

// Drives one heap with random allocations and frees and keeps what every live block must
// hold: its bytes, its owner, and for a block without an owner its address.
class AllocatorModel {
 public:
  AllocatorModel(VirtualMemoryManager& heap, uint32_t seed)
      : heap_(heap), rng_(seed), slots_(kSlots) {
    for (size_t i = kSlots; i-- > 0;) freeSlots_.push_back(i);
  }

  void step() {
    double fill = static_cast<double>(heap_.heapUsed()) / static_cast<double>(heap_.heapSize());
    double allocate = fill < 0.85 ? 0.6 : 0.4;
    if (live_.empty() || std::uniform_real_distribution<double>(0, 1)(rng_) < allocate) {
      allocateOne();
    } else {
      release(rng_() % live_.size());
    }
  }

  // The collection hook: frees a random eighth of the live blocks every other time.
  void collect() {
    hookCalls_++;
    if (rng_() % 2 == 0) return;
    for (size_t n = live_.size() / 8; n > 0 && !live_.empty(); n--) release(rng_() % live_.size());
  }

  void verifyAll() {
    for (size_t idx : live_) verify(slots_[idx]);
  }

  void releaseAll() {
    while (!live_.empty()) release(live_.size() - 1);
  }

  const std::string& error() const { return error_; }
  size_t liveCount() const { return live_.size(); }
  size_t failures() const { return failures_; }
  size_t moved() const { return moved_; }
  int hookCalls() const { return hookCalls_; }

 private:
  static constexpr size_t kSlots = 8192;

  struct Slot {
    void* ptr = nullptr;  // the owner field of an owned block
    size_t size = 0;
    uint32_t seed = 0;
    bool owned = false;
    void* placedAt = nullptr;
  };

  size_t randomSize() {
    uint32_t r = rng_() % 100;
    if (r < 60) return rng_() % 128;
    if (r < 92) return 128 + rng_() % 1920;
    return 2048 + rng_() % 14336;
  }

  void allocateOne() {
    size_t n = randomSize();
    bool owned = heap_.mode() == VirtualMemoryManager::kRelocatable && rng_() % 5 != 0;
    // The slot is chosen after malloc: the collection hook may free blocks inside it.
    void* p = heap_.malloc(n);
    if (p == nullptr) {
      failures_++;
      return;
    }
    size_t idx = freeSlots_.back();
    freeSlots_.pop_back();
    Slot& s = slots_[idx];
    s = Slot{p, n, static_cast<uint32_t>(rng_()), owned, p};
    fillPattern(p, n, s.seed);
    if (owned) heap_.setFragmentRelocPointer(s.ptr, &s.ptr);
    live_.push_back(idx);
  }

  void release(size_t pos) {
    size_t idx = live_[pos];
    Slot& s = slots_[idx];
    verify(s);
    if (s.ptr != s.placedAt) moved_++;
    if (heap_.free(s.ptr) != 1) fail("free refused a live block");
    live_[pos] = live_.back();
    live_.pop_back();
    freeSlots_.push_back(idx);
  }

  void verify(const Slot& s) {
    if (!heap_.isBlockStart(s.ptr)) return fail("a live block is no longer a block start");
    if (heap_.blockSize(s.ptr) < s.size) return fail("a live block shrank");
    void** owner = heap_.ownerOf(s.ptr);
    if (owner != (s.owned ? &s.ptr : nullptr)) return fail("a block's owner is wrong");
    if (!s.owned && s.ptr != s.placedAt) return fail("a block without an owner moved");
    if (!hasPattern(s.ptr, s.size, s.seed)) return fail("a block's contents changed");
  }

  void fail(const char* why) {
    if (error_.empty()) error_ = why;
  }

  VirtualMemoryManager& heap_;
  std::mt19937 rng_;
  std::vector<Slot> slots_;  // never resized: owners point into it
  std::vector<size_t> freeSlots_;
  std::vector<size_t> live_;
  std::string error_;
  size_t failures_ = 0;
  size_t moved_ = 0;
  int hookCalls_ = 0;
};

AllocatorModel* gCollectingModel = nullptr;
void collectInModel() { gCollectingModel->collect(); }

struct FuzzRun {
  Mode mode;
  uint32_t seed;
  int steps;
  bool moveStress;
  int verifyEvery;
};

void PrintTo(const FuzzRun& r, std::ostream* os) {
  *os << "mode " << r.mode << " seed " << r.seed << (r.moveStress ? " move-stress" : "");
}

class AllocatorFuzz : public ::testing::TestWithParam<FuzzRun> {};

TEST_P(AllocatorFuzz, HeapStaysConsistentAndBlocksKeepTheirContents) {
  const FuzzRun& run = GetParam();
  // The long runs set their own stress: moving every block on each of 100,000 allocations
  // is what the short move-stress run is for.
  stress::StressOverride stress(false, run.moveStress);
  LogCapture log;  // exhaustion is expected and logged
  VirtualMemoryManager heap(256 * 1024, run.mode);
  AllocatorModel model(heap, run.seed);
  gCollectingModel = &model;
  heap.onExhausted = collectInModel;

  std::string why;
  for (int i = 0; i < run.steps; i++) {
    model.step();
    ASSERT_EQ(model.error(), "") << "step " << i;
    ASSERT_TRUE(heap.check(&why)) << why << " at step " << i;
    ASSERT_EQ(heap.fragmentCount() - heap.freeFragmentCount(), model.liveCount()) << "step " << i;
    if (i % run.verifyEvery == 0) {
      model.verifyAll();
      ASSERT_EQ(model.error(), "") << "step " << i;
    }
  }
  model.verifyAll();
  EXPECT_EQ(model.error(), "");
  EXPECT_GT(model.failures(), 0u) << "the arena never ran full";
  EXPECT_GT(model.hookCalls(), 0);
  if (run.mode == kRelocatable) {
    EXPECT_GT(model.moved(), 0u) << "nothing was ever compacted";
  } else {
    EXPECT_EQ(model.moved(), 0u);
  }

  model.releaseAll();
  EXPECT_EQ(model.error(), "");
  EXPECT_EQ(heap.heapUsed(), 0u);
  EXPECT_EQ(heap.fragmentCount(), 1u);
  EXPECT_EQ(checkText(heap), "ok");
  gCollectingModel = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Heap, AllocatorFuzz,
                         ::testing::Values(FuzzRun{kFixed, 1, 100000, false, 1000},
                                           FuzzRun{kFixed, 2, 100000, false, 1000},
                                           FuzzRun{kRelocatable, 3, 100000, false, 1000},
                                           FuzzRun{kRelocatable, 4, 100000, false, 1000},
                                           FuzzRun{kRelocatable, 5, 4000, true, 50}));

}  // namespace
}  // namespace sorv
