#include "tools/mkdata/speech_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

// A folder made for this run alone, removed with it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "sorv-calls-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

pid_t start(const SpeechRequest& request, const std::string& text, const std::string& file) {
  const std::vector<std::string> args = {
      request.program, "-v", request.voice, "-s", std::to_string(request.rate), "-w", file, text};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, request.program.c_str(), &quiet, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&quiet);
  return pid;
}

// Waits for the process until the deadline; past it the process is killed (a speech program
// that hangs, on an audio device say, must not hang the data build) and counts as failed.
bool exitedWell(pid_t pid, std::chrono::steady_clock::time_point deadline) {
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid, SIGKILL);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      return false;
    }
    usleep(2000);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool readFile(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), {});
  return !in.bad();
}

}  // namespace

bool speakTexts(const SpeechRequest& request, const std::vector<std::string>& texts,
                std::vector<std::vector<uint8_t>>* files) {
  files->assign(texts.size(), {});
  TemporaryFolder folder;
  if (folder.path().empty()) return false;
  std::vector<std::string> paths;
  std::vector<pid_t> running;
  for (size_t i = 0; i < texts.size(); ++i) {
    paths.push_back(folder.path() + "/" + std::to_string(i) + ".wav");
    const pid_t pid = start(request, texts[i], paths.back());
    if (pid < 0) break;
    running.push_back(pid);
  }
  // Every started process is waited for, also after one failed, so none is left behind.
  bool ok = running.size() == texts.size();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(request.timeoutMs);
  for (pid_t pid : running) ok = exitedWell(pid, deadline) && ok;
  for (size_t i = 0; ok && i < texts.size(); ++i) ok = readFile(paths[i], &(*files)[i]);
  return ok;
}

}  // namespace sorv::mkdata
