#include "tools/mkdata/player_palettes.h"

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/figure_painter.h"

namespace sorv::mkdata {

namespace {

constexpr uint32_t kShadowColour = 0x81000000, kSkinLight = 0xFFCF7F38, kSkinDark = 0xFFAB5A12;

const Shades& shadesOfGroup(int group) {
  static const Shades* const kGroups[kColourGroupCount] = {&kHairShades, &kShirtShades,  &kShortsShades, &kSockShades,
                                                          &kShoeShades, &kBandShades, &kRacketShades};
  return *kGroups[group];
}

// The career look's choices per colour group, in the order of its option lists; a group
// sprite has a palette for each (and the white suit after them).
constexpr int kMaxChoices = 7;
struct Choices {
  int count;
  uint32_t colours[kMaxChoices];
};
constexpr Choices kCareerChoices[kColourGroupCount] = {
    {4, {0x1C1410, 0x3C2414, 0x9A6A3A, 0xD8B060}},
    {6, {0xF2F2F2, 0xD8322A, 0x2A5FC8, 0x2F9A4A, 0xF2CC2A, 0x262626}},
    {7, {0xF2F2F2, 0x262626, 0x1F2F6B, 0xD8322A, 0x2A5FC8, 0x8A8A8A, 0xD8C49A}},
    {5, {0xFFFFFF, 0xF0F0F0, 0xE8E8D0, 0xD0E0F8, 0xF8D8E0}},
    {6, {0xF4F4F4, 0x262626, 0x2A5FC8, 0xD8322A, 0x2F9A4A, 0xF2CC2A}},
    {3, {0xF2F2F2, 0xD8322A, 0x2A5FC8}},
    {4, {0x262626, 0xD8322A, 0x2A5FC8, 0xF2CC2A}},
};

// One group's colour over its run: darker toward the first entry, lighter toward the last,
// the colour itself in the middle. The racket's last two entries are its strings, pale.
void shadeGroup(std::vector<uint32_t>& palette, int group, uint32_t rgb) {
  const Shades& s = shadesOfGroup(group);
  const uint32_t base = opaque(rgb), black = opaque(0), white = opaque(0xFFFFFF);
  const int middle = s.count / 2;
  for (int i = 0; i < s.count; i++) {
    uint32_t c;
    if (group == kRacketGroup && i >= middle) {
      c = mixColour(base, white, i == middle ? 70 : 88, 100);
    } else if (i < middle) {
      c = mixColour(base, black, 55 * (middle - i) / middle, 100);
    } else if (i > middle) {
      c = mixColour(base, white, 50 * (i - middle) / (s.count - 1 - middle), 100);
    } else {
      c = base;
    }
    palette[s.index[i]] = c;
  }
}

std::vector<uint32_t> fixedEntries() {
  std::vector<uint32_t> p(kPlayerPaletteColours, opaque(0));
  p[0] = kArtKey;
  p[kFigureShadowIndex] = kShadowColour;
  p[kSkinShades.index[1]] = kSkinLight;
  p[kSkinShades.index[0]] = kSkinDark;
  return p;
}

std::vector<uint8_t> paletteOnlySprite(const std::vector<std::vector<uint32_t>>& palettes) {
  ArtSprite sprite;
  sprite.addModule(Canvas(1, 1));
  for (const std::vector<uint32_t>& p : palettes) sprite.addPalette(p);
  return sprite.write();
}

}  // namespace

std::vector<uint32_t> playerPalette(const Look& look) {
  std::vector<uint32_t> p = fixedEntries();
  for (int g = 0; g < kColourGroupCount; g++) shadeGroup(p, g, look.colours[g]);
  return p;
}

std::vector<std::vector<uint8_t>> colourPackArt(const std::vector<Look>& looks) {
  std::vector<std::vector<uint8_t>> entries;
  for (int g = 0; g < kColourGroupCount; g++) {
    std::vector<std::vector<uint32_t>> palettes;
    const Choices& choices = kCareerChoices[g];
    for (int p = 0; p < kColourGroupPalettes; p++) {
      std::vector<uint32_t> palette = playerPalette(looks[0]);
      const uint32_t colour = p == kWhiteSuitPalette ? kWhiteSuit : choices.colours[p < choices.count ? p : 0];
      shadeGroup(palette, g, colour);
      palettes.push_back(palette);
    }
    entries.push_back(paletteOnlySprite(palettes));
  }
  std::vector<std::vector<uint32_t>> outfits;
  for (const Look& look : looks) outfits.push_back(playerPalette(look));
  entries.push_back(paletteOnlySprite(outfits));
  return entries;
}

}  // namespace sorv::mkdata
