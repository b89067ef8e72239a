// The built setup library as a file: what it exports and what it links.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace sorv {
namespace {

constexpr const char* kLibrary = SORV_BUILD_DIR "/libInstaller.so";

std::string commandOutput(const std::string& command) {
  std::string out;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  pclose(pipe);
  return out;
}

TEST(SetupLibraryFile, ExportsExactlyTheFourEntryPoints) {
  std::istringstream lines(commandOutput(std::string(SORV_NM) + " -D --defined-only " + kLibrary));
  std::set<std::string> exported;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) exported.insert(name);
  }
  EXPECT_EQ(exported, (std::set<std::string>{"Install_Exit", "Install_Init", "Uninstall_Exit",
                                             "Uninstall_Init"}));
}

TEST(SetupLibraryFile, LinksNothingOfTheGame) {
  std::string dynamic = commandOutput(std::string(SORV_READELF) + " -d " + kLibrary);
  ASSERT_NE(dynamic.find("(NEEDED)"), std::string::npos) << dynamic;
  for (const char* library : {"libSDL", "libpng", "libz."}) {
    EXPECT_EQ(dynamic.find(library), std::string::npos) << library;
  }
}

}  // namespace
}  // namespace sorv
