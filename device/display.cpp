#include "device/display.h"

#include "runtime/application.h"
#include "runtime/frames.h"

namespace sorv {

Display* Display::getDisplay(MIDlet*) {
  SORV_FRAME("javax_microedition_lcdui_Display.getDisplay(Ljavax/microedition/midlet/MIDlet;)Ljavax/microedition/lcdui/Display;");
  return newObject<Display>();
}

void Display::setCurrent(Object* displayable) {
  Application* app = Application::instance();
  if (app != nullptr) app->currentDisplayable = isNull(displayable) ? nullptr : displayable;
}

}  // namespace sorv
