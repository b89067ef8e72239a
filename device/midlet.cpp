#include "device/midlet.h"

#include <string>

#include "device/platform/processes.h"
#include "device/shell.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {
namespace {

MIDlet::Factory gMainMidletFactory = nullptr;

// The phone's command-line buffer of the browser launch, terminating 0 included.
constexpr int32_t kCommandLineUnits = 200;

}  // namespace

void MIDlet::setMainMidletFactory(Factory factory) { gMainMidletFactory = factory; }
MIDlet::Factory MIDlet::mainMidletFactory() { return gMainMidletFactory; }

void MIDlet::notifyDestroyed() {
  if (Shell* shell = Shell::instance()) shell->stop();
}

bool MIDlet::platformRequest(String* url) {
  SORV_FRAME("javax_microedition_midlet_MIDlet.platformRequest(Ljava/lang/String;)Z");
  if (isNull(url)) {
    reportError("NullPointer");
    return false;
  }
  // An address that does not fit is refused whole: a cut one would open another page.
  if (url->length() + 1 > kCommandLineUnits) {
    Debug::trace("platformRequest: address of %d characters does not fit", url->length());
    return false;
  }
  if (!platform::createProcess("iexplore", String::toUtf8(url))) return false;
  if (Shell* shell = Shell::instance()) shell->endProcess();
  return true;
}

}  // namespace sorv
