#include "promo/igp_services.h"

#include "runtime/frames.h"

namespace sorv {

int32_t IGP::pressedItem = 0;
int32_t IGP::pressedScroll = 0;
int32_t IGP::releasedItem = 0;
int32_t IGP::dragX = -1;
int32_t IGP::dragY = -1;
int32_t IGP::listScroll = 0;

void IGP::initialize(MIDlet*, Canvas*, int32_t, int32_t, Object*) {
  SORV_FRAME("IGP.initialize(Ljavax/microedition/midlet/MIDlet;Ljavax/microedition/lcdui/Canvas;IILjavax/microedition/lcdui/CommandListener;)V");
}

bool IGP::available = false;
bool IGP::zvipAvailable = false;

bool IGP::IsAvailable() { return available; }
bool IGP::isZVipAvailable() { return zvipAvailable; }
void IGP::enterIGP(String*, int32_t) { SORV_FRAME("IGP.enterIGP(Ljava/lang/String;I)V"); }
void IGP::enterZVIP() { SORV_FRAME("IGP.enterZVIP()V"); }

bool IGP::update(int32_t) {
  SORV_FRAME("IGP.update(I)Z");
  return false;
}

void IGP::paint(Graphics*) { SORV_FRAME("IGP.paint(Ljavax/microedition/lcdui/Graphics;)V"); }
int32_t IGP::updateTouchIGP(int32_t, int32_t) { return 0; }
void IGP::updatePointerDragged(int32_t, int32_t) {}

}  // namespace sorv
