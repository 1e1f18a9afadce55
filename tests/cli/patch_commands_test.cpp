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

TEST(CliDiffApplyVerify, ARoundTripGivesNewByteForByteAlsoFromSrecCatRecords) {
  Images im;
  const std::string patch = im.dir.Path("p.s3");
  EXPECT_EQ(CliOut({"diff", im.oldPath, im.newPath, patch}), kRanges);

  // Our patch, and the same bytes as S1 and S2 records written by srec_cat.
  const std::string s1 = im.dir.Path("p.s19");
  const std::string s2 = im.dir.Path("p.s28");
  ASSERT_EQ(RunShell("srec_cat '" + patch + "' -motorola -o '" + s1 + "' -motorola -address-length=2").status, 0);
  ASSERT_EQ(RunShell("srec_cat '" + patch + "' -motorola -o '" + s2 + "' -motorola -address-length=3").status, 0);
  for (const std::string& p : {patch, s1, s2}) {
    SCOPED_TRACE(p);
    const std::string out = im.dir.Path("applied.bin");
    EXPECT_EQ(CliOut({"apply", im.oldPath, p, "--out", out}), "");
    EXPECT_EQ(ReadBytes(out), im.newer);
    EXPECT_EQ(ReadBytes(im.oldPath), im.older);  // FW stays without --write
    // The patched image holds the patch; the old one lacks its ranges.
    EXPECT_EQ(CliOut({"verify", out, p}), "");
    const CommandResult lacking = RunCli({"verify", im.oldPath, p});
    EXPECT_EQ(lacking.status, 1);
    EXPECT_EQ(lacking.out, kRanges);
  }
  const std::string copy = im.dir.Path("copy.bin");
  WriteBytes(copy, im.older);
  EXPECT_EQ(CliOut({"apply", copy, patch, "--write"}), "");
  EXPECT_EQ(ReadBytes(copy), im.newer);
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
  struct Bad {
    std::string text;
    std::string message;
  };
  const Bad cases[] = {
      // A good record first, then one whose second byte lies past the end.
      {"S1040010AA41\nS20600FFFF77780C\n", "打开文件出错!"},
      {"S1040010AA41\nS1040020AA00\n", "S3文件格式不对!"},  // wrong checksum
      {"S1040010AA41\nhello\n", "S3文件格式不对!"},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.text);
    WriteText(im.dir.Path("bad.s3"), c.text);
    EXPECT_TRUE(CliFails({"apply", im.oldPath, im.dir.Path("bad.s3"), "--write"}, 1, c.message));
    EXPECT_TRUE(CliFails({"apply", im.oldPath, im.dir.Path("bad.s3"), "--out", im.dir.Path("x.bin")}, 1, c.message));
    EXPECT_TRUE(CliFails({"verify", im.oldPath, im.dir.Path("bad.s3")}, 1, c.message));
    EXPECT_EQ(ReadBytes(im.oldPath), im.older);
    EXPECT_EQ(FilesIn(im.dir.Path()), (std::vector<std::string>{"bad.s3", "new.bin", "old.bin"}));
  }
  EXPECT_TRUE(CliFails({"apply", im.oldPath, im.dir.Path("bad.s3")}, 2));  // neither --write nor --out
}

}  // namespace
}  // namespace korvana::test
