// The phone's registry (stand-ins for RegOpenKeyEx, RegQueryValueEx, RegSetValueEx,
// RegCreateKeyEx and RegDeleteKey), HKEY_LOCAL_MACHINE only, kept in one text file under
// SORV_ROOT (kRegistryFile).
//
// Key paths are '\'-separated with no empty component; key and value names ignore ASCII
// case, as on the phone. Creating a key creates its parents; deleting one deletes its
// subkeys. Every change rewrites the whole file all-or-nothing (temp file, fsync, rename),
// so a crash leaves the old or the new registry. A file that does not parse is never
// rewritten: every call then fails and the file stays as it is. Each change is traced
// ("registry create-key|delete-key|set-value HKLM\<key> ...").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sorv::platform {

inline constexpr const char* kRegistryFile = "\\Windows\\registry.txt";

enum class RegType : uint32_t { String = 1, Binary = 3, Dword = 4 };

struct RegValue {
  RegType type = RegType::String;
  std::string data;  // String: UTF-8 text; Binary: the bytes; Dword: 4 bytes little-endian

  static RegValue string(const std::string& text) { return {RegType::String, text}; }
  static RegValue binary(const std::string& bytes) { return {RegType::Binary, bytes}; }
  static RegValue dword(uint32_t n);
  // The size the phone gives the value: a String in UTF-16 with its terminator.
  size_t phoneSize() const;
};

enum class RegStatus { Ok, NotFound, MoreData, Failed };

RegStatus regOpenKey(const std::string& key);
// Reads a value that fits in maxBytes (its phoneSize); MoreData leaves out untouched.
RegStatus regQueryValue(const std::string& key, const std::string& name, size_t maxBytes,
                        RegValue& out);
RegStatus regCreateKey(const std::string& key);
// Sets a value, creating its key when missing.
RegStatus regSetValue(const std::string& key, const std::string& name, const RegValue& value);
RegStatus regDeleteKey(const std::string& key);
// The number of values the key holds (the value part of RegQueryInfoKey).
RegStatus regValueCount(const std::string& key, size_t& count);

}  // namespace sorv::platform
