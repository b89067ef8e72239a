#include "tests/match/trace_checker.h"

#include <map>
#include <sstream>

namespace sorv::tracecheck {

namespace {

// One line's fields: "kind a=1 b=2-3" gives kind and {a: "1", b: "2-3"}.
struct Line {
  std::string kind;
  std::map<std::string, std::string> fields;
  bool has(const std::string& k) const { return fields.count(k) != 0; }
  std::string text(const std::string& k) const { return has(k) ? fields.at(k) : "?"; }
  // -1 when the field is missing or not a number: a broken line is a rule broken, not a crash.
  int number(const std::string& k) const { return has(k) ? toInt(fields.at(k)) : -1; }
  std::pair<int, int> pair(const std::string& k) const {
    if (!has(k)) return {-1, -1};
    const std::string& v = fields.at(k);
    const size_t dash = v.find('-');
    if (dash == std::string::npos) return {-1, -1};
    return {toInt(v.substr(0, dash)), toInt(v.substr(dash + 1))};
  }
  static int toInt(const std::string& v) {
    if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(v);
  }
};

Line parse(const std::string& text) {
  Line line;
  std::istringstream in(text);
  in >> line.kind;
  std::string word;
  while (in >> word) {
    const size_t eq = word.find('=');
    if (eq != std::string::npos) line.fields[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return line;
}

// The serve goes round the players: user, rival, partner, rival's partner (singles: user,
// rival).
char nextServer(char s, bool doubles) {
  const std::string order = doubles ? "URPQ" : "UR";
  const size_t i = order.find(s);
  return i == std::string::npos ? '?' : order[(i + 1) % order.size()];
}

bool userTeam(char s) { return s == 'U' || s == 'P'; }

class Checker {
 public:
  explicit Checker(Report* r) : r_(r) {}

  void line(int n, const std::string& text) {
    n_ = n;
    if (text.empty()) return;
    const Line l = parse(text);
    if (l.kind == "match") return start(l);
    if (!inMatch_) return error("a " + l.kind + " line before any match");
    if (l.kind == "point") return point(l);
    if (l.kind == "correction") return correction(l);
    if (l.kind == "game") return game(l);
    if (l.kind == "set") return set(l);
    if (l.kind == "ends") return ends(l);
    if (l.kind == "over") return over(l);
    if (l.kind == "shell") return shell(l);
    if (l.kind == "preserve") return preServe(l);
    error("unknown line \"" + text + "\"");
  }

  void finish(Ending ending) {
    if (!inMatch_ || shellSeen_) return;
    if (ending == Ending::kMayBeCut) {
      r_->cut++;
    } else {
      error("the match never hands back to the shell");
    }
  }
  // A new match may follow a decided one (the continue question) or a return to the shell.
  void startAnother() {
    if (inMatch_ && !shellSeen_ && !finished_) error("a new match before the last one ended");
  }

 private:
  Report* r_;
  int n_ = 0;
  bool inMatch_ = false, shellSeen_ = false, finished_ = false, doubles_ = false;
  int gamesInSet_ = 6, sets_ = 1;
  int set_ = 0, games_[2] = {}, setsWon_[2] = {}, points_[2] = {};
  bool gameWon_ = false, setWon_ = false, endsDue_ = false;
  char gameServer_ = 0, lastGameServer_ = 0;  // 0: none yet
  int tieBreakPoints_ = 0;

  void error(const std::string& what) { r_->errors.push_back("line " + std::to_string(n_) + ": " + what); }

  bool tieBreak() const { return gamesInSet_ == 6 && games_[0] == 6 && games_[1] == 6; }
  int gameIndex() const { return games_[0] + games_[1]; }
  bool gameOver() const {
    const int need = tieBreak() ? 7 : 4;
    for (int t = 0; t < 2; t++) {
      if (points_[t] >= need && points_[t] - points_[1 - t] >= 2) return true;
    }
    return false;
  }
  bool setOver(int winner) const {
    const int w = games_[winner], l = games_[1 - winner];
    if (gamesInSet_ != 6) return w == gamesInSet_ && l < gamesInSet_;
    return (w == 6 && l <= 4) || (w == 7 && (l == 5 || l == 6));
  }

  void start(const Line& l) {
    startAnother();
    *this = Checker(r_);
    inMatch_ = true;
    gamesInSet_ = l.number("games");
    sets_ = l.number("sets");
    doubles_ = l.number("doubles") == 1;
    r_->matches++;
    if (gamesInSet_ < 2 || gamesInSet_ > 6) error("games per set " + std::to_string(gamesInSet_));
    if (sets_ != 1 && sets_ != 3 && sets_ != 5) error("sets in the match " + std::to_string(sets_));
  }

  void point(const Line& l) {
    r_->points++;
    if (finished_) return error("a point after the match's end");
    if (gameWon_) return error("a point after the game was won, before its game line");
    if (endsDue_) return error("a point before the change of ends");
    if (l.number("set") != set_ || l.number("game") != gameIndex()) {
      error("the point is in set " + l.text("set") + " game " + l.text("game") + ", the score is in set " +
            std::to_string(set_) + " game " + std::to_string(gameIndex()));
    }
    const int winner = l.number("winner");
    if (winner != 0 && winner != 1) return error("no winner");
    points_[winner]++;
    if (l.pair("score") != std::make_pair(points_[0], points_[1])) error("the score " + l.text("score") + " does not follow");
    serve(l.text("server")[0]);
    gameWon_ = gameOver();
  }

  void serve(char s) {
    if (tieBreak()) {
      // The first point by the next server in turn, then each two points the other team.
      if (tieBreakPoints_ == 0) {
        expectServer(s, "the tie-break's first point");
        gameServer_ = s;
      } else if (userTeam(s) != (((tieBreakPoints_ + 1) / 2) % 2 == 0 ? userTeam(gameServer_) : !userTeam(gameServer_))) {
        error(std::string("tie-break point ") + std::to_string(tieBreakPoints_ + 1) + " served by the wrong team (" + s + ")");
      }
      tieBreakPoints_++;
      return;
    }
    if (points_[0] + points_[1] == 1) {
      expectServer(s, "the game");
      gameServer_ = s;
    } else if (s != gameServer_) {
      error(std::string("the server changed within a game: ") + gameServer_ + " then " + s);
    }
  }

  void expectServer(char s, const std::string& what) {
    const char expected = lastGameServer_ == 0 ? 'U' : nextServer(lastGameServer_, doubles_);
    if (s != expected) {
      error(what + " served by " + s + ", not " + expected);
    }
  }

  void correction(const Line& l) {
    const auto score = l.pair("score");
    // A long game keeps its counts small: a point won at the top lowers both counts by 2.
    // That is a point played, so a tie-break's serve turn moves on.
    for (int t = 0; t < 2; t++) {
      const int won[2] = {points_[0] + (t == 0 ? 1 : 0) - 2, points_[1] + (t == 1 ? 1 : 0) - 2};
      if (score == std::make_pair(won[0], won[1]) && tieBreak()) tieBreakPoints_++;
    }
    points_[0] = score.first;
    points_[1] = score.second;
    gameWon_ = gameOver();
  }

  void game(const Line& l) {
    if (!gameWon_) return error("a game won at " + std::to_string(points_[0]) + "-" + std::to_string(points_[1]));
    const int winner = l.number("winner");
    const int need = tieBreak() ? 7 : 4;
    if (winner < 0 || winner > 1 || points_[winner] < need || points_[winner] - points_[1 - winner] < 2) {
      error("the game's winner did not win its points");
      return;
    }
    games_[winner]++;
    if (l.pair("games") != std::make_pair(games_[0], games_[1])) error("the games " + l.text("games") + " do not follow");
    points_[0] = points_[1] = 0;
    gameWon_ = false;
    lastGameServer_ = gameServer_;
    tieBreakPoints_ = 0;
    setWon_ = setOver(winner);
    // Ends change after the odd games of a set, but not after its last.
    endsDue_ = !setWon_ && gameIndex() % 2 == 1;
  }

  void set(const Line& l) {
    const int winner = l.number("winner");
    if (!setWon_ || winner < 0 || winner > 1 || !setOver(winner)) {
      return error("a set won at " + std::to_string(games_[0]) + "-" + std::to_string(games_[1]));
    }
    setsWon_[winner]++;
    if (l.pair("sets") != std::make_pair(setsWon_[0], setsWon_[1])) error("the sets " + l.text("sets") + " do not follow");
    setWon_ = false;
    set_++;
    games_[0] = games_[1] = 0;
    if (setsWon_[winner] == (sets_ + 1) / 2) finished_ = true;
  }

  void ends(const Line& l) {
    if (!endsDue_) error("ends changed after game " + std::to_string(gameIndex()) + " of set " + std::to_string(set_) + " (" + l.text("games") + ")");
    endsDue_ = false;
  }

  void over(const Line& l) {
    if (!finished_) return error("the match ended at sets " + std::to_string(setsWon_[0]) + "-" + std::to_string(setsWon_[1]));
    const int winner = l.number("winner");
    if (winner < 0 || winner > 1 || setsWon_[winner] != (sets_ + 1) / 2) error("the match's winner did not win it");
    r_->finished++;
  }

  // The scene before a serve: between two points of the score as it stands, and only when an
  // opponent has an action pending or, in doubles, a team celebrates.
  void preServe(const Line& l) {
    r_->preServes++;
    if (finished_) return error("a pre-serve scene after the match's end");
    if (gameWon_ || setWon_ || endsDue_) return error("a pre-serve scene before the score was closed");
    if (l.number("set") != set_ || l.number("game") != gameIndex()) {
      error("the pre-serve scene is in set " + l.text("set") + " game " + l.text("game"));
    }
    const bool rival = l.number("rival") == 1;
    const bool doublesReason = l.number("partner") == 1 || l.number("celebration") == 1;
    if (!rival && !(doubles_ && doublesReason)) error("a pre-serve scene with nothing pending");
  }

  void shell(const Line& l) {
    shellSeen_ = true;
    // A match hands back to the menus or to the tournament table.
    const int state = l.number("state");
    if (state != 4 && state != 55) error("the match returned to shell state " + std::to_string(state));
    if (setWon_ || gameWon_) error("the match left with a game or set not closed");
  }
};

}  // namespace

Report check(std::istream& in, Ending ending) {
  Report r;
  Checker c(&r);
  std::string text;
  int n = 0;
  while (std::getline(in, text)) c.line(++n, text);
  c.finish(ending);
  return r;
}

Report checkText(const std::string& text, Ending ending) {
  std::istringstream in(text);
  return check(in, ending);
}

}  // namespace sorv::tracecheck
