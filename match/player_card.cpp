// The player's attribute card shown while the teams walk in, and the serving portrait
// above a player before the serve.
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kCardWidth = 196, kCardHeight = 73;
constexpr int32_t kUserColour = 0xFF189CEF, kRivalColour = 0xFFB80000;
constexpr int32_t kPanelColour = 0xFF98A5A5, kLineColour = 0x5C5C5C;
constexpr int32_t kCreatedPlayerFrame = 17, kBadgeFirstFrame = 36;
// The portraits' plain look; palette 0, which the sprite starts in, is the selection's greyed
// "picked" one.
constexpr int32_t kPlainPortraitPalette = 1;
// The serving portrait: the screen's middle decides its side; beside a far player its box
// keeps this gap from his pose and its middle stands this height above his feet.
constexpr int32_t kScreenMiddle = 400, kFarPortraitGap = 4, kFarPortraitRise = 26;
constexpr int32_t kEmptyBox = 102400;
constexpr int32_t kUserLabel = 21, kCpuLabel = 20;
constexpr int32_t kLabelTextFirst = 30, kLabelRows = 4;
constexpr int32_t kHeightUnit = 36, kWeightUnit = 37;
constexpr int32_t kAvatarLook = 16, kAvatarLookPro = 34;
// Anchors of the sprite fonts: horizontal in bits 4-7 (1 centre, 2 right), vertical in 8-11.
constexpr int32_t kCentred = 0x10, kRightAligned = 0x20;

int32_t category() { return aload(CGame::matchSettings.get(), 0); }

ASprite* cardFont() {
  ObjectArray* fonts = CGame::fontSprites;
  if (isNull(fonts) || kFontSmall >= fonts->length) return nullptr;
  return static_cast<ASprite*>(fonts->elements()[kFontSmall]);
}

void text(Graphics* g, String* s, int32_t x, int32_t y, int32_t anchor) {
  if (ASprite* font = cardFont(); !isNull(font) && !isNull(s)) font->DrawString(g, s, x, y, anchor);
}

void fill(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h) {
  g->setColor(argb);
  g->fillRect(x, y, w, h);
}

// A frame of the portrait sprite in its plain look, or nothing when the sprite has no such
// frame.
void portraitFrame(Graphics* g, int32_t frame, int32_t x, int32_t y) {
  ASprite* s = CGame::portraitSprite;
  if (isNull(s) || isNull(s->frameFModuleCount) || frame < 0 || frame >= s->frameFModuleCount->length) return;
  s->SetCurrentPalette(kPlainPortraitPalette);
  s->PaintFrame(g, frame, x, y, 0, 0);
}

int32_t cardValue(int32_t row, int32_t character) {
  auto* values = static_cast<IntArray*>(aload(CGame::rosterAttrCardValues.get(), row));
  return isNull(values) || !values->inBounds(character) ? 0 : values->elements()[character];
}

String* numberWithUnit(int32_t value, int32_t unit) {
  StringBuffer* sb = StringBuffer::create(8);
  StringBuffer::appendInt(sb, value);
  if (unit >= 0) StringBuffer::appendString(sb, CGame::GetString(0, unit));
  return sb->toString();
}

// The badge: the character's country, or a career avatar's own home.
int32_t badgeOf(CPlayer* p) {
  const int32_t avatar = category() == 2 || category() == 3 ? kAvatarLookPro : kAvatarLook;
  if (CGame::isCareer && p->rosterIndex + 1 == avatar) return CGame::careerHome;
  ByteArray* countries = CGame::rosterCountries;
  return isNull(countries) || !countries->inBounds(p->rosterIndex) ? 0 : countries->elements()[p->rosterIndex];
}

bool onUserTeam(CPlayer* p) { return p == CTennis::player.get() || p == CTennis::partner.get(); }

}  // namespace

Image* CTennis::createPlayerAttrImage(CPlayer* p, Image* image) {
  SORV_FRAME("CTennis.createPlayerAttrImage(LCPlayer;Ljavax/microedition/lcdui/Image;)Ljavax/microedition/lcdui/Image;");
  if (isNull(image)) image = Image::createImage(kCardWidth, kCardHeight);
  if (isNull(image) || isNull(p)) return image;
  Graphics* g = image->getGraphics();
  const int32_t character = p->rosterIndex;
  fill(g, onUserTeam(p) ? kUserColour : kRivalColour, 0, 0, kCardWidth, kCardHeight);
  fill(g, kPanelColour, 1, 1, 30, 34);
  fill(g, kPanelColour, 32, 1, 164, 71);
  // attrValue1 carries the first-name index: a named player shows the created player's face.
  // The face stays inside its panel, whatever the size of the portrait frames.
  g->setClip(1, 1, 30, 34);
  portraitFrame(g, p->attrValue1 == -1 ? character : kCreatedPlayerFrame, 14, 19);
  g->setClip(0, 0, kCardWidth, kCardHeight);
  text(g, CGame::GetString(0, p == player.get() ? kUserLabel : kCpuLabel), 16, 41, kCentred);
  for (int32_t row = 0; row < kLabelRows; row++) {
    text(g, CGame::GetString(1, kLabelTextFirst + row), 33, 4 + 10 * row, 0);
  }
  portraitFrame(g, kBadgeFirstFrame + badgeOf(p), 114, 3);
  text(g, numberWithUnit(cardValue(0, character), kHeightUnit), kCardWidth, 14, kRightAligned);
  text(g, numberWithUnit(cardValue(1, character), kWeightUnit), kCardWidth, 24, kRightAligned);
  text(g, numberWithUnit(cardValue(2, character), -1), kCardWidth, 34, kRightAligned);
  ShortArray* captions = CGame::rosterCaptions;
  if (!isNull(captions) && captions->inBounds(character)) {
    text(g, CGame::GetString(0, captions->elements()[character]), 33, 44, 0);
  }
  g->setColor(kLineColour);
  for (int32_t y = 10; y <= 40; y += 10) g->drawLine(32, y, 195, y);
  return image;
}

namespace {

// The span across the screen of the player's pose as he shows now, measured, not drawn;
// left as it is when he shows nothing.
void shownSpan(CPlayer* p, int32_t sx, int32_t sy, int32_t* left, int32_t* right) {
  CActor* a = p->animActor;
  if (isNull(a) || isNull(a->sprite)) return;
  ASprite::measuredBox[0] = ASprite::measuredBox[1] = kEmptyBox;
  ASprite::measuredBox[2] = ASprite::measuredBox[3] = -kEmptyBox;
  ASprite::measuring = true;
  a->paintCurrentFrame(CGame::gfx, sx, sy);
  ASprite::measuring = false;
  if (ASprite::measuredBox[0] >= ASprite::measuredBox[2]) return;
  *left = ASprite::measuredBox[0];
  *right = ASprite::measuredBox[2];
}

}  // namespace

void CTennis::dropPlayerAttrImages() { attrCardUser = attrCardPartner = nullptr; }

void CTennis::drawPlayerHead(CPlayer* p) {
  // The server's portrait, as its tag is the server's alone.
  if (isNull(p) || p != server.get() || tutorialIndex != -1 || matchState != 2 || serveCounter < 1) return;
  ASprite* s = CGame::portraitSprite;
  if (isNull(s) || isNull(p->screenPos)) return;
  const int32_t frame = p->getPlayerHeadImgID();
  if (isNull(s->frameFModuleCount) || frame < 0 || frame >= s->frameFModuleCount->length) return;
  const int32_t sx = p->screenPos->elements()[0], sy = p->screenPos->elements()[1];
  int32_t x, y;
  if (p->half() == 0) {
    // Beside the far player, towards the court's middle, clear of his body and racket as he
    // shows now; by the portrait's own box, wherever its frame keeps its origin.
    IntArray* box = Array::newIntArray(4);
    if (isNull(box)) return;
    s->GetFrameRect(box, frame, 0, 0, 0);
    int32_t bodyLeft = sx - kFarPortraitGap, bodyRight = sx + kFarPortraitGap;
    shownSpan(p, sx, sy, &bodyLeft, &bodyRight);
    x = sx < kScreenMiddle ? bodyRight + kFarPortraitGap - aload(box, 0) : bodyLeft - kFarPortraitGap - aload(box, 2);
    y = sy - kFarPortraitRise - (aload(box, 1) + aload(box, 3)) / 2;
  } else {
    x = sx < kScreenMiddle ? sx + 20 : sx - 10 - s->GetFrameWidth(frame);
    y = sy - 35;
  }
  s->SetCurrentPalette(kPlainPortraitPalette);
  s->PaintFrame(CGame::gfx, frame, x, y, 0, 0);
}

}  // namespace sorv
