// sorv-trace-check [--cut] FILE...: checks match traces; prints the counts and every rule
// broken, and exits non-zero when a rule is broken or a file cannot be read. With --cut a
// trace may stop mid-match (a run under a frame cap): what it holds must be legal so far.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "tests/match/trace_checker.h"

int main(int argc, char** argv) {
  using sorv::tracecheck::Ending;
  Ending ending = Ending::kWhole;
  int bad = 0;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--cut") == 0) {
      ending = Ending::kMayBeCut;
      continue;
    }
    std::ifstream in(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot read\n", argv[i]);
      bad++;
      continue;
    }
    const sorv::tracecheck::Report r = sorv::tracecheck::check(in, ending);
    std::printf("%s: %d matches, %d finished, %d cut, %d points, %d pre-serve scenes, %zu errors\n", argv[i],
                r.matches, r.finished, r.cut, r.points, r.preServes, r.errors.size());
    for (const std::string& e : r.errors) std::printf("  %s\n", e.c_str());
    if (!r.ok()) bad++;
  }
  return bad == 0 ? 0 : 1;
}
