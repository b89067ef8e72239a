// The name entry: typing by digit keys and by touch, the eight-letter limit, the choice rows,
// the right soft key's three meanings and the confirm that opens the avatar screen.
#include <string>

#include "runtime/static_class.h"
#include "tests/game/boot_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kNameState = 21, kAvatarState = 22, kCareerStart = 20;

class NameEntryTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    CGame::rosterKinds = Array::newByteArray(36);
    setState(kCareerStart);
    CGame::PUSH_STATE(kNameState);
  }
  static void frame(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::updateInputName();
  }
  static void type(int32_t digit) {
    frame(1 << digit);
    frame(0);
  }
  static void focusName() {
    frame(0x20);
    frame(0x20);
  }
  static std::string shown() { return utf8(CGame::shownName); }
  static std::string entered() { return utf8(CGame::enteredName); }
  static void setName(const char* s) {
    CGame::enteredName = CGame::shownName = String::fromCString(s);
  }
};

TEST_F(NameEntryTest, EnteringStartsEmptyOnTheFirstRow) {
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNameState);
  EXPECT_EQ(entered(), "");
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(CGame::nameFocus, 0);
  EXPECT_EQ(aload(CGame::matchSettings.get(), 0), 0);
}

TEST_F(NameEntryTest, DigitKeysTypeTheFirstTenLetters) {
  focusName();
  frame(1);  // "0"
  EXPECT_EQ(shown(), "A");
  frame(2);  // "1" commits the A
  EXPECT_EQ(entered(), "A");
  EXPECT_EQ(shown(), "AB");
  frame(0);
  EXPECT_EQ(entered(), "AB");
  type(9);
  EXPECT_EQ(entered(), "ABJ");
  frame(1 << 3 | 1 << 7);  // the highest digit wins
  frame(0);
  EXPECT_EQ(entered(), "ABJH");
}

TEST_F(NameEntryTest, ANinthLetterIsRefused) {
  focusName();
  for (int32_t d = 0; d < 9; d++) type(d);
  EXPECT_EQ(entered(), "ABCDEFGH");
  EXPECT_EQ(shown(), "ABCDEFGH");
}

TEST_F(NameEntryTest, EachKeyOfTheKeyboardTypesItsLetter) {
  focusName();
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ-";
  for (int32_t k = 0; k < CGame::kNameKeys; k++) {
    setName("");
    CGame::releaseX = 50 + 77 * (k % 9) + (k % 2 == 0 ? 0 : 76);
    CGame::releaseY = 197 + 65 * (k / 9) + (k % 3 == 0 ? 64 : 0);
    frame(0);
    EXPECT_EQ(shown(), letters.substr(static_cast<size_t>(k), 1)) << k;
    EXPECT_EQ(CGame::releaseX, -1) << "the release is taken";
  }
  struct {
    int32_t x, y;
  } outside[] = {{49, 200}, {60, 196}, {743, 200}, {60, 392}};
  for (const auto& p : outside) {
    setName("");
    CGame::releaseX = p.x;
    CGame::releaseY = p.y;
    frame(0);
    EXPECT_EQ(shown(), "") << p.x << "," << p.y;
  }
}

TEST_F(NameEntryTest, ChoiceRowsAndFocus) {
  struct {
    int32_t keys, focus, mode, kind;
  } steps[] = {
      {0x8040, 0, 2, 0},  // down: women
      {0x0010, 0, 0, 0},  // "4": back to men
      {0x0020, 1, 0, 0},  // fire: the second row
      {0x4010, 1, 0, 1},
      {0x0040, 1, 0, 0},
      {0x40000, 2, 0, 0},  // left soft key: the name field
      {0x0010, 2, 0, 0},   // "4" types there
  };
  for (const auto& s : steps) {
    frame(s.keys);
    EXPECT_EQ(CGame::nameFocus, s.focus) << s.keys;
    EXPECT_EQ(aload(CGame::matchSettings.get(), 0), s.mode) << s.keys;
    EXPECT_EQ(CGame::careerAvatarKind, s.kind) << s.keys;
  }
  EXPECT_EQ(shown(), "E");
  CGame::nameFocus = 0;
  astore(CGame::matchSettings.get(), 0, 3);
  frame(0x8040);
  EXPECT_EQ(aload(CGame::matchSettings.get(), 0), 0);
}

TEST_F(NameEntryTest, RightSoftKey) {
  focusName();
  type(0);
  type(1);
  frame(CGame::kKeySoftRight);
  EXPECT_EQ(entered(), "A");
  EXPECT_EQ(shown(), "A");
  frame(CGame::kKeySoftRight);
  EXPECT_EQ(entered(), "");
  EXPECT_EQ(CGame::nameFocus, 2);
  frame(CGame::kKeySoftRight);  // an empty name: up to the second row
  EXPECT_EQ(CGame::nameFocus, 1);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNameState);
  frame(CGame::kKeySoftRight);
  EXPECT_EQ(CGame::nameFocus, 0);
  CGame::careerAvatarKind = 1;
  frame(CGame::kKeySoftRight);  // the first row: back
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kCareerStart);
  EXPECT_EQ(CGame::careerAvatarKind, 0);
}

TEST_F(NameEntryTest, ConfirmNeedsThreeLettersBesideBlanks) {
  focusName();
  struct {
    const char* name;
    int32_t mode;
    int32_t state, slot;
  } cases[] = {
      {"AB", 0, kNameState, 0}, {" AB  ", 0, kNameState, 0}, {"ABC", 0, kAvatarState, 17},
      {"ABC", 2, kAvatarState, 35}, {"ABC", 3, kAvatarState, 35},
  };
  for (const auto& c : cases) {
    setState(kCareerStart);
    CGame::PUSH_STATE(kNameState);
    CGame::nameFocus = 2;
    CGame::playerChoice1 = 0;
    CGame::careerAvatarKind = 1;
    astore(CGame::matchSettings.get(), 0, c.mode);
    setName(c.name);
    CGame::softLeftState = 0;
    frame(CGame::kKeySoftLeft);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.state) << c.name << " " << c.mode;
    EXPECT_EQ(CGame::playerChoice1, c.slot) << c.name;
    if (c.state == kNameState) {
      EXPECT_EQ(CGame::softLeftState, -1) << c.name;
      continue;
    }
    EXPECT_EQ(utf8(CGame::careerName), c.name);
    EXPECT_EQ(aload(CGame::rosterKinds.get(), c.slot), 1);
    EXPECT_EQ(CGame::careerMental, 40);
    EXPECT_EQ(CGame::careerMentalPrev, 40);
  }
}

}  // namespace
}  // namespace sorv::test
