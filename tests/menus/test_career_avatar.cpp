// The career's avatar creation (state 22) and home screen (state 24) on the shipped data: the
// rows each cursor row edits and their wraps, the looks and the avatar's palette, the
// confirmation and the career it creates, the home's options, leaving, the appearance screen,
// and the touches of the paint. Pictures go to build/menus/career_*.png for a look.
#include <gtest/gtest.h>

#include <vector>

#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/menus/quick_fixture.h"
#include "tests/support/picture_file.h"
#include "tools/mkdata/looks_source.h"

namespace sorv::test {
namespace {

constexpr int32_t kNameState = 21, kCreateState = 22, kLobbyState = 23, kHomeState = 24, kMainMenuState = 6;
constexpr int32_t kNameScreen = 36, kConfirmScreen = 30, kHomeScreen = 31, kLeaveScreen = 32, kLookScreen = 34;
constexpr int32_t kSelectKeys = 0x50020;
constexpr int32_t kRight = kKeyNext, kLeft = kKeyPrev, kUp = kKeyRowUp, kDown = kKeyRowDown, kOk = kKeyFire;

std::vector<int32_t> ints(IntArray* a) {
  return isNull(a) ? std::vector<int32_t>{} : std::vector<int32_t>(a->elements(), a->elements() + a->length);
}

class CareerAvatarTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    startCareer();
  }
  static void startCareer() {
    CGame::isCareer = true;
    CGame::resetCareerData();
    CGame::careerName = String::fromCString("ANNA");
    CGame::careerMental = CGame::careerMentalPrev = 40;
    CGame::playerSprite = CGame::playerSpriteAlt = nullptr;
  }
  void TearDown() override {
    CGame::isCareer = false;
    QuickMatchTest::TearDown();
  }

  // As the name entry leaves: the creation pushed over state 21 and its screen.
  static void openCreation(int32_t mode = 0) {
    astore(CGame::matchSettings.get(), 0, mode);
    setState(kNameState);
    CGame::SetMenu(kNameScreen);
    CGame::loadDemoPlayer();
    CGame::PUSH_STATE(kCreateState);
  }
  static void createKeys(int32_t keys, int times = 1) {
    for (int i = 0; i < times; i++) {
      CGame::keysPressed = keys;
      CGame::updateCareerCreateAvastar();
      CGame::keysPressed = 0;
    }
  }
  static void homeKeys(int32_t keys, int times = 1) {
    for (int i = 0; i < times; i++) {
      CGame::keysPressed = keys;
      CGame::updateCareerHome();
      CGame::keysPressed = 0;
    }
  }
  // As the lobby opens its home: state 24 over 23, on screen 31.
  static void openHome() {
    astore(CGame::matchSettings.get(), 0, 0);
    setState(kLobbyState);
    CGame::PUSH_STATE(kHomeState);
    CGame::MenuPush(kHomeScreen);
    CGame::demoPlayer = CGame::createCareerActor();
  }
  static int32_t row(int32_t r) { return aload(static_cast<ByteArray*>(aload(CGame::careerCreateRows.get(), r)), 0); }
  static int32_t look(int32_t item) { return aload(CGame::careerLook.get(), item); }
  static int32_t choices(int32_t item) {
    return static_cast<ByteArray*>(aload(CGame::lookItemOptions.get(), item))->length;
  }
  static ASprite* avatarSprite() {
    const int32_t mode = aload(CGame::matchSettings.get(), 0);
    return mode == 2 || mode == 3 ? CGame::playerSpriteAlt.get() : CGame::playerSprite.get();
  }
  static std::vector<int32_t> shownPalette() { return ints(avatarSprite()->getPalette(0)); }
  static std::vector<int32_t> lookPalette() { return ints(CGame::buildPlayerPalette(nullptr, CGame::careerLook)); }
  static void release(int32_t x, int32_t y) {
    CGame::releaseX = x;
    CGame::releaseY = y;
  }
  void press(int32_t code) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
    frame();
  }
  // A touch at a point of the game's landscape screen, on the portrait screen it is shown on.
  void tap(int32_t x, int32_t y) {
    CGame::gameCanvas->pointerPressed(480 - y, x);
    frame();
    CGame::gameCanvas->pointerReleased(480 - y, x);
    frame();
  }
  static void savePicture(const char* name) { test::savePicture(CGame::backBuffer, "menus", name); }
};

TEST_F(CareerAvatarTest, EachCursorRowEditsItsRowAndWraps) {
  struct Case {
    int32_t cursor, key, times;
    int32_t style, home;  // rows 1 and 0 afterwards
    int32_t lookItem, lookValue;  // -1: no look changes
  };
  const Case cases[] = {
      {0, kRight, 1, 1, 0, -1, 0},  {0, kRight, 3, 0, 0, -1, 0}, {0, kLeft, 1, 2, 0, -1, 0},
      {1, kLeft, 1, 0, 13, -1, 0},  {1, kRight, 1, 0, 1, -1, 0}, {1, kRight, 14, 0, 0, -1, 0},
      {2, kRight, 1, 0, 0, 0, 1},   {8, kLeft, 1, 0, 0, 6, -1},  {5, kRight, 2, 0, 0, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cursor " << c.cursor << " key " << c.key << " x" << c.times);
    CGame::resetCareerData();
    openCreation();
    createKeys(kDown, c.cursor);
    ASSERT_EQ(CGame::menuCursor, c.cursor);
    createKeys(c.key, c.times);
    EXPECT_EQ(row(1), c.style);
    EXPECT_EQ(row(0), c.home);
    for (int32_t item = 0; item < 7; item++) {
      const int32_t wanted = item != c.lookItem ? 0 : c.lookValue >= 0 ? c.lookValue : choices(item) - 1;
      EXPECT_EQ(look(item), wanted) << "look " << item;
    }
    for (int32_t r = 2; r < 9; r++) EXPECT_EQ(row(r), 0) << "a look's row has one value";
  }
}

// The created player wears what looks.txt offers: for every choice of every look, stepped
// by keys on the creation, the look's colours are those of a roster avatar that looks.txt
// dresses in the same colour there (the roster's outfits, not the game's palette building).
// A career match's palette of the career slot is dressed the same.
TEST_F(CareerAvatarTest, EveryLookDressesTheAvatarInTheColourOfTheLooksTable) {
  useShippedData("EN", mkdata::DataStyle::kArt);
  CGame::initRMS();
  startCareer();  // again: the new data set started the game afresh
  std::vector<mkdata::Look> avatars;
  mkdata::CareerChoices offered;
  std::string error;
  ASSERT_TRUE(mkdata::loadLooks(mkdata::defaultDataDir(), &avatars, &error)) << error;
  ASSERT_TRUE(mkdata::loadCareerChoices(mkdata::defaultDataDir(), &offered, &error)) << error;
  ASSERT_FALSE(isNull(CGame::playerPaletteSprite.get()));
  openCreation();
  createKeys(kDown, 2);  // the first look's row
  int compared = 0;
  for (int32_t item = 0; item < 7; item++) {
    IntArray* range = static_cast<IntArray*>(aload(CGame::colourGroupRanges.get(), item));
    const int32_t start = aload(range, 0), count = aload(range, 1);
    for (size_t choice = 0; choice < offered.colours[item].size(); choice++) {
      SCOPED_TRACE(testing::Message() << "look " << item << " choice " << choice);
      ASSERT_EQ(look(item), static_cast<int32_t>(choice));
      const std::vector<int32_t> shown = shownPalette();
      for (int32_t avatar = 0; avatar < static_cast<int32_t>(avatars.size()); avatar++) {
        if (avatars[avatar].colours[item] != offered.colours[item][choice]) continue;
        const std::vector<int32_t> outfit = ints(CGame::playerPaletteSprite->getPalette(avatar));
        for (int32_t i = start; i < start + count; i++) EXPECT_EQ(shown[i], outfit[i]) << "entry " << i;
        compared++;
        break;
      }
      createKeys(kRight);
    }
    EXPECT_EQ(look(item), 0) << "round to the first choice";
    createKeys(kDown);
  }
  EXPECT_GE(compared, 20) << "most choices are worn by a roster avatar";

  createKeys(kOk);
  createKeys(kOk);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
  const std::vector<int32_t> inMatch = ints(CGame::getPalyerPal(17));
  const std::vector<int32_t> roster1 = ints(CGame::playerPaletteSprite->getPalette(1));
  ASSERT_EQ(avatars[1].colours[0], offered.colours[0][0]) << "avatar 1 has the first choice of hair";
  for (int32_t i = 2; i < 6; i++) EXPECT_EQ(inMatch[i], roster1[i]) << "the career match's hair, entry " << i;
  for (int32_t i = 28; i < 32; i++) EXPECT_NE(inMatch[i], 0) << "and its racket, entry " << i;
}

TEST_F(CareerAvatarTest, TheCursorStaysInTheListAndItsTwoRowsFollowIt) {
  openCreation();
  struct Step {
    int32_t key, times, cursor, first;
  };
  const Step steps[] = {{kUp, 1, 0, 0}, {kDown, 1, 1, 0}, {kDown, 1, 2, 1}, {kDown, 10, 8, 7},
                        {kUp, 1, 7, 7}, {kUp, 1, 6, 6}, {kUp, 10, 0, 0}};
  for (const Step& s : steps) {
    CGame::scrollStringX = 0;
    createKeys(s.key, s.times);
    EXPECT_EQ(CGame::menuCursor, s.cursor);
    EXPECT_EQ(CGame::rosterFirst0, s.first);
  }
  createKeys(kDown);
  EXPECT_EQ(CGame::scrollStringX, 352) << "a move restarts the row's caption";
}

TEST_F(CareerAvatarTest, ALookWithOneChoiceOrNoneStaysAsItIs) {
  struct Case {
    int32_t choices;
    int lines;
  };
  for (const Case& c : {Case{1, 0}, Case{0, 2}}) {
    SCOPED_TRACE(c.choices);
    CGame::resetCareerData();
    astore(CGame::lookItemOptions.get(), 2, Array::newByteArray(c.choices));
    openCreation();
    createKeys(kDown, 4);  // row 4 edits look 2
    LogCapture log;
    createKeys(kLeft);
    createKeys(kRight);
    EXPECT_EQ(look(2), 0);
    EXPECT_EQ(countLines(log.text(), "has no choices"), c.lines) << log.text();
  }
}

TEST_F(CareerAvatarTest, EnteringMakesTheRowsOnceAndTheAvatarInItsColours) {
  struct Case {
    int32_t mode, slot, kind;
    bool mirrored;
  };
  for (const Case& c : {Case{0, 17, 0, true}, Case{0, 17, 1, false}, Case{2, 35, 0, true}}) {
    SCOPED_TRACE(c.mode * 10 + c.kind);
    CGame::resetCareerData();
    astore(CGame::rosterKinds.get(), c.slot, c.kind);
    astore(CGame::careerLook.get(), 3, 2);
    CGame::rosterFirst0 = 5;
    CGame::scrollStringX = CGame::kTickerRestart;
    openCreation(c.mode);
    ASSERT_FALSE(isNull(CGame::careerCreateRows.get()));
    EXPECT_EQ(CGame::scrollStringX, 352) << "the first row's caption starts in view";
    const int32_t counts[9] = {14, 3, 1, 1, 1, 1, 1, 1, 1};
    for (int32_t r = 0; r < 9; r++) {
      EXPECT_EQ(aload(static_cast<ByteArray*>(aload(CGame::careerCreateRows.get(), r)), 1), counts[r]);
    }
    EXPECT_EQ(CGame::rosterFirst0, 0);
    CActor* actor = CGame::demoPlayer;
    ASSERT_FALSE(isNull(actor));
    EXPECT_EQ(actor->sprite, avatarSprite());
    EXPECT_EQ(actor->animation, 0);
    EXPECT_EQ(actor->remap, c.mirrored);
    EXPECT_EQ(shownPalette(), lookPalette());
    // Back to the name and in again: the choices are kept.
    createKeys(kRight);
    createKeys(kKeyBack);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNameState);
    EXPECT_EQ(CGame::menuCursor, 0);
    CGame::PUSH_STATE(kCreateState);
    EXPECT_EQ(row(1), 1);
  }
}

TEST_F(CareerAvatarTest, BackFromTheConfirmationKeepsEveryChoice) {
  openCreation();
  createKeys(kRight);             // style 1
  createKeys(kDown);
  createKeys(kLeft, 2);           // home 12
  createKeys(kDown, 4);
  createKeys(kRight, 2);          // look 3: 2
  createKeys(kDown, 3);           // cursor 8, first row 7
  createKeys(kOk);
  ASSERT_EQ(CGame::menuScreenCode, kConfirmScreen);
  createKeys(kRight);             // no row moves while the question is up
  createKeys(kKeyBack);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kCreateState);
  EXPECT_EQ(CGame::menuScreenCode, kNameScreen);
  EXPECT_EQ(CGame::menuCursor, 8);
  EXPECT_EQ(CGame::rosterFirst0, 7);
  EXPECT_EQ(row(1), 1);
  EXPECT_EQ(row(0), 12);
  EXPECT_EQ(look(3), 2);
  EXPECT_EQ(look(6), 0);
}

TEST_F(CareerAvatarTest, ConfirmingCreatesTheCareer) {
  struct Case {
    int32_t mode, slot, style, homeRow;
  };
  for (const Case& c : {Case{0, 17, 2, 3}, Case{2, 35, 1, 13}, Case{0, 17, 0, 0}}) {
    SCOPED_TRACE(c.slot);
    CGame::resetCareerData();
    CGame::careerName = String::fromCString("ZOE");
    openCreation(c.mode);
    for (int32_t i = 0; i < c.style; i++) createKeys(kRight);
    createKeys(kDown);
    for (int32_t i = 0; i < c.homeRow; i++) createKeys(kRight);
    astore(CGame::careerLocationState.get(), 5, 1);
    astore(CGame::careerLocationState.get(), 7, 2);
    createKeys(kOk);
    createKeys(kOk);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    EXPECT_EQ(CGame::careerStyle, c.style);
    auto* preset = static_cast<ByteArray*>(aload(CGame::attrPresets.get(), c.style));
    for (int32_t k = 0; k < 5; k++) {
      const int32_t points = aload(CGame::attrThresholds.get(), aload(preset, k) - 1);
      EXPECT_EQ(aload(CGame::careerAttrPts.get(), k), points) << "attribute " << k;
      EXPECT_EQ(aload(CGame::careerAttrPtsPrev.get(), k), points) << "attribute " << k;
    }
    EXPECT_TRUE(String::equalsCString(static_cast<String*>(aload(CGame::rosterNames.get(), c.slot)), "ZOE"));
    EXPECT_EQ(aload(CGame::styleCaptions.get(), c.slot), CGame::GetString(2, 170 + c.style));
    EXPECT_EQ(CGame::careerHome, aload(CGame::homeOrder.get(), c.homeRow));
    for (int32_t k = 0; k < 29; k++) EXPECT_EQ(aload(CGame::careerLocationState.get(), k), 0) << "location " << k;
  }
}

// The arrows' boxes are 100 x 50 from 35 left of and 17 above items 14 (up) and 15 (down).
TEST_F(CareerAvatarTest, TheCreationScreensScrollArrowsPressTheListsKeys) {
  const int32_t up = CGame::GetMenuItemPosition(41, 14), down = CGame::GetMenuItemPosition(41, 15);
  const int32_t ux = static_cast<int16_t>(up), uy = up >> 16, dx = static_cast<int16_t>(down), dy = down >> 16;
  struct Case {
    int32_t cursor, x, y, keys;
  };
  const Case cases[] = {{1, ux, uy, kUp},          {1, ux - 35, uy - 17, kUp}, {1, dx, dy, kDown},
                        {1, dx + 64, dy + 32, kDown}, {0, ux, uy, 0},            {8, dx, dy, 0},
                        {1, ux, uy + 34, 0},         {1, dx + 66, dy, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cursor << " at " << c.x << "," << c.y);
    openCreation();
    createKeys(kDown, c.cursor);
    clear();
    release(c.x, c.y);
    CGame::paintCareerCreateAvastar();
    EXPECT_EQ(CGame::keysPressed, c.keys);
    if (c.keys != 0) {
      const bool isUp = c.keys == kUp;
      EXPECT_EQ(at(isUp ? ux : dx, isUp ? uy : dy), rgb(0x00FF00)) << "the released arrow shows green";
    }
    CGame::keysPressed = 0;
    CGame::releaseX = CGame::releaseY = -1;
  }
}

TEST_F(CareerAvatarTest, HomeOptionsLeadToLeavingAndBackToTheLobby) {
  openHome();
  homeKeys(kDown, 3);
  EXPECT_EQ(CGame::menuCursor, 1);
  homeKeys(kUp, 3);
  EXPECT_EQ(CGame::menuCursor, 0);
  homeKeys(kOk);
  ASSERT_EQ(CGame::menuScreenCode, kLeaveScreen);
  homeKeys(kKeyBack);
  EXPECT_EQ(CGame::menuScreenCode, kHomeScreen);
  homeKeys(kKeyBack);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);

  CGame::resetRMS(CGame::kCareerRecord);
  CGame::careerName = String::fromCString("LEAVER");
  openHome();
  homeKeys(kOk);
  homeKeys(kOk);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMainMenuState);
  ASSERT_TRUE(CGame::hasRecord(CGame::kCareerRecord));
  CGame::careerName = String::fromCString("X");
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_TRUE(String::equalsCString(CGame::careerName, "LEAVER")) << "the career was saved on leaving";
}

// Option rows at (0, 28) and (0, 108), each 310 x 60 (both edges in): between and beside
// them a touch selects nothing.
TEST_F(CareerAvatarTest, HomeRowsTakeTouchesOnlyInsideTheirBoxes) {
  struct Case {
    int32_t x, y, option;  // -1 none
  };
  const Case cases[] = {{100, 50, 0}, {0, 28, 0},  {310, 88, 0},  {100, 130, 1}, {310, 168, 1},
                        {311, 50, -1}, {100, 89, -1}, {100, 107, -1}, {400, 130, -1}, {100, 169, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    openHome();
    CGame::menuCursor = 1 - std::max(c.option, 0);
    const int32_t before = CGame::menuCursor;
    release(c.x, c.y);
    int fired = 0;
    for (int paint = 1; paint <= 8 && fired == 0; paint++) {
      CGame::paintCareerHome();
      if (CGame::keysPressed == kSelectKeys) fired = paint;
      CGame::keysPressed = 0;
    }
    if (c.option < 0) {
      EXPECT_EQ(CGame::menuCursor, before);
      EXPECT_EQ(fired, 0);
    } else {
      EXPECT_EQ(CGame::menuCursor, c.option);
      EXPECT_EQ(fired, 6) << "the tapped row blinks, then is chosen";
    }
    CGame::menuTouchSelect = false;
  }
}

TEST_F(CareerAvatarTest, AppearanceStepsWrapAndRecolourTheAvatar) {
  openHome();
  homeKeys(kDown);
  homeKeys(kOk);
  ASSERT_EQ(CGame::menuScreenCode, kLookScreen);
  ASSERT_FALSE(isNull(CGame::demoPlayerAlt.get()));
  struct Step {
    int32_t key, times, cursor, item, value;  // value -1: the item's last choice
  };
  const Step steps[] = {{kUp, 1, 0, 0, 0},     {kLeft, 1, 0, 0, -1}, {kRight, 1, 0, 0, 0},
                        {kRight, 2, 0, 0, 2},  {kDown, 10, 6, 6, 0}, {kRight, 1, 6, 6, 1},
                        {kUp, 4, 2, 2, 0},     {kLeft, 2, 2, 2, -2}};
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "key " << s.key << " x" << s.times);
    homeKeys(s.key, s.times);
    EXPECT_EQ(CGame::menuCursor, s.cursor);
    const int32_t wanted = s.value >= 0 ? s.value : choices(s.item) + s.value;
    EXPECT_EQ(look(s.item), wanted);
    EXPECT_EQ(shownPalette(), lookPalette());
    EXPECT_EQ(ints(CGame::demoPlayer->sprite->getPalette(0)), lookPalette()) << "the home's avatar too";
  }
  EXPECT_EQ(CGame::rosterFirst0, 2) << "the two rows follow the cursor";
  homeKeys(kKeyBack);
  EXPECT_EQ(CGame::menuScreenCode, kHomeScreen);
  EXPECT_EQ(CGame::menuCursor, 1);
}

// Through the canvas as a player does it: digits, a scroll arrow's tap and the select key on
// the creation; a row's tap and the back soft key's box on the home.
TEST_F(CareerAvatarTest, KeysAndTouchesThroughTheCanvas) {
  LogCapture log;
  openCreation();
  frame();  // the first frame lets keys in
  press('8');
  press('6');
  EXPECT_EQ(CGame::menuCursor, 1);
  EXPECT_EQ(row(0), 1);
  const int32_t up = CGame::GetMenuItemPosition(41, 14);
  tap(static_cast<int16_t>(up), up >> 16);  // the up arrow
  EXPECT_EQ(CGame::menuCursor, 0);
  press('6');
  EXPECT_EQ(row(1), 1);
  press('5');
  ASSERT_EQ(CGame::menuScreenCode, kConfirmScreen);
  press('5');
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
  EXPECT_EQ(CGame::careerStyle, 1);
  EXPECT_EQ(CGame::careerHome, aload(CGame::homeOrder.get(), 1));

  openHome();
  frame();
  tap(100, 130);  // the second option, chosen after its blink
  frames(6);
  ASSERT_EQ(CGame::menuScreenCode, kLookScreen);
  tap(700, 450);  // the back soft key's box
  frames(6);
  EXPECT_EQ(CGame::menuScreenCode, kHomeScreen);
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

TEST_F(CareerAvatarTest, TheScreensPaintWithoutRuntimeErrors) {
  LogCapture log;
  openCreation();
  createKeys(kRight);
  createKeys(kDown, 2);
  createKeys(kRight, 2);
  for (int i = 0; i < 3; i++) frame();
  clear();
  CGame::paintCareerCreateAvastar();
  savePicture("career_create.png");
  createKeys(kOk);
  CGame::paintCareerCreateAvastar();
  savePicture("career_confirm.png");
  openHome();
  CGame::demoPlayer = nullptr;  // as a continued career's lobby may leave it
  CGame::paintCareerHome();
  savePicture("career_home.png");
  EXPECT_FALSE(isNull(CGame::demoPlayer.get())) << "the home makes the avatar it shows";
  homeKeys(kDown);
  homeKeys(kOk);
  CGame::paintCareerHome();
  savePicture("career_looks.png");
  CGame::MenuPop();
  homeKeys(kUp);
  homeKeys(kOk);
  CGame::paintCareerHome();
  savePicture("career_leave.png");
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
}

}  // namespace
}  // namespace sorv::test
