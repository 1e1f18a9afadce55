// BMPs written by another program: ImageMagick's `convert`, with the BMP3
// header (40 bytes) and its default BMP4/V5 headers (124 bytes), made at run
// time from a picture of known pixels.

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/picture_replacement.h"
#include "pictures/stored_picture_format.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

constexpr int kWidth = 5;  // odd: rows are padded in every depth
constexpr int kHeight = 3;

// Colours whose channels are 0 or 255 survive every reduction unchanged.
Bgr Colour(int x, int y) {
  constexpr Bgr kColours[] = {kBlack, kWhite, kRed, kGreen, kBlue, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}};
  return kColours[(x + 2 * y) % 8];
}
bool IsBlack(int x, int y) { return (x + y) % 2 == 0 || x == 4; }

// The picture through convert (from a plain-text PPM) with the options.
Bytes Converted(const test::TempDir& dir, bool mono, const std::string& options) {
  std::string ppm = "P3\n5 3\n255\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Bgr c = mono ? (IsBlack(x, y) ? kBlack : kWhite) : Colour(x, y);
      ppm += std::to_string(c[2]) + " " + std::to_string(c[1]) + " " + std::to_string(c[0]) + "\n";
    }
  }
  test::WriteText(dir.Path("in.ppm"), ppm);
  const auto r = test::RunShell("convert '" + dir.Path("in.ppm") + "' " + options + "'" + dir.Path("out.bmp") + "'");
  EXPECT_EQ(r.status, 0) << options << ": " << r.err;
  return test::ReadBytes(dir.Path("out.bmp"));
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
  EXPECT_EQ(ReplaceFrame(image, list, target, picture, {}).message, msg::kPictureReplaced) << depth;
  return DecodeFrame(image.Bytes(), target.shape, 0, {}).bytes;
}

TEST(ImageMagickBmp, ColourAndMonochromeFilesReplaceFramesWithTheirPixels) {
  test::TempDir dir;
  const struct {
    std::string options;
    int headerSize, bits;
    std::vector<std::string> depths;
  } cases[] = {
      {"-type truecolor BMP3:", 40, 24, {"8", "12", "16", "24", "16*"}},
      {"-type truecolor ", 124, 24, {"8", "12", "16", "24", "16*"}},
      {"-define bmp:subtype=RGB565 ", 124, 16, {"8", "12", "16", "16*"}},
      {"-define bmp:subtype=RGB555 ", 124, 16, {"8", "12", "16", "16*"}},
  };
  for (const auto& c : cases) {
    const Bytes bmp = Converted(dir, false, c.options);
    ASSERT_GT(bmp.size(), 54u);
    ASSERT_EQ(std::tuple(bmp[14], bmp[28]), std::tuple(c.headerSize, c.bits)) << c.options;
    for (const std::string& depth : c.depths) {
      const Bytes decoded = ReplacedAndDecoded(bmp, depth);
      ASSERT_GT(decoded.size(), 54u);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) EXPECT_EQ(Pixel24(decoded, x, y), Colour(x, y)) << c.options << depth;
      }
    }
  }
  for (const std::string options : {"-type bilevel BMP3:", "-type bilevel "}) {
    const Bytes bmp = Converted(dir, true, options);
    ASSERT_EQ(bmp.at(28), 1) << options;
    EXPECT_EQ(ReplacedAndDecoded(bmp, "1"), Bmp1Of(kWidth, kHeight, false, IsBlack)) << options;
  }
}

}  // namespace
}  // namespace korvana::pictures
