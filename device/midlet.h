// MIDlet (javax.microedition.midlet): the base of the game's midlet, its life-cycle slots
// and the natives the game calls on it (the application properties: app_properties.h).
//
// Invariants: the class-table slots after Object's are 6 getAppProperty, 7 startApp,
// 8 pauseApp, 9 destroyApp; the runtime calls 7 at start and 9 at close. The program names
// its one midlet class through setMainMidletFactory before the shell starts.
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/midlet_slots.h"
#include "runtime/object.h"

namespace sorv {

class Hashtable;
class String;

class MIDlet : public MidletSlots {
 public:
  static constexpr ClassId kClassId = kMIDlet;

  Hashtable* properties = nullptr;

  // MIDlet.<init>()V: the table from readJad(), also published for System::getProperty.
  static void init(MIDlet* midlet);

  // Slot 6: the value, or a new "PROPERTY VALUE EMPTY" when the key is absent.
  String* getAppProperty(String* key) override;

  // notifyDestroyed: the main loop ends after this pass.
  static void notifyDestroyed();
  // Opens the address in the browser; when it starts the game shuts down and this does
  // not return. False when the address does not fit the command line or the start failed.
  static bool platformRequest(String* url);

  // Makes the program's midlet: allocated, kept in its class's static field and
  // constructed. Null when it could not be made.
  using Factory = MIDlet* (*)();
  static void setMainMidletFactory(Factory factory);
  static Factory mainMidletFactory();
};

}  // namespace sorv
