// The shell's key table and the hardware keys it handles itself.
#include <cstdint>
#include <initializer_list>

#include "device/platform/processes.h"
#include "device/platform/wave_out.h"
#include "device/platform/windows.h"
#include "device/shell.h"

namespace sorv {
namespace {

struct KeyTranslation {
  int32_t virtualKey;
  int32_t midpKey;
};

constexpr KeyTranslation kKeyTable[] = {
    {13, -5},   // VK_RETURN: fire
    {38, -1},   // VK_UP
    {40, -2},   // VK_DOWN
    {37, -3},   // VK_LEFT
    {39, -4},   // VK_RIGHT
    {112, -6},  // VK_F1: left soft key
    {113, -7},  // VK_F2: right soft key
    {119, 42},  // VK_F8: '*'
    {120, 35},  // VK_F9: '#'
};

constexpr int32_t kVkNumpad0 = 96;
constexpr int32_t kVkNumpad9 = 105;

constexpr int32_t kVkEscape = 27;
constexpr int32_t kVkHome = 36;
constexpr int32_t kVkLeftWindows = 91;
constexpr int32_t kVkRightWindows = 92;
constexpr int32_t kVkF3 = 114;
constexpr int32_t kVkF4 = 115;
constexpr int32_t kVkF6 = 117;
constexpr int32_t kVkF7 = 118;

constexpr uint32_t kVolumeStep = 6553;
constexpr uint32_t kVolumeMax = 0xFFFF;
constexpr uint32_t kVolumeUpLimit = 58981;  // from here a step up gives the maximum
constexpr const char* kPhoneApplication = "\\Windows\\cprog.exe";

bool isOneOf(int32_t key, std::initializer_list<int32_t> keys) {
  for (int32_t k : keys) {
    if (k == key) return true;
  }
  return false;
}

uint32_t channelUp(uint32_t c) { return c < kVolumeUpLimit ? c + kVolumeStep : kVolumeMax; }
uint32_t channelDown(uint32_t c) { return c > kVolumeStep ? c - kVolumeStep : 0; }

}  // namespace

int32_t Shell::translateKey(int32_t virtualKey) {
  if (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad9) return '0' + (virtualKey - kVkNumpad0);
  for (const KeyTranslation& t : kKeyTable) {
    if (t.virtualKey == virtualKey) return t.midpKey;
  }
  return virtualKey;
}

uint32_t Shell::volumeUp(uint32_t volume) {
  return channelUp(volume & 0xFFFF) | channelUp(volume >> 16) << 16;
}

uint32_t Shell::volumeDown(uint32_t volume) {
  return channelDown(volume & 0xFFFF) | channelDown(volume >> 16) << 16;
}

void Shell::hardwareKeyReleased(int32_t key) {
  if (isOneOf(key, {kVkLeftWindows, kVkHome, kVkF4, kVkEscape})) platform::iconifyWindow(windowHandle);
  // The centre key is the game's fire key here, so its release minimises nothing.
  if (isOneOf(key, {kVkHome, kVkEscape, kVkLeftWindows, kVkRightWindows})) {
    platform::showWindow(platform::foregroundWindow(), platform::kSwMinimize);
    return;
  }
  uint32_t volume = 0;
  switch (key) {
    case kVkF3:
      platform::shellExecute(kPhoneApplication);
      return;
    case kVkF6:
      if (platform::waveOutGetVolume(platform::kWaveDevice0, &volume) == platform::WaveResult::ok) {
        platform::waveOutSetVolume(platform::kWaveDevice0, volumeUp(volume));
      }
      return;
    case kVkF7:
      if (platform::waveOutGetVolume(platform::kWaveDevice0, &volume) == platform::WaveResult::ok) {
        platform::waveOutSetVolume(platform::kWaveDevice0, volumeDown(volume));
      }
      return;
    default:
      return;
  }
}

}  // namespace sorv
