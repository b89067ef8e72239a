// The promotion file's pictures in the menus' kit, as indexed PNG files of the sizes the
// promotion screen lays out: its arrows, back icon and soft keys, the product pages, the
// promotion page and its language marks, the list entries and the link pages.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

enum class PromoPicture { kUi, kProduct, kPromotion, kLanguage, kFirstList, kSecondList, kLink, kLinkExtra, kExtraPage };

// Picture `index` of its kind (the screen picture's number for kUi), w x h.
std::vector<uint8_t> promoArtPicture(PromoPicture kind, int index, int w, int h);

}  // namespace sorv::mkdata
