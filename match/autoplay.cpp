// The self-playing user (SORV_AUTOPLAY=1): the user's player is made a computer player and
// the match answers its own questions as a user would: no training first, OK through the
// match-over pages, back to the menus from the continue question. SORV_AUTOPLAY_AGAIN=K
// makes it answer "play again" K times first, so K + 1 matches run back to back in one
// process and whatever one match leaves behind meets the next. SORV_AUTOPLAY=play plays the
// points only: the match-over pages and the question are the script's (logged once a match).
#include <cstdlib>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/log.h"
#include "runtime/static_class.h"

namespace sorv {

int32_t CTennis::autoplayAgain;
int32_t CTennis::autoplayAgainTaken;

namespace {

bool pagesLogged = false;

// Past this the count is taken as a typing slip, not a soak plan.
constexpr long kMostAgain = 10000;

// A count of matches to play again: anything but a plain whole number 0..kMostAgain is 0.
int32_t againCount(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (*end != '\0' || n < 0 || n > kMostAgain) return 0;
  return static_cast<int32_t>(n);
}

void readAutoplayAgain() {
  CTennis::autoplayAgain = againCount(std::getenv("SORV_AUTOPLAY_AGAIN"));
  CTennis::autoplayAgainTaken = 0;
}

}  // namespace

SORV_STATIC_INIT(kCTennis, readAutoplayAgain);

void CTennis::autoplayKeys() {
  const bool pages = matchState == kStateMatchOver || matchState == kStateContinue;
  if (autoplayPagesToScript && pages) {
    if (!pagesLogged) Debug::trace("autoplay leaves the match-over pages to the script at frame %d", CGame::frameCounter);
    pagesLogged = true;
    return;
  }
  pagesLogged = false;
  switch (matchState) {
    case kStateTrainingQuery:
      if (barClosing == 0) CGame::keysPressed |= CGame::kKeySoftRight;
      break;
    case kStateMatchOver:
      CGame::keysPressed |= CGame::kKeySoftLeft;
      break;
    case kStateContinue:
      if (autoplayAgainTaken < autoplayAgain) {
        autoplayAgainTaken++;
        Debug::trace("autoplay plays again (%d of %d) at frame %d", autoplayAgainTaken, autoplayAgain,
                     CGame::frameCounter);
        CGame::keysPressed |= CGame::kKeySoftLeft;
      } else {
        Debug::trace("autoplay leaves for the menus at frame %d", CGame::frameCounter);
        CGame::keysPressed |= CGame::kKeySoftRight;
      }
      break;
    default:
      break;
  }
}

}  // namespace sorv
