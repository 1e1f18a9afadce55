#include "strings/string_encoding.h"

#include <gtest/gtest.h>

namespace korvana::strings {
namespace {

TEST(StringEncoding, LatinAndCjkTextsInBothModes) {
  EXPECT_EQ(EnglishHexOf("Menu"), "4D656E75");
  EXPECT_EQ(ChineseHexOf("Menu"), "A14DA165A16EA175");
  EXPECT_EQ(EnglishHexOf("设置1"), "C9E8D6C331");  // GBK
  EXPECT_EQ(ChineseHexOf("设置1"), "8BBE7F6EA131");
  // A TAB below 0x10 keeps two digits, so the bytes after it stay in place.
  EXPECT_EQ(EnglishHexOf("a\tb"), "610962");
  EXPECT_EQ(ChineseHexOf("\t "), "A109A120");
  // Wide characters are upper-cased first; ÿ upper-cases out of the 8-bit range.
  EXPECT_EQ(ChineseHexOf("āÿ😀"), "01000178D83DDE00");
  EXPECT_EQ(Utf16Length("中a😀"), 4u);
}

TEST(StringEncoding, CharactersTheCodePageLacksAreRefused) {
  EXPECT_EQ(EnglishHexOf("Gr\xC3\xB6\xC3\x9F" "e"), std::nullopt);  // ö and ß are not in GBK
  EXPECT_EQ(ChineseHexOf("M\xC3\xA4"), std::nullopt);
  EXPECT_EQ(EnglishHexOf("a\xFF"), std::nullopt);  // not UTF-8
  EXPECT_EQ(ChineseHexOf("\xED\xA0\x80"), std::nullopt);  // an encoded surrogate
  // é and ° are two-byte codes in GBK: behind A1 they would take three
  // bytes and shift the rest of the string (found by fuzzing).
  EXPECT_EQ(ChineseHexOf("a\xC3\xA9"), std::nullopt);
  EXPECT_EQ(ChineseHexOf("\xC2\xB0"), std::nullopt);
  EXPECT_EQ(EnglishHexOf("\xC2\xB0"), "A1E3");
}

}  // namespace
}  // namespace korvana::strings
