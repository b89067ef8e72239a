// The six localized system messages, in the language of the phone's user interface.
//
// One table of six slots, all empty until setLanguage fills them for one language; the
// texts are constant UTF-16 strings that live for the whole program. The game and the setup
// library each compile this file, so it depends on nothing but the C++ library.
// Single-threaded: setLanguage is called once at start, before any get.
#pragma once

#include <cstdint>
#include <string>

namespace sorv {

class LocalizedMessages {
 public:
  static constexpr int kCount = 6;
  enum Index : int32_t {
    kInstalledLaunchQuestion = 0,
    kLaunchFailed = 1,
    kNoticeCaption = 2,
    kQuitQuestion = 3,
    kNotEnoughMemory = 4,
    kKeepSavedDataQuestion = 5,
  };

  // Fills every slot for a primary language id (the UI language id & 0x3FF): 5 Czech,
  // 7 German, 10 Spanish, 12 French, 22 Portuguese, any other English.
  static void setLanguage(uint32_t primaryLanguageId);
  // The slot's text; u"NULL" for an index outside 0..5 or a slot not yet filled.
  static const char16_t* get(int32_t index);

  // UTF-8 of a UTF-16 text (for logs and traces); a lone surrogate becomes U+FFFD.
  static std::string toUtf8(const char16_t* text);
};

}  // namespace sorv
