#include "tools/mkdata/data_set.h"

#include <cstdio>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/sprite_packs.h"

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

bool addConstants(const std::string& dataDir, std::vector<std::u16string>* constants,
                  ArchiveWriter* archive, std::string* error) {
  std::string source;
  if (!readSourceFile(dataDir + "/constants.txt", &source, error) ||
      !parseConstants(source, constants, error) || !checkConstants(*constants, error)) {
    return false;
  }
  return archive->add("constants.bin", encodeConstants(*constants), error);
}

// A pack is found by the text of its constant string.
bool addPack(const std::vector<std::u16string>& constants, int32_t nameConstant,
             const std::vector<std::vector<uint8_t>>& entries, ArchiveWriter* archive,
             std::string* error) {
  const std::u16string& wide = constants[static_cast<size_t>(nameConstant)];
  std::string name;
  for (char16_t c : wide) name += c < 0x80 ? static_cast<char>(c) : '?';
  return archive->add(name, encodeResourcePack(entries), error);
}

bool addAppProperties(const std::string& dataDir, ArchiveWriter* archive, std::string* error) {
  std::string source;
  if (!readSourceFile(dataDir + "/app.jad", &source, error)) return false;
  return archive->add("app.jad", std::vector<uint8_t>(source.begin(), source.end()), error);
}

}  // namespace

bool buildArchive(const std::string& dataDir, ArchiveWriter* archive, std::string* error) {
  std::vector<std::u16string> constants;
  return addConstants(dataDir, &constants, archive, error) &&
         addAppProperties(dataDir, archive, error) &&
         addPack(constants, kConstFontPack, fontPackEntries(), archive, error) &&
         addPack(constants, kConstColourPack, colourPackEntries(), archive, error) &&
         addPack(constants, kConstBootPack, withBootSprites({}), archive, error) &&
         addPack(constants, kConstMenuPack, labelledMenuPack(), archive, error) &&
         addPack(constants, kConstMenuExtPack, labelledMenuExtPack(), archive, error) &&
         addPack(constants, kConstMenuIconPack, labelledMenuIconPack(), archive, error) &&
         addPack(constants, kConstMatchPack, labelledMatchPack(), archive, error) &&
         addPack(constants, kConstPlayerPack, labelledPlayerPack(), archive, error);
}

}  // namespace sorv::mkdata
