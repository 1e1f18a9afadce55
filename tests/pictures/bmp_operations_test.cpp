#include "pictures/bmp_operations.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/bmp_file.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

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
}

TEST(TransformBmp, PacksPixelsBelowEightBitsHighBitsFirst) {
  // 1 bit, 3 x 2 with a palette: row 0 = 1 0 1, row 1 = 0 0 1.
  const Bytes palette{0, 0, 0, 0, 255, 255, 255, 0};
  Bytes mono = PackedBmp(3, 1, 0, palette, {{0xA0}, {0x20}});
  ASSERT_TRUE(TransformBmp(mono, 2));
  EXPECT_EQ(mono, PackedBmp(3, 1, 0, palette, {{0xA0}, {0x80}}));
  ASSERT_TRUE(TransformBmp(mono, 3));  // 2 x 3: new row k = old column 2 - k
  EXPECT_EQ(mono, PackedBmp(2, 1, 0, palette, {{0x80}, {0x00}, {0xC0}}));
  const Bytes sixteen(64, 0);  // 4 bit, 3 x 1
  Bytes nibbles = PackedBmp(3, 4, 0, sixteen, {{0x12, 0x30}});
  ASSERT_TRUE(TransformBmp(nibbles, 2));
  EXPECT_EQ(nibbles, PackedBmp(3, 4, 0, sixteen, {{0x32, 0x10}}));
}

TEST(TransformBmp, RefusesWhatItCannotHandleAndLeavesTheBytes) {
  const Bytes good = Bmp24({{kRed, kBlue}});
  std::vector<Bytes> bad{good, good, good, good, {good.begin(), good.begin() + 40}};
  bad[0][28] = 12;                                          // bit count
  bad[1][10] = 30;                                          // pixel offset inside the headers
  bad[2][10] = 200;                                         // pixel offset past the end
  bad[3][22] = 0xFF, bad[3][23] = 0xFF, bad[3][25] = 0xFF;  // height -1 ... top-down
  for (Bytes& b : bad) {
    const Bytes before = b;
    EXPECT_FALSE(TransformBmp(b, 1));
    EXPECT_EQ(b, before);
  }
  Bytes copy = good;
  EXPECT_FALSE(TransformBmp(copy, 5));
  EXPECT_FALSE(TransformBmp(copy, 0));
  // A short file: the missing pixel bytes read as zero.
  Bytes shortFile(good.begin(), good.end() - 5);
  ASSERT_TRUE(TransformBmp(shortFile, 2));
  EXPECT_EQ(shortFile, Bmp24({{kBlack, {0, 0, 0xFF}}}));
}

TEST(ConvertBmpTo24, SixteenBitLayoutsAndFourBitPalettes) {
  struct Case {
    Bytes bmp;
    Bytes expected;
  };
  const Case cases[] = {
      {PackedBmp(2, 16, 3, kMasks565, {{0x00, 0xF8, 0xE0, 0x07}}), Bmp24({{kRed, kGreen}})},
      {PackedBmp(2, 16, 3, kMasks555, {{0x00, 0x7C, 0xE0, 0x03}}), Bmp24({{kRed, kGreen}})},
      // Without masks (pixels at 54) the layout is 5-5-5.
      {PackedBmp(2, 16, 0, {}, {{0xFF, 0x7F, 0x10, 0x42}}), Bmp24({{kWhite, {132, 132, 132}}})},
      // 4 bits: two entries; index 5 lies beyond the palette and is black.
      {PackedBmp(3, 4, 0, {1, 2, 3, 0, 4, 5, 6, 0}, {{0x10, 0x50}}), Bmp24({{{4, 5, 6}, {1, 2, 3}, kBlack}})},
      {PackedBmp(3, 4, 0, {1, 2, 3, 0, 4, 5, 6}, {{0x10, 0x20}}), Bmp24({{{4, 5, 6}, {1, 2, 3}, kBlack}})},
      {Bmp24({{kRed}}), Bmp24({{kRed}})},  // already 24 bits
  };
  for (const Case& c : cases) {
    Bytes bmp = c.bmp;
    ASSERT_TRUE(ConvertBmpTo24(bmp));
    EXPECT_EQ(bmp, c.expected);
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
  // Rows beyond the bytes: refused, unchanged.
  Bytes small = Bmp24({{kRed}});
  const Bytes before = small;
  EXPECT_FALSE(StripBmp(small, 1, 3, 24));
  EXPECT_EQ(small, before);
  small.resize(57);  // the pixel is all that is left of the row
  Bytes cut = small;
  cut.pop_back();
  EXPECT_FALSE(StripBmp(cut, 1, 1, 24));
  EXPECT_EQ(StripBmp(small, 1, 1, 24), 3);
}

TEST(ReadBmpInfo, ReportsSizeBitsLayoutAndHeaderSize) {
  test::TempDir dir;
  test::WriteBytes(dir.Path("a.bmp"), PackedBmp(3, 16, 3, kMasks565, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
  const BmpInfo info = ReadBmpInfo(dir.Path("a.bmp"));
  ASSERT_TRUE(info.outcome.ok);
  EXPECT_EQ(std::tuple(info.width, info.height, info.bits, info.layout, info.headerSize),
            std::tuple(3, 2, 16, 565, 40));
  EXPECT_EQ(info.bytes.size(), 70u + 16);

  EXPECT_EQ(Bmp16Layout(PackedBmp(1, 16, 0, {}, {{0, 0}})), kBmp16LayoutPlain);
  EXPECT_EQ(Bmp16Layout(PackedBmp(1, 16, 3, Bytes(16, 0), {{0, 0}})), kBmp16LayoutUnknown);
  EXPECT_EQ(Bmp16Layout(Bmp24({{kRed}})), 24);
  // Fields beyond the bytes read as 0 and are not written.
  Bytes four{1, 2, 3, 4};
  EXPECT_EQ(std::tuple(ReadLe32(four, 0), ReadLe32(four, 1), ReadLe16(four, 2), ReadLe16(four, 3)),
            std::tuple(0x04030201u, 0u, 0x0403, 0));
  WriteLe32(four, 1, 0);
  WriteLe32(four, 0, 0x0A0B0C0D);
  EXPECT_EQ(four, (Bytes{0x0D, 0x0C, 0x0B, 0x0A}));

  test::WriteBytes(dir.Path("empty.bmp"), {});
  EXPECT_EQ(ReadBmpInfo(dir.Path("empty.bmp")).outcome.message, msg::kEmptyFile);
  test::WriteBytes(dir.Path("text.bmp"), Bytes(60, 'x'));
  EXPECT_EQ(ReadBmpInfo(dir.Path("text.bmp")).outcome.message, msg::kBmpOpenFailed);
  EXPECT_EQ(ReadBmpInfo(dir.Path("missing.bmp")).outcome.message, msg::kBmpOpenFailed);
}

}  // namespace
}  // namespace korvana::pictures
