// An independent check of match traces (the lines SORV_MATCH_TRACE writes), with its own
// rules of tennis and no game code: points, games, tie-breaks, sets, the match's end, the
// serve order and the changes of ends. It reads a whole file of one or more matches and
// lists every rule broken, with its line number.
// A trace may also be read as cut: a run stopped by a frame cap ends mid-match, and then
// what was played must be legal so far (every finished game and set, the serve order and
// the ends up to the cut) while the match need not reach its end.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace sorv::tracecheck {

struct Report {
  int matches = 0;    // matches started
  int finished = 0;   // matches that reached their end
  int points = 0;
  int cut = 0;        // matches the trace stops in before they hand back to the shell
  int preServes = 0;  // pre-serve scenes
  std::vector<std::string> errors;
  bool ok() const { return errors.empty(); }
};

enum class Ending { kWhole, kMayBeCut };

Report check(std::istream& in, Ending ending = Ending::kWhole);
Report checkText(const std::string& text, Ending ending = Ending::kWhole);

}  // namespace sorv::tracecheck
