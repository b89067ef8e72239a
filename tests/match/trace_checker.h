// An independent check of match traces (the lines SORV_MATCH_TRACE writes), with its own
// rules of tennis and no game code: points, games, tie-breaks, sets, the match's end, the
// serve order and the changes of ends. It reads a whole file of one or more matches and
// lists every rule broken, with its line number.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace sorv::tracecheck {

struct Report {
  int matches = 0;    // matches started
  int finished = 0;   // matches that reached their end
  int points = 0;
  std::vector<std::string> errors;
  bool ok() const { return errors.empty(); }
};

Report check(std::istream& in);
Report checkText(const std::string& text);

}  // namespace sorv::tracecheck
