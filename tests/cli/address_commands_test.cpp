#include <gtest/gtest.h>

#include <algorithm>

#include "support/cli_expect.h"

namespace korvana::test {
namespace {

// A firmware with one tone at 0x1000 (0x60 bytes) whose address and size are stored in two tone entries, at 0x200 and
// 0x300, and two picture records: a 128*160 picture at 0x6000 (record at 0x5000) and a 320*240 one at 0x7000 (record
// at 0x5008).
std::vector<std::uint8_t> Firmware() {
  std::vector<std::uint8_t> fw(0x8000, 0xFF);
  auto put = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), fw.begin() + static_cast<long>(at));
  };
  put(0x1000, {'M', 'M', 'M', 'D', 0x00, 0x00, 0x00, 0x58});
  for (std::size_t entry : {0x200u, 0x300u}) put(entry, {0x00, 0x10, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00});
  put(0x5000, {0x80, 0x00, 0xA0, 0x00, 0x00, 0x60, 0x00, 0x00});
  put(0x5008, {0x40, 0x01, 0xF0, 0x00, 0x00, 0x70, 0x00, 0x00});
  return fw;
}

struct CliAddr : ::testing::Test {
  void SetUp() override { WriteBytes(fw, Firmware()); }
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
};

TEST_F(CliAddr, FindsTheStoredToneAddressAndSetsANewOne) {
  EXPECT_EQ(CliOut({"addr", "find", fw, "00001000"}), "01\t0x00000200\n02\t0x00000300\n");
  EXPECT_EQ(CliOut({"addr", "set", fw, "0x300", "2000"}), "");
  std::vector<std::uint8_t> expected = Firmware();
  expected[0x301] = 0x20;
  EXPECT_EQ(ReadBytes(fw), expected);
  EXPECT_EQ(CliOut({"addr", "find", fw, "0x00002000"}), "01\t0x00000300\n");
  // "ä" is one character (a non-digit, so 0) however many bytes it takes.
  EXPECT_EQ(CliOut({"addr", "set", fw, "200", "12\xC3\xA4" "4"}), "");
  expected[0x200] = 0x04;
  expected[0x201] = 0x12;
  EXPECT_EQ(ReadBytes(fw), expected);
}

TEST_F(CliAddr, FindListsEveryPlaceHoweverMany) {
  WriteBytes(fw, std::vector<std::uint8_t>(33000, 0));  // the address 0 at every index from 1 on
  const std::string out = CliOut({"addr", "find", fw, "0"});
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 33000 - 4);
  EXPECT_NE(out.find("\n32768\t0x00008000\n"), std::string::npos);
  EXPECT_TRUE(out.ends_with("\n32996\t0x000080E4\n"));
}

TEST_F(CliAddr, RefusedChangesLeaveTheFirmwareAsItWas) {
  EXPECT_TRUE(CliFails({"addr", "set", fw, "7FFD", "2000"}, 1, "打开文件出错!"));  // the last byte past the end
  EXPECT_TRUE(CliFails({"addr", "set", fw, "300", ""}, 1, "请输入要修改的偏移地址!"));
  EXPECT_TRUE(CliFails({"addr", "set", fw, "300", "100000000"}, 1));
  EXPECT_EQ(ReadBytes(fw), Firmware());
}

TEST_F(CliAddr, OffsetPatchesTheEightByteEntry) {
  const std::string out = dir.Path("tone.s3");
  EXPECT_EQ(CliOut({"addr", "patch", "2000", "00A00000", "1000", out}), "");
  EXPECT_EQ(ReadText(out), "S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n");
  EXPECT_TRUE(CliFails({"addr", "patch", "2000", "00A00000", "", dir.Path("none.s3")}, 1, "请输入铃声的大小!"));
  const CommandResult bothEmpty = RunCli({"addr", "patch", "2000", "", "", dir.Path("none.s3")});
  EXPECT_EQ(std::to_string(bothEmpty.status) + bothEmpty.err, "1请输入要修改的偏移地址!\n请输入铃声的大小!\n");
  EXPECT_TRUE(CliFails({"addr", "patch", "2000", "00A00000", "12abc", dir.Path("none.s3")}, 1));
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"fw.bin", "tone.s3"}));
}

TEST_F(CliAddr, FindsPictureRecordsAndPatchesTheirAddressField) {
  EXPECT_EQ(CliOut({"addr", "pictures", fw, "0X00006000", "128*160"}), "01\t0x00005000\n");
  EXPECT_EQ(CliOut({"addr", "pictures", fw, "00007000", "320*240"}), "01\t0x00005008\n");
  EXPECT_EQ(CliOut({"addr", "pictures", fw, "00006000", "160*128"}), "");
  const std::string out = dir.Path("pic.s3");
  EXPECT_EQ(CliOut({"addr", "picture-patch", "5000", "00A20000", out}), "");
  EXPECT_EQ(ReadText(out), "S00600004844521B\r\nS309000050040000A20000\r\nS705A002000058\r\n");
  EXPECT_EQ(ReadBytes(fw), Firmware());
}

TEST(CliCalc, PrintsTheNextAddressOrMessage30) {
  EXPECT_EQ(CliOut({"calc", "1A2B00", "5186"}), "001A3F42\n");
  EXPECT_EQ(CliOut({"calc", "0x1000", "12abc"}), "0000100C\n");
  EXPECT_TRUE(CliFails({"calc", "7FFFFFFF", "1"}, 1, "结束地址应大于起始地址!"));
  EXPECT_TRUE(CliFails({"addr"}, 2));
}

}  // namespace
}  // namespace korvana::test
