// The table of contents of the resource archive data.bar, read natively once.
//
// Layout, all big-endian: s16 count; per entry a UTF name (u16 byte length + modified
// UTF-8), s32 offset from the file start, s32 size; then the entries' bytes.
//
// Invariants: every entry kept satisfies 0 <= offset, 0 <= size and offset + size <= the
// file's real length, so a reader bounded by size never leaves the file. Entries that fail
// that, and a table cut short or malformed, are dropped (whole entries read before the
// fault are kept) with one log line per load. A missing file gives an empty table.
// Lookup drops one leading '/', matches whole names ignoring ASCII case, first match wins.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace sorv {

struct ArchiveEntry {
  std::u16string name;
  int32_t offset = 0;
  int32_t size = 0;
};

class ArchiveTable {
 public:
  // Reads the table of the archive at a host path; an absent or unreadable file gives an
  // empty table (logged).
  static ArchiveTable load(const std::string& hostPath);
  // Reads a table from an open file of the given length (positioned at its start).
  static ArchiveTable read(std::FILE* file, uint64_t fileLength, const char* what);

  const ArchiveEntry* find(std::u16string_view name) const;
  const ArchiveEntry* find(std::string_view asciiName) const;

  const std::vector<ArchiveEntry>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  // The file opened and its table was read to its end with at least one entry kept: what
  // the game needs to start at all.
  bool usable() const { return whole_ && !entries_.empty(); }
  // Table records that were present but not kept (bad bounds or a cut-off table).
  int32_t droppedCount() const { return dropped_; }

 private:
  std::vector<ArchiveEntry> entries_;
  int32_t dropped_ = 0;
  bool whole_ = false;
};

// Decodes modified UTF-8 (the DataInputStream UTF form) into UTF-16 units; false for a
// malformed sequence.
bool decodeModifiedUtf8(const uint8_t* bytes, size_t size, std::u16string& out);

}  // namespace sorv
