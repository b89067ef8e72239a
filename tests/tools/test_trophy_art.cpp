// The painted tournament logos, drawn as the tournament table draws them: every trophy ends on
// the table's corner and is its own, and each palette raises its own flag and changes nothing
// but the flag. The whole set is written to build/mode/trophies.png for a look.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/tools/mode_art_fixture.h"
#include "tools/mkdata/trophy_art.h"

namespace sorv::test {
namespace {

using TrophyArtTest = ModeArtTest;

// The part of the table the trophy stands in (the roads count its lit pixels).
constexpr int32_t kBoxX = 700, kBoxY = 160, kBoxW = 75, kBoxH = 80;

TEST_F(TrophyArtTest, EveryTrophyStandsOnTheTablesCornerAndIsItsOwn) {
  ASprite* logo = extSprite(kMenuExtTournamentLogo);
  ASSERT_FALSE(isNull(logo));
  ASSERT_GE(frameCount(logo), kTournamentLogoFrames);
  ASSERT_GE(logo->paletteCount, kTournamentFlagPalettes);
  std::vector<std::vector<uint16_t>> looks;
  for (int32_t f = 0; f < kTournamentLogoFrames; f++) {
    SCOPED_TRACE("frame " + std::to_string(f));
    const int32_t w = logo->GetFrameWidth(f), h = logo->GetFrameHeight(f);
    const int32_t x = kTrophyRight + w / 2, y = h + kTrophyFoot;
    const std::vector<int32_t> box = frameBox(logo, f, x, y);
    EXPECT_EQ(box[2], kTrophyRight);
    EXPECT_EQ(box[3], kTrophyFoot);
    EXPECT_GE(box[0], 600) << "runs into the bracket";
    EXPECT_GE(box[1], 60) << "runs into the table's top";
    clear();
    logo->SetCurrentPalette(f % kTournamentFlagPalettes);
    logo->PaintFrame(g(), f, x, y, 0, 100);
    EXPECT_GT(inked(kBoxX, kBoxY, kBoxW, kBoxH), 1500) << "the trophy fills too little of its corner";
    looks.push_back(region(kBoxX, kBoxY, kBoxW, kBoxH));
  }
  for (size_t a = 0; a < looks.size(); a++)
    for (size_t b = a + 1; b < looks.size(); b++) EXPECT_NE(looks[a], looks[b]) << "trophies " << a << " and " << b;
  // The set, each with its tournament's flag.
  clear();
  for (int32_t f = 0; f < kTournamentLogoFrames; f++) {
    logo->SetCurrentPalette(f % kTournamentFlagPalettes);
    logo->PaintFrame(g(), f, 100 * (f % 8 + 1), 130 * (f / 8 + 1), 0, 100);
  }
  logo->SetCurrentPalette(0);
  save("trophies.png", 0, 0, 800, 390);
}

TEST_F(TrophyArtTest, EachPaletteRaisesItsOwnFlagAndChangesNothingElse) {
  ASprite* logo = extSprite(kMenuExtTournamentLogo);
  ASSERT_FALSE(isNull(logo));
  constexpr int32_t kX = 400, kY = 300;
  const int32_t fx = kX + mkdata::kFlagLeft, fy = kY + mkdata::kFlagTop;
  for (int32_t frame : {0, 9, kTournamentLogoWomenMain}) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    std::vector<uint16_t> first;
    std::set<std::vector<uint16_t>> flags;
    for (int32_t p = 0; p < kTournamentFlagPalettes; p++) {
      clear();
      logo->SetCurrentPalette(p);
      logo->PaintFrame(g(), frame, kX, kY, 0, 100);
      std::vector<uint16_t> flag = region(fx, fy, mkdata::kFlagWidth, mkdata::kFlagHeight);
      EXPECT_GE(std::set<uint16_t>(flag.begin(), flag.end()).size(), 3u) << "palette " << p << " shows no flag";
      flags.insert(flag);
      // Outside the cloth's box the picture stays the same.
      g()->setColor(0);
      g()->fillRect(fx, fy, mkdata::kFlagWidth, mkdata::kFlagHeight);
      std::vector<uint16_t> rest = region(kX - 110, kY - 140, 120, 150);
      if (p == 0) first = rest;
      EXPECT_EQ(rest, first) << "palette " << p << " changes more than the flag";
    }
    EXPECT_EQ(flags.size(), static_cast<size_t>(kTournamentFlagPalettes));
  }
  logo->SetCurrentPalette(0);
  clear();
  for (int32_t p = 0; p < kTournamentFlagPalettes; p++) {
    logo->SetCurrentPalette(p);
    logo->PaintFrame(g(), 3, 110 * (p + 1), 140, 0, 100);
  }
  logo->SetCurrentPalette(0);
  save("flags.png", 0, 0, 680, 150);
}

}  // namespace
}  // namespace sorv::test
