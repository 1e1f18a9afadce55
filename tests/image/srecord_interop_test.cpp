// Our S-record files against the common tools: srec_cat (srecord) checks
// every checksum and must read what we write as the same bytes, and what
// srec_cat and objcopy (binutils) write must convert back to the original.

#include <gtest/gtest.h>

#include <random>

#include "image/srecord_converter.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::RunShell;
using test::TempDir;

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
  std::vector<std::uint8_t> v(n);
  std::mt19937 rng(seed);
  for (auto& b : v) b = static_cast<std::uint8_t>(rng());
  return v;
}

// The bytes srec_cat reads from an S-record file, from address `from` on.
std::vector<std::uint8_t> SrecCatBytes(const TempDir& dir, const std::string& s3, const std::string& from = "0") {
  const test::CommandResult r = RunShell("srec_cat '" + s3 + "' -motorola -offset -0x" + from + " -o '" +
                                         dir.Path("srec_cat.bin") + "' -binary");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no warning either
  return ReadBytes(dir.Path("srec_cat.bin"));
}

TEST(SRecordInterop, SrecCatReadsEveryFileWeWriteAsTheSameBytes) {
  TempDir dir;
  const std::vector<std::uint8_t> file = RandomBytes((1 << 20) + 3, 1);
  test::WriteBytes(dir.Path("in.bin"), file);

  ASSERT_TRUE(ConvertBinToS3({dir.Path("in.bin"), S3AddressMode::kAll, "", "", "0"}, dir.Path("all.s3")).ok);
  EXPECT_EQ(SrecCatBytes(dir, dir.Path("all.s3")), file);

  ASSERT_TRUE(ConvertBinToS3({dir.Path("in.bin"), S3AddressMode::kPart, "1000", "201006", "C3"},
                             dir.Path("part.s3")).ok);
  std::vector<std::uint8_t> filled = file;
  filled.resize(0x200007, 0xC3);
  EXPECT_EQ(SrecCatBytes(dir, dir.Path("part.s3"), "1000"), filled);

  ASSERT_TRUE(ConvertBinToS3({"", S3AddressMode::kFill, "7FFFFF00", "7FFFFFFF", "5A"}, dir.Path("fill.s3")).ok);
  EXPECT_EQ(SrecCatBytes(dir, dir.Path("fill.s3"), "7FFFFF00"), std::vector<std::uint8_t>(256, 0x5A));

  // A patch of two ranges in one file.
  S3Writer writer;
  ASSERT_TRUE(WriteS3Range(writer, std::vector<std::uint8_t>{0xEE}, 0x10, 0x10, dir.Path("patch.s3"), true, false).ok);
  ASSERT_TRUE(WriteS3Range(writer, file, 0x40, 0x40 + 20, dir.Path("patch.s3"), false, true).ok);
  std::vector<std::uint8_t> patched(0x40 - 0x10, 0);
  patched[0] = 0xEE;
  patched.insert(patched.end(), file.begin(), file.begin() + 21);
  EXPECT_EQ(SrecCatBytes(dir, dir.Path("patch.s3"), "10"), patched);
}

TEST(SRecordInterop, FilesOfSrecCatAndObjcopyConvertToTheOriginalBytes) {
  TempDir dir;
  struct Case {
    std::size_t size;
    std::string command;  // IN and OUT stand for the paths
  };
  const Case cases[] = {
      // S1 with header, S5 count and S9 end record.
      {40000, "srec_cat IN -binary -execution-start-address=0x1234 -o OUT -motorola -address-length=2"},
      // S2 with S8, odd line length.
      {70001, "srec_cat IN -binary -execution-start-address=0 -o OUT -motorola -address-length=3 -line-length=61"},
      // S3 with S6 (more than 65535 records) and S7.
      {(3 << 20) + 1, "srec_cat IN -binary -execution-start-address=0 -o OUT -motorola -address-length=4"},
      {40000, "objcopy -I binary -O srec IN OUT"},
      {(1 << 20) + 5, "objcopy -I binary -O srec --srec-forceS3 --srec-len=64 IN OUT"},
  };
  unsigned seed = 10;
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> file = RandomBytes(c.size, ++seed);
    test::WriteBytes(dir.Path("in.bin"), file);
    std::string command = c.command;
    command.replace(command.find("IN"), 2, "'" + dir.Path("in.bin") + "'");
    command.replace(command.find("OUT"), 3, "'" + dir.Path("their.srec") + "'");
    const test::CommandResult made = RunShell(command);
    ASSERT_EQ(made.status, 0) << command << '\n' << made.err;

    const Outcome out = ConvertS3ToBin({dir.Path("their.srec"), BinLayout::kImage, "FF"}, dir.Path("ours.bin"));
    ASSERT_TRUE(out.ok) << command << '\n' << out.detail;
    EXPECT_EQ(ReadBytes(dir.Path("ours.bin")), file) << command;
  }
}

}  // namespace
}  // namespace korvana::image
