#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/cae_fixture.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv {
namespace {

using test::Bytes;
using test::CaeTest;

// Entry n of a resource pack: u16 LE count, then count u32 LE offsets from the header's end.
Bytes packEntry(const Bytes& pack, int n) {
  auto le32 = [&](size_t at) {
    return static_cast<size_t>(pack.at(at) | pack.at(at + 1) << 8 | pack.at(at + 2) << 16 |
                               static_cast<uint32_t>(pack.at(at + 3)) << 24);
  };
  size_t count = pack.at(0) | pack.at(1) << 8, header = 2 + 4 * count;
  return Bytes(pack.begin() + header + le32(2 + 4 * n), pack.begin() + header + le32(6 + 4 * n));
}

// The data set's table, as the boot reads it: every achievement can be earned through the
// form the game checks it with, and all of them reach the top rank.
TEST_F(CaeTest, TheDataSetsTableCanBeEarnedInFull) {
  mkdata::ArchiveWriter archive;
  std::string error;
  ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN")) << error;
  const Bytes* boot = archive.find("boot");
  ASSERT_NE(boot, nullptr);
  CAE::LoadAchiData(test::managedBytes(packEntry(*boot, 3)));
  ASSERT_EQ(CAE::getAchiNum(), 56);
  EXPECT_EQ(CAE::GetAchiTitleId(54), 209);
  EXPECT_EQ(CAE::GetAchiDescId(55), 212);
  for (int n = 0; n < 56; n++) {
    const int threshold = CAE::GetAchiData(n);
    if (CAE::GetAchiTag(n) == 1) {
      EXPECT_EQ(CAE::CheckAchi(n, true), -1) << n;
      const int below = threshold - 1;
      EXPECT_EQ(CAE::CheckAchi(n, CAE::GetAchiComp(n) >= 3 ? threshold + 1 : below), -1) << n;
      EXPECT_GE(CAE::CheckAchi(n, threshold), 0) << n;
    } else {
      EXPECT_EQ(CAE::CheckAchi(n, threshold), -1) << n;
      EXPECT_GE(CAE::CheckAchi(n, true), 0) << n;
    }
  }
  EXPECT_EQ(CAE::GetAchievementRankLevel(), 5);
  CAE::saveAchievement();
  EXPECT_EQ(record(14).size(), 56u + 36u);
  const int gold = CAE::achiGold;
  CAE::LoadAchiData(test::managedBytes(packEntry(*boot, 3)));
  EXPECT_EQ(CAE::achiGold, gold);
  for (int n = 0; n < 56; n++) EXPECT_TRUE(CAE::IsUnlock(n)) << n;
}

}  // namespace
}  // namespace sorv
