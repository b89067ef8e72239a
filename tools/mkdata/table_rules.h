// What the game reads into some of the static tables of tools/data/arrays.txt beyond their
// shapes: a playing style's attribute levels are 1..5 (the level picks a threshold), and
// each appearance item's option list is 0, 1, .., n - 1 (the game stores a look's value and
// paints it as that palette, so option k must be palette k).
//
// A source that breaks a rule is refused with "arrays.txt:LINE: table: reason", LINE the row's.
// Only the array tree's builder calls this, after the shapes are read.
#pragma once

#include <string>
#include <vector>

#include "tools/mkdata/array_tree_writer.h"

namespace sorv::mkdata {

// tables: one per entry of the list and in its order, as readArraySource gives them.
bool checkTableRules(const std::vector<ArraySourceTable>& tables, std::string* error);

}  // namespace sorv::mkdata
