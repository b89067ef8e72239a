// The record store's files kept in memory for the fuzzers: every input writes a whole
// store, and on a disk each file costs a temporary, a sync and a rename. It answers as the
// disk does (an unwritten file is absent, length -1); writes never fail.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "device/record_files.h"

namespace sorv::fuzz {

class MemoryFiles : public record_files::FileLayer {
 public:
  bool writeWhole(const std::string& hostPath, const uint8_t* data, size_t size) override {
    files_[hostPath].assign(data, data + size);
    return true;
  }
  record_files::ReadResult readWhole(const std::string& hostPath, std::vector<uint8_t>& out) override {
    auto it = files_.find(hostPath);
    if (it == files_.end()) {
      out.clear();
      return record_files::ReadResult::kAbsent;
    }
    out = it->second;
    return record_files::ReadResult::kOk;
  }
  int64_t fileLength(const std::string& hostPath) override {
    auto it = files_.find(hostPath);
    return it == files_.end() ? -1 : static_cast<int64_t>(it->second.size());
  }
  std::vector<std::string> fileNames(const std::string& hostFolder) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files_) {
      const size_t slash = path.find_last_of('/');
      if (slash != std::string::npos && path.compare(0, slash, hostFolder) == 0 && slash == hostFolder.size()) {
        names.push_back(path.substr(slash + 1));
      }
    }
    return names;
  }

 private:
  std::unordered_map<std::string, std::vector<uint8_t>> files_;
};

}  // namespace sorv::fuzz
