#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::ReadBytes;
using test::RunCli;
using Bytes = std::vector<std::uint8_t>;

// Menu texts in GBK at 0x100 (设置菜单) and 0x180 (设置), and in the
// two-byte form at 0x200 (设置1), each ended by a zero byte.
Bytes FirmwareWithStrings() {
  Bytes fw(0x400, 0xFF);
  const Bytes gbkMenu{0xC9, 0xE8, 0xD6, 0xC3, 0xB2, 0xCB, 0xB5, 0xA5, 0x00};
  const Bytes wide{0x8B, 0xBE, 0x7F, 0x6E, 0xA1, 0x31, 0x00};
  std::memcpy(fw.data() + 0x100, gbkMenu.data(), gbkMenu.size());
  std::memcpy(fw.data() + 0x180, gbkMenu.data(), 4);
  fw[0x184] = 0;
  std::memcpy(fw.data() + 0x200, wide.data(), wide.size());
  return fw;
}

Bytes Slice(const Bytes& b, std::size_t at, std::size_t n) {
  return {b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

struct CliStrings : ::testing::Test {
  void SetUp() override { test::WriteBytes(fw, FirmwareWithStrings()); }
  test::TempDir dir;
  const std::string fw = dir.Path("fw.bin");
};

TEST_F(CliStrings, FindsAndReplacesGbkStrings) {
  auto r = RunCli({"strings", "find", fw, "设置"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "00000100\t00000107\t8\n00000180\t00000183\t4\n");
  r = RunCli({"strings", "replace", fw, "0x100", "107", "关于", "--write"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  // 关于 in GBK, blanks up to the found length, the terminator untouched.
  EXPECT_EQ(Slice(ReadBytes(fw), 0x100, 9), (Bytes{0xB9, 0xD8, 0xD3, 0xDA, 0x20, 0x20, 0x20, 0x20, 0x00}));
  EXPECT_EQ(RunCli({"strings", "find", fw, "关于"}).out, "00000100\t00000107\t8\n");
}

TEST_F(CliStrings, FindsAndReplacesTwoByteStrings) {
  auto r = RunCli({"strings", "find", fw, "设置", "--chinese"});
  EXPECT_EQ(r.out, "00000200\t00000205\t3\n");
  r = RunCli({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--s3", dir.Path("p.s3")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(test::ReadText(dir.Path("p.s3")), "S00600004844521B\r\nS30B0000020051734E8EA12091\r\nS705A002000058\r\n");
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());  // a patch leaves the image alone
  ASSERT_EQ(RunCli({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--write"}).status, 0);
  EXPECT_EQ(Slice(ReadBytes(fw), 0x200, 7), (Bytes{0x51, 0x73, 0x4E, 0x8E, 0xA1, 0x20, 0x00}));
  EXPECT_EQ(RunCli({"strings", "find", fw, "关于", "--chinese"}).out, "00000200\t00000205\t3\n");
}

TEST_F(CliStrings, RefusalsChangeNothing) {
  auto expectRefused = [&](const std::vector<std::string>& args, int status, const std::string& message) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, status) << args[3];
    EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
  };
  // Five characters for four bytes; four for three two-byte places.
  expectRefused({"strings", "replace", fw, "180", "183", "abcde", "--write"}, 1, "信息不完整,不能加入列表！");
  expectRefused({"strings", "replace", fw, "200", "205", "abcd", "--chinese", "--write"}, 1, "信息不完整");
  // A replacement the code page cannot encode is not written as "?".
  expectRefused({"strings", "replace", fw, "180", "183", "Grö", "--s3", dir.Path("x.s3")}, 1, "生成s3文件错误!");
  expectRefused({"strings", "find", fw, "Grö"}, 1, "请输入你想查找的字符串!");
  expectRefused({"strings", "replace", fw, "180", "183", "ab", "--write", "--s3", dir.Path("x.s3")}, 2, "");
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"fw.bin"});
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());
}

}  // namespace
}  // namespace korvana
