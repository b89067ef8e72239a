// The menu engine's screen table: where each screen code (0..100) takes its entry list from.
// Shared by the game (getMenuString) and the data builder, which checks that every menu the
// table names has an id list. Prepared lists are text ids of text pack 2 (the pause's and the
// questions' of text pack 0); a screen whose list is not written yet has none (null).
#pragma once

#include <array>
#include <cstdint>
#include <iterator>

namespace sorv {

inline constexpr int32_t kScreenCount = 101;

enum class ScreenList : int8_t {
  kNone,        // no entry list
  kPrepared,    // a prepared list of kPreparedLists (or none while it is not written)
  kMenu,        // the menu's id list
  kMenuButLast, // the menu's id list without its last id
  kMainMenu,    // menu 5, 63, 64 or 65 by the promotion entries available
};

struct ScreenSource {
  ScreenList kind = ScreenList::kNone;
  int32_t value = -1;  // the menu id, or the prepared list's index (-1 none written)
};

// The prepared lists written so far.
inline constexpr int32_t kTrainingGames[] = {15, 16, 17, 18, 19};  // value - 15 = game
inline constexpr int32_t kTrainingLevels[] = {21, 22, 23, 24, 25};
inline constexpr int32_t kQuitQuestion[] = {86};  // text pack 0
// The pause's lists (text pack 0): a question's list holds only its text; the career match's
// menu offers retiring (7) and leaving (8) where a plain match leaves with 2.
inline constexpr int32_t kLeaveQuestion[] = {85};
inline constexpr int32_t kPauseHelpEntries[] = {34, 77};
inline constexpr int32_t kCareerLeaveQuestion[] = {87};
inline constexpr int32_t kCareerMatchEntries[] = {1, 3, 4, 5, 7, 8};
inline constexpr int32_t kRetireQuestion[] = {88};
inline constexpr int32_t kOverwriteQuestion[] = {90};  // text pack 0
// The career's questions and message (text pack 0): create the player, leave the career, a
// tournament the player's rank does not admit.
inline constexpr int32_t kCreatePlayerQuestion[] = {91};
inline constexpr int32_t kLeaveCareerQuestion[] = {92};
inline constexpr int32_t kRankTooLowMessage[] = {97};
// The records history: the topics list (screen 12, menu 38 without its last id) opens topic k
// as screen 13 + k, whose list is the topic's title and body (text pack 2). Only seven topic
// screens exist, so menu 38 lists at most seven topics (the data builder refuses more).
inline constexpr int32_t kHistoryTopicsScreen = 12, kFirstHistoryPageScreen = 13, kHistoryTopicScreens = 7;
inline constexpr int32_t kHistoryTopicsMenu = 38;
inline constexpr int32_t kHistoryTopic1[] = {290, 291};
inline constexpr int32_t kHistoryTopic2[] = {292, 293};
inline constexpr int32_t kHistoryTopic3[] = {294, 295};
inline constexpr int32_t kHistoryTopic4[] = {296, 297};
inline constexpr int32_t kHistoryTopic5[] = {298, 299};
inline constexpr int32_t kHistoryTopic6[] = {300, 301};
inline constexpr int32_t kHistoryTopic7[] = {302, 303};
struct PreparedList {
  const int32_t* ids;
  int32_t count;
};
inline constexpr PreparedList kPreparedLists[] = {
    {kTrainingGames, static_cast<int32_t>(std::size(kTrainingGames))},
    {kTrainingLevels, static_cast<int32_t>(std::size(kTrainingLevels))},
    {kQuitQuestion, static_cast<int32_t>(std::size(kQuitQuestion))},
    {kLeaveQuestion, static_cast<int32_t>(std::size(kLeaveQuestion))},
    {kPauseHelpEntries, static_cast<int32_t>(std::size(kPauseHelpEntries))},
    {kCareerLeaveQuestion, static_cast<int32_t>(std::size(kCareerLeaveQuestion))},
    {kCareerMatchEntries, static_cast<int32_t>(std::size(kCareerMatchEntries))},
    {kRetireQuestion, static_cast<int32_t>(std::size(kRetireQuestion))},
    {kOverwriteQuestion, static_cast<int32_t>(std::size(kOverwriteQuestion))},
    {kCreatePlayerQuestion, static_cast<int32_t>(std::size(kCreatePlayerQuestion))},
    {kLeaveCareerQuestion, static_cast<int32_t>(std::size(kLeaveCareerQuestion))},
    {kRankTooLowMessage, static_cast<int32_t>(std::size(kRankTooLowMessage))},
    {kHistoryTopic1, 2}, {kHistoryTopic2, 2}, {kHistoryTopic3, 2}, {kHistoryTopic4, 2},
    {kHistoryTopic5, 2}, {kHistoryTopic6, 2}, {kHistoryTopic7, 2},
};
inline constexpr int32_t kPreparedTrainingGames = 0, kPreparedTrainingLevels = 1, kPreparedQuitQuestion = 2;
inline constexpr int32_t kPreparedLeaveQuestion = 3, kPreparedPauseHelp = 4, kPreparedCareerLeave = 5;
inline constexpr int32_t kPreparedCareerMatch = 6, kPreparedRetireQuestion = 7;
inline constexpr int32_t kPreparedOverwriteQuestion = 8;
inline constexpr int32_t kPreparedCreatePlayer = 9, kPreparedLeaveCareer = 10, kPreparedRankTooLow = 11;
inline constexpr int32_t kPreparedFirstHistoryTopic = 12;  // topic k at 12 + k

inline constexpr std::array<ScreenSource, kScreenCount> kScreenTable = [] {
  std::array<ScreenSource, kScreenCount> t{};
  for (int32_t s : {0, 3, 10, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24, 28, 29, 30, 32, 35, 40,
                    50, 60, 100}) {
    t[s] = {ScreenList::kPrepared, -1};
  }
  t[5] = {ScreenList::kPrepared, kPreparedTrainingGames};
  t[6] = {ScreenList::kPrepared, kPreparedTrainingLevels};
  t[23] = {ScreenList::kPrepared, kPreparedQuitQuestion};
  t[50] = {ScreenList::kPrepared, kPreparedQuitQuestion};
  t[21] = {ScreenList::kPrepared, kPreparedLeaveQuestion};
  t[22] = {ScreenList::kPrepared, kPreparedPauseHelp};
  t[24] = {ScreenList::kPrepared, kPreparedCareerLeave};
  t[28] = {ScreenList::kPrepared, kPreparedCareerMatch};
  t[29] = {ScreenList::kPrepared, kPreparedRetireQuestion};
  t[60] = {ScreenList::kPrepared, kPreparedOverwriteQuestion};
  t[30] = {ScreenList::kPrepared, kPreparedCreatePlayer};
  t[32] = {ScreenList::kPrepared, kPreparedLeaveCareer};
  t[35] = {ScreenList::kPrepared, kPreparedRankTooLow};
  for (int32_t k = 0; k < kHistoryTopicScreens; k++) {
    t[static_cast<size_t>(kFirstHistoryPageScreen + k)] = {ScreenList::kPrepared, kPreparedFirstHistoryTopic + k};
  }
  t[1] = {ScreenList::kMainMenu, 5};
  t[2] = {ScreenList::kMenu, 13};
  t[4] = {ScreenList::kMenu, 29};
  t[7] = {ScreenList::kMenu, 14};
  t[11] = {ScreenList::kMenu, 8};
  t[12] = {ScreenList::kMenuButLast, 38};
  t[20] = {ScreenList::kMenu, 27};
  t[25] = {ScreenList::kMenu, 54};
  t[31] = {ScreenList::kMenu, 47};
  t[34] = {ScreenList::kMenu, 48};
  t[63] = {ScreenList::kMenu, 18};
  return t;
}();

// The main menus by promotion entries: neither, only IsAvailable, both, only isZVipAvailable.
inline constexpr int32_t kMainMenus[] = {5, 63, 64, 65};

}  // namespace sorv
