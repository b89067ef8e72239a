// Every state with a handler, entered from a title reached by the boot on the data builder's sprites, runs
// three frames without a runtime error (the match and training states after the states that
// make their objects).
#include "device/screen_image.h"
#include "runtime/heap.h"
#include "runtime/lang_system.h"
#include "sprites/asprite.h"
#include <functional>

#include "tests/game/boot_fixture.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/sprite_packs.h"
#include "training/ctraining.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// The boot pack's three sprites; the array tree and the achievements stay empty here.
std::vector<Bytes> bootSprites() {
  std::vector<Bytes> entries(kBootPackEntries);
  for (int32_t e : {kBootSprite, kBootSplash, kBootStateSprite}) {
    entries[static_cast<size_t>(e)] = mk::labelledBootSprite(e);
  }
  return entries;
}

class EveryStateTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    std::vector<Bytes> texts;
    for (int32_t pack : kTextPackOfEntry) texts.push_back(textPack(std::vector<std::string>(kTextPackMinStrings[pack], "x")));
    serve({{"texts", asText(pack(texts))},
           {"boot", asText(pack(bootSprites()))},
           {"menu", asText(pack(mk::labelledMenuPack()))},
           {"menuext", asText(pack(mk::labelledMenuExtPack()))},
           {"menuicons", asText(pack(mk::labelledMenuIconPack()))},
           {"match", asText(pack(mk::labelledMatchPack()))},
           {"players", asText(pack(mk::labelledPlayerPack()))},
           {"fonts", asText(pack(mk::fontPackEntries(kLanguageEN)))},
           {"colours", asText(pack(mk::colourPackEntries()))}});
    clock::setVirtual(true);
    resetShell();
  }
  // The whole shipped data set: a match and a training load every pack of their own.
  void useShippedArchive() {
    mk::ArchiveWriter archive;
    std::string error;
    ASSERT_TRUE(mk::buildArchive(mk::defaultDataDir(), &archive, &error, "EN")) << error;
    RuntimeTest::TearDown();
    writeBar(archive.build());
    ResourceInputStream::archiveFile = nullptr;
    RuntimeTest::SetUp();
    clock::setVirtual(true);
    resetShell();
  }
};

// The boot to the main menu, a frame a program-clock frame apart; false when it got stuck.
bool bootToMainMenu(const std::function<void()>& frame) {
  CGame::INITIALIZE_STATE();
  for (int i = 0; i < 100 && CGame::GET_CURRENT_STATE() != 3; i++) {
    clock::advance(CGame::kFrameMs);
    frame();
  }
  CGame::keyInputOn = true;
  CGame::gameCanvas->keyPressed('5');
  frame();
  return CGame::GET_CURRENT_STATE() == 5;
}

TEST_F(EveryStateTest, TheBootLeavesRoomInBothHeaps) {
  LogCapture log;
  ASSERT_TRUE(bootToMainMenu([this] { frame(); }));
  System::gc();
  VirtualMemoryManager* objects = app_->objectHeap;
  EXPECT_LE(objects->heapUsed(), objects->heapSize() / 2) << objects->heapUsed() << " of " << objects->heapSize();
  // Three screen-sized images (the screen, the back buffer, the title picture) take 2.3 MB
  // of the buffer heap, the two cached fonts 1.5 MB, the menus' sprites under 1 MB; the
  // splash painted for the title leaves nothing behind.
  VirtualMemoryManager* buffers = app_->bufferHeap;
  EXPECT_LE(buffers->heapUsed(), buffers->heapSize() / 2) << buffers->heapUsed() << " of " << buffers->heapSize();
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

// On the shipped data, the boot's menus and then a quick match's load leave the buffer heap
// at most half full, so a match has room before compaction thrashes.
TEST_F(EveryStateTest, TheShippedMenusAndAMatchLeaveHalfTheBufferHeap) {
  useShippedArchive();
  // The screen over host memory, as the shell's is over the video surface.
  static std::vector<uint16_t> surface(480 * 800);
  auto* screen = newObject<ScreenImage>();
  ASSERT_TRUE(screen->attachPixels(480, 800, surface.data()));
  screen_ = screen;
  LogCapture log;
  auto press = [this](int32_t code, int after) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
    frames(after);
  };
  VirtualMemoryManager* buffers = app_->bufferHeap;
  auto expectHalfFree = [buffers](const char* where) {
    System::gc();
    EXPECT_LE(buffers->heapUsed(), buffers->heapSize() / 2)
        << where << ": " << buffers->heapUsed() << " of " << buffers->heapSize();
  };
  CGame::INITIALIZE_STATE();
  for (int i = 0; i < 100 && CGame::GET_CURRENT_STATE() != 3; i++) {
    clock::advance(CGame::kFrameMs);
    frame();
  }
  press('5', 0);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 5);
  frames(30);  // the main menu's labels fly in
  expectHalfFree("main menu");
  // The quick match: its set-up, the user's player, the rival, then the loading screen,
  // whose tip waits for a key.
  for (int after : {12, 6, 4, 4}) press('5', after);
  for (int i = 0; i < 200 && CGame::GET_CURRENT_STATE() != 40; i++) {
    frame();
    if (CGame::loadingDone) press(-7, 0);
  }
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 40);
  frames(10);
  expectHalfFree("match");
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

TEST_F(EveryStateTest, TheTitlePictureLeavesNoImageInThePool) {
  CGame::INITIALIZE_STATE();
  for (int i = 0; i < 100 && CGame::GET_CURRENT_STATE() != 3; i++) {
    clock::advance(CGame::kFrameMs);
    frame();
  }
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 3);
  ASSERT_FALSE(ASprite::poolingDisabled);
  ASprite::ResetPoolData();
  CGame::keyInputOn = true;
  CGame::gameCanvas->keyPressed('5');
  CGame::SM_GS_update(3, CGame::kMsgUpdate);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 5);
  EXPECT_TRUE(ASprite::poolClean) << "the splash, painted once and dropped, pooled its images";
}

TEST_F(EveryStateTest, RunsThreeFramesWithoutARuntimeError) {
  useShippedArchive();
  // One boot per group: the match and the training take the menus' resources down, and
  // need the objects their set-up states (12, 43) make.
  const std::vector<std::vector<int32_t>> groups = {
      {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 20, 21, 22, 23, 24, 26, 30, 31, 41, 42, 51, 52, 53, 54, 55, 56, 57,
       58, 60, 61, 62, 63, 64},
      {12, 40},
      {43, 44}};
  for (const std::vector<int32_t>& group : groups) {
    resetShell();
    CGame::INITIALIZE_STATE();
    for (int i = 0; i < 100 && CGame::GET_CURRENT_STATE() != 3; i++) {
      clock::advance(CGame::kFrameMs);
      frame();
    }
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), 3) << "the boot reaches the title";
    for (int32_t state : group) {
      SCOPED_TRACE(state);
      CGame::SWITCH_STATE(3);
      LogCapture log;
      // Training loads the game and level chosen before it, as the lobby chooses them.
      if (state == 43) {
        CTraining::selectGame(0);
        CTraining::selectLevel(0);
      }
      CGame::SWITCH_STATE(state);
      frames(3);
      // The match and the training load one step a frame behind the loading screen.
      for (int i = 0; i < 80 && (state == 12 || state == 43) && CGame::GET_CURRENT_STATE() == 11; i++) {
        clock::advance(CGame::kFrameMs);
        frame();
      }
      EXPECT_FALSE(log.contains("NullPointer")) << log.text();
      EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
      // The match and the training are reached through the loading screen.
      if (state == 12 || state == 43) {
        EXPECT_EQ(CGame::GET_CURRENT_STATE(), state == 12 ? 40 : 44);
      }
    }
  }
}

}  // namespace
}  // namespace sorv::test
