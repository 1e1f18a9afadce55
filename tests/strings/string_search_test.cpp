// The bytes a text becomes in each encoding, and the search that walks its hits.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "strings/string_encoding.h"
#include "strings/string_search.h"

namespace korvana::strings {
namespace {

TEST(StringEncoding, LatinAndCjkTextsInBothModesAndWhatTheCodePageLacksIsRefused) {
  using Hex = std::optional<std::string>;
  const std::pair<Hex, Hex> cases[] = {
      {EnglishHexOf("Menu"), "4D656E75"}, {ChineseHexOf("Menu"), "A14DA165A16EA175"},
      {EnglishHexOf("设置1"), "C9E8D6C331"}, {ChineseHexOf("设置1"), "8BBE7F6EA131"},  // GBK, UTF-16
      // A TAB below 0x10 keeps two digits, so the bytes after it stay in place.
      {EnglishHexOf("a\tb"), "610962"}, {ChineseHexOf("\t "), "A109A120"},
      // Wide characters are upper-cased first; ÿ upper-cases out of the 8-bit range.
      {ChineseHexOf("āÿ😀"), "01000178D83DDE00"},
      {EnglishHexOf("Gr\xC3\xB6\xC3\x9F" "e"), std::nullopt},  // ö and ß are not in GBK
      {ChineseHexOf("M\xC3\xA4"), std::nullopt}, {EnglishHexOf("a\xFF"), std::nullopt},  // not UTF-8
      {ChineseHexOf("\xED\xA0\x80"), std::nullopt},                                        // an encoded surrogate
      // é and ° are two-byte codes in GBK: behind A1 they would shift the rest (found by fuzzing).
      {ChineseHexOf("a\xC3\xA9"), std::nullopt}, {ChineseHexOf("\xC2\xB0"), std::nullopt},
      {EnglishHexOf("\xC2\xB0"), "A1E3"}};
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
  EXPECT_EQ(Utf16Length("中a😀"), 4u);
}

TEST(DecimalValueOf, ReadsTheLeadingNumberAndRoundsHalfToEven) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"3.5", 4}, {"2.5", 2}, {" \t-2.5", -2}, {"+1.49x", 1}, {"-3.5", -4}, {"12abc", 12}, {"", 0}, {".75", 1}};
  for (const auto& [text, value] : cases) EXPECT_EQ(RoundHalfEven(DecimalValueOf(text)), value) << text;
  using Limits = std::numeric_limits<std::int64_t>;
  EXPECT_EQ(std::pair(RoundHalfEven(1e300), RoundHalfEven(-1e300)), std::pair(Limits::max(), Limits::min()));
}

// An image of 0xEE bytes with byte strings placed at addresses.
image::HandsetImage ImageOf(std::size_t size, const std::vector<std::pair<std::size_t, std::string>>& places) {
  std::vector<std::uint8_t> bytes(size, 0xEE);
  for (const auto& [at, text] : places) std::memcpy(bytes.data() + at, text.data(), text.size());
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

const std::string kZero(1, '\0');
const StringSearchRequest kMenu{"Menu", StringEncoding::kEnglish, false};

// The cursor is the image's, shared with the tone scan: a scan's miss restarts the search and its counter.
TEST(SearchString, ClicksWalkTheHitsWithACursorSharedWithOtherSearches) {
  image::HandsetImage image = ImageOf(0x400, {{0x100, "Menu" + kZero}, {0x200, "Menu 2" + kZero}, {0x280, "MMMD"},
                                              {0x300, "Menu" + kZero}});
  StringSearchFields f;
  EXPECT_EQ(SearchString(image, {"", StringEncoding::kEnglish, false}, f).message, msg::kEnterSearchText);
  EXPECT_EQ(SearchString(image, {"Men\xC3\xB6", StringEncoding::kEnglish, false}, f).message, msg::kEnterSearchText);
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start + f.stop + f.length, "1" "00000100" "00000103" "4");
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start + f.stop + f.length, "2" "00000200" "00000205" "6");
  EXPECT_EQ(f.replacementLimit, 6);
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(SearchString(image, kMenu, f).message, msg::kSearchFinished);
  EXPECT_EQ(f.start, "");
  // "ab Begin": the first occurrence every time, the counter stays at 1.
  for (int click = 0; click < 2; ++click) {
    ASSERT_TRUE(SearchString(image, {"Menu", StringEncoding::kEnglish, true}, f).ok);
    EXPECT_EQ(f.counter + f.start, "1" "00000100");
  }
  ASSERT_TRUE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start, "2" "00000300");
  ASSERT_FALSE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start, "1" "00000100");
}

TEST(SearchString, LengthAndLimitOfShortOddAndUnterminatedStrings) {
  // U+0100 is 01 00 in the two-byte form: its string ends inside the hit, half a character.
  image::HandsetImage image = ImageOf(0x400, {{0x20, "A" + kZero}, {0x30, std::string("\x01\x00", 2)},
                                              {0x80, "\x8B\xBE\x7F\x6E\x41" + kZero},
                                              {0x180, "\x8B\xBE\x7F\x6E\x41\x42\x43" + kZero},
                                              {0x200, "\x8B\xBE\x7F\x6E" + kZero}, {0x3F0, "Menu" + kZero}, {0x3FC, "Menu"}});
  StringSearchFields f;
  ASSERT_TRUE(SearchString(image, {"A", StringEncoding::kEnglish, true}, f).ok);
  EXPECT_EQ(f.start + f.stop + f.length, "00000020" "00000020" "1");
  ASSERT_TRUE(SearchString(image, {"Ā", StringEncoding::kChinese, true}, f).ok);
  EXPECT_EQ(f.start + f.stop + f.length, "00000030" "00000030" "0.5");
  EXPECT_EQ(f.replacementLimit, 0);
  // 设置 then 5, 7 and 4 bytes: 2.5 rounds to 2, 3.5 to 4.
  for (const char* lengthAndLimit : {"2.5/2", "3.5/4", "2/2"}) {
    ASSERT_TRUE(SearchString(image, {"设置", StringEncoding::kChinese, false}, f).ok);
    EXPECT_EQ(f.length + "/" + std::to_string(f.replacementLimit), lengthAndLimit);
  }
  ASSERT_TRUE(SearchString(image, {"Menu", StringEncoding::kEnglish, true}, f).ok);  // no zero before the end: not shown
  EXPECT_EQ(SearchString(image, kMenu, f).message, msg::kSearchFinished);
  EXPECT_EQ(f.counter + f.start, "2");
}

}  // namespace
}  // namespace korvana::strings
