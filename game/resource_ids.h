// Resource numbers shared by the game and the data builder (tools/mkdata), so the two
// cannot drift apart: constant-string numbers by name (the n-th string of
// "/constants.bin"), and later the pack entries and array positions.
//
// Invariants: every number named here is below kConstantCount, and the builder refuses a
// constants source with fewer strings or with a forced text (empty, "\", "rms_") changed.
#pragma once

#include <cstdint>

namespace sorv {

// "/constants.bin" holds at least this many strings (the highest number used is 200).
inline constexpr int32_t kConstantCount = 201;

// The empty string: Throwable's default message, the vendor and suite of the game's stores.
inline constexpr int32_t kConstEmpty = 6;

// The class library's texts: Boolean's words, Hashtable.toString's punctuation, the
// messages of Vector and its enumerations, and System's one property.
inline constexpr int32_t kConstHashtableKeyValue = 19;
inline constexpr int32_t kConstNegativeCapacity = 149;
inline constexpr int32_t kConstHashtableOpen = 165;
inline constexpr int32_t kConstHashtableSeparator = 166;
inline constexpr int32_t kConstHashtableClose = 167;
inline constexpr int32_t kConstNoMoreElements = 168;
inline constexpr int32_t kConstIndexOutOfRange = 190;
inline constexpr int32_t kConstEncodingProperty = 191;
inline constexpr int32_t kConstEncodingValue = 192;
inline constexpr int32_t kConstTrue = 199;
inline constexpr int32_t kConstFalse = 200;

// Record stores. A store's index file is the install folder + kConstPathSeparator +
// kConstRecordStorePrefix + name + kConstRecordStoreSuffix; record n lies beside it at
// index path + kConstRecordFileInfix + n + kConstRecordStoreSuffix. The prefix holds
// "rms_", by which the setup library recognises saved games.
inline constexpr int32_t kConstRecordStoreFullMessage = 104;
inline constexpr int32_t kConstPathSeparator = 105;
inline constexpr int32_t kConstRecordStorePrefix = 106;
inline constexpr int32_t kConstRecordStoreSuffix = 107;
inline constexpr int32_t kConstRecordStoreIoMessage = 108;
inline constexpr int32_t kConstRecordFileInfix = 109;
inline constexpr int32_t kConstGameRecordStore = 113;
inline constexpr int32_t kConstPromoRecordStore = 57;

// The text the setup library looks for in the file names of saved games.
inline constexpr const char* kSavedGameMarker = "rms_";

}  // namespace sorv
