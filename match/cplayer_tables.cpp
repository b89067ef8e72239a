#include "match/cplayer.h"

namespace sorv {

StaticRef<ObjectArray> CPlayer::rosterAttr;
StaticRef<ObjectArray> CPlayer::npcAbilityBase;
StaticRef<ObjectArray> CPlayer::npcAttrBonus;
StaticRef<ObjectArray> CPlayer::npcAbilityBonus;
StaticRef<ShortArray> CPlayer::runSpeedSide;
StaticRef<ShortArray> CPlayer::runSpeedForward;
StaticRef<ShortArray> CPlayer::runSpeedBack;
StaticRef<ShortArray> CPlayer::runSpeedDiagForward;
StaticRef<ShortArray> CPlayer::runSpeedDiagBack;
StaticRef<ShortArray> CPlayer::runDistanceForward;
StaticRef<ShortArray> CPlayer::runDistanceBack;
StaticRef<ObjectArray> CPlayer::startUpTimes;
StaticRef<ObjectArray> CPlayer::brakingTable;
StaticRef<ObjectArray> CPlayer::moveScale1;
StaticRef<ObjectArray> CPlayer::moveScale2;
StaticRef<ObjectArray> CPlayer::releaseSpeedTable;
StaticRef<IntArray> CPlayer::aimSide;
StaticRef<IntArray> CPlayer::aimDepth;
StaticRef<IntArray> CPlayer::aimSpread;
StaticRef<IntArray> CPlayer::reachKind;
StaticRef<IntArray> CPlayer::serveSpeedBase;
StaticRef<IntArray> CPlayer::serveSpeedTop;
StaticRef<IntArray> CPlayer::serveChargeFactor;
StaticRef<IntArray> CPlayer::flatSpeed;
StaticRef<IntArray> CPlayer::normalSpeedTop;
StaticRef<IntArray> CPlayer::normalSpeedLow;
StaticRef<IntArray> CPlayer::kind4SpeedTop;
StaticRef<IntArray> CPlayer::kind4SpeedLow;
StaticRef<IntArray> CPlayer::kind1SpeedTop;
StaticRef<IntArray> CPlayer::kind1SpeedLow;
StaticRef<IntArray> CPlayer::stroke3PercentKind4;
StaticRef<IntArray> CPlayer::stroke3BaseKind4;
StaticRef<IntArray> CPlayer::stroke3PercentKind26;
StaticRef<IntArray> CPlayer::stroke3BaseKind26;
StaticRef<IntArray> CPlayer::stroke3Percent;
StaticRef<IntArray> CPlayer::stroke3Base;
StaticRef<IntArray> CPlayer::stroke4PercentKind4;
StaticRef<IntArray> CPlayer::stroke4BaseKind4;
StaticRef<IntArray> CPlayer::stroke4Percent;
StaticRef<IntArray> CPlayer::stroke4Base;
StaticRef<IntArray> CPlayer::stroke5PercentKind4;
StaticRef<IntArray> CPlayer::stroke5BaseKind4;
StaticRef<IntArray> CPlayer::stroke5Percent;
StaticRef<IntArray> CPlayer::stroke5Base;
StaticRef<ObjectArray> CPlayer::swingTable1;
StaticRef<ObjectArray> CPlayer::swingTable2;
StaticRef<ObjectArray> CPlayer::aiWeights;
StaticRef<IntArray> CPlayer::rallyLevelBonus;
StaticRef<ObjectArray> CPlayer::slipTrace;
int32_t CPlayer::slipTraceNext = 0;
bool CPlayer::slipTraceShown = false;
bool CPlayer::serveSideStep = false;

}  // namespace sorv
