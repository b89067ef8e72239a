#include "device/platform/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "device/platform/paths.h"
#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

constexpr const char* kHeader = "sorv-registry 1";

struct Key {
  std::string path;  // spelling of its creation
  std::vector<std::pair<std::string, RegValue>> values;
};

// Keys by their lower-case path, sorted so that the file comes out the same every time.
using Tree = std::map<std::string, Key>;

std::string lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool validKeyPath(const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
  if (path.find("\\\\") != std::string::npos) return false;
  return path.find('\0') == std::string::npos;
}

bool isSubkeyOf(const std::string& lowerPath, const std::string& lowerParent) {
  return lowerPath.size() > lowerParent.size() &&
         lowerPath.compare(0, lowerParent.size(), lowerParent) == 0 &&
         lowerPath[lowerParent.size()] == '\\';
}

// Creates the key and its missing parents; the key itself is returned.
Key& ensureKey(Tree& tree, const std::string& path) {
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '\\') continue;
    std::string prefix = path.substr(0, i);
    tree.try_emplace(lower(prefix), Key{prefix, {}});
  }
  return tree.at(lower(path));
}

RegValue* findValue(Key& key, const std::string& name) {
  std::string wanted = lower(name);
  for (auto& [valueName, value] : key.values) {
    if (lower(valueName) == wanted) return &value;
  }
  return nullptr;
}

// Fields are tab-separated; these bytes would break a field or a line.
std::string escape(const std::string& s) {
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

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape(const std::string& s, std::string& out) {
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
      return "sz\t" + escape(value.data);
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

bool decodeData(const std::string& type, const std::string& text, RegValue& value) {
  if (type == "sz") {
    value.type = RegType::String;
    return unescape(text, value.data);
  }
  if (type == "dword") {
    if (text.size() != 10 || text.compare(0, 2, "0x") != 0) return false;
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

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool parseLine(const std::string& line, Tree& tree) {
  std::vector<std::string> f = splitTabs(line);
  std::string path;
  if (f.size() < 2 || !unescape(f[1], path) || !validKeyPath(path)) return false;
  if (f[0] == "key" && f.size() == 2) {
    ensureKey(tree, path);
    return true;
  }
  std::string name;
  RegValue value;
  if (f[0] != "value" || f.size() != 5 || !unescape(f[2], name) || !decodeData(f[3], f[4], value)) {
    return false;
  }
  Key& key = ensureKey(tree, path);
  if (RegValue* existing = findValue(key, name)) {
    *existing = value;
  } else {
    key.values.emplace_back(name, value);
  }
  return true;
}

bool registryHostPath(std::string& host) { return toHostPath(kRegistryFile, host); }

// A missing file is an empty registry; a file that does not parse fails, logged once a load.
bool load(Tree& tree) {
  tree.clear();
  std::string host;
  if (!registryHostPath(host)) return false;
  std::ifstream in(host, std::ios::binary);
  if (!in) return access(host.c_str(), F_OK) != 0;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    bool ok = lineNumber == 1 ? line == kHeader : line.empty() || parseLine(line, tree);
    if (!ok) {
      std::fprintf(stderr, "Registry: %s line %d does not parse; the registry is left as it is\n",
                   host.c_str(), lineNumber);
      return false;
    }
  }
  if (in.bad() || lineNumber == 0) {
    std::fprintf(stderr, "Registry: %s cannot be read; the registry is left as it is\n",
                 host.c_str());
    return false;
  }
  return true;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool save(const Tree& tree) {
  std::string host;
  if (!registryHostPath(host) || !makeFolders("\\Windows")) return false;
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [lowerPath, key] : tree) {
    text += "key\t" + escape(key.path) + "\n";
    for (const auto& [name, value] : key.values) {
      text += "value\t" + escape(key.path) + "\t" + escape(name) + "\t" + encodeData(value) + "\n";
    }
  }
  std::string temp = host + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = writeAll(fd, text) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temp.c_str(), host.c_str()) != 0) {
    unlink(temp.c_str());
    std::fprintf(stderr, "Registry: %s could not be written; it keeps its old contents\n",
                 host.c_str());
    return false;
  }
  // The rename itself is durable only once the folder is synced.
  std::string folder = host.substr(0, host.rfind('/'));
  int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

void traceChange(const std::string& what) { traceEvent("registry " + what); }

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
    if ((c & 0xC0) != 0x80) ++units;        // one unit per code point...
    if ((c & 0xF8) == 0xF0) ++units;        // ...two beyond the basic plane
  }
  return units * 2;
}

RegStatus regOpenKey(const std::string& key) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  return tree.count(lower(key)) != 0 ? RegStatus::Ok : RegStatus::NotFound;
}

RegStatus regQueryValue(const std::string& key, const std::string& name, size_t maxBytes,
                        RegValue& out) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  auto it = tree.find(lower(key));
  if (it == tree.end()) return RegStatus::NotFound;
  RegValue* value = findValue(it->second, name);
  if (value == nullptr) return RegStatus::NotFound;
  if (value->phoneSize() > maxBytes) return RegStatus::MoreData;
  out = *value;
  return RegStatus::Ok;
}

RegStatus regValueCount(const std::string& key, size_t& count) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  auto it = tree.find(lower(key));
  if (it == tree.end()) return RegStatus::NotFound;
  count = it->second.values.size();
  return RegStatus::Ok;
}

RegStatus regCreateKey(const std::string& key) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  if (tree.count(lower(key)) != 0) return RegStatus::Ok;
  ensureKey(tree, key);
  if (!save(tree)) return RegStatus::Failed;
  traceChange("create-key HKLM\\" + key);
  return RegStatus::Ok;
}

RegStatus regSetValue(const std::string& key, const std::string& name, const RegValue& value) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  Key& node = ensureKey(tree, key);
  if (RegValue* existing = findValue(node, name)) {
    *existing = value;
  } else {
    node.values.emplace_back(name, value);
  }
  if (!save(tree)) return RegStatus::Failed;
  std::string data = encodeData(value);
  data[data.find('\t')] = ':';
  traceChange("set-value HKLM\\" + key + " " + escape(name) + "=" + data);
  return RegStatus::Ok;
}

RegStatus regDeleteKey(const std::string& key) {
  Tree tree;
  if (!validKeyPath(key) || !load(tree)) return RegStatus::Failed;
  std::string target = lower(key);
  if (tree.erase(target) == 0) return RegStatus::NotFound;
  std::erase_if(tree, [&](const auto& entry) { return isSubkeyOf(entry.first, target); });
  if (!save(tree)) return RegStatus::Failed;
  traceChange("delete-key HKLM\\" + key);
  return RegStatus::Ok;
}

}  // namespace sorv::platform
