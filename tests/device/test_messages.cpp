// The localized system messages shared by the game and the setup library.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "device/messages.h"

namespace sorv {
namespace {

std::u16string text(int32_t index) { return LocalizedMessages::get(index); }

// Each test runs in its own process under ctest, so this one sees the table unfilled.
TEST(LocalizedMessages, EverySlotIsNullUntilALanguageIsChosen) {
  for (int32_t index : {0, 4, 5, 6, -1}) EXPECT_EQ(text(index), u"NULL") << index;
}

TEST(LocalizedMessages, LanguageFollowsThePrimaryId) {
  struct Case {
    uint32_t primaryId;
    const char16_t* notice;
    const char16_t* keepSavedData;
  };
  const Case cases[] = {
      {5, u"Poznámka", u"Chceš zachovat svá uložená data?"},
      {7, u"Hinweis", u"Möchtest du deine gespeicherten Daten behalten?"},
      {10, u"Advertencia", u"¿Quieres conservar tus datos guardados?"},
      {12, u"Avertissement", u"Voulez-vous conserver les données sauvegardées?"},
      {22, u"Aviso", u"Queres manter os teus dados guardados?"},
      {9, u"Notice", u"Do you want to keep your saved data?"},
      {16, u"Notice", u"Do you want to keep your saved data?"},
      {0x3FF, u"Notice", u"Do you want to keep your saved data?"},
  };
  for (const Case& c : cases) {
    LocalizedMessages::setLanguage(c.primaryId);
    EXPECT_EQ(text(LocalizedMessages::kNoticeCaption), c.notice) << c.primaryId;
    EXPECT_EQ(text(LocalizedMessages::kKeepSavedDataQuestion), c.keepSavedData) << c.primaryId;
  }
  LocalizedMessages::setLanguage(9);
  EXPECT_EQ(text(LocalizedMessages::kNotEnoughMemory),
            u"Could not free the required memory to run the game.\nPlease try closing all "
            u"running applications and launch the game again.");
  for (int32_t index : {6, 7, -1, INT_MIN, INT_MAX}) EXPECT_EQ(text(index), u"NULL") << index;
}

TEST(LocalizedMessages, Utf8OfTheTexts) {
  EXPECT_EQ(LocalizedMessages::toUtf8(u"Möchtest\n"), "M\xC3\xB6" "chtest\n");
  EXPECT_EQ(LocalizedMessages::toUtf8(u"\U0001F3BE"), "\xF0\x9F\x8E\xBE");
  EXPECT_EQ(LocalizedMessages::toUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");  // lone surrogate
  EXPECT_EQ(LocalizedMessages::toUtf8(nullptr), "");
}

}  // namespace
}  // namespace sorv
