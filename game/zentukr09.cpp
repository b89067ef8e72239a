#include "game/zentukr09.h"

#include "device/display.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

MIDlet* ZentuKR09::create() {
  SORV_FRAME("ZentuKR09.<init>()V");
  ZentuKR09* self = newObject<ZentuKR09>();
  if (self == nullptr) return nullptr;
  MIDlet::init(self);
  CGame::midlet = self;
  CGame::gameCanvas = CGame::create();
  CGame::InitIGP();
  return self;
}

void ZentuKR09::startApp() {
  SORV_FRAME("ZentuKR09.startApp()V");
  Debug::trace("%s", String::toUtf8(StaticClass::getConstant(kConstStartAppLine)).c_str());
  CGame::gameDisplay = Display::getDisplay(this);
  if (isNull(CGame::gameDisplay)) return reportError("NullPointer");
  // The main loop runs the current Displayable when it is Runnable: that is the queueing.
  CGame::gameDisplay->setCurrent(CGame::gameCanvas);
  CGame::startProperty = getAppProperty(StaticClass::getConstant(kConstVersionProperty));
}

void ZentuKR09::pauseApp() {
  SORV_FRAME("ZentuKR09.pauseApp()V");
  Debug::trace("%s", String::toUtf8(StaticClass::getConstant(kConstPauseAppLine)).c_str());
}

void ZentuKR09::destroyApp(bool /*unconditional*/) {
  SORV_FRAME("ZentuKR09.destroyApp(Z)V");
  CGame::gameRunning = false;
  if (!isNull(CGame::gameDisplay)) CGame::gameDisplay->setCurrent(nullptr);
  MIDlet::notifyDestroyed();
  CGame::midlet = nullptr;
  CGame::gameCanvas = nullptr;
}

void ZentuKR09::quitApp() {
  SORV_FRAME("ZentuKR09.quitApp()V");
  CGame::gameRunning = false;
  MIDlet::notifyDestroyed();
  if (ZentuKR09* self = CGame::midlet) self->destroyApp(true);
}

}  // namespace sorv
