// The headless program's screen shots: the 16-bit video surface written as an 8-bit RGB
// PNG file.
#pragma once

#include <SDL/SDL.h>

#include <string>

namespace sorv {

// False when there is no 16-bit surface or the file cannot be written.
bool writeScreenShot(SDL_Surface* surface, const std::string& path);

}  // namespace sorv
