#include <gtest/gtest.h>

#include "image/hex.h"
#include "support/test_support.h"
#include "tools/address_calculator.h"

namespace korvana::tools {
namespace {

std::string Next(std::string_view start, std::string_view size) {
  const NextAddress next = NextAddressAfter(start, size);
  EXPECT_TRUE(next.outcome.ok) << start << " + " << size;
  return next.text;
}

TEST(AddressCalculator, GivesTheFirstAddressAfterTheBlock) {
  EXPECT_EQ(Next("1A2B00", "5186"), "001A3F42");
  EXPECT_EQ(Next("00120000", "16"), "00120010");
  EXPECT_EQ(Next("", "4096"), "00001000");
  EXPECT_EQ(Next("0x1000", "0"), "00001000");
  EXPECT_EQ(Next("1000", "12abc"), "0000100C");
  EXPECT_EQ(Next("ff", ""), "000000FF");
  EXPECT_EQ(Next("0", "&H10"), "00000010");
  EXPECT_EQ(Next("10", "2.5"), "00000012");  // 18.5 rounds to the even 18
  EXPECT_EQ(Next("7FFFFFFE", "1"), "7FFFFFFF");
}

TEST(AddressCalculator, AnAddressPast7FFFFFFFIsMessage30) {
  for (const auto& [start, size] : std::vector<std::pair<std::string, std::string>>{
           {"7FFFFFFF", "1"}, {"10", "-17"}, {"0", "1e300"}, {"0", "-1e400"}}) {
    const NextAddress next = NextAddressAfter(start, size);
    EXPECT_FALSE(next.outcome.ok) << start << " + " << size;
    EXPECT_EQ(next.outcome.message, msg::kStopNotAboveStart);
    EXPECT_EQ(next.text, "");
  }
  EXPECT_THROW((void)NextAddressAfter("80000000", "1"), image::HexOverflow);
}

TEST(AddressCalculator, SizeOfAChosenFile) {
  test::TempDir dir;
  test::WriteBytes(dir.Path("tone.mmf"), std::vector<std::uint8_t>(70000, 1));
  EXPECT_EQ(SizeTextOfFile(dir.Path("tone.mmf")), "70000");
  EXPECT_EQ(SizeTextOfFile(dir.Path("missing.mmf")), std::nullopt);
}

}  // namespace
}  // namespace korvana::tools
