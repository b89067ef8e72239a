// CGame, the game shell: so far the part the sprite code reads (the language, the two alpha
// build switches, the drawing target) and the filled and translucent rectangles.
//
// Invariants: translucent fills borrow ASprite's decode buffer for one call and never keep
// it; a fill never loops without drawing, whatever its size or the buffer's.
// Called by the sprite code and, later, every screen; one thread.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class Graphics;
class IntArray;
class ObjectArray;

class CGame : public Object {
 public:
  static constexpr ClassId kClassId = kCGame;

  // The current language number (0..10; 9 and 10 have extra letters in the fonts).
  static int32_t language;
  // Set around two sprite loads: BuildCacheImages gives opaque pixels 70 % or 30 % alpha.
  static bool buildAlpha70;
  static bool buildAlpha30;
  // The Graphics the current frame draws into.
  static StaticRef<Graphics> gfx;
  // The state machine's current state (match states are 40 to 44).
  static int32_t currentState;
  // The match's player-sprite tables, per side six slots (partners at 3 to 5); filled by
  // the match loader, read by the actors to find their remap slot.
  static StaticRef<ObjectArray> actionSprites0;
  static StaticRef<ObjectArray> actionSprites1;

  // argb's top byte is the alpha: 255 a solid fill, 0 nothing, else blended over the target.
  static void fillRect(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h);
  // percent clamped to 0..100 becomes the alpha of rgb.
  static void fillRect(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t percent);

  // Array utilities (cgame_arrays.cpp). Element kinds are 0 byte, 1 short, 2 int; every
  // element access is checked, so a bad index is reported and skipped.
  // Swaps entries i and j of a byte[], short[], int[] or object array.
  static void swap(Object* array, int32_t ignored, int32_t i, int32_t j);
  // Stable insertion sort of items[from..to] by ascending keys, keys moving along.
  static void sort(ObjectArray* items, IntArray* keys, int32_t from, int32_t to);
  // First index of value in a byte[], short[] or int[], else -1.
  static int32_t contains(Object* array, int32_t value);
  static void setArray(int32_t v, IntArray* array);
  static bool isInArray(int32_t v, IntArray* array);
  static void Vector2DCopy(IntArray* dst, IntArray* src);
  // The next index whose value base + index is not in skip: forwards it turns back at the
  // end of the range first..first + count - 1, backwards it stops at 0. Every index is
  // visited at most twice, so a list with everything skipped ends (at 0).
  static int32_t nextIdx(int32_t index, int32_t base, int32_t first, int32_t count, IntArray* skip,
                         bool backwards);
  // a's entries then b's in a new int[] (null counts as empty); the dimension counts are
  // not used.
  static IntArray* mergeArrays(IntArray* a, int32_t dimsA, IntArray* b, int32_t dimsB);
  // The int[] of a 1-D array itself, else its rows flattened in index order.
  static IntArray* to1DArray(Object* array, int32_t dims);
  // Same kinds copy through System.arraycopy; a 1-D int[] into a byte[] or short[] narrows
  // entry by entry over the destination's length; any other mismatch (dimension counts
  // included) throws ArrayStoreException.
  static void arrayCopy(Object* src, int32_t srcDims, int32_t srcPos, Object* dst,
                        int32_t dstDims, int32_t dstPos, int32_t length);
  // A copy of an int array of dims levels whose rows are byte[] (kind 0) or short[] (kind
  // 1); kind 2 gives the array itself.
  static Object* convertArrayType(Object* array, int32_t kind, int32_t dims);
  // Walks the 8-byte records of an array-tree descriptor from offset (tag byte, u32 LE
  // path): the run sharing the first record's tag and path above byte `level`. LeafNum is
  // its length, ChildNum 1 + path byte level - 1 of its last record. Both stop at the end.
  static int32_t ChildNum(int32_t offset, int32_t level, ByteArray* data);
  static int32_t LeafNum(int32_t offset, int32_t level, ByteArray* data);
};

}  // namespace sorv
