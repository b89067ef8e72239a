// The load screen before a tournament (main-menu entry 4, record 6) or a career (record 3):
// continue the saved game or start a new one (screen 11, menu 8, with the saved game's card),
// the question before a save is overwritten (screen 60) and, for a new tournament, the
// choice of the roster group (screen 61, menu 11), which leads to the player selection.
#include <cstdint>
#include <iterator>

#include "device/graphics.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "menus/tournament_shape.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CGame::loadCardShown = 0;
bool CGame::savedTournamentValid = false;

namespace {

constexpr int32_t kChoiceScreen = 11, kOverwriteScreen = 60, kGroupScreen = 61, kChoiceCopyScreen = 62;
constexpr int32_t kChoiceMenu = 8, kTournamentCardMenu = 9, kCareerCardMenu = 10, kGroupMenu = 11;
constexpr int32_t kChoiceTextItem = 11, kGroupRowItem = 1;
constexpr int32_t kTournamentChoice = 4;
constexpr int32_t kNewEntry = 0, kContinueEntry = 1;
constexpr int32_t kPrevKeys = 0x2004, kNextKeys = 0x1100, kModeDownKeys = 0x4010, kModeUpKeys = 0x8040;
constexpr int32_t kBackKey = 0x20000, kSelectKeys = 0x50020;
constexpr int32_t kNameEntryState = 21, kNameEntryScreen = 36, kCareerLobbyState = 23;
constexpr int32_t kMainCourt = 2;
constexpr int32_t kCareerAvatar = 17, kCareerAvatarWomen = 35, kSecondGroup = 18;
constexpr int32_t kBackLabel = 10, kOkLabel = 11;
constexpr int32_t kNewCareerText = 239, kNewTournamentText = 240, kNoSaveText = 32;
constexpr int32_t kRankText = 33, kWeekText = 34;
constexpr int32_t kRoundText = 265, kChampionText = 268, kLastRoundsText = 183;
constexpr int32_t kOrdinalRounds = 4;  // from this many rounds left the round is numbered
constexpr int32_t kGroupTitle = 134;
constexpr int32_t kGroupTexts[] = {145, 146, 144};  // modes 0, 2 and 4
constexpr int32_t kModes = 6;
constexpr int32_t kConstSpace = 76, kConstSlash = 101;
constexpr int32_t kCardLineColour = 0x98A5A5;
constexpr int32_t kSmallFontClass = 4;
// The items of the two cards: the actor's frame, the actor, the name, the lines and texts.
constexpr int32_t kTournamentFrameItem = 1, kTournamentActorItem = 0, kTournamentNameItem = 2;
constexpr int32_t kTournamentLineItem = 3, kTournamentRoundItem = 4;
constexpr int32_t kCareerFrameItem = 0, kCareerActorItem = 1, kCareerNameItem = 2;
constexpr int32_t kCareerRankLineItem = 3, kCareerRankItem = 4, kCareerWeekLineItem = 5, kCareerWeekItem = 6;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

bool tournament() { return CGame::mainMenuChoice == kTournamentChoice; }
int32_t saveRecord() { return tournament() ? CGame::kTournamentRecord : CGame::kCareerRecord; }
int32_t mode() { return aload(CGame::matchSettings.get(), 0); }
void setMode(int32_t m) { astore(CGame::matchSettings.get(), 0, m); }

// A record 6 that failed its check on entering is no save: continuing it would play a
// tournament from damaged fields.
bool hasSave() {
  if (!CGame::hasRecord(saveRecord())) return false;
  return !tournament() || CGame::savedTournamentValid;
}

String* text(int32_t pack, int32_t id) { return CGame::GetString(pack, id); }

String* joined(String* a, int32_t constant, String* b) {
  StringBuffer* sb = StringBuffer::create(32);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendString(sb, a);
  StringBuffer::appendString(sb, StaticClass::getConstant(constant));
  StringBuffer::appendString(sb, b);
  return sb->toString();
}

// The name of whoever holds a draw position: a roster player, the avatar or a generated one.
String* drawName(int32_t pos) {
  IntArray* slots = CGame::drawSlots.get();
  ObjectArray* fakes = CGame::drawFakeNames.get();
  if (isNull(slots) || !slots->inBounds(pos) || isNull(fakes) || !fakes->inBounds(pos)) return nullptr;
  auto* pair = static_cast<ByteArray*>(fakes->elements()[pos]);
  return CGame::gePlayerName(slots->elements()[pos], aload(pair, 0), aload(pair, 1));
}

// The round the saved tournament stands at: numbered while four or more are left, then
// by name (quarter-final, semi-final, final), and the title once all are won.
String* roundText() {
  const int32_t left = CGame::tournamentRoundCount - CGame::tournamentRound;
  if (left <= 0) return text(kTextMenus, kChampionText);
  if (left >= kOrdinalRounds) return joined(CGame::ordinal(CGame::tournamentRound), kConstEmpty, text(kTextMenus, kRoundText));
  return text(kTextMenus, kLastRoundsText - left);
}

// The grey line under a card's line item: to twice the item's x, as the card is laid out.
void cardLine(int32_t menu, int32_t item) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  const int32_t at = CGame::GetMenuItemPosition(menu, item);
  g->setColor(kCardLineColour);
  CGame::DrawLine(xOf(at), yOf(at), xOf(at) + xOf(at), yOf(at));
}

void cardActor(int32_t menu, int32_t frameItem, int32_t actorItem) {
  CGame::DrawMenuItem(menu, frameItem);
  CActor* actor = CGame::pickActorEven;
  if (isNull(actor)) return;
  if (!isNull(actor->sprite)) actor->sprite->SetCurrentPalette(0);
  const int32_t at = CGame::GetMenuItemPosition(menu, actorItem);
  CGame::drawPlayerRect(actor, xOf(at), yOf(at));
}

void paintTournamentCard() {
  cardActor(kTournamentCardMenu, kTournamentFrameItem, kTournamentActorItem);
  String* name = drawName(CGame::userSlot);
  if (CGame::isDouble()) name = joined(name, kConstSlash, drawName(CGame::EvenOddSwitch(CGame::userSlot)));
  CGame::DrawStringAsItem(name, kTournamentCardMenu, kTournamentNameItem, false);
  cardLine(kTournamentCardMenu, kTournamentLineItem);
  if (ASprite* font = CGame::GetAnimationIDByClass(kSmallFontClass); !isNull(font)) font->SetCurrentPalette(0);
  CGame::DrawStringAsItem(roundText(), kTournamentCardMenu, kTournamentRoundItem, false);
}

void paintCareerCard() {
  cardActor(kCareerCardMenu, kCareerFrameItem, kCareerActorItem);
  CGame::DrawStringAsItem(CGame::careerName.get(), kCareerCardMenu, kCareerNameItem, false);
  cardLine(kCareerCardMenu, kCareerRankLineItem);
  CGame::DrawStringAsItem(joined(text(kTextMenus, kRankText), kConstSpace,
                                 String::valueOfInt(CGame::mapPts2Rank(CGame::careerRankingPoints))),
                          kCareerCardMenu, kCareerRankItem, false);
  cardLine(kCareerCardMenu, kCareerWeekLineItem);
  CGame::DrawStringAsItem(joined(text(kTextMenus, kWeekText), kConstSpace, String::valueOfInt(CGame::careerWeek + 1)),
                          kCareerCardMenu, kCareerWeekItem, false);
}

void paintChoice() {
  if (!CGame::repaintAll) return;
  CGame::repaintAll = false;
  CGame::drawInterfaceBk(nullptr, -1, -1);
  CGame::loadCardShown = 1;
  CGame::DrawMenu(kChoiceMenu, true);
  CGame::drawMenuBar(kBackLabel, -1, true);
  if (CGame::menuCursor != kContinueEntry) {
    CGame::DrawStringAsItem(text(kTextMenus, tournament() ? kNewTournamentText : kNewCareerText), kChoiceMenu,
                            kChoiceTextItem, false);
  } else if (!hasSave()) {
    CGame::DrawStringAsItem(text(kTextMenus, kNoSaveText), kChoiceMenu, kChoiceTextItem, false);
    CGame::loadCardShown = 0;
  } else if (tournament()) {
    paintTournamentCard();
  } else {
    paintCareerCard();
  }
}

void paintGroupChoice() {
  CGame::drawInterfaceBk(nullptr, kBackLabel, kOkLabel);
  ObjectArray* options = Array::newObjectArray(0, static_cast<int32_t>(std::size(kGroupTexts)));
  if (isNull(options)) return;
  for (int32_t i = 0; i < options->length; i++) astore(options, i, text(kTextMenus, kGroupTexts[i]));
  const int32_t at = CGame::GetMenuItemPosition(kGroupMenu, kGroupRowItem);
  CGame::drawOptMenu(kTextMenus, kGroupTitle, options, xOf(at), yOf(at), 1, 0, mode() / 2, true, false);
  CGame::loadCardShown = 0;
}

void paintOverwriteQuestion() {
  CGame::drawInterfaceBk(nullptr, kBackLabel, kOkLabel);
  IntArray* entries = CGame::menuItems.get();
  String* question = isNull(entries) || entries->length == 0 ? nullptr : text(kTextGeneral, entries->elements()[0]);
  CGame::drawOverlapMessage(question, 0, 0, 0, 0);
}

void startCareer() {
  CGame::isCareer = true;
  CGame::resetRMS(CGame::kCareerRecord);
  CGame::resetRMS(CGame::kCareerTournamentRecord);
  CGame::resetRMS(tournament::kCareerUnfinishedMatch);
  CGame::PUSH_STATE(kNameEntryState);
  CGame::MenuPush(kNameEntryScreen);
}

// The group choice shows men, women or mixed: an odd (doubles) mode left by a quick match
// becomes the even mode of its group, or stepping by two would reach mode 5, which is none.
void startGroupChoice() {
  // The choice paints only on a full repaint; this frame's has been made.
  CGame::repaintAll = true;
  CGame::updateScreenBuffer(true);
  CGame::updateScreenBufferWithGray();
  CGame::MenuPush(kGroupScreen);
  const int32_t m = mode();
  setMode(m >= 0 && m < kModes - 1 ? m - m % 2 : 0);
  CGame::menuCursor = m == 2 || m == 3 ? 1 : 0;
}

void continueSaved() {
  if (tournament()) {
    CGame::switchToTournamentTable(false);
    CTennis::currentCourt = kMainCourt;
    CTennis::isTraining = false;
  } else {
    CGame::isCareer = true;
    CGame::playerChoice1 = mode() == 2 || mode() == 3 ? kCareerAvatarWomen : kCareerAvatar;
    // A record 4 that fails its check leaves the lobby (its log line is the check's).
    if (!CGame::loadTournamentRecord(CGame::kCareerTournamentRecord)) {
      CGame::SWITCH_STATE(kCareerLobbyState);
    } else {
      CGame::relocateHome();
      CGame::sortMatchLocation();
      CGame::switchToCareerTournamentTable(false);
    }
  }
  CGame::updateScreenBufferWithStdSplash();
}

void updateChoice() {
  const int32_t keys = CGame::keysPressed;
  IntArray* entries = CGame::menuItems.get();
  const int32_t n = isNull(entries) ? 0 : entries->length;
  if ((keys & kPrevKeys) != 0 && n > 0) {
    CGame::menuCursor = (CGame::menuCursor - 1 + n) % n;
    CGame::repaintAll = true;
  } else if ((keys & kNextKeys) != 0 && n > 0) {
    CGame::menuCursor = (CGame::menuCursor + 1) % n;
    CGame::repaintAll = true;
  } else if ((keys & kBackKey) != 0) {
    CGame::resetCareerData();
    CGame::resetTournamentData();
    CGame::MenuPop();
    CGame::POP_STATE();
  } else if ((keys & kSelectKeys) != 0) {
    CGame::loadCardShown = 0;
    if (CGame::menuCursor == kContinueEntry) {
      if (hasSave()) continueSaved();
    } else if (hasSave()) {
      CGame::repaintAll = true;
      CGame::updateScreenBufferWithGray();
      CGame::MenuPush(kOverwriteScreen);
    } else if (tournament()) {
      startGroupChoice();
    } else {
      startCareer();
    }
  }
}

void updateOverwriteQuestion() {
  const int32_t keys = CGame::keysPressed;
  if ((keys & kBackKey) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
  } else if ((keys & kSelectKeys) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::resetRMS(saveRecord());
    CGame::MenuPop();
    if (!tournament()) return startCareer();
    CGame::resetRMS(tournament::kUnfinishedMatch);
    startGroupChoice();
  }
}

void updateGroupChoice() {
  const int32_t keys = CGame::keysPressed;
  if ((keys & kModeDownKeys) != 0) {
    setMode((mode() - 2 + kModes) % kModes);
  } else if ((keys & kModeUpKeys) != 0) {
    setMode((mode() + 2 + kModes) % kModes);
  } else if ((keys & kBackKey) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
  } else if ((keys & kSelectKeys) != 0) {
    CGame::updateScreenBufferWithStdSplash();
    CGame::MenuPop();
    CGame::resetRMS(saveRecord());
    CGame::resetRMS(tournament::kUnfinishedMatch);
    if (tournament()) {
      CTennis::currentCourt = kMainCourt;
      CTennis::isTraining = false;
    }
    CGame::playerSprite = nullptr;
    CGame::playerSpriteAlt = nullptr;
    CGame::loadDemoPlayer();
    CGame::switchToSelectPlayerTournament();
  }
}

}  // namespace

// The saved tournament is loaded and checked here, so the card shows it and the choice
// opens on "continue" when there is one to continue.
void CGame::enterLoadTournament() {
  SORV_FRAME("CGame.enterLoadTournament()V");
  savedTournamentValid = loadTournamentRecord(kTournamentRecord);
  choiceIndex = savedTournamentValid ? kContinueEntry : kNewEntry;
  if (savedTournamentValid) {
    const int32_t player = aload(drawSlots.get(), userSlot);
    playerSprite = nullptr;
    playerSpriteAlt = nullptr;
    loadDemoPlayer();
    pickActorEven = createRunPlayer();
    if (!isNull(pickActorEven)) setPlayerAnim(pickActorEven, player >= kSecondGroup);
    ASprite* sprite = player >= kSecondGroup ? playerSpriteAlt.get() : playerSprite.get();
    if (!isNull(sprite)) sprite->changePalette(getPalyerPal(player), 0, nullptr);
  }
  currentTournament = kQuickTournament;
  menuCursor = choiceIndex;
  // The choice is drawn on the menus' background, not over the main menu it came from.
  updateScreenBufferWithStdSplash();
}

// The saved career is loaded here, so the card shows it, its avatar running in its colours.
void CGame::enterLoadCareer() {
  SORV_FRAME("CGame.enterLoadCareer()V");
  choiceIndex = hasRecord(kCareerRecord) ? kContinueEntry : kNewEntry;
  if (choiceIndex == kContinueEntry) {
    RMS(false, kCareerRecord);
    pickActorEven = createCareerActor();
  }
  menuCursor = choiceIndex;
  updateScreenBufferWithStdSplash();
}

void CGame::MenuUpdate_Load() {
  SORV_FRAME("CGame.MenuUpdate_Load()V");
  switch (menuScreenCode) {
    case kChoiceScreen: return updateChoice();
    case kOverwriteScreen: return updateOverwriteQuestion();
    case kGroupScreen: return updateGroupChoice();
    default: return;
  }
}

void CGame::MenuPaint_Load() {
  SORV_FRAME("CGame.MenuPaint_Load()V");
  switch (menuScreenCode) {
    case kChoiceScreen:
    case kChoiceCopyScreen: return paintChoice();
    case kOverwriteScreen: return paintOverwriteQuestion();
    case kGroupScreen: return paintGroupChoice();
    default: return;
  }
}

}  // namespace sorv
