// The game window's key messages (stand-in for PeekMessageW on WM_KEYDOWN, WM_KEYUP and
// WM_CHAR): one first-in first-out queue of {message, virtual key}.
//
// The host keyboard feeds it: every peek first moves SDL's pending key events into the
// queue, each turned into the phone's virtual key (see virtualKeyOf); keys the phone does
// not have are dropped. Every other SDL event stays in SDL's queue for SDL_PollEvent.
// Tests and the headless script post messages directly. Main thread only.
#pragma once

#include <cstdint>

namespace sorv::platform {

inline constexpr uint32_t kWmKeyDown = 0x100;
inline constexpr uint32_t kWmKeyUp = 0x101;
inline constexpr uint32_t kWmChar = 0x102;

struct KeyMessage {
  uint32_t message;
  uint32_t virtualKey;  // wParam
};

// The oldest message, taken off the queue when remove is set; false when there is none.
bool peekKeyMessage(KeyMessage& out, bool remove);
void postKeyMessage(uint32_t message, uint32_t virtualKey);
void clearKeyMessages();

// The phone's virtual key for an SDL key symbol, 0 for a key the phone does not have:
// the arrows as the digits 2, 8, 4 and 6 and Return and keypad Enter as 5 (the game plays on
// the digits), F1-F4 and F6-F9, Escape, Home, the Windows keys, letters, digits, keypad
// digits, '*' and '#' (as the phone's F8 and F9).
uint32_t virtualKeyOf(int sdlKeySym);

}  // namespace sorv::platform
