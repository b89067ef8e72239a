// Fuzzes the text decoders on raw bytes, the managed decoding through the shared decode
// buffer, and DataInputStream.readUTF over a byte-array stream. The first byte picks the
// path; the rest is the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/encodings.h"
#include "runtime/io_streams.h"
#include "runtime/log.h"
#include "runtime/string.h"

namespace {

sorv::Application* gApp = nullptr;
int gRunsSinceCollection = 0;

void startRuntime() {
  sorv::Debug::setSink(std::fopen("/dev/null", "w"));
  gApp = new sorv::Application();
  sorv::Application::init(gApp);
}

sorv::ByteArray* managedBytes(const uint8_t* data, size_t size) {
  sorv::ByteArray* a = sorv::Array::newByteArray(static_cast<int32_t>(size));
  for (size_t i = 0; i < size; ++i) a->elements()[i] = static_cast<int8_t>(data[i]);
  return a;
}

void readAllUtf(const uint8_t* data, size_t size) {
  auto* in = sorv::DataInputStream::create(sorv::ByteArrayInputStream::create(managedBytes(data, size)));
  while (sorv::Application::pendingException() == nullptr) in->readUTF();
  gApp->m_pendingException = nullptr;
}

void decodeManaged(const uint8_t* data, size_t size) {
  static const char* const kNames[] = {"UTF-8", "ISO-8859-1", "SJIS", "iso-8859-1"};  // the last one unknown
  if (size < 2) return;
  const char* name = kNames[data[0] % 4];
  int32_t offset = data[1] % 4;
  int32_t length = static_cast<int32_t>(size) - 2 - offset;
  sorv::ByteArray* bytes = managedBytes(data + 2, size - 2);
  sorv::String* s = sorv::newObject<sorv::String>();
  sorv::String::initFromBytesEncoded(s, bytes, offset, length, sorv::String::fromCString(name));
  if (s->length() > static_cast<int32_t>(size)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 0x10000) return 0;
  if (gApp == nullptr) startRuntime();
  const uint8_t* rest = data + 1;
  size_t restSize = size - 1;
  switch (data[0] % 5) {
    case 0:
    case 1:
    case 2: {
      // The output is exactly as large as the input allows: a write past it trips ASan.
      std::vector<char16_t> out(restSize);
      std::vector<uint8_t> in(rest, rest + restSize);
      auto encoding = static_cast<sorv::TextEncoding>(data[0] % 5);
      sorv::DecodeResult r = sorv::decodeText(encoding, in.data(), static_cast<int32_t>(in.size()), out.data(),
                                              nullptr, data[0] & 0x80);
      if (r.units < 0 || r.units > static_cast<int32_t>(restSize)) std::abort();
      break;
    }
    case 3:
      readAllUtf(rest, restSize);
      break;
    case 4:
      decodeManaged(rest, restSize);
      break;
  }
  if (++gRunsSinceCollection == 256) {
    gRunsSinceCollection = 0;
    gApp->objectManager->gc(0);
  }
  return 0;
}
