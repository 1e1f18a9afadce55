#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::RunCli;
using test::TempDir;

// A firmware with one tone at 0x1000 (0x60 bytes) whose address and size are
// stored in two tone entries, at 0x200 and 0x300, and two picture records: a
// 128*160 picture at 0x6000 (record at 0x5000) and a 320*240 one at 0x7000
// (record at 0x5008).
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

TEST(CliAddr, FindsTheStoredToneAddressAndSetsANewOne) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, Firmware());
  auto r = RunCli({"addr", "find", fw, "00001000"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "01\t0x00000200\n02\t0x00000300\n");

  r = RunCli({"addr", "set", fw, "0x300", "2000"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::vector<std::uint8_t> expected = Firmware();
  expected[0x301] = 0x20;
  EXPECT_EQ(test::ReadBytes(fw), expected);
  r = RunCli({"addr", "find", fw, "1000"});
  EXPECT_EQ(r.out, "01\t0x00000200\n");
  r = RunCli({"addr", "find", fw, "0x00002000"});
  EXPECT_EQ(r.out, "01\t0x00000300\n");
}

TEST(CliAddr, RefusedChangesLeaveTheFirmwareAsItWas) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, Firmware());
  auto r = RunCli({"addr", "set", fw, "7FFD", "2000"});  // the last byte would lie past the end
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
  r = RunCli({"addr", "set", fw, "300", ""});
  EXPECT_EQ(r.err.rfind("请输入要修改的偏移地址!", 0), 0u) << r.err;
  EXPECT_EQ(RunCli({"addr", "set", fw, "300", "100000000"}).status, 1);
  EXPECT_EQ(test::ReadBytes(fw), Firmware());
}

TEST(CliAddr, OffsetPatchesTheEightByteEntry) {
  TempDir dir;
  const std::string out = dir.Path("tone.s3");
  auto r = RunCli({"addr", "patch", "2000", "00A00000", "1000", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(test::ReadText(out), "S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n");

  r = RunCli({"addr", "patch", "2000", "00A00000", "", dir.Path("none.s3")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("请输入铃声的大小!", 0), 0u) << r.err;
  r = RunCli({"addr", "patch", "2000", "00A00000", "12abc", dir.Path("none.s3")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"tone.s3"});
}

TEST(CliAddr, FindsPictureRecordsAndPatchesTheirAddressField) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, Firmware());
  auto r = RunCli({"addr", "pictures", fw, "0X00006000", "128*160"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "01\t0x00005000\n");
  r = RunCli({"addr", "pictures", fw, "00007000", "320*240"});
  EXPECT_EQ(r.out, "01\t0x00005008\n");
  r = RunCli({"addr", "pictures", fw, "00006000", "160*128"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");

  const std::string out = dir.Path("pic.s3");
  r = RunCli({"addr", "picture-patch", "5000", "00A20000", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(test::ReadText(out), "S00600004844521B\r\nS309000050040000A20000\r\nS705A002000058\r\n");
  EXPECT_EQ(test::ReadBytes(fw), Firmware());
}

TEST(CliCalc, PrintsTheNextAddressOrMessage30) {
  auto r = RunCli({"calc", "1A2B00", "5186"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "001A3F42\n");
  r = RunCli({"calc", "0x1000", "12abc"});
  EXPECT_EQ(r.out, "0000100C\n");
  r = RunCli({"calc", "", "4096"});
  EXPECT_EQ(r.out, "00001000\n");
  r = RunCli({"calc", "7FFFFFFF", "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("结束地址应大于起始地址!", 0), 0u) << r.err;
  EXPECT_EQ(RunCli({"addr"}).status, 2);
}

}  // namespace
}  // namespace korvana
