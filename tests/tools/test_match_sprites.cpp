// The match's sprites of the data set, read back through the game's sprite loader and held
// against the minimums the game's header names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/game_fixture.h"
#include "tests/support/shipped_archive.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/match_sprites.h"
#include "tools/mkdata/selection_sprites.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::test {
namespace {

class MatchSpritesTest : public DeviceTest {
 protected:
  void serveDataSet(mkdata::DataStyle style = mkdata::DataStyle::kArt) {
    RuntimeTest::TearDown();
    replaceBar(shippedArchive("EN", style).build());
    RuntimeTest::SetUp();
  }
};

TEST_F(MatchSpritesTest, EveryMatchSpriteHoldsItsMinimumsWithoutALogLine) {
  for (mkdata::DataStyle style : {mkdata::DataStyle::kArt, mkdata::DataStyle::kLabels}) {
    SCOPED_TRACE(style == mkdata::DataStyle::kArt ? "art" : "labels");
    serveDataSet(style);
    LogCapture log;
    for (const MatchSpriteMinimum& m : kMatchSpriteMinimums) {
      SCOPED_TRACE("pack " + std::to_string(m.pack) + " entry " + std::to_string(m.entry));
      ASprite* s = CGame::loadSprite(StaticClass::getConstant(m.pack), false, m.entry, true);
      ASSERT_FALSE(isNull(s));
      const int32_t frames = isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length;
      const int32_t anims = isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length;
      EXPECT_GE(frames, m.frames);
      EXPECT_GE(anims, m.anims);
      EXPECT_GE(s->paletteCount, m.palettes);
      // A player palette is copied in whole; other sprites may carry more colours than the
      // labelled stand-ins.
      if (m.colours == kPlayerPaletteColours) {
        EXPECT_EQ(s->colourCount, m.colours);
      } else {
        EXPECT_GE(s->colourCount, 2);
      }
      for (int32_t a = 0; a < anims; a++) {
        EXPECT_GE(s->GetAFrames(a), m.animFrames) << a;
        for (int32_t f = 0; f < s->GetAFrames(a); f++) EXPECT_GT(s->GetAFrameTime(a, f), 0) << a;
      }
    }
    EXPECT_EQ(log.text(), "");
  }
}

// The animations the players' tables, the serve meter and the runners count frames of.
TEST_F(MatchSpritesTest, CountedAnimationsHaveTheirFrames) {
  struct Case {
    int32_t pack, entry, anim, frames;
    bool odd;
  };
  const Case cases[] = {
      {kConstRunningUser, 0, kBrakeAnimFirst, kBrakeFrames, false},
      {kConstRunningRival, 1, kBrakeAnimLast, kBrakeFrames, false},
      {kConstStrokesUser, 0, 5, kSwingFrames, false},
      {kConstStrokesRival, 1, kStrokeAnims - 1, kSwingFrames, false},
      {kConstMatchPack, kMatchServeMeter, 0, kServeMeterFrames, true},
      {kConstMatchPack, kMatchServeMeter, 2, kServeMeterFrames, true},
      {kConstMatchFxPack, kMatchFxBallKids, 7, kBallKidRunFrames, false},
      {kConstMatchFxPack, kMatchFxBallKids, 8, kBallKidRunFrames, false},
      {kConstSpecialUser, 0, kWalkOffAnims[0], kWalkOffFrames, false},
      {kConstSpecialRival, 1, kWalkOffAnims[1], kWalkOffFrames, false},
      {kConstSpecialUser, 1, kWalkOnAnims[0], kWalkOnFrames, false},
      {kConstSpecialRival, 0, kWalkOnAnims[1], kWalkOnFrames, false},
  };
  for (mkdata::DataStyle style : {mkdata::DataStyle::kArt, mkdata::DataStyle::kLabels}) {
    serveDataSet(style);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.pack) + "/" + std::to_string(c.entry) + " anim " + std::to_string(c.anim));
      ASprite* s = CGame::loadSprite(StaticClass::getConstant(c.pack), false, c.entry, true);
      ASSERT_FALSE(isNull(s));
      EXPECT_GE(s->GetAFrames(c.anim), c.frames);
      if (c.odd) {
        EXPECT_EQ(s->GetAFrames(c.anim) % 2, 1);
      }
    }
  }
}

// A judge's signal and a ball kid's run are drawn with more than the body and its label, and
// nothing else of the two labelled sprites is: a call or a run shows on the court.
TEST_F(MatchSpritesTest, OnlyTheCourtPeoplesGesturesCarryLimbs) {
  serveDataSet(mkdata::DataStyle::kLabels);
  const auto frameOf = [](ASprite* s, int32_t anim) {
    return aload(s->aframeFrame, aload(s->animFirstAFrame, anim)) & 0xFF;
  };
  const auto partsOf = [](ASprite* s, int32_t frame) { return aload(s->frameFModuleCount, frame); };
  struct Case {
    int32_t entry;
    std::vector<int32_t> gestures;
  };
  const Case cases[] = {
      {kMatchFxJudges, {kJudgeOutSignals[0], kJudgeOutSignals[1], kJudgeOutSignals[2], kJudgeInSignal}},
      {kMatchFxBallKids, {kBallKidRunFirst, 8, 9, kBallKidRunLast}},
  };
  for (const Case& c : cases) {
    ASprite* s = CGame::loadSprite(StaticClass::getConstant(kConstMatchFxPack), false, c.entry, true);
    ASSERT_FALSE(isNull(s));
    for (int32_t a = 0; a < s->animAFrameCount->length; a++) {
      const bool gesture = std::find(c.gestures.begin(), c.gestures.end(), a) != c.gestures.end();
      EXPECT_EQ(partsOf(s, frameOf(s, a)) > 2, gesture) << c.entry << " anim " << a;
    }
  }
}

// The portraits the attribute cards, the serving portrait and the roster share: faces by
// roster index, badges from frame 36.
TEST_F(MatchSpritesTest, ThePortraitSpriteHoldsFacesAndBadges) {
  serveDataSet();
  ASprite* s = CGame::loadSprite(StaticClass::getConstant(kConstMenuExtPack), false, kPortraitSprite, true);
  ASSERT_FALSE(isNull(s));
  ASSERT_FALSE(isNull(s->frameFModuleCount));
  EXPECT_GE(s->frameFModuleCount->length, kPortraitMinFrames);
  EXPECT_GE(s->paletteCount, kPortraitMinPalettes);
}

TEST_F(MatchSpritesTest, CourtPicturesCoverTheCourtImage) {
  serveDataSet();
  for (int32_t entry : {kCourtBackground, kCourtBackgroundMain}) {
    ASprite* s = CGame::loadSprite(StaticClass::getConstant(kConstCourtPack), false, entry, true);
    ASSERT_FALSE(isNull(s));
    for (int32_t f = 0; f < 3; f++) {
      EXPECT_GE(s->GetFrameWidth(f), kCourtImageWidth) << entry << " " << f;
      EXPECT_GE(s->GetFrameHeight(f), kCourtImageHeight) << entry << " " << f;
    }
  }
}

// The labelled players, court people and colours stay the bytes they were, but for the
// change-of-ends walks, which have their frames now (packs 85 and 86).
TEST(LabelledMatchSprites, PlayersPeopleAndColoursKeepTheirBytes) {
  const auto fnv = [](const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
  };
  struct Case {
    int32_t pack;
    size_t entry;
    uint64_t hash;
  };
  const Case cases[] = {
      {80, 0, 0x2b9bc074c703042bull},  {80, 1, 0x73ce911a389a85fcull},  {80, 2, 0xf3c9aa4154821d84ull},
      {81, 0, 0x35fd684f3a3d9941ull},  {81, 1, 0x5e1c962d76080691ull},  {82, 0, 0x4f48a11bf98ea312ull},
      {82, 1, 0xe608040c40930ea6ull},  {83, 0, 0x29809cb29608060dull},  {83, 1, 0x96d30c200c8c171dull},
      {84, 0, 0xf8990028b6aac87aull},  {84, 1, 0x35309fc784e5dd3eull},  {85, 0, 0xcfccf0d75f50529aull},
      {85, 1, 0xa038f0e7e87fa34eull},  {86, 0, 0x8c18cdfbf98fef9cull},  {86, 1, 0xb075a41e229ae950ull},
      {88, 3, 0x40ede93406b152c2ull},  {88, 4, 0x832f2ad7bc1b2b69ull},  {120, 0, 0x383b1b50ab48dc5cull},
      {120, 1, 0x5d6bc2b23154e0ecull}, {120, 2, 0xe0956d744ac6715cull}, {120, 3, 0xae4b799f4827090cull},
      {120, 4, 0xc16eb219ad1dbe1cull}, {120, 5, 0xf1af7b37dcf4d1ccull}, {120, 6, 0x2651b0761694683cull},
      {120, 7, 0x84fb3441a8f40c0cull},
  };
  for (const Case& c : cases) {
    std::vector<std::vector<uint8_t>> entries;
    if (c.pack == kConstPlayerPack) {
      entries = mkdata::selectionPlayerPackEntries();
    } else if (c.pack == kConstMatchFxPack) {
      entries = mkdata::matchEffectsPackEntries();
    } else if (c.pack == kConstColourPack) {
      entries = mkdata::colourPackEntries();
    } else {
      entries = mkdata::matchActionPackEntries(c.pack);
    }
    ASSERT_LT(c.entry, entries.size());
    EXPECT_EQ(fnv(entries[c.entry]), c.hash) << c.pack << "/" << c.entry;
  }
}

}  // namespace
}  // namespace sorv::test
