#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/sound_player.h"
#include "test_sound_support.h"

namespace sorv {
namespace {

using sound_test::kFramesPerMs;
using sound_test::toneWithTail;
using sound_test::wavFile;

class SoundPlayerTest : public sound_test::SoundFixture {
 protected:
  void TearDown() override {
    player_.release();
    SoundFixture::TearDown();
  }
  void load(const std::vector<const char*>& names) {
    player_.load(names.data(), static_cast<int>(names.size()), true);
  }

  SoundPlayer player_;
};

TEST_F(SoundPlayerTest, TwentyOneVoicesPlayAtOnceAndTheTwentySecondIsDropped) {
  install("a.wav", wavFile(toneWithTail(100 * kFramesPerMs, 100, 0)));
  load({"a.wav"});
  for (int i = 0; i < SoundPlayer::kVoiceCount; ++i) ASSERT_TRUE(player_.play(0, false)) << i;
  EXPECT_FALSE(player_.play(0, false));
  EXPECT_TRUE(player_.isPlaying(0));
  EXPECT_FALSE(player_.isPlaying(1));
  run(99);
  EXPECT_EQ(player_.freeVoiceCount(), 0);
  run(1);
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  EXPECT_FALSE(player_.isPlaying(0));
  EXPECT_FALSE(player_.play(-1, false));
  EXPECT_FALSE(player_.play(1, false));
}

TEST_F(SoundPlayerTest, StopAllFreesEveryVoiceAtOnce) {
  install("a.wav", wavFile(toneWithTail(100 * kFramesPerMs, 100, 0)));
  load({"a.wav"});
  for (int i = 0; i < SoundPlayer::kVoiceCount; ++i) player_.play(0, i % 2 == 0);
  player_.stopAll();
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  EXPECT_FALSE(player_.isPlaying(0));
  run(1000);
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  EXPECT_TRUE(player_.play(0, false));
}

TEST_F(SoundPlayerTest, TheMixHoldsTheDataWithoutTheTailThatIsNeverPlayed) {
  install("a.wav", wavFile(toneWithTail(50 * kFramesPerMs, 3000, 7777)));
  recordMix();
  load({"a.wav"});
  ASSERT_TRUE(player_.play(0, false));
  run(100);
  player_.release();
  const std::vector<int16_t> mix = sound_test::recordedSamples(sinkPath());
  ASSERT_EQ(mix.size(), 100 * kFramesPerMs);
  for (size_t i = 0; i < mix.size(); ++i) {
    ASSERT_EQ(mix[i], i < 50 * kFramesPerMs ? 3000 : 0) << "sample " << i;
  }
}

TEST_F(SoundPlayerTest, ALoopRestartsAtTheEndOfItsDataUntilStopped) {
  std::vector<int16_t> ramp;
  for (uint32_t i = 0; i < 10 * kFramesPerMs; ++i) ramp.push_back(static_cast<int16_t>(100 + i));
  std::vector<int16_t> samples = ramp;
  samples.insert(samples.end(), sound_test::kTailSamples, -5);
  install("a.wav", wavFile(samples));
  recordMix();
  load({"a.wav"});
  ASSERT_TRUE(player_.play(0, true));
  for (int step = 0; step < 7; ++step) run(5);
  EXPECT_TRUE(player_.isPlaying(0));
  player_.stopAll();
  run(10);
  player_.release();
  const std::vector<int16_t> mix = sound_test::recordedSamples(sinkPath());
  ASSERT_EQ(mix.size(), 45 * kFramesPerMs);
  for (size_t i = 0; i < mix.size(); ++i) {
    const int16_t want = i < 35 * kFramesPerMs ? ramp[i % ramp.size()] : 0;
    ASSERT_EQ(mix[i], want) << "sample " << i;
  }
}

TEST_F(SoundPlayerTest, BadFilesQueueNothingAndTheOthersStillPlay) {
  const auto good = wavFile(toneWithTail(10 * kFramesPerMs, 100, 0));
  auto badTag = good;
  badTag[36] = 'X';
  auto otherFormat = wavFile(toneWithTail(10 * kFramesPerMs, 100, 0),
                             {platform::kWaveFormatPcm, 2, 8000, 32000, 4, 16});
  auto cut = good;
  cut.resize(30);
  install("good.wav", good);
  install("short.wav", wavFile(toneWithTail(0, 100, 0)));
  install("tag.wav", badTag);
  install("format.wav", otherFormat);
  install("cut.wav", cut);
  install("empty.wav", {});
  std::string folder;
  ASSERT_TRUE(platform::toHostPath(std::string(platform::kInstallFolder) + "\\dir.wav", folder));
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  install("big.wav", good);
  std::filesystem::resize_file(std::filesystem::path(folder).parent_path() / "big.wav",
                               uintmax_t{1} << 32);  // sparse: nothing is written
  const std::vector<const char*> names = {
      "good.wav", "missing.wav", "short.wav", "tag.wav",  "format.wav", "cut.wav",
      "empty.wav", "dir.wav",    "big.wav",   nullptr,    "../x.wav",   "good.wav"};
  load(names);
  for (size_t i = 1; i + 1 < names.size(); ++i) {
    SCOPED_TRACE(names[i] ? names[i] : "(null)");
    EXPECT_FALSE(player_.canPlay(static_cast<int>(i)));
    EXPECT_FALSE(player_.play(static_cast<int>(i), true));
    if (names[i] != nullptr) {
      EXPECT_NE(log().find(names[i]), std::string::npos) << log();
    }
  }
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  EXPECT_TRUE(player_.play(0, false));
  EXPECT_TRUE(player_.play(static_cast<int>(names.size()) - 1, false));
}

std::string installed(const char* name) {
  std::string host;
  platform::toHostPath(std::string(platform::kInstallFolder) + "\\" + name, host);
  return host;
}

// A missing or bad first sound is silent alone: the next good one gives the format and
// plays. With no usable sound at all, sound is off.
TEST_F(SoundPlayerTest, AMissingOrBadFirstSoundIsSilentAloneAndTheOthersPlay) {
  const auto good = wavFile(toneWithTail(10 * kFramesPerMs, 100, 0));
  auto noRiff = good;
  noRiff[0] = 'r';
  const std::vector<std::vector<uint8_t>> firsts = {{}, noRiff, wavFile(toneWithTail(0, 1, 1))};
  for (size_t c = 0; c <= firsts.size(); ++c) {
    SCOPED_TRACE(c);
    if (c < firsts.size()) install("first.wav", firsts[c]);  // the last case: no file
    else std::filesystem::remove(installed("first.wav"));
    install("second.wav", good);
    const size_t before = log().size();
    load({"first.wav", "second.wav"});
    const std::string said = log().substr(before);
    int naming = 0;
    std::istringstream lines(said);
    for (std::string line; std::getline(lines, line);) naming += line.find("first.wav") != std::string::npos;
    EXPECT_EQ(naming, 1) << said;
    EXPECT_NE(said.find("it plays as silence"), std::string::npos) << said;
    EXPECT_EQ(said.find("sound is off"), std::string::npos) << said;
    EXPECT_FALSE(player_.play(0, false));
    EXPECT_TRUE(player_.play(1, false));
    EXPECT_TRUE(player_.isPlaying(1));
    player_.stopAll();
    player_.release();
  }
  std::filesystem::remove(installed("second.wav"));
  load({"first.wav", "second.wav"});
  EXPECT_NE(log().find("no usable sound, sound is off"), std::string::npos) << log();
  EXPECT_FALSE(player_.play(1, false));
}

TEST_F(SoundPlayerTest, NoDeviceOrAFailedWriteKeepsNoVoice) {
  install("a.wav", wavFile(toneWithTail(10 * kFramesPerMs, 100, 0)));
  platform::setWaveOutMode(platform::WaveOutMode::none);
  load({"a.wav"});
  EXPECT_NE(log().find("no wave-output device"), std::string::npos);
  EXPECT_FALSE(player_.play(0, true));
  EXPECT_FALSE(player_.isPlaying(0));

  platform::setWaveOutMode(platform::WaveOutMode::null);
  load({"a.wav"});
  platform::failWaveOutWrites(3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(player_.play(0, true));
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  EXPECT_FALSE(player_.isPlaying(0));
  EXPECT_TRUE(player_.play(0, true));
}

// The threaded output calls back from its own thread, as the host's audio does; run under
// ThreadSanitizer by scripts/tsan.sh.
TEST_F(SoundPlayerTest, ThreadedOutputSurvivesThousandsOfRandomPlaysAndStops) {
  clock::setVirtual(false);
  platform::setWaveOutMode(platform::WaveOutMode::thread);
  install("a.wav", wavFile(toneWithTail(2 * kFramesPerMs, 100, 0)));
  install("b.wav", wavFile(toneWithTail(5 * kFramesPerMs, 200, 0)));
  install("c.wav", wavFile(toneWithTail(1, 300, 0)));
  load({"a.wav", "b.wav", "c.wav"});
  ASSERT_EQ(platform::activeWaveOutMode(), platform::WaveOutMode::thread);
  std::mt19937 random(2009);
  for (int op = 0; op < 5000; ++op) {
    const unsigned roll = random() % 100;
    if (roll < 70) {
      player_.play(static_cast<int>(random() % 3), roll < 10);
    } else if (roll < 80) {
      player_.stopAll();
    } else if (roll < 95) {
      player_.isPlaying(static_cast<int>(random() % 3));
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  }
  player_.stopAll();
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
  // Short sounds that are not looped end by themselves.
  for (int i = 0; i < 5; ++i) player_.play(0, false);
  for (int wait = 0; wait < 2000 && player_.freeVoiceCount() < SoundPlayer::kVoiceCount; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
}

// The host output without a sound card: SDL's dummy driver runs its audio thread all the same.
TEST_F(SoundPlayerTest, HostOutputDeliversItsCallbacksFromSdlsAudioThread) {
  clock::setVirtual(false);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::setWaveOutMode(platform::WaveOutMode::host);
  install("a.wav", wavFile(toneWithTail(2 * kFramesPerMs, 100, 0)));
  load({"a.wav"});
  unsetenv("SDL_AUDIODRIVER");
  if (platform::activeWaveOutMode() != platform::WaveOutMode::host) {
    GTEST_SKIP() << "SDL has no dummy audio driver here";
  }
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(player_.play(0, i == 0));
  for (int wait = 0; wait < 2000 && player_.freeVoiceCount() < SoundPlayer::kVoiceCount - 1; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount - 1) << "the loop plays on";
  EXPECT_TRUE(player_.isPlaying(0));
  player_.stopAll();
  EXPECT_EQ(player_.freeVoiceCount(), SoundPlayer::kVoiceCount);
}

}  // namespace
}  // namespace sorv
