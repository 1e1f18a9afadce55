#include "image/srecord_reader.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::TempDir;

struct Read {
  char type;
  std::uint32_t address;
  std::vector<std::uint8_t> data;
  bool operator==(const Read&) const = default;
};

// The records ParseSRecord finds in one line, or nothing when it refuses it.
std::optional<Read> Parse(std::string_view line) {
  std::array<std::uint8_t, kMaxSRecordData> buffer{};
  SRecord record;
  const std::size_t used = ParseSRecord(line, buffer, record);
  if (used == 0) return std::nullopt;
  EXPECT_EQ(used, line.size());
  return Read{record.type, record.address, {record.data.begin(), record.data.end()}};
}

struct FileRead {
  std::vector<Read> records;
  SRecordReader::Status last;
  std::int64_t line;
};

FileRead ReadAll(const std::string& path) {
  SRecordReader reader;
  EXPECT_TRUE(reader.Open(path));
  FileRead result;
  SRecord record;
  while ((result.last = reader.NextData(record)) == SRecordReader::Status::kData) {
    result.records.push_back({record.type, record.address, {record.data.begin(), record.data.end()}});
  }
  result.line = reader.LineNumber();
  return result;
}

TEST(ParseSRecord, EachDataTypeHasItsOwnAddressLength) {
  EXPECT_EQ(Parse("S1050010ABCD72"), (Read{'1', 0x0010, {0xAB, 0xCD}}));
  EXPECT_EQ(Parse("S2060A0010ABCD67"), (Read{'2', 0x0A0010, {0xAB, 0xCD}}));
  EXPECT_EQ(Parse("S3060000011010D8"), (Read{'3', 0x110, {0x10}}));
  EXPECT_EQ(Parse("s3060000011010d8"), std::nullopt);  // the type letter is upper case
  EXPECT_EQ(Parse("S3060000011010d8"), (Read{'3', 0x110, {0x10}}));
  // Our own header and end line, and the count and end records of others.
  EXPECT_EQ(Parse("S00600004844521B"), (Read{'0', 0, {0x48, 0x44, 0x52}}));
  EXPECT_EQ(Parse("S705A002000058"), (Read{'7', 0xA0020000, {}}));
  EXPECT_EQ(Parse("S5030004F8"), (Read{'5', 4, {}}));
  EXPECT_EQ(Parse("S9031234B6"), (Read{'9', 0x1234, {}}));
  EXPECT_EQ(Parse("S804000000FB"), (Read{'8', 0, {}}));
}

TEST(ParseSRecord, RefusesWrongChecksumsCountsAndCharacters) {
  EXPECT_EQ(Parse("S3060000011010D9"), std::nullopt);  // checksum off by one
  EXPECT_EQ(Parse("S3070000011010D8"), std::nullopt);  // count says one byte more than is there
  EXPECT_EQ(Parse("S30400000100FA"), std::nullopt);    // count too small for an S3 address
  EXPECT_EQ(Parse("S4050010ABCD72"), std::nullopt);    // S4 is reserved
  EXPECT_EQ(Parse("S306000G011010D8"), std::nullopt);  // no hex digit
  EXPECT_EQ(Parse("X3060000011010D8"), std::nullopt);
  EXPECT_EQ(Parse("S3"), std::nullopt);
  EXPECT_EQ(Parse(""), std::nullopt);
}

TEST(SRecordReader, SkipsHeadersCountsAndEndsAndAcceptsEveryLineEnd) {
  TempDir dir;
  test::WriteText(dir.Path("mixed.s3"),
                  "S00600004844521B\r\n"
                  "\r\n"
                  "S1050010ABCD72\n"
                  "\n"
                  "S2060A0010ABCD67\r"
                  "S5030002FA  \r\n"
                  "S3060000011010D8\r\n"
                  "S705A002000058\r\n"
                  "S9030000FC");  // the last line without a line end
  const FileRead read = ReadAll(dir.Path("mixed.s3"));
  EXPECT_EQ(read.last, SRecordReader::Status::kEnd);
  EXPECT_EQ(read.records, (std::vector<Read>{{'1', 0x10, {0xAB, 0xCD}}, {'2', 0xA0010, {0xAB, 0xCD}},
                                              {'3', 0x110, {0x10}}}));
}

TEST(SRecordReader, StopsAtTheFirstBadLineAndNamesIt) {
  TempDir dir;
  const std::string good = "S00600004844521B\r\nS3060000011010D8\r\n\r\n";
  for (const std::string& bad : {std::string("S3060000011010D9"),         // checksum
                                 std::string("S3060000011010D800"),       // longer than its count
                                 std::string("S3060000011010"),           // cut short
                                 std::string(10000, 'A'),                 // a long line of no record
                                 "S315" + std::string(10000, '0'),        // a long line after a record
                                 std::string("\x01\x02\xFF garbage", 12)}) {
    test::WriteText(dir.Path("bad.s3"), good + bad + "\r\nS3060000011111D6\r\n");
    const FileRead read = ReadAll(dir.Path("bad.s3"));
    EXPECT_EQ(read.last, SRecordReader::Status::kBad) << bad.substr(0, 20);
    EXPECT_EQ(read.line, 4) << bad.substr(0, 20);
    EXPECT_EQ(read.records.size(), 1u);
  }
}

TEST(SRecordReader, ReadsBackWhatTheWriterWasGivenAcrossItsBuffer) {
  // More than one read buffer of lines, so records straddle refills.
  TempDir dir;
  std::vector<std::uint8_t> first(70000 * 16 + 9);
  std::mt19937 rng(3);
  for (auto& b : first) b = static_cast<std::uint8_t>(rng());
  const std::vector<std::uint8_t> second{1, 2, 3};
  S3Writer writer;
  ASSERT_TRUE(WriteS3Range(writer, first, 0x40, static_cast<Address>(0x40 + first.size() - 1), dir.Path("w.s3"),
                           true, false).ok);
  ASSERT_TRUE(WriteS3Range(writer, second, 0x10, 0x12, dir.Path("w.s3"), false, true).ok);

  const FileRead read = ReadAll(dir.Path("w.s3"));
  ASSERT_EQ(read.last, SRecordReader::Status::kEnd);
  ASSERT_EQ(read.records.size(), 70001u + 1u);
  std::vector<std::uint8_t> joined;
  for (std::size_t i = 0; i + 1 < read.records.size(); ++i) {
    const Read& r = read.records[i];
    ASSERT_EQ(r.type, '3');
    ASSERT_EQ(r.address, 0x40 + 16 * i);
    joined.insert(joined.end(), r.data.begin(), r.data.end());
  }
  EXPECT_EQ(joined, first);
  EXPECT_EQ(read.records.back(), (Read{'3', 0x10, second}));
}

TEST(SRecordReader, RefusesWhatIsNoFile) {
  TempDir dir;
  SRecordReader reader;
  EXPECT_FALSE(reader.Open(dir.Path("missing.s3")));
  EXPECT_FALSE(reader.Open(dir.Path()));
}

}  // namespace
}  // namespace korvana::image
