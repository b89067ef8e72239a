// ZentuKR09, the game's midlet: it makes the one CGame canvas, shows and queues it, and ends
// the game.
//
// Invariants: the class-table slots after Object's are MIDlet's 6 getAppProperty,
// 7 startApp, 8 pauseApp, 9 destroyApp. All state lives in CGame's statics; destroyApp may
// run after quitApp and clears what is already clear.
// Made by the runtime's start through the midlet factory; main thread only.
#pragma once

#include "device/midlet.h"

namespace sorv {

class ZentuKR09 : public MIDlet {
 public:
  static constexpr ClassId kClassId = kZentuKR09;

  // The factory for MIDlet::setMainMidletFactory: allocates and runs ZentuKR09.<init>.
  static MIDlet* create();

  void startApp() override;
  void pauseApp() override;
  void destroyApp(bool unconditional) override;

  // Ends the game after the pass in hand.
  static void quitApp();
};

}  // namespace sorv
