// mkdata: writes the synthetic data set, or lists an archive's table.
//   mkdata --out DIR [--data SOURCES] [--language CODE] [--promo-extra] [--labels]
//       writes DIR/data.bar (and the files beside it) with the texts of one language (a code
//       of constants.txt; EN when left out); --promo-extra (test tooling) turns the
//       promotion's extra page on; --labels (test tooling) writes labelled blocks in place
//       of the painted pictures
//   mkdata --extract NAME[:ENTRY] --to FILE [--data SOURCES] [--language CODE]
//       writes one archive entry, or one entry of that resource pack, alone (fuzzing seeds)
//   mkdata --list FILE
//       prints each entry's name, offset and size
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "device/archive.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/sound_builder.h"
#include "tools/mkdata/text_packs.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: mkdata --out DIR [--data SOURCES] [--language CODE] [--promo-extra] [--labels]\n"
               "       mkdata --extract NAME[:ENTRY] --to FILE [--data SOURCES] [--language CODE]\n"
               "       mkdata --list FILE\n");
  return 2;
}

int fail(const std::string& error) {
  std::fprintf(stderr, "mkdata: %s\n", error.c_str());
  return 1;
}

std::string narrow(const std::u16string& name) {
  std::string out;
  for (char16_t c : name) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

int listArchive(const std::string& path) {
  sorv::ArchiveTable table = sorv::ArchiveTable::load(path);
  for (const sorv::ArchiveEntry& e : table.entries()) {
    std::printf("%-32s %10d %10d\n", narrow(e.name).c_str(), e.offset, e.size);
  }
  return table.droppedCount() == 0 ? 0 : 1;
}

int writeDataSet(const std::string& outDir, const std::string& dataDir,
                 const std::string& language, const sorv::mkdata::PromoOptions& promo,
                 sorv::mkdata::DataStyle style) {
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) return fail("cannot create " + outDir + ": " + ec.message());
  std::string error;
  sorv::mkdata::ArchiveWriter archive;
  if (!sorv::mkdata::buildArchive(dataDir, &archive, &error, language, promo, style) ||
      !archive.writeFile(outDir + "/data.bar", &error)) {
    return fail(error);
  }
  // Files that lie beside the archive are written here, each by its own builder.
  if (!sorv::mkdata::writeSoundFiles(outDir, dataDir, &error)) return fail(error);
  return 0;
}

int extractEntry(const std::string& what, const std::string& file, const std::string& dataDir,
                 const std::string& language) {
  std::string error;
  sorv::mkdata::ArchiveWriter archive;
  if (!sorv::mkdata::buildArchive(dataDir, &archive, &error, language)) return fail(error);
  size_t colon = what.find(':');
  const std::vector<uint8_t>* bytes = archive.find(what.substr(0, colon));
  if (bytes == nullptr) return fail("no archive entry " + what.substr(0, colon));
  std::vector<uint8_t> entry = *bytes;
  if (colon != std::string::npos) {
    int32_t index = -1;
    const std::string number = what.substr(colon + 1);
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), index);
    if (ec != std::errc() || ptr != number.data() + number.size() ||
        !sorv::mkdata::resourcePackEntry(*bytes, index, &entry)) {
      return fail("no entry " + number + " in resource pack " + what.substr(0, colon));
    }
  }
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(entry.data()), static_cast<std::streamsize>(entry.size()));
  return out.good() ? 0 : fail("cannot write " + file);
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, listFile, extract, extractTo, dataDir = sorv::mkdata::defaultDataDir();
  std::string language = sorv::mkdata::kDefaultLanguage;
  sorv::mkdata::PromoOptions promo;
  sorv::mkdata::DataStyle style = sorv::mkdata::DataStyle::kArt;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--promo-extra") {
      promo.extraPage = true;
      continue;
    }
    if (arg == "--labels") {
      style = sorv::mkdata::DataStyle::kLabels;
      continue;
    }
    if (i + 1 >= argc) return usage();
    if (arg == "--out") {
      outDir = argv[++i];
    } else if (arg == "--list") {
      listFile = argv[++i];
    } else if (arg == "--extract") {
      extract = argv[++i];
    } else if (arg == "--to") {
      extractTo = argv[++i];
    } else if (arg == "--language") {
      language = argv[++i];
    } else if (arg == "--data") {
      dataDir = argv[++i];
    } else {
      return usage();
    }
  }
  const int modes = !outDir.empty() + !listFile.empty() + !extract.empty();
  if (modes != 1) return usage();
  if (!listFile.empty()) return listArchive(listFile);
  if (!extract.empty()) {
    return extractTo.empty() ? usage() : extractEntry(extract, extractTo, dataDir, language);
  }
  return writeDataSet(outDir, dataDir, language, promo, style);
}
