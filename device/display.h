// Display (javax.microedition.lcdui): no state of its own; the current Displayable lives in
// the Application, where paint and key dispatch find it. Main thread only.
#pragma once

#include "runtime/object.h"

namespace sorv {

class MIDlet;

class Display : public Object {
 public:
  static constexpr ClassId kClassId = kDisplay;

  // A new Display on every call; the midlet is not used. Null when the heap is full.
  static Display* getDisplay(MIDlet* midlet);
  // Makes the Displayable the target of paint and keys; null leaves none.
  void setCurrent(Object* displayable);
};

}  // namespace sorv
