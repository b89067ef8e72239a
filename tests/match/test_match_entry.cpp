// The match's start and the players' entry to the court, frame by frame through the match's
// own frame: the scroll runs by itself to the serve, each team walks in at its mark, the skip
// key ends the entry at once, and the attribute card's picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"
#include "tests/support/picture_file.h"

namespace sorv::test {
namespace {

using MatchEntry = CourtTest;

CActor* actorOf(CPlayer* p) { return isNull(p) ? nullptr : p->animActor; }

TEST_F(MatchEntry, TheEntryScrollsToTheServeByItselfInSinglesAndDoubles) {
  struct Case {
    int32_t category, court;
  };
  for (const Case c : {Case{0, 0}, Case{1, 3}, Case{2, 1}, Case{3, 2}}) {
    startMatch(c.category, c.court);
    ASSERT_EQ(CTennis::matchState, 1) << c.category;
    EXPECT_EQ(CTennis::viewX, 40);
    EXPECT_EQ(CTennis::viewY, -2);
    EXPECT_FALSE(CTennis::autoFollow);
    const int32_t anim = c.category == 2 || c.category == 3 ? 1 : 0;
    EXPECT_EQ(actorOf(CTennis::player)->sprite, CTennis::introSprite.get());
    EXPECT_EQ(actorOf(CTennis::player)->animation, anim);
    int32_t rivalFrame = -1, userFrame = -1, frames = 0;
    while (CTennis::matchState == 1 && frames < 200) {
      const int32_t before = CTennis::viewX;
      frame();
      frames++;
      if (rivalFrame < 0 && before >= 32 && CTennis::viewX < 32) rivalFrame = frames;
      if (userFrame < 0 && before >= 16 && CTennis::viewX < 16) {
        userFrame = frames;
        EXPECT_FALSE(isNull(CTennis::attrCardUser)) << c.category;
        EXPECT_EQ(isNull(CTennis::attrCardPartner), !CTennis::isDoubles) << c.category;
      }
    }
    // 40 steps across, then 22 down from -2 to 20.
    EXPECT_EQ(frames, 62) << c.category;
    EXPECT_EQ(rivalFrame, 9);
    EXPECT_EQ(userFrame, 25);
    EXPECT_EQ(CTennis::matchState, 2);
    EXPECT_TRUE(CTennis::autoFollow);
    EXPECT_EQ(CTennis::viewX, CTennis::viewBaseX);
    for (CPlayer* p : {CTennis::player.get(), CTennis::rival.get(), CTennis::partner.get(), CTennis::rivalPartner.get()}) {
      if (!isNull(p)) {
        EXPECT_NE(actorOf(p)->sprite, CTennis::introSprite.get()) << c.category;
        EXPECT_FALSE(isNull(actorOf(p)->sprite)) << "the player stands in its own sprite";
      }
    }
    EXPECT_EQ(CTennis::enterCourtRivalFrames, 0);
    EXPECT_EQ(CTennis::enterCourtUserFrames, 0);
    EXPECT_EQ(logged("NullPointer"), 0u);
  }
}

TEST_F(MatchEntry, EachTeamWalksInAtItsMark) {
  startMatch(1, 0);
  CActor* user = actorOf(CTennis::player);
  CActor* rival = actorOf(CTennis::rival);
  // The opponents hold their last frame until their mark restarts them without holding.
  EXPECT_EQ(rival->loopFrame, CTennis::introSprite->GetAFrames(0) - 1);
  while (CTennis::viewX >= 32) frame();
  EXPECT_EQ(rival->loopFrame, -1);
  EXPECT_GT(CTennis::enterCourtRivalFrames, 0);
  EXPECT_EQ(CTennis::enterCourtUserFrames, 0);
  while (CTennis::viewX >= 16) frame();
  EXPECT_EQ(user->loopFrame, -1);
  EXPECT_GT(CTennis::enterCourtUserFrames, 0);
  // The partners enter with their teams.
  EXPECT_EQ(actorOf(CTennis::partner)->sprite, CTennis::introSprite.get());
  EXPECT_EQ(actorOf(CTennis::rivalPartner)->sprite, CTennis::introSprite.get());
}

TEST_F(MatchEntry, TheSkipKeyServesOnTheNextFrameWithoutDrawing) {
  startMatch(0, 1);
  for (int32_t i = 0; i < 5; i++) frame();
  CTennis::rightSoftKeyText = 17;
  CGame::keysPressed = CGame::kKeySoftRight;
  frame();
  CGame::keysPressed = 0;
  EXPECT_TRUE(CTennis::skipRequested);
  EXPECT_EQ(CTennis::matchState, 1);
  clearBackBuffer(0x123456);
  frame();
  EXPECT_EQ(CTennis::matchState, 2);
  EXPECT_FALSE(CTennis::skipRequested);
  EXPECT_TRUE(backBufferIs(0x123456));
  EXPECT_NE(actorOf(CTennis::player)->sprite, CTennis::introSprite.get());
}

TEST_F(MatchEntry, StartFormalMatchByChoiceAndResume) {
  struct Case {
    int32_t category, choice;
    bool resumed;
    int32_t result, state, players;
  };
  for (const Case c : {Case{0, 1, false, -1, 1, 2}, Case{1, 1, false, -1, 1, 4}, Case{4, 1, false, -1, 1, 4},
                       Case{0, 6, false, 4, 0, 2}, Case{1, 1, true, -1, 2, 4}}) {
    loadAll(c.category, 0);
    CGame::mainMenuChoice = c.choice;
    CTennis::matchState = 0;
    if (c.resumed) CTennis::resumedServer = CTennis::rival;
    EXPECT_EQ(CTennis::startFormalMatch(), c.result) << c.category << " " << c.choice;
    EXPECT_EQ(CTennis::matchState, c.state) << c.category << " " << c.choice;
    EXPECT_EQ(CTennis::playerCount, c.players);
    EXPECT_TRUE(isNull(CTennis::resumedServer));
    if (c.resumed) {
      EXPECT_EQ(CTennis::server.get(), CTennis::rival.get());
    }
    if (c.players == 4) {
      EXPECT_TRUE(CTennis::partner->userTeamSide);
      EXPECT_FALSE(CTennis::rivalPartner->userTeamSide);
      EXPECT_EQ(CTennis::partner->rosterIndex, CGame::playerChoice3);
      EXPECT_EQ(CTennis::rivalPartner->rosterIndex, CGame::playerChoice4);
    }
  }
}

// The shell asks the loader once more after its last step; the match starts only once, and
// only once the loading screen has been shown.
TEST_F(MatchEntry, TheLoaderStartsTheMatchOnceWhateverTheCallsAfterItsLastStep) {
  for (const int32_t category : {0, 1}) {
    select(category, 0);
    CTennis::matchState = 0;
    loadUntil(CTennis::kLoadingSteps - 1);
    EXPECT_EQ(CTennis::Loading(), -1);
    EXPECT_EQ(CTennis::matchState, 0) << "not shown yet";
    CGame::loadingShown = true;
    for (int32_t call = 0; call < 3; call++) EXPECT_EQ(CTennis::Loading(), -1);
    EXPECT_EQ(CTennis::matchState, 1) << category;
    EXPECT_EQ(CTennis::playerCount, category == 1 ? 4 : 2);
    EXPECT_EQ(logged("ArrayOutOfBound"), 0u) << category;
  }
}

// The gate drawn again over the walking players lies on the gate the court image holds,
// wherever the entry's scroll has moved the view.
TEST_F(MatchEntry, TheGatesCoverStaysOnTheCourtsGateAsTheViewScrolls) {
  startMatch(0, 0);
  const int32_t layout = CTennis::courtLayoutMenu;
  constexpr int32_t kGateItem = 3, kKey = 0x00FF00FF;
  Image* gate = Image::createImage(CTennis::courtImage->getWidth(), CTennis::courtImage->getHeight());
  Graphics* g = gate->getGraphics();
  g->setColor(kKey);
  g->fillRect(0, 0, gate->getWidth(), gate->getHeight());
  Graphics* previous = CGame::GetMenuGfx();
  CGame::SetMenuGfx(g);
  CGame::DrawFrameAsItem(CGame::GetMenuItemFrameID(layout, kGateItem), -2, layout, kGateItem, false);
  CGame::SetMenuGfx(previous);
  for (int32_t n = 0; n < 12; n++) frame();
  ASSERT_EQ(CTennis::matchState, 1);
  ASSERT_NE(CTennis::viewX, 0) << "the view has not scrolled to where it tells";
  int32_t compared = 0, moved = 0;
  for (int32_t y = 0; y < gate->getHeight(); y++) {
    for (int32_t x = 0; x < gate->getWidth(); x++) {
      if (pixel(gate, x, y) == rgb565(kKey)) continue;
      const int32_t sx = x - CTennis::viewX, sy = y - 32 - CTennis::viewY;
      if (sx < 0 || sy < 0 || sx >= CGame::kGameWidth || sy >= CGame::kGameHeight) continue;
      compared++;
      moved += pixel(CGame::backBuffer, sx, sy) != pixel(CTennis::courtImage, x, y);
    }
  }
  EXPECT_GT(compared, 100);
  EXPECT_EQ(moved, 0);
}

// The hidden sequences start afresh in every match: keys typed as the last match ended, and a
// match won by a sequence the last match no longer claimed, are gone.
TEST_F(MatchEntry, AHalfTypedOrUnclaimedSequenceDoesNotCarryIntoTheNextMatch) {
  constexpr int32_t k0 = 1, k1 = 2, k2 = 4;
  constexpr int32_t kUserWins = 1, kRivalWins = 2;
  auto type = [](int32_t keys) {
    CGame::keysPressed = keys;
    const bool userWins = CGame::Game_updateCheat(kUserWins);
    CGame::Game_updateCheat(kRivalWins);
    CGame::keysPressed = 0;
    return userWins;
  };
  startMatch(0, 0);
  for (int32_t key : {k0, k0, k0, k2}) type(key);
  ASSERT_TRUE(CGame::Game_isCheatValid(kRivalWins));
  for (int32_t n = 0; n < 3; n++) type(k0);
  startMatch(0, 0);
  EXPECT_FALSE(CGame::Game_isCheatValid(kRivalWins)) << "the last match's win is still owed";
  std::vector<bool> done;
  for (int32_t key : {k0, k0, k0, k1}) done.push_back(type(key));
  EXPECT_EQ(done, (std::vector<bool>{false, false, false, true})) << "the last match's keys count in this one";
}

TEST_F(MatchEntry, TheAttributeCardIsTheSamePictureOnTheSameData) {
  startMatch(0, 0);
  Image* user = CTennis::createPlayerAttrImage(CTennis::player, nullptr);
  Image* rival = CTennis::createPlayerAttrImage(CTennis::rival, nullptr);
  ASSERT_FALSE(isNull(user));
  EXPECT_EQ(user->getWidth(), 196);
  EXPECT_EQ(user->getHeight(), 73);
  // The team's colour shows at the edge, the panel's inside.
  EXPECT_EQ(pixel(user, 0, 0), rgb565(0x189CEF));
  EXPECT_EQ(pixel(rival, 0, 0), rgb565(0xB80000));
  // The face stays inside its own panel: the values' panel shows its colour.
  EXPECT_EQ(pixel(user, 100, 60), rgb565(0x98A5A5));
  EXPECT_EQ(pixel(user, 40, 60), rgb565(0x98A5A5));
  EXPECT_EQ(pixel(user, 100, 10), rgb565(0x5C5C5C));
  // The same card drawn again into the same image is the same picture.
  const uint64_t first = pictureHash(user);
  savePicture(user, "match_entry", "attribute-card.png");
  EXPECT_EQ(CTennis::createPlayerAttrImage(CTennis::player, user), user);
  EXPECT_EQ(pictureHash(user), first);
  EXPECT_NE(pictureHash(rival), first);
  EXPECT_EQ(first, kAttrCardHash) << std::hex << first;
}

}  // namespace
}  // namespace sorv::test
