#include "tools/mkdata/resource_pack.h"

#include <cstddef>
#include <stdexcept>

namespace sorv::mkdata {

std::vector<uint8_t> encodeResourcePack(const std::vector<std::vector<uint8_t>>& entries) {
  const size_t offsets = entries.size() + 1;
  if (offsets > 0xFFFF) throw std::invalid_argument("resource pack: too many entries");
  std::vector<uint8_t> out;
  auto le = [&out](uint64_t v, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  le(offsets, 2);
  uint64_t at = 0;
  le(at, 4);
  for (const auto& e : entries) {
    at += e.size();
    if (at > 0xFFFFFFFFu) throw std::invalid_argument("resource pack: too large");
    le(at, 4);
  }
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

bool resourcePackEntry(const std::vector<uint8_t>& pack, int32_t index,
                       std::vector<uint8_t>* entry) {
  if (pack.size() < 2 || index < 0) return false;
  const uint64_t offsets = pack[0] | pack[1] << 8;
  const uint64_t header = 2 + 4 * offsets;
  if (static_cast<uint64_t>(index) + 1 >= offsets || header > pack.size()) return false;
  auto offset = [&pack](uint64_t i) {
    uint64_t v = 0;
    for (int b = 3; b >= 0; b--) v = v << 8 | pack[static_cast<size_t>(2 + 4 * i + b)];
    return v;
  };
  const uint64_t from = header + offset(static_cast<uint64_t>(index));
  const uint64_t to = header + offset(static_cast<uint64_t>(index) + 1);
  if (from > to || to > pack.size()) return false;
  entry->assign(pack.begin() + static_cast<ptrdiff_t>(from),
                pack.begin() + static_cast<ptrdiff_t>(to));
  return true;
}

}  // namespace sorv::mkdata
