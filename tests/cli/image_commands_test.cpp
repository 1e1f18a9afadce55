#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::RunCli;
using test::TempDir;

TEST(CliInfo, PrintsSizeAndVersion) {
  TempDir dir;
  std::vector<std::uint8_t> fw(4096, 0xFF);
  std::memcpy(fw.data() + 512, "VersionString:   V01.2.34", 25);
  test::WriteBytes(dir.Path("fw.bin"), fw);
  const auto r = RunCli({"info", dir.Path("fw.bin")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "size\t4096\nversion\tV01.2.34\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliInfo, FailuresPrintTheMessageAndExitOne) {
  TempDir dir;
  test::WriteBytes(dir.Path("empty.bin"), {});
  auto r = RunCli({"info", dir.Path("empty.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("空文件！", 0), 0u) << r.err;

  r = RunCli({"info", dir.Path("missing.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
}

TEST(CliFind, ListsEveryHitFromAFreshCursorSkippingIndexZero) {
  TempDir dir;
  std::vector<std::uint8_t> fw(300, 0);
  for (std::size_t at : {0u, 16u, 17u, 250u}) fw[at] = 0xAA, fw[at + 1] = 0xAA;
  test::WriteBytes(dir.Path("fw.bin"), fw);
  const auto r = RunCli({"find", dir.Path("fw.bin"), "aaAA"});
  EXPECT_EQ(r.status, 0) << r.err;
  // 0 is never examined; the hits at 16 and 17 overlap.
  EXPECT_EQ(r.out, "00000010\n00000011\n000000FA\n");
}

TEST(CliUsage, HelpExitsZeroAndWrongUsageTwo) {
  auto r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("info"), std::string::npos);
  r = RunCli({"find", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("HEX"), std::string::npos);
  r = RunCli({"find"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("HEX"), std::string::npos);
  r = RunCli({"no-such-command"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace korvana
