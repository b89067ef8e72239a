#include "device/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "device/pixel_formats.h"
#include "runtime/log.h"

namespace sorv::png {
namespace {

constexpr size_t kSignatureSize = 8;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kCrcSize = 4;
constexpr uint32_t kIhdrFieldsSize = 10;  // width, height, bit depth, colour type

constexpr uint32_t chunkType(const char (&name)[5]) {
  return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
         uint32_t(uint8_t(name[2])) << 8 | uint32_t(uint8_t(name[3]));
}

uint32_t readBigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

struct MemoryReader {
  const uint8_t* data;
  size_t length;
  size_t position;
};

struct DecodeState {
  MemoryReader reader;
  png_structp png = nullptr;
  png_infop info = nullptr;
  uint8_t* rows = nullptr;
  png_bytep* rowPointers = nullptr;
};

void readFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->length - reader->position) png_error(png, "file truncated");
  std::memcpy(out, reader->data + reader->position, count);
  reader->position += count;
}

void onError(png_structp png, png_const_charp message) {
  Debug::trace("createImage png: %s", message);
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

png_voidp allocate(png_structp, png_alloc_size_t size) { return std::malloc(size); }
void release(png_structp, png_voidp p) { std::free(p); }

void convertRow(const uint8_t* in, int32_t width, int32_t channels, int32_t pixelType,
                uint16_t* out) {
  if (pixelType == 2) {
    for (int32_t x = 0; x < width; ++x, in += channels) {
      const uint32_t alpha = channels == 4 ? in[3] : 0xFF;
      out[x] = pixel::toArgb4444(alpha << 24 | uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2]);
    }
  } else if (channels == 4) {
    for (int32_t x = 0; x < width; ++x, in += 4) {
      out[x] = in[3] == 0 ? pixel::kKeyColor565
                          : pixel::toRgb565NotKey(uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2]);
    }
  } else {
    for (int32_t x = 0; x < width; ++x, in += 3)
      out[x] = pixel::toRgb565NotKey(uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2]);
  }
}

// Everything between setjmp and the last libpng call. Resources live in *state, which the
// caller frees whether this returns normally or through libpng's longjmp.
bool runLibpng(DecodeState* state, const Header& header, int32_t pixelType, uint16_t* pixels,
               int32_t pitch) {
  if (setjmp(png_jmpbuf(state->png))) return false;
  png_set_user_limits(state->png, kMaxSide, kMaxSide);
  png_set_read_fn(state->png, &state->reader, readFromMemory);
  png_read_info(state->png, state->info);
  const png_uint_32 width = png_get_image_width(state->png, state->info);
  const png_uint_32 height = png_get_image_height(state->png, state->info);
  if (width != png_uint_32(header.width) || height != png_uint_32(header.height)) {
    Debug::trace("createImage png: header %ux%u differs from %dx%d", unsigned(width),
                 unsigned(height), header.width, header.height);
    return false;
  }
  png_set_strip_16(state->png);
  png_set_gray_to_rgb(state->png);
  const int passes = png_set_interlace_handling(state->png);
  png_read_update_info(state->png, state->info);
  const int32_t channels = png_get_channels(state->png, state->info);
  const size_t rowBytes = png_get_rowbytes(state->png, state->info);
  if (png_get_bit_depth(state->png, state->info) != 8 || (channels != 3 && channels != 4) ||
      rowBytes != size_t{width} * size_t(channels)) {
    Debug::trace("createImage png: unexpected row layout");
    return false;
  }

  if (passes == 1) {
    // One row buffer: each row is converted while it is still in cache.
    state->rows = static_cast<uint8_t*>(std::malloc(rowBytes));
    if (state->rows == nullptr) return false;
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(state->png, state->rows, nullptr);
      convertRow(state->rows, header.width, channels, pixelType, pixels + size_t{y} * pitch);
    }
    return true;
  }
  // Interlaced passes revisit every row: keep the whole picture.
  state->rows = static_cast<uint8_t*>(std::malloc(rowBytes * height));
  state->rowPointers = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (state->rows == nullptr || state->rowPointers == nullptr) return false;
  for (png_uint_32 y = 0; y < height; ++y) state->rowPointers[y] = state->rows + rowBytes * y;
  png_read_image(state->png, state->rowPointers);
  for (png_uint_32 y = 0; y < height; ++y)
    convertRow(state->rowPointers[y], header.width, channels, pixelType, pixels + size_t{y} * pitch);
  return true;
}

}  // namespace

bool readHeader(const uint8_t* data, size_t length, Header& header) {
  header = Header{};
  bool seenHeader = false;
  size_t pos = kSignatureSize;
  while (data != nullptr && pos <= length && length - pos >= kChunkHeaderSize) {
    const uint32_t chunkLength = readBigEndian32(data + pos);
    const uint32_t type = readBigEndian32(data + pos + 4);
    pos += kChunkHeaderSize;
    if (chunkLength > length - pos) break;  // a chunk running past the data ends the walk
    const uint8_t* body = data + pos;
    if (type == chunkType("IHDR") && !seenHeader && chunkLength >= kIhdrFieldsSize) {
      header.width = static_cast<int32_t>(readBigEndian32(body));
      header.height = static_cast<int32_t>(readBigEndian32(body + 4));
      header.bitDepth = body[8];
      header.colourType = body[9];
      seenHeader = true;
    } else if (type == chunkType("PLTE")) {
      header.paletteEntries = static_cast<int32_t>(chunkLength / 3);
    } else if (type == chunkType("tRNS")) {
      header.hasTransparency = true;
    } else if (type == chunkType("IEND")) {
      break;
    }
    if (length - pos - chunkLength < kCrcSize) break;
    pos += chunkLength + kCrcSize;
  }
  if (!seenHeader) {
    Debug::trace("createImage png: no IHDR");
    return false;
  }
  if (header.width < 1 || header.height < 1 || header.width > kMaxSide || header.height > kMaxSide) {
    Debug::trace("createImage png: size %dx%d", header.width, header.height);
    return false;
  }
  return true;
}

int32_t pixelTypeFor(const Header& header) {
  return (header.colourType == PNG_COLOR_TYPE_RGB_ALPHA ||
          header.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) ? 2 : 0;
}

bool decodeInto(const uint8_t* data, size_t length, const Header& header, int32_t pixelType,
                uint16_t* pixels, int32_t pitch, size_t pixelCount) {
  if (data == nullptr || pixels == nullptr || header.width < 1 || header.height < 1 ||
      header.width > kMaxSide || header.height > kMaxSide || pitch < header.width ||
      uint64_t(pitch) * uint64_t(header.height) > pixelCount || (pixelType != 0 && pixelType != 2)) {
    Debug::trace("createImage png: bad target");
    return false;
  }
  DecodeState state{{data, length, 0}};
  state.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning,
                                       nullptr, allocate, release);
  if (state.png == nullptr) return false;
  png_set_expand(state.png);
  state.info = png_create_info_struct(state.png);
  bool decoded = false;
  if (state.info != nullptr) decoded = runLibpng(&state, header, pixelType, pixels, pitch);
  std::free(state.rowPointers);
  std::free(state.rows);
  png_destroy_read_struct(&state.png, state.info != nullptr ? &state.info : nullptr, nullptr);
  return decoded;
}

}  // namespace sorv::png
