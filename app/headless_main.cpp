// build/sorv-headless: the program on SDL's dummy video driver and the virtual clock, driven
// by a script (see headless_script.h). With --probe the shell's test probe runs in place of
// the game (the whole-program tests of the shell read its log lines). On exit it prints one line:
// "frames N NullPointer N ArrayOutOfBound N" (frames run, and those log lines).
// SORV_KILL_AT_WRITE crashes it at a save's write step (see kill_at_write.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/headless_script.h"
#include "app/kill_at_write.h"
#include "device/midlet.h"
#include "device/program.h"
#include "device/shell.h"
#include "game/cgame.h"
#include "game/zentukr09.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/clock.h"
#include "runtime/log.h"
#include "app/probe_midlet.h"
#include "device/sound_glue.h"
#include "training/ctraining.h"

namespace {

struct Summary {
  int32_t frames = 0;
  int32_t nullPointers = 0;
  int32_t outOfBounds = 0;
  std::string partialLine;
  std::FILE* log = nullptr;
};

Summary gSummary;

constexpr int32_t kMatchShellState = 40;

// The log passes through here on its way to its file, so the runtime errors can be counted.
ssize_t countingWrite(void*, const char* data, size_t size) {
  for (size_t i = 0; i < size; i++) {
    if (data[i] != '\n') {
      gSummary.partialLine += data[i];
      continue;
    }
    if (gSummary.partialLine.find("NullPointer") != std::string::npos) gSummary.nullPointers++;
    if (gSummary.partialLine.find("ArrayOutOfBound") != std::string::npos) gSummary.outOfBounds++;
    gSummary.partialLine.clear();
  }
  std::fwrite(data, 1, size, gSummary.log);
  std::fflush(gSummary.log);
  return static_cast<ssize_t>(size);
}

void printSummary() {
  std::fflush(nullptr);
  std::printf("frames %d NullPointer %d ArrayOutOfBound %d\n",
              gSummary.frames, gSummary.nullPointers,
              gSummary.outOfBounds);
  std::fflush(stdout);
}

bool readFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scriptText;
  bool probe = false;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--probe") == 0) {
      probe = true;
    } else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
      if (!readFile(argv[++i], scriptText)) {
        std::fprintf(stderr, "sorv-headless: cannot read %s\n", argv[i]);
        return 2;
      }
    } else {
      std::fprintf(stderr, "usage: sorv-headless [--probe] [--script FILE]\n");
      return 2;
    }
  }
  std::vector<sorv::ScriptCommand> commands;
  std::string error;
  if (!sorv::parseScript(scriptText, commands, error)) {
    std::fprintf(stderr, "sorv-headless: %s\n", error.c_str());
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SORV_AUDIO", "null", 0);
  sorv::clock::setVirtual(true);
  if (sorv::bringRunningInstanceForward()) return 0;

  gSummary.log = sorv::openProgramLog();
  cookie_io_functions_t io{nullptr, countingWrite, nullptr, nullptr};
  std::FILE* counted = fopencookie(nullptr, "w", io);
  sorv::Debug::setSink(counted != nullptr ? counted : gSummary.log);
  std::atexit(printSummary);
  sorv::installKillAtWrite();

  sorv::MIDlet::setMainMidletFactory(probe ? sorv::probe::createProbeMidlet : sorv::ZentuKR09::create);
  static std::unique_ptr<sorv::ScriptRunner> runner;
  return sorv::runProgram([&commands](sorv::Shell& shell) {
    runner = std::make_unique<sorv::ScriptRunner>(shell, std::move(commands));
    runner->pushState = [](int32_t state, int32_t screen) {
      sorv::Debug::trace("script: state push %d %d", state, screen);
      sorv::CGame::PUSH_STATE(state);
      if (screen >= 0) sorv::CGame::MenuPush(screen);
    };
    runner->startMatch = [](int32_t category, int32_t court, int32_t games, int32_t sets, int32_t choice) {
      sorv::Debug::trace("script: match %d %d %d %d %d", category, court, games, sets, choice);
      using sorv::CGame;
      CGame::matchSettings = sorv::Array::fillInts(sorv::Array::newIntArray(5), {category, 1, games, sets, court});
      // Four different characters, none of them named, as the quick match's first choices;
      // in mixed doubles each team's partner from the women, as the selection leaves it.
      const bool mixed = category == sorv::CTennis::kMixedCategory;
      CGame::playerChoice1 = 0;
      CGame::playerChoice2 = 1;
      CGame::playerChoice3 = mixed ? sorv::CTennis::kFirstWoman : 2;
      CGame::playerChoice4 = mixed ? sorv::CTennis::kFirstWoman + 1 : 3;
      for (auto& values : CGame::playerChoiceValues) values[0] = values[1] = -1;
      CGame::mainMenuChoice = choice;
      CGame::switchToPlayGame();
    };
    runner->startTraining = [](int32_t game, int32_t level) {
      sorv::Debug::trace("script: training %d %d", game, level);
      using sorv::CTraining;
      // As a menu would: a game outside the five is ignored, a level past the unlocked one
      // plays the unlocked one.
      if (game < 0 || game >= CTraining::kGameCount) return CTraining::selectGame(static_cast<int8_t>(game < 0 ? -1 : CTraining::kGameCount));
      CTraining::selectGame(static_cast<int8_t>(game));
      CTraining::selectLevel(static_cast<int8_t>(level));
      // The main menu's screen takes no soft keys; the screens that start training leave it.
      sorv::CGame::MenuClear();
      sorv::CGame::PUSH_STATE(CTraining::kTrainingLoadState);
      sorv::GameSound::stopAll();
    };
    runner->matchState = [] {
      return sorv::CGame::GET_CURRENT_STATE() == kMatchShellState ? sorv::CTennis::matchState : -1;
    };
    runner->gameState = [] { return sorv::CGame::GET_CURRENT_STATE(); };
    shell.afterFlush = [] {
      runner->afterFrame();
      gSummary.frames = runner->framesRun();
    };
  });
}
