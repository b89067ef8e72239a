#include "device/platform/folders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "device/platform/paths.h"
#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

EntryKind kindOf(const struct stat& st) {
  if (S_ISLNK(st.st_mode)) return EntryKind::Link;
  if (S_ISREG(st.st_mode)) return EntryKind::File;
  if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
  return EntryKind::Other;
}

// The host path of a phone path whose every component below the root exists and is no link;
// the last component's own status goes to st.
bool resolveWithoutLinks(const std::string& cePath, std::string& hostPath, struct stat& st) {
  if (!toHostPath(cePath, hostPath)) return false;
  std::string root = rootDir();
  if (hostPath.compare(0, root.size(), root) != 0) return false;
  for (size_t i = root.size() + 1; i <= hostPath.size(); ++i) {
    if (i != hostPath.size() && hostPath[i] != '/') continue;
    if (lstat(hostPath.substr(0, i).c_str(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode) && i != hostPath.size()) return false;
  }
  if (hostPath.size() == root.size()) return lstat(hostPath.c_str(), &st) == 0;
  return true;
}

}  // namespace

bool specialFolderPath(SpecialFolder folder, std::string& cePath) {
  const char* control = std::getenv("SORV_SPECIAL_FOLDER");
  if (control != nullptr && std::strcmp(control, "fail") == 0) return false;
  switch (folder) {
    case SpecialFolder::ProgramFiles:
      cePath = kProgramFilesFolder;
      return true;
  }
  return false;
}

bool listFolder(const std::string& ceFolder, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::string host;
  struct stat st;
  if (!resolveWithoutLinks(ceFolder, host, st) || !S_ISDIR(st.st_mode)) return false;
  DIR* dir = opendir(host.c_str());
  if (dir == nullptr) return false;
  while (dirent* e = readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    struct stat entry;
    if (lstat((host + "/" + e->d_name).c_str(), &entry) != 0) continue;
    entries.push_back({e->d_name, kindOf(entry)});
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

bool deleteFile(const std::string& cePath) {
  std::string host;
  struct stat st;
  if (!resolveWithoutLinks(cePath, host, st) || !S_ISREG(st.st_mode)) return false;
  if (unlink(host.c_str()) != 0) return false;
  traceEvent("delete-file " + cePath);
  return true;
}

bool removeFolder(const std::string& cePath) {
  std::string host;
  struct stat st;
  if (!resolveWithoutLinks(cePath, host, st) || !S_ISDIR(st.st_mode)) return false;
  if (host == rootDir()) return false;
  // rmdir itself refuses a folder that is not empty.
  if (rmdir(host.c_str()) != 0) return false;
  traceEvent("remove-folder " + cePath);
  return true;
}

}  // namespace sorv::platform
