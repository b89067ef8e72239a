#include "device/record_store.h"

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "device/file.h"
#include "device/record_files.h"
#include "tools/data/resource_ids.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_wrappers.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/throwable.h"
#include "runtime/util_vector.h"

namespace sorv {

SORV_REF_FIELDS(RecordStore, SORV_REF_OFFSET(RecordStore, indexPath),
                SORV_REF_OFFSET(RecordStore, recordIds));

namespace {

using record_files::ReadResult;
using record_files::RecordIndex;

bool pending() { return Application::pendingException() != nullptr; }

void throwStoreFailure() {
  throwNew(kRecordStoreException, StaticClass::getConstant(kConstRecordStoreIoMessage));
}

void throwInvalidId(int32_t id) { throwNew(kInvalidRecordIDException, String::valueOfInt(id)); }

void throwFull() {
  throwNew(kRecordStoreFullException, StaticClass::getConstant(kConstRecordStoreFullMessage));
}

bool hostOf(String* cePath, std::string& host) {
  File* file = File::create(cePath);
  return !isNull(file) && file->hostPath(host);
}

void append(std::u16string& out, String* s) {
  if (!isNull(s)) out.append(s->units(), static_cast<size_t>(s->length()));
}

void appendConstant(std::u16string& out, int32_t n) { append(out, StaticClass::getConstant(n)); }

bool emptyText(String* s) { return isNull(s) || s->length() == 0; }

int32_t idAt(RecordStore* store, int32_t i) {
  Object* element = store->recordIds->elementAt(i);
  return isNull(element) ? 0 : static_cast<Integer*>(element)->value;
}

// The id's place in the list, or -1.
int32_t positionOf(RecordStore* store, int32_t id) {
  if (isNull(store->recordIds)) return -1;
  for (int32_t i = 0; i < store->recordIds->elementCount; ++i) {
    if (idAt(store, i) == id) return i;
  }
  return -1;
}

RecordIndex indexOf(RecordStore* store) {
  RecordIndex index;
  index.nextRecordId = store->nextRecordID;
  for (int32_t i = 0; !isNull(store->recordIds) && i < store->recordIds->elementCount; ++i) {
    index.ids.push_back(idAt(store, i));
  }
  return index;
}

bool hostIndexPath(RecordStore* store, std::string& host) { return hostOf(store->indexPath, host); }

bool hostRecordPath(RecordStore* store, int32_t id, std::string& host) {
  File* file = store->getRecordFile(id);
  return !isNull(file) && file->hostPath(host);
}

// A listed record's bytes. A missing file is an empty record (logged); a file that cannot
// be read is a failure, never an empty success.
bool readRecordBytes(RecordStore* store, int32_t id, std::vector<uint8_t>& bytes) {
  std::string host;
  if (!hostRecordPath(store, id, host)) return false;
  if (record_files::fileLength(host) > INT32_MAX) {
    Debug::trace("record store: record %d is larger than a byte array", id);
    return false;
  }
  switch (record_files::readWhole(host, bytes)) {
    case ReadResult::kOk:
      return true;
    case ReadResult::kAbsent:
      Debug::trace("record store: the file of record %d is missing, read as empty", id);
      bytes.clear();
      return true;
    case ReadResult::kFailed:
      break;
  }
  Debug::trace("record store: cannot read record %d", id);
  return false;
}

// The reader's checks by store, keyed by the index's phone path.
std::map<std::string, RecordStore::RecordCheck>& recordChecks() {
  static std::map<std::string, RecordStore::RecordCheck> checks;
  return checks;
}

std::string lowerConstant(int32_t n) {
  std::string text = String::toUtf8(StaticClass::getConstant(n));
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The ids of the record files beside the store's index, listed or not.
std::vector<int32_t> idsPresent(RecordStore* store) {
  std::string host;
  if (!hostIndexPath(store, host)) return {};
  return record_files::recordIdsPresent(host, lowerConstant(kConstRecordFileInfix), lowerConstant(kConstRecordStoreSuffix));
}

bool holdsSavedBytes(RecordStore* store) {
  for (int32_t id : idsPresent(store)) {
    std::string host;
    if (hostRecordPath(store, id, host) && record_files::fileLength(host) > 0) return true;
  }
  return false;
}

// The index made again from the record files present, each kept when it reads and its
// reader's check (if the store has one) takes it; the counter is raised past every file
// present. Written back so the next open reads it.
// False when the index could not be read and no record could either: nothing tells that the
// store is empty.
bool rebuildIndex(RecordStore* store, const std::string& indexHost, const char* damage, bool readFailed,
                  RecordIndex& index) {
  const auto checks = recordChecks().find(String::toUtf8(store->indexPath));
  const RecordStore::RecordCheck check = checks == recordChecks().end() ? nullptr : checks->second;
  index.ids.clear();
  index.nextRecordId = std::max(index.nextRecordId, 0);
  int32_t skipped = 0;
  for (int32_t id : idsPresent(store)) {
    index.nextRecordId = std::max(index.nextRecordId, id);
    std::string host;
    std::vector<uint8_t> bytes;
    if (!hostRecordPath(store, id, host) || record_files::readWhole(host, bytes) != ReadResult::kOk ||
        (check != nullptr && !check(id, bytes.data(), bytes.size()))) {
      skipped++;
      continue;
    }
    index.ids.push_back(id);
  }
  Debug::trace("record store: index %s %s; rebuilt from its record files: %zu kept, %d skipped", indexHost.c_str(),
               damage, index.ids.size(), skipped);
  if (readFailed && index.ids.empty()) return false;
  // A failed write is logged by the write itself; the store works from the rebuilt list.
  record_files::writeIndex(indexHost, index);
  return true;
}

// Copies a managed byte range out before anything allocates (the array may move).
std::vector<uint8_t> copyRange(ByteArray* data, int32_t offset, int32_t length) {
  const auto* from = reinterpret_cast<const uint8_t*>(data->elements() + offset);
  return std::vector<uint8_t>(from, from + length);
}

}  // namespace

RecordStore* RecordStore::openRecordStore(String* name, bool create) {
  return openRecordStore(name, create, 0, true);
}

RecordStore* RecordStore::openRecordStore(String* name, bool create, int32_t authMode, bool writable) {
  String* empty = StaticClass::getConstant(kConstEmpty);
  return open(name, empty, empty, create, authMode, writable);
}

RecordStore* RecordStore::open(String* name, String* vendor, String* suite, bool create, int32_t,
                               bool) {
  SORV_FRAME("javax/microedition/rms/RecordStore.open(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;ZIZ)Ljavax/microedition/rms/RecordStore;");
  String* path = storePath(name, vendor, suite);
  if (isNull(path)) return nullptr;
  bool exists = isRecordStoreExists(path);
  if (!exists && !create) {
    throwNew(kRecordStoreNotFoundException, path);
    return nullptr;
  }
  return RecordStore::create(path, exists);
}

String* RecordStore::storePath(String* name, String* vendor, String* suite) {
  if (isNull(name)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  std::u16string path;
  if (emptyText(vendor) || emptyText(suite)) {
    append(path, GameFolders::installFolderPath());
  } else {
    append(path, GameFolders::programFilesPath());
    appendConstant(path, kConstPathSeparator);
    append(path, vendor);
    appendConstant(path, kConstPathSeparator);
    append(path, suite);
  }
  appendConstant(path, kConstPathSeparator);
  appendConstant(path, kConstRecordStorePrefix);
  append(path, name);
  appendConstant(path, kConstRecordStoreSuffix);
  for (char16_t& c : path) {
    if (c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'<' || c == u'>' || c == u'|') {
      c = u'_';
    }
  }
  return String::fromUnits(path.data(), static_cast<int32_t>(path.size()));
}

// Asked of record_files like every other file call, so a store kept elsewhere answers too.
bool RecordStore::isRecordStoreExists(String* path) {
  std::string host;
  return hostOf(path, host) && record_files::exists(host);
}

bool RecordStore::deleteRecordStorePath(String* path) {
  std::string host;
  return hostOf(path, host) && record_files::writeWhole(host, nullptr, 0);
}

RecordStore* RecordStore::create(String* path, bool exists) {
  SORV_FRAME("javax/microedition/rms/RecordStore.<init>(Ljava/lang/String;Z)V");
  RecordStore* store = newObject<RecordStore>();
  if (store == nullptr) return nullptr;
  File* indexFile = File::create(path);
  if (isNull(indexFile)) return nullptr;
  store->indexPath = indexFile->path;
  store->recordIds = Vector::create();
  if (isNull(store->recordIds)) return nullptr;
  if (!exists) return store;
  std::string host;
  std::vector<uint8_t> bytes;
  if (!indexFile->hostPath(host)) return store;
  const ReadResult read = record_files::readWhole(host, bytes);
  const char* damage = nullptr;
  RecordIndex index;
  if (read == ReadResult::kFailed) {
    damage = "cannot be read";
  } else if (!record_files::indexIsWhole(bytes.data(), bytes.size())) {
    damage = "is damaged";
    // Its counter, as far as it can be read, is kept: ids it handed out stay used.
    index = record_files::decodeIndex(bytes.data(), bytes.size(), nullptr);
  } else {
    index = record_files::decodeIndex(bytes.data(), bytes.size(), host.c_str());
    // A deleted store empties its record files too: saved bytes beside an empty index mean
    // the index lost them.
    if (index.ids.empty() && index.nextRecordId == 0 && holdsSavedBytes(store)) damage = "is empty";
  }
  if (damage != nullptr && !rebuildIndex(store, host, damage, read == ReadResult::kFailed, index)) {
    throwStoreFailure();
    return nullptr;
  }
  store->nextRecordID = index.nextRecordId;
  for (int32_t id : index.ids) store->recordIds->addElement(Integer::create(id));
  return store;
}

void RecordStore::setRecordCheck(String* name, RecordCheck check) {
  File* index = File::create(storePath(name, StaticClass::getConstant(kConstEmpty), StaticClass::getConstant(kConstEmpty)));
  if (isNull(index)) return;
  recordChecks()[String::toUtf8(index->path)] = check;
}

void RecordStore::deleteRecordStore(String* name) {
  SORV_FRAME("javax/microedition/rms/RecordStore.deleteRecordStore(Ljava/lang/String;)V");
  RecordStore* store = openRecordStore(name, false);
  if (pending() || isNull(store)) return;
  store->deleteRecordStore();
}

File* RecordStore::getRecordFile(int32_t id) {
  std::u16string path;
  append(path, indexPath);
  appendConstant(path, kConstRecordFileInfix);
  append(path, String::valueOfInt(id));
  appendConstant(path, kConstRecordStoreSuffix);
  return File::create(String::fromUnits(path.data(), static_cast<int32_t>(path.size())));
}

int32_t RecordStore::addRecord(ByteArray* data, int32_t offset, int32_t length) {
  SORV_FRAME("javax/microedition/rms/RecordStore.addRecord([BII)I");
  if (!checkByteRange(data, offset, length)) return 0;
  // The space left never runs out; the counter at its largest would wrap to a negative
  // id, which no index keeps.
  if (nextRecordID == INT32_MAX) {
    throwFull();
    return 0;
  }
  std::vector<uint8_t> bytes = copyRange(data, offset, length);
  int32_t id = nextRecordID + 1;
  RecordIndex index = indexOf(this);
  index.nextRecordId = id;
  index.ids.push_back(id);
  std::string recordHost, indexHost;
  if (!hostRecordPath(this, id, recordHost) || !hostIndexPath(this, indexHost) ||
      !record_files::commitRecord(recordHost, bytes.data(), bytes.size(), indexHost, index)) {
    throwStoreFailure();
    return 0;
  }
  nextRecordID = id;
  recordIds->addElement(Integer::create(id));
  return id;
}

void RecordStore::setRecord(int32_t id, ByteArray* data, int32_t offset, int32_t length) {
  SORV_FRAME("javax/microedition/rms/RecordStore.setRecord(I[BII)V");
  if (positionOf(this, id) < 0) {
    throwInvalidId(id);
    return;
  }
  if (!checkByteRange(data, offset, length)) return;
  std::vector<uint8_t> bytes = copyRange(data, offset, length);
  std::string recordHost, indexHost;
  if (!hostRecordPath(this, id, recordHost) || !hostIndexPath(this, indexHost)) {
    throwStoreFailure();
    return;
  }
  bool written = false;
  if (!record_files::writeWhole(recordHost, bytes.data(), bytes.size(), &written) && !written) {
    throwStoreFailure();
    return;
  }
  // The record is in place and its id was listed already: an index that fails to be saved
  // again (logged by the write) costs nothing the next open cannot read or rebuild.
  record_files::writeIndex(indexHost, indexOf(this));
}

ByteArray* RecordStore::getRecord(int32_t id) {
  SORV_FRAME("javax/microedition/rms/RecordStore.getRecord(I)[B");
  if (positionOf(this, id) < 0) {
    throwInvalidId(id);
    return nullptr;
  }
  std::vector<uint8_t> bytes;
  if (!readRecordBytes(this, id, bytes)) {
    throwStoreFailure();
    return nullptr;
  }
  ByteArray* record = Array::newByteArray(static_cast<int32_t>(bytes.size()));
  if (isNull(record)) return nullptr;
  for (size_t i = 0; i < bytes.size(); ++i) record->elements()[i] = static_cast<int8_t>(bytes[i]);
  return record;
}

int32_t RecordStore::getRecord(int32_t id, ByteArray* buffer, int32_t offset) {
  SORV_FRAME("javax/microedition/rms/RecordStore.getRecord(I[BI)I");
  if (positionOf(this, id) < 0) {
    throwInvalidId(id);
    return 0;
  }
  std::vector<uint8_t> bytes;
  if (!readRecordBytes(this, id, bytes)) {
    throwStoreFailure();
    return 0;
  }
  int32_t length = static_cast<int32_t>(bytes.size());
  if (!checkByteRange(buffer, offset, length)) return 0;
  for (int32_t i = 0; i < length; ++i) buffer->elements()[offset + i] = static_cast<int8_t>(bytes[i]);
  return length;
}

int32_t RecordStore::getRecordSize(int32_t id) {
  SORV_FRAME("javax/microedition/rms/RecordStore.getRecordSize(I)I");
  if (positionOf(this, id) < 0) {
    throwInvalidId(id);
    return 0;
  }
  std::string host;
  if (!hostRecordPath(this, id, host)) return 0;
  int64_t size = record_files::fileLength(host);
  if (size < 0) {
    Debug::trace("record store: the file of record %d is missing, size 0", id);
    return 0;
  }
  return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
}

bool RecordStore::recordExists(int32_t id) { return positionOf(this, id) >= 0; }

int32_t RecordStore::getNumRecords() { return isNull(recordIds) ? 0 : recordIds->elementCount; }

int32_t RecordStore::getSize() {
  int64_t total = 0;
  for (int32_t i = 0; i < getNumRecords(); ++i) {
    std::string host;
    if (!hostRecordPath(this, idAt(this, i), host)) continue;
    int64_t size = record_files::fileLength(host);
    if (size > 0) total += size;
  }
  return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

void RecordStore::deleteRecord(int32_t id) {
  SORV_FRAME("javax/microedition/rms/RecordStore.deleteRecord(I)V");
  int32_t at = positionOf(this, id);
  if (at < 0) return;
  RecordIndex index = indexOf(this);
  index.ids.erase(index.ids.begin() + at);
  std::string indexHost, recordHost;
  // The list changes only once the index on disk no longer names the record.
  if (!hostIndexPath(this, indexHost) || !record_files::writeIndex(indexHost, index)) {
    throwStoreFailure();
    return;
  }
  recordIds->removeElementAt(at);
  // The index no longer names the record, so the delete has happened; an emptied file
  // that failed only leaves unreachable bytes behind.
  if (!hostRecordPath(this, id, recordHost) || !record_files::writeWhole(recordHost, nullptr, 0)) {
    Debug::trace("record store: record %d deleted, its file not emptied", id);
  }
}

void RecordStore::closeRecordStore() {
  SORV_FRAME("javax/microedition/rms/RecordStore.closeRecordStore()V");
  saveRecordStoreState();
}

void RecordStore::deleteRecordStore() {
  SORV_FRAME("javax/microedition/rms/RecordStore.deleteRecordStore()V");
  for (int32_t i = getNumRecords() - 1; i >= 0; --i) {
    deleteRecord(idAt(this, i));
    if (pending()) return;
  }
  // Bytes left by an add whose index was never written are emptied too: an empty index
  // beside saved bytes reads as a lost index.
  for (int32_t id : idsPresent(this)) {
    std::string host;
    if (hostRecordPath(this, id, host) && record_files::fileLength(host) > 0 &&
        !record_files::writeWhole(host, nullptr, 0)) {
      throwStoreFailure();
      return;
    }
  }
  if (!deleteRecordStorePath(indexPath)) {
    throwStoreFailure();
    return;
  }
  // An empty index file is a new store: ids start again at 1.
  nextRecordID = 0;
}

void RecordStore::saveRecordStoreState() {
  SORV_FRAME("javax/microedition/rms/RecordStore.saveRecordStoreState()V");
  std::string host;
  if (!hostIndexPath(this, host) || !record_files::writeIndex(host, indexOf(this))) {
    throwStoreFailure();
  }
}

}  // namespace sorv
