// The player selection (states 52 and 54, menu 37): a window of four portraits over a roster
// of sixteen per group, the panels of the current team, and the picks: the player and the
// opponent in singles, the player, the partner and two opponents in doubles.
//
// The window's first index stays within offset .. offset + 12 of its group; a picked avatar
// is never under the cursor after a step.
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CGame::pickGroup = 0;
int32_t CGame::pickCursor[4] = {-1, -1, -1, -1};
StaticRef<CActor> CGame::pickActorEven;
StaticRef<CActor> CGame::pickActorOdd;

namespace {

constexpr int32_t kSelectionMenu = 37, kSelectionState = 52, kTournamentEntryState = 54;
constexpr int32_t kMatchScreen = 10, kMatchStartState = 12;
constexpr int32_t kMixedDoubles = 4;
constexpr int32_t kGroupOffset = 18, kGroupCount = 16, kWindow = 4;
constexpr int32_t kPicks = 4;
constexpr int32_t kFirstLabelItem = 11, kLabels = 6, kTitleItem = 54;
constexpr int32_t kPortraitItem = 55, kPortraitStepItem = 56;
constexpr int32_t kTeamMarkerItem = 59, kOtherMarkerItem = 60, kFirstPanelItem = 61, kCaptionItem = 65;
constexpr int32_t kBackArrowItem = 66, kForwardArrowItem = 67, kGroupZeroArrowItem = 72, kGroupOneArrowItem = 73;
constexpr int32_t kPortraitW = 125, kPortraitH = 85, kPlainPalette = 1;
constexpr int32_t kArrowLeft = 17, kArrowUp = 22, kArrowW = 50, kArrowH = 75;
constexpr int32_t kTitleFirst = 27, kTitlePartner = 28, kTitleOpponent = 29;
constexpr int32_t kEvenLabels = 127, kOddLabels = 121;
constexpr int32_t kYouCaption = 21, kComputerCaption = 20;
constexpr int32_t kGroupZeroKeys = 0x2004, kGroupOneKeys = 0x1100;
constexpr int32_t kBackKeys = 0x4010, kForwardKeys = 0x8040;
constexpr int32_t kBackKey = 0x20000, kSelectKeys = 0x50020;
constexpr int32_t kPressedColour = 0xFF0000, kReleasedColour = 0x00FF00;
constexpr int32_t kBackTriangle[6] = {42, 323, 11, 356, 42, 388};
constexpr int32_t kForwardPressed[6] = {667, 323, 697, 356, 667, 388};
constexpr int32_t kForwardReleased[6] = {667, 325, 697, 356, 667, 386};

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

int32_t mode() { return aload(CGame::matchSettings.get(), 0); }
int32_t lastPick() { return CGame::isDouble() ? 3 : 1; }

bool isPicked(int32_t avatar) {
  for (int32_t picked : CGame::pickedAvatars) {
    if (picked == avatar) return true;
  }
  return false;
}

IntArray* pickedList() {
  IntArray* list = Array::newIntArray(kPicks);
  if (isNull(list)) return nullptr;
  for (int32_t i = 0; i < kPicks; i++) list->elements()[i] = CGame::pickedAvatars[i];
  return list;
}

int32_t highlighted() {
  const int32_t group = CGame::selectPlayerGroup();
  return CGame::menuCursor + CGame::selectPlayerFirstIndex(group);
}

// The actor of the current pick takes its group's sprite, and the palette slot numbered like
// the pick takes the avatar's colours.
void refreshPanel(int32_t avatar) {
  CActor* actor = CGame::pickIndex % 2 == 0 ? CGame::pickActorEven.get() : CGame::pickActorOdd.get();
  const bool second = CGame::selectPlayerGroup() == 1;
  if (!isNull(actor)) CGame::setPlayerAnim(actor, second);
  ASprite* sprite = second ? CGame::playerSpriteAlt.get() : CGame::playerSprite.get();
  if (!isNull(sprite)) sprite->changePalette(CGame::getPalyerPal(avatar), CGame::pickIndex, nullptr);
}

void stepForward(bool refresh = true) {
  const int32_t group = CGame::selectPlayerGroup();
  const int32_t offset = CGame::GetAvastar_Offset(group), count = CGame::GetAvastar_Count(group);
  int32_t first = CGame::selectPlayerFirstIndex(group), pos = CGame::menuCursor;
  bool scrolled = false;
  for (int32_t looks = 2 * count + kWindow; looks > 0; looks--) {
    if (pos >= kWindow - 1) {
      if (first - offset >= count - kWindow) {
        pos = CGame::nextIdx(kWindow - 1, first, offset, count, pickedList(), scrolled);
        break;
      }
      first = (first - offset + 1) % count + offset;
      scrolled = true;
    } else {
      pos++;
    }
    if (!isPicked(first + pos)) break;
  }
  CGame::menuCursor = pos;
  CGame::selectPlayerSetFirstIndex(group, first);
  if (refresh) refreshPanel(first + pos);
}

void stepBack() {
  const int32_t group = CGame::selectPlayerGroup();
  const int32_t offset = CGame::GetAvastar_Offset(group), count = CGame::GetAvastar_Count(group);
  int32_t first = CGame::selectPlayerFirstIndex(group), pos = CGame::menuCursor;
  bool scrolled = false;
  for (int32_t looks = 2 * count + kWindow; looks > 0; looks--) {
    if (pos <= 0) {
      if (first == offset) {
        pos = CGame::nextIdx(0, first, offset, count, pickedList(), scrolled);
        break;
      }
      first = (first - offset - 1 + count) % count + offset;
      scrolled = true;
    } else {
      pos--;
    }
    if (!isPicked(first + pos)) break;
  }
  CGame::menuCursor = pos;
  CGame::selectPlayerSetFirstIndex(group, first);
  refreshPanel(first + pos);
}

void enterGroup() {
  const int32_t group = CGame::pickGroup;
  CGame::menuCursor = 0;
  CGame::selectPlayerSetFirstIndex(group, CGame::GetAvastar_Offset(group));
  if (isPicked(highlighted())) stepForward();
  refreshPanel(highlighted());
}

void back() {
  // Only the quick-match confirmation halved the court row: the tournament entry did not.
  if (CGame::GET_CURRENT_STATE() == kSelectionState) {
    astore(CGame::setupValues.get(), CGame::kSetupCourtRow, 2 * aload(CGame::setupValues.get(), CGame::kSetupCourtRow));
  }
  CGame::MenuPop();
  CGame::POP_STATE();
  CGame::resetMenuSelectPlayer();
}

void startMatch() {
  const int32_t* p = CGame::pickedAvatars;
  CGame::playerChoice1 = p[0];
  if (CGame::isDouble()) {
    CGame::playerChoice3 = p[1];
    CGame::playerChoice2 = p[2];
    CGame::playerChoice4 = p[3];
  } else {
    CGame::playerChoice2 = p[1];
  }
  CGame::courtPreviewSprites = nullptr;
  CGame::MenuPush(kMatchScreen);
  CGame::PUSH_STATE(kMatchStartState);
}

void select() {
  const int32_t avatar = highlighted();
  if (isPicked(avatar)) return;
  const int32_t pick = CGame::pickIndex;
  const int32_t madeAt = CGame::menuCursor;
  const bool last = pick >= lastPick();
  CGame::pickedAvatars[pick] = avatar;
  CGame::menuCursor = madeAt - 1;
  if (mode() == kMixedDoubles) {
    CGame::pickGroup = 1 - CGame::pickGroup;
    CGame::menuCursor = -1;
    CGame::selectPlayerSetFirstIndex(CGame::pickGroup, CGame::GetAvastar_Offset(CGame::pickGroup));
  }
  // The panel of the pick just made keeps its avatar: only the next pick's is refreshed.
  if (!last) stepForward(false);
  const bool teamComplete = CGame::pickedAvatars[CGame::isDouble() ? 1 : 0] != -1;
  const int32_t state = CGame::GET_CURRENT_STATE();
  CGame::pickCursor[pick] = madeAt;
  CGame::pickIndex = pick + 1;
  if (state == kTournamentEntryState && teamComplete) {
    CGame::startTournamentFromSelection();
  } else if (last) {
    startMatch();
  }
  // The last pick refreshes nothing: there is no further panel, and its cursor may stand
  // before the window (avatar -1).
  if (!last && CGame::pickIndex < kPicks) refreshPanel(highlighted());
}

void fillTriangle(const int32_t* t, int32_t colour) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  g->setColor(colour);
  g->fillTriangle(t[0], t[1], t[2], t[3], t[4], t[5]);
}

// An arrow item with its touch box: red while pressed in it, green and the keys on release.
void touchArrow(int32_t item, int32_t keys, const int32_t* pressed, const int32_t* released) {
  CGame::DrawAnimationAsItem(-1, -1, -1, kSelectionMenu, item, false);
  const int32_t at = CGame::GetMenuItemPosition(kSelectionMenu, item);
  const int32_t x = xOf(at) - kArrowLeft, y = yOf(at) - kArrowUp;
  if (CGame::isPointerReleasedInBox(x, y, kArrowW, kArrowH, true)) {
    CGame::keysPressed = keys;
    if (released != nullptr) fillTriangle(released, kReleasedColour);
  } else if (CGame::pointerDown && CGame::isPointerClickedInBox(x, y, kArrowW, kArrowH, false)) {
    if (pressed != nullptr) fillTriangle(pressed, kPressedColour);
  }
}

// A portrait's touch box: kPortraitW x kPortraitH about the middle of what its frame draws
// at the item's position (the roster's faces are drawn about that point).
void portraitBox(int32_t frame, int32_t x, int32_t y, int32_t* box) {
  box[0] = x;
  box[1] = y;
  ASprite* sprite = CGame::MenuGetItemSprite(kSelectionMenu, kPortraitItem);
  IntArray* rect = Array::newIntArray(4);
  if (isNull(sprite) || isNull(rect)) return;
  sprite->GetFrameRect(rect, frame, x, y, 0);
  const int32_t left = rect->elements()[0], top = rect->elements()[1];
  const int32_t right = rect->elements()[2], bottom = rect->elements()[3];
  if (right < left || bottom < top) return;  // a frame that draws nothing keeps the item's corner
  box[0] = (left + right - kPortraitW) / 2;
  box[1] = (top + bottom - kPortraitH) / 2;
}

int32_t markerItem(int32_t pick) {
  return pick == 0 || (CGame::isDouble() && pick == 1) ? kTeamMarkerItem : kOtherMarkerItem;
}

void paintStatic() {
  const int32_t pick = CGame::pickIndex;
  CGame::drawInterfaceBk(nullptr, -1, -1);
  CGame::DrawMenu(kSelectionMenu, true);
  const int32_t title = pick == 0 ? kTitleFirst : pick == 1 && CGame::isDouble() ? kTitlePartner : kTitleOpponent;
  CGame::DrawStringAsItem(CGame::GetString(kTextMenus, title), kSelectionMenu, kTitleItem, false);
  const bool even = pick % 2 == 0;
  for (int32_t i = 0; i < kLabels; i++) {
    CGame::DrawStringAsItem(CGame::GetString(kTextMenus, (even ? kEvenLabels : kOddLabels) + i), kSelectionMenu,
                            kFirstLabelItem + i, -1, -1, even ? 0 : -1, false);
  }
}

void paintPanels() {
  const bool doubles = CGame::isDouble();
  const int32_t stage = CGame::pickIndex < 2 ? 0 : 2;
  // A tournament's draw picks the opponent: in singles only the player's own panel shows.
  const bool drawnOpponent = CGame::GET_CURRENT_STATE() == kTournamentEntryState && !doubles;
  for (int32_t pick = stage; pick < stage + (drawnOpponent ? 1 : 2); pick++) {
    CActor* actor = pick % 2 == 0 ? CGame::pickActorEven.get() : CGame::pickActorOdd.get();
    if (!isNull(actor) && actor->sprite != nullptr) actor->sprite->SetCurrentPalette(pick);
    const int32_t picked = CGame::pickedAvatars[pick];
    const int32_t avatar = picked != -1 ? picked : highlighted();
    const int32_t at = CGame::GetMenuItemPosition(kSelectionMenu, kFirstPanelItem + pick);
    const int32_t court = aload(CGame::matchSettings.get(), CGame::kSetupCourtRow);
    if (pick == 0) {
      CGame::drawPlayerInfo(actor, avatar, court, xOf(at), yOf(at), true, true, false, true, false);
    } else if (pick == 1) {
      CGame::drawPlayerInfo(actor, avatar, court, xOf(at), yOf(at), true, doubles, true, true, !doubles);
    } else {
      CGame::drawPlayerInfo(actor, avatar, court, xOf(at), yOf(at), true, false, true, true, false);
    }
  }
}

}  // namespace

int32_t CGame::GetAvastar_Offset(int32_t group) {
  const int32_t m = mode();
  return (m == kMixedDoubles && group == 1) || m == 2 || m == 3 ? kGroupOffset : 0;
}

int32_t CGame::GetAvastar_Count(int32_t) { return kGroupCount; }

int32_t CGame::selectPlayerGroup() {
  const int32_t m = mode();
  return m == kMixedDoubles ? pickGroup : m == 2 || m == 3 ? 1 : 0;
}

int32_t CGame::selectPlayerFirstIndex(int32_t group) { return group == 1 ? rosterFirst1 : rosterFirst0; }

void CGame::selectPlayerSetFirstIndex(int32_t group, int32_t first) {
  if (group == 1) {
    rosterFirst1 = first;
  } else {
    rosterFirst0 = first;
  }
}

bool CGame::IsMixModeAlreadySelect(int32_t pick) {
  if (mode() != kMixedDoubles) return true;
  if (pick < 0 || pick >= kPicks) return true;
  return pickedAvatars[pick < 2 ? 0 : 2] != -1;
}

void CGame::switchToSelectPlayer() {
  SORV_FRAME("CGame.switchToSelectPlayer()V");
  pickActorEven = createRunPlayer();
  pickActorOdd = createRunPlayer();
  demoPlayer = createRunPlayer();
  demoPlayerAlt = createRunPlayer();
  if (ASprite* s = playerSprite; !isNull(s)) s->changePalette(getPalyerPal(0), 0, nullptr);
  if (ASprite* s = playerSpriteAlt; !isNull(s)) s->changePalette(getPalyerPal(GetAvastar_Offset(1)), 0, nullptr);
  const int32_t m = mode();
  if (m == 2 || m == 3) {
    setPlayerAnim(pickActorEven, true);
    setPlayerAnim(pickActorOdd, true);
  }
  for (int32_t& c : pickCursor) c = -1;
  PUSH_STATE(kSelectionState);
}

void CGame::resetMenuSelectPlayer() {
  SORV_FRAME("CGame.resetMenuSelectPlayer()V");
  for (int32_t& picked : pickedAvatars) picked = -1;
  pickIndex = 0;
  menuCursor = 0;
  rosterFirst0 = 0;
  rosterFirst1 = GetAvastar_Offset(1);
  pickGroup = 0;
}

void CGame::MenuUpdate_selectPlayer() {
  SORV_FRAME("CGame.MenuUpdate_selectPlayer()V");
  if (pickIndex >= kPicks) return;
  const int32_t keys = keysPressed;
  if (keys == 0) return;
  const bool groupFree = mode() == kMixedDoubles && !IsMixModeAlreadySelect(pickIndex);
  if ((keys & kGroupZeroKeys) != 0) {
    if (groupFree && pickGroup == 1) {
      pickGroup = 0;
      enterGroup();
    }
  } else if ((keys & kGroupOneKeys) != 0) {
    if (groupFree && pickGroup == 0) {
      pickGroup = 1;
      enterGroup();
    }
  } else if ((keys & kBackKeys) != 0) {
    stepBack();
  } else if ((keys & kForwardKeys) != 0) {
    stepForward();
  } else if ((keys & kBackKey) != 0) {
    return back();
  } else if ((keys & kSelectKeys) != 0) {
    select();
  }
  // Markers and the cursor of the old position would stay on screen: draw it all again.
  repaintAll = true;
}

void CGame::menuPaint_selectPlayer() {
  SORV_FRAME("CGame.menuPaint_selectPlayer()V");
  if (pickIndex >= kPicks) return;
  if (repaintAll) {
    repaintAll = false;
    paintStatic();
  }
  paintPanels();
  const int32_t group = selectPlayerGroup();
  const int32_t offset = GetAvastar_Offset(group), count = GetAvastar_Count(group);
  const int32_t first = selectPlayerFirstIndex(group);
  const int32_t at = GetMenuItemPosition(kSelectionMenu, kPortraitItem);
  const int32_t px = xOf(at), py = yOf(at);
  const int32_t dx = xOf(GetMenuItemPosition(kSelectionMenu, kPortraitStepItem)) - px;
  int32_t touched = -1;
  for (int32_t k = 0; k < kWindow; k++) {
    DrawFrameAsItem(first + k, kPlainPalette, kSelectionMenu, kPortraitItem, px + k * dx, py, false);
    int32_t box[2];
    portraitBox(first + k, px + k * dx, py, box);
    if (isPointerClickedInBox(box[0], box[1], kPortraitW, kPortraitH, true)) {
      pressX = pressY = -1;
      if (!isPicked(first + k)) touched = first + k;
    }
  }
  for (int32_t pick = 0; pick < kPicks; pick++) {
    const int32_t k = pickedAvatars[pick] - first;
    if (pickedAvatars[pick] == -1 || k < 0 || k >= kWindow) continue;
    const int32_t marker = markerItem(pick);
    const int32_t m = GetMenuItemPosition(kSelectionMenu, marker);
    DrawAnimationAsItem(-1, -1, -1, kSelectionMenu, marker, xOf(m) + k * dx, yOf(m), false);
    DrawFrameAsItem(pickedAvatars[pick], -1, kSelectionMenu, kPortraitItem, px + k * dx, py, false);
    const int32_t c = GetMenuItemPosition(kSelectionMenu, kCaptionItem);
    DrawStringAsItem(GetString(kTextGeneral, pick == 0 ? kYouCaption : kComputerCaption), kSelectionMenu, kCaptionItem,
                     xOf(c) + k * dx, yOf(c), 0, false);
  }
  if (menuCursor >= 0 && menuCursor < kWindow) {
    DrawFrameAsItem(first + menuCursor, kPlainPalette, kSelectionMenu, kPortraitItem, px + menuCursor * dx, py, true);
    const int32_t marker = markerItem(pickIndex);
    const int32_t m = GetMenuItemPosition(kSelectionMenu, marker);
    DrawAnimationAsItem(-1, -1, -1, kSelectionMenu, marker, xOf(m) + menuCursor * dx, yOf(m), false);
  }
  if (!(first == offset && menuCursor == 0)) touchArrow(kBackArrowItem, kBackKeys, kBackTriangle, kBackTriangle);
  if (!(first - offset >= count - kWindow && menuCursor == kWindow - 1)) {
    touchArrow(kForwardArrowItem, kForwardKeys, kForwardPressed, kForwardReleased);
  }
  if (mode() == kMixedDoubles && (pickIndex == 0 || pickIndex == 2)) {
    if (pickGroup == 1) {
      touchArrow(kGroupZeroArrowItem, kGroupZeroKeys, nullptr, nullptr);
    } else {
      touchArrow(kGroupOneArrowItem, kGroupOneKeys, nullptr, nullptr);
    }
  }
  if (touched != -1) {
    menuCursor = touched - first;
    refreshPanel(touched);
    repaintAll = true;
  }
}

}  // namespace sorv
