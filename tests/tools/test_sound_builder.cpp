#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/platform/paths.h"
#include "device/platform/wave_out.h"
#include "device/sound_file.h"
#include "device/sound_player.h"
#include "device/sound_table.h"
#include "runtime/clock.h"
#include "runtime/log.h"
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

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint64_t fnv1a(const std::vector<uint8_t>& bytes, uint64_t hash) {
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
  return hash;
}

// Integer synthesis gives the same bytes on any host; a change of this value means the
// sounds changed, which must be deliberate.
constexpr uint64_t kSoundSetHash = 0x335E853510171A6Dull;

TEST(SoundBuilder, SameBytesOnEveryRun) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (int i = 0; i < kSoundCount; ++i) {
    const std::vector<uint8_t> file = buildSoundFile(i);
    EXPECT_EQ(file, buildSoundFile(i)) << kSoundFiles[i];
    hash = fnv1a(file, hash);
  }
  EXPECT_EQ(hash, kSoundSetHash) << std::hex << hash;
}

TEST(SoundBuilder, OnePcmFormatDistinctSoundsAndASilentTail) {
  std::vector<std::vector<uint8_t>> files;
  for (int i = 0; i < kSoundCount; ++i) {
    SCOPED_TRACE(kSoundFiles[i]);
    files.push_back(buildSoundFile(i));
    const std::vector<uint8_t>& f = files.back();
    SoundFileInfo info;
    ASSERT_EQ(checkSoundFile(f.data(), f.size(), &info), nullptr);
    EXPECT_EQ(info.format,
              (platform::WaveFormat{1, 1, kSoundSampleRate, 2 * kSoundSampleRate, 2, 16}));
    EXPECT_EQ(info.playLength, f.size() - kWaveHeaderBytes - kSoundTailBytes);
    // Audible within its first quarter, silent in the tail.
    size_t loud = 0;
    for (size_t at = info.playOffset; at < info.playOffset + info.playLength / 4; at += 2)
      loud += std::abs(static_cast<int16_t>(f[at] | f[at + 1] << 8)) > 1000;
    EXPECT_GT(loud, 0u);
    for (size_t at = f.size() - kSoundTailBytes; at < f.size(); ++at) ASSERT_EQ(f[at], 0) << at;
    for (int j = 0; j < i; ++j) EXPECT_NE(files[j], f) << "same as " << kSoundFiles[j];
  }
  // Short effects, longer calls, the longest the title music.
  EXPECT_LT(files[5].size(), files[8].size());
  for (int i = 1; i < kSoundCount; ++i) EXPECT_GT(files[0].size(), files[i].size());
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

TEST(SoundBuilder, MkdataWritesTheSoundsBesideTheArchive) {
  const fs::path out = freshDir("mkdata_sounds_");
  const std::string tool = std::string(SORV_BUILD_DIR) + "/tools/mkdata";
  ASSERT_EQ(std::system((tool + " --out " + out.string()).c_str()), 0);
  EXPECT_TRUE(fs::exists(out / "data.bar"));
  for (int i = 0; i < kSoundCount; ++i)
    EXPECT_EQ(readBytes(out / kSoundFiles[i]), buildSoundFile(i)) << kSoundFiles[i];
  fs::remove_all(out);
}

}  // namespace
}  // namespace sorv::mkdata
