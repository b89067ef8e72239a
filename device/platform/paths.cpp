#include "device/platform/paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace sorv::platform {
namespace {

std::string gRootOverride;

std::vector<std::string> splitComponents(const std::string& cePath, bool& ok) {
  std::vector<std::string> parts;
  std::string current;
  ok = true;
  auto flush = [&] {
    if (current.empty()) return;
    if (current == "." || current == "..") ok = false;
    parts.push_back(current);
    current.clear();
  };
  for (char c : cePath) {
    if (c == '\\' || c == '/') {
      flush();
    } else if (c == '\0') {
      ok = false;
    } else {
      current += c;
    }
  }
  flush();
  return parts;
}

// The existing entry of dir whose name equals name ignoring ASCII case; name itself when
// there is none (a file about to be made keeps its spelling). exists tells which.
std::string matchEntry(const std::string& dir, const std::string& name, bool& exists) {
  struct stat st;
  exists = true;
  if (lstat((dir + "/" + name).c_str(), &st) == 0) return name;
  exists = false;
  // dir is no folder: there is nothing to scan.
  if (errno == ENOTDIR) return name;
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      exists = true;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string rootDir() {
  if (!gRootOverride.empty()) return gRootOverride;
  if (const char* r = std::getenv("SORV_ROOT"); r != nullptr && *r != '\0') return r;
  if (const char* x = std::getenv("XDG_DATA_HOME"); x != nullptr && *x != '\0') {
    return std::string(x) + "/sorvantel";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.local/share/sorvantel";
}

void setRootDir(const std::string& dir) { gRootOverride = dir; }

bool toHostPath(const std::string& cePath, std::string& hostPath) {
  bool ok = false;
  std::vector<std::string> parts = splitComponents(cePath, ok);
  if (!ok) return false;
  std::string path = rootDir();
  // Below a missing entry nothing exists: the rest keeps its spelling without a look.
  bool exists = true;
  for (const std::string& part : parts) path += "/" + (exists ? matchEntry(path, part, exists) : part);
  hostPath = path;
  return true;
}

bool makeFolders(const std::string& cePath) {
  bool ok = false;
  std::vector<std::string> parts = splitComponents(cePath, ok);
  if (!ok) return false;
  std::string path = rootDir();
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
    // The root's parents may be missing too (a fresh XDG folder).
    std::string partial;
    for (size_t i = 1; i <= path.size(); ++i) {
      if (i == path.size() || path[i] == '/') {
        partial = path.substr(0, i);
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
      }
    }
  }
  for (const std::string& part : parts) {
    bool exists = false;
    path += "/" + matchEntry(path, part, exists);
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace sorv::platform
