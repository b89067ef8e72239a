#include "tools/mkdata/promo_file.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/data/promo_ids.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/byte_writer.h"  // encodeModifiedUtf8
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/font_face.h"
#include "tools/mkdata/promo_art.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/source_text.h"
#include "tools/mkdata/sprite_writer.h"
#include "tools/mkdata/text_packs.h"

namespace sorv::mkdata {
namespace {

constexpr size_t kMaxU16 = 0xFFFF;

// The file's numbers are little-endian u16, unlike the big-endian packs of LeWriter.
class LeWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void raw(const void* data, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

struct Item {
  std::string code;
  std::string text;
};

struct PromoSource {
  std::vector<Item> products, firstList, secondList;
  std::string version;
};

// A text of the file with where it came from, for the refusal.
struct SourcedText {
  std::u16string text;
  std::string where;
};

// The [promo] keys in the order of the texts they give.
constexpr const char* kPromoKeys[] = {"promotion", "first-list", "second-list", "link",
                                      "extra-title", "extra-body", "ok", "back", "visit",
                                      "visit-product"};

bool parsePromoSource(const std::string& source, PromoSource* out, std::string* error) {
  int32_t lineNumber = 0;
  for (std::string line : sourceLines(source)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    auto refuse = [&](const std::string& why) {
      *error = "promo.txt line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 122) {
        return refuse("only the characters 32 to 122");
      }
    }
    const size_t space = line.find(' ');
    const std::string kind = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (kind == "version") {
      out->version = rest;
      continue;
    }
    const size_t split = rest.find(' ');
    if (split == std::string::npos || split == 0) return refuse("expected KIND CODE TEXT");
    Item item{rest.substr(0, split), rest.substr(split + 1)};
    if (kind == "product") {
      out->products.push_back(item);
    } else if (kind == "first") {
      out->firstList.push_back(item);
    } else if (kind == "second") {
      out->secondList.push_back(item);
    } else {
      return refuse("unknown kind " + kind);
    }
  }
  if (out->version.empty()) {
    *error = "promo.txt: no version";
    return false;
  }
  return true;
}

// The key: text lines after "[promo]" of a language's texts file.
bool readPromoSection(const std::string& path, std::map<std::string, SourcedText>* texts,
                      std::string* error) {
  std::string source;
  if (!readSourceFile(path, &source, error)) return false;
  const std::string fileName = path.substr(path.find_last_of('/') + 1);
  bool inSection = false;
  int32_t lineNumber = 0;
  for (std::string line : sourceLines(source)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inSection = line == "[promo]";
      continue;
    }
    if (!inSection || line.empty() || line[0] == '#') continue;
    std::string where = fileName + " line " + std::to_string(lineNumber);
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      *error = where + ": expected KEY: TEXT";
      return false;
    }
    where += " ([promo] " + line.substr(0, colon) + ")";
    std::string text = line.substr(colon + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    SourcedText decoded{{}, where};
    std::string why;
    if (!decodeSourceText(text, &decoded.text, &why)) {
      *error = where + ": " + why;
      return false;
    }
    (*texts)[line.substr(0, colon)] = decoded;
  }
  for (const char* key : kPromoKeys) {
    if (texts->count(key) == 0) {
      *error = fileName + ": [promo] has no " + key;
      return false;
    }
  }
  return true;
}

std::string narrowCode(const std::u16string& wide) { return std::string(wide.begin(), wide.end()); }

// The languages of the file: the archive's own, then the others its encoding holds.
std::vector<int32_t> fileLanguages(int32_t own) {
  std::vector<int32_t> out = {own};
  const bool wide = languageEncoding(own) != PackEncoding::kLatin1;
  for (int32_t l = 0; l < kLanguageCount; l++) {
    if (l != own && (wide || languageEncoding(l) == PackEncoding::kLatin1)) out.push_back(l);
  }
  return out;
}

void putString(LeWriter* w, const std::string& s) {
  w->u16(static_cast<uint16_t>(s.size()));
  w->raw(s.data(), s.size());
}

void putList(LeWriter* w, const std::vector<std::string>& list) {
  w->u16(static_cast<uint16_t>(list.size()));
  for (const std::string& s : list) putString(w, s);
}

std::vector<std::string> codesOf(const std::vector<Item>& items) {
  std::vector<std::string> out;
  for (const Item& i : items) out.push_back(i.code);
  return out;
}

// Every text of one language by id; the ids no one gives stay empty.
std::vector<SourcedText> languageTexts(const PromoSource& src, const promo::TextIds& ids,
                                       const std::map<std::string, SourcedText>& section) {
  std::vector<SourcedText> texts(static_cast<size_t>(ids.count()));
  auto put = [&](int32_t id, const std::string& text, const std::string& where) {
    texts[static_cast<size_t>(id)] = {std::u16string(text.begin(), text.end()), where};
  };
  const int32_t p = ids.products;
  for (int32_t i = 0; i < p; i++) put(i, src.products[static_cast<size_t>(i)].text, "promo.txt");
  const int32_t fixed[] = {p, p + 1, p + 2, p + 3, ids.extraTitle(), ids.extraBody(),
                           ids.ok(), ids.back(), ids.visit(), ids.visitProduct()};
  for (size_t k = 0; k < std::size(kPromoKeys); k++) {
    texts[static_cast<size_t>(fixed[k])] = section.at(kPromoKeys[k]);
  }
  const int32_t n1 = ids.firstListEntries, n2 = ids.secondListEntries;
  for (int32_t i = 0; i < n1; i++) {
    put(promo::TextIds::listEntry(ids.firstListLast(), n1, i), src.firstList[static_cast<size_t>(i)].text, "promo.txt");
  }
  for (int32_t i = 0; i < n2; i++) {
    put(promo::TextIds::listEntry(ids.secondListLast(), n2, i), src.secondList[static_cast<size_t>(i)].text, "promo.txt");
  }
  return texts;
}

bool encodeText(const SourcedText& t, PackEncoding encoding, std::string* bytes, std::string* error) {
  bytes->clear();
  for (char16_t c : t.text) {
    FaceGlyph picture;
    const char* why = nullptr;
    if (c < 32 && c != u'\n') {
      why = "is a control character the font cannot hold";
    } else if (encoding == PackEncoding::kLatin1 && c > 0xFF) {
      why = "is a character ISO-8859-1 cannot hold";
    } else if (c != u'\n' && !findFaceGlyph(c, &picture)) {
      why = "has no glyph in the promotion's font";
    }
    if (why != nullptr) {
      *error = t.where + ": " + describeCharacter(c) + " " + why;
      return false;
    }
  }
  if (encoding == PackEncoding::kLatin1) {
    for (char16_t c : t.text) *bytes += static_cast<char>(c);
  } else {
    *bytes = encodeModifiedUtf8(t.text);
  }
  return true;
}

// One language's block: u16 length, then u16 L, the blob, u16 (unused), u16 T, T - 1 ends.
bool textBlock(const std::vector<SourcedText>& texts, PackEncoding encoding, LeWriter* out,
               std::string* error) {
  std::string blob, bytes;
  std::vector<uint16_t> ends;
  for (const SourcedText& t : texts) {
    if (!encodeText(t, encoding, &bytes, error)) return false;
    blob += bytes;
    if (blob.size() > kMaxU16) {
      *error = t.where + ": the promotion texts pass 65535 bytes";
      return false;
    }
    ends.push_back(static_cast<uint16_t>(blob.size()));
  }
  LeWriter block;
  putString(&block, blob);
  block.u16(0);
  block.u16(static_cast<uint16_t>(texts.size()));
  for (size_t i = 0; i + 1 < ends.size(); i++) block.u16(ends[i]);
  out->u16(static_cast<uint16_t>(block.bytes().size()));
  out->raw(block.bytes().data(), block.bytes().size());
  return true;
}

constexpr int kGlyphScale = 2;
// The face's rows and a clear row above and below them: lines of text overlap by two pixels
// (and the height is not 13, so glyphs overlap by one pixel: spacing -1).
constexpr int kCellHeight = kFaceRows * kGlyphScale + 2;
// The narrow layout keeps x below 256; the wide one spreads past it.
constexpr int kSheetColumns = 15, kWideSheetColumns = 32;

void drawGlyph(std::vector<uint8_t>& pixels, int sheetWidth, int x, int y, const FaceGlyph& g, uint8_t ink,
               int scale) {
  for (int c = 0; c < g.width; c++) {
    for (int r = 0; r < kFaceRows; r++) {
      if (!g.ink(c, r)) continue;
      for (int dy = 0; dy < scale; dy++) {
        for (int dx = 0; dx < scale; dx++) {
          pixels[static_cast<size_t>((y + r * scale + dy) * sheetWidth + x + c * scale + dx)] = ink;
        }
      }
    }
  }
}

// The glyph sheet and metrics of the codes used (the space always among them).
bool fontEntry(const std::set<char16_t>& used, bool wide, std::vector<uint8_t>* entry,
               std::string* error) {
  const int cellWidth = kFaceMaxWidth * kGlyphScale + 2;
  const int count = static_cast<int>(used.size());
  const int columns = wide ? kWideSheetColumns : kSheetColumns;
  const int sheetWidth = columns * cellWidth;
  const int sheetHeight = (count + columns - 1) / columns * kCellHeight;
  if (!wide && (sheetWidth > 255 || sheetHeight > 255)) {
    *error = "promotion font: the glyph sheet outgrows the narrow metrics";
    return false;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(sheetWidth * sheetHeight), 0);
  LeWriter records;
  int k = 0;
  for (char16_t code : used) {
    const int x = k % columns * cellWidth, y = k / columns * kCellHeight;
    const FaceGlyph g = faceGlyphOrHole(code);
    drawGlyph(pixels, sheetWidth, x, y + 1, g, 1, kGlyphScale);
    records.u16(code);
    if (wide) {
      records.u8(static_cast<uint8_t>(x));
      records.u8(static_cast<uint8_t>(x >> 8));
      records.u8(static_cast<uint8_t>(y));
      records.u8(static_cast<uint8_t>(y >> 8));
    } else {
      records.u8(static_cast<uint8_t>(x));
      records.u8(static_cast<uint8_t>(y));
    }
    records.u8(static_cast<uint8_t>(g.width * kGlyphScale + 2));
    records.u8(static_cast<uint8_t>(kCellHeight));
    k++;
  }
  const std::vector<uint8_t> png = writeIndexedPng(sheetWidth, sheetHeight, pixels, {0x00000000, 0xFFFFFFFF});
  if (png.size() > kMaxU16 || records.bytes().size() > kMaxU16) {
    *error = "promotion font: the glyph sheet is too large";
    return false;
  }
  LeWriter w;
  w.u16(static_cast<uint16_t>(png.size()));
  w.raw(png.data(), png.size());
  w.u16(static_cast<uint16_t>(records.bytes().size()));
  w.u16(*used.rbegin());
  w.raw(records.bytes().data(), records.bytes().size());
  *entry = std::move(w.bytes());
  return true;
}

// A picture of w x h in one colour with a frame and its label in white.
std::vector<uint8_t> labelledPicture(int w, int h, uint32_t colour, const std::string& label) {
  std::vector<uint8_t> pixels(static_cast<size_t>(w * h), 2);
  for (int x = 0; x < w; x++) pixels[static_cast<size_t>(x)] = pixels[static_cast<size_t>((h - 1) * w + x)] = 3;
  for (int y = 0; y < h; y++) pixels[static_cast<size_t>(y * w)] = pixels[static_cast<size_t>(y * w + w - 1)] = 3;
  const int scale = h >= 40 ? 2 : 1;
  const int advance = 6 * scale;
  int x = (w - static_cast<int>(label.size()) * advance) / 2;
  const int y = (h - (kFaceBaseline + 1) * scale) / 2;  // the capitals about the middle
  for (char c : label) {
    const FaceGlyph g = faceGlyphOrHole(static_cast<unsigned char>(c));
    if (x >= 0 && x + g.width * scale <= w && y >= 0 && y + kFaceRows * scale <= h) drawGlyph(pixels, w, x, y, g, 1, scale);
    x += advance;
  }
  return writeIndexedPng(w, h, pixels, {0x00000000, 0xFFFFFFFF, 0xFF000000 | colour, 0xFF202020});
}

void putImage(LeWriter* w, const std::vector<uint8_t>& png) {
  w->u16(static_cast<uint16_t>(png.size()));
  w->raw(png.data(), png.size());
}

struct PictureSpec {
  int w, h;
  uint32_t colour;
  const char* label;
};

// The screen's own pictures: 4/5 and 6/7 the page arrows (lit, plain), 8 the back icon,
// 10 the top picture, 11 the last list entry's, 12/13 the back soft key (plain, lit).
constexpr PictureSpec kUiPictures[promo::kUiImageCount] = {
    {32, 32, 0x808080, "U0"},  {32, 32, 0x808080, "U1"},  {32, 32, 0x808080, "U2"},
    {32, 32, 0x808080, "U3"},  {40, 64, 0xFF7F00, "<"},   {40, 64, 0x3060C0, "<"},
    {40, 64, 0xFF7F00, ">"},   {40, 64, 0x3060C0, ">"},   {36, 36, 0x203060, "BK"},
    {120, 60, 0x607080, "U9"}, {300, 60, 0x2080A0, "TOP"}, {48, 48, 0xA02080, "ALL"},
    {110, 60, 0x3060C0, ""},   {110, 60, 0xFF7F00, ""},
};

std::vector<uint8_t> picturesEntry(const std::vector<std::vector<uint8_t>>& pngs) {
  LeWriter w;
  for (const std::vector<uint8_t>& png : pngs) putImage(&w, png);
  return std::move(w.bytes());
}

// A picture in the data set's style: the painted one, or a labelled block of the colour.
std::vector<uint8_t> picture(DataStyle style, PromoPicture kind, int index, int w, int h, uint32_t colour,
                             const std::string& label) {
  return style == DataStyle::kArt ? promoArtPicture(kind, index, w, h) : labelledPicture(w, h, colour, label);
}

std::vector<std::vector<uint8_t>> listPictures(DataStyle style, PromoPicture kind, const std::vector<Item>& list,
                                               uint32_t colour) {
  std::vector<std::vector<uint8_t>> out;
  for (size_t i = 0; i + 1 < list.size(); i++) {
    out.push_back(picture(style, kind, static_cast<int>(i), 48, 48, colour, list[i].code));
  }
  return out;
}

}  // namespace

bool buildPromoFile(const std::string& dataDir, const std::vector<std::u16string>& constants,
                    int32_t language, const PromoOptions& options, std::vector<uint8_t>* file,
                    std::string* error, DataStyle style) {
  std::string source;
  PromoSource src;
  if (!readSourceFile(dataDir + "/promo.txt", &source, error) ||
      !parsePromoSource(source, &src, error)) {
    return false;
  }
  const promo::TextIds ids{static_cast<int32_t>(src.products.size()),
                           static_cast<int32_t>(src.firstList.size()),
                           static_cast<int32_t>(src.secondList.size())};
  const PackEncoding encoding = languageEncoding(language);
  const bool wide = encoding != PackEncoding::kLatin1;
  const std::vector<int32_t> languages = fileLanguages(language);
  std::vector<std::string> codes;
  LeWriter texts;
  std::set<char16_t> used = {u' '};
  for (int32_t l : languages) {
    const std::u16string& code = constants[static_cast<size_t>(kConstLanguageCodes[l])];
    codes.push_back(narrowCode(code));
    std::map<std::string, SourcedText> section;
    if (!readPromoSection(textSourcePath(dataDir, code), &section, error)) return false;
    const std::vector<SourcedText> all = languageTexts(src, ids, section);
    if (!textBlock(all, encoding, &texts, error)) return false;
    for (const SourcedText& t : all) {
      for (char16_t c : t.text) {
        if (c >= 32) used.insert(c);
      }
    }
  }
  LeWriter header;
  header.u16(0);
  putString(&header, "sorvantel");
  putList(&header, codes);
  putList(&header, codesOf(src.products));
  putList(&header, codesOf(src.firstList));
  putList(&header, codesOf(src.secondList));
  putList(&header, {});
  header.u16(options.extraPage ? 1 : 0);
  putString(&header, wide ? narrowCode(constants[promo::kConstWideVersion]) : src.version);

  std::vector<std::vector<uint8_t>> entries(promo::kEntryCount);
  entries[promo::kEntryHeader] = std::move(header.bytes());
  entries[promo::kEntryTexts] = std::move(texts.bytes());
  if (!fontEntry(used, wide, &entries[promo::kEntryFont], error)) return false;
  std::vector<std::vector<uint8_t>> ui;
  for (int i = 0; i < promo::kUiImageCount; i++) {
    const PictureSpec& p = kUiPictures[i];
    ui.push_back(picture(style, PromoPicture::kUi, i, p.w, p.h, p.colour, p.label));
  }
  entries[promo::kEntryUiImages] = picturesEntry(ui);
  std::vector<std::vector<uint8_t>> products;
  for (size_t i = 0; i < src.products.size(); i++) {
    products.push_back(picture(style, PromoPicture::kProduct, static_cast<int>(i), 240, 150, 0x2E7D32,
                               "GAME " + src.products[i].code));
  }
  entries[promo::kEntryProducts] = picturesEntry(products);
  std::vector<std::vector<uint8_t>> promotion = {picture(style, PromoPicture::kPromotion, 0, 260, 150, 0x8E24AA, "PROMOTION")};
  for (size_t i = 0; i < codes.size(); i++) {
    promotion.push_back(picture(style, PromoPicture::kLanguage, static_cast<int>(i), 40, 30, 0xC62828, codes[i]));
  }
  entries[promo::kEntryPromotion] = picturesEntry(promotion);
  entries[promo::kEntryFirstList] = picturesEntry(listPictures(style, PromoPicture::kFirstList, src.firstList, 0x1565C0));
  entries[promo::kEntrySecondList] = picturesEntry(listPictures(style, PromoPicture::kSecondList, src.secondList, 0x00838F));
  entries[promo::kEntryLinkPage] = picturesEntry({picture(style, PromoPicture::kLink, 0, 300, 180, 0x37474F, "PORTAL"),
                                                  picture(style, PromoPicture::kLinkExtra, 0, 200, 60, 0xF9A825, "EXTRA " + codes[0])});
  if (options.extraPage) {
    entries[promo::kEntryExtraPage] = picturesEntry({picture(style, PromoPicture::kExtraPage, 0, 300, 180, 0x4E342E, "EXTRA PAGE")});
  }
  *file = encodeResourcePack(entries);
  return true;
}

}  // namespace sorv::mkdata
