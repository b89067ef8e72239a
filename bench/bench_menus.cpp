// The menu drawing beside a plain copy of a whole screen: DrawMenu of the menu with the most
// items of the shipped data (with the menus' sprites and fonts loaded) and drawImage of an
// 800 x 480 image onto the back buffer, in the same run. The menu benchmark also reports its
// time as a multiple of the image copy ("x_image"), the career lobby's frame as a multiple
// of the main menu's ("x_main_menu"), and the history's page cutting and a credits frame as
// shares of a frame ("x_frame").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/data_set_install.h"
#include "device/graphics.h"
#include "device/image.h"
#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/menu_screens.h"
#include "tools/data/resource_ids.h"

namespace sorv {
namespace {

StaticRef<Image> gTarget;
StaticRef<Image> gPicture;
int32_t gLargestMenu = 0;

// The menu whose record holds the most items.
int32_t largestMenu() {
  int32_t best = 0, most = -1;
  for (int32_t m = 0; m < kMenuCount; m++) {
    const int32_t o = CGame::MenuOffset(m);
    if (o < 0) continue;
    const int32_t items = CGame::menuData->elements()[o + 1];
    if (items > most) {
      most = items;
      best = m;
    }
  }
  return best;
}

// The shipped data set in a fresh install folder (removed at exit), one runtime reading it,
// the menu data and the menus' texts, fonts and sprites loaded as the boot loads them.
void startRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  Debug::setSink(std::getenv("SORV_BENCH_LOG") ? stderr : std::fopen("/dev/null", "w"));
  bench::installDataSet("bench-menus");
  Resources::installOpener();
  Application::init(new Application());
  CGame::LoadMenuData();
  CGame::bootSprite = CGame::loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSprite, true);
  for (int32_t step : {3, 4, 5, 9, 13, 19}) {
    CGame::loadingStep = step;
    CGame::loadMenuRes();
  }
  gTarget = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  gPicture = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::gfx = gTarget->getGraphics();
  CGame::SetMenuGfx(CGame::gfx);
  gLargestMenu = largestMenu();
}

void drawPicture() { CGame::gfx->drawImage(gPicture, 0, 0, 0); }

void BM_DrawScreenImage(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) drawPicture();
}
BENCHMARK(BM_DrawScreenImage)->Unit(benchmark::kMicrosecond);

// The seconds one call of f takes, over a fixed number of calls.
template <typename F>
double secondsEach(F f) {
  constexpr int kRounds = 200;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; i++) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

// The benchmark's loop of draw, with its time as a multiple of `reference` seconds.
template <typename Draw>
void timedAgainst(benchmark::State& state, const char* counter, double reference, Draw draw) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) draw();
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters[counter] = each / reference;
  System::gc();
}

// A drawing, with the image copy's time measured first for the ratio.
template <typename Draw>
void againstImage(benchmark::State& state, Draw draw) {
  timedAgainst(state, "x_image", secondsEach(drawPicture), draw);
}

void drawAgainstImage(benchmark::State& state, int32_t menu) {
  state.counters["menu"] = menu;
  againstImage(state, [menu] { CGame::DrawMenu(menu, true); });
}

void BM_DrawLargestMenu(benchmark::State& state) {
  startRuntime();
  drawAgainstImage(state, gLargestMenu);
}
BENCHMARK(BM_DrawLargestMenu)->Unit(benchmark::kMicrosecond);

// The main menu with both promotion entries: frames, buttons and the scrolled rows.
void BM_DrawMainMenu(benchmark::State& state) {
  startRuntime();
  drawAgainstImage(state, 64);
}
BENCHMARK(BM_DrawMainMenu)->Unit(benchmark::kMicrosecond);

// A whole main-menu frame as the menu state paints it: the full repaint, the panel, the
// entry's description and the list arrows.
void mainMenuFrame() {
  CGame::repaintAll = true;
  CGame::MenuPaint();
}

void openMainMenu() {
  CGame::mainMenuCode = 5;
  CGame::SetMenu(1);
}

void BM_MainMenuFrame(benchmark::State& state) {
  startRuntime();
  openMainMenu();
  againstImage(state, mainMenuFrame);
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

// A career lobby frame as state 23 runs it (paint, then update) in a week of eight places:
// the map twice with its 29 icons, the panel and the captions. Its time is also given as a
// multiple of the main menu's frame measured just before ("x_main_menu").
void BM_CareerLobbyFrame(benchmark::State& state) {
  startRuntime();
  openMainMenu();
  const double mainMenu = secondsEach(mainMenuFrame);
  CGame::MenuClear();
  CGame::initCareerMatchLocation(44, 1);
  CGame::initCareerHomeLocation(44, 30);
  CGame::careerWeek = 10;
  CGame::careerHome = 4;
  CGame::relocateHome();
  CGame::sortMatchLocation();
  CGame::careerTarget = CGame::findTarget();
  CGame::demoPlayer = CGame::createCareerActor();
  CGame::keysPressed = 0;
  timedAgainst(state, "x_main_menu", mainMenu, [] {
    CGame::paintCareerLobby();
    CGame::updateCareerLobby();
  });
}
BENCHMARK(BM_CareerLobbyFrame)->Unit(benchmark::kMicrosecond);

void loadAchievements() {
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
  CGame::Lib_Close();
}

// The unlock page with the fullest queue (29 pairs, the list scrolling): bar, thumb, arrows,
// three rows, heading, caption, animation and footer; against the main menu's frame.
void BM_UnlockPageOf29Pairs(benchmark::State& state) {
  startRuntime();
  openMainMenu();
  const double mainMenu = secondsEach(mainMenuFrame);
  CGame::MenuClear();
  loadAchievements();
  CAE::ClearAchiQueue(1);
  for (int32_t i = 0; i < 29; i++) CAE::pushQueue(1, i, 0);
  CGame::initAchievementUnlock(1, 0);
  state.counters["pairs"] = CGame::achiTitleIds->length;
  CGame::keysPressed = 0;
  timedAgainst(state, "x_main_menu", mainMenu, [] { CGame::drawAchievementUnlock(1, 0); });
}
BENCHMARK(BM_UnlockPageOf29Pairs)->Unit(benchmark::kMicrosecond);

// The achievement browser's frame as state 61 paints it: backdrop, bar, one row, the
// description, the footer, both arrows and the thumb.
void BM_AchievementBrowserFrame(benchmark::State& state) {
  startRuntime();
  openMainMenu();
  const double mainMenu = secondsEach(mainMenuFrame);
  loadAchievements();
  CGame::initAchiView();
  state.counters["achievements"] = CGame::achiTitleIds->length;
  CGame::menuScroll = 28;
  CGame::keysPressed = 0;
  timedAgainst(state, "x_main_menu", mainMenu, [] { CGame::menuPaint_achiViewAchi(); });
}
BENCHMARK(BM_AchievementBrowserFrame)->Unit(benchmark::kMicrosecond);

// The records history's cutting of its longest topic into pages, as opening the topic does,
// and one frame of the credits: each also as a share of the frame's 142 ms ("x_frame").
constexpr double kFrameSeconds = 0.142;

void BM_CutLongestTopic(benchmark::State& state) {
  startRuntime();
  int32_t longest = kFirstHistoryPageScreen, most = -1;
  for (int32_t k = 0; k < kHistoryTopicScreens; k++) {
    CGame::ConfigMenu(kFirstHistoryPageScreen + k);
    String* body = CGame::GetString(2, aload(CGame::menuItems.get(), 1));
    if (!isNull(body) && body->length() > most) {
      most = body->length();
      longest = kFirstHistoryPageScreen + k;
    }
  }
  CGame::ConfigMenu(longest);
  state.counters["chars"] = most;
  timedAgainst(state, "x_frame", kFrameSeconds, [] { CGame::generateHistoryPages(); });
  state.counters["pages"] = CGame::historyPages->length - 1;
}
BENCHMARK(BM_CutLongestTopic)->Unit(benchmark::kMicrosecond);

void BM_CreditsFrame(benchmark::State& state) {
  startRuntime();
  CGame::keysPressed = 0;
  CGame::updateAbout(0);
  timedAgainst(state, "x_frame", kFrameSeconds, [] { CGame::updateAbout(1); });
}
BENCHMARK(BM_CreditsFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorv
