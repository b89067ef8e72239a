// The promotion data file as the promotion screen and the data builder both see it: its
// entries, the constant strings it names, and the ids of its texts, which follow from the
// number of products and list entries. Shared so the two cannot drift apart.
#pragma once

#include <algorithm>
#include <cstdint>

namespace sorv::promo {

// Entries of the file, in the order of the loading steps.
inline constexpr int32_t kEntryHeader = 0, kEntryTexts = 1, kEntryFont = 2, kEntryUiImages = 3;
inline constexpr int32_t kEntryProducts = 4, kEntryPromotion = 5, kEntryFirstList = 6;
inline constexpr int32_t kEntrySecondList = 7, kEntryLinkPage = 8, kEntryExtraPage = 9;
inline constexpr int32_t kEntryCount = 10;
inline constexpr int32_t kUiImageCount = 14;

// Constant strings: the file's name, its texts' encoding, the wide-metric version and the
// version prefix, the two language codes that get the link page's extra picture.
inline constexpr int32_t kConstFileName = 5;
inline constexpr int32_t kConstEmpty = 6;
inline constexpr int32_t kConstWideVersion = 31;
inline constexpr int32_t kConstEncoding = 53;
inline constexpr int32_t kConstExtraImageCode1 = 54, kConstExtraImageCode2 = 55;
inline constexpr int32_t kConstCodeVersion = 71;
// List codes with their own link rules.
inline constexpr int32_t kConstListTemplateCode = 27, kConstListPortalCode = 28;
// Application properties.
inline constexpr int32_t kConstPropPromo = 26, kConstPropTemplate = 34, kConstPropProducts = 36;
inline constexpr int32_t kConstPropPortal = 37, kConstPropText = 38, kConstPropFirstList = 41;
inline constexpr int32_t kConstPropSecondList = 42, kConstPropVip = 51;

// Text ids: text k is page k's (pages 0 .. products + 3); the fixed texts follow base().
struct TextIds {
  int32_t products;
  int32_t firstListEntries;
  int32_t secondListEntries;

  constexpr int32_t base() const { return std::max(products - 1, 0) + 4; }
  constexpr int32_t extraTitle() const { return base() + 1; }
  constexpr int32_t extraBody() const { return base() + 2; }
  constexpr int32_t ok() const { return base() + 7; }
  constexpr int32_t back() const { return base() + 8; }
  constexpr int32_t visit() const { return base() + 9; }
  constexpr int32_t visitProduct() const { return base() + 10; }
  // A list with fewer than 2 entries still takes one id.
  constexpr int32_t firstListLast() const { return base() + 13 + std::max(firstListEntries, 1); }
  constexpr int32_t secondListLast() const { return firstListLast() + std::max(secondListEntries, 1); }
  constexpr int32_t count() const { return secondListLast() + 1; }
  // Entry i of a list whose last id is last and which has n entries.
  static constexpr int32_t listEntry(int32_t last, int32_t n, int32_t i) { return last - n + 1 + i; }
};

}  // namespace sorv::promo
