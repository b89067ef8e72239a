// What the career's roads share: the way from the boot to the career's load screen, a new
// player named by touch, the lobby's week skip, record 3's bytes and the run of one script.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv::test {

inline constexpr int kCareerRunSeconds = 400;
inline constexpr int kSelectFrames = 14;

// Record 3's bytes: style, the avatar's kind, the name (8), the looks (7), home, week,
// target, year, the points (little-endian), ..., the statistics (16 bits each), ..., a
// state per place (0 not played, 1 played, 2 won).
inline constexpr int kStyleByte = 0, kNameByte = 2, kLookByte = 10, kWeekByte = 18, kYearByte = 20;
inline constexpr int kPointsByte = 21, kStatsByte = 42, kPlaceStateByte = 60;
inline constexpr size_t kCareerBytes = 89;

// What stays still on the lobby: the week caption, the ability values and bars, and the
// card's name, home and rank (beside the avatar's running figure).
inline constexpr Box kWeekCaption = {540, 365, 250, 35}, kAbilities = {560, 215, 240, 140};
inline constexpr Box kCardText = {636, 64, 150, 90};

// The lobby's hidden keys: "0 0 9 1" skips a week.
inline std::string nextWeekCheat() { return key(kKey0, 1) + key(kKey0, 1) + key(kKey9, 1) + key(kKey1, 3); }

// The name entry's keyboard key k (A..Z), touched at its middle.
inline std::string letter(char c) {
  const int k = c - 'A';
  return tap(50 + 77 * (k % 9) + 38, 197 + 65 * (k / 9) + 32, 1);
}

inline const std::string kToLoad = kToMainMenu + key(kKey8) + key(kKey8) + key(kKey5, kSelectFrames);
// The name entry's two choice rows left as they are, "JOHN" typed and confirmed.
inline const std::string kName = key(kKey5, 1) + key(kKey5, 1) + letter('J') + letter('O') + letter('H') +
                                 letter('N') + frames(2) + key(kLeftSoft, 4);
// A new career with the first style and home, to its lobby.
inline const std::string kNewCareer = kToLoad + key(kKey5, 4) + await(21, 60) + frames(4) + kName + await(22, 60) +
                                      frames(4) + key(kKey5, 4) + key(kKey5, 4) + await(23, 60) + frames(10);

// The weekly update's drawn parts: the attribute bars (yellow, orange or green on the dark
// panel) and the rank band's track beside the points.
inline constexpr Box kUpdateBars = {360, 245, 250, 170}, kUpdateBand = {360, 155, 250, 16};

// The pixels of a game box in a shot of the panel that are a bar's warm or green colour.
inline int barPixels(const Picture& p, const Box& box) {
  int n = 0;
  for (int gy = box.y; gy < box.y + box.h; gy++)
    for (int gx = box.x; gx < box.x + box.w; gx++) {
      const uint32_t c = p.at(479 - gy, gx);
      const uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
      n += (r > 0xC0 || g > 0xC0) && b < 0x80 ? 1 : 0;
    }
  return n;
}

// Whether a game box of a shot holds more than one colour.
inline bool drawnIn(const Picture& p, const Box& box) {
  const uint32_t first = p.at(479 - box.y, box.x);
  for (int gy = box.y; gy < box.y + box.h; gy++)
    for (int gx = box.x; gx < box.x + box.w; gx++)
      if (p.at(479 - gy, gx) != first) return true;
  return false;
}

inline int careerPoints(const std::string& record) {
  int v = 0;
  for (int i = 3; i >= 0; i--) v = v * 256 + static_cast<uint8_t>(record[kPointsByte + i]);
  return v;
}

inline int careerStat(const std::string& record, int i) {
  return static_cast<uint8_t>(record[kStatsByte + 2 * i]) + 256 * static_cast<uint8_t>(record[kStatsByte + 2 * i + 1]);
}

class CareerRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }
  int play(const std::string& script, int seconds = kCareerRunSeconds) {
    std::ofstream(dir_ + "/script.txt") << script;
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), seconds);
  }
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string take(const std::string& name) const { return "shot " + shot(name) + "\n"; }
  Picture picture(const std::string& name) const { return readPng(shot(name)); }
  std::string record(int id) const {
    return readText(dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec" +
                    std::to_string(id) + ".rms");
  }
  std::string career() const { return record(3); }
  void expectNoRuntimeErrors() const { EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log(); }
};

}  // namespace sorv::test
