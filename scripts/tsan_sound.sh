#!/usr/bin/env bash
# tsan_sound.sh [REPEAT]: builds the device tests with ThreadSanitizer (build-tsan/) and runs
# the sound tests; the threaded wave output calls back from its own thread, as SDL's audio
# thread does, so every race between the callback and play/stopAll shows here.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_TSAN=ON > /dev/null
cmake --build build-tsan -j "${JOBS:-3}" --target test_device
export SDL_VIDEODRIVER=dummy SORV_AUDIO=null TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
build-tsan/tests/device/test_device --gtest_filter='SoundPlayer*:GameSound*:WaveOut*' \
  --gtest_repeat="${1:-20}" --gtest_brief=1
