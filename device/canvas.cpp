#include "device/canvas.h"

#include "device/image.h"
#include "runtime/application.h"
#include "runtime/class_table.h"

namespace sorv {
namespace {

Image* screenImage() {
  Application* app = Application::instance();
  return app != nullptr && !isNull(app->screenImage) ? static_cast<Image*>(app->screenImage) : nullptr;
}

}  // namespace

int32_t Displayable::getWidth() {
  Image* screen = screenImage();
  return screen != nullptr ? screen->getWidth() : 0;
}

int32_t Displayable::getHeight() {
  Image* screen = screenImage();
  return screen != nullptr ? screen->getHeight() : 0;
}

Canvas* currentCanvas() {
  Application* app = Application::instance();
  if (app == nullptr || !instanceOf(app->currentDisplayable, kCanvas)) return nullptr;
  return static_cast<Canvas*>(app->currentDisplayable);
}

}  // namespace sorv
