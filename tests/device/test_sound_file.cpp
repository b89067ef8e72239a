#include <gtest/gtest.h>

#include <functional>

#include "device/sound_file.h"
#include "test_sound_support.h"

namespace sorv {
namespace {

using sound_test::put16;
using sound_test::put32;
using sound_test::wavFile;

TEST(SoundFile, PlaysTheDataAfterTheHeaderWithoutItsTail) {
  const std::vector<uint8_t> file = wavFile(std::vector<int16_t>(1000, 5));
  SoundFileInfo info;
  ASSERT_EQ(checkSoundFile(file.data(), file.size(), &info), nullptr);
  EXPECT_EQ(info.format, sound_test::testFormat());
  EXPECT_EQ(info.playOffset, 44u);
  EXPECT_EQ(info.playLength, file.size() - 444);
}

TEST(SoundFile, RefusesWhatCannotBePlayedAndBoundsTheSpanByTheBytesThere) {
  struct Case {
    const char* what;
    size_t samples;
    std::function<void(std::vector<uint8_t>&)> change;
    bool playable;
    uint32_t playLength;
  };
  const auto none = [](std::vector<uint8_t>&) {};
  const Case cases[] = {
      {"one sample more than header and tail", 201, none, true, 2},
      {"one byte more than header and tail", 200,
       [](auto& b) {
         b.push_back(0);
         put32(b, 40, 401);
       },
       false, 0},
      {"a byte beyond the declared data", 200, [](auto& b) { b.push_back(0); }, false, 0},
      {"exactly header and tail", 200, none, false, 0},
      {"header only", 0, none, false, 0},
      {"cut inside the header", 0, [](auto& b) { b.resize(43); }, false, 0},
      {"empty", 0, [](auto& b) { b.clear(); }, false, 0},
      {"no RIFF", 500, [](auto& b) { b[0] = 'X'; }, false, 0},
      {"no WAVE", 500, [](auto& b) { b[9] = 'X'; }, false, 0},
      {"no fmt", 500, [](auto& b) { b[12] = 'X'; }, false, 0},
      {"fmt of 18 bytes", 500, [](auto& b) { put32(b, 16, 18); }, false, 0},
      {"no data tag", 500, [](auto& b) { b[36] = 'X'; }, false, 0},
      {"not PCM", 500, [](auto& b) { put16(b, 20, 3); }, false, 0},
      {"no channels", 500, [](auto& b) { put16(b, 22, 0); }, false, 0},
      {"block size disagrees", 500, [](auto& b) { put16(b, 32, 4); }, false, 0},
      {"byte rate disagrees", 500, [](auto& b) { put32(b, 28, 1); }, false, 0},
      {"rate zero", 500, [](auto& b) { put32(b, 24, 0); put32(b, 28, 0); }, false, 0},
      {"data claims more than the file", 500, [](auto& b) { put32(b, 40, 0xFFFFFFFF); }, true,
       600},
      {"data claims less than the file", 500, [](auto& b) { put32(b, 40, 700); }, true, 300},
      {"data claims no more than the tail", 500, [](auto& b) { put32(b, 40, 400); }, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> file = wavFile(std::vector<int16_t>(c.samples, 7));
    c.change(file);
    SoundFileInfo info;
    const char* fault = checkSoundFile(file.data(), file.size(), &info);
    EXPECT_EQ(fault == nullptr, c.playable) << (fault ? fault : "");
    if (fault == nullptr) {
      EXPECT_EQ(info.playLength, c.playLength);
      EXPECT_LE(info.playOffset + info.playLength, file.size());
    }
  }
  SoundFileInfo info;
  EXPECT_NE(checkSoundFile(nullptr, 100, &info), nullptr);
}

}  // namespace
}  // namespace sorv
