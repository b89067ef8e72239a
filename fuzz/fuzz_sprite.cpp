// Fuzzes the sprite loader and everything that reads what it loaded: module decoding in
// every format, the image cache and pool, drawing and measuring of frames and animation
// frames (nested, flipped, with palettes per entry) and text through the first frame.
#include <cstdint>
#include <cstdio>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace {

sorv::Application* gApp = nullptr;
sorv::StaticRef<sorv::Graphics> gTarget;
int gRunsSinceCollection = 0;
constexpr int32_t kDecodeBufferPixels = 256;

// The log is flushed on every line; a faulty sprite logs many, so they are dropped here
// rather than written to /dev/null one system call each.
ssize_t dropLog(void*, const char*, size_t size) { return static_cast<ssize_t>(size); }

void startRuntime() {
  cookie_io_functions_t io{nullptr, dropLog, nullptr, nullptr};
  sorv::Debug::setSink(fopencookie(nullptr, "w", io));
  gApp = new sorv::Application();
  sorv::Application::init(gApp);
  sorv::Image* screen = sorv::Image::createImage(64, 64);
  gTarget = screen->getGraphics();
  // Module images are scanned over the whole decode buffer they come in; a small shared
  // buffer (larger modules get one of their own size) keeps each input cheap.
  sorv::ASprite::setTempBufferSize(kDecodeBufferPixels);
}

// The game's frames place at most a few hundred entries (224 in its largest sprite). A frame
// naming thousands is walked to the painter's own cut on every call and costs an input as
// much as hundreds of others, so such a sprite is loaded but not drawn.
constexpr int32_t kMaxFrameEntries = 256;

bool drawable(sorv::ASprite* s) {
  const int32_t frames = sorv::isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length;
  for (int32_t f = 0; f < frames; f++) {
    if (s->frameFModuleCount->elements()[f] > kMaxFrameEntries) return false;
  }
  return true;
}

void exercise(sorv::ASprite* s) {
  using sorv::ASprite;
  sorv::Graphics* g = gTarget.get();
  ASprite::SetGraphics(g);
  constexpr int32_t kLimit = 8;  // a few of each, so one input stays fast
  for (int32_t m = 0; m < s->moduleCount && m < kLimit; m++) {
    s->DecodeImage(m, 0);
    s->PaintModule(m, m * 3 - 4, m * 2 - 4, m & 7, 100);
  }
  const int32_t frames = sorv::isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length;
  for (int32_t f = 0; f < frames && f < kLimit; f++) {
    s->PaintFrame(g, f, 20, 20, f & 7, 100);
    s->GetFrameWidth(f);
  }
  const int32_t anims = sorv::isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length;
  for (int32_t a = 0; a < anims && a < kLimit; a++) {
    s->GetActionTime(a);
    s->GetAFrameID(a, 3);
    if (s->GetAFrames(a) > 0) s->PaintAFrame(g, a, 0, 30, 30, a & 3);
  }
  if (frames > 0 && s->paletteCount > 0) {
    s->fontMap = sorv::Array::newByteArray(256);
    s->DrawString(g, sorv::String::fromCString("Ab. [cd] e\nf\x01\x02g"), 32, 32, 0x111, 20);
    s->getStringWidth(sorv::String::fromCString("|1xy"));
  }
  // Emptied without ResetPoolData's collection: the loader already runs two per input.
  ASprite::InitPool();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  if (gApp == nullptr) startRuntime();
  sorv::ByteArray* bytes = sorv::Array::newByteArray(static_cast<int32_t>(size));
  for (size_t i = 0; i < size; ++i) bytes->elements()[i] = static_cast<int8_t>(data[i]);
  sorv::ASprite* s = sorv::ASprite::create();
  s->Load(bytes, 0);
  if (drawable(s)) exercise(s);
  if (++gRunsSinceCollection == 256) {
    gRunsSinceCollection = 0;
    gApp->objectManager->gc(0);
  }
  return 0;
}
