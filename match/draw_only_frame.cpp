// The match frame's draw-only switch, cleared for every run.
#include "match/ctennis.h"

#include "runtime/static_class.h"

namespace sorv {

bool CTennis::drawOnlyFrame = false;

namespace {

void resetDrawOnlyFrame() { CTennis::drawOnlyFrame = false; }

}  // namespace

SORV_STATIC_INIT(kCTennis, resetDrawOnlyFrame);

}  // namespace sorv
