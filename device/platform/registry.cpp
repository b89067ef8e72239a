#include "device/platform/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "device/platform/paths.h"
#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

bool registryHostPath(std::string& host) { return toHostPath(kRegistryFile, host); }

// Far beyond any registry the phone keeps; a larger file is refused rather than read whole.
constexpr size_t kMaxRegistryFileBytes = 4 << 20;

void logLeftAlone(const std::string& host, const std::string& why) {
  std::fprintf(stderr, "Registry: %s %s; the registry is left as it is\n", host.c_str(),
               why.c_str());
}

// The whole of a plain file of at most kMaxRegistryFileBytes.
bool readRegistryFile(int fd, std::string& text, std::string& why) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    why = "is not a plain file";
    return false;
  }
  char buf[65536];
  for (;;) {
    ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = "cannot be read";
      return false;
    }
    if (n == 0) return true;
    if (text.size() + static_cast<size_t>(n) > kMaxRegistryFileBytes) {
      why = "is larger than " + std::to_string(kMaxRegistryFileBytes) + " bytes";
      return false;
    }
    text.append(buf, static_cast<size_t>(n));
  }
}

// A missing file is an empty registry; one that cannot be read or parsed fails.
bool load(RegistryTree& tree) {
  tree.clear();
  std::string host;
  if (!registryHostPath(host)) return false;
  int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    logLeftAlone(host, "cannot be opened");
    return false;
  }
  std::string text;
  std::string why;
  bool ok = readRegistryFile(fd, text, why);
  close(fd);
  if (!ok) {
    logLeftAlone(host, why);
    return false;
  }
  int badLine = 0;
  if (!parseRegistryText(text, tree, badLine)) {
    logLeftAlone(host, "line " + std::to_string(badLine) + " does not parse");
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
  std::string text = formatRegistryText(tree);
  if (text.size() > kMaxRegistryFileBytes) {
    std::fprintf(stderr, "Registry: %s would grow beyond %zu bytes; it keeps its old contents\n",
                 host.c_str(), kMaxRegistryFileBytes);
    return false;
  }
  std::string temp = host + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool ok = fd >= 0;
  if (ok) {
    ok = writeAll(fd, text) && fsync(fd) == 0;
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
