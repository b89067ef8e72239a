// The lines of a headless script that press the phone's keys and touch its screen, and the
// road from the boot to the main menu every road starts with.
#pragma once

#include <sstream>
#include <string>

namespace sorv::test {

// Phone virtual keys: the digits, and F1/F2 for the soft keys.
constexpr int kKey0 = 48, kKey1 = 49, kKey2 = 50, kKey4 = 52, kKey5 = 53, kKey6 = 54, kKey8 = 56, kKey9 = 57;
constexpr int kLeftSoft = 112, kRightSoft = 113;

// Frames to let run.
inline std::string frames(int n) { return "frames " + std::to_string(n) + "\n"; }

// Frames until the game is in the state, at most the limit.
inline std::string await(int state, int limit) {
  return "await state " + std::to_string(state) + " " + std::to_string(limit) + "\n";
}

// A key pressed and released, then the frames to let run.
inline std::string key(int vk, int after = 2) {
  return "key down " + std::to_string(vk) + "\nkey up " + std::to_string(vk) + "\nframes " + std::to_string(after) +
         "\n";
}

// A key held for the frames, then released.
inline std::string hold(int vk, int frames, int after = 1) {
  return "key down " + std::to_string(vk) + "\nframes " + std::to_string(frames) + "\nkey up " + std::to_string(vk) +
         "\nframes " + std::to_string(after) + "\n";
}

// A tap at game point (x, y): panel point (480 - y, x).
inline std::string tap(int x, int y, int after = 3) {
  const std::string at = std::to_string(480 - y) + " " + std::to_string(x);
  return "touch down " + at + "\nframes 1\ntouch up " + at + "\nframes " + std::to_string(after) + "\n";
}

// A touch held at game point (x, y) for the frames.
inline std::string touchFor(int x, int y, int frames, int after = 1) {
  const std::string at = std::to_string(480 - y) + " " + std::to_string(x);
  return "touch down " + at + "\nframes " + std::to_string(frames) + "\ntouch up " + at + "\nframes " +
         std::to_string(after) + "\n";
}

// From the boot through the title to the main menu, its labels at rest.
inline const std::string kToMainMenu = "frames 59\n" + key(kKey5, 25);

// A tournament table takes keys once the user's line has grown into the next round: a
// segment of one round grows the slowest, over about 300 frames.
constexpr int kLineFrames = 400;
// Points the computer plays for the user before a cheat decides the match.
constexpr int kPlayFrames = 300;
constexpr int kToMatchFrames = 600, kMatchToTableFrames = 9000;

// The match's hidden keys: "0 0 0 1" the user wins it at the next point, "0 0 0 2" the
// opponent does.
inline std::string cheat(int lastKey) { return key(kKey0, 1) + key(kKey0, 1) + key(kKey0, 1) + key(lastKey, 3); }

// From a tournament table (its keys taking) through a match the cheat decides, back to the
// table, its line grown.
inline std::string matchFromTable(const std::string& ok, int cheatKey) {
  return ok + await(40, kToMatchFrames) + frames(kPlayFrames) + cheat(cheatKey) + await(57, kMatchToTableFrames) +
         frames(kLineFrames);
}

// The frames a script lets run.
inline int scriptFrames(const std::string& script) {
  int n = 0;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("frames ", 0) == 0) n += std::stoi(line.substr(7));
  }
  return n;
}

// The frames the headless program ran, by its summary line; -1 without one.
inline int framesRun(const std::string& out) {
  const size_t at = out.rfind("frames ");
  return at == std::string::npos ? -1 : std::stoi(out.substr(at + 7));
}

}  // namespace sorv::test
