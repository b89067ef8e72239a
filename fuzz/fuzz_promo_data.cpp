// Fuzzes the promotion file: the input is the file the screen opens through the resource
// opener. The header and the page model are built, every loading step runs, every text is
// asked for and every valid page is drawn; nothing may read or write outside its buffer.
#include <cstdlib>

#include "device/graphics.h"
#include "device/image.h"
#include "device/midlet.h"
#include "fuzz/game_fuzz_runtime.h"
#include "promo/igp.h"
#include "runtime/util_hashtable.h"

namespace {

using sorv::IGP;

void check(bool ok) {
  if (!ok) std::abort();
}

// Properties named by the fuzz constant table's texts ("c<n>"), so every link rule runs.
constexpr const char* kProperties[][2] = {
    {"c26", "c50=c50;c39=promo;c21=portal;TOP=top"}, {"c34", "http://h/c22?c35&c56xx"},
    {"c36", "RR=rr;AA=;CK=self"},                    {"c37", "http://p/c22?c56xx"},
    {"c38", "PLAY MORE\\nNOW"},                       {"c41", "c27=all;G1=g1;G2=none"},
    {"c42", "N1=n1"},                                {"c51", "http://v"},
};

sorv::StaticRef<sorv::Graphics> gScreen;

sorv::MIDlet* fuzzMidlet() {
  sorv::MIDlet* m = sorv::newObject<sorv::MIDlet>();
  m->properties = sorv::Hashtable::create();
  for (const auto& p : kProperties) {
    sorv::Hashtable::put(m->properties, sorv::String::fromCString(p[0]), sorv::String::fromCString(p[1]));
  }
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x80000) return 0;
  if (sorv::fuzz::gApp == nullptr) {
    sorv::fuzz::startRuntime();
    gScreen = sorv::Image::createImage(800, 480)->getGraphics();
  }
  sorv::fuzz::gResource = sorv::fuzz::byteArray(data, size);
  IGP::clinit();
  IGP::initialize(fuzzMidlet(), nullptr, 800, 480, nullptr);
  IGP::isZVipAvailable();
  if (IGP::IsAvailable()) {
    IGP::enterIGP(sorv::String::fromCString("t"), 0);
    for (int32_t i = 0; i < 20 && IGP::state == IGP::kStateLoading; i++) IGP::update(0);
    check(IGP::state == IGP::kStatePage);
    for (int32_t id = -1; !sorv::isNull(IGP::texts.get()) && id <= IGP::texts->length; id++) IGP::getString(id);
    // Every valid page once, its list run down and up, drawn each time.
    for (int32_t page = 0; page < IGP::getPagesCount(); page++) {
      IGP::paint(gScreen);
      for (int32_t a : {IGP::kActionDown, IGP::kActionDown, IGP::kActionUp}) IGP::update(a);
      IGP::paint(gScreen);
      IGP::updateTouchIGP(400, 240);
      for (int32_t f = 0; f < 6; f++) IGP::paint(gScreen);
      IGP::update(IGP::kActionRight);
    }
    IGP::unloadResources(true);
  }
  sorv::fuzz::gResource = nullptr;
  sorv::fuzz::collectNowAndThen();
  return 0;
}
