// Object lists (Object[] with null holes) and the two 15-slot pools of reusable objects.
#include <cstdint>
#include <utility>

#include "game/cgame.h"
#include "match/rigid_body.h"
#include "runtime/class_table.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/throwable.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

enum FreeKind : int32_t { kFreeBall = 0, kFreeActor = 1, kFreeBody = 2, kFreeSecondPool = 3 };

bool matchesKind(Object* object, int32_t kind) {
  switch (kind) {
    case kFreeBall: {
      if (!instanceOf(object, kRigidBody)) return false;
      const int32_t type = static_cast<RigidBody*>(object)->type;
      return type == RigidBody::kTypeBall || type == RigidBody::kTypeOtherBall;
    }
    case kFreeActor: return instanceOf(object, kCActor);
    case kFreeBody: return instanceOf(object, kRigidBody);
    default: return false;
  }
}

void throwUnknownKind(int32_t kind) {
  StringBuffer* message = StringBuffer::create(32);
  StringBuffer::appendString(message, StaticClass::getConstant(kConstNoFreeObjectType));
  StringBuffer::appendInt(message, kind);
  throwNew(kIllegalArgumentException, message->toString());
}

}  // namespace

int32_t CGame::p_size(ObjectArray* array) {
  SORV_FRAME("CGame.p_size([Ljava/lang/Object;)I");
  if (isNull(array)) {
    reportError("NullPointer");
    return 0;
  }
  int32_t count = 0;
  for (int32_t i = 0; i < array->length; i++) count += isNull(array->elements()[i]) ? 0 : 1;
  return count;
}

int32_t CGame::p_find(ObjectArray* array, Object* object, int32_t start) {
  SORV_FRAME("CGame.p_find([Ljava/lang/Object;Ljava/lang/Object;I)I");
  if (isNull(array)) {
    reportError("NullPointer");
    return -1;
  }
  for (int32_t i = start < 0 ? 0 : start; i < array->length; i++)
    if (array->elements()[i] == object) return i;
  return -1;
}

int32_t CGame::p_add(ObjectArray* array, Object* object) {
  SORV_FRAME("CGame.p_add([Ljava/lang/Object;Ljava/lang/Object;)I");
  int32_t index = p_find(array, object, 0);
  if (index < 0) index = p_find(array, nullptr, 0);
  if (index < 0) {
    // A full list: the store at -1 is reported and nothing is kept.
    if (!isNull(array)) reportError("ArrayOutOfBound");
    return -1;
  }
  array->elements()[index] = object;
  return index;
}

int32_t CGame::p_remove(ObjectArray* array, Object* object) {
  SORV_FRAME("CGame.p_remove([Ljava/lang/Object;Ljava/lang/Object;)I");
  const int32_t index = p_find(array, object, 0);
  if (index >= 0) array->elements()[index] = nullptr;
  return index;
}

int32_t CGame::p_add(Object* object) {
  SORV_FRAME("CGame.p_add(Ljava/lang/Object;)I");
  if (isNull(object)) return -1;
  const int32_t index = p_add(poolObjects.get(), object);
  if (index < 0) return -1;
  if (aload(poolStates.get(), index) != kSlotLocked) astore(poolStates.get(), index, kSlotFree);
  return index;
}

void CGame::p_lock(Object* object) {
  SORV_FRAME("CGame.p_lock(Ljava/lang/Object;)V");
  if (isNull(object)) return;
  const int32_t index = p_add(poolObjects.get(), object);
  if (index >= 0) astore(poolStates.get(), index, kSlotLocked);
}

void CGame::p_free(Object* object) {
  SORV_FRAME("CGame.p_free(Ljava/lang/Object;)V");
  if (isNull(object)) return;
  const int32_t one = p_find(poolObjects.get(), object, 0);
  if (one >= 0) astore(poolStates.get(), one, kSlotFree);
  const int32_t two = p_find(pool2Objects.get(), object, 0);
  if (two >= 0) astore(pool2States.get(), two, kSlotFree);
}

void CGame::p_resetPool() {
  SORV_FRAME("CGame.p_resetPool()V");
  for (auto [objects, states] : {std::pair{poolObjects.get(), poolStates.get()},
                                 std::pair{pool2Objects.get(), pool2States.get()}}) {
    if (isNull(objects) || isNull(states)) continue;
    for (int32_t i = 0; i < objects->length && i < states->length; i++)
      states->elements()[i] = isNull(objects->elements()[i]) ? kSlotEmpty : kSlotFree;
  }
}

void CGame::p_clearPool() {
  SORV_FRAME("CGame.p_clearPool()V");
  for (auto [objects, states] : {std::pair{poolObjects.get(), poolStates.get()},
                                 std::pair{pool2Objects.get(), pool2States.get()}}) {
    for (int32_t i = 0; !isNull(objects) && i < objects->length; i++) objects->elements()[i] = nullptr;
    for (int32_t i = 0; !isNull(states) && i < states->length; i++) states->elements()[i] = kSlotEmpty;
  }
}

Object* CGame::p_findFree(int32_t type) {
  SORV_FRAME("CGame.p_findFree(I)Ljava/lang/Object;");
  const bool second = type == kFreeSecondPool;
  ObjectArray* objects = second ? pool2Objects.get() : poolObjects.get();
  ByteArray* states = second ? pool2States.get() : poolStates.get();
  if (isNull(objects) || isNull(states)) {
    reportError("NullPointer");
    return nullptr;
  }
  for (int32_t i = 0; i < kPoolSize && i < objects->length && i < states->length; i++) {
    if (states->elements()[i] != kSlotFree) continue;
    Object* object = objects->elements()[i];
    if (type > kFreeSecondPool) {
      throwUnknownKind(type);
      return nullptr;
    }
    if (second ? !isNull(object) : matchesKind(object, type)) return object;
  }
  return nullptr;
}

}  // namespace sorv
