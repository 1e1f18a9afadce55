#include <gtest/gtest.h>

#include <cstring>

#include "support/cli_expect.h"

namespace korvana::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Menu texts in GBK at 0x100 (设置菜单) and 0x180 (设置), and in the two-byte form at 0x200 (设置1), each ended by a zero
// byte.
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

Bytes Slice(const Bytes& b, std::ptrdiff_t at, std::ptrdiff_t n) { return {b.begin() + at, b.begin() + at + n}; }

struct CliStrings : ::testing::Test {
  void SetUp() override { WriteBytes(fw, FirmwareWithStrings()); }
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
};

TEST_F(CliStrings, FindsAndReplacesGbkStrings) {
  EXPECT_EQ(CliOut({"strings", "find", fw, "设置"}), "00000100\t00000107\t8\n00000180\t00000183\t4\n");
  EXPECT_EQ(CliOut({"strings", "replace", fw, "0x100", "107", "关于", "--write"}), "");
  // 关于 in GBK, blanks up to the found length, the terminator untouched.
  EXPECT_EQ(Slice(ReadBytes(fw), 0x100, 9), (Bytes{0xB9, 0xD8, 0xD3, 0xDA, 0x20, 0x20, 0x20, 0x20, 0x00}));
}

TEST_F(CliStrings, FindsAndReplacesTwoByteStrings) {
  EXPECT_EQ(CliOut({"strings", "find", fw, "设置", "--chinese"}), "00000200\t00000205\t3\n");
  EXPECT_EQ(CliOut({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--s3", dir.Path("p.s3")}), "");
  EXPECT_EQ(ReadText(dir.Path("p.s3")), "S00600004844521B\r\nS30B0000020051734E8EA12091\r\nS705A002000058\r\n");
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());  // a patch leaves the image alone
  EXPECT_EQ(CliOut({"strings", "replace", fw, "200", "205", "关于", "--chinese", "--write"}), "");
  EXPECT_EQ(Slice(ReadBytes(fw), 0x200, 7), (Bytes{0x51, 0x73, 0x4E, 0x8E, 0xA1, 0x20, 0x00}));
}

TEST_F(CliStrings, RefusalsChangeNothing) {
  // Five characters for four bytes; four for three two-byte places.
  EXPECT_TRUE(CliFails({"strings", "replace", fw, "180", "183", "abcde", "--write"}, 1, "信息不完整,不能加入列表！"));
  EXPECT_TRUE(CliFails({"strings", "replace", fw, "200", "205", "abcd", "--chinese", "--write"}, 1, "信息不完整"));
  // A replacement the code page cannot encode is not written as "?".
  EXPECT_TRUE(CliFails({"strings", "replace", fw, "180", "183", "Grö", "--s3", dir.Path("x.s3")}, 1, "生成s3文件错误!"));
  EXPECT_TRUE(CliFails({"strings", "find", fw, "Grö"}, 1, "请输入你想查找的字符串!"));
  EXPECT_TRUE(CliFails({"strings", "replace", fw, "180", "183", "ab", "--write", "--s3", dir.Path("x.s3")}, 2));
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"fw.bin"});
  EXPECT_EQ(ReadBytes(fw), FirmwareWithStrings());
}

}  // namespace
}  // namespace korvana::test
