// Seeded matches in every format against the reference scorer, point by point: half the
// points through addPoint, half through a dead ball of a random kind; after each the whole
// score and serve state must agree. SORV_SOAK_POINTS sets the number of points (10^6, or
// 10^4 under a stress switch or the sanitizers).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/match/rules_fixture.h"
#include "tests/match/reference_scorer.h"
#include "tests/support/run_budget.h"

namespace sorv::test {
namespace {

long soakPoints() {
  if (const char* v = std::getenv("SORV_SOAK_POINTS")) return std::strtol(v, nullptr, 10);
  const bool stressed = kSanitizerBuild || memoryStressOn();
  return stressed ? 10000 : 1000000;
}

struct Settings {
  int games, sets;
  bool doubles;
  int first;
  double winChance;
  unsigned seed;
};

class SoakTest : public RulesTest {
 protected:
  ReferenceScorer ref_;
  std::vector<std::string> history_;
  Settings settings_{};

  void begin(const Settings& s) {
    settings_ = s;
    history_.clear();
    if (CGame::matchObject.get() == nullptr || CTennis::isDoubles != s.doubles) {
      startMatch(s.doubles ? kDoubles : kSingles, s.games, s.sets, s.first);
    } else {
      astore(CGame::matchSettings.get(), 2, s.games);
      astore(CGame::matchSettings.get(), 3, s.sets);
      CTennis::initParam();
      restart(s.first);
    }
    ref_.start(s.games, s.sets, s.doubles, s.first);
  }

  // One event for the team `winner`, or a serve error; the reference takes the same.
  void play(std::mt19937& rng, int winner) {
    const bool viaAddPoint = rng() % 2 == 0;
    const int serverTeam = ReferenceScorer::team(ref_.server);
    if (viaAddPoint) {
      history_.push_back(std::string("addPoint ") + (winner == 0 ? "u" : "o"));
      CTennis::addPoint(winner == 0);
      ref_.point(winner);
      return;
    }
    const unsigned kind = rng() % 10;
    if (kind < 2) {
      static constexpr int32_t kServeErrors[] = {CTennis::kReasonNet, CTennis::kReasonOut,
                                                 CTennis::kReasonOwnHalf};
      const int32_t reason = kServeErrors[rng() % 3];
      history_.push_back("serve error " + std::to_string(reason));
      deadBall(reason, 1);
      ref_.fault();
      return;
    }
    if (winner == serverTeam && kind < 4) {
      const bool ace = kind == 2;
      history_.push_back(ace ? "ace" : "receiving fault");
      deadBall(ace ? CTennis::kReasonTwice : CTennis::kReasonReceivingFault, ace ? 1 : 2);
      ref_.point(winner);
      return;
    }
    // A rally of n strokes: the team to strike next wins by the other's error, loses by a
    // second bounce.
    const int strokes = 2 + static_cast<int>(rng() % 8);
    const int toStrike = strokes % 2 == 1 ? 1 - serverTeam : serverTeam;
    int32_t reason = CTennis::kReasonTwice;
    if (winner == toStrike) {
      static constexpr int32_t kErrors[] = {CTennis::kReasonNet, CTennis::kReasonOut,
                                            CTennis::kReasonOwnHalf};
      reason = kErrors[rng() % 3];
    }
    history_.push_back("rally " + std::to_string(strokes) + " reason " + std::to_string(reason));
    deadBall(reason, strokes);
    ref_.point(winner);
  }

  std::string describe() const {
    std::ostringstream out;
    out << "seed " << settings_.seed << " games setting " << settings_.games << " sets setting "
        << settings_.sets << (settings_.doubles ? " doubles" : " singles") << " first server "
        << settings_.first << "\nhistory:";
    const size_t from = history_.size() > 400 ? history_.size() - 400 : 0;
    for (size_t i = from; i < history_.size(); i++) out << "\n  " << history_[i];
    return out.str();
  }

  // Every field the reference keeps; false (with the reason) at the first difference.
  bool agrees(std::string* why) {
    std::ostringstream out;
    auto check = [&](const char* what, long game, long expected) {
      if (game != expected) out << what << ": game " << game << ", reference " << expected << "; ";
    };
    check("set index", CTennis::setIndex, ref_.setIndex);
    check("game index", CTennis::gameIndex, ref_.gameIndex);
    for (int t = 0; t < 2; t++) {
      check("points", points(t), ref_.pts(t));
      check("games", games(t), ref_.gameOf(t));
      check("sets", sets(t), ref_.sets[t]);
    }
    check("server", indexOf(CTennis::server), ref_.server);
    for (int i = 0; i < (ref_.doubles ? 4 : 4); i++) {
      if (playerOf(i) != nullptr) check("serve half", playerOf(i)->serveFromLeft, ref_.fromLeft[i]);
    }
    if (!ref_.finished) check("strike side", CTennis::strikeSide, ref_.userStrikes);
    check("court end", CTennis::courtEnd, ref_.courtEnd);
    check("change ends", CTennis::changeEnds, ref_.changeEnds);
    check("match finished", CTennis::matchFinished, ref_.finished);
    check("second serve", CTennis::secondServe, ref_.secondServe);
    check("situation", CTennis::pointSituation, ref_.situation);
    check("set points saved", counter(3), ref_.counters[0]);
    check("match points saved", counter(6), ref_.counters[1]);
    check("break points saved", counter(9), ref_.counters[2]);
    check("deuces", counter(12), ref_.counters[3]);
    *why = out.str();
    return why->empty();
  }

  // Each set won by the rules: the winner reached the games with a lead, or 7:5, 7:6.
  bool legalSets(std::string* why) {
    const int g = ref_.gamesInSet;
    for (int s = 0; s <= CTennis::setIndex; s++) {
      ByteArray* row = static_cast<ByteArray*>(aload(CTennis::setGames.get(), s));
      const int a = aload(row, 0), b = aload(row, 1);
      const int hi = a > b ? a : b, lo = a > b ? b : a;
      const bool legal = g == 6 ? (hi == 6 && lo <= 4) || (hi == 7 && (lo == 5 || lo == 6))
                                : hi == g && lo < g;
      if (!legal) {
        *why = "set " + std::to_string(s) + " ended " + std::to_string(a) + ":" + std::to_string(b);
        return false;
      }
    }
    const int need = (ref_.setsInMatch + 1) / 2;
    if (sets(0) != need && sets(1) != need) {
      *why = "the match ended without a winner's sets";
      return false;
    }
    return true;
  }
};

TEST_F(SoakTest, EveryFormatAgreesWithTheReferencePointByPoint) {
  const long budget = soakPoints();
  std::mt19937 seeds(20090);
  long played = 0;
  int matches = 0;
  const auto started = std::chrono::steady_clock::now();
  while (played < budget) {
    const int combo = matches % 60;
    Settings s{combo % 5, (combo / 5) % 3, (combo / 15) % 2 == 1, (combo / 30) % 2 == 0 ? 0 : 2, 0,
               static_cast<unsigned>(seeds())};
    std::mt19937 rng(s.seed);
    s.winChance = 0.3 + (rng() % 41) / 100.0;
    begin(s);
    int burst = 0, alternate = 0;
    while (!CTennis::matchFinished && played < budget) {
      int winner;
      if (burst > 0) {
        winner = alternate;
        alternate ^= 1;
        burst--;
      } else {
        if (rng() % 50 == 0) burst = 20 + static_cast<int>(rng() % 300);
        winner = std::uniform_real_distribution<double>(0, 1)(rng) < s.winChance ? 0 : 1;
      }
      play(rng, winner);
      betweenPoints();
      ref_.betweenPoints();
      played++;
      std::string why;
      if (!agrees(&why)) FAIL() << why << "\n" << describe();
    }
    if (CTennis::matchFinished) {
      std::string why;
      if (!legalSets(&why)) FAIL() << why << "\n" << describe();
    }
    matches++;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("soak: %ld points, %d matches, %.0f points per second\n", played, matches,
              seconds > 0 ? played / seconds : 0.0);
}

}  // namespace
}  // namespace sorv::test
