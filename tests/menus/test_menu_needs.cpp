#include <gtest/gtest.h>
#include <functional>

#include "menus/menu_record.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"
#include "tools/data/menu_needs.h"
#include "tools/mkdata/menu_needs.h"
#include "tools/mkdata/menu_source.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// What a row misses in the loaded menu data, read with the game's readers; empty when held.
std::string missingInGame(const MenuNeed& need) {
  const int32_t o = CGame::MenuOffset(need.menu);
  if (o < 0) return "no menu";
  const int8_t* b = CGame::menuData->elements();
  if (need.kind == MenuNeedKind::kShape) {
    if (b[o] + 1 != need.a) return "label count";
    if (need.b >= 0 && b[o + 3] + 1 != need.b) return "rows";
    if (need.c >= 0 && b[o + 2] != need.c) return "first list item";
    return "";
  }
  const int32_t p = CGame::GetItemPointer(need.menu, need.item);
  if (p < 0) return "no item";
  if (need.itemClass >= 0 && CGame::GetMenuItemType(b[p + 1]) != need.itemClass) return "class";
  if ((b[p + 3] & need.flags) != need.flags) return "flags";
  if (need.kind == MenuNeedKind::kButton && b[p + 1] != need.a) return "type";
  if (need.kind == MenuNeedKind::kButton || need.kind == MenuNeedKind::kRow) {
    if ((b[p + 3] & menu_record::kSelectable) == 0) return "not selectable";
    if (b[p + 4] != need.b) return "cursor index";
  }
  return "";
}

class MenuNeedsTest : public MenuTest {
 protected:
  void spritesHoldWhatTheItemsName();
};

TEST_F(MenuNeedsTest, TheBuilderRefusesLayoutsThatMissARow) {
  std::string source, error;
  ASSERT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/menus.txt", &source, &error)) << error;
  std::vector<mk::MenuRecord> shipped;
  ASSERT_TRUE(mk::parseMenuSource(source, &shipped, &error)) << error;
  ASSERT_TRUE(mk::checkMenuNeeds(shipped, &error)) << error;
  struct Case {
    const char* what;
    std::function<void(std::vector<mk::MenuRecord>&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"a main menu's row lost its select flag",
       [](auto& m) { m[63].items[17].flags &= ~mk::item_flags::kSelectable; }, "menu 63 item 17"},
      {"a button with another cursor index", [](auto& m) { m[3].items[3].cursor = 0; }, "menu 3 item 3"},
      {"a label count", [](auto& m) { m[5].labels = 3; }, "menu 5 item -1"},
      {"the spinner shown", [](auto& m) { m[0].items[2].flags = 0; }, "menu 0 item 2"},
      {"a bar without its last item", [](auto& m) { m[35].items.pop_back(); }, "menu 35 item 8"},
      {"a soft-key button in the middle", [](auto& m) { m[35].items[2].x = 100; }, "neither side"},
      {"a screen's menu without ids", [](auto& m) { m[47].ids.clear(); }, "menu 47 needs an id list for screen 31"},
      {"an eighth history topic, with no screen to open",
       [](auto& m) { m[38].ids.insert(m[38].ids.begin(), 290); }, "lists 8 history topics"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<mk::MenuRecord> menus = shipped;
    c.damage(menus);
    error.clear();
    EXPECT_FALSE(mk::checkMenuNeeds(menus, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST_F(MenuNeedsTest, EveryLanguagesArchiveHoldsTheRowsTheTextsAndTheSprites) {
  const char* languages[] = {"EN", "FR", "IT", "DE", "ES", "PT", "NL", "PL", "CS", "TR", "RU"};
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    useShippedData(language);
    for (const MenuNeed& need : kMenuNeeds) {
      EXPECT_EQ(missingInGame(need), "") << "menu " << need.menu << " item " << need.item;
    }
    // The main menus' entries have texts.
    for (int32_t menu : {5, 63, 64, 65}) {
      IntArray* ids = CGame::MenuGetMenuItemList(menu);
      ASSERT_FALSE(isNull(ids)) << menu;
      for (int32_t i = 0; i < ids->length; i++) {
        String* text = CGame::GetString(2, ids->elements()[i]);
        EXPECT_TRUE(!isNull(text) && text->length() > 0) << menu << " entry " << ids->elements()[i];
      }
    }
  }
}

TEST_F(MenuNeedsTest, TheSpritesHoldWhatTheItemsName) {
  for (mk::DataStyle style : {mk::DataStyle::kLabels, mk::DataStyle::kArt}) {
    SCOPED_TRACE(style == mk::DataStyle::kArt ? "art" : "labels");
    useShippedData("EN", style);
    spritesHoldWhatTheItemsName();
  }
}

void MenuNeedsTest::spritesHoldWhatTheItemsName() {
  auto animCount = [](ASprite* s) { return isNull(s) || isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; };
  auto frameCount = [](ASprite* s) { return isNull(s) || isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; };
  // Every animation an item names, where its sprite comes with the menus, runs for a time;
  // every frame an item names (and its highlight frame) exists.
  for (int32_t m = 0; m < kMenuCount; m++) {
    for (int32_t i = 0; CGame::GetItemPointer(m, i) >= 0; i++) {
      ASprite* sprite = CGame::MenuGetItemSprite(m, i);
      if (isNull(sprite)) continue;
      const int32_t p = CGame::GetItemPointer(m, i);
      const int32_t type = CGame::menuData->elements()[p + 1];
      if (CGame::GetMenuItemType(type) == menu_need::kFrame) {
        const int32_t frame = CGame::GetMenuItemFrameID(m, i);
        EXPECT_LT(frame, frameCount(sprite)) << m << "/" << i;
        if ((CGame::menuData->elements()[p + 3] & menu_record::kSelectable) != 0) {
          EXPECT_LT(CGame::menuData->elements()[p + 5], frameCount(sprite)) << m << "/" << i << " highlight";
        }
        continue;
      }
      const int32_t anim = CGame::GetMenuItemActionID(m, i);
      if (anim < 0) continue;
      ASSERT_LT(anim, animCount(sprite)) << m << "/" << i;
      EXPECT_GT(sprite->GetActionTime(anim), 0) << m << "/" << i;
    }
  }
  ASprite* softKeys = CGame::GetAnimationIDByClass(19);
  EXPECT_GT(frameCount(softKeys), 126);
  ASSERT_GT(animCount(softKeys), 34);
  EXPECT_GT(softKeys->GetActionTime(17), 0);
  EXPECT_GT(CGame::GetAnimationIDByClass(20)->GetActionTime(33), 0);
  EXPECT_GT(CGame::GetAnimationIDByClass(20)->GetActionTime(34), 0);
  ASprite* rows = CGame::GetAnimationIDByClass(15);
  ASSERT_GT(animCount(rows), 9);
  for (int32_t a = 6; a <= 9; a++) EXPECT_GT(rows->GetActionTime(a), 0) << a;
  // The sound question's highlight frames are also animations.
  ASprite* buttons = CGame::GetAnimationIDByClass(14);
  for (int32_t i : {2, 3}) {
    const int32_t p = CGame::GetItemPointer(3, i);
    const int32_t highlight = CGame::menuData->elements()[p + 5];
    ASSERT_LT(highlight, animCount(buttons));
    EXPECT_GT(buttons->GetActionTime(highlight), 0);
  }
}

}  // namespace
}  // namespace sorv::test
