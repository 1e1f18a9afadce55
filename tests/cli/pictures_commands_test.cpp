#include <gtest/gtest.h>

#include <filesystem>

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
  ASSERT_EQ(nib.size(), 54u + 8);
  EXPECT_EQ(std::vector<std::uint8_t>(nib.begin() + 54, nib.end()),
            (std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0, 0}));

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
  EXPECT_EQ(text.substr(text.size() - 16), "S705A002000058\r\n");

  // Frames past the end of the image: message 2 and no file.
  WriteText(f.table, "001 Past\t 0X000000FF\t Zahl: 2\t Size: 2\t Dims: 1*1\t Farb: 16\t\r\n");
  const std::string none = f.dir.Path("none.s3");
  EXPECT_TRUE(CliFails({"pictures", "s3", f.fw, f.table, none, "001"}, 1, "打开文件出错!"));
  EXPECT_FALSE(std::filesystem::exists(none));
  EXPECT_TRUE(CliFails({"pictures", "s3", f.fw, f.table, none}, 2));  // ROW is required
}

}  // namespace
}  // namespace korvana::test
