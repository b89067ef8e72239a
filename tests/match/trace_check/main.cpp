// sorv-trace-check FILE...: checks match traces; prints the counts and every rule broken,
// and exits non-zero when a rule is broken or a file cannot be read.
#include <cstdio>
#include <fstream>

#include "tests/match/trace_checker.h"

int main(int argc, char** argv) {
  int bad = 0;
  for (int i = 1; i < argc; i++) {
    std::ifstream in(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot read\n", argv[i]);
      bad++;
      continue;
    }
    const sorv::tracecheck::Report r = sorv::tracecheck::check(in);
    std::printf("%s: %d matches, %d finished, %d points, %zu errors\n", argv[i], r.matches, r.finished, r.points,
                r.errors.size());
    for (const std::string& e : r.errors) std::printf("  %s\n", e.c_str());
    if (!r.ok()) bad++;
  }
  return bad == 0 ? 0 : 1;
}
