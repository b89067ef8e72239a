#include "tools/mkdata/resource_pack.h"

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

}  // namespace sorv::mkdata
