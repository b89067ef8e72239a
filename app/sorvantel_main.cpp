// build/sorvantel: the program.
#include "device/midlet.h"
#include "device/platform/processes.h"
#include "device/program.h"
#include "runtime/log.h"
#include "game/zentukr09.h"

int main() {
  if (sorv::bringRunningInstanceForward()) return 0;
  sorv::Debug::setSink(sorv::openProgramLog());
  sorv::MIDlet::setMainMidletFactory(sorv::ZentuKR09::create);
  // Only the real program opens links in the host's browser; headless runs trace them.
  sorv::platform::enableHostLauncher(true);
  return sorv::runProgram();
}
