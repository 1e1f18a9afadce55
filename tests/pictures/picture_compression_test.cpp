#include "pictures/picture_compression.h"

#include <gtest/gtest.h>

#include "pictures/stored_picture_format.h"

namespace korvana::pictures {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pixels of the given words, each stored as the bytes hi, lo (so the word
// value of the compressor is the number written).
Bytes Words(const std::vector<std::uint16_t>& words) {
  Bytes out;
  for (std::uint16_t w : words) {
    out.push_back(static_cast<std::uint8_t>(w >> 8));
    out.push_back(static_cast<std::uint8_t>(w));
  }
  return out;
}

Bytes Compressed(const std::vector<std::uint16_t>& words) {
  const auto out = CompressPicture(Words(words), {});
  EXPECT_TRUE(out);
  return out.value_or(Bytes{});
}

std::vector<std::uint16_t> Repeat(std::uint16_t w, int n) { return std::vector<std::uint16_t>(static_cast<std::size_t>(n), w); }

std::vector<std::uint16_t> Join(std::initializer_list<std::vector<std::uint16_t>> parts) {
  std::vector<std::uint16_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(CompressPicture, PaletteIsMostFrequentFirstLowerValueOnTiesAndEndsAtZero) {
  // 0x0000 most frequent: no palette at all, literal codes only.
  // The last two pixels never form a run: the second follows as a literal.
  EXPECT_EQ(Compressed({0, 0, 0, 0x1234, 0x1234}), (Bytes{9, 0, 0x83, 0, 0, 0x81, 0x12, 0x34, 0x01, 0x12, 0x34}));
  // 0x0500 and 0x0300 tie, 0x0000 stops the choice after them.
  const Bytes b = Compressed(Join({Repeat(0x0500, 2), Repeat(0x0300, 2), Repeat(0, 1), {0x0700}, {0x0800}}));
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
  std::vector<std::uint16_t> words;
  for (int i = 0; i < 63; ++i) words.push_back(static_cast<std::uint16_t>(0x0100 + i));
  const std::vector<std::uint16_t> picture = Join({words, words, Repeat(0x0300, 3)});
  const Bytes b = Compressed(picture);
  const std::size_t codes = 2 + 2 * 64;  // 64 palette words
  ASSERT_GT(b.size(), codes + 64);
  EXPECT_EQ(b[codes], 0x7F);
  EXPECT_EQ(b[codes + 64], 0x7F);
  EXPECT_EQ(b[codes + 128], 0x40);
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

TEST(CompressPicture, DecodesBackToTheSamePixelsAndReportsItsTrueSize) {
  // Pixels of little-endian 5-6-5 words, as the encoder hands them over;
  // none is 0001, which the decoder draws white.
  const int width = 37, height = 23;
  Bytes pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned w = (x / 5 + y / 3) % 4 == 0 ? 0xF800u : static_cast<unsigned>((x * 131 + y * 977) % 0xFFFF) | 2u;
      pixels.push_back(static_cast<std::uint8_t>(w));
      pixels.push_back(static_cast<std::uint8_t>(w >> 8));
    }
  }
  std::vector<std::int64_t> progress;
  const auto packed = CompressPicture(pixels, [&](std::int64_t k) {
    progress.push_back(k);
    return true;
  });
  ASSERT_TRUE(packed);
  EXPECT_EQ(progress.size(), std::size_t{(*packed)[1]});
  EXPECT_EQ(progress.back(), 127);

  const DecodedBmp decoded = DecodeCompressedPicture(*packed, 0, width, height);
  ASSERT_TRUE(decoded.Ok());
  const DecodedBmp expected = DecodePicture(pixels, 0, width, height, 16, {});
  EXPECT_EQ(decoded.bytes, expected.bytes);

  EXPECT_FALSE(CompressPicture(pixels, [](std::int64_t) { return false; }));

  // No pixel repeats: the compressed form is larger than the pixels, and
  // says so rather than failing.
  std::vector<std::uint16_t> distinct;
  for (int i = 0; i < 900; ++i) distinct.push_back(static_cast<std::uint16_t>(0x0100 + 7 * i));
  EXPECT_GT(Compressed(distinct).size(), 2 * distinct.size());
}

}  // namespace
}  // namespace korvana::pictures
