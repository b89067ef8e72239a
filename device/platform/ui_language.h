// The phone's user-interface language (the stand-in for GetUserDefaultUILanguage).
//
// A Windows language id: primary language in the low 10 bits, sublanguage above. Taken from
// SORV_UI_LANGID (e.g. "0x0407"; decimal too) when it holds a valid id, else from the
// language of LANG ("de_DE.UTF-8" gives 0x0407), else English (0x0409). Read on every call.
#pragma once

#include <cstdint>

namespace sorv::platform {

inline constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
inline constexpr uint16_t kLangIdEnglishUS = 0x0409;

uint16_t userDefaultUILanguage();

}  // namespace sorv::platform
