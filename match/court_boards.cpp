// The serve-speed and time boards, painted into the court image between points.
#include "device/graphics.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kSpeedBoard = 4, kTimeBoard = 5, kSpeedUnit = 6, kSpeedDigits = 7, kTimeDigits = 8;
constexpr int32_t kBoardPalette = 3;
constexpr int32_t kMaxSpeed = 999;
constexpr int32_t kSecondsPerStroke = 25;
constexpr int32_t kColon = 0xF78618;

ASprite* digitsFont() {
  ObjectArray* fonts = CGame::fontSprites;
  if (isNull(fonts) || kFontDigits >= fonts->length) return nullptr;
  return static_cast<ASprite*>(fonts->elements()[kFontDigits]);
}

int32_t itemX(int32_t item) { return static_cast<int16_t>(CGame::GetMenuItemPosition(CTennis::courtLayoutMenu, item) & 0xFFFF); }
int32_t itemY(int32_t item) { return static_cast<int16_t>(CGame::GetMenuItemPosition(CTennis::courtLayoutMenu, item) >> 16); }

// Runs the drawing with the court image as the menus' target.
template <typename Draw>
void intoCourtImage(Draw draw) {
  if (isNull(CTennis::courtGraphics)) return;
  Graphics* previous = CGame::GetMenuGfx();
  CGame::SetMenuGfx(CTennis::courtGraphics);
  draw();
  CGame::SetMenuGfx(previous);
}

}  // namespace

void CTennis::drawSpeedToBg(int32_t speed) {
  SORV_FRAME("CTennis.drawSpeedToBg(I)V");
  if (currentCourt == 3) return;
  intoCourtImage([speed] {
    const int32_t menu = courtLayoutMenu;
    const int32_t unit = aload(CGame::optionValues.get(), 1) == 1 ? 1 : 0;
    CGame::DrawFrameAsItem(-1, kBoardPalette, menu, kSpeedBoard, false);
    CGame::DrawFrameAsItem(CGame::GetMenuItemFrameID(menu, kSpeedUnit) + unit, kBoardPalette, menu, kSpeedUnit, false);
    CGame::DrawFrameAsItem(-1, 0, menu, kSpeedDigits, false);
    const int32_t shown = speed > kMaxSpeed ? kMaxSpeed : speed < 0 ? 0 : speed;
    ASprite* font = digitsFont();
    if (isNull(font)) return;
    font->SetGraphics(courtGraphics);
    font->DrawString(CGame::FormatString(shown, 3), itemX(kSpeedDigits), itemY(kSpeedDigits) + 4, 256);
  });
}

void CTennis::drawTimeToBg(int32_t strokes) {
  SORV_FRAME("CTennis.drawTimeToBg(I)V");
  const int32_t seconds = strokes * kSecondsPerStroke;
  const int32_t hours = seconds / 3600, minutes = seconds / 60 % 60;
  intoCourtImage([hours, minutes] {
    const int32_t menu = courtLayoutMenu;
    if (currentCourt != 3 && !mainTournament) CGame::DrawFrameAsItem(-1, kBoardPalette, menu, kTimeBoard, false);
    CGame::DrawFrameAsItem(-1, 0, menu, kTimeDigits, false);
    const int32_t x = itemX(kTimeDigits), y = itemY(kTimeDigits);
    ASprite* font = digitsFont();
    if (!isNull(font)) {
      font->SetGraphics(courtGraphics);
      font->DrawString(CGame::FormatString(hours, 2), x + 11, y + 4, 288);
      font->DrawString(CGame::FormatString(minutes, 2), x + 13, y + 4, 256);
    }
    Graphics* g = courtGraphics;
    g->setColor(kColon);
    g->fillRect(x + 11, y + 2, 1, 1);
    g->fillRect(x + 11, y + 6, 1, 1);
  });
}

}  // namespace sorv
