// The records history on the shipped data: the topics list with its scrolled window, rows,
// taps and arrows, and a topic's pages: cutting, turning with wrap, counter and arrows, the
// topic without a page, and every language's first topic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"
#include "tools/data/menu_screens.h"

namespace sorv::test {
namespace {

constexpr int32_t kFire = 0x10000, kBack = 0x20000, kNext = 0x1100, kPrev = 0x2004;
constexpr int32_t kNextPage = 0x8040, kPrevPage = 0x4010;
constexpr int32_t kHistoryState = 10, kTopics = 12;
constexpr int32_t kPageMenu = 39, kTextItem = 13, kBottomItem = 11;
constexpr int32_t kFirstBody = 291;

int32_t linesWith(const LogCapture& log, const std::string& needle) {
  int32_t n = 0;
  const std::string text = log.text();
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) n++;
  return n;
}

class HistoryTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    openHistory();
  }
  static void openHistory() {
    CGame::SetMenu(1);
    setState(6);
    CGame::MenuPush(kTopics);
    CGame::PUSH_STATE(kHistoryState);
  }
  // One frame of the state: paint, then update, then the keys' end of frame.
  static void frame() {
    CGame::UPDATE_MACHINE();
    CGame::key_updateKey();
  }
  static void press(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::menuUpdate_RG_History();
    CGame::keysPressed = 0;
  }
  // Topic k (0-based) opened from the list with the window scrolled to `scroll`.
  static void openTopic(int32_t k, int32_t scroll) {
    CGame::menuScroll = scroll;
    CGame::menuCursor = k - scroll;
    press(kFire);
  }
  static ObjectArray* menuTexts() { return static_cast<ObjectArray*>(aload(CGame::textPacks.get(), kTextMenus)); }
  static void setBody(int32_t topic, const std::string& text) {
    astore(menuTexts(), kFirstBody + 2 * topic, String::fromCString(text.c_str()));
  }
  static std::string body(int32_t topic) {
    return String::toUtf8(static_cast<String*>(aload(menuTexts(), kFirstBody + 2 * topic)));
  }
  static int32_t pages() { return isNull(CGame::historyPages) ? -1 : CGame::historyPages->length - 1; }
  static std::string page(int32_t p) {
    return String::toUtf8(static_cast<String*>(aload(CGame::historyPages.get(), p)));
  }
  static std::string joined() {
    std::string all;
    for (int32_t p = 1; p <= pages(); p++) all += page(p);
    return all;
  }
  // Lines a page takes, from the layout's own numbers: the box from the text's top to the
  // bottom of item 11, over the font's line height.
  static int32_t linesPerPage() {
    ASprite* font = CGame::MenuGetItemSprite(kPageMenu, kTextItem);
    const int32_t lineHeight = font->GetFontHeight() + font->GetLineSpacing();
    const int32_t box = (CGame::GetMenuItemPosition(kPageMenu, kBottomItem) >> 16) -
                        (CGame::GetMenuItemPosition(kPageMenu, kTextItem) >> 16) +
                        (CGame::GetMenuItemSize(kPageMenu, kBottomItem) >> 16);
    return box / lineHeight;
  }
  static std::string numberedLines(int32_t n) {
    std::string text;
    for (int32_t i = 0; i < n; i++) text += (i > 0 ? "\n" : "") + std::string("line ") + std::to_string(i + 1);
    return text;
  }
};

TEST_F(HistoryTest, TheMainMenuOpensTheTopicsInTheirState) {
  CGame::SetMenu(1);
  setState(6);
  CGame::menuScroll = 5;  // menu 5's list: 3, 4, 5, 12, 9, 8, 13
  CGame::menuCursor = 0;
  CGame::keysPressed = kFire;
  CGame::MenuUpdate_mainmenu();
  CGame::keysPressed = 0;
  while (CGame::mainMenuDelay > 0) CGame::MenuUpdate_mainmenu();
  LogCapture log;
  CGame::MenuUpdate_mainmenu();
  EXPECT_EQ(CGame::menuScreenCode, kTopics);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kHistoryState);
  ASSERT_FALSE(isNull(CGame::menuItems));
  EXPECT_EQ(CGame::menuItems->length, 7) << "menu 38 without its last id";
  EXPECT_FALSE(log.contains("not built")) << log.text();
}

TEST_F(HistoryTest, PagesAreCutByTheBoxAndJoinBackToTheBody) {
  const int32_t perPage = linesPerPage();
  ASSERT_GT(perPage, 1);
  struct Case {
    int32_t lines, pages;
  };
  const Case cases[] = {{1, 1},
                        {perPage, 1},
                        {2 * perPage, 2},
                        {2 * perPage + 1, 3},
                        {3 * perPage - 1, 3},
                        {3 * perPage, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    openHistory();
    setBody(0, numberedLines(c.lines));
    openTopic(0, 0);
    ASSERT_EQ(CGame::menuScreenCode, kFirstHistoryPageScreen);
    EXPECT_EQ(pages(), c.pages) << "no empty last page";
    EXPECT_TRUE(isNull(aload(CGame::historyPages.get(), 0)));
    EXPECT_EQ(joined(), body(0));
    // Each page but the last is full; the last holds the rest.
    const int32_t lastLines = c.lines - (c.pages - 1) * perPage;
    EXPECT_EQ(page(c.pages).find("line " + std::to_string(c.lines - lastLines + 1)), 0u) << page(c.pages);
  }
}

TEST_F(HistoryTest, PagesTurnBothWaysAndWrap) {
  setBody(0, numberedLines(2 * linesPerPage() + 1));
  openTopic(0, 0);
  ASSERT_EQ(pages(), 3);
  EXPECT_EQ(CGame::menuCursor, 0);
  const std::vector<int32_t> next = {1, 2, 0}, previous = {2, 1, 0};
  for (int32_t expected : next) {
    press(kNextPage);
    EXPECT_EQ(CGame::menuCursor, expected);
  }
  for (int32_t expected : previous) {
    press(kPrevPage);
    EXPECT_EQ(CGame::menuCursor, expected);
  }
}

TEST_F(HistoryTest, LeavingDropsThePagesAndReopeningCutsThemAgain) {
  openTopic(0, 0);
  ObjectArray* first = CGame::historyPages.get();
  ASSERT_FALSE(isNull(first));
  press(kNextPage);
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kTopics);
  EXPECT_TRUE(isNull(CGame::historyPages));
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kHistoryState) << "the state stays between list and page";
  press(kFire);
  EXPECT_EQ(CGame::menuScreenCode, kFirstHistoryPageScreen);
  ASSERT_FALSE(isNull(CGame::historyPages));
  EXPECT_NE(CGame::historyPages.get(), first);
  EXPECT_EQ(CGame::menuCursor, 0) << "a reopened topic starts on its first page";
}

// The page counter and both page arrows show only when there is more than one page: two
// bodies whose first pages are the same draw the same text, and differ only there.
TEST_F(HistoryTest, CounterAndArrowsOnlyWithMoreThanOnePage) {
  const int32_t perPage = linesPerPage();
  auto shownWith = [&](int32_t lines) {
    openHistory();
    setBody(0, numberedLines(lines));
    openTopic(0, 0);
    clear();
    CGame::menuPaint_RG_History();
    // The counter, the previous-page and next-page arrows, the page's text clear of both.
    return std::vector<std::vector<uint16_t>>{region(560, 385, 200, 30), region(15, 220, 40, 40),
                                              region(745, 220, 40, 40), region(100, 90, 600, 260)};
  };
  const auto one = shownWith(perPage), two = shownWith(perPage + 1);
  EXPECT_NE(one[0], two[0]) << "the counter";
  EXPECT_NE(one[1], two[1]) << "the previous-page arrow";
  EXPECT_NE(one[2], two[2]) << "the next-page arrow";
  EXPECT_EQ(one[3], two[3]) << "the same first page";
}

TEST_F(HistoryTest, ThePageArrowsTurnByTouch) {
  setBody(0, numberedLines(2 * linesPerPage() + 1));
  openTopic(0, 0);
  const auto tapAt = [](int32_t x, int32_t y) {
    CGame::releaseX = x;
    CGame::releaseY = y;
    frame();
  };
  tapAt(780, 240);  // the next-page arrow at (760, 240): box (745, 220, 40, 40)
  EXPECT_EQ(CGame::menuCursor, 1);
  tapAt(20, 240);  // the previous-page arrow at (40, 240): box (15, 220, 40, 40)
  tapAt(20, 240);
  EXPECT_EQ(CGame::menuCursor, 2) << "previous from the first page shows the last";
}

TEST_F(HistoryTest, ATopicWithoutAPageShowsItsTitleOnly) {
  setBody(0, "");
  LogCapture log;
  openTopic(0, 0);
  EXPECT_EQ(pages(), 0);
  EXPECT_EQ(linesWith(log, "no page"), 1) << log.text();
  press(kNextPage);
  EXPECT_EQ(CGame::menuCursor, 0) << "the page keys do nothing";
  press(kPrevPage);
  EXPECT_EQ(CGame::menuCursor, 0);
  frame();
  frame();
  EXPECT_EQ(linesWith(log, "no page"), 1) << "painting logs nothing";
  EXPECT_EQ(linesWith(log, "ArrayOutOfBound"), 0) << log.text();
  EXPECT_EQ(linesWith(log, "ArithmeticException"), 0) << log.text();

  // A topic screen that lists fewer than two ids has no pages at all.
  IntArray* titleOnly = Array::newIntArray(1);
  titleOnly->elements()[0] = 290;
  CGame::menuItems = titleOnly;
  CGame::generateHistoryPages();
  EXPECT_TRUE(isNull(CGame::historyPages));
  EXPECT_EQ(linesWith(log, "no page"), 2) << log.text();
  press(kNextPage);
  frame();
  EXPECT_EQ(linesWith(log, "ArrayOutOfBound"), 0) << log.text();
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kTopics);
}

// The font keeps 100 lines: a longer body gets the pages of its first 100 and one log line.
TEST_F(HistoryTest, ABodyPastTheLineTableKeepsItsFirstHundredLines) {
  const int32_t perPage = linesPerPage();
  setBody(0, numberedLines(120));
  LogCapture log;
  openTopic(0, 0);
  EXPECT_EQ(pages(), 100 / perPage + (100 % perPage != 0 ? 1 : 0));
  EXPECT_EQ(body(0).rfind(joined(), 0), 0u) << "the pages are the body's beginning";
  EXPECT_NE(joined().find("line 100\n"), std::string::npos);
  EXPECT_EQ(joined().find("line 101"), std::string::npos);
  EXPECT_EQ(linesWith(log, "runs past the line table"), 1) << log.text();
}

// The cursor is the row of the three-row window: the topic opened is cursor + scroll.
TEST_F(HistoryTest, AScrolledListOpensTheHighlightedTopicAndKeepsItsPlace) {
  for (int32_t i = 0; i < 4; i++) press(kNext);
  EXPECT_EQ(CGame::menuScroll, 2);
  EXPECT_EQ(CGame::menuCursor, 2);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 4);
  press(kFire);
  EXPECT_EQ(CGame::menuScreenCode, 17);
  ASSERT_FALSE(isNull(CGame::menuItems));
  ASSERT_EQ(CGame::menuItems->length, 2);
  EXPECT_EQ(CGame::menuItems->elements()[0], 298);
  EXPECT_EQ(CGame::menuItems->elements()[1], 299);
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kTopics);
  EXPECT_EQ(CGame::menuScroll, 2) << "the scroll is kept";
  EXPECT_EQ(CGame::menuCursor, 2);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 4) << "topic 5 is highlighted again";
}

TEST_F(HistoryTest, ATappedRowOpensItsTopicAfterTheBlink) {
  CGame::menuScroll = 2;
  CGame::menuCursor = 0;
  // Row 1 lies at (180, 182), 440 x 45.
  CGame::releaseX = 300;
  CGame::releaseY = 200;
  int32_t paints = 0;
  while (CGame::menuScreenCode == kTopics && paints < 10) {
    frame();
    paints++;
    if (paints == 1) EXPECT_EQ(CGame::menuCursor, 1) << "the touched row takes the cursor";
  }
  EXPECT_EQ(paints, 6) << "select fires on the sixth paint";
  EXPECT_EQ(CGame::menuScreenCode, kFirstHistoryPageScreen + 3) << "topic 4";
  EXPECT_FALSE(CGame::menuTouchSelect);
}

TEST_F(HistoryTest, APressPutsTheCursorOnTheTouchedRow) {
  CGame::menuScroll = 2;
  CGame::menuCursor = 0;
  CGame::pointerDown = true;
  CGame::pressX = 300;
  CGame::pressY = 260;  // row 2 at (180, 244)
  frame();
  EXPECT_EQ(CGame::menuCursor, 2);
  EXPECT_EQ(CGame::MenuGetHighLightItem(), 4);
  CGame::pointerDown = false;
}

TEST_F(HistoryTest, FewerThanThreeTopicsDrawFewerRows) {
  const auto thirdRow = [](int32_t topics) {
    IntArray* list = Array::newIntArray(topics);
    for (int32_t i = 0; i < topics; i++) list->elements()[i] = 290 + 2 * i;
    CGame::menuItems = list;
    clear();
    CGame::menuFrames = CGame::menuMoveFrames = CGame::menuPaintCount = 0;
    CGame::menuPaint_RG_History();
    return region(180, 244, 300, 45);  // row 2 at (180, 244)
  };
  const std::vector<uint16_t> two = thirdRow(2), three = thirdRow(3);
  EXPECT_NE(two, three);
  // No topic at all draws no row and reads no entry.
  CGame::menuItems = nullptr;
  LogCapture log;
  CGame::menuPaint_RG_History();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
}

TEST_F(HistoryTest, TheArrowsScrollTheList) {
  CGame::menuCursor = 2;  // the last row: the down arrow scrolls
  CGame::releaseX = 415;
  CGame::releaseY = 335;
  frame();
  EXPECT_EQ(CGame::menuScroll, 1);
  EXPECT_EQ(CGame::menuCursor, 2);
  CGame::menuCursor = 0;  // the first row: the up arrow scrolls back
  CGame::releaseX = 415;
  CGame::releaseY = 68;
  frame();
  EXPECT_EQ(CGame::menuScroll, 0);
  EXPECT_EQ(CGame::menuCursor, 0);
}

TEST_F(HistoryTest, BackLeavesTheHistoryForTheMainMenu) {
  CGame::scrollStringX = 0;
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, 1);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
  EXPECT_EQ(CGame::scrollStringX, CGame::kTickerIdle) << "the ticker restarts";
}

TEST_F(HistoryTest, TheShortestTopicTakesOnePage) {
  openTopic(6, 4);
  EXPECT_EQ(CGame::menuScreenCode, kFirstHistoryPageScreen + 6);
  EXPECT_EQ(pages(), 1);
  EXPECT_EQ(joined(), body(6));
}

// Every language's first topic runs to at least three pages, stays inside the line table
// (its last line ends at the body's end) and joins back to its body.
TEST_F(HistoryTest, EveryLanguagesFirstTopicJoinsBackToItsBody) {
  for (const char* language : {"EN", "DE", "FR", "ES", "IT", "NL", "PT", "PL", "CS", "TR", "RU"}) {
    SCOPED_TRACE(language);
    useShippedData(language);
    openHistory();
    openTopic(0, 0);
    EXPECT_GE(pages(), 3);
    EXPECT_LT(ASprite::wrapLineCount, 100);
    EXPECT_EQ(joined(), body(0));
  }
}

}  // namespace
}  // namespace sorv::test
