// Fuzzes the array tree loader: every table of the list from a descriptor and values entry,
// and one table of each dimension count at a position the input chooses.
// Input: u16 LE descriptor length, u16 LE position, the descriptor, then the values.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "game/array_tree.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/log.h"

namespace {

sorv::Application* gApp = nullptr;
int gRunsSinceCollection = 0;

sorv::ByteArray* byteArray(const uint8_t* data, size_t size) {
  sorv::ByteArray* a = sorv::Array::newByteArray(static_cast<int32_t>(size));
  if (size > 0) std::memcpy(a->elements(), data, size);
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || size > 0x10000) return 0;
  if (gApp == nullptr) {
    sorv::Debug::setSink(std::fopen("/dev/null", "w"));
    gApp = new sorv::Application();
    sorv::Application::init(gApp);
  }
  size_t descSize = data[0] | data[1] << 8;
  const int32_t pos = data[2] | data[3] << 8;
  data += 4;
  size -= 4;
  if (descSize > size) descSize = size;
  sorv::ByteArray* desc = byteArray(data, descSize);
  sorv::ByteArray* values = byteArray(data + descSize, size - descSize);
  sorv::array_tree::loadTables(values, desc);
  for (int32_t dims = 1; dims <= 4; dims++) {
    sorv::CGame::loadArray(dims, pos, pos - 3, dims % 3, desc, values);
    sorv::CGame::to1DArray(sorv::CGame::loadArray(dims, pos, pos - 3, 2, desc, values), dims);
  }
  if (++gRunsSinceCollection == 256) {
    gRunsSinceCollection = 0;
    gApp->objectManager->gc(0);
  }
  return 0;
}
