// The display orientation (stand-in for ChangeDisplaySettingsEx with CDS_TEST asking for
// DM_DISPLAYORIENTATION) and the orientation event that SDL's window code posts when it
// changes.
//
// The orientation is 0, 1 (90 degrees), 2 (180) or 4 (270): SORV_ORIENTATION, else 0, or
// what setDisplayOrientation set. The event is SDL event type 25 (kOrientationEvent) with
// {width, height, orientation} in the user event's code and data; at most one is pending.
// Main thread only.
#pragma once

#include <cstdint>

namespace sorv::platform {

inline constexpr uint32_t kDmdo0 = 0;
inline constexpr uint32_t kDmdo90 = 1;
inline constexpr uint32_t kDmdo180 = 2;
inline constexpr uint32_t kDmdo270 = 4;
inline constexpr uint8_t kOrientationEvent = 25;  // SDL_USEREVENT + 1

uint32_t displayOrientation();
// A value other than 0, 1, 2 or 4 is refused (false).
bool setDisplayOrientation(uint32_t orientation);

// What the window procedure does after a resize of width x height: when the orientation
// differs from the last one seen, drop pending orientation events and post a new one.
// True when an event was posted.
bool postOrientationEvent(int32_t width, int32_t height);

}  // namespace sorv::platform
