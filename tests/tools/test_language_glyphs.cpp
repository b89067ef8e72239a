// Every letter of every language drawn as itself, read back through the game: each language's
// archive as the builder writes it, its text packs through the game's text loading (which
// decodes them by the encoding the archive names and sets the language), its fonts through
// the game's font loading, and every character through the game's Char2FrameModule and the
// font maps. Whatever the texts say, every character of every text names a glyph entry of
// its own, and no two letters of the language share a glyph picture (the two cases of one
// letter may, where the game gives both one code). The alphabets and a sentence with every
// letter are drawn into build/look/glyphs-xx.png to be read.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/device/device_fixture.h"
#include "tests/support/picture_file.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/letter_case.h"
#include "tools/mkdata/source_text.h"

namespace sorv::test {
namespace {

struct Alphabet {
  const char* code;
  bool cyrillic;
  std::u16string letters;  // beyond A-Z and a-z in the Latin languages
  std::u16string sentence;
};

// The letters each language writes with (the French ligature oe and capital y with
// diaeresis have no glyph code in the game and are written apart), and a sentence with them.
const Alphabet kAlphabets[kLanguageCount] = {
    {"EN", false, u"", u"The quick brown fox jumps over the lazy dog."},
    {"FR", false, u"ÀÂÆÇÈÉÊËÎÏÔÙÛÜàâæçèéêëîïôùûüÿ",
     u"Portez ce vieux whisky au juge blond qui fume. À Noël, où êtes-vous, garçon ? Ça dégèle, l'aïeul hâbleur."},
    {"IT", false, u"ÀÈÉÌÍÎÒÓÙÚàèéìíîòóùú",
     u"Quel vituperabile xenofobo zelante assaggia il whisky ed esclama: alleluja! Perché è già là, più giù, così."},
    {"DE", false, u"ÄÖÜäöüß", u"Falsches Üben von Xylophonmusik quält jeden größeren Zwerg. Ärger über Öl."},
    {"ES", false, u"ÁÉÍÑÓÚÜáéíñóúü",
     u"¡El pingüino Wenceslao hizo kilómetros bajo exhaustiva lluvia y frío! ¿Añoraba a su querido cachorro?"},
    {"PT", false, u"ÀÁÂÃÇÉÊÍÓÔÕÚÜàáâãçéêíóôõúü",
     u"À noite, vovô Kowalsky vê o ímã cair no pé do pinguim queixoso e vovó põe açúcar no chá de tâmaras."},
    {"NL", false, u"ÁÄÉËÍÏÓÖÚÜÈáäéëíïóöúüè",
     u"Pa's wijze lynx bezag vroom het fikse aquaduct. Één coördinator, één ruïne, één café."},
    {"PL", false, u"ĄĆĘŁŃÓŚŹŻąćęłńóśźż",
     u"Pchnąć w tę łódź jeża lub ośm skrzyń fig. Zażółć gęślą jaźń. ŻÓŁĆ, ŚWIĘTO, ŹRÓDŁO, ĄĘ, ŃĆ."},
    {"CS", false, u"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž",
     u"Příliš žluťoučký kůň úpěl ďábelské ódy. Ó, Ú, Ý, É, Í, Á."},
    {"TR", false, u"ÇĞİÖŞÜçğıöşü", u"Pijamalı hasta yağız şoföre çabucak güvendi. IŞIK, İĞNE, ÇÖRÜ."},
    {"RU", true, u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя",
     u"Съешь же ещё этих мягких французских булок, да выпей чаю. ЭХ, ЖЁЛТЫЙ ЦИФЕРБЛАТ ЩУКИ!"},
};

// The fonts and the map each is given (the main map serves four, the cached map two).
constexpr int32_t kFonts[] = {kFontMain, kFontHint, kFontSmall, kFontCredits, kFontDigits, kFontTitle};

bool isLatinLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool isCyrillicLetter(char16_t c) { return c >= 0x400 && c <= 0x4FF; }

// One letter in two cases: Turkish pairs I with the dotless i and the dotted capital with i.
char16_t folded(int32_t language, char16_t c) {
  if (language == kLanguageTR && c == u'I') return 0x131;
  return mkdata::smallLetter(c);
}

// The characters a text draws: the in-text codes (a palette or glyph code with its operand,
// a bar with its digit, line breaks, the unbreakable group's brackets) are not drawn.
std::vector<char16_t> drawnCharacters(const std::u16string& text) {
  std::vector<char16_t> out;
  for (size_t i = 0; i < text.size(); i++) {
    const char16_t c = text[i];
    if (c == 1 || c == 2 || (c == u'|' && i + 1 < text.size())) {
      i++;
      continue;
    }
    if (c < 32 || c == u'^' || c == u'[' || c == u']') continue;
    out.push_back(c);
  }
  return out;
}

class LanguageGlyphTest : public DeviceTest {
 protected:
  void serveLanguage(const std::string& code) {
    mkdata::ArchiveWriter archive;
    std::string error;
    ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, code)) << error;
    RuntimeTest::TearDown();
    replaceBar(archive.build());
    RuntimeTest::SetUp();
  }

  // Every text of the four packs, loaded and decoded by the game.
  static std::vector<std::u16string> loadTexts() {
    std::vector<std::u16string> texts;
    CGame::Lib_Open(StaticClass::getConstant(kConstTextPack), false);
    for (int32_t entry = 0; entry < kTextPackEntries; entry++) {
      const int32_t pack = kTextPackOfEntry[entry];
      CGame::Str_LoadPack(pack, CGame::Lib_GetData(entry, false, nullptr), nullptr);
      for (int32_t id = 0; id < CGame::GetStringCount(pack); id++) {
        String* s = CGame::GetString(pack, id);
        if (!isNull(s)) texts.emplace_back(s->units(), s->units() + s->length());
      }
    }
    CGame::Lib_Close();
    return texts;
  }

  static ASprite* font(int32_t entry) { return static_cast<ASprite*>(aload(CGame::fontSprites.get(), entry)); }

  // The picture the font draws for c alone.
  std::vector<uint16_t> pictureOf(ASprite* f, char16_t c) {
    constexpr int32_t kSide = 64;
    Image* image = Image::createImage(kSide, kSide);
    Graphics* g = image->getGraphics();
    g->setColor(static_cast<int32_t>(0xFF000000));
    g->fillRect(0, 0, kSide, kSide);
    f->DrawString(g, String::fromUnits(&c, 1), 8, 8, 0);
    const PixelView16 view = image->view16();
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < kSide; y++) pixels.insert(pixels.end(), view.pixels + y * view.pitch, view.pixels + y * view.pitch + kSide);
    return pixels;
  }

  // The alphabet, the sentence and the archive's texts in the main, small and title fonts.
  void drawSheet(const Alphabet& a, const std::vector<std::u16string>& texts) {
    Image* sheet = Image::createImage(800, 380);
    Graphics* g = sheet->getGraphics();
    g->setColor(static_cast<int32_t>(0xFF102040));
    g->fillRect(0, 0, 800, 380);
    std::u16string capitals, smalls;
    for (char16_t c = u'A'; c <= u'Z' && !a.cyrillic; c++) capitals += c;
    for (char16_t c = u'a'; c <= u'z' && !a.cyrillic; c++) smalls += c;
    for (char16_t c : a.letters) (mkdata::isCapital(c) ? capitals : smalls) += c;
    const std::u16string lines[] = {capitals, smalls, a.sentence};
    int32_t y = 4;
    for (int32_t entry : {kFontMain, kFontTitle, kFontSmall}) {
      for (const std::u16string& line : lines) {
        font(entry)->DrawString(g, String::fromUnits(line.data(), static_cast<int32_t>(line.size())), 4, y, 0, 792);
        y += ASprite::textHeight + 2;
      }
    }
    // A text of the archive with its letters beyond ASCII, as its screens would show it.
    for (const std::u16string& text : texts) {
      bool wide = false;
      for (char16_t c : text) wide = wide || c > 0x7F;
      if (!wide || text.size() < 12) continue;
      font(kFontMain)->DrawString(g, String::fromUnits(text.data(), static_cast<int32_t>(text.size())), 4, y, 0, 792);
      break;
    }
    std::string code = a.code;
    for (char& c : code) c = static_cast<char>(c - 'A' + 'a');
    savePicture(sheet, "look", "glyphs-" + code + ".png");
  }
};

TEST_F(LanguageGlyphTest, EveryCharacterOfEveryTextDrawsWithAGlyphOfItsOwn) {
  for (int32_t language = 0; language < kLanguageCount; language++) {
    const Alphabet& a = kAlphabets[language];
    SCOPED_TRACE(a.code);
    serveLanguage(a.code);
    LogCapture log;
    const std::vector<std::u16string> texts = loadTexts();
    ASSERT_EQ(CGame::language, language) << "the archive names its own language";
    CGame::loadingStep = 4;  // the menus' loading step that loads the fonts
    CGame::loadMenuRes();
    EXPECT_EQ(log.text(), "");

    // The letters: the alphabet, the sentence's and those of the texts in the same script.
    std::set<char16_t> letters, drawn;
    for (char16_t c = u'A'; c <= u'z' && !a.cyrillic; c++) {
      if (isLatinLetter(c)) letters.insert(c);
    }
    for (const std::u16string* s : {&a.letters, &a.sentence}) {
      for (char16_t c : *s) (a.cyrillic ? isCyrillicLetter(c) : isLatinLetter(c)) ? (void)letters.insert(c) : (void)0;
    }
    for (const std::u16string& text : texts) {
      for (char16_t c : drawnCharacters(text)) {
        drawn.insert(c);
        if (a.cyrillic ? isCyrillicLetter(c) : isLatinLetter(c)) letters.insert(c);
      }
    }
    for (char16_t c : a.sentence) drawn.insert(c);
    drawn.insert(letters.begin(), letters.end());

    for (int32_t entry : kFonts) {
      SCOPED_TRACE(testing::Message() << "font " << entry);
      ASprite* f = font(entry);
      ASSERT_FALSE(isNull(f));
      const int32_t glyphs = aload(f->frameFModuleCount, 0);
      // What a character without a glyph code gets, and what a code no character owns shows.
      const std::vector<uint16_t> none = pictureOf(f, 0xFFFF), hole = pictureOf(f, 0x7F);
      for (char16_t c : drawn) {
        const int32_t glyph = f->Char2FrameModule(c);
        ASSERT_LT(glyph, glyphs) << mkdata::describeCharacter(c) << " names no glyph entry";
        if (c == u' ' || c == 0xA0) continue;
        const std::vector<uint16_t> picture = pictureOf(f, c);
        EXPECT_NE(picture, none) << mkdata::describeCharacter(c) << " draws as a character without a glyph";
        EXPECT_NE(picture, hole) << mkdata::describeCharacter(c) << " draws as a code no character owns";
      }
      std::map<std::vector<uint16_t>, char16_t> owner;
      for (char16_t c : letters) {
        auto [it, fresh] = owner.emplace(pictureOf(f, c), c);
        if (!fresh) {
          EXPECT_EQ(folded(language, it->second), folded(language, c))
              << mkdata::describeCharacter(it->second) << " and " << mkdata::describeCharacter(c)
              << " share a glyph picture";
        }
      }
    }
    drawSheet(a, texts);
    for (int32_t pack = 0; pack < kTextPackCount; pack++) CGame::Str_UnloadPack(pack);
  }
}

}  // namespace
}  // namespace sorv::test
