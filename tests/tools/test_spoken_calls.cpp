#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/sound_table.h"
#include "tests/tools/sound_samples.h"
#include "tools/mkdata/calls_source.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/sound_builder.h"
#include "tools/mkdata/speech_process.h"
#include "tools/mkdata/spoken_calls.h"
#include "tools/mkdata/spoken_wav.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFallbackLine = "mkdata: espeak-ng not found: the umpire's calls are tones\n";

// A WAV file as a speech program might write it.
struct WavShape {
  uint16_t formatTag = 1, channels = 1;
  uint32_t rate = kSoundSampleRate;
  uint16_t blockAlign = 2, bits = 16;
  uint32_t declaredData = 0;  // 0: the true size
  bool chunkBeforeFormat = false, dataBeforeFormat = false;
};

void put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> withWord(std::vector<uint8_t> b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  return b;
}

std::vector<uint8_t> wavOf(const std::vector<int16_t>& samples, const WavShape& shape = {}) {
  std::vector<uint8_t> format, data, b;
  put(format, shape.formatTag, 2);
  put(format, shape.channels, 2);
  put(format, shape.rate, 4);
  put(format, shape.rate * shape.blockAlign, 4);
  put(format, shape.blockAlign, 2);
  put(format, shape.bits, 2);
  for (int16_t s : samples) put(data, static_cast<uint16_t>(s), 2);
  auto chunk = [&](const char* id, const std::vector<uint8_t>& body, uint32_t declared) {
    b.insert(b.end(), id, id + 4);
    put(b, declared, 4);
    b.insert(b.end(), body.begin(), body.end());
  };
  b.insert(b.end(), {'R', 'I', 'F', 'F', 0xF0, 0xFF, 0xFF, 0x7F, 'W', 'A', 'V', 'E'});
  if (shape.chunkBeforeFormat) chunk("LIST", {'a', 'b', 'c', 0}, 3);  // odd: padded
  const uint32_t dataSize = shape.declaredData != 0 ? shape.declaredData : static_cast<uint32_t>(data.size());
  if (shape.dataBeforeFormat) chunk("data", data, dataSize);
  chunk("fmt ", format, 16);
  if (!shape.dataBeforeFormat) chunk("data", data, dataSize);
  return b;
}

TEST(SpokenWav, TakesOnlyTheGamesFormatAndOnlyTheBytesThere) {
  const std::vector<int16_t> speech = {100, -200, 300, -400, 500};
  std::vector<uint8_t> oddLength = wavOf(speech);
  oddLength.push_back(0x7F);  // half a sample more than declared
  std::vector<uint8_t> cutInFormat = wavOf(speech);
  cutInFormat.resize(30);
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    size_t samples;  // 0: refused
  } cases[] = {
      {"canonical", wavOf(speech), 5},
      {"a chunk before the format", wavOf(speech, {.chunkBeforeFormat = true}), 5},
      {"a data size past the end, as written to a pipe", wavOf(speech, {.declaredData = 0x7FFFF000}), 5},
      {"an odd data size", wavOf(speech, {.declaredData = 7}), 3},
      {"a stray byte after the data", oddLength, 5},
      {"44,100 Hz", wavOf(speech, {.rate = 44100}), 0},
      {"stereo", wavOf(speech, {.channels = 2, .blockAlign = 4}), 0},
      {"8-bit", wavOf(speech, {.blockAlign = 1, .bits = 8}), 0},
      {"floating point", wavOf(speech, {.formatTag = 3}), 0},
      {"the data before the format", wavOf(speech, {.dataBeforeFormat = true}), 0},
      {"no samples", wavOf({}), 0},
      {"cut in the format chunk", cutInFormat, 0},
      {"a chunk claiming 4 GB", withWord(wavOf(speech), 16, 0xFFFFFFFF), 0},
      {"not RIFF", std::vector<uint8_t>(64, 'x'), 0},
      {"empty", {}, 0},
  };
  for (const auto& c : cases) {
    std::vector<int16_t> samples = {1};
    const char* why = readSpokenWav(c.file, &samples);
    EXPECT_EQ(why == nullptr, c.samples > 0) << c.what << ": " << (why ? why : "taken");
    EXPECT_EQ(samples.size(), c.samples) << c.what;
    if (c.samples > 0) {
      EXPECT_EQ(samples[2], 300) << c.what;
    }
  }
}

TEST(ShapeCall, TrimsNormalisesAndEchoes) {
  // One loud sample amid near-silence: the call starts at it, at 24,000, and comes back
  // 70 and 140 ms later a quarter and about a tenth as loud.
  std::vector<int16_t> spoken(4000, 0);
  spoken[1000] = 12000;
  for (size_t i = 0; i < spoken.size(); i += 7) spoken[i] += 100;  // below -40 dB
  spoken[1003] = 121;                                              // just above: the last kept
  const std::vector<int16_t> call = shapeCall(spoken, 900);
  const uint32_t firstEcho = samplesOf(70), secondEcho = samplesOf(140);
  ASSERT_EQ(call.size(), 4 + secondEcho);
  EXPECT_EQ(call[0], 24000);
  EXPECT_EQ(call[firstEcho], 6000);
  EXPECT_EQ(call[secondEcho], 2250);
  EXPECT_EQ(call[3], 242);
  EXPECT_EQ(call[1], 200) << "quiet inside the call is kept";
  EXPECT_TRUE(shapeCall(std::vector<int16_t>(500, 0), 900).empty());
}

TEST(ShapeCall, ACallLongerThanItsSlotIsCutAndFaded) {
  std::vector<int16_t> spoken(samplesOf(1500));
  for (size_t i = 0; i < spoken.size(); ++i) spoken[i] = static_cast<int16_t>(i % 40 < 20 ? 30000 : -30000);
  const std::vector<int16_t> cut = shapeCall(spoken, 900);
  ASSERT_EQ(cut.size(), samplesOf(900));
  EXPECT_EQ(clippedRuns(cut), 0u);
  EXPECT_EQ(cut.back(), 0);
  EXPECT_LE(peakOf(cut, cut.size() - samplesOf(5), cut.size()) * 4, peakOf(cut, 0, cut.size()));
  EXPECT_EQ(shapeCall(spoken, 2500).size(), spoken.size() + samplesOf(140));
}

// A stand-in for the speech program: a shell script that answers as it is told.
class FakeSpeaker : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("fake_speaker_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ASSERT_TRUE(readCallsSource(defaultDataDir(), &script_, &error_)) << error_;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A program that runs `body` with $out the file after -w and $text the last argument.
  std::string program(const std::string& body) {
    const fs::path path = dir_ / ("speak" + std::to_string(count_++));
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do\n  [ \"$prev\" = -w ] && out=$a\n  prev=$a text=$a\n"
                           "done\n"
                        << body << "\n";
    fs::permissions(path, fs::perms::owner_all);
    return path.string();
  }

  std::string fixture(const std::vector<uint8_t>& bytes) {
    const fs::path path = dir_ / ("fixture" + std::to_string(count_++) + ".wav");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path.string();
  }

  fs::path dir_;
  CallScript script_;
  std::string error_;
  int count_ = 0;
};

std::vector<int16_t> speechLike(size_t n) {
  std::vector<int16_t> s(n);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<int16_t>((i % 50 < 25 ? 8000 : -8000) * (i % 3 + 1) / 3);
  return s;
}

TEST_F(FakeSpeaker, AnyFailureLeavesAllTheCallsToTheTones) {
  const std::string speech = fixture(wavOf(speechLike(8000)));
  const struct {
    const char* what;
    std::string program;
    bool spoken;
  } cases[] = {
      {"a good program", program("cp " + speech + " \"$out\""), true},
      {"a header as written to a pipe",
       program("cp " + fixture(wavOf(speechLike(8000), {.declaredData = 0x7FFFF000})) + " \"$out\""), true},
      {"no such program", (dir_ / "nowhere").string(), false},
      {"a program that fails", program("exit 1"), false},
      {"a program that writes nothing", program("exit 0"), false},
      {"a program killed by a signal", program("kill -9 $$"), false},
      {"one call failing", program("[ \"$text\" = Love. ] && exit 3\ncp " + speech + " \"$out\""), false},
      {"44,100 Hz", program("cp " + fixture(wavOf(speechLike(8000), {.rate = 44100})) + " \"$out\""), false},
      {"silence", program("cp " + fixture(wavOf(std::vector<int16_t>(8000, 0))) + " \"$out\""), false},
      {"a cut file", program("head -c 30 " + speech + " > \"$out\""), false},
  };
  for (const auto& c : cases) {
    CallSamples calls;
    EXPECT_EQ(speakCalls(script_, c.program, &calls), c.spoken) << c.what;
    if (c.spoken) {
      for (const std::vector<int16_t>& call : calls) EXPECT_EQ(call, shapeCall(speechLike(8000), 900)) << c.what;
    }
  }
}

TEST_F(FakeSpeaker, AProgramThatHangsIsKilledAtTheDeadline) {
  const SpeechRequest hanging{program("exec sleep 30"), "en", 175, 300};
  std::vector<std::vector<uint8_t>> files;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(speakTexts(hanging, {"Out.", "Fault."}, &files));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(FakeSpeaker, TheProgramGetsTheVoiceTheRateAFileAndTheText) {
  const std::string log = (dir_ / "arguments").string();
  const std::string speech = fixture(wavOf(speechLike(8000)));
  CallSamples calls;
  ASSERT_TRUE(speakCalls(
      script_, program("[ \"$text\" = Deuce. ] && echo \"$@\" > " + log + "\ncp " + speech + " \"$out\""), &calls));
  std::ifstream in(log);
  std::string line;
  std::getline(in, line);
  const std::string start = "-v " + script_.voice + " -s " + std::to_string(script_.rate) + " -w ";
  EXPECT_EQ(line.substr(0, start.size()), start) << line;
  EXPECT_EQ(line.substr(line.size() - 7), " Deuce.") << line;
  // The program's files lie in a folder of mkdata's own, gone once the calls are read.
  const std::string file = line.substr(start.size(), line.size() - 7 - start.size());
  EXPECT_FALSE(fs::exists(file)) << file;
  EXPECT_FALSE(fs::exists(fs::path(file).parent_path())) << file;
}

// mkdata itself, run as a person would, with its standard error kept.
struct MkdataRun {
  int status = -1;
  std::string errors;
};

MkdataRun runMkdata(const fs::path& out, const std::string& environment) {
  const fs::path errors = out.string() + ".stderr";
  const std::string tool = std::string(SORV_BUILD_DIR) + "/tools/mkdata";
  MkdataRun run;
  run.status = std::system((environment + " " + tool + " --out " + out.string() + " 2> " + errors.string()).c_str());
  std::ifstream in(errors);
  run.errors.assign(std::istreambuf_iterator<char>(in), {});
  fs::remove(errors);
  return run;
}

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class Mkdata : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = fs::temp_directory_path() / ("mkdata_sounds_" + std::to_string(getpid()));
    fs::remove_all(out_);
  }
  void TearDown() override { fs::remove_all(out_); }
  fs::path out_;
};

TEST_F(Mkdata, WithoutTheSpeechProgramTheCallsAreTodaysTones) {
  const MkdataRun run = runMkdata(out_, "SORV_ESPEAK=/nowhere/espeak-ng");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, kFallbackLine);
  EXPECT_TRUE(fs::exists(out_ / "data.bar"));
  for (int i = 0; i < kSoundCount; ++i)
    EXPECT_EQ(readBytes(out_ / kSoundFiles[i]), buildSoundFile(i)) << kSoundFiles[i];
}

bool speechProgramInstalled() { return std::system("command -v espeak-ng > /dev/null 2>&1") == 0; }

TEST_F(Mkdata, WithEspeakNgTheCallsAreSpokenTheSameOnEveryRun) {
  if (!speechProgramInstalled()) GTEST_SKIP() << "espeak-ng is not installed (scripts/deps.sh installs it)";
  const MkdataRun run = runMkdata(out_, "env -u SORV_ESPEAK");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  std::vector<std::vector<uint8_t>> files;
  for (int i = 0; i < kSoundCount; ++i) {
    SCOPED_TRACE(kSoundFiles[i]);
    files.push_back(readBytes(out_ / kSoundFiles[i]));
    expectGameSoundFile(files.back());
    for (int j = 0; j < i; ++j) EXPECT_NE(files[j], files.back()) << "same as " << kSoundFiles[j];
    if (!isCallSound(i)) {
      EXPECT_EQ(files.back(), buildSoundFile(i));
      continue;
    }
    EXPECT_NE(files.back(), buildSoundFile(i)) << "still the tone";
    const std::vector<int16_t> call = playedSamples(files.back());
    EXPECT_LE(playedMs(call), callLimitMs(i));
    EXPECT_GE(playedMs(call), 300u);
    EXPECT_EQ(clippedRuns(call), 0u);
  }
  fs::remove_all(out_);
  ASSERT_EQ(runMkdata(out_, "env -u SORV_ESPEAK").status, 0);
  for (int i = kFirstCallSound; i <= kLastCallSound; ++i)
    EXPECT_EQ(readBytes(out_ / kSoundFiles[i]), files[i]) << kSoundFiles[i] << " differs between runs";
}

}  // namespace
}  // namespace sorv::mkdata
