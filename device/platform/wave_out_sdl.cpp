// Host audio through SDL 1.2: only the audio subsystem is initialised here, so the window
// code keeps video to itself.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "device/platform/wave_out_backends.h"

namespace sorv::platform {
namespace {

void fillAudio(void*, Uint8* stream, int len) { mixForHostAudio(stream, len); }

}  // namespace

bool startHostAudio(const WaveFormat& format, std::string& why) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    const char* asked = std::getenv("SDL_AUDIODRIVER");
    why = std::string("driver ") + (asked != nullptr && *asked != '\0' ? asked : "(none found)") + ": " + SDL_GetError();
    return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(format.samplesPerSec);
  wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  wanted.channels = static_cast<Uint8>(format.channels);
  wanted.samples = 1024;
  wanted.callback = fillAudio;
  // No obtained format is asked for, so SDL converts to whatever the hardware takes.
  if (SDL_OpenAudio(&wanted, nullptr) != 0) {
    char driver[64] = "(unknown)";
    SDL_AudioDriverName(driver, sizeof driver);
    why = std::string("driver ") + driver + ": " + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudio(0);
  return true;
}

void stopHostAudio() {
  SDL_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace sorv::platform
