#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"
#include "support/tone_images.h"

namespace korvana {
namespace {

using test::ReadBytes;
using test::RealTone;
using test::RunCli;
using test::TempDir;

struct CliFixture {
  TempDir dir;
  std::string fw = dir.Path("fw.bin");
  CliFixture() { test::WriteBytes(fw, test::ImageWithRealTones()); }
};

TEST(CliTones, ScanListsTheTonesAndWritesTheTable) {
  CliFixture f;
  const auto r = RunCli({"tones", "scan", f.fw, "--table", f.dir.Path("t.txt")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "001\t0x00001000\t0x0000185B\t2140\n"
            "002\t0x00003000\t0x0000345B\t1116\n"
            "003\t0x00005000\t0x0000605B\t4188\n");
  EXPECT_EQ(r.err, "");
  const auto table = RunCli({"tones", "table", f.dir.Path("t.txt")});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.substr(0, 32), "001\t0x00001000\t0x0000185B\t2140\t\n");

  test::WriteText(f.dir.Path("bad.txt"), " 001 : 0x00000010 - 0x000000D3  Byte: 196 \tA\r\nkaputt\r\n");
  const auto bad = RunCli({"tones", "table", f.dir.Path("bad.txt")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "001\t0x00000010\t0x000000D3\t196\tA\n");
  EXPECT_EQ(bad.err.rfind("铃声表格式错误!", 0), 0u) << bad.err;
}

TEST(CliTones, ExportWritesTheNamedTonesByteIdentical) {
  CliFixture f;
  auto r = RunCli({"tones", "export", f.fw, f.dir.Path("out.mmf"), "003", "001"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, f.dir.Path("out-001.mmf") + "\n" + f.dir.Path("out-003.mmf") + "\n");
  EXPECT_EQ(ReadBytes(f.dir.Path("out-001.mmf")), RealTone("a.mmf"));
  EXPECT_EQ(ReadBytes(f.dir.Path("out-003.mmf")), RealTone("c.mmf"));

  r = RunCli({"tones", "export", f.fw, f.dir.Path("all")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(f.dir.Path("all-002.mmf")), RealTone("b.mmf"));

  r = RunCli({"tones", "export", f.fw, f.dir.Path("x.mmf"), "009"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("请选择要导出的铃声!", 0), 0u) << r.err;
}

TEST(CliTones, ReplaceWritesAPatchOrTheImageAndRefusesOversizeWithoutYes) {
  CliFixture f;
  const auto original = ReadBytes(f.fw);
  const std::string a = test::ToneDataPath("a.mmf");
  const std::string c = test::ToneDataPath("c.mmf");
  const std::string s3 = f.dir.Path("p.s3");

  // c (4188 bytes) over tone 002 (1116 bytes) needs --yes.
  auto r = RunCli({"tones", "replace", f.fw, "003=" + a, "002=" + c, "--s3", s3});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("mmf文件的大小大于内置铃声文件的大小!", 0), 0u) << r.err;
  EXPECT_FALSE(std::filesystem::exists(s3));

  r = RunCli({"tones", "replace", f.fw, "003=" + a, "002=" + c, "--s3", s3, "--yes"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string patch = test::ReadText(s3);
  // Header, the range of tone 002 first (list order), then tone 003, the end line.
  EXPECT_EQ(patch.substr(0, 18), "S00600004844521B\r\n");
  EXPECT_EQ(patch.substr(18, 12), "S31500003000");
  EXPECT_NE(patch.find("S31500005000"), std::string::npos);
  EXPECT_EQ(patch.substr(patch.size() - 16), "S705A002000058\r\n");
  EXPECT_EQ(ReadBytes(f.fw), original);  // a patch never touches FW

  r = RunCli({"tones", "replace", f.fw, "003=" + a, "--write"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto expected = original;
  auto tone = RealTone("a.mmf");
  tone.resize(4188, 0);
  std::copy(tone.begin(), tone.end(), expected.begin() + 0x5000);
  EXPECT_EQ(ReadBytes(f.fw), expected);
}

TEST(CliTones, ReplaceFailuresAndUsage) {
  CliFixture f;
  const auto original = ReadBytes(f.fw);
  auto r = RunCli({"tones", "replace", f.fw, "001=" + f.dir.Path("missing.mmf"), "--write"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("打开文件出错!", 0), 0u) << r.err;
  r = RunCli({"tones", "replace", f.fw, "004=" + test::ToneDataPath("a.mmf"), "--write"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(ReadBytes(f.fw), original);

  EXPECT_EQ(RunCli({"tones", "replace", f.fw, "001=" + test::ToneDataPath("a.mmf")}).status, 2);
  EXPECT_EQ(RunCli({"tones", "replace", f.fw, "001=x", "--write", "--s3", "p.s3"}).status, 2);
  EXPECT_EQ(RunCli({"tones", "--help"}).status, 0);
  EXPECT_EQ(RunCli({"tones", "scan", f.dir.Path("missing.bin")}).status, 1);
}

}  // namespace
}  // namespace korvana
