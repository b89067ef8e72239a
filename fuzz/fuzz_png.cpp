// PNG files into managed Images: any bytes give an image or a logged null, never a read or
// write outside the data or the pixels.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "device/image.h"
#include "runtime/application.h"
#include "runtime/collector.h"
#include "runtime/log.h"

namespace {

sorv::Application* gApp = nullptr;
int gInputs = 0;
constexpr int kInputsPerCollection = 64;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // One runtime for the whole run; the log would only slow the search down.
  sorv::Debug::setSink(std::fopen("/dev/null", "w"));
  gApp = new sorv::Application();
  sorv::Application::init(gApp);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sorv;
  if (size > 1 << 20) return 0;
  ByteArray* bytes = Array::newByteArray(static_cast<int32_t>(size));
  if (bytes == nullptr || bytes->elements() == nullptr) return 0;
  std::memcpy(bytes->elements(), data, size);
  Image* image = Image::createImage(bytes, 0, static_cast<int32_t>(size));
  if (image != nullptr && image->width > 0 && image->height > 0 && image->has16BitPixels()) {
    IntArray* row = Array::newIntArray(image->width);
    Image::getRGB(image, row, 0, image->width, 0, image->height - 1, image->width, 1);
  }
  if (++gInputs % kInputsPerCollection == 0) gApp->objectManager->gc(0);
  return 0;
}
