// The files of a record store on the host: the big-endian index file (s32 nextRecordID,
// s32 count, count x s32 ids) and one file per record holding its raw bytes.
//
// Invariants:
// - Every write is all-or-nothing: the bytes go to "<path>.tmp", which is flushed and
//   synced, renamed over the old file, and the folder is synced. A crash at any point leaves
//   the old or the new contents, never an empty or mixed file; a failure of any step is
//   reported (false), never passed off as success.
// - Callers write a record's file before the index that names it, and rewrite the index
//   before truncating a record it no longer names, so the index never lists a record whose
//   bytes are half written.
// - A decoded index has only positive, distinct ids, and nextRecordId >= every id, so ids
//   are never handed out twice.
// Only the record store (device/record_store.cpp), its tests, its fuzzer and the headless
// program's crash switch (app/kill_at_write.h) call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::record_files {

// The steps of one all-or-nothing write, in order.
enum class WriteStep : int { kOpen, kWrite, kSync, kClose, kRename, kSyncFolder, kCount };
const char* stepName(WriteStep step);

// Tests: called before each step of every write; returning true makes that step fail.
// Null (the default) removes the hook.
using FailureHook = bool (*)(WriteStep step, const std::string& hostPath);
void setFailureHook(FailureHook hook);

// inPlace (when given) tells whether the new contents replaced the old, which a failure of
// the last step (the folder's sync) leaves true.
bool writeWhole(const std::string& hostPath, const uint8_t* data, size_t size, bool* inPlace = nullptr);

enum class ReadResult { kOk, kAbsent, kFailed };
ReadResult readWhole(const std::string& hostPath, std::vector<uint8_t>& out);

// The file's length, or -1 when it does not exist or cannot be examined.
int64_t fileLength(const std::string& hostPath);
bool exists(const std::string& hostPath);

// Where the three calls above go: the host's disk unless a layer is set. A fuzzer that
// writes a whole store per input keeps it in memory; the durable path has its own tests.
class FileLayer {
 public:
  virtual ~FileLayer() = default;
  virtual bool writeWhole(const std::string& hostPath, const uint8_t* data, size_t size) = 0;
  virtual ReadResult readWhole(const std::string& hostPath, std::vector<uint8_t>& out) = 0;
  virtual int64_t fileLength(const std::string& hostPath) = 0;
  // The names of the files in a folder.
  virtual std::vector<std::string> fileNames(const std::string& hostFolder) = 0;
};
// Null (the default) goes back to the disk.
void setFileLayer(FileLayer* layer);

struct RecordIndex {
  int32_t nextRecordId = 0;   // the last id handed out, 0 for a new store
  std::vector<int32_t> ids;   // in the order the records were added
};

// Writes a record's bytes and then the index that names it (the add and set of a record).
bool commitRecord(const std::string& recordPath, const uint8_t* data, size_t size,
                  const std::string& indexPath, const RecordIndex& index);
bool writeIndex(const std::string& indexPath, const RecordIndex& index);

// The ids of the record files beside an index: the files of its folder named the index's
// file name + infix + n + suffix (ASCII case ignored, n in plain decimal, 1 or more), in
// ascending order.
std::vector<int32_t> recordIdsPresent(const std::string& indexHostPath, const std::string& infix,
                                      const std::string& suffix);

std::vector<uint8_t> encodeIndex(const RecordIndex& index);
// Whether the bytes are an index as this store writes it: the counter, the count and
// exactly the ids it counts, each positive, none twice, none above the counter. Empty
// bytes (a new or deleted store) are whole too.
bool indexIsWhole(const uint8_t* bytes, size_t size);
// Reads what the bytes hold: a count beyond the bytes keeps the ids present, repeated and
// non-positive ids are dropped, and nextRecordId is raised to the largest id; each repair
// is logged once with `what` naming the file (nothing is logged for a null `what`). Empty
// bytes are a new store.
RecordIndex decodeIndex(const uint8_t* bytes, size_t size, const char* what);

}  // namespace sorv::record_files
