// The class-table slots of javax.microedition.midlet.MIDlet (6 getAppProperty, 7 startApp,
// 8 pauseApp, 9 destroyApp), so the runtime can start and destroy the midlet without the
// device library; the device's MIDlet class derives from this and is the only one that does.
// Every function here is inline or pure, so the class needs nothing linked in.
#pragma once

#include "runtime/object.h"

namespace sorv {

class String;

class MidletSlots : public Object {
 public:
  virtual String* getAppProperty(String* key) = 0;    // slot 6
  virtual void startApp() {}                          // slot 7
  virtual void pauseApp() {}                          // slot 8
  virtual void destroyApp(bool /*unconditional*/) {}  // slot 9

 protected:
  MidletSlots() = default;
  ~MidletSlots() = default;
};

}  // namespace sorv
