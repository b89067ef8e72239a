// The career's calendar, its map locations and the world map of the lobby: which places each
// week offers, where they lie, the cursor that jumps between them and the wrapping map
// under it.
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "device/graphics.h"
#include "game/cgame.h"
#include "tools/data/resource_ids.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

StaticRef<ObjectArray> CGame::careerCalendar;
StaticRef<ShortArray> CGame::careerHomeLocations;
StaticRef<CActor> CGame::mapCursor;
int32_t CGame::worldMapX = 0;
int32_t CGame::worldMapY = 0;

namespace {

constexpr int32_t kFields = 10;
constexpr int32_t kIdleFrame = 1, kOfferedFrame = 2, kType = 3, kX = 4, kY = 5;
constexpr int32_t kLastWeek = CGame::kCareerWeeks - 1;
constexpr int32_t kHome = CGame::kHomeLocation, kFirstTraining = CGame::kFirstTrainingLocation;
// The tournament that shares another's place on the map.
constexpr int32_t kSharedPlace = 4, kSharedPlaceOwner = 2;

constexpr int32_t kLobbyMenu = 45, kMapViewItem = 38, kHintItem = 40;
constexpr int32_t kWorldMapEntry = kMenuExtWorldMap, kMapIconEntry = kMenuExtMapIcons;  // of the menus' extra pack
constexpr int32_t kWorldMapFrame = 0;
constexpr int32_t kPreviousKeys = 0x6014, kNextKeys = 0x9140;
// The cursor moves only once the map has nearly arrived, so one press is one jump.
constexpr int32_t kSettled = 17;
constexpr int32_t kScrollDivisor = 7;
// The first weeks point the player at training ground 23 + week.
constexpr int32_t kHintWeeks = 5;

// name, idle frame, offered frame, type, x, y, caption, worst rank, kind, doubles
constexpr int16_t kLocations[CGame::kCareerLocationCount][kFields] = {
    {193, 0, 18, 2, 87, 88, 211, 110, 2, 0},   {194, 0, 18, 2, 522, 260, 212, 140, 2, 0},
    {195, 0, 18, 2, 233, 59, 213, 110, 2, 0},  {196, 0, 18, 2, 242, 73, 214, 100, 2, 0},
    {204, 0, 18, 2, 233, 59, 222, 200, 0, 0},  {197, 0, 18, 2, 389, 122, 215, 200, 1, 0},
    {198, 0, 18, 2, 245, 77, 216, 200, 1, 0},  {199, 0, 18, 2, 248, 83, 217, 200, 1, 0},
    {200, 0, 18, 2, 265, 90, 218, 200, 1, 0},  {201, 0, 18, 2, 257, 67, 219, 200, 1, 0},
    {202, 0, 18, 2, 80, 79, 220, 200, 1, 0},   {203, 0, 18, 2, 228, 90, 221, 200, 1, 0},
    {205, 0, 18, 2, 111, 71, 223, 200, 0, 0},  {207, 0, 18, 2, 34, 77, 227, 200, 1, 1},
    {208, 0, 18, 2, 235, 61, 228, 200, 1, 0},  {209, 0, 18, 2, 434, 163, 229, 10, 0, 0},
    {205, 0, 18, 2, 111, 71, 223, 200, 0, 0},  {208, 0, 18, 2, 235, 61, 337, 195, 0, 0},
    {199, 0, 18, 2, 248, 83, 217, 200, 0, 0},  {203, 0, 18, 2, 228, 90, 221, 200, 0, 0},
    {193, 0, 18, 2, 87, 88, 338, 190, 0, 0},   {201, 0, 18, 2, 257, 67, 219, 200, 0, 0},
    {198, 0, 18, 2, 245, 77, 216, 200, 0, 0},  {312, 0, 16, 0, 301, 73, 224, 200, 0, 0},
    {313, 0, 16, 0, 56, 35, 224, 200, 0, 0},   {314, 0, 16, 0, 104, 199, 224, 200, 0, 0},
    {316, 0, 16, 0, 517, 238, 224, 200, 0, 0}, {315, 0, 16, 0, 486, 102, 224, 200, 0, 0},
    {210, 0, 17, 1, 239, 82, 225, 100, 0, 0}};

// Each week's places; "all" in the game's own table is the run 23..28.
#define ALL 23, 24, 25, 26, 27, 28
const std::initializer_list<int32_t> kCalendar[CGame::kCareerWeeks] = {
    {23, 28}, {23, 24, 28}, {23, 24, 25, 28, 4}, {23, 24, 25, 26, 28, 4},
    {ALL, 4, 16}, {ALL, 16}, {ALL, 16, 17},
    {23, 25, 26, 28, 17}, {23, 25, 26, 28, 17, 18},
    {ALL, 18}, {ALL, 18, 19}, {ALL, 19}, {ALL, 19, 20}, {ALL, 20},
    {23, 24, 25, 28, 20, 21}, {23, 24, 25, 28, 21},
    {ALL, 21, 22}, {ALL, 22}, {ALL, 22, 8}, {ALL, 8}, {ALL, 8}, {ALL, 8, 10}, {ALL, 10},
    {23, 24, 25, 28, 10, 5}, {23, 24, 25, 28, 5},
    {ALL, 5, 1}, {ALL, 1}, {ALL, 1}, {ALL, 1, 13}, {ALL, 13}, {ALL, 13, 3},
    {23, 24, 27, 28, 3}, {23, 24, 27, 28, 3, 2},
    {ALL, 2}, {ALL, 2, 12}, {ALL, 12}, {ALL, 12, 14},
    {23, 25, 26, 28, 14}, {23, 25, 26, 28, 14}, {23, 25, 26, 28, 14, 7},
    {ALL, 7}, {ALL, 7, 11}, {ALL, 11}, {ALL, 11, 0},
    {23, 24, 25, 28, 0}, {23, 24, 25, 28, 0}, {23, 24, 25, 28, 0, 9},
    {ALL, 9}, {ALL, 9, 13}, {ALL, 13}, {ALL, 13, 6},
    {23, 26, 27, 28, 6, 15}, {23, 26, 27, 28, 15},
    {ALL, 15}};
#undef ALL

// Each fault is told once a run: the lobby asks for the same thing every frame.
bool weekFaultLogged = false, targetFaultLogged = false, mapArtFaultLogged = false;
bool iconFaultLogged = false;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

bool validLocation(int32_t k) { return k >= 0 && k < CGame::kCareerLocationCount; }

int32_t field(int32_t k, int32_t f) {
  return validLocation(k) ? aload(CGame::careerLocations.get(), k * kFields + f) : 0;
}
void setField(int32_t k, int32_t f, int32_t v) {
  if (validLocation(k)) astore(CGame::careerLocations.get(), k * kFields + f, static_cast<int16_t>(v));
}

bool playedTournament(int32_t k) { return k < kFirstTraining && CGame::isTounamentPlayed(k); }

bool inList(ByteArray* list, int32_t k) {
  for (int32_t i = 0; !isNull(list) && i < list->length; i++)
    if (aload(list, i) == k) return true;
  return false;
}

template <typename A>
void sortByX(A* a) {
  for (int32_t i = 1; !isNull(a) && i < a->length; i++) {
    const int32_t v = aload(a, i);
    int32_t j = i - 1;
    for (; j >= 0 && field(aload(a, j), kX) > field(v, kX); j--) astore(a, j + 1, aload(a, j));
    astore(a, j + 1, static_cast<typename A::Element>(v));
  }
}

ASprite* extSprite(int32_t entry) {
  ObjectArray* ext = CGame::menuExtSprites;
  return isNull(ext) || !ext->inBounds(entry) ? nullptr : static_cast<ASprite*>(aload(ext, entry));
}

bool hasFrame(ASprite* s, int32_t frame) {
  return !isNull(s) && !isNull(s->frameFModuleCount) && frame >= 0 && frame < s->frameFModuleCount->length;
}
bool hasAnimation(ASprite* s, int32_t anim) {
  return !isNull(s) && !isNull(s->animAFrameCount) && anim >= 0 && anim < s->animAFrameCount->length;
}

// The map sprite's frame 0, or null with one line when the art lacks it.
ASprite* worldMap() {
  ASprite* map = extSprite(kWorldMapEntry);
  if (hasFrame(map, kWorldMapFrame)) return map;
  if (!mapArtFaultLogged) {
    mapArtFaultLogged = true;
    Debug::trace("career map: the world map sprite (extra pack entry %d) has no frame %d; no map drawn",
                 kWorldMapEntry, kWorldMapFrame);
  }
  return nullptr;
}

ASprite* mapIcons() { return extSprite(kMapIconEntry); }

void iconFault(const char* what, int32_t n) {
  if (iconFaultLogged) return;
  iconFaultLogged = true;
  Debug::trace("career map: the map icon sprite (extra pack entry %d) has no %s %d; not drawn", kMapIconEntry,
               what, n);
}

void paintIcon(Graphics* g, int32_t frame, int32_t x, int32_t y) {
  ASprite* icons = mapIcons();
  if (!hasFrame(icons, frame)) return iconFault("frame", frame);
  icons->PaintFrame(g, frame, x, y, 0, 100);
}

int32_t mapWidth(ASprite* map) { return isNull(map) ? 0 : map->GetFrameWidth(kWorldMapFrame); }
int32_t mapHeight(ASprite* map) { return isNull(map) ? 0 : map->GetFrameHeight(kWorldMapFrame); }

// The training ground the first weeks point at, or -1.
int32_t hintedGround() {
  return CGame::careerWeek >= 0 && CGame::careerWeek < kHintWeeks ? kFirstTraining + CGame::careerWeek : -1;
}

void paintHint(int32_t x, int32_t y) { CGame::DrawAnimationAsItem(-1, -1, -1, kLobbyMenu, kHintItem, x, y, false); }

// From the current target one step at a time, past played tournaments, for at most one pass
// of the list: a week of nothing but played places (damaged data) must not spin for ever.
int32_t stepTarget(ByteArray* list, int32_t from, int32_t step) {
  const int32_t n = list->length;
  int32_t t = from;
  for (int32_t i = 0; i < n; i++) {
    t = ((t + step) % n + n) % n;
    if (!playedTournament(aload(list, t))) break;
  }
  return t;
}

int32_t towards(int32_t value, int32_t goal) {
  if (value == goal) return value;
  int32_t step = (goal - value) / kScrollDivisor;
  if (step == 0) step = goal > value ? 1 : -1;
  return value + step;
}

void initCareerMap() {
  SORV_FRAME("CGame.<clinit> career map");
  weekFaultLogged = targetFaultLogged = mapArtFaultLogged = iconFaultLogged = false;
  CGame::worldMapX = CGame::worldMapY = 0;
  CGame::careerLocations = Array::newShortArray(CGame::kCareerLocationCount * kFields);
  for (int32_t k = 0; k < CGame::kCareerLocationCount; k++)
    for (int32_t f = 0; f < kFields; f++) setField(k, f, kLocations[k][f]);
  CGame::careerHomeLocations = Array::newShortArray(2 * CGame::kCareerHomes);
  // Rows first, each stored at once, so a collection during the build finds them.
  CGame::careerCalendar = Array::newObjectArray(0, CGame::kCareerWeeks);
  for (int32_t w = 0; w < CGame::kCareerWeeks && !isNull(CGame::careerCalendar.get()); w++) {
    const auto& week = kCalendar[w];
    ByteArray* list = Array::fillBytes(Array::newByteArray(static_cast<int32_t>(week.size())), week.begin(),
                                       static_cast<int32_t>(week.size()));
    astore(CGame::careerCalendar.get(), w, list);
  }
}

}  // namespace

SORV_STATIC_INIT(kCGame, initCareerMap);

int32_t CGame::careerLocationField(int32_t location, int32_t f) { return field(location, f); }

ByteArray* CGame::careerWeekList() {
  ObjectArray* calendar = careerCalendar;
  if (isNull(calendar)) return nullptr;
  if (!calendar->inBounds(careerWeek)) {
    if (!weekFaultLogged) {
      weekFaultLogged = true;
      Debug::trace("career: week %d outside the calendar; week 0's places shown", careerWeek);
    }
    return static_cast<ByteArray*>(aload(calendar, 0));
  }
  return static_cast<ByteArray*>(aload(calendar, careerWeek));
}

int32_t CGame::careerTargetLocation() {
  ByteArray* list = careerWeekList();
  if (isNull(list)) return kHome;
  if (!list->inBounds(careerTarget)) {
    if (!targetFaultLogged) {
      targetFaultLogged = true;
      Debug::trace("career: target %d outside week %d's %d places; home taken", careerTarget, careerWeek,
                   list->length);
    }
    return kHome;
  }
  return aload(list, careerTarget);
}

void CGame::initCareerMatchLocation(int32_t menu, int32_t firstItem) {
  SORV_FRAME("CGame.initCareerMatchLocation(II)V");
  ShortArray* records = careerLocations;
  const int32_t count = isNull(records) ? 0 : records->length / kFields;
  for (int32_t k = 0; k < count; k++) {
    // A missing item keeps the built-in place rather than piling locations up at (0, 0).
    if (GetItemPointer(menu, firstItem + k) < 0) {
      Debug::trace("career: menu %d has no item %d for location %d; its own place kept", menu, firstItem + k, k);
      continue;
    }
    const int32_t p = GetMenuItemPosition(menu, firstItem + k);
    setField(k, kX, xOf(p));
    setField(k, kY, yOf(p));
  }
  setField(kSharedPlace, kX, field(kSharedPlaceOwner, kX));
  setField(kSharedPlace, kY, field(kSharedPlaceOwner, kY));
}

void CGame::initCareerHomeLocation(int32_t menu, int32_t firstItem) {
  SORV_FRAME("CGame.initCareerHomeLocation(II)V");
  careerHomeLocations = Array::newShortArray(2 * kCareerHomes);
  for (int32_t h = 0; h < kCareerHomes; h++) {
    int32_t x = field(kHome, kX), y = field(kHome, kY);
    if (GetItemPointer(menu, firstItem + h) < 0) {
      Debug::trace("career: menu %d has no item %d for home %d; the home location's place taken", menu,
                   firstItem + h, h);
    } else {
      const int32_t p = GetMenuItemPosition(menu, firstItem + h);
      x = xOf(p);
      y = yOf(p);
    }
    astore(careerHomeLocations.get(), 2 * h, static_cast<int16_t>(x));
    astore(careerHomeLocations.get(), 2 * h + 1, static_cast<int16_t>(y));
  }
}

void CGame::relocateHome() {
  SORV_FRAME("CGame.relocateHome()V");
  int32_t home = careerHome;
  if (home < 0 || home >= kCareerHomes) {
    Debug::trace("career: home %d outside the %d cities; home 0 placed", home, kCareerHomes);
    home = 0;
  }
  ShortArray* homes = careerHomeLocations;
  if (isNull(homes) || !homes->inBounds(2 * home + 1)) return;
  setField(kHome, kX, aload(homes, 2 * home));
  setField(kHome, kY, aload(homes, 2 * home + 1));
}

void CGame::sortMatchLocation() {
  SORV_FRAME("CGame.sortMatchLocation()V");
  sortByX(careerAllLocations.get());
  for (int32_t w = 0; !isNull(careerCalendar.get()) && w < careerCalendar->length; w++)
    sortByX(static_cast<ByteArray*>(aload(careerCalendar.get(), w)));
}

int32_t CGame::findHome() {
  ByteArray* list = careerWeekList();
  for (int32_t i = 0; !isNull(list) && i < list->length; i++)
    if (aload(list, i) == kHome) return i;
  return 0;
}

int32_t CGame::findTarget() {
  SORV_FRAME("CGame.findTarget()I");
  ByteArray* list = careerWeekList();
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    const int32_t k = aload(list, i);
    if (k < kFirstTraining && !isTounamentPlayed(k)) return i;
  }
  return findHome();
}

void CGame::nextWeek() {
  SORV_FRAME("CGame.nextWeek()V");
  if (careerWeek < 0) {
    Debug::trace("career: week %d before the calendar; the season starts again at week 0", careerWeek);
    careerWeek = -1;
  }
  if (careerWeek > kLastWeek) {
    Debug::trace("career: week %d past the calendar; the season ends", careerWeek);
  }
  careerWeek++;
  if (careerWeek > kLastWeek) {
    careerWeek = 0;
    careerYear++;
    resetAllTournamentPlayable();
  }
  careerTarget = findTarget();
}

void CGame::updateWorldMap() {
  SORV_FRAME("CGame.updateWorldMap()V");
  const int32_t at = GetMenuItemPosition(kLobbyMenu, kMapViewItem);
  const int32_t size = GetMenuItemSize(kLobbyMenu, kMapViewItem);
  ASprite* map = worldMap();
  moveWorldMap(xOf(at), yOf(at), xOf(size), yOf(size), mapWidth(map), mapHeight(map));
  const int32_t type = field(careerTargetLocation(), kType);
  ASprite* icons = mapIcons();
  if (!hasAnimation(icons, type)) return iconFault("animation", type);
  if (isNull(mapCursor.get())) {
    mapCursor = CActor::create(icons, type, 0);
  } else if (mapCursor->sprite != icons || mapCursor->animation != type) {
    mapCursor->setSprite(icons, type, 0);
  }
  mapCursor->update();
}

void CGame::moveWorldMap(int32_t viewX, int32_t viewY, int32_t viewW, int32_t viewH, int32_t mapW,
                         int32_t mapH) {
  ByteArray* list = careerWeekList();
  if (isNull(list) || list->length == 0) return;
  if (!list->inBounds(careerTarget)) {
    Debug::trace("career map: target %d outside week %d's %d places; the next free one taken", careerTarget,
                 careerWeek, list->length);
    careerTarget = findTarget();
  }
  const int32_t centreX = viewX + viewW / 2, centreY = viewY + viewH / 2;
  int32_t wx = centreX - field(careerTargetLocation(), kX);
  // Both keys wait for the horizontal scroll: the vertical offset is clamped and may never
  // reach a place near the map's top or bottom, which would lock the cursor there.
  const bool settled = std::abs(wx - worldMapX) <= kSettled;
  if ((keysPressed & kPreviousKeys) != 0 && settled) {
    careerTarget = stepTarget(list, careerTarget, -1);
    wx = centreX - field(careerTargetLocation(), kX);
    // Wrapping to the last place goes on round the map instead of back across it.
    if (wx < worldMapX) worldMapX -= mapW;
    scrollStringX = kTickerIdle;
  } else if ((keysPressed & kNextKeys) != 0 && settled) {
    careerTarget = stepTarget(list, careerTarget, 1);
    wx = centreX - field(careerTargetLocation(), kX);
    if (wx > worldMapX) worldMapX += mapW;
    scrollStringX = kTickerIdle;
  }
  worldMapX = towards(worldMapX, wx);
  worldMapY = towards(worldMapY, centreY - field(careerTargetLocation(), kY));
  if (worldMapY > viewY) worldMapY = viewY;
  if (worldMapY + mapH < viewY + viewH) worldMapY = viewY + viewH - mapH;
}

void CGame::drawTiledMap(int32_t ox, int32_t oy) {
  SORV_FRAME("CGame.drawTiledMap(II)V");
  Graphics* g = GetMenuGfx();
  if (ASprite* map = worldMap(); !isNull(map)) map->PaintFrame(g, kWorldMapFrame, ox, oy, 0, 100);
  ByteArray* week = careerWeekList();
  const int32_t target = careerTargetLocation();
  const int32_t hinted = hintedGround();
  IntArray* all = careerAllLocations;
  for (int32_t i = 0; !isNull(all) && i < all->length; i++) {
    const int32_t k = aload(all, i);
    if (!validLocation(k) || playedTournament(k) || k == target) continue;
    const int32_t x = ox + field(k, kX), y = oy + field(k, kY);
    paintIcon(g, field(k, inList(week, k) ? kOfferedFrame : kIdleFrame), x, y);
    if (k == hinted) paintHint(x, y);
  }
  const int32_t tx = ox + field(target, kX), ty = oy + field(target, kY);
  if (!isNull(mapCursor.get())) mapCursor->paintCurrentFrame(g, tx, ty);
  if (target < kFirstTraining || target == hinted) paintHint(tx, ty);
}

void CGame::paintWorldMap() {
  SORV_FRAME("CGame.paintWorldMap()V");
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return;
  const int32_t at = GetMenuItemPosition(kLobbyMenu, kMapViewItem);
  const int32_t size = GetMenuItemSize(kLobbyMenu, kMapViewItem);
  const int32_t w = mapWidth(worldMap());
  g->setClip(xOf(at), yOf(at), xOf(size), yOf(size));
  drawTiledMap(worldMapX < xOf(at) ? worldMapX + w : worldMapX - w, worldMapY);
  drawTiledMap(worldMapX, worldMapY);
  g->setClip(0, 0, kGameWidth, kGameHeight);
}

}  // namespace sorv
