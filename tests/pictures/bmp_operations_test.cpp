#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/bmp_operations.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers
using korvana::test::TempDir;
using korvana::test::WriteBytes;
using korvana::test::BytesOf;

// A BMP of `bits` per pixel whose rows (file order) are given packed,
// without padding; `table` goes between the headers and the pixels.
std::vector<std::uint8_t> PackedBmp(int width, int bits, int compression, const std::vector<std::uint8_t>& table,
                                    const std::vector<std::vector<std::uint8_t>>& rows) {
  const int rowSize = (width * bits + 31) / 32 * 4;
  const int height = static_cast<int>(rows.size());
  auto out = Headers(width, height, bits, compression, static_cast<int>(table.size()), rowSize * height);
  out.insert(out.end(), table.begin(), table.end());
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.insert(out.end(), static_cast<std::size_t>(rowSize) - row.size(), 0);
  }
  return out;
}

TEST(TransformBmp, QuarterTurnOfTwoByOnePutsTheLeftPixelOnTop) {
  // File rows are bottom-up: the last file row is the top of the picture.
  auto bmp = Bmp24({{kRed, kBlue}});
  ASSERT_TRUE(TransformBmp(bmp, 3));
  EXPECT_EQ(bmp, Bmp24({{kRed}, {kBlue}}));
  auto ccw = Bmp24({{kRed, kBlue}});
  ASSERT_TRUE(TransformBmp(ccw, 4));
  EXPECT_EQ(ccw, Bmp24({{kBlue}, {kRed}}));
}

TEST(TransformBmp, FlipsMirrorsAndTurnsOfA3x2Picture) {
  const auto original = Bmp24({{kRed, kGreen, kBlue}, {kWhite, kBlack, {1, 2, 3}}});
  auto flipped = original;
  ASSERT_TRUE(TransformBmp(flipped, 1));
  EXPECT_EQ(flipped, Bmp24({{kWhite, kBlack, {1, 2, 3}}, {kRed, kGreen, kBlue}}));
  auto mirrored = original;
  ASSERT_TRUE(TransformBmp(mirrored, 2));
  EXPECT_EQ(mirrored, Bmp24({{kBlue, kGreen, kRed}, {{1, 2, 3}, kBlack, kWhite}}));
  auto turned = original;
  ASSERT_TRUE(TransformBmp(turned, 3));
  EXPECT_EQ(turned, Bmp24({{kWhite, kRed}, {kBlack, kGreen}, {{1, 2, 3}, kBlue}}));
  for (int mode : {3, 4}) {
    auto round = original;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(TransformBmp(round, mode));
    EXPECT_EQ(round, original);
  }
  auto back = original;
  ASSERT_TRUE(TransformBmp(back, 3));
  ASSERT_TRUE(TransformBmp(back, 4));
  EXPECT_EQ(back, original);
}

TEST(TransformBmp, PacksPixelsBelowEightBitsHighBitsFirst) {
  // 1 bit, 3 x 2 with a palette: row 0 = 1 0 1, row 1 = 0 0 1.
  const std::vector<std::uint8_t> palette{0, 0, 0, 0, 255, 255, 255, 0};
  auto mono = PackedBmp(3, 1, 0, palette, {{0xA0}, {0x20}});
  ASSERT_TRUE(TransformBmp(mono, 2));
  EXPECT_EQ(mono, PackedBmp(3, 1, 0, palette, {{0xA0}, {0x80}}));
  ASSERT_TRUE(TransformBmp(mono, 3));  // 2 x 3: new row k = old column 2 - k
  EXPECT_EQ(mono, PackedBmp(2, 1, 0, palette, {{0x80}, {0x00}, {0xC0}}));
  // 4 bit, 3 x 1.
  auto nibbles = PackedBmp(3, 4, 0, std::vector<std::uint8_t>(64, 0), {{0x12, 0x30}});
  ASSERT_TRUE(TransformBmp(nibbles, 2));
  EXPECT_EQ(nibbles, PackedBmp(3, 4, 0, std::vector<std::uint8_t>(64, 0), {{0x32, 0x10}}));
}

TEST(TransformBmp, RefusesWhatItCannotHandleAndLeavesTheBytes) {
  const auto good = Bmp24({{kRed, kBlue}});
  std::vector<std::vector<std::uint8_t>> bad{good, good, good, good, {good.begin(), good.begin() + 40}};
  bad[0][28] = 12;                                   // bit count
  bad[1][10] = 30;                                   // pixel offset inside the headers
  bad[2][10] = 200;                                  // pixel offset past the end
  bad[3][22] = 0xFF, bad[3][23] = 0xFF, bad[3][25] = 0xFF;  // height -1 ... top-down
  for (auto& b : bad) {
    const auto before = b;
    EXPECT_FALSE(TransformBmp(b, 1));
    EXPECT_EQ(b, before);
  }
  auto copy = good;
  EXPECT_FALSE(TransformBmp(copy, 5));
  // A short file: the missing pixel bytes read as zero.
  std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 5);
  ASSERT_TRUE(TransformBmp(shortFile, 2));
  EXPECT_EQ(shortFile, Bmp24({{kBlack, {0, 0, 0xFF}}}));
}

TEST(ConvertBmpTo24, SixteenBitLayoutsAndFourBitPalettes) {
  // 565 with masks: F800 red. 555 with masks (red mask 7C00): 7C00 red.
  const std::vector<std::uint8_t> masks565{0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> masks555{0, 0x7C, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
  auto a = PackedBmp(2, 16, 3, masks565, {{0x00, 0xF8, 0xE0, 0x07}});
  ASSERT_TRUE(ConvertBmpTo24(a));
  EXPECT_EQ(a, Bmp24({{kRed, kGreen}}));
  auto b = PackedBmp(2, 16, 3, masks555, {{0x00, 0x7C, 0xE0, 0x03}});
  ASSERT_TRUE(ConvertBmpTo24(b));
  EXPECT_EQ(b, Bmp24({{kRed, kGreen}}));
  // Without masks (pixels at 54) the layout is 555.
  auto c = PackedBmp(1, 16, 0, {}, {{0xFF, 0x7F}});
  ASSERT_TRUE(ConvertBmpTo24(c));
  EXPECT_EQ(c, Bmp24({{kWhite}}));
  // 4 bits: two entries; index 5 lies beyond the palette and is black.
  auto d = PackedBmp(3, 4, 0, {1, 2, 3, 0, 4, 5, 6, 0}, {{0x10, 0x50}});
  ASSERT_TRUE(ConvertBmpTo24(d));
  EXPECT_EQ(d, Bmp24({{{4, 5, 6}, {1, 2, 3}, kBlack}}));
  auto e = Bmp24({{kRed}});
  const auto before = e;
  EXPECT_TRUE(ConvertBmpTo24(e));
  EXPECT_EQ(e, before);
  auto f = PackedBmp(1, 8, 0, std::vector<std::uint8_t>(1024, 0), {{1}});
  EXPECT_FALSE(ConvertBmpTo24(f));
}

TEST(StripBmp, KeepsTheUsedBytesOfEachRow) {
  auto bmp = Bmp24({{kRed, kBlue, kGreen}, {kWhite, kBlack, kRed}});
  EXPECT_EQ(StripBmp(bmp, 3, 2, 24), 18);
  const std::vector<std::uint8_t> expected{255, 255, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 255, 0};
  EXPECT_EQ(bmp, expected);
  auto mono = PackedBmp(10, 1, 0, std::vector<std::uint8_t>(8, 0), {{0xAB, 0xC0}});
  EXPECT_EQ(StripBmp(mono, 10, 1, 1), 2);
  EXPECT_EQ(mono, (std::vector<std::uint8_t>{0xAB, 0xC0}));
  // Rows beyond the bytes: refused, unchanged.
  auto small = Bmp24({{kRed}});
  const auto before = small;
  EXPECT_FALSE(StripBmp(small, 1, 3, 24));
  EXPECT_EQ(small, before);
}

TEST(ReadBmpInfo, ReportsSizeBitsLayoutAndHeaderSize) {
  TempDir dir;
  const std::vector<std::uint8_t> masks565{0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
  WriteBytes(dir.Path("a.bmp"), PackedBmp(3, 16, 3, masks565, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
  const BmpInfo info = ReadBmpInfo(dir.Path("a.bmp"));
  ASSERT_TRUE(info.outcome.ok);
  EXPECT_EQ(info.width, 3);
  EXPECT_EQ(info.height, 2);
  EXPECT_EQ(info.bits, 16);
  EXPECT_EQ(info.layout, 565);
  EXPECT_EQ(info.headerSize, 40);
  EXPECT_EQ(info.bytes.size(), 70u + 16);

  EXPECT_EQ(Bmp16Layout(PackedBmp(1, 16, 0, {}, {{0, 0}})), kBmp16LayoutPlain);
  EXPECT_EQ(Bmp16Layout(PackedBmp(1, 16, 3, std::vector<std::uint8_t>(16, 0), {{0, 0}})), kBmp16LayoutUnknown);
  EXPECT_EQ(Bmp16Layout(Bmp24({{kRed}})), 24);

  WriteBytes(dir.Path("empty.bmp"), {});
  EXPECT_EQ(ReadBmpInfo(dir.Path("empty.bmp")).outcome.message, 1);
  WriteBytes(dir.Path("text.bmp"), BytesOf("not a picture at all"));
  EXPECT_EQ(ReadBmpInfo(dir.Path("text.bmp")).outcome.message, 37);
  EXPECT_EQ(ReadBmpInfo(dir.Path("missing.bmp")).outcome.message, 37);
}

}  // namespace
}  // namespace korvana::pictures
