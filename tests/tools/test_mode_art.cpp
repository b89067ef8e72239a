// The modes' painted sprites as a whole: each read through the game's loader holds what the
// game asks of it (frames, animations, palettes, steps that take time and end soon where the
// game waits for them); painting replaces exactly these entries of the labelled packs, the
// same bytes every time, and no painted module is a label.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/mode_art_fixture.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/career_sprites.h"
#include "tools/mkdata/mode_art.h"
#include "tools/mkdata/selection_sprites.h"
#include "tools/mkdata/training_levels.h"
#include "tools/mkdata/tournament_logo.h"
#include "tools/mkdata/training_sprites.h"

namespace sorv::test {
namespace {

struct Minimum {
  int32_t pack, entry, frames, anims, palettes;
};
// What the lobby, the tournament table and the training games draw of each sprite.
constexpr Minimum kMinimums[] = {
    {kConstMenuExtPack, kMenuExtWorldMap, 1, 1, 1},
    {kConstMenuExtPack, kMenuExtMapIcons, kMapIconTournament + 1, kMapCursorTypes, 1},
    {kConstMenuExtPack, kMenuExtTournamentLogo, kTournamentLogoFrames, 1, kTournamentFlagPalettes},
    {kConstTrainingPack, kTrainingSprite, 1, mkdata::kTrainingAnims, 2},
    {kConstTrainingPack, kTrainingCheckpoint, mkdata::kCheckPointFrames, mkdata::kCheckPointAnims, 1},
};

ASprite* load(const Minimum& m) { return CGame::loadSprite(StaticClass::getConstant(m.pack), false, m.entry, true); }

using ModeSpritesTest = ModeArtTest;

TEST_F(ModeSpritesTest, EverySpriteHoldsWhatTheGameDrawsOfIt) {
  LogCapture log;
  for (const Minimum& m : kMinimums) {
    SCOPED_TRACE("pack " + std::to_string(m.pack) + " entry " + std::to_string(m.entry));
    ASprite* s = load(m);
    ASSERT_FALSE(isNull(s));
    EXPECT_GE(frameCount(s), m.frames);
    EXPECT_GE(animCount(s), m.anims);
    EXPECT_GE(s->paletteCount, m.palettes);
    for (int32_t a = 0; a < animCount(s); a++) {
      EXPECT_GE(s->GetAFrames(a), 1) << a;
      for (int32_t f = 0; f < s->GetAFrames(a); f++) EXPECT_GT(s->GetAFrameTime(a, f), 0) << a << " step " << f;
    }
  }
  EXPECT_EQ(log.text(), "");
}

// The game builds every module's picture in every palette of these sprites when it loads
// them (two bytes a pixel), beside the menus' other sprites in half of the buffer heap.
TEST_F(ModeSpritesTest, TheirCachedPicturesKeepToTheirShareOfTheHeap) {
  struct Share {
    int32_t pack, entry, bytes;
  };
  const Share shares[] = {{kConstMenuExtPack, kMenuExtWorldMap, 400 * 1024},
                          {kConstMenuExtPack, kMenuExtMapIcons, 48 * 1024},
                          {kConstMenuExtPack, kMenuExtTournamentLogo, 256 * 1024},
                          {kConstTrainingPack, kTrainingSprite, 400 * 1024},
                          {kConstTrainingPack, kTrainingCheckpoint, 160 * 1024}};
  for (const Share& share : shares) {
    ASprite* s = load({share.pack, share.entry, 0, 0, 0});
    ASSERT_FALSE(isNull(s));
    int64_t pixels = 0;
    for (int32_t m = 0; m < s->moduleCount; m++) {
      if (aload(s->moduleKind, m) == ASprite::kModuleImage) pixels += (aload(s->moduleWidth, m) & 0xFF) * (aload(s->moduleHeight, m) & 0xFF);
    }
    EXPECT_LE(pixels * 2 * s->paletteCount, share.bytes) << "pack " << share.pack << " entry " << share.entry;
  }
}

// The animations a game plays once and waits for: their ends come within a second or two.
TEST_F(ModeSpritesTest, TheAnimationsTheGamesWaitForEndSoon) {
  struct Case {
    int32_t entry, anim, minSteps, maxTicks;
  };
  const Case cases[] = {
      {kTrainingSprite, 1, 2, 8},                               // the board's hit, before its close-up
      {kTrainingSprite, 6, 2, 14},  {kTrainingSprite, 7, 3, 16}, // a tank rolling in, blowing up
      {kTrainingSprite, 26, 2, 14}, {kTrainingSprite, 27, 2, 16},
      {kTrainingSprite, 8, 2, 8},                               // the hit burst
      {kTrainingSprite, mkdata::kMachineAnim, mkdata::kMachineLaunchFrame + 1, 10},
      {kTrainingCheckpoint, 1, 3, 10}, {kTrainingCheckpoint, 2, 3, 10}, {kTrainingCheckpoint, 3, 3, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("entry " + std::to_string(c.entry) + " anim " + std::to_string(c.anim));
    ASprite* s = load({kConstTrainingPack, c.entry, 0, 0, 0});
    ASSERT_FALSE(isNull(s));
    EXPECT_GE(s->GetAFrames(c.anim), c.minSteps);
    EXPECT_LE(s->GetActionTime(c.anim), c.maxTicks);
  }
  ASprite* s = load({kConstTrainingPack, kTrainingSprite, 0, 0, 0});
  EXPECT_EQ(s->GetAFrames(mkdata::kMachineAnim), mkdata::kMachineFrames);
}

// The pack entries painting touches, and the labelled entries it starts from.
struct Painted {
  int32_t pack, entry;
  std::vector<uint8_t> (*labelled)();
};
const Painted kPainted[] = {
    {kConstMenuExtPack, kMenuExtWorldMap, mkdata::worldMapSprite},
    {kConstMenuExtPack, kMenuExtMapIcons, mkdata::mapIconSprite},
    {kConstMenuExtPack, kMenuExtTournamentLogo, mkdata::tournamentLogoSprite},
    {kConstTrainingPack, kTrainingSprite, mkdata::trainingSprite},
    {kConstTrainingPack, kTrainingCheckpoint, mkdata::checkPointSprite},
};

mkdata::PackSet labelledPacks() {
  mkdata::PackSet packs;
  packs[kConstMenuExtPack] = mkdata::selectionMenuExtPackEntries();
  std::string error;
  EXPECT_TRUE(mkdata::trainingPackEntries(mkdata::defaultDataDir(), &packs[kConstTrainingPack], &error)) << error;
  return packs;
}

TEST(ModeArtPacks, PaintingReplacesItsOwnEntriesOnlyTheSameWayEveryTime) {
  const mkdata::PackSet labelled = labelledPacks();
  for (const Painted& p : kPainted) {
    EXPECT_EQ(labelled.at(p.pack)[static_cast<size_t>(p.entry)], p.labelled()) << p.pack << " " << p.entry;
  }
  mkdata::PackSet art = labelled, again = labelled;
  mkdata::paintModeArt(art);
  mkdata::paintModeArt(again);
  EXPECT_EQ(art, again);
  for (const auto& [pack, entries] : labelled) {
    ASSERT_EQ(art.at(pack).size(), entries.size()) << pack;
    for (size_t e = 0; e < entries.size(); e++) {
      bool painted = false;
      for (const Painted& p : kPainted) painted |= p.pack == pack && static_cast<size_t>(p.entry) == e;
      if (painted) {
        EXPECT_NE(art.at(pack)[e], entries[e]) << "pack " << pack << " entry " << e << " is still labelled";
      } else {
        EXPECT_EQ(art.at(pack)[e], entries[e]) << "pack " << pack << " entry " << e << " is not the painter's";
      }
    }
  }
}

// A painted module with a label's size whose pixels fall into the label's ink and paper.
bool looksLikeLabel(ASprite* s, int32_t module, const mkdata::SpriteModule& label) {
  if ((aload(s->moduleWidth, module) & 0xFF) != label.width || (aload(s->moduleHeight, module) & 0xFF) != label.height) return false;
  IntArray* pixels = s->DecodeImage(module, 0);
  if (isNull(pixels)) return false;
  int32_t ink = -1, paper = -1;
  for (size_t i = 0; i < label.pixels.size(); i++) {
    int32_t& expected = label.pixels[i] == 1 ? ink : paper;
    if (expected == -1) expected = aload(pixels, static_cast<int32_t>(i));
    if (aload(pixels, static_cast<int32_t>(i)) != expected) return false;
  }
  return true;
}

TEST_F(ModeSpritesTest, NoPaintedModuleIsALabel) {
  for (const Minimum& m : kMinimums) {
    ASprite* s = load(m);
    ASSERT_FALSE(isNull(s));
    const mkdata::SpriteModule label = mkdata::labelModule(m.pack, m.entry);
    for (int32_t module = 0; module < s->moduleCount; module++) {
      if (aload(s->moduleKind, module) != ASprite::kModuleImage) continue;
      EXPECT_FALSE(looksLikeLabel(s, module, label)) << "pack " << m.pack << " entry " << m.entry << " module " << module;
    }
  }
}

}  // namespace
}  // namespace sorv::test
