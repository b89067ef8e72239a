#include "runtime/lang_wrappers.h"

#include "tools/data/resource_ids.h"
#include "runtime/class_table.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

StaticRef<Boolean> Boolean::TRUE;
StaticRef<Boolean> Boolean::FALSE;

Integer* Integer::create(int32_t value) {
  Integer* i = newObject<Integer>();
  if (i != nullptr) i->value = value;
  return i;
}

String* Integer::toString(int32_t value) { return String::valueOfInt(value); }

bool Integer::equals(Object* other) {
  return instanceOf(other, kInteger) && static_cast<Integer*>(other)->value == value;
}

String* Integer::toString() { return String::valueOfInt(value); }

Boolean* Boolean::create(bool value) {
  Boolean* b = newObject<Boolean>();
  if (b != nullptr) b->value = value ? 1 : 0;
  return b;
}

void Boolean::clinit() {
  TRUE = create(true);
  FALSE = create(false);
}

SORV_STATIC_INIT(kBoolean, Boolean::clinit);

bool Boolean::equals(Object* other) {
  return instanceOf(other, kBoolean) && static_cast<Boolean*>(other)->value == value;
}

String* Boolean::toString() { return StaticClass::getConstant(value != 0 ? kConstTrue : kConstFalse); }

}  // namespace sorv
