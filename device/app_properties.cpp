#include "device/app_properties.h"

#include "device/file.h"
#include "device/resource_stream.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/string.h"
#include "runtime/util_hashtable.h"

namespace sorv {

SORV_REF_FIELDS(MIDlet, SORV_REF_OFFSET(MIDlet, properties));

namespace {

constexpr const char* kJadName = "app.jad";
constexpr const char* kEmptyValue = "PROPERTY VALUE EMPTY";

}  // namespace

String* readJad() {
  SORV_FRAME("MIDlet.readJad()Ljava/lang/String;");
  InputStream* in = Resources::getResourceAsStream(String::fromCString(kJadName));
  if (isNull(in)) return nullptr;
  ByteArray* bytes = readStreamFully(in);
  in->close();
  if (isNull(bytes)) return nullptr;
  String* text = newObject<String>();
  if (text != nullptr) String::initFromByteArray(text, bytes);
  return text;
}

void parseAppProperties(String* text, Hashtable* table) {
  if (isNull(text) || isNull(table)) return;
  int32_t length = text->length();
  for (int32_t start = 0; start < length;) {
    int32_t end = String::indexOfChar(text, '\n', start);
    if (end < 0) end = length;
    int32_t lineEnd = end;
    if (lineEnd > start && text->units()[lineEnd - 1] == u'\r') lineEnd--;
    int32_t colon = String::indexOfChar(text, ':', start);
    if (colon >= 0 && colon < lineEnd) {
      String* key = String::trim(String::substring(text, start, colon));
      String* value = String::trim(String::substring(text, colon + 1, lineEnd));
      if (!isNull(key) && !isNull(value)) Hashtable::put(table, key, value);
    }
    start = end + 1;
  }
}

void MIDlet::init(MIDlet* midlet) {
  SORV_FRAME("javax/microedition/midlet/MIDlet.<init>()V");
  if (isNull(midlet)) return;
  midlet->properties = Hashtable::create();
  System::appProperties = midlet->properties;
  parseAppProperties(readJad(), midlet->properties);
}

String* MIDlet::getAppProperty(String* key) {
  SORV_FRAME("javax/microedition/midlet/MIDlet.getAppProperty(Ljava/lang/String;)Ljava/lang/String;");
  if (!isNull(properties) && !isNull(key)) {
    if (Object* value = Hashtable::get(properties, key); !isNull(value)) {
      return static_cast<String*>(value);
    }
  }
  return String::fromCString(kEmptyValue);
}

}  // namespace sorv
