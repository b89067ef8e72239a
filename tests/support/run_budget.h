// What a long scenario may cost in this pass. The suite runs four times (scripts/test.sh):
// Release, the sanitizer build, and both again under the memory stress switches
// (SORV_GC_STRESS, SORV_MOVE_STRESS). The plain Release pass runs every long road and soak
// whole and keeps their coverage; the other three run the same work many times slower and
// are there for memory faults, which a smaller share of the same work finds as well, so a
// long test scales its work down there:
//
//   for (int match = 0; match < test::scaled(12, 2); match++) ...
//
// SORV_TEST_BUDGET=full runs everything whole in any pass (to measure, or to chase a fault
// only a reduced pass shows); SORV_TEST_BUDGET=reduced scales down in Release too.
#pragma once

#include <cstdlib>
#include <cstring>

namespace sorv::test {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitizerBuild = true;
#else
constexpr bool kSanitizerBuild = false;
#endif
#else
constexpr bool kSanitizerBuild = false;
#endif

inline bool switchOn(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
}

inline bool memoryStressOn() { return switchOn("SORV_GC_STRESS") || switchOn("SORV_MOVE_STRESS"); }

enum class Budget { kFull, kReduced };

// kFull in the plain Release pass, kReduced in the sanitizer build and under the memory
// stress switches, unless SORV_TEST_BUDGET says otherwise.
inline Budget runBudget() {
  const char* asked = std::getenv("SORV_TEST_BUDGET");
  if (asked != nullptr && std::strcmp(asked, "full") == 0) return Budget::kFull;
  if (asked != nullptr && std::strcmp(asked, "reduced") == 0) return Budget::kReduced;
  return kSanitizerBuild || memoryStressOn() ? Budget::kReduced : Budget::kFull;
}

inline bool fullBudget() { return runBudget() == Budget::kFull; }

// A count of repeated work (matches, rounds, seeds): `full` in the full budget, `reduced`
// otherwise.
inline int scaled(int full, int reduced) { return fullBudget() ? full : reduced; }

}  // namespace sorv::test
