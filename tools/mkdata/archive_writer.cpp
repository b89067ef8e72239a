#include "tools/mkdata/archive_writer.h"

#include <strings.h>

#include <cstdio>
#include <utility>

#include "tools/mkdata/byte_writer.h"

namespace sorv::mkdata {
namespace {

constexpr uint64_t kMaxArchiveBytes = 0x7FFFFFFF;
constexpr size_t kMaxEntries = 0x7FFF;

// Table bytes of one entry: u16 name length, the name, offset and size.
uint64_t tableBytes(const std::string& name) { return 2 + name.size() + 8; }

}  // namespace

const std::vector<uint8_t>* ArchiveWriter::find(const std::string& name) const {
  for (const Entry& e : entries_) {
    if (strcasecmp(e.name.c_str(), name.c_str()) == 0) return &e.bytes;
  }
  return nullptr;
}

bool ArchiveWriter::replace(const std::string& name, std::vector<uint8_t> bytes) {
  for (Entry& e : entries_) {
    if (strcasecmp(e.name.c_str(), name.c_str()) != 0) continue;
    totalBytes_ = totalBytes_ - e.bytes.size() + bytes.size();
    e.bytes = std::move(bytes);
    return true;
  }
  return false;
}

bool ArchiveWriter::add(const std::string& name, std::vector<uint8_t> bytes,
                        std::string* error) {
  if (name.empty() || name.size() > 255 || name[0] == '/') {
    *error = "bad archive entry name \"" + name + "\"";
    return false;
  }
  for (char c : name) {
    if (c < 0x21 || c > 0x7E) {
      *error = "archive entry name \"" + name + "\" is not printable ASCII";
      return false;
    }
  }
  for (const Entry& e : entries_) {
    if (strcasecmp(e.name.c_str(), name.c_str()) == 0) {
      *error = "archive entry \"" + name + "\" added twice";
      return false;
    }
  }
  uint64_t grown = totalBytes_ + tableBytes(name) + bytes.size();
  if (entries_.size() >= kMaxEntries || grown > kMaxArchiveBytes) {
    *error = "archive too large at entry \"" + name + "\"";
    return false;
  }
  totalBytes_ = grown;
  entries_.push_back({name, std::move(bytes)});
  return true;
}

std::vector<uint8_t> ArchiveWriter::build() const {
  uint64_t offset = 2;
  for (const Entry& e : entries_) offset += tableBytes(e.name);
  ByteWriter out;
  out.u16(static_cast<uint16_t>(entries_.size()));
  for (const Entry& e : entries_) {
    out.utf(std::u16string(e.name.begin(), e.name.end()));
    out.s32(static_cast<int32_t>(offset));
    out.s32(static_cast<int32_t>(e.bytes.size()));
    offset += e.bytes.size();
  }
  for (const Entry& e : entries_) out.raw(e.bytes.data(), e.bytes.size());
  return out.bytes();
}

bool ArchiveWriter::writeFile(const std::string& path, std::string* error) const {
  std::vector<uint8_t> bytes = build();
  std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) {
    *error = "cannot create " + temp;
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    std::remove(temp.c_str());
    *error = "cannot write " + path;
  }
  return ok;
}

}  // namespace sorv::mkdata
