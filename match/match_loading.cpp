// The match loader (one step a frame behind the loading screen), the court's loading for each
// end, the players' palettes and the take-down of everything the match loaded.
#include <utility>

#include "device/graphics.h"
#include "device/image.h"
#include "device/shell.h"
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ASprite> CGame::portraitSprite;
StaticRef<ASprite> CTennis::introSprite;
StaticRef<ASprite> CTennis::ballSprite0;
StaticRef<ASprite> CTennis::ballSprite1;
StaticRef<ASprite> CTennis::netSprite;
StaticRef<ASprite> CTennis::replaySprite;
StaticRef<ASprite> CTennis::replayBgSprite;
StaticRef<ASprite> CTennis::ballKidSprite;
StaticRef<ASprite> CTennis::judgeSprite;
StaticRef<ASprite> CTennis::courtSprite;
StaticRef<ASprite> CTennis::courtSprite2;
StaticRef<ASprite> CTennis::courtActorSprite;
StaticRef<CActor> CTennis::netActor;
StaticRef<CActor> CTennis::replayActor;
StaticRef<CActor> CTennis::netJudge;
StaticRef<CActor> CTennis::courtActor;
StaticRef<ObjectArray> CTennis::ballKidActors;
StaticRef<ObjectArray> CTennis::linesmen;
StaticRef<ObjectArray> CTennis::courtDecor;
StaticRef<Image> CTennis::courtImage;
StaticRef<Graphics> CTennis::courtGraphics;
int32_t CTennis::courtLayoutMenu = kCourtLayout;
bool CTennis::speedUnitHeld = false;
bool CTennis::mainTournament = false;

namespace {

constexpr int32_t kStepPauseMs = 150;
constexpr int32_t kStatRows = 7, kStatLabelText = 90;
constexpr int32_t kKidCount = 5, kLinesmen = 5, kDecorCount = 4;
constexpr int32_t kDecorAnims[kDecorCount] = {20, 21, 21, 20};
constexpr int32_t kFirstLinesmanItem = 13;
constexpr int32_t kMainTournamentPalette = 4;
constexpr int32_t kTextsLoadingFirst = 72, kTextsLoadingLast = 83;
constexpr int32_t kTextsHintsFirst = 25, kTextsHintsLast = 29;
constexpr int32_t kSpeedUnitOption = 1;
constexpr int32_t kResumeTournamentChoice = 4, kResumeMatchChoice = 5, kTutorialChoice = 6;
constexpr int32_t kTournamentMatchRecord = 7, kStoredMatchRecord = 5;

String* packName(int32_t constant) { return StaticClass::getConstant(constant); }

int32_t category() { return aload(CGame::matchSettings.get(), 0); }

ObjectArray* teamSprites(bool userTeam) {
  return userTeam ? CGame::actionSprites0.get() : CGame::actionSprites1.get();
}

// A sprite of the open pack into one slot of a team's table.
void loadActionSprite(bool userTeam, int32_t slot, int32_t pack, bool first, bool close) {
  const int32_t part = slot >= CTennis::kPartnerSlot ? 1 : 0;
  const int32_t entry = CTennis::GetSpriteActionIDx(userTeam, slot, part);
  ASprite* sprite = CGame::loadSprite(first ? packName(pack) : nullptr, false, entry, close);
  astore(teamSprites(userTeam), slot, sprite);
}

// The odd steps open an action pack; in mixed doubles the even step reads the partner's
// entry and closes it, else the odd step closes it at once.
void actionStep(bool userTeam, int32_t slot, int32_t pack, bool partnerStep) {
  const bool mixed = category() == CTennis::kMixedCategory;
  if (!partnerStep) return loadActionSprite(userTeam, slot, pack, true, !mixed);
  if (mixed) loadActionSprite(userTeam, slot + CTennis::kPartnerSlot, pack, false, true);
}

IntArray* characterPalette(int32_t character) { return CGame::getPalyerPal(character); }

void setPalette(ASprite* sprite, int32_t palette, int32_t character) {
  if (isNull(sprite)) return;
  sprite->changePalette(characterPalette(character), palette, nullptr);
}

CActor* newActor(ASprite* sprite, int32_t animation, int32_t loop) {
  return CActor::create(sprite, animation, loop);
}

ObjectArray* actors(ASprite* sprite, int32_t count, const int32_t* anims, int32_t loop) {
  ObjectArray* list = Array::newObjectArray(kCActor, count);
  for (int32_t i = 0; i < count; i++) astore(list, i, newActor(sprite, anims == nullptr ? 0 : anims[i], loop));
  return list;
}

// The court people's palette: 4 in a main tournament, else the court type (type 3 uses 2).
int32_t courtPeoplePalette() {
  if (CTennis::mainTournament) return kMainTournamentPalette;
  return CTennis::currentCourt == 3 ? 2 : CTennis::currentCourt;
}

void buildStatLabels() {
  if (!isNull(CGame::statLabels)) return;
  CGame::statLabels = Array::newObjectArray(kObjectArray, kStatRows);
  for (int32_t row = 0; row < kStatRows; row++) {
    ObjectArray* pair = Array::newObjectArray(kString, 2);
    astore(CGame::statLabels.get(), row, pair);
    for (int32_t c = 0; c < 2; c++) astore(pair, c, CGame::GetString(1, kStatLabelText + row));
  }
}

void loadStoredMatchIfAny() {
  const int32_t choice = CGame::mainMenuChoice;
  if ((choice == kResumeMatchChoice && CGame::hasRecord(kStoredMatchRecord)) ||
      (choice == kResumeTournamentChoice && CGame::hasRecord(kTournamentMatchRecord))) {
    CTennis::saveLoadMatch(false);
  }
}

void createMainPlayers() {
  CTennis* match = CGame::matchObject.get();
  CTennis::player = CTennis::createPlayer(match, true, true, 0, CGame::playerChoice1, -1, -1);
  if (CGame::isCareer && !isNull(CTennis::player)) {
    CTennis::player->initPlayerAttr(CGame::makeAttrLvArray());
    CTennis::player->level = (CGame::careerAbility - 1) / 20 + 1;
  }
  CTennis::rival = CTennis::createPlayer(match, false, false, 0, CGame::playerChoice2,
                                         CGame::playerChoiceValues[1][0], CGame::playerChoiceValues[1][1]);
  CTennis::setPlayerAttr(CTennis::rival, 0);
}

void runStep(int32_t step) {
  switch (step) {
    case 0: case 1: case 31: case 32:
      System::gc();
      Shell::sleep(1);
      return;
    case 2:
      ASprite::ResetPoolData();
      ASprite::DisablePool();
      if (!isNull(CGame::matchObject)) CGame::matchObject->init();
      return;
    case 3:
      CGame::Lib_Open(packName(kConstTextPack), false);
      CGame::Str_LoadPack(1, CGame::Lib_GetData(kTextEntryOfPack[1], false, nullptr), nullptr);
      CGame::Lib_Close();
      buildStatLabels();
      return;
    case 4: {
      ASprite* intro = CGame::loadSprite(packName(kConstPlayerPack), false, kPlayerIntro, true);
      CTennis::introSprite = intro;
      // The attribute cards and the serving portrait need the portraits the menus dropped.
      if (isNull(CGame::portraitSprite)) {
        CGame::portraitSprite = CGame::loadSprite(packName(kConstMenuExtPack), false, kPortraitSprite, true);
      }
      if (isNull(intro)) return;
      const bool doubles = CGame::isDouble();
      intro->setPaletteCount(doubles ? 4 : 2);
      setPalette(intro, 0, CGame::playerChoice1);
      setPalette(intro, 1, CGame::playerChoice2);
      if (doubles) {
        setPalette(intro, 2, CGame::playerChoice3);
        setPalette(intro, 3, CGame::playerChoice4);
      }
      return;
    }
    case 5: case 6: return actionStep(true, 1, kConstStrokesUser, step == 6);
    case 7: case 8: return actionStep(true, 0, kConstRunningUser, step == 8);
    case 9: case 10: return actionStep(false, 1, kConstStrokesRival, step == 10);
    case 11: case 12: return actionStep(false, 0, kConstRunningRival, step == 12);
    case 13: case 14: return actionStep(true, 2, kConstSpecialUser, step == 14);
    case 15: case 16:
      actionStep(false, 2, kConstSpecialRival, step == 16);
      if (step == 16) {
        CTennis::setActionSpritePalette(CGame::actionSprites0);
        CTennis::setActionSpritePalette(CGame::actionSprites1);
        CGame::loadingSprite = nullptr;
        CGame::loadingButtonsSprite = nullptr;
      }
      return;
    case 17: return loadStoredMatchIfAny();
    case 18:
      CGame::Lib_Open(packName(kConstMatchPack), false);
      CTennis::ballSprite0 = CGame::loadSprite(nullptr, false, kMatchServeMeter, false);
      CTennis::ballSprite1 = CGame::loadSprite(nullptr, false, kMatchSpeedLines, false);
      return createMainPlayers();
    case 19:
      CTennis::hudSprite = CGame::loadSprite(nullptr, false, kMatchHud, false);
      CTennis::netSprite = CGame::loadSprite(nullptr, false, kMatchNet, false);
      if (!isNull(CTennis::netSprite)) CTennis::netSprite->SetCurrentPalette(CTennis::currentCourt);
      return;
    case 20:
      CTennis::netActor = newActor(nullptr, CTennis::getNetAnim(), 0);
      if (isNull(CTennis::replaySprite)) {
        CTennis::replaySprite = CGame::loadSprite(nullptr, false, kMatchInterface, true);
      } else {
        CGame::Lib_Close();
      }
      return;
    case 21: return CGame::Lib_Open(packName(kConstMatchFxPack), false);
    case 22:
      CTennis::replayBgSprite = CGame::loadSprite(nullptr, false, kMatchFxReplayBackground, false);
      if (isNull(CTennis::replayActor)) CTennis::replayActor = newActor(CTennis::replaySprite, 0, 0);
      return;
    case 23: {
      ASprite* kids = CGame::loadSprite(nullptr, false, kMatchFxBallKids, false);
      CTennis::ballKidSprite = kids;
      if (!isNull(kids)) kids->SetCurrentPalette(courtPeoplePalette());
      CTennis::ballKidActors = actors(kids, kKidCount, nullptr, -2);
      return;
    }
    case 24: {
      ASprite* judges = CGame::loadSprite(nullptr, false, kMatchFxJudges, false);
      CTennis::judgeSprite = judges;
      // The judges' sprite also holds the match's effects: signals, hit and stroke effects.
      CTennis::effectsSprite = judges;
      if (!isNull(judges)) judges->SetCurrentPalette(courtPeoplePalette());
      CTennis::netJudge = newActor(judges, 0, -2);
      return;
    }
    case 25:
      CGame::gfx_loadDust();
      CGame::Lib_Close();
      [[fallthrough]];
    case 26:
      if ((CTennis::currentCourt == 3 ? 2 : CTennis::currentCourt) == 0) {
        CTennis::courtDecor = actors(CTennis::hudSprite, kDecorCount, kDecorAnims, 0);
      }
      return;
    case 27:
      CTennis::a_loadCourt(CTennis::currentCourt, isNull(CTennis::resumedServer) ? 1 : CTennis::courtEnd);
      ASprite::setTempBufferSize(ASprite::kDecodeBufferSize);
      return;
    case 28: GameSound::loadAll(); return;
    case 30:
      CTennis::ball = RigidBody::create(CGame::matchObject, RigidBody::kTypeBall);
      ASprite::EnablePool();
      return;
    default: return;
  }
}

// A match from the menus starts at once unless it is the first of the run from a choice that
// offers the tutorial first.
bool startsAtOnce() {
  const int32_t choice = CGame::mainMenuChoice;
  if (choice == kTutorialChoice) return false;
  if (CGame::playCount > 1) return true;
  return choice != 2 && choice != 3 &&
         !(choice == kResumeMatchChoice && !CGame::hasRecord(kStoredMatchRecord)) &&
         !(choice == kResumeTournamentChoice && !CGame::hasRecord(kTournamentMatchRecord));
}

// The shell asks once more after the last step: the match must start only once.
bool loadingFinished = false;

void finishLoading() {
  if (!CGame::loadingShown || loadingFinished) return;
  loadingFinished = true;
  CGame::FreeString(1, kTextsLoadingFirst, kTextsLoadingLast);
  CGame::FreeString(1, kTextsHintsFirst, kTextsHintsLast);
  if (startsAtOnce()) {
    CTennis::startFormalMatch();
  } else {
    CTennis::switchToQueryTraining(0, 0);
  }
}

}  // namespace

int32_t CTennis::GetSpriteActionIDx(bool, int32_t, int32_t part) {
  const int32_t c = category();
  if (c == kMixedCategory) return part;
  return c == 2 || c == 3 ? 1 : 0;
}

int32_t CTennis::Loading() {
  SORV_FRAME("CTennis.Loading()I");
  const int32_t step = CGame::loadingStep;
  if (step == 0) loadingFinished = false;
  runStep(step);
  if (step < kLoadingSteps) {
    System::gc();
    Shell::sleep(kStepPauseMs);
  }
  CGame::loadingStep = step + 1;
  if (CGame::loadingStep < kLoadingSteps) return CGame::loadingStep * 100 / kLoadingSteps;
  finishLoading();
  return -1;
}

void CTennis::setActionSpritePalette(ObjectArray* sprites) {
  SORV_FRAME("CTennis.setActionSpritePalette([LASprite;)V");
  if (isNull(sprites)) return;
  const bool opponents = sprites == CGame::actionSprites1.get();
  int32_t first = opponents ? CGame::playerChoice2 : CGame::playerChoice1;
  int32_t second = opponents ? CGame::playerChoice4 : CGame::playerChoice3;
  const bool doubles = CGame::isDouble();
  const bool mixed = doubles && category() == kMixedCategory;
  // The women's sprite is the second one whoever was picked first: the colours follow the
  // sprite a player is drawn with, or a woman picked first would wear her partner's colours.
  if (mixed && first >= kFirstWoman && second < kFirstWoman) std::swap(first, second);
  for (int32_t k = 0; k < kSpriteKinds; k++) {
    setPalette(static_cast<ASprite*>(aload(sprites, k)), 0, first);
    if (!doubles) continue;
    if (mixed) {
      setPalette(static_cast<ASprite*>(aload(sprites, k + kPartnerSlot)), 0, second);
    } else {
      setPalette(static_cast<ASprite*>(aload(sprites, k)), 1, second);
    }
  }
}

namespace {

String* courtPack() { return packName(kConstCourtPack); }

void cacheAll(ASprite* sprite) {
  if (!isNull(sprite)) sprite->BuildCacheImages(0, 0, -1, -1, false);
}

// A layout frame the court's sprites hold: one outside them logs once and draws nothing.
bool layoutFrameFits(int32_t menu, int32_t item, int32_t frame) {
  static bool logged = false;
  ASprite* sprite = CGame::MenuGetItemSprite(menu, item);
  const int32_t id = frame == -1 ? CGame::GetMenuItemFrameID(menu, item) : frame;
  const bool fits = !isNull(sprite) && !isNull(sprite->frameFModuleCount) && id >= 0 &&
                    id < sprite->frameFModuleCount->length;
  if (!fits && !logged) {
    Debug::trace("court layout %d item %d: frame %d is not in its sprite", menu, item, id);
    logged = true;
  }
  return fits;
}

void drawLayoutFrame(int32_t menu, int32_t item, int32_t frame, int32_t palette) {
  if (layoutFrameFits(menu, item, frame)) CGame::DrawFrameAsItem(frame, palette, menu, item, false);
}

// The main tournament shows speeds in the first unit: the player's own choice is kept once
// per match and given back at the unload.
void holdSpeedUnit() {
  if (!CTennis::mainTournament || CTennis::speedUnitHeld) return;
  IntArray* options = CGame::optionValues;
  CGame::optionRow1Copy = aload(options, kSpeedUnitOption);
  astore(options, kSpeedUnitOption, 0);
  CGame::RMS(true, CGame::kOptionsRecord);
  CTennis::speedUnitHeld = true;
}

void releaseSpeedUnit() {
  if (!CTennis::speedUnitHeld) return;
  CTennis::speedUnitHeld = false;
  IntArray* options = CGame::optionValues;
  if (aload(options, kSpeedUnitOption) == CGame::optionRow1Copy) return;
  astore(options, kSpeedUnitOption, CGame::optionRow1Copy);
  CGame::RMS(true, CGame::kOptionsRecord);
}

ObjectArray* createLinesmen(int32_t menu) {
  static bool logged = false;
  ObjectArray* list = Array::newObjectArray(kCActor, kLinesmen);
  ASprite* judges = CTennis::judgeSprite;
  const int32_t anims = isNull(judges) || isNull(judges->animAFrameCount) ? 0 : judges->animAFrameCount->length;
  for (int32_t i = 0; i < kLinesmen; i++) {
    const int32_t anim = CGame::GetMenuItemActionID(menu, kFirstLinesmanItem + i);
    const bool fits = anim >= 0 && anim < anims;
    if (!fits && !logged) {
      Debug::trace("court layout %d item %d: animation %d is not in the judges' sprite", menu,
                   kFirstLinesmanItem + i, anim);
      logged = true;
    }
    astore(list, i, newActor(fits ? judges : nullptr, fits ? anim : 0, -2));
  }
  return list;
}

}  // namespace

void CTennis::a_loadCourt(int32_t court, int32_t end) {
  SORV_FRAME("CTennis.a_loadCourt(II)V");
  holdSpeedUnit();
  const bool pictures = court == 2 || court == 3;
  courtLayoutMenu = pictures && mainTournament ? kCourtLayoutMain : kCourtLayout;
  // The pictures stay loaded across a change of ends.
  const bool missing = isNull(courtSprite) || isNull(courtSprite2) || isNull(courtActorSprite);
  if (missing) CGame::Lib_Open(courtPack(), false);
  if (isNull(courtSprite)) {
    const int32_t entry = pictures && mainTournament ? kCourtBackgroundMain : kCourtBackground;
    courtSprite = CGame::loadSprite(nullptr, false, entry, false);
  }
  if (isNull(courtSprite2)) courtSprite2 = CGame::loadSprite(nullptr, false, pictures ? kCourtDecorMain : kCourtDecor, false);
  if (isNull(courtActorSprite)) courtActorSprite = CGame::loadSprite(nullptr, false, kCourtActor, false);
  if (missing) CGame::Lib_Close();
  cacheAll(courtSprite);
  cacheAll(courtSprite2);
  cacheAll(netSprite);
  cacheAll(courtActorSprite);
  if (end == 2) courtLayoutMenu += kCourtLayoutEnd2;
  System::gc();
  ASprite::setTempBufferSize(ASprite::kDecodeBufferSize);

  if (isNull(courtImage)) {
    courtImage = Image::createImage(kCourtImageWidth, kCourtImageHeight);
    if (!isNull(courtImage)) courtGraphics = courtImage->getGraphics();
  }
  if (!isNull(courtGraphics)) {
    Graphics* previous = CGame::GetMenuGfx();
    CGame::SetMenuGfx(courtGraphics);
    const int32_t menu = courtLayoutMenu;
    drawLayoutFrame(menu, 0, court >= 2 ? 0 : court == 1 ? 1 : 2, 0);
    drawLayoutFrame(menu, 1, -1, 0);
    if (matchKind == kKindMatch) drawLayoutFrame(menu, 2, -1, 0);
    if (court != 3) drawLayoutFrame(menu, 3, -1, -2);
    CGame::SetMenuGfx(previous);
  }
  courtActor = nullptr;
  if (court != 3) {
    const int32_t base = pictures && mainTournament ? 0 : 2;
    // Ends 2 and 3 (training) take the second animation of the pair.
    courtActor = newActor(courtActorSprite, base + (end == 1 ? 0 : 1), 0);
  }
  IntArray* losses = courtLossTable;
  if (!isNull(losses) && court >= 0 && 3 * court + 2 < losses->length) {
    courtLossX = losses->elements()[3 * court];
    courtLossY = losses->elements()[3 * court + 1];
    courtLossZ = losses->elements()[3 * court + 2];
  } else {
    Debug::trace("CTennis.a_loadCourt: no bounce losses for court %d", court);
    courtLossX = courtLossY = courtLossZ = 0;
  }
  linesmen = createLinesmen(courtLayoutMenu);
}

void CTennis::loadCourt() {
  SORV_FRAME("CTennis.loadCourt()V");
  if (!changeEnds) return;
  courtEnd = courtEnd == 1 ? 2 : 1;
  System::gc();
  // A match made without its loading (the rules' own checks) has no court to draw again.
  if (!isNull(courtImage)) a_loadCourt(currentCourt, courtEnd);
  // The new end's picture has bare boards: the serve's speed and the clock stay on them
  // through the walk, as they stood before the court turned.
  if (!isNull(courtImage) && currentCourt != 3) {
    drawSpeedToBg(CGame::animatedNumberValue);
    drawTimeToBg(matchStrokes);
  }
  ASprite::setTempBufferSize(ASprite::kDecodeBufferSize);
  fixViewport(courtEnd == 1 ? 0 : -1, 16);
  resetRunPicker();
  resetNetManSprite();
  changeEnds = false;
  saveLoadMatch(true);
}

void CTennis::a_unloadCourt() {
  SORV_FRAME("CTennis.a_unloadCourt()V");
  courtEnd = 1;
  insetShown = false;
  CGame::disablePaintDirectInBuffer();
  introSprite = ballSprite0 = ballSprite1 = netSprite = hudSprite = nullptr;
  replayBgSprite = ballKidSprite = judgeSprite = effectsSprite = nullptr;
  courtSprite = courtSprite2 = courtActorSprite = nullptr;
  netActor = replayActor = netJudge = courtActor = sharedActor = hitEffectActor = nullptr;
  ballKidActors = linesmen = courtDecor = nullptr;
  courtImage = nullptr;
  attrCardUser = attrCardPartner = nullptr;
  courtGraphics = nullptr;
  CGame::actionSprites0 = CGame::actionSprites1 = nullptr;
  player = rival = partner = rivalPartner = server = nullptr;
  players = nullptr;
  playerCount = 0;
  ball = nullptr;
  ballKids = nullptr;
  objectList = nullptr;
  CAE::ClearAchiQueue();
  releaseSpeedUnit();
  mainTournament = false;
  currentCourt = 2;
  isTraining = false;
}

}  // namespace sorv
