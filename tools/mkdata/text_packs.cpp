#include "tools/mkdata/text_packs.h"

#include <algorithm>

#include "tools/mkdata/byte_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

constexpr size_t kMaxU16 = 0xFFFF;

// The bytes of one string; false when a unit has no form in the encoding.
bool encodeString(const std::u16string& text, PackEncoding encoding, std::string* bytes) {
  bytes->clear();
  switch (encoding) {
    case PackEncoding::kLatin1:
      for (char16_t c : text) {
        if (c > 0xFF) return false;
        *bytes += static_cast<char>(c);
      }
      return true;
    case PackEncoding::kUtf8:
      *bytes = encodeModifiedUtf8(text);
      return true;
    case PackEncoding::kShiftJis:
      // Raw codes: one byte below 0x80 and for 0xA0-0xDF, else two bytes led by 0x80-0x9F
      // or 0xE0-0xFF, as the game's reader splits them.
      for (char16_t c : text) {
        uint8_t lead = static_cast<uint8_t>(c >> 8);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xDF)) {
          *bytes += static_cast<char>(c);
        } else if ((lead >= 0x80 && lead <= 0x9F) || lead >= 0xE0) {
          *bytes += static_cast<char>(lead);
          *bytes += static_cast<char>(c & 0xFF);
        } else {
          return false;
        }
      }
      return true;
  }
  return false;
}

bool readTextSource(const std::string& path, TextSource* source, std::string* error) {
  std::string contents;
  std::string fileName = path.substr(path.find_last_of('/') + 1);
  return readSourceFile(path, &contents, error) &&
         parseTextSource(contents, fileName, source, error);
}

}  // namespace

bool encodeTextPack(const std::vector<std::u16string>& strings, PackEncoding encoding,
                    int32_t minStrings, std::vector<uint8_t>* out, std::string* error) {
  size_t count = std::max(strings.size(), static_cast<size_t>(std::max(minStrings, 0)));
  if (count > kMaxU16) {
    *error = "text pack: " + std::to_string(count) + " strings do not fit its count";
    return false;
  }
  ByteWriter w;
  w.u16(static_cast<uint16_t>(count));
  std::string bytes;
  const std::u16string absent;  // ids past the given strings are empty
  for (size_t id = 0; id < count; id++) {
    if (!encodeString(id < strings.size() ? strings[id] : absent, encoding, &bytes)) {
      *error = "text pack: id " + std::to_string(id) + " has a character " +
               encodingName(encoding) + " cannot hold";
      return false;
    }
    if (bytes.size() > kMaxU16) {
      *error = "text pack: id " + std::to_string(id) + " is longer than 65535 bytes";
      return false;
    }
    w.u16(static_cast<uint16_t>(bytes.size()));
    w.raw(bytes.data(), bytes.size());
  }
  *out = std::move(w.bytes());
  return true;
}

int32_t findLanguage(const std::vector<std::u16string>& constants, const std::string& code) {
  std::u16string wide(code.begin(), code.end());
  for (int32_t language = 0; language < kLanguageCount; language++) {
    size_t number = static_cast<size_t>(kConstLanguageCodes[language]);
    if (number < constants.size() && constants[number] == wide) return language;
  }
  return -1;
}

std::string textSourcePath(const std::string& dataDir, const std::u16string& code) {
  std::string name;
  for (char16_t c : code) {
    char a = c < 0x80 ? static_cast<char>(c) : '_';
    name += a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a;
  }
  return dataDir + "/texts/" + name + ".txt";
}

bool textsPackEntries(const std::string& dataDir, const std::vector<std::u16string>& constants,
                      int32_t language, std::vector<std::vector<uint8_t>>* entries,
                      std::string* error) {
  const std::u16string& code = constants[static_cast<size_t>(kConstLanguageCodes[language])];
  const std::u16string& english = constants[static_cast<size_t>(kConstLanguageCodes[kLanguageEN])];
  TextSource reference, source;
  if (!readTextSource(textSourcePath(dataDir, english), &reference, error) ||
      !readTextSource(textSourcePath(dataDir, code), &source, error) ||
      !checkTextSource(source, language, code, error) || !checkSameIds(source, reference, error)) {
    return false;
  }
  entries->assign(kTextPackEntries, {});
  for (int32_t entry = 0; entry < kTextPackEntries; entry++) {
    int32_t pack = kTextPackOfEntry[entry];
    if (!encodeTextPack(source.strings[static_cast<size_t>(pack)], languageEncoding(language),
                        kTextPackMinStrings[pack], &(*entries)[static_cast<size_t>(entry)], error)) {
      *error = source.fileName + ": " + *error;
      return false;
    }
  }
  return true;
}

}  // namespace sorv::mkdata
