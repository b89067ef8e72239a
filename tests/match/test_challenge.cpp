// The user's challenge of an out call. On the rules alone: the offer's time, declining, and the
// count of challenges across pauses. On a loaded match, frame by frame: the user's player
// gestures at the net for the review's frames, the replay shows after the black bars, the
// verdict from the 24th frame on, and play resumes with the reviewed call.
#include "device/graphics.h"
#include "device/image.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"
#include "tests/match/rules_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {
namespace {

constexpr int32_t kKeyZero = 1;

// The user's third stroke landed 150 long: called out, challenge offered.
void offer() {
  CTennis::rallyStrokes = 3;
  CTennis::strikeSide = false;
  CTennis::deadBallReason = 0;
  CTennis::setBallInRect(1, 0, 3, 2);
  CTennis::isBallOut(9085, 0, 6205);
  CTennis::initContestReferee(9085, 6205);
}

class ChallengeTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);
    CTennis::ball = newObject<RigidBody>();
    offer();
  }
  static void frame(int32_t keys = 0) {
    CGame::keysPressed = keys;
    CTennis::matchFrame++;
    CTennis::updateContestReferee();
    CGame::keysPressed = 0;
  }
};

TEST_F(ChallengeTest, IdleOfferLetsTheOutCallStand) {
  EXPECT_EQ(CTennis::matchState, 12);
  for (int i = 0; i < 20; i++) frame();
  EXPECT_EQ(CTennis::matchState, 12);
  EXPECT_EQ(CTennis::deadBallReason, 0);
  frame();
  EXPECT_EQ(CTennis::matchState, 5);
  EXPECT_EQ(CTennis::deadBallReason, CTennis::kReasonOut);
  EXPECT_EQ(points(1), 1);
  EXPECT_EQ(CTennis::challengesLeft, 3);
  EXPECT_TRUE(CTennis::challengeReplay);
}

TEST_F(ChallengeTest, TheRightSoftKeyDeclines) {
  frame(CGame::kKeySoftRight);
  EXPECT_EQ(CTennis::matchState, 12);
  frame();
  EXPECT_EQ(CTennis::matchState, 5);
  EXPECT_EQ(CTennis::deadBallReason, CTennis::kReasonOut);
  EXPECT_EQ(CTennis::challengesLeft, 3);
}

// Without loaded sprites the user's player has no gesture to play: the review cannot wait for
// its end and closes on the next frame rather than hold the match for ever.
TEST_F(ChallengeTest, APlayerWithNothingToPlayDoesNotHoldTheReview) {
  frame(kKeyZero);
  ASSERT_TRUE(CTennis::challengeDecided);
  frame();
  EXPECT_EQ(CTennis::matchState, 5);
  EXPECT_FALSE(CTennis::challengeDecided);
}

TEST_F(ChallengeTest, APauseOverTheMatchKeepsTheCount) {
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, 4);
  CGame::SWITCH_STATE(40);
  EXPECT_EQ(CTennis::challengesLeft, 3);
  CTennis::challengesLeft = 1;
  CGame::PUSH_STATE(42);
  CGame::POP_STATE();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 40);
  EXPECT_EQ(CTennis::challengesLeft, 1);
}

// A loaded singles match on the hard court at its first serve, put in play with the user's
// ball just called out and the challenge offered; whole match frames drawn into the back buffer.
class ChallengeScene : public CourtTest {
 protected:
  static constexpr int32_t kVerdictItem = 18, kVerdictPalette = 3, kVerdictRise = 32;
  static constexpr uint32_t kScratchKey = 0x123456;

  void SetUp() override {
    CourtTest::SetUp();
    startMatch(0, 1);
    for (int i = 0; i < 400 && CTennis::matchState != CTennis::kStateServing; i++) frame();
    ASSERT_EQ(CTennis::matchState, CTennis::kStateServing);
    offerAgain();
  }

  static void offerAgain() {
    CTennis::matchState = CTennis::kStatePlaying;
    RigidBody* b = CTennis::ball;
    b->setX(9085);
    b->setZ(6205);
    b->vx = 800;
    b->vz = -9000;
    offer();
  }
  static int32_t press(int32_t keys) {
    CGame::keysPressed = keys;
    const int32_t result = frame();
    CGame::keysPressed = 0;
    return result;
  }
  // Frames after the challenge until play resumes, at most `limit`; the count, or -1.
  static int framesUntilPlayResumes(int limit) {
    for (int f = 1; f <= limit; f++) {
      frame();
      if (CTennis::matchState == CTennis::kStatePlaying) return f;
    }
    return -1;
  }
  static int32_t reviewFrame() { return CTennis::matchFrame - CTennis::deadBallFrame; }

  // The verdict's frame as the effects sprite paints it on its own: every pixel it paints is
  // on the screen as painted.
  static bool verdictShown() {
    const int32_t layout = CTennis::courtLayoutMenu;
    ASprite* effects = CGame::MenuGetItemSprite(layout, kVerdictItem);
    if (isNull(effects)) return false;
    const int32_t frameId = CGame::GetMenuItemFrameID(layout, kVerdictItem) + (CTennis::challengeUpheld ? 1 : 0);
    const int32_t at = CGame::GetMenuItemPosition(layout, kVerdictItem);
    const int32_t x = static_cast<int16_t>(at & 0xFFFF) - CTennis::viewX;
    const int32_t y = static_cast<int16_t>(at >> 16) - CTennis::viewY - kVerdictRise;
    Image* scratch = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
    Graphics* g = scratch->getGraphics();
    g->setColor(static_cast<int32_t>(kScratchKey));
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    const int32_t palette = effects->GetCurrentPalette();
    effects->SetCurrentPalette(kVerdictPalette);
    effects->PaintFrame(g, frameId, x, y, 0, 0);
    effects->SetCurrentPalette(palette);
    int32_t painted = 0;
    for (int32_t j = 0; j < CGame::kGameHeight; j++) {
      for (int32_t i = 0; i < CGame::kGameWidth; i++) {
        const uint16_t p = pixel(scratch, i, j);
        if (p == rgb565(kScratchKey)) continue;
        painted++;
        if (pixel(CGame::backBuffer, i, j) != p) return false;
      }
    }
    return painted > 0;
  }
  // The replay's white frame down the inset's left edge, below its label and the verdict's
  // message box.
  static bool replayShown() {
    for (int32_t y = 100; y < 131; y++) {
      if (pixel(CGame::backBuffer, 689, y) != rgb565(0xFFFFFF)) return false;
    }
    return true;
  }
};

TEST_F(ChallengeScene, TheUserGesturesAtTheNetUntilPlayResumesWithTheReviewedCall) {
  ASSERT_EQ(CTennis::matchState, CTennis::kStateChallenge);
  const int32_t opponentsBefore = CTennis::points(1);
  press(kKeyZero);
  ASSERT_TRUE(CTennis::challengeDecided);
  CPlayer* user = CTennis::player;
  EXPECT_EQ(user->x, CTennis::courtEnd == 1 ? 4970 : 13200);
  EXPECT_EQ(user->z, 19300);
  EXPECT_EQ(user->animActor->animation, CTennis::courtEnd == 1 ? 11 : 12);
  EXPECT_EQ(user->animActor->sprite, CTennis::getPlayerSprite(true, user->look, 2));
  const bool upheld = CTennis::challengeUpheld;
  const int frames = framesUntilPlayResumes(200);
  // The gesture's frames, so the verdict had frames of its own before play went on.
  EXPECT_GT(frames, 24);
  EXPECT_LE(frames, kChallengeGestureTime + 2);
  EXPECT_FALSE(CTennis::challengeDecided);
  EXPECT_TRUE(CTennis::challengeReplay);
  EXPECT_EQ(user->z, 22300);
  EXPECT_EQ(user->prevZ, 22300);
  EXPECT_EQ(CTennis::deadBallReason, upheld ? 0 : CTennis::kReasonOut);
  EXPECT_EQ(CTennis::points(1) - opponentsBefore, upheld ? 0 : 1);
  EXPECT_EQ(logged("NullPointer"), 0u);
  EXPECT_EQ(logged("ArrayOutOfBound"), 0u);
  EXPECT_EQ(logged("transition table"), 0u);
}

TEST_F(ChallengeScene, TheReplayFollowsTheBarsAndTheVerdictShowsFromTheTwentyFourthFrame) {
  press(kKeyZero);
  ASSERT_TRUE(CTennis::challengeDecided);
  ASprite* effects = CGame::MenuGetItemSprite(CTennis::courtLayoutMenu, kVerdictItem);
  ASSERT_FALSE(isNull(effects));
  const int32_t palette = effects->GetCurrentPalette();
  int replays = 0, verdicts = 0;
  while (CTennis::matchState == CTennis::kStateChallenge && reviewFrame() < 60) {
    frame();
    if (CTennis::matchState != CTennis::kStateChallenge) break;
    const int32_t t = reviewFrame();
    const bool bars = CTennis::blackBarsRunning();
    EXPECT_EQ(replayShown(), !bars && t < 30) << t;
    EXPECT_EQ(verdictShown(), t >= 24) << t;
    EXPECT_EQ(effects->GetCurrentPalette(), palette) << t;
    replays += replayShown() ? 1 : 0;
    verdicts += verdictShown() ? 1 : 0;
  }
  EXPECT_GT(replays, 10);
  EXPECT_GT(verdicts, 10);
}

TEST_F(ChallengeScene, UpheldKeepsTheChallengeAFailedOneUsesItUp) {
  bool seen[2] = {false, false};
  for (int seed = 0; seed < 20 && !(seen[0] && seen[1]); seed++) {
    SCOPED_TRACE(seed);
    if (seed > 0) offerAgain();
    ASSERT_EQ(CTennis::matchState, CTennis::kStateChallenge);
    CTennis::challengesLeft = 3;
    CGame::random->setSeed(seed);
    press(kKeyZero);
    ASSERT_TRUE(CTennis::challengeDecided);
    const bool upheld = CTennis::challengeUpheld;
    EXPECT_EQ(CTennis::challengesLeft, upheld ? 3 : 2);
    ASSERT_GT(framesUntilPlayResumes(200), 24);
    EXPECT_EQ(CTennis::challengesLeft, upheld ? 3 : 2);
    seen[upheld ? 1 : 0] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1]);
}

TEST_F(ChallengeScene, TheRightSoftKeyCutsTheReviewShort) {
  press(kKeyZero);
  for (int i = 0; i < 5; i++) frame();
  ASSERT_EQ(CTennis::matchState, CTennis::kStateChallenge);
  const bool upheld = CTennis::challengeUpheld;
  press(CGame::kKeySoftRight);
  EXPECT_EQ(framesUntilPlayResumes(3), 1);
  EXPECT_EQ(CTennis::deadBallReason, upheld ? 0 : CTennis::kReasonOut);
  EXPECT_EQ(CTennis::player->z, 22300);
}

}  // namespace
}  // namespace sorv::test
