#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "device/platform/memory_status.h"
#include "device/platform/paths.h"
#include "device/platform/power_state.h"
#include "device/platform/processes.h"
#include "device/platform/windows.h"
#include "device/program.h"

namespace sorv {
namespace {

TEST(MemoryStatus, FreeMemorySaturatesInsteadOfWrapping) {
  const struct {
    const char* value;
    uint32_t expected;
  } cases[] = {{"1000", 1000},
               {"0x1200000", 0x1200000},
               {"4294967295", 0xFFFFFFFFu},
               {"4294967296", 0xFFFFFFFFu},  // 4 GiB would wrap to 0
               {"0x1000011FF", 0xFFFFFFFFu},
               {"99999999999999999999999", 0xFFFFFFFFu}};
  for (const auto& c : cases) {
    setenv("SORV_AVAIL_PHYS", c.value, 1);
    EXPECT_EQ(platform::availablePhysicalMemory(), c.expected) << c.value;
  }
  // Not a number: the host's figure, whatever it is, and never a wrapped small one.
  setenv("SORV_AVAIL_PHYS", "-5", 1);
  EXPECT_NE(platform::availablePhysicalMemory(), static_cast<uint32_t>(-5));
  unsetenv("SORV_AVAIL_PHYS");
  EXPECT_EQ(platform::saturateToDword(0x1FFFFFFFFull), 0xFFFFFFFFu);
  EXPECT_EQ(platform::saturateToDword(0xFFFFFFFEull), 0xFFFFFFFEu);
}

TEST(PowerState, NamesGiveFlagsAndAnythingElseFails) {
  uint32_t flags = 0;
  platform::setPowerState("unattended");
  ASSERT_TRUE(platform::systemPowerState(flags));
  EXPECT_NE(flags & platform::kPowerStateUnattended, 0u);
  platform::setPowerState("on");
  ASSERT_TRUE(platform::systemPowerState(flags));
  EXPECT_EQ(flags & platform::kPowerStateUnattended, 0u);
  platform::setPowerState("asleep");
  flags = 7;
  EXPECT_FALSE(platform::systemPowerState(flags));
  EXPECT_EQ(flags, 7u);
  platform::setPowerState("");
}

TEST(Windows, ThePhonesWindowsAndTheGamesAreFoundByClassAndTitle) {
  char root[] = "/tmp/sorv-windows-XXXXXX";
  ASSERT_NE(mkdtemp(root), nullptr);
  platform::setRootDir(root);
  platform::resetWindows();
  EXPECT_NE(platform::findWindow("HHTaskBar", nullptr), platform::kNoWindow);
  EXPECT_NE(platform::findWindow("SipWndClass", ""), platform::kNoWindow);
  EXPECT_EQ(platform::findWindow(nullptr, "Kestovan - Sorvantel 2009"), platform::kNoWindow);
  EXPECT_EQ(platform::foregroundWindow(), platform::desktopWindow());
  platform::WindowHandle game = platform::createAppWindow("KestovanGame", "Kestovan - Sorvantel 2009");
  EXPECT_EQ(platform::findWindow(nullptr, "Kestovan - Sorvantel 2009"), game);
  EXPECT_EQ(platform::findWindow("KestovanGame", nullptr), game);
  EXPECT_EQ(platform::foregroundWindow(), game);
  // The low bit of a handle is the phone's "bring to front" habit, not another window.
  EXPECT_TRUE(platform::setForegroundWindow(platform::desktopWindow()));
  EXPECT_TRUE(platform::setForegroundWindow(game | 1));
  EXPECT_EQ(platform::foregroundWindow(), game);
  platform::showWindow(game, platform::kSwMinimize);
  EXPECT_EQ(platform::foregroundWindow(), platform::desktopWindow());
  platform::WindowHandle taskBar = platform::findWindow("HHTaskBar", nullptr);
  platform::showWindow(taskBar, platform::kSwHide);
  EXPECT_FALSE(platform::isWindowVisible(taskBar));
  EXPECT_FALSE(platform::showWindow(platform::kNoWindow, platform::kSwShow));
  platform::destroyAppWindow(game);
  EXPECT_EQ(platform::findWindow("KestovanGame", nullptr), platform::kNoWindow);
  platform::resetWindows();
  platform::setRootDir("");
  EXPECT_EQ(std::system((std::string("rm -rf ") + root).c_str()), 0);
}

TEST(Processes, LaunchesFollowTheControl) {
  unsetenv("SORV_CREATEPROCESS");
  EXPECT_TRUE(platform::createProcess("iexplore", "http://a.example/"));
  setenv("SORV_CREATEPROCESS", "fail", 1);
  EXPECT_FALSE(platform::createProcess("iexplore", "http://a.example/"));
  EXPECT_FALSE(platform::shellExecute("\\Windows\\cprog.exe"));
  unsetenv("SORV_CREATEPROCESS");
}

}  // namespace
}  // namespace sorv

namespace sorv {
namespace {

TEST(ProgramStart, OperatorNewFailureIsReportedAndRaised) {
  char root[] = "/tmp/sorv-start-XXXXXX";
  ASSERT_NE(mkdtemp(root), nullptr);
  platform::setRootDir(root);
  platform::resetWindows();
  std::new_handler previous = std::get_new_handler();
  EXPECT_FALSE(bringRunningInstanceForward());
  std::new_handler handler = std::get_new_handler();
  ASSERT_NE(handler, nullptr);
  testing::internal::CaptureStdout();
  EXPECT_THROW(handler(), std::bad_alloc);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Operator new failed: out of store.\n");
  std::set_new_handler(previous);
  platform::setRootDir("");
  EXPECT_EQ(std::system((std::string("rm -rf ") + root).c_str()), 0);
}

}  // namespace
}  // namespace sorv
