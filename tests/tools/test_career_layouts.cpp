// The career screens' menus of the data set: menu 44's places are the location table's,
// the screens' lists hold their questions in every language, and on each screen the texts,
// bars, cards and arrows keep clear of one another on the 800 x 480 screen.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/menus/menu_fixture.h"
#include "tools/data/menu_screens.h"
#include "tools/mkdata/menu_needs.h"
#include "tools/mkdata/menu_source.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/text_source.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

std::vector<mk::MenuRecord> shippedMenus() {
  std::string source, error;
  std::vector<mk::MenuRecord> menus;
  EXPECT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/menus.txt", &source, &error)) << error;
  EXPECT_TRUE(mk::parseMenuSource(source, &menus, &error)) << error;
  return menus;
}

// The map positions of the 29 locations, as the game's location table gives them.
constexpr int kLocationPlaces[29][2] = {
    {87, 88},   {522, 260}, {233, 59},  {242, 73}, {233, 59},  {389, 122}, {245, 77}, {248, 83},
    {265, 90},  {257, 67},  {80, 79},   {228, 90}, {111, 71},  {34, 77},   {235, 61}, {434, 163},
    {111, 71},  {235, 61},  {248, 83},  {228, 90}, {87, 88},   {257, 67},  {245, 77}, {301, 73},
    {56, 35},   {104, 199}, {517, 238}, {486, 102}, {239, 82},
};

TEST(CareerLayouts, Menu44HoldsTheLocationTableAndAPlacePerHome) {
  const std::vector<mk::MenuRecord> menus = shippedMenus();
  ASSERT_GT(menus.size(), 44u);
  const mk::MenuRecord& places = menus[44];
  ASSERT_EQ(places.items.size(), 44u);
  for (int k = 0; k < 29; k++) {
    const mk::MenuItem& item = places.items[static_cast<size_t>(1 + k)];
    EXPECT_EQ(item.x, kLocationPlaces[k][0]) << "location " << k;
    EXPECT_EQ(item.y, kLocationPlaces[k][1]) << "location " << k;
  }
  for (int h = 0; h < kHomeNamesCount; h++) {
    const mk::MenuItem& item = places.items[static_cast<size_t>(30 + h)];
    EXPECT_TRUE(item.positioned) << "home " << h;
  }
}

// The questions of the creation, of leaving the career and of a rank too low, in every
// language's texts and written out (not a placeholder).
TEST(CareerLayouts, TheCareerQuestionsAreWrittenInEveryLanguage) {
  struct Case {
    int32_t screen, text;
  };
  for (const Case& c : {Case{30, 91}, Case{32, 92}, Case{35, 97}}) {
    const ScreenSource& source = kScreenTable[static_cast<size_t>(c.screen)];
    ASSERT_EQ(source.kind, ScreenList::kPrepared) << c.screen;
    ASSERT_GE(source.value, 0) << c.screen;
    const PreparedList& list = kPreparedLists[static_cast<size_t>(source.value)];
    ASSERT_EQ(list.count, 1) << c.screen;
    EXPECT_EQ(list.ids[0], c.text) << c.screen;
  }
  for (const char* code : {"en", "fr", "it", "de", "es", "pt", "nl", "pl", "cs", "tr", "ru"}) {
    std::string contents, error;
    mk::TextSource texts;
    const std::string name = std::string(code) + ".txt";
    ASSERT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/texts/" + name, &contents, &error)) << error;
    ASSERT_TRUE(mk::parseTextSource(contents, name, &texts, &error)) << error;
    for (int id : {91, 92, 97}) {
      ASSERT_GT(texts.strings[0].size(), static_cast<size_t>(id)) << name;
      const std::u16string& text = texts.strings[0][static_cast<size_t>(id)];
      EXPECT_GT(text.size(), 8u) << name << " " << id;
      EXPECT_EQ(text.find(u"P0-"), std::u16string::npos) << name << " " << id;
    }
  }
}

TEST(CareerLayouts, TheBuilderRefusesCareerMenusThatMissWhatTheScreensRead) {
  const std::vector<mk::MenuRecord> shipped = shippedMenus();
  std::string error;
  ASSERT_TRUE(mk::checkMenuNeeds(shipped, &error)) << error;
  struct Case {
    const char* what;
    std::function<void(std::vector<mk::MenuRecord>&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"the map view without its size", [](auto& m) { m[45].items[38].kind = mk::ItemKind::kNone; m[45].items[38].sized = false; },
       "menu 45 item 38 lacks item class 3"},
      {"the first bar without its size", [](auto& m) { m[42].items[25].sized = false; }, "menu 42 item 25 lacks a size"},
      {"the row menu without its level frame", [](auto& m) { m[43].items.resize(7); }, "menu 43 item 7 lacks the item"},
      {"a still caption", [](auto& m) { m[41].items[10].flags = 0; }, "menu 41 item 10 lacks flags 8"},
      {"the homes' places gone", [](auto& m) { m[44].items.resize(30); }, "menu 44 item 43"},
      {"the card's week as a place", [](auto& m) { m[10].items[6].kind = mk::ItemKind::kNone; }, "menu 10 item 6 lacks item class 2"},
      {"a shown hint", [](auto& m) { m[45].items[40].flags = 0; }, "menu 45 item 40 lacks flags 16"},
      {"the row's band gone", [](auto& m) { m[50].items.resize(4); }, "menu 50 item 4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<mk::MenuRecord> menus = shipped;
    c.damage(menus);
    error.clear();
    EXPECT_FALSE(mk::checkMenuNeeds(menus, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

struct Box {
  std::string what;
  int x, y, w, h;
};
bool overlap(const Box& a, const Box& b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; }

// The rows of the creation list: menu 43 under the arrows' column, two rows from y 329.
constexpr int kCreationRowX = 170, kCreationRowY = 329, kCreationRows = 2;

class CareerScreensTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    menus_ = shippedMenus();
  }

  const mk::MenuItem& item(int m, int i) const { return menus_[static_cast<size_t>(m)].items[static_cast<size_t>(i)]; }
  static ASprite* sprite(int type) { return CGame::GetAnimationIDByClass(type); }

  // A string item's box: its width the box, its height the font's, placed by its anchor.
  Box text(int m, int i, int dx = 0, int dy = 0) const {
    const mk::MenuItem& t = item(m, i);
    const int h = sprite(t.type)->GetFontHeight();
    return {"menu " + std::to_string(m) + " text " + std::to_string(i), dx + t.x - t.box * (t.anchor % 3) / 2,
            dy + t.y - h * (t.anchor / 3) / 2, t.box, h};
  }
  Box sized(int m, int i, int w, int h, int dx = 0, int dy = 0) const {
    return {"menu " + std::to_string(m) + " item " + std::to_string(i), dx + item(m, i).x, dy + item(m, i).y, w, h};
  }
  // What a frame or an animation's first frame covers, drawn at the item.
  Box drawn(int m, int i, int dx = 0, int dy = 0) const {
    const mk::MenuItem& t = item(m, i);
    ASprite* s = sprite(t.type);
    const int frame = t.kind == mk::ItemKind::kAnimation ? aload(s->aframeFrame, aload(s->animFirstAFrame, t.id)) & 0xFF : t.id;
    IntArray* r = Array::newIntArray(4);
    s->GetFrameRect(r, frame, dx + t.x, dy + t.y, 0);
    return {"menu " + std::to_string(m) + " picture " + std::to_string(i), aload(r, 0), aload(r, 1),
            aload(r, 2) - aload(r, 0), aload(r, 3) - aload(r, 1)};
  }
  static int frameW(int frame) { return sprite(19)->GetFrameWidth(frame); }
  static int frameH(int frame) { return sprite(19)->GetFrameHeight(frame); }

  // No two boxes meet, and each lies on the screen above the soft-key bar's top (420).
  static void expectClear(const std::vector<Box>& boxes, int bottom = 420) {
    for (size_t a = 0; a < boxes.size(); a++) {
      const Box& b = boxes[a];
      EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.w <= CGame::kGameWidth && b.y + b.h <= bottom)
          << b.what << " at " << b.x << "," << b.y << " " << b.w << "x" << b.h;
      for (size_t c = a + 1; c < boxes.size(); c++) {
        EXPECT_FALSE(overlap(b, boxes[c])) << b.what << " meets " << boxes[c].what;
      }
    }
  }

  // The career card (menu 46) at a place: its parts, then the card as one box.
  std::vector<Box> cardParts(int x, int y) const {
    return {text(46, 5, x, y), text(46, 6, x, y), text(46, 8, x, y),
            {"home picture", x + item(46, 9).x, y + item(46, 9).y, 30, 20},
            {"card player", x + item(46, 10).x - 20, y + item(46, 10).y - 64, 40, 82}};
  }
  Box card(int x, int y) const { return {"card", x, y, frameW(kCareerBackdropCard), frameH(kCareerBackdropCard)}; }

  std::vector<mk::MenuRecord> menus_;
};

TEST_F(CareerScreensTest, TheLobbysMapTextsCardAndBarsKeepApart) {
  const int cx = item(45, 37).x, cy = item(45, 37).y;
  std::vector<Box> lobby = {sized(45, 38, item(45, 38).w, item(45, 38).h), card(cx, cy), text(45, 39), text(45, 9), text(45, 11)};
  for (int i = 0; i < 6; i++) {
    lobby.push_back(text(45, 19 + i));
    lobby.push_back(text(45, 25 + i));
    lobby.push_back(sized(45, 31 + i, item(45, 31).w, item(45, 31).h));
  }
  expectClear(lobby);
  expectClear(cardParts(cx, cy), cy + frameH(kCareerBackdropCard));
  for (const Box& part : cardParts(cx, cy)) {
    const Box whole = card(cx, cy);
    EXPECT_TRUE(part.x >= whole.x && part.y >= whole.y && part.x + part.w <= whole.x + whole.w &&
                part.y + part.h <= whole.y + whole.h) << part.what << " leaves the card";
  }
  // The corner pieces stay in the title bar.
  for (int i : {41, 42}) EXPECT_LE(drawn(45, i).y + drawn(45, i).h, 56) << i;
}

TEST_F(CareerScreensTest, TheCreationPanelCaptionArrowsAndRowsKeepApart) {
  const int px = item(41, 11).x, py = item(41, 11).y;
  std::vector<Box> screen = {{"panel", px, py, frameW(kCareerBackdropCreationPanel), frameH(kCareerBackdropCreationPanel)},
                             text(41, 10), drawn(41, 14), drawn(41, 15),
                             {"rows", kCreationRowX, kCreationRowY, item(43, 1).w, kCreationRows * item(43, 1).h}};
  expectClear(screen, 422);
  std::vector<Box> panel = {text(42, 3, px, py), sized(42, 6, 140, 140, px, py)};
  for (int i = 0; i < 6; i++) {
    panel.push_back(text(42, 13 + i, px, py));
    panel.push_back(text(42, 19 + i, px, py));
    panel.push_back(sized(42, 25 + i, item(42, 25).w, item(42, 25).h, px, py));
  }
  expectClear(panel, py + frameH(kCareerBackdropCreationPanel));
  // A row: label and value inside the highlight and apart.
  const Box row = {"row", 0, 0, item(43, 1).w, item(43, 1).h};
  for (const Box& b : {text(43, 2), text(43, 5)}) {
    EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.w <= row.w && b.y + b.h <= row.h) << b.what;
  }
  EXPECT_FALSE(overlap(text(43, 2), text(43, 5)));
}

TEST_F(CareerScreensTest, TheOtherCareerScreensKeepApart) {
  // Home: the two option rows (their fixed touch boxes) and the player.
  expectClear({{"option 0", 0, item(47, 9).y, 310, 60}, {"option 1", 0, item(47, 10).y, 310, 60},
               sized(47, 13, 140, 140)});
  // Appearance: the card, the list area and the arrows above and below it.
  const Box list = sized(48, 14, item(48, 14).w, item(48, 14).h);
  expectClear({card(item(48, 7).x, item(48, 7).y), list, drawn(48, 11)});
  EXPECT_GE(drawn(48, 12).y, list.y + list.h) << "the down arrow lies below the list";
  for (int row = 0; row < 2; row++) {
    const int y = item(48, 9).y + row * (item(48, 10).y - item(48, 9).y);
    EXPECT_TRUE(y >= list.y && y + item(43, 1).h <= list.y + list.h) << "appearance row " << row;
  }
  // The weekly update: the name, three rows and six rows of menu 50, apart.
  std::vector<Box> update = {text(49, 16)};
  const int rowW = item(50, 1).w, rowH = item(50, 1).h;
  for (int k = 0; k < 3; k++) update.push_back({"top row", item(49, 13).x, item(49, 13).y + k * (item(49, 14).y - item(49, 13).y), rowW, rowH});
  for (int k = 0; k < 6; k++) update.push_back({"attribute row", item(49, 6).x, item(49, 6).y + k * (item(49, 7).y - item(49, 6).y), rowW, rowH});
  expectClear(update);
  // The row: label, bar box and band inside it; label and bar apart.
  const Box bar = sized(50, 3, item(50, 3).w, item(50, 3).h);
  EXPECT_FALSE(overlap(text(50, 5), bar));
  EXPECT_LE(drawn(50, 4).x + drawn(50, 4).w, rowW);
  EXPECT_LE(bar.x + bar.w, rowW);
  // The load screen's career card: the player's frame and the texts, inside the panel.
  const Box panel = sized(8, 4, item(8, 4).w, item(8, 4).h);
  const std::vector<Box> cardBoxes = {sized(10, 1, 140, 140), text(10, 2), text(10, 4), text(10, 6)};
  expectClear(cardBoxes);
  for (const Box& b : cardBoxes) {
    EXPECT_TRUE(b.x >= panel.x && b.y >= panel.y && b.x + b.w <= panel.x + panel.w && b.y + b.h <= panel.y + panel.h) << b.what;
  }
  EXPECT_LE(2 * item(10, 3).x, panel.x + panel.w) << "the line runs to twice its x";
}

}  // namespace
}  // namespace sorv::test
