// Encodes menu records (tools/mkdata/menu_source.h) into the menu data entry the game
// reads: a big-endian u16 total (kMenuIndexBytes + blob length), kMenuIndexEntries s16 blob
// offsets (entry k: where menu k + 1 starts), then the blob of records back to back.
//
// A record: labels - 1, item count, first list item, rows - 1, id count, list header (one
// signed byte each), the ids (s16), then the items. An item: length - 1, type, frame or
// animation id, flags; with the select flag the cursor index, the highlight and four zero
// bytes; then the payload of its kind (all big-endian):
//   frame, anim  x s16, y s16, palette s8, alpha u8 [6 zero bytes, w s16, h s16 when sized]
//   string       x s16, y s16, palette s8, pack s16, text s16, box s16, mode u8, anchor s8
//   rect         x s16, y s16, fill s32, outline s32, w s16, h s16, alpha u8
//   none         [x s16, y s16 when positioned] [8 zero bytes, w s16, h s16 when sized]
// A length override longer than the fields pads with zeros; a shorter one cuts the record
// (fixtures of broken data use that).
//
// Encoding writes what it is given and refuses nothing: the data builder checks first
// (checkMenus, checkMenuTexts). Tests build fixture menus through parseMenuSource or by
// filling MenuRecord, then encode them here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/menu_source.h"

namespace sorv::mkdata {

std::vector<uint8_t> encodeMenuItem(const MenuItem& item);
std::vector<uint8_t> encodeMenuRecord(const MenuRecord& menu);

// The whole entry. Menus are placed by their position in the vector (menu 0 first); fewer
// than kMenuCount are completed with records without items, so any fixture is a full file.
std::vector<uint8_t> encodeMenuData(const std::vector<MenuRecord>& menus);

// Fixture menus for tests and fuzz seeds: parses a source of the first menus (fewer than
// kMenuCount allowed) and encodes it with no checks beyond the syntax, so a record broken on
// purpose (a short length) stays broken.
bool encodeMenuSource(const std::string& source, std::vector<uint8_t>* entry,
                      std::string* error);

// Reads dataDir/menus.txt, checks it (texts through `present`) and encodes it.
bool buildMenuData(const std::string& dataDir, const TextPresence& present,
                   std::vector<uint8_t>* entry, std::string* error);

// Reads dataDir/menus.txt and checks it against what the game reads (checkMenuNeeds); the
// data set is refused when a row is missing.
bool checkMenuSourceNeeds(const std::string& dataDir, std::string* error);

// buildMenuData with the texts the English source gives (every language has the same ids;
// `constants` name the languages).
bool buildMenuDataForTexts(const std::string& dataDir,
                           const std::vector<std::u16string>& constants,
                           std::vector<uint8_t>* entry, std::string* error);

}  // namespace sorv::mkdata
