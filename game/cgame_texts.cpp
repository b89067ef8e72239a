// Small texts and questions of the shell: doubles or not, ordinals, times.
#include <cstdint>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

bool CGame::isDouble() {
  SORV_FRAME("CGame.isDouble()Z");
  const int32_t category = aload(matchSettings.get(), 0);
  return category == 1 || category == 3 || category == 4;
}

String* CGame::ordinal(int32_t n) {
  SORV_FRAME("CGame.ordinal(I)Ljava/lang/String;");
  if (n >= kOrdinalCount) return String::valueOfInt(n);
  StringBuffer* text = StringBuffer::create(16);
  StringBuffer::appendString(text, GetString(2, kOrdinalTextFirst + n));
  StringBuffer::appendString(text, StaticClass::getConstant(kConstOrdinalJoiner));
  return text->toString();
}

String* CGame::INT2Time(int32_t t) {
  SORV_FRAME("CGame.INT2Time(I)Ljava/lang/String;");
  // 0 and 32767 mean no time was recorded.
  if (t == 0 || t == 32767) return StaticClass::getConstant(kConstNoTime);
  StringBuffer* text = StringBuffer::create(16);
  StringBuffer::appendString(text, StaticClass::getConstant(kConstEmpty));
  StringBuffer::appendString(text, FormatString(t * 25 / 3600, 2));
  StringBuffer::appendString(text, StaticClass::getConstant(kConstTimeJoiner));
  StringBuffer::appendString(text, FormatString(t * 25 / 60 % 60, 2));
  return text->toString();
}

}  // namespace sorv
