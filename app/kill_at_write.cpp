#include "app/kill_at_write.h"

#include <signal.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "device/record_files.h"
#include "runtime/log.h"

namespace sorv {

namespace {

long gKillAt = 0;  // 0: only list the steps
long gSteps = 0;

bool onWriteStep(record_files::WriteStep step, const std::string& hostPath) {
  gSteps++;
  if (gKillAt == 0 || gSteps == gKillAt) {
    Debug::trace("kill-at-write: step %ld %s %s", gSteps, record_files::stepName(step), hostPath.c_str());
  }
  // The log line is written through before the kill: a test reads which step it was.
  if (gSteps == gKillAt) raise(SIGKILL);
  return false;
}

}  // namespace

void installKillAtWrite() {
  const char* value = std::getenv("SORV_KILL_AT_WRITE");
  if (value == nullptr || *value == '\0') return;
  if (std::strcmp(value, "list") != 0) {
    char* end = nullptr;
    gKillAt = std::strtol(value, &end, 10);
    if (*end != '\0' || gKillAt <= 0) return;
  }
  record_files::setFailureHook(onWriteStep);
}

}  // namespace sorv
