#include "image/hex.h"

#include <gtest/gtest.h>

#include <string>

namespace korvana::image {
namespace {

TEST(HexDigitValue, ReadsOneHexCharacterAndZeroForEverythingElse) {
  EXPECT_EQ(HexDigitValue("a"), 10);
  EXPECT_EQ(HexDigitValue("F"), 15);
  EXPECT_EQ(HexDigitValue("7"), 7);
  EXPECT_EQ(HexDigitValue("G"), 0);
  EXPECT_EQ(HexDigitValue("12"), 0);
  EXPECT_EQ(HexDigitValue(""), 0);
}

TEST(HexToLong, EveryCharacterTakesAPlaceAndNonDigitsReadAsZero) {
  EXPECT_EQ(HexToLong("00A1"), 161);
  EXPECT_EQ(HexToLong("0x10"), 16);
  EXPECT_EQ(HexToLong("0x1F"), 31);
  EXPECT_EQ(HexToLong("1F "), 496);
  EXPECT_EQ(HexToLong("G1"), 1);
  EXPECT_EQ(HexToLong("&h10"), 16);
  EXPECT_EQ(HexToLong(""), 0);
  EXPECT_EQ(HexToLong("ff"), 255);
  // A character of several UTF-8 bytes takes one place, as any character.
  EXPECT_EQ(HexToLong("1\xC3\xA4"), 16);
  EXPECT_EQ(HexToLong("000000000000000000000001"), 1);
}

TEST(HexToLong, OverflowsAt80000000) {
  EXPECT_EQ(HexToLong("7FFFFFFF"), 2147483647);
  EXPECT_THROW((void)HexToLong("80000000"), HexOverflow);
  EXPECT_THROW((void)HexToLong("FFFFFFFF"), HexOverflow);
  EXPECT_THROW((void)HexToLong("100000000"), HexOverflow);
  // 16^256 is no longer a number: a text of zeros that long overflows too.
  EXPECT_NO_THROW((void)HexToLong(std::string(256, '0')));
  EXPECT_THROW((void)HexToLong(std::string(257, '0')), HexOverflow);
}

TEST(HexByteValue, NeedsExactlyTwoCharacters) {
  EXPECT_EQ(HexByteValue("f"), 0);
  EXPECT_EQ(HexByteValue("1G"), 16);
  EXPECT_EQ(HexByteValue("Ff"), 255);
  EXPECT_EQ(HexByteValue("123"), 0);
}

TEST(HexPad, PadsButNeverCuts) {
  EXPECT_EQ(HexPad(10, 2), "0A");
  EXPECT_EQ(HexPad(300, 2), "12C");
  EXPECT_EQ(HexPad(-1, 8), "FFFFFFFF");
  EXPECT_EQ(HexPad(0, 1), "0");
  EXPECT_EQ(HexPad(0x1A2B, 8), "00001A2B");
  EXPECT_EQ(ZeroPad("ABC", 2), "ABC");
  EXPECT_EQ(ZeroPad("", 3), "000");
}

TEST(ByteToHex2, AlwaysTwoUpperCaseDigits) {
  EXPECT_EQ(ByteToHex2(5), "05");
  EXPECT_EQ(ByteToHex2(21), "15");
  EXPECT_EQ(ByteToHex2(255), "FF");
}

TEST(AddressByteSum, AddsTheFourAddressBytes) {
  EXPECT_EQ(AddressByteSum(0x0010FF00), 271);
  EXPECT_EQ(AddressByteSum(0x7FFFFFFF), 0x7F + 3 * 0xFF);
  EXPECT_EQ(AddressByteSum(0), 0);
}

}  // namespace
}  // namespace korvana::image
