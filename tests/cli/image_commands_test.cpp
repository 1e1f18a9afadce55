#include <gtest/gtest.h>

#include <cstring>

#include "support/cli_expect.h"

namespace korvana::test {
namespace {

TEST(CliInfo, PrintsSizeAndVersionOrTheMessage) {
  TempDir dir;
  std::vector<std::uint8_t> fw(4096, 0xFF);
  std::memcpy(fw.data() + 512, "VersionString:   V01.2.34", 25);
  WriteBytes(dir.Path("fw.bin"), fw);
  EXPECT_EQ(CliOut({"info", dir.Path("fw.bin")}), "size\t4096\nversion\tV01.2.34\n");
  std::memcpy(fw.data() + 512 + 21, "\0\0\0\0", 4);  // a shorter version, padded with NUL bytes
  WriteBytes(dir.Path("fw.bin"), fw);
  EXPECT_EQ(CliOut({"info", dir.Path("fw.bin")}), "size\t4096\nversion\tV01.\n");
  WriteBytes(dir.Path("empty.bin"), {});
  EXPECT_TRUE(CliFails({"info", dir.Path("empty.bin")}, 1, "空文件！"));
  EXPECT_TRUE(CliFails({"info", dir.Path("missing.bin")}, 1, "打开文件出错!"));
}

TEST(CliFind, ListsEveryHitFromAFreshCursorSkippingIndexZero) {
  TempDir dir;
  std::vector<std::uint8_t> fw(300, 0);
  for (std::size_t at : {0u, 16u, 17u, 250u}) fw[at] = 0xAA, fw[at + 1] = 0xAA;
  WriteBytes(dir.Path("fw.bin"), fw);
  // 0 is never examined; the hits at 16 and 17 overlap.
  EXPECT_EQ(CliOut({"find", dir.Path("fw.bin"), "aaAA"}), "00000010\n00000011\n000000FA\n");
}

TEST(CliUsage, HelpAndVersionExitZeroAndWrongUsageTwo) {
  EXPECT_EQ(CliOut({"--version"}), "korvana-cli " KORVANA_VERSION "\n");
  EXPECT_NE(CliOut({"--help"}).find("info"), std::string::npos);
  EXPECT_NE(CliOut({"find", "--help"}).find("HEX"), std::string::npos);
  EXPECT_TRUE(CliFails({"find"}, 2));
  EXPECT_TRUE(CliFails({"no-such-command"}, 2));
}

}  // namespace
}  // namespace korvana::test
