// The setup library's four entry points, called by the system's package installer around
// installation and removal. They are the library's only exported symbols (exports.map).
//
// Arguments follow the installer's published setup-library interface (window handles as
// void*, the phone's 16-bit wide strings as char16_t). Every result is kSetupContinue:
// continue, or done. Nothing is kept between calls.
#pragma once

#include <cstdint>

inline constexpr int32_t kSetupContinue = 0;

extern "C" {

// Installation needs nothing of ours: no shortcut, no registry value, no question.
int32_t Install_Init(void* parentWindow, int32_t firstCall, int32_t previouslyInstalled,
                     const char16_t* installDir);
int32_t Install_Exit(void* parentWindow, const char16_t* installDir, uint16_t failedDirs,
                     uint16_t failedFiles, uint16_t failedRegKeys, uint16_t failedRegValues,
                     uint16_t failedShortcuts);
int32_t Uninstall_Init(void* parentWindow, const char16_t* installDir);

// After the package's own files are gone: asks whether to keep the saved games and clears
// what the game made at run time. Failures are passed over; the result is always
// kSetupContinue.
int32_t Uninstall_Exit(void* parentWindow);

}  // extern "C"
