#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana {
namespace {

using test::RunCli;
using test::TempDir;

TEST(CliConverter, Bin2s3AndS32binRoundTripWithTheirOptions) {
  TempDir dir;
  test::WriteBytes(dir.Path("in.bin"), {0x30, 0x31, 0x32, 0x33});
  auto r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("part.s3"), "--mode", "part", "--start", "0x20", "--stop",
                   "22"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(test::ReadText(dir.Path("part.s3")), "S00600004844521B\r\nS3080000002030313244\r\nS705A002000058\r\n");

  r = RunCli({"s32bin", dir.Path("part.s3"), dir.Path("image.bin"), "--fill", "ff"});
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::uint8_t> image(0x20, 0xFF);
  image.insert(image.end(), {0x30, 0x31, 0x32});
  EXPECT_EQ(test::ReadBytes(dir.Path("image.bin")), image);
  r = RunCli({"s32bin", dir.Path("part.s3"), dir.Path("packed.bin"), "--mode", "part"});
  EXPECT_EQ(test::ReadBytes(dir.Path("packed.bin")), (std::vector<std::uint8_t>{0x30, 0x31, 0x32}));
}

TEST(CliConverter, RefusalsExitOneWithTheMessageAndUsageErrorsTwo) {
  TempDir dir;
  test::WriteBytes(dir.Path("in.bin"), {1, 2, 3, 4});
  auto r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "part", "--start", "10", "--stop", "10"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "结束地址应大于起始地址!\n");
  test::WriteText(dir.Path("bad.s3"), "S00600004844521B\r\nS30700000010ABCD71\r\n");
  r = RunCli({"s32bin", dir.Path("bad.s3"), dir.Path("bad.bin")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "S3文件格式不对!: line 2: not a well-formed S-record or wrong checksum\n");
  r = RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--mode", "part", "--start", "80000000"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("Overflow", 0), 0u) << r.err;
  EXPECT_EQ(RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("o.s3"), "--fill", "100"}).status, 2);
  EXPECT_EQ(RunCli({"s32bin", dir.Path("bad.s3"), dir.Path("o.bin"), "--mode", "fill"}).status, 2);
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"bad.s3", "in.bin"}));
}

}  // namespace
}  // namespace korvana
