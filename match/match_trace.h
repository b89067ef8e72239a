// The per-point match trace (SORV_MATCH_TRACE=FILE), written for the tests' checker: it
// watches the score after each step of the frame and appends one line per point, game, set,
// change of ends and match end, and the shell state the match returns to. It reads the
// match and changes nothing of it.
//
// Lines (teams: 0 the user's, 1 the opponents; servers U user, P partner, R rival, Q the
// rival's partner):
//   match games=G sets=S doubles=D category=C court=K
//   point set=S game=G score=A-B winner=T server=X
//   correction set=S game=G score=A-B        (a challenge moved a point)
//   game set=S game=G winner=T games=A-B
//   set set=S winner=T games=A-B sets=A-B
//   ends set=S games=A-B end=E
//   over winner=T sets=A-B
//   preserve set=S game=G rival=0|1 partner=0|1 celebration=0|1
//                                            (a pre-serve scene and what made it due)
//   shell state=N
//
// Trailing fields of a point line, the events the statistics count as they happened in that
// point: serveteam=T (the serving team), first=N second=N (serves struck), in=S (the serve
// counted in play: 1 first, 2 second, 0 not), ace=S (0 none), double=0|1, errors=A-B (balls
// each team put into the net or out, a faulted serve too), net=T (the winner won it at the
// net, -1 not).
// The over line ends with counters=A-B,... : the match's statistics counters by row.
// Then what the point showed over the play: starts=N (serves set up since the last point),
// panels=N (of those, the ones whose score panel was then drawn), boxes=N (break-point boxes
// opened), call=C (the dead-ball call: 10 out, 11 fault, 12 receiving fault, 13 double fault,
// -1 none), reward=T (the reward words' text, 0 none), start=F and dead=F (the shell frames of
// the last serve's set-up and of the dead ball).
// The shell line ends with the match's overlay totals: starts=N panels=N outs=N (out calls
// floated as hints) hints=N (of those, the ones drawn) rewards=N (reward words set) shown=N
// (of those, the ones drawn) boxes=N.
#pragma once

#include <cstdint>

namespace sorv::MatchTrace {

// Starts a new match in the trace (its header) and takes the score as it stands.
void begin();
// Writes what changed since the last call; starts the match on the first call.
void observe();
// The counted events of the point being played: the serve struck (1 first, 2 second), the
// serve counted in play, an ace, a double fault, the erring team, a point won at the net.
void serveStruck(int32_t team, int32_t serve);
void serveInPlay(int32_t serve);
void ace(int32_t serve);
void doubleFault();
void error(int32_t team);
void netPoint(int32_t team);
// What the overlays showed: a serve set up, the score panel drawn, a break-point box opened,
// the out call floated as a hint and the hints drawn, reward words set and drawn.
void pointStarted();
void scorePanelDrawn();
void breakPointBox();
void outHint();
void hintsDrawn();
void rewardWords(int32_t text);
void rewardWordsDrawn();
// The next point starts through the pre-serve scene: the opponents' pending actions and the
// partners' celebration as they stand.
void preServe();
// The state the match hands back to the shell.
void shell(int32_t state);
// Tests: forget the file and the snapshot, so the next call reads the variable again.
void resetForTests();

}  // namespace sorv::MatchTrace
