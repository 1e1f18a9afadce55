// BMPs written by another program: ImageMagick's `convert`, with the BMP3
// header (40 bytes) and its default BMP4/V5 headers (108 and 124 bytes),
// made at run time from a picture of known pixels.

#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "pictures/picture_replacement.h"
#include "pictures/stored_picture_format.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;
using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 5;  // odd: rows are padded in every depth
constexpr int kHeight = 3;

// Colours whose channels are 0 or 255 survive every reduction unchanged.
constexpr Bgr kYellow{0, 255, 255};
constexpr Bgr kCyan{255, 255, 0};
constexpr Bgr kMagenta{255, 0, 255};
Bgr Colour(int x, int y) {
  constexpr Bgr kColours[] = {kBlack, kWhite, kRed, kGreen, kBlue, kYellow, kCyan, kMagenta};
  return kColours[(x + 2 * y) % 8];
}
bool IsBlack(int x, int y) { return (x + y) % 2 == 0 || x == 4; }

// A plain-text PPM of the picture, which convert reads.
std::string Ppm(bool mono) {
  std::string text = "P3\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Bgr c = mono ? (IsBlack(x, y) ? kBlack : kWhite) : Colour(x, y);
      text += std::to_string(c[2]) + " " + std::to_string(c[1]) + " " + std::to_string(c[0]) + "\n";
    }
  }
  return text;
}

struct Converted {
  Bytes bytes;
  int headerSize = 0;
  int bits = 0;
};

Converted Convert(const korvana::test::TempDir& dir, bool mono, const std::string& options) {
  const std::string in = dir.Path(mono ? "mono.ppm" : "colour.ppm");
  const std::string out = dir.Path("out.bmp");
  korvana::test::WriteText(in, Ppm(mono));
  const auto r = korvana::test::RunShell("convert '" + in + "' " + options + "'" + out + "'");
  EXPECT_EQ(r.status, 0) << options << ": " << r.err;
  Converted c;
  c.bytes = korvana::test::ReadBytes(out);
  if (c.bytes.size() >= 30) {
    c.headerSize = c.bytes[14];
    c.bits = c.bytes[28];
  }
  return c;
}

// Replaces frame 1 of a picture of the depth by the BMP and decodes it back.
Bytes ReplacedAndDecoded(const Bytes& bmp, const std::string& depth) {
  image::HandsetImage image;
  image.Assign(Bytes(0x400, 0xA5), "fw.bin");
  PictureList list;
  list.SetRows({{"001", "Pic", "0X00000010", "1", "200", "5*3", depth}});
  const ReplacementTarget target = ReplacementTargetOf(list, 0, 1).target;
  NewPicture picture;
  const Outcome opened = LoadNewPicture(bmp, target, picture, {});
  EXPECT_TRUE(opened.ok) << depth << ": " << opened.detail;
  const Outcome out = ReplaceFrame(image, list, target, picture, {});
  EXPECT_EQ(out.message, msg::kPictureReplaced) << depth << ": " << out.detail;
  return DecodeFrame(image.Bytes(), target.shape, 0, {}).bytes;
}

void ExpectColours(const Bytes& decoded, const std::string& what) {
  ASSERT_GT(decoded.size(), 54u) << what;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) EXPECT_EQ(Pixel24(decoded, x, y), Colour(x, y)) << what << " " << x << "," << y;
  }
}

TEST(ImageMagickBmp, ColourFilesReplaceFramesWithTheirPixels) {
  korvana::test::TempDir dir;
  struct Case {
    std::string options;
    int headerSize;
    int bits;
    std::vector<std::string> depths;
  };
  const Case cases[] = {
      {"-type truecolor BMP3:", 40, 24, {"8", "12", "16", "24", "16*"}},
      {"-type truecolor ", 124, 24, {"8", "12", "16", "24", "16*"}},
      {"-define bmp:subtype=RGB565 ", 124, 16, {"8", "12", "16", "16*"}},
      {"-define bmp:subtype=RGB555 ", 124, 16, {"8", "12", "16", "16*"}},
  };
  for (const Case& c : cases) {
    const Converted bmp = Convert(dir, false, c.options);
    ASSERT_EQ(bmp.headerSize, c.headerSize) << c.options;
    ASSERT_EQ(bmp.bits, c.bits) << c.options;
    for (const std::string& depth : c.depths) ExpectColours(ReplacedAndDecoded(bmp.bytes, depth), c.options + depth);
  }
}

TEST(ImageMagickBmp, MonochromeFilesReplaceFramesWithTheirPixels) {
  korvana::test::TempDir dir;
  for (const std::string options : {"-type bilevel BMP3:", "-type bilevel "}) {
    const Converted bmp = Convert(dir, true, options);
    ASSERT_EQ(bmp.bits, 1) << options;
    const Bytes decoded = ReplacedAndDecoded(bmp.bytes, "1");
    const Bytes expected = Bmp1Of(kWidth, kHeight, false, IsBlack);
    EXPECT_EQ(decoded, expected) << options << " header " << bmp.headerSize;
  }
}

TEST(ImageMagickBmp, SixteenBitBmp3WithoutMasksIsRefused) {
  // ImageMagick 6 marks this file as having bit fields but puts the pixels
  // where the masks belong: its layout cannot be told.
  korvana::test::TempDir dir;
  const Converted bmp = Convert(dir, false, "-define bmp:subtype=RGB565 BMP3:");
  ASSERT_EQ(bmp.bits, 16);
  PictureList list;
  list.SetRows({{"001", "Pic", "0X00000010", "1", "30", "5*3", "16"}});
  NewPicture picture;
  const std::uint32_t pixelOffset = bmp.bytes[10];
  if (pixelOffset >= 66) GTEST_SKIP() << "this convert writes the masks";
  EXPECT_EQ(LoadNewPicture(bmp.bytes, ReplacementTargetOf(list, 0, 1).target, picture, {}).message,
            msg::kBmpOpenFailed);
}

}  // namespace
}  // namespace korvana::pictures
