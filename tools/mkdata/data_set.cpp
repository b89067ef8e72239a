#include "tools/mkdata/data_set.h"

#include <cstdio>
#include <vector>

#include "tools/data/promo_ids.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/achievement_writer.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/art_packs.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/career_sprites.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/match_sprites.h"
#include "tools/mkdata/menu_writer.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/selection_sprites.h"
#include "tools/mkdata/sprite_packs.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/training_levels.h"

namespace sorv::mkdata {

const char* defaultDataDir() { return SORV_DATA_SOURCE_DIR; }

bool readSourceFile(const std::string& path, std::string* contents, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    *error = "cannot open " + path;
    return false;
  }
  contents->clear();
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) contents->append(chunk, n);
  bool ok = std::ferror(f) == 0;
  std::fclose(f);
  if (!ok) *error = "cannot read " + path;
  return ok;
}

namespace {

bool loadConstants(const std::string& dataDir, std::vector<std::u16string>* constants,
                   std::string* error) {
  std::string source;
  return readSourceFile(dataDir + "/constants.txt", &source, error) &&
         parseConstants(source, constants, error) && checkConstants(*constants, error);
}

std::string narrowName(const std::u16string& wide) {
  std::string name;
  for (char16_t c : wide) name += c < 0x80 ? static_cast<char>(c) : '?';
  return name;
}

// A pack is found by the text of its constant string.
bool addPack(const std::vector<std::u16string>& constants, int32_t nameConstant,
             const std::vector<std::vector<uint8_t>>& entries, ArchiveWriter* archive,
             std::string* error) {
  return archive->add(narrowName(constants[static_cast<size_t>(nameConstant)]),
                      encodeResourcePack(entries), error);
}

// The achievement table, whose titles text pack 0 must hold: in English, which every
// language matches id for id, and in the archive's own language.
bool achievementTable(const std::string& dataDir, const std::vector<std::u16string>& constants,
                      int32_t language, const std::vector<uint8_t>& pack0,
                      std::vector<uint8_t>* table, std::string* error) {
  auto code = [&](int32_t l) {
    const std::u16string& wide = constants[static_cast<size_t>(kConstLanguageCodes[l])];
    return std::string(wide.begin(), wide.end());
  };
  std::vector<LanguageTexts> languages = {{code(language), pack0}};
  if (language != kLanguageEN) {
    std::vector<std::vector<uint8_t>> english;
    if (!textsPackEntries(dataDir, constants, kLanguageEN, &english, error)) return false;
    languages.push_back({code(kLanguageEN), english[0]});
  }
  std::string source;
  return readSourceFile(dataDir + "/achievements.txt", &source, error) &&
         writeAchievementTable(source, languages, table, error);
}

std::vector<std::vector<uint8_t>> bootPackEntries(const ArrayTreeEntries& tree,
                                                  const std::vector<uint8_t>& achievements) {
  std::vector<std::vector<uint8_t>> entries(kBootPackEntries);
  entries[kBootSprite] = labelledBootSprite(kBootSprite);
  entries[kBootArrayData] = tree.data;
  entries[kBootArrayDescriptor] = tree.descriptor;
  entries[kBootAchievements] = achievements;
  entries[kBootSplash] = labelledBootSprite(kBootSplash);
  entries[kBootStateSprite] = labelledBootSprite(kBootStateSprite);
  return entries;
}

bool addAppProperties(const std::string& dataDir, ArchiveWriter* archive, std::string* error) {
  std::string source;
  if (!readSourceFile(dataDir + "/app.jad", &source, error)) return false;
  return archive->add("app.jad", std::vector<uint8_t>(source.begin(), source.end()), error);
}

// The order the packs lie in the archive: kept, so a labelled archive stays byte for byte.
constexpr int32_t kArchivePackOrder[] = {
    kConstTextPack,    kConstPlayerPack,  kConstStrokesUser,  kConstRunningUser, kConstStrokesRival,
    kConstRunningRival, kConstSpecialUser, kConstSpecialRival, kConstMatchPack,   kConstMatchFxPack,
    kConstCourtPack,   kConstTrainingPack, kConstBootPack,    kConstMenuPack,    kConstFontPack,
    kConstColourPack,  kConstMenuExtPack, kConstMenuIconPack, kConstMenuDataPack};

}  // namespace

bool buildArchive(const std::string& dataDir, ArchiveWriter* archive, std::string* error,
                  const std::string& language, const PromoOptions& promoOptions, DataStyle style) {
  std::vector<std::u16string> constants;
  if (!loadConstants(dataDir, &constants, error)) return false;
  int32_t index = findLanguage(constants, language);
  if (index < 0) {
    *error = "no language " + language + " among the language codes of constants.txt";
    return false;
  }
  const std::string encoding = encodingName(languageEncoding(index));
  constants[kConstTextEncoding] = std::u16string(encoding.begin(), encoding.end());
  std::vector<std::vector<uint8_t>> texts;
  std::vector<uint8_t> menuData;
  ArrayTreeEntries tree;
  std::vector<uint8_t> achievements;
  std::vector<std::vector<uint8_t>> training;
  std::vector<uint8_t> promoFile;
  if (!trainingPackEntries(dataDir, &training, error) ||
      !buildPromoFile(dataDir, constants, index, promoOptions, &promoFile, error, style) ||
      !textsPackEntries(dataDir, constants, index, &texts, error) ||
      !buildMenuDataForTexts(dataDir, constants, &menuData, error) ||
      !checkMenuSourceNeeds(dataDir, error) ||
      !arrayTreeEntries(dataDir, &tree, error) ||
      !achievementTable(dataDir, constants, index, texts[0], &achievements, error)) {
    return false;
  }
  PackSet packs;
  packs[kConstTextPack] = texts;
  packs[kConstPlayerPack] = selectionPlayerPackEntries();
  for (int32_t pack : {kConstStrokesUser, kConstRunningUser, kConstStrokesRival, kConstRunningRival, kConstSpecialUser,
                       kConstSpecialRival}) {
    packs[pack] = matchActionPackEntries(pack);
  }
  packs[kConstMatchPack] = matchPackEntries();
  packs[kConstMatchFxPack] = matchEffectsPackEntries();
  packs[kConstCourtPack] = matchCourtPackEntries();
  packs[kConstTrainingPack] = training;
  packs[kConstBootPack] = bootPackEntries(tree, achievements);
  packs[kConstMenuPack] = careerMenuPackEntries();
  packs[kConstFontPack] = fontPackEntries(index);
  packs[kConstColourPack] = colourPackEntries();
  packs[kConstMenuExtPack] = selectionMenuExtPackEntries();
  packs[kConstMenuIconPack] = labelledMenuIconPack();
  packs[kConstMenuDataPack] = {menuData};
  if (style == DataStyle::kArt) {
    ArtSources sources;
    if (!loadLooks(dataDir, &sources.looks, error) || !loadCareerChoices(dataDir, &sources.careerChoices, error)) {
      return false;
    }
    paintArt(packs, sources);
  }
  if (!archive->add("constants.bin", encodeConstants(constants), error) ||
      !addAppProperties(dataDir, archive, error) ||
      !archive->add(narrowName(constants[promo::kConstFileName]), promoFile, error)) {
    return false;
  }
  for (const int32_t pack : kArchivePackOrder) {
    if (!addPack(constants, pack, packs[pack], archive, error)) return false;
  }
  return true;
}

}  // namespace sorv::mkdata
