// The promotion's page model over variants of the application properties: which pages and
// rows get links, what those links are, the link checks, and the text ids.
#include "tests/promo/promo_fixture.h"
#include "tools/data/promo_ids.h"

namespace sorv::test {
namespace {

class PromoModelTest : public PromoTest {
 protected:
  void SetUp() override {
    PromoTest::SetUp();
    useData("EN");
  }
  static String* s(const char* text) { return text == nullptr ? nullptr : String::fromCString(text); }
  static std::string text(String* value) { return isNull(value) ? "<null>" : String::toUtf8(value); }
  static std::string link(int32_t page) { return text(IGP::pageLink(page)); }
  static std::string row(int32_t list, int32_t r) {
    ObjectArray* links = static_cast<ObjectArray*>(IGP::listLinks->elements()[list]);
    return text(static_cast<String*>(links->elements()[r]));
  }
};

const char* const kPortal = "http://example.invalid/portal?from=sorvantel&lang=xx";

TEST_F(PromoModelTest, TheShippedPropertiesGiveEveryPageItsLink) {
  startPromotion(shippedPromoProperties());
  ASSERT_TRUE(IGP::IsAvailable());
  EXPECT_EQ(IGP::productCount, 3);
  EXPECT_EQ(IGP::pageCount, 7);
  // The product without a value has no page; the ones after it are numbered on.
  EXPECT_EQ(link(0), "http://example.invalid/game?id=rr&ctr&lang=xx&ctr=01");
  EXPECT_FALSE(IGP::pageIsValid(1));
  EXPECT_EQ(link(2), "http://example.invalid/game?id=ck&ctr&lang=xx&ctr=02");
  EXPECT_EQ(IGP::pageKinds->elements()[2], 4);
  EXPECT_EQ(link(IGP::promoPage), std::string(kPortal) + "&ctr=0");
  EXPECT_EQ(IGP::pageKinds->elements()[IGP::promoPage], 0);
  EXPECT_EQ(link(IGP::linkPage), std::string(kPortal) + "&page=link");
  EXPECT_TRUE(IGP::pageIsValid(IGP::firstListPage));
  EXPECT_TRUE(IGP::pageIsValid(IGP::secondListPage));
  EXPECT_EQ(IGP::getPagesCount(), 6);
  EXPECT_EQ(IGP::getFirstValidPage(), 0);
  EXPECT_EQ(IGP::lastLoadStep, 9);
  EXPECT_EQ(IGP::extraPageSteps->elements()[0], -2);
  const int32_t chunks[] = {4, -1, 4, 5, 6, 7, 8};
  for (int32_t p = 0; p < 7; p++) EXPECT_EQ(IGP::getPageChunkIndex(p), chunks[p]) << p;
}

TEST_F(PromoModelTest, ListRowsFollowTheirCodesAndTextIds) {
  startPromotion(shippedPromoProperties());
  // First list: GAMES, G1..G6, HOME (the portal), TOP1 (from the promotion property).
  EXPECT_EQ(IGP::listLinkCounts->elements()[0], 9);
  EXPECT_EQ(row(0, 0), "http://example.invalid/game?id=all&ctr&lang=xx");
  EXPECT_EQ(row(0, 6), "http://example.invalid/game?id=g6&ctr&lang=xx");
  EXPECT_EQ(row(0, 7), kPortal);
  EXPECT_EQ(row(0, 8), std::string(kPortal) + "&ctr=0");
  // Second list: N1, N2 and TOP2.
  EXPECT_EQ(IGP::listLinkCounts->elements()[1], 3);
  EXPECT_EQ(row(1, 1), "http://example.invalid/game?id=n2&ctr&lang=xx");
  const promo::TextIds ids{3, 9, 3};
  IntArray* first = static_cast<IntArray*>(IGP::listTextIds->elements()[0]);
  IntArray* second = static_cast<IntArray*>(IGP::listTextIds->elements()[1]);
  for (int32_t i = 0; i < 9; i++) EXPECT_EQ(first->elements()[i], ids.base() + 14 + i) << i;
  for (int32_t i = 0; i < 3; i++) EXPECT_EQ(second->elements()[i], ids.base() + 23 + i) << i;
  EXPECT_EQ(IGP::firstListLastText, ids.firstListLast());

  // A row without a link is skipped; its neighbours keep their code index.
  PromoProperties p = shippedPromoProperties();
  p["IGP-LIST1"] = "N1=none;N2=n2";
  startPromotion(p);
  EXPECT_EQ(IGP::listLinkCounts->elements()[1], 2);
  EXPECT_EQ(static_cast<IntArray*>(IGP::listEntryCodes->elements()[1])->elements()[0], 1);
}

TEST_F(PromoModelTest, CheckUrlRefusesBlanksAndTheSpecialValues) {
  const struct {
    const char* link;
    int32_t flags;
    bool passes;
  } cases[] = {
      {nullptr, 7, false}, {nullptr, 0, true}, {"   ", 7, false}, {"", 1, false}, {"self", 7, false},
      {"SELF", 5, true},   {" none ", 7, false}, {"0", 7, false}, {"0", 3, true}, {"http://x", 7, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IGP::checkURL(s(c.link), c.flags), c.passes) << (c.link == nullptr ? "null" : c.link) << " " << c.flags;
  }
}

TEST_F(PromoModelTest, GetRedirLinkFillsThePlaceholderButNotTheSpecialValues) {
  const struct {
    const char* property;
    const char* key;
    const char* templ;
    const char* expected;
  } cases[] = {
      {"A=a;B=b", "B", "http://h/[GAME]/x", "http://h/b/x"},
      {"A=a;B=b", "A", "http://h/plain", "http://h/plain"},
      {"A= a ", "A", " http://h/[GAME] ", "http://h/a"},
      {"A=;B=b", "A", "http://h/[GAME]", ""},
      {"A=none", "A", "http://h/[GAME]", ""},
      {"A=0", "A", "http://h/[GAME]", ""},
      {"A=self", "A", "http://h/[GAME]", "self"},
      {"PORTAL=http://p", "PORTAL", "http://h/[GAME]", "http://p"},
      {"A=a", "C", "http://h/[GAME]", nullptr},
      {"A=a", "A", "  ", nullptr},
      {nullptr, "A", "http://h", nullptr},
      {"A=a", nullptr, "http://h", nullptr},
      {"A=a", "A", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.property == nullptr ? "null" : c.property) + " " + (c.key == nullptr ? "null" : c.key));
    EXPECT_EQ(text(IGP::getRedirLink(s(c.property), s(c.key), s(c.templ))), c.expected == nullptr ? "<null>" : c.expected);
  }
}

TEST_F(PromoModelTest, MissingPropertiesNeverBecomeLinks) {
  startPromotion({});
  EXPECT_FALSE(IGP::IsAvailable());
  EXPECT_EQ(IGP::getFirstValidPage(), -1);
  EXPECT_TRUE(isNull(IGP::getAppProperty(s("IGP-PORTAL"))));
  EXPECT_FALSE(IGP::isZVipAvailable());
  EXPECT_EQ(text(IGP::portalLink), "");

  // Without the portal: no promotion page, no link page, no last rows; products stay.
  PromoProperties p = shippedPromoProperties();
  p.erase("IGP-PORTAL");
  startPromotion(p);
  EXPECT_TRUE(IGP::IsAvailable());
  EXPECT_FALSE(IGP::pageIsValid(IGP::promoPage));
  EXPECT_FALSE(IGP::pageIsValid(IGP::linkPage));
  EXPECT_EQ(IGP::listLinkCounts->elements()[1], 2);
  EXPECT_EQ(row(0, 7), "<null>") << "HOME has no portal to open";

  // No valid page at all: not available, though the file was read.
  startPromotion({{"IGP-TEXT", "HELLO"}});
  EXPECT_FALSE(IGP::IsAvailable());
  EXPECT_EQ(IGP::validPageCount, 0);
}

TEST_F(PromoModelTest, TheVipEntryNeedsItsCodeTwiceOrItsOwnProperty) {
  startPromotion(shippedPromoProperties());
  EXPECT_TRUE(IGP::isZVipAvailable());
  EXPECT_EQ(text(IGP::vipLink), std::string(kPortal) + "&ctr=0");
  const struct {
    const char* promo;
    bool available;
  } cases[] = {{"VIP=VIP;PROMO=promo", true}, {"VIP=VIP", false}, {"VIP=VIX;PROMO=promo", false}, {"PROMO=promo", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.promo);
    PromoProperties p = shippedPromoProperties();
    p["IGP-PROMO"] = c.promo;
    startPromotion(p);
    EXPECT_EQ(IGP::isZVipAvailable(), c.available);
  }
  // The placeholder of the portal takes the VIP code.
  PromoProperties p = shippedPromoProperties();
  p["IGP-PORTAL"] = "http://example.invalid/[GAME]/portal";
  startPromotion(p);
  EXPECT_TRUE(IGP::isZVipAvailable());
  EXPECT_EQ(text(IGP::vipLink), "http://example.invalid/VIP/portal&ctr=0");
}

TEST_F(PromoModelTest, WithTheExtraPageOnlyProductsAndThePortalRemain) {
  useData("EN", {}, mkdata::PromoOptions{true});
  startPromotion(shippedPromoProperties());
  EXPECT_EQ(IGP::pageCount, 8);
  EXPECT_EQ(IGP::lastLoadStep, 10);
  EXPECT_EQ(IGP::extraPageSteps->elements()[0], 9);
  EXPECT_TRUE(IGP::pageIsValid(IGP::extraPage));
  EXPECT_EQ(link(IGP::extraPage), kPortal);
  for (int32_t page : {IGP::promoPage, IGP::firstListPage, IGP::secondListPage, IGP::linkPage}) {
    EXPECT_FALSE(IGP::pageIsValid(page)) << page;
  }
  EXPECT_EQ(IGP::getPageChunkIndex(IGP::extraPage), 9);
}

TEST_F(PromoModelTest, TextIdsFollowTheNumberOfProducts) {
  const struct {
    int32_t products, base, ok, firstLast;
  } cases[] = {{0, 4, 11, 19}, {1, 4, 11, 19}, {3, 6, 13, 21}};
  for (const auto& c : cases) {
    const promo::TextIds ids{c.products, 2, 0};
    EXPECT_EQ(ids.base(), c.base) << c.products;
    EXPECT_EQ(ids.ok(), c.ok);
    EXPECT_EQ(ids.firstListLast(), c.firstLast);
    EXPECT_EQ(ids.secondListLast(), c.firstLast + 1) << "an empty list still takes an id";
  }
}

TEST_F(PromoModelTest, ThePromotionTextIsWrappedAfreshOnEveryLoad) {
  PromoProperties p = shippedPromoProperties();
  const struct {
    const char* text;
    const char* wrapped;
  } cases[] = {
      {"play more\\nnow", "PLAY MORE\nNOW"},
      {"one\\ntwo\\nthree", nullptr},
      {"bad ~ character", nullptr},
      {"none", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    p["IGP-TEXT"] = c.text;
    startPromotion(p);
    for (int32_t visit = 0; visit < 2; visit++) {
      IGP::enterIGP(s("t"), 0);
      for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
      EXPECT_EQ(text(IGP::promotionText), c.wrapped == nullptr ? "<null>" : c.wrapped) << "visit " << visit;
      IGP::unloadResources(true);
    }
  }
  // A long text wraps at a space to a third line, and the next visit shows the same.
  p["IGP-TEXT"] =
      "A VERY LONG PROMOTION TEXT THAT SURELY PASSES THE WIDTH OF THE SCREEN ONCE AND THEN AGAIN, "
      "SO THAT IT TAKES ALL THREE OF THE LINES THE PAGE GIVES IT AND NOT ONE MORE";
  startPromotion(p);
  std::string first;
  for (int32_t visit = 0; visit < 2; visit++) {
    IGP::enterIGP(s("t"), 0);
    for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
    const std::string wrapped = text(IGP::promotionText);
    EXPECT_EQ(std::count(wrapped.begin(), wrapped.end(), '\n'), 2) << wrapped;
    if (visit == 0) first = wrapped;
    EXPECT_EQ(wrapped, first);
    IGP::unloadResources(true);
  }
}

}  // namespace
}  // namespace sorv::test
