#include "match/ctennis.h"

#include "runtime/static_class.h"

namespace sorv {

int32_t CTennis::matchFrame = 0;
int32_t CTennis::tutorialStep = -1;

namespace {

// A new run starts outside any tutorial, at frame 0.
void resetSeams() {
  CTennis::matchFrame = 0;
  CTennis::tutorialStep = -1;
}

}  // namespace

SORV_STATIC_INIT(kCTennis, resetSeams);

}  // namespace sorv
