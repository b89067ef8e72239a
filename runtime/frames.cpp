#include "runtime/frames.h"

namespace sorv {

void reportError() { Application::printStackTrace(Application::instance()); }

void reportError(const char* text) {
  Debug::trace("%s", text);
  reportError();
}

}  // namespace sorv
