// Record stores (javax.microedition.rms.RecordStore, class id 99): the game's saved data as
// one index file and one file per record in the installation folder.
//
// Files: the index at the store's path (big-endian s32 nextRecordID, s32 count, count x s32
// ids, in the order the records were added); record n at index path + constant 109 + n +
// constant 107, holding the record's raw bytes. The path is the install folder + constant
// 105 + constant 106 + name + constant 107 (program files + vendor + suite when both are
// given), with / : * ? < > | made '_', lower-cased.
//
// What always holds:
// - recordIds (a Vector of Integer) holds distinct positive ids, each at most nextRecordID,
//   so an id is never handed out twice while the index survives; with the counter at
//   0x7FFFFFFF addRecord throws RecordStoreFullException instead of wrapping.
// - Every write goes through record_files.h: all-or-nothing, the record before the index
//   that names it, the index before a deleted record is emptied. A failed write throws
//   RecordStoreException (constant 108) and leaves the store object as it was before.
// - An index that cannot be read, is not as written, or is empty beside saved record bytes
//   is rebuilt from the record files present (each that reads and passes the store's record
//   check), with one log line, and written back; records that can be read are never lost
//   to a damaged index (a deleted record's emptied file comes back as an empty record,
//   unless the check refuses it). When the index could not be read and no record could either, the
//   open throws RecordStoreException rather than call the store empty.
// - setRecord throws only when the record's bytes did not replace the old ones.
// - deleteRecordStore empties every record file beside the index, listed or not.
// - Argument ranges are checked against their arrays (ArrayIndexOutOfBoundsException);
//   an unknown id throws InvalidRecordIDException with the id as message (deleteRecord
//   ignores it); a listed record whose file is gone reads as empty, with a log line.
// There is no open or closed state: every call works on the files directly. The game's
// saved data and the promotion screen's mark call it, as translated code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class File;
class String;
class Vector;

class RecordStore : public Object {
 public:
  static constexpr ClassId kClassId = kRecordStore;
  // The space left, whatever the disk holds (the phone's answer): a store is full only
  // when its id counter is used up.
  static constexpr int32_t kSizeAvailable = 0x7FFFFFFF;

  String* indexPath = nullptr;
  Vector* recordIds = nullptr;
  int32_t nextRecordID = 0;  // the last id handed out, 0 for a new store

  // openRecordStore(name, create, 0, true).
  static RecordStore* openRecordStore(String* name, bool create);
  // Vendor and suite are the empty constant 6: the store lies in the install folder.
  static RecordStore* openRecordStore(String* name, bool create, int32_t authMode, bool writable);
  // A missing store without create throws RecordStoreNotFoundException (the path).
  static RecordStore* open(String* name, String* vendor, String* suite, bool create,
                           int32_t authMode, bool writable);
  // RecordStore.<init>(path, exists): reads the index when the store exists.
  static RecordStore* create(String* path, bool exists);
  // Opens the named store without creating it and deletes it.
  static void deleteRecordStore(String* name);

  static String* storePath(String* name, String* vendor, String* suite);

  // What a record's reader takes (its id and bytes): a rebuilt index keeps only those. A
  // store without one keeps every record file that reads.
  using RecordCheck = bool (*)(int32_t id, const uint8_t* bytes, size_t size);
  // For the store of that name in the install folder.
  static void setRecordCheck(String* name, RecordCheck check);
  static bool isRecordStoreExists(String* path);
  // Truncates the file at path (all-or-nothing); false when that failed.
  static bool deleteRecordStorePath(String* path);

  int32_t addRecord(ByteArray* data, int32_t offset, int32_t length);
  void setRecord(int32_t id, ByteArray* data, int32_t offset, int32_t length);
  ByteArray* getRecord(int32_t id);
  // Copies the whole record into buffer at offset; returns its length.
  int32_t getRecord(int32_t id, ByteArray* buffer, int32_t offset);
  int32_t getRecordSize(int32_t id);
  bool recordExists(int32_t id);
  int32_t getNumRecords();
  int32_t getSize();  // the sum of the listed records' sizes
  int32_t getSizeAvailable() { return kSizeAvailable; }
  void deleteRecord(int32_t id);
  void closeRecordStore();  // saves the index
  // Deletes every listed record (last first), then empties the index.
  void deleteRecordStore();
  void saveRecordStoreState();
  File* getRecordFile(int32_t id);
};

}  // namespace sorv
