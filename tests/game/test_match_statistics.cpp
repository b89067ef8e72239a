// The match statistics from made-up counters: each row's rule, the team names, the
// placeholder of a negative value, and a table rebuilt on every opening.
#include <gtest/gtest.h>

#include <array>

#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tests/game/pause_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {
namespace {

using Counters = std::array<std::array<int32_t, 2>, 12>;

class StatisticsTest : public PauseTest {
 protected:
  static void setCounters(const Counters& c) {
    for (int32_t row = 0; row < 12; row++) {
      for (int32_t team = 0; team < 2; team++) {
        astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), row)), team, c[row][team]);
      }
    }
  }
  // Games of the first set and points of its first game.
  static void setScore(int32_t games0, int32_t games1, int32_t points0, int32_t points1) {
    CTennis::setIndex = CTennis::gameIndex = 0;
    auto* set0 = static_cast<ByteArray*>(aload(CTennis::setGames.get(), 0));
    astore(set0, 0, static_cast<int8_t>(games0));
    astore(set0, 1, static_cast<int8_t>(games1));
    astore(CTennis::gamePoints.get(), 0, static_cast<int8_t>(points0));
    astore(CTennis::gamePoints.get(), 1, static_cast<int8_t>(points1));
  }
  static int32_t value(int32_t row, int32_t team) {
    return aload(static_cast<IntArray*>(aload(CGame::matchStatistics.get(), row)), team);
  }
  static std::string name(int32_t team) {
    return utf8(static_cast<String*>(aload(static_cast<ObjectArray*>(aload(CGame::statLabels.get(), 0)), team)));
  }
};

TEST_F(StatisticsTest, RowsFollowTheCounters) {
  Counters c{};
  c[0] = {10, 0};   // first serves
  c[1] = {7, 0};    // of them in play
  c[2] = {2, 1};    // aces on the first serve
  c[6] = {1, 4};    // aces on the second serve
  c[8] = {3, 5};    // double faults
  c[10] = {6, 2};   // net points
  c[11] = {9, 8};   // errors
  c[4] = {99, 99};  // second serves: not shown
  setCounters(c);
  setScore(4, 2, 3, 1);
  CGame::initMatchStatistic();
  struct Row {
    int32_t row, team0, team1;
  };
  const Row rows[] = {{0, 3, 1}, {1, 70, 0}, {2, 3, 5}, {3, 3, 5}, {4, 4, 2}, {5, 9, 8}, {6, 6, 2}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(value(r.row, 0), r.team0);
    EXPECT_EQ(value(r.row, 1), r.team1);
  }
}

TEST_F(StatisticsTest, FirstServePercentIsIntegerAndSafe) {
  struct Case {
    int32_t served, in, percent;
  };
  const Case cases[] = {{0, 0, 0}, {0, 5, 0}, {3, 2, 66}, {3, 3, 100}, {7, 1, 14}, {-4, 2, -50}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.served * 100 + k.in);
    Counters c{};
    c[0] = {k.served, 0};
    c[1] = {k.in, 0};
    setCounters(c);
    CGame::initMatchStatistic();
    EXPECT_EQ(value(1, 0), k.percent);
  }
}

TEST_F(StatisticsTest, NamesAreThePlayersOrTheTeams) {
  CTennis::isDoubles = false;
  CGame::initMatchStatistic();
  EXPECT_EQ(name(0), utf8(CGame::gePlayerName(CTennis::player->rosterIndex, CTennis::player->attrValue1,
                                              CTennis::player->attrValue2)));
  EXPECT_EQ(name(1), utf8(CGame::gePlayerName(CTennis::rival->rosterIndex, CTennis::rival->attrValue1,
                                              CTennis::rival->attrValue2)));
  CTennis::isDoubles = true;
  CGame::initMatchStatistic();
  const std::string team = utf8(CGame::GetString(0, 23)) + utf8(StaticClass::getConstant(kConstOrdinalJoiner));
  EXPECT_EQ(name(0), team + utf8(CGame::GetString(0, 21)));
  EXPECT_EQ(name(1), team + utf8(CGame::GetString(0, 20)));
  CTennis::isDoubles = false;
}

TEST_F(StatisticsTest, OpeningTheMenuAgainRebuildsTheTable) {
  Counters c{};
  c[8] = {1, 0};
  setCounters(c);
  CGame::initPause(0);
  EXPECT_EQ(value(3, 0), 1);
  press(kBack);
  c[8] = {2, 6};
  setCounters(c);
  CGame::initPause(0);
  EXPECT_EQ(value(3, 0), 2);
  EXPECT_EQ(value(3, 1), 6);
}

TEST_F(StatisticsTest, ANegativeValueShowsThePlaceholder) {
  auto drawn = [](int32_t v0, int32_t v1) {
    clear();
    CGame::igm_drawMatchStatisticItem(nullptr, Array::fillInts(Array::newIntArray(2), {v0, v1}), 0, 200);
    return region(0, 180, 800, 40);
  };
  auto placeholders = [] {
    clear();
    CGame::setMenuPaintPosition(0, 200);
    CGame::DrawMenu(28, false);
    String* mark = StaticClass::getConstant(kConstNegativeStatistic);
    CGame::DrawStringAsItem(mark, 28, 2, false);
    CGame::DrawStringAsItem(mark, 28, 3, false);
    CGame::resetMenuPaintPosition();
    return region(0, 180, 800, 40);
  };
  EXPECT_EQ(drawn(-1, -7), placeholders());
  EXPECT_NE(drawn(1, 7), placeholders());
  EXPECT_EQ(CGame::menuPaintX, 0);
  EXPECT_EQ(CGame::menuPaintY, 0);
}

TEST_F(StatisticsTest, TheMatchOverPageAndTheMenuDrawTheTable) {
  Counters c{};
  c[0] = {4, 4};
  c[1] = {3, 2};
  setCounters(c);
  clear();
  CGame::drawMatchStatistic();
  EXPECT_EQ(value(1, 0), 75);
  EXPECT_FALSE(blank(40, 140, 720, 160));
  CGame::initPause(0);
  clear();
  CGame::paintIGM();
  EXPECT_FALSE(blank(0, 136, 800, 150));
}

// The end-of-match page backs the names' row, so whatever the court shows behind it (its speed
// and time boards) does not run into them; the rest of the panel lets the court show.
TEST_F(StatisticsTest, TheMatchOverPageBacksTheNamesRow) {
  setCounters(Counters{});
  Graphics* g = CGame::backBufferGraphics;
  g->setColor(0xFF0000);
  g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  CGame::drawMatchStatistic();
  auto redShows = [](int32_t top, int32_t bottom) {
    int32_t n = 0;
    for (int32_t y = top; y < bottom; y++)
      for (int32_t x = 40; x < 760; x++) {
        const uint16_t p = at(x, y);
        n += ((p >> 11) << 3) > (p & 0x1F) << 3 ? 1 : 0;
      }
    return n;
  };
  EXPECT_EQ(redShows(62, 100), 0) << "the names' row";
  EXPECT_GT(redShows(300, 380), 0) << "the panel below it";
}

}  // namespace
}  // namespace sorv::test
