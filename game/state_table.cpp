// What each state does with its four messages. Most states hand their update and paint to a
// screen of the menus, the match, training or the promotion screen.
#include "game/state_table.h"

#include <array>

#include "device/graphics.h"
#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

constexpr int32_t kOptionsRecord = 2, kFlagsRecord = 15;

constexpr int32_t kBootMinimumMs = 4000;
constexpr int32_t kLastBootLoadingStep = 4;
constexpr int32_t kFirstMenuLoadingStep = 5;
constexpr int32_t kLoadingBarColour = 0x33BF02;
constexpr int32_t kTitleMusic = 0;
constexpr int32_t kSoundQuestionConfirm = 0x70020;  // fire, "5", either soft key
constexpr int32_t kSoundQuestionToggle = 0x3104;    // "2", "8", left, right
constexpr int32_t kTitleKeys = 0x10020;             // fire or "5"
constexpr int32_t kSoundCountdownFrames = 10;
constexpr int32_t kTitleBlinkPeriod = 12;
constexpr int32_t kMainMenuState = 5;
constexpr int32_t kTitleState = 3;
constexpr int32_t kMenuResourcesState = 63;
constexpr int32_t kLoadingState = 11;
constexpr int32_t kMatchState = 40;
constexpr int32_t kPauseState = 42;
constexpr int32_t kTrainingState = 44;
constexpr int32_t kTournamentTableState = 56;
constexpr int32_t kPromoTitleText = 94;

int64_t now() { return System::currentTimeMillis(); }

void playTitleMusic() { GameSound::play(kTitleMusic, true); }

void clearDemoPlayers() {
  CGame::demoPlayer = nullptr;
  CGame::demoPlayerAlt = nullptr;
}

void drawBootBar() {
  if (CGame::loadingProgress >= 0) {
    CGame::drawLoadingBar(kLoadingBarColour, 456, 120, 3, CGame::loadingProgress);
  }
}

// State 0, the boot: every message first empties and disables the image pools.
void bootPools() {
  ASprite::ResetPoolData();
  ASprite::DisablePool();
}

void bootEnter() {
  bootPools();
  CGame::menuImage = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::initLoad(-1);
  CGame::LoadMenuData();
  CGame::initCareerMatchLocation(44, 1);
  CGame::initCareerHomeLocation(44, 30);
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CGame::bootSprite = CGame::loadSprite(nullptr, false, kBootSprite, false);
  CGame::initArrays();
  CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
  CGame::bootTime = now();
}

void bootUpdate() {
  bootPools();
  if (CGame::loadingStep <= kLastBootLoadingStep) {
    CGame::loadingProgress = CGame::loadMenuRes();
    if (CGame::loadingStep <= kLastBootLoadingStep) return;
  }
  if (now() - CGame::bootTime >= kBootMinimumMs) {
    astore(CGame::optionValues.get(), 0, 1);
    CGame::SWITCH_STATE(kMenuResourcesState);
  }
}

void bootPaint() {
  bootPools();
  CGame::DrawMenu(0, false);
  drawBootBar();
}

void bootExit() {
  bootPools();
  ASprite::EnablePool();
  System::gc();
}

void soundQuestionUpdate() {
  if ((CGame::keysPressed & kSoundQuestionConfirm) != 0) {
    astore(CGame::optionValues.get(), 0, CGame::choiceIndex);
    CGame::soundCountdown = kSoundCountdownFrames;
  }
  if ((CGame::keysPressed & kSoundQuestionToggle) != 0) CGame::choiceIndex = (CGame::choiceIndex + 1) % 2;
  if (CGame::soundCountdown == 0) {
    CGame::SWITCH_STATE(kMenuResourcesState);
  } else if (CGame::soundCountdown > 0) {
    CGame::soundCountdown--;
  }
}

void soundQuestionPaint() { CGame::DrawMenu(3, true); }

// The title picture for the menus: the splash in its second palette.
void paintTitlePicture() {
  ASprite* splash = CGame::loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSplash, true);
  if (isNull(splash) || isNull(CGame::menuImage)) return;
  // Painted once and dropped: pooled, its module images would outlive it.
  splash->disablePool(false);
  splash->SetCurrentPalette(splash->paletteCount <= 1 ? splash->paletteCount - 1 : 1);
  splash->PaintFrame(CGame::menuImage->getGraphics(), 0, 0, 0, 0, 0);
}

// The options and the pop-up flags the player saved; the speed unit is saved again only
// when the options screen's copy of it differs.
void restoreSavedOptions() {
  if (CGame::hasRecord(kOptionsRecord) && CGame::RMS(false, kOptionsRecord) &&
      aload(CGame::optionValues.get(), 1) != CGame::optionRow1Copy) {
    astore(CGame::optionValues.get(), 1, CGame::optionRow1Copy);
    CGame::RMS(true, kOptionsRecord);
  }
  if (CGame::hasRecord(kFlagsRecord)) CGame::RMS(false, kFlagsRecord);
}

void titleUpdate() {
  if ((CGame::keysPressed & kTitleKeys) == 0) return;
  restoreSavedOptions();
  paintTitlePicture();
  CGame::titleCounter = 0;
  CGame::titleShown = true;
  CGame::SWITCH_STATE(kMainMenuState);
}

void titlePaint() {
  if (isNull(CGame::gfx)) return reportError("NullPointer");
  CGame::gfx->drawImage(CGame::menuImage, 0, 0, 0);
  CGame::DrawMenu(4, false);
  if (CGame::frameCounter % kTitleBlinkPeriod < kTitleBlinkPeriod / 2) CGame::DrawStringAsItem(nullptr, 4, 2, false);
}

void toMainMenuEnter() { CGame::initLoad(kMainMenuState); }

void mainMenuEnter() {
  const bool promo = IGP::IsAvailable(), vip = IGP::isZVipAvailable();
  CGame::mainMenuCode = promo && vip ? 64 : vip ? 65 : promo ? 63 : 5;
  CGame::init_MenuFlyIn(CGame::mainMenuCode);
  CGame::resetGlobalData();
  clearDemoPlayers();
  CGame::SetMenu(1);
  if (aload(CGame::optionValues.get(), 0) == 1 && !CGame::titleShown) playTitleMusic();
}

void mainMenuPaint() { CGame::paintMenuFlyIn(); }

void resettingMenuEnter() {
  CGame::leftSoftKeyOff = false;
  CGame::resetGlobalData();
  clearDemoPlayers();
  CGame::SetMenu(1);
  CGame::keepMusicInOptions = false;
}

void resettingMenuUpdate() {
  CGame::leftSoftKeyOff = false;
  CGame::MenuUpdate();
  CGame::keepMusicInOptions = false;
}

void resettingMenuPaint() {
  CGame::leftSoftKeyOff = false;
  CGame::MenuPaint();
}

void resettingMenuExit() { CGame::leftSoftKeyOff = false; }

void aboutEnter() { CGame::updateAbout(0); }
void aboutPaint() { CGame::updateAbout(1); }

void loadingEnter() {
  CGame::loadingProgress = 0;
  CGame::loadingDone = false;
  CGame::loadingShown = false;
  CGame::loadStartTime = now();
  CGame::Lib_Open(StaticClass::getConstant(kConstMenuPack), false);
  CGame::loadingSprite = CGame::loadSprite(nullptr, false, kMenuMain, false, true);
  CGame::loadingButtonsSprite = CGame::loadSprite(nullptr, false, kMenuButtons, false, true);
  CGame::Lib_Close();
}

void loadingExit() { CGame::demoPlayer = nullptr; }

void nameEntryEnter() {
  CGame::enteredName = StaticClass::getConstant(kConstEmpty);
  CGame::NameEntryResetTicker();
  CGame::careerAvatarKind = 0;
  CGame::nameFocus = 0;
  astore(CGame::matchSettings.get(), 0, 0);
  CGame::choiceIndex = 0;
}

void careerHomeEnter() { CGame::MenuClear(); }

void optionsEnter() {
  if (!CGame::keepMusicInOptions) playTitleMusic();
  CGame::ConfigMenu(5);
}

// The training lists stand on the menus' background, not over the screen they came from.
void trainingListEnter() {
  optionsEnter();
  CGame::updateScreenBufferWithStdSplash();
}

void cheatMenuUpdate() {
  CGame::updateCheatMenuCheats();
  CGame::MenuUpdate();
}

void matchEnter() {
  CGame::createScreenBuffer();
  CGame::trainingObject = nullptr;
  if (CTennis::matchState != 1) GameSound::play(-1, false);
  CTennis::matchEnterField = 3;
  CTennis::challengesLeft = 3;
}

void matchFrameCount() { CTennis::matchFrame++; }

void matchPaint() {
  CGame::updateGame();
  CGame::DrawVirtualPad();
}

void toTrainingEnter() {
  // A retry or the next level keeps the training loaded: the menus are already gone.
  if (CTraining::loadingStep == 0) {
    CGame::unloadMenuRes();
    CGame::matchObject = nullptr;
    CGame::freeMemory();
  }
  GameSound::stopAll();
  CGame::initLoad(kTrainingState);
  CGame::trainingObject = nullptr;
  CTennis::loadCounter = 0;
  CGame::trainingObject = CTraining::create();
}

void trainingEnter() { CGame::createScreenBuffer(); }

void trainingPaint() {
  CTennis* training = CGame::trainingObject;
  if (isNull(training)) return reportError("NullPointer");
  if (CGame::paintingIntoBuffer) {
    CGame::drawFrozenMatch(training);
    return CGame::DrawVirtualPad();
  }
  const int32_t next = training->update();
  const int32_t current = CGame::GET_CURRENT_STATE();
  if (current != kPauseState && next != current) CGame::SWITCH_STATE(next);
  CTennis::matchState = 0;
  CGame::DrawVirtualPad();
}

void toTournamentTableEnter() { CGame::initLoad(kTournamentTableState); }
void tournamentSetupEnter() { CGame::switchToTournamentTable(true); }

// Every entry grows the user's line again from nothing; the mark waits for the bracket.
void tournamentTableEnter() {
  CGame::tournamentLineGrowth = 0;
  CGame::tournamentUserMark[0] = CGame::tournamentUserMark[1] = 0;
  CGame::enterTournamentTable();
}

void promoEnter() {
  GameSound::stopAll();
  CGame::freeMemory();
  CGame::titleCounter = 0;
  // The main menu's mark on the promotion entry goes once the player has been there.
  CGame::menuMarkFlag = false;
  CGame::RMS(true, CGame::kMenuMarkRecord);
  IGP::enterIGP(CGame::GetString(0, kPromoTitleText), 0);
}

void promoPaint() { CGame::PaintIGP(CGame::gfx); }

void menuResourcesEnter() { CGame::loadingStep = kFirstMenuLoadingStep; }

void menuResourcesUpdate() {
  CGame::loadingProgress = CGame::loadMenuRes();
  if (CGame::loadingProgress != -1) return;
  if (aload(CGame::optionValues.get(), 0) == 1) {
    GameSound::stopAll();
    playTitleMusic();
  }
  CGame::bootSprite = nullptr;
  CGame::SWITCH_STATE(kTitleState);
}

void menuResourcesPaint() {
  if (CGame::loadingProgress < 0) return;
  CGame::fillRect(CGame::GetMenuGfx(), static_cast<int32_t>(0xFF000000), 0, 0, CGame::kGameWidth,
                  CGame::kGameHeight);
  drawBootBar();
}

void achievementsTablePaint() { CGame::menuPaint_achiTable(0); }

struct StateRow {
  StateHandler enter, update, paint, exit;
};

// States missing from the table have no handler.
constexpr std::array<StateRow, CGame::kStateCount> kStates = [] {
  std::array<StateRow, CGame::kStateCount> t{};
  t[0] = {bootEnter, bootUpdate, bootPaint, bootExit};
  t[2] = {nullptr, soundQuestionUpdate, soundQuestionPaint, nullptr};
  t[3] = {nullptr, titleUpdate, titlePaint, nullptr};
  t[4] = {toMainMenuEnter, nullptr, nullptr, nullptr};
  t[5] = {mainMenuEnter, nullptr, mainMenuPaint, nullptr};
  t[6] = {resettingMenuEnter, resettingMenuUpdate, resettingMenuPaint, resettingMenuExit};
  t[8] = {nullptr, CGame::MenuUpdate, CGame::MenuPaint, nullptr};
  t[9] = {aboutEnter, nullptr, aboutPaint, nullptr};
  t[10] = {nullptr, CGame::menuUpdate_RG_History, CGame::menuPaint_RG_History, nullptr};
  t[11] = {loadingEnter, CGame::updateLoading, CGame::paintLoading, loadingExit};
  t[12] = {nullptr, CGame::switchToPlayGame, nullptr, nullptr};
  t[20] = {CGame::enterLoadCareer, CGame::MenuUpdate, CGame::MenuPaint, nullptr};
  t[21] = {nameEntryEnter, CGame::updateInputName, CGame::paintInputName, nullptr};
  t[22] = {CGame::enterCareerCreateAvastar, CGame::updateCareerCreateAvastar, CGame::paintCareerCreateAvastar, nullptr};
  t[23] = {CGame::enterCareerLobby, CGame::updateCareerLobby, CGame::paintCareerLobby, nullptr};
  t[24] = {careerHomeEnter, CGame::updateCareerHome, CGame::paintCareerHome, nullptr};
  t[26] = {CGame::initCareerUpdate, CGame::updateCareerUpdate, CGame::paintCareerUpdate, nullptr};
  t[30] = {trainingListEnter, CGame::MenuUpdate, CGame::MenuPaint, nullptr};
  t[31] = {nullptr, cheatMenuUpdate, CGame::MenuPaint, nullptr};
  t[kMatchState] = {matchEnter, matchFrameCount, matchPaint, nullptr};
  t[41] = {nullptr, CGame::updateSPEPause, CGame::paintSPEPause, nullptr};
  t[kPauseState] = {nullptr, CGame::updatePause, CGame::paintPause, nullptr};
  t[43] = {toTrainingEnter, nullptr, nullptr, nullptr};
  t[kTrainingState] = {trainingEnter, matchFrameCount, trainingPaint, nullptr};
  t[51] = {CGame::enterSelectCourt, CGame::MenuUpdate_selectCourt, CGame::menuPaint_selectCourt, nullptr};
  t[52] = {nullptr, CGame::MenuUpdate_selectPlayer, CGame::menuPaint_selectPlayer, nullptr};
  t[53] = {CGame::enterLoadTournament, CGame::MenuUpdate, CGame::MenuPaint, nullptr};
  t[54] = {CGame::resetMenuSelectPlayer, CGame::MenuUpdate_selectPlayer, CGame::menuPaint_selectPlayer, nullptr};
  t[55] = {toTournamentTableEnter, nullptr, nullptr, nullptr};
  t[56] = {tournamentSetupEnter, nullptr, nullptr, nullptr};
  t[57] = {tournamentTableEnter, CGame::updateTournamentTable, CGame::paintTournamentTable, nullptr};
  t[58] = {promoEnter, CGame::UpdateIGP, promoPaint, nullptr};
  t[60] = {nullptr, CGame::menuUpdate_achiTable, achievementsTablePaint, nullptr};
  t[61] = {CGame::initAchiView, CGame::menuUpdate_achiViewAchi, CGame::menuPaint_achiViewAchi, nullptr};
  t[62] = {CGame::initRecordView, CGame::menuUpdate_achiViewRec, CGame::menuPaint_achiViewRec, nullptr};
  t[kMenuResourcesState] = {menuResourcesEnter, menuResourcesUpdate, menuResourcesPaint, nullptr};
  t[64] = {IGP::enterZVIP, CGame::UpdateIGP, promoPaint, nullptr};
  return t;
}();

}  // namespace

StateHandler stateHandler(int32_t state, int32_t message) {
  if (state < 0 || state >= CGame::kStateCount) return nullptr;
  const StateRow& row = kStates[static_cast<size_t>(state)];
  switch (message) {
    case CGame::kMsgEnter: return row.enter;
    case CGame::kMsgUpdate: return row.update;
    case CGame::kMsgPaint: return row.paint;
    case CGame::kMsgExit: return row.exit;
    default: return nullptr;
  }
}

}  // namespace sorv
