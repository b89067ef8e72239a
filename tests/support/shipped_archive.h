// The shipped data set as the data builder writes it, built once per test binary for each
// language, style and promotion option: painting the art takes long enough that a fixture
// building its own archive for every test would slow whole suites down.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "tools/mkdata/data_set.h"

namespace sorv::test {

inline const mkdata::ArchiveWriter& shippedArchive(const std::string& language = "EN",
                                                   mkdata::DataStyle style = mkdata::DataStyle::kArt,
                                                   const mkdata::PromoOptions& promo = {}) {
  static std::map<std::tuple<std::string, mkdata::DataStyle, bool>, mkdata::ArchiveWriter> built;
  const auto key = std::make_tuple(language, style, promo.extraPage);
  auto it = built.find(key);
  if (it == built.end()) {
    mkdata::ArchiveWriter archive;
    std::string error;
    EXPECT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, language, promo, style)) << error;
    it = built.emplace(key, std::move(archive)).first;
  }
  return it->second;
}

}  // namespace sorv::test
