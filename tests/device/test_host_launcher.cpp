// The host launcher of browser links: one argument, no shell, only web addresses, and
// nothing at all unless the real program switched it on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "device/platform/processes.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;

class HostLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("sorv-launcher-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "bin");
    oldPath_ = std::getenv("PATH") == nullptr ? "" : std::getenv("PATH");
    platform::enableHostLauncher(true);
  }
  void TearDown() override {
    platform::enableHostLauncher(false);
    setenv("PATH", oldPath_.c_str(), 1);
    fs::remove_all(dir_);
  }
  // A fake xdg-open first on the path: it writes its arguments, one a line, and their count.
  void installFake() {
    const fs::path fake = dir_ / "bin" / "xdg-open";
    std::ofstream(fake) << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '"
                        << (dir_ / "args.txt").string() << ".tmp'\nmv '" << (dir_ / "args.txt").string()
                        << ".tmp' '" << (dir_ / "args.txt").string() << "'\n";
    fs::permissions(fake, fs::perms::owner_all);
    setenv("PATH", ((dir_ / "bin").string() + ":" + oldPath_).c_str(), 1);
  }
  std::string arguments() const {
    const fs::path args = dir_ / "args.txt";
    for (int i = 0; i < 200 && !fs::exists(args); i++) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(args);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  fs::path dir_;
  std::string oldPath_;
};

TEST_F(HostLauncher, TheAddressIsOneArgumentThatNoShellReads) {
  installFake();
  const fs::path injected = dir_ / "injected";
  const std::string url = "http://example.invalid/a?b=1&c=2; touch '" + injected.string() + "' $(touch " +
                          injected.string() + ") 'x y'";
  EXPECT_TRUE(platform::createProcess("iexplore", url));
  EXPECT_EQ(arguments(), "1\n" + url + "\n");
  EXPECT_FALSE(fs::exists(injected));
}

TEST_F(HostLauncher, OnlyWebAddressesOpen) {
  installFake();
  for (const char* url : {"file:///etc/passwd", "-x", "javascript:alert(1)", "ftp://example.invalid/"}) {
    EXPECT_FALSE(platform::createProcess("iexplore", url)) << url;
  }
  EXPECT_TRUE(platform::createProcess("iexplore", "https://example.invalid/"));
  EXPECT_EQ(arguments(), "1\nhttps://example.invalid/\n");
}

TEST_F(HostLauncher, NoLauncherOnThePathFails) {
  setenv("PATH", (dir_ / "bin").string().c_str(), 1);
  EXPECT_FALSE(platform::createProcess("iexplore", "http://example.invalid/"));
}

TEST_F(HostLauncher, SwitchedOffNothingStarts) {
  installFake();
  platform::enableHostLauncher(false);
  unsetenv("SORV_CREATEPROCESS");
  EXPECT_TRUE(platform::createProcess("iexplore", "http://example.invalid/"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(fs::exists(dir_ / "args.txt"));
}

}  // namespace
}  // namespace sorv
