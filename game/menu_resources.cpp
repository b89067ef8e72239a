// The menus' resources, loaded one step a frame behind a progress bar (the boot screen and
// the loading screen), and given back before a match.
#include <algorithm>
#include <initializer_list>

#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/menu_screens.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ObjectArray> CGame::historyImages;

namespace {

constexpr int32_t kBootState = 0;
constexpr int32_t kLoadingState = 11;
constexpr int32_t kLastCountedStep = 28;
constexpr int32_t kDoneStep = 30;
// The loading screen shows at least this long, counted from its enter.
constexpr int64_t kLoadingScreenMinMs = 3000;
constexpr int32_t kMenuSpriteCount = 6;
constexpr int32_t kFontCount = 11;
constexpr int32_t kMenuExtCount = 6;
constexpr int32_t kMenuIconCount = 3;
constexpr int32_t kHistorySprite = 0;
constexpr int32_t kMenuSpritesDropped[] = {kMenuThird, kMenuFourth, kMenuFifth};
constexpr int32_t kInterfaceEntry = 4;
constexpr int32_t kMenuActorAnims[] = {0, 33, 34, 2, 3, 5, 1};
// The word lists: two short lists of pack 0, then lists of packs 0 and 2.
struct WordList {
  int32_t pack, first, last;
};
constexpr WordList kWordLists[] = {{0, 47, 61},    {0, 62, 76},    {0, 27, 28},   {2, 161, 162},
                                   {2, 140, 144}, {2, 149, 151}, {2, 152, 160}};
constexpr int32_t kWordListCount = 7;
constexpr int32_t kFirstPackTwoList = 4;  // step 17 rebuilds the lists from here on
constexpr int32_t kNumberWordList = 6;
// Main-menu modules kept as images once the menus are left, and the modules of the
// loading-screen buttons that stay cached.
constexpr std::initializer_list<std::pair<int32_t, int32_t>> kMainMenuKeptRanges = {{9, 10}, {31, 35}, {41, 65}};
constexpr int32_t kButtonModulesKept[] = {6, 7, 8, 9, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 57, 58};
// The weekly update follows a career training game or a retired match before the menus come
// back: its backdrop (menu 49 item 0), its bars (menu 50 item 2's frame and the four levels
// after it) and its rank band (menu 50 item 4's animation) keep what they draw.
constexpr int32_t kUpdateMenu = 49, kUpdateBackdropItem = 0, kUpdateRowMenu = 50, kBarItem = 2, kBandItem = 4;
constexpr int32_t kBarLevels = 5;

ObjectArray* table(StaticRef<ObjectArray>& slot, int32_t length) {
  if (isNull(slot)) slot = Array::newObjectArray(kASprite, length);
  return slot;
}

String* constant(int32_t n) { return StaticClass::getConstant(n); }

void paintSplash() {
  const bool boot = CGame::GET_CURRENT_STATE() == kBootState;
  CGame::splashSprite = CGame::loadSprite(constant(kConstBootPack), false, kBootSplash, !boot);
  ASprite* splash = CGame::splashSprite;
  if (!isNull(splash) && !isNull(CGame::menuImage)) {
    splash->SetCurrentPalette(boot ? 0 : 1);
    splash->PaintFrame(CGame::menuImage->getGraphics(), 0, 0, 0, 0, 0);
  }
  CGame::splashSprite = nullptr;
  if (boot) CGame::bootStateSprite = CGame::loadSprite(nullptr, false, kBootStateSprite, true);
}

void loadTexts() {
  CGame::Lib_Open(constant(kConstTextPack), false);
  CGame::Str_LoadPack(kTextGeneral, CGame::Lib_GetData(kTextEntryOfPack[kTextGeneral], false, nullptr), nullptr);
  CGame::Str_LoadPack(kTextMenus, CGame::Lib_GetData(kTextEntryOfPack[kTextMenus], false, nullptr), nullptr);
  CGame::initStrings();
  CGame::Str_LoadPack(kTextMatch, CGame::Lib_GetData(kTextEntryOfPack[kTextMatch], false, nullptr), nullptr);
  CGame::Lib_Close();
}

void buildWordLists(int32_t from) {
  ObjectArray* lists = table(CGame::menuWordLists, kWordListCount);
  for (int32_t i = from; i < kWordListCount; i++) {
    const WordList& w = kWordLists[i];
    astore(lists, i, CGame::GetString(w.pack, w.first, w.last));
  }
}

void loadFonts() {
  CGame::Lib_Open(constant(kConstFontPack), true);
  ObjectArray* fonts = table(CGame::fontSprites, kFontCount);
  ByteArray* mainMap = CGame::Lib_GetData(kFontMapMain, false, nullptr);
  for (int32_t e : {kFontMain, kFontHint, kFontSmall, kFontCredits}) {
    ASprite* font = CGame::loadSprite(nullptr, true, e, false);
    if (!isNull(font)) font->fontMap = mainMap;
    astore(fonts, e, font);
  }
  CGame::setMiniFontLineSpace(1);
  ByteArray* cachedMap = CGame::Lib_GetData(kFontMapCached, false, nullptr);
  // The cached fonts keep each glyph image from its first draw: built up front for every
  // glyph and palette they would hold more than the whole match needs besides.
  for (int32_t e : {kFontDigits, kFontTitle}) {
    ASprite* font = CGame::loadSprite(nullptr, true, e, false);
    if (!isNull(font)) {
      font->fontMap = cachedMap;
      font->cacheOnFirstDraw = true;
    }
    astore(fonts, e, font);
  }
  CGame::Lib_Close();
}

void loadColours() {
  CGame::Lib_Open(constant(kConstColourPack), false);
  ObjectArray* colours = table(CGame::colourSprites, kColourGroupCount);
  for (int32_t g = 0; g < kColourGroupCount; g++) astore(colours, g, CGame::loadSprite(nullptr, false, g, false));
  CGame::playerPaletteSprite = CGame::loadSprite(nullptr, false, kPlayerPaletteSprite, true);
  buildWordLists(0);
}

// The history images: for each topic screen the history sprite's frame of that number as a
// picture of its own, kept while the menus are loaded. No screen draws them yet: the history's
// paint (as described) shows text only.
ObjectArray* historyImages(ASprite* sprite) {
  ObjectArray* images = Array::newObjectArray(kImage, kHistoryTopicScreens);
  if (isNull(images) || isNull(sprite) || isNull(sprite->frameFModuleCount)) return images;
  const int32_t frames = std::min(sprite->frameFModuleCount->length, kHistoryTopicScreens);
  IntArray* box = Array::newIntArray(4);
  if (isNull(box)) return images;
  for (int32_t f = 0; f < frames; f++) {
    sprite->GetFrameRect(box, f, 0, 0, 0);
    const int32_t w = box->elements()[2], h = box->elements()[3];
    if (w <= 0 || h <= 0) continue;
    Image* image = Image::createImage(w, h);
    if (isNull(image)) return images;
    images->elements()[f] = image;
    sprite->PaintFrame(image->getGraphics(), f, -box->elements()[0], -box->elements()[1], 0, 0, 0);
  }
  return images;
}

// The menu pack streams forward only, so its entries are read in increasing order.
void loadMenuSprites() {
  ObjectArray* menu = table(CGame::menuSprites, kMenuSpriteCount);
  CGame::Lib_Open(constant(kConstMenuPack), false);
  astore(menu, kMenuMain, CGame::loadSprite(nullptr, false, kMenuMain, false));
  astore(menu, kMenuSecond, CGame::loadSprite(nullptr, false, kMenuSecond, false, true));
  astore(menu, kMenuThird, CGame::loadSprite(nullptr, false, kMenuThird, false));
  astore(menu, kMenuFourth, CGame::loadSprite(nullptr, false, kMenuFourth, false, true));
  astore(menu, kMenuFifth, CGame::loadSprite(nullptr, false, kMenuFifth, true, true));
  ObjectArray* ext = table(CGame::menuExtSprites, kMenuExtCount);
  if (isNull(aload(ext, kHistorySprite))) {
    astore(ext, kHistorySprite, CGame::loadSprite(constant(kConstMenuExtPack), false, kHistorySprite, true, true));
  }
  CGame::historyImages = historyImages(static_cast<ASprite*>(aload(ext, kHistorySprite)));
  auto* main = static_cast<ASprite*>(aload(menu, kMenuMain));
  constexpr int32_t kActorCount = static_cast<int32_t>(std::size(kMenuActorAnims));
  ObjectArray* actors = table(CGame::menuActors, kActorCount);
  for (int32_t i = 0; i < kActorCount; i++) astore(actors, i, CActor::create(main, kMenuActorAnims[i], 0));
  CGame::interfaceSprite = CGame::loadSprite(constant(kConstMatchPack), false, kInterfaceEntry, true, true);
}

void loadCachedPack(int32_t pack, StaticRef<ObjectArray>& slot, int32_t count, bool keepFirst) {
  ObjectArray* sprites = table(slot, count);
  CGame::Lib_Open(constant(pack), false);
  for (int32_t e = 0; e < count; e++) {
    if (keepFirst && e == 0 && !isNull(aload(sprites, 0))) continue;
    astore(sprites, e, CGame::loadSprite(nullptr, false, e, false, true));
  }
  CGame::Lib_Close();
}

void runStep(int32_t step) {
  switch (step) {
    case 1:
      ASprite::ResetPoolData();
      ASprite::DisablePool();
      paintSplash();
      return;
    case 2:
      astore(table(CGame::menuSprites, kMenuSpriteCount), kMenuButtons,
             CGame::loadSprite(constant(kConstMenuPack), false, kMenuButtons, true, true));
      return;
    case 3:
      loadTexts();
      return CGame::buildOptionTexts();
    case 4: return loadFonts();
    case 5: return loadColours();
    case 9: return loadMenuSprites();
    case 13: return loadCachedPack(kConstMenuIconPack, CGame::menuIconSprites, kMenuIconCount, false);
    case 17: return buildWordLists(kFirstPackTwoList);
    case 19: return loadCachedPack(kConstMenuExtPack, CGame::menuExtSprites, kMenuExtCount, true);
    case 25: return CGame::loadDemoPlayer();
    case 27: return GameSound::loadAll();
    case 28: return ASprite::EnablePool();
    case 11: case 15: case 21: case 22: case 23: return;
    default: return CGame::freeMemory();
  }
}

void cacheOnly(ASprite* sprite, std::initializer_list<std::pair<int32_t, int32_t>> ranges) {
  if (isNull(sprite)) return;
  for (const auto& [first, last] : ranges) sprite->BuildCacheImages(0, first, last, -1);
  sprite->FreeOriginalData();
}

void keepWeeklyUpdate(ASprite* sprite) {
  if (isNull(sprite)) return;
  if (CGame::MenuGetItemSprite(kUpdateMenu, kUpdateBackdropItem) == sprite) {
    sprite->BuildFrameCacheImages(0, CGame::GetMenuItemFrameID(kUpdateMenu, kUpdateBackdropItem));
  }
  if (CGame::MenuGetItemSprite(kUpdateRowMenu, kBarItem) == sprite) {
    const int32_t bar = CGame::GetMenuItemFrameID(kUpdateRowMenu, kBarItem);
    for (int32_t level = 0; level < kBarLevels; level++) sprite->BuildFrameCacheImages(0, bar + level);
  }
  if (CGame::MenuGetItemSprite(kUpdateRowMenu, kBandItem) == sprite) {
    sprite->BuildAnimationCacheImages(0, CGame::GetMenuItemActionID(kUpdateRowMenu, kBandItem));
  }
}

bool keptButtonModule(int32_t module) {
  return std::find(std::begin(kButtonModulesKept), std::end(kButtonModulesKept), module) !=
         std::end(kButtonModulesKept);
}

}  // namespace

int32_t CGame::loadMenuRes() {
  SORV_FRAME("CGame.loadMenuRes()I");
  runStep(loadingStep);
  loadingStep++;
  if (loadingStep < kDoneStep) return loadingStep * 100 / kLastCountedStep;
  const bool showing = GET_CURRENT_STATE() == kLoadingState &&
                       System::currentTimeMillis() - loadStartTime < kLoadingScreenMinMs;
  return showing ? loadingStep * 100 / kLastCountedStep : -1;
}

void CGame::unloadMenuRes() {
  SORV_FRAME("CGame.unloadMenuRes()V");
  ObjectArray* lists = menuWordLists;
  auto* numbers = static_cast<ObjectArray*>(aload(lists, kNumberWordList));
  if (!isNull(numbers)) std::fill_n(numbers->elements(), numbers->length, nullptr);
  menuWordLists = nullptr;
  Str_UnloadPack(kTextMenus);
  playerSprite = nullptr;
  playerSpriteAlt = nullptr;
  if (ObjectArray* ext = menuExtSprites; !isNull(ext)) std::fill_n(ext->elements(), ext->length, nullptr);
  // The menu pack's sprites no match screen draws; the second stays for the loading screen's
  // bar, which the way into the match still shows.
  if (ObjectArray* dropped = menuSprites; !isNull(dropped)) {
    for (int32_t slot : kMenuSpritesDropped) astore(dropped, slot, nullptr);
  }
  ObjectArray* menu = menuSprites;
  keepWeeklyUpdate(static_cast<ASprite*>(aload(menu, kMenuMain)));
  cacheOnly(static_cast<ASprite*>(aload(menu, kMenuMain)), kMainMenuKeptRanges);
  if (auto* buttons = static_cast<ASprite*>(aload(menu, kMenuButtons)); !isNull(buttons)) {
    for (int32_t p = 0; p < ASprite::kMaxPalettes; p++) {
      for (int32_t m = 0; m < buttons->moduleCount; m++) {
        if (!keptButtonModule(m)) buttons->dropCachedImage(p, m);
      }
    }
    buttons->FreeOriginalData();
  }
  historyImages = nullptr;
  freeMemory();
}

}  // namespace sorv
