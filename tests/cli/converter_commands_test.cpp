#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::ReadBytes;
using test::ReadText;
using test::RunCli;
using test::TempDir;

TEST(CliBin2s3, WritesEachModeAndPrintsNothing) {
  TempDir dir;
  test::WriteBytes(dir.Path("in.bin"), test::BytesOf("0123456789ABCDEFGHIJ"));
  auto r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("all.s3")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(ReadText(dir.Path("all.s3")),
            "S00600004844521B\r\nS315000000003031323334353637383941424344454648\r\n"
            "S309000000104748494AC4\r\nS705A002000058\r\n");

  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("part.s3"), "--mode", "part", "--start", "0x20", "--stop",
              "22"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadText(dir.Path("part.s3")), "S00600004844521B\r\nS3080000002030313244\r\nS705A002000058\r\n");

  r = RunCli({"bin2s3", "", dir.Path("fill.s3"), "--mode", "fill", "--start", "20", "--stop", "22", "--fill", "a5"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadText(dir.Path("fill.s3")), "S00600004844521B\r\nS30800000020A5A5A5E8\r\nS705A002000058\r\n");
}

TEST(CliBin2s3, RefusalsPrintTheirMessageAndWriteNothing) {
  TempDir dir;
  test::WriteBytes(dir.Path("in.bin"), {1, 2, 3, 4});
  auto r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "part", "--start", "10", "--stop", "10"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("结束地址应大于起始地址!", 0), 0u) << r.err;
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "part"});
  EXPECT_EQ(r.err.rfind("起始地址空!", 0), 0u) << r.err;
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "part", "--start", "80000000"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("Overflow", 0), 0u) << r.err;
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("no/o.s3")});
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--fill", "100"});
  EXPECT_EQ(r.status, 2);
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "every"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"in.bin"});
}

TEST(CliS32bin, ConvertsBothLayoutsAndRefusesBadFiles) {
  TempDir dir;
  test::WriteText(dir.Path("in.s3"), "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n");
  auto r = RunCli({"s32bin", dir.Path("in.s3"), dir.Path("image.bin"), "--fill", "FF"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  std::vector<std::uint8_t> image(16, 0xFF);
  image.insert(image.end(), {0xAB, 0xCD});
  EXPECT_EQ(ReadBytes(dir.Path("image.bin")), image);

  r = RunCli({"s32bin", dir.Path("in.s3"), dir.Path("packed.bin"), "--mode", "part"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir.Path("packed.bin")), (std::vector<std::uint8_t>{0xAB, 0xCD}));

  test::WriteText(dir.Path("bad.s3"), "S00600004844521B\r\nS30700000010ABCD71\r\n");
  r = RunCli({"s32bin", dir.Path("bad.s3"), dir.Path("bad.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "S3文件格式不对!: line 2: not a well-formed S-record or wrong checksum\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("bad.bin")));
}

}  // namespace
}  // namespace korvana
