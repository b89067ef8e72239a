#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "device/platform/wave_out.h"
#include "test_sound_support.h"

namespace sorv::platform {
namespace {

using sound_test::kFramesPerMs;
using sound_test::testFormat;

struct Done {
  WaveOutHandle device;
  WaveHeader* header;
  uintptr_t user;
};

void collect(WaveOutHandle device, WaveHeader* header, uintptr_t user, void* instance) {
  static_cast<std::vector<Done>*>(instance)->push_back({device, header, user});
}

// A buffer of `ms` milliseconds of one sample value in the test format.
struct Buffer {
  explicit Buffer(uint32_t ms, int16_t value = 1000) : samples(ms * kFramesPerMs, value) {
    header.data = reinterpret_cast<const uint8_t*>(samples.data());
    header.length = static_cast<uint32_t>(samples.size() * 2);
  }
  std::vector<int16_t> samples;
  WaveHeader header;
};

class WaveOutTest : public sound_test::SoundFixture {
 protected:
  void TearDown() override {
    for (WaveOutHandle d : opened_) {
      waveOutReset(d);
      waveOutClose(d);
    }
    SoundFixture::TearDown();
  }
  WaveOutHandle open() {
    WaveOutHandle d = 0;
    EXPECT_EQ(waveOutOpen(&d, testFormat(), collect, &done_), WaveResult::ok);
    if (d != 0) opened_.push_back(d);
    return d;
  }
  void queue(WaveOutHandle d, Buffer& b) {
    ASSERT_EQ(waveOutPrepareHeader(d, &b.header), WaveResult::ok);
    ASSERT_EQ(waveOutWrite(d, &b.header), WaveResult::ok);
  }

  std::vector<Done> done_;
  std::vector<WaveOutHandle> opened_;
};

TEST_F(WaveOutTest, DevicesExistUnlessTheOutputIsNone) {
  setWaveOutMode(WaveOutMode::none);
  EXPECT_EQ(waveOutDeviceCount(), 0u);
  WaveOutHandle d = 7;
  EXPECT_EQ(waveOutOpen(&d, testFormat(), collect, &done_), WaveResult::noDevice);
  EXPECT_EQ(d, 0u);

  setWaveOutMode(WaveOutMode::null);
  EXPECT_EQ(waveOutDeviceCount(), 1u);
  WaveFormat bad = testFormat();
  bad.blockAlign = 3;
  EXPECT_EQ(waveOutOpen(&d, bad, collect, &done_), WaveResult::badFormat);
  open();
  EXPECT_EQ(activeWaveOutMode(), WaveOutMode::null);
  // Every device shares the first one's format.
  WaveFormat other = testFormat();
  other.samplesPerSec = 11025;
  other.avgBytesPerSec = 22050;
  EXPECT_EQ(waveOutOpen(&d, other, collect, &done_), WaveResult::badFormat);
}

TEST_F(WaveOutTest, SilentSinkConsumesAtTheByteRateAndReportsFromThePump) {
  const WaveOutHandle d = open();
  Buffer first(10), second(5);
  first.header.user = 11;
  second.header.user = 22;
  queue(d, first);
  queue(d, second);
  first.header.user = 99;  // the report carries the word as written

  run(9);
  EXPECT_TRUE(done_.empty());
  clock::advance(1);
  EXPECT_TRUE(done_.empty()) << "callbacks come only from the pump";
  pumpWaveOut();
  ASSERT_EQ(done_.size(), 1u);
  EXPECT_EQ(done_[0].device, d);
  EXPECT_EQ(done_[0].header, &first.header);
  EXPECT_EQ(done_[0].user, 11u);

  run(4);
  EXPECT_EQ(done_.size(), 1u);
  run(1);
  ASSERT_EQ(done_.size(), 2u);
  EXPECT_EQ(done_[1].user, 22u);
}

TEST_F(WaveOutTest, HeadersFollowPrepareWriteUnprepareAndResetGivesThemBack) {
  const WaveOutHandle d = open();
  Buffer b(10);
  EXPECT_EQ(waveOutWrite(d, &b.header), WaveResult::unprepared);
  queue(d, b);
  EXPECT_EQ(waveOutWrite(d, &b.header), WaveResult::stillPlaying);
  EXPECT_EQ(waveOutUnprepareHeader(d, &b.header), WaveResult::stillPlaying);
  EXPECT_EQ(waveOutClose(d), WaveResult::stillPlaying);
  EXPECT_EQ(waveOutReset(d), WaveResult::ok);
  EXPECT_EQ(waveOutUnprepareHeader(d, &b.header), WaveResult::ok);
  run(100);
  EXPECT_TRUE(done_.empty()) << "a reset buffer is not reported";
  EXPECT_EQ(waveOutPrepareHeader(d + 1000, &b.header), WaveResult::badHandle);
  EXPECT_EQ(waveOutClose(d), WaveResult::ok);
  opened_.clear();
  EXPECT_EQ(waveOutClose(d), WaveResult::badHandle);
}

TEST_F(WaveOutTest, MasterVolumeOfDeviceZeroIsApartFromEachDevicesOwn) {
  ASSERT_EQ(waveOutSetVolume(kWaveDevice0, 0x40004000), WaveResult::ok);
  const WaveOutHandle d = open();
  uint32_t v = 0;
  ASSERT_EQ(waveOutGetVolume(d, &v), WaveResult::ok);
  EXPECT_EQ(v, 0xFFFFFFFFu);
  ASSERT_EQ(waveOutSetVolume(d, 0x12345678), WaveResult::ok);
  ASSERT_EQ(waveOutGetVolume(kWaveDevice0, &v), WaveResult::ok);
  EXPECT_EQ(v, 0x40004000u);
  ASSERT_EQ(waveOutGetVolume(d, &v), WaveResult::ok);
  EXPECT_EQ(v, 0x12345678u);
  ASSERT_EQ(waveOutSetVolume(kWaveDevice0, 0xFFFFFFFF), WaveResult::ok);
}

TEST_F(WaveOutTest, VolumesScaleTheRecordedMix) {
  struct Case {
    const char* what;
    uint32_t master;
    uint32_t first;   // volume of the first device
    int16_t value;    // its sample value
    uint32_t second;  // volume of a second device, playing 20000 too; 0: not used
    int expected;
  };
  const Case cases[] = {
      {"full volume keeps samples exactly", 0xFFFFFFFF, 0xFFFFFFFF, 12345, 0, 12345},
      {"half master", 0x80008000, 0xFFFFFFFF, 10000, 0, 5000},
      {"half device", 0xFFFFFFFF, 0x80008000, -10000, 0, -5000},
      {"master and device multiply", 0x80008000, 0x80008000, 20000, 0, 5000},
      {"mono follows the left (low) word", 0xFFFFFFFF, 0xFFFF0000, 20000, 0, 0},
      {"silent master", 0, 0xFFFFFFFF, 20000, 0, 0},
      {"two devices add up and clip", 0xFFFFFFFF, 0xFFFFFFFF, 20000, 0xFFFFFFFF, 32767},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = sinkPath() + std::to_string(&c - cases);
    setWaveSinkPath(path);
    ASSERT_EQ(waveOutSetVolume(kWaveDevice0, c.master), WaveResult::ok);
    const WaveOutHandle d = open();
    waveOutSetVolume(d, c.first);
    Buffer a(10, c.value), b(10, 20000);
    queue(d, a);
    WaveOutHandle d2 = 0;
    if (c.second != 0) {
      d2 = open();
      waveOutSetVolume(d2, c.second);
      queue(d2, b);
    }
    run(20);
    for (WaveOutHandle h : opened_) waveOutClose(h);
    opened_.clear();
    waveOutSetVolume(kWaveDevice0, 0xFFFFFFFF);

    const std::vector<int16_t> mix = sound_test::recordedSamples(path);
    ASSERT_EQ(mix.size(), 20 * kFramesPerMs);
    for (size_t i = 0; i < mix.size(); ++i) {
      const int want = i < 10 * kFramesPerMs ? c.expected : 0;
      ASSERT_LE(std::abs(mix[i] - want), 1) << "sample " << i;
    }
  }
}

}  // namespace
}  // namespace sorv::platform
