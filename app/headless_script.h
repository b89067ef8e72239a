// The headless program's script: one command a line, run between frames.
//
//   key down|up VK          a key message with the phone's virtual key (decimal or 0x..)
//   touch down|move|up X Y  the stylus at panel pixel (X, Y)
//   focus lose|gain         the window loses or gains the focus
//   foreground other|self   another window or the game comes to the front
//   power on|unattended     the power state
//   orientation 0|1|2|4     the display turns (the orientation event follows)
//   quit                    the window is closed
//   shot PATH               the screen as shown by the last flip, as a PNG file
//   frames N                let N frames run before the next command
//   await match N LIMIT     test tooling: let frames run until the match is in state N
//                           (0..99), at most LIMIT frames, before the next command
//   await state N LIMIT     test tooling: the same until the game is in state N (0..64)
//   state push N [S]        test tooling: the game pushes state N (0..64) and, when given,
//                           menu screen S (0..100) with it, as the menus do, through the hook
//   match CATEGORY COURT GAMES SETS [CHOICE]
//                           test tooling: the game starts a match of player category 0..4
//                           on court type 0..3 with the set-up's games (0..4) and sets
//                           (0..2) values, as the selection screens leave it, from main-menu
//                           choice CHOICE (0..6, default 3: the quick match), through the hook
//   training GAME LEVEL     test tooling: the game chooses training game 0..4 and its level
//                           0..4 and pushes the training's loading state, as the level list
//                           does, through the hook
// Blank lines and lines starting with '#' are skipped. Commands run after a frame's flip,
// first after frame 1; when the script is done the program stops as the game would. The
// window starts in front, as the video library reports it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sorv {

class Shell;

struct ScriptCommand {
  enum Kind {
    kKey, kTouch, kFocus, kForeground, kPower, kOrientation, kQuit, kShot, kFrames, kStatePush, kMatch, kTraining, kAwaitMatch, kAwaitState
  };
  Kind kind;
  int32_t action = 0;  // 0 down, lose, other; 1 up, gain, self; 2 move
  int32_t a = 0;       // key, x, orientation, frame count or awaited match state
  int32_t b = 0;       // y, the menu screen of a state push, a match's court or a wait's limit
  int32_t c = 0, d = 0, e = 0;  // a match's games, sets and main-menu choice
  std::string text;    // power state name, shot path
};

// False with a message naming the line for anything it does not understand.
bool parseScript(const std::string& text, std::vector<ScriptCommand>& commands, std::string& error);

class ScriptRunner {
 public:
  ScriptRunner(Shell& shell, std::vector<ScriptCommand> commands);
  // After each flush: counts the frame and runs the commands that are due.
  void afterFrame();
  int32_t framesRun() const { return frames_; }
  // What "state push N S" does (S -1 when not given); the layer below the game knows no
  // states.
  std::function<void(int32_t, int32_t)> pushState;
  // What "match" does: (category, court, games, sets, choice).
  std::function<void(int32_t, int32_t, int32_t, int32_t, int32_t)> startMatch;
  // What "training" does: (game, level).
  std::function<void(int32_t, int32_t)> startTraining;
  // The match's state, -1 outside a match; what "await match" waits for.
  std::function<int32_t()> matchState;
  // The game's state; what "await state" waits for.
  std::function<int32_t()> gameState;

 private:
  void execute(const ScriptCommand& command);

  Shell& shell_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
  int64_t wait_ = 0;
  bool reached(ScriptCommand::Kind kind, int32_t state) const;

  // Ends the wait early when the match or the game reaches the state.
  ScriptCommand::Kind awaitedKind_ = ScriptCommand::kAwaitMatch;
  int32_t awaitedState_ = -1;
  int32_t frames_ = 0;
  bool stylusDown_ = false;
};

}  // namespace sorv
