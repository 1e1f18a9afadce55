#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_expect.h"

namespace korvana::test {
namespace {

TEST(CliConverter, Bin2s3AndS32binRoundTripWithTheirOptions) {
  TempDir dir;
  WriteBytes(dir.Path("in.bin"), {0x30, 0x31, 0x32, 0x33});
  EXPECT_EQ(CliOut({"bin2s3", dir.Path("in.bin"), dir.Path("part.s3"), "--mode", "part", "--start", "0x20", "--stop",
                    "22"}), "");
  EXPECT_EQ(ReadText(dir.Path("part.s3")), "S00600004844521B\r\nS3080000002030313244\r\nS705A002000058\r\n");

  EXPECT_EQ(CliOut({"s32bin", dir.Path("part.s3"), dir.Path("image.bin"), "--fill", "ff"}), "");
  std::vector<std::uint8_t> image(0x20, 0xFF);
  image.insert(image.end(), {0x30, 0x31, 0x32});
  EXPECT_EQ(ReadBytes(dir.Path("image.bin")), image);
  EXPECT_EQ(CliOut({"s32bin", dir.Path("part.s3"), dir.Path("packed.bin"), "--mode", "part"}), "");
  EXPECT_EQ(ReadBytes(dir.Path("packed.bin")), (std::vector<std::uint8_t>{0x30, 0x31, 0x32}));

  // Header and end line only: an empty bin.
  WriteText(dir.Path("none.s3"), "S00600004844521B\r\nS705A002000058\r\n");
  EXPECT_EQ(CliOut({"s32bin", dir.Path("none.s3"), dir.Path("none.bin")}), "");
  EXPECT_TRUE(ReadBytes(dir.Path("none.bin")).empty());
  EXPECT_TRUE(std::filesystem::exists(dir.Path("none.bin")));
}

TEST(CliConverter, RefusalsExitOneWithTheMessageAndUsageErrorsTwo) {
  TempDir dir;
  WriteBytes(dir.Path("in.bin"), {1, 2, 3, 4});
  WriteText(dir.Path("bad.s3"), "S00600004844521B\r\nS30700000010ABCD71\r\n");
  const std::string in = dir.Path("in.bin"), out = dir.Path("o.s3");
  EXPECT_TRUE(CliFails({"bin2s3", in, out, "--mode", "part", "--start", "10", "--stop", "10"}, 1,
                       "结束地址应大于起始地址!\n"));
  EXPECT_TRUE(CliFails({"s32bin", dir.Path("bad.s3"), dir.Path("bad.bin")}, 1,
                       "S3文件格式不对!: line 2: not a well-formed S-record or wrong checksum\n"));
  EXPECT_TRUE(CliFails({"bin2s3", in, out, "--mode", "part", "--start", "80000000"}, 1, "Overflow"));
  EXPECT_TRUE(CliFails({"bin2s3", in, out, "--fill", "100"}, 2));
  EXPECT_TRUE(CliFails({"s32bin", dir.Path("bad.s3"), dir.Path("o.bin"), "--mode", "fill"}, 2));
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"bad.s3", "in.bin"}));
}

}  // namespace
}  // namespace korvana::test
