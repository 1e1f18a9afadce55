#include "pictures/stored_picture_format.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/picture_compression.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers
using Words = std::vector<std::uint16_t>;

// The frame at address 3, so that reads before it would show up.
Bytes ImageWith(const Bytes& frame) {
  Bytes image{0xAA, 0xBB, 0xCC};
  image.insert(image.end(), frame.begin(), frame.end());
  image.push_back(0xEE);
  return image;
}

TEST(DecodeMonoPicture, ReadsVerticalPagesAndIgnoresBitsPastTheHeight) {
  // W 2, H 10: page 0 sets rows 0 and 7, page 1 rows 9 and 8 (bits 2..7 lie past the height).
  EXPECT_EQ(DecodeMonoPicture(ImageWith({0x01, 0x80, 0xFE, 0x01}), 3, 2, 10).bytes,
            PackedBmp(2, 1, 0, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0},
                      {{0x40}, {0x80}, {0x80}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0xC0}, {0x40}}));
}

TEST(DecodePicture, EachDepthGivesAnUpright24BitBmp) {
  struct Case {
    int depth, width, height;
    Bytes frame;
    std::vector<std::vector<Bgr>> rows;
  };
  const Case cases[] = {
      // Three bits blue, three green, two red: E3 is 7 0 3, 49 is 2 2 1.
      {8, 2, 2, {0xE3, 0x49, 0x00, 0xFF}, {{{255, 0, 255}, {73, 73, 85}}, {kBlack, kWhite}}},
      // Two pixels in three bytes; at W 3 a row is five bytes, its sixth pixel not drawn.
      {12, 3, 2, {0xF0, 0x00, 0xF0, 0x00, 0xF0, 0xFF, 0xF8, 0x88, 0x12, 0x3F},
       {{kRed, kGreen, kBlue}, {kWhite, {136, 136, 136}, {51, 34, 17}}}},
      // RGB565 low byte first; 8410 is 16 32 16, each 132.
      {16, 2, 2, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84}, {{kRed, kGreen}, {kBlue, {132, 132, 132}}}},
      {16, 1, 1, {0x00, 0xF8}, {{kRed}}},  // a row of one pixel is padded
      {24, 1, 2, {1, 2, 3, 4, 5, 6}, {{{1, 2, 3}}, {{4, 5, 6}}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodePicture(ImageWith(c.frame), 3, c.width, c.height, c.depth, {}).bytes, Bmp24(c.rows)) << c.depth;
}

TEST(DecodePicture, BytesPastTheImageReadAsZero) {
  const Bytes image = ImageWith({1, 2, 3});  // the image ends before its last byte EE, which is never read
  EXPECT_EQ(DecodePicture(std::span(image).first(image.size() - 1), 3, 1, 2, 24, {}).bytes, Bmp24({{{1, 2, 3}}, {kBlack}}));
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
  // Odd widths round half bytes as the firmware tool does: at W 3 the third pixel is padding.
  EXPECT_EQ(DecodePicture(image, 3, 3, 1, 4, palette).bytes, Bmp24({{entry(1), entry(15), entry(0)}}));
  for (int w : {1, 5, 7, 9})
    EXPECT_EQ(DecodePicture(image, 3, w, 3, 4, palette).bytes.size(),
              54u + static_cast<std::size_t>((w * 3 + 3) / 4 * 12));
}

TEST(DecodeCompressedPicture, PaletteLiteralsRunsAndWhiteForWordOne) {
  // Palette 001F F800; three of colour 1, two literal 07E0, a run of one 0001 (white).
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
  EXPECT_EQ(DecodePicture(image, 2, 2, 1, 24, {}).bytes, Bmp24({{{255, 255, 0}, kBlack}}));  // missing bytes are 0
  EXPECT_EQ(DecodePicture(image, -1, 2, 1, 8, {}).bytes, Bmp24({{kBlack, kWhite}}));
  EXPECT_EQ(DecodeCompressedPicture(Bytes{0x09, 0x00, 0xBF, 0x1F, 0x00}, 0, 2, 2).bytes,  // a run of 63 stops when full
            Bmp24({{kBlue, kBlue}, {kBlue, kBlue}}));

  for (int d : {1, 2, 32}) EXPECT_EQ(DecodePicture(image, 0, 1, 1, d, {}).error, DecodeError::kUnsupportedDepth);
  EXPECT_TRUE(DecodePicture(image, 0, 4096, 1, 8, {}).Ok());
  for (const DecodedBmp& d : {DecodePicture(image, 0, 4097, 1, 16, {}), DecodePicture(image, 0, 1, -1, 16, {}),
                               DecodeMonoPicture(image, 0, -1, 5), DecodeCompressedPicture(image, 0, 5, 100000)})
    EXPECT_EQ(d.error, DecodeError::kTooLarge);
  EXPECT_EQ(std::tuple(DecodePicture(image, 0, 0, 2, 16, {}).bytes, DecodePicture(image, 0, 2, 0, 16, {}).bytes),
            std::tuple(Headers(0, 2, 24, 0, 0, 0), Headers(2, 0, 24, 0, 0, 0)));  // empty pictures
}

// Compresses pixels stored high byte first, so the compressor's words are the numbers written.
Bytes Compressed(const Words& words) {
  Bytes pixels;
  for (std::uint16_t w : words) pixels.insert(pixels.end(), {std::uint8_t(w >> 8), std::uint8_t(w)});
  return CompressPicture(pixels, {}).value_or(Bytes{0xBA, 0xD0});
}

Words Repeat(std::uint16_t w, int n) { return Words(static_cast<std::size_t>(n), w); }

Words Join(std::initializer_list<Words> parts) {
  Words out;
  for (const Words& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(CompressPicture, PaletteIsMostFrequentFirstLowerValueOnTiesAndEndsAtZero) {
  // 0x0000 most frequent: no palette, literal codes only; the last two pixels never form a run.
  EXPECT_EQ(Compressed({0, 0, 0, 0x1234, 0x1234}), (Bytes{9, 0, 0x83, 0, 0, 0x81, 0x12, 0x34, 0x01, 0x12, 0x34}));
  // 0x0500 and 0x0300 tie, 0x0000 stops the choice after them.
  const Bytes b = Compressed(Join({Repeat(0x0500, 2), Repeat(0x0300, 2), {0, 0x0700, 0x0800}}));
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{9, 2, 0x03, 0x00, 0x05, 0x00}));
  EXPECT_EQ(Compressed({0x1234}), (Bytes{9, 1, 0x12, 0x34, 0xC1, 0}));
  EXPECT_EQ(Compressed({0}), (Bytes{9, 0, 0x81, 0, 0}));
}

TEST(CompressPicture, RunsAreCutIntoGroupsOfSixtyThree) {
  // A picture that is one run covers itself, nothing follows the last group.
  EXPECT_EQ(Compressed(Repeat(0x0101, 63)), (Bytes{9, 1, 1, 1, 0xFF, 0}));
  EXPECT_EQ(Compressed(Repeat(0x0101, 64)), (Bytes{9, 1, 1, 1, 0xFF, 0, 0xC1, 0}));
  EXPECT_EQ(Compressed(Repeat(0x0101, 126)), (Bytes{9, 1, 1, 1, 0xFF, 0, 0xFF, 0}));
  // Literal runs (0x0000 keeps the palette empty).
  EXPECT_EQ(Compressed(Repeat(0, 64)), (Bytes{9, 0, 0xBF, 0, 0, 0x81, 0, 0}));
  // 40000 equal pixels are more than a 16-bit counter holds.
  const Bytes big = Compressed(Repeat(0x0202, 40000));
  ASSERT_EQ(big.size(), 4u + 2 * (40000 / 63 + 1));
  EXPECT_EQ(big[big.size() - 2], 0xC0 + 40000 % 63);
}

TEST(CompressPicture, SequencesStopAtRunsClassChangesAndTheLastTwoPixels) {
  // 63 different palette pixels then a run: a second header 40 carries no pixel.
  Words words;
  for (int i = 0; i < 63; ++i) words.push_back(static_cast<std::uint16_t>(0x0100 + i));
  const Bytes b = Compressed(Join({words, words, Repeat(0x0300, 3)}));
  const std::size_t codes = 2 + 2 * 64;  // 64 palette words
  ASSERT_GT(b.size(), codes + 129);
  EXPECT_EQ(std::tuple(b[codes], b[codes + 64], b[codes + 128]), std::tuple(0x7F, 0x7F, 0x40));
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(codes + 129), b.end()), (Bytes{0xC3, 0}));

  // The last two pixels are one-pixel groups; a pixel equal to the one before is a literal.
  EXPECT_EQ(Compressed({0x0900, 0x0900, 0x0900, 0, 0x0700, 0x0600, 0x0500}),
            (Bytes{9, 1, 0x09, 0x00, 0xC3, 0, 0x02, 0, 0, 0x07, 0x00, 0x01, 0x06, 0x00, 0x01, 0x05, 0x00}));
  EXPECT_EQ(Compressed({0x0500, 0x0500, 0x0500, 0x0600, 0x0600, 0x0800, 0x0500, 0x0500}),
            (Bytes{9, 3, 0x05, 0x00, 0x06, 0x00, 0x08, 0x00, 0xC3, 0, 0xC2, 1, 0x41, 2, 0xC1, 0, 0x01, 0x05, 0x00}));
  // A change of class ends a sequence.
  EXPECT_EQ(Compressed({0x0500, 0x0500, 0x0700, 0x0500, 0, 0x0500, 0x0500}),
            (Bytes{9, 1, 0x05, 0x00, 0xC2, 0, 0x01, 0x07, 0x00, 0x41, 0, 0x01, 0, 0, 0xC1, 0, 0x01, 0x05, 0x00}));
}

TEST(CompressPicture, OneProgressStepAPaletteEntryAndStopsWhenAsked) {
  Bytes pixels;
  for (int i = 0; i < 300; ++i) pixels.insert(pixels.end(), {std::uint8_t(i * 7), std::uint8_t(i * 13 | 1)});
  std::vector<std::int64_t> progress;
  const auto packed = CompressPicture(pixels, [&](std::int64_t k) { return progress.push_back(k), true; });
  ASSERT_TRUE(packed);  // 127 palette entries at most
  EXPECT_EQ(std::tuple(progress.size(), progress.back()), std::tuple(std::size_t{(*packed)[1]}, 127));
  EXPECT_FALSE(CompressPicture(pixels, [](std::int64_t) { return false; }));
}

}  // namespace
}  // namespace korvana::pictures
