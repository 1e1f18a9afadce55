#include "image/hex.h"

#include "image/handset_image.h"

#include <gtest/gtest.h>

#include <string>

namespace korvana::image {
namespace {

TEST(HexDigits, OneOrTwoCharactersExactlyElseZero) {
  EXPECT_EQ(HexDigitValue("a"), 10);
  EXPECT_EQ(HexDigitValue("F"), 15);
  EXPECT_EQ(HexDigitValue("G"), 0);
  EXPECT_EQ(HexDigitValue("12"), 0);
  EXPECT_EQ(HexDigitValue(""), 0);
  EXPECT_EQ(HexByteValue("Ff"), 255);
  EXPECT_EQ(HexByteValue("1G"), 16);
  EXPECT_EQ(HexByteValue("f"), 0);
  EXPECT_EQ(HexByteValue("123"), 0);
}

TEST(HexToLong, EveryCharacterTakesAPlaceAndNonDigitsReadAsZero) {
  const std::pair<std::string, std::int64_t> cases[] = {
      {"00A1", 161}, {"0x10", 16}, {"0x1F", 31}, {"1F ", 496}, {"G1", 1}, {"&h10", 16}, {"", 0}, {"ff", 255},
      {"1\xC3\xA4", 16},  // a character of several UTF-8 bytes takes one place, as any character
      {"000000000000000000000001", 1}, {"7FFFFFFF", 2147483647}, {std::string(256, '0'), 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(HexToLong(text), value) << text;
}

TEST(HexToLong, OverflowsAt80000000) {
  // 16^256 is no longer a number: a text of zeros that long overflows too.
  for (const std::string& text : {std::string("80000000"), std::string("FFFFFFFF"), std::string("100000000"),
                                   std::string(257, '0')}) {
    EXPECT_THROW((void)HexToLong(text), HexOverflow) << text;
  }
}

TEST(HexPad, PadsButNeverCuts) {
  EXPECT_EQ(HexPad(10, 2), "0A");
  EXPECT_EQ(HexPad(300, 2), "12C");
  EXPECT_EQ(HexPad(-1, 8), "FFFFFFFF");
  EXPECT_EQ(HexPad(0x1A2B, 8), "00001A2B");
  EXPECT_EQ(ZeroPad("ABC", 2), "ABC");
  EXPECT_EQ(ZeroPad("", 3), "000");
  EXPECT_EQ(ByteToHex2(5), "05");
}

TEST(HexText, IsPaddedCutAndPairedByCharacters) {
  // "ä" is two UTF-8 bytes and one character, a non-digit that reads as 0.
  EXPECT_EQ(ZeroPad("12\xC3\xA4" "4", 8), "000012\xC3\xA4" "4");
  EXPECT_EQ(ZeroPad("\xC3\xA4", 2), "0\xC3\xA4");
  EXPECT_EQ(HexByteValue("\xC3\xA4" "4"), 4);
  EXPECT_EQ(HexByteValue("\xC3\xA4"), 0);
  EXPECT_EQ(LastCharacters("0x0000\xC3\xA4" "100", 8), "0000\xC3\xA4" "100");
  EXPECT_EQ(LastCharacters("AB", 8), "AB");
  EXPECT_EQ(CharacterCount("\x80" "A\xC3\xA4"), 2u);  // a stray continuation byte takes no place
  EXPECT_EQ(PatternBytesOf("\xC3\xA4" "1FF"), (std::vector<std::uint8_t>{0x01, 0xFF}));
}

}  // namespace
}  // namespace korvana::image
