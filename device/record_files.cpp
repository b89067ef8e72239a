#include "device/record_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <unordered_set>

#include "runtime/log.h"

namespace sorv::record_files {
namespace {

FailureHook gFailureHook = nullptr;
FileLayer* gFileLayer = nullptr;

bool stepFails(WriteStep step, const std::string& path) {
  return gFailureHook != nullptr && gFailureHook(step, path);
}

bool report(WriteStep step, const std::string& path, int error) {
  Debug::trace("record store: %s of %s failed: %s", stepName(step), path.c_str(),
               error != 0 ? std::strerror(error) : "injected");
  return false;
}

bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string lowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

uint32_t readBe32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void appendBe32(std::vector<uint8_t>& out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

const char* stepName(WriteStep step) {
  static const char* const kNames[] = {"open", "write", "sync", "close", "rename",
                                       "sync folder"};
  return kNames[static_cast<int>(step)];
}

void setFailureHook(FailureHook hook) { gFailureHook = hook; }

void setFileLayer(FileLayer* layer) { gFileLayer = layer; }

bool writeWhole(const std::string& hostPath, const uint8_t* data, size_t size, bool* inPlace) {
  if (inPlace != nullptr) *inPlace = false;
  if (gFileLayer != nullptr) {
    const bool written = gFileLayer->writeWhole(hostPath, data, size);
    if (inPlace != nullptr) *inPlace = written;
    return written;
  }
  const std::string temp = hostPath + ".tmp";
  if (stepFails(WriteStep::kOpen, temp)) return report(WriteStep::kOpen, temp, 0);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return report(WriteStep::kOpen, temp, errno);

  auto abandon = [&](WriteStep step, int error, bool open) {
    if (open) ::close(fd);
    ::unlink(temp.c_str());
    return report(step, temp, error);
  };
  if (stepFails(WriteStep::kWrite, temp)) return abandon(WriteStep::kWrite, 0, true);
  if (!writeAll(fd, data, size)) return abandon(WriteStep::kWrite, errno, true);
  if (stepFails(WriteStep::kSync, temp)) return abandon(WriteStep::kSync, 0, true);
  if (::fsync(fd) != 0) return abandon(WriteStep::kSync, errno, true);
  if (stepFails(WriteStep::kClose, temp)) return abandon(WriteStep::kClose, 0, true);
  if (::close(fd) != 0) return abandon(WriteStep::kClose, errno, false);
  if (stepFails(WriteStep::kRename, hostPath)) return abandon(WriteStep::kRename, 0, false);
  if (::rename(temp.c_str(), hostPath.c_str()) != 0) {
    return abandon(WriteStep::kRename, errno, false);
  }
  if (inPlace != nullptr) *inPlace = true;

  // The new contents are in place; without the folder sync a power cut could still bring
  // back the old name, so a failure here is reported too.
  const std::string folder = folderOf(hostPath);
  if (stepFails(WriteStep::kSyncFolder, folder)) return report(WriteStep::kSyncFolder, folder, 0);
  int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return report(WriteStep::kSyncFolder, folder, errno);
  bool synced = ::fsync(dirFd) == 0;
  int syncError = errno;
  ::close(dirFd);
  return synced || report(WriteStep::kSyncFolder, folder, syncError);
}

ReadResult readWhole(const std::string& hostPath, std::vector<uint8_t>& out) {
  if (gFileLayer != nullptr) return gFileLayer->readWhole(hostPath, out);
  out.clear();
  int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::kAbsent : ReadResult::kFailed;
  uint8_t chunk[4096];
  ReadResult result = ReadResult::kOk;
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result = ReadResult::kFailed;
      break;
    }
    if (n == 0) break;
    out.insert(out.end(), chunk, chunk + n);
  }
  ::close(fd);
  return result;
}

int64_t fileLength(const std::string& hostPath) {
  if (gFileLayer != nullptr) return gFileLayer->fileLength(hostPath);
  struct stat st;
  if (::stat(hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool exists(const std::string& hostPath) { return fileLength(hostPath) >= 0; }

std::vector<int32_t> recordIdsPresent(const std::string& indexHostPath, const std::string& infix,
                                      const std::string& suffix) {
  const std::string folder = folderOf(indexHostPath);
  const std::string prefix = lowerAscii(indexHostPath.substr(indexHostPath.find_last_of('/') + 1) + infix);
  const std::string end = lowerAscii(suffix);
  std::vector<std::string> names;
  if (gFileLayer != nullptr) {
    names = gFileLayer->fileNames(folder);
  } else if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
  }
  std::vector<int32_t> ids;
  for (const std::string& name : names) {
    const std::string lower = lowerAscii(name);
    if (lower.size() <= prefix.size() + end.size() || lower.compare(0, prefix.size(), prefix) != 0 ||
        lower.compare(lower.size() - end.size(), end.size(), end) != 0) {
      continue;
    }
    const std::string digits = lower.substr(prefix.size(), lower.size() - prefix.size() - end.size());
    // Only the spelling getRecordFile gives: no sign, no leading zero, inside an int.
    if (digits.size() > 10 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    const int64_t id = std::stoll(digits);
    if (id <= INT32_MAX) ids.push_back(static_cast<int32_t>(id));
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

bool indexIsWhole(const uint8_t* bytes, size_t size) {
  if (size == 0) return true;
  if (size < 8 || (size - 8) % 4 != 0) return false;
  const int32_t next = static_cast<int32_t>(readBe32(bytes));
  const int32_t count = static_cast<int32_t>(readBe32(bytes + 4));
  if (count < 0 || static_cast<size_t>(count) != (size - 8) / 4) return false;
  std::unordered_set<int32_t> seen;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = static_cast<int32_t>(readBe32(bytes + 8 + 4 * i));
    if (id <= 0 || id > next || !seen.insert(id).second) return false;
  }
  return true;
}

std::vector<uint8_t> encodeIndex(const RecordIndex& index) {
  std::vector<uint8_t> out;
  out.reserve(8 + 4 * index.ids.size());
  appendBe32(out, index.nextRecordId);
  appendBe32(out, static_cast<int32_t>(index.ids.size()));
  for (int32_t id : index.ids) appendBe32(out, id);
  return out;
}

bool writeIndex(const std::string& indexPath, const RecordIndex& index) {
  std::vector<uint8_t> bytes = encodeIndex(index);
  return writeWhole(indexPath, bytes.data(), bytes.size());
}

bool commitRecord(const std::string& recordPath, const uint8_t* data, size_t size,
                  const std::string& indexPath, const RecordIndex& index) {
  return writeWhole(recordPath, data, size) && writeIndex(indexPath, index);
}

RecordIndex decodeIndex(const uint8_t* bytes, size_t size, const char* what) {
  RecordIndex index;
  if (size == 0) return index;
  if (size < 8) {
    if (what != nullptr) Debug::trace("record store: index %s cut short (%zu bytes), read as empty", what, size);
    return index;
  }
  index.nextRecordId = static_cast<int32_t>(readBe32(bytes));
  int32_t count = static_cast<int32_t>(readBe32(bytes + 4));
  size_t present = (size - 8) / 4;
  size_t wanted = count < 0 ? 0 : static_cast<size_t>(count);
  if (what != nullptr && (count < 0 || wanted > present || (size - 8) % 4 != 0 || wanted < present)) {
    Debug::trace("record store: index %s announces %d ids but holds %zu; reading %zu", what,
                 count, present, std::min(wanted, present));
  }
  size_t take = std::min(wanted, present);
  std::unordered_set<int32_t> seen;
  int32_t dropped = 0;
  int32_t largest = 0;
  for (size_t i = 0; i < take; ++i) {
    int32_t id = static_cast<int32_t>(readBe32(bytes + 8 + 4 * i));
    if (id <= 0 || !seen.insert(id).second) {
      dropped++;
      continue;
    }
    largest = std::max(largest, id);
    index.ids.push_back(id);
  }
  if (what != nullptr && dropped > 0) {
    Debug::trace("record store: index %s: %d repeated or invalid ids dropped", what, dropped);
  }
  if (index.nextRecordId < largest) {
    if (what != nullptr) Debug::trace("record store: index %s: next id %d raised to %d", what, index.nextRecordId,
                 largest);
    index.nextRecordId = largest;
  }
  return index;
}

}  // namespace sorv::record_files
