// The state machine: a stack of at most eight states, the four messages and the per-frame
// update. The states' own handlers are in state_table.cpp.
#include <string>

#include "device/platform/trace.h"
#include "game/cgame.h"
#include "game/state_table.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::loadingStep = 0;
int32_t CGame::loadingProgress = 0;
int32_t CGame::choiceIndex = 0;
int32_t CGame::mainMenuCode = 0;
int64_t CGame::bootTime = 0;
StaticRef<Image> CGame::menuImage;
bool CGame::titleShown = false;
bool CGame::keepMusicInOptions = false;

namespace {

// Test tooling: each change of the current state is one line of the trace.
void traceChange(int32_t from, int32_t to, const char* how) {
  platform::traceEvent("state " + std::to_string(from) + " -> " + std::to_string(to) + " " + how);
}

}  // namespace

void CGame::SM_GS_update(int32_t state, int32_t message) {
  SORV_FRAME("CGame.SM_GS_update(II)V");
  if (state < 0 || state >= kStateCount || message < kMsgEnter || message > kMsgExit) return;
  if (StateHandler handler = stateHandler(state, message)) handler();
}

void CGame::INITIALIZE_STATE() {
  SORV_FRAME("CGame.INITIALIZE_STATE()V");
  key_resetKey();
  stateTop = 0;
  astore(stateStack.get(), 0, 0);
  SetMenuLevel(0, 0);
  SM_GS_update(0, kMsgEnter);
}

void CGame::SWITCH_STATE(int32_t state) {
  SORV_FRAME("CGame.SWITCH_STATE(I)V");
  repaintAll = true;
  key_resetKey();
  const int32_t from = GET_CURRENT_STATE();
  // The old state's exit still sees itself as current.
  SM_GS_update(from, kMsgExit);
  stateTop = 0;
  astore(stateStack.get(), 0, state);
  traceChange(from, state, "switch");
  SetMenuLevel(state, 0);
  SM_GS_update(state, kMsgEnter);
}

void CGame::PUSH_STATE(int32_t state) {
  SORV_FRAME("CGame.PUSH_STATE(I)V");
  // A push past the eighth slot would write outside the stack: refused, nothing changes.
  if (stateTop >= kStateStackSize - 1) {
    Debug::trace("PUSH_STATE(%d): the state stack is full", state);
    return;
  }
  repaintAll = true;
  key_resetKey();
  const int32_t from = GET_CURRENT_STATE();
  stateTop++;
  astore(stateStack.get(), stateTop, state);
  traceChange(from, state, "push");
  SetMenuLevel(state, 0);
  SM_GS_update(state, kMsgEnter);
}

void CGame::POP_STATE() {
  SORV_FRAME("CGame.POP_STATE()V");
  // The bottom state has nothing under it: popping it is refused and sends no message.
  if (stateTop <= 0) {
    Debug::trace("POP_STATE: no state under state %d", GET_CURRENT_STATE());
    return;
  }
  repaintAll = true;
  key_resetKey();
  const int32_t from = GET_CURRENT_STATE();
  SM_GS_update(from, kMsgExit);
  astore(stateStack.get(), stateTop, -1);
  stateTop--;
  traceChange(from, GET_CURRENT_STATE(), "pop");
}

int32_t CGame::GET_CURRENT_STATE() { return aload(stateStack.get(), stateTop); }

int32_t CGame::GET_LAST_STATE() { return stateTop > 0 ? aload(stateStack.get(), stateTop - 1) : -1; }

void CGame::UPDATE_MACHINE() {
  SORV_FRAME("CGame.UPDATE_MACHINE()V");
  SM_GS_update(GET_CURRENT_STATE(), kMsgPaint);
  // Read again: a state entered during the paint gets its update in the same frame.
  SM_GS_update(GET_CURRENT_STATE(), kMsgUpdate);
}

void CGame::switchToGetIGE(int32_t state) { SWITCH_STATE(state); }

}  // namespace sorv
