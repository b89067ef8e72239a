// The promotion screen on the shipped data: a frame (update and paint) of each kind of page,
// and each loading step on its own. A frame must stay well under 2 ms and a step under the
// 142 ms the game gives a frame.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "bench/data_set_install.h"
#include "device/graphics.h"
#include "device/image.h"
#include "device/midlet.h"
#include "promo/igp.h"
#include "runtime/string.h"
#include "runtime/util_hashtable.h"

namespace sorv {
namespace {

StaticRef<Graphics> gScreen;

// The promotion set up as the midlet's start does, from the shipped app.jad.
void startPromotion() {
  static bool started = false;
  if (started) return;
  started = true;
  bench::startOnDataSet("bench-promo");
  gScreen = Image::createImage(800, 480)->getGraphics();
  MIDlet* midlet = newObject<MIDlet>();
  MIDlet::init(midlet);
  IGP::initialize(midlet, nullptr, 800, 480, nullptr);
  if (!IGP::IsAvailable()) bench::failSetUp("bench-promo", "the shipped promotion is not available");
}

void enterAndLoad() {
  IGP::enterIGP(String::fromCString("More games"), 0);
  for (int32_t i = 0; i < 40 && IGP::state == IGP::kStateLoading; i++) IGP::update(0);
}

void BM_PromoPageFrame(benchmark::State& state) {
  startPromotion();
  enterAndLoad();
  const int32_t page = static_cast<int32_t>(state.range(0));
  for (int32_t i = 0; i < 10 && IGP::currentPage != page; i++) {
    IGP::update(IGP::kActionRight);
    for (int32_t f = 0; f < 6; f++) IGP::paint(gScreen);
  }
  for (auto _ : state) {
    IGP::update(0);
    IGP::paint(gScreen);
  }
  state.SetLabel(IGP::isListPage ? "list" : page == IGP::promoPage ? "promotion" : page == IGP::linkPage ? "link" : "product");
  IGP::unloadResources(true);
}
// Product, promotion, first list, link.
BENCHMARK(BM_PromoPageFrame)->Arg(0)->Arg(3)->Arg(4)->Arg(6)->Iterations(200)->Unit(benchmark::kMicrosecond);

void BM_PromoLoadingStep(benchmark::State& state) {
  startPromotion();
  const int32_t step = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    IGP::unloadResources(true);
    IGP::enterIGP(String::fromCString("More games"), 0);
    for (int32_t s = -1; s < step; s++) IGP::loadResources(s);
    state.ResumeTiming();
    IGP::loadResources(step);
  }
  IGP::unloadResources(true);
}
BENCHMARK(BM_PromoLoadingStep)->DenseRange(-1, 9)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
