// Test support for the promotion screen: the shipped data set of a language with its
// promotion file (or a hand-built one in its place), the screen set up from properties, and
// helpers that build promotion files and entries byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/resource_stream.h"
#include "promo/igp.h"
#include "runtime/clock.h"
#include "tests/menus/menu_fixture.h"
#include "tests/promo/promo_properties.h"
#include "tools/mkdata/data_set.h"

namespace sorv::test {

// Little-endian pieces of a promotion file.
struct PromoBytes {
  Bytes out;
  PromoBytes& u16(uint32_t v) {
    putLe(out, v, 2);
    return *this;
  }
  PromoBytes& text(const std::string& s) {
    u16(static_cast<uint32_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
    return *this;
  }
  PromoBytes& list(const std::vector<std::string>& items) {
    u16(static_cast<uint32_t>(items.size()));
    for (const std::string& s : items) text(s);
    return *this;
  }
  PromoBytes& raw(const Bytes& b) {
    out.insert(out.end(), b.begin(), b.end());
    return *this;
  }
};

class PromoTest : public MenuTest {
 protected:
  // The shipped data set of the language; a file given replaces its promotion file.
  void useData(const std::string& language = "EN", const Bytes& promoFile = {},
               const mkdata::PromoOptions& options = {}) {
    mkdata::ArchiveWriter archive = shippedArchive(language, mkdata::DataStyle::kLabels, options);
    if (!promoFile.empty()) archive.replace("igp", promoFile);
    RuntimeTest::TearDown();
    writeBar(archive.build());
    ResourceInputStream::archiveFile = nullptr;
    RuntimeTest::SetUp();
    clock::setVirtual(true);
    // The canvas and its back buffer belong to the runtime just started.
    resetShell();
    resetEngine();
  }
  // The shipped promotion file of a language.
  static Bytes shippedFile(const std::string& language = "EN", const mkdata::PromoOptions& options = {}) {
    mkdata::ArchiveWriter archive;
    std::string error;
    EXPECT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, language, options)) << error;
    return *archive.find("igp");
  }
  static Bytes shippedEntry(int32_t entry, const std::string& language = "EN") {
    Bytes out;
    EXPECT_TRUE(mkdata::resourcePackEntry(shippedFile(language), entry, &out));
    return out;
  }
  // The screen entered and loaded to its first page.
  static void enterAndLoad() {
    IGP::enterIGP(String::fromCString("More games"), 0);
    for (int32_t i = 0; i < 40 && IGP::state == IGP::kStateLoading; i++) IGP::update(0);
  }
};

}  // namespace sorv::test
