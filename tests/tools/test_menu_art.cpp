// The menus' art of the shipped data, loaded as the boot loads it and drawn with the game's own
// sprite code: every sprite holds what the game names, no tag is left, what a match still
// draws survives the menus' unloading, texts stand out from what lies under them, the
// backdrop is calm, and controls change when lit or pressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "tools/data/menu_screens.h"
#include "tests/menus/menu_fixture.h"
#include "tools/mkdata/boot_art.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/button_art.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/menu_kit.h"
#include "tools/mkdata/menu_source.h"
#include "tools/mkdata/menu_sprite_art.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

constexpr int32_t kW = 800, kH = 480;
constexpr int32_t kBackdropFrame = 4, kTitleFrame = 3;

class MenuArtTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData("EN", mk::DataStyle::kArt);
    clear();
  }

  static ASprite* menuSprite(int32_t entry) { return static_cast<ASprite*>(aload(CGame::menuSprites.get(), entry)); }
  static ASprite* fromPack(int32_t pack, int32_t entry) {
    ASprite* s = CGame::loadSprite(StaticClass::getConstant(pack), false, entry, false);
    CGame::Lib_Close();
    return s;
  }
  static Graphics* g() { return CGame::backBufferGraphics; }
  static int32_t frames(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static int32_t anims(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }
  static int32_t palettes(ASprite* s) { return s->paletteCount; }

  // The modules a frame draws, through the frames it places.
  static void modulesOf(ASprite* s, int32_t frame, std::set<int32_t>& out, int depth = 0) {
    const int32_t first = aload(s->frameFirstFModule, frame), count = aload(s->frameFModuleCount, frame);
    for (int32_t e = first; e < first + count; e++) {
      const int32_t flags = aload(s->fmoduleFlags, e) & 0xFF;
      int32_t m = aload(s->fmoduleModule, e) & 0xFF;
      if ((flags & 0x10) != 0) {
        if (depth < 8) modulesOf(s, m, out, depth + 1);
        continue;
      }
      if ((flags & ~3) == 0x40) m += 256;
      out.insert(m);
    }
  }
  static std::set<int32_t> framesOfAnim(ASprite* s, int32_t anim) {
    std::set<int32_t> out;
    const int32_t first = aload(s->animFirstAFrame, anim), count = aload(s->animAFrameCount, anim);
    for (int32_t a = first; a < first + count; a++) out.insert(aload(s->aframeFrame, a) & 0xFF);
    return out;
  }

  // Painted alone at (x, y) on a black screen: the pixels of the whole screen.
  static std::vector<uint16_t> painted(const std::function<void()>& paint) {
    clear();
    paint();
    return region(0, 0, kW, kH);
  }

  static double luminance(uint32_t rgb) {
    auto linear = [](uint32_t c) {
      const double v = c / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16 & 0xFF) + 0.7152 * linear(rgb >> 8 & 0xFF) + 0.0722 * linear(rgb & 0xFF);
  }
  static uint32_t rgbOf(uint16_t p) { return ((p >> 11) << 3) << 16 | (((p >> 5) & 0x3F) << 2) << 8 | (p & 0x1F) << 3; }
  static double contrast(uint32_t a, uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
  }
};

TEST_F(MenuArtTest, EverySpriteHoldsWhatTheGameNames) {
  struct Minimum {
    const char* what;
    ASprite* sprite;
    int32_t modules, frames, anims, palettes;
  };
  const Minimum minimums[] = {
      {"boot", CGame::bootSprite, 1, 2, 1, 1},
      {"boot state", fromPack(kConstBootPack, kBootStateSprite), 1, 1, 1, 1},
      {"main menu", menuSprite(kMenuMain), 66, 127, 47, 4},
      {"loading", menuSprite(kMenuSecond), 1, 3, 1, 1},
      {"buttons", menuSprite(kMenuButtons), 59, 31, 12, 1},
      {"third", fromPack(kConstMenuPack, kMenuThird), 1, 1, 1, 1},
      {"fourth", menuSprite(kMenuFourth), 1, 1, 1, 1},
      {"fifth", menuSprite(kMenuFifth), 1, 1, 1, 1},
      {"history", fromPack(kConstMenuExtPack, kMenuExtHistory), 1, kHistoryTopicScreens, 1, 1},
  };
  for (const Minimum& m : minimums) {
    SCOPED_TRACE(m.what);
    ASSERT_FALSE(isNull(m.sprite));
    EXPECT_GE(m.sprite->moduleCount, m.modules);
    EXPECT_GE(frames(m.sprite), m.frames);
    EXPECT_GE(anims(m.sprite), m.anims);
    EXPECT_GE(palettes(m.sprite), m.palettes);
    for (int32_t a = 0; a < anims(m.sprite); a++) EXPECT_GT(m.sprite->GetActionTime(a), 0) << "animation " << a;
  }
  // The select blink of the main menu waits for animation 11's frames.
  EXPECT_GE(menuSprite(kMenuButtons)->GetAFrames(11), 2);
  EXPECT_GE(CGame::bootSprite->GetAFrames(0), mk::kSpinnerDots);
  // The loading screen's frame 0 covers the whole screen: nothing of the screen before shows.
  const std::vector<uint16_t> loading = painted([] { menuSprite(kMenuSecond)->PaintFrame(g(), 0, 0, 0, 0, 0, 0); });
  EXPECT_EQ(std::count(loading.begin(), loading.end(), uint16_t{0}), 0);
  // So does the main menu's whole background, its pieces and the panels filling its holes.
  const std::vector<uint16_t> main = painted([] {
    menuSprite(kMenuMain)->PaintFrame(g(), mk::kMainMenuLayerFrame, 0, 0, 0, 0, 0);
  });
  EXPECT_EQ(std::count(main.begin(), main.end(), uint16_t{0}), 0);
}

TEST_F(MenuArtTest, NoModuleIsALabel) {
  // Every label the labelled style draws, by size.
  std::vector<std::pair<int32_t, int32_t>> labelled;
  for (int32_t pack = 79; pack <= 143; pack++)
    for (int32_t entry = 0; entry < 22; entry++) labelled.push_back({pack, entry});
  const struct {
    const char* what;
    ASprite* sprite;
  } sprites[] = {{"boot", CGame::bootSprite},
                 {"boot state", fromPack(kConstBootPack, kBootStateSprite)},
                 {"main menu", menuSprite(kMenuMain)},
                 {"loading", menuSprite(kMenuSecond)},
                 {"buttons", fromPack(kConstMenuPack, kMenuButtons)},
                 {"spare", fromPack(kConstMenuPack, kMenuThird)},
                 {"history", fromPack(kConstMenuExtPack, kMenuExtHistory)}};
  for (const auto& [what, sprite] : sprites) {
    SCOPED_TRACE(what);
    ASSERT_FALSE(isNull(sprite));
    for (int32_t m = 0; m < sprite->moduleCount; m++) {
      if (aload(sprite->moduleKind, m) != ASprite::kModuleImage) continue;
      const int32_t w = aload(sprite->moduleWidth, m), h = aload(sprite->moduleHeight, m);
      for (const auto& [pack, entry] : labelled) {
        const mk::SpriteModule label = mk::labelModule(pack, entry);
        if (label.width != w || label.height != h) continue;
        IntArray* argb = sprite->DecodeImage(m, 0);
        ASSERT_FALSE(isNull(argb));
        // The same picture: one colour wherever the label inks, another wherever it does not.
        std::set<int32_t> ink, paper;
        for (size_t i = 0; i < label.pixels.size(); i++)
          (label.pixels[i] == 1 ? ink : paper).insert(argb->elements()[i]);
        EXPECT_FALSE(ink.size() == 1 && paper.size() == 1 && *ink.begin() != *paper.begin())
            << "module " << m << " reads P" << pack << "-" << entry;
      }
    }
  }
}

TEST_F(MenuArtTest, WhatAMatchDrawsSurvivesTheMenusUnloading) {
  ASprite* menu = menuSprite(kMenuMain);
  ASprite* buttons = menuSprite(kMenuButtons);
  auto kept = [](int32_t m) {
    for (const auto& range : mk::kMenuKeptModules)
      if (m >= range[0] && m <= range[1]) return true;
    return false;
  };
  auto keptButton = [](int32_t m) {
    return std::find(std::begin(mk::kButtonKeptModules), std::end(mk::kButtonKeptModules), m) != std::end(mk::kButtonKeptModules);
  };
  struct Drawn {
    ASprite* sprite;
    bool anim;
    int32_t number;
    std::vector<uint16_t> before;
  };
  std::vector<Drawn> drawn;
  for (int32_t f : mk::kMenuFramesInMatch) drawn.push_back({menu, false, f, {}});
  for (int32_t a : mk::kMenuAnimsInMatch) drawn.push_back({menu, true, a, {}});
  for (int32_t f : mk::kButtonFramesInMatch) drawn.push_back({buttons, false, f, {}});
  for (int32_t a : mk::kButtonAnimsInMatch) drawn.push_back({buttons, true, a, {}});
  auto paint = [](const Drawn& d) {
    return painted([&] {
      if (!d.anim) {
        d.sprite->PaintFrame(g(), d.number, 300, 200, 0, 0, 0);
        return;
      }
      for (int32_t i = 0; i < d.sprite->GetAFrames(d.number); i++) d.sprite->PaintAFrame(g(), d.number, i, 300, 200, 0);
    });
  };
  for (Drawn& d : drawn) {
    SCOPED_TRACE((d.sprite == menu ? "main menu " : "buttons ") + std::string(d.anim ? "animation " : "frame ") +
                 std::to_string(d.number));
    std::set<int32_t> modules;
    if (d.anim) {
      for (int32_t f : framesOfAnim(d.sprite, d.number)) modulesOf(d.sprite, f, modules);
    } else {
      modulesOf(d.sprite, d.number, modules);
    }
    EXPECT_FALSE(modules.empty());
    for (int32_t m : modules) EXPECT_TRUE(d.sprite == menu ? kept(m) : keptButton(m)) << "module " << m;
    d.before = paint(d);
  }
  CGame::unloadMenuRes();
  for (const Drawn& d : drawn) EXPECT_EQ(paint(d), d.before) << (d.anim ? "animation " : "frame ") << d.number;
}

TEST_F(MenuArtTest, TextsStandOutFromWhatLiesUnderThem) {
  std::string source, error;
  ASSERT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/menus.txt", &source, &error)) << error;
  std::vector<mk::MenuRecord> menus;
  ASSERT_TRUE(mk::parseMenuSource(source, &menus, &error)) << error;
  for (int32_t id : {3, 5, 7, 13, 14, 35, 37}) {
    SCOPED_TRACE("menu " + std::to_string(id));
    const mk::MenuRecord& menu = menus[static_cast<size_t>(id)];
    // What the screen stands on, then the menu's own pictures in their order.
    clear();
    menuSprite(kMenuMain)->PaintFrame(g(), kBackdropFrame, 0, 0, 0, 0, 0);
    for (size_t i = 0; i < menu.items.size(); i++) {
      const mk::MenuItem& item = menu.items[i];
      if ((item.flags & mk::item_flags::kHidden) != 0) continue;
      if (item.kind == mk::ItemKind::kFrame) CGame::DrawFrameAsItem(-1, -1, id, static_cast<int32_t>(i), false);
      if (item.kind == mk::ItemKind::kRectangle) CGame::DrawItem(CGame::GetItemPointer(id, static_cast<int32_t>(i)), false, true, 0);
    }
    for (size_t i = 0; i < menu.items.size(); i++) {
      const mk::MenuItem& item = menu.items[i];
      if (item.kind != mk::ItemKind::kString || (item.flags & mk::item_flags::kHidden) != 0) continue;
      ASprite* font = CGame::GetAnimationIDByClass(item.type);
      ASSERT_FALSE(isNull(font));
      const int32_t h = aload(font->moduleHeight, 0);
      const int32_t x = item.x - (item.anchor % 3 == 1 ? item.box / 2 : item.anchor % 3 == 2 ? item.box : 0);
      const int32_t y = item.y - (item.anchor / 3 == 1 ? h / 2 : item.anchor / 3 == 2 ? h : 0);
      const uint32_t ink = mk::kFontInks[std::clamp(item.palette, 0, 5)] & 0xFFFFFF;
      double worst = 21;
      for (uint16_t p : region(std::max(x, 0), std::max(y, 0), std::min(item.box, kW - std::max(x, 0)), std::min(h, kH - std::max(y, 0))))
        worst = std::min(worst, contrast(ink, rgbOf(p)));
      EXPECT_GE(worst, 4.5) << "item " << i;
    }
    // A lit entry: its button's highlight fill under its label in the highlight's ink (its
    // ball-yellow edge and ball are the lit look itself, beside the text).
    for (size_t i = 0; i < menu.items.size(); i++) {
      const mk::MenuItem& label = menu.items[i];
      if (label.kind != mk::ItemKind::kString || (label.flags & mk::item_flags::kSelectable) == 0) continue;
      for (size_t b = 0; b < menu.items.size(); b++) {
        const mk::MenuItem& button = menu.items[b];
        if (button.kind != mk::ItemKind::kFrame || (button.flags & mk::item_flags::kSelectable) == 0 ||
            button.cursor != label.cursor) continue;
        clear();
        CGame::DrawFrameAsItem(-1, -1, id, static_cast<int32_t>(b), true);
        ASprite* font = CGame::GetAnimationIDByClass(label.type);
        const int32_t h = aload(font->moduleHeight, 0);
        const int32_t x = label.x - (label.anchor % 3 == 1 ? label.box / 2 : label.anchor % 3 == 2 ? label.box : 0);
        const int32_t y = label.y - (label.anchor / 3 == 1 ? h / 2 : 0);
        const uint32_t ink = mk::kFontInks[std::clamp(label.highlight >> 1, 0, 5)] & 0xFFFFFF;
        std::set<uint16_t> look;
        for (uint8_t c : {mk::kit::kBall, mk::kit::kBallShade, mk::kit::kBallSeam, mk::kit::kInk})
          look.insert(pixel::toRgb565(mk::kitPalette(0)[c]));
        double worst = 21;
        for (uint16_t p : region(x, y, label.box, h))
          if (p != 0 && look.count(p) == 0) worst = std::min(worst, contrast(ink, rgbOf(p)));
        EXPECT_GE(worst, 4.5) << "lit item " << i;
      }
    }
  }
}

TEST_F(MenuArtTest, TheBackdropIsCalmAndCutFromFewModules) {
  ASprite* menu = menuSprite(kMenuMain);
  std::set<int32_t> modules;
  modulesOf(menu, kBackdropFrame, modules);
  EXPECT_LE(modules.size(), 16u);
  const std::vector<uint16_t> px = painted([&] { menu->PaintFrame(g(), kBackdropFrame, 0, 0, 0, 0, 0); });
  const uint16_t line = pixel::toRgb565(mk::kitPalette(0)[mk::kit::kCourtLine]);
  int lines = 0;
  for (int32_t y = 0; y < kH; y++) {
    for (int32_t x = 0; x < kW; x++) {
      const uint16_t p = px[static_cast<size_t>(y * kW + x)];
      ASSERT_NE(p, 0) << x << "," << y << " left uncovered";
      if (p == line) {
        lines++;
        continue;
      }
      for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
        if (x + dx >= kW || y + dy >= kH) continue;
        const uint16_t q = px[static_cast<size_t>((y + dy) * kW + x + dx)];
        if (q == line) continue;
        const uint32_t a = rgbOf(p), b = rgbOf(q);
        for (int shift : {0, 8, 16}) {
          ASSERT_LE(std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)), 24)
              << x << "," << y;
        }
      }
    }
  }
  EXPECT_GT(lines, 2000) << "the court's lines";
}

TEST_F(MenuArtTest, ControlsChangeWhenLitOrPressed) {
  ASprite* menu = menuSprite(kMenuMain);
  ASprite* buttons = menuSprite(kMenuButtons);
  struct Pair {
    const char* what;
    ASprite* sprite;
    bool anim;
    int32_t normal, lit;
  };
  const Pair pairs[] = {
      {"entry bar", buttons, false, 0, 1},          {"answer", buttons, false, mk::kAnswerFrame, mk::kAnswerLitFrame},
      {"load choice", buttons, false, mk::kChoiceFrame, mk::kChoiceLitFrame},
      {"row, style 0", menu, false, 13, 14},        {"row, style 1", menu, false, 15, 16},
      {"row, style 2", menu, false, 17, 18},        {"soft key", menu, false, 119, 126},
      {"up arrow", menu, true, 33, 35},             {"down arrow", menu, true, 34, 36},
      {"right arrow", buttons, true, 8, 6},         {"left arrow", buttons, true, 9, 7},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(p.what);
    auto draw = [&](int32_t n) {
      return painted([&] {
        if (p.anim) p.sprite->PaintAFrame(g(), n, 0, 400, 240, 0);
        else p.sprite->PaintFrame(g(), n, 200, 200, 0, 0, 0);
      });
    };
    const std::vector<uint16_t> a = draw(p.normal), b = draw(p.lit);
    int inked = 0, differ = 0;
    for (size_t i = 0; i < a.size(); i++) {
      if (a[i] == 0 && b[i] == 0) continue;
      inked++;
      if (a[i] != b[i]) differ++;
    }
    ASSERT_GT(inked, 0);
    EXPECT_GE(differ * 5, inked) << differ << " of " << inked;
  }
}

TEST_F(MenuArtTest, TheTitleAndTheMakersNameSitOnTheirOrigins) {
  struct Centred {
    const char* what;
    ASprite* sprite;
    int32_t frame, minWidth, minHeight;
  };
  // The title's letters are 6 face pixels of 7 rows tall.
  const Centred centred[] = {{"title", menuSprite(kMenuMain), kTitleFrame, 400, 6 * 7},
                             {"maker", CGame::bootSprite, 1, 200, 30}};
  for (const Centred& c : centred) {
    SCOPED_TRACE(c.what);
    const std::vector<uint16_t> px = painted([&] { c.sprite->PaintFrame(g(), c.frame, kW / 2, kH / 2, 0, 0, 0); });
    int32_t left = kW, right = -1, top = kH, bottom = -1;
    for (int32_t y = 0; y < kH; y++)
      for (int32_t x = 0; x < kW; x++)
        if (px[static_cast<size_t>(y * kW + x)] != 0) {
          left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_GE(right - left + 1, c.minWidth);
    EXPECT_GE(bottom - top + 1, c.minHeight);
    EXPECT_LE(std::abs(left + right - kW), 8) << left << ".." << right;
    EXPECT_LE(std::abs(top + bottom - kH), 8) << top << ".." << bottom;
  }
  // The boot's backdrop is dark all over; its spinner turns.
  const std::vector<uint16_t> boot = painted([] { CGame::bootSprite->PaintFrame(g(), 0, 0, 0, 0, 0, 0); });
  for (size_t i = 0; i < boot.size(); i += 97) ASSERT_LT(luminance(rgbOf(boot[i])), 0.06) << i;
  std::set<std::vector<uint16_t>> steps;
  for (int32_t i = 0; i < CGame::bootSprite->GetAFrames(0); i++)
    steps.insert(painted([&] { CGame::bootSprite->PaintAFrame(g(), 0, i, 400, 420, 0); }));
  EXPECT_EQ(steps.size(), static_cast<size_t>(mk::kSpinnerDots));
}

}  // namespace
}  // namespace sorv::test
