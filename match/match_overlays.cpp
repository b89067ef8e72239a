// What the match draws over its scene: the call and the score after a dead ball, the score
// panel, the break-point box, the reward words, the continue question, the boards' values,
// the serve-speed panel's hiding and the serve set-up. Each routine first runs its state steps (timers, clearing what it showed),
// which decide what this frame shows, then draws that.
#include "device/graphics.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CTennis::messageStep = 0;
int32_t CTennis::messageDeadBall = 0;

namespace {

constexpr int32_t kPlaying = 5, kChallengeState = 12;
constexpr int32_t kStepIdle = 0, kStepCall = 1, kStepScoreArmed = 2, kStepScore = 3;
constexpr int32_t kCallThenScore = 12, kCallAlone = 26, kScoreFrames = 19, kDecidedFrames = 28;
constexpr int32_t kChallengeScoreFrames = 19;
constexpr int32_t kCallOut = 10;
constexpr int32_t kScorePointsCall = -2;
constexpr int32_t kGameText = 24, kSetText = 25, kAndMatchText = 19;
constexpr int32_t kAdvantageCall = 9, kDeuceCall = 18;
constexpr int32_t kJoiner = 76;  // a space
constexpr int32_t kScoreSeparatorLang3 = 89, kScoreSeparator = 90;
// Announcements: love, 15, 30, 40 by points; "all", advantage, deuce, game, set, match.
constexpr int32_t kPointSounds[4] = {15, 16, 17, 18};
constexpr int32_t kSoundAll = 19, kSoundAdvantage = 7, kSoundDeuce = 8;
constexpr int32_t kSoundGame = 10, kSoundSet = 12, kSoundMatch = 13;
constexpr int32_t kCentreAnchor = 272, kTopCentre = 16;

constexpr int32_t kBreakPointFrames = 19, kBreakPointCloseAt = 5;
constexpr int32_t kKeyFive = 1 << 5;
constexpr int32_t kBandKind = 2;
constexpr int32_t kBandWhite = 0xFFFFFF, kBandBlue = 0x331FB7;
constexpr int32_t kIconBlue = 27, kIconRed = 28;

constexpr int32_t kRewardDelay = 5, kRewardPeriod = 9, kRewardOn = 6;
constexpr int32_t kRewardFlags = 785 & ~0xF, kRewardWidth = 272;

constexpr int32_t kQueryBand = static_cast<int32_t>(0xB2331FB7u);
// The continue question's small line stands on the bands below the net, whose mesh would run
// through its letters.
constexpr int32_t kQueryLineY = 272;

constexpr int32_t kCounterTop = 5, kSetUpFrames = 24;
constexpr int32_t kAtServePosition = 1;

ASprite* fontOf(int32_t objectClass) { return CGame::GetAnimationIDByClass(objectClass); }
ASprite* fontMain() { return fontOf(2); }
ASprite* fontHint() { return fontOf(3); }

void drawText(ASprite* font, String* text, int32_t x, int32_t y, int32_t anchor) {
  if (isNull(font) || isNull(text)) return;
  font->DrawString(CGame::gfx, text, x, y, anchor);
}

String* pointName(int32_t points) {
  ObjectArray* names = CTennis::pointNames;
  if (isNull(names)) return nullptr;
  return static_cast<String*>(aload(names, points < 0 ? 0 : points > 3 ? 3 : points));
}

String* joined(String* a, String* b, String* c) {
  StringBuffer* text = StringBuffer::create(32);
  StringBuffer::appendString(text, a);
  StringBuffer::appendString(text, b);
  if (c != nullptr) StringBuffer::appendString(text, c);
  return text->toString();
}

bool isDeadBallShowing() {
  return (CTennis::matchState == kPlaying || CTennis::matchState == kChallengeState) &&
         CTennis::deadBallReason != 0 && CTennis::afterPointStage == 0;
}

// What the dead-ball display shows this frame: a call in the middle, the score panel.
struct DeadBallShown {
  String* call = nullptr;
  bool panel = false;
  String* left = nullptr;
  String* right = nullptr;
};

// The point score of the current game, server first, and its announcement.
void callPointScore(DeadBallShown& shown, bool firstFrame) {
  const int32_t serving = CTennis::getServeScoreIndex();
  const int32_t a = CTennis::points(serving), b = CTennis::points(1 - serving);
  if (CTennis::isTieBreak()) {
    shown.left = String::valueOfInt(a);
    shown.right = String::valueOfInt(b);
  } else if (a < 3 || b < 3) {
    shown.left = pointName(a);
    shown.right = pointName(b);
    if (firstFrame) {
      const int32_t first = kPointSounds[a < 3 ? a : 3];
      CTennis::initDeadBallSounds(first, a == b ? kSoundAll : kPointSounds[b < 3 ? b : 3]);
    }
  } else if (a != b) {
    shown.left = a > b ? CGame::GetString(1, kAdvantageCall) : pointName(3);
    shown.right = a > b ? pointName(3) : CGame::GetString(1, kAdvantageCall);
    if (firstFrame) {
      CTennis::initDeadBallSounds(kSoundAdvantage, -1);
      CTennis::initDeadBallCheerSounds(-1);
    }
  } else {
    String* deuce = CGame::GetString(1, kDeuceCall);
    shown.left = a == 3 ? deuce : joined(deuce, StaticClass::getConstant(kJoiner), String::valueOfInt(a - 2));
    if (firstFrame) CTennis::initDeadBallSounds(kSoundDeuce, -1);
  }
}

// The game message, or while the match is decided the three words by the timer.
void callGameMessage(DeadBallShown& shown, bool firstFrame) {
  if (firstFrame) {
    const int32_t sound = CTennis::gameResultText == kGameText ? kSoundGame
                          : CTennis::gameResultText == kSetText ? kSoundSet
                                                                : kSoundMatch;
    CTennis::initDeadBallSounds(sound, -1);
  }
  if (!CTennis::matchFinished) {
    shown.left = CTennis::gameMessage;
    return;
  }
  const int32_t t = CTennis::deadBallTimer;
  shown.left = t >= 10 ? CGame::GetString(0, kGameText) : t >= 5 ? CGame::GetString(0, kSetText)
                                                           : CGame::GetString(1, kAndMatchText);
}

// What the display shows while it stands still: the call or the score panel once begun.
DeadBallShown standingDeadBallInfo() {
  DeadBallShown shown;
  if (CTennis::messageDeadBall != CTennis::deadBallFrame) return shown;
  if (CTennis::deadBallInfo != -1) {
    if (CTennis::messageStep == kStepCall && CTennis::deadBallInfo != kCallOut) {
      shown.call = CGame::GetString(1, CTennis::deadBallInfo);
    }
    return shown;
  }
  if (CTennis::challengeReplay && !isNull(CTennis::scoreTextA) &&
      CTennis::matchFrame - CTennis::deadBallFrame < kChallengeScoreFrames) {
    shown.panel = true;
    shown.left = CTennis::scoreTextA;
    shown.right = CTennis::scoreTextB;
    return shown;
  }
  if (CTennis::scoreCallState == -1 || CTennis::messageStep != kStepScore) return shown;
  shown.panel = true;
  if (CTennis::scoreCallState == kScorePointsCall) {
    callPointScore(shown, false);
  } else {
    callGameMessage(shown, false);
  }
  return shown;
}

DeadBallShown stepDeadBallInfo() {
  DeadBallShown shown;
  if (!isDeadBallShowing()) return shown;
  // A pause's still shows what stands and steps nothing.
  if (CTennis::drawOnlyFrame) return standingDeadBallInfo();
  if (CTennis::messageDeadBall != CTennis::deadBallFrame) {
    CTennis::messageDeadBall = CTennis::deadBallFrame;
    CTennis::messageStep = kStepIdle;
  }
  int32_t& timer = CTennis::deadBallTimer;

  if (CTennis::deadBallInfo != -1) {
    if (CTennis::messageStep != kStepCall) {
      CTennis::messageStep = kStepCall;
      timer = CTennis::scoreCallState != -1 ? kCallThenScore : kCallAlone;
      // The out call floats up from the bounce once; any other call stands in the middle.
      // The hint keeps its point in court pixels (the view is taken off as it is drawn), so
      // the bounce is projected without the view.
      if (CTennis::deadBallInfo == kCallOut && !isNull(CTennis::projPoint)) {
        IntArray* bounce = CTennis::projPoint;
        CTennis::project3DTo2D(bounce, CTennis::outX, 0, CTennis::outZ);
        CTennis::project2D2Logical(bounce);
        CGame::activeFloatHint(CGame::GetString(1, kCallOut), fontMain(), 0, aload(bounce, 0), aload(bounce, 1),
                               timer, 0);
        MatchTrace::outHint();
      }
    }
    if (CTennis::deadBallInfo != kCallOut) shown.call = CGame::GetString(1, CTennis::deadBallInfo);
    if (--timer <= 0) {
      CTennis::deadBallInfo = -1;
      timer = CTennis::matchFinished ? kDecidedFrames : kScoreFrames;
      CTennis::messageStep = CTennis::scoreCallState != -1 ? kStepScoreArmed : kStepIdle;
    }
    return shown;
  }

  if (CTennis::challengeReplay && !isNull(CTennis::scoreTextA)) {
    if (CTennis::matchFrame - CTennis::deadBallFrame < kChallengeScoreFrames) {
      shown.panel = true;
      shown.left = CTennis::scoreTextA;
      shown.right = CTennis::scoreTextB;
      return shown;
    }
    CTennis::scoreTextA = nullptr;
    CTennis::scoreTextB = nullptr;
  }

  if (CTennis::scoreCallState != -1 && CTennis::matchFrame > CTennis::deadBallFrame) {
    const bool firstFrame = CTennis::messageStep != kStepScore;
    if (firstFrame) {
      // The reward words stay: they blink from the fifth frame after the dead ball, over the
      // score call, until the wait after the point ends.
      if (CTennis::messageStep != kStepScoreArmed) timer = CTennis::matchFinished ? kDecidedFrames : kScoreFrames;
      CTennis::messageStep = kStepScore;
    }
    shown.panel = true;
    if (CTennis::scoreCallState == kScorePointsCall) {
      callPointScore(shown, firstFrame);
    } else {
      callGameMessage(shown, firstFrame);
    }
    if (--timer <= 0) {
      CTennis::gameMessage = nullptr;
      CTennis::scoreCallState = -1;
      CTennis::messageStep = kStepIdle;
      CGame::closeInfoBg();
    }
  }
  return shown;
}

// The break-point box's state for this frame: the text and the icons' difference.
struct BreakPointShown {
  String* text = nullptr;
  int32_t difference = 0;
};

BreakPointShown stepBreakPoint() {
  BreakPointShown shown;
  shown.text = CTennis::rewardText;
  const int32_t serving = CTennis::getServeScoreIndex();
  shown.difference = CTennis::points(serving) - CTennis::points(1 - serving);
  if (CTennis::drawOnlyFrame) return shown;
  int32_t& timer = CTennis::deadBallTimer;
  if (timer == 0) {
    timer = kBreakPointFrames;
    CGame::enablePaintDirectInBuffer(kBandKind, 0);
    MatchTrace::breakPointBox();
  }
  const bool pressed = (CGame::keysPressed & (CGame::kKeyFire | kKeyFive)) != 0;
  if (timer == kBreakPointCloseAt || pressed) CGame::closePaintDirectInBuffer(kBandKind);
  timer--;
  if (timer <= 0 || pressed) {
    timer = 0;
    CTennis::rewardText = nullptr;
    CGame::closeInfoBg();
    CGame::disablePaintDirectInBuffer(kBandKind);
    CGame::key_resetKey();
    CTennis::stageFrame = CTennis::matchFrame;
  }
  return shown;
}

void setJudge(CActor* judge, int32_t animation) {
  if (!isNull(judge)) judge->setSprite(CTennis::judgeSprite, animation, -2);
}

CActor* linesman(int32_t i) {
  ObjectArray* all = CTennis::linesmen;
  if (isNull(all) || i >= all->length) return nullptr;
  return static_cast<CActor*>(aload(all, i));
}

// The judges take their places for the serve: by the server's team and half, the side to
// strike and the court end.
void setJudgesForServe() {
  CPlayer* s = CTennis::server;
  const bool nearServer = !isNull(s) && s->half() == 1;
  const bool fromLeft = !isNull(s) && s->serveFromLeft;
  setJudge(linesman(0), nearServer && fromLeft ? 11 : 6);
  setJudge(linesman(2), nearServer && !fromLeft ? 13 : 6);
  setJudge(linesman(1), !CTennis::strikeSide ? 14 : 6);
  setJudge(CTennis::netJudge, CTennis::courtEnd == 2 ? 1 : 0);
}

}  // namespace

void CTennis::drawDeadBallInfo() {
  SORV_FRAME("CTennis.drawDeadBallInfo()V");
  const DeadBallShown shown = stepDeadBallInfo();
  drawText(fontMain(), shown.call, 400, 240, kCentreAnchor);
  if (shown.panel) drawScoreWhenNewBall(shown.left, shown.right);
}

void CTennis::drawScoreWhenNewBall(String* left, String* right) {
  SORV_FRAME("CTennis.drawScoreWhenNewBall(Ljava/lang/String;Ljava/lang/String;)V");
  String* text = left;
  if (right != nullptr) {
    const int32_t separator = CGame::language == 3 ? kScoreSeparatorLang3 : kScoreSeparator;
    text = joined(left, StaticClass::getConstant(separator), right);
  }
  ASprite* panel = CGame::interfaceSprite;
  int32_t width = 0;
  if (!isNull(panel)) {
    panel->PaintFrame(CGame::gfx, 0, 275, 230, 0, 0);
    width = panel->GetFrameWidth(0);
  }
  drawText(fontHint(), text, 275 + width / 2, 250, kCentreAnchor);
}

void CTennis::drawBreakPoint() {
  SORV_FRAME("CTennis.drawBreakPoint()V");
  const BreakPointShown shown = stepBreakPoint();
  const bool bandClosed = CGame::infoBgClosed;
  const bool band = CGame::drawInfoBg(210, 60, kBandWhite, kBandBlue, false);
  if (drawOnlyFrame) CGame::infoBgClosed = bandClosed;
  if (band) drawText(fontMain(), shown.text, 400, shown.difference == 0 ? 235 : 216, kTopCentre);
  const int32_t d = shown.difference < 0 ? -shown.difference : shown.difference;
  ASprite* hud = hudSprite;
  if (isNull(hud) || matchFrame % 8 >= 5) return;
  const int32_t frame = shown.difference < 0 ? kIconRed : kIconBlue;
  for (int32_t i = 0; i < d; i++) hud->PaintFrame(CGame::gfx, frame, (81 - d) * 5 + i * 10, 262, 0, 0);
}

void CTennis::drawRewardWords() {
  SORV_FRAME("CTennis.drawRewardWords()V");
  const int32_t t = matchFrame - deadBallFrame;
  if (isNull(rewardText) || t < kRewardDelay || (t - kRewardDelay) % kRewardPeriod >= kRewardOn) return;
  ASprite* font = fontMain();
  if (isNull(font)) return;
  const int32_t palette = currentCourt == 2 ? 3 : 0;
  font->DrawString(CGame::gfx, rewardText, 400, 100, kRewardFlags | palette, kRewardWidth);
  MatchTrace::rewardWordsDrawn();
}

void CTennis::showRewardWords(int32_t text) {
  setRewardWords(CGame::GetString(1, text));
  if (!isNull(rewardText.get())) MatchTrace::rewardWords(text);
}

void CTennis::drawQueryContinue() {
  SORV_FRAME("CTennis.drawQueryContinue()V");
  Graphics* g = CGame::gfx;
  if (isNull(g)) return;
  for (int32_t y : {178, 208, 238, 268}) CGame::fillRect(g, kQueryBand, 20, y, 760, 30);
  g->setColor(kBandBlue);
  g->fillRect(19, 179, 1, 118);
  g->fillRect(780, 179, 1, 118);
  const bool won = sets(0) > sets(1);
  drawText(fontMain(), CGame::GetString(1, won ? 6 : 7), 400, 183, kTopCentre);
  ASprite* small = fontOf(4);
  if (!isNull(small)) small->drawPageAutoWordWrap(g, CGame::GetString(1, 8), 400, kQueryLineY, kTopCentre);
}

void CTennis::drawInterface() {
  SORV_FRAME("CTennis.drawInterface()V");
  if (serveCounter == kJudgesSet || drawOnlyFrame) return;
  if (serveCounter < kCounterTop) serveCounter++;
  if (serveCounter > 0) {
    CPlayer* s = server;
    CPlayer* user = player;
    const bool userHeld = !isNull(user) && !isNull(user->animActor) && user->animActor->paused;
    const bool keyed = CGame::keysPressed != 0 && !userHeld;
    if (matchFrame - stageFrame >= kSetUpFrames || (!isNull(s) && s->state != kAtServePosition) || keyed) {
      serveCounter = -serveCounter;
    }
  }
  if (serveCounter == 0) {
    serveCounter = kJudgesSet;
    dropPlayerAttrImages();
    setJudgesForServe();
  }
}

void CTennis::hideServeSpeedPanel() { CGame::serveSpeedBarShown = false; }

void CTennis::drawServeSpeedBoards() {
  SORV_FRAME("CTennis.drawServeSpeedBoards()V");
  if (!CGame::serveSpeedBarShown || currentCourt == 3) return;
  drawSpeedToBg(CGame::animatedNumberValue);
  drawTimeToBg(matchStrokes);
}

namespace {

void resetOverlays() {
  CTennis::messageStep = CTennis::messageDeadBall = 0;
  CTennis::serveCounter = CTennis::stageFrame = 0;
}

}  // namespace

SORV_STATIC_INIT(kCTennis, resetOverlays);

}  // namespace sorv
