#include "pictures/picture_compression.h"

#include <gtest/gtest.h>

#include "pictures/stored_picture_format.h"

namespace korvana::pictures {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::uint16_t>;

// Compresses pixels of the given words, each stored as the bytes hi, lo (so
// the word value of the compressor is the number written).
Bytes Compressed(const Words& words) {
  Bytes pixels;
  for (std::uint16_t w : words)
    pixels.insert(pixels.end(), {static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w)});
  return CompressPicture(pixels, {}).value_or(Bytes{0xBA, 0xD0});
}

Words Repeat(std::uint16_t w, int n) { return Words(static_cast<std::size_t>(n), w); }

Words Join(std::initializer_list<Words> parts) {
  Words out;
  for (const Words& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(CompressPicture, PaletteIsMostFrequentFirstLowerValueOnTiesAndEndsAtZero) {
  // 0x0000 most frequent: no palette at all, literal codes only.
  // The last two pixels never form a run: the second follows as a literal.
  EXPECT_EQ(Compressed({0, 0, 0, 0x1234, 0x1234}), (Bytes{9, 0, 0x83, 0, 0, 0x81, 0x12, 0x34, 0x01, 0x12, 0x34}));
  // 0x0500 and 0x0300 tie, 0x0000 stops the choice after them.
  const Bytes b = Compressed(Join({Repeat(0x0500, 2), Repeat(0x0300, 2), {0, 0x0700, 0x0800}}));
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{9, 2, 0x03, 0x00, 0x05, 0x00}));
  // One pixel: 9, N, palette, then the pixel alone.
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
  // 63 different palette pixels then a run: the sequence ends with a second
  // header 40 that carries no pixel.
  Words words;
  for (int i = 0; i < 63; ++i) words.push_back(static_cast<std::uint16_t>(0x0100 + i));
  const Bytes b = Compressed(Join({words, words, Repeat(0x0300, 3)}));
  const std::size_t codes = 2 + 2 * 64;  // 64 palette words
  ASSERT_GT(b.size(), codes + 129);
  EXPECT_EQ(std::tuple(b[codes], b[codes + 64], b[codes + 128]), std::tuple(0x7F, 0x7F, 0x40));
  EXPECT_EQ(Bytes(b.begin() + static_cast<std::ptrdiff_t>(codes + 129), b.end()), (Bytes{0xC3, 0}));

  // Tail: a literal sequence stops before the last two pixels, which follow
  // as one-pixel groups; a pixel equal to its predecessor is a literal even
  // when it is in the palette.
  EXPECT_EQ(Compressed({0x0900, 0x0900, 0x0900, 0, 0x0700, 0x0600, 0x0500}),
            (Bytes{9, 1, 0x09, 0x00, 0xC3, 0, 0x02, 0, 0, 0x07, 0x00, 0x01, 0x06, 0x00, 0x01, 0x05, 0x00}));
  EXPECT_EQ(Compressed({0x0500, 0x0500, 0x0500, 0x0600, 0x0600, 0x0800, 0x0500, 0x0500}),
            (Bytes{9, 3, 0x05, 0x00, 0x06, 0x00, 0x08, 0x00,  //
                   0xC3, 0, 0xC2, 1, 0x41, 2, 0xC1, 0, 0x01, 0x05, 0x00}));
  // A change of class ends a sequence.
  EXPECT_EQ(Compressed({0x0500, 0x0500, 0x0700, 0x0500, 0, 0x0500, 0x0500}),
            (Bytes{9, 1, 0x05, 0x00, 0xC2, 0, 0x01, 0x07, 0x00, 0x41, 0, 0x01, 0, 0, 0xC1, 0, 0x01, 0x05, 0x00}));
}

TEST(CompressPicture, DecodesBackToTheSamePixelsAndStopsWhenAsked) {
  // Pixels of little-endian 5-6-5 words, as the encoder hands them over;
  // none is 0001, which the decoder draws white.
  const int width = 37, height = 23;
  Bytes pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned w = (x / 5 + y / 3) % 4 == 0 ? 0xF800u : static_cast<unsigned>((x * 131 + y * 977) % 0xFFFF) | 2u;
      pixels.insert(pixels.end(), {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8)});
    }
  }
  std::vector<std::int64_t> progress;
  const auto packed = CompressPicture(pixels, [&](std::int64_t k) { return progress.push_back(k), true; });
  ASSERT_TRUE(packed);
  EXPECT_EQ(progress.size(), std::size_t{(*packed)[1]});
  EXPECT_EQ(progress.back(), 127);
  EXPECT_EQ(DecodeCompressedPicture(*packed, 0, width, height).bytes,
            DecodePicture(pixels, 0, width, height, 16, {}).bytes);
  EXPECT_FALSE(CompressPicture(pixels, [](std::int64_t) { return false; }));
}

}  // namespace
}  // namespace korvana::pictures
