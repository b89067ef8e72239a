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
//   shell state=N
//   event kind=K team=T serve=N            (what the statistics count, as it happens: K is
//                                           serve, in, ace, double, error or net; N the
//                                           first or second serve, 0 where it does not apply)
#pragma once

#include <cstdint>

namespace sorv::MatchTrace {

// Starts a new match in the trace (its header) and takes the score as it stands.
void begin();
// Writes what changed since the last call; starts the match on the first call.
void observe();
// One counted event of the point being played.
void event(const char* kind, int32_t team, int32_t serve = 0);
// The state the match hands back to the shell.
void shell(int32_t state);
// Tests: forget the file and the snapshot, so the next call reads the variable again.
void resetForTests();

}  // namespace sorv::MatchTrace
