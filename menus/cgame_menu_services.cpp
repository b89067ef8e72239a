// The menu screens' and career's operations that the game shell and the menu engine call.
// They do nothing until those screens are built; no call moves when they are.
#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::titleCounter = 0;
int32_t CGame::careerMatchWon = 0;
int32_t CGame::mainMenuChoice = 0;
int32_t CGame::playerSlots[6] = {};
StaticRef<Object> CGame::menuSelection;

void CGame::menuUpdate_achiTable() {}
void CGame::menuPaint_achiTable(int32_t) {}
void CGame::initAchiView() {}
void CGame::menuUpdate_achiViewAchi() {}
void CGame::menuPaint_achiViewAchi() {}
void CGame::initRecordView() {}
void CGame::menuUpdate_achiViewRec() {}
void CGame::menuPaint_achiViewRec() {}

}  // namespace sorv
