#include "game/array_tree.h"

#include <type_traits>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<ByteArray> CGame::tournamentTable;
StaticRef<ShortArray> CGame::attrThresholds;
StaticRef<ShortArray> CGame::attrGainTable;
StaticRef<ObjectArray> CGame::attrPresets;
StaticRef<ByteArray> CGame::rosterKinds;
StaticRef<ByteArray> CGame::rosterCountries;
StaticRef<ShortArray> CGame::rosterCaptions;
StaticRef<ByteArray> CGame::rosterAbility;
StaticRef<ObjectArray> CGame::rosterFlags;
StaticRef<ObjectArray> CGame::rosterCardValues;
StaticRef<ObjectArray> CGame::rosterAttrCardValues;
StaticRef<ObjectArray> CGame::rosterAttrBase;
StaticRef<ObjectArray> CGame::rosterAttrBonus;
StaticRef<ObjectArray> CGame::lookItemOptions;
StaticRef<ObjectArray> CGame::colourGroupRanges;
StaticRef<ByteArray> CGame::whiteSuitColours;
StaticRef<IntArray> CGame::whiteSuitGroups;

#define SORV_CHECK_TABLE_TYPE(id, position, dims, kind, width, flattened, owner, name)          \
  static_assert(std::is_same_v<decltype(owner::name),                                           \
                               StaticRef<array_tree::TableType<dims, kind, flattened>::type>>, \
                #owner "::" #name " does not have the type of its table");                      \
  static_assert(!(flattened) || (kind) == 0, #name ": only byte tables are flattened");
SORV_ARRAY_TABLES(SORV_CHECK_TABLE_TYPE)
#undef SORV_CHECK_TABLE_TYPE

namespace {

constexpr int32_t kNodeLengthByte = 5;
constexpr int32_t kNodeOffsetByte = 6;

// One table being read: the two entries, the width code's place, how many rows it may still
// read and whether its one log line has been written.
class TableReader {
 public:
  TableReader(ByteArray* desc, ByteArray* data, int32_t pos, int32_t typePos)
      : desc_(desc), data_(data), pos_(pos), typePos_(typePos) {
    // A table's rows are its nodes, so it cannot have more than the descriptor has left.
    const int64_t left = (int64_t{desc->length} - pos) / kArrayNodeSize;
    rowsLeft_ = pos < 0 || left < 1 ? 1 : static_cast<int32_t>(left);
  }

  Object* load(int32_t dims, int64_t pos) {
    if (dims == 1) return row(pos);
    const int32_t at = toOffset(pos);
    const int32_t n = limit(CGame::ChildNum(at, dims - 1, desc_));
    ObjectArray* level = Array::newObjectArray(0, n);
    if (isNull(level)) return nullptr;
    int64_t child = pos;
    for (int32_t k = 0; k < n; k++) {
      Object* loaded = load(dims - 1, child);
      level->elements()[k] = loaded;
      // A row of a 2-D table is the next node; a deeper child spans its own leaves.
      child += int64_t{kArrayNodeSize} *
               (dims == 2 ? 1 : CGame::LeafNum(toOffset(child), dims - 2, desc_));
    }
    return level;
  }

 private:
  // Offsets past the int range are outside any entry.
  static int32_t toOffset(int64_t pos) { return pos < 0 || pos > INT32_MAX ? -1 : static_cast<int32_t>(pos); }

  int32_t limit(int32_t count) {
    if (count <= rowsLeft_) return count;
    report("more rows than nodes", pos_);
    return rowsLeft_;
  }

  void report(const char* what, int64_t where) {
    if (reported_) return;
    reported_ = true;
    Debug::trace("CGame.loadArray: table at %d: %s at %lld, read as empty", pos_, what,
                 static_cast<long long>(where));
  }

  uint8_t descByte(int64_t at) const { return static_cast<uint8_t>(desc_->elements()[at]); }

  IntArray* row(int64_t pos) {
    if (rowsLeft_ > 0) rowsLeft_--;
    int32_t n = 0, base = 0, width = 0;
    if (pos < 0 || pos + kArrayNodeSize > desc_->length) {
      report("a node outside the descriptor", pos);
    } else if (typePos_ < 0 || typePos_ >= desc_->length || descByte(typePos_) > 2) {
      report("no width code", typePos_);
    } else {
      width = descByte(typePos_);
      n = static_cast<int8_t>(descByte(pos + kNodeLengthByte));
      if (n < 0) n = 0;
      base = static_cast<int16_t>(descByte(pos + kNodeOffsetByte) | descByte(pos + kNodeOffsetByte + 1) << 8);
      const int64_t end = int64_t{base} + (int64_t{n} << width);
      if (n > 0 && (base < 0 || end > data_->length)) {
        report("a row outside the values", pos);
        n = 0;
      }
    }
    IntArray* out = Array::newIntArray(n);
    if (isNull(out)) return nullptr;
    // The values are read after the allocation, which may have moved them.
    const auto* v = reinterpret_cast<const uint8_t*>(data_->elements()) + base;
    int32_t* e = out->elements();
    for (int32_t i = 0; i < n; i++) {
      switch (width) {
        case 0: e[i] = static_cast<int8_t>(v[i]); break;
        case 1: e[i] = static_cast<int16_t>(v[2 * i] | v[2 * i + 1] << 8); break;
        default:
          e[i] = static_cast<int32_t>(v[4 * i] | v[4 * i + 1] << 8 | v[4 * i + 2] << 16 |
                                      static_cast<uint32_t>(v[4 * i + 3]) << 24);
          break;
      }
    }
    return out;
  }

  ByteArray* desc_;
  ByteArray* data_;
  int32_t pos_;
  int32_t typePos_;
  int32_t rowsLeft_ = 1;
  bool reported_ = false;
};

template <class T>
T* tableOf(Object* loaded) {
  return !isNull(loaded) && loaded->classId == T::kClassId ? static_cast<T*>(loaded) : nullptr;
}

Object* loadTable(int32_t dims, int32_t pos, int32_t kind, bool flattened, ByteArray* desc,
                  ByteArray* data) {
  const int32_t typePos = pos - kArrayHeaderSize;
  if (!flattened) return CGame::loadArray(dims, pos, typePos, kind, desc, data);
  Object* rows = CGame::loadArray(dims, pos, typePos, 2, desc, data);
  return CGame::convertArrayType(CGame::to1DArray(rows, dims), kind, 1);
}

}  // namespace

Object* CGame::loadArray(int32_t dims, int32_t pos, int32_t typePos, int32_t elementType,
                         ByteArray* desc, ByteArray* data) {
  SORV_FRAME("CGame.loadArray(IIII[B[B)Ljava/lang/Object;");
  if (dims < 1 || dims > 4) return convertArrayType(nullptr, elementType, dims);
  if (isNull(desc) || isNull(data)) {
    reportError("NullPointer");
    return nullptr;
  }
  TableReader reader(desc, data, pos, typePos);
  Object* loaded = reader.load(dims, pos);
  return convertArrayType(loaded, elementType, dims);
}

void CGame::initArrays() {
  SORV_FRAME("CGame.initArrays()V");
  ByteArray* data = Lib_GetData(kBootArrayData, false, nullptr);
  ByteArray* desc = Lib_GetData(kBootArrayDescriptor, false, nullptr);
  array_tree::loadTables(data, desc);
}

namespace array_tree {

void loadTables(ByteArray* data, ByteArray* desc) {
  if (isNull(data) || isNull(desc)) {
    // One line for the missing entries rather than one report per table.
    Debug::trace("CGame.initArrays: the pack has no array tree, every table stays empty");
    data = desc = nullptr;
  }
#define SORV_LOAD_TABLE(id, position, dims, kind, width, flattened, owner, name) \
  owner::name = isNull(desc) ? nullptr                                           \
                              : tableOf<TableType<dims, kind, flattened>::type>(   \
                                    loadTable(dims, position, kind, flattened, desc, data));
  SORV_ARRAY_TABLES(SORV_LOAD_TABLE)
#undef SORV_LOAD_TABLE
}

Object* table(int32_t id) {
  switch (id) {
#define SORV_TABLE_CASE(id, position, dims, kind, width, flattened, owner, name) \
  case id: return owner::name.get();
    SORV_ARRAY_TABLES(SORV_TABLE_CASE)
#undef SORV_TABLE_CASE
    default: return nullptr;
  }
}

}  // namespace array_tree

}  // namespace sorv
