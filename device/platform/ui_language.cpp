#include "device/platform/ui_language.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace sorv::platform {
namespace {

struct LocaleLanguage {
  const char* locale;  // language code, or language_COUNTRY where the country matters
  uint16_t langId;
};

// The most specific entry comes first.
constexpr LocaleLanguage kLocaleLanguages[] = {
    {"pt_br", 0x0416}, {"pt", 0x0816}, {"en_gb", 0x0809}, {"en", 0x0409},
    {"cs", 0x0405},    {"de", 0x0407}, {"es", 0x0C0A},    {"fr", 0x040C},
    {"it", 0x0410},    {"nl", 0x0413}, {"pl", 0x0415},    {"ru", 0x0419},
    {"sv", 0x041D},    {"ja", 0x0411}, {"ko", 0x0412},    {"zh", 0x0804},
};

bool parseLangId(const char* text, uint16_t& langId) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long value = std::strtoul(text, &end, 0);
  if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFF || text[0] == '-') return false;
  langId = static_cast<uint16_t>(value);
  return true;
}

uint16_t langIdFromLocale(const char* lang) {
  if (lang == nullptr) return kLangIdEnglishUS;
  std::string name;
  for (const char* p = lang; *p != '\0' && *p != '.' && *p != '@'; ++p) {
    char c = *p;
    name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  for (const LocaleLanguage& entry : kLocaleLanguages) {
    size_t n = std::strlen(entry.locale);
    if (name.compare(0, n, entry.locale) == 0 && (name.size() == n || name[n] == '_')) {
      return entry.langId;
    }
  }
  return kLangIdEnglishUS;
}

}  // namespace

uint16_t userDefaultUILanguage() {
  const char* forced = std::getenv("SORV_UI_LANGID");
  uint16_t langId = 0;
  if (parseLangId(forced, langId)) return langId;
  if (forced != nullptr && *forced != '\0') {
    std::fprintf(stderr, "UI language: SORV_UI_LANGID \"%s\" is not a language id; using LANG\n",
                 forced);
  }
  return langIdFromLocale(std::getenv("LANG"));
}

}  // namespace sorv::platform
