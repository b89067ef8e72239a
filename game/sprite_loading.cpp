// Sprites and actors from pack entries: the loadSprite forms, pooled actors, the demo
// player, the dust, the sprite kept for each menu object class and the small font's spacing.
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ASprite> CGame::bootSprite;
StaticRef<ASprite> CGame::splashSprite;
StaticRef<ASprite> CGame::bootStateSprite;
StaticRef<ASprite> CGame::playerSprite;
StaticRef<ASprite> CGame::playerSpriteAlt;
StaticRef<CActor> CGame::demoPlayer;
StaticRef<CActor> CGame::demoPlayerAlt;
StaticRef<ObjectArray> CGame::menuSprites;
StaticRef<ObjectArray> CGame::fontSprites;
StaticRef<ASprite> CGame::extraFontSprite;
StaticRef<ObjectArray> CGame::colourSprites;
StaticRef<ASprite> CGame::playerPaletteSprite;
StaticRef<ObjectArray> CGame::menuExtSprites;
StaticRef<ObjectArray> CGame::menuIconSprites;
StaticRef<ASprite> CGame::interfaceSprite;
StaticRef<ASprite> CGame::loadingSprite;
StaticRef<ASprite> CGame::loadingButtonsSprite;
StaticRef<ObjectArray> CGame::menuActors;
StaticRef<ObjectArray> CGame::menuWordLists;
StaticRef<ASprite> CGame::dustSprite;
StaticRef<CActor> CGame::dustActor0;
StaticRef<CActor> CGame::dustActor1;
int64_t CGame::loadStartTime = 0;

namespace {

constexpr int32_t kActorPoolKind = 1;
constexpr int32_t kDustEntry = 5;
constexpr int32_t kDemoPaletteCount = 4;
constexpr int32_t kTypeHomePicture = 29, kTypeMapIcon = 30, kTypeMapCursor = 31;

ASprite* spriteAt(ObjectArray* table, int32_t index) {
  if (isNull(table) || !table->inBounds(index)) return nullptr;
  return static_cast<ASprite*>(table->elements()[index]);
}

// Women's categories use the second demo sprite.
bool womensMatch() {
  const int32_t mode = aload(CGame::matchSettings.get(), 0);
  return mode == 2 || mode == 3;
}

ASprite* loadDemoSprite(int32_t entry) {
  ASprite* sprite = CGame::loadSprite(StaticClass::getConstant(kConstPlayerPack), false, entry, true);
  if (isNull(sprite)) return nullptr;
  sprite->setPaletteCount(kDemoPaletteCount);
  sprite->changePalette(CGame::getPalyerPal(0), 0, nullptr);
  return sprite;
}

}  // namespace

ASprite* CGame::loadSprite(String* name, bool loadAll, int32_t entry, bool close, int32_t /*ignored*/) {
  SORV_FRAME("CGame.loadSprite(Ljava/lang/String;ZIZI)LASprite;");
  if (!isNull(name)) Lib_Open(name, loadAll);
  ByteArray* data = Lib_GetData(entry, false, nullptr);
  if (close) {
    Lib_Close();
  } else {
    Lib_FreeData(entry);
  }
  ASprite* sprite = ASprite::create();
  // A missing pack or entry is already logged; its sprite stays empty and draws nothing.
  if (sprite != nullptr && !isNull(data)) sprite->Load(data, 0);
  return sprite;
}

ASprite* CGame::loadSprite(String* name, bool loadAll, int32_t entry, bool close) {
  return loadSprite(name, loadAll, entry, close, 0);
}

ASprite* CGame::loadSprite(String* name, bool loadAll, int32_t entry, bool close, int32_t ignored, bool cache) {
  SORV_FRAME("CGame.loadSprite(Ljava/lang/String;ZIZIZ)LASprite;");
  ASprite* sprite = loadSprite(name, loadAll, entry, close, ignored);
  if (!cache || isNull(sprite)) return sprite;
  for (int32_t p = 0; p < sprite->paletteCount; p++) sprite->BuildCacheImages(p, 0, -1, -1);
  sprite->FreeOriginalData();
  System::gc();
  return sprite;
}

ASprite* CGame::loadSprite(String* name, bool loadAll, int32_t entry, bool close, bool cache) {
  return loadSprite(name, loadAll, entry, close, -1, cache);
}

CActor* CGame::newActor() {
  SORV_FRAME("CGame.newActor()LCActor;");
  if (Object* free = p_findFree(kActorPoolKind); !isNull(free)) return static_cast<CActor*>(free);
  CActor* actor = CActor::create(nullptr, 0, 0);
  if (actor != nullptr) p_add(actor);
  return actor;
}

CActor* CGame::createRunPlayer() {
  SORV_FRAME("CGame.createRunPlayer()LCActor;");
  CActor* actor = CActor::create(nullptr, 0, 0);
  setPlayerAnim(actor, false);
  return actor;
}

void CGame::setPlayerAnim(CActor* actor, bool alt) {
  SORV_FRAME("CGame.setPlayerAnim(LCActor;Z)V");
  if (isNull(actor)) return reportError("NullPointer");
  if (!isNull(actor->sprite) && actor->playerSpriteChoice == alt) return;
  actor->setSprite(alt ? playerSpriteAlt.get() : playerSprite.get(), 0, 0);
  actor->playerSpriteChoice = alt;
}

void CGame::loadDemoPlayer() {
  SORV_FRAME("CGame.loadDemoPlayer()V");
  if (isNull(playerSprite)) playerSprite = loadDemoSprite(womensMatch() ? kPlayerDemoWomen : kPlayerDemoMen);
  if (isNull(playerSpriteAlt)) playerSpriteAlt = loadDemoSprite(kPlayerDemoWomen);
}

void CGame::gfx_loadDust() {
  SORV_FRAME("CGame.gfx_loadDust()V");
  if (!isNull(dustSprite)) return;
  dustSprite = loadSprite(nullptr, false, kDustEntry, false);
  dustActor0 = CActor::create(dustSprite, 0, 0);
  dustActor1 = CActor::create(dustSprite, 0, 0);
  dustEnabled = !isNull(dustActor0) && !isNull(dustActor1);
}

ASprite* CGame::GetAnimationIDByClass(int32_t objectClass) {
  switch (objectClass) {
    case 2: return spriteAt(fontSprites, kFontMain);
    case 3: return spriteAt(fontSprites, kFontHint);
    case 4: return spriteAt(fontSprites, kFontSmall);
    case 5: return spriteAt(fontSprites, kFontCredits);
    case 6: return extraFontSprite;
    case 7: return spriteAt(fontSprites, kFontDigits);
    case 8: return spriteAt(fontSprites, kFontTitle);
    case 9: case 10: return bootSprite;
    case 12: return splashSprite;
    case 13: return bootStateSprite;
    case 14: case 15: return spriteAt(menuSprites, kMenuButtons);
    case 16: case 17: return spriteAt(menuSprites, kMenuThird);
    case 18: return spriteAt(menuExtSprites, 0);
    case 19: case 20: return spriteAt(menuSprites, kMenuMain);
    case 21: return spriteAt(menuSprites, kMenuSecond);
    case 22: return interfaceSprite;
    // The court layouts' items while a match is loaded.
    case kTypeCourtPicture: return CTennis::courtSprite;
    case kTypeCourtBoards: return CTennis::courtSprite2;
    case kTypeJudgeFrames: case kTypeJudges: return CTennis::judgeSprite;
    // The selection's roster portraits.
    case kTypeRosterPortrait: return spriteAt(menuExtSprites, kMenuExtPortrait);
    // The career's home pictures (portrait frames from 36) and the world map's icons.
    case kTypeHomePicture: return spriteAt(menuExtSprites, kMenuExtPortrait);
    case kTypeMapIcon: case kTypeMapCursor: return spriteAt(menuExtSprites, kMenuExtMapIcons);
    default: return nullptr;
  }
}

void CGame::setMiniFontLineSpace(int32_t d) {
  ASprite* font = spriteAt(fontSprites, kFontSmall);
  if (isNull(font)) return;
  font->SetLineSpacingToDefault();
  font->lineSpacing += d;
}

}  // namespace sorv
