#include "pictures/picture_encoding.h"

#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "pictures/stored_picture_format.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;
using Bytes = std::vector<std::uint8_t>;

Bytes Decoded(const Bytes& stored, int width, int height, int depth, bool compressed) {
  const DecodedBmp bmp = compressed    ? DecodeCompressedPicture(stored, 0, width, height)
                         : depth == 1 ? DecodeMonoPicture(stored, 0, width, height)
                                      : DecodePicture(stored, 0, width, height, depth, {});
  EXPECT_TRUE(bmp.Ok());
  return bmp.bytes;
}

// A colour as the firmware keeps it at depth, widened again as the decoders
// widen it.
Bgr AtDepth(Bgr c, int depth, bool compressed) {
  switch (depth) {
    case 8: return {Reduced(c[0], 7), Reduced(c[1], 7), Reduced(c[2], 3)};
    case 12: return {Reduced(c[0], 15), Reduced(c[1], 15), Reduced(c[2], 15)};
    case 16: {
      // The decoder draws the stored word 0001 white.
      const auto five = [](std::uint8_t v) { return (2 * v * 31 + 255) / 510; };
      if (compressed && five(c[2]) == 0 && five(c[1]) == 0 && five(c[0]) == 1) return kWhite;
      return {Reduced(c[0], 31), Reduced(c[1], 31), Reduced(c[2], 31)};
    }
    default: return c;
  }
}

struct Depth {
  int depth;
  bool compressed;
};
constexpr Depth kColourDepths[] = {{8, false}, {12, false}, {16, false}, {24, false}, {16, true}};

// Scattered colours with runs of red: the compressed form gets a palette,
// runs and literals, and stays within what the decoder reads of it.
Bgr Mixed(int x, int y) { return (x / 2 + y) % 3 == 0 ? kRed : Scattered(x + 1, y + 1); }

TEST(EncodeBmp, EveryDepthDecodesToThePictureReducedToIt) {
  for (const auto [width, height] : {std::pair{5, 3}, std::pair{8, 9}, std::pair{1, 1}}) {
    const Bytes bmp = Bmp24Of(width, height, Mixed);
    for (const Depth d : kColourDepths) {
      SCOPED_TRACE(std::to_string(d.depth) + (d.compressed ? "*" : "") + " " + std::to_string(width));
      const EncodedPicture stored = d.compressed ? EncodeCompressedBmp(bmp, {}) : EncodeBmp(bmp, d.depth);
      ASSERT_TRUE(stored.outcome.ok) << stored.outcome.detail;
      if (!d.compressed) {
        const std::int64_t rowBytes = d.depth == 12 ? (3 * width + 1) / 2 : width * d.depth / 8;
        EXPECT_EQ(static_cast<std::int64_t>(stored.bytes.size()), rowBytes * height);
      }
      const Bytes back = Decoded(stored.bytes, width, height, d.depth, d.compressed);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          ASSERT_EQ(Pixel24(back, x, y), AtDepth(Mixed(x, y), d.depth, d.compressed)) << x << "," << y;
        }
      }
    }
  }
}

TEST(EncodeBmp, SixteenBitSourcesAndMonochromeComeBackUnchanged) {
  // 5-5-5 without masks and 5-6-5 with them: the same colours at depth 16
  // and compressed.
  auto word555 = [](int x, int y) { return static_cast<std::uint16_t>((x * 7 + y * 3) % 32 << 10 | (x + y) % 32 << 5 | 2); };
  auto word565 = [&](int x, int y) {
    const unsigned w = word555(x, y);
    return static_cast<std::uint16_t>((w & 0x7C00) << 1 | (w & 0x03E0) << 1 | (w & 0x1F));
  };
  const Bytes plain = Bmp16Of(6, 5, false, word555);
  const Bytes masked = Bmp16Of(6, 5, true, word565);
  for (bool compressed : {false, true}) {
    const EncodedPicture a = compressed ? EncodeCompressedBmp(plain, {}) : EncodeBmp(plain, 16);
    const EncodedPicture b = compressed ? EncodeCompressedBmp(masked, {}) : EncodeBmp(masked, 16);
    ASSERT_TRUE(a.outcome.ok && b.outcome.ok);
    EXPECT_EQ(a.bytes, b.bytes) << compressed;
    if (!compressed) {
      // Top row first, each word as the 5-6-5 of the picture.
      EXPECT_EQ(a.bytes[0], static_cast<std::uint8_t>(word565(0, 0)));
      EXPECT_EQ(a.bytes[1], static_cast<std::uint8_t>(word565(0, 0) >> 8));
    }
  }

  auto black = [](int x, int y) { return (x * y + x) % 3 == 0; };
  for (bool whiteFirst : {false, true}) {
    const EncodedPicture mono = EncodeBmp(Bmp1Of(13, 10, whiteFirst, black), 1);
    ASSERT_TRUE(mono.outcome.ok);
    EXPECT_EQ(mono.bytes.size(), 13u * 2);
    EXPECT_EQ(Decoded(mono.bytes, 13, 10, 1, false), Bmp1Of(13, 10, false, black)) << whiteFirst;
  }
}

TEST(EncodeBmp, DepthsAndBitCountsThatDoNotFitAreRefused) {
  const Bytes rgb = Bmp24Of(2, 2, Scattered);
  const Bytes mono = Bmp1Of(2, 2, false, [](int, int) { return true; });
  EXPECT_EQ(EncodeBmp(rgb, 1).outcome.message, msg::kColourDepthUnsupported);
  EXPECT_EQ(EncodeBmp(rgb, 4).outcome.message, msg::kColourDepthUnsupported);
  EXPECT_EQ(EncodeBmp(mono, 16).outcome.message, msg::kColourDepthUnsupported);
  EXPECT_EQ(EncodeCompressedBmp(mono, {}).outcome.message, msg::kColourDepthUnsupported);
  // Depth 24 copies the BMP's pixel bytes, which only a 24-bit BMP has.
  EXPECT_EQ(EncodeBmp(Bmp16Of(2, 2, false, [](int, int) { return std::uint16_t{1}; }), 24).outcome.message,
            msg::kColourDepthUnsupported);
}

TEST(CheckUserBmp, RefusesLyingHeadersCompressedRowsAndUnknownMasks) {
  const Bytes good = Bmp24Of(3, 2, Scattered);
  EXPECT_TRUE(CheckUserBmp(good).ok);
  auto with = [&](std::size_t at, std::uint32_t value, Bytes b) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  Bytes shortFile = good;
  shortFile.pop_back();
  for (const Bytes& bad : {shortFile, with(30, 1, good) /* RLE8 */, with(14, 12, good), with(10, 4000, good),
                           with(18, 0, good), with(22, 5000, good), Bytes{'B', 'M', 0}}) {
    EXPECT_EQ(CheckUserBmp(bad).message, msg::kBmpOpenFailed);
  }
  Bytes odd = Bmp16Of(2, 1, true, [](int, int) { return std::uint16_t{0}; });
  EXPECT_TRUE(CheckUserBmp(odd).ok);
  EXPECT_EQ(CheckUserBmp(with(54, 0x0F00, odd)).message, msg::kColourDepthUnsupported);
}

TEST(MakeBottomUp, ATopDownBmpEncodesLikeItsBottomUpTwin) {
  const Bytes bottomUp = Bmp24Of(3, 4, Scattered);
  Bytes topDown = bottomUp;
  const std::size_t rowSize = 12;
  for (int r = 0; r < 4; ++r) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(54 + (3 - r) * rowSize), rowSize,
                topDown.begin() + static_cast<std::ptrdiff_t>(54 + r * rowSize));
  }
  const std::int32_t negative = -4;
  for (int i = 0; i < 4; ++i) topDown[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(negative) >> (8 * i));
  ASSERT_TRUE(CheckUserBmp(topDown).ok);
  MakeBottomUp(topDown);
  EXPECT_EQ(topDown, bottomUp);
}

}  // namespace
}  // namespace korvana::pictures
