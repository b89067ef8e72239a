// Byte-to-text decoders for the encodings the game knows: ISO-8859-1, modified UTF-8 (the
// DataInputStream form) and two-byte Shift-JIS (raw two-byte codes, not Unicode).
//
// The decoders read untrusted bytes: they never read outside [in, in + length) and never
// write more than `length` units (no encoding yields more units than bytes). A malformed
// byte or sequence counts as one error and, when a sink is given, is logged through it;
// a sequence cut off by the end of the range yields no unit. Pure functions: they
// allocate nothing, so callers may hold raw pointers across them.
//
// decodeIntoString is the managed entry: it decodes through the Application's shared decode
// buffer (a StringBuffer of capacity 256, made on first use) and makes a String's text.
#pragma once

#include <cstdint>

namespace sorv {

class ByteArray;
class String;

enum class TextEncoding : uint8_t { kLatin1, kModifiedUtf8, kShiftJis };

// The names "UTF-8" and "UTF8" in any ASCII case, then "ISO-8859-1" and "SJIS" as written; a
// name matches when it is the whole literal or a beginning of it (the empty name is UTF-8).
// False for any other.
bool findEncoding(const char16_t* name, int32_t length, TextEncoding* encoding);

struct DecodeResult {
  int32_t units = 0;
  int32_t errors = 0;
};

using DecodeErrorSink = void (*)(const char* text);

// Decodes length bytes into out (room for length units). With stopAtError the decoding ends
// at the first error.
DecodeResult decodeText(TextEncoding encoding, const uint8_t* in, int32_t length, char16_t* out,
                        DecodeErrorSink onError, bool stopAtError);

// Decodes bytes[offset, offset + length) into s. The range must already be checked. Errors
// are logged and reported ("UTFDataFormatException", "SJISDataFormatException") and skipped;
// with stopAtError nothing is logged, s stays empty and the result is false on the first.
bool decodeIntoString(String* s, ByteArray* bytes, int32_t offset, int32_t length,
                      TextEncoding encoding, bool stopAtError);

}  // namespace sorv
