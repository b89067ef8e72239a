#include "installer/installer.h"

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
  chooseMessageLanguage();
  bool keepSavedGames = askKeepSavedGames();
  deleteGameFiles(keepSavedGames);
  deleteGameKey();
  clearLauncherEntries();
  return kSetupContinue;
}

}  // extern "C"
