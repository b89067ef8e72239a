// The sizes every tournament screen shares with the model: a tournament is played as
// segments of at most three rounds, each a bracket of 8, 4 and 2 results over 16 draw
// positions (a doubles team takes two).
#pragma once

#include <cstdint>

namespace sorv::tournament {

inline constexpr int32_t kSegmentRounds = 3;
inline constexpr int32_t kMaxRounds = 7;
inline constexpr int32_t kBracketTables = 3;
inline constexpr int32_t kBracketSizes[kBracketTables] = {8, 4, 2};
inline constexpr int32_t kDrawPositions = 16;
inline constexpr int32_t kLastRosterEntry = 35;
// The records a tournament's save empties: the career's and the quick tournament's match
// left unfinished.
inline constexpr int32_t kCareerUnfinishedMatch = 5, kUnfinishedMatch = 7;

}  // namespace sorv::tournament
