#include "sprites/anim.h"

#include "runtime/static_class.h"

namespace sorv {

StaticRef<ObjectArray> ANIM::remap;

namespace {

// New animation id for each old one, per player-sprite slot: left and right swapped.
constexpr std::initializer_list<int32_t> kRemapRunning = {
    0, 2, 1, 3, 4, 6, 5, 8, 7, 10, 9, 11, 12, 14, 13, 15, 16, 17, 18, 19, 20, 22, 21, 23, 24};
constexpr std::initializer_list<int32_t> kRemapStrokes = {
    0,  1,  3,  2,  5,  4,  7,  6,  9,  8,  11, 10, 13, 12, 15, 14, 17,
    16, 18, 19, 21, 20, 22, 23, 24, 25, 27, 26, 28, 29, 30, 31, 32};
constexpr std::initializer_list<int32_t> kRemapSpecial = {
    0,  1,  2,  3,  5,  4,  7,  6,  8,  9,  10, 12, 11, 13, 16, 17, 14, 15,
    18, 19, 20, 21, 23, 22, 24, 25, 26, 27, 28, 29, 32, 33, 30, 31, 34, 35};

}  // namespace

void ANIM::clinit() {
  remap = Array::newObjectArray(0, kRemapSlots);
  if (isNull(remap.get())) return;
  const std::initializer_list<int32_t>* tables[kRemapSlots] = {&kRemapRunning, &kRemapStrokes,
                                                               &kRemapSpecial};
  for (int32_t slot = 0; slot < kRemapSlots; slot++) {
    ByteArray* table = Array::newByteArray(static_cast<int32_t>(tables[slot]->size()));
    remap->elements()[slot] = Array::fillBytes(table, *tables[slot]);
  }
}

SORV_STATIC_INIT(kANIM, ANIM::clinit);

int32_t ANIM::remapped(int32_t slot, int32_t animation) {
  if (isNull(remap.get()) || !remap->inBounds(slot)) return animation;
  auto* table = static_cast<ByteArray*>(remap->elements()[slot]);
  // Ids the table does not cover are played as they are rather than read past its end.
  if (isNull(table) || !table->inBounds(animation)) return animation;
  return table->elements()[animation];
}

}  // namespace sorv
