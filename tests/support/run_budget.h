// What a long scenario may cost in this build: the sanitizer build and the memory stress
// switches run whole matches many times slower, so such tests play fewer of them there.
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

}  // namespace sorv::test
