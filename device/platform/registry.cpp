#include "device/platform/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "device/platform/paths.h"
#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

bool registryHostPath(std::string& host) { return toHostPath(kRegistryFile, host); }

// A missing file is an empty registry; one that cannot be read or parsed fails.
bool load(RegistryTree& tree) {
  tree.clear();
  std::string host;
  if (!registryHostPath(host)) return false;
  std::ifstream in(host, std::ios::binary);
  if (!in) {
    if (access(host.c_str(), F_OK) != 0 && errno == ENOENT) return true;
    std::fprintf(stderr, "Registry: %s cannot be opened; the registry is left as it is\n",
                 host.c_str());
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    std::fprintf(stderr, "Registry: %s cannot be read; the registry is left as it is\n",
                 host.c_str());
    return false;
  }
  int badLine = 0;
  if (!parseRegistryText(text.str(), tree, badLine)) {
    std::fprintf(stderr, "Registry: %s line %d does not parse; the registry is left as it is\n",
                 host.c_str(), badLine);
    return false;
  }
  return true;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool save(const RegistryTree& tree) {
  std::string host;
  if (!registryHostPath(host) || !makeFolders("\\Windows")) return false;
  std::string temp = host + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool ok = fd >= 0;
  if (ok) {
    ok = writeAll(fd, formatRegistryText(tree)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), host.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
  }
  if (!ok) {
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

bool isSubkeyOf(const std::string& lowerPath, const std::string& lowerParent) {
  return lowerPath.size() > lowerParent.size() &&
         lowerPath.compare(0, lowerParent.size(), lowerParent) == 0 &&
         lowerPath[lowerParent.size()] == '\\';
}

void traceChange(const std::string& what) { traceEvent("registry " + what); }

// The tree of a readable registry, for a valid key path only.
bool loadFor(const std::string& key, RegistryTree& tree) {
  return isValidKeyPath(key) && load(tree);
}

}  // namespace

RegStatus regOpenKey(const std::string& key) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  return tree.count(lowerAscii(key)) != 0 ? RegStatus::Ok : RegStatus::NotFound;
}

RegStatus regQueryValue(const std::string& key, const std::string& name, size_t maxBytes,
                        RegValue& out) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  auto it = tree.find(lowerAscii(key));
  if (it == tree.end()) return RegStatus::NotFound;
  const RegValue* value = findRegistryValue(it->second, name);
  if (value == nullptr) return RegStatus::NotFound;
  if (value->phoneSize() > maxBytes) return RegStatus::MoreData;
  out = *value;
  return RegStatus::Ok;
}

RegStatus regValueCount(const std::string& key, size_t& count) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  auto it = tree.find(lowerAscii(key));
  if (it == tree.end()) return RegStatus::NotFound;
  count = it->second.values.size();
  return RegStatus::Ok;
}

RegStatus regCreateKey(const std::string& key) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  if (tree.count(lowerAscii(key)) != 0) return RegStatus::Ok;
  ensureRegistryKey(tree, key);
  if (!save(tree)) return RegStatus::Failed;
  traceChange("create-key HKLM\\" + escapeRegistryField(key));
  return RegStatus::Ok;
}

RegStatus regSetValue(const std::string& key, const std::string& name, const RegValue& value) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  setRegistryValue(ensureRegistryKey(tree, key), name, value);
  if (!save(tree)) return RegStatus::Failed;
  traceChange("set-value HKLM\\" + escapeRegistryField(key) + " " + escapeRegistryField(name) +
              "=" + describeRegistryValue(value));
  return RegStatus::Ok;
}

RegStatus regDeleteKey(const std::string& key) {
  RegistryTree tree;
  if (!loadFor(key, tree)) return RegStatus::Failed;
  std::string target = lowerAscii(key);
  if (tree.erase(target) == 0) return RegStatus::NotFound;
  std::erase_if(tree, [&](const auto& entry) { return isSubkeyOf(entry.first, target); });
  if (!save(tree)) return RegStatus::Failed;
  traceChange("delete-key HKLM\\" + escapeRegistryField(key));
  return RegStatus::Ok;
}

}  // namespace sorv::platform
