// The promotion screen: loading every step, moving between pages, the lists, the link that
// is opened with the language put in, the second entry, and what touch answers.
#include "device/graphics.h"
#include "runtime/clock.h"
#include "tests/promo/promo_fixture.h"
#include "tools/data/promo_ids.h"

namespace sorv::test {
namespace {

class PromoScreenTest : public PromoTest {
 protected:
  void SetUp() override {
    PromoTest::SetUp();
    useData("EN");
  }
  static void paint() { IGP::paint(CGame::backBufferGraphics); }
  static void press(int32_t act) { IGP::update(act); }
  static void tap(int32_t x, int32_t y) {
    IGP::pointerPressedIGP(x, y);
    IGP::pointerReleasedIGP(x, y);
  }
  static std::string pending() { return isNull(IGP::pendingLink.get()) ? "<null>" : String::toUtf8(IGP::pendingLink); }
  // Selects on the page shown and gives back the link the next paint would open.
  static std::string opened() {
    press(IGP::kActionSelect);
    press(0);
    return pending();
  }
  static void goToPage(int32_t page) {
    for (int32_t i = 0; i < 10 && IGP::currentPage != page; i++) {
      press(IGP::kActionRight);
      for (int32_t f = 0; f < 6; f++) paint();
    }
  }
};

TEST_F(PromoScreenTest, LoadingRunsEveryStepAndShowsTheFirstPage) {
  startPromotion(shippedPromoProperties());
  LogCapture log;
  enterAndLoad();
  EXPECT_EQ(IGP::state, IGP::kStatePage);
  EXPECT_EQ(IGP::currentPage, 0);
  EXPECT_EQ(IGP::loadStep, IGP::lastLoadStep + 2);
  EXPECT_EQ(IGP::dataOffsetCount, 0) << "the file is closed at the last step";
  for (int32_t page : {0, 2, IGP::promoPage, IGP::firstListPage, IGP::secondListPage, IGP::linkPage}) {
    EXPECT_FALSE(isNull(IGP::imageAt(IGP::pageImages, page))) << page;
  }
  EXPECT_FALSE(isNull(IGP::languageImage.get()));
  EXPECT_FALSE(isNull(IGP::extraImage.get())) << "English gets the link page's extra picture";
  EXPECT_FALSE(log.contains("promotion data:")) << log.text();
}

// A header with the given products (their pictures and texts left as shipped).
Bytes headerWith(const std::vector<std::string>& products) {
  return PromoBytes()
      .u16(0)
      .text("x")
      .list({"EN", "FR"})
      .list(products)
      .list({"GAMES", "G1", "TOP1"})
      .list({"N1", "TOP2"})
      .list({})
      .u16(0)
      .text("IGP-1.0")
      .out;
}

TEST_F(PromoScreenTest, FewProductsStillLoadEveryStep) {
  for (const std::vector<std::string>& products : {std::vector<std::string>{}, std::vector<std::string>{"RR"}}) {
    SCOPED_TRACE(products.size());
    std::vector<Bytes> entries;
    const Bytes shipped = shippedFile();
    for (int32_t i = 0; i < promo::kEntryCount; i++) {
      Bytes e;
      mkdata::resourcePackEntry(shipped, i, &e);
      entries.push_back(i == promo::kEntryHeader ? headerWith(products) : e);
    }
    useData("EN", pack(entries));
    startPromotion(shippedPromoProperties());
    ASSERT_TRUE(IGP::IsAvailable());
    enterAndLoad();
    EXPECT_EQ(IGP::state, IGP::kStatePage);
    EXPECT_FALSE(isNull(IGP::imageAt(IGP::pageImages, IGP::linkPage))) << "step 8 ran";
    EXPECT_FALSE(isNull(IGP::extraImage.get()));
    EXPECT_EQ(IGP::dataOffsetCount, 0) << "the last step closed the file";
  }
}

TEST_F(PromoScreenTest, PagesWrapBothWaysPastInvalidOnes) {
  startPromotion(shippedPromoProperties());
  enterAndLoad();
  const int32_t rightwards[] = {2, 3, 4, 5, 6, 0};
  for (int32_t expected : rightwards) {
    press(IGP::kActionRight);
    EXPECT_EQ(IGP::currentPage, expected);
    for (int32_t f = 0; f < 6; f++) paint();
  }
  press(IGP::kActionLeft);
  EXPECT_EQ(IGP::currentPage, IGP::linkPage);
  // Right while the left arrow still flashes only sets the page up again.
  press(IGP::kActionRight);
  EXPECT_EQ(IGP::currentPage, IGP::linkPage);
  for (int32_t f = 0; f < 6; f++) paint();
  press(IGP::kActionRight);
  EXPECT_EQ(IGP::currentPage, 0);
}

TEST_F(PromoScreenTest, OneValidPageNeitherMovesNorShowsArrows) {
  startPromotion({{"IGP-GAMES", "RR=rr"}, {"IGP-LINK", "http://example.invalid/[GAME]"}});
  ASSERT_EQ(IGP::getPagesCount(), 1);
  enterAndLoad();
  press(IGP::kActionRight);
  press(IGP::kActionLeft);
  EXPECT_EQ(IGP::currentPage, 0);
  EXPECT_FALSE(IGP::leftArrowFlash);
  paint();
  Image* arrow = IGP::imageAt(IGP::uiImages, 5);
  const uint16_t white = rgb(0xFFFFFF);
  EXPECT_EQ(at(arrow->width / 2, IGP::screenCenterY), white) << "no left arrow";
}

TEST_F(PromoScreenTest, TheListScrollsWithItsSelection) {
  startPromotion(shippedPromoProperties());
  enterAndLoad();
  goToPage(IGP::firstListPage);
  paint();
  ASSERT_TRUE(IGP::isListPage);
  ASSERT_EQ(IGP::listRowCount, 9);
  ASSERT_LT(IGP::listVisibleRows, 9);
  for (int32_t i = 0; i < 12; i++) press(IGP::kActionDown);
  EXPECT_EQ(IGP::listSelection, 8);
  EXPECT_EQ(IGP::listTop, 9 - IGP::listVisibleRows);
  for (int32_t i = 0; i < 12; i++) press(IGP::kActionUp);
  EXPECT_EQ(IGP::listSelection, 0);
  EXPECT_EQ(IGP::listTop, 0);
}

TEST_F(PromoScreenTest, TheOpenedLinkCarriesTheLanguageCode) {
  const struct {
    const char* linkTemplate;
    const char* portal;
    bool home;
    const char* expected;
  } cases[] = {
      {"http://h/[GAME]&ctr&lang=xx", "http://p", false, "http://h/rr&ctr&lang=EN&ctr=01"},
      {"http://h/[GAME]&ctr", "http://p", false, "http://h/rr&ctr&ctr=01lang=EN"},
      {"http://h/[GAME]&ctr", "http://p?lang=x", true, "http://p?lang=EN"},
      {"http://h/[GAME]&ctr", "http://p?lang=", true, "http://p?lang=EN"},
      {"http://h/[GAME]", "http://p?lang=xx", true, "http://p?lang=xx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    PromoProperties p = shippedPromoProperties();
    p["IGP-LINK"] = c.linkTemplate;
    p["IGP-PORTAL"] = c.portal;
    startPromotion(p);
    enterAndLoad();
    if (c.home) {
      goToPage(IGP::firstListPage);
      paint();
      for (int32_t i = 0; i < 7; i++) press(IGP::kActionDown);
    }
    EXPECT_EQ(opened(), c.expected);
    IGP::unloadResources(true);
  }
}

TEST_F(PromoScreenTest, TheSecondEntryOpensItsLinkAndLeaves) {
  startPromotion(shippedPromoProperties());
  IGP::enterZVIP();
  EXPECT_EQ(IGP::state, IGP::kStateVipPending);
  EXPECT_EQ(pending(), "http://example.invalid/portal?from=sorvantel&lang=xx&ctr=0");
  EXPECT_FALSE(IGP::update(0));
  paint();
  EXPECT_EQ(pending(), "<null>");
  EXPECT_TRUE(IGP::update(0));

  startPromotion({{"IGP-GAMES", "RR=rr"}, {"IGP-LINK", "http://example.invalid/[GAME]"}});
  IGP::enterZVIP();
  EXPECT_EQ(pending(), "<null>");
  EXPECT_TRUE(IGP::update(0)) << "without a link the entry ends at once";
}

TEST_F(PromoScreenTest, TouchAnswersEveryTarget) {
  startPromotion(shippedPromoProperties());
  IGP::enterIGP(String::fromCString("t"), 0);
  EXPECT_EQ(IGP::updateTouchIGP(30, 240), 0) << "nothing while loading";
  enterAndLoad();
  paint();
  const int32_t boxX = IGP::boxX + IGP::boxWidth / 2, boxY = IGP::boxY + IGP::boxHeight / 2;
  const struct {
    int32_t x, y, action;
  } cases[] = {{boxX, boxY, 27}, {30, 240, 23}, {770, 240, 24}, {740, 450, 26}, {100, 450, 0}, {0, 0, 0}, {400, 20, 0}};
  for (const auto& c : cases) EXPECT_EQ(IGP::updateTouchIGP(c.x, c.y), c.action) << c.x << "," << c.y;

  // A held box stays lit (and shows the touched colour) whatever the blink says.
  IGP::pointerPressedIGP(boxX, boxY);
  EXPECT_EQ(IGP::touchAction, 27);
  for (int32_t ms : {0, 300, 600}) {
    clock::advance(static_cast<uint32_t>(ms));
    paint();
    EXPECT_EQ(at(boxX, IGP::boxY + 1), rgb(0x5800F2)) << ms;
  }
  IGP::pointerReleasedIGP(boxX, boxY);
  EXPECT_TRUE(IGP::touchPending);
  press(0);
  EXPECT_EQ(IGP::state, IGP::kStateOpening);
}

TEST_F(PromoScreenTest, ATapOnAnotherRowSelectsAndOnTheSelectedOneOpens) {
  startPromotion(shippedPromoProperties());
  enterAndLoad();
  goToPage(IGP::firstListPage);
  paint();
  const int32_t row1 = IGP::listRowsY + IGP::listRowHeight + IGP::listRowHeight / 2;
  tap(IGP::screenCenterX, row1);
  EXPECT_EQ(IGP::listSelection, 1);
  EXPECT_FALSE(IGP::touchPending) << "the press selected it: its release does not open it";
  tap(IGP::screenCenterX, row1);
  EXPECT_TRUE(IGP::touchPending);
  press(0);
  press(0);
  EXPECT_EQ(pending(), "http://example.invalid/game?id=g1&ctr&lang=EN");
  // The paint hands the link over and the page comes back; the scroll arrows answer near
  // them; back leaves and frees everything.
  paint();
  EXPECT_EQ(IGP::state, IGP::kStatePage);
  paint();
  EXPECT_EQ(IGP::updateTouchIGP(IGP::screenCenterX, IGP::listDownArrowY), IGP::kActionDown);
  tap(740, 450);
  press(0);
  EXPECT_TRUE(IGP::update(0));
  EXPECT_TRUE(isNull(IGP::uiImages.get()));
  EXPECT_FALSE(IGP::active);
}

}  // namespace
}  // namespace sorv::test
