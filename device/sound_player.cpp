#include "device/sound_player.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "device/platform/paths.h"
#include "device/sound_file.h"
#include "device/sound_table.h"
#include "runtime/log.h"

namespace sorv {
namespace {

using platform::WaveResult;

constexpr uint32_t kFullVolume = 0xFFFFFFFF;
// Far above any sound of the game; a larger file is not a sound of ours.
constexpr off_t kMaxSoundFileBytes = 64 << 20;
constexpr uintptr_t kSlotBits = 8;
constexpr uintptr_t kSlotMask = (uintptr_t{1} << kSlotBits) - 1;

std::optional<std::vector<uint8_t>> readFile(const std::string& cePath, const char* name) {
  std::string hostPath;
  if (!platform::toHostPath(cePath, hostPath)) {
    Debug::trace("SoundPlayer: %s: refused path, it plays as silence", name);
    return std::nullopt;
  }
  // Non-blocking, so a pipe in place of a sound cannot hang the start.
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    Debug::trace("SoundPlayer: %s: cannot open %s, it plays as silence", name, cePath.c_str());
    return std::nullopt;
  }
  std::optional<std::vector<uint8_t>> result;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    Debug::trace("SoundPlayer: %s: not a file, it plays as silence", name);
  } else if (info.st_size > kMaxSoundFileBytes) {
    Debug::trace("SoundPlayer: %s: %lld bytes is too large, it plays as silence", name,
                 static_cast<long long>(info.st_size));
  } else {
    std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    if (got == bytes.size()) {
      result = std::move(bytes);
    } else {
      Debug::trace("SoundPlayer: %s: read failed, it plays as silence", name);
    }
  }
  ::close(fd);
  return result;
}

}  // namespace

SoundPlayer::~SoundPlayer() { release(); }

void SoundPlayer::load(const char* const* names, int count, bool prefix) {
  release();
  std::lock_guard<std::mutex> held(lock_);
  if (names == nullptr || count < 0) count = 0;
  sounds_.assign(static_cast<size_t>(count), Sound{});
  bool haveFormat = false;
  for (int i = 0; i < count; ++i) {
    const char* name = names[i] != nullptr ? names[i] : "";
    const std::string path = prefix ? std::string(platform::kInstallFolder) + "\\" + name : name;
    std::optional<std::vector<uint8_t>> image = readFile(path, name);
    if (!image) continue;
    SoundFileInfo info;
    if (const char* fault = checkSoundFile(image->data(), image->size(), &info)) {
      Debug::trace("SoundPlayer: %s: %s, it plays as silence", name, fault);
      continue;
    }
    // The first sound's format serves all; a first sound that is missing or bad leaves the
    // choice to the next good one, so only the bad one is silent.
    if (!haveFormat) {
      format_ = info.format;
      haveFormat = true;
    } else if (info.format != format_) {
      // One format serves every sound; another one would play at the wrong speed or width.
      Debug::trace("SoundPlayer: %s: format differs from the first sound's, it plays as silence", name);
      continue;
    }
    Sound& sound = sounds_[static_cast<size_t>(i)];
    sound.playLength = info.playLength;
    sound.image = std::move(*image);
  }
  if (!haveFormat) {
    Debug::trace("SoundPlayer: no usable sound, sound is off");
    sounds_.clear();
    return;
  }
  openDevices();
}

void SoundPlayer::openDevices() {
  if (platform::waveOutDeviceCount() == 0) {
    Debug::trace("SoundPlayer: no wave-output device, sound is off");
    return;
  }
  int opened = 0;
  for (Voice& v : voices_) {
    if (platform::waveOutOpen(&v.device, format_, onWaveDone, this) != WaveResult::ok) {
      v.device = 0;
      continue;
    }
    platform::waveOutSetVolume(v.device, kFullVolume);
    ++opened;
  }
  if (opened < kVoiceCount)
    Debug::trace("SoundPlayer: %d of %d voices opened", opened, kVoiceCount);
}

bool SoundPlayer::play(int index, bool loop) {
  std::lock_guard<std::mutex> held(lock_);
  if (index < 0 || static_cast<size_t>(index) >= sounds_.size()) return false;
  const Sound& sound = sounds_[static_cast<size_t>(index)];
  if (sound.playLength == 0) return false;
  for (int slot = 0; slot < kVoiceCount; ++slot) {
    Voice& v = voices_[static_cast<size_t>(slot)];
    if (v.busy || v.device == 0) continue;
    v.busy = true;
    v.loop = loop;
    v.playing = index;
    v.serial = (v.serial + 1) & (UINTPTR_MAX >> kSlotBits);
    v.header.data = sound.image.data() + kWaveHeaderBytes;
    v.header.length = sound.playLength;
    v.header.user = static_cast<uintptr_t>(slot) | v.serial << kSlotBits;
    if (platform::waveOutPrepareHeader(v.device, &v.header) != WaveResult::ok) {
      freeVoice(v);
      return false;
    }
    if (platform::waveOutWrite(v.device, &v.header) != WaveResult::ok) {
      platform::waveOutUnprepareHeader(v.device, &v.header);
      freeVoice(v);
      return false;
    }
    return true;
  }
  return false;
}

void SoundPlayer::onWaveDone(platform::WaveOutHandle device, platform::WaveHeader* header,
                             uintptr_t user, void* instance) {
  SoundPlayer& self = *static_cast<SoundPlayer*>(instance);
  std::lock_guard<std::mutex> held(self.lock_);
  const uintptr_t slot = user & kSlotMask;
  if (slot >= kVoiceCount) return;
  Voice& v = self.voices_[slot];
  // Stopped (and maybe replayed) since this buffer was written: nothing of ours to do.
  if (!v.busy || v.serial != user >> kSlotBits || &v.header != header || v.device != device) return;
  if (v.loop && platform::waveOutWrite(device, header) == WaveResult::ok) return;
  platform::waveOutUnprepareHeader(device, header);
  self.freeVoice(v);
}

void SoundPlayer::stopAll() {
  std::lock_guard<std::mutex> held(lock_);
  for (Voice& v : voices_) {
    if (v.busy) stopVoice(v);
  }
}

bool SoundPlayer::isPlaying(int index) const {
  std::lock_guard<std::mutex> held(lock_);
  for (const Voice& v : voices_) {
    if (v.busy && v.playing == index) return true;
  }
  return false;
}

bool SoundPlayer::canPlay(int index) const {
  std::lock_guard<std::mutex> held(lock_);
  if (index < 0 || static_cast<size_t>(index) >= sounds_.size()) return false;
  if (sounds_[static_cast<size_t>(index)].playLength == 0) return false;
  for (const Voice& v : voices_) {
    if (v.device != 0) return true;
  }
  return false;
}

int SoundPlayer::freeVoiceCount() const {
  std::lock_guard<std::mutex> held(lock_);
  int free = 0;
  for (const Voice& v : voices_) {
    if (!v.busy && v.device != 0) ++free;
  }
  return free;
}

void SoundPlayer::release() {
  std::array<platform::WaveOutHandle, kVoiceCount> devices{};
  {
    std::lock_guard<std::mutex> held(lock_);
    for (size_t i = 0; i < voices_.size(); ++i) {
      Voice& v = voices_[i];
      if (v.busy) stopVoice(v);
      devices[i] = v.device;
      v.device = 0;
    }
    sounds_.clear();
  }
  // Outside the lock: closing waits for a callback in flight, which takes the lock.
  for (platform::WaveOutHandle device : devices) {
    if (device != 0) platform::waveOutClose(device);
  }
}

void SoundPlayer::stopVoice(Voice& v) {
  platform::waveOutReset(v.device);
  platform::waveOutUnprepareHeader(v.device, &v.header);
  freeVoice(v);
}

void SoundPlayer::freeVoice(Voice& v) {
  v.busy = false;
  v.loop = false;
  v.playing = -1;
}

}  // namespace sorv
