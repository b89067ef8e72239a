// IGP's loaded data and its static initialiser, which gives every static its start value:
// a new runtime (tests start many) begins from the same screen.
#include "device/canvas.h"
#include "device/image.h"
#include "device/midlet.h"
#include "promo/igp.h"
#include "promo/igp_strings.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "tools/data/promo_ids.h"

namespace sorv {

StaticRef<ObjectArray> IGP::texts;
StaticRef<ShortArray> IGP::textEnds;
StaticRef<ObjectArray> IGP::fontImages;
StaticRef<ByteArray> IGP::fontMetrics;
int32_t IGP::fontMaxCode = -1;
int32_t IGP::wideMetrics = 0, IGP::metricX = 0, IGP::metricY = 1, IGP::metricWidth = 2, IGP::metricHeight = 3;
int32_t IGP::fontHeight = 1, IGP::charSpacing = -1;
StaticRef<ObjectArray> IGP::uiImages, IGP::pageImages, IGP::listImages;
StaticRef<Image> IGP::languageImage, IGP::extraImage;
int32_t IGP::language = 0;
StaticRef<ObjectArray> IGP::languageCodes, IGP::firstListCodes, IGP::secondListCodes, IGP::thirdListCodes;
StaticRef<BoolArray> IGP::pageFlags;
StaticRef<String> IGP::dataVersion, IGP::codeVersion;

void* IGP::getInterface(int32_t classId) {
  if (classId == kRunnable) return static_cast<Runnable*>(this);
  return classId == kCommandListener ? this : nullptr;
}

void IGP::clinit() {
  SORV_FRAME("IGP.<clinit>()V");
  dataCursor = dataOffsetCount = 0;
  dataFileSize = -1;
  readFailed = false;
  fontMaxCode = -1;
  wideMetrics = 0;
  metricX = 0;
  metricY = 1;
  metricWidth = 2;
  metricHeight = 3;
  fontHeight = 1;
  charSpacing = -1;
  language = 0;
  useCommands = false;
  screenWidth = screenHeight = screenCenterX = screenCenterY = topMargin = boxTop = boxBottom = 0;
  appendCounters = available = vipLinkReady = false;
  validPageCount = -1;
  productPageCount = productCount = pageCount = 0;
  promoPage = firstListPage = secondListPage = linkPage = extraPage = 0;
  lastLoadStep = 9;
  state = kStateLoading;
  active = vipMode = touchPending = isListPage = pageHasLink = measureOnly = false;
  leftArrowFlash = rightArrowFlash = false;
  loadStep = -1;
  loadStepCount = currentPage = pageText = action = touchAction = 0;
  listIndex = listRowCount = listVisibleRows = listTop = listSelection = 0;
  listRowX = listRowWidth = listRowsY = listRowHeight = 0;
  listUpArrowY = listDownArrowY = -1;
  actionText = boxX = boxY = boxWidth = boxHeight = arrowFlashFrames = 0;
  currentFont = 1;
  textBlockWidth = textBlockHeight = 0;
  midlet = nullptr;
  canvas = nullptr;
  instance = nullptr;
  commandListener = nullptr;
  languageCodes = firstListCodes = secondListCodes = thirdListCodes = nullptr;
  pageLinks = listLinks = listEntryCodes = listTextIds = nullptr;
  pageValid = nullptr;
  pageKinds = listLinkCounts = extraPageSteps = nullptr;
  pageFlags = nullptr;
  linkTemplate = promotionSource = promotionText = vipLink = pendingLink = title = nullptr;
  texts = fontImages = uiImages = pageImages = listImages = nullptr;
  textEnds = nullptr;
  fontMetrics = nullptr;
  languageImage = extraImage = nullptr;
  lineWidths = nullptr;
  dataOffsets = nullptr;
  codeVersion = igp::constant(promo::kConstCodeVersion);
  dataVersion = igp::constant(promo::kConstEmpty);
  portalLink = igp::constant(promo::kConstEmpty);
}

SORV_STATIC_INIT(kIGP, IGP::clinit);

}  // namespace sorv
