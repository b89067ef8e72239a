#include "device/platform/display_orientation.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

namespace sorv::platform {
namespace {

bool gOverridden = false;
uint32_t gOverride = kDmdo0;
uint32_t gLastSeen = kDmdo0;

bool valid(uint32_t o) { return o == kDmdo0 || o == kDmdo90 || o == kDmdo180 || o == kDmdo270; }

}  // namespace

uint32_t displayOrientation() {
  if (gOverridden) return gOverride;
  const char* v = std::getenv("SORV_ORIENTATION");
  if (v == nullptr) return kDmdo0;
  char* end = nullptr;
  unsigned long o = std::strtoul(v, &end, 10);
  if (*end == '\0' && *v != '\0' && valid(static_cast<uint32_t>(o))) return static_cast<uint32_t>(o);
  std::fprintf(stderr, "orientation: SORV_ORIENTATION \"%s\" is not 0, 1, 2 or 4; using 0\n", v);
  return kDmdo0;
}

bool setDisplayOrientation(uint32_t orientation) {
  if (!valid(orientation)) return false;
  gOverridden = true;
  gOverride = orientation;
  return true;
}

bool postOrientationEvent(int32_t width, int32_t height) {
  uint32_t orientation = displayOrientation();
  if (SDL_GetVideoSurface() == nullptr || orientation == gLastSeen) return false;
  gLastSeen = orientation;
  SDL_Event stale[32];
  SDL_PeepEvents(stale, 32, SDL_GETEVENT, SDL_EVENTMASK(kOrientationEvent));
  if (SDL_EventState(kOrientationEvent, SDL_QUERY) != SDL_ENABLE) return false;
  SDL_Event event{};
  event.user.type = kOrientationEvent;
  event.user.code = static_cast<int>(orientation);
  event.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(width));
  event.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(height));
  return SDL_PeepEvents(&event, 1, SDL_ADDEVENT, 0) == 1;
}

}  // namespace sorv::platform
