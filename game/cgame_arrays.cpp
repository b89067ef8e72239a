#include <cstdint>
#include <cstring>

#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/lang_system.h"
#include "runtime/throwable.h"

namespace sorv {

namespace {

template <class A>
void swapEntries(Object* array, int32_t i, int32_t j) {
  auto* a = static_cast<A*>(array);
  if (!a->inBounds(i) || !a->inBounds(j)) return Array::outOfBounds();
  auto* e = a->elements();
  auto kept = e[i];
  e[i] = e[j];
  e[j] = kept;
}

template <class A>
int32_t indexOf(Object* array, int32_t value) {
  auto* a = static_cast<A*>(array);
  const auto* e = a->elements();
  for (int32_t i = 0; i < a->length; i++) {
    if (e[i] == value) return i;
  }
  return -1;
}

// Narrows entry i of a 1-D int[] into entry i of a byte[] or short[], over the whole
// destination; a shorter source is reported once at its end.
template <class A>
void narrowInts(IntArray* from, Object* dst) {
  auto* to = static_cast<A*>(dst);
  for (int32_t i = 0; i < to->length; i++) {
    if (!from->inBounds(i)) return Array::outOfBounds();
    to->elements()[i] = static_cast<typename A::Element>(from->elements()[i]);
  }
}

// Entries of an int array of dims levels once flattened; anything that is not an array of
// the expected kind counts as empty.
int64_t flatLength(Object* array, int32_t dims) {
  if (isNull(array)) return 0;
  if (dims == 1) return array->classId == kIntArray ? static_cast<IntArray*>(array)->length : 0;
  if (array->classId != kObjectArray) return 0;
  auto* level = static_cast<ObjectArray*>(array);
  int64_t total = 0;
  for (int32_t i = 0; i < level->length; i++) total += flatLength(level->elements()[i], dims - 1);
  return total;
}

// Copies the flattened entries into out from *at; allocates nothing.
void flattenInto(Object* array, int32_t dims, IntArray* out, int32_t* at) {
  if (isNull(array)) return;
  if (dims == 1) {
    if (array->classId != kIntArray) return;
    auto* row = static_cast<IntArray*>(array);
    if (row->length > 0) std::memcpy(out->elements() + *at, row->elements(), sizeof(int32_t) * row->length);
    *at += row->length;
    return;
  }
  if (array->classId != kObjectArray) return;
  auto* level = static_cast<ObjectArray*>(array);
  for (int32_t i = 0; i < level->length; i++) flattenInto(level->elements()[i], dims - 1, out, at);
}

struct RecordRun {
  int32_t count = 0;
  int32_t lastPath = 0;
};

constexpr int32_t kRecordSize = 8;
constexpr int32_t kTagAndPathSize = 5;

int32_t pathAt(const int8_t* bytes, int32_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) |
                              static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
                              static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 16 |
                              static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 4])) << 24);
}

// The records from offset that share the first one's tag and path above byte `level`; only
// records whose tag and path lie wholly inside the data count.
RecordRun walkRecords(int32_t offset, int32_t level, ByteArray* data) {
  RecordRun run;
  if (offset < 0 || int64_t{offset} + kTagAndPathSize > data->length) return run;
  const int8_t* bytes = data->elements();
  const int32_t shift = 8 * level;
  const int8_t tag = bytes[offset];
  const int32_t key = iushr(pathAt(bytes, offset), shift);
  for (int64_t at = offset; at + kTagAndPathSize <= data->length; at += kRecordSize) {
    const auto p = static_cast<int32_t>(at);
    const int32_t path = pathAt(bytes, p);
    if (bytes[p] != tag || iushr(path, shift) != key) break;
    run.count++;
    run.lastPath = path;
  }
  return run;
}

}  // namespace

void CGame::swap(Object* array, int32_t, int32_t i, int32_t j) {
  SORV_FRAME("CGame.swap(Ljava/lang/Object;III)V");
  if (isNull(array)) return reportError("NullPointer");
  switch (array->classId) {
    case kByteArray: return swapEntries<ByteArray>(array, i, j);
    case kShortArray: return swapEntries<ShortArray>(array, i, j);
    case kIntArray: return swapEntries<IntArray>(array, i, j);
    case kObjectArray: return swapEntries<ObjectArray>(array, i, j);
    default: return;
  }
}

void CGame::sort(ObjectArray* items, IntArray* keys, int32_t from, int32_t to) {
  SORV_FRAME("CGame.sort([Ljava/lang/Object;[III)V");
  if (isNull(items) || isNull(keys)) return reportError("NullPointer");
  if (from >= to) return;
  if (!items->inBounds(from) || !items->inBounds(to) || !keys->inBounds(from) || !keys->inBounds(to)) {
    return Array::outOfBounds();
  }
  int32_t* k = keys->elements();
  Object** it = items->elements();
  for (int32_t i = from + 1; i <= to; i++) {
    const int32_t key = k[i];
    Object* item = it[i];
    int32_t j = i - 1;
    // Strictly greater keys move up: equal keys keep their order.
    for (; j >= from && k[j] > key; j--) {
      k[j + 1] = k[j];
      it[j + 1] = it[j];
    }
    k[j + 1] = key;
    it[j + 1] = item;
  }
}

int32_t CGame::contains(Object* array, int32_t value) {
  SORV_FRAME("CGame.contains(Ljava/lang/Object;I)I");
  if (isNull(array)) {
    reportError("NullPointer");
    return -1;
  }
  switch (array->classId) {
    case kByteArray: return indexOf<ByteArray>(array, value);
    case kShortArray: return indexOf<ShortArray>(array, value);
    case kIntArray: return indexOf<IntArray>(array, value);
    default: return -1;
  }
}

void CGame::setArray(int32_t v, IntArray* array) {
  SORV_FRAME("CGame.setArray(I[I)V");
  if (isNull(array)) return reportError("NullPointer");
  for (int32_t i = 0; i < array->length; i++) array->elements()[i] = v;
}

bool CGame::isInArray(int32_t v, IntArray* array) {
  SORV_FRAME("CGame.isInArray(I[I)Z");
  if (isNull(array)) {
    reportError("NullPointer");
    return false;
  }
  return indexOf<IntArray>(array, v) >= 0;
}

void CGame::Vector2DCopy(IntArray* dst, IntArray* src) {
  SORV_FRAME("CGame.Vector2DCopy([I[I)V");
  astore(dst, 0, aload(src, 0));
  astore(dst, 1, aload(src, 1));
}

int32_t CGame::nextIdx(int32_t index, int32_t base, int32_t first, int32_t count, IntArray* skip,
                       bool backwards) {
  SORV_FRAME("CGame.nextIdx(IIII[IZ)I");
  const int64_t last = int64_t{first} + count - 1 - base;
  if (last < 0) return 0;
  int64_t at = index < 0 ? 0 : (index > last ? last : index);
  // Forwards to the end, then backwards to 0: each index is looked at no more than twice.
  for (int64_t looks = 2 * (last + 1); looks > 0; looks--) {
    if (isNull(skip) || indexOf<IntArray>(skip, static_cast<int32_t>(base + at)) < 0) {
      return static_cast<int32_t>(at);
    }
    if (!backwards) {
      if (at < last) {
        at++;
        continue;
      }
      backwards = true;
    }
    if (at == 0) break;
    at--;
  }
  return 0;
}

IntArray* CGame::mergeArrays(IntArray* a, int32_t, IntArray* b, int32_t) {
  SORV_FRAME("CGame.mergeArrays([II[II)[I");
  const int32_t la = isNull(a) ? 0 : a->length;
  const int32_t lb = isNull(b) ? 0 : b->length;
  IntArray* out = Array::newIntArray(la + lb);
  if (isNull(out)) return nullptr;
  // Element data is read after the allocation, which may have moved it.
  if (la > 0) std::memcpy(out->elements(), a->elements(), sizeof(int32_t) * la);
  if (lb > 0) std::memcpy(out->elements() + la, b->elements(), sizeof(int32_t) * lb);
  return out;
}

IntArray* CGame::to1DArray(Object* array, int32_t dims) {
  SORV_FRAME("CGame.to1DArray(Ljava/lang/Object;I)[I");
  if (isNull(array)) {
    if (dims != 1) reportError("NullPointer");
    return nullptr;
  }
  if (dims == 1) return array->classId == kIntArray ? static_cast<IntArray*>(array) : nullptr;
  if (dims < 1 || dims > 4) return nullptr;
  const int64_t total = flatLength(array, dims);
  if (total > INT32_MAX) return nullptr;
  IntArray* out = Array::newIntArray(static_cast<int32_t>(total));
  if (isNull(out)) return nullptr;
  int32_t at = 0;
  flattenInto(array, dims, out, &at);
  return out;
}

void CGame::arrayCopy(Object* src, int32_t srcDims, int32_t srcPos, Object* dst, int32_t dstDims,
                      int32_t dstPos, int32_t length) {
  SORV_FRAME("CGame.arrayCopy(Ljava/lang/Object;IILjava/lang/Object;III)V");
  if (src == dst || isNull(src) || isNull(dst) || length == 0) return;
  const int32_t srcKind = Array::elementKind(src);
  const int32_t dstKind = Array::elementKind(dst);
  if (srcDims == dstDims && srcKind >= 0 && dstKind >= 0) {
    if (src->classId == dst->classId) return System::arraycopy(src, srcPos, dst, dstPos, length);
    if (srcDims == 1 && srcKind == 2) {
      auto* from = static_cast<IntArray*>(src);
      if (dstKind == 0) return narrowInts<ByteArray>(from, dst);
      if (dstKind == 1) return narrowInts<ShortArray>(from, dst);
    }
  }
  throwNew(kArrayStoreException);
}

Object* CGame::convertArrayType(Object* array, int32_t kind, int32_t dims) {
  SORV_FRAME("CGame.convertArrayType(Ljava/lang/Object;II)Ljava/lang/Object;");
  if (isNull(array) || !Array::isArrayClass(array->classId)) return nullptr;
  if (kind != 0 && kind != 1) return array;
  if (dims == 1) {
    const int32_t length = static_cast<Array*>(array)->length;
    Array* row = kind == 0 ? static_cast<Array*>(Array::newByteArray(length))
                           : static_cast<Array*>(Array::newShortArray(length));
    if (isNull(row)) return nullptr;
    arrayCopy(array, 1, 0, row, 1, 0, length);
    return row;
  }
  if (dims < 1 || dims > 4 || array->classId != kObjectArray) return nullptr;
  auto* from = static_cast<ObjectArray*>(array);
  ObjectArray* out = Array::newObjectArray(0, from->length);
  if (isNull(out)) return nullptr;
  for (int32_t i = 0; i < from->length; i++) {
    Object* child = convertArrayType(from->elements()[i], kind, dims - 1);
    out->elements()[i] = child;
  }
  return out;
}

int32_t CGame::ChildNum(int32_t offset, int32_t level, ByteArray* data) {
  SORV_FRAME("CGame.ChildNum(II[B)I");
  if (isNull(data)) {
    reportError("NullPointer");
    return 1;
  }
  const RecordRun run = walkRecords(offset, level, data);
  if (run.count == 0) return 1;
  return 1 + (iushr(run.lastPath, 8 * (level - 1)) & 0xFF);
}

int32_t CGame::LeafNum(int32_t offset, int32_t level, ByteArray* data) {
  SORV_FRAME("CGame.LeafNum(II[B)I");
  if (isNull(data)) {
    reportError("NullPointer");
    return 0;
  }
  return walkRecords(offset, level, data).count;
}

}  // namespace sorv
