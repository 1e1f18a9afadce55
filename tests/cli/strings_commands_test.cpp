#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::ReadBytes;
using test::RunCli;
using test::TempDir;

// A firmware with menu texts in GBK at 0x100 and 0x180 and one in the
// two-byte form at 0x200, each ended by a zero byte.
std::vector<std::uint8_t> FirmwareWithStrings() {
  std::vector<std::uint8_t> fw(0x400, 0xFF);
  const std::vector<std::uint8_t> gbkMenu{0xC9, 0xE8, 0xD6, 0xC3, 0xB2, 0xCB, 0xB5, 0xA5, 0x00};  // 设置菜单
  const std::vector<std::uint8_t> gbkShort{0xC9, 0xE8, 0xD6, 0xC3, 0x00};                          // 设置
  const std::vector<std::uint8_t> wide{0x8B, 0xBE, 0x7F, 0x6E, 0xA1, 0x31, 0x00};                  // 设置1
  std::memcpy(fw.data() + 0x100, gbkMenu.data(), gbkMenu.size());
  std::memcpy(fw.data() + 0x180, gbkShort.data(), gbkShort.size());
  std::memcpy(fw.data() + 0x200, wide.data(), wide.size());
  return fw;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
  return {b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

TEST(CliStrings, FindsGbkAndTwoByteStrings) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, FirmwareWithStrings());
  auto r = RunCli({"strings", "find", fw, "设置"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "00000100\t00000107\t8\n00000180\t00000183\t4\n");
  EXPECT_EQ(r.err, "");

  r = RunCli({"strings", "find", fw, "设置", "--chinese"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "00000200\t00000205\t3\n");

  r = RunCli({"strings", "find", fw, "nowhere"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(CliStrings, ReplacesAGbkStringInTheImage) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, FirmwareWithStrings());
  auto r = RunCli({"strings", "replace", fw, "0x100", "107", "关于", "--write"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const auto bytes = ReadBytes(fw);
  ASSERT_EQ(bytes.size(), 0x400u);
  // 关于 in GBK, blanks up to the found length, the terminator untouched.
  EXPECT_EQ(Slice(bytes, 0x100, 9),
            (std::vector<std::uint8_t>{0xB9, 0xD8, 0xD3, 0xDA, 0x20, 0x20, 0x20, 0x20, 0x00}));
  r = RunCli({"strings", "find", fw, "关于"});
  EXPECT_EQ(r.out, "00000100\t00000107\t8\n");
}

TEST(CliStrings, ReplacesATwoByteStringAsPatchAndInTheImage) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, FirmwareWithStrings());
  auto r = RunCli({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--s3", dir.Path("p.s3")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(test::ReadText(dir.Path("p.s3")),
            "S00600004844521B\r\nS30B0000020051734E8EA12091\r\nS705A002000058\r\n");
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());  // a patch leaves the image alone

  r = RunCli({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--write"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Slice(ReadBytes(fw), 0x200, 7), (std::vector<std::uint8_t>{0x51, 0x73, 0x4E, 0x8E, 0xA1, 0x20, 0x00}));
  r = RunCli({"strings", "find", fw, "关于", "--chinese"});
  EXPECT_EQ(r.out, "00000200\t00000205\t3\n");
}

TEST(CliStrings, RefusalsLeaveTheImageAlone) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, FirmwareWithStrings());
  // Five characters for a string of four bytes.
  auto r = RunCli({"strings", "replace", fw, "180", "183", "abcde", "--write"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("信息不完整,不能加入列表！", 0), 0u) << r.err;
  // Three characters for three two-byte places fit; four do not.
  r = RunCli({"strings", "replace", fw, "200", "205", "abcd", "--chinese", "--write"});
  EXPECT_EQ(r.status, 1);
  // A replacement the code page cannot encode is not written as "?".
  r = RunCli({"strings", "replace", fw, "180", "183", "Grö", "--write"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
  r = RunCli({"strings", "replace", fw, "180", "183", "Grö", "--s3", dir.Path("x.s3")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("生成s3文件错误!", 0), 0u) << r.err;
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"fw.bin"});
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());

  r = RunCli({"strings", "find", fw, "Grö"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("请输入你想查找的字符串!", 0), 0u) << r.err;
  r = RunCli({"strings", "find", fw, ""});
  EXPECT_EQ(r.status, 1);
  r = RunCli({"strings", "find", dir.Path("missing.bin"), "a"});
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
}

TEST(CliStrings, ReplaceNeedsExactlyOneTarget) {
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
  test::WriteBytes(fw, FirmwareWithStrings());
  EXPECT_EQ(RunCli({"strings", "replace", fw, "180", "183", "ab"}).status, 2);
  EXPECT_EQ(RunCli({"strings", "replace", fw, "180", "183", "ab", "--write", "--s3", dir.Path("x.s3")}).status, 2);
  EXPECT_EQ(RunCli({"strings", "--help"}).status, 0);
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());
}

}  // namespace
}  // namespace korvana
