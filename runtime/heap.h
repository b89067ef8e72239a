// The two arenas of managed memory and the raw allocator natives use for their buffers.
//
// A VirtualMemoryManager cuts one fixed arena into fragments. Mode kFixed (the object heap)
// never moves a block; mode kRelocatable (the buffer heap) may move blocks while it
// allocates, and patches the one pointer that owns each moved block.
//
// Invariants (check() verifies all of them):
// - Fragments tile the arena without gaps; every size is a multiple of kGranule and at
//   least minFragment() (three words: a free fragment's size and two links). Word 0 is the
//   size: positive while free, negated while used.
// - The free list (words 1 and 2 of a free fragment) is ordered by address and no two free
//   fragments are neighbours; m_head/m_tail are its ends. The size index holds exactly the
//   free fragments, keyed by (size, address).
// - One bitmap bit per granule marks each free fragment's start, another each used
//   fragment's start, so a pointer into the arena finds its block without a list search.
// - fragmentCount, freeFragmentCount and m_heapUsed (headers included) match the tiling.
// - A relocatable block moves only when its owner (recorded by registerBufferField) still
//   points at it; a block without one (qmx_malloc) never moves.
// - A block is released once: freeing anything but a used block's start (a double free, an
//   interior pointer) is logged and ignored.
// - Free memory beyond a free fragment's three words is poisoned in sanitizer builds and
//   filled with kFreeFill in debug builds.
//
// Who may call what: Object::allocate and the array and string code use the two heaps of
// the running Application; natives use qmx_malloc/qmx_free. Every owner of a buffer-heap
// block calls registerBufferField(&field) right after storing the block in the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sorv {

// One bit per granule over an arena, with a summary bit per word and a top bit per summary
// word, so a backward search for the nearest set bit crosses a sparse arena in a few steps.
class GranuleBitmap {
 public:
  void resize(size_t bits);
  void set(size_t i);
  void clear(size_t i);
  bool test(size_t i) const { return (words_[i >> 6] >> (i & 63)) & 1; }
  // The largest set index <= i, or SIZE_MAX when there is none.
  size_t findPrev(size_t i) const;
  size_t count() const;

 private:
  std::vector<uint64_t> words_;
  std::vector<uint64_t> summary_;  // bit k: words_[k] is not zero
  std::vector<uint64_t> top_;      // bit k: summary_[k] is not zero
};

// Free fragments by (size, address), both in granules. Sizes are grouped in classes: one
// per size below kExactClasses granules, four per power of two above. Each class is a
// vector of keys sorted downwards, so its smallest, lowest fragment is the last entry and a
// best-fit take is a pop; an insert moves only the entries of one class.
class FreeSizeIndex {
 public:
  static constexpr uint64_t kNone = UINT64_MAX;

  void clear();
  void insert(uint64_t sizeGranules, uint64_t granule);
  void erase(uint64_t sizeGranules, uint64_t granule);
  bool contains(uint64_t sizeGranules, uint64_t granule) const;
  size_t size() const { return count_; }
  // The granule of the smallest fragment of at least needGranules, the lowest on equal
  // sizes, other than the two excluded granules; kNone when there is none.
  uint64_t bestFit(uint64_t needGranules, uint64_t exclude1 = kNone, uint64_t exclude2 = kNone) const;
  // Every class sorted, holding only its own sizes, and marked non-empty exactly when it is.
  bool consistent() const;

 private:
  static constexpr size_t kExactClasses = 128;
  static constexpr size_t kClassCount = kExactClasses + 4 * (64 - 7);

  static size_t classOf(uint64_t sizeGranules);
  static uint64_t key(uint64_t sizeGranules, uint64_t granule) { return sizeGranules << 32 | granule; }
  size_t nextNonEmpty(size_t from) const;

  std::vector<uint64_t> classes_[kClassCount];
  uint64_t nonEmpty_[(kClassCount + 63) / 64] = {};
  size_t count_ = 0;
};

class VirtualMemoryManager {
 public:
  enum Mode : int32_t { kFixed = 0, kRelocatable = 1 };

  static constexpr size_t kGranule = sizeof(void*);  // alignment and bitmap resolution
  static constexpr unsigned char kFreeFill = 0xDD;

  VirtualMemoryManager(size_t size, Mode mode);
  ~VirtualMemoryManager();
  VirtualMemoryManager(const VirtualMemoryManager&) = delete;
  VirtualMemoryManager& operator=(const VirtualMemoryManager&) = delete;

  // A block of at least n bytes (not zeroed), or null after the log lines and report.
  // Requests larger than the arena are refused before any size arithmetic.
  void* malloc(size_t n);
  // 1 when p lies inside this arena (a used block is released; anything else there is
  // logged and ignored), 0 when the arena does not own p.
  int free(void* p);
  // Records owner (the address of the pointer holding p) as p's relocation pointer.
  void setFragmentRelocPointer(void* p, void** owner);
  // Releases the arena; every block is gone.
  void destroy();
  bool check(std::string* why = nullptr) const;

  bool owns(const void* p) const {
    return arena_ != nullptr && reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(arena_) < heapSize_;
  }
  // The user pointer of the used block that contains p (header included), or null.
  void* blockContaining(const void* p) const;
  // True when p is the user pointer of a used block.
  bool isBlockStart(const void* p) const;
  // Bytes usable in the block of user pointer p (0 when p is not a used block).
  size_t blockSize(const void* p) const;
  // The recorded owner of the block at p, or null.
  void** ownerOf(const void* p) const;
  // Byte offset of p from the arena start (identity hash codes repeat from run to run).
  size_t offsetOf(const void* p) const { return static_cast<const std::byte*>(p) - arena_; }

  // Moves every movable block (alternately packing them low and high), so a raw pointer
  // kept across an allocation shows up at once; the move-stress mode runs it.
  void moveAllBlocks();

  // Called once when no free fragment fits, before compaction; the runtime hooks the
  // collector here.
  void (*onExhausted)() = nullptr;

  Mode mode() const { return mode_; }
  size_t headerSize() const { return headerSize_; }
  static constexpr size_t minFragment() { return 3 * sizeof(void*); }
  size_t heapSize() const { return heapSize_; }
  size_t heapUsed() const { return heapUsed_; }
  size_t peakUsed() const { return peakUsed_; }
  size_t fragmentCount() const { return fragmentCount_; }
  size_t freeFragmentCount() const { return freeFragmentCount_; }
  const std::byte* arena() const { return arena_; }

 private:
  friend struct HeapTestAccess;  // the heap tests drive moveFragments directly
  using Fragment = std::byte*;

  static intptr_t& sizeWord(Fragment f) { return *reinterpret_cast<intptr_t*>(f); }
  static Fragment& prevFree(Fragment f) { return reinterpret_cast<Fragment*>(f)[1]; }
  static Fragment& nextFree(Fragment f) { return reinterpret_cast<Fragment*>(f)[2]; }
  static void**& ownerWord(Fragment f) { return reinterpret_cast<void***>(f)[1]; }
  static size_t sizeOf(Fragment f) {
    intptr_t s = sizeWord(f);
    return static_cast<size_t>(s < 0 ? -s : s);
  }
  size_t granuleOf(const std::byte* p) const { return static_cast<size_t>(p - arena_) / kGranule; }
  Fragment fragmentAt(size_t granule) const { return arena_ + granule * kGranule; }
  std::byte* arenaEnd() const { return arena_ + heapSize_; }
  Fragment usedFragmentOf(const void* p) const;
  bool isMovable(Fragment f) const;

  size_t requestSize(size_t n) const;
  Fragment bestFit(size_t need, Fragment exclude1 = nullptr, Fragment exclude2 = nullptr) const;
  void take(Fragment f, size_t need);
  void release(Fragment f);
  void linkFree(Fragment f, Fragment prev, Fragment next);
  void unlinkFree(Fragment f);
  void indexFree(Fragment f) { bySize_.insert(sizeOf(f) / kGranule, granuleOf(f)); }
  void unindexFree(Fragment f) { bySize_.erase(sizeOf(f) / kGranule, granuleOf(f)); }
  bool moveFragments(Fragment src, Fragment dst, size_t length);
  Fragment compactPairs(size_t need);
  Fragment compactSlide(size_t need);
  void packBlocks(bool towardsEnd);
  void rebuildFreeStructures();
  void checkOrAbort() const;
  void fail(size_t need);

  std::byte* arena_ = nullptr;
  Fragment m_head = nullptr;
  Fragment m_tail = nullptr;
  size_t heapSize_ = 0;
  size_t fragmentCount_ = 0;
  size_t freeFragmentCount_ = 0;
  size_t heapUsed_ = 0;
  size_t peakUsed_ = 0;
  Mode mode_;
  size_t headerSize_;
  bool packTowardsEnd_ = false;

  GranuleBitmap freeStarts_;
  GranuleBitmap usedStarts_;
  FreeSizeIndex bySize_;
};

// Zero-filled n bytes from the buffer heap, else the system heap; null (logged) when both
// fail. The block has no owner, so it never moves.
// The one line an allocation that still fails after the collection leaves: what failed and
// the figures of both heaps and the object list of the running Application.
void logOutOfMemory(const char* what);

void* qmx_malloc(size_t n);
// Returns a block to whichever heap owns it (the system heap last); null is reported.
void qmx_free(void* p);

// Records *field as the owner of the buffer-heap block it holds, so compaction patches the
// field when it moves the block. Nothing happens for null or a system-heap block.
void registerBufferField(void** field);
template <class T>
void registerBufferField(T** field) {
  registerBufferField(reinterpret_cast<void**>(field));
}

}  // namespace sorv
