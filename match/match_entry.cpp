// The match's start after loading and the players' entry to the court: the camera scrolls
// across the court and down, each team walks in at its mark with a bar naming it, and at
// the bottom of the scroll the match serves.
#include "device/graphics.h"
#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CTennis::enterCourtRivalFrames = 0;
int32_t CTennis::enterCourtUserFrames = 0;
StaticRef<Image> CTennis::attrCardUser;
StaticRef<Image> CTennis::attrCardPartner;

namespace {

constexpr int32_t kTutorialChoice = 6, kMenusState = 4;
constexpr int32_t kApplauseSound = 20;
constexpr int32_t kCardTextsFirst = 30, kCardTextsLast = 33;
constexpr int32_t kUserEntryText = 58, kRivalEntryText = 59;
constexpr int32_t kConstNameJoiner = 76, kConstPartnerJoiner = 77, kConstEntryEnd = 78;
constexpr int32_t kEntryBarDuration = 21;
constexpr int32_t kUserItem = 9, kPartnerItem = 10, kRivalItem = 11, kRivalPartnerItem = 12;
constexpr int32_t kFrontItem = 3;
constexpr int32_t kLayoutYOffset = 32;

int32_t category() { return aload(CGame::matchSettings.get(), 0); }

// Players of categories 2 and 3 walk in with the entry sprite's second animation.
int32_t entryAnimation() { return category() == 2 || category() == 3 ? 1 : 0; }

// The player's animation actor doubles as its entry actor.
CActor* entryActor(CPlayer* p) {
  if (isNull(p)) return nullptr;
  if (isNull(p->animActor)) p->animActor = CActor::create(nullptr, 0, 0);
  return p->animActor;
}

CPlayer* teamPlayer(bool userSide, bool mate) {
  if (userSide) return mate ? CTennis::partner.get() : CTennis::player.get();
  return mate ? CTennis::rivalPartner.get() : CTennis::rival.get();
}

void forEachPlayer(void (*f)(CPlayer*)) {
  ObjectArray* all = CTennis::players;
  for (int32_t i = 0; !isNull(all) && i < CTennis::playerCount && i < all->length; i++) {
    if (auto* p = static_cast<CPlayer*>(all->elements()[i]); !isNull(p)) f(p);
  }
}

void appendName(StringBuffer* sb, CPlayer* p) {
  if (String* name = isNull(p) ? nullptr : p->getPlayerName(); !isNull(name)) StringBuffer::appendString(sb, name);
}

// "Opponent: " + name [+ " / " + partner's name] + "."
String* entryText(bool userSide) {
  StringBuffer* sb = StringBuffer::create(32);
  StringBuffer::appendString(sb, CGame::GetString(1, userSide ? kUserEntryText : kRivalEntryText));
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstNameJoiner));
  appendName(sb, teamPlayer(userSide, false));
  if (CTennis::isDoubles) {
    StringBuffer::appendString(sb, StaticClass::getConstant(kConstPartnerJoiner));
    appendName(sb, teamPlayer(userSide, true));
  }
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstEntryEnd));
  return sb->toString();
}

void walkIn(CPlayer* p, int32_t loop) {
  if (CActor* a = entryActor(p); !isNull(a)) a->setSprite(CTennis::introSprite, entryAnimation(), loop);
}

// A team starts walking in: its actors, its bar and, for the user's team, the cards.
void startTeamEntry(bool userSide) {
  walkIn(teamPlayer(userSide, false), -1);
  if (CTennis::isDoubles) walkIn(teamPlayer(userSide, true), -1);
  CTennis::initBarMessage(entryText(userSide), 0, kEntryBarDuration, true, false, false, false);
  if (!userSide) return;
  CTennis::attrCardUser = CTennis::createPlayerAttrImage(CTennis::player, CTennis::attrCardUser);
  if (!isNull(CTennis::partner)) {
    CTennis::attrCardPartner = CTennis::createPlayerAttrImage(CTennis::partner, CTennis::attrCardPartner);
  }
}

void layoutPoint(int32_t item, int32_t* x, int32_t* y) {
  const int32_t packed = CGame::GetMenuItemPosition(CTennis::courtLayoutMenu, item);
  *x = static_cast<int16_t>(packed & 0xFFFF) - CTennis::viewX;
  *y = static_cast<int16_t>(packed >> 16) - CTennis::viewY - kLayoutYOffset;
}

// One entry actor at its layout item, in its player's palette of the entry sprite.
void drawEntryActor(CPlayer* p, int32_t item, int32_t palette) {
  CActor* a = isNull(p) ? nullptr : p->animActor;
  if (isNull(a) || isNull(a->sprite)) return;
  ASprite* sprite = a->sprite;
  const int32_t before = sprite->GetCurrentPalette();
  if (palette < sprite->paletteCount) sprite->SetCurrentPalette(palette);
  int32_t x, y;
  layoutPoint(item, &x, &y);
  a->update(x, y);
  sprite->SetCurrentPalette(before);
}

// The scroll's marks, the second phase and the end of the entry.
void runEntryScroll() {
  const int32_t x = CTennis::viewX, before = x - CTennis::scrollX;
  if (x < CTennis::kEntryRivalMark && before >= CTennis::kEntryRivalMark) startTeamEntry(false);
  if (x < CTennis::kEntryUserMark && before >= CTennis::kEntryUserMark) startTeamEntry(true);
  if (x == 0 && CTennis::scrollX != 0) {
    CTennis::scrollX = 0;
    CTennis::scrollY = 1;
  }
  if (x == 0 && CTennis::viewY >= CTennis::kEntryEndY) {
    CTennis::resetViewport();
    CGame::closeInfoBg();
    CTennis::switchToServing();
  }
}

}  // namespace

int32_t CTennis::startFormalMatch() {
  SORV_FRAME("CTennis.startFormalMatch()I");
  if (CGame::mainMenuChoice == kTutorialChoice) return kMenusState;
  setPlayerAttr(rival, 0);
  initParam();
  if (isDoubles) {
    CTennis* match = CGame::matchObject;
    const int32_t look = category() == 4 ? 0 : 1;
    partner = createPlayer(match, false, true, look, CGame::playerChoice3, CGame::playerChoiceValues[2][0],
                           CGame::playerChoiceValues[2][1]);
    rivalPartner = createPlayer(match, false, false, look, CGame::playerChoice4, CGame::playerChoiceValues[3][0],
                                CGame::playerChoiceValues[3][1]);
  }
  if (!isNull(sharedActor)) sharedActor->setSprite(nullptr, 0, 0);
  resetSmashPoint();
  tutorialIndex = tutorialStep = -1;
  practiceBall = nullptr;
  const bool resumed = !isNull(resumedServer);
  if (resumed) {
    server = resumedServer;
    switchToServing();
    saveLoadMatch(false);
    enterGame();
  } else {
    switchToPlayerEnterCourt();
  }
  resumedServer = nullptr;
  return -1;
}

void CTennis::switchToPlayerEnterCourt() {
  SORV_FRAME("CTennis.switchToPlayerEnterCourt()V");
  initMatch(player);
  // A bar without text is no bar: the match's own message waits for the serve.
  initBarMessage(nullptr, 0, 0, false, false, false, false);
  forEachPlayer([](CPlayer* p) { walkIn(p, p->userTeamSide ? -1 : -2); });
  setMenuSkip();
  // The scroll runs by itself: following the player would hold it still.
  viewX = kEntryStartX;
  viewY = kEntryStartY;
  scrollX = -1;
  scrollY = 0;
  autoFollow = false;
  enterCourtRivalFrames = enterCourtUserFrames = 0;
  matchState = 1;
  GameSound::stopAll();
  GameSound::play(kApplauseSound, false);
}

void CTennis::switchToServing() {
  SORV_FRAME("CTennis.switchToServing()V");
  forEachPlayer([](CPlayer* p) {
    if (!isNull(p->animActor)) p->animActor->setSprite(nullptr, p->animActor->animation, 0);
  });
  if (tutorialIndex == -1) {
    CGame::FreeString(1, kCardTextsFirst, kCardTextsLast);
    forEachPlayer([](CPlayer* p) { p->resetPlayer(); });
  }
  resetSmashPoint();
  enterCourtRivalFrames = enterCourtUserFrames = 0;
  initMatch(server);
}

void CTennis::drawPlayersEnterCourt(bool userSide) {
  if (!userSide) {
    runEntryScroll();
    if (matchState != 1) return;
    if (viewX < kEntryRivalMark) enterCourtRivalFrames++;
    drawEntryActor(rival, kRivalItem, 1);
    if (isDoubles) drawEntryActor(rivalPartner, kRivalPartnerItem, 3);
    return;
  }
  CPlayer* user = player;
  if (viewX >= kEntryUserMark || isNull(user) || isNull(user->animActor) || isNull(user->animActor->sprite)) return;
  enterCourtUserFrames++;
  drawEntryActor(user, kUserItem, 0);
  // The partner follows once the player has stepped on (a one-frame walk counts once ended).
  CActor* walk = user->animActor;
  if (isDoubles && (walk->currentFrame > 0 || walk->ended)) drawEntryActor(partner, kPartnerItem, 2);
}

void CTennis::drawEntryCover() {
  if (currentCourt == 3) return;
  Graphics* previous = CGame::GetMenuGfx();
  CGame::SetMenuGfx(CGame::gfx);
  const int32_t frame = CGame::GetMenuItemFrameID(courtLayoutMenu, kFrontItem) + (courtEnd == 2 ? 1 : 0);
  ASprite* sprite = CGame::MenuGetItemSprite(courtLayoutMenu, kFrontItem);
  if (!isNull(sprite) && !isNull(sprite->frameFModuleCount) && frame >= 0 &&
      frame < sprite->frameFModuleCount->length) {
    // The item's place is a point of the court image, which the scroll moves on the screen:
    // the cover follows it so the gate stays where the background drew it.
    CGame::setMenuPaintPosition(-viewX, -kLayoutYOffset - viewY);
    CGame::DrawFrameAsItem(frame, -2, courtLayoutMenu, kFrontItem, false);
    CGame::resetMenuPaintPosition();
  }
  CGame::SetMenuGfx(previous);
}

}  // namespace sorv
