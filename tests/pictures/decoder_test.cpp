#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/stored_picture_format.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

// A small image with the frame at address 3, so that reads before the
// frame would show up.
Bytes ImageWith(const Bytes& frame) {
  Bytes image{0xAA, 0xBB, 0xCC};
  image.insert(image.end(), frame.begin(), frame.end());
  image.push_back(0xEE);
  return image;
}

TEST(DecodeMonoPicture, ReadsVerticalPagesAndIgnoresBitsPastTheHeight) {
  // W = 2, H = 10: two pages of two bytes. Page 0: column 0 has row 0 set,
  // column 1 row 7; page 1: column 0 has row 9 set (bits 2..7 are beyond
  // the picture), column 1 row 8.
  const DecodedBmp bmp = DecodeMonoPicture(ImageWith({0x01, 0x80, 0xFE, 0x01}), 3, 2, 10);
  // File rows bottom-up; bit 7 is column 0, a 1 is white.
  EXPECT_EQ(bmp.bytes, PackedBmp(2, 1, 0, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0},
                                 {{0x40}, {0x80}, {0x80}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0x40}}));
}

TEST(DecodePicture, EachDepthGivesAnUpright24BitBmp) {
  struct Case {
    int depth, width, height;
    Bytes frame;
    std::vector<std::vector<Bgr>> rows;
  };
  const Case cases[] = {
      // Three bits blue, three green, two red. E3: blue 7, green 0, red 3;
      // 49: blue 2, green 2, red 1.
      {8, 2, 2, {0xE3, 0x49, 0x00, 0xFF}, {{{255, 0, 255}, {73, 73, 85}}, {kBlack, kWhite}}},
      // Two pixels in three bytes. At W = 3 a row is five bytes: the second
      // pixel of its second group is not drawn, the next row starts at byte 5.
      {12,
       3,
       2,
       {0xF0, 0x00, 0xF0, 0x00, 0xF0, 0xFF, 0xF8, 0x88, 0x12, 0x3F},
       {{kRed, kGreen, kBlue}, {kWhite, {136, 136, 136}, {51, 34, 17}}}},
      // RGB565 low byte first. 8410: red 16, green 32 (upper five bits 16),
      // blue 16 -> 132 each.
      {16, 2, 2, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84}, {{kRed, kGreen}, {kBlue, {132, 132, 132}}}},
      {16, 1, 1, {0x00, 0xF8}, {{kRed}}},  // a row of one pixel is padded
      {24, 1, 2, {1, 2, 3, 4, 5, 6}, {{{1, 2, 3}}, {{4, 5, 6}}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodePicture(ImageWith(c.frame), 3, c.width, c.height, c.depth, {}).bytes, Bmp24(c.rows)) << c.depth;
  }
}

TEST(DecodePicture, Depth4LooksUpThePaletteFile) {
  // "16.dat" with entry i = (blue 0, green 16 * i, red 255 - 16 * i).
  auto entry = [](int i) { return Bgr{0, static_cast<std::uint8_t>(16 * i), static_cast<std::uint8_t>(255 - 16 * i)}; };
  test::TempDir dir, empty;
  Bytes file;
  for (int i = 0; i < 16; ++i) file.insert(file.end(), {entry(i)[0], entry(i)[1], entry(i)[2], 0});
  test::WriteBytes(dir.Path("16.dat"), file);
  const Palette16 palette = LoadPalette16(dir.Path());
  const Bytes image = ImageWith({0x1F, 0x9C});
  EXPECT_EQ(DecodePicture(image, 3, 2, 2, 4, palette).bytes, Bmp24({{entry(1), entry(15)}, {entry(9), entry(12)}}));
  // Without "16.dat" every colour is black; a second folder is the fallback.
  EXPECT_EQ(DecodePicture(image, 3, 2, 2, 4, LoadPalette16(empty.Path())).bytes,
            Bmp24({{kBlack, kBlack}, {kBlack, kBlack}}));
  EXPECT_EQ(LoadPalette16(empty.Path(), dir.Path()), palette);
  // Odd widths keep the firmware tool's half-byte rounding: at W = 3 a row
  // copies one byte, and the third pixel comes from the zero padding.
  EXPECT_EQ(DecodePicture(image, 3, 3, 1, 4, palette).bytes, Bmp24({{entry(1), entry(15), entry(0)}}));
  for (int w : {1, 5, 7, 9}) {
    EXPECT_EQ(DecodePicture(image, 3, w, 3, 4, palette).bytes.size(),
              54u + static_cast<std::size_t>((w * 3 + 3) / 4 * 12));
  }
}

TEST(DecodeCompressedPicture, PaletteLiteralsRunsAndWhiteForWordOne) {
  // N = 2, palette 001F and F800; three pixels of palette colour 1, two
  // literal 07E0, a run of one 0001 (white).
  const Bytes frame{0x09, 0x02, 0x1F, 0x00, 0x00, 0xF8, 0xC3, 0x01, 0x02, 0xE0, 0x07, 0xE0, 0x07, 0x81, 0x01, 0x00};
  const Bytes expected = Bmp24({{kRed, kRed, kRed}, {kGreen, kGreen, kWhite}});
  EXPECT_EQ(DecodeCompressedPicture(ImageWith(frame), 3, 3, 2).bytes, expected);

  // Codes of count 0 draw nothing: 40 takes one byte, 80 three, C0 two, 00 one.
  Bytes padded(frame.begin(), frame.begin() + 8);
  padded.insert(padded.end(), {0x40, 0x80, 0x55, 0x66, 0xC0, 0x01, 0x00});
  padded.insert(padded.end(), frame.begin() + 8, frame.end());
  EXPECT_EQ(DecodeCompressedPicture(ImageWith(padded), 3, 3, 2).bytes, expected);

  // The palette word 0001 is white as well; palette pixels one by one.
  EXPECT_EQ(DecodeCompressedPicture(ImageWith({0x09, 0x02, 0x01, 0x00, 0x1F, 0x00, 0x42, 0x00, 0x01}), 3, 2, 1).bytes,
            Bmp24({{kWhite, kBlue}}));
}

TEST(Decoders, NeverReadOutsideTheImageAndRefuseAbsurdSizes) {
  const Bytes image{0xFF, 0xFF, 0xFF, 0xFF};
  // A frame that runs past the end: the missing bytes are zero.
  EXPECT_EQ(DecodePicture(image, 2, 2, 1, 24, {}).bytes, Bmp24({{{255, 255, 0}, kBlack}}));
  EXPECT_EQ(DecodePicture(image, -1, 2, 1, 8, {}).bytes, Bmp24({{kBlack, kWhite}}));
  for (std::int64_t address : {std::int64_t{-100000}, std::int64_t{4}, std::int64_t{1} << 40}) {
    EXPECT_TRUE(DecodeMonoPicture(image, address, 9, 9).Ok());
    EXPECT_TRUE(DecodeCompressedPicture(image, address, 9, 9).Ok());
    for (int depth : {4, 8, 12, 16, 24}) EXPECT_TRUE(DecodePicture(image, address, 9, 9, depth, {}).Ok());
  }
  // A compressed stream of long literal codes stops when the picture is full.
  EXPECT_EQ(DecodeCompressedPicture(Bytes(64, 0x3F), 0, 2, 2).bytes.size(), 54u + 8 * 2);

  for (int depth : {1, 2, 32}) {
    const DecodedBmp refused = DecodePicture(image, 0, 1, 1, depth, {});
    EXPECT_EQ(refused.error, DecodeError::kUnsupportedDepth);
    EXPECT_TRUE(refused.bytes.empty());
  }
  EXPECT_TRUE(DecodePicture(image, 0, 4096, 1, 8, {}).Ok());
  EXPECT_EQ(DecodePicture(image, 0, 4097, 1, 16, {}).error, DecodeError::kTooLarge);
  EXPECT_EQ(DecodePicture(image, 0, 1, -1, 16, {}).error, DecodeError::kTooLarge);
  // An empty picture is an empty 24-bit BMP.
  EXPECT_EQ(DecodePicture(image, 0, 0, 2, 16, {}).bytes, Headers(0, 2, 24, 0, 0, 0));
  EXPECT_EQ(DecodePicture(image, 0, 2, 0, 16, {}).bytes, Headers(2, 0, 24, 0, 0, 0));
  EXPECT_EQ(DecodeMonoPicture(image, 0, -1, 5).error, DecodeError::kTooLarge);
  EXPECT_EQ(DecodeCompressedPicture(image, 0, 5, 100000).error, DecodeError::kTooLarge);
}

TEST(DecodeFrame, ChoosesTheDecoderByDepthAndStepsByFrameSize) {
  const Bytes image{0x00, 0xE3, 0x03};
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
