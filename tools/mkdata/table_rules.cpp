#include "tools/mkdata/table_rules.h"

#include <cstring>

#include "tools/data/resource_ids.h"

namespace sorv::mkdata {

namespace {

constexpr int64_t kLowestLevel = 1, kHighestLevel = 5;

bool fail(std::string* error, int line, const std::string& reason) {
  *error = "arrays.txt:" + std::to_string(line) + ": " + reason;
  return false;
}

const ArraySourceTable* find(const std::vector<ArraySourceTable>& tables, const char* name) {
  for (const ArrayTable& t : kArrayTables) {
    if (std::strcmp(t.name, name) == 0 && static_cast<size_t>(t.id) < tables.size()) {
      return &tables[static_cast<size_t>(t.id)];
    }
  }
  return nullptr;
}

bool checkPresets(const ArraySourceTable& presets, std::string* error) {
  for (size_t style = 0; style < presets.values.rows.size(); style++) {
    const ArrayLevel& row = presets.values.rows[style];
    for (size_t a = 0; a < row.values.size(); a++) {
      const int64_t level = row.values[a];
      if (level < kLowestLevel || level > kHighestLevel) {
        return fail(error, row.line,
                    "attrPresets: style " + std::to_string(style) + " gives attribute " + std::to_string(a) +
                        " level " + std::to_string(level) + ", outside 1..5");
      }
    }
  }
  return true;
}

bool checkLookOptions(const ArraySourceTable& options, std::string* error) {
  for (size_t item = 0; item < options.values.rows.size(); item++) {
    const ArrayLevel& row = options.values.rows[item];
    for (size_t k = 0; k < row.values.size(); k++) {
      if (row.values[k] != static_cast<int64_t>(k)) {
        return fail(error, row.line,
                    "lookItemOptions: item " + std::to_string(item) + " offers palette " +
                        std::to_string(row.values[k]) + " as choice " + std::to_string(k) +
                        "; a look's value is its palette, so the choices are 0, 1, .. in order");
      }
    }
  }
  return true;
}

}  // namespace

bool checkTableRules(const std::vector<ArraySourceTable>& tables, std::string* error) {
  const ArraySourceTable* presets = find(tables, "attrPresets");
  const ArraySourceTable* options = find(tables, "lookItemOptions");
  return (presets == nullptr || checkPresets(*presets, error)) &&
         (options == nullptr || checkLookOptions(*options, error));
}

}  // namespace sorv::mkdata
