#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "device/platform/paths.h"
#include "device/platform/wave_out.h"
#include "device/sound_player.h"
#include "device/sound_table.h"
#include "runtime/log.h"
#include "tests/tools/sound_samples.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

fs::path freshDir(const char* what) {
  const fs::path dir = fs::temp_directory_path() / (std::string(what) + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// Integer synthesis gives the same bytes on any host; a change of either value means the
// sounds changed, which must be deliberate. The calls' tones are what a machine without the
// speech program has always built.
constexpr uint64_t kToneCallsHash = 0xCE626BCE9DB8E1F2ull;
constexpr uint64_t kSynthesisedHash = 0x694D4712125934B4ull;

TEST(SoundBuilder, SameBytesOnEveryRun) {
  uint64_t calls = kFnvStart, rest = kFnvStart;
  for (int i = 0; i < kSoundCount; ++i) {
    const std::vector<uint8_t> file = buildSoundFile(i);
    EXPECT_EQ(file, buildSoundFile(i)) << kSoundFiles[i];
    uint64_t& hash = isCallSound(i) ? calls : rest;
    hash = fnv1a(file, hash);
  }
  EXPECT_EQ(calls, kToneCallsHash) << std::hex << calls;
  EXPECT_EQ(rest, kSynthesisedHash) << std::hex << rest;
}

TEST(SoundBuilder, OnePcmFormatDistinctSoundsAndASilentTail) {
  std::vector<std::vector<uint8_t>> files;
  for (int i = 0; i < kSoundCount; ++i) {
    SCOPED_TRACE(kSoundFiles[i]);
    files.push_back(buildSoundFile(i));
    expectGameSoundFile(files.back());
    for (int j = 0; j < i; ++j) EXPECT_NE(files[j], files.back()) << "same as " << kSoundFiles[j];
  }
}

// How long each synthesised sound plays (its bytes less the header and the unplayed tail).
struct Length {
  int first, last;
  uint32_t minMs, maxMs;
};

TEST(SoundBuilder, EachSoundLastsItsTime) {
  const Length lengths[] = {
      {0, 0, 16000, 16000},                                            // eight bars at 120 beats a minute
      {1, 1, 3000, 3000},                                              // the fanfare
      {2, 6, 40, 120},                                                 // the hits
      {7, 12, 200, 900},                                               // the calls as tones
      {13, 14, 200, 2500},  {15, 19, 200, 900}, {20, 20, 2500, 2500},  // the applause
  };
  for (const Length& l : lengths) {
    for (int i = l.first; i <= l.last; ++i) {
      const uint32_t ms = playedMs(playedSamples(buildSoundFile(i)));
      EXPECT_GE(ms, l.minMs) << kSoundFiles[i];
      EXPECT_LE(ms, l.maxMs) << kSoundFiles[i];
    }
  }
}

TEST(SoundBuilder, NoSoundClipsAndTheTitleLoopsWithoutAClick) {
  for (int i = 0; i < kSoundCount; ++i) EXPECT_EQ(clippedRuns(playedSamples(buildSoundFile(i))), 0u) << kSoundFiles[i];
  const std::vector<int16_t> title = playedSamples(buildSoundFile(kTitleMusic));
  const size_t seam = kSoundSampleRate * 5 / 1000;
  EXPECT_LE(peakOf(title, 0, seam), 512);
  EXPECT_LE(peakOf(title, title.size() - seam, title.size()), 512);
}

TEST(SoundBuilder, HitsAreTransientsAndTheServeIsTheLoudest) {
  const size_t tenMs = kSoundSampleRate / 100;
  int32_t serve = 0;
  for (int i = 2; i <= 6; ++i) {
    const std::vector<int16_t> hit = playedSamples(buildSoundFile(i));
    const int32_t start = peakOf(hit, 0, tenMs), end = peakOf(hit, hit.size() - tenMs, hit.size());
    EXPECT_LT(end * 8, start) << kSoundFiles[i] << " does not die away";
    if (i == 3) serve = peakOf(hit, 0, hit.size());
  }
  for (int i : {2, 4, 5, 6}) EXPECT_GT(serve, peakOf(playedSamples(buildSoundFile(i)), 0, SIZE_MAX)) << kSoundFiles[i];
}

TEST(SoundBuilder, TheCrowdSwellsHoldsAndFades) {
  const std::vector<int16_t> crowd = playedSamples(buildSoundFile(20));
  auto at = [&](uint32_t fromMs, uint32_t toMs) {
    return peakOf(crowd, fromMs * kSoundSampleRate / 1000, toMs * kSoundSampleRate / 1000);
  };
  const int32_t full = at(300, 1500);
  EXPECT_LT(at(0, 50) * 2, full) << "no swell";
  EXPECT_LT(at(2400, 2500) * 4, full) << "no fade";
  // Claps over a murmur: the crowd never falls silent while it is at full strength.
  for (uint32_t ms = 300; ms < 1500; ms += 50) EXPECT_GT(at(ms, ms + 50) * 8, full) << ms << " ms";
}

TEST(SoundBuilder, TheGamesLoaderAcceptsAllTwentyOne) {
  const fs::path root = freshDir("sound_builder_");
  platform::setRootDir(root.string());
  ASSERT_TRUE(platform::makeFolders(platform::kInstallFolder));
  std::string folder, error;
  ASSERT_TRUE(platform::toHostPath(platform::kInstallFolder, folder));
  ASSERT_TRUE(writeSoundFiles(folder, &error)) << error;
  std::FILE* log = std::tmpfile();
  Debug::setSink(log);
  platform::setWaveOutMode(platform::WaveOutMode::null);
  {
    SoundPlayer player;
    player.load(kSoundFiles.data(), kSoundCount, true);
    for (int i = 0; i < kSoundCount; ++i) {
      EXPECT_TRUE(player.canPlay(i)) << kSoundFiles[i];
      EXPECT_TRUE(player.play(i, false)) << kSoundFiles[i];
    }
  }
  Debug::setSink(nullptr);
  EXPECT_EQ(std::ftell(log), 0) << "the loader logged a complaint";
  std::fclose(log);
  platform::setWaveOutMode(platform::WaveOutMode::automatic);
  platform::setRootDir("");
  fs::remove_all(root);
}

}  // namespace
}  // namespace sorv::mkdata
