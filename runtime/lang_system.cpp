#include "runtime/lang_system.h"

#include <cstring>

#include "tools/data/resource_ids.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/clock.h"
#include "runtime/collector.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/util_hashtable.h"

namespace sorv {

StaticRef<PrintStream> System::out;
StaticRef<Hashtable> System::properties;
StaticRef<Hashtable> System::appProperties;
StaticRef<Runtime> Runtime::instance;

void System::clinit() {
  SORV_FRAME("System.<clinit>()V");
  out = PrintStream::create(newObject<ConsoleOutputStream>());
  properties = Hashtable::create();
  Hashtable::put(properties, StaticClass::getConstant(kConstEncodingProperty),
                 StaticClass::getConstant(kConstEncodingValue));
}

SORV_STATIC_INIT(kSystem, System::clinit);

String* System::getProperty(String* key) {
  SORV_FRAME("System.getProperty(Ljava/lang/String;)Ljava/lang/String;");
  if (String::equalsCString(key, "microedition.media.version")) return String::fromCString("1.0");
  for (Hashtable* table : {appProperties.get(), properties.get()}) {
    if (isNull(table) || isNull(key)) continue;
    if (Object* value = Hashtable::get(table, key); !isNull(value)) return static_cast<String*>(value);
  }
  return String::fromCString("PROPERTY VALUE EMPTY");
}

int64_t System::currentTimeMillis() { return static_cast<int64_t>(clock::ticks()); }

void System::gc() {
  if (ObjectManager* objects = Application::getObjectManager()) objects->gc(0);
}

void Runtime::clinit() {
  SORV_FRAME("Runtime.<clinit>()V");
  instance = newObject<Runtime>();
}

SORV_STATIC_INIT(kRuntime, Runtime::clinit);

void System::arraycopy(Object* src, int32_t srcPos, Object* dst, int32_t dstPos, int32_t length) {
  SORV_FRAME("System::arraycopy");
  if (isNull(src) || isNull(dst)) {
    reportError("NullPointerException");
    return;
  }
  if (src->classId != dst->classId || !Array::isArrayClass(src->classId)) {
    reportError("ArrayStoreException");
    return;
  }
  if (length < 0) {
    reportError("arraycopy length");
    return;
  }
  if (length == 0) return;
  auto* from = static_cast<Array*>(src);
  auto* to = static_cast<Array*>(dst);
  // Sums in 64 bits: a huge position plus a length must not wrap to a small number.
  if (srcPos < 0) return reportError("src_position");
  if (dstPos < 0) return reportError("dst_position");
  if (srcPos >= from->length) return reportError("src_position");
  if (dstPos >= to->length) return reportError("dst_position");
  if (static_cast<int64_t>(srcPos) + length > from->length) return reportError("src_position");
  if (static_cast<int64_t>(dstPos) + length > to->length) return reportError("dst_position");
  size_t size = static_cast<size_t>(Array::elementSizeOf(src->classId));
  std::memmove(static_cast<std::byte*>(to->data) + size * dstPos,
               static_cast<const std::byte*>(from->data) + size * srcPos, size * length);
}

}  // namespace sorv
