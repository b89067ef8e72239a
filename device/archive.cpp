#include "device/archive.h"

#include <sys/stat.h>

#include "runtime/log.h"

namespace sorv {
namespace {

bool readExact(std::FILE* file, void* out, size_t size) {
  return std::fread(out, 1, size, file) == size;
}

bool readU16(std::FILE* file, uint16_t& value) {
  uint8_t b[2];
  if (!readExact(file, b, 2)) return false;
  value = static_cast<uint16_t>((b[0] << 8) | b[1]);
  return true;
}

bool readS32(std::FILE* file, int32_t& value) {
  uint8_t b[4];
  if (!readExact(file, b, 4)) return false;
  value = static_cast<int32_t>((uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) |
                               (uint32_t{b[2]} << 8) | uint32_t{b[3]});
  return true;
}

char16_t foldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

bool sameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

bool decodeModifiedUtf8(const uint8_t* bytes, size_t size, std::u16string& out) {
  out.clear();
  for (size_t i = 0; i < size;) {
    uint8_t c = bytes[i];
    if (c < 0x80) {
      out += static_cast<char16_t>(c);
      i += 1;
    } else if ((c & 0xE0) == 0xC0) {
      if (i + 1 >= size || (bytes[i + 1] & 0xC0) != 0x80) return false;
      out += static_cast<char16_t>(((c & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
      i += 2;
    } else if ((c & 0xF0) == 0xE0) {
      if (i + 2 >= size || (bytes[i + 1] & 0xC0) != 0x80 || (bytes[i + 2] & 0xC0) != 0x80) {
        return false;
      }
      out += static_cast<char16_t>(((c & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) |
                                   (bytes[i + 2] & 0x3F));
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

ArchiveTable ArchiveTable::load(const std::string& hostPath) {
  std::FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (file == nullptr) {
    Debug::trace("data.bar: cannot open %s, no resources", hostPath.c_str());
    return ArchiveTable();
  }
  struct stat st;
  ArchiveTable table;
  if (fstat(fileno(file), &st) == 0 && st.st_size >= 0) {
    table = read(file, static_cast<uint64_t>(st.st_size), hostPath.c_str());
  } else {
    Debug::trace("data.bar: cannot read the length of %s", hostPath.c_str());
  }
  std::fclose(file);
  return table;
}

ArchiveTable ArchiveTable::read(std::FILE* file, uint64_t fileLength, const char* what) {
  ArchiveTable table;
  uint16_t rawCount = 0;
  if (!readU16(file, rawCount)) {
    Debug::trace("data.bar: %s has no table", what);
    return table;
  }
  // The count is an s16: a negative one announces nothing that can be read.
  int32_t count = static_cast<int16_t>(rawCount);
  if (count < 0) {
    Debug::trace("data.bar: %s announces %d entries", what, count);
    return table;
  }
  std::vector<uint8_t> nameBytes;
  bool cutShort = false;
  for (int32_t i = 0; i < count; ++i) {
    uint16_t nameLength = 0;
    ArchiveEntry entry;
    nameBytes.resize(0);
    bool whole = readU16(file, nameLength);
    if (whole) {
      nameBytes.resize(nameLength);
      whole = readExact(file, nameBytes.data(), nameLength) &&
              decodeModifiedUtf8(nameBytes.data(), nameLength, entry.name) &&
              readS32(file, entry.offset) && readS32(file, entry.size);
    }
    if (!whole) {
      // Nothing after a broken record can be located: the rest of the table is lost.
      table.dropped_ += count - i;
      cutShort = true;
      break;
    }
    bool inside = entry.offset >= 0 && entry.size >= 0 &&
                  static_cast<uint64_t>(entry.offset) + static_cast<uint64_t>(entry.size) <=
                      fileLength;
    if (!inside) {
      table.dropped_++;
      continue;
    }
    table.entries_.push_back(std::move(entry));
  }
  if (table.dropped_ > 0) {
    Debug::trace("data.bar: %s: %d of %d table entries dropped (%s)", what, table.dropped_,
                 count, cutShort ? "table cut short or malformed" : "outside the file");
  }
  table.whole_ = !cutShort;
  return table;
}

const ArchiveEntry* ArchiveTable::find(std::u16string_view name) const {
  if (!name.empty() && name[0] == u'/') name.remove_prefix(1);
  for (const ArchiveEntry& e : entries_) {
    if (sameNameIgnoringCase(e.name, name)) return &e;
  }
  return nullptr;
}

const ArchiveEntry* ArchiveTable::find(std::string_view asciiName) const {
  return find(std::u16string(asciiName.begin(), asciiName.end()));
}

}  // namespace sorv
