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
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/match_sprites.h"

namespace sorv::test {
namespace {

class MatchSpritesTest : public DeviceTest {
 protected:
  void serveDataSet() {
    mkdata::ArchiveWriter archive;
    std::string error;
    ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN")) << error;
    RuntimeTest::TearDown();
    replaceBar(archive.build());
    RuntimeTest::SetUp();
  }
};

TEST_F(MatchSpritesTest, EveryMatchSpriteHoldsItsMinimumsWithoutALogLine) {
  serveDataSet();
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
    // The players' palettes are filled colour by colour; every other sprite has the colours
    // its pictures take, which differ between the painted and the labelled data.
    if (m.colours == kPlayerPaletteColours) {
      EXPECT_EQ(s->colourCount, m.colours);
    }
    for (int32_t a = 0; a < anims; a++) {
      EXPECT_GE(s->GetAFrames(a), m.animFrames) << a;
      for (int32_t f = 0; f < s->GetAFrames(a); f++) EXPECT_GT(s->GetAFrameTime(a, f), 0) << a;
    }
  }
  EXPECT_EQ(log.text(), "");
}

// The animations the players' tables, the serve meter and the runners count frames of.
TEST_F(MatchSpritesTest, CountedAnimationsHaveTheirFrames) {
  serveDataSet();
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
  };
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

// A judge's signal and a ball kid's run are drawn with more than the body and its label, and
// nothing else of the two sprites is: a call or a run shows on the court.
TEST_F(MatchSpritesTest, OnlyTheCourtPeoplesGesturesCarryLimbs) {
  serveDataSet();
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

}  // namespace
}  // namespace sorv::test
