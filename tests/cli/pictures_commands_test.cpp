#include <gtest/gtest.h>

#include <filesystem>

#include "image/hex.h"
#include "pictures/encoder_test_support.h"
#include "support/cli_expect.h"

namespace korvana::test {
namespace {

// A firmware of 0x100 counting bytes and a table of three pictures.
struct PictureFixture {
  TempDir dir;
  std::string fw = dir.Path("fw.bin");
  std::string table = dir.Path("table.txt");
  PictureFixture() {
    std::vector<std::uint8_t> bytes(0x100);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    bytes[0x80] = 0x1F;  // two depth-4 pixels: palette entries 1 and 15
    WriteBytes(fw, bytes);
    WriteText(table,
              "001 Anim\t 0X00000010\t Zahl: 2\t Size: 4\t Dims: 2*2\t Farb: 8\t\r\n"
              "\r\n"
              "002 Nib\t 0X00000080\t Zahl: 1\t Size: 1\t Dims: 2*1\t Farb: 4\t\r\n"
              "003 Last\t 0X000000F0\t Zahl: 1\t Size: 2\t Dims: 1*1\t Farb: 16*\t\r\n");
  }
};

TEST(PicturesCli, ListPrintsTheRowsAsTheListShowsThem) {
  PictureFixture f;
  EXPECT_EQ(CliOut({"pictures", "list", f.table, "--offset", "-10", "--compute-size"}),
            "001\tAnim\t0X00000000\t2\t4\t2*2\t8\n"
            "002\tNib\t0X00000070\t1\t1\t2*1\t4\n"
            "003\tLast\t0X000000E0\t1\t2\t1*1\t16*\n");
  WriteText(f.dir.Path("bad.txt"), "001 Short line\r\n");
  EXPECT_TRUE(CliFails({"pictures", "list", f.dir.Path("bad.txt")}, 1, "图片表格式错误!"));
  EXPECT_TRUE(CliFails({"pictures", "list"}, 2));
}

TEST(PicturesCli, ExportWritesEveryFrameAndUsesTheShippedPalette) {
  PictureFixture f;
  const std::string out = f.dir.Path("out");
  std::filesystem::create_directory(out);
  EXPECT_EQ(CliOut({"pictures", "export", f.fw, f.table, out, "002", "001"}),
            out + "/Anim-01.bmp\n" + out + "/Anim-02.bmp\n" + out + "/Nib-01.bmp\n");
  // Nib: 2 x 1 at depth 4 through "16.dat" beside the program: maroon, white.
  const std::vector<std::uint8_t> nib = ReadBytes(out + "/Nib-01.bmp");
  EXPECT_EQ(std::vector<std::uint8_t>(nib.begin() + 54, nib.end()), (std::vector<std::uint8_t>{0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0, 0}));
  CliOut({"pictures", "export", f.fw, f.table, out});
  EXPECT_EQ(FilesIn(out), (std::vector<std::string>{"Anim-01.bmp", "Anim-02.bmp", "Last-01.bmp", "Nib-01.bmp"}));
  EXPECT_TRUE(CliFails({"pictures", "export", f.fw, f.table, out, "009"}, 1));
}

TEST(PicturesCli, ExportNamesEachRowOfAnUnsupportedDepthAndFails) {
  PictureFixture f;
  WriteText(f.table,
            "001 Odd\t 0X00000010\t Zahl: 2\t Size: 4\t Dims: 2*2\t Farb: 7\t\r\n"
            "002 Dot\t 0X00000020\t Zahl: 1\t Size: 1\t Dims: 1*1\t Farb: 8\t\r\n"
            "003 Wide\t 0X00000030\t Zahl: 1\t Size: 4\t Dims: 1*1\t Farb: 32\t\r\n");
  const CommandResult r = RunCli({"pictures", "export", f.fw, f.table, f.dir.Path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, f.dir.Path("Dot-01.bmp") + "\n");
  EXPECT_EQ(r.err,
            "错误的bmp文件格式: picture 001 has depth 7\n"
            "错误的bmp文件格式: picture 003 has depth 32\n");
}

TEST(PicturesCli, PatchWritesTheNamedRowsInListOrder) {
  PictureFixture f;
  const std::string patch = f.dir.Path("p.s3");
  EXPECT_EQ(CliOut({"pictures", "s3", f.fw, f.table, patch, "003", "001"}), "");
  const std::string text = ReadText(patch);
  EXPECT_EQ(text.rfind("S00600004844521B\r\nS30D00000010", 0), 0u) << text;
  EXPECT_NE(text.find("S307000000F0F0F1"), std::string::npos);
  // Frames past the end of the image: message 2 and no file.
  WriteText(f.table, "001 Past\t 0X000000FF\t Zahl: 2\t Size: 2\t Dims: 1*1\t Farb: 16\t\r\n");
  const std::string none = f.dir.Path("none.s3");
  EXPECT_TRUE(CliFails({"pictures", "s3", f.fw, f.table, none, "001"}, 1, "打开文件出错!"));
  EXPECT_FALSE(std::filesystem::exists(none));
  EXPECT_TRUE(CliFails({"pictures", "s3", f.fw, f.table, none}, 2));  // ROW is required
}

using namespace pictures::bmptest;
using Bytes = std::vector<std::uint8_t>;

// A counting firmware, a table with a 24-bit picture of two 5*3 frames at 0x10 and a compressed one at 0x200, and a
// 5*3 BMP. The stored layout and the turns are the core's; here the options reach them.
struct CliPictureReplace : ::testing::Test {
  void SetUp() override {
    for (int i = 0; i < 0x400; ++i) original.push_back(static_cast<std::uint8_t>(i * 7));
    WriteBytes(fw, original);
    WriteText(table,
              "001 Pic\t 0X00000010\t Zahl: 2\t Size: 45\t Dims: 5*3\t Farb: 24\t\r\n"
              "002 Packed\t 0X00000200\t Zahl: 1\t Size: 8\t Dims: 5*3\t Farb: 16*\t\r\n");
    WriteBytes(bmp, Bmp24Of(5, 3, Scattered));
  }
  std::vector<std::string> Replace(const std::string& row, const std::string& frame, std::vector<std::string> more) {
    std::vector<std::string> args{"pictures", "replace", fw, table, row, frame, bmp};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  Bytes Frame(int n) {
    const Bytes b = ReadBytes(fw);
    return Bytes(b.begin() + 0x10 + 45 * n, b.begin() + 0x10 + 45 * (n + 1));
  }
  TempDir dir;
  const std::string fw = dir.Path("fw.bin"), table = dir.Path("table.txt"), bmp = dir.Path("new.bmp");
  Bytes original;
};

TEST_F(CliPictureReplace, WriteStoresTheTurnedFrameAndOnlyIt) {
  const std::string out = dir.Path("patch.s3");
  EXPECT_EQ(CliOut(Replace("001", "1", {"--s3", out})), "");
  EXPECT_EQ(ReadBytes(fw), original);  // a patch leaves FW alone
  EXPECT_EQ(CliOut(Replace("001", "2", {"--write"})), "");
  const Bytes plain = Frame(1);
  std::string first = "S31500000010";  // the patch's first line holds the new frame's first bytes
  for (std::size_t i = 0; i < 16; ++i) first += image::HexPad(plain[i], 2);
  EXPECT_NE(ReadText(out).find(first), std::string::npos) << ReadText(out);
  EXPECT_EQ(CliOut(Replace("001", "2", {"--turn", "h", "--write"})), "");
  EXPECT_NE(Frame(1), plain);
  EXPECT_EQ(CliOut(Replace("001", "2", {"--turn", "v", "--turn", "v", "--write"})), "");
  EXPECT_EQ(Frame(1), plain);  // two flips are no flip
  Bytes rest = ReadBytes(fw);
  std::copy(original.begin() + 0x10 + 45, original.begin() + 0x10 + 90, rest.begin() + 0x10 + 45);
  EXPECT_EQ(rest, original);
}

TEST_F(CliPictureReplace, ALargerCompressedPictureNeedsYes) {
  EXPECT_TRUE(CliFails(Replace("002", "1", {"--write"}), 1, "压缩后的图片大小大于内置图片的大小!"));
  EXPECT_EQ(ReadBytes(fw), original);
  EXPECT_EQ(CliOut(Replace("002", "1", {"--yes", "--write"})), "");
  EXPECT_EQ(ReadBytes(fw)[0x200], 9);
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
  // Noise compresses to more than the frame size that the table keeps; the export of the saved image still decodes
  // every pixel.
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
