// The promotion screen's data file for the synthetic data set (the archive entry named by
// constant string 5), built from tools/data/promo.txt and the [promo] section of every
// language's texts.
//
// What the file holds (a resource pack, see resource_pack.h):
// - entry 0: the header lists: the language codes (the archive's own first, then every
//   other language its encoding holds), the products, the two lists, the page flag and the
//   version (the wide-metric version in UTF-8 archives);
// - entry 1: one text block per language code, in the archive's encoding, a text per id of
//   tools/data/promo_ids.h;
// - entry 2: the font: a palette PNG (colour 0 clear, 1 white) and the metrics of every
//   character the texts use;
// - entries 3 to 9: the pictures (one per language code in entry 5), painted in the menus'
//   kit or, in the labelled style, blocks that carry their code.
// A text the encoding or the font cannot hold is refused with its file and line.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

struct PromoOptions {
  // Test tooling: page flag 1, so the extra page replaces the portal's pages.
  bool extraPage = false;
};

bool buildPromoFile(const std::string& dataDir, const std::vector<std::u16string>& constants,
                    int32_t language, const PromoOptions& options, std::vector<uint8_t>* file,
                    std::string* error, DataStyle style = DataStyle::kArt);

}  // namespace sorv::mkdata
