// The main menu's tournament starts once the player's team is picked in its selection (state
// 54): a new draw of the quick tournament row's rounds around the team, the row's match
// settings, then the tournament table.
#include <algorithm>
#include <cstdint>

#include "game/cgame.h"
#include "menus/tournament_shape.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

using tournament::kMaxRounds;

constexpr int32_t kCourtColumn = 0, kGamesColumn = 1, kSetsColumn = 2;
constexpr int32_t kTournamentLevel = 1;
constexpr int32_t kGamesOptions = 5, kSetsOptions = 3, kCourts = 4;

// A byte of the current tournament's row, inside `from`..`to`. The table is data: a row
// outside it or a value out of range gets one log line and the nearest value in range, so
// the tournament that starts can also be continued from its record.
int32_t rowValue(int32_t column, int32_t from, int32_t to) {
  ByteArray* table = CGame::tournamentTable;
  const int32_t at = CGame::currentTournament * kTournamentColumns + column;
  const bool inTable = !isNull(table) && CGame::currentTournament >= 0 && at >= 0 && at < table->length;
  const int32_t v = inTable ? table->elements()[at] : from;
  if (inTable && v >= from && v <= to) return v;
  Debug::trace("tournament: row %d column %d holds %d, outside %d..%d; %d taken", CGame::currentTournament, column, v,
               from, to, std::clamp(v, from, to));
  return std::clamp(v, from, to);
}

}  // namespace

void CGame::startTournamentFromSelection() {
  SORV_FRAME("CGame.startTournamentFromSelection()V");
  userSlot = -1;
  const int32_t rounds = rowValue(isDouble() ? kTournamentRoundsDoubles : kTournamentRoundsSingles, 1, kMaxRounds);
  resetTournamentData();
  newTournament(rounds);
  fullPlayerListByRandomWithFakePlayers(getFakeTournamentPlayersCount(getFakeTournamentRoundCount()), true,
                                        pickedAvatars[0], pickedAvatars[1]);
  // Settings 1 to 4: level, games, sets and court.
  const int32_t settings[] = {kTournamentLevel, rowValue(kGamesColumn, 0, kGamesOptions - 1),
                              rowValue(kSetsColumn, 0, kSetsOptions - 1), rowValue(kCourtColumn, 0, kCourts - 1)};
  for (int32_t r = 0; r < 4; r++) astore(matchSettings.get(), r + 1, settings[r]);
  switchToTournamentTable(true);
}

}  // namespace sorv
