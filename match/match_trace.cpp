#include "match/match_trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/string.h"

namespace sorv::MatchTrace {

namespace {

struct Snapshot {
  bool valid = false;
  int32_t set = 0, game = 0;
  int32_t points[2] = {};
  int32_t games[2] = {};
  int32_t sets[2] = {};
  bool finished = false;
  int32_t courtEnd = 1;
  char server = '?';
};

// What the statistics count in the point being played, written with its point line.
struct PointEvents {
  int32_t serveTeam = -1, first = 0, second = 0, in = 0, ace = 0, doubleFault = 0, net = -1;
  int32_t errors[2] = {};
  int32_t starts = 0, panels = 0, boxes = 0, reward = 0, startFrame = -1;
};

// The overlays over the whole match, for its shell line. A start waits for its panel, an out
// call for its hint and reward words for their drawing.
struct OverlayTotals {
  int32_t starts = 0, panels = 0, outs = 0, hints = 0, rewards = 0, shown = 0, boxes = 0;
  bool panelDue = false, hintDue = false, rewardDue = false;
  int32_t rewardDeadBall = -1;  // an ace's words replace the winner words of the same ball
};

std::FILE* file = nullptr;
PointEvents pending;
OverlayTotals totals;
bool opened = false;
Snapshot last;

std::FILE* out() {
  if (!opened) {
    opened = true;
    const char* path = std::getenv("SORV_MATCH_TRACE");
    if (path != nullptr && *path != '\0') file = std::fopen(path, "a");
  }
  return file;
}

void line(const std::string& text) {
  if (std::FILE* f = out()) {
    std::fputs(text.c_str(), f);
    std::fputc('\n', f);
    std::fflush(f);
  }
}

char nameOf(CPlayer* p) {
  if (isNull(p)) return '?';
  if (p == CTennis::player.get()) return 'U';
  if (p == CTennis::partner.get()) return 'P';
  if (p == CTennis::rival.get()) return 'R';
  if (p == CTennis::rivalPartner.get()) return 'Q';
  return '?';
}

// Reads the score without the runtime's checks: a missing array reads as 0 and logs nothing.
int32_t byteAt(ByteArray* a, int32_t i) {
  return isNull(a) || i < 0 || i >= a->length ? 0 : a->elements()[i];
}

int32_t pointsOf(int32_t set, int32_t game, int32_t team) {
  return byteAt(CTennis::gamePoints, (set * CTennis::kGameSlots + game) * 2 + team);
}

int32_t gamesOf(int32_t set, int32_t team) {
  ObjectArray* rows = CTennis::setGames;
  if (isNull(rows) || set < 0 || set >= rows->length) return 0;
  return byteAt(static_cast<ByteArray*>(rows->elements()[set]), team);
}

Snapshot take() {
  Snapshot s;
  s.valid = !isNull(CTennis::gamePoints.get()) && !isNull(CTennis::setsWon.get());
  s.set = CTennis::setIndex;
  s.game = CTennis::gameIndex;
  for (int32_t t = 0; t < 2; t++) {
    s.points[t] = pointsOf(s.set, s.game, t);
    s.games[t] = gamesOf(s.set, t);
    s.sets[t] = byteAt(CTennis::setsWon, t);
  }
  s.finished = CTennis::matchFinished;
  s.courtEnd = CTennis::courtEnd;
  s.server = nameOf(CTennis::server);
  return s;
}

std::string pair(const int32_t v[2]) { return std::to_string(v[0]) + "-" + std::to_string(v[1]); }

std::string eventFields() {
  const PointEvents& e = pending;
  return " serveteam=" + std::to_string(e.serveTeam) + " first=" + std::to_string(e.first) +
         " second=" + std::to_string(e.second) + " in=" + std::to_string(e.in) + " ace=" + std::to_string(e.ace) +
         " double=" + std::to_string(e.doubleFault) + " errors=" + pair(e.errors) +
         " net=" + std::to_string(e.net) + " starts=" + std::to_string(e.starts) +
         " panels=" + std::to_string(e.panels) + " boxes=" + std::to_string(e.boxes) +
         " call=" + std::to_string(CTennis::deadBallInfo) + " reward=" + std::to_string(e.reward) +
         " start=" + std::to_string(e.startFrame) + " dead=" + std::to_string(CGame::frameCounter);
}

std::string overlayTotals() {
  const OverlayTotals& t = totals;
  return " starts=" + std::to_string(t.starts) + " panels=" + std::to_string(t.panels) +
         " outs=" + std::to_string(t.outs) + " hints=" + std::to_string(t.hints) +
         " rewards=" + std::to_string(t.rewards) + " shown=" + std::to_string(t.shown) +
         " boxes=" + std::to_string(t.boxes);
}

std::string counters() {
  std::string text = " counters=";
  ObjectArray* rows = CTennis::matchStats;
  for (int32_t r = 0; !isNull(rows) && r < rows->length; r++) {
    auto* row = static_cast<IntArray*>(rows->elements()[r]);
    const bool whole = !isNull(row) && row->length >= 2;
    if (r > 0) text += ",";
    text += std::to_string(whole ? row->elements()[0] : 0) + "-" + std::to_string(whole ? row->elements()[1] : 0);
  }
  return text;
}

std::string where(int32_t set, int32_t game) {
  return "set=" + std::to_string(set) + " game=" + std::to_string(game);
}

// The roster entries the shell chose (the user's first, then the opponent, then the
// partners), each with its generated name pair: who played whom, as a tournament drew it.
std::string players() {
  const int32_t choices[4] = {CGame::playerChoice1, CGame::playerChoice2, CGame::playerChoice3, CGame::playerChoice4};
  std::string text;
  for (int32_t i = 0; i < (CTennis::isDoubles ? 4 : 2); i++) {
    if (i > 0) text += ",";
    text += std::to_string(choices[i]) + ":" + std::to_string(CGame::playerChoiceValues[i][0]) + ":" +
            std::to_string(CGame::playerChoiceValues[i][1]);
  }
  return text;
}

}  // namespace

void begin() {
  if (out() == nullptr) return;
  IntArray* settings = CGame::matchSettings;
  auto setting = [&](int32_t i) { return isNull(settings) || i >= settings->length ? 0 : settings->elements()[i]; };
  // A serve set up before the walk-on is no point's start: the panel waits for the next one.
  totals = OverlayTotals{};
  pending.starts = pending.panels = 0;
  line("match games=" + std::to_string(CTennis::gamesInSet) + " sets=" + std::to_string(CTennis::setsInMatch) +
       " doubles=" + std::to_string(CTennis::isDoubles ? 1 : 0) + " category=" + std::to_string(setting(0)) +
       " court=" + std::to_string(setting(4)) + " players=" + players());
  last = take();
}

void observe() {
  if (out() == nullptr) return;
  if (!last.valid) {
    // The training question and a tutorial come before the match and play as singles: the
    // match starts when they are over, with its own settings.
    if (!take().valid || CTennis::tutorialIndex != -1 || CTennis::matchState == CTennis::kStateTrainingQuery) return;
    begin();
    return;
  }
  // Words taken back in the step that set them (the match's end clears them) were never due.
  if (totals.rewardDue && CTennis::matchFinished && isNull(CTennis::rewardText.get())) {
    totals.rewardDue = false;
    totals.rewards--;
  }
  const Snapshot now = take();
  // The points of the game the last snapshot was in, as they stand now.
  int32_t after[2] = {pointsOf(last.set, last.game, 0), pointsOf(last.set, last.game, 1)};
  if (after[0] < last.points[0] || after[1] < last.points[1]) {
    line("correction " + where(last.set, last.game) + " score=" + pair(after));
  } else {
    int32_t running[2] = {last.points[0], last.points[1]};
    for (int32_t t = 0; t < 2; t++) {
      while (running[t] < after[t]) {
        running[t]++;
        line("point " + where(last.set, last.game) + " score=" + pair(running) + " winner=" + std::to_string(t) +
             " server=" + std::string(1, last.server) + eventFields());
        pending = PointEvents{};
      }
    }
  }
  const int32_t games[2] = {gamesOf(last.set, 0), gamesOf(last.set, 1)};
  for (int32_t t = 0; t < 2; t++) {
    if (games[t] > last.games[t]) {
      line("game " + where(last.set, last.game) + " winner=" + std::to_string(t) + " games=" + pair(games));
    }
  }
  for (int32_t t = 0; t < 2; t++) {
    if (now.sets[t] > last.sets[t]) {
      line("set set=" + std::to_string(last.set) + " winner=" + std::to_string(t) + " games=" + pair(games) +
           " sets=" + pair(now.sets));
    }
  }
  if (now.courtEnd != last.courtEnd) {
    line("ends set=" + std::to_string(now.set) + " games=" + pair(now.games) + " end=" + std::to_string(now.courtEnd));
  }
  if (now.finished && !last.finished) {
    line("over winner=" + std::to_string(now.sets[0] > now.sets[1] ? 0 : 1) + " sets=" + pair(now.sets) + counters());
  }
  last = now;
}

void serveStruck(int32_t team, int32_t serve) {
  pending.serveTeam = team;
  (serve == 2 ? pending.second : pending.first)++;
}

void serveInPlay(int32_t serve) { pending.in = serve; }

void ace(int32_t serve) { pending.ace = serve; }

void doubleFault() { pending.doubleFault = 1; }

void error(int32_t team) {
  if (team == 0 || team == 1) pending.errors[team]++;
}

void netPoint(int32_t team) { pending.net = team; }

void pointStarted() {
  if (CTennis::tutorialIndex != -1) return;
  pending.starts++;
  pending.startFrame = CGame::frameCounter;
  totals.starts++;
  totals.panelDue = true;
}

void scorePanelDrawn() {
  if (!totals.panelDue) return;
  totals.panelDue = false;
  pending.panels++;
  totals.panels++;
}

void breakPointBox() {
  pending.boxes++;
  totals.boxes++;
}

void outHint() {
  totals.outs++;
  totals.hintDue = true;
}

void hintsDrawn() {
  if (!totals.hintDue) return;
  totals.hintDue = false;
  totals.hints++;
}

void rewardWords(int32_t text) {
  pending.reward = text;
  if (!totals.rewardDue || totals.rewardDeadBall != CTennis::deadBallFrame) totals.rewards++;
  totals.rewardDue = true;
  totals.rewardDeadBall = CTennis::deadBallFrame;
}

void rewardWordsDrawn() {
  if (!totals.rewardDue) return;
  totals.rewardDue = false;
  totals.shown++;
}

void preServe() {
  if (out() == nullptr) return;
  auto due = [](CPlayer* p) { return std::string(!isNull(p) && p->preServeAction ? "1" : "0"); };
  line("preserve " + where(CTennis::setIndex, CTennis::gameIndex) + " rival=" + due(CTennis::rival) +
       " partner=" + due(CTennis::rivalPartner) + " celebration=" + (CTennis::partnerCelebration != 0 ? "1" : "0"));
}

void shell(int32_t state) {
  line("shell state=" + std::to_string(state) + overlayTotals());
  last.valid = false;
}

void resetForTests() {
  if (file != nullptr) std::fclose(file);
  file = nullptr;
  opened = false;
  last = Snapshot{};
  pending = PointEvents{};
  totals = OverlayTotals{};
}

}  // namespace sorv::MatchTrace
