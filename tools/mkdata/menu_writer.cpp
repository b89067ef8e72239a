#include "tools/mkdata/menu_writer.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/byte_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/menu_needs.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/text_source.h"

namespace sorv::mkdata {
namespace {

constexpr int kSelectSpareBytes = 4;
// Zeros between a sprite item's alpha, or a none item's position, and its size.
constexpr int kSpriteSizeGap = 6;
constexpr int kNoneSizeGap = 8;

void s16(ByteWriter& out, int v) { out.u16(static_cast<uint16_t>(v)); }
void s8(ByteWriter& out, int v) { out.u8(static_cast<uint8_t>(v)); }
void zeros(ByteWriter& out, int n) {
  for (int i = 0; i < n; ++i) out.u8(0);
}

}  // namespace

std::vector<uint8_t> encodeMenuItem(const MenuItem& item) {
  ByteWriter out;
  const int natural = naturalItemLength(item);
  const int length = item.length != 0 ? item.length : natural;
  s8(out, length - 1);
  s8(out, item.type);
  s8(out, item.id);
  s8(out, item.flags);
  if ((item.flags & item_flags::kSelectable) != 0) {
    s8(out, item.cursor);
    s8(out, item.highlight);
    zeros(out, kSelectSpareBytes);
  }
  switch (item.kind) {
    case ItemKind::kFrame:
    case ItemKind::kAnimation:
      s16(out, item.x);
      s16(out, item.y);
      s8(out, item.palette);
      out.u8(static_cast<uint8_t>(item.alpha));
      if (item.sized) {
        zeros(out, kSpriteSizeGap);
        s16(out, item.w);
        s16(out, item.h);
      }
      break;
    case ItemKind::kString:
      s16(out, item.x);
      s16(out, item.y);
      s8(out, item.palette);
      s16(out, item.pack);
      s16(out, item.text);
      s16(out, item.box);
      out.u8(static_cast<uint8_t>(item.mode));
      s8(out, item.anchor);
      break;
    case ItemKind::kRectangle:
      s16(out, item.x);
      s16(out, item.y);
      out.s32(static_cast<int32_t>(item.fill));
      out.s32(static_cast<int32_t>(item.outline));
      s16(out, item.w);
      s16(out, item.h);
      out.u8(static_cast<uint8_t>(item.alpha));
      break;
    case ItemKind::kNone:
      if (item.positioned) {
        s16(out, item.x);
        s16(out, item.y);
      }
      if (item.sized) {
        zeros(out, kNoneSizeGap);
        s16(out, item.w);
        s16(out, item.h);
      }
      break;
  }
  std::vector<uint8_t>& bytes = out.bytes();
  bytes.resize(static_cast<size_t>(length > 0 ? length : 0), 0);
  return bytes;
}

std::vector<uint8_t> encodeMenuRecord(const MenuRecord& menu) {
  ByteWriter out;
  s8(out, menu.labels - 1);
  s8(out, static_cast<int>(menu.items.size()));
  s8(out, menu.first);
  s8(out, menu.rows - 1);
  s8(out, static_cast<int>(menu.ids.size()));
  s8(out, menu.header);
  for (int id : menu.ids) s16(out, id);
  for (const MenuItem& item : menu.items) {
    std::vector<uint8_t> bytes = encodeMenuItem(item);
    out.raw(bytes.data(), bytes.size());
  }
  return out.bytes();
}

std::vector<uint8_t> encodeMenuData(const std::vector<MenuRecord>& menus) {
  std::vector<uint8_t> blob;
  std::vector<int> starts;
  for (int m = 0; m < kMenuCount; ++m) {
    starts.push_back(static_cast<int>(blob.size()));
    const MenuRecord empty;
    std::vector<uint8_t> record =
        encodeMenuRecord(m < static_cast<int>(menus.size()) ? menus[static_cast<size_t>(m)] : empty);
    blob.insert(blob.end(), record.begin(), record.end());
  }
  ByteWriter out;
  out.u16(static_cast<uint16_t>(kMenuIndexBytes + blob.size()));
  for (int m = 1; m < kMenuCount; ++m) s16(out, starts[static_cast<size_t>(m)]);
  out.raw(blob.data(), blob.size());
  return out.bytes();
}

bool encodeMenuSource(const std::string& source, std::vector<uint8_t>* entry,
                      std::string* error) {
  std::vector<MenuRecord> menus;
  if (!parseMenuSource(source, &menus, error)) return false;
  if (menus.size() > static_cast<size_t>(kMenuCount)) {
    *error = "menus.txt: more than " + std::to_string(kMenuCount) + " menus";
    return false;
  }
  *entry = encodeMenuData(menus);
  return true;
}

bool buildMenuData(const std::string& dataDir, const TextPresence& present,
                   std::vector<uint8_t>* entry, std::string* error) {
  std::string source;
  std::vector<MenuRecord> menus;
  if (!readSourceFile(dataDir + "/menus.txt", &source, error) ||
      !parseMenuSource(source, &menus, error) || !checkMenus(menus, error) ||
      !checkMenuTexts(menus, present, error)) {
    return false;
  }
  *entry = encodeMenuData(menus);
  return true;
}

bool checkMenuSourceNeeds(const std::string& dataDir, std::string* error) {
  std::string source;
  std::vector<MenuRecord> menus;
  return readSourceFile(dataDir + "/menus.txt", &source, error) && parseMenuSource(source, &menus, error) &&
         checkMenuNeeds(menus, error);
}

bool buildMenuDataForTexts(const std::string& dataDir,
                           const std::vector<std::u16string>& constants,
                           std::vector<uint8_t>* entry, std::string* error) {
  const std::string path =
      textSourcePath(dataDir, constants[static_cast<size_t>(kConstLanguageCodes[kLanguageEN])]);
  std::string contents;
  TextSource english;
  if (!readSourceFile(path, &contents, error) ||
      !parseTextSource(contents, path.substr(path.find_last_of('/') + 1), &english, error)) {
    return false;
  }
  // A text the source leaves out would be an empty string: nothing to show.
  const TextPresence given = [&english](int pack, int id) {
    if (pack < 0 || pack >= kTextPackCount || id < 0) return false;
    const std::vector<int32_t>& lines = english.lines[static_cast<size_t>(pack)];
    return static_cast<size_t>(id) < lines.size() && lines[static_cast<size_t>(id)] != 0;
  };
  return buildMenuData(dataDir, given, entry, error);
}

}  // namespace sorv::mkdata
