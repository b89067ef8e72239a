#include "device/platform/processes.h"

#include <fcntl.h>
#include <spawn.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "device/platform/trace.h"
#include "runtime/log.h"

extern char** environ;

namespace sorv::platform {
namespace {

constexpr const char kBrowser[] = "iexplore";
constexpr const char kHostLauncher[] = "xdg-open";

bool gHostLauncher = false;

bool launchesSucceed() {
  const char* v = std::getenv("SORV_CREATEPROCESS");
  return v == nullptr || std::strcmp(v, "fail") != 0;
}

bool isWebAddress(const std::string& url) {
  return url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
}

// xdg-open with the address as its only argument: no shell sees it, the launcher gets no
// input and none of the game's files; it runs on when the game ends.
bool startHostLauncher(const std::string& url) {
  if (!isWebAddress(url)) {
    Debug::trace("launch: refused %s (only http:// and https:// addresses open)", url.c_str());
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  std::string program = kHostLauncher, argument = url;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, kHostLauncher, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    Debug::trace("launch: %s could not start (%s)", kHostLauncher, std::strerror(rc));
    return false;
  }
  return true;
}

}  // namespace

void enableHostLauncher(bool on) { gHostLauncher = on; }

bool createProcess(const std::string& application, const std::string& commandLine) {
  bool ok;
  if (gHostLauncher && application == kBrowser) {
    ok = startHostLauncher(commandLine);
  } else {
    ok = launchesSucceed();
    if (application == kBrowser) Debug::trace("launch: %s not started here", commandLine.c_str());
  }
  traceEvent("create-process " + application + " " + commandLine + (ok ? " result=ok" : " result=fail"));
  return ok;
}

bool shellExecute(const std::string& file) {
  bool ok = launchesSucceed();
  traceEvent("shell-execute " + file + (ok ? " result=ok" : " result=fail"));
  return ok;
}

}  // namespace sorv::platform
