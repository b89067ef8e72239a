// A fresh phone file system for one test: SORV_ROOT and SORV_TRACE point into a new
// temporary folder, removed again at the end; the stand-ins' test controls start unset.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sorv::test {

class TempRoot {
 public:
  TempRoot() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                          "/sorv-installer-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) != nullptr) base_ = buf.data();
    root_ = base_ + "/root";
    trace_ = base_ + "/trace.txt";
    std::filesystem::create_directories(root_);
    setenv("SORV_ROOT", root_.c_str(), 1);
    setenv("SORV_TRACE", trace_.c_str(), 1);
    for (const char* control : kControls) unsetenv(control);
  }
  ~TempRoot() {
    for (const char* control : kControls) unsetenv(control);
    unsetenv("SORV_TRACE");
    unsetenv("SORV_ROOT");
    std::error_code ignored;
    if (!base_.empty()) std::filesystem::remove_all(base_, ignored);
  }
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;

  // True while the stand-ins would work inside this root and nowhere else.
  bool active() const {
    const char* r = std::getenv("SORV_ROOT");
    return !base_.empty() && r != nullptr && root_ == r &&
           root_.rfind(base_, 0) == 0 && std::filesystem::is_directory(root_);
  }

  const std::string& root() const { return root_; }
  const std::string& base() const { return base_; }
  std::string host(const std::string& relative) const { return root_ + "/" + relative; }

  void writeFile(const std::string& relative, const std::string& contents) const {
    std::filesystem::path p = host(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << contents;
  }

  std::vector<std::string> traceLines() const {
    std::vector<std::string> lines;
    std::ifstream in(trace_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  static constexpr const char* kControls[] = {"SORV_MSGBOX_ANSWER", "SORV_SPECIAL_FOLDER",
                                              "SORV_UI_LANGID"};
  std::string base_;
  std::string root_;
  std::string trace_;
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace sorv::test
