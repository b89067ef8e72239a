// Player palettes: 34 colours made from fixed entries and seven colour groups, each group a
// run of entries copied from one palette of its colour sprite.
#include <algorithm>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<IntArray> CGame::allColourGroups;

namespace {

constexpr int32_t kFixedEntries[][2] = {
    {0, 0x00FF00FF}, {1, static_cast<int32_t>(0x81000000)}, {32, static_cast<int32_t>(0xFFCF7F38)},
    {33, static_cast<int32_t>(0xFFAB5A12)}};
// The career player's slot among the palettes, by whether the match is a women's one.
constexpr int32_t kCareerSlotMen = 17, kCareerSlotWomen = 35;

bool listed(IntArray* groups, int32_t g) {
  if (isNull(groups)) return false;
  return std::find(groups->elements(), groups->elements() + groups->length, g) !=
         groups->elements() + groups->length;
}

// Copies entries start..start+count-1 of the group's chosen palette to the same positions.
// A choice outside the sprite's palettes uses its current palette, as -1 does: the choice is
// a byte of a saved record.
void copyGroup(IntArray* palette, int32_t g, int32_t choice) {
  auto* range = static_cast<IntArray*>(aload(CGame::colourGroupRanges.get(), g));
  auto* sprite = static_cast<ASprite*>(aload(CGame::colourSprites.get(), g));
  if (isNull(range) || isNull(sprite)) return reportError("NullPointer");
  const int32_t start = aload(range, 0), count = aload(range, 1);
  if (choice < 0 || choice >= sprite->paletteCount) choice = sprite->GetCurrentPalette();
  IntArray* colours = sprite->getPalette(choice);
  if (isNull(colours)) return;
  for (int32_t i = start; i < start + count; i++) astore(palette, i, aload(colours, i));
}

// The list of every colour group: the career player is dressed in all seven of its looks.
void initColourGroups() {
  SORV_FRAME("CGame.<clinit> colour groups");
  CGame::allColourGroups = Array::newIntArray(CGame::kColourGroups);
  for (int32_t g = 0; g < CGame::kColourGroups && !isNull(CGame::allColourGroups.get()); g++) {
    astore(CGame::allColourGroups.get(), g, g);
  }
}

}  // namespace

SORV_STATIC_INIT(kCGame, initColourGroups);

IntArray* CGame::buildPlayerPalette(IntArray* base, ByteArray* colours, IntArray* groups) {
  SORV_FRAME("CGame.buildPlayerPalette([I[B[I)[I");
  IntArray* palette = base;
  if (isNull(base) || base->length < kPlayerPaletteColours) {
    palette = Array::newIntArray(kPlayerPaletteColours);
    if (palette == nullptr) return nullptr;
    if (!isNull(base)) std::copy_n(base->elements(), base->length, palette->elements());
  }
  for (const auto& [index, colour] : kFixedEntries) palette->elements()[index] = colour;
  for (int32_t g = 0; g < kColourGroups; g++) {
    if (listed(groups, g)) copyGroup(palette, g, aload(colours, g));
  }
  return palette;
}

IntArray* CGame::buildPlayerPalette(IntArray* base, ByteArray* colours) {
  return buildPlayerPalette(base, colours, allColourGroups);
}

IntArray* CGame::getPalyerPal(int32_t n) {
  SORV_FRAME("CGame.getPalyerPal(I)[I");
  IntArray* palette = Array::newIntArray(kPlayerPaletteColours);
  if (palette == nullptr) return nullptr;
  const int32_t mode = aload(matchSettings.get(), 0);
  const int32_t careerSlot = mode == 2 || mode == 3 ? kCareerSlotWomen : kCareerSlotMen;
  if (isCareer && n == careerSlot) {
    palette = buildPlayerPalette(palette, careerLook, allColourGroups);
  } else if (ASprite* sprite = playerPaletteSprite; !isNull(sprite)) {
    IntArray* source = sprite->getPalette(n);
    if (!isNull(source)) {
      std::copy_n(source->elements(), std::min(source->length, palette->length), palette->elements());
    }
  } else {
    reportError("NullPointer");
  }
  if (isMainTournament()) palette = buildPlayerPalette(palette, whiteSuitColours, whiteSuitGroups);
  return palette;
}

}  // namespace sorv
