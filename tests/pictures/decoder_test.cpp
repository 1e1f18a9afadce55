#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/stored_picture_format.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers
using korvana::test::TempDir;
using korvana::test::WriteBytes;
using korvana::test::BytesOf;

// A small image with the frame at address 3, so that reads before the
// frame would show up.
std::vector<std::uint8_t> ImageWith(const std::vector<std::uint8_t>& frame) {
  std::vector<std::uint8_t> image{0xAA, 0xBB, 0xCC};
  image.insert(image.end(), frame.begin(), frame.end());
  image.push_back(0xEE);
  return image;
}

// "16.dat" with entry i = (blue 0, green 16 * i, red 255 - 16 * i).
Palette16 PaletteFromFile(const test::TempDir& dir) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 16; ++i) {
    bytes.insert(bytes.end(), {0, static_cast<std::uint8_t>(16 * i), static_cast<std::uint8_t>(255 - 16 * i), 0});
  }
  test::WriteBytes(dir.Path("16.dat"), bytes);
  return LoadPalette16(dir.Path());
}
Bgr Entry(int i) { return {0, static_cast<std::uint8_t>(16 * i), static_cast<std::uint8_t>(255 - 16 * i)}; }

TEST(DecodeMonoPicture, ReadsVerticalPagesAndIgnoresBitsPastTheHeight) {
  // W = 2, H = 10: two pages of two bytes. Page 0: column 0 has row 0 set,
  // column 1 row 7; page 1: column 0 has row 9 set (bits 2..7 are beyond
  // the picture), column 1 row 8.
  const auto image = ImageWith({0x01, 0x80, 0xFE, 0x01});
  const DecodedBmp bmp = DecodeMonoPicture(image, 3, 2, 10);
  ASSERT_TRUE(bmp.Ok());
  std::vector<std::uint8_t> expected = Headers(2, 10, 1, 0, 8, 40);
  expected.insert(expected.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
  // File rows bottom-up, 4 bytes each; bit 7 is column 0, a 1 is white.
  const std::vector<std::uint8_t> rows{0x40, 0x80, 0x80, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0x40};
  for (std::uint8_t r : rows) expected.insert(expected.end(), {r, 0, 0, 0});
  EXPECT_EQ(bmp.bytes, expected);
}

TEST(DecodePicture, Depth12PacksTwoPixelsInThreeBytesAndOddRowsEndHalfUsed) {
  // W = 3: five bytes a row; the second pixel of each row's second group is
  // not drawn and the next row starts at byte 5.
  const auto image = ImageWith({0xF0, 0x00, 0xF0, 0x00, 0xF0,    //
                                0xFF, 0xF8, 0x88, 0x12, 0x3F});
  const DecodedBmp bmp = DecodePicture(image, 3, 3, 2, 12, {});
  ASSERT_TRUE(bmp.Ok());
  EXPECT_EQ(bmp.bytes, Bmp24({{kRed, kGreen, kBlue}, {kWhite, {136, 136, 136}, {51, 34, 17}}}));
}

TEST(DecodePicture, Depth8SpreadsThreeThreeTwoBits) {
  // E3: blue 7, green 0, red 3. 49: blue 2, green 2, red 1.
  const auto image = ImageWith({0xE3, 0x49, 0x00, 0xFF});
  const DecodedBmp bmp = DecodePicture(image, 3, 2, 2, 8, {});
  ASSERT_TRUE(bmp.Ok());
  EXPECT_EQ(bmp.bytes, Bmp24({{{255, 0, 255}, {73, 73, 85}}, {kBlack, kWhite}}));
}

TEST(DecodePicture, Depth16IsRgb565LowByteFirst) {
  const auto image = ImageWith({0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84});
  // One pixel, the whole file spelt out: 54 header bytes, one padded row.
  const DecodedBmp one = DecodePicture(image, 3, 1, 1, 16, {});
  const std::vector<std::uint8_t> expected{
      0x42, 0x4D, 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0x18, 0,
      0,    0,    0,    0, 4, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
      0x00, 0x00, 0xFF, 0x00};
  EXPECT_EQ(one.bytes, expected);
  // 8410: red 16, green 32 (upper five bits 16), blue 16 -> 132 each.
  const DecodedBmp four = DecodePicture(image, 3, 2, 2, 16, {});
  EXPECT_EQ(four.bytes, Bmp24({{kRed, kGreen}, {kBlue, {132, 132, 132}}}));
}

TEST(DecodePicture, Depth24CopiesRowsAndTurnsThemUpright) {
  const auto image = ImageWith({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(DecodePicture(image, 3, 1, 2, 24, {}).bytes, Bmp24({{{1, 2, 3}}, {{4, 5, 6}}}));
}

TEST(DecodePicture, Depth4LooksUpThePaletteFile) {
  test::TempDir dir;
  const Palette16 palette = PaletteFromFile(dir);
  const auto image = ImageWith({0x1F, 0x9C});
  EXPECT_EQ(DecodePicture(image, 3, 2, 2, 4, palette).bytes, Bmp24({{Entry(1), Entry(15)}, {Entry(9), Entry(12)}}));
  // Without "16.dat" every colour is black.
  test::TempDir empty;
  EXPECT_EQ(DecodePicture(image, 3, 2, 2, 4, LoadPalette16(empty.Path())).bytes,
            Bmp24({{kBlack, kBlack}, {kBlack, kBlack}}));
  // A folder without the file falls back to the second folder.
  EXPECT_EQ(LoadPalette16(empty.Path(), dir.Path()), palette);
  // Odd widths keep the firmware tool's half-byte rounding: at W = 3 a row
  // copies one byte, and the third pixel comes from the zero padding.
  EXPECT_EQ(DecodePicture(image, 3, 3, 1, 4, palette).bytes, Bmp24({{Entry(1), Entry(15), Entry(0)}}));
  for (int w : {1, 5, 7, 9}) {
    const DecodedBmp odd = DecodePicture(image, 3, w, 3, 4, palette);
    ASSERT_TRUE(odd.Ok());
    EXPECT_EQ(odd.bytes.size(), 54u + static_cast<std::size_t>((w * 3 + 3) / 4 * 4 * 3));
  }
}

TEST(DecodeCompressedPicture, PaletteLiteralsRunsAndWhiteForWordOne) {
  // N = 2, palette 001F and F800; three pixels of palette colour 1, two
  // literal 07E0, a run of one 0001 (white).
  const std::vector<std::uint8_t> frame{0x09, 0x02, 0x1F, 0x00, 0x00, 0xF8, 0xC3, 0x01,
                                        0x02, 0xE0, 0x07, 0xE0, 0x07, 0x81, 0x01, 0x00};
  const auto expected = Bmp24({{kRed, kRed, kRed}, {kGreen, kGreen, kWhite}});
  EXPECT_EQ(DecodeCompressedPicture(ImageWith(frame), 3, 3, 2).bytes, expected);

  // Codes of count 0 draw nothing: 40 takes one byte, 80 three, C0 two, 00 one.
  std::vector<std::uint8_t> padded(frame.begin(), frame.begin() + 8);
  padded.insert(padded.end(), {0x40, 0x80, 0x55, 0x66, 0xC0, 0x01, 0x00});
  padded.insert(padded.end(), frame.begin() + 8, frame.end());
  EXPECT_EQ(DecodeCompressedPicture(ImageWith(padded), 3, 3, 2).bytes, expected);

  // The palette word 0001 is white as well; palette pixels one by one.
  const std::vector<std::uint8_t> paletteOne{0x09, 0x02, 0x01, 0x00, 0x1F, 0x00, 0x42, 0x00, 0x01};
  EXPECT_EQ(DecodeCompressedPicture(ImageWith(paletteOne), 3, 2, 1).bytes, Bmp24({{kWhite, kBlue}}));
}

TEST(Decoders, NeverReadOutsideTheImageAndRefuseAbsurdSizes) {
  const std::vector<std::uint8_t> image{0xFF, 0xFF, 0xFF, 0xFF};
  // A frame that runs past the end: the missing bytes are zero.
  EXPECT_EQ(DecodePicture(image, 2, 2, 1, 24, {}).bytes, Bmp24({{{255, 255, 0}, kBlack}}));
  EXPECT_EQ(DecodePicture(image, -1, 2, 1, 8, {}).bytes, Bmp24({{kBlack, kWhite}}));
  for (std::int64_t address : {std::int64_t{-100000}, std::int64_t{4}, std::int64_t{1} << 40}) {
    EXPECT_TRUE(DecodeMonoPicture(image, address, 9, 9).Ok());
    EXPECT_TRUE(DecodeCompressedPicture(image, address, 9, 9).Ok());
    for (int depth : {4, 8, 12, 16, 24}) EXPECT_TRUE(DecodePicture(image, address, 9, 9, depth, {}).Ok());
  }
  // A compressed stream of long literal codes stops when the picture is full.
  const std::vector<std::uint8_t> longCodes(64, 0x3F);
  EXPECT_EQ(DecodeCompressedPicture(longCodes, 0, 2, 2).bytes.size(), 54u + 8 * 2);

  EXPECT_EQ(DecodePicture(image, 0, 1, 1, 1, {}).error, DecodeError::kUnsupportedDepth);
  EXPECT_EQ(DecodePicture(image, 0, 1, 1, 32, {}).error, DecodeError::kUnsupportedDepth);
  EXPECT_TRUE(DecodePicture(image, 0, 1, 1, 32, {}).bytes.empty());
  EXPECT_EQ(DecodePicture(image, 0, 100000, 100000, 16, {}).error, DecodeError::kTooLarge);
  EXPECT_EQ(DecodeMonoPicture(image, 0, -1, 5).error, DecodeError::kTooLarge);
  EXPECT_EQ(DecodeCompressedPicture(image, 0, 5, 100000).error, DecodeError::kTooLarge);
}

TEST(DecodeFrame, ChoosesTheDecoderByDepthAndStepsByFrameSize) {
  const std::vector<std::uint8_t> image{0x00, 0xE3, 0x03};
  PictureShape shape{0, 3, 1, 1, 1, 8, false};
  EXPECT_EQ(DecodeFrame(image, shape, 1, {}).bytes, Bmp24({{{255, 0, 255}}}));
  shape.depth = 1;
  EXPECT_EQ(DecodeFrame(image, shape, 2, {}).bytes[28], 1);  // the 1-bit BMP
  shape.compressed = true;
  shape.depth = 16;
  EXPECT_EQ(DecodeFrame(image, shape, 0, {}).bytes[28], 24);
}

}  // namespace
}  // namespace korvana::pictures
