// The registry stand-in's file under SORV_ROOT is untrusted: any bytes must parse or be
// refused without harm, and whatever parses must write out and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/platform/registry_file.h"

using namespace sorv::platform;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkInvariants(const RegistryTree& tree) {
  for (const auto& [lowerPath, key] : tree) {
    check(isValidKeyPath(key.path) && lowerAscii(key.path) == lowerPath);
    size_t parentEnd = lowerPath.rfind('\\');
    if (parentEnd != std::string::npos) check(tree.count(lowerPath.substr(0, parentEnd)) == 1);
    for (const auto& [lowerName, named] : key.values) check(lowerAscii(named.first) == lowerName);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  RegistryTree tree;
  int badLine = 0;
  if (!parseRegistryText(text, tree, badLine)) {
    check(badLine >= 1);
    return 0;
  }
  checkInvariants(tree);
  std::string written = formatRegistryText(tree);
  RegistryTree again;
  check(parseRegistryText(written, again, badLine));
  check(again == tree);
  check(formatRegistryText(again) == written);
  return 0;
}
