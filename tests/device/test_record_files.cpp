#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/record_files.h"

namespace sorv::record_files {
namespace {

namespace fs = std::filesystem;

class RecordFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("record_files_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    setFailureHook(nullptr);
    fs::remove_all(dir_);
  }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  std::vector<uint8_t> contents(const char* name) const {
    std::vector<uint8_t> out;
    EXPECT_EQ(readWhole(path(name), out), ReadResult::kOk) << name;
    return out;
  }

  fs::path dir_;
};

TEST_F(RecordFilesTest, IndexBytesAreBigEndianCounterCountIds) {
  RecordIndex index{3, {1, 3}};
  std::vector<uint8_t> expected = {0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 3};
  EXPECT_EQ(encodeIndex(index), expected);
  RecordIndex back = decodeIndex(expected.data(), expected.size(), "t");
  EXPECT_EQ(back.nextRecordId, 3);
  EXPECT_EQ(back.ids, (std::vector<int32_t>{1, 3}));
}

TEST_F(RecordFilesTest, DecodeRepairsIndexesThatWouldReuseIds) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t next;
    std::vector<int32_t> ids;
  };
  const Case cases[] = {
      {"empty file is a new store", {}, 0, {}},
      {"cut inside the header", {0, 0, 0, 5, 0}, 0, {}},
      {"ids beyond the counter", {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 7, 0, 0, 0, 2}, 7, {7, 2}},
      {"repeated id dropped", {0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 4},
       4, {2, 4}},
      {"count beyond the bytes", {0, 0, 0, 9, 0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 5}, 9, {5}},
      {"negative count", {0, 0, 0, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 5}, 9, {}},
      {"zero and negative ids dropped",
       {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFE}, 1, {}},
      {"negative counter raised", {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 0, 0, 3}, 3, {3}},
  };
  for (const Case& c : cases) {
    RecordIndex index = decodeIndex(c.bytes.data(), c.bytes.size(), "t");
    EXPECT_EQ(index.nextRecordId, c.next) << c.what;
    EXPECT_EQ(index.ids, c.ids) << c.what;
  }
}

TEST_F(RecordFilesTest, WholeFileWritesReadBackAndLeaveNoTemporary) {
  std::vector<uint8_t> bytes = {1, 2, 3};
  ASSERT_TRUE(writeWhole(path("f"), bytes.data(), bytes.size()));
  EXPECT_EQ(contents("f"), bytes);
  EXPECT_EQ(fileLength(path("f")), 3);
  ASSERT_TRUE(writeWhole(path("f"), nullptr, 0));
  EXPECT_EQ(fileLength(path("f")), 0);
  EXPECT_TRUE(exists(path("f")));
  EXPECT_FALSE(fs::exists(path("f.tmp")));
  std::vector<uint8_t> out;
  EXPECT_EQ(readWhole(path("missing"), out), ReadResult::kAbsent);
  EXPECT_EQ(fileLength(path("missing")), -1);
  EXPECT_FALSE(exists(path("missing")));
}

// Works as root too, where a read-only folder would not stop the write.
TEST_F(RecordFilesTest, WriteIntoAMissingFolderFails) {
  uint8_t b = 7;
  EXPECT_FALSE(writeWhole(path("no_such_folder/f"), &b, 1));
  EXPECT_FALSE(commitRecord(path("no_such_folder/r"), &b, 1, path("index"), RecordIndex{1, {1}}));
  EXPECT_FALSE(exists(path("index")));
}

WriteStep gFailAt;
bool failAtStep(WriteStep step, const std::string&) { return step == gFailAt; }

TEST_F(RecordFilesTest, AnInjectedFailureAtEachStepIsReportedAndKeepsOldOrNewBytes) {
  const std::vector<uint8_t> oldBytes = {1, 1, 1, 1}, newBytes = {2, 2};
  for (int s = 0; s < static_cast<int>(WriteStep::kCount); ++s) {
    ASSERT_TRUE(writeWhole(path("f"), oldBytes.data(), oldBytes.size()));
    gFailAt = static_cast<WriteStep>(s);
    setFailureHook(failAtStep);
    EXPECT_FALSE(writeWhole(path("f"), newBytes.data(), newBytes.size())) << "step " << s;
    setFailureHook(nullptr);
    std::vector<uint8_t> now = contents("f");
    // Up to the rename the old bytes stay; after it (folder sync) the new ones are in place.
    EXPECT_EQ(now, gFailAt == WriteStep::kSyncFolder ? newBytes : oldBytes) << "step " << s;
    EXPECT_FALSE(fs::exists(path("f.tmp"))) << "step " << s;
  }
}

// The crash test: a child is killed at the n-th write step of one operation; the files it
// leaves must hold the old or the new record and a valid index that matches them.
int gKillAtCall;
int gCalls;
bool killAtCall(WriteStep, const std::string&) {
  if (gCalls++ == gKillAtCall) ::kill(::getpid(), SIGKILL);
  return false;
}

TEST_F(RecordFilesTest, AKillAtEveryWriteStepOfAddAndSetLeavesOldOrNewStore) {
  const std::vector<uint8_t> oldOne = {'o', 'l', 'd', '1'}, newOne = {'n', 'e', 'w'};
  const std::vector<uint8_t> two = {'t', 'w', 'o', '!', '!'};
  const RecordIndex before{1, {1}}, afterAdd{2, {1, 2}};
  const int stepsPerOperation = 2 * static_cast<int>(WriteStep::kCount);
  for (int operation = 0; operation < 2; ++operation) {
    for (int kill = 0; kill <= stepsPerOperation; ++kill) {
      fs::remove_all(dir_);
      fs::create_directories(dir_);
      ASSERT_TRUE(commitRecord(path("r1"), oldOne.data(), oldOne.size(), path("idx"), before));
      pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        gKillAtCall = kill;
        gCalls = 0;
        setFailureHook(killAtCall);
        bool ok = operation == 0
                      ? commitRecord(path("r2"), two.data(), two.size(), path("idx"), afterAdd)
                      : commitRecord(path("r1"), newOne.data(), newOne.size(), path("idx"),
                                     before);
        _exit(ok ? 0 : 1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      bool completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      EXPECT_EQ(completed, kill == stepsPerOperation) << operation << "/" << kill;

      std::vector<uint8_t> indexBytes = contents("idx");
      RecordIndex index = decodeIndex(indexBytes.data(), indexBytes.size(), "t");
      EXPECT_EQ(encodeIndex(index), indexBytes) << "index must decode without repair";
      std::vector<uint8_t> r1 = contents("r1");
      if (operation == 0) {
        EXPECT_EQ(r1, oldOne);
        if (index.ids.size() == 2) {
          EXPECT_EQ(contents("r2"), two) << "the index names a record that is not whole";
        } else {
          EXPECT_EQ(index.ids, before.ids);
        }
      } else {
        EXPECT_TRUE(r1 == oldOne || r1 == newOne) << "kill at " << kill;
        EXPECT_EQ(index.ids, before.ids);
      }
    }
  }
}

}  // namespace
}  // namespace sorv::record_files
