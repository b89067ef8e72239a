// Every language writes the texts the main menu and its quit question show, those of the
// career's creation, home and lobby screens, those of the achievement screens and every text
// a menu item or a menu's id list names: none is left as the "P<pack>-<id>" mark of a text
// not written yet.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/data/menu_screens.h"
#include "tools/mkdata/menu_source.h"
#include "tools/mkdata/text_source.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

struct Shown {
  int32_t pack;
  std::vector<int32_t> ids;
  const char* what;
};

std::vector<Shown> shownTexts() {
  std::vector<int32_t> quit(std::begin(kQuitQuestion), std::end(kQuitQuestion));
  return {
      {2, {288, 289}, "title and footer"},
      {2, {3, 4, 5, 8, 9, 12, 13, 272, 273}, "entries of every main-menu list"},
      {2, {278, 279, 280, 281, 282, 283, 284, 285, 286}, "entry descriptions"},
      {0, {13, 14}, "quit question's soft keys"},
      {0, quit, "quit question"},
      {0, {232, 234, 235, 236, 237, 238, 239, 240}, "achievement panel: Gold, rank and its names"},
  };
}

std::vector<Shown> careerTexts() {
  return {
      {2, {164, 165}, "home screen options"},
      {2, {173, 174, 175, 176, 177, 178, 179}, "appearance captions"},
      {2, {318, 319, 320, 321, 322, 323, 324, 325, 326}, "creation row captions"},
      {2, {331}, "lobby week caption"},
      {2, {235}, "creation title"},
      {2, {170, 171, 172}, "style names"},
      {2, {20}, "training level"},
      {2, {33, 34}, "career card labels"},
      {2, {239}, "new career"},
  };
}

std::vector<Shown> historyHelpCreditTexts() {
  std::vector<int32_t> topics;
  for (int32_t id = 290; id <= 303; id++) topics.push_back(id);
  return {
      {2, topics, "history topics' titles and bodies"},
      {2, {249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 259}, "credit lines"},
      {0, {34, 77}, "help entries"},
      {0, {96}, "page counter"},
  };
}

std::u16string placeholder(int32_t pack, int32_t id) {
  const std::string s = "P" + std::to_string(pack) + "-" + std::to_string(id);
  return std::u16string(s.begin(), s.end());
}

void expectWritten(const std::vector<Shown>& list) {
  int languages = 0;
  for (const fs::directory_entry& file : fs::directory_iterator(fs::path(SORV_DATA_SOURCE_DIR) / "texts")) {
    if (file.path().extension() != ".txt") continue;
    languages++;
    std::ifstream in(file.path(), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    TextSource source;
    std::string error;
    ASSERT_TRUE(parseTextSource(all.str(), file.path().filename().string(), &source, &error)) << error;
    for (const Shown& shown : list) {
      for (int32_t id : shown.ids) {
        SCOPED_TRACE(file.path().filename().string() + " pack " + std::to_string(shown.pack) + " id " +
                     std::to_string(id) + " (" + shown.what + ")");
        const std::vector<std::u16string>& texts = source.strings[shown.pack];
        ASSERT_LT(static_cast<size_t>(id), texts.size());
        const std::u16string& text = texts[id];
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find(placeholder(shown.pack, id)), std::u16string::npos);
      }
    }
  }
  EXPECT_EQ(languages, 11);
}

TEST(MainMenuTexts, EveryLanguageWritesWhatTheMainMenuShows) { expectWritten(shownTexts()); }

TEST(MainMenuTexts, EveryLanguageWritesWhatTheCareerScreensShow) { expectWritten(careerTexts()); }

// The achievements table, browser and records list, the rank footer and the unlock pages.
std::vector<Shown> achievementTexts() {
  std::vector<int32_t> titles;
  for (int32_t id = 101; id <= 212; id++) titles.push_back(id);
  std::vector<int32_t> records;
  for (int32_t id = 213; id <= 229; id++) records.push_back(id);
  return {
      {0, titles, "achievement titles and descriptions"},
      {0, records, "record names, the table's entries and the unlock captions"},
      {0, {232, 234, 235, 236, 237, 238, 239, 240, 246, 247}, "Gold, rank, rank names and speed units"},
      {0, {10}, "the table's back key"},
      {1, {99, 100}, "unlock page headings"},
  };
}

TEST(MainMenuTexts, EveryLanguageWritesWhatTheAchievementScreensShow) { expectWritten(achievementTexts()); }

TEST(MainMenuTexts, EveryLanguageWritesTheHistoryHelpAndCredits) { expectWritten(historyHelpCreditTexts()); }

// What the menus draw from their own data: the string items' texts (the title's prompt and
// the sound question among them, though the code draws those) and the id lists' entries.
std::vector<Shown> menuTexts() {
  std::ifstream in(fs::path(SORV_DATA_SOURCE_DIR) / "menus.txt", std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  std::vector<MenuRecord> menus;
  std::string error;
  EXPECT_TRUE(parseMenuSource(all.str(), &menus, &error)) << error;
  std::vector<Shown> shown;
  for (const MenuRecord& menu : menus) {
    if (!menu.ids.empty()) shown.push_back({menu.header, menu.ids, "a menu's id list"});
    for (const MenuItem& item : menu.items) {
      if (item.kind == ItemKind::kString && item.text >= 0) shown.push_back({item.pack, {item.text}, "a string item"});
    }
  }
  EXPECT_GT(shown.size(), 40u);
  return shown;
}

TEST(MainMenuTexts, EveryLanguageWritesWhatTheMenuItemsName) { expectWritten(menuTexts()); }

}  // namespace
}  // namespace sorv::mkdata
