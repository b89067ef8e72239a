#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "device/archive.h"
#include "runtime/encodings.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/byte_writer.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/text_packs.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

using Entries = std::vector<std::vector<uint8_t>>;

const char* const kCodes[kLanguageCount] = {"EN", "FR", "IT", "DE", "ES", "PT",
                                            "NL", "PL", "CS", "TR", "RU"};

// A resource pack split by its header alone (u16 LE count, u32 LE offsets from the header's end).
Entries splitPack(const uint8_t* p, size_t size) {
  Entries out;
  if (size < 2) return out;
  size_t n = p[0] | p[1] << 8;
  size_t header = 2 + 4 * n;
  if (n == 0 || header > size) return out;
  auto offset = [&](size_t i) {
    const uint8_t* q = p + 2 + 4 * i;
    return static_cast<size_t>(q[0] | q[1] << 8 | q[2] << 16 | static_cast<uint32_t>(q[3]) << 24);
  };
  for (size_t i = 0; i + 1 < n; i++) {
    size_t from = header + offset(i), to = header + offset(i + 1);
    if (from > to || to > size) return {};
    out.emplace_back(p + from, p + to);
  }
  return out;
}

// The archive of one language, written to a file and read back through the game's table.
struct BuiltArchive {
  std::vector<uint8_t> bytes;
  ArchiveTable table;

  std::vector<uint8_t> entry(const std::u16string& name) const {
    const ArchiveEntry* e = table.find(name);
    if (e == nullptr) return {};
    return std::vector<uint8_t>(bytes.begin() + e->offset, bytes.begin() + e->offset + e->size);
  }
};

BuiltArchive buildLanguage(const std::string& code) {
  ArchiveWriter writer;
  std::string error;
  EXPECT_TRUE(buildArchive(defaultDataDir(), &writer, &error, code)) << error;
  BuiltArchive built;
  built.bytes = writer.build();
  fs::path file = fs::temp_directory_path() / ("texts_test_" + std::to_string(getpid()) + ".bar");
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(built.bytes.data()),
             static_cast<std::streamsize>(built.bytes.size()));
  built.table = ArchiveTable::load(file.string());
  fs::remove(file);
  return built;
}

std::vector<std::u16string> loadConstantsSource() {
  std::string source, error;
  std::vector<std::u16string> constants;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/constants.txt", &source, &error));
  EXPECT_TRUE(parseConstants(source, &constants, &error)) << error;
  return constants;
}

// Constant strings from "constants.bin" (s32 BE count, then DataInputStream UTF strings).
std::vector<std::u16string> readConstantsBin(const std::vector<uint8_t>& bin) {
  std::vector<std::u16string> out;
  size_t at = 4;
  while (at + 2 <= bin.size()) {
    size_t len = static_cast<size_t>(bin[at] << 8 | bin[at + 1]);
    std::u16string s;
    EXPECT_TRUE(decodeModifiedUtf8(bin.data() + at + 2, len, s));
    out.push_back(s);
    at += 2 + len;
  }
  return out;
}

// A text pack decoded the way the game decodes it: counts and lengths big-endian, the bytes
// through the runtime's decoder of the named encoding. Sets *ok false on any fault.
std::vector<std::u16string> decodeTextPack(const std::vector<uint8_t>& pack, TextEncoding encoding,
                                           bool* ok) {
  std::vector<std::u16string> out;
  *ok = pack.size() >= 2;
  if (!*ok) return out;
  size_t count = static_cast<size_t>(pack[0] << 8 | pack[1]), at = 2;
  for (size_t i = 0; i < count; i++) {
    if (at + 2 > pack.size()) break;
    size_t len = static_cast<size_t>(pack[at] << 8 | pack[at + 1]);
    if (at + 2 + len > pack.size()) break;
    std::u16string s(len, u'\0');
    DecodeResult r = decodeText(encoding, pack.data() + at + 2, static_cast<int32_t>(len), s.data(),
                                nullptr, true);
    *ok = *ok && r.errors == 0;
    s.resize(static_cast<size_t>(r.units));
    out.push_back(s);
    at += 2 + len;
  }
  *ok = *ok && out.size() == count && at == pack.size();
  return out;
}

struct PackShape {
  int32_t nameConstant;
  int32_t entries;
  std::vector<int32_t> neverRead;  // entries no loader reads, which may stay empty
};

const PackShape kPacks[] = {
    {kConstTextPack, kTextPackEntries, {}},
    {kConstPlayerPack, kPlayerPackEntries, {}},
    {kConstStrokesUser, kActionPackEntries, {}},
    {kConstRunningUser, kActionPackEntries, {}},
    {kConstStrokesRival, kActionPackEntries, {}},
    {kConstRunningRival, kActionPackEntries, {}},
    {kConstSpecialUser, kActionPackEntries, {}},
    {kConstSpecialRival, kActionPackEntries, {}},
    {kConstMatchPack, kMatchPackEntries, {}},
    {kConstMatchFxPack, kMatchFxPackEntries, {0, 1}},
    {kConstCourtPack, kCourtPackEntries, {}},
    {kConstTrainingPack, kTrainingPackEntries, {}},
    {kConstBootPack, kBootPackEntries, {}},
    {kConstMenuPack, kMenuPackEntries, {}},
    {kConstFontPack, kFontPackEntries, {0, 1, 8}},
    {kConstColourPack, kPlayerPaletteSprite + 1, {}},
    {kConstMenuExtPack, kMenuExtPackEntries, {}},
    {kConstMenuIconPack, kMenuIconPackEntries, {}},
    {kConstMenuDataPack, kMenuDataPackEntries, {}},
};

TEST(TextPacks, EveryLanguageHasEveryPackAndItsTextsDecodeThroughItsEncoding) {
  const std::vector<std::u16string> source = loadConstantsSource();
  std::vector<size_t> countsOfEnglish;
  for (int32_t language = 0; language < kLanguageCount; language++) {
    SCOPED_TRACE(kCodes[language]);
    BuiltArchive built = buildLanguage(kCodes[language]);
    EXPECT_EQ(built.table.droppedCount(), 0);
    std::vector<std::u16string> constants = readConstantsBin(built.entry(u"constants.bin"));
    ASSERT_GE(constants.size(), static_cast<size_t>(kConstantCount));
    const std::u16string& code = constants[static_cast<size_t>(kConstLanguageCodes[language])];
    EXPECT_EQ(code, std::u16string(kCodes[language], kCodes[language] + 2));

    for (const PackShape& shape : kPacks) {
      const std::u16string& name = constants[static_cast<size_t>(shape.nameConstant)];
      std::vector<uint8_t> bytes = built.entry(name);
      Entries entries = splitPack(bytes.data(), bytes.size());
      ASSERT_EQ(entries.size(), static_cast<size_t>(shape.entries)) << shape.nameConstant;
      for (int32_t e = 0; e < shape.entries; e++) {
        bool mayBeEmpty = std::count(shape.neverRead.begin(), shape.neverRead.end(), e) > 0;
        if (!mayBeEmpty) {
          EXPECT_FALSE(entries[static_cast<size_t>(e)].empty())
              << shape.nameConstant << " entry " << e;
        }
      }
    }

    const std::u16string& encodingName = constants[kConstTextEncoding];
    TextEncoding encoding;
    ASSERT_TRUE(
        findEncoding(encodingName.data(), static_cast<int32_t>(encodingName.size()), &encoding));
    EXPECT_EQ(encoding,
              language >= kLanguagePL ? TextEncoding::kModifiedUtf8 : TextEncoding::kLatin1);
    // The name must also match exactly as the game writes it (ISO-8859-1 is case-sensitive there).
    EXPECT_TRUE(encodingName == u"ISO-8859-1" || encodingName == u"UTF-8");

    std::vector<uint8_t> textsBytes = built.entry(constants[kConstTextPack]);
    Entries texts = splitPack(textsBytes.data(), textsBytes.size());
    ASSERT_EQ(texts.size(), static_cast<size_t>(kTextPackEntries));
    std::vector<size_t> counts;
    for (int32_t pack = 0; pack < kTextPackCount; pack++) {
      bool ok = false;
      std::vector<std::u16string> strings =
          decodeTextPack(texts[static_cast<size_t>(kTextEntryOfPack[pack])], encoding, &ok);
      EXPECT_TRUE(ok) << "pack " << pack;
      EXPECT_GE(strings.size(), static_cast<size_t>(kTextPackMinStrings[pack])) << "pack " << pack;
      counts.push_back(strings.size());
      if (pack == kTextGeneral && !strings.empty()) {
        EXPECT_EQ(strings[0], code);
      }
      if (pack == kTextMatch && strings.size() > kTextSetTitle) {
        EXPECT_NE(strings[kTextSetTitle].find(u'#'), std::u16string::npos);
      }
      for (const std::u16string& s : strings) {
        for (char16_t c : s) EXPECT_EQ(refusedCharacter(language, c), nullptr) << int(c);
      }
    }
    if (language == kLanguageEN) countsOfEnglish = counts;
    EXPECT_EQ(counts, countsOfEnglish);
    // The only constant that differs between languages is the encoding's name.
    for (size_t i = 0; i < source.size() && i < constants.size(); i++) {
      if (i != static_cast<size_t>(kConstTextEncoding)) {
        EXPECT_EQ(constants[i], source[i]) << i;
      }
    }
    EXPECT_EQ(built.bytes, buildLanguage(kCodes[language]).bytes);
  }
}

TEST(TextPacks, EncodingsRoundTripThroughTheGamesDecoders) {
  struct Case {
    PackEncoding encoding;
    TextEncoding decoder;
    std::u16string text;
  };
  const Case cases[] = {
      {PackEncoding::kLatin1, TextEncoding::kLatin1, u"Caf\u00E9 \u00FF\n!"},
      {PackEncoding::kUtf8, TextEncoding::kModifiedUtf8, u"\u0141\u00F3d\u017A \u0416\u0451 a"},
      {PackEncoding::kShiftJis, TextEncoding::kShiftJis, u"A\u00B1\u8140\u9FFC\uE040\uFFFF"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> pack;
    std::string error;
    ASSERT_TRUE(encodeTextPack({c.text, u""}, c.encoding, 3, &pack, &error)) << error;
    bool ok = false;
    std::vector<std::u16string> back = decodeTextPack(pack, c.decoder, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(back, (std::vector<std::u16string>{c.text, u"", u""}));
  }
  struct Refusal {
    PackEncoding encoding;
    std::u16string text;
  };
  const Refusal refusals[] = {{PackEncoding::kLatin1, u"\u0141"},
                              {PackEncoding::kShiftJis, u"\u0141"},
                              {PackEncoding::kShiftJis, u"\u00FF"},
                              {PackEncoding::kLatin1, std::u16string(65536, u'a')}};
  for (const Refusal& r : refusals) {
    std::vector<uint8_t> pack;
    std::string error;
    EXPECT_FALSE(encodeTextPack({r.text}, r.encoding, 0, &pack, &error));
    EXPECT_NE(error.find("id 0"), std::string::npos) << error;
  }
  std::vector<uint8_t> pack;
  std::string error;
  EXPECT_TRUE(encodeTextPack({}, PackEncoding::kLatin1, 0, &pack, &error));
  EXPECT_EQ(pack, (std::vector<uint8_t>{0, 0}));
  EXPECT_FALSE(encodeTextPack({}, PackEncoding::kLatin1, 65536, &pack, &error));
}

// An archive in Shift-JIS: constant 53 names it, and the texts come back as the raw codes.
TEST(TextPacks, AShiftJisArchiveDecodesThroughTheEncodingItsConstantNames) {
  std::vector<std::u16string> constants = loadConstantsSource();
  constants[kConstTextEncoding] = u"SJIS";
  const std::u16string text = u"\u889F\uE040 A\u00B1";
  std::vector<uint8_t> pack;
  std::string error;
  ASSERT_TRUE(encodeTextPack({u"EN", text}, PackEncoding::kShiftJis, 2, &pack, &error)) << error;
  ArchiveWriter writer;
  ASSERT_TRUE(writer.add("constants.bin", encodeConstants(constants), &error));
  std::string textsName(constants[kConstTextPack].begin(), constants[kConstTextPack].end());
  ASSERT_TRUE(writer.add(textsName, encodeResourcePack({pack, pack, pack, pack}), &error));

  BuiltArchive built;
  built.bytes = writer.build();
  fs::path file = fs::temp_directory_path() / ("sjis_test_" + std::to_string(getpid()) + ".bar");
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(built.bytes.data()),
             static_cast<std::streamsize>(built.bytes.size()));
  built.table = ArchiveTable::load(file.string());
  fs::remove(file);

  std::vector<std::u16string> read = readConstantsBin(built.entry(u"constants.bin"));
  ASSERT_GT(read.size(), static_cast<size_t>(kConstTextEncoding));
  TextEncoding encoding;
  ASSERT_TRUE(findEncoding(read[kConstTextEncoding].data(),
                           static_cast<int32_t>(read[kConstTextEncoding].size()), &encoding));
  ASSERT_EQ(encoding, TextEncoding::kShiftJis);
  std::vector<uint8_t> textsBytes = built.entry(read[kConstTextPack]);
  Entries texts = splitPack(textsBytes.data(), textsBytes.size());
  ASSERT_EQ(texts.size(), 4u);
  bool ok = false;
  EXPECT_EQ(decodeTextPack(texts[kTextEntryOfPack[kTextGeneral]], encoding, &ok),
            (std::vector<std::u16string>{u"EN", text}));
  EXPECT_TRUE(ok);
}

}  // namespace
}  // namespace sorv::mkdata
