#include "pictures/picture_encoding.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/stored_picture_format.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

// A colour as the firmware keeps it at depth, widened again as the decoders
// widen it.
Bgr AtDepth(Bgr c, int depth, bool compressed) {
  switch (depth) {
    case 8:
      return {Reduced(c[0], 7), Reduced(c[1], 7), Reduced(c[2], 3)};
    case 12:
      return {Reduced(c[0], 15), Reduced(c[1], 15), Reduced(c[2], 15)};
    case 16: {
      // The decoder draws the stored word 0001 white.
      const auto five = [](std::uint8_t v) { return (2 * v * 31 + 255) / 510; };
      if (compressed && five(c[2]) == 0 && five(c[1]) == 0 && five(c[0]) == 1) return kWhite;
      return {Reduced(c[0], 31), Reduced(c[1], 31), Reduced(c[2], 31)};
    }
    default:
      return c;
  }
}

// Scattered colours with runs of red: the compressed form gets a palette,
// runs and literals.
Bgr Mixed(int x, int y) { return (x / 2 + y) % 3 == 0 ? kRed : Scattered(x + 1, y + 1); }

TEST(EncodeBmp, EveryDepthDecodesToThePictureReducedToIt) {
  for (const auto [width, height] : {std::pair{5, 3}, std::pair{8, 9}, std::pair{1, 1}}) {
    const Bytes bmp = Bmp24Of(width, height, Mixed);
    for (const auto [depth, compressed] : {std::pair{8, false}, {12, false}, {16, false}, {24, false}, {16, true}}) {
      SCOPED_TRACE(std::to_string(depth) + (compressed ? "*" : "") + " " + std::to_string(width));
      const EncodedPicture stored = compressed ? EncodeCompressedBmp(bmp, {}) : EncodeBmp(bmp, depth);
      ASSERT_TRUE(stored.outcome.ok) << stored.outcome.detail;
      if (!compressed) {
        const int rowBytes = depth == 12 ? (3 * width + 1) / 2 : width * depth / 8;
        EXPECT_EQ(stored.bytes.size(), static_cast<std::size_t>(rowBytes * height));
      }
      const DecodedBmp back = compressed ? DecodeCompressedPicture(stored.bytes, 0, width, height)
                                         : DecodePicture(stored.bytes, 0, width, height, depth, {});
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          ASSERT_EQ(Pixel24(back.bytes, x, y), AtDepth(Mixed(x, y), depth, compressed)) << x << "," << y;
        }
      }
    }
  }
}

TEST(EncodeBmp, MonochromeComesBackUnchangedWhicheverEntryIsBlack) {
  auto black = [](int x, int y) { return (x * y + x) % 3 == 0; };
  for (bool whiteFirst : {false, true}) {
    const EncodedPicture mono = EncodeBmp(Bmp1Of(13, 10, whiteFirst, black), 1);
    EXPECT_EQ(mono.bytes.size(), 13u * 2);
    EXPECT_EQ(DecodeMonoPicture(mono.bytes, 0, 13, 10).bytes, Bmp1Of(13, 10, false, black)) << whiteFirst;
  }
  // Two entries equally bright: bit 0 is black.
  Bytes grey = Bmp1Of(13, 10, false, black);
  std::fill_n(grey.begin() + 54, 8, 0x80);
  EXPECT_EQ(EncodeBmp(grey, 1).bytes, EncodeBmp(Bmp1Of(13, 10, false, black), 1).bytes);
}

// The BMP with an information header of `size` bytes (108: version 4, 124:
// version 5, as ImageMagick writes them) in place of the 40-byte one. Bit
// field masks stay at 54, inside the longer header.
Bytes WithInfoHeader(Bytes bmp, std::uint32_t size) {
  const std::uint32_t end = bmp[30] == 3 ? 70 : 54;  // of the header and the masks
  const std::uint32_t extra = size + 14 - end;
  bmp.insert(bmp.begin() + end, extra, 0);
  for (const auto& [at, value] : {std::pair{2u, std::uint32_t(bmp.size())}, {10u, bmp[10] + extra}, {14u, size}}) {
    for (std::uint32_t i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return bmp;
}

TEST(EncodeBmp, LongerInformationHeadersEncodeLikeTheShortOne) {
  auto word = [](int x, int y) { return static_cast<std::uint16_t>(0x1234 * (x + 3 * y + 1)); };
  const Bytes rgb = Bmp24Of(5, 3, Scattered), masked = Bmp16Of(5, 3, true, word);
  const Bytes masked555 = PackedBmp(1, 16, 3, kMasks555, {{0x1F, 0x7C}, {0xE0, 0x03}});
  const Bytes mono = Bmp1Of(5, 3, true, [](int x, int y) { return (x + y) % 2 == 0; });
  for (const auto& [bmp, depths] :
       {std::pair{rgb, std::vector{8, 12, 16, 24}}, {masked, {8, 12, 16}}, {masked555, {8, 12, 16}}, {mono, {1}}}) {
    for (std::uint32_t size : {108u, 124u}) {
      const Bytes longer = WithInfoHeader(bmp, size);
      ASSERT_TRUE(CheckUserBmp(longer).ok) << size;
      for (int depth : depths) {
        const EncodedPicture encoded = EncodeBmp(longer, depth);
        EXPECT_TRUE(encoded.outcome.ok) << size << " " << depth;
        EXPECT_EQ(encoded.bytes, EncodeBmp(bmp, depth).bytes) << size << " " << depth;
      }
      if (bmp[28] != 1) EXPECT_EQ(EncodeCompressedBmp(longer, {}).bytes, EncodeCompressedBmp(bmp, {}).bytes) << size;
    }
  }
}

TEST(EncodeBmp, ThirtyTwoBitBmpsWithTheirMasksAreCompressedLikeTwentyFourBitOnes) {
  const Bytes masks{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0};
  const Bytes bgra = PackedBmp(2, 32, 3, masks, {{1, 2, 3, 0, 250, 251, 252, 0}});
  EXPECT_TRUE(CheckUserBmp(bgra).ok);
  EXPECT_EQ(EncodeCompressedBmp(bgra, {}).bytes, EncodeCompressedBmp(Bmp24({{{1, 2, 3}, {250, 251, 252}}}), {}).bytes);
}

TEST(EncodeBmp, DepthsAndBitCountsThatDoNotFitAreRefused) {
  const Bytes rgb = Bmp24Of(2, 2, Scattered);
  const Bytes mono = Bmp1Of(2, 2, false, [](int, int) { return true; });
  // Depth 24 copies the BMP's pixel bytes, which only a 24-bit BMP has.
  const Bytes rgb16 = Bmp16Of(2, 2, false, [](int, int) { return std::uint16_t{1}; });
  for (const auto& [bmp, depth] : {std::pair{rgb, 1}, {rgb, 4}, {rgb, 32}, {mono, 16}, {rgb16, 24}}) {
    EXPECT_EQ(EncodeBmp(bmp, depth).outcome.message, msg::kColourDepthUnsupported) << depth;
  }
  EXPECT_EQ(EncodeCompressedBmp(mono, {}).outcome.message, msg::kColourDepthUnsupported);
}

TEST(CheckUserBmp, RefusesLyingHeadersCompressedRowsAndUnknownMasks) {
  const Bytes good = Bmp24Of(3, 2, Scattered);
  EXPECT_TRUE(CheckUserBmp(good).ok);
  auto with = [](std::size_t at, std::uint32_t value, Bytes b) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  const Bytes shortFile(good.begin(), good.end() - 1);
  for (const Bytes& bad :
       {shortFile, with(30, 1, good) /* RLE8 */, with(14, 12, good), with(10, 4000, good), with(18, 0, good),
        with(22, 5000, good), with(26, 0x180002, good), with(28, 2, good), with(0, 0x4D41, good), Bytes{'B', 'M', 0},
        // bit fields whose masks would lie where the pixels are
        PackedBmp(2, 16, 3, {}, {{0, 0, 0, 0}})}) {
    EXPECT_EQ(CheckUserBmp(bad).message, msg::kBmpOpenFailed);
  }
  const Bytes masked = Bmp16Of(2, 1, true, [](int, int) { return std::uint16_t{0}; });
  EXPECT_TRUE(CheckUserBmp(masked).ok);
  EXPECT_TRUE(CheckUserBmp(PackedBmp(1, 16, 0, {}, {{0, 0}})).ok);  // 5-5-5 without bit fields
  EXPECT_TRUE(CheckUserBmp(PackedBmp(1, 16, 3, Bytes(kMasks565.begin(), kMasks565.begin() + 12), {{0, 0}})).ok);
  EXPECT_TRUE(CheckUserBmp(PackedBmp(1, 16, 3, kMasks555, {{0, 0}})).ok);
  EXPECT_EQ(CheckUserBmp(with(54, 0x0F00, masked)).message, msg::kColourDepthUnsupported);
}

TEST(MakeBottomUp, ATopDownBmpEncodesLikeItsBottomUpTwin) {
  const Bytes bottomUp = Bmp24Of(3, 4, Scattered);
  Bytes topDown = bottomUp;
  for (int r = 0; r < 4; ++r) {
    std::copy_n(bottomUp.begin() + 54 + (3 - r) * 12, 12, topDown.begin() + 54 + r * 12);
  }
  topDown[22] = 0xFC;  // height -4
  for (std::size_t i = 23; i < 26; ++i) topDown[i] = 0xFF;
  ASSERT_TRUE(CheckUserBmp(topDown).ok);
  MakeBottomUp(topDown);
  EXPECT_EQ(topDown, bottomUp);
}

}  // namespace
}  // namespace korvana::pictures
