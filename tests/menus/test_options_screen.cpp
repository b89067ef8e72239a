// The options screen on the shipped data: value changes, the sound row's pace, record 2 and
// saved values outside their row.
#include <gtest/gtest.h>

#include "runtime/lang_system.h"
#include "runtime/string.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kLeft = 0x4010, kRight = 0x8040, kBack = 0x20000, kFire = 0x10000;

class OptionsTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    CGame::initRMS();
    CGame::SetMenu(1);
    setState(6);
    CGame::MenuPush(2);
    CGame::PUSH_STATE(8);
    astore(CGame::optionValues.get(), 0, 0);
    astore(CGame::optionValues.get(), 1, 0);
    CGame::optionSoundTime = System::currentTimeMillis() - 1000;
  }
  static void press(int32_t row, int32_t keys) {
    CGame::menuCursor = row;
    CGame::keysPressed = keys;
    CGame::MenuUpdate_option();
    CGame::keysPressed = 0;
  }
  static int32_t value(int32_t row) { return aload(CGame::optionValues.get(), row); }
};

TEST_F(OptionsTest, TheLabelsComeWithTheTexts) {
  ASSERT_FALSE(isNull(CGame::optionTexts));
  ASSERT_EQ(CGame::optionTexts->length, 2);
  auto label = [](int32_t row, int32_t v) {
    return static_cast<String*>(static_cast<ObjectArray*>(CGame::optionTexts->elements()[row])->elements()[v]);
  };
  EXPECT_EQ(String::toUtf8(label(0, 1)), String::toUtf8(CGame::GetString(0, 27)));
  EXPECT_EQ(String::toUtf8(label(0, 0)), String::toUtf8(CGame::GetString(0, 28)));
  EXPECT_EQ(String::toUtf8(label(1, 0)), String::toUtf8(CGame::GetString(2, 161)));
  EXPECT_EQ(String::toUtf8(label(1, 1)), String::toUtf8(CGame::GetString(2, 162)));
}

TEST_F(OptionsTest, ValuesWrapBothWaysAndAreSaved) {
  struct Case {
    int32_t row, keys, before, after;
  };
  const Case cases[] = {{1, kLeft, 0, 1}, {1, kRight, 1, 0}, {1, kRight, 0, 1}, {1, kLeft, 1, 0},
                        {0, kRight, 1, 0}, {0, kLeft, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row * 100 + c.keys);
    CGame::optionSoundTime = System::currentTimeMillis() - 1000;
    astore(CGame::optionValues.get(), c.row, c.before);
    press(c.row, c.keys);
    EXPECT_EQ(value(c.row), c.after);
    EXPECT_EQ(CGame::optionRow1Copy, value(1));
    // Record 2 holds the new value: reading it back restores the speed unit.
    const int32_t saved = value(1);
    astore(CGame::optionValues.get(), 1, 1 - saved);
    ASSERT_TRUE(CGame::RMS(false, CGame::kOptionsRecord));
    EXPECT_EQ(value(1), saved);
  }
}

TEST_F(OptionsTest, TheSoundRowChangesAtMostOnceIn400Ms) {
  press(0, kLeft);
  EXPECT_EQ(value(0), 1);
  press(0, kLeft);
  EXPECT_EQ(value(0), 1);
  CGame::optionSoundTime = System::currentTimeMillis() - 400;
  press(0, kLeft);
  EXPECT_EQ(value(0), 1);
  CGame::optionSoundTime = System::currentTimeMillis() - 401;
  press(0, kLeft);
  EXPECT_EQ(value(0), 0);
  // The speed unit has no such pace.
  press(1, kLeft);
  press(1, kLeft);
  EXPECT_EQ(value(1), 0);
}

TEST_F(OptionsTest, ActionRowsAndBack) {
  LogCapture log;
  press(2, kFire);
  EXPECT_EQ(CGame::mainMenuChoice, 10);
  EXPECT_EQ(CGame::menuScreenCode, 4) << "the help, in the options' state";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 8);
  CGame::MenuPop();
  press(3, kFire);
  EXPECT_EQ(CGame::mainMenuChoice, 11);
  EXPECT_EQ(CGame::menuScreenCode, 66) << "the about screen";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 9);
  CGame::MenuPop();
  CGame::POP_STATE();
  EXPECT_EQ(CGame::menuScreenCode, 2);
  EXPECT_FALSE(log.contains("not built")) << log.text();
  press(1, kFire);
  EXPECT_EQ(value(1), 0);
  press(1, kBack);
  EXPECT_EQ(CGame::menuScreenCode, 1);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
}

TEST_F(OptionsTest, ASavedValueOutsideItsRowReadsAsZero) {
  for (int32_t bad : {2, -1, 127}) {
    SCOPED_TRACE(bad);
    astore(CGame::optionValues.get(), 1, bad);
    LogCapture log;
    EXPECT_EQ(CGame::optionValue(1), 0);
    EXPECT_EQ(CGame::optionValue(1), 0);
    const std::string text = log.text();
    EXPECT_NE(text.find("outside its"), std::string::npos) << text;
    EXPECT_EQ(text.find("outside its"), text.rfind("outside its")) << text;
    clear();
    CGame::MenuPaint_option();
  }
}

TEST_F(OptionsTest, TouchOnARowMovesTheCursorAndAnActionRowSelects) {
  const int32_t first = CGame::GetMenuItemPosition(13, 11), second = CGame::GetMenuItemPosition(13, 12);
  const int32_t x = static_cast<int16_t>(first) + 10, step = (second >> 16) - (first >> 16);
  CGame::menuCursor = 0;
  CGame::pressX = x;
  CGame::pressY = (first >> 16) + 10;
  CGame::dragX = x;
  CGame::dragY = (first >> 16) + step + 10;
  CGame::MenuPaint_option();
  EXPECT_EQ(CGame::menuCursor, 1);
  CGame::pressX = CGame::pressY = CGame::dragX = CGame::dragY = -1;
  // An action row tapped blinks (its lit frame on and off) before it opens, as a button does.
  CGame::releaseX = x;
  CGame::releaseY = (first >> 16) + 3 * step + 10;
  const int32_t rowY = (first >> 16) + 3 * step;
  std::vector<std::vector<uint16_t>> looks;
  int fired = 0;
  for (int paint = 1; paint <= 8 && fired == 0; paint++) {
    clear();
    CGame::MenuPaint_option();
    looks.push_back(region(static_cast<int16_t>(first), rowY, 300, 40));
    if ((CGame::keysPressed & 0x50020) != 0) fired = paint;
  }
  EXPECT_EQ(CGame::menuCursor, 3);
  EXPECT_EQ(fired, 6) << "selected once the blink is over";
  ASSERT_GE(looks.size(), 3u);
  EXPECT_NE(looks[0], looks[1]) << "the row blinks";
  EXPECT_EQ(looks[0], looks[2]);
  CGame::MenuUpdate_option();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 9) << "the about screen";
}

TEST_F(OptionsTest, CopyOptionToSettingUI) {
  astore(CGame::matchSettings.get(), 0, 3);
  astore(CGame::matchSettings.get(), 4, 0);
  CGame::copyOptionToSettingUI();
  EXPECT_EQ(aload(CGame::matchSettings.get(), 0), 0);
  EXPECT_EQ(aload(CGame::matchSettings.get(), 4), 2);
}

}  // namespace
}  // namespace sorv::test
