#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/collector.h"
#include "runtime/constants.h"
#include "runtime/static_class.h"
#include "tests/runtime/classlib_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::host;
using test::putBigEndian;
using test::putUtf;

// Serves the bytes of gFile and counts how often a served stream is closed.
std::vector<uint8_t>* gFile = nullptr;
int gCloses = 0;

class CountingStream : public ByteArrayInputStream {
 public:
  static constexpr ClassId kClassId = kByteArrayInputStream;
  void close() override { ++gCloses; }
};

InputStream* countingOpener(String* name) {
  if (gFile == nullptr || String::toCString(name) != "/constants.bin") return nullptr;
  CountingStream* s = newObject<CountingStream>();
  s->buf = test::byteArrayOf(*gFile);
  s->count = s->buf->length;
  return s;
}

std::vector<uint8_t> fileOf(int32_t count, const std::vector<std::string>& texts) {
  std::vector<uint8_t> out;
  putBigEndian(out, static_cast<uint32_t>(count), 4);
  for (const std::string& t : texts) putUtf(out, t);
  return out;
}

class Constants : public ::testing::Test {
 protected:
  // Starts the runtime over the given file (null: no file) and returns the log of the start.
  std::string start(std::vector<uint8_t>* file) {
    gFile = file;
    gCloses = 0;
    setResourceOpener(countingOpener);
    LogCapture log;
    app_ = new Application();
    Application::init(app_);
    return log.text();
  }
  void TearDown() override {
    Application::close(app_);
    delete app_;
    Application::setInstance(nullptr);
    setResourceOpener(nullptr);
    gFile = nullptr;
  }
  int32_t loaded() const { return app_->staticClass->constantStrings->length; }

  Application* app_ = nullptr;
};

TEST_F(Constants, AGoodFileGivesPermanentStringsThatSurviveCollections) {
  std::vector<uint8_t> file = fileOf(3, {"zero", "", "caf\xC3\xA9"});
  std::string log = start(&file);
  EXPECT_EQ(log.find("/constants.bin"), std::string::npos) << log;
  ASSERT_EQ(loaded(), 3);
  EXPECT_EQ(gCloses, 1);
  app_->objectManager->gc(0);
  app_->objectManager->gc(0);
  EXPECT_EQ(host(StaticClass::getConstant(0)), "zero");
  EXPECT_EQ(host(StaticClass::getConstant(1)), "");
  EXPECT_EQ(host(StaticClass::getConstant(2)), "caf\xC3\xA9");
  EXPECT_EQ(StaticClass::getConstant(0)->collectable, 0);
  LogCapture outside;
  EXPECT_EQ(StaticClass::getConstant(3), nullptr);
  EXPECT_TRUE(outside.contains("ArrayOutOfBound"));
}

TEST_F(Constants, AMissingFileIsLoggedAndLeavesNoTable) {
  std::string log = start(nullptr);
  EXPECT_NE(log.find("/constants.bin\nstacktrace:"), std::string::npos) << log;
  EXPECT_EQ(app_->staticClass->constantStrings, nullptr);
  LogCapture lookup;
  EXPECT_EQ(StaticClass::getConstant(0), nullptr);
  EXPECT_TRUE(lookup.contains("NullPointer"));
}

TEST_F(Constants, DamagedFilesKeepWhatWasReadLogOnceAndClose) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int32_t strings;
  };
  std::vector<uint8_t> cut = fileOf(3, {"a", "b", "c"});
  cut.resize(cut.size() - 1);
  std::vector<uint8_t> bad = fileOf(3, {"a", "\xFF", "c"});
  const Case cases[] = {
      {"truncated in the third string", cut, 2},
      {"count far beyond the data", fileOf(0x7FFFFFFF, {"a", "b"}), 2},
      {"negative count", fileOf(-1, {"a"}), 0},
      {"malformed second string", bad, 1},
      {"no count at all", {0x00, 0x00}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> file = c.file;
    std::string log = start(&file);
    EXPECT_EQ(loaded(), c.strings);
    EXPECT_EQ(gCloses, 1);
    size_t first = log.find("/constants.bin");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("/constants.bin", first + 1), std::string::npos) << log;
    EXPECT_EQ(Application::pendingException(), nullptr);
    TearDown();
  }
  start(nullptr);  // for the fixture's own TearDown
}

}  // namespace
}  // namespace sorv
