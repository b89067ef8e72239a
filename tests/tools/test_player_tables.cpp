// The players' tables of the data set, read back the way the game boots: their shapes, the
// ranges their readers rely on, and the timing rows that match the animations they time.
#include <gtest/gtest.h>

#include <string>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/game_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::test {
namespace {

class PlayerTablesTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    mkdata::ArchiveWriter archive;
    std::string error;
    ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN")) << error;
    RuntimeTest::TearDown();
    replaceBar(archive.build());
    RuntimeTest::SetUp();
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CGame::initArrays();
    CGame::Lib_Close();
  }
  template <class A>
  static A* row(Object* table, int32_t i) {
    return static_cast<A*>(static_cast<ObjectArray*>(table)->elements()[i]);
  }
  static void expectIntGrid(ObjectArray* t, int32_t rows, int32_t cols, int32_t lo, int32_t hi, const char* name) {
    ASSERT_FALSE(isNull(t)) << name;
    ASSERT_EQ(t->length, rows) << name;
    for (int32_t r = 0; r < rows; r++) {
      IntArray* values = row<IntArray>(t, r);
      ASSERT_EQ(values->length, cols) << name << " row " << r;
      for (int32_t c = 0; c < cols; c++) {
        EXPECT_GE(values->elements()[c], lo) << name << " " << r << "," << c;
        EXPECT_LE(values->elements()[c], hi) << name << " " << r << "," << c;
      }
    }
  }
};

TEST_F(PlayerTablesTest, AttributeAndSpeedTablesHaveTheirShapesAndRanges) {
  expectIntGrid(CPlayer::rosterAttr, 36, 5, 1, 100, "rosterAttr");
  expectIntGrid(CPlayer::npcAbilityBase, 36, 5, 1, 100, "npcAbilityBase");
  expectIntGrid(CPlayer::npcAttrBonus, 3, 5, -4, 4, "npcAttrBonus");
  expectIntGrid(CPlayer::npcAbilityBonus, 3, 5, -4, 4, "npcAbilityBonus");
  expectIntGrid(CPlayer::moveScale1, 3, 5, 1, 100, "moveScale1");
  expectIntGrid(CPlayer::moveScale2, 3, 5, 1, 100, "moveScale2");
  expectIntGrid(CPlayer::startUpTimes, 4, 5, 1, 100, "startUpTimes");
  ShortArray* speeds[] = {CPlayer::runSpeedSide, CPlayer::runSpeedForward, CPlayer::runSpeedBack,
                          CPlayer::runSpeedDiagForward, CPlayer::runSpeedDiagBack,
                          CPlayer::runDistanceForward, CPlayer::runDistanceBack};
  for (ShortArray* s : speeds) {
    ASSERT_FALSE(isNull(s));
    ASSERT_EQ(s->length, 5);
    for (int32_t i = 0; i < 5; i++) EXPECT_GT(s->elements()[i], 0);
  }
  // A run's start-up rows never shrink, so a later turn finds a later row; a run counts from
  // 3 frames, so row 0 must reach 3 for a quick turn to skip the brake.
  for (int32_t c = 0; c < 5; c++) {
    EXPECT_GE(row<IntArray>(CPlayer::startUpTimes, 0)->elements()[c], 3);
    for (int32_t r = 1; r < 4; r++) {
      EXPECT_GE(row<IntArray>(CPlayer::startUpTimes, r)->elements()[c], row<IntArray>(CPlayer::startUpTimes, r - 1)->elements()[c]);
    }
  }
}

TEST_F(PlayerTablesTest, StrokeAndAimTablesHaveTheirShapesAndRanges) {
  IntArray* fives[] = {CPlayer::aimSide, CPlayer::aimDepth, CPlayer::aimSpread, CPlayer::serveSpeedBase,
                       CPlayer::serveSpeedTop, CPlayer::flatSpeed, CPlayer::normalSpeedTop,
                       CPlayer::normalSpeedLow, CPlayer::kind4SpeedTop, CPlayer::kind4SpeedLow,
                       CPlayer::kind1SpeedTop, CPlayer::kind1SpeedLow, CPlayer::stroke3Base,
                       CPlayer::stroke3Percent, CPlayer::stroke4Base, CPlayer::stroke4Percent,
                       CPlayer::stroke5Base, CPlayer::stroke5Percent};
  for (IntArray* t : fives) {
    ASSERT_FALSE(isNull(t));
    ASSERT_EQ(t->length, 5);
    for (int32_t i = 0; i < 5; i++) EXPECT_GT(t->elements()[i], 0);
  }
  for (int32_t i = 0; i < 5; i++) {
    EXPECT_GT(CPlayer::serveSpeedTop->elements()[i], CPlayer::serveSpeedBase->elements()[i]);
    EXPECT_GE(CPlayer::normalSpeedTop->elements()[i], CPlayer::normalSpeedLow->elements()[i]);
  }
  // The serve's charge reaches at most the meter's middle frame.
  IntArray* charge = CPlayer::serveChargeFactor;
  ASSERT_GT(charge->length, (kServeMeterFrames + 1) / 2 - 1);
  for (int32_t i = 1; i < charge->length; i++) EXPECT_GE(charge->elements()[i], charge->elements()[i - 1]);
  EXPECT_LE(charge->elements()[charge->length - 1], 100);
  ObjectArray* release = CPlayer::releaseSpeedTable;
  ASSERT_EQ(release->length, 5);
  for (int32_t r = 0; r < 5; r++) {
    IntArray* values = row<IntArray>(release, r);
    EXPECT_GE(values->length, 6);
    for (int32_t i = 0; i < values->length; i++) EXPECT_GT(values->elements()[i], -100);
  }
  IntArray* reach = CPlayer::reachKind;
  ASSERT_EQ(reach->length, RigidBody::kRoutePoints + 1);
  EXPECT_EQ(reach->elements()[reach->length - 1], 0);
  // A ball that bounces low has no route points between its two landings: it is still in
  // play when it reaches a player before the second one.
  EXPECT_GT(reach->elements()[RigidBody::kRoutePoints - 2], 0);
  for (int32_t i = 0; i < reach->length; i++) {
    EXPECT_GE(reach->elements()[i], 0);
    EXPECT_LE(reach->elements()[i], 6);
  }
}

TEST_F(PlayerTablesTest, TimingRowsAreAsLongAsTheAnimationsTheyTime) {
  ObjectArray* brakes = CPlayer::brakingTable;
  ASSERT_EQ(brakes->length, 3);
  ASprite* running = CGame::loadSprite(StaticClass::getConstant(kConstRunningUser), false, 0, true);
  ASSERT_FALSE(isNull(running));
  for (int32_t court = 0; court < 3; court++) {
    ObjectArray* rows = row<ObjectArray>(brakes, court);
    ASSERT_EQ(rows->length, 4);
    for (int32_t k = 0; k < 4; k++) {
      ObjectArray* columns = row<ObjectArray>(rows, k);
      ASSERT_EQ(columns->length, 5);
      for (int32_t c = 0; c < 5; c++) {
        ByteArray* durations = row<ByteArray>(columns, c);
        for (int32_t anim = kBrakeAnimFirst; anim <= kBrakeAnimLast; anim++) {
          EXPECT_EQ(durations->length, running->GetAFrames(anim)) << court << "," << k << "," << c;
        }
        for (int32_t f = 0; f < durations->length; f++) EXPECT_GE(durations->elements()[f], 1);
      }
    }
  }
  ASprite* strokes = CGame::loadSprite(StaticClass::getConstant(kConstStrokesUser), false, 0, true);
  ASSERT_FALSE(isNull(strokes));
  // Row r times a swing started r frames before the ball arrives: the frames before the
  // contact frame (6) last r frames together (at least one, or the contact is skipped), so
  // the racket meets the ball instead of swinging after it has gone.
  constexpr int32_t kContactFrame = 6;
  for (ObjectArray* swing : {CPlayer::swingTable1.get(), CPlayer::swingTable2.get()}) {
    // The computer's shortened table keeps at least one row at every level.
    ASSERT_GT(swing->length, 9);
    for (int32_t r = 0; r < swing->length; r++) {
      ByteArray* durations = row<ByteArray>(swing, r);
      for (int32_t anim = 0; anim < kStrokeAnims; anim++) EXPECT_EQ(durations->length, strokes->GetAFrames(anim)) << r;
      ASSERT_GT(durations->length, kContactFrame);
      int32_t toContact = 0;
      for (int32_t f = 0; f < kContactFrame; f++) {
        EXPECT_GE(durations->elements()[f], 0) << r;
        toContact += durations->elements()[f];
      }
      EXPECT_EQ(toContact, r < 1 ? 1 : r) << r;
      for (int32_t f = kContactFrame; f < durations->length; f++) EXPECT_GE(durations->elements()[f], 1) << r;
    }
  }
}

}  // namespace
}  // namespace sorv::test
