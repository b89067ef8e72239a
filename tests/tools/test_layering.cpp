// The floors of the source tree: every #include "..." of a source file stays on its own floor
// or below. tools/data < runtime < device < sprites < game, match, menus, training, promo <
// app. The setup library reads only its own folder, the platform stand-ins, the shared data
// headers and the message table it compiles its own copy of. The sprites reach the game only
// through sprites/game_hooks.h, which the game fills; so no sprite file reads the game's floor.
// Tests, benchmarks, fuzz targets and the data builder are outside the order, and no source
// file reads them, except the headless program, which carries the shell's test probe.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace sorv::test {
namespace {

namespace fs = std::filesystem;

struct Floor {
  const char* folder;
  int level;
};

constexpr Floor kFloors[] = {
    {"tools/data/", 0}, {"runtime/", 1}, {"device/", 2},   {"sprites/", 3},  {"game/", 4},
    {"match/", 4},      {"menus/", 4},   {"training/", 4}, {"promo/", 4},    {"app/", 5},
};
constexpr const char* kInstallerFolder = "installer/";
constexpr const char* kInstallerReads[] = {"installer/", "device/platform/", "tools/data/",
                                           "device/messages.h"};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::optional<int> floorOf(const std::string& path) {
  for (const Floor& f : kFloors) {
    if (startsWith(path, f.folder)) return f.level;
  }
  return std::nullopt;
}

// Why `file` may not read `header` (both relative to the source root), or nothing when it may.
std::optional<std::string> breakOf(const std::string& file, const std::string& header) {
  if (startsWith(file, kInstallerFolder)) {
    for (const char* allowed : kInstallerReads) {
      if (startsWith(header, allowed)) return std::nullopt;
    }
    return "the setup library reads only its own folder, device/platform, tools/data and the "
           "message table";
  }
  const std::optional<int> own = floorOf(file);
  if (!own) return std::nullopt;  // outside the order
  const std::optional<int> read = floorOf(header);
  if (!read) return "a source file reads only the source floors";
  if (*read > *own) {
    if (startsWith(file, "sprites/")) return "the sprites reach the game only through sprites/game_hooks.h";
    return "it reads a floor above its own";
  }
  return std::nullopt;
}

TEST(Layering, RulesAllowDownwardAndSameFloorReadsOnly) {
  struct Case {
    const char* file;
    const char* header;
    bool allowed;
  };
  const Case cases[] = {
      {"runtime/profiler.cpp", "runtime/clock.h", true},
      {"runtime/lang_system.cpp", "device/platform/clock.h", false},
      {"runtime/constants.cpp", "tools/data/resource_ids.h", true},
      {"tools/data/menu_needs.h", "runtime/object.h", false},
      {"device/platform/wave_out.cpp", "runtime/clock.h", true},
      {"device/shell.cpp", "sprites/asprite.h", false},
      {"device/program.cpp", "app/headless_script.h", false},
      {"sprites/cactor.cpp", "sprites/game_hooks.h", true},
      {"sprites/cactor.cpp", "game/cgame.h", false},
      {"sprites/anim.cpp", "match/ctennis.h", false},
      {"game/cgame_frame.cpp", "match/ctennis.h", true},
      {"match/ctennis.cpp", "menus/menu_engine.h", true},
      {"promo/igp.cpp", "app/screen_shot.h", false},
      {"game/cgame_frame.cpp", "app/probe_midlet.h", false},
      {"game/text_pack.cpp", "tools/mkdata/text_source.h", false},
      {"app/headless_main.cpp", "app/probe_midlet.h", true},
      {"app/headless_main.cpp", "tests/support/run_budget.h", false},
      {"app/headless_main.cpp", "game/cgame.h", true},
      {"installer/cleanup.cpp", "device/platform/registry.h", true},
      {"installer/cleanup.cpp", "device/messages.h", true},
      {"installer/cleanup.cpp", "device/shell.h", false},
      {"installer/cleanup.cpp", "runtime/log.h", false},
      {"tests/game/boot_fixture.h", "app/headless_script.h", true},
      {"tools/mkdata/main.cpp", "game/cgame.h", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!breakOf(c.file, c.header).has_value(), c.allowed) << c.file << " reads " << c.header;
  }
}

// Every "..." include of a file, resolved against the source root; a bare name is the file's
// own folder's.
std::vector<std::string> includesOf(const fs::path& root, const fs::path& file) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> out;
  std::ifstream in(file);
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (!std::regex_search(line, m, kInclude)) continue;
    std::string header = m[1].str();
    if (header.find('/') == std::string::npos) {
      header = fs::relative(file.parent_path() / header, root).generic_string();
    }
    out.push_back(header);
  }
  return out;
}

TEST(Layering, EverySourceFileStaysOnItsFloorOrBelow) {
  const fs::path root = SORV_SOURCE_DIR;
  const char* folders[] = {"tools/data", "runtime", "device", "sprites", "game", "match",
                           "menus",      "training", "promo", "app",     "installer"};
  std::vector<std::string> files;
  for (const char* folder : folders) {
    if (!fs::is_directory(root / folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".h" || ext == ".cpp" || ext == ".c") {
        files.push_back(fs::relative(entry.path(), root).generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  // An empty walk would pass for the wrong reason.
  ASSERT_GT(files.size(), 100u);
  for (const std::string& file : files) {
    for (const std::string& header : includesOf(root, root / file)) {
      if (const std::optional<std::string> why = breakOf(file, header)) {
        FAIL() << file << " includes \"" << header << "\": " << *why;
      }
    }
  }
}

}  // namespace
}  // namespace sorv::test
