// Mixed doubles: the women wear the second sprite of each kind, three slots on, in the colours
// of the one who wears it, whoever of a team was picked first; other categories never reach
// those slots.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kMen = 0, kWomen = 18;

class MixedDoubles : public CourtTest {
 protected:
  // A match loaded and started with these characters (user, rival, partner, rival's
  // partner), its players at their serve places.
  static void play(int32_t category, int32_t user, int32_t rival, int32_t partner, int32_t rivalPartner) {
    select(category, 1);
    CGame::playerChoice1 = user;
    CGame::playerChoice2 = rival;
    CGame::playerChoice3 = partner;
    CGame::playerChoice4 = rivalPartner;
    loadUntil(CTennis::kLoadingSteps);
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::startFormalMatch();
    CTennis::switchToServing();
  }
};

// The slot of the player's team table that holds the sprite its actor shows, -1 none.
int32_t shownSlot(CPlayer* p) {
  ObjectArray* table = p->userTeamSide ? CGame::actionSprites0.get() : CGame::actionSprites1.get();
  ASprite* shown = p->animActor->sprite;
  for (int32_t i = 0; !isNull(shown) && i < table->length; i++) {
    if (table->elements()[i] == shown) return i;
  }
  return -1;
}

bool wearsPalette(ASprite* s, int32_t character) {
  IntArray* expected = CGame::getPalyerPal(character);
  IntArray* got = isNull(s) ? nullptr : s->getPalette(0);
  if (isNull(got)) return false;
  for (int32_t c = 0; c < expected->length; c++) {
    if (got->elements()[c] != expected->elements()[c]) return false;
  }
  return true;
}

TEST_F(MixedDoubles, EachPlayerWearsTheSpriteOfItsGroupInItsOwnColours) {
  struct Case {
    const char* name;
    int32_t category;
    int32_t characters[4];  // user, partner, rival, rival's partner
    bool secondSprite[4];
  };
  const Case cases[] = {
      {"mixed, the men first", 4, {kMen, kWomen, kMen + 1, kWomen + 1}, {false, true, false, true}},
      {"mixed, a woman picked first", 4, {kWomen + 2, kMen + 2, kMen + 3, kWomen + 3}, {true, false, false, true}},
      {"women's doubles share the first sprites", 3, {kWomen, kWomen + 1, kWomen + 2, kWomen + 3}, {}},
      {"men's doubles", 1, {0, 1, 2, 3}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    play(c.category, c.characters[0], c.characters[2], c.characters[1], c.characters[3]);
    ASSERT_TRUE(CTennis::isDoubles);
    for (int i = 0; i < 4; i++) {
      CPlayer* p = i == 0 ? CTennis::player.get() : i == 1 ? CTennis::partner.get()
                   : i == 2                    ? CTennis::rival.get()
                                               : CTennis::rivalPartner.get();
      SCOPED_TRACE(i);
      ASSERT_FALSE(isNull(p));
      const int32_t offset = c.secondSprite[i] ? CTennis::kPartnerSlot : 0;
      for (int32_t kind = 0; kind < CTennis::kSpriteKinds; kind++) {
        ASprite* s = CTennis::getPlayerSprite(p->userTeamSide, p->rosterIndex, kind);
        EXPECT_FALSE(isNull(s)) << kind;
        EXPECT_EQ(s, slot(p->userTeamSide, kind + offset)) << kind;
        // The colours follow the sprite: in the other categories the first player's palette 0.
        if (c.category == 4) {
          EXPECT_TRUE(wearsPalette(s, c.characters[i])) << kind;
        }
      }
      const int32_t shown = shownSlot(p);
      ASSERT_NE(shown, -1) << "the serve places show an action sprite";
      EXPECT_EQ(shown >= CTennis::kPartnerSlot, c.secondSprite[i]) << shown;
    }
    if (c.category == 4) {
      EXPECT_NE(shownSlot(CTennis::player) >= 3, shownSlot(CTennis::partner) >= 3) << "a team of one of each";
    }
  }
}

// The special actions between points take the player's own sprite too.
TEST_F(MixedDoubles, ActionsAndStrokesKeepTheWomensSprite) {
  play(4, kMen, kMen + 1, kWomen, kWomen + 1);
  CPlayer* partner = CTennis::partner;
  partner->doSpecialAction(13);
  EXPECT_EQ(partner->animActor->sprite, slot(true, 2 + CTennis::kPartnerSlot));
  CPlayer* captain = CTennis::player;
  captain->doSpecialAction(13);
  EXPECT_EQ(captain->animActor->sprite, slot(true, 2));
  CPlayer* rivalPartner = CTennis::rivalPartner;
  rivalPartner->doSpecialAction(21);
  EXPECT_EQ(rivalPartner->animActor->sprite, slot(false, 2 + CTennis::kPartnerSlot));
}

TEST_F(MixedDoubles, TheSpriteLookUpStaysInsideItsTable) {
  play(4, kMen, kMen + 1, kWomen, kWomen + 1);
  struct Case {
    bool userTeam;
    int32_t character, kind, slot;  // slot -1: none
  };
  for (const Case c : {Case{true, 18, 0, 3}, Case{true, 17, 0, 0}, Case{false, 33, 2, 5}, Case{false, 0, 1, 1},
                       Case{true, 18, 3, -1}, Case{true, 0, -1, -1}, Case{false, 19, 6, -1}}) {
    ASprite* s = CTennis::getPlayerSprite(c.userTeam, c.character, c.kind);
    EXPECT_EQ(s, c.slot == -1 ? nullptr : slot(c.userTeam, c.slot)) << c.character << " " << c.kind;
  }
  CGame::matchSettings->elements()[0] = 1;
  EXPECT_EQ(CTennis::getPlayerSprite(true, 18, 0), slot(true, 0)) << "outside mixed doubles";
  CGame::actionSprites1 = nullptr;
  EXPECT_EQ(CTennis::getPlayerSprite(false, 18, 0), nullptr);
  EXPECT_EQ(logged("ArrayOutOfBound") + logged("NullPointer"), 0u);
}

}  // namespace
}  // namespace sorv::test
