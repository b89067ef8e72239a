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

std::vector<std::vector<uint8_t>> colourPackArt(const std::vector<Look>& looks, const CareerChoices& choices) {
  std::vector<std::vector<uint8_t>> entries;
  for (int g = 0; g < kColourGroupCount; g++) {
    std::vector<std::vector<uint32_t>> palettes;
    const std::vector<uint32_t>& offered = choices.colours[g];
    for (int p = 0; p < kColourGroupPalettes; p++) {
      std::vector<uint32_t> palette = playerPalette(looks[0]);
      const size_t choice = static_cast<size_t>(p) < offered.size() ? static_cast<size_t>(p) : 0;
      const uint32_t colour = p == kWhiteSuitPalette ? kWhiteSuit : offered.empty() ? kWhiteSuit : offered[choice];
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
