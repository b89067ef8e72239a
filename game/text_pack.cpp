// Text packs: a big-endian u16 count, then per string a big-endian u16 byte length and the
// bytes in the encoding named by a constant string. Up to five packs are held at once.
#include <cstdint>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

int32_t bigEndianShort(const ByteArray* data, int32_t at) {
  const int8_t* b = data->elements();
  return (b[at] & 0xFF) << 8 | (b[at + 1] & 0xFF);
}

// How many of the strings announced are wholly inside the data.
int32_t wholeStrings(const ByteArray* data, int32_t count) {
  int64_t p = 2;
  int32_t kept = 0;
  while (kept < count && p + 2 <= data->length) {
    const int64_t end = p + 2 + bigEndianShort(data, static_cast<int32_t>(p));
    if (end > data->length) break;
    p = end;
    kept++;
  }
  return kept;
}

ObjectArray* loadedPack(int32_t pack) {
  ObjectArray* packs = CGame::textPacks.get();
  if (isNull(packs) || !packs->inBounds(pack)) return nullptr;
  return static_cast<ObjectArray*>(packs->elements()[pack]);
}

}  // namespace

void CGame::Str_LoadPack(int32_t pack, ByteArray* data, ByteArray*) {
  SORV_FRAME("CGame.Str_LoadPack(I[B[B)V");
  if (isNull(textPacks.get()) || isNull(textPackData.get()) || isNull(textPackAux.get()))
    return reportError("NullPointer");
  if (!textPacks->inBounds(pack)) return reportError("ArrayOutOfBound");
  if (isNull(data)) return reportError("NullPointer");
  textPackData->elements()[pack] = data;
  const int32_t count = data->length >= 2 ? bigEndianShort(data, 0) : 0;
  const int32_t kept = data->length >= 2 ? wholeStrings(data, count) : 0;
  if (kept < count || data->length < 2)
    Debug::trace("Str_LoadPack: pack %d holds %d of its %d strings", pack, kept, count);
  ObjectArray* strings = Array::newObjectArray(0, kept);
  textPacks->elements()[pack] = strings;
  String* encoding = StaticClass::getConstant(kConstTextEncoding);
  int32_t p = 2;
  for (int32_t i = 0; i < kept && !isNull(strings); i++) {
    const int32_t length = bigEndianShort(data, p);
    String* s = newObject<String>();
    if (isNull(s)) break;
    String::initFromBytesEncoded(s, data, p + 2, length, encoding);
    strings->elements()[i] = s;
    p += 2 + length;
  }
  textPackData->elements()[pack] = nullptr;
  textPackAux->elements()[pack] = nullptr;
  if (pack == 0) getLanguage();
}

void CGame::Str_UnloadPack(int32_t pack) {
  SORV_FRAME("CGame.Str_UnloadPack(I)V");
  astore(textPackAux.get(), pack, nullptr);
  astore(textPackData.get(), pack, nullptr);
  astore(textPacks.get(), pack, nullptr);
}

String* CGame::GetString(int32_t pack, int32_t id) {
  SORV_FRAME("CGame.GetString(II)Ljava/lang/String;");
  if (isNull(textPacks.get())) return nullptr;
  auto* strings = static_cast<ObjectArray*>(aload(textPacks.get(), pack));
  if (isNull(strings)) return nullptr;
  return static_cast<String*>(aload(strings, id));
}

ObjectArray* CGame::GetString(int32_t pack, int32_t first, int32_t last) {
  SORV_FRAME("CGame.GetString(III)[Ljava/lang/String;");
  ObjectArray* list = Array::newObjectArray(0, last - first + 1);
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    String* s = GetString(pack, first + i);
    list->elements()[i] = s;
  }
  return list;
}

int32_t CGame::GetStringCount(int32_t pack) {
  ObjectArray* strings = loadedPack(pack);
  return isNull(strings) ? 0 : strings->length;
}

void CGame::FreeString(int32_t pack, int32_t first, int32_t last) {
  SORV_FRAME("CGame.FreeString(III)V");
  if (last == -1) last = first;
  if (first > last) return;
  if (isNull(textPacks.get())) return reportError("NullPointer");
  auto* strings = static_cast<ObjectArray*>(aload(textPacks.get(), pack));
  if (isNull(strings)) return reportError("NullPointer");
  for (int32_t id = first; id <= last; id++) {
    if (!strings->inBounds(id)) return reportError("ArrayOutOfBound");
    strings->elements()[id] = nullptr;
  }
}

void CGame::getLanguage() {
  SORV_FRAME("CGame.getLanguage()V");
  language = 0;
  String* code = GetString(0, 0);
  if (isNull(code)) return;
  for (int32_t index = 0; index < kLanguageCount; index++) {
    if (code->equals(StaticClass::getConstant(kConstLanguageCodes[index]))) {
      language = index;
      return;
    }
  }
}

void CGame::initStrings() {
  SORV_FRAME("CGame.initStrings()V");
  constexpr int32_t kTextsPack = 2;
  homeNames = GetString(kTextsPack, kHomeNamesFirst, kHomeNamesFirst + kHomeNamesCount - 1);
  rosterNames = GetString(kTextsPack, kRosterNamesFirst, kRosterNamesFirst + kRosterNamesCount - 1);
  styleCaptions = GetString(kTextsPack, kStyleCaptionsFirst, kStyleCaptionsFirst + kStyleCaptionsCount - 1);
  firstNames = GetString(kTextsPack, kFirstNamesFirst, kFirstNamesFirst + kFirstNamesCount - 1);
  lastNames = GetString(kTextsPack, kLastNamesFirst, kLastNamesFirst + kLastNamesCount - 1);
  homeOrder = Array::newIntArray(kHomeNamesCount);
  IntArray* order = homeOrder.get();
  ObjectArray* names = homeNames.get();
  if (isNull(order) || isNull(names)) return;
  for (int32_t i = 0; i < kHomeNamesCount; i++) order->elements()[i] = i;
  if (isCareer) {
    // The avatar's own slot in the caption list shows its career style instead.
    const int32_t mode = aload(matchSettings.get(), 0);
    const int32_t slot = mode == 2 || mode == 3 ? 35 : 17;
    astore(styleCaptions.get(), slot, GetString(kTextsPack, kCareerStyleTextFirst + careerStyle));
  }
  // Insertion sort on the names; equal names never swap, so the order is stable.
  for (int32_t i = 1; i < kHomeNamesCount; i++) {
    for (int32_t j = i; j > 0; j--) {
      auto* before = static_cast<String*>(names->elements()[j - 1]);
      auto* at = static_cast<String*>(names->elements()[j]);
      if (isNull(before) || isNull(at) || String::compareTo(before, at) < 1) break;
      names->elements()[j - 1] = at;
      names->elements()[j] = before;
      int32_t* o = order->elements();
      const int32_t t = o[j - 1];
      o[j - 1] = o[j];
      o[j] = t;
    }
  }
  // The names themselves stay in pack order; only the order array is sorted.
  homeNames = GetString(kTextsPack, kHomeNamesFirst, kHomeNamesFirst + kHomeNamesCount - 1);
}

String* CGame::FormatString(int32_t n, int32_t width) {
  SORV_FRAME("CGame.FormatString(II)Ljava/lang/String;");
  String* s = String::valueOfInt(n);
  const int32_t pads = width - (isNull(s) ? 0 : s->length());
  if (pads <= 0) return s;
  StringBuffer* text = StringBuffer::create(width + 1);
  String* pad = StaticClass::getConstant(kConstPadding);
  for (int32_t i = 0; i < pads; i++) StringBuffer::appendString(text, pad);
  StringBuffer::appendString(text, s);
  return text->toString();
}

String* CGame::FormatMathStringLocalize(int32_t n) {
  SORV_FRAME("CGame.FormatMathStringLocalize(I)Ljava/lang/String;");
  const int64_t magnitude = n < 0 ? -int64_t{n} : n;
  const bool ungroupedBelow10000 =
      language == 1 || language == 4 || language == 5 || language == 9 || language == 10;
  if (ungroupedBelow10000 && magnitude < 10000) return String::valueOfInt(n);
  const char16_t separator =
      language == 0 ? u',' : (language == 3 || language == 6 || language == 9 ? u'.' : u' ');
  char digits[20];
  int32_t count = 0;
  for (int64_t v = magnitude; count == 0 || v > 0; v /= 10) digits[count++] = static_cast<char>('0' + v % 10);
  char16_t text[32];
  int32_t length = 0;
  if (n < 0) text[length++] = u'-';
  for (int32_t i = count - 1; i >= 0; i--) {
    text[length++] = static_cast<char16_t>(digits[i]);
    if (i > 0 && i % 3 == 0) text[length++] = separator;
  }
  return String::fromUnits(text, length);
}

}  // namespace sorv
