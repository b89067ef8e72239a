// The screens with the most words, in a language written past English's letters, each shot
// into the build's look/ folder as lang-XX-NAME.png to be read: the title, the main menu,
// the options, the promotion's first page, a new career's lobby, a training tutorial page, a
// match's opening bar message and its statistics page. The shots hold no stored hash: the
// texts change as they are translated, and what must hold is that each screen is reached by
// the game's own keys with its words in place and no runtime error on the way.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/career_road.h"

namespace sorv {
namespace {

using namespace test;  // the script helpers and the career's road

constexpr int kRunSeconds = 300;
constexpr int kPromoEnterFrames = 40;  // the promotion loads a step a frame behind its bar
constexpr int kPageFrames = 8;         // a page turned, past its arrow's flash
constexpr int kLoadLimit = 120;
constexpr int kMatchStateLimit = 3000;
// The match's states of the opening bar message and of the match-over page.
constexpr int kMatchServing = 2, kMatchOver = 7;

std::string down(int times) {
  std::string s;
  for (int i = 0; i < times; i++) s += key(kKey8, 6);
  return s;
}

class LanguageLookRoad : public CareerRoad {
 protected:
  // One run from a fresh install of the language's data set.
  void run(const std::string& language, const std::string& script) {
    ASSERT_TRUE(installData("--language " + language));
    ASSERT_EQ(play(script + "quit\n", kRunSeconds), 0) << out() << log();
    expectNoRuntimeErrors();
  }

  // Every screen of the language, in four runs; the shots keep their names in look/.
  void look(const std::string& language) {
    // The title with its prompt, the main menu, its options (its sixth entry), then back up
    // two entries to the promotion's: its first page, and two pages on its own words (the
    // promotion page's and the first list's).
    run(language, frames(61) + take("title") + key(kKey5, 25) + take("menu") + down(5) + key(kKey5, 20) +
                      take("options") + key(kRightSoft, 20) + key(kKey2, 6) + key(kKey2, 6) + key(kKey5, 14) +
                      frames(kPromoEnterFrames) + take("promo") + key(kKey6, kPageFrames) + key(kKey6, kPageFrames) +
                      take("promo-more") + key(kKey6, kPageFrames) + take("promo-list") + key(kRightSoft, 10));
    expectStates({"state 6 -> 8 push", "state 6 -> 58 push"});
    run(language, kNewCareer + frames(20) + take("lobby"));
    expectStates({" -> 23 "});
    // Training's first game: its question answered yes, the tutorial's first page.
    run(language, kToMainMenu + "training 0 0\n" + await(44, kLoadLimit) + frames(5) + key(kKey5, 10) +
                      take("tutorial"));
    expectStates({"state 11 -> 44 switch"});
    // A match the computer plays for both: its opening words, then the hidden keys decide it
    // at the next point and its statistics page stands.
    env_["SORV_AUTOPLAY"] = "play";
    run(language, kToMainMenu + "match 0 1 1 1\n" + "await match " + std::to_string(kMatchServing) + " " +
                      std::to_string(kMatchStateLimit) + "\n" + frames(12) + take("bar") + frames(200) + cheat(kKey1) +
                      "await match " + std::to_string(kMatchOver) + " " + std::to_string(kMatchStateLimit) + "\n" +
                      frames(20) + take("statistics"));
    env_.erase("SORV_AUTOPLAY");
    expectStates({"state 11 -> 40 switch"});

    const std::string lookDir = std::string(SORV_BUILD_DIR) + "/look";
    std::filesystem::create_directories(lookDir);
    std::string code = language;
    for (char& c : code) c = static_cast<char>(c - 'A' + 'a');
    std::vector<uint32_t> previous;
    for (const char* name : {"title", "menu", "options", "promo", "promo-more", "promo-list", "lobby", "tutorial", "bar",
                             "statistics"}) {
      const Picture p = picture(name);
      ASSERT_EQ(p.width * p.height, 480 * 800) << name;
      EXPECT_NE(p.rgb, previous) << name << " shows the screen before it";
      previous = p.rgb;
      std::filesystem::copy_file(shot(name), lookDir + "/lang-" + code + "-" + name + ".png",
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }

  void expectStates(const std::vector<std::string>& changes) {
    const std::string t = trace();
    for (const std::string& change : changes) EXPECT_TRUE(has(t, change)) << change << "\n" << t;
  }
};

TEST_F(LanguageLookRoad, French) { look("FR"); }
TEST_F(LanguageLookRoad, Polish) { look("PL"); }
TEST_F(LanguageLookRoad, Turkish) { look("TR"); }
TEST_F(LanguageLookRoad, Russian) { look("RU"); }

}  // namespace
}  // namespace sorv
