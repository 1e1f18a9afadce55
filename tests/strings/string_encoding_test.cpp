#include "strings/string_encoding.h"

#include <gtest/gtest.h>

namespace korvana::strings {
namespace {

TEST(StringEncoding, MenuInBothModes) {
  EXPECT_EQ(EnglishHexOf("Menu"), "4D656E75");
  EXPECT_EQ(ChineseHexOf("Menu"), "A14DA165A16EA175");
  EXPECT_EQ(ChineseHexOf("A "), "A141A120");
}

TEST(StringEncoding, CjkTextInBothModes) {
  // 中文 is D6D0 CEC4 in GBK and U+4E2D U+6587.
  EXPECT_EQ(EnglishHexOf("中文"), "D6D0CEC4");
  EXPECT_EQ(ChineseHexOf("中文"), "4E2D6587");
  EXPECT_EQ(EnglishHexOf("设置1"), "C9E8D6C331");
  EXPECT_EQ(ChineseHexOf("设置1"), "8BBE7F6EA131");
}

TEST(StringEncoding, EveryByteHasTwoDigits) {
  // A TAB below 0x10 must not shift the bytes after it.
  EXPECT_EQ(EnglishHexOf("a\tb"), "610962");
  EXPECT_EQ(ChineseHexOf("\t"), "A109");
}

TEST(StringEncoding, WideCharactersAreUpperCasedNarrowOnesAreNot) {
  EXPECT_EQ(ChineseHexOf("ā"), "0100");  // U+0101 upper-cases to U+0100
  EXPECT_EQ(ChineseHexOf("α"), "0391");
  EXPECT_EQ(ChineseHexOf("ÿ"), "0178");  // U+00FF upper-cases out of the 8-bit range
  EXPECT_EQ(ChineseHexOf("😀"), "D83DDE00");
}

TEST(StringEncoding, CharactersTheCodePageLacksAreRefused) {
  EXPECT_EQ(EnglishHexOf("Gr\xC3\xB6\xC3\x9F" "e"), std::nullopt);  // ö and ß are not in GBK
  EXPECT_EQ(ChineseHexOf("M\xC3\xA4"), std::nullopt);     // ä neither
  EXPECT_EQ(EnglishHexOf("a\xFF"), std::nullopt);         // not UTF-8 at all
  EXPECT_EQ(ChineseHexOf("a\xE4\xB8"), std::nullopt);
  EXPECT_EQ(ChineseHexOf("\xED\xA0\x80"), std::nullopt);  // an encoded surrogate
}

TEST(StringEncoding, Utf16LengthCountsCharacters) {
  EXPECT_EQ(Utf16Length("abc"), 3u);
  EXPECT_EQ(Utf16Length("中文a"), 3u);
  EXPECT_EQ(Utf16Length("😀"), 2u);
  EXPECT_EQ(Utf16Length(""), 0u);
}

}  // namespace
}  // namespace korvana::strings
