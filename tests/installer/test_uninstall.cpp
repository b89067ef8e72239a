// Removal through the built setup library, loaded as the package installer loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "device/platform/registry.h"
#include "tests/support/temp_root.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;
using platform::RegStatus;
using platform::RegValue;

constexpr const char* kGameFolder = "Program Files/Kestovan/Sorvantel 2009";
constexpr const char* kOtherCaseGameFolder = "program files/KESTOVAN/sorvantel 2009";
constexpr const char* kPhoneGameFolder = "\\Program Files\\Kestovan\\Sorvantel 2009\\";
constexpr const char* kGameKey = "Software\\Kestovan\\Sorvantel 2009";
constexpr const char* kLauncher = "Software\\HTC\\Manila\\ProgramLauncher\\";

using UninstallExit = int32_t (*)(void*);

class SetupLibrary {
 public:
  SetupLibrary() : handle_(dlopen(SORV_BUILD_DIR "/libInstaller.so", RTLD_NOW | RTLD_LOCAL)) {}
  ~SetupLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  void* symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

 private:
  void* handle_;
};

enum class Tree { None, Plain, Full, LongNames, OtherCase, LinkedFolder };

const std::vector<std::string> kPlainFiles = {"data.bar",   "m_title.wav", "sfx_crowd_applause.wav",
                                              "rms_game_0", "rms_game_1",  "stdout.txt"};
const std::string kFitsName(220, 'n');     // "\Program Files\...\" is 39 units: 259 in all
const std::string kTooLongName(221, 'm');  // 260 units: no room for the terminator

std::string gameFolderOf(Tree tree) {
  return tree == Tree::OtherCase ? kOtherCaseGameFolder : kGameFolder;
}

void buildTree(const test::TempRoot& root, Tree tree) {
  // Outside the game folder: must all survive.
  std::string programFiles = tree == Tree::OtherCase ? "program files" : "Program Files";
  std::string maker = programFiles + (tree == Tree::OtherCase ? "/KESTOVAN" : "/Kestovan");
  root.writeFile("outside/target.txt", "target");
  root.writeFile("outside/sentinel.txt", "sentinel");
  root.writeFile(programFiles + "/sentinel.txt", "program files");
  root.writeFile(maker + "/maker.txt", "maker");
  root.writeFile(maker + "/Other Game/data.bar", "other");
  root.writeFile(maker + "/Other Game/rms_other", "other save");
  if (tree == Tree::None) return;
  std::string folder = gameFolderOf(tree);
  if (tree == Tree::LinkedFolder) {
    // The game folder is a link to files elsewhere: nothing behind it may go.
    for (const std::string& name : kPlainFiles) root.writeFile("outside/game/" + name, name);
    fs::create_directory_symlink(root.host("outside/game"), root.host(folder));
    return;
  }
  for (const std::string& name : kPlainFiles) root.writeFile(folder + "/" + name, name);
  if (tree == Tree::LongNames) {
    root.writeFile(folder + "/" + kFitsName, "fits");
    root.writeFile(folder + "/" + kTooLongName, "too long");
  }
  if (tree == Tree::Full) {
    root.writeFile(folder + "/cache/inner.txt", "inner");
    root.writeFile(folder + "/cache/rms_inner", "inner save");
    // A host name with the phone's separator would reach into cache/ once joined.
    root.writeFile(folder + "/cache\\inner.txt", "backslash");
    fs::create_symlink(root.host("outside/target.txt"), root.host(folder + "/linked.wav"));
    fs::create_directory_symlink(root.host("outside"), root.host(folder + "/linked_dir"));
  }
}

struct LauncherSlot {
  int number;
  const char* name;
  RegValue value;
  size_t valuesAfter;  // the matching slots are emptied, every other one left alone
};

const LauncherSlot kLauncherSlots[] = {
    {0, "DispName", RegValue::string("Calendar"), 1},
    {3, "DispName", RegValue::string("Sorvantel 2009"), 0},
    {3, "Path", RegValue::string("\\Program Files\\Kestovan\\Sorvantel 2009\\sorvantel.exe"), 0},
    {5, "DispName", RegValue::string("sorvantel 2009"), 1},
    {6, "dispname", RegValue::string("Sorvantel 2009"), 0},  // value names ignore case
    {7, "Path", RegValue::string("\\Windows\\other.exe"), 1},
    {9, "DispName", RegValue::dword(2009), 1},
    {10, "DispName", RegValue::binary("Sorvantel 2009"), 1},
    // Compared as the terminated string the launcher shows.
    {11, "DispName", RegValue::string(std::string("Sorvantel 2009\0old", 18)), 0},
    {12, "DispName", RegValue::string("Sorvantel 2009 Demo"), 1},
    // Too long for the 256-byte buffer: not read, so left alone.
    {13, "DispName", RegValue::string("Sorvantel 2009" + std::string(120, ' ')), 1},
    {14, "DispName", RegValue::string(std::string("Sorvantel 2009\0", 15) + std::string(120, 'x')), 1},
    {15, "DispName", RegValue::string(std::string(127, 'S')), 1},  // exactly fills the buffer
    {23, "DispName", RegValue::string("Sorvantel 2009"), 0},
    {24, "DispName", RegValue::string("Sorvantel 2009"), 1},  // beyond the 24 slots
};

void buildRegistry() {
  ASSERT_EQ(platform::regSetValue(kGameKey, "Version", RegValue::string("1.0")), RegStatus::Ok);
  ASSERT_EQ(platform::regSetValue(std::string(kGameKey) + "\\Options", "Sound",
                                  RegValue::dword(1)),
            RegStatus::Ok);
  ASSERT_EQ(platform::regSetValue("Software\\Kestovan\\Other Game", "Version",
                                  RegValue::string("2.0")),
            RegStatus::Ok);
  for (const LauncherSlot& s : kLauncherSlots) {
    ASSERT_EQ(platform::regSetValue(kLauncher + std::to_string(s.number), s.name, s.value),
              RegStatus::Ok);
  }
}

// What the registry holds afterwards, whatever the answer.
void expectRegistryCleared() {
  EXPECT_EQ(platform::regOpenKey(kGameKey), RegStatus::NotFound);
  EXPECT_EQ(platform::regOpenKey(std::string(kGameKey) + "\\Options"), RegStatus::NotFound);
  EXPECT_EQ(platform::regOpenKey("Software\\Kestovan\\Other Game"), RegStatus::Ok);
  for (const LauncherSlot& s : kLauncherSlots) {
    size_t count = 99;
    EXPECT_EQ(platform::regValueCount(kLauncher + std::to_string(s.number), count), RegStatus::Ok)
        << "slot " << s.number;
    EXPECT_EQ(count, s.valuesAfter) << "slot " << s.number;
  }
}

std::string relativeTo(const fs::path& path, const std::string& base) {
  return path.lexically_relative(base).string();
}

// Every file and link outside the game folder, with its contents or target.
std::map<std::string, std::string> outsideSnapshot(const test::TempRoot& root) {
  std::map<std::string, std::string> snapshot;
  for (const auto& entry : fs::recursive_directory_iterator(root.root())) {
    std::string relative = relativeTo(entry.path(), root.root());
    if (relative.rfind(kOtherCaseGameFolder, 0) == 0 || relative.rfind(kGameFolder, 0) == 0 ||
        relative.rfind("Windows", 0) == 0) {
      continue;
    }
    if (entry.is_symlink()) {
      snapshot[relative] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      snapshot[relative] = test::readFile(entry.path());
    }
  }
  return snapshot;
}

std::set<std::string> gameFolderContents(const test::TempRoot& root, const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(root.host(folder))) {
    names.insert(relativeTo(entry.path(), root.host(folder)));
  }
  return names;
}

struct UninstallCase {
  const char* name;
  Tree tree;
  const char* answer;  // SORV_MSGBOX_ANSWER
  const char* langId;
  bool specialFolderFails;
  bool folderRemains;
  std::set<std::string> remaining;
  const char* question;
};

// Keeps the test names in ctest's listing readable.
void PrintTo(const UninstallCase& c, std::ostream* os) { *os << c.name; }

const std::set<std::string> kSavedGames = {"rms_game_0", "rms_game_1"};
const std::set<std::string> kNeverTouched = {"cache",      "cache/inner.txt", "cache/rms_inner",
                                             "cache\\inner.txt", "linked.wav", "linked_dir"};
const char* kEnglishQuestion = "Do you want to keep your saved data?";

std::set<std::string> joined(std::set<std::string> a, const std::set<std::string>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

std::set<std::string> allPlain() { return {kPlainFiles.begin(), kPlainFiles.end()}; }

const UninstallCase kCases[] = {
    {"yes_keeps_saved_games", Tree::Plain, "yes", "0x0409", false, true, kSavedGames,
     kEnglishQuestion},
    {"no_deletes_files_and_folder", Tree::Plain, "no", "0x0409", false, false, {},
     kEnglishQuestion},
    {"failed_box_keeps_saved_games", Tree::Plain, "fail", "0x0409", false, true, kSavedGames,
     kEnglishQuestion},
    {"folder_spelled_in_other_case", Tree::OtherCase, "no", "0x0409", false, false, {},
     kEnglishQuestion},
    {"yes_leaves_folders_links_and_odd_names", Tree::Full, "yes", "0x0409", false, true,
     joined(kSavedGames, kNeverTouched), kEnglishQuestion},
    {"no_leaves_folders_links_and_odd_names", Tree::Full, "no", "0x0409", false, true,
     kNeverTouched, kEnglishQuestion},
    {"linked_game_folder_is_not_followed", Tree::LinkedFolder, "no", "0x0409", false, true,
     allPlain(), kEnglishQuestion},
    {"missing_folder", Tree::None, "no", "0x0409", false, false, {}, kEnglishQuestion},
    {"no_special_folder", Tree::Plain, "no", "0x0409", true, true, allPlain(), kEnglishQuestion},
    {"over_long_name_skipped", Tree::LongNames, "no", "0x0409", false, true, {kTooLongName},
     kEnglishQuestion},
    {"question_in_german", Tree::Plain, "yes", "0x0407", false, true, kSavedGames,
     "Möchtest du deine gespeicherten Daten behalten?"},
    {"question_in_portuguese_sublanguage", Tree::Plain, "no", "0x0816", false, false, {},
     "Queres manter os teus dados guardados?"},
};

class Uninstall : public ::testing::TestWithParam<UninstallCase> {};

TEST_P(Uninstall, ClearsOnlyWhatTheGameMade) {
  const UninstallCase& c = GetParam();
  test::TempRoot root;
  ASSERT_TRUE(root.active());
  buildTree(root, c.tree);
  ASSERT_NO_FATAL_FAILURE(buildRegistry());
  std::map<std::string, std::string> outsideBefore = outsideSnapshot(root);
  std::set<std::string> before;
  if (c.tree != Tree::None) before = gameFolderContents(root, gameFolderOf(c.tree));
  setenv("SORV_MSGBOX_ANSWER", c.answer, 1);
  setenv("SORV_UI_LANGID", c.langId, 1);
  if (c.specialFolderFails) setenv("SORV_SPECIAL_FOLDER", "fail", 1);

  SetupLibrary library;
  auto uninstallExit = reinterpret_cast<UninstallExit>(library.symbol("Uninstall_Exit"));
  ASSERT_NE(uninstallExit, nullptr) << dlerror();
  ASSERT_TRUE(root.active());
  int parentWindow = 0;
  EXPECT_EQ(uninstallExit(&parentWindow), 0);

  std::string folder = gameFolderOf(c.tree);
  EXPECT_EQ(fs::exists(root.host(folder)), c.folderRemains);
  if (c.folderRemains) {
    EXPECT_EQ(gameFolderContents(root, folder), c.remaining);
  }
  EXPECT_EQ(outsideSnapshot(root), outsideBefore);
  expectRegistryCleared();

  std::vector<std::string> trace = root.traceLines();
  std::vector<std::string> boxes;
  std::set<std::string> traced(trace.begin(), trace.end());
  for (const std::string& line : trace) {
    if (line.rfind("msgbox ", 0) == 0) boxes.push_back(line);
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(std::string("text=\"") + c.question + "\""), std::string::npos)
      << boxes[0];
  EXPECT_NE(boxes[0].find("caption=\"Sorvantel 2009\" "), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("style=0x24"), std::string::npos) << boxes[0];
  // Each file that went is in the trace under its phone path.
  for (const std::string& name : before) {
    if (c.folderRemains && c.remaining.count(name) != 0) continue;
    EXPECT_EQ(traced.count("delete-file " + std::string(kPhoneGameFolder) + name), 1u) << name;
  }
  EXPECT_EQ(traced.count("registry delete-key HKLM\\" + std::string(kGameKey)), 1u);
  EXPECT_EQ(traced.count("registry create-key HKLM\\" + std::string(kLauncher) + "3"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Answers, Uninstall, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Uninstall, UnreadableRegistryIsLeftAsItIs) {
  test::TempRoot root;
  ASSERT_TRUE(root.active());
  buildTree(root, Tree::Plain);
  root.writeFile("Windows/registry.txt", "not a registry\n");
  setenv("SORV_MSGBOX_ANSWER", "yes", 1);
  SetupLibrary library;
  auto uninstallExit = reinterpret_cast<UninstallExit>(library.symbol("Uninstall_Exit"));
  ASSERT_NE(uninstallExit, nullptr);
  ASSERT_TRUE(root.active());
  EXPECT_EQ(uninstallExit(nullptr), 0);
  EXPECT_EQ(test::readFile(root.host("Windows/registry.txt")), "not a registry\n");
  EXPECT_EQ(gameFolderContents(root, kGameFolder), kSavedGames);
}

// The three other entry points do nothing at all and let the installer go on.
TEST(Uninstall, OtherEntryPointsDoNothing) {
  test::TempRoot root;
  ASSERT_TRUE(root.active());
  buildTree(root, Tree::Plain);
  ASSERT_NO_FATAL_FAILURE(buildRegistry());
  std::string registryBefore = test::readFile(root.host("Windows/registry.txt"));
  std::set<std::string> filesBefore = gameFolderContents(root, kGameFolder);
  size_t traceBefore = root.traceLines().size();
  setenv("SORV_MSGBOX_ANSWER", "no", 1);

  SetupLibrary library;
  using InstallInit = int32_t (*)(void*, int32_t, int32_t, const char16_t*);
  using InstallExit = int32_t (*)(void*, const char16_t*, uint16_t, uint16_t, uint16_t, uint16_t,
                                  uint16_t);
  using UninstallInit = int32_t (*)(void*, const char16_t*);
  auto installInit = reinterpret_cast<InstallInit>(library.symbol("Install_Init"));
  auto installExit = reinterpret_cast<InstallExit>(library.symbol("Install_Exit"));
  auto uninstallInit = reinterpret_cast<UninstallInit>(library.symbol("Uninstall_Init"));
  ASSERT_TRUE(installInit && installExit && uninstallInit);
  const char16_t* dir = u"\\Program Files\\Kestovan\\Sorvantel 2009";
  ASSERT_TRUE(root.active());
  EXPECT_EQ(installInit(nullptr, 1, 0, dir), 0);
  EXPECT_EQ(installExit(nullptr, dir, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(uninstallInit(nullptr, dir), 0);

  EXPECT_EQ(test::readFile(root.host("Windows/registry.txt")), registryBefore);
  EXPECT_EQ(gameFolderContents(root, kGameFolder), filesBefore);
  EXPECT_EQ(root.traceLines().size(), traceBefore);
}

}  // namespace
}  // namespace sorv
