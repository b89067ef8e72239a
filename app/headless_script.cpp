#include "app/headless_script.h"

#include <SDL/SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <sstream>
#include <utility>

#include "app/screen_shot.h"
#include "device/platform/display_orientation.h"
#include "device/platform/key_messages.h"
#include "device/platform/panel_window.h"
#include "device/platform/power_state.h"
#include "device/platform/windows.h"
#include "device/shell.h"

namespace sorv {
namespace {

bool parseNumber(const std::string& word, int64_t low, int64_t high, int32_t& out) {
  if (word.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(word.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  out = static_cast<int32_t>(v);
  return true;
}

int indexOf(const std::string& word, std::initializer_list<const char*> names) {
  int i = 0;
  for (const char* n : names) {
    if (word == n) return i;
    i++;
  }
  return -1;
}

constexpr int32_t kQuickMatchChoice = 3;

bool parseMatch(std::istringstream& in, ScriptCommand& c) {
  std::string w[6];
  for (std::string& word : w) in >> word;
  c.kind = ScriptCommand::kMatch;
  c.e = kQuickMatchChoice;
  return parseNumber(w[0], 0, 4, c.a) && parseNumber(w[1], 0, 3, c.b) && parseNumber(w[2], 0, 4, c.c) &&
         parseNumber(w[3], 0, 2, c.d) && (w[4].empty() || parseNumber(w[4], 0, 6, c.e)) && w[5].empty();
}

bool parseLine(std::istringstream& in, const std::string& verb, ScriptCommand& c) {
  if (verb == "match") return parseMatch(in, c);
  std::string w1, w2, w3, extra;
  in >> w1 >> w2 >> w3;
  if (in >> extra) return false;
  if (verb == "key") {
    c.kind = ScriptCommand::kKey;
    c.action = indexOf(w1, {"down", "up"});
    return c.action >= 0 && parseNumber(w2, 1, 254, c.a) && w3.empty();
  }
  if (verb == "touch") {
    c.kind = ScriptCommand::kTouch;
    c.action = indexOf(w1, {"down", "up", "move"});
    return c.action >= 0 && parseNumber(w2, 0, 0xFFFF, c.a) && parseNumber(w3, 0, 0xFFFF, c.b);
  }
  if (verb == "focus") {
    c.kind = ScriptCommand::kFocus;
    c.action = indexOf(w1, {"lose", "gain"});
    return c.action >= 0 && w2.empty();
  }
  if (verb == "foreground") {
    c.kind = ScriptCommand::kForeground;
    c.action = indexOf(w1, {"other", "self"});
    return c.action >= 0 && w2.empty();
  }
  if (verb == "power") {
    c.kind = ScriptCommand::kPower;
    c.text = w1;
    return indexOf(w1, {"on", "unattended"}) >= 0 && w2.empty();
  }
  if (verb == "orientation") {
    c.kind = ScriptCommand::kOrientation;
    return parseNumber(w1, 0, 4, c.a) && c.a != 3 && w2.empty();
  }
  if (verb == "quit") {
    c.kind = ScriptCommand::kQuit;
    return w1.empty();
  }
  if (verb == "shot") {
    c.kind = ScriptCommand::kShot;
    c.text = w1;
    return !w1.empty() && w2.empty();
  }
  if (verb == "state") {
    c.kind = ScriptCommand::kStatePush;
    c.b = -1;
    return w1 == "push" && parseNumber(w2, 0, 64, c.a) && (w3.empty() || parseNumber(w3, 0, 100, c.b));
  }
  if (verb == "training") {
    c.kind = ScriptCommand::kTraining;
    return parseNumber(w1, 0, 4, c.a) && parseNumber(w2, 0, 4, c.b) && w3.empty();
  }
  if (verb == "await") {
    const bool match = w1 == "match";
    c.kind = match ? ScriptCommand::kAwaitMatch : ScriptCommand::kAwaitState;
    return (match || w1 == "state") && parseNumber(w2, 0, match ? 99 : 64, c.a) &&
           parseNumber(w3, 0, 100000000, c.b);
  }
  if (verb == "frames") {
    c.kind = ScriptCommand::kFrames;
    return parseNumber(w1, 0, 100000000, c.a) && w2.empty();
  }
  return false;
}

void pushEvent(SDL_Event& event) {
  if (SDL_PushEvent(&event) != 0) std::fprintf(stderr, "headless: event %d lost\n", event.type);
}

}  // namespace

bool parseScript(const std::string& text, std::vector<ScriptCommand>& commands, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    number++;
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb) || verb[0] == '#') continue;
    ScriptCommand c{};
    if (!parseLine(in, verb, c)) {
      error = "script line " + std::to_string(number) + ": cannot read \"" + line + "\"";
      return false;
    }
    commands.push_back(c);
  }
  return true;
}

// Meant to do nothing beyond keeping the shell and the commands: afterFrame runs them.
ScriptRunner::ScriptRunner(Shell& shell, std::vector<ScriptCommand> commands)
    : shell_(shell), commands_(std::move(commands)) {}

void ScriptRunner::afterFrame() {
  frames_++;
  if (wait_ > 0) wait_--;
  if (awaitedState_ >= 0) {
    if (reached(awaitedKind_, awaitedState_)) {
      wait_ = 0;
    } else if (wait_ == 0) {
      std::fprintf(stderr, "headless: %s state %d not reached\n",
                   awaitedKind_ == ScriptCommand::kAwaitMatch ? "match" : "game", awaitedState_);
    }
    if (wait_ == 0) awaitedState_ = -1;
  }
  while (wait_ == 0 && next_ < commands_.size()) execute(commands_[next_++]);
  if (wait_ == 0 && next_ == commands_.size()) shell_.stop();
}

bool ScriptRunner::reached(ScriptCommand::Kind kind, int32_t state) const {
  const std::function<int32_t()>& now = kind == ScriptCommand::kAwaitMatch ? matchState : gameState;
  return now && now() == state;
}

void ScriptRunner::execute(const ScriptCommand& c) {
  SDL_Event event{};
  switch (c.kind) {
    case ScriptCommand::kKey:
      platform::postKeyMessage(c.action == 0 ? platform::kWmKeyDown : platform::kWmKeyUp, static_cast<uint32_t>(c.a));
      return;
    case ScriptCommand::kTouch: {
      // The stylus is placed where the window shows that panel pixel; the window's stand-in
      // turns it back.
      int32_t x = c.a, y = c.b;
      platform::windowPointOfPanel(x, y);
      if (c.action == 2) {
        event.motion.type = SDL_MOUSEMOTION;
        event.motion.state = stylusDown_ ? SDL_BUTTON(SDL_BUTTON_LEFT) : 0;
        event.motion.x = static_cast<Uint16>(x);
        event.motion.y = static_cast<Uint16>(y);
      } else {
        stylusDown_ = c.action == 0;
        event.button.type = stylusDown_ ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = stylusDown_ ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
      }
      pushEvent(event);
      return;
    }
    case ScriptCommand::kFocus:
      event.active.type = SDL_ACTIVEEVENT;
      event.active.gain = static_cast<Uint8>(c.action);
      event.active.state = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
      pushEvent(event);
      return;
    case ScriptCommand::kForeground:
      platform::setForegroundWindow(c.action == 0 ? platform::desktopWindow() : shell_.windowHandle);
      return;
    case ScriptCommand::kPower:
      platform::setPowerState(c.text.c_str());
      return;
    case ScriptCommand::kOrientation:
      platform::setDisplayOrientation(static_cast<uint32_t>(c.a));
      platform::postOrientationEvent(Shell::kScreenWidth, Shell::kScreenHeight);
      return;
    case ScriptCommand::kQuit:
      event.quit.type = SDL_QUIT;
      pushEvent(event);
      return;
    case ScriptCommand::kShot:
      if (!writeScreenShot(shell_.surface, c.text)) std::fprintf(stderr, "headless: cannot write %s\n", c.text.c_str());
      return;
    case ScriptCommand::kFrames:
      wait_ = c.a;
      return;
    case ScriptCommand::kStatePush:
      if (pushState) pushState(c.a, c.b);
      return;
    case ScriptCommand::kMatch:
      if (startMatch) startMatch(c.a, c.b, c.c, c.d, c.e);
      return;
    case ScriptCommand::kTraining:
      if (startTraining) startTraining(c.a, c.b);
      return;
    case ScriptCommand::kAwaitMatch:
    case ScriptCommand::kAwaitState:
      if (reached(c.kind, c.a)) return;
      wait_ = c.b;
      awaitedKind_ = c.kind;
      awaitedState_ = c.b > 0 ? c.a : -1;
      return;
  }
}

}  // namespace sorv
