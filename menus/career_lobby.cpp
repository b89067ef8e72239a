// The career lobby (state 23): the week's world map with the avatar's panel; OK on the place
// under the cursor opens home, starts a training game or enters a tournament the avatar's
// rank admits; screens 35 (rank too low) and 32 (leave the career) lie over it.
#include <algorithm>
#include <cstdint>

#include "device/sound_glue.h"
#include "game/cgame.h"
#include "menus/career_text.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {

namespace {

constexpr int32_t kRankScreen = 35, kLeaveScreen = 32, kHomeScreen = 31;
constexpr int32_t kHomeState = 24, kTrainingLoadState = 43, kMenuState = 6;
constexpr int32_t kBackKey = 0x20000, kOkKeys = 0x50020;
constexpr int32_t kLobbyMenu = 45;
constexpr int32_t kCaptionItem = 9, kWeekItem = 11, kFirstBarItem = 19, kPanelItem = 37, kNameItem = 39;
constexpr int32_t kCornerItems[] = {41, 42};
constexpr int32_t kNameField = 0, kCaptionField = 6, kWorstRankField = 7;
constexpr int32_t kWeekText = 331, kLevelText = 20;
constexpr int32_t kBackLabel = 10, kOkLabel = 9, kNoLabel = -1, kNoAnswerLabel = 14, kYesAnswerLabel = 13;
constexpr int32_t kLevelsShown = 5;
constexpr int32_t kCareerSlotMan = 17, kCareerSlotWoman = 35;

bool womanAvatar() {
  const int32_t mode = aload(CGame::matchSettings.get(), 0);
  return mode == 2 || mode == 3;
}

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

String* menuText(int32_t id) { return CGame::GetString(kTextMenus, id); }

// The unlocked level of a training game, as the level it is played at.
int32_t trainingLevel(int32_t game) {
  const int32_t level = aload(CTraining::unlockedLevels.get(), game);
  return std::clamp<int32_t>(level, 0, CTraining::kLevelCount - 1);
}

String* targetName(int32_t location) {
  String* name = menuText(CGame::careerLocationField(location, kNameField));
  if (location < CGame::kFirstTrainingLocation || location == CGame::kHomeLocation) return name;
  const int32_t level = aload(CTraining::unlockedLevels.get(), location - CGame::kFirstTrainingLocation);
  return careerSpacedText(careerSpacedText(name, menuText(kLevelText)), String::valueOfInt(std::clamp(level + 1, 1, kLevelsShown)));
}

// The screen's own text (text pack 0), as the questions show it.
String* screenText() {
  IntArray* entries = CGame::menuItems.get();
  return isNull(entries) || entries->length == 0 ? nullptr : CGame::GetString(kTextGeneral, entries->elements()[0]);
}

void enterTournament(int32_t location) {
  const int32_t rank = CGame::mapPts2Rank(CGame::careerRankingPoints);
  if (rank > CGame::careerLocationField(location, kWorstRankField)) return CGame::MenuPush(kRankScreen);
  // Played first, so the career saved with the new tournament already holds it.
  CGame::setTournamentPlayed(location);
  CGame::switchToCareerTournamentTable(true);
}

void startTraining(int32_t location) {
  const int32_t game = location - CGame::kFirstTrainingLocation;
  CTraining::selectGame(static_cast<int8_t>(game));
  CTraining::selectLevel(static_cast<int8_t>(trainingLevel(game)));
  CGame::PUSH_STATE(kTrainingLoadState);
  GameSound::stopAll();
}

void chooseTarget() {
  const int32_t location = CGame::careerTargetLocation();
  CGame::scrollStringX = CGame::kTickerRestart;
  if (location == CGame::kHomeLocation) {
    CGame::PUSH_STATE(kHomeState);
    CGame::MenuPush(kHomeScreen);
  } else if (location >= CGame::kFirstTrainingLocation) {
    startTraining(location);
  } else {
    enterTournament(location);
  }
}

void updateLeaveQuestion() {
  if ((CGame::keysPressed & kBackKey) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
  } else if ((CGame::keysPressed & kOkKeys) != 0) {
    CGame::RMS(true, CGame::kCareerRecord);
    CGame::updateScreenBufferWithStdSplash();
    CGame::SWITCH_STATE(kMenuState);
  }
}

// The leave question over the greyed lobby, as the home screen shows it: the lobby's own
// paint would hide the question and leave its keys unexplained.
void paintLeaveQuestion() {
  CGame::drawInterfaceBk(nullptr, kNoAnswerLabel, kYesAnswerLabel);
  CGame::drawOverlapMessage(screenText(), 0, 0, 0, 0);
}

void paintPanel() {
  const int32_t at = CGame::GetMenuItemPosition(kLobbyMenu, kPanelItem);
  CGame::drawPlayerInfo_Career(CGame::demoPlayer, CGame::careerName, CGame::careerHome, CGame::careerRankingPoints,
                               xOf(at), yOf(at), false);
  ByteArray* attributes = CGame::makeAttrPtsArray();
  const int32_t n = isNull(attributes) ? 0 : attributes->length;
  ByteArray* values = Array::newByteArray(n + 1);
  if (isNull(values)) return;
  for (int32_t i = 0; i < n; i++) astore(values, i, aload(attributes, i));
  astore(values, n, static_cast<int8_t>(CGame::careerMental));
  CGame::drawPlayerAbilitySingle(kLobbyMenu, kFirstBarItem, 0, 0, values);
}

}  // namespace

CActor* CGame::createCareerActor() {
  SORV_FRAME("CGame.createCareerActor()LCActor;");
  const bool woman = womanAvatar();
  // Reloaded: a sprite a match of the other sex left would dress the avatar in the wrong body.
  playerSprite = nullptr;
  playerSpriteAlt = nullptr;
  loadDemoPlayer();
  CActor* actor = createRunPlayer();
  if (isNull(actor)) return nullptr;
  setPlayerAnim(actor, woman);
  if (ASprite* sprite = actor->sprite; !isNull(sprite)) {
    sprite->changePalette(buildPlayerPalette(nullptr, careerLook), 0, nullptr);
  }
  ByteArray* kinds = rosterKinds;
  const int32_t slot = woman ? kCareerSlotWoman : kCareerSlotMan;
  actor->remap = !isNull(kinds) && kinds->inBounds(slot) && aload(kinds, slot) == 0;
  return actor;
}

void CGame::enterCareerLobby() {
  SORV_FRAME("CGame.enterCareerLobby()V");
  demoPlayer = createCareerActor();
  RMS(true, kCareerRecord);
  relocateHome();
  sortMatchLocation();
  careerTarget = findTarget();
}

void CGame::updateCareerLobby() {
  SORV_FRAME("CGame.updateCareerLobby()V");
  updateCareerCheats();
  // The rank message is a notice: its one soft key, back, or OK closes it.
  if (menuScreenCode == kRankScreen) {
    if ((keysPressed & (kBackKey | kOkKeys)) != 0) MenuPop();
    return;
  }
  if (menuScreenCode == kLeaveScreen) return updateLeaveQuestion();
  updateWorldMap();
  if ((keysPressed & kBackKey) != 0) {
    updateScreenBufferWithGray();
    MenuPush(kLeaveScreen);
  } else if ((keysPressed & kOkKeys) != 0) {
    chooseTarget();
  }
}

void CGame::paintCareerLobby() {
  SORV_FRAME("CGame.paintCareerLobby()V");
  if (menuScreenCode == kLeaveScreen) return paintLeaveQuestion();
  drawInterfaceBk(nullptr, kNoLabel, kNoLabel);
  paintWorldMap();
  DrawMenu(kLobbyMenu, false);
  for (int32_t item : kCornerItems) DrawAnimationAsItem(-1, -1, -1, kLobbyMenu, item, false);
  DrawStringAsItem(careerSpacedText(menuText(kWeekText), String::valueOfInt(careerWeek + 1)), kLobbyMenu, kWeekItem, false);
  const bool rankMessage = menuScreenCode == kRankScreen;
  if (!rankMessage) drawMenuBar(kBackLabel, kOkLabel, true);
  const int32_t target = careerTargetLocation();
  DrawStringAsItem(targetName(target), kLobbyMenu, kNameItem, false);
  paintPanel();
  DrawStringAsItem(menuText(careerLocationField(target, kCaptionField)), kLobbyMenu, kCaptionItem, false);
  if (!rankMessage) return;
  drawMenuBar(kBackLabel, kNoLabel, true);
  drawOverlapMessage(screenText(), 0, 0, 0, 0);
}

}  // namespace sorv
