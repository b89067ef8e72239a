#include "installer/installer.h"

#include <cstdio>
#include <exception>

#include "installer/cleanup.h"

#define SORV_SETUP_EXPORT __attribute__((visibility("default")))

extern "C" {

SORV_SETUP_EXPORT int32_t Install_Init(void*, int32_t, int32_t, const char16_t*) {
  return kSetupContinue;
}

SORV_SETUP_EXPORT int32_t Install_Exit(void*, const char16_t*, uint16_t, uint16_t, uint16_t,
                                       uint16_t, uint16_t) {
  return kSetupContinue;
}

SORV_SETUP_EXPORT int32_t Uninstall_Init(void*, const char16_t*) { return kSetupContinue; }

// The parent window would own the question box; the host's box stands alone.
SORV_SETUP_EXPORT int32_t Uninstall_Exit(void*) {
  using namespace sorv::installer;
  // Nothing may unwind into the package installer, and the removal goes on regardless.
  try {
    chooseMessageLanguage();
    bool keepSavedGames = askKeepSavedGames();
    deleteGameFiles(keepSavedGames);
    deleteGameKey();
    clearLauncherEntries();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Setup: clean-up stopped: %s\n", e.what());
  }
  return kSetupContinue;
}

}  // extern "C"
