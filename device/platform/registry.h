// The phone's registry (stand-ins for RegOpenKeyEx, RegQueryValueEx, RegSetValueEx,
// RegCreateKeyEx and RegDeleteKey), HKEY_LOCAL_MACHINE only, kept in one file under
// SORV_ROOT (kRegistryFile, in the text form of registry_file.h).
//
// Key paths are '\'-separated with no empty component and at most kMaxKeyPathLength bytes;
// key and value names ignore ASCII case, as on the phone. Creating a key creates its
// parents; deleting one deletes its subkeys. Every call reads the file afresh; every change
// rewrites it all-or-nothing (temp file, fsync, rename, folder fsync), so a crash leaves the
// old or the new registry and a failed write is reported as Failed. A file that does not
// parse, is not a plain file or is larger than 4 MiB is never rewritten: every call then
// fails, with one log line on stderr, and the file stays as it is; no change may grow the
// file beyond that size either. Each change is traced
// ("registry create-key|delete-key|set-value HKLM\<key> ...").
#pragma once

#include <cstddef>
#include <string>

#include "device/platform/registry_file.h"

namespace sorv::platform {

inline constexpr const char* kRegistryFile = "\\Windows\\registry.txt";

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
