// Helpers shared by the String, StringBuffer and stream code; not for translated code.
#pragma once

#include <cstdint>

namespace sorv {

class ByteArray;

// True when p lies in the buffer heap, whose blocks may move on the next allocation.
bool inBufferHeap(const void* p);

// 0 <= offset, 0 <= count and offset + count <= size, computed without 32-bit wrap.
bool rangeInside(int32_t size, int32_t offset, int32_t count);

// The check of every stream read(b, off, len) and write(b, off, len): a null b throws
// NullPointerException, a range outside b IndexOutOfBoundsException; false then.
bool streamRangeOk(ByteArray* b, int32_t off, int32_t len);

}  // namespace sorv
