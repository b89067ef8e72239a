// The text form of the registry stand-in's file: parsing and writing it, nothing else.
//
// The file is untrusted input (anything may lie under SORV_ROOT). Its form:
//   sorv-registry 1
//   key<TAB><key path>
//   value<TAB><key path><TAB><value name><TAB>sz|dword|binary<TAB><data>
// Fields escape bytes below 0x20, 0x7F and '%' as %XX; sz data is UTF-8 text, dword data
// "0x" and eight hex digits, binary data hex pairs. Empty lines are allowed; any other line
// that does not parse makes the whole file unreadable, so that it is never rewritten from a
// partial reading.
// Invariants of a RegistryTree: every key's parents are in it too; keys and values are found
// by their ASCII lower-case names; every key path is valid (isValidKeyPath). Writing a tree
// and parsing it back gives the same tree, and the same text again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace sorv::platform {

enum class RegType : uint32_t { String = 1, Binary = 3, Dword = 4 };

struct RegValue {
  RegType type = RegType::String;
  std::string data;  // String: UTF-8 text; Binary: the bytes; Dword: 4 bytes little-endian

  static RegValue string(const std::string& text) { return {RegType::String, text}; }
  static RegValue binary(const std::string& bytes) { return {RegType::Binary, bytes}; }
  static RegValue dword(uint32_t n);
  // The size the phone gives the value: a String in UTF-16 with its terminator.
  size_t phoneSize() const;
  bool operator==(const RegValue&) const = default;
};

struct RegistryKey {
  std::string path;  // spelled as when it was created
  // By lower-case name: the name as first spelled, and the value.
  std::map<std::string, std::pair<std::string, RegValue>> values;
  bool operator==(const RegistryKey&) const = default;
};

// Keys by lower-case path; sorted, so the file comes out the same every time.
using RegistryTree = std::map<std::string, RegistryKey>;

// A key path on the phone is at most this many bytes below HKEY_LOCAL_MACHINE.
inline constexpr size_t kMaxKeyPathLength = 255;

// '\'-separated, no empty component, no NUL, not longer than kMaxKeyPathLength.
bool isValidKeyPath(std::string_view path);
std::string lowerAscii(std::string_view s);

// The key of a valid path, made with its missing parents.
RegistryKey& ensureRegistryKey(RegistryTree& tree, const std::string& path);
// Sets a value of a key, keeping the spelling of a name already there.
void setRegistryValue(RegistryKey& key, const std::string& name, const RegValue& value);
const RegValue* findRegistryValue(const RegistryKey& key, const std::string& name);

// Parses a whole file; false (tree unspecified, badLine the first bad line, 1-based) when it
// does not parse.
bool parseRegistryText(std::string_view text, RegistryTree& tree, int& badLine);
std::string formatRegistryText(const RegistryTree& tree);
// One value's type and data as the file writes them, "sz:text" (for the trace).
std::string describeRegistryValue(const RegValue& value);
// A name with the file's escapes (for the trace).
std::string escapeRegistryField(std::string_view s);

}  // namespace sorv::platform
