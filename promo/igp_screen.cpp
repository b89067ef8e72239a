// The promotion screen: loading, the page shown, moving between pages, the lists, opening
// a link, and what keys and touch do on it.
#include <algorithm>
#include <cstdlib>

#include "device/anchor.h"
#include "device/canvas.h"
#include "device/command.h"
#include "device/font.h"
#include "device/graphics.h"
#include "device/image.h"
#include "promo/igp.h"
#include "promo/igp_strings.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"

namespace sorv {

namespace {

using namespace anchor;

using igp::constant;

constexpr int32_t kLanguageMarker = 56;
constexpr int32_t kSelfLink = 16;
constexpr int32_t kArrowFlashFrames = 5;
constexpr int32_t kProductKind = 4;
constexpr int32_t kSelectionColour = 0xFC7704;
constexpr int32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

// UI pictures.
constexpr int32_t kLeftArrowLit = 4, kLeftArrow = 5, kRightArrowLit = 6, kRightArrow = 7;
constexpr int32_t kBackIcon = 8, kSmallTitle = 9, kTopPicture = 10, kSoftKey = 12, kSoftKeyLit = 13;

int32_t anchorOf(int32_t a, int32_t b) { return a | b; }

bool extraEnabled() {
  return !isNull(IGP::pageFlags.get()) && IGP::pageFlags->length > 0 && IGP::pageFlags->elements()[0] != 0;
}

bool isProductPage(int32_t page) {
  IntArray* kinds = IGP::pageKinds;
  return !isNull(kinds) && kinds->inBounds(page) && kinds->elements()[page] == kProductKind;
}

int64_t now() { return System::currentTimeMillis(); }

ObjectArray* listOf(ObjectArray* lists, int32_t list) {
  return isNull(lists) || !lists->inBounds(list) ? nullptr : static_cast<ObjectArray*>(lists->elements()[list]);
}

IntArray* intsOf(ObjectArray* lists, int32_t list) {
  return isNull(lists) || !lists->inBounds(list) ? nullptr : static_cast<IntArray*>(lists->elements()[list]);
}

// The page after (step 1) or before (step -1), skipping invalid ones and wrapping.
int32_t nextValidPage(int32_t from, int32_t step) {
  int32_t page = from;
  for (int32_t i = 0; i < IGP::pageCount; i++) {
    page = (page + step + IGP::pageCount) % IGP::pageCount;
    if (IGP::pageIsValid(page)) return page;
  }
  return from;
}

// The link to open: the page's, or the selected row's; the language code put in.
String* linkToOpen() {
  String* link;
  if (IGP::isListPage) {
    ObjectArray* links = listOf(IGP::listLinks, IGP::listIndex);
    link = isNull(links) || !links->inBounds(IGP::listSelection)
               ? nullptr
               : static_cast<String*>(links->elements()[IGP::listSelection]);
  } else {
    link = IGP::pageLink(IGP::currentPage);
  }
  if (igp::isEmpty(link) || !IGP::appendCounters) return link;
  ObjectArray* codes = IGP::languageCodes;
  String* code = isNull(codes) || !codes->inBounds(IGP::language) ? nullptr
                                                                  : static_cast<String*>(codes->elements()[IGP::language]);
  String* marker = constant(kLanguageMarker);
  const int32_t a = String::indexOf(link, marker);
  if (a < 0) return igp::join(link, marker, code);
  // Only the characters that follow the marker are replaced, never more than two.
  const int32_t tail = std::min(a + marker->length() + 2, link->length());
  return igp::join(igp::join(String::substring(link, 0, a), marker), code, String::substringFrom(link, tail));
}

void stepPages(int32_t act) {
  if (IGP::getPagesCount() < 2) return;
  if (act == IGP::kActionLeft) {
    IGP::currentPage = nextValidPage(IGP::currentPage, -1);
    IGP::leftArrowFlash = true;
    IGP::arrowFlashFrames = 0;
  } else if (!IGP::leftArrowFlash) {
    IGP::currentPage = nextValidPage(IGP::currentPage, 1);
    IGP::rightArrowFlash = true;
    IGP::arrowFlashFrames = 0;
  }
  IGP::listTop = 0;
  IGP::listSelection = 0;
  IGP::initPage();
}

void updatePage(int32_t act) {
  switch (act) {
    case IGP::kActionUp:
      if (IGP::isListPage && IGP::listSelection > 0) {
        IGP::listSelection--;
        if (IGP::listSelection < IGP::listTop) IGP::listTop--;
      }
      break;
    case IGP::kActionDown:
      if (IGP::isListPage && IGP::listSelection < IGP::listRowCount - 1) {
        IGP::listSelection++;
        if (IGP::listSelection >= IGP::listTop + IGP::listVisibleRows) IGP::listTop++;
      }
      break;
    case IGP::kActionLeft:
    case IGP::kActionRight: stepPages(act); break;
    case IGP::kActionSelect:
    case IGP::kActionBox: IGP::state = IGP::kStateOpening; break;
    case IGP::kActionBack: IGP::state = IGP::kStateLeaving; break;
    default: break;
  }
}

bool strictlyInside(int32_t v, int32_t low, int32_t high) { return v > low && v < high; }

// The list selection when the stylus went down, so its release can tell a row it selected.
int32_t gSelectionBeforePress = -1;

void pressAt(int32_t x, int32_t y) {
  const int32_t item = IGP::updateTouchIGP(x, y);
  if (item != 0) IGP::touchAction = item;
}

}  // namespace

int32_t IGP::state = 0;
bool IGP::active = false, IGP::vipMode = false;
int32_t IGP::loadStep = -1, IGP::loadStepCount = 0, IGP::currentPage = 0, IGP::pageText = 0;
int32_t IGP::action = 0, IGP::touchAction = 0;
bool IGP::touchPending = false;
StaticRef<String> IGP::pendingLink, IGP::title;
bool IGP::isListPage = false;
int32_t IGP::listIndex = 0, IGP::listRowCount = 0, IGP::listVisibleRows = 0, IGP::listTop = 0;
int32_t IGP::listSelection = 0, IGP::listRowX = 0, IGP::listRowWidth = 0, IGP::listRowsY = 0;
int32_t IGP::listRowHeight = 0, IGP::listUpArrowY = 0, IGP::listDownArrowY = 0;
bool IGP::pageHasLink = false;
int32_t IGP::actionText = 0, IGP::boxX = 0, IGP::boxY = 0, IGP::boxWidth = 0, IGP::boxHeight = 0;
bool IGP::leftArrowFlash = false, IGP::rightArrowFlash = false;
int32_t IGP::arrowFlashFrames = 0;
StaticRef<Font> IGP::titleFont;
StaticRef<Command> IGP::okCommand, IGP::backCommand;

void IGP::enterIGP(String* t, int32_t lang) {
  SORV_FRAME("IGP.enterIGP(Ljava/lang/String;I)V");
  vipMode = false;
  commonConstruct(t, lang);
  // Every step up to the last runs, whatever the number of products.
  loadStepCount = lastLoadStep + 1;
  MarkIGPsAsVisited();
  currentPage = getFirstValidPage();
  if (useCommands && !isNull(canvas.get())) canvas->setCommandListener(instance);
}

void IGP::commonConstruct(String* t, int32_t lang) {
  if (isNull(languageCodes.get()) || lang < 0 || lang >= languageCodes->length) return;
  loadStep = -1;
  language = lang;
  title = t;
  state = kStateLoading;
  currentPage = 0;
  listTop = 0;
  listSelection = 0;
  lineWidths = Array::newIntArray(kLineWidthSlots);
  active = true;
  touchAction = 0;
  touchPending = false;
  leftArrowFlash = rightArrowFlash = false;
  titleFont = Font::getFont(0, 0, 8);
}

void IGP::enterZVIP() {
  SORV_FRAME("IGP.enterZVIP()V");
  vipMode = true;
  if (isZVipAvailable()) {
    pendingLink = vipLink;
    state = kStateVipPending;
  }
}

bool IGP::update(int32_t act) {
  if (vipMode) return !vipLinkReady || state == kStateLeaving;
  if (!IsAvailable()) return true;
  if (touchPending) {
    touchPending = false;
  } else {
    action = act;
  }
  switch (state) {
    case kStateLoading:
      if (loadStep >= loadStepCount) {
        state = kStatePage;
        initPage();
      } else {
        loadResources(loadStep);
      }
      loadStep++;
      break;
    case kStatePage: updatePage(action); break;
    case kStateLeaving:
      unloadResources(true);
      if (useCommands) removeCommands();
      active = false;
      return true;
    case kStateOpening: {
      String* link = linkToOpen();
      // An empty link opens nothing: the page stays.
      if (igp::isEmpty(link)) {
        state = kStatePage;
      } else {
        pendingLink = link;
      }
      break;
    }
    default: break;
  }
  return false;
}

void IGP::initPage() {
  pageText = currentPage;
  isListPage = false;
  listIndex = 0;
  listRowCount = 0;
  String* link = pageLink(currentPage);
  pageHasLink = pageIsValid(currentPage) && !igp::isEmpty(link) && !igp::equal(link, constant(kSelfLink));
  if (currentPage == firstListPage || currentPage == secondListPage) {
    isListPage = true;
    listIndex = currentPage == firstListPage ? 0 : 1;
    pageHasLink = false;
    listRowCount = isNull(listLinkCounts.get()) ? 0 : listLinkCounts->elements()[listIndex];
  }
  if (currentPage == linkPage || (extraEnabled() && currentPage == extraPage)) pageHasLink = true;
  actionText = isProductPage(currentPage) ? textVisitProduct : textVisit;
}

void IGP::paint(Graphics* g) {
  if (!IsAvailable() && !vipMode) return;
  if (!isNull(pendingLink.get())) {
    doPlatformRequest();
    return;
  }
  if (vipMode || isNull(g)) return;
  SetClip(g, 0, 0, screenWidth, screenHeight);
  if (state == kStateLoading) {
    g->setColor(kBlack);
    g->fillRect(0, 0, screenWidth, screenHeight);
    drawProgressBar(g, screenCenterY, screenWidth * 3 / 4, loadStep, loadStepCount);
    String* t = String::trim(title);
    if (!isNull(t) && !igp::equal(t, constant(6)) && t->length() > 0) {
      g->setColor(kWhite);
      g->drawString(title, screenCenterX, screenCenterY - 5, anchorOf(kHCenter, kBottom));
    }
  } else if (state == kStatePage) {
    drawPage(g);
    if (now() % 1000 > 500 || touchAction == kActionBox) drawFlashingBox(g);
  }
}

void IGP::drawPage(Graphics* g) {
  const int32_t w = screenWidth, h = screenHeight, cx = screenCenterX, cy = screenCenterY;
  getFlashingBoxRect();
  g->setColor(extraEnabled() ? kBlack : kWhite);
  g->fillRect(0, 0, w, h);
  Image* picture = imageAt(pageImages, currentPage);
  if (extraEnabled() && currentPage == extraPage) {
    DrawImage(g, picture, cx, h * 8 / 100, anchorOf(kHCenter, kTop));
    currentFont = 0;
    drawString(textExtraBody, g, cx, h * 60 / 100, anchorOf(kHCenter, kVCenter));
  } else if (currentPage == promoPage) {
    int32_t y = topMargin;
    if (h >= 128) {
      Image* top = imageAt(uiImages, kTopPicture);
      DrawImage(g, top, cx, topMargin, anchorOf(kHCenter, kTop));
      y = topMargin + 3 * imageHeight(top) / 5;
    }
    const int32_t pw = imageWidth(picture);
    struct Bar { int32_t minWidth, w, h, colour, dx; };
    constexpr Bar kBars[] = {{221, 3, 54, 0xCCCCCC, 20}, {141, 2, 37, 0xD7D7D7, 14}, {101, 1, 26, 0xDCB9B8, 11}};
    for (const Bar& bar : kBars) {
      if (pw < bar.minWidth) continue;
      g->setColor(bar.colour);
      g->fillRect(cx + bar.dx, y, bar.w, bar.h);
      y += bar.h;
      break;
    }
    const int32_t b = y + imageHeight(picture);
    DrawImage(g, picture, cx, b, anchorOf(kHCenter, kBottom));
    DrawImage(g, languageImage, cx + pw / 2 + 1, b, anchorOf(kRight, kBottom));
    if (!igp::isEmpty(promotionText)) {
      const int32_t s = boxY - b;
      currentFont = 2;
      if (s < 2 * fontHeight) {
        drawString(promotionText, g, 0, cx, b + fontHeight / 3, anchorOf(kHCenter, kTop));
      } else {
        drawString(promotionText, g, 0, cx, b + s / 2, anchorOf(kHCenter, kVCenter));
      }
    }
  } else if (currentPage == linkPage) {
    const int32_t gw = imageWidth(picture) * 70 / 100, gh = imageHeight(picture) / 2;
    drawGradient(g, cx - gw / 2, cy - gh / 2, gw, gh, 0xFAD12D, 0xF14615, false);
    DrawImage(g, picture, cx, cy, anchorOf(kHCenter, kVCenter));
    if (h >= 128) DrawImage(g, imageAt(uiImages, kTopPicture), cx, topMargin, anchorOf(kHCenter, kTop));
    if (!isNull(extraImage.get())) {
      DrawImage(g, extraImage, cx, cy, anchorOf(kHCenter, kVCenter));
    } else {
      measureOnly = true;
      drawString(pageText, nullptr, 0, 0, 0);
      currentFont = 0;
      drawString(pageText, g, cx, cy - textBlockHeight / 2, anchorOf(kHCenter, kTop));
    }
  } else if (isListPage) {
    drawList(g);
  } else {
    // A product page: the picture and its text placed in the free height.
    measureOnly = true;
    drawString(pageText, nullptr, 0, 0, 0);
    const int32_t t = textBlockHeight, u = textBlockWidth, p = imageHeight(picture);
    Image* key = imageAt(uiImages, kSoftKey);
    Image* small = imageAt(uiImages, kSmallTitle);
    int32_t e = 0;
    if (u > w - 2 * imageWidth(key)) e = imageHeight(key);
    if (e > 0 && u > w - 2 * imageWidth(small)) e = imageHeight(small);
    int32_t f = std::max(0, h - (t + e + p));
    bool raised = false;
    if (t > 2 * fontHeight && f / 3 > fontHeight / 2) {
      f = std::max(0, h - (2 * fontHeight + e + p));
      raised = true;
    }
    int32_t y = f / 3;
    if (e > 0) {
      int32_t f2 = std::max(0, h - (t + p));
      bool raised2 = false;
      if (t - 2 * fontHeight > 0 && f2 / 3 > fontHeight / 2) {
        f2 = std::max(0, h - (2 * fontHeight + p));
        raised2 = true;
      }
      const int32_t y2 = f2 / 3;
      if (t + 2 * y2 + p < h - imageHeight(key)) {
        y = y2;
        raised = raised2;
      }
    }
    DrawImage(g, picture, cx, y, anchorOf(kHCenter, kTop));
    if (extraEnabled()) currentFont = 0;
    drawString(pageText, g, cx, p + 2 * y - (raised ? fontHeight / 2 : 0), anchorOf(kHCenter, kTop));
  }
  drawSoftkeys(g);
  if (getPagesCount() >= 2) {
    const int32_t offset = std::abs(static_cast<int32_t>((now() / 80) % 8) - 4);
    Image* left = imageAt(uiImages, leftArrowFlash || touchAction == kActionLeft ? kLeftArrowLit : kLeftArrow);
    Image* right = imageAt(uiImages, rightArrowFlash || touchAction == kActionRight ? kRightArrowLit : kRightArrow);
    const int32_t x = imageWidth(left) + offset + 1;
    DrawImage(g, left, x, cy, anchorOf(kRight, kVCenter));
    DrawImage(g, right, w - x, cy, anchorOf(kLeft, kVCenter));
    if (leftArrowFlash || rightArrowFlash) {
      if (++arrowFlashFrames > kArrowFlashFrames) {
        leftArrowFlash = rightArrowFlash = false;
        arrowFlashFrames = 0;
      }
    }
  }
}

void IGP::drawList(Graphics* g) {
  const int32_t w = screenWidth, h = screenHeight, cx = screenCenterX, cy = screenCenterY;
  int32_t y = topMargin;
  Image* picture = imageAt(pageImages, currentPage);
  if (h >= 129) {
    DrawImage(g, picture, cx, y, anchorOf(kHCenter, kTop));
    y += imageHeight(picture);
  }
  currentFont = 2;
  drawString(pageText, g, cx, y, anchorOf(kHCenter, kTop));
  const int32_t top = y + textBlockHeight;
  ObjectArray* images = listOf(listImages, listIndex);
  IntArray* entryCodes = intsOf(listEntryCodes, listIndex);
  IntArray* textIds = intsOf(listTextIds, listIndex);
  const int32_t rowHeight = std::max({2 * fontHeight, imageHeight(imageAt(images, 0)), 1});
  const int32_t arrow = h * 7 / 100;
  const int32_t free = h - imageHeight(imageAt(uiImages, kSoftKey)) - 2 - top;
  listVisibleRows = listRowCount;
  int32_t rowsY;
  if (listRowCount <= 2 * (cy - top) / rowHeight) {
    rowsY = cy - listRowCount * rowHeight / 2;
  } else if (listRowCount > free / rowHeight) {
    listVisibleRows = std::max(1, (free - 2 * arrow) / rowHeight);
    rowsY = top + (free - listVisibleRows * rowHeight) / 2;
  } else {
    // Rows that fit the free height but not around the centre start under the title.
    rowsY = top;
  }
  listRowsY = rowsY;
  listRowHeight = rowHeight;
  listUpArrowY = listDownArrowY = -1;
  if (listVisibleRows < listRowCount) {
    if (listTop > 0) {
      listUpArrowY = rowsY - arrow;
      drawArrow(g, cx, listUpArrowY, arrow, kWhite, true, false);
    }
    if (listTop + listVisibleRows < listRowCount) {
      listDownArrowY = rowsY + listVisibleRows * rowHeight + arrow;
      drawArrow(g, cx, listDownArrowY, arrow, kWhite, true, true);
    }
  }
  listRowWidth = w - 3 * imageWidth(imageAt(uiImages, kLeftArrow));
  listRowX = cx - listRowWidth / 2;
  const int32_t n = isNull(images) ? 0 : images->length;
  for (int32_t k = 0; k < listVisibleRows && listTop + k < listRowCount; k++) {
    const int32_t row = listTop + k;
    const int32_t code = isNull(entryCodes) || !entryCodes->inBounds(row) ? 0 : entryCodes->elements()[row];
    const int32_t centre = rowsY + rowHeight / 2 + 1 + k * rowHeight;
    Image* entryPicture = imageAt(images, code);
    DrawImage(g, entryPicture, listRowX + w / 100, centre, anchorOf(kLeft, kVCenter));
    const int32_t textId = isNull(textIds) || !textIds->inBounds(code) ? -1 : textIds->elements()[code];
    currentFont = code == n - 1 ? 2 : 1;
    drawString(textId, g, listRowX + w / 100 + imageWidth(entryPicture) + w / 100, centre, anchorOf(kLeft, kVCenter));
    if (row == listSelection) {
      g->setColor(kSelectionColour);
      g->drawRect(listRowX, rowsY + k * rowHeight, listRowWidth, rowHeight);
    }
  }
}

void IGP::getFlashingBoxRect() {
  measureOnly = true;
  drawString(actionText, nullptr, 0, 0, 0);
  const int32_t spaceW = getFontMetric(' ', metricWidth), spaceH = getFontMetric(' ', metricHeight);
  boxWidth = textBlockWidth + spaceW / 2;
  boxHeight = textBlockHeight + spaceH / 3;
  if ((textBlockHeight + boxHeight) % 2 != 0) boxHeight++;
  boxX = screenCenterX - boxWidth / 2;
  const bool upper = isProductPage(currentPage) || (extraEnabled() && currentPage == extraPage);
  boxY = (upper ? boxTop : boxBottom) - boxHeight / 2;
  if (extraEnabled() && currentPage == extraPage) boxY = screenHeight * 80 / 100;
}

void IGP::drawFlashingBox(Graphics* g) {
  if (!pageHasLink) return;
  int32_t fill = extraEnabled() ? 0xFF7F00 : 0xCF0900;
  if (touchAction == kActionBox) {
    g->setColor(0xDE9C00);
    g->drawRect(boxX - 2, boxY - 2, boxWidth + 3, boxHeight + 4);
    g->drawRect(boxX - 1, boxY - 1, boxWidth + 1, boxHeight + 2);
    fill = 0x5800F2;
  }
  g->setColor(fill);
  g->fillRect(boxX, boxY, boxWidth, boxHeight + 1);
  currentFont = 0;
  drawString(actionText, g, boxX + boxWidth / 2, boxY + boxHeight / 2 + 1, anchorOf(kHCenter, kVCenter));
}

void IGP::drawSoftkeys(Graphics* g) {
  if (useCommands) return;
  Image* key = imageAt(uiImages, touchAction == kActionBack ? kSoftKeyLit : kSoftKey);
  const int32_t x = screenWidth - 2, y = screenHeight - 2;
  DrawImage(g, key, x, y, anchorOf(kRight, kBottom));
  DrawImage(g, imageAt(uiImages, kBackIcon), x - imageWidth(key) / 2, y - imageHeight(key) / 2,
            anchorOf(kHCenter, kVCenter));
}

int32_t IGP::updateTouchIGP(int32_t x, int32_t y) {
  if (x < 1 || y < 1 || state == kStateLoading || !active) return 0;
  const int32_t w = screenWidth, h = screenHeight, cy = screenCenterY;
  if (isListPage) {
    if (x >= listRowX && x < listRowX + listRowWidth && y >= listRowsY && listRowHeight > 0) {
      const int32_t k = (y - listRowsY) / listRowHeight;
      if (k < listVisibleRows && listTop + k < listRowCount) {
        if (listTop + k == listSelection) return kActionSelect;
        listSelection = listTop + k;
        return 0;
      }
    }
    // The scroll arrows take a point near them (the soft key lies beside the lower one).
    const int32_t arrowReach = 2 * (h * 7 / 100);
    if (listVisibleRows < listRowCount && std::abs(x - screenCenterX) < arrowReach) {
      if (listUpArrowY >= 0 && std::abs(y - listUpArrowY) < listRowHeight && listSelection > 0) return kActionUp;
      if (listDownArrowY >= 0 && std::abs(y - listDownArrowY) < listRowHeight && listSelection < listRowCount - 1) {
        return kActionDown;
      }
    }
  } else if (strictlyInside(x, boxX, boxX + boxWidth) && strictlyInside(y, boxY, boxY + boxHeight)) {
    return kActionBox;
  }
  Image* arrow = imageAt(uiImages, kRightArrow);
  const int32_t aw = imageWidth(arrow), ah = imageHeight(arrow);
  if (strictlyInside(y, cy - ah, cy + ah)) {
    if (strictlyInside(x, 0, 2 * aw)) return kActionLeft;
    if (strictlyInside(x, w - 2 * aw, w + aw)) return kActionRight;
  }
  if (!useCommands) {
    Image* key = imageAt(uiImages, kSoftKeyLit);
    const int32_t kw = imageWidth(key), kh = imageHeight(key);
    if (y >= h - 2 * kh && y <= h) {
      if (strictlyInside(x, 2, 2 + 2 * kw)) return 0;
      if (strictlyInside(x, w - 2 * kw - 2, w - 2)) return kActionBack;
    }
  }
  return 0;
}

void IGP::pointerPressedIGP(int32_t x, int32_t y) {
  gSelectionBeforePress = listSelection;
  pressAt(x, y);
}

void IGP::pointerReleasedIGP(int32_t x, int32_t y) {
  const int32_t item = updateTouchIGP(x, y);
  // A row this touch's press selected is not opened by its release.
  const bool justSelected = isListPage && item == kActionSelect && gSelectionBeforePress != listSelection;
  if (item != 0 && !justSelected) {
    action = item;
    touchPending = true;
  }
  touchAction = 0;
}

void IGP::updatePointerDragged(int32_t x, int32_t y) {
  action = 0;
  touchAction = 0;
  pressAt(x, y);
}

void IGP::setCommandBar(bool left, bool right) {
  Canvas* c = canvas;
  if (isNull(c)) return;
  c->removeCommand(okCommand);
  c->removeCommand(backCommand);
  if (left) c->addCommand(okCommand);
  if (right) c->addCommand(backCommand);
}

void IGP::removeCommands() {
  Canvas* c = canvas;
  if (!isNull(c)) {
    c->removeCommand(okCommand);
    c->removeCommand(backCommand);
  }
  okCommand = nullptr;
  backCommand = nullptr;
}

void IGP::commandAction(Object* command, Object*) {
  if (isNull(command)) return;
  if (command == okCommand.get()) {
    update(kActionSelect);
  } else if (command == backCommand.get()) {
    update(kActionBack);
  }
}

void IGP::run() {
  // The screen has no thread of its own: nothing to run.
}

}  // namespace sorv
