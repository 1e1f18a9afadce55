#include "pictures/bmp_encoders.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/bmp_operations.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

// The pixel bytes after the 70-byte working header.
Bytes PixelsOf(const Bytes& working) { return {working.begin() + 70, working.end()}; }

TEST(ConvertBmpTo, ReducesPrimaryColoursAndBuildsTheWorkingHeader) {
  const Bytes bmp = Bmp24({{kWhite, kRed, kGreen, kBlue}});
  Bytes to16 = bmp;
  ASSERT_TRUE(ConvertBmpTo16(to16));
  Bytes header = Headers(4, 1, 16, 3, 16, 8);
  header.insert(header.end(), kMasks565.begin(), kMasks565.end());
  // Green keeps five bits, so white is FFDF and pure green 07C0.
  header.insert(header.end(), {0xDF, 0xFF, 0x00, 0xF8, 0xC0, 0x07, 0x1F, 0x00});
  EXPECT_EQ(to16, header);

  Bytes to8 = bmp;
  ASSERT_TRUE(ConvertBmpTo8(to8));
  EXPECT_EQ(PixelsOf(to8), (Bytes{0xFF, 0x03, 0x1C, 0xE0}));
  EXPECT_EQ(std::tuple(to8[28], to8[10]), std::tuple(8, 70));
}

TEST(ConvertBmpTo, TwelveBitsPackPairsAndEndOddRowsWithHalfAGroup) {
  // Width 3: pixels (1,2,3) (4,5,6) (7,8,9) as 4-bit levels of red, green,
  // blue; the row is 5 bytes, padded to 8.
  auto level = [](int v) { return static_cast<std::uint8_t>(v * 17); };
  Bytes bmp = Bmp24({{{level(3), level(2), level(1)}, {level(6), level(5), level(4)}, {level(9), level(8), level(7)}},
                     {kBlack, kBlack, kWhite}});
  ASSERT_TRUE(TransformBmp(bmp, 1));
  ASSERT_TRUE(ConvertBmpTo12(bmp));
  EXPECT_EQ(bmp[28], 12);
  // The filler nibble of the odd group comes from the source row's padding
  // (zero here).
  EXPECT_EQ(PixelsOf(bmp), (Bytes{0x12, 0x34, 0x56, 0x78, 0x90, 0, 0, 0,  //
                                  0x00, 0x00, 0x00, 0xFF, 0xF0, 0, 0, 0}));
}

TEST(ConvertBmpTo, ReadsSixteenAndEightBitSourcesFromTheirOwnOffsets) {
  // 5-5-5 red (7C00) and 5-6-5 red (F800) both become 03 at depth 8.
  Bytes plain = Bmp16Of(2, 1, false, [](int x, int) { return x == 0 ? std::uint16_t{0x7C00} : std::uint16_t{0x001F}; });
  Bytes masked = Bmp16Of(2, 1, true, [](int x, int) { return x == 0 ? std::uint16_t{0xF800} : std::uint16_t{0x07E0}; });
  ASSERT_TRUE(ConvertBmpTo8(plain));
  ASSERT_TRUE(ConvertBmpTo8(masked));
  EXPECT_EQ(PixelsOf(plain), (Bytes{0x03, 0xE0, 0, 0}));
  EXPECT_EQ(PixelsOf(masked), (Bytes{0x03, 0x1C, 0, 0}));

  // An 8-bit BMP with a 108-byte header: the palette starts at 14 + 108 and
  // the pixels at the offset the header gives, not at 54. Its last entry
  // lacks the fourth byte, which no reader needs.
  Bytes eight = Headers(2, 1, 8, 0, 68 + 7, 4);
  eight[14] = 108;
  eight.resize(14 + 108, 0);
  eight.insert(eight.end(), {0, 0, 255, 0, 255, 0, 0, 1, 0, 0, 0});  // red, blue; pixels 1 0
  Bytes eight16 = eight;
  ASSERT_TRUE(ConvertBmpTo8(eight));
  EXPECT_EQ(PixelsOf(eight), (Bytes{0xE0, 0x03, 0, 0}));
  ASSERT_TRUE(ConvertBmpTo16(eight16));
  EXPECT_EQ(PixelsOf(eight16), (Bytes{0x1F, 0x00, 0x00, 0xF8}));
}

TEST(ConvertBmpTo, RefusesWhatItCannotReadAndLeavesTheBufferAlone) {
  for (Bytes empty : {Bmp24({}), Bmp24({{}})}) EXPECT_TRUE(ConvertBmpTo16(empty));  // nothing to read is no failure
  Bytes truncated = Bmp24({{kWhite, kRed}, {kRed, kWhite}});
  truncated.resize(truncated.size() - 4);
  // An index past a palette of two entries.
  const Bytes badIndex = PackedBmp(1, 8, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {{2}});
  for (const Bytes& bad : {truncated, badIndex, Bmp1Of(8, 1, false, [](int, int) { return true; })}) {
    for (auto* convert : {&ConvertBmpTo8, &ConvertBmpTo12, &ConvertBmpTo16}) {
      Bytes copy = bad;
      EXPECT_FALSE(convert(copy));
      EXPECT_EQ(copy, bad);
    }
  }
}

TEST(EncodeMonoPicture, WritesVerticalPagesAndTakesTheDarkerEntryAsBlack) {
  // Height 12: two pages; column x is black in row x only (a diagonal), and
  // column 0 is black in row 11 as well.
  auto black = [](int x, int y) { return x == y || (x == 0 && y == 11); };
  Bytes expected(24, 0);
  for (int x = 0; x < 12; ++x)
    expected[static_cast<std::size_t>(x < 8 ? x : 12 + x)] = static_cast<std::uint8_t>(1 << x % 8);
  expected[12] = 0x08;  // second page: rows 8..11 in bits 0..3
  for (bool whiteFirst : {false, true}) {
    Bytes bmp = Bmp1Of(12, 12, whiteFirst, black);
    ASSERT_TRUE(TransformBmp(bmp, 1));
    EXPECT_EQ(EncodeMonoPicture(bmp), expected) << whiteFirst;
  }
  EXPECT_FALSE(EncodeMonoPicture(Bmp24({{kWhite}})));
  // Rows missing from the end of the file read as white.
  Bytes cut = Bmp1Of(8, 2, false, [](int, int) { return true; });
  cut.resize(cut.size() - 4);
  EXPECT_EQ(EncodeMonoPicture(cut), Bytes(8, 0x01));
}

}  // namespace
}  // namespace korvana::pictures
