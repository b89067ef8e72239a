// The calls after a point as the display counts down, and the applause once every player
// stands idle.
#include "device/sound_glue.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/rules_fixture.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

constexpr int kFault = 9, kOut = 11, kGameSetMatch = 13, kApplause = 20;

class DeadBallSoundTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
    GameSound::setSoundOptionReader(nullptr);
    GameSound::loadAll();
    startMatch(kDoubles, 4, 1);
    for (int slot = 0; slot < 6; slot++) {
      astore(CGame::actionSprites0.get(), slot, newObject<ASprite>());
      astore(CGame::actionSprites1.get(), slot, newObject<ASprite>());
    }
    for (int i = 0; i < 4; i++) playerOf(i)->animActor = CActor::create(nullptr, 0, 0);
  }
  void TearDown() override {
    GameSound::unloadForTests();
    RulesTest::TearDown();
  }
  static ASprite* sprite(int table, int slot) {
    return static_cast<ASprite*>(aload((table == 0 ? CGame::actionSprites0 : CGame::actionSprites1).get(), slot));
  }
  // Every player's actor on the sprite with the loop-back frame.
  static void pose(int table, int slot, int32_t loop) {
    for (int i = 0; i < 4; i++) {
      CActor* actor = playerOf(i)->animActor;
      actor->sprite = sprite(table, slot);
      actor->loopFrame = loop;
    }
  }
  static bool anyPlaying() {
    for (int s = 0; s <= 20; s++) {
      if (GameSound::isPlaying(s)) return true;
    }
    return false;
  }
};

TEST_F(DeadBallSoundTest, EachEntryAtItsMoment) {
  struct Case {
    int32_t timer, first, second, cheer;
    int played;  // -1 none
    int32_t step;
    bool cleared;
  };
  const Case cases[] = {
      {14, kFault, kOut, kApplause, kFault, 0, false},
      {7, kFault, kOut, kApplause, kOut, 1, false},
      {0, kFault, kOut, kGameSetMatch, kGameSetMatch, 0, true},  // clearing restarts the steps
      {13, kFault, kOut, kApplause, -1, 5, false},  // a skipped value plays nothing
      {6, kFault, kOut, kApplause, -1, 5, false},
      {14, -1, kOut, kApplause, -1, 0, false},
      {0, kFault, kOut, -1, -1, 0, true},           // no cheer, still cleared
  };
  for (const Case& c : cases) {
    GameSound::stopAll();
    CTennis::initDeadBallSounds(c.first, c.second);
    CTennis::initDeadBallCheerSounds(c.cheer);
    CTennis::deadBallSoundStep = 5;
    CTennis::deadBallTimer = c.timer;
    CTennis::playDeadBallSounds();
    if (c.played >= 0) {
      EXPECT_TRUE(GameSound::isPlaying(c.played)) << "timer " << c.timer;
    } else {
      EXPECT_FALSE(anyPlaying()) << "timer " << c.timer;
    }
    EXPECT_EQ(CTennis::deadBallSoundStep, c.step) << "timer " << c.timer;
    const int32_t expected[3] = {c.cleared ? -1 : c.first, c.cleared ? -1 : c.second,
                                 c.cleared ? -1 : c.cheer};
    for (int i = 0; i < 3; i++) EXPECT_EQ(CTennis::deadBallSounds[i], expected[i]) << "timer " << c.timer;
  }
}

// Every point ends with the crowd's cheer queued for the calls; the user's team winning a
// game the opponents served wants quiet (the break is called without it).
TEST_F(DeadBallSoundTest, EveryPointQueuesTheCheerUnlessTheCallsWantQuiet) {
  struct Case {
    const char* what;
    const char* before;  // points played first, 'u' the user's team
    bool userWins;
    int32_t cheer;
  };
  const Case cases[] = {
      {"the user's team's point", "", true, kApplause},
      {"the opponents' point", "", false, kApplause},
      {"holding serve", "uuu", true, kApplause},
      {"the opponents hold", "uuuuooo", false, kApplause},
      {"breaking serve", "uuuuuuu", true, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    restart(0);
    scorePoints(c.before);
    CTennis::initDeadBallCheerSounds(-1);
    CTennis::addPoint(c.userWins);
    EXPECT_EQ(CTennis::deadBallSounds[2], c.cheer);
  }
}

// The point that decides the match plays nothing itself: its words are announced once, by
// the dead-ball calls, as the panel shows them.
TEST_F(DeadBallSoundTest, TheMatchIsAnnouncedOnce) {
  restart(0);
  GameSound::stopAll();
  setCheat(1);
  CTennis::deadBallReason = CTennis::kReasonTwice;
  CTennis::deadBallFrame = CTennis::matchFrame;
  CTennis::addPoint(true);
  ASSERT_TRUE(CTennis::matchFinished);
  EXPECT_FALSE(GameSound::isPlaying(kGameSetMatch)) << "not at the point itself";
  int starts = 0;
  bool was = false;
  for (int f = 0; f < 60; f++) {
    CTennis::matchFrame++;
    CTennis::drawDeadBallInfo();
    CTennis::playDeadBallSounds();
    const bool now = GameSound::isPlaying(kGameSetMatch);
    if (now && !was) starts++;
    was = now;
  }
  EXPECT_EQ(starts, 1);
}

TEST_F(DeadBallSoundTest, NoCheerOverTheApplause) {
  GameSound::stopAll();
  GameSound::play(kApplause, false);
  CTennis::initDeadBallSounds(-1, -1);
  CTennis::initDeadBallCheerSounds(kGameSetMatch);
  CTennis::deadBallTimer = 0;
  CTennis::playDeadBallSounds();
  EXPECT_FALSE(GameSound::isPlaying(kGameSetMatch));
  EXPECT_EQ(CTennis::deadBallSounds[2], -1);
}

TEST_F(DeadBallSoundTest, ApplauseWaitsForIdlePlayers) {
  struct Case {
    int category, table, slot;
    int32_t loop;
    bool idle;
  };
  const Case cases[] = {
      {1, 0, 2, 1, true},   {1, 1, 2, 3, true},  {1, 0, 2, 0, false},  // loop-back below 1
      {1, 0, 1, 1, false},  {1, 0, 5, 1, false},                       // not the idle sprite
      {4, 1, 5, 1, true},                                              // mixed: the partners' idle
  };
  for (const Case& c : cases) {
    astore(CGame::matchSettings.get(), 0, c.category);
    pose(c.table, c.slot, c.loop);
    EXPECT_EQ(CTennis::isCanPlayDeadBallSound(), c.idle) << c.table << "/" << c.slot;
    GameSound::stopAll();
    CTennis::lastPointResult = 1;
    CTennis::playCheer();
    EXPECT_EQ(GameSound::isPlaying(kApplause), c.idle);
    EXPECT_EQ(CTennis::lastPointResult, c.idle ? 0 : 1);
  }
  // One player off its idle pose holds the applause.
  pose(0, 2, 1);
  playerOf(3)->animActor->sprite = sprite(0, 0);
  EXPECT_FALSE(CTennis::isCanPlayDeadBallSound());
  playerOf(3)->animActor->sprite = nullptr;
  EXPECT_FALSE(CTennis::isCanPlayDeadBallSound());
}

TEST_F(DeadBallSoundTest, FaultAndOutCalls) {
  struct Case {
    int32_t reason, strokes;
    int sound;
  };
  for (const Case& c : {Case{CTennis::kReasonNet, 1, kFault}, Case{CTennis::kReasonOwnHalf, 1, kFault},
                        Case{CTennis::kReasonOut, 1, -1}, Case{CTennis::kReasonNet, 3, -1}}) {
    restart(0);
    GameSound::stopAll();
    deadBall(c.reason, c.strokes);
    EXPECT_EQ(GameSound::isPlaying(kFault), c.sound == kFault) << c.reason << "/" << c.strokes;
  }
  // The out event calls the ball out.
  restart(0);
  GameSound::stopAll();
  CTennis::rallyStrokes = 3;
  CTennis::strikeSide = true;
  CTennis::onBallOut();
  EXPECT_TRUE(GameSound::isPlaying(kOut));
  EXPECT_EQ(points(1), 0);
  EXPECT_EQ(points(0), 1);
}

}  // namespace
}  // namespace sorv::test
