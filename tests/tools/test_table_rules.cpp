// The data builder refuses tables whose values the game cannot use: a playing style's
// attribute level outside 1..5, and appearance options that are not 0, 1, .. in order.
#include <gtest/gtest.h>

#include <string>

#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

std::string shippedSource() {
  std::string source, error;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/arrays.txt", &source, &error)) << error;
  return source;
}

// The 1-based line of the first occurrence of `needle` after `after`.
int lineOf(const std::string& source, const std::string& after, const std::string& needle) {
  const size_t at = source.find(needle, source.find(after));
  if (at == std::string::npos) return -1;
  int line = 1;
  for (size_t i = 0; i < at; i++) line += source[i] == '\n';
  return line;
}

TEST(TableRules, TheShippedTablesKeepThem) {
  ArrayTreeEntries out;
  std::string error;
  EXPECT_TRUE(buildArrayTree(shippedSource(), &out, &error)) << error;
}

TEST(TableRules, RefusesWhatBreaksThemNamingTableAndRow) {
  struct Case {
    std::string table, row, replacement;  // the row of the table, replaced
    std::string reason;                   // empty: accepted
  };
  const Case cases[] = {
      {"attrPresets", "{2 4 3 2 3}", "{2 4 0 2 3}", "attrPresets: style 1 gives attribute 2 level 0, outside 1..5"},
      {"attrPresets", "{3 3 4 2 2}", "{3 3 4 2 6}", "attrPresets: style 2 gives attribute 4 level 6"},
      {"attrPresets", "{3 2 2 4 3}", "{-1 2 2 4 3}", "level -1"},
      {"attrPresets", "{3 2 2 4 3}", "{1 5 5 1 1}", ""},
      {"lookItemOptions", "{0 1 2 3 4 5 6}", "{0 1 3 2 4 5 6}", "lookItemOptions: item 2 offers palette 3 as choice 2"},
      {"lookItemOptions", "{0 1 2}", "{1 2 3}", "item 5 offers palette 1 as choice 0"},
      {"lookItemOptions", "{0 1 2 3}", "{0 1 2 3 4 5 6 7}", ""},
      {"lookItemOptions", "{0 1 2 3}", "{0}", ""},
  };
  const std::string shipped = shippedSource();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table + " " + c.replacement);
    const size_t at = shipped.find(c.row, shipped.find(c.table + " byte"));
    ASSERT_NE(at, std::string::npos);
    std::string source = shipped;
    source.replace(at, c.row.size(), c.replacement);
    ArrayTreeEntries out;
    std::string error;
    if (c.reason.empty()) {
      EXPECT_TRUE(buildArrayTree(source, &out, &error)) << error;
      continue;
    }
    EXPECT_FALSE(buildArrayTree(source, &out, &error));
    const int line = lineOf(shipped, c.table + " byte", c.row);
    EXPECT_EQ(error.rfind("arrays.txt:" + std::to_string(line) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace sorv::mkdata
