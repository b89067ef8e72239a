#include "device/command.h"

#include "runtime/application.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(Command, SORV_REF_OFFSET(Command, label), SORV_REF_OFFSET(Command, longLabel));

void Command::init(String* text, int32_t type, int32_t prio) {
  SORV_FRAME("javax_microedition_lcdui_Command.<init>(Ljava/lang/String;II)V");
  setLabel(text, nullptr);
  if (Application::pendingException() != nullptr) return;
  initialize(type, prio);
}

void Command::setLabel(String* text, String* longText) {
  SORV_FRAME("javax_microedition_lcdui_Command.setLabel(Ljava/lang/String;Ljava/lang/String;)V");
  if (isNull(text)) {
    throwNew(kNullPointerException);
    return;
  }
  label = text;
  longLabel = longText;
}

void Command::initialize(int32_t type, int32_t prio) {
  SORV_FRAME("javax_microedition_lcdui_Command.initialize(II)V");
  if (type < kFirstType || type > kLastType) {
    throwNew(kIllegalArgumentException);
    return;
  }
  commandType = type;
  priority = prio;
}

}  // namespace sorv
