// build/sorvantel: the program.
#include "device/midlet.h"
#include "device/program.h"
#include "runtime/log.h"
#include "tests/support/probe_midlet.h"

int main() {
  if (sorv::bringRunningInstanceForward()) return 0;
  sorv::Debug::setSink(sorv::openProgramLog());
  // The game's midlet is not written yet; the probe stands in for it.
  sorv::MIDlet::setMainMidletFactory(sorv::probe::createProbeMidlet);
  return sorv::runProgram();
}
