// The shell as the menus leave it, for the match benchmarks: the back buffer, the menu data,
// the boot sprite, the tables, the achievements, the records and every menu resource but
// the sounds.
#pragma once

#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/static_class.h"
#include "tools/data/resource_ids.h"

namespace sorv::bench {

inline void loadShellAsMenusLeaveIt() {
  constexpr int32_t kMenuResourceSteps = 28, kSoundStep = 27;
  CGame::gameCanvas = newObject<CGame>();
  CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
  CGame::gfx = CGame::backBufferGraphics;
  CGame::LoadMenuData();
  CGame::bootSprite = CGame::loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSprite, false);
  CGame::initArrays();
  CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
  CGame::Lib_Close();
  CGame::initRMS();
  for (int32_t step = 1; step <= kMenuResourceSteps; step++) {
    if (step == kSoundStep) continue;
    CGame::loadingStep = step;
    CGame::loadMenuRes();
  }
}

}  // namespace sorv::bench
