#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

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

TEST(CliConverter, Bin2s3AndS32binRoundTripWithTheirOptions) {
  TempDir dir;
  WriteBytes(dir.Path("in.bin"), {0x30, 0x31, 0x32, 0x33});
  EXPECT_EQ(CliOut({"bin2s3", dir.Path("in.bin"), dir.Path("part.s3"), "--mode", "part", "--start", "0x20", "--stop",
                    "22"}), "");
  EXPECT_EQ(ReadText(dir.Path("part.s3")), "S00600004844521B\r\nS3080000002030313244\r\nS705A002000058\r\n");

  EXPECT_EQ(CliOut({"s32bin", dir.Path("part.s3"), dir.Path("image.bin"), "--fill", "ff"}), "");
  EXPECT_EQ(ReadBytes(dir.Path("image.bin")).size(), 0x23u);
  EXPECT_EQ(ReadBytes(dir.Path("image.bin"))[0], 0xFF);
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

using Bytes = std::vector<std::uint8_t>;

// 64 KiB (so that S1 records reach every byte) and a changed copy: the first and the last byte, two runs 15 equal
// bytes apart (one range) and a run 16 equal bytes after those (a range of its own).
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

// The ranges and the reading of S1, S2 and S3 records are the core's; here the commands' output lines, files and exit
// statuses.
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
