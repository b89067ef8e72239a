// The array tree of the boot pack: the game's static tables from tools/data/arrays.txt,
// laid out at the descriptor positions of the list in tools/data/resource_ids.h.
//
// Invariants: the source names exactly the list's tables in the list's order, each with the
// list's element kind and dimension count; every value fits the kind and the stored width;
// rows hold at most 127 values and indices reach at most 255; every table's nodes end before
// the next table's header; every row starts below 32,768 in the values entry. A source that
// breaks one of these, or a rule of table_rules.h, is refused with "arrays.txt:LINE: reason".
// Only the builder calls this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

struct ArrayTreeEntries {
  std::vector<uint8_t> data;        // boot pack entry 1: the rows' values
  std::vector<uint8_t> descriptor;  // boot pack entry 2: headers and nodes, zeros between
};

// A table's values as the source nests them: the innermost level holds values, every
// other level rows; line is where the level's '{' stands.
struct ArrayLevel {
  int line = 0;
  std::vector<int64_t> values;
  std::vector<ArrayLevel> rows;
};
struct ArraySourceTable {
  int line = 0;
  std::vector<int32_t> shape;  // per level its length, 0 where the rows differ
  ArrayLevel values;
};

// The tables of arrays.txt, one per entry of the list and in its order, each with the
// list's name, kind and dimension count (shape and values are checked by buildArrayTree).
bool readArraySource(const std::string& source, std::vector<ArraySourceTable>* tables,
                     std::string* error);
// From the text of arrays.txt.
bool buildArrayTree(const std::string& source, ArrayTreeEntries* out, std::string* error);
// From dataDir/arrays.txt.
bool arrayTreeEntries(const std::string& dataDir, ArrayTreeEntries* out, std::string* error);

}  // namespace sorv::mkdata
