// The game's fifteen records outlive a damaged index: the next start rebuilds the index from
// the record files, keeps every one of them and loads each as before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "tests/game/saved_fixture.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class SavedIndexDamageTest : public test::SavedDataTest {
 protected:
  void SetUp() override {
    SavedDataTest::SetUp();
    CGame::rosterKinds = Array::newByteArray(36);
    CGame::initRMS();
  }
  static bool neverSaved(int32_t record) { return record == 5 || record == 7; }
  // Every record saved with bytes of its own (a training record only for its own game);
  // records 5 and 7 are the store's but the game never saves them.
  void saveAll() {
    CGame::playCount = 321;
    CGame::careerRankingPoints = 456;
    CGame::currentTournament = 3;
    for (int32_t record = 1; record <= CGame::kRecordCount; record++) {
      if (neverSaved(record)) continue;
      const int32_t training = record - CGame::kFirstTrainingRecord;
      if (training >= 0 && training < CTraining::kGameCount) CTraining::game = static_cast<int8_t>(training);
      ASSERT_TRUE(CGame::RMS(true, record)) << record;
    }
  }
};

TEST_F(SavedIndexDamageTest, EveryRecordOutlivesAnIndexCutZeroedOrEmptied) {
  const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> damages = {
      {"cut", [](const fs::path& p) { fs::resize_file(p, 37); }},
      {"zeroed", [](const fs::path& p) {
         std::ofstream(p, std::ios::binary | std::ios::in) << std::string(fs::file_size(p), '\0');
       }},
      {"emptied", [](const fs::path& p) { fs::resize_file(p, 0); }},
  };
  for (const auto& [what, damage] : damages) {
    SCOPED_TRACE(what);
    saveAll();
    const auto saved = storeFiles();
    for (int id = 1; id <= CGame::kRecordCount; id++) ASSERT_EQ(record(id).empty(), neverSaved(id)) << id;
    damage(indexFile());

    // The next start: the marker is read through the rebuilt index, so nothing is wiped.
    CGame::playCount = CGame::careerRankingPoints = CGame::currentTournament = 0;
    test::LogCapture log;
    CGame::initRMS();
    EXPECT_EQ(CGame::rmsMarker, CGame::kRecordMarker);
    EXPECT_TRUE(log.contains("rebuilt from its record files: 15 kept, 0 skipped")) << log.text();
    EXPECT_EQ(listedIds(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    for (const auto& [name, bytes] : storeFiles()) {
      if (name != indexFile().filename().string()) EXPECT_EQ(test::hex(bytes), test::hex(saved.at(name))) << name;
    }
    for (int32_t record : {2, 3, 4}) EXPECT_TRUE(CGame::RMS(false, record)) << record;
    EXPECT_EQ(CGame::playCount, 321);
    EXPECT_EQ(CGame::careerRankingPoints, 456);
    EXPECT_EQ(CGame::currentTournament, 3);
    EXPECT_EQ(takeException(), -1);
  }
}

// A rebuilt index keeps only what the game's reader takes: a record file of another length
// (another build's, or damaged) is left out, and so is an id that is no saved record.
TEST_F(SavedIndexDamageTest, ARebuildLeavesOutFilesTheReaderWouldRefuse) {
  saveAll();
  std::ofstream(recordFile(3), std::ios::binary | std::ios::trunc) << "short";
  std::ofstream(recordFile(16), std::ios::binary) << "x";
  fs::resize_file(indexFile(), 20);
  test::LogCapture log;
  CGame::initRMS();
  EXPECT_TRUE(log.contains("14 kept, 2 skipped")) << log.text();
  EXPECT_EQ(CGame::rmsMarker, CGame::kRecordMarker);
  EXPECT_FALSE(CGame::RMS(false, 3));
  EXPECT_TRUE(CGame::RMS(false, 2));
  takeException();
}

}  // namespace
}  // namespace sorv
