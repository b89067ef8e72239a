// Phone paths on the host folder, and the listing and deletion stand-ins on top of them.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/platform/folders.h"
#include "device/platform/paths.h"
#include "tests/support/temp_root.h"

namespace sorv::platform {
namespace {

namespace fs = std::filesystem;

class PhoneFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.active());
    root_.writeFile("Program Files/Game/data.bar", "data");
    root_.writeFile("outside/target.txt", "target");
    fs::create_symlink(root_.host("outside/target.txt"), root_.host("Program Files/Game/link"));
    fs::create_directory_symlink(root_.host("outside"), root_.host("Program Files/Linked"));
  }
  test::TempRoot root_;
};

TEST_F(PhoneFiles, PathsIgnoreCaseAndRefuseDots) {
  struct Case {
    const char* cePath;
    const char* host;  // relative to the root; nullptr: refused
  };
  const Case cases[] = {
      {"\\Program Files\\Game\\data.bar", "/Program Files/Game/data.bar"},
      {"\\PROGRAM FILES\\game\\DATA.BAR", "/Program Files/Game/data.bar"},
      {"\\program files\\New Folder\\new.TXT", "/Program Files/New Folder/new.TXT"},
      {"\\program files\\New\\GAME\\Data.Bar", "/Program Files/New/GAME/Data.Bar"},
      {"\\Program Files\\game\\DATA.BAR\\Inner", "/Program Files/Game/data.bar/Inner"},
      {"/Program Files//Game/", "/Program Files/Game"},
      {"\\", ""},
      {"\\Program Files\\..\\outside\\target.txt", nullptr},
      {"..\\outside", nullptr},
      {"\\Program Files\\.\\Game", nullptr},
  };
  for (const Case& c : cases) {
    std::string host = "unchanged";
    bool ok = toHostPath(c.cePath, host);
    EXPECT_EQ(ok, c.host != nullptr) << c.cePath;
    if (ok && c.host != nullptr) {
      EXPECT_EQ(host, root_.root() + c.host) << c.cePath;
    }
  }
  std::string host;
  EXPECT_FALSE(toHostPath(std::string("\\a\0b", 4), host));
  EXPECT_FALSE(makeFolders("\\Program Files\\..\\escape"));
  EXPECT_FALSE(fs::exists(root_.host("escape")));
}

TEST_F(PhoneFiles, ListingShowsWhatEachEntryIs) {
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(listFolder("\\program files\\game", entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "data.bar");
  EXPECT_EQ(entries[0].kind, EntryKind::File);
  EXPECT_EQ(entries[1].name, "link");
  EXPECT_EQ(entries[1].kind, EntryKind::Link);
  EXPECT_FALSE(listFolder("\\Program Files\\Linked", entries));  // through a link
  EXPECT_FALSE(listFolder("\\Program Files\\Game\\data.bar", entries));
}

TEST_F(PhoneFiles, DeletionTouchesPlainFilesAndEmptyFoldersOnly) {
  EXPECT_FALSE(deleteFile("\\Program Files\\Game\\link"));
  EXPECT_FALSE(deleteFile("\\Program Files\\Linked\\target.txt"));
  EXPECT_FALSE(deleteFile("\\Program Files\\Game"));
  EXPECT_FALSE(removeFolder("\\Program Files\\Game"));  // not empty
  EXPECT_FALSE(removeFolder("\\Program Files\\Linked"));
  EXPECT_FALSE(removeFolder("\\"));
  EXPECT_TRUE(root_.traceLines().empty());
  EXPECT_EQ(test::readFile(root_.host("outside/target.txt")), "target");

  EXPECT_TRUE(deleteFile("\\Program Files\\GAME\\Data.Bar"));
  fs::remove(root_.host("Program Files/Game/link"));
  EXPECT_TRUE(removeFolder("\\Program Files\\Game\\"));
  EXPECT_FALSE(fs::exists(root_.host("Program Files/Game")));
  EXPECT_EQ(root_.traceLines(), (std::vector<std::string>{
                                    "delete-file \\Program Files\\GAME\\Data.Bar",
                                    "remove-folder \\Program Files\\Game\\"}));
}

TEST_F(PhoneFiles, ProgramFilesFolderUnlessTheQueryFails) {
  std::string folder;
  ASSERT_TRUE(specialFolderPath(SpecialFolder::ProgramFiles, folder));
  EXPECT_EQ(folder, "\\Program Files");
  setenv("SORV_SPECIAL_FOLDER", "fail", 1);
  folder = "stale";
  EXPECT_FALSE(specialFolderPath(SpecialFolder::ProgramFiles, folder));
  EXPECT_EQ(folder, "stale");
}

}  // namespace
}  // namespace sorv::platform
