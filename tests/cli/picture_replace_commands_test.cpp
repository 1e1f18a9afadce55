#include <gtest/gtest.h>

#include <filesystem>

#include "image/hex.h"
#include "pictures/encoder_test_support.h"
#include "support/cli_expect.h"

namespace korvana::test {
namespace {

using namespace pictures::bmptest;
using Bytes = std::vector<std::uint8_t>;

// A counting firmware, a table with a 24-bit picture of two 5*3 frames at
// 0x10 and a compressed one at 0x200, and a 5*3 BMP.
struct CliPictureReplace : ::testing::Test {
  void SetUp() override {
    for (int i = 0; i < 0x400; ++i) original.push_back(static_cast<std::uint8_t>(i * 7));
    WriteBytes(fw, original);
    WriteText(table,
              "001 Pic\t 0X00000010\t Zahl: 2\t Size: 45\t Dims: 5*3\t Farb: 24\t\r\n"
              "002 Packed\t 0X00000200\t Zahl: 1\t Size: 8\t Dims: 5*3\t Farb: 16*\t\r\n");
    WriteBytes(bmp, Bmp24Of(5, 3, Scattered));
  }
  // The stored depth-24 frame: rows top first, blue, green, red, no padding.
  static Bytes Stored(bool mirrored) {
    Bytes out;
    for (int y = 0; y < 3; ++y) {
      for (int i = 0; i < 5; ++i) {
        const Bgr c = Scattered(mirrored ? 4 - i : i, y);
        out.insert(out.end(), c.begin(), c.end());
      }
    }
    return out;
  }
  std::vector<std::string> Replace(const std::string& row, const std::string& frame, std::vector<std::string> more) {
    std::vector<std::string> args{"pictures", "replace", fw, table, row, frame, bmp};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  TempDir dir;
  const std::string fw = dir.Path("fw.bin"), table = dir.Path("table.txt"), bmp = dir.Path("new.bmp");
  Bytes original;
};

TEST_F(CliPictureReplace, WriteStoresTheTurnedFrameAndOnlyIt) {
  EXPECT_EQ(CliOut(Replace("001", "2", {"--turn", "h", "--write"})), "");
  Bytes expected = original;
  const Bytes stored = Stored(true);
  std::copy(stored.begin(), stored.end(), expected.begin() + 0x10 + 45);
  EXPECT_EQ(ReadBytes(fw), expected);
  // Two flips are no flip.
  EXPECT_EQ(CliOut(Replace("001", "1", {"--turn", "v", "--turn", "v", "--write"})), "");
  const Bytes twice = ReadBytes(fw);
  EXPECT_EQ(Bytes(twice.begin() + 0x10, twice.begin() + 0x10 + 45), Stored(false));
}

TEST_F(CliPictureReplace, S3WritesThePatchOfTheRowAndLeavesTheFirmwareAlone) {
  const std::string out = dir.Path("patch.s3");
  EXPECT_EQ(CliOut(Replace("001", "1", {"--s3", out})), "");
  EXPECT_EQ(ReadBytes(fw), original);
  // Its first data line starts with the new frame's first bytes.
  std::string first = "S31500000010";
  for (std::size_t i = 0; i < 16; ++i) first += image::HexPad(Stored(false)[i], 2);
  EXPECT_NE(ReadText(out).find(first), std::string::npos) << ReadText(out);
}

TEST_F(CliPictureReplace, ALargerCompressedPictureNeedsYes) {
  EXPECT_TRUE(CliFails(Replace("002", "1", {"--write"}), 1, "压缩后的图片大小大于内置图片的大小!"));
  EXPECT_EQ(ReadBytes(fw), original);
  EXPECT_EQ(CliOut(Replace("002", "1", {"--yes", "--write"})), "");
  const Bytes after = ReadBytes(fw);
  EXPECT_EQ(after[0x200], 9);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 0x200), Bytes(original.begin(), original.begin() + 0x200));
}

TEST_F(CliPictureReplace, RefusalsChangeNothingAndUsageErrorsExitTwo) {
  EXPECT_TRUE(CliFails(Replace("001", "1", {"--turn", "cw", "--write"}), 1, "bmp文件的宽度和高度不一致!"));
  EXPECT_TRUE(CliFails(Replace("001", "3", {"--write"}), 1));
  std::filesystem::remove(bmp);
  EXPECT_TRUE(CliFails(Replace("001", "1", {"--write"}), 1, "打开bmp文件失败!"));
  EXPECT_EQ(ReadBytes(fw), original);
  EXPECT_TRUE(CliFails(Replace("001", "1", {}), 2));
  EXPECT_TRUE(CliFails(Replace("001", "1", {"--turn", "x", "--write"}), 2));
}

TEST(CliPictureReplaceOversize, AnAcceptedOversizePictureExportsWhole) {
  // Noise compresses to more than the frame size that the table keeps; the
  // export of the saved image still decodes every pixel.
  constexpr int kW = 128, kH = 160;
  TempDir dir;
  const std::string fw = dir.Path("fw.bin"), table = dir.Path("table.txt"), bmp = dir.Path("noise.bmp");
  WriteBytes(fw, Bytes(0x20000, 0x5A));
  WriteText(table, "001 Noise\t 0X00000100\t Zahl: 1\t Size: 40960\t Dims: 128*160\t Farb: 16*\t\r\n");
  WriteBytes(bmp, Bmp24Of(kW, kH, NoiseWithoutWordOne));
  EXPECT_EQ(CliOut({"pictures", "replace", fw, table, "001", "1", bmp, "--yes", "--write"}), "");
  CliOut({"pictures", "export", fw, table, dir.Path()});
  const Bytes out = ReadBytes(dir.Path("Noise-01.bmp"));
  ASSERT_EQ(out.size(), 54u + kW * kH * 3);
  EXPECT_EQ(PixelsDiffering(out, kW, kH, [](int x, int y) { return Through16Bit(NoiseWithoutWordOne(x, y)); }), 0);
}

}  // namespace
}  // namespace korvana::test
