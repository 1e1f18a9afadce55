#include <gtest/gtest.h>

#include "support/cli_expect.h"

namespace korvana::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 64 KiB (so that S1 records reach every byte) and a changed copy: the first
// and the last byte, two runs 15 equal bytes apart (one range) and a run 16
// equal bytes after those (a range of its own).
struct Images {
  TempDir dir;
  Bytes older = Bytes(0x10000);
  Bytes newer;
  std::string oldPath = dir.Path("old.bin");
  std::string newPath = dir.Path("new.bin");

  Images() {
    for (std::size_t i = 0; i < older.size(); ++i) older[i] = static_cast<std::uint8_t>(i * 13 + 1);
    newer = older;
    for (std::size_t at : {0x0u, 0x1000u, 0x1001u, 0x1011u, 0x1022u, 0xFFFFu}) newer[at] ^= 0xFF;
    WriteBytes(oldPath, older);
    WriteBytes(newPath, newer);
  }
};

constexpr const char* kRanges =
    "0x00000000\t0x00000000\t1\n"
    "0x00001000\t0x00001011\t18\n"
    "0x00001022\t0x00001022\t1\n"
    "0x0000FFFF\t0x0000FFFF\t1\n";

// The ranges and the reading of S1, S2 and S3 records are the core's; here
// the commands' output lines, files and exit statuses.
TEST(CliDiffApplyVerify, ARoundTripGivesNewByteForByte) {
  Images im;
  const std::string patch = im.dir.Path("p.s3"), out = im.dir.Path("applied.bin");
  EXPECT_EQ(CliOut({"diff", im.oldPath, im.newPath, patch}), kRanges);
  EXPECT_EQ(CliOut({"apply", im.oldPath, patch, "--out", out}), "");
  EXPECT_EQ(ReadBytes(out), im.newer);
  EXPECT_EQ(ReadBytes(im.oldPath), im.older);  // FW stays without --write
  // The patched image holds the patch; the old one lacks its ranges.
  EXPECT_EQ(CliOut({"verify", out, patch}), "");
  const CommandResult lacking = RunCli({"verify", im.oldPath, patch});
  EXPECT_EQ(lacking.status, 1);
  EXPECT_EQ(lacking.out, kRanges);
  EXPECT_EQ(CliOut({"apply", im.oldPath, patch, "--write"}), "");
  EXPECT_EQ(ReadBytes(im.oldPath), im.newer);
}

TEST(CliDiff, EqualImagesWriteNothingAndImagesOfTwoSizesAreRefused) {
  Images im;
  EXPECT_EQ(CliOut({"diff", im.oldPath, im.oldPath, im.dir.Path("none.s3")}), "");
  WriteBytes(im.dir.Path("short.bin"), Bytes(im.older.begin(), im.older.end() - 1));
  EXPECT_TRUE(CliFails({"diff", im.oldPath, im.dir.Path("short.bin"), im.dir.Path("none.s3")}, 1, "打开文件出错!"));
  EXPECT_EQ(FilesIn(im.dir.Path()), (std::vector<std::string>{"new.bin", "old.bin", "short.bin"}));
}

TEST(CliApply, ABadPatchChangesNothingAndWritesNothing) {
  Images im;
  const std::string bad = im.dir.Path("bad.s3");
  WriteText(bad, "S1040010AA41\nS1040020AA00\n");  // a good record, then a wrong checksum
  EXPECT_TRUE(CliFails({"apply", im.oldPath, bad, "--write"}, 1, "S3文件格式不对!"));
  EXPECT_TRUE(CliFails({"apply", im.oldPath, bad, "--out", im.dir.Path("x.bin")}, 1, "S3文件格式不对!"));
  EXPECT_TRUE(CliFails({"verify", im.oldPath, bad}, 1, "S3文件格式不对!"));
  EXPECT_EQ(ReadBytes(im.oldPath), im.older);
  EXPECT_EQ(FilesIn(im.dir.Path()), (std::vector<std::string>{"bad.s3", "new.bin", "old.bin"}));
  EXPECT_TRUE(CliFails({"apply", im.oldPath, bad}, 2));  // neither --write nor --out
}

}  // namespace
}  // namespace korvana::test
