#include "app/screen_shot.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace sorv {
namespace {

// 5 and 6 bits widened so that full intensity stays 255.
png_byte widen5(unsigned v) { return static_cast<png_byte>(v << 3 | v >> 2); }
png_byte widen6(unsigned v) { return static_cast<png_byte>(v << 2 | v >> 4); }

}  // namespace

bool writeScreenShot(SDL_Surface* surface, const std::string& path) {
  if (surface == nullptr || surface->format->BitsPerPixel != 16) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(surface->w) * 3);
  bool ok = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface->w), static_cast<png_uint_32>(surface->h), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface->h; y++) {
      const auto* pixels = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
      for (int x = 0; x < surface->w; x++) {
        const unsigned p = pixels[x];
        row[x * 3] = widen5(p >> 11);
        row[x * 3 + 1] = widen6((p >> 5) & 63);
        row[x * 3 + 2] = widen5(p & 31);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  return std::fclose(file) == 0 && ok;
}

}  // namespace sorv
