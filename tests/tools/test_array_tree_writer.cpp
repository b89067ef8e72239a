// The array tree the data builder writes: the layout the game reads, the same bytes on every
// run, and refusals of sources that disagree with the list of tables, each naming its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

std::string shippedSource() {
  std::string source, error;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/arrays.txt", &source, &error)) << error;
  return source;
}

// The 1-based line that holds `needle` (its first occurrence outside a comment).
int lineOf(const std::string& source, const std::string& needle) {
  size_t at = 0;
  int line = 1;
  while (true) {
    const size_t end = source.find('\n', at);
    const std::string text = source.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (text.find(needle) != std::string::npos && text.rfind('#', 0) != 0) return line;
    if (end == std::string::npos) return -1;
    at = end + 1;
    line++;
  }
}

TEST(ArrayTreeWriter, SameBytesEveryRunAtTheListsPositions) {
  ArrayTreeEntries first, second;
  std::string error;
  ASSERT_TRUE(arrayTreeEntries(defaultDataDir(), &first, &error)) << error;
  ASSERT_TRUE(arrayTreeEntries(defaultDataDir(), &second, &error)) << error;
  EXPECT_EQ(first.data, second.data);
  EXPECT_EQ(first.descriptor, second.descriptor);
  ASSERT_EQ(first.descriptor.size(), static_cast<size_t>(kArrayTreeDescriptorSize));
  EXPECT_LT(first.data.size(), 32768u);
  for (const ArrayTable& t : kArrayTables) {
    const auto pos = static_cast<size_t>(t.position);
    EXPECT_EQ(first.descriptor[pos - 3], t.width) << t.name;
    EXPECT_EQ(first.descriptor[pos], kArrayTreeByteBase + t.id) << t.name;
  }
  // The tournament table's 23 nodes, then the next header right after them.
  EXPECT_EQ(first.descriptor[190 + 22 * 8 + 1], 22);
  EXPECT_EQ(first.descriptor[190 + 22 * 8 + 5], 11);
  EXPECT_EQ(first.descriptor[2876 + 5], 12);
  // Bytes before the first table and in gaps between tables are zero.
  for (size_t i = 0; i < 187; i++) ASSERT_EQ(first.descriptor[i], 0) << i;
}

TEST(ArrayTreeWriter, RefusesSourcesThatDisagreeNamingTheLine) {
  const std::string shipped = shippedSource();
  std::string longRow = "{";
  for (int i = 0; i < 128; i++) longRow += "1 ";
  longRow += "}";
  struct Edit {
    std::string find, replace;
  };
  struct Case {
    std::vector<Edit> edits;  // each on the first occurrence
    std::string lineOfError;  // text on the line the error must name
    std::string reason;
  };
  const Case cases[] = {
      {{{"attrGainTable short 5", "attrGain short 5"}}, "attrGainTable short 5", "where the list has attrGainTable"},
      {{{"attrGainTable short 5", "attrGainTable int 5"}}, "attrGainTable", "kind int where the list has short"},
      {{{"attrPresets byte 3x5 {", "attrPresets byte 15 {"}}, "attrPresets", "1 dimensions where the list has 2"},
      {{{"attrPresets byte 3x5 {", "attrPresets byte 3xx5 {"}}, "attrPresets", "bad shape"},
      {{{"attrGainTable short 5 {20", "attrGainTable short 5 {200"}}, "attrGainTable", "does not fit the stored width"},
      {{{"rosterKinds byte 36 {1 ", "rosterKinds byte 36 {300 "}}, "rosterKinds", "300 does not fit a byte"},
      {{{"rosterKinds byte 36 {", "rosterKinds byte 36 {1 "}}, "rosterKinds", "37 values where the shape has 36"},
      {{{"attrGainTable short 5 {20", "attrGainTable short 5 {2o"}}, "attrGainTable", "'2o' is not a number"},
      {{{"{3 4 5 4 3}", ""}}, "lineCornerKinds", "4 rows where the shape has 5"},
      {{{"{9 8 7 6 5}", "{9 8 7 6 5} {9 8 7 6 5}"}}, "startUpTimes", "5 rows where the shape has 4"},
      {{{"startUpTimes int 4x5", "startUpTimes int 5x5"}, {"{9 8 7 6 5}", "{9 8 7 6 5} {9 8 7 6 5}"}},
       "{9 8 7 6 5}", "more rows than fit before the next table at 1568"},
      {{{"{0 1 2}", longRow}}, "{0 1 2}", "more than 127 values"},
  };
  for (const Case& c : cases) {
    const int line = lineOf(shipped, c.lineOfError);
    ASSERT_GT(line, 0) << c.lineOfError;
    std::string source = shipped;
    for (const Edit& e : c.edits) {
      const size_t at = source.find(e.find);
      ASSERT_NE(at, std::string::npos) << e.find;
      source.replace(at, e.find.size(), e.replace);
    }
    ArrayTreeEntries out;
    std::string error;
    EXPECT_FALSE(buildArrayTree(source, &out, &error)) << c.reason;
    EXPECT_EQ(error.rfind("arrays.txt:" + std::to_string(line) + ":", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(ArrayTreeWriter, RefusesMissingExtraAndUnclosedTables) {
  const std::string shipped = shippedSource();
  const size_t last = shipped.find("courtLossTable int 12");
  ASSERT_NE(last, std::string::npos);
  struct Case {
    std::string source, reason;
  };
  const Case cases[] = {
      {shipped.substr(0, last), "table courtLossTable is missing"},
      {shipped + "extra int 1 {1}\n", "a table after the last one of the list"},
      {shipped.substr(0, shipped.size() - 2), "'{' without its '}'"},
  };
  for (const Case& c : cases) {
    ArrayTreeEntries out;
    std::string error;
    EXPECT_FALSE(buildArrayTree(c.source, &out, &error));
    EXPECT_EQ(error.rfind("arrays.txt:", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace sorv::mkdata
