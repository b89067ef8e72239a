// Removal through the built setup library, loaded as the package installer loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "device/platform/registry.h"
#include "temp_root.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;
using platform::RegStatus;
using platform::RegValue;

constexpr const char* kGameFolder = "Program Files/Kestovan/Sorvantel 2009";
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

enum class Tree { None, Plain, Full, LongNames, OtherCase };

const std::vector<std::string> kPlainFiles = {"data.bar",   "m_title.wav", "sfx_crowd_applause.wav",
                                              "rms_game_0", "rms_game_1",  "stdout.txt"};
const std::string kFitsName(220, 'n');      // "\Program Files\...\" is 39 units: 259 in all
const std::string kTooLongName(221, 'm');   // 260 units: no room for the terminator

void buildTree(const test::TempRoot& root, Tree tree) {
  // Outside the game folder: must all survive.
  root.writeFile("outside/target.txt", "target");
  root.writeFile("outside/sentinel.txt", "sentinel");
  root.writeFile("Program Files/sentinel.txt", "program files");
  root.writeFile("Program Files/Kestovan/maker.txt", "maker");
  root.writeFile("Program Files/Kestovan/Other Game/data.bar", "other");
  root.writeFile("Program Files/Kestovan/Other Game/rms_other", "other save");
  if (tree == Tree::None) return;
  std::string folder = tree == Tree::OtherCase ? "program files/KESTOVAN/sorvantel 2009"
                                               : kGameFolder;
  if (tree == Tree::OtherCase) fs::create_directories(root.host(folder));
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

void buildRegistry() {
  ASSERT_EQ(platform::regSetValue(kGameKey, "Version", RegValue::string("1.0")), RegStatus::Ok);
  ASSERT_EQ(platform::regSetValue(std::string(kGameKey) + "\\Options", "Sound",
                                  RegValue::dword(1)),
            RegStatus::Ok);
  ASSERT_EQ(platform::regSetValue("Software\\Kestovan\\Other Game", "Version",
                                  RegValue::string("2.0")),
            RegStatus::Ok);
  struct Slot {
    int number;
    const char* name;
    RegValue value;
  };
  const Slot slots[] = {
      {0, "DispName", RegValue::string("Calendar")},
      {3, "DispName", RegValue::string("Sorvantel 2009")},
      {3, "Path", RegValue::string("\\Program Files\\Kestovan\\Sorvantel 2009\\sorvantel.exe")},
      {5, "DispName", RegValue::string("sorvantel 2009")},
      {7, "Path", RegValue::string("\\Windows\\other.exe")},
      {9, "DispName", RegValue::dword(2009)},
      {13, "DispName", RegValue::string("Sorvantel 2009" + std::string(120, ' '))},
      {23, "DispName", RegValue::string("Sorvantel 2009")},
      {24, "DispName", RegValue::string("Sorvantel 2009")},
  };
  for (const Slot& s : slots) {
    ASSERT_EQ(platform::regSetValue(kLauncher + std::to_string(s.number), s.name, s.value),
              RegStatus::Ok);
  }
}

// What the registry holds afterwards, whatever the answer.
void expectRegistryCleared() {
  EXPECT_EQ(platform::regOpenKey(kGameKey), RegStatus::NotFound);
  EXPECT_EQ(platform::regOpenKey(std::string(kGameKey) + "\\Options"), RegStatus::NotFound);
  EXPECT_EQ(platform::regOpenKey("Software\\Kestovan\\Other Game"), RegStatus::Ok);
  struct Expected {
    int slot;
    size_t values;  // the matching slots are emptied, every other one left alone
  };
  for (Expected e : {Expected{0, 1}, {3, 0}, {5, 1}, {7, 1}, {9, 1}, {13, 1}, {23, 0}, {24, 1}}) {
    size_t count = 99;
    EXPECT_EQ(platform::regValueCount(kLauncher + std::to_string(e.slot), count), RegStatus::Ok)
        << "slot " << e.slot;
    EXPECT_EQ(count, e.values) << "slot " << e.slot;
  }
}

// Every file and link outside the game folder, with its contents or target.
std::map<std::string, std::string> outsideSnapshot(const test::TempRoot& root) {
  std::map<std::string, std::string> snapshot;
  for (const auto& entry : fs::recursive_directory_iterator(root.root())) {
    std::string relative = fs::relative(entry.path(), root.root()).string();
    if (relative.rfind("program files/KESTOVAN/sorvantel 2009", 0) == 0 ||
        relative.rfind(kGameFolder, 0) == 0 || relative.rfind("Windows", 0) == 0) {
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
    names.insert(fs::relative(entry.path(), root.host(folder)).string());
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
    {"missing_folder", Tree::None, "no", "0x0409", false, false, {}, kEnglishQuestion},
    {"no_special_folder", Tree::Plain, "no", "0x0409", true, true, allPlain(), kEnglishQuestion},
    {"over_long_name_skipped", Tree::LongNames, "no", "0x0409", false, true, {kTooLongName},
     kEnglishQuestion},
    {"question_in_german", Tree::Plain, "yes", "0x0407", false, true, kSavedGames,
     "Möchtest du deine gespeicherten Daten behalten?"},
};

class Uninstall : public ::testing::TestWithParam<UninstallCase> {};

TEST_P(Uninstall, ClearsOnlyWhatTheGameMade) {
  const UninstallCase& c = GetParam();
  test::TempRoot root;
  ASSERT_TRUE(root.active());
  buildTree(root, c.tree);
  ASSERT_NO_FATAL_FAILURE(buildRegistry());
  std::map<std::string, std::string> outsideBefore = outsideSnapshot(root);
  setenv("SORV_MSGBOX_ANSWER", c.answer, 1);
  setenv("SORV_UI_LANGID", c.langId, 1);
  if (c.specialFolderFails) setenv("SORV_SPECIAL_FOLDER", "fail", 1);

  SetupLibrary library;
  auto uninstallExit = reinterpret_cast<UninstallExit>(library.symbol("Uninstall_Exit"));
  ASSERT_NE(uninstallExit, nullptr) << dlerror();
  ASSERT_TRUE(root.active());
  int parentWindow = 0;
  EXPECT_EQ(uninstallExit(&parentWindow), 0);

  std::string folder = c.tree == Tree::OtherCase ? "program files/KESTOVAN/sorvantel 2009"
                                                 : kGameFolder;
  EXPECT_EQ(fs::exists(root.host(folder)), c.folderRemains);
  if (c.folderRemains) EXPECT_EQ(gameFolderContents(root, folder), c.remaining);
  EXPECT_EQ(outsideSnapshot(root), outsideBefore);
  expectRegistryCleared();

  std::vector<std::string> trace = root.traceLines();
  ASSERT_FALSE(trace.empty());
  std::string box = trace.back();
  for (const std::string& line : trace) {
    if (line.rfind("msgbox ", 0) == 0) box = line;
  }
  EXPECT_NE(box.find(std::string("text=\"") + c.question + "\""), std::string::npos) << box;
  EXPECT_NE(box.find("caption=\"Sorvantel 2009\" "), std::string::npos) << box;
  EXPECT_NE(box.find("style=0x24"), std::string::npos) << box;
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

}  // namespace
}  // namespace sorv
