// The promotion data file: its header of offsets, its entries, the readers of numbers,
// strings, lists and pictures inside an entry, and the loading steps.
#include "device/command.h"
#include "device/image.h"
#include "runtime/constants.h"
#include "promo/igp.h"
#include "promo/igp_strings.h"
#include "runtime/application.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/promo_ids.h"

namespace sorv {

namespace {




constexpr int32_t kDefaultFontColour = 0x00B4EF, kHighlightFontColour = 0xFF0000;

// An exception of a read is caught here and turns into a failed read.
bool caught() {
  if (Application::pendingException() == nullptr) return false;
  Application::instance()->m_pendingException = nullptr;
  return true;
}

bool readByte(InputStream* in, int32_t* value) {
  const int32_t b = in->read();
  if (caught() || b < 0) return false;
  *value = b & 0xFF;
  return true;
}

// Moves the stream forward by n bytes; false when it ends first.
bool skipFully(InputStream* in, int64_t n) {
  while (n > 0) {
    int64_t step = in->skip(n);
    if (caught()) return false;
    if (step <= 0) {
      int32_t unused;
      if (!readByte(in, &unused)) return false;
      step = 1;
    }
    n -= step;
  }
  return true;
}

// Room for n more bytes at the cursor.
bool has(ByteArray* b, int32_t n) {
  if (isNull(b) || n < 0 || IGP::dataCursor < 0 || IGP::dataCursor > b->length - n) {
    IGP::readFailed = true;
    return false;
  }
  return true;
}

int32_t listLength(ObjectArray* list) { return isNull(list) ? 0 : list->length; }

// The next picture of the entry into images[index].
void readImageInto(ByteArray* b, ObjectArray* images, int32_t index) {
  Image* image = IGP::readImage(b);
  if (!isNull(images) && images->inBounds(index)) images->elements()[index] = image;
}

void loadTexts() {
  ByteArray* b = IGP::readDataIGP(promo::kEntryTexts);
  for (int32_t k = 0; k < IGP::language && !IGP::readFailed; k++) {
    const int32_t skip = IGP::readInt(b);
    if (has(b, skip)) IGP::dataCursor += skip;
  }
  IGP::readInt(b);
  const int32_t blobLength = IGP::readInt(b);
  if (!has(b, blobLength)) return;
  const int32_t blobStart = IGP::dataCursor;
  IGP::dataCursor += blobLength;
  IGP::readInt(b);
  const int32_t count = IGP::readInt(b);
  if (IGP::readFailed || count < 1 || !has(b, 2 * (count - 1))) {
    IGP::readFailed = true;
    return;
  }
  ShortArray* ends = Array::newShortArray(count);
  IGP::textEnds = ends;
  for (int32_t i = 0; i + 1 < count; i++) {
    const int32_t end = IGP::readInt(b);
    const int32_t previous = i == 0 ? 0 : static_cast<uint16_t>(ends->elements()[i - 1]);
    if (end < previous || end > blobLength) {
      IGP::readFailed = true;
      return;
    }
    ends->elements()[i] = static_cast<int16_t>(end);
  }
  ends->elements()[count - 1] = static_cast<int16_t>(blobLength);
  ObjectArray* all = Array::newObjectArray(kString, count);
  IGP::texts = all;
  String* encoding = StaticClass::getConstant(promo::kConstEncoding);
  for (int32_t i = 0; i < count; i++) {
    const int32_t start = i == 0 ? 0 : static_cast<uint16_t>(IGP::textEnds->elements()[i - 1]);
    const int32_t end = static_cast<uint16_t>(IGP::textEnds->elements()[i]);
    if (end == start) continue;
    String* text = newObject<String>();
    if (isNull(text)) continue;
    String::initFromBytesEncoded(text, b, blobStart + start, end - start, encoding);
    IGP::texts->elements()[i] = text;
  }
}

void loadFont() {
  ByteArray* b = IGP::readDataIGP(promo::kEntryFont);
  if (isNull(b)) {
    IGP::readFailed = true;
    return;
  }
  ByteArray* copy = Array::newByteArray(b->length);
  if (isNull(copy)) return;
  System::arraycopy(b, 0, copy, 0, b->length);
  const int32_t pngLength = IGP::readInt(b);
  if (!has(b, pngLength)) return;
  IGP::dataCursor = 0;
  ObjectArray* fonts = Array::newObjectArray(kImage, 3);
  IGP::fontImages = fonts;
  fonts->elements()[0] = IGP::readImage(b);
  fonts->elements()[1] = IGP::createFont(copy, 2, pngLength, 1, kDefaultFontColour);
  fonts->elements()[2] = IGP::createFont(copy, 2, pngLength, 1, kHighlightFontColour);
  const int32_t metricsBytes = IGP::readInt(b);
  const int32_t maxCode = IGP::readInt(b);
  const int32_t recordSize = 4 + IGP::wideMetrics;
  const int32_t records = metricsBytes / (recordSize + 2);
  if (IGP::readFailed || !has(b, records * (recordSize + 2))) return;
  ByteArray* metrics = Array::newByteArray(recordSize * (maxCode + 1));
  IGP::fontMetrics = metrics;
  IGP::fontMaxCode = maxCode;
  for (int32_t r = 0; r < records; r++) {
    const int32_t code = IGP::readInt(b);
    // A record for a code above the highest would write past the table.
    if (code <= maxCode && !isNull(IGP::fontMetrics.get())) {
      System::arraycopy(b, IGP::dataCursor, IGP::fontMetrics.get(), recordSize * code, recordSize);
    }
    IGP::dataCursor += recordSize;
  }
  const int32_t spaceHeight = static_cast<int8_t>(IGP::getFontMetric(' ', IGP::metricHeight));
  IGP::fontHeight = spaceHeight >= 1 ? spaceHeight : 1;
  IGP::charSpacing = IGP::fontHeight == 13 ? 0 : -1;
  IGP::loadPromotionText();
}

void loadImages(int32_t entry, ObjectArray* into, int32_t first, int32_t count) {
  ByteArray* b = IGP::readDataIGP(entry);
  for (int32_t i = 0; i < count && !IGP::readFailed; i++) readImageInto(b, into, first + i);
}

void loadPromotion() {
  ByteArray* b = IGP::readDataIGP(promo::kEntryPromotion);
  readImageInto(b, IGP::pageImages, IGP::promoPage);
  for (int32_t k = 0; k < IGP::language && !IGP::readFailed; k++) {
    const int32_t length = IGP::readInt(b);
    if (has(b, length)) IGP::dataCursor += length;
  }
  if (!IGP::readFailed) IGP::languageImage = IGP::readImage(b);
}

void loadList(int32_t list, ObjectArray* codes, int32_t page) {
  const int32_t n = listLength(codes);
  ObjectArray* images = isNull(IGP::listImages.get()) ? nullptr
                                                       : static_cast<ObjectArray*>(IGP::listImages->elements()[list]);
  if (n == 0 || isNull(images)) return;
  if (n > 1) loadImages(list == 0 ? promo::kEntryFirstList : promo::kEntrySecondList, images, 0, n - 1);
  if (!isNull(images)) images->elements()[n - 1] = IGP::imageAt(IGP::uiImages, 11);
  ObjectArray* pages = IGP::pageImages;
  if (!isNull(pages) && pages->inBounds(page)) pages->elements()[page] = IGP::imageAt(IGP::uiImages, 10);
}

bool languageGetsExtraImage() {
  ObjectArray* codes = IGP::languageCodes;
  if (isNull(codes) || !codes->inBounds(IGP::language)) return false;
  Object* code = codes->elements()[IGP::language];
  return igp::equal(static_cast<String*>(code), StaticClass::getConstant(promo::kConstExtraImageCode1)) ||
         igp::equal(static_cast<String*>(code), StaticClass::getConstant(promo::kConstExtraImageCode2));
}

void loadLinkPage() {
  ByteArray* b = IGP::readDataIGP(promo::kEntryLinkPage);
  readImageInto(b, IGP::pageImages, IGP::linkPage);
  if (!IGP::readFailed && languageGetsExtraImage() && isNull(IGP::extraImage.get())) {
    IGP::extraImage = IGP::readImage(b);
  }
}

void allocateImages() {
  IGP::uiImages = Array::newObjectArray(kImage, promo::kUiImageCount);
  IGP::pageImages = Array::newObjectArray(kImage, IGP::pageCount);
  ObjectArray* lists = Array::newObjectArray(kObjectArray, 3);
  IGP::listImages = lists;
  ObjectArray* codes[3] = {IGP::firstListCodes, IGP::secondListCodes, IGP::thirdListCodes};
  for (int32_t i = 0; i < 3; i++) {
    ObjectArray* images = Array::newObjectArray(kImage, listLength(codes[i]));
    if (!isNull(IGP::listImages.get())) IGP::listImages->elements()[i] = images;
  }
}

}  // namespace

int32_t IGP::dataCursor = 0;
int32_t IGP::dataOffsetCount = 0;
StaticRef<IntArray> IGP::dataOffsets;
int32_t IGP::dataFileSize = -1;
bool IGP::readFailed = false;

void IGP::logBadData(const char* what, int32_t value) {
  Debug::trace("promotion data: %s %d", what, value);
}

// The runtime's resource opener (the shell installs the archive's).
InputStream* IGP::getResourceAsStreamIGP(String* name) { return openResource(name); }

void IGP::closeDataIGP() {
  dataOffsetCount = 0;
  dataOffsets = nullptr;
  dataFileSize = -1;
  System::gc();
}

bool IGP::openDataIGP() {
  SORV_FRAME("IGP.openDataIGP()Z");
  closeDataIGP();
  InputStream* in = getResourceAsStreamIGP(StaticClass::getConstant(promo::kConstFileName));
  if (isNull(in)) return false;
  int32_t lo = 0, hi = 0;
  bool ok = readByte(in, &lo) && readByte(in, &hi);
  const int32_t count = lo | hi << 8;
  IntArray* offsets = ok && count >= 1 ? Array::newIntArray(count) : nullptr;
  ok = ok && !isNull(offsets);
  for (int32_t i = 0; ok && i < count; i++) {
    uint32_t v = 0;
    for (int32_t k = 0; ok && k < 4; k++) {
      int32_t byte = 0;
      ok = readByte(in, &byte);
      v |= static_cast<uint32_t>(byte) << (8 * k);
    }
    offsets->elements()[i] = static_cast<int32_t>(v);
  }
  const int32_t dataBytes = ok ? in->available() : 0;
  in->close();
  caught();
  if (!ok) {
    logBadData("the header is cut short; offsets expected:", count);
    return false;
  }
  // Every entry must lie inside the bytes that follow the header, in order.
  for (int32_t i = 0; i < count; i++) {
    const int32_t o = offsets->elements()[i];
    if (o < 0 || o > dataBytes || (i > 0 && o < offsets->elements()[i - 1])) {
      logBadData("an offset lies outside the file or goes back, at index", i);
      return false;
    }
  }
  dataOffsets = offsets;
  dataOffsetCount = count;
  dataFileSize = dataBytes;
  return true;
}

ByteArray* IGP::readDataIGP(int32_t index) {
  SORV_FRAME("IGP.readDataIGP(I)[B");
  if (index < 0 || index >= dataOffsetCount - 1 || isNull(dataOffsets.get())) return nullptr;
  const int32_t start = dataOffsets->elements()[index];
  const int32_t size = dataOffsets->elements()[index + 1] - start;
  if (size <= 0) return nullptr;
  InputStream* in = getResourceAsStreamIGP(StaticClass::getConstant(promo::kConstFileName));
  if (isNull(in)) return nullptr;
  ByteArray* entry = nullptr;
  if (skipFully(in, 2 + 4 * int64_t{dataOffsetCount} + start)) {
    entry = Array::newByteArray(size);
    int32_t got = 0;
    while (!isNull(entry) && got < size) {
      const int32_t n = in->read(entry, got, size - got);
      if (caught() || n <= 0) break;
      got += n;
    }
    // A short read is a failed read, never a partly filled entry.
    if (got != size) {
      logBadData("the file ends inside entry", index);
      entry = nullptr;
    }
  } else {
    logBadData("the file ends before entry", index);
  }
  in->close();
  caught();
  return entry;
}

int32_t IGP::readInt(ByteArray* b) {
  if (!has(b, 2)) return 0;
  const int8_t* p = b->elements() + dataCursor;
  dataCursor += 2;
  return (p[0] & 0xFF) | (p[1] & 0xFF) << 8;
}

ByteArray* IGP::getImageBytes(ByteArray* b) {
  const int32_t length = readInt(b);
  if (!has(b, length)) return nullptr;
  ByteArray* bytes = Array::newByteArray(length);
  if (!isNull(bytes)) System::arraycopy(b, dataCursor, bytes, 0, length);
  dataCursor += length;
  return bytes;
}

Image* IGP::readImage(ByteArray* b) {
  ByteArray* bytes = getImageBytes(b);
  if (isNull(bytes) || bytes->length == 0) return nullptr;
  return CreateImage(bytes, 0, bytes->length);
}

Image* IGP::CreateImage(ByteArray* bytes, int32_t offset, int32_t length) {
  return Image::createImage(bytes, offset, length);
}

String* IGP::readHeaderString(ByteArray* b) {
  const int32_t length = readInt(b);
  if (!has(b, length)) return nullptr;
  String* s = newObject<String>();
  if (!isNull(s)) String::initFromBytes(s, b, dataCursor, length);
  dataCursor += length;
  return s;
}

ObjectArray* IGP::readHeaderList(ByteArray* b) {
  const int32_t count = readInt(b);
  // Each string takes at least its two length bytes.
  if (!has(b, 2 * count)) return nullptr;
  ObjectArray* list = Array::newObjectArray(kString, count);
  for (int32_t i = 0; i < count && !IGP::readFailed && !isNull(list); i++) list->elements()[i] = readHeaderString(b);
  return IGP::readFailed ? nullptr : list;
}

String* IGP::getString(int32_t id) {
  ObjectArray* all = texts;
  String* empty = StaticClass::getConstant(promo::kConstEmpty);
  if (isNull(all) || !all->inBounds(id) || isNull(all->elements()[id])) return empty;
  return static_cast<String*>(all->elements()[id]);
}

int32_t IGP::getFontMetric(int32_t c, int32_t metric) {
  ByteArray* metrics = fontMetrics;
  const int32_t recordSize = 4 + wideMetrics;
  if (isNull(metrics) || c < 0 || c > fontMaxCode || recordSize * (c + 1) > metrics->length) return 0;
  const int8_t* p = metrics->elements() + recordSize * c;
  auto at = [&](int32_t m) {
    const bool twoBytes = wideMetrics != 0 && (m == metricX || m == metricY);
    return twoBytes ? (p[m] & 0xFF) | (p[m + 1] & 0xFF) << 8 : p[m] & 0xFF;
  };
  if (metric == metricWidth || metric == metricHeight) {
    // A glyph whose rectangle leaves the sheet measures nothing and is not drawn.
    Image* sheet = imageAt(fontImages, 0);
    const int32_t x = at(metricX), y = at(metricY), w = at(metricWidth), h = at(metricHeight);
    if (isNull(sheet) || x + w > sheet->width || y + h > sheet->height) return 0;
  }
  return at(metric);
}

void IGP::loadResources(int32_t step) {
  SORV_FRAME("IGP.loadResources(I)V");
  dataCursor = 0;
  IGP::readFailed = false;
  switch (step) {
    case -1: allocateImages(); break;
    case 0:
      if (!openDataIGP()) logBadData("the file does not open at step", step);
      break;
    case promo::kEntryTexts:
      loadTexts();
      if (!IGP::readFailed && useCommands) {
        Command* ok = newObject<Command>();
        Command* back = newObject<Command>();
        if (!isNull(ok)) ok->init(getString(textOk), 4, 1);
        if (!isNull(back)) back->init(getString(textBack), 2, 1);
        okCommand = ok;
        backCommand = back;
        setCommandBar(true, true);
      }
      break;
    case promo::kEntryFont: loadFont(); break;
    case promo::kEntryUiImages: loadImages(promo::kEntryUiImages, uiImages, 0, promo::kUiImageCount); break;
    case promo::kEntryProducts: loadImages(promo::kEntryProducts, pageImages, 0, productCount); break;
    case promo::kEntryPromotion: loadPromotion(); break;
    case promo::kEntryFirstList: loadList(0, firstListCodes, firstListPage); break;
    case promo::kEntrySecondList: loadList(1, secondListCodes, secondListPage); break;
    case promo::kEntryLinkPage: loadLinkPage(); break;
    default:
      if (!isNull(extraPageSteps.get()) && step == extraPageSteps->elements()[0]) {
        loadImages(promo::kEntryExtraPage, pageImages, extraPage, 1);
      } else if (step == lastLoadStep) {
        closeDataIGP();
      }
      return;
  }
  if (!IGP::readFailed) return;
  // A damaged entry loses its step: nothing half-read stays.
  logBadData("an entry is cut short or damaged; lost loading step", step);
  if (step == promo::kEntryTexts) {
    texts = nullptr;
    textEnds = nullptr;
  } else if (step == promo::kEntryFont) {
    fontMetrics = nullptr;
    fontMaxCode = -1;
  }
}

void IGP::unloadResources(bool all) {
  SORV_FRAME("IGP.unloadResources(Z)V");
  ObjectArray* lists = listImages;
  for (int32_t l = 0; !isNull(lists) && l < lists->length; l++) {
    ObjectArray* images = static_cast<ObjectArray*>(lists->elements()[l]);
    for (int32_t i = 0; !isNull(images) && i < images->length; i++) images->elements()[i] = nullptr;
  }
  ObjectArray* pages = pageImages;
  for (int32_t i = 0; !isNull(pages) && i < pages->length; i++) pages->elements()[i] = nullptr;
  languageImage = nullptr;
  extraImage = nullptr;
  if (all) {
    closeDataIGP();
    fontMetrics = nullptr;
    fontMaxCode = -1;
    fontImages = nullptr;
    ObjectArray* ui = uiImages;
    for (int32_t i = 0; !isNull(ui) && i < ui->length; i++) ui->elements()[i] = nullptr;
    uiImages = nullptr;
    texts = nullptr;
    textEnds = nullptr;
    lineWidths = nullptr;
    title = nullptr;
    pageImages = nullptr;
    listImages = nullptr;
  }
  System::gc();
}

}  // namespace sorv
