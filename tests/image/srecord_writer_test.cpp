#include "image/srecord_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadText;
using test::TempDir;

TEST(WriteS3Range, GoldenLinesForOneRange) {
  std::vector<std::uint8_t> counting(17);
  std::iota(counting.begin(), counting.end(), 0);
  const struct {
    std::vector<std::uint8_t> data;
    Address first;
    std::string lines;  // between our header and end line
  } cases[] = {
      // 17 bytes at 100: a full line and a one-byte line.
      {counting, 0x100, "S31500000100000102030405060708090A0B0C0D0E0F71\r\nS3060000011010D8\r\n"},
      {std::vector<std::uint8_t>(16, 0xFF), 0, "S31500000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFA\r\n"},
      {{0}, 0, "S3060000000000F9\r\n"},  // one byte 00 at 0: checksum F9
  };
  TempDir dir;
  for (const auto& c : cases) {
    S3Writer writer;
    const Address last = c.first + static_cast<Address>(c.data.size()) - 1;
    const Outcome out = WriteS3Range(writer, c.data, c.first, last, dir.Path("p.s3"), true, true);
    EXPECT_EQ(out.message, msg::kS3Okay);
    EXPECT_EQ(ReadText(dir.Path("p.s3")), "S00600004844521B\r\n" + c.lines + "S705A002000058\r\n");
    // The length asked of the disk before writing: too much stays taken.
    EXPECT_EQ(S3FileLength(c.data.size()), ReadText(dir.Path("p.s3")).size());
    // The lines the outcome reports are the file's.
    const std::string text = ReadText(dir.Path("p.s3"));
    EXPECT_EQ(out.lines, std::count(text.begin(), text.end(), '\n'));
  }
}

TEST(WriteS3Range, SeveralRangesShareOneFileAndItAppearsOnlyWhenClosed) {
  TempDir dir;
  const std::string path = dir.Path("two.s3");
  test::WriteText(path, std::string(5000, 'x'));  // an older, longer file
  S3Writer writer;
  ASSERT_TRUE(WriteS3Range(writer, std::vector<std::uint8_t>{1, 2}, 0x10, 0x11, path, true, false).ok);
  EXPECT_EQ(ReadText(path), std::string(5000, 'x'));
  ASSERT_TRUE(WriteS3Range(writer, std::vector<std::uint8_t>{}, 0x30, 0x2F, path, false, false).ok);
  const Outcome last = WriteS3Range(writer, std::vector<std::uint8_t>{3}, 0x20, 0x20, path, false, true);
  ASSERT_TRUE(last.ok);
  EXPECT_EQ(last.lines, 4);
  EXPECT_EQ(ReadText(path),
            "S00600004844521B\r\nS307000000100102E5\r\nS3060000002003D6\r\nS705A002000058\r\n");
}

TEST(WriteS3Range, AnAbandonedOrFailedWriterLeavesNoFile) {
  TempDir dir;
  {
    S3Writer writer;
    ASSERT_TRUE(WriteS3Range(writer, std::vector<std::uint8_t>{1}, 0, 0, dir.Path("a.s3"), true, false).ok);
  }
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());

  S3Writer writer;
  EXPECT_FALSE(WriteS3Range(writer, std::vector<std::uint8_t>{1}, 0, 0, dir.Path("no/such/x.s3"), true, true).ok);
  // Data shorter than the range it claims to hold is refused, not overread.
  EXPECT_FALSE(WriteS3Range(writer, std::vector<std::uint8_t>{1}, 0, 5, dir.Path("b.s3"), true, true).ok);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
}

}  // namespace
}  // namespace korvana::image
