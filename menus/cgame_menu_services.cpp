// Statics of the menu screens and the career that the game shell and the menu engine share.
#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::titleCounter = 0;
int32_t CGame::careerMatchWon = 0;
int32_t CGame::mainMenuChoice = 0;
int32_t CGame::playerSlots[6] = {};
StaticRef<Object> CGame::menuSelection;

}  // namespace sorv
