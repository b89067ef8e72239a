// The state machine: switch, push and pop with their messages and guards, the per-frame
// order of paint and update, and the small states of the boot road.
#include <filesystem>

#include "match/ctennis.h"
#include "runtime/string.h"
#include "tests/game/boot_fixture.h"

namespace sorv::test {

// A match that ends at once with the given state.
class EndingMatch : public CTennis {
 public:
  static inline int32_t result = -1;
  int32_t update() override { return result; }
};

namespace {

class StateTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    tracePath_ = (base_ / "trace.txt").string();
    platform::setTracePath(tracePath_);
  }
  void TearDown() override {
    platform::setTracePath("");
    BootTest::TearDown();
  }
  std::string traced() const { return readText(tracePath_); }
  static std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }
  std::string tracePath_;
};

TEST_F(StateTest, PushOverAMatchSendsEnterOnlyAndPopExitOnly) {
  CGame::SWITCH_STATE(40);
  EXPECT_EQ(CTennis::matchEnterField, 3) << "the match state's enter ran";
  CTennis::matchEnterField = 0;
  CGame::PUSH_STATE(42);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 42);
  EXPECT_EQ(CGame::GET_LAST_STATE(), 40);
  CGame::POP_STATE();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 40);
  EXPECT_EQ(aload(CGame::stateStack.get(), 1), -1);
  EXPECT_EQ(CTennis::matchEnterField, 0) << "the uncovered state gets no enter";
  EXPECT_EQ(traced(), "state 1 -> 40 switch\nstate 40 -> 42 push\nstate 42 -> 40 pop\n");
}

TEST_F(StateTest, ASwitchSendsExitToTheOldStateAndClearsTheKeys) {
  setState(6);
  CGame::leftSoftKeyOff = true;
  CGame::keysHeld = 0x20;
  CGame::SWITCH_STATE(kNoHandlerState);
  EXPECT_FALSE(CGame::leftSoftKeyOff) << "state 6's exit ran";
  EXPECT_EQ(CGame::keysHeld, 0);
  EXPECT_TRUE(CGame::repaintAll);
  EXPECT_EQ(CGame::stateTop, 0);
}

TEST_F(StateTest, TheStackRefusesANinthStateAndPoppingTheBottom) {
  LogCapture log;
  for (int32_t s = 13; s < 20; s++) CGame::PUSH_STATE(s);
  EXPECT_EQ(CGame::stateTop, 7);
  CGame::PUSH_STATE(25);
  EXPECT_EQ(CGame::stateTop, 7);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 19);
  EXPECT_TRUE(log.contains("PUSH_STATE(25): the state stack is full"));
  for (int i = 0; i < 7; i++) CGame::POP_STATE();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNoHandlerState);
  EXPECT_EQ(CGame::GET_LAST_STATE(), -1);
  CGame::POP_STATE();
  EXPECT_EQ(CGame::stateTop, 0);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNoHandlerState) << "the boot state does not run again";
  EXPECT_TRUE(log.contains("POP_STATE: no state under state 1"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(StateTest, StatesAndMessagesOutsideTheTableDoNothing) {
  LogCapture log;
  for (int32_t state : {-1, 1, 7, 13, 25, 45, 59, 65, 1000}) {
    for (int32_t message : {-1, 0, 1, 2, 3, 4}) CGame::SM_GS_update(state, message);
  }
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNoHandlerState);
}

TEST_F(StateTest, AStateEnteredInThePaintGetsItsUpdateTheSameFrame) {
  EndingMatch::result = 2;
  CGame::matchObject = newObject<EndingMatch>();
  setState(40);
  CGame::soundCountdown = 3;
  CGame::UPDATE_MACHINE();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 2);
  EXPECT_EQ(CGame::soundCountdown, 2) << "state 2's update ran in this frame";
  EXPECT_TRUE(isNull(CGame::matchObject)) << "the match was taken down";
}

TEST_F(StateTest, AMatchEndingInTheCurrentStateIsTakenDownWithoutASwitch) {
  EndingMatch::result = 40;
  CGame::matchObject = newObject<EndingMatch>();
  setState(40);
  CGame::updateGame();
  EXPECT_TRUE(isNull(CGame::matchObject));
  EXPECT_EQ(traced(), "");
}

TEST_F(StateTest, TheSoundQuestionLeavesTenFramesAfterTheAnswer) {
  setState(2);
  CGame::keyInputOn = true;
  CGame::gameCanvas->keyPressed('2');
  frame();
  EXPECT_EQ(CGame::choiceIndex, 1) << "a toggle key moves the answer";
  CGame::gameCanvas->keyPressed('5');
  frame();
  EXPECT_EQ(aload(CGame::optionValues.get(), 0), 1) << "the confirmed answer is the option";
  for (int i = 0; i < 9; i++) {
    frame();
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), 2) << i;
  }
  frame();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 63);
  EXPECT_EQ(CGame::loadingStep, 5);
}

TEST_F(StateTest, TheMainMenuResetsTheSelections) {
  CGame::playerSlots[3] = 7;
  CGame::SWITCH_STATE(5);
  EXPECT_EQ(CGame::mainMenuCode, 5) << "no promotion screen";
  EXPECT_EQ(CGame::playerSlots[3], -1);
}

}  // namespace
}  // namespace sorv::test
