// The promotion's page model: which pages exist and which address each page (or list row)
// opens, built once from the data file's header and the application properties.
#include "device/canvas.h"
#include "device/midlet.h"
#include "device/record_store.h"
#include "device/shell.h"
#include "promo/igp.h"
#include "promo/igp_strings.h"
#include "runtime/application.h"
#include "runtime/frames.h"
#include "runtime/util_hashtable.h"
#include "tools/data/promo_ids.h"

namespace sorv {

namespace {

using igp::constant;
using igp::equal;
using igp::join;

// Constant strings of the links.
constexpr int32_t kSelfLink = 16, kNoLink = 17, kZero = 18, kPairSeparator = 19, kPairEnd = 20;
constexpr int32_t kPortalKey = 21, kPlaceholder = 22, kCounterPiece = 24, kPortalSuffix = 25;
constexpr int32_t kCounterMarker = 35, kPromoCode = 39, kLinkPageSuffix = 43, kVipLanguage = 49;
constexpr int32_t kVipCode = 50, kVisitedStore = 57, kOpeningLog = 58;
constexpr int32_t kLinkChecks = 7;
constexpr int32_t kProductKind = 4;
constexpr uint32_t kPlatformRequestPauseMs = 200;

String* property(int32_t n) { return IGP::getAppProperty(constant(n)); }

bool anyNull(Object* a, Object* b, Object* c) { return isNull(a) || isNull(b) || isNull(c); }

String* stringAt(ObjectArray* list, int32_t i) {
  return isNull(list) || !list->inBounds(i) ? nullptr : static_cast<String*>(list->elements()[i]);
}

void setPage(int32_t page, String* link) {
  if (isNull(IGP::pageLinks.get()) || !IGP::pageLinks->inBounds(page)) return;
  IGP::pageLinks->elements()[page] = link;
  IGP::pageValid->elements()[page] = 1;
}

// The product-page counter: constant 24, a leading zero below 10, the number.
String* counterSuffix(int32_t counter) {
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendString(sb, constant(kCounterPiece));
  if (counter < 10) StringBuffer::appendString(sb, constant(kZero));
  StringBuffer::appendInt(sb, counter);
  return sb->toString();
}

String* portalWithSuffix() {
  return join(IGP::portalLink, IGP::appendCounters ? constant(kPortalSuffix) : constant(promo::kConstEmpty));
}

}  // namespace

StaticRef<MIDlet> IGP::midlet;
StaticRef<Canvas> IGP::canvas;
StaticRef<IGP> IGP::instance;
StaticRef<Object> IGP::commandListener;
bool IGP::useCommands = false;
int32_t IGP::screenWidth = 0, IGP::screenHeight = 0, IGP::screenCenterX = 0, IGP::screenCenterY = 0;
int32_t IGP::topMargin = 0, IGP::boxTop = 0, IGP::boxBottom = 0;
StaticRef<String> IGP::portalLink, IGP::linkTemplate, IGP::promotionSource, IGP::promotionText, IGP::vipLink;
bool IGP::appendCounters = false, IGP::available = false, IGP::vipLinkReady = false;
int32_t IGP::validPageCount = -1, IGP::productPageCount = 0, IGP::productCount = 0, IGP::pageCount = 0;
int32_t IGP::promoPage = 0, IGP::firstListPage = 0, IGP::secondListPage = 0, IGP::linkPage = 0;
int32_t IGP::extraPage = 0;
StaticRef<ObjectArray> IGP::pageLinks;
StaticRef<BoolArray> IGP::pageValid;
StaticRef<IntArray> IGP::pageKinds;
StaticRef<ObjectArray> IGP::listLinks, IGP::listEntryCodes, IGP::listTextIds;
StaticRef<IntArray> IGP::listLinkCounts, IGP::extraPageSteps;
int32_t IGP::lastLoadStep = 9;
int32_t IGP::textExtraTitle = 0, IGP::textExtraBody = 0, IGP::textOk = 0, IGP::textBack = 0;
int32_t IGP::textVisit = 0, IGP::textVisitProduct = 0, IGP::firstListLastText = 0;
int32_t IGP::secondListLastText = 0;

void IGP::initialize(MIDlet* m, Canvas* c, int32_t width, int32_t height, Object* listener) {
  SORV_FRAME("IGP.initialize(Ljavax/microedition/midlet/MIDlet;Ljavax/microedition/lcdui/Canvas;IILjavax/microedition/lcdui/CommandListener;)V");
  screenWidth = width;
  screenHeight = height;
  screenCenterX = width >> 1;
  screenCenterY = height >> 1;
  topMargin = height * 5 / 100;
  boxTop = height / 2;
  boxBottom = height * 93 / 100;
  if (!isNull(midlet.get())) {
    log(constant(13));
    return;
  }
  if (isNull(c)) log(constant(14));
  if (isNull(m)) return;
  if (!isNull(listener)) {
    useCommands = true;
    if (isNull(instance.get())) instance = newObject<IGP>();
    commandListener = listener;
  }
  midlet = m;
  canvas = c;
  readAndParseURLs();
}

bool IGP::pageIsValid(int32_t page) {
  BoolArray* valid = pageValid;
  return !isNull(valid) && valid->inBounds(page) && valid->elements()[page] != 0;
}

String* IGP::pageLink(int32_t page) {
  ObjectArray* links = pageLinks;
  return isNull(links) || !links->inBounds(page) ? nullptr : static_cast<String*>(links->elements()[page]);
}

bool IGP::IsAvailable() { return available && getPagesCount() > 0; }

int32_t IGP::getPagesCount() {
  int32_t n = 0;
  for (int32_t p = 0; p < pageCount; p++) n += pageIsValid(p) ? 1 : 0;
  return n;
}

int32_t IGP::getFirstValidPage() {
  for (int32_t p = 0; p < pageCount; p++) {
    if (pageIsValid(p)) return p;
  }
  return -1;
}

int32_t IGP::getPageChunkIndex(int32_t page) {
  if (!isNull(pageKinds.get()) && pageKinds->inBounds(page) && pageKinds->elements()[page] == kProductKind) {
    return promo::kEntryProducts;
  }
  if (page == promoPage) return promo::kEntryPromotion;
  if (page == firstListPage) return promo::kEntryFirstList;
  if (page == secondListPage) return promo::kEntrySecondList;
  if (page == linkPage) return promo::kEntryLinkPage;
  if (page == extraPage && !isNull(extraPageSteps.get())) return extraPageSteps->elements()[0];
  return -1;
}

bool IGP::isZVipAvailable() {
  ObjectArray* codes = languageCodes;
  bool vipLanguage = false;
  for (int32_t i = 0; !isNull(codes) && i < codes->length; i++) {
    vipLanguage = vipLanguage || equal(stringAt(codes, i), constant(kVipLanguage));
  }
  if (vipLanguage) {
    String* p = property(promo::kConstPropPromo);
    String* code = constant(kVipCode);
    if (isNull(p)) return false;
    const int32_t a = String::indexOf(p, code);
    const int32_t len = code->length();
    if (a < 0 || p->length() <= a + 2 * len + 1) return false;
    if (!equal(String::substring(p, a + len + 1, a + 2 * len + 1), code)) return false;
    String* link = appendCounters ? join(portalLink, constant(kPortalSuffix)) : portalLink.get();
    const int32_t at = isNull(link) ? -1 : String::indexOf(link, constant(kPlaceholder));
    if (at >= 0) {
      link = join(String::substring(link, 0, at), code,
                  String::substringFrom(link, at + constant(kPlaceholder)->length()));
    }
    vipLink = link;
    if (igp::isEmpty(link)) return false;
    vipLinkReady = true;
    return true;
  }
  vipLink = property(promo::kConstPropVip);
  if (isNull(vipLink.get())) return false;
  vipLinkReady = true;
  return true;
}

void IGP::MarkIGPsAsVisited() {
  RecordStore* store = RecordStore::openRecordStore(constant(kVisitedStore), true);
  if (!isNull(store)) store->closeRecordStore();
  Application::instance()->m_pendingException = nullptr;
}

String* IGP::getAppProperty(String* key) {
  MIDlet* m = midlet;
  if (isNull(m) || isNull(key) || isNull(m->properties)) return nullptr;
  // An absent key has no value (the device's "PROPERTY VALUE EMPTY" would pass as a link).
  Object* value = Hashtable::get(m->properties, key);
  return isNull(value) ? nullptr : m->getAppProperty(key);
}

void IGP::log(String*) {
  // The screen's own diagnostics are dropped, as the shipped game did.
}

bool IGP::checkURL(String* link, int32_t flags) {
  if (isNull(link)) return (flags & 1) == 0;
  String* t = String::trim(link);
  if ((flags & 1) != 0 && igp::isEmpty(t)) return false;
  String* upper = String::toUpperCase(t);
  if ((flags & 2) != 0 && equal(upper, constant(kSelfLink))) return false;
  if ((flags & 4) != 0 && (equal(upper, constant(kNoLink)) || equal(upper, constant(kZero)))) return false;
  return true;
}

String* IGP::getRedirLink(String* prop, String* key, String* linkTemplate) {
  if (anyNull(prop, key, linkTemplate)) return nullptr;
  const int32_t a = String::indexOf(prop, join(key, constant(kPairSeparator)));
  String* t = String::trim(linkTemplate);
  if (a < 0 || igp::isEmpty(t)) return nullptr;
  const int32_t start = a + key->length() + 1;
  int32_t end = String::indexOfString(prop, constant(kPairEnd), start);
  if (end < 0) end = prop->length();
  String* value = String::trim(String::substring(prop, start, end));
  String* upper = String::toUpperCase(value);
  if (igp::isEmpty(value) || equal(value, constant(kZero)) || equal(upper, constant(kNoLink))) {
    return constant(promo::kConstEmpty);
  }
  if (equal(upper, constant(kSelfLink)) || equal(key, constant(kPortalKey))) return value;
  const int32_t p = String::indexOf(t, constant(kPlaceholder));
  if (p < 0) return t;
  return join(String::substring(t, 0, p), value, String::substringFrom(t, p + constant(kPlaceholder)->length()));
}

void IGP::initGenericIndex(ObjectArray* productCodes) {
  const int32_t p = isNull(productCodes) ? 0 : productCodes->length;
  const int32_t first = isNull(firstListCodes.get()) ? 0 : firstListCodes->length;
  const int32_t second = isNull(secondListCodes.get()) ? 0 : secondListCodes->length;
  const promo::TextIds ids{p, first, second};
  textExtraTitle = ids.extraTitle();
  textExtraBody = ids.extraBody();
  textOk = ids.ok();
  textBack = ids.back();
  textVisit = ids.visit();
  textVisitProduct = ids.visitProduct();
  firstListLastText = ids.firstListLast();
  secondListLastText = ids.secondListLast();
}

void IGP::readAndParseURLs() {
  SORV_FRAME("IGP.readAndParseURLs()V");
  available = false;
  if (!openDataIGP()) {
    log(constant(30));
    return;
  }
  readFailed = false;
  dataCursor = 0;
  ByteArray* b = readDataIGP(promo::kEntryHeader);
  readInt(b);
  readHeaderString(b);
  languageCodes = readHeaderList(b);
  ObjectArray* products = readHeaderList(b);
  firstListCodes = readHeaderList(b);
  secondListCodes = readHeaderList(b);
  thirdListCodes = readHeaderList(b);
  BoolArray* flags = Array::newBooleanArray(1);
  pageFlags = flags;
  flags->elements()[0] = readInt(b) == 1 ? 1 : 0;
  dataVersion = readHeaderString(b);
  closeDataIGP();
  if (readFailed || isNull(b)) {
    logBadData("the header entry is cut short or damaged; entry", promo::kEntryHeader);
    return;
  }
  if (isNull(languageCodes.get()) || languageCodes->length == 0) {
    logBadData("no language code; codes:", 0);
    return;
  }
  if (equal(dataVersion, constant(promo::kConstWideVersion))) {
    wideMetrics = 2;
    metricY = 2;
    metricWidth = 4;
    metricHeight = 5;
  }
  if (!String::startsWith(dataVersion, codeVersion)) {
    log(constant(32));
    log(constant(33));
  }
  const bool extra = pageFlags->elements()[0] != 0;
  initGenericIndex(products);
  productCount = products->length;
  promoPage = productCount;
  firstListPage = productCount + 1;
  secondListPage = productCount + 2;
  linkPage = productCount + 3;
  extraPage = productCount + 4;
  pageCount = productCount + 4 + (extra ? 1 : 0);
  IntArray* steps = Array::newIntArray(1);
  extraPageSteps = steps;
  steps->elements()[0] = extra ? 9 : -2;
  lastLoadStep = extra ? 10 : 9;
  pageLinks = Array::newObjectArray(kString, pageCount);
  pageValid = Array::newBooleanArray(pageCount);
  pageKinds = Array::newIntArray(pageCount);
  listLinks = Array::newObjectArray(kObjectArray, 3);
  listEntryCodes = Array::newObjectArray(kIntArray, 3);
  listTextIds = Array::newObjectArray(kIntArray, 3);
  listLinkCounts = Array::newIntArray(3);
  productPageCount = 0;

  linkTemplate = String::trim(property(promo::kConstPropTemplate));
  appendCounters = !isNull(linkTemplate.get()) && String::indexOf(linkTemplate, constant(kCounterMarker)) >= 0;
  for (int32_t p = 0; p < productCount; p++) {
    parseSplash(p, stringAt(products, p), kLinkChecks, constant(promo::kConstPropProducts), linkTemplate);
  }
  String* portal = property(promo::kConstPropPortal);
  if (checkURL(portal, kLinkChecks)) portalLink = portal;
  promotionSource = property(promo::kConstPropText);
  promotionText = promotionSource.get();
  if (!extra && checkURL(portalLink, kLinkChecks)) {
    parseSplash(promoPage, constant(kPromoCode), kLinkChecks, constant(promo::kConstPropPromo), portalWithSuffix());
  }
  if (!extra) {
    parseList(0, firstListCodes, firstListPage, firstListLastText, constant(promo::kConstPropFirstList));
    parseList(1, secondListCodes, secondListPage, secondListLastText, constant(promo::kConstPropSecondList));
    if (checkURL(getRedirLink(property(promo::kConstPropPromo), constant(kPortalKey), portalLink), kLinkChecks) &&
        checkURL(portalLink, kLinkChecks)) {
      setPage(linkPage, appendCounters ? join(portalLink, constant(kLinkPageSuffix)) : portalLink.get());
    }
  } else if (checkURL(portalLink, kLinkChecks)) {
    setPage(extraPage, portalLink);
  }
  validPageCount = getPagesCount();
  if (validPageCount < 1) {
    log(constant(44));
  } else {
    available = true;
  }
  log(constant(45));
}

void IGP::parseSplash(int32_t page, String* code, int32_t flags, String* key, String* linkTemplate) {
  String* link = getRedirLink(getAppProperty(key), code, linkTemplate);
  if (!checkURL(link, flags)) return;
  if (page != promoPage) {
    productPageCount++;
    if (!isNull(pageKinds.get()) && pageKinds->inBounds(page)) pageKinds->elements()[page] = kProductKind;
    if (appendCounters) link = join(link, counterSuffix(productPageCount));
  }
  setPage(page, link);
}

void IGP::parseList(int32_t list, ObjectArray* codes, int32_t page, int32_t lastText, String* key) {
  const int32_t n = isNull(codes) ? 0 : codes->length;
  ObjectArray* links = Array::newObjectArray(kString, n);
  IntArray* entryCodes = Array::newIntArray(n);
  IntArray* textIds = Array::newIntArray(n);
  if (isNull(links) || isNull(entryCodes) || isNull(textIds) || isNull(listLinks.get())) return;
  listLinks->elements()[list] = links;
  listEntryCodes->elements()[list] = entryCodes;
  listTextIds->elements()[list] = textIds;
  String* prop = getAppProperty(key);
  int32_t rows = 0;
  for (int32_t i = 0; i < n; i++) {
    String* code = stringAt(codes, i);
    String* link;
    if (i + 1 < n) {
      link = equal(code, constant(promo::kConstListPortalCode)) ? portalLink.get()
                                                                : getRedirLink(prop, code, linkTemplate);
    } else if (!igp::isEmpty(portalLink)) {
      link = getRedirLink(property(promo::kConstPropPromo), code, portalWithSuffix());
    } else {
      link = constant(promo::kConstEmpty);
    }
    if (!checkURL(link, kLinkChecks)) continue;
    links->elements()[rows] = link;
    entryCodes->elements()[rows] = i;
    textIds->elements()[i] = promo::TextIds::listEntry(lastText, n, i);
    rows++;
  }
  if (rows > 0) {
    if (!isNull(pageValid.get()) && pageValid->inBounds(page)) pageValid->elements()[page] = 1;
    listLinkCounts->elements()[list] = rows;
  }
}

void IGP::loadPromotionText() {
  String* source = promotionSource;
  promotionText = nullptr;
  if (igp::isEmpty(source)) return;
  String* text = String::toUpperCase(source);
  StringBuffer* out = StringBuffer::create(text->length() + 8);
  if (isNull(out)) return;
  int32_t lines = 1, width = 0, spaceWidth = 0, spacePos = 0;
  const int32_t n = text->length();
  for (int32_t i = 0; i < n; i++) {
    const int32_t c = text->text[i];
    if ((c < 32 || c > 122) && c != 130 && c != 10) return;
    const bool escaped = c == '\\' && i + 1 < n && (text->text[i + 1] == 'n' || text->text[i + 1] == 'N');
    if (c == 10 || escaped) {
      if (escaped) i++;
      if (out->length > 0) {
        if (++lines >= 3) return;
        StringBuffer::appendChar(out, 10);
      }
      width = 0;
      spacePos = 0;
      continue;
    }
    StringBuffer::appendChar(out, c);
    width += getFontMetric(c, metricWidth);
    if (c == ' ') {
      spaceWidth = width;
      spacePos = out->length - 1;
    }
    if (width < screenWidth) continue;
    if (lines >= 3) return;
    if (spacePos != out->length - 1) {
      if (spacePos == 0) return;
      out->buffer[spacePos] = 10;  // the break replaces the space
      width -= spaceWidth;
      spacePos = 0;
    } else {
      StringBuffer::appendChar(out, 10);
      width = 0;
    }
    lines++;
  }
  String* wrapped = out->toString();
  if (checkURL(wrapped, kLinkChecks)) promotionText = wrapped;
}

void IGP::doPlatformRequest() {
  String* link = pendingLink;
  if (igp::isEmpty(link)) return;
  pendingLink = nullptr;
  log(join(constant(kOpeningLog), link));
  // A started browser ends the game inside the call; a refusal comes back here.
  MIDlet::platformRequest(link);
  Application::instance()->m_pendingException = nullptr;
  Shell::sleep(kPlatformRequestPauseMs);
  state = vipMode ? kStateLeaving : kStatePage;
}

}  // namespace sorv
