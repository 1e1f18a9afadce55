#include <gtest/gtest.h>

#include <array>

#include "pictures/encoder_test_support.h"
#include "support/test_support.h"

namespace korvana::test {
namespace {

using Rgb = std::array<std::uint8_t, 3>;
constexpr int kWidth = 5;
constexpr int kHeight = 3;

Rgb Colour(int x, int y) {
  return {static_cast<std::uint8_t>(40 * x + 10), static_cast<std::uint8_t>(70 * y + 5),
          static_cast<std::uint8_t>(x * y * 20)};
}

// A counting firmware, a table with a 24-bit picture of two frames at 0x10
// and a compressed one at 0x200, and the picture as a BMP that ImageMagick
// writes.
struct Fixture {
  TempDir dir;
  std::string fw = dir.Path("fw.bin");
  std::string table = dir.Path("table.txt");
  std::string bmp = dir.Path("new.bmp");
  std::vector<std::uint8_t> original;

  Fixture() {
    for (int i = 0; i < 0x400; ++i) original.push_back(static_cast<std::uint8_t>(i * 7));
    WriteBytes(fw, original);
    WriteText(table,
              "001 Pic\t 0X00000010\t Zahl: 2\t Size: 45\t Dims: 5*3\t Farb: 24\t\r\n"
              "002 Packed\t 0X00000200\t Zahl: 1\t Size: 8\t Dims: 5*3\t Farb: 16*\t\r\n");
    std::string ppm = "P3\n5 3\n255\n";
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const Rgb c = Colour(x, y);
        ppm += std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\n";
      }
    }
    WriteText(dir.Path("new.ppm"), ppm);
    EXPECT_EQ(RunShell("convert '" + dir.Path("new.ppm") + "' -type truecolor '" + bmp + "'").status, 0);
  }

  // The stored depth-24 frame: rows top first, blue, green, red, no padding;
  // mirrored left to right when asked.
  static std::vector<std::uint8_t> Stored(bool mirrored) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < kHeight; ++y) {
      for (int i = 0; i < kWidth; ++i) {
        const Rgb c = Colour(mirrored ? kWidth - 1 - i : i, y);
        out.insert(out.end(), {c[2], c[1], c[0]});
      }
    }
    return out;
  }
};

TEST(PicturesReplaceCli, WriteStoresTheEncodedFrameAndLeavesTheBytesAroundIt) {
  Fixture f;
  const CommandResult r = RunCli({"pictures", "replace", f.fw, f.table, "001", "2", f.bmp, "--turn", "h", "--write"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty() && r.err.empty()) << r.out << r.err;
  const std::vector<std::uint8_t> after = ReadBytes(f.fw);
  ASSERT_EQ(after.size(), f.original.size());
  const std::vector<std::uint8_t> stored = Fixture::Stored(true);
  const std::size_t frame = 0x10 + 45;
  EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + frame, after.begin() + frame + stored.size()), stored);
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i < frame || i >= frame + stored.size()) ASSERT_EQ(after[i], f.original[i]) << i;
  }

  // Two flips are no flip.
  EXPECT_EQ(RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.bmp, "--turn", "v", "--turn", "v", "--write"})
                .status,
            0);
  const std::vector<std::uint8_t> twice = ReadBytes(f.fw);
  EXPECT_EQ(std::vector<std::uint8_t>(twice.begin() + 0x10, twice.begin() + 0x10 + 45), Fixture::Stored(false));
}

TEST(PicturesReplaceCli, S3WritesThePatchAndLeavesTheFirmwareAlone) {
  Fixture f;
  const std::string out = f.dir.Path("patch.s3");
  const CommandResult r = RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.bmp, "--s3", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(f.fw), f.original);
  // The patch covers both frames of the row; its first data line starts with
  // the new frame's first 16 bytes.
  const std::vector<std::uint8_t> stored = Fixture::Stored(false);
  std::string first;
  for (std::size_t i = 0; i < 16; ++i) {
    static const char* kHex = "0123456789ABCDEF";
    first += kHex[stored[i] >> 4];
    first += kHex[stored[i] & 15];
  }
  const std::string text = ReadText(out);
  EXPECT_NE(text.find("S31500000010" + first), std::string::npos) << text;
}

TEST(PicturesReplaceCli, ALargerCompressedPictureNeedsYes) {
  Fixture f;
  const CommandResult refused = RunCli({"pictures", "replace", f.fw, f.table, "002", "1", f.bmp, "--write"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.rfind("压缩后的图片大小大于内置图片的大小!", 0), 0u) << refused.err;
  EXPECT_EQ(ReadBytes(f.fw), f.original);

  const CommandResult accepted =
      RunCli({"pictures", "replace", f.fw, f.table, "002", "1", f.bmp, "--yes", "--write"});
  EXPECT_EQ(accepted.status, 0) << accepted.err;
  const std::vector<std::uint8_t> after = ReadBytes(f.fw);
  EXPECT_EQ(after[0x200], 9);
  EXPECT_EQ(std::vector<std::uint8_t>(after.begin(), after.begin() + 0x200),
            std::vector<std::uint8_t>(f.original.begin(), f.original.begin() + 0x200));
}

TEST(PicturesReplaceCli, AnAcceptedOversizePictureExportsWhole) {
  // Noise compresses to more than the frame size that the table keeps; the
  // export of the saved image still decodes every pixel.
  using namespace pictures::bmptest;
  constexpr int kW = 128, kH = 160;
  TempDir dir;
  const std::string fw = dir.Path("fw.bin"), table = dir.Path("table.txt"), bmp = dir.Path("noise.bmp");
  WriteBytes(fw, std::vector<std::uint8_t>(0x20000, 0x5A));
  WriteText(table, "001 Noise\t 0X00000100\t Zahl: 1\t Size: 40960\t Dims: 128*160\t Farb: 16*\t\r\n");
  WriteBytes(bmp, Bmp24Of(kW, kH, NoiseWithoutWordOne));
  ASSERT_EQ(RunCli({"pictures", "replace", fw, table, "001", "1", bmp, "--yes", "--write"}).status, 0);

  const CommandResult exported = RunCli({"pictures", "export", fw, table, dir.Path()});
  ASSERT_EQ(exported.status, 0) << exported.err;
  const std::vector<std::uint8_t> out = ReadBytes(dir.Path("Noise-01.bmp"));
  ASSERT_EQ(out.size(), 54u + kW * kH * 3);
  const PixelFn expected = [](int x, int y) { return Through16Bit(NoiseWithoutWordOne(x, y)); };
  EXPECT_EQ(PixelsDiffering(out, kW, kH, expected), 0);
}

TEST(PicturesReplaceCli, RefusalsAndUsage) {
  Fixture f;
  const CommandResult turned =
      RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.bmp, "--turn", "cw", "--write"});
  EXPECT_EQ(turned.status, 1);
  EXPECT_EQ(turned.err.rfind("bmp文件的宽度和高度不一致!", 0), 0u) << turned.err;
  const CommandResult frame = RunCli({"pictures", "replace", f.fw, f.table, "001", "3", f.bmp, "--write"});
  EXPECT_EQ(frame.status, 1);
  const CommandResult noBmp =
      RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.dir.Path("no.bmp"), "--write"});
  EXPECT_EQ(noBmp.status, 1);
  EXPECT_EQ(noBmp.err.rfind("打开bmp文件失败!", 0), 0u) << noBmp.err;
  EXPECT_EQ(ReadBytes(f.fw), f.original);
  EXPECT_EQ(RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.bmp}).status, 2);
  EXPECT_EQ(RunCli({"pictures", "replace", f.fw, f.table, "001", "1", f.bmp, "--turn", "x", "--write"}).status, 2);
}

}  // namespace
}  // namespace korvana::test
