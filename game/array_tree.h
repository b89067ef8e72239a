// The array tree: the game's static tables kept as data in the boot pack. The descriptor
// holds per table a 3-byte header (byte 0 the stored width: 0 8-bit, 1 16-bit, 2 32-bit,
// little-endian and sign-extended) and then its 8-byte nodes, one per innermost row: the
// table's tree byte, a u32 LE path (one index per level, the innermost in the low byte), the
// row's length (signed byte) and its s16 LE offset into the values entry.
//
// Invariants: every table of the list in tools/data/resource_ids.h has a static of the type
// TableType names (checked when this compiles); after loading, a static holds its table or
// null. Nothing reads outside the two entries: a node or row that is not wholly there is an
// empty row, and a table never has more rows than its descriptor has nodes left.
// Called once at boot (CGame::initArrays); the tests and fuzz target call loadTables.
#pragma once

#include <cstdint>

#include "runtime/array.h"

namespace sorv::array_tree {

// The static a table fills: one typed array for one dimension or a flattened (byte) table,
// else nested object arrays.
template <int32_t Dims, int32_t Kind, bool Flattened>
struct TableType {
  using type = ObjectArray;
};
template <int32_t Dims>
struct TableType<Dims, 0, true> {
  using type = ByteArray;
};
template <>
struct TableType<1, 0, false> {
  using type = ByteArray;
};
template <>
struct TableType<1, 1, false> {
  using type = ShortArray;
};
template <>
struct TableType<1, 2, false> {
  using type = IntArray;
};

// Every table of the list from the values and descriptor entries into its static.
void loadTables(ByteArray* data, ByteArray* desc);
// The static of table id; null outside the list or when it is not loaded.
Object* table(int32_t id);

}  // namespace sorv::array_tree
