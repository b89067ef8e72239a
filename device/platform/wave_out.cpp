// The mixer behind every wave-output device: queues, volumes, the frame count of the one
// output, and the delivery of done callbacks outside the lock.
#include "device/platform/wave_out.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "device/platform/wave_out_backends.h"
#include "runtime/clock.h"
#include "runtime/log.h"

namespace sorv::platform {
namespace {

constexpr uint32_t kPrepared = 1;
constexpr uint32_t kQueued = 2;
constexpr uint32_t kDone = 4;

constexpr uint32_t kFullVolume = 0xFFFFFFFF;
// Frames mixed per step, so a long jump of the virtual clock needs no large buffer.
constexpr int64_t kChunkFrames = 4096;
constexpr uint32_t kPacerPeriodMs = 5;

struct Queued {
  WaveHeader* header;
  const uint8_t* data;
  uint32_t frames;
  uint32_t played = 0;
  uintptr_t user;
};

struct Device {
  WaveDoneCallback done;
  void* instance;
  uint32_t volume = kFullVolume;
  std::deque<Queued> queue;
};

struct Finished {
  WaveOutHandle device;
  WaveHeader* header;
  uintptr_t user;
  WaveDoneCallback done;
  void* instance;
};

struct Mixer {
  std::mutex lock;
  std::condition_variable callbackEnded;
  std::condition_variable pacerWake;

  WaveOutMode requestedMode = WaveOutMode::automatic;
  bool sinkPathSet = false;
  std::string sinkPath;

  WaveOutMode mode = WaveOutMode::automatic;  // of the running output
  WaveFormat format;
  std::map<WaveOutHandle, Device> devices;
  WaveOutHandle nextHandle = 1;  // handles are never reused
  uint32_t masterVolume = kFullVolume;
  WaveOutHandle delivering = 0;  // device whose callback runs right now
  int writesToFail = 0;

  int64_t startMs = 0;
  int64_t mixedFrames = 0;
  std::thread pacer;
  bool stopPacer = false;
  WaveFileSink sink;
  std::vector<int32_t> sum;
  std::vector<uint8_t> bytes;
};

// Never destroyed: SDL's audio thread or the pacer may still call in while the program's
// statics are torn down at exit.
Mixer& mixer() {
  static Mixer* m = new Mixer;
  return *m;
}

WaveOutMode modeFromEnvironment() {
  const char* v = std::getenv("SORV_AUDIO");
  if (v == nullptr) return WaveOutMode::host;
  if (std::strcmp(v, "null") == 0) return WaveOutMode::null;
  if (std::strcmp(v, "thread") == 0) return WaveOutMode::thread;
  if (std::strcmp(v, "none") == 0) return WaveOutMode::none;
  return WaveOutMode::host;
}

WaveOutMode chosenMode(const Mixer& m) {
  return m.requestedMode != WaveOutMode::automatic ? m.requestedMode : modeFromEnvironment();
}

// 0..65536, so full volume leaves samples exactly as they are.
int32_t channelGain(uint32_t volume, int channel) {
  const uint32_t v = channel == 0 ? (volume & 0xFFFF) : (volume >> 16);
  return static_cast<int32_t>(v + (v >> 15));
}

int32_t readSample(const uint8_t* p, int bits) {
  if (bits == 8) return (static_cast<int32_t>(p[0]) - 128) * 256;
  int16_t s;
  std::memcpy(&s, p, 2);
  return s;
}

void writeSamples(const int32_t* sum, size_t count, int bits, uint8_t* out) {
  for (size_t i = 0; i < count; ++i) {
    const int32_t s = std::clamp(sum[i], -32768, 32767);
    if (bits == 8) {
      out[i] = static_cast<uint8_t>((s >> 8) + 128);
    } else {
      const int16_t v = static_cast<int16_t>(s);
      std::memcpy(out + 2 * i, &v, 2);
    }
  }
}

void finish(WaveOutHandle handle, Device& d, std::vector<Finished>& done) {
  Queued& q = d.queue.front();
  q.header->flags = (q.header->flags & ~kQueued) | kDone;
  done.push_back({handle, q.header, q.user, d.done, d.instance});
  d.queue.pop_front();
}

// Consumes up to `frames` (at most kChunkFrames) of every device; `sum` (or null when no one
// listens) receives the scaled samples.
void consumeChunk(Mixer& m, int64_t frames, int32_t* sum, std::vector<Finished>& done) {
  const int channels = m.format.channels;
  const int bits = m.format.bitsPerSample;
  const int sampleBytes = bits / 8;
  for (auto& [handle, d] : m.devices) {
    int32_t gain[2] = {0, 0};
    for (int c = 0; c < channels; ++c) {
      gain[c] = static_cast<int32_t>(
          (static_cast<int64_t>(channelGain(d.volume, c)) * channelGain(m.masterVolume, c)) >> 16);
    }
    int64_t offset = 0;
    while (!d.queue.empty()) {
      Queued& q = d.queue.front();
      if (q.played == q.frames) {
        finish(handle, d, done);
        continue;
      }
      if (offset == frames) break;
      const int64_t n = std::min<int64_t>(frames - offset, q.frames - q.played);
      if (sum != nullptr) {
        const uint8_t* src = q.data + static_cast<size_t>(q.played) * m.format.blockAlign;
        int32_t* dst = sum + offset * channels;
        for (int64_t f = 0; f < n; ++f) {
          for (int c = 0; c < channels; ++c) {
            *dst++ += static_cast<int32_t>(
                (static_cast<int64_t>(readSample(src, bits)) * gain[c]) >> 16);
            src += sampleBytes;
          }
        }
      }
      q.played += static_cast<uint32_t>(n);
      offset += n;
    }
  }
}

// Advances the output by `frames`; hostStream (when given) receives them in the output
// format, and so does the WAV sink when one is open.
void mixLocked(Mixer& m, int64_t frames, uint8_t* hostStream, std::vector<Finished>& done) {
  const bool listened = hostStream != nullptr || m.sink.isOpen();
  const size_t channels = m.format.channels;
  int64_t left = frames;
  do {
    const int64_t n = std::min(left, kChunkFrames);
    int32_t* sum = nullptr;
    if (listened) {
      m.sum.assign(static_cast<size_t>(n) * channels, 0);
      sum = m.sum.data();
    }
    consumeChunk(m, n, sum, done);
    if (listened) {
      uint8_t* out = hostStream;
      if (out == nullptr) {
        m.bytes.resize(static_cast<size_t>(n) * m.format.blockAlign);
        out = m.bytes.data();
      }
      writeSamples(sum, static_cast<size_t>(n) * channels, m.format.bitsPerSample, out);
      m.sink.append(out, static_cast<size_t>(n) * m.format.blockAlign);
      if (hostStream != nullptr) hostStream += n * m.format.blockAlign;
    }
    m.mixedFrames += n;
    left -= n;
  } while (left > 0);
}

// Calls each done callback without the lock; a device closed meanwhile gets none.
void deliver(Mixer& m, std::unique_lock<std::mutex>& held, std::vector<Finished>& done) {
  for (const Finished& f : done) {
    if (m.devices.count(f.device) == 0) continue;
    m.delivering = f.device;
    held.unlock();
    f.done(f.device, f.header, f.user, f.instance);
    held.lock();
    m.delivering = 0;
    m.callbackEnded.notify_all();
  }
  done.clear();
}

void runPacer() {
  Mixer& m = mixer();
  std::unique_lock<std::mutex> held(m.lock);
  std::vector<Finished> done;
  uint64_t owed = 0;  // frames times 1000, so slow rates lose nothing to rounding
  while (!m.stopPacer) {
    m.pacerWake.wait_for(held, std::chrono::milliseconds(kPacerPeriodMs));
    if (m.stopPacer) break;
    owed += static_cast<uint64_t>(m.format.samplesPerSec) * kPacerPeriodMs;
    mixLocked(m, static_cast<int64_t>(owed / 1000), nullptr, done);
    owed %= 1000;
    deliver(m, held, done);
  }
}

bool startOutput(Mixer& m, const WaveFormat& format) {
  WaveOutMode mode = chosenMode(m);
  if (mode == WaveOutMode::none) return false;
  m.format = format;
  std::string why;
  if (mode == WaveOutMode::host && !startHostAudio(format, why)) {
    // Said once a run: the game goes on silent, and nothing else would tell why.
    static bool told = false;
    if (!told) Debug::trace("wave output: no audio device (%s); the sound plays silently", why.c_str());
    told = true;
    mode = WaveOutMode::null;
  }
  m.mode = mode;
  m.mixedFrames = 0;
  m.startMs = clock::millis();
  const char* envSink = std::getenv("SORV_WAV_SINK");
  const std::string sinkPath = m.sinkPathSet ? m.sinkPath : (envSink ? envSink : "");
  // The stand-in has no log of its own; a lost recording must still be noticed.
  if (!sinkPath.empty() && !m.sink.open(sinkPath, format))
    std::fprintf(stderr, "wave output: cannot write %s\n", sinkPath.c_str());
  if (mode == WaveOutMode::thread) {
    m.stopPacer = false;
    m.pacer = std::thread(runPacer);
  }
  return true;
}

void stopOutput(Mixer& m, std::unique_lock<std::mutex>& held) {
  const WaveOutMode mode = m.mode;
  if (mode == WaveOutMode::thread) {
    m.stopPacer = true;
    m.pacerWake.notify_all();
    held.unlock();
    m.pacer.join();
    held.lock();
  } else if (mode == WaveOutMode::host) {
    held.unlock();
    stopHostAudio();
    held.lock();
  }
  m.sink.close();
  m.mode = WaveOutMode::automatic;
}

Device* findDevice(Mixer& m, WaveOutHandle handle) {
  auto it = m.devices.find(handle);
  return it == m.devices.end() ? nullptr : &it->second;
}

}  // namespace

bool isPlayableFormat(const WaveFormat& f) {
  if (f.formatTag != kWaveFormatPcm) return false;
  if (f.channels != 1 && f.channels != 2) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
  if (f.samplesPerSec == 0 || f.samplesPerSec > 192000) return false;
  return f.blockAlign == f.channels * f.bitsPerSample / 8 &&
         f.avgBytesPerSec == f.samplesPerSec * f.blockAlign;
}

unsigned waveOutDeviceCount() {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (!m.devices.empty()) return 1;
  return chosenMode(m) == WaveOutMode::none ? 0 : 1;
}

WaveResult waveOutOpen(WaveOutHandle* device, const WaveFormat& format, WaveDoneCallback done,
                       void* instance) {
  if (device == nullptr || done == nullptr) return WaveResult::badParameter;
  *device = 0;
  if (!isPlayableFormat(format)) return WaveResult::badFormat;
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (m.devices.empty()) {
    if (!startOutput(m, format)) return WaveResult::noDevice;
  } else if (format != m.format) {
    return WaveResult::badFormat;
  }
  const WaveOutHandle handle = m.nextHandle++;
  m.devices.emplace(handle, Device{done, instance, kFullVolume, {}});
  *device = handle;
  return WaveResult::ok;
}

WaveResult waveOutPrepareHeader(WaveOutHandle device, WaveHeader* header) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (findDevice(m, device) == nullptr) return WaveResult::badHandle;
  if (header == nullptr) return WaveResult::badParameter;
  if (header->flags & kQueued) return WaveResult::stillPlaying;
  header->flags = kPrepared;
  return WaveResult::ok;
}

WaveResult waveOutWrite(WaveOutHandle device, WaveHeader* header) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  Device* d = findDevice(m, device);
  if (d == nullptr) return WaveResult::badHandle;
  if (header == nullptr || (header->data == nullptr && header->length != 0))
    return WaveResult::badParameter;
  if (!(header->flags & kPrepared)) return WaveResult::unprepared;
  if (header->flags & kQueued) return WaveResult::stillPlaying;
  if (m.writesToFail > 0) {
    --m.writesToFail;
    return WaveResult::noDevice;
  }
  header->flags = (header->flags & ~kDone) | kQueued;
  d->queue.push_back({header, header->data, header->length / m.format.blockAlign, 0, header->user});
  return WaveResult::ok;
}

WaveResult waveOutUnprepareHeader(WaveOutHandle device, WaveHeader* header) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (findDevice(m, device) == nullptr) return WaveResult::badHandle;
  if (header == nullptr) return WaveResult::badParameter;
  if (header->flags & kQueued) return WaveResult::stillPlaying;
  header->flags &= ~kPrepared;
  return WaveResult::ok;
}

WaveResult waveOutReset(WaveOutHandle device) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  Device* d = findDevice(m, device);
  if (d == nullptr) return WaveResult::badHandle;
  for (Queued& q : d->queue) q.header->flags = (q.header->flags & ~kQueued) | kDone;
  d->queue.clear();
  return WaveResult::ok;
}

WaveResult waveOutGetVolume(WaveOutHandle device, uint32_t* volume) {
  if (volume == nullptr) return WaveResult::badParameter;
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (device == kWaveDevice0) {
    if (m.devices.empty() && chosenMode(m) == WaveOutMode::none) return WaveResult::noDevice;
    *volume = m.masterVolume;
    return WaveResult::ok;
  }
  Device* d = findDevice(m, device);
  if (d == nullptr) return WaveResult::badHandle;
  *volume = d->volume;
  return WaveResult::ok;
}

WaveResult waveOutSetVolume(WaveOutHandle device, uint32_t volume) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  if (device == kWaveDevice0) {
    if (m.devices.empty() && chosenMode(m) == WaveOutMode::none) return WaveResult::noDevice;
    m.masterVolume = volume;
    return WaveResult::ok;
  }
  Device* d = findDevice(m, device);
  if (d == nullptr) return WaveResult::badHandle;
  d->volume = volume;
  return WaveResult::ok;
}

WaveResult waveOutClose(WaveOutHandle device) {
  Mixer& m = mixer();
  std::unique_lock<std::mutex> held(m.lock);
  Device* d = findDevice(m, device);
  if (d == nullptr) return WaveResult::badHandle;
  if (!d->queue.empty()) return WaveResult::stillPlaying;
  m.devices.erase(device);
  m.callbackEnded.wait(held, [&] { return m.delivering != device; });
  if (m.devices.empty()) stopOutput(m, held);
  return WaveResult::ok;
}

void pumpWaveOut() {
  Mixer& m = mixer();
  std::unique_lock<std::mutex> held(m.lock);
  if (m.mode != WaveOutMode::null) return;
  const int64_t target = (clock::millis() - m.startMs) * m.format.samplesPerSec / 1000;
  std::vector<Finished> done;
  int64_t lastDelivery = -1;
  // Step from one finished buffer to the next, so a callback that queues the next buffer
  // (a loop) continues at exactly the frame where the last one ended.
  while (m.mode == WaveOutMode::null && m.mixedFrames <= target) {
    int64_t next = target;
    for (auto& [handle, d] : m.devices) {
      if (d.queue.empty()) continue;
      const Queued& q = d.queue.front();
      next = std::min(next, m.mixedFrames + (q.frames - q.played));
    }
    mixLocked(m, next - m.mixedFrames, nullptr, done);
    if (done.empty()) break;
    // Buffers without a whole frame that get queued again wait for the next pump.
    const bool stalled = m.mixedFrames == lastDelivery;
    lastDelivery = m.mixedFrames;
    deliver(m, held, done);
    if (stalled) break;
  }
}

void setWaveOutMode(WaveOutMode mode) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  m.requestedMode = mode;
}

void setWaveSinkPath(const std::string& path) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  m.sinkPathSet = !path.empty();
  m.sinkPath = path;
}

WaveOutMode activeWaveOutMode() {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  return m.mode;
}

void failWaveOutWrites(int count) {
  Mixer& m = mixer();
  std::lock_guard<std::mutex> held(m.lock);
  m.writesToFail = count;
}

void mixForHostAudio(uint8_t* stream, int len) {
  Mixer& m = mixer();
  std::unique_lock<std::mutex> held(m.lock);
  if (m.mode != WaveOutMode::host || m.format.blockAlign == 0) {
    std::memset(stream, 0, static_cast<size_t>(len));
    return;
  }
  const int frames = len / m.format.blockAlign;
  std::vector<Finished> done;
  mixLocked(m, frames, stream, done);
  // Silence for a partial frame at the end (8-bit silence is 0x80).
  const int tail = len - frames * m.format.blockAlign;
  std::memset(stream + frames * m.format.blockAlign, m.format.bitsPerSample == 8 ? 0x80 : 0,
              static_cast<size_t>(tail));
  deliver(m, held, done);
}

}  // namespace sorv::platform
