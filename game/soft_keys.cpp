// The two soft-key boxes at the bottom corners of the screen: a release inside a box shows
// its pressed picture (drawn by the menu engine from the box's state and softKeyCounter) for
// five frames, then sends the soft key's press and release once.
#include <algorithm>
#include <initializer_list>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"

namespace sorv {

namespace {

constexpr int32_t kSoftLeft = -6, kSoftRight = -7;
constexpr int32_t kReleased = 1, kTouched = 0, kDraggedAway = -1;
constexpr int32_t kSoundQuestionState = 2;
constexpr int32_t kRecordsState = 10, kAchievementsState = 60;
constexpr int32_t kPlayerSelectState = 52, kPartnerSelectState = 54;
// Where the soft keys are not taken at all, by menu screen code.
constexpr int32_t kNoSoftKeyScreens[] = {1, 20, 28};
// Screens and states without a left box, and without a right box.
constexpr int32_t kNoLeftScreens[] = {2, 4, 22, 25, 26, 27, 31, 63};
constexpr int32_t kNoRightScreens[] = {26, 27, 64, 65};
constexpr int32_t kNoRightStates[] = {9, 61, 62};
constexpr int32_t kRecordsScreen = 12;
constexpr int32_t kBoxW = 198, kBoxY = 420, kBoxH = 60, kTallBoxY = 412, kTallBoxH = 68;
constexpr int32_t kRightBoxX = 602;
// A soft key moves the menus on: the shared ticker restarts from the right edge.

template <size_t N>
bool among(int32_t v, const int32_t (&list)[N]) {
  return std::find(std::begin(list), std::end(list), v) != std::end(list);
}

bool among(int32_t v, std::initializer_list<int32_t> list) {
  return std::find(list.begin(), list.end(), v) != list.end();
}

// The pad takes the touches while it is in use.
bool padInUse() {
  return !CGame::isAllVirtualKeyDisabled() && !CGame::isNeedTriningVirtualPad() && !CTennis::raisedPad;
}

// During play, when the in-game menu may open, the screen's touches are the match's.
bool matchPlaying() {
  const int32_t state = CTennis::matchState;
  return !among(state, {1, 7, 8}) && !(state == 2 && CTennis::serveFlag) && CTennis::tutorialKind != 1 &&
         CGame::isInGameMenuValid() && !CTennis::raisedPad;
}

struct Box {
  int32_t x, y, w, h;
};

// The new state of a box: released inside, touched or dragged into it, dragged away.
void trackBox(const Box& b, bool releaseCounts, int32_t& state) {
  if (releaseCounts && CGame::isPointerReleasedInBox(b.x, b.y, b.w, b.h, true)) {
    state = kReleased;
  } else if (CGame::isPointerClickedInBox(b.x, b.y, b.w, b.h, true) ||
             CGame::isPointerDraggingStartInBox(b.x, b.y, b.w, b.h, true)) {
    // The touch is taken, so a drag out of the box afterwards reads as leaving it.
    state = kTouched;
  } else if (CGame::dragX != -1 || CGame::dragY != -1) {
    state = kDraggedAway;
  }
}

void sendKey(int32_t code) {
  CGame* canvas = CGame::gameCanvas;
  if (isNull(canvas)) return reportError("NullPointer");
  canvas->keyPressed(code);
  canvas->keyReleased(code);
}

}  // namespace

void CGame::detectSoftKeys() {
  SORV_FRAME("CGame.detectSoftKeys()V");
  const int32_t state = GET_CURRENT_STATE();
  if (among(menuScreenCode, kNoSoftKeyScreens) || state == kSoundQuestionState) return;
  if (padInUse() || matchPlaying()) return;
  const bool tall = state == kPlayerSelectState || state == kPartnerSelectState;
  const int32_t y = tall ? kTallBoxY : kBoxY, h = tall ? kTallBoxH : kBoxH;
  const bool noLeft = among(menuScreenCode, kNoLeftScreens) || leftSoftKeyOff || state == kRecordsState ||
                      state == kAchievementsState;
  const bool noRight = among(menuScreenCode, kNoRightScreens) || among(state, kNoRightStates) ||
                       (state == kRecordsState && menuScreenCode != kRecordsScreen);
  if (!noLeft) trackBox({0, y, kBoxW, h}, !isInGameMenuValid(), softLeftState);
  if (!noRight) trackBox({kRightBoxX, y, kBoxW, h}, true, softRightState);
  if (softLeftState != kReleased && softRightState != kReleased) return;
  softKeyCounter++;
  // Only on the frame the counter reaches the delay: then it jumps past it, so the key goes
  // once; the menu engine's next soft-key item draw clears the boxes.
  if (softKeyCounter != kSoftKeyDelay) return;
  if (softRightState == kReleased) {
    sendKey(kSoftRight);
    scrollStringX = kTickerRestart;
    softKeyCounter = kSoftKeySent;
  } else if (softLeftState == kReleased) {
    sendKey(kSoftLeft);
    softKeyCounter = kSoftKeySent;
  }
}

}  // namespace sorv
