// The operand stack of translated methods that kept the bytecode's stack discipline.
//
// Owns nothing: the cells and tag bytes live in the translated method's own frame
// (LocalOperandStack). One cell holds an int, a float's bits or a reference (cells are
// 64-bit so a host pointer fits); a long takes two cells, low half first, so the bytecode's
// dup2 and cell counts keep their meaning. Every cell has a tag byte: 1 for a non-null
// reference, else 0. The collector does not read tags; it finds references by scanning the
// machine stack.
//
// What always holds: top - base == tagTop - tagBase. The translation sizes each stack, so
// pushes and pops never leave it. Checked accesses follow the runtime's order: a null (or
// released) array logs "NullPointer", an index outside [0, length) "ArrayOutOfBound"; the
// access is then skipped and a load pushes 0 (or null).
#pragma once

#include <cstdint>

#include "runtime/array.h"

namespace sorv {

class String;

class OperandStack {
 public:
  using Cell = int64_t;

  void init(Cell* base, uint8_t* tags) {
    base_ = top_ = base;
    tagBase_ = tagTop_ = tags;
  }
  int32_t depth() const { return static_cast<int32_t>(top_ - base_); }
  uint8_t tagAt(int32_t fromTop) const { return tagTop_[-1 - fromTop]; }
  Cell cellAt(int32_t fromTop) const { return top_[-1 - fromTop]; }

  void pushInt(int32_t v) { push(v, 0); }
  void pushReference(Object* ref) { push(fromReference(ref), ref != nullptr ? 1 : 0); }
  void pushLong(int64_t v) {
    push(static_cast<uint32_t>(v), 0);
    push(static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32), 0);
  }
  // Pushes constant String n and returns it.
  String* pushConstant(int32_t n);
  // The `new` then `dup` pattern.
  void pushReferenceDup(Object* ref) {
    pushReference(ref);
    pushReference(ref);
  }
  void pushIntDup(int32_t v) {
    pushInt(v);
    pushInt(v);
  }

  int32_t popInt() { return static_cast<int32_t>(pop()); }
  Object* popReference() { return toReference(pop()); }
  int64_t popLong() {
    uint64_t high = static_cast<uint32_t>(pop());
    uint64_t low = static_cast<uint32_t>(pop());
    return static_cast<int64_t>(high << 32 | low);
  }

  // a b -> a b a b
  void dup2() {
    top_[0] = top_[-2];
    top_[1] = top_[-1];
    tagTop_[0] = tagTop_[-2];
    tagTop_[1] = tagTop_[-1];
    top_ += 2;
    tagTop_ += 2;
  }
  // x a b -> a b x a b; the tags move with their values.
  void dup2_x1() {
    Cell x = top_[-3], a = top_[-2], b = top_[-1];
    uint8_t tx = tagTop_[-3], ta = tagTop_[-2], tb = tagTop_[-1];
    top_[-3] = a;
    top_[-2] = b;
    top_[-1] = x;
    top_[0] = a;
    top_[1] = b;
    tagTop_[-3] = ta;
    tagTop_[-2] = tb;
    tagTop_[-1] = tx;
    tagTop_[0] = ta;
    tagTop_[1] = tb;
    top_ += 2;
    tagTop_ += 2;
  }

  // A finished call: drop its n argument cells and push the result.
  void returnReference(Object* ref, int32_t n) {
    drop(n);
    pushReference(ref);
  }
  void returnInt(int32_t v, int32_t n) {
    drop(n);
    pushInt(v);
  }
  void popBoolean(int8_t* var) { *var = pop() != 0 ? 1 : 0; }

  // Field stores with the object and the value on the stack (value on top). A null object
  // is reported and nothing is stored.
  template <class C>
  void putBooleanField(int8_t C::*field) {
    int8_t v = pop() != 0 ? 1 : 0;
    if (C* o = popObject<C>()) o->*field = v;
  }
  template <class C>
  void putIntField(int32_t C::*field) {
    int32_t v = popInt();
    if (C* o = popObject<C>()) o->*field = v;
  }
  template <class C>
  void putLongField(int64_t C::*field) {
    int64_t v = popLong();
    if (C* o = popObject<C>()) o->*field = v;
  }

  // Comparisons pop a b (b on top).
  int32_t ifIcmpGe() {
    int32_t b = popInt(), a = popInt();
    return a >= b ? 1 : 0;
  }
  int32_t ifIcmpLe() {
    int32_t b = popInt(), a = popInt();
    return a <= b ? 1 : 0;
  }
  int32_t ifCmpNe() {
    Cell b = pop(), a = pop();
    return a != b ? 1 : 0;
  }
  void lcmp() {
    int64_t b = popLong(), a = popLong();
    pushInt(a > b ? 1 : (a == b ? 0 : -1));
  }

  void arrayLength() {
    Object* a = popReference();
    if (isNull(a)) [[unlikely]] {
      Array::nullPointer();
      pushInt(0);
      return;
    }
    pushInt(static_cast<Array*>(a)->length);
  }

  // Stores pop value, index, array. iastore serves int[], float[] (the bits) and Object[];
  // castore char[] and short[]; bastore byte[] and boolean[].
  void iastore() {
    Cell v = pop();
    int32_t i = popInt();
    Array* a = checkedArray(i);
    if (a == nullptr) return;
    if (a->classId == kObjectArray) {
      static_cast<ObjectArray*>(a)->elements()[i] = toReference(v);
    } else if (Array::elementSizeOf(a->classId) == 4) {
      static_cast<int32_t*>(a->data)[i] = static_cast<int32_t>(v);
    } else {
      wrongKind();
    }
  }
  void castore() { storeNarrow<int16_t>(2); }
  void bastore() { storeNarrow<int8_t>(1); }

  // Loads pop index, array and push the element (sign-extended for short and byte).
  void aaload() {
    int32_t i = popInt();
    Array* a = checkedArray(i);
    if (a == nullptr || a->classId != kObjectArray) {
      if (a != nullptr) wrongKind();
      pushReference(nullptr);
      return;
    }
    pushReference(static_cast<ObjectArray*>(a)->elements()[i]);
  }
  void iaload() { loadNarrow<int32_t>(4); }
  void saload() { loadNarrow<int16_t>(2); }
  void baload() { loadNarrow<int8_t>(1); }

 private:
  static Cell fromReference(Object* ref) { return static_cast<Cell>(reinterpret_cast<intptr_t>(ref)); }
  static Object* toReference(Cell c) { return reinterpret_cast<Object*>(static_cast<intptr_t>(c)); }

  void push(Cell v, uint8_t tag) {
    *top_++ = v;
    *tagTop_++ = tag;
  }
  Cell pop() {
    --tagTop_;
    return *--top_;
  }
  void drop(int32_t n) {
    top_ -= n;
    tagTop_ -= n;
  }

  template <class C>
  C* popObject() {
    Object* o = popReference();
    if (isNull(o)) [[unlikely]] {
      Array::nullPointer();
      return nullptr;
    }
    return static_cast<C*>(o);
  }

  // Pops the array below an already popped index; null after the report when the access
  // must be skipped.
  Array* checkedArray(int32_t i) {
    Object* o = popReference();
    if (isNull(o)) [[unlikely]] {
      Array::nullPointer();
      return nullptr;
    }
    Array* a = static_cast<Array*>(o);
    if (!a->inBounds(i)) [[unlikely]] {
      Array::outOfBounds();
      return nullptr;
    }
    return a;
  }

  template <class T>
  void storeNarrow(int32_t size) {
    int32_t v = popInt();
    int32_t i = popInt();
    Array* a = checkedArray(i);
    if (a == nullptr) return;
    if (a->classId == kObjectArray || Array::elementSizeOf(a->classId) != size) [[unlikely]] {
      wrongKind();
      return;
    }
    static_cast<T*>(a->data)[i] = static_cast<T>(v);
  }

  template <class T>
  void loadNarrow(int32_t size) {
    int32_t i = popInt();
    Array* a = checkedArray(i);
    if (a == nullptr || a->classId == kObjectArray || Array::elementSizeOf(a->classId) != size) [[unlikely]] {
      if (a != nullptr) wrongKind();
      pushInt(0);
      return;
    }
    pushInt(static_cast<T*>(a->data)[i]);
  }

  // An access of the wrong width (never produced by a correct translation) is refused.
  [[gnu::cold, gnu::noinline]] static void wrongKind();

  Cell* base_ = nullptr;
  Cell* top_ = nullptr;
  uint8_t* tagBase_ = nullptr;
  uint8_t* tagTop_ = nullptr;
};

// The stack of one translated method, sized by the translation.
template <int kCells>
class LocalOperandStack : public OperandStack {
 public:
  LocalOperandStack() { init(cells_, tags_); }

 private:
  Cell cells_[kCells];
  uint8_t tags_[kCells];
};

}  // namespace sorv
