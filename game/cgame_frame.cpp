// The canvas: its construction, the paced frame, the paint that runs the state machine and
// turns the back buffer onto the portrait screen, pause and resume, and the hand-over into
// and out of a match.
#include <algorithm>

#include "device/graphics.h"
#include "device/image.h"
#include "device/shell.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "game/zentukr09.h"
#include "match/ctennis.h"
#include "runtime/clock.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/util_random.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {

StaticRef<ZentuKR09> CGame::midlet;
StaticRef<CGame> CGame::gameCanvas;
StaticRef<Display> CGame::gameDisplay;
StaticRef<String> CGame::startProperty;
bool CGame::gameRunning = false;
StaticRef<Image> CGame::backBuffer;
StaticRef<Graphics> CGame::backBufferGraphics;
bool CGame::repaintAll = false;
bool CGame::repaintScreen = false;
bool CGame::frameScratchFlag = false;
int32_t CGame::frameCounter = 0;
int32_t CGame::frameDeadline = 0;
StaticRef<CTennis> CGame::matchObject;
StaticRef<CTennis> CGame::trainingObject;

namespace {

constexpr int32_t kQuarterWidth = 400;
constexpr int32_t kQuarterHeight = 240;
constexpr int32_t kTransRot90 = 5;
constexpr int32_t kSpecialPauseState = 41;
constexpr int32_t kPauseState = 42;
constexpr int32_t kMainMenuBackState = 4;
constexpr int32_t kMatchLoadingTarget = 40;
constexpr int32_t kSpriteBufferSize = 61440;
constexpr int32_t kMatchTextPack = 1;
// Waits between frames are cut into slices so input keeps flowing while the game waits.
constexpr uint32_t kPumpSliceMs = 10;

// Sound is on when the first saved option is 1.
bool soundOptionOn() {
  IntArray* options = CGame::optionValues;
  return !isNull(options) && options->length > 0 && options->elements()[0] == 1;
}

void createBackBuffer() {
  CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  if (isNull(CGame::backBuffer)) return;
  CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
}

void pumpOnce(uint32_t ms) {
  if (Shell* shell = Shell::instance()) {
    shell->pumpEvents(ms);
  } else {
    clock::delay(ms);
  }
}

bool loopStopped() {
  Shell* shell = Shell::instance();
  return !CGame::gameRunning || (shell != nullptr && !shell->running);
}

// A frame starts kFrameMs after the previous one; a slower frame lets the next start at
// once. A tick that went back counts as one millisecond short of a frame, so it waits once.
void waitForFrameStart() {
  int64_t elapsed = System::currentTimeMillis() - CGame::lastFrameTime;
  if (elapsed < 0) elapsed = CGame::kFrameMs - 1;
  const int64_t wait = CGame::kFrameMs - elapsed;
  const int64_t start = System::currentTimeMillis();
  for (;;) {
    const int64_t waited = System::currentTimeMillis() - start;
    // A clock going back during the wait ends it rather than making it endless.
    if (waited < 0 || waited >= wait || loopStopped()) return;
    pumpOnce(static_cast<uint32_t>(std::min<int64_t>(kPumpSliceMs, wait - waited)));
  }
}

// The match's take-down, shared by a finished match and the way back to the menus.
void unloadMatch() {
  CGame::Str_UnloadPack(kMatchTextPack);
  CTennis::a_unloadCourt();
  ASprite::setTempBufferSize(kSpriteBufferSize);
}

}  // namespace

CGame* CGame::create() {
  SORV_FRAME("CGame.<init>()V");
  CGame* self = newObject<CGame>();
  if (self == nullptr) return nullptr;
  gameRunning = true;
  if (isNull(System::getProperty(StaticClass::getConstant(kConstPhoneTypeProperty)))) phoneType = 0;
  GameSound::setSoundOptionReader(soundOptionOn);
  INITIALIZE_STATE();
  initRMS();
  createBackBuffer();
  return self;
}

void* CGame::getInterface(int32_t classId) {
  return classId == kRunnable ? static_cast<Runnable*>(this) : nullptr;
}

void CGame::run() {
  SORV_FRAME("CGame.run()V");
  if (isNull(backBuffer)) createBackBuffer();
  if (!gameRunning) return;
  waitForFrameStart();
  lastFrameTime = System::currentTimeMillis();
  if (Shell* shell = Shell::instance()) shell->flushScreen();
}

void CGame::paint(Graphics* screen) {
  SORV_FRAME("CGame.paint(Ljavax/microedition/lcdui/Graphics;)V");
  if (inPaint || hidden) return;
  inPaint = true;
  gfx = backBufferGraphics;
  SetMenuGfx(gfx);
  const int32_t state = GET_CURRENT_STATE();
  if (pdbActive && state != kSpecialPauseState && state != kPauseState) switchToBuffer();
  if (!UPDATE_DEBUG()) {
    inPaint = false;
    return;
  }
  UpdatePointerEvents();
  softKeysRequested = false;
  UPDATE_MACHINE();
  repaintScreen = true;
  repaintAll = true;
  if (!isNull(gfx)) gfx->setClip(0, 0, kGameWidth, kGameHeight);
  key_updateKey();
  if (frameDeadline != 0 && frameCounter > frameDeadline) frameDeadline = 0;
  frameCounter++;
  inPaint = false;
  frameScratchFlag = false;
  if (isNull(screen)) return reportError("NullPointer");
  // Game point (x, y) lands on screen point (479 - y, x).
  screen->drawRegion(backBuffer, 0, 0, kQuarterWidth, kQuarterHeight, kTransRot90, kQuarterHeight, 0, 0);
  screen->drawRegion(backBuffer, kQuarterWidth, 0, kQuarterWidth, kQuarterHeight, kTransRot90, kQuarterHeight,
                     kQuarterWidth, 0);
  screen->drawRegion(backBuffer, 0, kQuarterHeight, kQuarterWidth, kQuarterHeight, kTransRot90, 0, 0, 0);
  screen->drawRegion(backBuffer, kQuarterWidth, kQuarterHeight, kQuarterWidth, kQuarterHeight, kTransRot90, 0,
                     kQuarterWidth, 0);
}

void CGame::hideNotify() {
  SORV_FRAME("CGame.hideNotify()V");
  hidden = true;
  Pause();
}

void CGame::showNotify() {
  SORV_FRAME("CGame.showNotify()V");
  hidden = false;
  Resume();
}

void CGame::Pause() {
  SORV_FRAME("CGame.Pause()V");
  if (paused) return;
  paused = true;
  if (GET_CURRENT_STATE() != kPauseState) GameSound::pause();
  key_resetKey();
  inPaint = true;
}

void CGame::Resume() {
  SORV_FRAME("CGame.Resume()V");
  lastFrameTime = System::currentTimeMillis();
  if (!paused) return;
  paused = false;
  repaintScreen = true;
  repaintAll = true;
  if (isInGameMenuValid()) {
    initPause(0);
  } else if (GET_CURRENT_STATE() != kPauseState) {
    GameSound::resumeMusic();
  }
  key_resetKey();
  inPaint = false;
}

void CGame::freeMemory() {
  SORV_FRAME("CGame.freeMemory()V");
  System::gc();
  pumpOnce(1);
}

void CGame::resetGlobalData() {
  SORV_FRAME("CGame.resetGlobalData()V");
  // The main menu is outside any career: a match started from it is not the career's.
  isCareer = false;
  std::fill(std::begin(playerSlots), std::end(playerSlots), -1);
  menuSelection = nullptr;
  copyOptionToSettingUI();
}

void CGame::switchToPlayGame() {
  SORV_FRAME("CGame.switchToPlayGame()V");
  unloadMenuRes();
  GameSound::stopAll();
  matchObject = nullptr;
  freeMemory();
  matchObject = CTennis::create(CTennis::kKindMatch);
  // The avatar's ability in a match follows its mental strength (1..100).
  if (isCareer) careerAbility = std::max(1, careerMental);
  CTennis::currentCourt = aload(matchSettings.get(), 4);
  CTennis::loadCounter = 0;
  initLoad(kMatchLoadingTarget);
}

// A pause paints the match (or the training) into the screen buffer, often from inside the
// match's own frame: that pass only draws, and the generator is left as it was.
void CGame::drawFrozenMatch(CTennis* frame) {
  Random* generator = random;
  const uint32_t seedLow = isNull(generator) ? 0 : generator->seedLow;
  const uint32_t seedHigh = isNull(generator) ? 0 : generator->seedHigh;
  const bool wasDrawOnly = CTennis::drawOnlyFrame, wereHeld = CActor::framesHeld;
  CTennis::drawOnlyFrame = CActor::framesHeld = true;
  frame->update();
  CTennis::drawOnlyFrame = wasDrawOnly;
  CActor::framesHeld = wereHeld;
  generator = random;
  if (isNull(generator)) return;
  generator->seedLow = seedLow;
  generator->seedHigh = seedHigh;
}

void CGame::updateGame() {
  SORV_FRAME("CGame.updateGame()V");
  if (isNull(matchObject)) return reportError("NullPointer");
  if (paintingIntoBuffer) return drawFrozenMatch(matchObject);
  const int32_t next = matchObject->update();
  if (next == -1) return;
  careerMatchWon = aload(matchSettings.get(), 1) != 2 && CTennis::careerMatch && CTennis::matchResult[1] == 0 ? 1 : 0;
  unloadMatch();
  matchObject = nullptr;
  freeMemory();
  if (GET_CURRENT_STATE() != next) SWITCH_STATE(next);
}

void CGame::backToMainMenu() {
  SORV_FRAME("CGame.backToMainMenu()V");
  unloadMatch();
  CTraining::unload();
  SWITCH_STATE(kMainMenuBackState);
}

}  // namespace sorv
