// The tournament table (state 57): the current segment's bracket with the names on the
// left, the user's line growing towards the next round, the result of the last match and
// the trophy; from here the next match starts, or a lost or won tournament is left.
//
// The segment's tables are drawn from its first round (the base) on; the round being played
// (the turn) is the model's, except that a won tournament shows the final's table. Keys act
// only while tournamentEnded is set.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "menus/tournament_shape.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

int32_t CGame::tournamentLineGrowth = 0;
int32_t CGame::tournamentUserMark[2] = {0, 0};

namespace {

using namespace tournament;

constexpr int32_t kTableState = 57, kMenuState = 6;
constexpr int32_t kTableMenu = 33, kNameItem = 9, kNextNameItem = 10, kBracketEndItem = 11, kMessageBoxItem = 17;
constexpr int32_t kMessageItem = 18;
constexpr int32_t kOkKeys = 0x50020, kBackKey = 0x20000;
constexpr int32_t kLineColour = 0xB80000, kPathColour = 0xFFF000;
constexpr int32_t kOpaqueBlack = static_cast<int32_t>(0xFF000000);
constexpr int32_t kTextLost = 183, kTextChampion = 184, kTextOut = 185, kTextNextSegment = 186;
constexpr int32_t kNoLabel = -1, kOkLabel = 11, kYesLabel = 13, kNoAnswerLabel = 14;
constexpr int32_t kMenuMusic = 0;

constexpr int32_t kStatTitles = 0, kStatMajorTitles = 1, kMajorTournaments = 4;

// Set when a career title has been counted on this entry: until the career's weekly update
// takes the table away, another OK must not count it again.
bool titleCounted = false;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

ByteArray* scores(ObjectArray* results, int32_t t) {
  return isNull(results) || !results->inBounds(t) ? nullptr : static_cast<ByteArray*>(aload(results, t));
}
ByteArray* fakeName(int32_t pos) { return static_cast<ByteArray*>(aload(CGame::drawFakeNames.get(), pos)); }
bool womenOnly() {
  const int32_t mode = aload(CGame::matchSettings.get(), 0);
  return mode == 2 || mode == 3;
}

// The line grows by a step at each round drawn, and its column is 1 / (4 - base) of the
// bracket's width: a segment of one round (the final alone) would wait six times as long as a
// full one before its keys open, most of a minute at the phone's frame rate. Every segment
// opens its keys after as many frames as a full one.
int32_t growthStep(int32_t base) {
  const int32_t b = base < 0 ? 0 : base > kSegmentRounds - 1 ? kSegmentRounds - 1 : base;
  const int32_t fullSegment = (kSegmentRounds + 1) * kSegmentRounds;
  return fullSegment / ((kSegmentRounds + 1 - b) * (kSegmentRounds - b));
}

struct Table {
  bool doubles, finished;
  int32_t status, base, turn;
};

Table tableNow() {
  Table t{CGame::isDouble(), false, CGame::tournamentResult, 0, 0};
  t.finished = t.status != 0 && CGame::tournamentRound >= CGame::tournamentRoundCount;
  // A won tournament shows the final's table: its round is taken back while it is read.
  if (t.finished) CGame::tournamentRound--;
  t.base = kSegmentRounds - CGame::getFakeTournamentRoundCount();
  t.turn = CGame::getFakeTournamentRoundIndex();
  if (t.finished) CGame::tournamentRound++;
  return t;
}

// A tournament the table can draw and play on: rounds and round in range, the bracket
// tables in shape, and every position of the segment's draw, the user's among them, held.
bool playable() {
  const int32_t rounds = CGame::tournamentRoundCount, round = CGame::tournamentRound;
  if (rounds < 1 || rounds > kMaxRounds || round < 0 || round > rounds) return false;
  if (CGame::tournamentResult < -1 || CGame::tournamentResult > 1) return false;
  if (round == rounds && CGame::tournamentResult != 1) return false;
  IntArray* slots = CGame::drawSlots;
  ObjectArray* names = CGame::drawFakeNames;
  if (isNull(slots) || slots->length < kDrawPositions || isNull(names) || names->length < kDrawPositions) return false;
  for (int32_t t = 0; t < kBracketTables; t++) {
    ByteArray* table = scores(CGame::drawScores, t);
    if (isNull(table) || table->length < kBracketSizes[t]) return false;
  }
  for (int32_t pos = 0; pos < kDrawPositions; pos++) {
    ByteArray* pair = fakeName(pos);
    if (isNull(pair) || pair->length < 2) return false;
  }
  const Table t = tableNow();
  const int32_t positions = CGame::getFakeTournamentPlayersCount(kSegmentRounds - t.base);
  if (CGame::userSlot < 0 || CGame::userSlot >= positions) return false;
  for (int32_t pos = 0; pos < positions; pos++) {
    const int32_t entry = slots->elements()[pos];
    if (entry < 0 || entry > kLastRosterEntry) return false;
  }
  return true;
}

// This turn's result of the user's entry and of the entry it met, cleared for a replay.
void clearPlayedTurn(const Table& t) {
  if (!CGame::isThisTurnPlayed(t.turn)) return;
  ByteArray* table = scores(CGame::drawScores, t.turn);
  const int32_t p = CGame::getPlayerIndexInRecord(t.turn);
  astore(table, p, int8_t{0});
  astore(table, CGame::EvenOddSwitch(p), int8_t{0});
}

void choose(int32_t& choice, int32_t* values, int32_t pos) {
  choice = aload(CGame::drawSlots.get(), pos);
  values[0] = aload(fakeName(pos), 0);
  values[1] = aload(fakeName(pos), 1);
}

// The first draw position of the side the user meets in this turn: in doubles a side is a
// team of two neighbouring positions.
int32_t opponentPosition(const Table& t) {
  if (t.turn == t.base) {
    const int32_t other = CGame::EvenOddSwitch(CGame::userSlot);
    if (!t.doubles) return other;
    // other is the partner: the opposing team is the other half of the user's four.
    return other / 4 * 4 + (other % 4 < 2 ? 2 : 0);
  }
  const int32_t entry = CGame::EvenOddSwitch(CGame::getPlayerIndexInRecord(t.turn));
  const int32_t start = CGame::getPlayerStartTournamentIndex(t.turn, entry);
  return t.doubles ? start * 2 : start;
}

void playNextMatch(const Table& t) {
  clearPlayedTurn(t);
  const int32_t opponent = opponentPosition(t);
  choose(CGame::playerChoice1, CGame::playerChoiceValues[0], CGame::userSlot);
  choose(CGame::playerChoice2, CGame::playerChoiceValues[1], opponent);
  if (t.doubles) {
    choose(CGame::playerChoice3, CGame::playerChoiceValues[2], CGame::EvenOddSwitch(CGame::userSlot));
    choose(CGame::playerChoice4, CGame::playerChoiceValues[3], CGame::EvenOddSwitch(opponent));
  }
  CGame::switchToPlayGame();
}

void leaveToMainMenu() {
  GameSound::play(kMenuMusic, true);
  CGame::SWITCH_STATE(kMenuState);
}

void closeLostTournament(const Table& t) {
  if (!CGame::isCareer) return playNextMatch(t);  // the lost match is played again
  clearPlayedTurn(t);
  CGame::switch2CareerUpdate(false);
}

void closeWonTournament() {
  if (!CGame::isCareer) {
    // The menu comes back with its music, as after leaving a lost tournament.
    leaveToMainMenu();
    CGame::resetRMS(CGame::kTournamentRecord);
    return;
  }
  if (titleCounted) return;
  titleCounted = true;
  const bool major = CGame::currentTournament >= 0 && CGame::currentTournament < kMajorTournaments;
  ShortArray* stats = CGame::careerStats;
  const int32_t stat = major ? kStatMajorTitles : kStatTitles;
  astore(stats, stat, static_cast<int16_t>(aload(stats, stat) + 1));
  CGame::RMS(true, CGame::kCareerRecord);
  CGame::switch2CareerUpdate(false, true);
}

// The joint of a pair: each half in the highlight when its entry scored more than the other.
void drawJoint(Graphics* g, int32_t x, int32_t yA, int32_t yB, int32_t a, int32_t b, int32_t colour,
               int32_t highlight) {
  const int32_t mid = (yA + yB) / 2;
  g->setColor(a > b ? highlight : colour);
  g->drawLine(x, yA, x, mid);
  g->setColor(b > a ? highlight : colour);
  g->drawLine(x, yB, x, mid);
}

int32_t rowHeight() {
  return yOf(CGame::GetMenuItemPosition(kTableMenu, kNextNameItem)) - yOf(CGame::GetMenuItemPosition(kTableMenu, kNameItem));
}

struct Message {
  int32_t text, first, second;
};

Message messageOf(const Table& t) {
  Message m{-1, kNoLabel, kOkLabel};
  if (t.finished) {
    m.text = kTextChampion;
  } else if (t.status == -1 && CGame::isCareer) {
    m.text = kTextOut;
  } else if (t.status == -1) {
    m = {kTextLost, kNoAnswerLabel, kYesLabel};
  } else if (t.status == 1 && CGame::tournamentRound % kSegmentRounds == 0) {
    m.text = kTextNextSegment;
  }
  if (!CGame::tournamentEnded) m.first = m.second = kNoLabel;
  return m;
}

// The tournament's logo with its flag when the final lies in this table, or is won.
// Where the bracket ends: the menu's mark inside its board (the trophy and its flag stand
// right of the board), else at the trophy.
int32_t bracketRight() {
  const int32_t end = xOf(CGame::GetMenuItemPosition(kTableMenu, kBracketEndItem));
  return end > 0 ? std::min(end, kTrophyRight) : kTrophyRight;
}

void paintTrophy(const Table& t) {
  const int32_t left = CGame::tournamentRoundCount - CGame::tournamentRound;
  if (!t.finished && left > kSegmentRounds - t.turn) return;
  ObjectArray* ext = CGame::menuExtSprites;
  ASprite* logo = isNull(ext) || !ext->inBounds(kMenuExtTournamentLogo)
                      ? nullptr
                      : static_cast<ASprite*>(aload(ext, kMenuExtTournamentLogo));
  ByteArray* rows = CGame::tournamentTable;
  const int32_t cell = CGame::currentTournament * kTournamentColumns + kTournamentLogoFrame;
  if (isNull(logo) || isNull(rows) || CGame::currentTournament < 0 || !rows->inBounds(cell)) return;
  const int32_t frame = womenOnly() && CGame::isMainTournament() ? kTournamentLogoWomenMain : aload(rows, cell);
  const int32_t frames = isNull(logo->frameFModuleCount) ? 0 : logo->frameFModuleCount->length;
  if (frame < 0 || frame >= frames) return;
  const int32_t w = logo->GetFrameWidth(frame), h = logo->GetFrameHeight(frame);
  logo->PaintFrame(CGame::GetMenuGfx(), frame, kTrophyRight + w / 2, h + kTrophyFoot, 0, 0);
}

}  // namespace

void CGame::switchToTournamentTable(bool save) {
  SORV_FRAME("CGame.switchToTournamentTable(Z)V");
  // Nothing playable is not saved: an empty draw would be offered as a tournament to go on.
  if (!playable()) save = false;
  if (save && isCareer) {
    RMS(true, kCareerRecord);
    RMS(true, kCareerTournamentRecord);
    resetRMS(kCareerUnfinishedMatch);
  } else if (save) {
    RMS(true, kTournamentRecord);
    resetRMS(kUnfinishedMatch);
  }
  PUSH_STATE(kTableState);
}

void CGame::enterTournamentTable() {
  SORV_FRAME("CGame.enterTournamentTable()V");
  titleCounted = false;
  // The line grows again from nothing, and the keys wait for it again.
  tournamentEnded = false;
  ObjectArray* ext = menuExtSprites;
  ByteArray* rows = tournamentTable;
  if (isNull(ext) || !ext->inBounds(kMenuExtTournamentLogo) || isNull(rows)) return;
  ASprite* logo = static_cast<ASprite*>(aload(ext, kMenuExtTournamentLogo));
  const int32_t cell = currentTournament * kTournamentColumns + kTournamentFlagPalette;
  if (!isNull(logo) && currentTournament >= 0 && rows->inBounds(cell)) logo->SetCurrentPalette(aload(rows, cell));
}

void CGame::updateTournamentTable() {
  SORV_FRAME("CGame.updateTournamentTable()V");
  if (!playable()) {
    Debug::trace("tournament table: no playable tournament (round %d of %d, user at %d); back to the menu",
                 tournamentRound, tournamentRoundCount, userSlot);
    return leaveToMainMenu();
  }
  const Table t = tableNow();
  if (t.finished || t.status == -1) tournamentEnded = true;
  if (!tournamentEnded) return;
  tournamentIntro = false;
  const int32_t keys = keysPressed;
  if ((keys & kOkKeys) != 0) {
    if (t.finished) return closeWonTournament();
    if (t.status == -1) return closeLostTournament(t);
    return playNextMatch(t);
  }
  if ((keys & kBackKey) != 0 && t.status == -1 && !isCareer) {
    resetTournamentData();
    leaveToMainMenu();
  }
}

void CGame::paintTournamentTable() {
  SORV_FRAME("CGame.paintTournamentTable()V");
  SetMenuGfx(gfx);
  if (!playable()) {
    drawInterfaceBk(nullptr, kNoLabel, kNoLabel);
    return DrawMenu(kTableMenu, false);
  }
  const Table t = tableNow();
  const Message m = messageOf(t);
  // The table has a background of its own: the match's last picture in the screen buffer, or
  // the loading screen, would show through the names wherever the menu's frame leaves gaps.
  fillRect(GetMenuGfx(), kOpaqueBlack, 0, 0, kGameWidth, kGameHeight);
  DrawMenu(kTableMenu, false);
  if (m.first != kNoLabel || m.second != kNoLabel) drawMenuBar(m.first, m.second, true);

  const int32_t at = GetMenuItemPosition(kTableMenu, kNameItem);
  const int32_t row = rowHeight();
  const int32_t players = 1 << (kSegmentRounds - t.base + (t.doubles ? 1 : 0));
  const int32_t rows = t.doubles ? players / 2 : players;
  const int32_t x = xOf(GetMenuItemSize(kTableMenu, kNameItem));
  const int32_t w = (bracketRight() - x) / (kSegmentRounds + 1 - t.base);
  // The bracket spans the rows it has names for: a shorter segment's first round has fewer.
  drawTournamentTree(x, yOf(at) + row / 2, w, (rows - 1) * row, drawScores, t.base, kLineColour, kPathColour);
  drawTournamentPlayerList(xOf(at), yOf(at), row, players);
  paintTrophy(t);
  if (t.finished && (tournamentUserMark[0] != 0 || tournamentUserMark[1] != 0)) {
    drawWinLogo(tournamentUserMark[0], tournamentUserMark[1]);
  }
  if (tournamentEnded && t.status != 0 && m.text != -1) {
    DrawRectAsItem(0, kTableMenu, kMessageBoxItem);
    DrawStringAsItem(GetString(kTextMenus, m.text), kTableMenu, kMessageItem, false);
  }
}

void CGame::drawTournamentTree(int32_t x, int32_t y, int32_t w, int32_t h, ObjectArray* results, int32_t round,
                               int32_t colour, int32_t highlight) {
  SORV_FRAME("CGame.drawTournamentTree(IIIII[[BIII)V");
  ByteArray* table = scores(results, round);
  Graphics* g = GetMenuGfx();
  if (isNull(table) || isNull(g) || table->length < 2) return;
  const int32_t m = table->length - 1;
  const Table t = tableNow();
  const int32_t user = round == t.turn ? getPlayerIndexInRecord(round) : -1;
  int32_t growFrom = -1;  // the mid of the user's pair in the turn being played
  for (int32_t i = 0; i + 1 < table->length; i += 2) {
    const int32_t yA = y + i * h / m, yB = y + (i + 1) * h / m;
    g->setColor(colour);
    g->drawLine(x, yA, x + w, yA);
    g->drawLine(x, yB, x + w, yB);
    drawJoint(g, x + w, yA, yB, aload(table, i), aload(table, i + 1), colour, highlight);
    if (user == i || user == i + 1) growFrom = (yA + yB) / 2;
  }
  const int32_t grown = tournamentLineGrowth;
  if (m == 1) {
    const int32_t a = aload(table, 0), b = aload(table, 1);
    g->setColor(a != b ? highlight : colour);
    g->drawLine(x + w, y + h / 2, x + 2 * w, y + h / 2);
  } else {
    drawTournamentTree(x + w, y + h / (2 * m), w, (m - 1) * h / m, results, round + 1, colour, highlight);
  }
  // Drawn after the next round's lines, which would cover it.
  if (growFrom != -1) {
    tournamentUserMark[0] = x + w;
    tournamentUserMark[1] = growFrom;
    g->setColor(highlight);
    g->drawLine(x + w, growFrom, x + w + (grown < w ? grown : w), growFrom);
    if (grown >= w) tournamentEnded = true;
  }
  tournamentLineGrowth += growthStep(t.base);
}

void CGame::drawTournamentPlayerList(int32_t x, int32_t y, int32_t rowHeight, int32_t count) {
  SORV_FRAME("CGame.drawTournamentPlayerList(IIII)V");
  if (count > kDrawPositions) count = kDrawPositions;
  auto name = [](int32_t pos) {
    return gePlayerName(aload(drawSlots.get(), pos), aload(fakeName(pos), 0), aload(fakeName(pos), 1));
  };
  if (isDouble()) {
    for (int32_t k = 0; k < count / 2; k++) {
      drawLabel(x, y + k * rowHeight, name(2 * k), name(2 * k + 1), k == userSlot / 2);
    }
    return;
  }
  for (int32_t k = 0; k < count; k++) drawLabel(x, y + k * rowHeight, name(k), nullptr, k == userSlot);
}

}  // namespace sorv
