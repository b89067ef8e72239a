// The quick match's set-up and selection on the shipped data: the main menu's entry 3 opens
// the set-up, keys are pressed one frame's update at a time, and record 13 is read and
// written through the game's own store.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "device/record_store.h"
#include "game/cae.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tests/menus/menu_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {

inline constexpr int32_t kKeyRowUp = 0x2004, kKeyRowDown = 0x1100;
inline constexpr int32_t kKeyPrev = 0x4010, kKeyNext = 0x8040;
inline constexpr int32_t kKeyFire = 0x10000, kKeyBack = 0x20000;

// The lines of a log that contain `what`.
inline int countLines(const std::string& text, const std::string& what) {
  std::istringstream lines(text);
  int n = 0;
  for (std::string line; std::getline(lines, line);) n += line.find(what) != std::string::npos;
  return n;
}

// The shipped achievement table, read from the boot pack as the boot reads it.
inline void loadShippedAchievements() {
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
  CGame::Lib_Close();
}

class QuickMatchTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    CGame::initRMS();
  }
  // The main menu's quick-match entry, as its button runs it.
  static void openSetup() {
    CGame::SetMenu(1);
    setState(6);
    CGame::mainMenuChoice = 3;
    CGame::switchToSelectCourt();
  }
  static void setupKeys(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::MenuUpdate_selectCourt();
    CGame::keysPressed = 0;
  }
  static void selectionKeys(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::MenuUpdate_selectPlayer();
    CGame::keysPressed = 0;
  }
  // The set-up confirmed with match mode `mode` on court `court`.
  static void openSelection(int32_t mode, int32_t court = 1) {
    openSetup();
    astore(CGame::setupValues.get(), 0, mode);
    astore(CGame::setupValues.get(), 4, 2 * court);
    setupKeys(kKeyFire);
  }
  static int32_t setup(int32_t row) { return aload(CGame::setupValues.get(), row); }
  static int32_t first(int32_t group) { return CGame::selectPlayerFirstIndex(group); }

  static RecordStore* store() {
    return RecordStore::openRecordStore(StaticClass::getConstant(kConstGameRecordStore), true);
  }
  static std::vector<int8_t> record(int32_t id) {
    std::vector<int8_t> out;
    RecordStore* s = store();
    if (s == nullptr) return out;
    ByteArray* bytes = s->getRecord(id);
    if (isNull(bytes)) return out;
    out.assign(bytes->elements(), bytes->elements() + bytes->length);
    return out;
  }
  static void putRecord(int32_t id, const std::vector<int8_t>& bytes) {
    RecordStore* s = store();
    ASSERT_NE(s, nullptr);
    ByteArray* data = Array::newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); i++) data->elements()[i] = bytes[i];
    s->setRecord(id, data, 0, data->length);
  }
};

// A career on the shipped data: the map's places where the boot puts them, no saved career
// or career tournament, a man's career named ALEXA.
class CareerTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    CGame::initCareerMatchLocation(44, 1);
    CGame::initCareerHomeLocation(44, 30);
    CGame::resetRMS(CGame::kCareerRecord);
    CGame::resetRMS(CGame::kCareerTournamentRecord);
    astore(CGame::matchSettings.get(), 0, 0);
    CGame::careerName = String::fromCString("ALEXA");
    CGame::isCareer = true;
  }
  void TearDown() override {
    CGame::isCareer = false;
    QuickMatchTest::TearDown();
  }
};

}  // namespace sorv::test
