// The painted players: every frame a translucent shadow under one opaque body standing on
// the origin at the match's height in the player colours; the match's tables' frame counts;
// the forehand on the racket side, right at the user's end and left at the opponents'; the
// selection's figure inside its clip; the outfits told apart, and white in a main
// tournament through the game's own palette building.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/game_fixture.h"
#include "tests/support/shipped_archive.h"
#include "tests/tools/indexed_frame.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/figure_painter.h"
#include "tools/mkdata/player_art.h"
#include "tools/mkdata/player_palettes.h"
#include "tools/mkdata/player_poses.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

const std::vector<mk::Look>& looks() {
  static const std::vector<mk::Look> all = [] {
    std::vector<mk::Look> l;
    std::string error;
    EXPECT_TRUE(mk::loadLooks(mk::defaultDataDir(), &l, &error)) << error;
    return l;
  }();
  return all;
}

// Each action sprite painted once for the whole binary.
const mk::ArtSprite& actionSprite(int32_t pack, int32_t entry) {
  static std::map<std::pair<int32_t, int32_t>, mk::ArtSprite> painted;
  auto it = painted.find({pack, entry});
  if (it == painted.end()) {
    it = painted.emplace(std::make_pair(pack, entry), mk::playerActionSprite(pack, entry, looks())).first;
  }
  return it->second;
}

constexpr int32_t kActionPacks[] = {kConstStrokesUser, kConstRunningUser, kConstStrokesRival,
                                    kConstRunningRival, kConstSpecialUser, kConstSpecialRival};
const std::set<int> kHair = {2, 3, 4, 5}, kRacket = {28, 29, 30, 31};

bool isShadowModule(const mk::SpriteModule& m) {
  for (uint8_t p : m.pixels) {
    if (p != 0 && p != mk::kFigureShadowIndex) return false;
  }
  return true;
}

TEST(PlayerArt, EveryFrameIsAShadowUnderABodyStandingOnTheOriginAtTheMatchsHeight) {
  for (int32_t pack : kActionPacks) {
    for (int32_t entry = 0; entry < kActionPackEntries; entry++) {
      const mk::SpriteSpec& spec = actionSprite(pack, entry).spec();
      EXPECT_LE(spec.frames.size(), 256u);
      for (size_t f = 0; f < spec.frames.size(); f++) {
        SCOPED_TRACE("pack " + std::to_string(pack) + "/" + std::to_string(entry) + " frame " + std::to_string(f));
        const mk::SpriteFrame& frame = spec.frames[f];
        ASSERT_EQ(frame.count, 2) << "a shadow and a body";
        const mk::SpriteModule& shadow = spec.modules[spec.fmodules[frame.first].module];
        const mk::SpriteModule& body = spec.modules[spec.fmodules[frame.first + 1u].module];
        EXPECT_TRUE(isShadowModule(shadow));
        for (uint8_t p : body.pixels) EXPECT_TRUE(p == 0 || (p >= 2 && p < mk::kFigureColours)) << int{p};
        const IndexedFrame shown = drawIndexed(spec, static_cast<int>(f));
        int lowest = INT32_MIN, hairTop = INT32_MAX, left = INT32_MAX, right = INT32_MIN;
        for (int y = -shown.originY; y < shown.pixels.height() - shown.originY; y++) {
          for (int x = -shown.originX; x < shown.pixels.width() - shown.originX; x++) {
            const int p = shown.at(x, y);
            if (p < 2 || kRacket.count(p) != 0) continue;
            lowest = std::max(lowest, y);
            left = std::min(left, x), right = std::max(right, x);
            if (kHair.count(p) != 0) hairTop = std::min(hairTop, y);
          }
        }
        EXPECT_EQ(lowest, -1) << "the feet on the origin";
        EXPECT_LE(left, 2);
        EXPECT_GE(right, -2);
        EXPECT_GE(-hairTop, 48);
        EXPECT_LE(-hairTop, 60);
      }
    }
  }
}

TEST(PlayerArt, TheMatchsTablesFindTheirFrames) {
  struct Case {
    int32_t pack;
    std::vector<int> anims;
    int frames;
    bool exactly;
  };
  std::vector<int> swings;
  for (int a = 0; a < kStrokeAnims; a++) {
    if (a != 0 && a != 1 && a != 28 && a != 29) swings.push_back(a);
  }
  const Case cases[] = {
      {kConstRunningUser, {13, 14, 15, 16}, kBrakeFrames, true},
      {kConstStrokesUser, swings, kSwingFrames, true},
      {kConstStrokesUser, {0, 1, 28, 29}, kSwingFrames, false},
      {kConstSpecialUser, {kWalkOffAnims[0], kWalkOffAnims[1]}, kWalkOffFrames, false},
      {kConstSpecialUser, {kWalkOnAnims[0], kWalkOnAnims[1]}, kWalkOnFrames, false},
  };
  for (const Case& c : cases) {
    for (int32_t entry = 0; entry < kActionPackEntries; entry++) {
      const mk::SpriteSpec& spec = actionSprite(c.pack, entry).spec();
      for (int a : c.anims) {
        const int n = spec.anims[static_cast<size_t>(a)].count;
        if (c.exactly) {
          EXPECT_EQ(n, c.frames) << c.pack << " anim " << a;
        } else {
          EXPECT_GE(n, c.frames) << c.pack << " anim " << a;
        }
      }
    }
  }
  // The challenge gesture still shows when the review's verdict comes, 24 frames on.
  const mk::SpriteSpec& special = actionSprite(kConstSpecialUser, 0).spec();
  for (int a = kChallengeGestureFirst; a <= kChallengeGestureLast; a++) {
    int time = 0;
    const mk::SpriteAnim& anim = special.anims[static_cast<size_t>(a)];
    for (int k = 0; k < anim.count; k++) time += special.aframes[anim.first + static_cast<size_t>(k)].time;
    EXPECT_GT(time, 24) << a;
  }
}

// Where the racket is against the body at a swing's contact: +1 right, -1 left.
int racketSide(const mk::SpriteSpec& spec, int anim) {
  const IndexedFrame f = drawIndexed(spec, frameOfStep(spec, anim, mk::kSwingContact));
  int64_t racketX = 0, racketN = 0, bodyX = 0, bodyN = 0;
  for (int y = 0; y < f.pixels.height(); y++) {
    for (int x = 0; x < f.pixels.width(); x++) {
      const int p = f.pixels.at(x, y);
      if (p < 2) continue;
      (kRacket.count(p) != 0 ? racketX : bodyX) += x;
      (kRacket.count(p) != 0 ? racketN : bodyN) += 1;
    }
  }
  if (racketN == 0 || bodyN == 0) return 0;
  return racketX * bodyN > bodyX * racketN ? 1 : -1;
}

TEST(PlayerArt, ForehandsMeetTheBallRightOfTheBodyAtTheUsersEndAndLeftAtTheOpponents) {
  for (int32_t entry = 0; entry < kActionPackEntries; entry++) {
    for (int a : mk::forehandStrokes()) {
      EXPECT_EQ(racketSide(actionSprite(kConstStrokesUser, entry).spec(), a), 1) << "81/" << entry << " " << a;
      EXPECT_EQ(racketSide(actionSprite(kConstStrokesRival, entry).spec(), a), -1) << "83/" << entry << " " << a;
    }
    for (int a : mk::backhandStrokes()) {
      EXPECT_EQ(racketSide(actionSprite(kConstStrokesUser, entry).spec(), a), -1) << "81/" << entry << " " << a;
      EXPECT_EQ(racketSide(actionSprite(kConstStrokesRival, entry).spec(), a), 1) << "83/" << entry << " " << a;
    }
  }
}

TEST(PlayerArt, TheOpponentsFramesMirrorTheUsersAboutTheOrigin) {
  const std::pair<int32_t, int32_t> pairs[] = {{kConstStrokesUser, kConstStrokesRival},
                                               {kConstRunningUser, kConstRunningRival},
                                               {kConstSpecialUser, kConstSpecialRival}};
  for (const auto& [user, rival] : pairs) {
    const mk::SpriteSpec& a = actionSprite(user, 1).spec();
    const mk::SpriteSpec& b = actionSprite(rival, 1).spec();
    ASSERT_EQ(a.frames.size(), b.frames.size());
    ASSERT_EQ(a.aframes.size(), b.aframes.size());
    for (size_t f = 0; f < a.frames.size(); f += 7) {
      const IndexedFrame x = drawIndexed(a, static_cast<int>(f)), y = drawIndexed(b, static_cast<int>(f));
      int differ = 0;
      for (int j = -x.originY; j < x.pixels.height() - x.originY; j++) {
        for (int i = -x.originX; i < x.pixels.width() - x.originX; i++) differ += x.at(i, j) != y.at(-i, j);
      }
      EXPECT_EQ(differ, 0) << user << " frame " << f;
    }
    for (size_t k = 0; k < a.aframes.size(); k++) EXPECT_EQ(a.aframes[k].x, -b.aframes[k].x);
  }
}

TEST(PlayerArt, TheSelectionsJogStaysInsideItsClipAndTheWalkInEnds) {
  for (int32_t entry : {kPlayerDemoMen, kPlayerDemoWomen}) {
    const mk::ArtSprite demo = mk::playerDemoSprite(entry, looks());
    const mk::SpriteSpec& spec = demo.spec();
    ASSERT_GE(spec.anims.size(), 1u);
    EXPECT_GE(spec.palettes.size(), 4u);
    for (int k = 0; k < spec.anims[0].count; k++) {
      const mk::SpriteAFrame& step = spec.aframes[spec.anims[0].first + static_cast<size_t>(k)];
      const IndexedFrame f = drawIndexed(spec, step.frame);
      // The clip is (x + 1, y + 1, 138, 138) around the figure at (x + 75, y + 85).
      EXPECT_GE(step.x - f.originX, 1 - 75);
      EXPECT_LE(step.x - f.originX + f.pixels.width(), 139 - 75);
      EXPECT_GE(step.y - f.originY, 1 - 85);
      EXPECT_LE(step.y - f.originY + f.pixels.height(), 139 - 85);
    }
  }
  const mk::ArtSprite entry = mk::playerEntrySprite(looks());
  ASSERT_GE(entry.animCount(), 2);
  EXPECT_GE(entry.spec().palettes.size(), 4u);
  EXPECT_NE(frameOfStep(entry.spec(), 0, 0), frameOfStep(entry.spec(), 1, 0)) << "a man, then a woman";
}

TEST(PlayerArt, NoPaintedModuleIsALabel) {
  for (int32_t pack : kActionPacks) {
    for (int32_t entry = 0; entry < kActionPackEntries; entry++) {
      const mk::SpriteModule label = mk::labelModule(pack, entry);
      for (const mk::SpriteModule& m : actionSprite(pack, entry).spec().modules) {
        EXPECT_FALSE(m.width == label.width && m.height == label.height && m.pixels == label.pixels) << pack;
      }
    }
  }
}

// The avatars' outfits, by avatar: the shirt's and the shorts' middle shade.
std::pair<uint32_t, uint32_t> outfitOf(const std::vector<uint32_t>& palette) {
  return {palette[mk::kShirtShades.index[2]], palette[mk::kShortsShades.index[2]]};
}

TEST(PlayerArt, EveryAvatarOfAGroupWearsItsOwnShirtOrShorts) {
  ASSERT_EQ(static_cast<int>(looks().size()), kPlayerPaletteCount);
  for (int group : {0, 1}) {
    std::set<std::pair<uint32_t, uint32_t>> seen;
    for (int a = group * kPlayerPaletteCount / 2; a < (group + 1) * kPlayerPaletteCount / 2; a++) {
      const std::vector<uint32_t> p = mk::playerPalette(looks()[static_cast<size_t>(a)]);
      ASSERT_EQ(static_cast<int>(p.size()), kPlayerPaletteColours);
      EXPECT_EQ(p[0], 0x00FF00FFu);
      EXPECT_EQ(p[1], 0x81000000u);
      EXPECT_EQ(p[32], 0xFFCF7F38u);
      EXPECT_EQ(p[33], 0xFFAB5A12u);
      EXPECT_TRUE(seen.insert(outfitOf(p)).second) << "avatar " << a;
    }
  }
}

// The painter's colour groups are the game's colour-group ranges, and each group sprite
// has a palette for every choice the career's look offers (a colour of looks.txt each) and
// the white suit.
TEST(PlayerArt, TheGroupSpritesCoverTheGamesRangesAndChoices) {
  std::string source, error;
  ASSERT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/arrays.txt", &source, &error)) << error;
  std::vector<mk::ArraySourceTable> tables;
  ASSERT_TRUE(mk::readArraySource(source, &tables, &error)) << error;
  ASSERT_EQ(tables.size(), static_cast<size_t>(kArrayTableCount));
  const auto table = [&](const std::string& name) -> const mk::ArrayLevel& {
    size_t i = 0;
    while (i + 1 < tables.size() && kArrayTables[i].name != name) i++;
    return tables[i].values;
  };
  const mk::Shades* groups[kColourGroupCount] = {&mk::kHairShades, &mk::kShirtShades, &mk::kShortsShades,
                                                 &mk::kSockShades, &mk::kShoeShades, &mk::kBandShades,
                                                 &mk::kRacketShades};
  const mk::ArrayLevel& ranges = table("colourGroupRanges");
  const mk::ArrayLevel& options = table("lookItemOptions");
  const mk::ArrayLevel& white = table("whiteSuitColours");
  ASSERT_EQ(ranges.rows.size(), static_cast<size_t>(kColourGroupCount));
  mk::CareerChoices choices;
  ASSERT_TRUE(mk::loadCareerChoices(mk::defaultDataDir(), &choices, &error)) << error;
  for (int g = 0; g < kColourGroupCount; g++) {
    EXPECT_EQ(options.rows[g].values.size(), choices.colours[g].size()) << "group " << g;
    EXPECT_EQ(ranges.rows[g].values[0], groups[g]->index[0]) << g;
    EXPECT_EQ(ranges.rows[g].values[1], groups[g]->count) << g;
    int64_t most = 0;
    for (int64_t v : options.rows[g].values) most = std::max(most, v);
    EXPECT_LT(most, kColourGroupPalettes) << g;
    EXPECT_LT(white.values[g], kColourGroupPalettes) << g;
  }
}

class PlayerPalettesTest : public DeviceTest {};

// The game builds a main tournament's palettes from the group sprites of the art: its
// players wear white shirts, shorts and socks whatever their outfit.
TEST_F(PlayerPalettesTest, AMainTournamentDressesEveryAvatarInWhite) {
  RuntimeTest::TearDown();
  replaceBar(shippedArchive("EN", mk::DataStyle::kArt).build());
  RuntimeTest::SetUp();
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CGame::initArrays();
  CGame::Lib_Close();
  CGame::colourSprites = Array::newObjectArray(ASprite::kClassId, kColourGroupCount);
  for (int32_t g = 0; g < kColourGroupCount; g++) {
    ASprite* sprite = CGame::loadSprite(StaticClass::getConstant(kConstColourPack), false, g, true);
    astore(CGame::colourSprites.get(), g, sprite);
  }
  ASprite* outfits = CGame::loadSprite(StaticClass::getConstant(kConstColourPack), false, kPlayerPaletteSprite, true);
  ASSERT_FALSE(isNull(outfits));
  ASSERT_GE(outfits->paletteCount, kPlayerPaletteCount);
  for (int32_t avatar : {0, 7, 18, 34}) {
    IntArray* dressed = CGame::buildPlayerPalette(outfits->getPalette(avatar), CGame::whiteSuitColours,
                                                  CGame::whiteSuitGroups);
    ASSERT_FALSE(isNull(dressed));
    for (const mk::Shades* part : {&mk::kShirtShades, &mk::kShortsShades, &mk::kSockShades}) {
      const uint32_t c = static_cast<uint32_t>(aload(dressed, part->index[part->count / 2]));
      for (int shift : {0, 8, 16}) EXPECT_GE(c >> shift & 0xFF, 0xE0u) << avatar << " colour " << int{part->index[0]};
    }
  }
}

}  // namespace
}  // namespace sorv::test
