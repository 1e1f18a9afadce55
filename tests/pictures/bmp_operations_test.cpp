#include "pictures/bmp_operations.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/bmp_encoders.h"
#include "pictures/bmp_file.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

// The pixel bytes after the 70-byte working header.
Bytes PixelsOf(const Bytes& working) { return {working.begin() + 70, working.end()}; }

TEST(TransformBmp, FlipsMirrorsAndTurnsOfA3x2Picture) {
  constexpr Bgr kGrey{1, 2, 3};
  const Bytes original = Bmp24({{kRed, kGreen, kBlue}, {kWhite, kBlack, kGrey}});
  const std::vector<std::vector<std::vector<Bgr>>> expected{
      {{kWhite, kBlack, kGrey}, {kRed, kGreen, kBlue}},     // 1: upside down
      {{kBlue, kGreen, kRed}, {kGrey, kBlack, kWhite}},     // 2: mirrored
      {{kWhite, kRed}, {kBlack, kGreen}, {kGrey, kBlue}},   // 3: clockwise
      {{kBlue, kGrey}, {kGreen, kBlack}, {kRed, kWhite}}};  // 4: anticlockwise
  for (int mode = 1; mode <= 4; ++mode) {
    Bytes bmp = original;
    ASSERT_TRUE(TransformBmp(bmp, mode));
    EXPECT_EQ(bmp, Bmp24(expected[static_cast<std::size_t>(mode - 1)])) << mode;
  }
  // Below eight bits, high bits first: 1 bit 3 x 2, rows 101 and 001.
  const Bytes palette{0, 0, 0, 0, 255, 255, 255, 0};
  Bytes mono = PackedBmp(3, 1, 0, palette, {{0xA0}, {0x20}});
  ASSERT_TRUE(TransformBmp(mono, 2));
  EXPECT_EQ(mono, PackedBmp(3, 1, 0, palette, {{0xA0}, {0x80}}));
  ASSERT_TRUE(TransformBmp(mono, 3));
  EXPECT_EQ(mono, PackedBmp(2, 1, 0, palette, {{0x80}, {0x00}, {0xC0}}));
  Bytes nibbles = PackedBmp(3, 4, 0, Bytes(64, 0), {{0x12, 0x30}});
  ASSERT_TRUE(TransformBmp(nibbles, 2));
  EXPECT_EQ(nibbles, PackedBmp(3, 4, 0, Bytes(64, 0), {{0x32, 0x10}}));
  Bytes wide = Bmp24Of(5, 4, Scattered);  // turned, rows without padding fill the buffer to its end
  ASSERT_TRUE(TransformBmp(wide, 3) && TransformBmp(wide, 4));
  EXPECT_EQ(wide, Bmp24Of(5, 4, Scattered));
}

TEST(TransformBmp, RefusesWhatItCannotHandleAndLeavesTheBytes) {
  const Bytes good = Bmp24({{kRed, kBlue}});
  std::vector<Bytes> bad{good, good, good, good, {good.begin(), good.begin() + 40}};
  bad[0][28] = 12;                                          // bit count
  bad[1][10] = 30;                                          // pixel offset inside the headers
  bad[2][10] = 200;                                         // pixel offset past the end
  bad[3][22] = 0xFF, bad[3][23] = 0xFF, bad[3][25] = 0xFF;  // height -1 ... top-down
  for (Bytes& b : bad) EXPECT_FALSE(TransformBmp(b, 1));  // the bytes stay: the fuzz target checks that
  EXPECT_FALSE(TransformBmp(bad[4], 5) || TransformBmp(bad[4], 0));
  Bytes shortFile(good.begin(), good.end() - 5);  // the missing pixel bytes read as zero
  ASSERT_TRUE(TransformBmp(shortFile, 2));
  EXPECT_EQ(shortFile, Bmp24({{kBlack, {0, 0, 0xFF}}}));
}

TEST(ConvertBmpTo24, SixteenBitLayoutsAndFourBitPalettes) {
  const std::pair<Bytes, Bytes> cases[] = {
      {PackedBmp(2, 16, 3, kMasks565, {{0x00, 0xF8, 0xE0, 0x07}}), Bmp24({{kRed, kGreen}})},
      {PackedBmp(2, 16, 3, kMasks555, {{0x00, 0x7C, 0xE0, 0x03}}), Bmp24({{kRed, kGreen}})},
      // Without masks (pixels at 54) the layout is 5-5-5.
      {PackedBmp(2, 16, 0, {}, {{0xFF, 0x7F, 0x10, 0x42}}), Bmp24({{kWhite, {132, 132, 132}}})},
      // 4 bits: two entries, the second without its fourth byte in one; index 5 lies beyond and is black.
      {PackedBmp(3, 4, 0, {1, 2, 3, 0, 4, 5, 6, 0}, {{0x10, 0x50}}), Bmp24({{{4, 5, 6}, {1, 2, 3}, kBlack}})},
      {PackedBmp(3, 4, 0, {1, 2, 3, 0, 4, 5, 6}, {{0x10, 0x20}}), Bmp24({{{4, 5, 6}, {1, 2, 3}, kBlack}})},
      {Bmp24({{kRed}}), Bmp24({{kRed}})},  // already 24 bits
  };
  for (const auto& [source, expected] : cases) {
    Bytes bmp = source;
    ASSERT_TRUE(ConvertBmpTo24(bmp));
    EXPECT_EQ(bmp, expected);
  }
  Bytes eight = PackedBmp(1, 8, 0, Bytes(1024, 0), {{1}});
  EXPECT_FALSE(ConvertBmpTo24(eight));
}

TEST(StripBmp, KeepsTheUsedBytesOfEachRow) {
  Bytes bmp = Bmp24({{kRed, kBlue, kGreen}, {kWhite, kBlack, kRed}});
  EXPECT_EQ(StripBmp(bmp, 3, 2, 24), 18);
  EXPECT_EQ(bmp, (Bytes{255, 255, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 255, 0}));
  Bytes mono = PackedBmp(10, 1, 0, Bytes(8, 0), {{0xAB, 0xC0}});
  EXPECT_EQ(StripBmp(mono, 10, 1, 1), 2);
  EXPECT_EQ(mono, (Bytes{0xAB, 0xC0}));
  // Rows beyond the bytes are refused; the last pixel byte is enough.
  Bytes small = Bmp24({{kRed}});
  EXPECT_FALSE(StripBmp(small, 1, 3, 24));
  small.resize(57);
  Bytes cut(small.begin(), small.end() - 1);
  EXPECT_FALSE(StripBmp(cut, 1, 1, 24));
  EXPECT_EQ(StripBmp(small, 1, 1, 24), 3);
}

TEST(ReadBmpInfo, ReportsSizeBitsLayoutAndHeaderSize) {
  test::TempDir dir;
  test::WriteBytes(dir.Path("a.bmp"), PackedBmp(3, 16, 3, kMasks565, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
  const BmpInfo info = ReadBmpInfo(dir.Path("a.bmp"));
  EXPECT_EQ(std::tuple(info.outcome.ok, info.width, info.height, info.bits, info.layout, info.headerSize),
            std::tuple(true, 3, 2, 16, 565, 40));
  EXPECT_EQ(info.bytes.size(), 70u + 16);
  EXPECT_EQ(std::tuple(Bmp16Layout(PackedBmp(1, 16, 0, {}, {{0, 0}})),
                       Bmp16Layout(PackedBmp(1, 16, 3, Bytes(16, 0), {{0, 0}})), Bmp16Layout(Bmp24({{kRed}}))),
            std::tuple(kBmp16LayoutPlain, kBmp16LayoutUnknown, 24));
  Bytes four{1, 2, 3, 4};  // fields beyond the bytes read as 0 and are not written
  EXPECT_EQ(std::tuple(ReadLe32(four, 0), ReadLe32(four, 1), ReadLe16(four, 2), ReadLe16(four, 3)),
            std::tuple(0x04030201u, 0u, 0x0403, 0));
  WriteLe32(four, 1, 0);
  WriteLe32(four, 0, 0x0A0B0C0D);
  EXPECT_EQ(four, (Bytes{0x0D, 0x0C, 0x0B, 0x0A}));
  test::WriteBytes(dir.Path("e.bmp"), {});  // a missing file: see the command line tests
  test::WriteBytes(dir.Path("t.bmp"), Bytes(60, 'x'));
  EXPECT_EQ(std::tuple(ReadBmpInfo(dir.Path("e.bmp")).outcome.message, ReadBmpInfo(dir.Path("t.bmp")).outcome.message),
            std::tuple(msg::kEmptyFile, msg::kBmpOpenFailed));
}

TEST(ConvertBmpTo, ReducesPrimaryColoursAndBuildsTheWorkingHeader) {
  const Bytes bmp = Bmp24({{kWhite, kRed, kGreen, kBlue}});
  Bytes to16 = bmp;
  ASSERT_TRUE(ConvertBmpTo16(to16));
  Bytes header = Headers(4, 1, 16, 3, 16, 8);
  header.insert(header.end(), kMasks565.begin(), kMasks565.end());
  // Green keeps five bits: white is FFDF, green 07C0.
  header.insert(header.end(), {0xDF, 0xFF, 0x00, 0xF8, 0xC0, 0x07, 0x1F, 0x00});
  EXPECT_EQ(to16, header);
  Bytes to8 = bmp;
  ASSERT_TRUE(ConvertBmpTo8(to8));
  EXPECT_EQ(PixelsOf(to8), (Bytes{0xFF, 0x03, 0x1C, 0xE0}));
  EXPECT_EQ(std::tuple(to8[28], to8[10]), std::tuple(8, 70));
}

TEST(ConvertBmpTo, TwelveBitsPackPairsAndEndOddRowsWithHalfAGroup) {
  // Levels 123 456 789: a row of 5 bytes padded to 8, the odd group filled from the source padding.
  auto level = [](int v) { return static_cast<std::uint8_t>(v * 17); };
  Bytes bmp = Bmp24({{{level(3), level(2), level(1)}, {level(6), level(5), level(4)}, {level(9), level(8), level(7)}},
                     {kBlack, kBlack, kWhite}});
  ASSERT_TRUE(TransformBmp(bmp, 1));
  ASSERT_TRUE(ConvertBmpTo12(bmp));
  EXPECT_EQ(bmp[28], 12);
  EXPECT_EQ(PixelsOf(bmp), (Bytes{0x12, 0x34, 0x56, 0x78, 0x90, 0, 0, 0, 0x00, 0x00, 0x00, 0xFF, 0xF0, 0, 0, 0}));
}

TEST(ConvertBmpTo, ReadsSixteenAndEightBitSourcesFromTheirOwnOffsets) {
  // 5-5-5 red (7C00) and 5-6-5 red (F800) both become 03 at depth 8.
  Bytes plain = PackedBmp(2, 16, 0, {}, {{0x00, 0x7C, 0x1F, 0x00}});
  Bytes masked = PackedBmp(2, 16, 3, kMasks565, {{0x00, 0xF8, 0xE0, 0x07}});
  ASSERT_TRUE(ConvertBmpTo8(plain) && ConvertBmpTo8(masked));
  EXPECT_EQ(PixelsOf(plain), (Bytes{0x03, 0xE0, 0, 0}));
  EXPECT_EQ(PixelsOf(masked), (Bytes{0x03, 0x1C, 0, 0}));
  // A 108-byte header: palette at 14 + 108, pixels where the header says; the last entry has 3 bytes.
  Bytes eight = Headers(2, 1, 8, 0, 68 + 7, 4);
  eight[14] = 108;
  eight.resize(14 + 108, 0);
  eight.insert(eight.end(), {0, 0, 255, 0, 255, 0, 0, 1, 0, 0, 0});  // red, blue; pixels 1 0
  Bytes eight16 = eight;
  ASSERT_TRUE(ConvertBmpTo8(eight) && ConvertBmpTo16(eight16));
  EXPECT_EQ(PixelsOf(eight), (Bytes{0xE0, 0x03, 0, 0}));
  EXPECT_EQ(PixelsOf(eight16), (Bytes{0x1F, 0x00, 0x00, 0xF8}));
}

TEST(ConvertBmpTo, RefusesWhatItCannotReadAndLeavesTheBufferAlone) {
  for (Bytes empty : {Bmp24({}), Bmp24({{}})}) EXPECT_TRUE(ConvertBmpTo16(empty));  // nothing to read is no failure
  Bytes truncated = Bmp24({{kWhite, kRed}, {kRed, kWhite}});
  truncated.resize(truncated.size() - 4);
  const Bytes badIndex = PackedBmp(1, 8, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {{2}});  // past two entries
  Bytes copy;
  for (const Bytes& bad : {truncated, badIndex, Bmp1Of(8, 1, false, [](int, int) { return true; })})
    for (auto* convert : {&ConvertBmpTo8, &ConvertBmpTo12, &ConvertBmpTo16}) EXPECT_FALSE(convert(copy = bad));
}

TEST(EncodeMonoPicture, WritesVerticalPagesAndTakesTheDarkerEntryAsBlack) {
  // 12 x 12, two pages: a diagonal, and column 0 black in row 11 as well.
  Bytes expected(24, 0);
  for (std::size_t x = 0; x < 12; ++x) expected[x < 8 ? x : 12 + x] = static_cast<std::uint8_t>(1 << x % 8);
  expected[12] = 0x08;  // second page: rows 8..11 in bits 0..3
  for (int palette : {0, 1, 2}) {  // black first, white first, both entries equally bright: bit 0 is black
    Bytes bmp = Bmp1Of(12, 12, palette == 1, [](int x, int y) { return x == y || (x == 0 && y == 11); });
    if (palette == 2) std::fill_n(bmp.begin() + 54, 8, 0x80);
    ASSERT_TRUE(TransformBmp(bmp, 1));
    EXPECT_EQ(EncodeMonoPicture(bmp), expected) << palette;
  }
  EXPECT_FALSE(EncodeMonoPicture(Bmp24({{kWhite}})));
  for (const auto [width, height] : {std::pair{0, 2}, {3, 0}}) {  // an empty picture is no failure
    EXPECT_EQ(EncodeMonoPicture(Bmp1Of(width, height, false, [](int, int) { return true; })), Bytes{}) << width;
  }
  // Rows missing from the end of the file read as white.
  Bytes cut = Bmp1Of(8, 2, false, [](int, int) { return true; });
  cut.resize(cut.size() - 4);
  EXPECT_EQ(EncodeMonoPicture(cut), Bytes(8, 0x01));
}

}  // namespace
}  // namespace korvana::pictures
