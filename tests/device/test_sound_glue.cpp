#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "device/sound_glue.h"
#include "device/sound_table.h"
#include "test_sound_support.h"

namespace sorv {
namespace {

using sound_test::kFramesPerMs;
using sound_test::toneWithTail;

constexpr uint32_t kTitleMs = 20;

bool optionOff() { return false; }

bool anySoundPlaying() {
  for (int i = 0; i < kSoundCount; ++i) {
    if (GameSound::isPlaying(i)) return true;
  }
  return false;
}

// The title music is a 20 ms ramp, so a restart shows in the mix; sound i (i > 0) lasts
// i * 10 ms.
class GameSoundTest : public sound_test::SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    for (uint32_t i = 0; i < kTitleMs * kFramesPerMs; ++i)
      title_.push_back(static_cast<int16_t>(1000 + i));
    std::vector<int16_t> titleFile = title_;
    titleFile.insert(titleFile.end(), sound_test::kTailSamples, 0);
    install(kSoundFiles[0], sound_test::wavFile(titleFile));
    for (int i = 1; i < kSoundCount; ++i) {
      install(kSoundFiles[i], sound_test::wavFile(toneWithTail(
                                  i * 10 * kFramesPerMs, static_cast<int16_t>(i), 0)));
    }
  }
  void TearDown() override {
    GameSound::unloadForTests();
    GameSound::setSoundOptionReader(nullptr);
    SoundFixture::TearDown();
  }

  std::vector<int16_t> title_;
};

TEST_F(GameSoundTest, OnlyIndicesOfTheTablePlay) {
  GameSound::loadAll();
  for (int index : {-1, 21, 1000, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(index);
    GameSound::play(index, false);
    EXPECT_FALSE(anySoundPlaying());
    EXPECT_FALSE(GameSound::isPlaying(index));
  }
  for (int index : {0, 20}) {
    GameSound::play(index, false);
    EXPECT_TRUE(GameSound::isPlaying(index)) << index;
  }
  GameSound::stopAll();
  EXPECT_FALSE(anySoundPlaying());
}

TEST_F(GameSoundTest, WithTheSoundOptionOffNothingPlays) {
  GameSound::loadAll();
  GameSound::play(0, true);
  GameSound::setSoundOptionReader(optionOff);
  EXPECT_FALSE(GameSound::isPlaying(0)) << "with the option off nothing counts as playing";
  GameSound::pause();
  GameSound::setSoundOptionReader(nullptr);
  EXPECT_TRUE(GameSound::isPlaying(0)) << "pause does nothing with the option off";

  GameSound::stopAll();
  GameSound::setSoundOptionReader(optionOff);
  for (int i = 0; i < kSoundCount; ++i) GameSound::play(i, i == 0);
  GameSound::setSoundOptionReader(nullptr);
  EXPECT_FALSE(anySoundPlaying());
}

TEST_F(GameSoundTest, PauseAndResumeRestartTheTitleMusicFromItsStart) {
  recordMix();
  GameSound::loadAll();
  GameSound::play(kTitleMusic, true);
  run(33);  // once round and 13 ms into the second
  GameSound::pause();
  EXPECT_FALSE(GameSound::isPlaying(kTitleMusic));
  run(5);
  GameSound::resumeMusic();
  EXPECT_TRUE(GameSound::isPlaying(kTitleMusic));
  run(27);
  EXPECT_TRUE(GameSound::isPlaying(kTitleMusic)) << "the resumed music loops";
  GameSound::unloadForTests();

  const std::vector<int16_t> mix = sound_test::recordedSamples(sinkPath());
  ASSERT_EQ(mix.size(), 65 * kFramesPerMs);
  const size_t pausedAt = 33 * kFramesPerMs, resumedAt = 38 * kFramesPerMs;
  for (size_t i = 0; i < mix.size(); ++i) {
    int16_t want = 0;
    if (i < pausedAt) want = title_[i % title_.size()];
    if (i >= resumedAt) want = title_[(i - resumedAt) % title_.size()];
    ASSERT_EQ(mix[i], want) << "sample " << i;
  }
}

TEST_F(GameSoundTest, ResumeStartsTheMusicOnlyOnceAndOnlyWhenItWasPlaying) {
  GameSound::loadAll();
  GameSound::play(3, false);
  GameSound::pause();
  EXPECT_FALSE(anySoundPlaying());
  GameSound::resumeMusic();
  EXPECT_FALSE(anySoundPlaying());

  GameSound::play(kTitleMusic, true);
  GameSound::pause();
  GameSound::resumeMusic();
  EXPECT_TRUE(GameSound::isPlaying(kTitleMusic));
  GameSound::stopAll();
  GameSound::resumeMusic();
  EXPECT_FALSE(GameSound::isPlaying(kTitleMusic));
}

TEST_F(GameSoundTest, AHundredPausesAndResumesLeaveEveryOtherVoiceFree) {
  GameSound::loadAll();
  GameSound::play(kTitleMusic, true);
  for (int i = 0; i < 100; ++i) {
    GameSound::pause();
    GameSound::resumeMusic();
  }
  for (int i = 1; i < kSoundCount; ++i) GameSound::play(i, false);
  for (int i = 0; i < kSoundCount; ++i) EXPECT_TRUE(GameSound::isPlaying(i)) << i;
}

TEST_F(GameSoundTest, TheTitleMusicLoopsWhileOtherSoundsEnd) {
  GameSound::loadAll();
  GameSound::play(kTitleMusic, true);
  GameSound::play(1, false);
  run(9);
  EXPECT_TRUE(GameSound::isPlaying(1));
  run(1);
  EXPECT_FALSE(GameSound::isPlaying(1));
  for (int i = 0; i < 10; ++i) run(kTitleMs);
  EXPECT_TRUE(GameSound::isPlaying(kTitleMusic));
  GameSound::loadAll();  // once only: the music goes on
  EXPECT_TRUE(GameSound::isPlaying(kTitleMusic));
}

}  // namespace
}  // namespace sorv
