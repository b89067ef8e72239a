#include "device/platform/registry_file.h"

#include <cstdio>
#include <vector>

namespace sorv::platform {
namespace {

constexpr std::string_view kHeader = "sorv-registry 1";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape(std::string_view s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    int hi = hexDigit(s[i + 1]);
    int lo = hexDigit(s[i + 2]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

std::string encodeData(const RegValue& value) {
  switch (value.type) {
    case RegType::String:
      return "sz\t" + escapeRegistryField(value.data);
    case RegType::Dword: {
      uint32_t n = 0;
      for (size_t i = 0; i < 4 && i < value.data.size(); ++i) {
        n |= static_cast<uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
      }
      char buf[16];
      std::snprintf(buf, sizeof buf, "0x%08X", n);
      return std::string("dword\t") + buf;
    }
    case RegType::Binary:
      break;
  }
  std::string hex = "binary\t";
  for (unsigned char c : value.data) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02x", c);
    hex += buf;
  }
  return hex;
}

bool decodeData(std::string_view type, std::string_view text, RegValue& value) {
  if (type == "sz") {
    value.type = RegType::String;
    return unescape(text, value.data);
  }
  if (type == "dword") {
    if (text.size() != 10 || text.substr(0, 2) != "0x") return false;
    uint32_t n = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      int d = hexDigit(text[i]);
      if (d < 0) return false;
      n = n * 16 + static_cast<uint32_t>(d);
    }
    value = RegValue::dword(n);
    return true;
  }
  if (type == "binary") {
    if (text.size() % 2 != 0) return false;
    value.type = RegType::Binary;
    value.data.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
      int hi = hexDigit(text[i]);
      int lo = hexDigit(text[i + 1]);
      if (hi < 0 || lo < 0) return false;
      value.data += static_cast<char>(hi * 16 + lo);
    }
    return true;
  }
  return false;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool parseLine(std::string_view line, RegistryTree& tree) {
  std::vector<std::string_view> f = splitTabs(line);
  std::string path;
  if (f.size() < 2 || !unescape(f[1], path) || !isValidKeyPath(path)) return false;
  if (f[0] == "key" && f.size() == 2) {
    ensureRegistryKey(tree, path);
    return true;
  }
  std::string name;
  RegValue value;
  if (f[0] != "value" || f.size() != 5 || !unescape(f[2], name) ||
      !decodeData(f[3], f[4], value)) {
    return false;
  }
  setRegistryValue(ensureRegistryKey(tree, path), name, value);
  return true;
}

}  // namespace

RegValue RegValue::dword(uint32_t n) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
  return {RegType::Dword, bytes};
}

size_t RegValue::phoneSize() const {
  if (type != RegType::String) return data.size();
  size_t units = 1;  // the terminator
  for (unsigned char c : data) {
    if ((c & 0xC0) != 0x80) ++units;  // one unit per code point...
    if ((c & 0xF8) == 0xF0) ++units;  // ...two beyond the basic plane
  }
  return units * 2;
}

bool isValidKeyPath(std::string_view path) {
  if (path.empty() || path.size() > kMaxKeyPathLength) return false;
  if (path.front() == '\\' || path.back() == '\\') return false;
  if (path.find("\\\\") != std::string_view::npos) return false;
  return path.find('\0') == std::string_view::npos;
}

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

RegistryKey& ensureRegistryKey(RegistryTree& tree, const std::string& path) {
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '\\') continue;
    std::string prefix = path.substr(0, i);
    tree.try_emplace(lowerAscii(prefix), RegistryKey{prefix, {}});
  }
  return tree.at(lowerAscii(path));
}

void setRegistryValue(RegistryKey& key, const std::string& name, const RegValue& value) {
  auto [it, added] = key.values.try_emplace(lowerAscii(name), name, value);
  if (!added) it->second.second = value;
}

const RegValue* findRegistryValue(const RegistryKey& key, const std::string& name) {
  auto it = key.values.find(lowerAscii(name));
  return it != key.values.end() ? &it->second.second : nullptr;
}

bool parseRegistryText(std::string_view text, RegistryTree& tree, int& badLine) {
  tree.clear();
  badLine = 0;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size() || lineNumber == 0) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    bool ok = lineNumber == 1 ? line == kHeader : line.empty() || parseLine(line, tree);
    if (!ok) {
      badLine = lineNumber;
      return false;
    }
  }
  return true;
}

std::string formatRegistryText(const RegistryTree& tree) {
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [lowerPath, key] : tree) {
    std::string path = escapeRegistryField(key.path);
    text += "key\t" + path + "\n";
    for (const auto& [lowerName, named] : key.values) {
      text += "value\t" + path + "\t" + escapeRegistryField(named.first) + "\t" +
              encodeData(named.second) + "\n";
    }
  }
  return text;
}

std::string describeRegistryValue(const RegValue& value) {
  std::string data = encodeData(value);
  data[data.find('\t')] = ':';
  return data;
}

std::string escapeRegistryField(std::string_view s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == '%' || c == 0x7F) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace sorv::platform
