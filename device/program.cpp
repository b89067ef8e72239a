#include "device/program.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "device/archive.h"
#include "device/file.h"
#include "device/messages.h"
#include "device/platform/memory_status.h"
#include "device/platform/msgbox.h"
#include "device/platform/paths.h"
#include "device/platform/ui_language.h"
#include "device/platform/windows.h"
#include "device/shell.h"
#include "runtime/log.h"

namespace sorv {
namespace {

constexpr uint32_t kRequiredFreeMemory = 0x1200000;  // 18 MiB
constexpr const char* kMessageCaption = "Sorvantel 2009";
constexpr const char* kArchiveName = "data.bar";

void operatorNewFailed() {
  std::fputs("ERROR: Operator new failed: out of store.\n", stdout);
  throw std::bad_alloc();
}

std::string besideExecutable(const char* name) {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return name;
  path[n] = '\0';
  std::string dir(path);
  size_t slash = dir.rfind('/');
  return slash == std::string::npos ? name : dir.substr(0, slash + 1) + name;
}

// Without its archive the game would start blank and fail at every resource: the player is
// told which file is missing and where it was looked for, and the start ends.
bool archiveReadable() {
  const std::string folder = GameFolders::installFolderText();
  std::string host;
  if (platform::toHostPath(folder + "\\" + kArchiveName, host) && ArchiveTable::load(host).usable()) return true;
  Debug::trace("The program could not start: %s in %s cannot be read.", kArchiveName, folder.c_str());
  platform::messageBox(std::string("The game's data file ") + kArchiveName + " is missing or cannot be read.\n" +
                           "It was looked for in " + folder + ".\nPlease install the game again.",
                       kMessageCaption, platform::kMbIconExclamation);
  return false;
}

}  // namespace

std::FILE* openProgramLog() {
  const char* choice = std::getenv("SORV_LOG");
  if (choice != nullptr && std::strcmp(choice, "-") == 0) return stdout;
  std::string path = choice != nullptr && *choice != '\0' ? choice : besideExecutable("stdout.txt");
  std::FILE* log = std::fopen(path.c_str(), "w");
  if (log == nullptr) {
    std::fprintf(stderr, "log: cannot write %s: %s; logging to the standard output\n", path.c_str(),
                 std::strerror(errno));
    return stdout;
  }
  return log;
}

bool bringRunningInstanceForward() {
  std::set_new_handler(operatorNewFailed);
  // The lock is taken first and in one step: of two copies started together one runs on.
  // A holder that ends between the two steps leaves its lock free for the next try.
  constexpr int kTries = 3;
  for (int i = 0; i < kTries; i++) {
    if (platform::takeInstanceLock(Shell::kWindowTitle)) return false;
    platform::WindowHandle running = platform::findWindow(nullptr, Shell::kWindowTitle);
    if (running == platform::kNoWindow) continue;
    platform::setForegroundWindow(running | 1);
    return true;
  }
  return true;
}

int runProgram(const std::function<void(Shell&)>& prepareShell) {
  LocalizedMessages::setLanguage(platform::userDefaultUILanguage() & platform::kPrimaryLanguageMask);
  if (platform::availablePhysicalMemory() < kRequiredFreeMemory) {
    platform::messageBox(LocalizedMessages::toUtf8(LocalizedMessages::get(LocalizedMessages::kNotEnoughMemory)),
                         kMessageCaption, platform::kMbIconExclamation);
    return 0;
  }
  if (!archiveReadable()) return 1;
  Shell shell;
  if (prepareShell) prepareShell(shell);
  if (!shell.start()) {
    Debug::trace("The program could not start.");
    shell.destroy();
    return 1;
  }
  shell.run();
  shell.destroy();
  return 0;
}

}  // namespace sorv
