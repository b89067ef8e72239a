#include "runtime/util_hashtable.h"

#include "tools/data/resource_ids.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(HashtableEntry, SORV_REF_OFFSET(HashtableEntry, key), SORV_REF_OFFSET(HashtableEntry, value),
                SORV_REF_OFFSET(HashtableEntry, next));
SORV_REF_FIELDS(Hashtable, SORV_REF_OFFSET(Hashtable, table));
SORV_REF_FIELDS(HashtableEnumerator, SORV_REF_OFFSET(HashtableEnumerator, table),
                SORV_REF_OFFSET(HashtableEnumerator, entry), SORV_REF_OFFSET(HashtableEnumerator, hashtable));

namespace {

int32_t bucketOf(int32_t hash, int32_t buckets) { return (hash & 0x7FFFFFFF) % buckets; }

HashtableEntry* chainAt(ObjectArray* table, int32_t bucket) {
  return static_cast<HashtableEntry*>(table->elements()[bucket]);
}

bool nullTable(Hashtable* h) {
  if (!isNull(h)) return false;
  reportError("NullPointer");
  return true;
}

}  // namespace

Hashtable* Hashtable::create() {
  Hashtable* h = newObject<Hashtable>();
  if (h == nullptr) return nullptr;
  h->table = Array::newObjectArray(0, kInitialBuckets);
  h->threshold = kInitialThreshold;
  return h;
}

Object* Hashtable::get(Hashtable* h, Object* key) {
  SORV_FRAME("Hashtable.get(Ljava/lang/Object;)Ljava/lang/Object;");
  if (nullTable(h)) return nullptr;
  if (isNull(key)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  int32_t buckets = h->bucketCount();
  if (buckets == 0) return nullptr;
  int32_t hash = key->hashCode();
  for (HashtableEntry* e = chainAt(h->table, bucketOf(hash, buckets)); e != nullptr; e = e->next) {
    if (e->hash == hash && !isNull(e->key) && e->key->equals(key)) return e->value;
  }
  return nullptr;
}

Object* Hashtable::put(Hashtable* h, Object* key, Object* value) {
  SORV_FRAME("Hashtable.put(Ljava/lang/Object;Ljava/lang/Object;)Ljava/lang/Object;");
  if (nullTable(h)) return nullptr;
  if (isNull(key) || isNull(value)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  int32_t hash = key->hashCode();
  for (;;) {
    int32_t buckets = h->bucketCount();
    if (buckets == 0) return nullptr;
    int32_t bucket = bucketOf(hash, buckets);
    for (HashtableEntry* e = chainAt(h->table, bucket); e != nullptr; e = e->next) {
      if (e->hash == hash && !isNull(e->key) && e->key->equals(key)) {
        Object* old = e->value;
        e->value = value;
        return old;
      }
    }
    if (h->count >= h->threshold) {
      int32_t before = h->bucketCount();
      h->rehash();
      // A rehash that could not grow the table must not loop: add to the old one.
      if (h->bucketCount() != before) continue;
    }
    HashtableEntry* entry = newObject<HashtableEntry>();
    if (entry == nullptr) return nullptr;
    entry->hash = hash;
    entry->key = key;
    entry->value = value;
    entry->next = chainAt(h->table, bucket);
    h->table->elements()[bucket] = entry;
    ++h->count;
    return nullptr;
  }
}

void Hashtable::rehash() {
  SORV_FRAME("Hashtable.rehash()V");
  int32_t oldLength = bucketCount();
  if (oldLength > (INT32_MAX - 1) / 2) return;
  int32_t newLength = oldLength * 2 + 1;
  ObjectArray* newTable = Array::newObjectArray(0, newLength);
  if (isNull(newTable) || newTable->length != newLength) return;
  threshold = static_cast<int32_t>(static_cast<int64_t>(newLength) * 75 / 100);
  for (int32_t i = oldLength - 1; i >= 0; --i) {
    HashtableEntry* e = chainAt(table, i);
    while (e != nullptr) {
      HashtableEntry* next = e->next;
      int32_t bucket = bucketOf(e->hash, newLength);
      e->next = chainAt(newTable, bucket);
      newTable->elements()[bucket] = e;
      e = next;
    }
  }
  table = newTable;
}

bool Hashtable::contains(Object* value) {
  SORV_FRAME("Hashtable.contains(Ljava/lang/Object;)Z");
  if (isNull(value)) {
    throwNew(kNullPointerException);
    return false;
  }
  for (int32_t i = bucketCount() - 1; i >= 0; --i) {
    for (HashtableEntry* e = chainAt(table, i); e != nullptr; e = e->next) {
      if (!isNull(e->value) && e->value->equals(value)) return true;
    }
  }
  return false;
}

void Hashtable::clear() {
  for (int32_t i = bucketCount() - 1; i >= 0; --i) table->elements()[i] = nullptr;
  count = 0;
}

Object* Hashtable::keys() { return HashtableEnumerator::create(this, true); }
Object* Hashtable::elements() { return HashtableEnumerator::create(this, false); }

String* Hashtable::toString() {
  SORV_FRAME("Hashtable.toString()Ljava/lang/String;");
  StringBuffer* sb = StringBuffer::create(16);
  if (sb == nullptr) return nullptr;
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstHashtableOpen));
  int32_t written = 0;
  // Enumeration order; the table cannot change while the texts are made.
  for (int32_t i = bucketCount() - 1; i >= 0 && written < count; --i) {
    for (HashtableEntry* e = chainAt(table, i); e != nullptr && written < count; e = e->next) {
      if (written > 0) StringBuffer::appendString(sb, StaticClass::getConstant(kConstHashtableSeparator));
      StringBuffer::appendObject(sb, e->key);
      StringBuffer::appendString(sb, StaticClass::getConstant(kConstHashtableKeyValue));
      StringBuffer::appendObject(sb, e->value);
      ++written;
    }
  }
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstHashtableClose));
  return sb->toString();
}

HashtableEnumerator* HashtableEnumerator::create(Hashtable* h, bool keys) {
  HashtableEnumerator* en = newObject<HashtableEnumerator>();
  if (en == nullptr) return nullptr;
  en->keys = keys ? 1 : 0;
  en->hashtable = h;
  en->table = isNull(h) ? nullptr : h->table;
  en->index = isNull(en->table) ? 0 : en->table->length;
  return en;
}

void* HashtableEnumerator::getInterface(int32_t classId) {
  return classId == kEnumeration ? static_cast<Enumeration*>(this) : nullptr;
}

bool HashtableEnumerator::hasMoreElements() {
  while (entry == nullptr && index > 0) entry = chainAt(table, --index);
  return entry != nullptr;
}

Object* HashtableEnumerator::nextElement() {
  SORV_FRAME("HashtableEnumerator.nextElement()Ljava/lang/Object;");
  if (!hasMoreElements()) {
    throwNew(kNoSuchElementException, StaticClass::getConstant(kConstNoMoreElements));
    return nullptr;
  }
  HashtableEntry* e = entry;
  entry = e->next;
  return keys != 0 ? e->key : e->value;
}

}  // namespace sorv
