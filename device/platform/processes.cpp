#include "device/platform/processes.h"

#include <cstdlib>
#include <cstring>

#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

bool launchesSucceed() {
  const char* v = std::getenv("SORV_CREATEPROCESS");
  return v == nullptr || std::strcmp(v, "fail") != 0;
}

}  // namespace

bool createProcess(const std::string& application, const std::string& commandLine) {
  bool ok = launchesSucceed();
  traceEvent("create-process " + application + " " + commandLine + (ok ? " result=ok" : " result=fail"));
  return ok;
}

bool shellExecute(const std::string& file) {
  bool ok = launchesSucceed();
  traceEvent("shell-execute " + file + (ok ? " result=ok" : " result=fail"));
  return ok;
}

}  // namespace sorv::platform
