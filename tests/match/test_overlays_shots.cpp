// Every overlay, panel, board and help page drawn on a fixed state over a black screen, written
// to build/overlays/<name>.png for a look and compared by hash with the picture looked at.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "device/graphics.h"
#include "device/image.h"
#include "tests/match/overlays_fixture.h"

namespace sorv::test {
namespace {

class OverlayShots : public OverlaysTest {
 protected:
  // The overlays are looked at as a player sees them: on the shipped art.
  mkdata::DataStyle dataStyle() const override { return mkdata::DataStyle::kArt; }
  static void closeBall(int32_t line, int32_t zone, int32_t zoneZ, int32_t t) {
    CTennis::deadBallReason = CTennis::kReasonOut;
    CTennis::deadBallFrame = CTennis::matchFrame - t;
    CTennis::lineCallKind = line;
    CTennis::lineDistanceX = 150;
    CTennis::lineDistanceZ = -200;
    CTennis::lineZone = zone;
    CTennis::lineZoneZ = zoneZ;
    CTennis::secondLine = line == 2 ? 1 : -1;
    CTennis::secondLineDistance = 250;
    CTennis::bounceVelocityX = 400;
    CTennis::bounceVelocityZ = -2000;
  }
  // The court image's top-left 800 x 480 on the back buffer.
  static void showCourtImage() {
    Image* image = CTennis::courtImage;
    if (!isNull(image)) CGame::backBufferGraphics->drawImage(image, 0, 0, 0);
  }
  static void rollServeSpeed(int32_t ballSpeed) {
    CTennis::ball->vx = ballSpeed;
    CTennis::ball->vy = CTennis::ball->vz = 0;
    CGame::activeServeSpeedBar(40);
    for (int32_t i = 0; i < 30; i++) {
      CTennis::matchFrame++;
      CGame::updateServeSpeedBar();
    }
  }
};

// The hashes of the pictures as looked at; a new or changed picture prints its hash.
const std::map<std::string, uint64_t> kLookedAt = {
    {"call_fault", 0x6c04a8d7d84a4b73ull},
    {"score_15_30", 0x5b2ae7f187c72497ull},
    {"score_deuce", 0x3f87dfb2cf82aa17ull},
    {"score_deuce_2", 0x0c23d5c054c339c9ull},
    {"score_advantage_receiver", 0xad046e645b086b35ull},
    {"game_message", 0x58e21365e4c2b9d8ull},
    {"match_decided", 0x50daf37fb6b980b9ull},
    {"break_point", 0xd2b2a8c13a61e847ull},
    {"serve_speed_left", 0xb280c9f1922413e0ull},
    {"serve_speed_right", 0xb2cbd7be50e29500ull},
    {"score_panel", 0x3ffc680fd9261ba5ull},
    {"speed_boards", 0xf878d35bffe327e7ull},
    {"speed_boards_5", 0x9421fb1fdd76d38aull},
    {"challenge_offer", 0x7f3ce29b50507552ull},
    {"challenge_verdict", 0x5d498f87c51e7ce3ull},
    {"inset_line_1", 0xba7e53bea14b50b0ull},
    {"inset_line_2", 0x31745293d4a5a534ull},
    {"inset_line_3", 0xc79ddbb4dfd2e634ull},
    {"inset_line_4", 0xa735520c68c68be5ull},
    {"inset_line_5", 0x7bc8583c7838cba5ull},
    {"inset_line_6", 0xa78cb87dbba12c48ull},
    {"inset_line_7", 0xbfb0b54e137a2455ull},
    {"inset_line_8", 0x83c651d9d9b31572ull},
    {"inset_line_9", 0x901d44902f8644c7ull},
    {"inset_line_9_zone_0", 0xa2caa3c59be93e18ull},
    {"inset_tinted", 0x5a57a16544689742ull},
    {"help_controls_0", 0x718694b30b45d6f0ull},
    {"help_controls_1", 0x0971d546234e6c74ull},
    {"help_controls_2", 0x86f1d5266cf169b4ull},
    {"help_controls_3", 0xeec499c373f6e7b8ull},
    {"help_skills", 0xb77b7c705e849b90ull},
    {"reward_words", 0x415ee46c11a94703ull},
    {"continue_query", 0x413f9c633ac723a3ull},
};

TEST_F(OverlayShots, EveryOverlayOnAFixedState) {
  struct Shot {
    std::string name;
    std::function<void()> draw;
  };
  const std::vector<Shot> shots = {
      {"call_fault", [] { deadBall(CTennis::kReasonOut, 11, -1); matchFrame(); }},
      {"score_15_30", [] { setPoints(1, 2); deadBall(CTennis::kReasonTwice, -1, -2); matchFrame(); }},
      {"score_deuce", [] { setPoints(3, 3); deadBall(CTennis::kReasonTwice, -1, -2); matchFrame(); }},
      {"score_deuce_2", [] { setPoints(5, 5); deadBall(CTennis::kReasonTwice, -1, -2); matchFrame(); }},
      {"score_advantage_receiver", [] { setPoints(3, 4); deadBall(CTennis::kReasonTwice, -1, -2); matchFrame(); }},
      {"game_message", [] {
         CTennis::gameMessage = CGame::GetString(1, 17);
         CTennis::gameResultText = 24;
         deadBall(CTennis::kReasonTwice, -1, 1);
         matchFrame();
       }},
      {"match_decided", [] {
         CTennis::matchFinished = true;
         CTennis::gameResultText = 26;
         CTennis::gameMessage = CGame::GetString(0, 24);
         deadBall(CTennis::kReasonTwice, -1, 1);
         matchFrame();
         CTennis::matchFinished = false;
       }},
      {"break_point", [] {
         CTennis::matchFrame = 199;  // the icons' blink is on
         startPointAt(1, 3);
         for (int32_t i = 0; i < 5; i++) matchFrame();
       }},
      {"reward_words", [] {
         deadBall(CTennis::kReasonTwice, -1, -1);
         CTennis::showRewardWords(20);
         CTennis::matchFrame += 5;
         CTennis::drawRewardWords();
       }},
      {"continue_query", [] { CTennis::matchState = 8; CTennis::drawQueryContinue(); }},
      {"serve_speed_left", [] { rollServeSpeed(60000); CGame::paintServeSpeedBar(false); }},
      {"serve_speed_right", [] { rollServeSpeed(60000); CGame::paintServeSpeedBar(true); }},
      {"score_panel", [] {
         CTennis::setsInMatch = 3;
         setGames(0, 6, 4);
         CTennis::setIndex = 1;
         setGames(1, 2, 3);
         startPointAt(2, 1);
         clear();
         CGame::paintMatchScore();
       }},
      {"speed_boards", [] {
         CGame::serveSpeedBarShown = true;
         CGame::animatedNumberValue = 1234;
         CTennis::matchStrokes = 144;
         CTennis::drawServeSpeedBoards();
         showCourtImage();
       }},
      {"speed_boards_5", [] {
         CGame::serveSpeedBarShown = true;
         CGame::animatedNumberValue = 5;
         CTennis::matchStrokes = 0;
         CTennis::drawServeSpeedBoards();
         showCourtImage();
       }},
      {"challenge_offer", [] {
         CTennis::matchState = 12;
         CTennis::challengeTimer = 15;
         CGame::enablePaintDirectInBuffer(2, 0);
         CGame::pdbLevel = 100;
         closeBall(7, 1, 1, 3);
         CTennis::paintContestReferee();
       }},
      {"challenge_verdict", [] {
         CTennis::matchState = 12;
         CTennis::challengeDecided = true;
         CTennis::challengeUpheld = true;
         CTennis::challengesLeft = 2;
         closeBall(3, 1, 1, 24);
         CTennis::paintContestReferee();
         CTennis::challengeDecided = false;
       }},
  };
  std::vector<Shot> all = shots;
  for (int32_t line = 1; line <= 9; line++) {
    all.push_back({"inset_line_" + std::to_string(line), [line] {
                     closeBall(line, 1, 1, 26);
                     CTennis::paintInstantReplay();
                   }});
  }
  all.push_back({"inset_line_9_zone_0", [] { closeBall(9, 0, 0, 26); CTennis::paintInstantReplay(); }});
  all.push_back({"inset_tinted", [] {
                   closeBall(9, 0, 0, 26);
                   CTennis::rallyStrokes = 3;
                   CTennis::currentCourt = 1;
                   CTennis::paintInstantReplay();
                 }});
  for (int32_t page = 0; page < 4; page++) {
    all.push_back({"help_controls_" + std::to_string(page), [page] {
                     CGame::helpPage = page;
                     CGame::drawControlsHelp();
                   }});
  }
  all.push_back({"help_skills", [] { CGame::drawSkillsHelp(); }});

  std::string changed;
  for (const Shot& s : all) {
    startMatch(0, s.name.rfind("speed_boards", 0) == 0 ? 2 : 1);
    LogCapture log;
    s.draw();
    shot(s.name);
    EXPECT_FALSE(log.contains("NullPointer")) << s.name << log.text();
    EXPECT_FALSE(log.contains("ArrayOutOfBound")) << s.name << log.text();
    const uint64_t hash = hashScreen();
    const auto found = kLookedAt.find(s.name);
    if (found == kLookedAt.end() || found->second != hash) {
      char line[96];
      std::snprintf(line, sizeof line, "    {\"%s\", 0x%016llxull},\n", s.name.c_str(),
                    static_cast<unsigned long long>(hash));
      changed += line;
    }
  }
  EXPECT_TRUE(changed.empty()) << "pictures to look at:\n" << changed;
}

}  // namespace
}  // namespace sorv::test
