#include "runtime/constants.h"

#include "runtime/application.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/lang_system.h"
#include "runtime/string.h"
#include "runtime/util_vector.h"

namespace sorv {

namespace {

constexpr const char* kConstantsFile = "/constants.bin";

ResourceOpener gOpener = nullptr;

void clearPending() {
  if (Application* app = Application::instance()) app->m_pendingException = nullptr;
}

}  // namespace

void setResourceOpener(ResourceOpener opener) { gOpener = opener; }

InputStream* openResource(String* name) { return gOpener != nullptr ? gOpener(name) : nullptr; }

ObjectArray* readConstantStrings(InputStream* in) {
  SORV_FRAME("StaticClass::loadConstants");
  DataInputStream* data = DataInputStream::create(in);
  int32_t count = data == nullptr ? 0 : data->readInt();
  bool failed = Application::pendingException() != nullptr || count < 0;
  // The count is not trusted: strings are collected as they are read, so a count beyond
  // the data ends at the data's end instead of allocating for it.
  Vector* read = Vector::create(Vector::kDefaultCapacity, 0);
  for (int32_t i = 0; !failed && i < count; ++i) {
    String* s = data->readUTF();
    if (Application::pendingException() != nullptr || isNull(s)) {
      failed = true;
      break;
    }
    s->collectable = 0;
    read->addElement(s);
  }
  if (failed) {
    clearPending();
    Debug::trace("%s: %d of %d strings read", kConstantsFile, read->elementCount, count < 0 ? 0 : count);
  }
  ObjectArray* table = Array::newObjectArray(0, read->elementCount);
  if (!isNull(table) && table->length > 0) System::arraycopy(read->elementData, 0, table, 0, table->length);
  return table;
}

ObjectArray* loadConstantStrings() {
  String* name = String::fromCString(kConstantsFile);
  InputStream* in = openResource(name);
  if (isNull(in)) {
    reportError(kConstantsFile);
    return nullptr;
  }
  ObjectArray* table = readConstantStrings(in);
  in->close();
  clearPending();
  return table;
}

}  // namespace sorv
