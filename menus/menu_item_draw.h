// What the menu drawing files share: the item record being drawn and the painting of a
// frame or animation item with its palette, alpha, transform and the special frames.
#pragma once

#include <cstdint>

namespace sorv::menu_item {

// The record being drawn; string drawing reads its select block (highlight palette) there.
extern int32_t current;

// The sprite class, id and clock of one frame or animation item draw.
struct SpriteDraw {
  int32_t p = -1;        // the item record
  int32_t id = 0;        // frame or animation id
  bool animation = false;
  int64_t time = 0;      // animations only
  int32_t x = 0, y = 0;  // with the paint offset
  int32_t palette = -1;  // -1: the item's own (or the override)
  bool highlighted = false;
};

void paintSprite(const SpriteDraw& d);
// The item's payload position plus the paint offset.
int32_t itemX(int32_t p);
int32_t itemY(int32_t p);
// Whether the highlighted item at p shows its highlight frame: during a tap a button (type
// 14) shows it on odd blink counts, and the sixth draw after the release fires select.
bool tapShowsHighlight(int32_t p);
// The pointer on a button item drawn at (x, y).
void buttonTouch(int32_t p, int32_t x, int32_t y);

}  // namespace sorv::menu_item
