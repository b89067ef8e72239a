// Test support for the achievements: a store built as at start and a small table whose rows
// cover both forms and every comparison.
#pragma once

#include <vector>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "tests/game/saved_fixture.h"

namespace sorv::test {

// Row n's Gold is 100 (n + 1). Rows 0, 1: condition form; 2..6: value form against 7 with
// comparisons 2, 1, 0, 3, 4; 7: an unknown comparison; 8: a tag both forms accept.
inline std::vector<AchievementRow> sampleRows() {
  std::vector<AchievementRow> rows;
  const int tags[] = {0, 0, 1, 1, 1, 1, 1, 1, 2};
  const int comparisons[] = {0, 0, 2, 1, 0, 3, 4, 5, 2};
  for (int n = 0; n < 9; n++) {
    rows.push_back({101 + 2 * n, 102 + 2 * n, 100 * (n + 1), 7, tags[n], comparisons[n]});
  }
  return rows;
}

class CaeTest : public SavedDataTest {
 protected:
  void SetUp() override {
    SavedDataTest::SetUp();
    CGame::initRMS();
    load(sampleRows());
  }
  void load(const std::vector<AchievementRow>& rows) { CAE::LoadAchiData(managedBytes(achievementTable(rows))); }
  // The waiting pairs of a queue, in order, as {id, kind, id, kind, ...}.
  std::vector<int32_t> items(int q, int kind = CAE::kKindAny) {
    IntArray* pairs = CAE::getQueueItems(q, kind);
    if (pairs == nullptr) return {};
    return {pairs->elements(), pairs->elements() + pairs->length};
  }
  int32_t writePosition(int q) { return static_cast<IntArray*>(CAE::achiQueuePos->elements()[q])->elements()[0]; }
  int32_t readPosition(int q) { return static_cast<IntArray*>(CAE::achiQueuePos->elements()[q])->elements()[1]; }
  int32_t recordValue(int i) { return CAE::achiRecords->elements()[i]; }
};

}  // namespace sorv::test
