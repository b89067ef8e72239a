#include "device/platform/key_messages.h"

#include <SDL/SDL.h>

#include <deque>

namespace sorv::platform {
namespace {

std::deque<KeyMessage>& queue() {
  static std::deque<KeyMessage> q;
  return q;
}

struct KeyMapping {
  int sdlKey;
  uint32_t virtualKey;
};

// The game ignores the phone's d-pad and centre key and is played on the digits, so the
// desktop's arrows and Enter keys are the digits that lie where a thumb finds them: 2, 8, 4,
// 6 and 5. The phone's '*' and '#' keys send F8 and F9.
constexpr KeyMapping kKeyTable[] = {
    {SDLK_UP, '2'},       {SDLK_DOWN, '8'},     {SDLK_LEFT, '4'},    {SDLK_RIGHT, '6'},
    {SDLK_RETURN, '5'},   {SDLK_KP_ENTER, '5'}, {SDLK_ESCAPE, 27},   {SDLK_HOME, 36},
    {SDLK_LSUPER, 91},    {SDLK_RSUPER, 92},    {SDLK_F1, 112},      {SDLK_F2, 113},
    {SDLK_F3, 114},       {SDLK_F4, 115},       {SDLK_F6, 117},      {SDLK_F7, 118},
    {SDLK_F8, 119},       {SDLK_F9, 120},       {SDLK_ASTERISK, 119}, {SDLK_KP_MULTIPLY, 119},
    {SDLK_HASH, 120},
};

void takeSdlKeyEvents() {
  SDL_Event events[16];
  SDL_PumpEvents();
  int n;
  while ((n = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_KEYDOWNMASK | SDL_KEYUPMASK)) > 0) {
    for (int i = 0; i < n; i++) {
      uint32_t vk = virtualKeyOf(events[i].key.keysym.sym);
      if (vk == 0) continue;
      postKeyMessage(events[i].type == SDL_KEYDOWN ? kWmKeyDown : kWmKeyUp, vk);
    }
  }
}

}  // namespace

uint32_t virtualKeyOf(int sym) {
  if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<uint32_t>(sym - SDLK_a + 'A');
  if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<uint32_t>(sym);
  if (sym >= SDLK_KP0 && sym <= SDLK_KP9) return static_cast<uint32_t>(sym - SDLK_KP0 + 96);
  for (const KeyMapping& m : kKeyTable) {
    if (m.sdlKey == sym) return m.virtualKey;
  }
  return 0;
}

bool peekKeyMessage(KeyMessage& out, bool remove) {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) takeSdlKeyEvents();
  std::deque<KeyMessage>& q = queue();
  if (q.empty()) return false;
  out = q.front();
  if (remove) q.pop_front();
  return true;
}

void postKeyMessage(uint32_t message, uint32_t virtualKey) { queue().push_back({message, virtualKey}); }

void clearKeyMessages() { queue().clear(); }

}  // namespace sorv::platform
