// The sounds of the flow: the call that the players are ready (sound 14) as a point starts,
// only under the applause and never before the match's first stroke; the one applause of
// the decided scene.
#include "device/sound_glue.h"
#include "tests/match/flow_fixture.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

constexpr int kPlayersReady = 14, kApplause = 20;

class FlowSoundTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
    GameSound::setSoundOptionReader(nullptr);
    GameSound::loadAll();
  }
  void TearDown() override {
    GameSound::unloadForTests();
    FlowTest::TearDown();
  }
};

TEST_F(FlowSoundTest, PlayersReadyOnlyUnderTheApplauseAfterTheFirstStroke) {
  struct Case {
    const char* name;
    int category;
    int32_t matchStrokes;
    bool applause;
    bool called;
  };
  const Case cases[] = {
      {"the first point after the walk-on's applause", kSingles, 0, true, false},
      {"the first point of doubles", kDoubles, 0, true, false},
      {"the first point in silence", kSingles, 0, false, false},
      {"after a stroke, under the applause", kSingles, 1, true, true},
      {"after strokes in doubles", kDoubles, 7, true, true},
      {"after strokes, in silence", kSingles, 7, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startMatch(c.category, 4, 0);
    GameSound::stopAll();
    if (c.applause) GameSound::play(kApplause, false);
    CTennis::matchStrokes = c.matchStrokes;
    CTennis::startPoint();
    EXPECT_EQ(CTennis::matchState, CTennis::kStateServing);
    EXPECT_EQ(GameSound::isPlaying(kPlayersReady), c.called);
  }
  GameSound::stopAll();
}

TEST_F(FlowSoundTest, TheDecidedSceneHasOneApplause) {
  deadPoint(kSingles, CTennis::kReasonOut);
  CTennis::matchFinished = true;
  astore(CTennis::setsWon.get(), 1, 1);
  CTennis::gameMessage = nullptr;
  ASSERT_EQ(framesToNextPoint(2), -1);
  ASSERT_EQ(CTennis::afterPointStage, 2);
  runActor(CTennis::player);  // the meeting at the net
  GameSound::stopAll();
  int applauses = 0;
  for (int f = 0; f < 60 && CTennis::matchState == CTennis::kStatePlaying; f++) {
    CTennis::matchFrame++;
    CTennis::updatePlaying();
    if (GameSound::isPlaying(kApplause)) {
      applauses++;
      GameSound::stopAll();  // each new start shows as playing again
    }
  }
  EXPECT_EQ(applauses, 1);
  EXPECT_EQ(CTennis::matchState, CTennis::kStateMatchOver);
  const int32_t rivalAction = CTennis::rival->animActor->animation;
  EXPECT_TRUE(rivalAction == 25 || rivalAction == 26) << "the team with more sets celebrates: " << rivalAction;
}

}  // namespace
}  // namespace sorv::test
