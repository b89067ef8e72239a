// The computer's decision weights as shipped: every option code reads a row of every kind,
// the options each decision offers weigh 100 together at every level, and the long-rally
// bonus has a value per difficulty.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

const ArraySourceTable& table(const std::vector<ArraySourceTable>& tables, const char* name) {
  for (int32_t i = 0; i < kArrayTableCount; i++) {
    if (std::string(kArrayTables[i].name) == name) return tables.at(static_cast<size_t>(i));
  }
  ADD_FAILURE() << name << " is not in the list";
  return tables.front();
}

std::vector<ArraySourceTable> shippedTables() {
  std::string source, error;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/arrays.txt", &source, &error)) << error;
  std::vector<ArraySourceTable> tables;
  EXPECT_TRUE(readArraySource(source, &tables, &error)) << error;
  return tables;
}

TEST(AiWeights, EveryOfferedOptionSetWeighsAHundredAtEveryLevel) {
  const std::vector<ArraySourceTable> tables = shippedTables();
  ASSERT_EQ(tables.size(), static_cast<size_t>(kArrayTableCount));
  const ArrayLevel& kinds = table(tables, "aiWeights").values;
  ASSERT_EQ(kinds.rows.size(), 5u);
  for (const ArrayLevel& options : kinds.rows) {
    ASSERT_GE(options.rows.size(), 6u);
    for (const ArrayLevel& levels : options.rows) {
      ASSERT_EQ(levels.values.size(), 5u);
      for (int64_t w : levels.values) EXPECT_TRUE(w >= 0 && w <= 100) << w;
    }
  }
  // (kind, options) as the decisions offer them.
  const std::vector<std::pair<size_t, std::vector<size_t>>> offered = {
      {0, {0, 1}}, {1, {4, 5}}, {1, {2, 3}}, {3, {0, 1}}};
  for (const auto& [kind, options] : offered) {
    for (size_t level = 0; level < 5; level++) {
      int64_t sum = 0;
      for (size_t o : options) sum += kinds.rows[kind].rows[o].values[level];
      EXPECT_EQ(sum, 100) << "kind " << kind << " level " << level;
    }
  }
}

TEST(AiWeights, TheRallyBonusHasOneSmallValuePerDifficulty) {
  const std::vector<ArraySourceTable> tables = shippedTables();
  ASSERT_EQ(tables.size(), static_cast<size_t>(kArrayTableCount));
  const ArrayLevel& bonus = table(tables, "rallyLevelBonus").values;
  ASSERT_EQ(bonus.values.size(), 3u);
  for (int64_t b : bonus.values) EXPECT_TRUE(b >= 0 && b <= 4) << b;
}

}  // namespace
}  // namespace sorv::mkdata
