// A tournament starts: the main menu's once the player's team is picked in its selection
// (state 54), a new draw of the quick tournament row's rounds around the team with the row's
// match settings; the career's from the lobby, a draw around the avatar at the week's target.
// Then the tournament table.
#include <algorithm>
#include <cstdint>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "menus/tournament_shape.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

using tournament::kMaxRounds;

constexpr int32_t kTournamentLevel = 1;
constexpr int32_t kDifficultyField = 8, kDifficulties = 3;
constexpr int32_t kCareerSlotMan = 17, kCareerSlotWoman = 35;

int32_t avatarSlot() {
  const int32_t mode = aload(CGame::matchSettings.get(), 0);
  return mode == 2 || mode == 3 ? kCareerSlotWoman : kCareerSlotMan;
}

}  // namespace

void CGame::startTournamentFromSelection() {
  SORV_FRAME("CGame.startTournamentFromSelection()V");
  userSlot = -1;
  const int32_t roundsColumn = isDouble() ? kTournamentRoundsDoubles : kTournamentRoundsSingles;
  const int32_t rounds = tournamentRowValue(roundsColumn, 1, kMaxRounds);
  resetTournamentData();
  newTournament(rounds);
  fullPlayerListByRandomWithFakePlayers(getFakeTournamentPlayersCount(getFakeTournamentRoundCount()), true,
                                        pickedAvatars[0], pickedAvatars[1]);
  // Settings 1 to 4: level, then games, sets and court from the row.
  astore(matchSettings.get(), 1, kTournamentLevel);
  setMatchSettingsFromTournamentRow();
  switchToTournamentTable(true);
}

void CGame::switchToCareerTournamentTable(bool create) {
  SORV_FRAME("CGame.switchToCareerTournamentTable(Z)V");
  if (create) {
    currentTournament = careerTargetLocation();
    tournamentDifficulty = std::clamp(careerLocationField(currentTournament, kDifficultyField), 0, kDifficulties - 1);
    userSlot = -1;
    resetTournamentData();
    newTournament(tournamentRowValue(kTournamentRoundsSingles, 1, kMaxRounds));
    // The settings after the new round count: whether the first match is the final depends
    // on it, and the draw's groups on the mode they set.
    initCareerSettingUI();
    fullPlayerListByRandomWithFakePlayers(getFakeTournamentPlayersCount(getFakeTournamentRoundCount()), true,
                                          avatarSlot(), -1);
  } else {
    // A continued tournament's final is a final again after a restart.
    initCareerSettingUI();
  }
  CTennis::currentCourt = aload(matchSettings.get(), 4);
  CTennis::isTraining = false;
  switchToTournamentTable(create);
}

}  // namespace sorv
