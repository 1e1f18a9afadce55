#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/cli_expect.h"
#include "support/tone_images.h"

namespace korvana::test {
namespace {

std::size_t LineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

struct CliTones : ::testing::Test {
  void SetUp() override { WriteBytes(fw, ImageWithRealTones()); }
  TempDir dir;
  const std::string fw = dir.Path("fw.bin");
};

TEST_F(CliTones, ScanListsTheTonesAndWritesTheTable) {
  const std::string rows =
      "001\t0x00001000\t0x0000185B\t2140\n"
      "002\t0x00003000\t0x0000345B\t1116\n"
      "003\t0x00005000\t0x0000605B\t4188\n";
  EXPECT_EQ(CliOut({"tones", "scan", fw, "--table", dir.Path("t.txt")}), rows);
  EXPECT_EQ(CliOut({"tones", "table", dir.Path("t.txt")}).substr(0, 32), "001\t0x00001000\t0x0000185B\t2140\t\n");

  WriteText(dir.Path("bad.txt"), " 001 : 0x00000010 - 0x000000D3  Byte: 196 \tA\r\nkaputt\r\n");
  const auto bad = RunCli({"tones", "table", dir.Path("bad.txt")});  // the rows before the bad line, then 15
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out + bad.err.substr(0, 22), "001\t0x00000010\t0x000000D3\t196\tA\n铃声表格式错误!");
  EXPECT_TRUE(CliFails({"tones", "scan", dir.Path("missing.bin")}, 1));
}

TEST_F(CliTones, ExportWritesTheNamedTonesByteIdentical) {
  EXPECT_EQ(CliOut({"tones", "export", fw, dir.Path("out.mmf"), "003", "001"}),
            dir.Path("out-001.mmf") + "\n" + dir.Path("out-003.mmf") + "\n");
  EXPECT_EQ(ReadBytes(dir.Path("out-003.mmf")), RealTone("c.mmf"));
  EXPECT_EQ(LineCount(CliOut({"tones", "export", fw, dir.Path("all")})), 3u);  // every tone without ROW
  EXPECT_TRUE(CliFails({"tones", "export", fw, dir.Path("x.mmf"), "009"}, 1, "请选择要导出的铃声!"));
}

TEST_F(CliTones, ReplaceWritesAPatchOrTheImageAndRefusesOversizeWithoutYes) {
  const auto original = ReadBytes(fw);
  const std::string a = ToneDataPath("a.mmf"), c = ToneDataPath("c.mmf"), s3 = dir.Path("p.s3");
  // c (4188 bytes) over tone 002 (1116 bytes) needs --yes.
  EXPECT_TRUE(CliFails({"tones", "replace", fw, "003=" + a, "002=" + c, "--s3", s3}, 1,
                       "mmf文件的大小大于内置铃声文件的大小!"));
  EXPECT_FALSE(std::filesystem::exists(s3));

  EXPECT_EQ(CliOut({"tones", "replace", fw, "003=" + a, "002=" + c, "--s3", s3, "--yes"}), "");
  const std::string patch = ReadText(s3);
  // Header, the range of tone 002 first (list order), then tone 003, the end line.
  EXPECT_EQ(patch.substr(0, 30), "S00600004844521B\r\nS31500003000");
  EXPECT_NE(patch.find("S31500005000"), std::string::npos);
  EXPECT_EQ(ReadBytes(fw), original);  // a patch never touches FW
  EXPECT_EQ(CliOut({"tones", "replace", fw, "003=" + a, "--write"}), "");
  const auto tone = RealTone("a.mmf"), after = ReadBytes(fw);
  EXPECT_TRUE(std::equal(tone.begin(), tone.end(), after.begin() + 0x5000));
}

TEST_F(CliTones, ReplaceFailuresAndUsage) {
  const auto original = ReadBytes(fw);
  const std::string a = ToneDataPath("a.mmf");
  EXPECT_TRUE(CliFails({"tones", "replace", fw, "001=" + dir.Path("missing.mmf"), "--write"}, 1, "打开文件出错!"));
  EXPECT_TRUE(CliFails({"tones", "replace", fw, "004=" + a, "--write"}, 1));
  EXPECT_EQ(ReadBytes(fw), original);
  EXPECT_TRUE(CliFails({"tones", "replace", fw, "001=" + a}, 2));
  EXPECT_TRUE(CliFails({"tones", "replace", fw, "001=x", "--write", "--s3", "p.s3"}, 2));
}

}  // namespace
}  // namespace korvana::test
