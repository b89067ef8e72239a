// The synthetic data set: every entry of data.bar, built from the sources in tools/data.
// Each resource kind has its own builder that adds its entries to the archive; this module
// calls them in a fixed order, so the archive is the same on every run.
#pragma once

#include <string>

#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/art_packs.h"
#include "tools/mkdata/promo_file.h"
#include "tools/mkdata/text_packs.h"

namespace sorv::mkdata {

// The folder of the data sources compiled into the builder.
const char* defaultDataDir();

// Reads a whole source file; false (with the reason) when it cannot be read.
bool readSourceFile(const std::string& path, std::string* contents, std::string* error);

// Adds every entry of data.bar for one language (its code, as in constants.txt): the
// constant strings with the encoding of that language's texts, the application properties
// and every resource pack the game opens, the promotion file among them, with the pictures
// of the style.
bool buildArchive(const std::string& dataDir, ArchiveWriter* archive, std::string* error,
                  const std::string& language = kDefaultLanguage,
                  const PromoOptions& promo = PromoOptions{}, DataStyle style = DataStyle::kArt);

}  // namespace sorv::mkdata
