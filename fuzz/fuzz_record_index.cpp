// A record store's index file is untrusted: any bytes must decode into distinct positive
// ids with a counter at least the largest of them (so no id is handed out twice), and what
// decodes must encode and decode again unchanged, without repair.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

#include "device/record_files.h"
#include "runtime/log.h"

using namespace sorv::record_files;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool quiet = (sorv::Debug::setSink(std::fopen("/dev/null", "w")), true);
  (void)quiet;
  RecordIndex index = decodeIndex(data, size, "fuzz");
  std::unordered_set<int32_t> seen;
  for (int32_t id : index.ids) {
    check(id > 0 && id <= index.nextRecordId);
    check(seen.insert(id).second);
  }
  check(index.ids.size() <= size / 4);
  std::vector<uint8_t> bytes = encodeIndex(index);
  RecordIndex again = decodeIndex(bytes.data(), bytes.size(), "fuzz");
  check(again.nextRecordId == index.nextRecordId && again.ids == index.ids);
  check(encodeIndex(again) == bytes);
  return 0;
}
