#include <gtest/gtest.h>

#include <cmath>

#include "image/hex.h"
#include "tools/lenient_number.h"
#include "tools/place_list.h"
#include "tools/stored_address.h"

namespace korvana::tools {
namespace {

using Bytes4 = StoredAddress;

TEST(StoredAddress, IsLeastSignificantByteFirstForShortAndPrefixedTexts) {
  EXPECT_EQ(StoredAddressOf("00123456"), (Bytes4{0x56, 0x34, 0x12, 0x00}));
  EXPECT_EQ(StoredAddressOf("1A2B"), (Bytes4{0x2B, 0x1A, 0x00, 0x00}));
  EXPECT_EQ(StoredAddressOf("a1b2c4"), (Bytes4{0xC4, 0xB2, 0xA1, 0x00}));
  // The "0x" the lists show reads as zero digits, in front of eight digits or fewer.
  EXPECT_EQ(StoredAddressOf("0x00123456"), (Bytes4{0x56, 0x34, 0x12, 0x00}));
  EXPECT_EQ(StoredAddressOf("0x1A2B"), (Bytes4{0x2B, 0x1A, 0x00, 0x00}));
  // Eight digits may be any 32-bit value; a ninth non-zero digit cannot be stored.
  EXPECT_EQ(StoredAddressOf("FFFFFFFF"), (Bytes4{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_THROW((void)StoredAddressOf("123456789"), image::HexOverflow);
  EXPECT_EQ(StoredAddressOf("000012345678"), (Bytes4{0x78, 0x56, 0x34, 0x12}));
  // A character of several UTF-8 bytes ("ä") is one character, read as 0.
  EXPECT_EQ(StoredAddressOf("12\xC3\xA4" "4"), (Bytes4{0x04, 0x12, 0x00, 0x00}));
  EXPECT_EQ(StoredAddressOf("\xC3\xA4" "0001234"), (Bytes4{0x34, 0x12, 0x00, 0x00}));
  EXPECT_EQ(StoredAddressOf("\xC3\xA4" "00001234"), (Bytes4{0x34, 0x12, 0x00, 0x00}));
  EXPECT_THROW((void)StoredAddressOf("1\xC3\xA4" "0001234"), image::HexOverflow);
  EXPECT_EQ(AddressDigitsOf("0x0000\xC3\xA4" "100"), "0000\xC3\xA4" "100");
}

TEST(PictureRecord, RefusesDimensionsNoRecordCanHold) {
  EXPECT_FALSE(DimensionsOf("128x160"));
  EXPECT_FALSE(DimensionsOf(""));
  EXPECT_FALSE(DimensionsOf("1e300*5"));
  EXPECT_FALSE(PictureRecordOf(*DimensionsOf("65536*1"), {}));
  EXPECT_FALSE(PictureRecordOf(*DimensionsOf("-1*1"), {}));
  EXPECT_TRUE(PictureRecordOf(*DimensionsOf("65535*0"), {}));
  // Sides are read as the picture list reads them: leniently, rounded.
  const auto lenient = DimensionsOf(" 1 28 px*160.4*9");
  ASSERT_TRUE(lenient);
  EXPECT_EQ(lenient->width, 128);
  EXPECT_EQ(lenient->height, 160);
}

TEST(LenientNumber, ReadsTheNumberAtTheStart) {
  const std::pair<const char*, double> cases[] = {
      {"5186", 5186}, {"12abc", 12}, {" 4 0 96 ", 4096}, {"", 0}, {"abc", 0}, {"&H10", 16}, {"&hff zz", 255},
      {"&HFFFF", 65535},  // no 16-bit sign games with a size
      {"&O17", 15}, {"-16", -16}, {"+7", 7}, {"1.5kg", 1.5}, {"3e2", 300}, {"3e", 3}, {"2D1", 20}, {"1,5", 1},
      {"1e-400", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LenientNumber(text), value) << text;
  EXPECT_TRUE(std::isinf(LenientNumber("1e400")));
}

}  // namespace
}  // namespace korvana::tools
