#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/record_files.h"
#include "device/record_store.h"
#include "fuzz/memory_files.h"
#include "runtime/array.h"
#include "runtime/class_table.h"
#include "runtime/string.h"
#include "tests/device/device_fixture.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;
using test::str;

ByteArray* bytesOf(const std::string& text) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(text.size()));
  for (size_t i = 0; i < text.size(); ++i) a->elements()[i] = static_cast<int8_t>(text[i]);
  return a;
}

std::string textOf(ByteArray* a) {
  if (a == nullptr) return "<null>";
  return std::string(reinterpret_cast<const char*>(a->elements()), static_cast<size_t>(a->length));
}

std::vector<uint8_t> fileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int linesWith(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

class RecordStoreTest : public test::DeviceTest {
 protected:
  void TearDown() override {
    record_files::setFailureHook(nullptr);
    record_files::setFileLayer(nullptr);
    test::DeviceTest::TearDown();
  }

  RecordStore* open(const char* name = "Game", bool create = true) {
    return RecordStore::openRecordStore(str(name), create);
  }
  fs::path indexFile(const char* name = "game") const { return install_ / ("rms_" + std::string(name) + ".rms"); }
  fs::path recordFile(int id, const char* name = "game") const {
    return install_ / ("rms_" + std::string(name) + ".rms_rec" + std::to_string(id) + ".rms");
  }
  int32_t add(RecordStore* store, const std::string& text) {
    return store->addRecord(bytesOf(text), 0, static_cast<int32_t>(text.size()));
  }
};

TEST_F(RecordStoreTest, IdsCountOnAfterADeleteAndTheCounterSurvivesReopening) {
  RecordStore* store = open();
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(add(store, "one"), 1);
  EXPECT_EQ(add(store, "two"), 2);
  store->deleteRecord(2);
  EXPECT_FALSE(store->recordExists(2));
  EXPECT_EQ(add(store, "three"), 3);
  store->closeRecordStore();
  EXPECT_EQ(fileBytes(indexFile()),
            (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 3}));
  EXPECT_TRUE(fs::exists(recordFile(2))) << "a deleted record's file stays";
  EXPECT_EQ(fs::file_size(recordFile(2)), 0u);

  RecordStore* again = open();
  EXPECT_EQ(again->getNumRecords(), 2);
  EXPECT_EQ(textOf(again->getRecord(3)), "three");
  EXPECT_EQ(again->getSize(), 3 + 5);
  EXPECT_EQ(add(again, "four"), 4);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(RecordStoreTest, RecordsReadWriteAndResizeThroughEveryAccessor) {
  RecordStore* store = open();
  int32_t id = add(store, "abcdef");
  store->setRecord(id, bytesOf("xyz"), 1, 2);
  EXPECT_EQ(textOf(store->getRecord(id)), "yz");
  EXPECT_EQ(store->getRecordSize(id), 2);
  ByteArray* buffer = bytesOf("......");
  EXPECT_EQ(store->getRecord(id, buffer, 3), 2);
  EXPECT_EQ(textOf(buffer), "...yz.");
  store->setRecord(id, bytesOf(""), 0, 0);
  EXPECT_EQ(store->getRecordSize(id), 0);
  EXPECT_EQ(textOf(store->getRecord(id)), "");
  EXPECT_EQ(fileBytes(recordFile(id)).size(), 0u);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(RecordStoreTest, UnknownIdsAndBadRangesThrow) {
  RecordStore* store = open();
  add(store, "abcd");
  ByteArray* four = bytesOf("1234");
  std::string message;
  struct Case {
    const char* what;
    std::function<void()> call;
    int32_t exception;
  };
  const Case cases[] = {
      {"getRecord(9)", [&] { store->getRecord(9); }, kInvalidRecordIDException},
      {"getRecord(0, b, 0)", [&] { store->getRecord(0, four, 0); }, kInvalidRecordIDException},
      {"getRecordSize(-1)", [&] { store->getRecordSize(-1); }, kInvalidRecordIDException},
      {"setRecord(9)", [&] { store->setRecord(9, four, 0, 1); }, kInvalidRecordIDException},
      {"add past the end", [&] { store->addRecord(four, 2, 3); }, kArrayIndexOutOfBoundsException},
      {"add negative offset", [&] { store->addRecord(four, -1, 1); }, kArrayIndexOutOfBoundsException},
      {"add negative length", [&] { store->addRecord(four, 0, -1); }, kArrayIndexOutOfBoundsException},
      {"add huge length", [&] { store->addRecord(four, 1, 0x7FFFFFFF); }, kArrayIndexOutOfBoundsException},
      {"add null", [&] { store->addRecord(nullptr, 0, 0); }, kNullPointerException},
      {"set past the end", [&] { store->setRecord(1, four, 4, 1); }, kArrayIndexOutOfBoundsException},
      {"get into a short buffer", [&] { store->getRecord(1, four, 1); }, kArrayIndexOutOfBoundsException},
      {"get at a negative offset", [&] { store->getRecord(1, four, -1); }, kArrayIndexOutOfBoundsException},
  };
  for (const Case& c : cases) {
    c.call();
    EXPECT_EQ(takeException(&message), c.exception) << c.what;
  }
  store->getRecord(9);
  takeException(&message);
  EXPECT_EQ(message, "9");
  store->deleteRecord(9);
  EXPECT_EQ(takeException(), -1) << "an unknown id is ignored by deleteRecord";
  EXPECT_EQ(textOf(store->getRecord(1)), "abcd") << "failed calls change nothing";
  EXPECT_EQ(add(store, "x"), 2) << "no id was used up";
  EXPECT_TRUE(instanceOf(newException(kInvalidRecordIDException), kRecordStoreException));
}

TEST_F(RecordStoreTest, AMissingStoreIsNotMadeWithoutCreate) {
  std::string message;
  EXPECT_EQ(open("Absent", false), nullptr);
  EXPECT_EQ(takeException(&message), kRecordStoreNotFoundException);
  EXPECT_EQ(message, "\\Program Files\\Kestovan\\Sorvantel 2009\\rms_Absent.rms");
  RecordStore::deleteRecordStore(str("Absent"));
  EXPECT_EQ(takeException(), kRecordStoreNotFoundException);

  RecordStore* made = open("Absent", true);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->getNumRecords(), 0);
  made->closeRecordStore();
  EXPECT_NE(open("Absent", false), nullptr);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(RecordStoreTest, StoreNamesMapToLowerCaseFilesWithRmsInTheInstallFolder) {
  RecordStore* store = open("My:Store?<1>|*/x");
  add(store, "a");
  store->closeRecordStore();
  EXPECT_TRUE(fs::exists(install_ / "rms_my_store__1____x.rms"));
  EXPECT_TRUE(fs::exists(install_ / "rms_my_store__1____x.rms_rec1.rms"));
  String* vendorPath = RecordStore::storePath(str("S"), str("Vendor"), str("Suite"));
  EXPECT_EQ(String::toUtf8(vendorPath), "\\Program Files\\Vendor\\Suite\\rms_S.rms");
}

TEST_F(RecordStoreTest, DeletingTheStoreEmptiesItsFilesAndStartsIdsAgain) {
  RecordStore* store = open();
  add(store, "a");
  add(store, "bb");
  store->closeRecordStore();
  RecordStore::deleteRecordStore(str("Game"));
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(fs::file_size(indexFile()), 0u);
  EXPECT_EQ(fs::file_size(recordFile(1)), 0u);
  EXPECT_EQ(fs::file_size(recordFile(2)), 0u);
  RecordStore* again = open("Game", false);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->getNumRecords(), 0);
  EXPECT_EQ(add(again, "new"), 1);
}

TEST_F(RecordStoreTest, ARepairedIndexNeverHandsOutAnIdAgain) {
  // Counter 1 but ids 5, 5 and 2, and only record 2 on the disk: the store is rebuilt from
  // the files, and the counter raised past every id the damaged index still names.
  std::vector<uint8_t> index = {0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 5, 0, 0, 0, 5, 0, 0, 0, 2};
  std::ofstream(indexFile(), std::ios::binary)
      .write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
  std::ofstream(recordFile(2), std::ios::binary) << "two";
  RecordStore* store = open();
  EXPECT_EQ(store->getNumRecords(), 1);
  EXPECT_EQ(textOf(store->getRecord(2)), "two");
  EXPECT_EQ(add(store, "x"), 6);

  // No id left after the largest: the store is full rather than wrapping to a negative id.
  std::vector<uint8_t> last = {0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  std::ofstream(indexFile(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(last.data()), static_cast<std::streamsize>(last.size()));
  std::string message;
  add(open(), "y");
  EXPECT_EQ(takeException(&message), kRecordStoreFullException);
  EXPECT_EQ(message, "Record store full");
}

// The fuzzers keep the store in memory: every file of it, its existence included, must go
// through the layer, or they would test a store half on the disk.
TEST_F(RecordStoreTest, AFileLayerServesEveryFileOfTheStore) {
  fuzz::MemoryFiles memory;
  record_files::setFileLayer(&memory);
  EXPECT_EQ(open("Game", false), nullptr);
  EXPECT_EQ(takeException(), kRecordStoreNotFoundException);
  RecordStore* store = open();
  EXPECT_EQ(add(store, "one"), 1);
  EXPECT_EQ(add(store, "two!"), 2);
  store->deleteRecord(1);
  store->closeRecordStore();
  RecordStore* again = open("Game", false);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->getNumRecords(), 1);
  EXPECT_EQ(textOf(again->getRecord(2)), "two!");
  EXPECT_EQ(again->getRecordSize(2), 4);
  EXPECT_EQ(again->getSize(), 4);
  EXPECT_EQ(add(again, "x"), 3);
  EXPECT_EQ(takeException(), -1);
  record_files::setFileLayer(nullptr);
  EXPECT_FALSE(fs::exists(indexFile()));
  EXPECT_FALSE(fs::exists(recordFile(2)));
}

TEST_F(RecordStoreTest, AListedRecordWhoseFileIsGoneReadsAsEmpty) {
  test::LogCapture log;
  RecordStore* store = open();
  add(store, "abc");
  fs::remove(recordFile(1));
  EXPECT_EQ(store->getRecordSize(1), 0);
  EXPECT_EQ(textOf(store->getRecord(1)), "");
  EXPECT_EQ(store->getRecord(1, bytesOf("zz"), 2), 0);
  EXPECT_EQ(store->getSize(), 0);
  EXPECT_EQ(takeException(), -1);
  EXPECT_TRUE(log.contains("record 1 is missing"));
}

// Every failing step of every write of an operation: the call throws, the store object and
// the files keep the old state (or, past the record's rename, the new record unlisted or
// listed whole), and the next add still gets a fresh id.
TEST_F(RecordStoreTest, AFailureAtAnyWriteStepThrowsAndLeavesOldOrNewContents) {
  static int failAt, calls;
  auto failNth = [](record_files::WriteStep, const std::string&) { return calls++ == failAt; };
  const int steps = 2 * static_cast<int>(record_files::WriteStep::kCount);
  for (int operation = 0; operation < 3; ++operation) {
    for (failAt = 0; failAt < steps; ++failAt) {
      RecordStore::deleteRecordStore(str("Game"));
      takeException();
      RecordStore* store = open();
      ASSERT_EQ(add(store, "old"), 1);
      calls = 0;
      record_files::setFailureHook(failNth);
      if (operation == 0) add(store, "added");
      if (operation == 1) store->setRecord(1, bytesOf("new"), 0, 3);
      if (operation == 2) store->deleteRecord(1);
      record_files::setFailureHook(nullptr);
      bool failed = takeException() == kRecordStoreException;
      // An add fails on any of its writes; a set only while its record's bytes are not in
      // place (the rest is its listed index written again); a delete only on its index
      // write (the emptying of the file after it is logged).
      const int inPlace = static_cast<int>(record_files::WriteStep::kSyncFolder);
      bool reported = operation == 0 || (operation == 1 && failAt < inPlace) || (operation == 2 && failAt < steps / 2);
      EXPECT_EQ(failed, reported) << operation << "/" << failAt;

      RecordStore* reopened = open();
      std::string r1 = textOf(reopened->getRecord(1));
      if (operation == 0) {
        EXPECT_EQ(r1, "old");
        EXPECT_EQ(reopened->getNumRecords(), failAt == steps - 1 ? 2 : 1) << failAt;
        if (reopened->recordExists(2)) {
          EXPECT_EQ(textOf(reopened->getRecord(2)), "added");
        }
        EXPECT_EQ(store->getNumRecords(), 1) << "the failed add is not in the store";
      } else if (operation == 1) {
        EXPECT_TRUE(r1 == "old" || r1 == "new") << failAt << ": " << r1;
      } else if (failAt != steps / 2 - 1) {
        // (A failed folder sync after the index's rename may leave the new index in place.)
        EXPECT_EQ(store->recordExists(1), reopened->recordExists(1)) << failAt;
      }
      EXPECT_EQ(add(store, "next"), 2 + (operation == 0 && !failed ? 1 : 0)) << failAt;
      takeException();
    }
  }
}

// A crash at any write step: a child is killed there, and the store it leaves must open
// with record 1 old or new, a listed record 2 whole, and a next id that is still fresh.
TEST_F(RecordStoreTest, AKillAtEveryWriteStepOfAddAndSetLeavesAValidStore) {
  static int killAt, calls;
  auto killNth = [](record_files::WriteStep, const std::string&) {
    if (calls++ == killAt) ::kill(::getpid(), SIGKILL);
    return false;
  };
  const int steps = 2 * static_cast<int>(record_files::WriteStep::kCount);
  for (int operation = 0; operation < 2; ++operation) {
    for (killAt = 0; killAt <= steps; ++killAt) {
      RecordStore::deleteRecordStore(str("Game"));
      takeException();
      RecordStore* store = open();
      ASSERT_EQ(add(store, "old"), 1);
      pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        calls = 0;
        record_files::setFailureHook(killNth);
        if (operation == 0) add(store, "added");
        if (operation == 1) store->setRecord(1, bytesOf("new"), 0, 3);
        _exit(Application::pendingException() == nullptr ? 0 : 1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, killAt == steps)
          << operation << "/" << killAt;

      RecordStore* reopened = open();
      std::string r1 = textOf(reopened->getRecord(1));
      if (operation == 0) {
        EXPECT_EQ(r1, "old");
        if (reopened->recordExists(2)) {
          EXPECT_EQ(textOf(reopened->getRecord(2)), "added");
        }
      } else {
        EXPECT_TRUE(r1 == "old" || r1 == "new") << killAt << ": " << r1;
      }
      int32_t listed = reopened->getNumRecords();
      EXPECT_EQ(add(reopened, "next"), listed + 1) << operation << "/" << killAt;
      EXPECT_EQ(takeException(), -1);
    }
  }
}

// A read-only folder; as root (who writes into those) a file in the folder's place.
TEST_F(RecordStoreTest, AnUnwritableFolderMakesWritesFailLoudly) {
  RecordStore* store = open();
  add(store, "keep");
  const bool root = geteuid() == 0;
  const fs::path away = base_ / "away";
  if (root) {
    fs::rename(install_, away);
    std::ofstream(install_) << "not a folder";
  } else {
    fs::permissions(install_, fs::perms::owner_read | fs::perms::owner_exec);
  }
  add(store, "lost");
  EXPECT_EQ(takeException(), kRecordStoreException);
  store->setRecord(1, bytesOf("x"), 0, 1);
  EXPECT_EQ(takeException(), kRecordStoreException);
  store->deleteRecord(1);
  EXPECT_EQ(takeException(), kRecordStoreException);
  store->closeRecordStore();
  EXPECT_EQ(takeException(), kRecordStoreException);
  if (root) {
    fs::remove(install_);
    fs::rename(away, install_);
  } else {
    fs::permissions(install_, fs::perms::owner_all);
  }
  EXPECT_EQ(textOf(open()->getRecord(1)), "keep");
  EXPECT_EQ(open()->getNumRecords(), 1);
  EXPECT_EQ(add(store, "again"), 2);
}

// Fifteen saved records (the game's count) survive every kind of damage to their index: the
// index cut, zeroed in place, emptied or unreadable. Each reopen keeps all fifteen with their
// bytes, says so in one log line, and writes the rebuilt index back.
TEST_F(RecordStoreTest, ADamagedIndexIsRebuiltFromTheRecordFilesWithEveryRecordKept) {
  constexpr int kRecords = 15;
  auto content = [](int id) { return std::string(static_cast<size_t>(id), static_cast<char>('a' + id)); };
  const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> damages = {
      {"cut", [](const fs::path& p) { fs::resize_file(p, 30); }},
      {"cut to the header", [](const fs::path& p) { fs::resize_file(p, 8); }},
      {"cut to nothing", [](const fs::path& p) { fs::resize_file(p, 0); }},
      {"zeroed", [](const fs::path& p) {
         std::ofstream(p, std::ios::binary | std::ios::in) << std::string(fs::file_size(p), '\0');
       }},
  };
  for (const auto& [what, damage] : damages) {
    SCOPED_TRACE(what);
    // A deleted store's emptied files would come back as empty records.
    for (const auto& entry : fs::directory_iterator(install_)) {
      if (entry.path().filename().string().rfind("rms_game", 0) == 0) fs::remove(entry.path());
    }
    RecordStore* store = open();
    for (int id = 1; id <= kRecords; ++id) ASSERT_EQ(add(store, content(id)), id);
    store->setRecord(7, bytesOf("set again"), 0, 9);
    damage(indexFile());
    test::LogCapture log;
    RecordStore* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(takeException(), -1);
    ASSERT_EQ(again->getNumRecords(), kRecords);
    for (int id = 1; id <= kRecords; ++id) {
      EXPECT_EQ(textOf(again->getRecord(id)), id == 7 ? "set again" : content(id)) << id;
    }
    EXPECT_EQ(linesWith(log.text(), "rebuilt from its record files: 15 kept"), 1) << log.text();
    EXPECT_EQ(add(again, "next"), kRecords + 1);
    test::LogCapture quiet;
    EXPECT_EQ(open()->getNumRecords(), kRecords + 1);
    EXPECT_FALSE(quiet.contains("rebuilt")) << "the rebuilt index was written back";
  }
}

// A rebuilt index keeps what the store's reader takes and nothing that does not read; an
// index that cannot be read beside no readable record is no empty store: the open fails.
TEST_F(RecordStoreTest, ARebuildKeepsWhatTheReaderTakesAndNeverCallsAnUnreadableStoreEmpty) {
  RecordStore::setRecordCheck(str("Checked"), [](int32_t id, const uint8_t*, size_t size) {
    return size == 0 || size == static_cast<size_t>(id);
  });
  RecordStore* store = open("Checked");
  add(store, "a");
  add(store, "bb");
  add(store, "too long");
  add(store, "");
  fs::resize_file(indexFile("checked"), 12);
  std::ofstream(install_ / "rms_checked.rms_rec07.rms") << "0000000";  // not a name getRecordFile makes
  std::ofstream(install_ / "RMS_Checked.rms_REC5.RMS") << "12345";      // case is the phone's to ignore
  test::LogCapture log;
  RecordStore* rebuilt = open("Checked");
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_EQ(rebuilt->getNumRecords(), 4);
  EXPECT_TRUE(rebuilt->recordExists(1) && rebuilt->recordExists(2) && rebuilt->recordExists(4) &&
              rebuilt->recordExists(5));
  EXPECT_FALSE(rebuilt->recordExists(3));
  EXPECT_TRUE(log.contains("is damaged; rebuilt from its record files: 4 kept, 1 skipped")) << log.text();
  EXPECT_EQ(add(rebuilt, "x"), 6);

}

// An index whose read fails (an I/O error, not an empty file): rebuilt from the records
// that read; with none that read, the open fails rather than call the store empty, and
// nothing is written over the files.
TEST_F(RecordStoreTest, AnIndexThatCannotBeReadIsNeverTakenForAnEmptyStore) {
  struct FailingReads : fuzz::MemoryFiles {
    std::function<bool(const std::string&)> fails = [](const std::string&) { return false; };
    record_files::ReadResult readWhole(const std::string& path, std::vector<uint8_t>& out) override {
      return fails(path) ? record_files::ReadResult::kFailed : MemoryFiles::readWhole(path, out);
    }
  } files;
  const auto endsWith = [](const std::string& path, const std::string& end) {
    return path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
  };
  record_files::setFileLayer(&files);
  RecordStore* store = open();
  add(store, "one");
  add(store, "two");
  files.fails = [&](const std::string& path) { return endsWith(path, "/rms_game.rms"); };
  test::LogCapture log;
  RecordStore* rebuilt = open();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_EQ(rebuilt->getNumRecords(), 2);
  EXPECT_TRUE(log.contains("cannot be read; rebuilt from its record files: 2 kept")) << log.text();
  takeException();

  files.fails = [](const std::string& path) { return path.find("/rms_game.rms") != std::string::npos; };
  EXPECT_EQ(open("Game", true), nullptr) << "neither index nor records read";
  EXPECT_EQ(takeException(), kRecordStoreException);
  files.fails = [](const std::string&) { return false; };
  std::vector<uint8_t> index;
  files.MemoryFiles::readWhole((install_ / "rms_game.rms").string(), index);
  EXPECT_EQ(index.size(), 16u) << "the index was not written over";
  record_files::setFileLayer(nullptr);
}

// Deleting a store empties a record file its index never listed (an add whose index write
// failed), so the empty index that follows is not taken for a lost one.
TEST_F(RecordStoreTest, DeletingAStoreEmptiesUnlistedRecordFilesToo) {
  RecordStore* store = open();
  add(store, "listed");
  std::ofstream(recordFile(2)) << "never listed";
  store->closeRecordStore();
  RecordStore::deleteRecordStore(str("Game"));
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(fs::file_size(recordFile(2)), 0u);
  test::LogCapture log;
  EXPECT_EQ(open()->getNumRecords(), 0);
  EXPECT_FALSE(log.contains("rebuilt"));
}

}  // namespace
}  // namespace sorv
