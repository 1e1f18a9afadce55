#include "image/hex.h"

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

}  // namespace
}  // namespace korvana::image
