#include "runtime/heap.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>

#include "runtime/application.h"
#include "runtime/collector.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/stress.h"

#if defined(__SANITIZE_ADDRESS__)
#define SORV_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORV_ASAN 1
#endif
#endif
#if defined(SORV_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace sorv {

namespace {

// A free fragment keeps its size and both links; everything after them is dead memory.
constexpr size_t kFreeHeader = VirtualMemoryManager::minFragment();
// A fragment at most this much larger than the request (beyond one header) is taken whole.
constexpr size_t kSplitSlack = 8 * sizeof(void*);

// Freed memory is poisoned in sanitizer builds and filled with a pattern in debug builds,
// so a stale reference shows up at once instead of reading recycled memory.
void poison(void* p, size_t n) {
#if defined(SORV_ASAN)
  ASAN_POISON_MEMORY_REGION(p, n);
#elif !defined(NDEBUG)
  std::memset(p, VirtualMemoryManager::kFreeFill, n);
#else
  (void)p;
  (void)n;
#endif
}

void unpoison([[maybe_unused]] void* p, [[maybe_unused]] size_t n) {
#if defined(SORV_ASAN)
  ASAN_UNPOISON_MEMORY_REGION(p, n);
#endif
}

size_t roundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

}  // namespace

void GranuleBitmap::resize(size_t bits) {
  words_.assign((bits + 63) / 64, 0);
  summary_.assign((words_.size() + 63) / 64, 0);
  top_.assign((summary_.size() + 63) / 64, 0);
}

void GranuleBitmap::set(size_t i) {
  words_[i >> 6] |= uint64_t{1} << (i & 63);
  summary_[i >> 12] |= uint64_t{1} << ((i >> 6) & 63);
  top_[i >> 18] |= uint64_t{1} << ((i >> 12) & 63);
}

void GranuleBitmap::clear(size_t i) {
  uint64_t& w = words_[i >> 6];
  w &= ~(uint64_t{1} << (i & 63));
  if (w != 0) return;
  uint64_t& s = summary_[i >> 12];
  s &= ~(uint64_t{1} << ((i >> 6) & 63));
  if (s == 0) top_[i >> 18] &= ~(uint64_t{1} << ((i >> 12) & 63));
}

namespace {
// The highest set bit of w at or below bit b, or -1.
int highestAtOrBelow(uint64_t w, size_t b) {
  w &= ~uint64_t{0} >> (63 - (b & 63));
  return w == 0 ? -1 : 63 - std::countl_zero(w);
}
}  // namespace

size_t GranuleBitmap::findPrev(size_t i) const {
  const size_t wi = i >> 6;
  if (int b = highestAtOrBelow(words_[wi], i); b >= 0) return wi * 64 + b;
  if (wi == 0) return SIZE_MAX;
  // An earlier non-empty word in this summary word, else through the top level.
  size_t word;
  const size_t wj = wi - 1, si = wj >> 6;
  if (int b = highestAtOrBelow(summary_[si], wj); b >= 0) {
    word = si * 64 + b;
  } else {
    if (si == 0) return SIZE_MAX;
    const size_t sj = si - 1;
    size_t ti = sj >> 6;
    int t = highestAtOrBelow(top_[ti], sj);
    while (t < 0) {
      if (ti == 0) return SIZE_MAX;
      t = highestAtOrBelow(top_[--ti], 63);
    }
    const size_t summaryWord = ti * 64 + t;
    word = summaryWord * 64 + 63 - std::countl_zero(summary_[summaryWord]);
  }
  return word * 64 + 63 - std::countl_zero(words_[word]);
}

size_t GranuleBitmap::count() const {
  size_t n = 0;
  for (uint64_t w : words_) n += std::popcount(w);
  return n;
}

size_t FreeSizeIndex::classOf(uint64_t sizeGranules) {
  if (sizeGranules < kExactClasses) return sizeGranules;
  unsigned log = std::bit_width(sizeGranules) - 1;  // 7 or more
  return kExactClasses + (log - 7) * 4 + ((sizeGranules >> (log - 2)) & 3);
}

void FreeSizeIndex::clear() {
  for (auto& c : classes_) c.clear();
  std::fill(std::begin(nonEmpty_), std::end(nonEmpty_), 0);
  count_ = 0;
}

void FreeSizeIndex::insert(uint64_t sizeGranules, uint64_t granule) {
  size_t c = classOf(sizeGranules);
  auto& keys = classes_[c];
  uint64_t k = key(sizeGranules, granule);
  keys.insert(std::lower_bound(keys.begin(), keys.end(), k, std::greater<>()), k);
  nonEmpty_[c / 64] |= uint64_t{1} << (c % 64);
  count_++;
}

void FreeSizeIndex::erase(uint64_t sizeGranules, uint64_t granule) {
  size_t c = classOf(sizeGranules);
  auto& keys = classes_[c];
  uint64_t k = key(sizeGranules, granule);
  // A best-fit take removes the last entry: no search, no move.
  if (!keys.empty() && keys.back() == k) {
    keys.pop_back();
  } else {
    auto it = std::lower_bound(keys.begin(), keys.end(), k, std::greater<>());
    if (it == keys.end() || *it != k) return;
    keys.erase(it);
  }
  if (keys.empty()) nonEmpty_[c / 64] &= ~(uint64_t{1} << (c % 64));
  count_--;
}

bool FreeSizeIndex::contains(uint64_t sizeGranules, uint64_t granule) const {
  const auto& keys = classes_[classOf(sizeGranules)];
  return std::binary_search(keys.begin(), keys.end(), key(sizeGranules, granule), std::greater<>());
}

size_t FreeSizeIndex::nextNonEmpty(size_t from) const {
  for (size_t w = from / 64; w < std::size(nonEmpty_); w++) {
    uint64_t bits = nonEmpty_[w];
    if (w == from / 64) bits &= ~uint64_t{0} << (from % 64);
    if (bits != 0) return w * 64 + std::countr_zero(bits);
  }
  return kClassCount;
}

uint64_t FreeSizeIndex::bestFit(uint64_t needGranules, uint64_t exclude1, uint64_t exclude2) const {
  uint64_t needKey = key(needGranules, 0);
  for (size_t c = nextNonEmpty(classOf(needGranules)); c < kClassCount; c = nextNonEmpty(c + 1)) {
    const auto& keys = classes_[c];
    // Keys of at least the needed size are a prefix; its end holds the best ones.
    auto fits = std::partition_point(keys.begin(), keys.end(), [&](uint64_t k) { return k >= needKey; });
    for (auto it = fits; it != keys.begin();) {
      uint64_t granule = *--it & 0xFFFFFFFFu;
      if (granule != exclude1 && granule != exclude2) return granule;
    }
  }
  return kNone;
}

bool FreeSizeIndex::consistent() const {
  size_t total = 0;
  for (size_t c = 0; c < kClassCount; c++) {
    const auto& keys = classes_[c];
    if (!std::is_sorted(keys.begin(), keys.end(), std::greater<>())) return false;
    if (std::adjacent_find(keys.begin(), keys.end()) != keys.end()) return false;
    for (uint64_t k : keys) {
      if (classOf(k >> 32) != c) return false;
    }
    bool marked = (nonEmpty_[c / 64] >> (c % 64)) & 1;
    if (marked == keys.empty()) return false;
    total += keys.size();
  }
  return total == count_;
}

VirtualMemoryManager::VirtualMemoryManager(size_t size, Mode mode)
    : mode_(mode), headerSize_(mode == kRelocatable ? 2 * sizeof(void*) : sizeof(void*)) {
  size = size / kGranule * kGranule;
  // The size index packs sizes and positions in granules into 32 bits each.
  bool sizeOk = size >= minFragment() && size / kGranule <= UINT32_MAX;
  arena_ = sizeOk ? static_cast<std::byte*>(std::malloc(size)) : nullptr;
  if (arena_ == nullptr) {
    reportError("VirtualMemoryManager malloc failed");
    return;
  }
  heapSize_ = size;
  freeStarts_.resize(size / kGranule);
  usedStarts_.resize(size / kGranule);
  sizeWord(arena_) = static_cast<intptr_t>(size);
  linkFree(arena_, nullptr, nullptr);
  freeStarts_.set(0);
  indexFree(arena_);
  fragmentCount_ = 1;
  freeFragmentCount_ = 1;
  poison(arena_ + kFreeHeader, size - kFreeHeader);
}

VirtualMemoryManager::~VirtualMemoryManager() { destroy(); }

void VirtualMemoryManager::destroy() {
  if (arena_ == nullptr) return;
  unpoison(arena_, heapSize_);
  std::free(arena_);
  arena_ = nullptr;
  m_head = m_tail = nullptr;
  heapSize_ = heapUsed_ = 0;
  fragmentCount_ = freeFragmentCount_ = 0;
  bySize_.clear();
  freeStarts_.resize(0);
  usedStarts_.resize(0);
}

size_t VirtualMemoryManager::requestSize(size_t n) const {
  return std::max(roundUp(n, kGranule) + headerSize_, minFragment());
}

void* VirtualMemoryManager::malloc(size_t n) {
  if (arena_ == nullptr) return nullptr;
  // Sizes beyond the arena are refused before any rounding can wrap.
  if (n > heapSize_) {
    fail(n);
    return nullptr;
  }
  size_t need = requestSize(n);
  if (mode_ == kRelocatable && stress::moveOnAllocate()) {
    moveAllBlocks();
    if (stress::checkDue()) checkOrAbort();
  }
  Fragment f = bestFit(need);
  if (f == nullptr && onExhausted != nullptr) {
    onExhausted();
    f = bestFit(need);
  }
  if (f == nullptr && mode_ == kRelocatable && heapUsed_ + need < heapSize_) {
    f = compactPairs(need);
    if (f == nullptr) f = compactSlide(need);
  }
  if (f == nullptr) {
    fail(need);
    return nullptr;
  }
  take(f, need);
  return f + headerSize_;
}

void VirtualMemoryManager::fail(size_t need) {
  Debug::trace("totalFragmentSizeNeeded=%zu m_heapUsed=%zu m_heapSize=%zu", need, heapUsed_,
               heapSize_);
  reportError("Malloc failed");
}

VirtualMemoryManager::Fragment VirtualMemoryManager::bestFit(size_t need, Fragment exclude1,
                                                             Fragment exclude2) const {
  // Smallest fitting size first, the lowest address among equal sizes: the choice of a walk
  // over the address-ordered list, without the walk.
  auto granuleOrNone = [this](Fragment f) { return f == nullptr ? FreeSizeIndex::kNone : granuleOf(f); };
  uint64_t g = bySize_.bestFit(need / kGranule, granuleOrNone(exclude1), granuleOrNone(exclude2));
  return g == FreeSizeIndex::kNone ? nullptr : fragmentAt(g);
}

void VirtualMemoryManager::linkFree(Fragment f, Fragment prev, Fragment next) {
  prevFree(f) = prev;
  nextFree(f) = next;
  if (prev != nullptr) nextFree(prev) = f; else m_head = f;
  if (next != nullptr) prevFree(next) = f; else m_tail = f;
}

void VirtualMemoryManager::unlinkFree(Fragment f) {
  Fragment prev = prevFree(f);
  Fragment next = nextFree(f);
  if (prev != nullptr) nextFree(prev) = next; else m_head = next;
  if (next != nullptr) prevFree(next) = prev; else m_tail = prev;
}

void VirtualMemoryManager::take(Fragment f, size_t need) {
  size_t size = sizeOf(f);
  unindexFree(f);
  freeStarts_.clear(granuleOf(f));
  if (size - need <= headerSize_ + kSplitSlack) {
    unlinkFree(f);
    freeFragmentCount_--;
    need = size;
  } else {
    Fragment rest = f + need;
    unpoison(rest, kFreeHeader);
    sizeWord(rest) = static_cast<intptr_t>(size - need);
    linkFree(rest, prevFree(f), nextFree(f));
    freeStarts_.set(granuleOf(rest));
    indexFree(rest);
    fragmentCount_++;
  }
  unpoison(f, need);
  sizeWord(f) = -static_cast<intptr_t>(need);
  if (mode_ == kRelocatable) ownerWord(f) = nullptr;
  usedStarts_.set(granuleOf(f));
  heapUsed_ += need;
  peakUsed_ = std::max(peakUsed_, heapUsed_);
}

void VirtualMemoryManager::release(Fragment f) {
  size_t size = sizeOf(f);
  usedStarts_.clear(granuleOf(f));
  heapUsed_ -= size;
  sizeWord(f) = static_cast<intptr_t>(size);
  freeFragmentCount_++;

  Fragment next = f + size;
  bool nextIsFree = next < arenaEnd() && freeStarts_.test(granuleOf(next));
  size_t g = granuleOf(f);
  size_t prevGranule = g == 0 ? SIZE_MAX : freeStarts_.findPrev(g - 1);
  Fragment prev = prevGranule == SIZE_MAX ? nullptr : fragmentAt(prevGranule);

  if (prev != nullptr && prev + sizeOf(prev) == f) {
    unindexFree(prev);
    sizeWord(prev) += static_cast<intptr_t>(size);
    fragmentCount_--;
    freeFragmentCount_--;
    poison(f, size);
    f = prev;
  } else {
    linkFree(f, prev, prev != nullptr ? nextFree(prev) : m_head);
    freeStarts_.set(g);
    poison(f + kFreeHeader, size - kFreeHeader);
  }
  if (nextIsFree) {
    unindexFree(next);
    sizeWord(f) += static_cast<intptr_t>(sizeOf(next));
    unlinkFree(next);
    freeStarts_.clear(granuleOf(next));
    fragmentCount_--;
    freeFragmentCount_--;
    poison(next, kFreeHeader);
  }
  indexFree(f);
}

VirtualMemoryManager::Fragment VirtualMemoryManager::usedFragmentOf(const void* p) const {
  if (!owns(p)) return nullptr;
  auto* b = static_cast<const std::byte*>(p);
  if ((b - arena_) % kGranule != 0 || static_cast<size_t>(b - arena_) < headerSize_) return nullptr;
  Fragment f = const_cast<Fragment>(b - headerSize_);
  return usedStarts_.test(granuleOf(f)) ? f : nullptr;
}

int VirtualMemoryManager::free(void* p) {
  if (!owns(p)) return 0;
  Fragment f = usedFragmentOf(p);
  if (f == nullptr) {
    // A second free (or a pointer into the middle of a block) would corrupt the free list.
    reportError("VirtualMemoryManager::free: not a used block (double free?)");
    return 1;
  }
  release(f);
  return 1;
}

void VirtualMemoryManager::setFragmentRelocPointer(void* p, void** owner) {
  Fragment f = usedFragmentOf(p);
  if (f == nullptr) {
    reportError("setFragmentRelocPointer");
    return;
  }
  if (mode_ == kRelocatable) ownerWord(f) = owner;
}

void* VirtualMemoryManager::blockContaining(const void* p) const {
  if (!owns(p)) return nullptr;
  size_t g = usedStarts_.findPrev(granuleOf(static_cast<const std::byte*>(p)));
  if (g == SIZE_MAX) return nullptr;
  Fragment f = fragmentAt(g);
  if (static_cast<const std::byte*>(p) >= f + sizeOf(f)) return nullptr;
  return f + headerSize_;
}

bool VirtualMemoryManager::isBlockStart(const void* p) const { return usedFragmentOf(p) != nullptr; }

size_t VirtualMemoryManager::blockSize(const void* p) const {
  Fragment f = usedFragmentOf(p);
  return f == nullptr ? 0 : sizeOf(f) - headerSize_;
}

void** VirtualMemoryManager::ownerOf(const void* p) const {
  Fragment f = usedFragmentOf(p);
  return f == nullptr || mode_ != kRelocatable ? nullptr : ownerWord(f);
}

bool VirtualMemoryManager::isMovable(Fragment f) const {
  if (mode_ != kRelocatable || sizeWord(f) >= 0) return false;
  // An owner that no longer points at its block is stale: moving would write through it.
  void** owner = ownerWord(f);
  return owner != nullptr && *owner == f + headerSize_;
}

bool VirtualMemoryManager::moveFragments(Fragment src, Fragment dst, size_t length) {
  if (sizeOf(dst) < length) {
    // Copying would overwrite the destination's neighbours.
    reportError("move dst size");
    return false;
  }
  take(dst, length);
  size_t taken = sizeOf(dst);
  std::memcpy(dst, src, length);
  Fragment last = dst;
  for (Fragment c = dst; c < dst + length; c += sizeOf(c)) {
    usedStarts_.clear(granuleOf(src + (c - dst)));
    usedStarts_.set(granuleOf(c));
    if (void** owner = ownerWord(c)) *owner = c + headerSize_;
    last = c;
  }
  if (taken > length) sizeWord(last) -= static_cast<intptr_t>(taken - length);
  // The copied run adds as many fragments as the source run loses by becoming one used
  // fragment, so fragmentCount stays; release() then counts the merges.
  sizeWord(src) = -static_cast<intptr_t>(length);
  usedStarts_.set(granuleOf(src));
  release(src);
  return true;
}

VirtualMemoryManager::Fragment VirtualMemoryManager::compactPairs(size_t need) {
  for (int round = 0; round < 20; round++) {
    Fragment bestF = nullptr;
    Fragment bestDst = nullptr;
    intptr_t bestScore = INTPTR_MIN;
    for (Fragment f = m_head; f != nullptr && nextFree(f) != nullptr; f = nextFree(f)) {
      Fragment g = nextFree(f);
      Fragment gapStart = f + sizeOf(f);
      intptr_t gap = g - gapStart;
      intptr_t score = static_cast<intptr_t>(sizeOf(f) + sizeOf(g)) - gap;
      if (score <= bestScore) continue;
      bool movable = true;
      for (Fragment c = gapStart; c < g && movable; c += sizeOf(c)) movable = isMovable(c);
      if (!movable) continue;
      Fragment dst = bestFit(static_cast<size_t>(gap), f, g);
      if (dst == nullptr) continue;
      bestScore = score;
      bestF = f;
      bestDst = dst;
    }
    if (bestF == nullptr) return nullptr;
    Fragment gapStart = bestF + sizeOf(bestF);
    if (!moveFragments(gapStart, bestDst, static_cast<size_t>(nextFree(bestF) - gapStart))) return nullptr;
    if (sizeOf(bestF) >= need) return bestF;
  }
  return nullptr;
}

VirtualMemoryManager::Fragment VirtualMemoryManager::compactSlide(size_t need) {
  for (int round = 0; round < 20; round++) {
    Fragment f = m_head;
    if (f == nullptr) return nullptr;
    for (Fragment c = nextFree(f); c != nullptr && static_cast<size_t>(arenaEnd() - c) > need;
         c = nextFree(c)) {
      if (sizeOf(c) > sizeOf(f)) f = c;
    }
    bool moved = false;
    for (Fragment next = f + sizeOf(f); next < arenaEnd(); next = f + sizeOf(f)) {
      if (!isMovable(next)) break;  // a block without an owner stays where it is
      Fragment dst = bestFit(sizeOf(next), f);
      if (dst == nullptr || !moveFragments(next, dst, sizeOf(next))) break;
      moved = true;
      if (sizeOf(f) >= need) return f;
    }
    if (!moved) return nullptr;  // the next round would choose the same and fail again
  }
  return nullptr;
}

void VirtualMemoryManager::moveAllBlocks() {
  if (arena_ == nullptr || mode_ != kRelocatable) return;
  packBlocks(packTowardsEnd_);
  packTowardsEnd_ = !packTowardsEnd_;
}

void VirtualMemoryManager::packBlocks(bool towardsEnd) {
  std::vector<Fragment> fragments;
  fragments.reserve(fragmentCount_);
  for (Fragment f = arena_; f < arenaEnd(); f += sizeOf(f)) fragments.push_back(f);
  for (Fragment f = m_head; f != nullptr; f = nextFree(f)) freeStarts_.clear(granuleOf(f));
  unpoison(arena_, heapSize_);

  auto moveTo = [&](Fragment from, Fragment to, size_t size) {
    std::memmove(to, from, size);
    *ownerWord(to) = to + headerSize_;
    usedStarts_.clear(granuleOf(from));
    usedStarts_.set(granuleOf(to));
  };
  auto markFree = [&](Fragment from, Fragment to) {
    if (to > from) sizeWord(from) = static_cast<intptr_t>(to - from);
  };
  if (!towardsEnd) {
    Fragment cursor = arena_;
    for (Fragment f : fragments) {
      size_t size = sizeOf(f);
      if (sizeWord(f) > 0) continue;
      if (isMovable(f)) {
        if (cursor != f) moveTo(f, cursor, size);
        cursor += size;
      } else {
        markFree(cursor, f);
        cursor = f + size;
      }
    }
    markFree(cursor, arenaEnd());
  } else {
    Fragment cursor = arenaEnd();
    for (auto it = fragments.rbegin(); it != fragments.rend(); ++it) {
      Fragment f = *it;
      size_t size = sizeOf(f);
      if (sizeWord(f) > 0) continue;
      if (isMovable(f)) {
        if (cursor != f + size) moveTo(f, cursor - size, size);
        cursor -= size;
      } else {
        markFree(f + size, cursor);
        cursor = f;
      }
    }
    markFree(arena_, cursor);
  }
  rebuildFreeStructures();
}

void VirtualMemoryManager::rebuildFreeStructures() {
  bySize_.clear();
  m_head = m_tail = nullptr;
  fragmentCount_ = freeFragmentCount_ = 0;
  Fragment prev = nullptr;
  for (Fragment f = arena_; f < arenaEnd(); f += sizeOf(f)) {
    fragmentCount_++;
    if (sizeWord(f) < 0) continue;
    freeFragmentCount_++;
    linkFree(f, prev, nullptr);
    freeStarts_.set(granuleOf(f));
    indexFree(f);
    prev = f;
  }
  for (Fragment f = m_head; f != nullptr; f = nextFree(f)) poison(f + kFreeHeader, sizeOf(f) - kFreeHeader);
}

bool VirtualMemoryManager::check(std::string* why) const {
  auto bad = [why](const char* text) {
    if (why != nullptr) *why = text;
    return false;
  };
  if (arena_ == nullptr) return true;
  size_t fragments = 0, freeFragments = 0, used = 0, usedBits = 0;
  bool previousFree = false;
  Fragment expectedFree = m_head;
  Fragment lastFree = nullptr;
  Fragment f = arena_;
  for (; f < arenaEnd(); f += sizeOf(f)) {
    size_t size = sizeOf(f);
    if (size == 0 || size % kGranule != 0 || size < minFragment() ||
        size > static_cast<size_t>(arenaEnd() - f)) {
      return bad("fragment size breaks the tiling");
    }
    fragments++;
    bool isFree = sizeWord(f) > 0;
    if (isFree) {
      if (previousFree) return bad("two free fragments are neighbours");
      if (f != expectedFree) return bad("free list is not the address order of free fragments");
      if (prevFree(f) != lastFree) return bad("free list back link is wrong");
      if (!freeStarts_.test(granuleOf(f)) || usedStarts_.test(granuleOf(f))) {
        return bad("bitmap does not mark a free fragment");
      }
      if (!bySize_.contains(size / kGranule, granuleOf(f))) return bad("size index misses a free fragment");
      freeFragments++;
      lastFree = f;
      expectedFree = nextFree(f);
    } else {
      if (!usedStarts_.test(granuleOf(f)) || freeStarts_.test(granuleOf(f))) {
        return bad("bitmap does not mark a used fragment");
      }
      used += size;
      usedBits++;
    }
    previousFree = isFree;
  }
  if (f != arenaEnd()) return bad("fragments overrun the arena");
  if (expectedFree != nullptr) return bad("free list runs past the last free fragment");
  if (m_tail != lastFree) return bad("m_tail is not the last free fragment");
  if (fragments != fragmentCount_) return bad("fragmentCount does not match");
  if (freeFragments != freeFragmentCount_) return bad("freeFragmentCount does not match");
  if (used != heapUsed_) return bad("m_heapUsed does not match");
  if (bySize_.size() != freeFragments) return bad("size index holds extra entries");
  if (!bySize_.consistent()) return bad("size index is out of order");
  if (freeStarts_.count() != freeFragments || usedStarts_.count() != usedBits) {
    return bad("bitmap marks stray granules");
  }
  return true;
}

void VirtualMemoryManager::checkOrAbort() const {
  std::string why;
  if (check(&why)) return;
  // Going on would spread the damage into the game's data; stop where it shows.
  Debug::trace("VirtualMemoryManager check failed: %s", why.c_str());
  std::abort();
}

void logOutOfMemory(const char* what) {
  const Application* app = Application::instance();
  const VirtualMemoryManager* objects = app != nullptr ? app->objectHeap : nullptr;
  const VirtualMemoryManager* buffers = app != nullptr ? app->bufferHeap : nullptr;
  auto used = [](const VirtualMemoryManager* h) { return h != nullptr ? h->heapUsed() : 0; };
  auto size = [](const VirtualMemoryManager* h) { return h != nullptr ? h->heapSize() : 0; };
  auto peak = [](const VirtualMemoryManager* h) { return h != nullptr ? h->peakUsed() : 0; };
  const int32_t listed = app != nullptr && app->objectManager != nullptr ? app->objectManager->count() : 0;
  Debug::trace("Out of memory after the collection (%s): object heap %zu of %zu bytes used, peak %zu; "
               "buffer heap %zu of %zu bytes used, peak %zu; %d objects",
               what, used(objects), size(objects), peak(objects), used(buffers), size(buffers), peak(buffers), listed);
}

void* qmx_malloc(size_t n) {
  Application* app = Application::instance();
  void* p = app != nullptr && app->bufferHeap != nullptr ? app->bufferHeap->malloc(n) : nullptr;
  if (p != nullptr) {
    std::memset(p, 0, n);
    return p;
  }
  p = std::calloc(1, n == 0 ? 1 : n);
  if (p == nullptr) {
    logOutOfMemory("a native buffer");
    reportError("qmx_malloc returned null");
  }
  return p;
}

void qmx_free(void* p) {
  if (p == nullptr) {
    reportError("qmx_free null");
    return;
  }
  Application* app = Application::instance();
  if (app != nullptr) {
    if (app->bufferHeap != nullptr && app->bufferHeap->free(p)) return;
    if (app->objectHeap != nullptr && app->objectHeap->free(p)) return;
  }
  std::free(p);
}

void registerBufferField(void** field) {
  Application* app = Application::instance();
  if (field == nullptr || *field == nullptr || app == nullptr || app->bufferHeap == nullptr) return;
  if (app->bufferHeap->owns(*field)) app->bufferHeap->setFragmentRelocPointer(*field, field);
}

}  // namespace sorv
