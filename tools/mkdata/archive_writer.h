// Builds a data.bar archive: a big-endian table (s16 count; per entry a UTF name, s32
// offset from the file start, s32 size) followed by the entries' bytes in the order added.
//
// Invariants: names are printable ASCII without a leading '/', unique ignoring ASCII case
// (the game matches names that way, so a second spelling could never be reached); the
// whole archive stays below 2 GiB so every offset and size fits an s32. The builders of
// each resource kind call add(); main writes the file once at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

class ArchiveWriter {
 public:
  // False (with the reason in *error) for a bad or repeated name or a too large archive.
  bool add(const std::string& name, std::vector<uint8_t> bytes, std::string* error);

  // Gives an added entry new bytes (tests swap one pack of a built data set); false when
  // no entry has the name.
  bool replace(const std::string& name, std::vector<uint8_t> bytes);

  // The archive's bytes, the same for the same entries added in the same order.
  std::vector<uint8_t> build() const;
  // Writes build() to path (through a temporary file, so a failed run leaves no half file).
  bool writeFile(const std::string& path, std::string* error) const;

  size_t entryCount() const { return entries_.size(); }
  // The bytes added under name (matched as the game matches it); nullptr when none was.
  const std::vector<uint8_t>* find(const std::string& name) const;

 private:
  struct Entry {
    std::string name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Entry> entries_;
  uint64_t totalBytes_ = 2;
};

}  // namespace sorv::mkdata
