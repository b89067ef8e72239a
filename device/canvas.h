// Displayable and Canvas (javax.microedition.lcdui): what the shell delivers paint, keys,
// touch and pause to.
//
// Invariants: the class-table slots are Displayable's 6 getWidth and 7 getHeight, then
// Canvas's 8 sizeChanged, 9 keyPressed, 10 keyReleased, 11 pointerPressed,
// 12 pointerReleased, 13 pointerDragged, 14 showNotify, 15 hideNotify, 16 paint; the
// runtime and the shell call them by these positions. The defaults do nothing: the game's
// canvas overrides what it uses. Commands are never shown, so their three calls are empty.
// Main thread only.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Graphics;

class Displayable : public Object {
 public:
  static constexpr ClassId kClassId = kDisplayable;

  // The screen image's size; 0 before the shell made it.
  virtual int32_t getWidth();   // slot 6
  virtual int32_t getHeight();  // slot 7

  void addCommand(Object* /*command*/) {}
  void removeCommand(Object* /*command*/) {}
  void setCommandListener(Object* /*listener*/) {}
};

class Canvas : public Displayable {
 public:
  static constexpr ClassId kClassId = kCanvas;

  virtual void sizeChanged(int32_t /*w*/, int32_t /*h*/) {}      // slot 8
  virtual void keyPressed(int32_t /*keyCode*/) {}                // slot 9
  virtual void keyReleased(int32_t /*keyCode*/) {}               // slot 10
  virtual void pointerPressed(int32_t /*x*/, int32_t /*y*/) {}   // slot 11
  virtual void pointerReleased(int32_t /*x*/, int32_t /*y*/) {}  // slot 12
  virtual void pointerDragged(int32_t /*x*/, int32_t /*y*/) {}   // slot 13
  virtual void showNotify() {}                                   // slot 14
  virtual void hideNotify() {}                                   // slot 15
  virtual void paint(Graphics* /*g*/) {}                         // slot 16
};

// The current Displayable when it is a Canvas, else null.
Canvas* currentCanvas();

}  // namespace sorv
