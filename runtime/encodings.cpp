#include "runtime/encodings.h"

#include <climits>
#include <cstring>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kDecodeBufferCapacity = 256;

constexpr char16_t asciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// The name matches the literal when each of its units equals the literal's unit at that place,
// over the name's own length: a name no longer than the literal and a beginning of it (so the
// empty name matches any literal).
bool nameMatches(const char16_t* name, int32_t length, const char* literal, bool ignoreCase) {
  if (static_cast<size_t>(length) > std::strlen(literal)) return false;
  for (int32_t i = 0; i < length; ++i) {
    const char16_t want = static_cast<unsigned char>(literal[i]);
    const char16_t c = name[i];
    if (ignoreCase ? asciiUpper(c) != asciiUpper(want) : c != want) return false;
  }
  return true;
}

bool isContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

DecodeResult decodeLatin1(const uint8_t* in, int32_t length, char16_t* out) {
  for (int32_t i = 0; i < length; ++i) out[i] = in[i];
  return {length, 0};
}

DecodeResult decodeModifiedUtf8(const uint8_t* in, int32_t length, char16_t* out, DecodeErrorSink onError,
                                bool stopAtError) {
  DecodeResult r;
  auto fail = [&]() {
    ++r.errors;
    if (onError != nullptr) onError("UTFDataFormatException");
  };
  int32_t i = 0;
  while (i < length) {
    uint8_t lead = in[i];
    switch (lead >> 4) {
      case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
        out[r.units++] = lead;
        ++i;
        break;
      case 12: case 13: {
        // A sequence cut off by the end of the range forms no unit: its bytes are not there.
        if (length - i < 2) {
          fail();
          return r;
        }
        uint8_t second = in[i + 1];
        if (!isContinuation(second)) {
          fail();
          if (stopAtError) return r;
        }
        out[r.units++] = static_cast<char16_t>((lead & 0x1F) << 6 | (second & 0x3F));
        i += 2;
        break;
      }
      case 14: {
        if (length - i < 3) {
          fail();
          return r;
        }
        uint8_t second = in[i + 1], third = in[i + 2];
        if (!isContinuation(second) || !isContinuation(third)) {
          fail();
          if (stopAtError) return r;
        }
        out[r.units++] = static_cast<char16_t>(lead << 12 | (second & 0x3F) << 6 | (third & 0x3F));
        i += 3;
        break;
      }
      default:
        fail();
        if (stopAtError) return r;
        ++i;
        break;
    }
  }
  return r;
}

DecodeResult decodeShiftJis(const uint8_t* in, int32_t length, char16_t* out, DecodeErrorSink onError) {
  DecodeResult r;
  int32_t i = 0;
  while (i < length) {
    uint8_t first = in[i];
    bool twoBytes = (first >= 0x80 && first <= 0x9F) || first >= 0xE0;
    if (!twoBytes) {
      out[r.units++] = first;
      ++i;
      continue;
    }
    if (length - i < 2) {
      ++r.errors;
      if (onError != nullptr) onError("SJISDataFormatException");
      break;
    }
    out[r.units++] = static_cast<char16_t>(first << 8 | in[i + 1]);
    i += 2;
  }
  return r;
}

StringBuffer* sharedDecodeBuffer() {
  Application* app = Application::instance();
  if (app == nullptr) return StringBuffer::create(kDecodeBufferCapacity);
  if (isNull(app->decodeBuffer)) app->decodeBuffer = StringBuffer::create(kDecodeBufferCapacity);
  return app->decodeBuffer;
}

}  // namespace

bool findEncoding(const char16_t* name, int32_t length, TextEncoding* encoding) {
  struct Name {
    const char* text;
    bool ignoreCase;
    TextEncoding encoding;
  };
  // In this order: the UTF-8 names in any case, then the others as written.
  static constexpr Name kNames[] = {{"UTF-8", true, TextEncoding::kModifiedUtf8},
                                    {"UTF8", true, TextEncoding::kModifiedUtf8},
                                    {"ISO-8859-1", false, TextEncoding::kLatin1},
                                    {"SJIS", false, TextEncoding::kShiftJis}};
  for (const Name& n : kNames) {
    if (nameMatches(name, length, n.text, n.ignoreCase)) {
      *encoding = n.encoding;
      return true;
    }
  }
  return false;
}

DecodeResult decodeText(TextEncoding encoding, const uint8_t* in, int32_t length, char16_t* out,
                        DecodeErrorSink onError, bool stopAtError) {
  if (length <= 0) return {};
  switch (encoding) {
    case TextEncoding::kLatin1: return decodeLatin1(in, length, out);
    case TextEncoding::kModifiedUtf8: return decodeModifiedUtf8(in, length, out, onError, stopAtError);
    case TextEncoding::kShiftJis: return decodeShiftJis(in, length, out, onError);
  }
  return {};
}

bool decodeIntoString(String* s, ByteArray* bytes, int32_t offset, int32_t length, TextEncoding encoding,
                      bool stopAtError) {
  StringBuffer* buffer = sharedDecodeBuffer();
  if (buffer == nullptr) return false;
  StringBuffer::setLength(buffer, 0);
  // The units (never more than the bytes) and the terminating 0 must fit the buffer.
  if (length == INT32_MAX || (length > 0 && !StringBuffer::ensureCapacity(buffer, length + 1))) return false;
  DecodeResult r;
  if (length > 0) {
    // No allocation from here to the copy into the buffer: the raw pointers stay valid.
    const uint8_t* in = reinterpret_cast<const uint8_t*>(bytes->elements()) + offset;
    DecodeErrorSink sink = stopAtError ? nullptr : static_cast<DecodeErrorSink>(&reportError);
    r = decodeText(encoding, in, length, buffer->buffer, sink, stopAtError);
    if (stopAtError && r.errors > 0) r.units = 0;
  }
  buffer->length = r.units;
  if (buffer->capacity > 0) buffer->buffer[r.units] = 0;
  char16_t* text = String::reserveText(s, r.units);
  // reserveText may have moved the decode buffer's block: read it again.
  if (text != nullptr && r.units > 0) std::memcpy(text, buffer->buffer, sizeof(char16_t) * r.units);
  return !(stopAtError && r.errors > 0);
}

}  // namespace sorv
