// S-records: the parser of one line, the reader of a file, the writer's golden lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "image/srecord_converter.h"
#include "image/srecord_reader.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadText;
using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

struct Read {
  char type;
  std::uint32_t address;
  Bytes data;
  bool operator==(const Read&) const = default;
};

// The record ParseSRecord finds in one line, or nothing when it refuses it.
std::optional<Read> Parse(std::string_view line) {
  std::array<std::uint8_t, kMaxSRecordData> buffer{};
  SRecord record;
  const std::size_t used = ParseSRecord(line, buffer, record);
  if (used == 0) return std::nullopt;
  EXPECT_EQ(used, line.size());
  return Read{record.type, record.address, {record.data.begin(), record.data.end()}};
}

TEST(ParseSRecord, ReadsEachTypeWithItsAddressLengthAndRefusesBadLines) {
  const std::pair<std::string_view, std::optional<Read>> cases[] = {
      {"S1050010ABCD72", Read{'1', 0x0010, {0xAB, 0xCD}}},
      {"S2060A0010ABCD67", Read{'2', 0x0A0010, {0xAB, 0xCD}}},
      {"S3060000011010d8", Read{'3', 0x110, {0x10}}},
      {"S00600004844521B", Read{'0', 0, {0x48, 0x44, 0x52}}},
      {"S705A002000058", Read{'7', 0xA0020000, {}}},
      {"S5030004F8", Read{'5', 4, {}}},
      {"S9031234B6", Read{'9', 0x1234, {}}},
      {"S804000000FB", Read{'8', 0, {}}},
      {"s3060000011010d8", std::nullopt},  // the type letter is upper case
      {"S3060000011010D9", std::nullopt},  // checksum off by one
      {"S3070000011010D8", std::nullopt},  // count says one byte more than is there
      {"S30400000100FA", std::nullopt},    // count too small for an S3 address
      {"S4050010ABCD72", std::nullopt},    // S4 is reserved
      {"S30600000G1010D8", std::nullopt},  // no hex digit, where a 1 would give the right checksum
      {"S30600000:1010D8", std::nullopt},  // the character after 9
      {"S30600000@1010D8", std::nullopt},  // the character before A
      {"S3", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [line, read] : cases) EXPECT_EQ(Parse(line), read) << line;
  Bytes data(33);  // two runs of 16 data bytes and one more, in lower-case digits
  std::iota(data.begin(), data.end(), 0xC0);
  std::string line;
  AppendS3Line(line, 0x1000, data);
  std::transform(line.begin(), line.end() - 2, line.begin(), [](char c) { return c == 'S' ? c : std::tolower(c); });
  EXPECT_EQ(Parse(line.substr(0, line.size() - 2)), (Read{'3', 0x1000, data}));
  line[12 + 2 * 10 + 1] = ':';  // the "a" of CA in the first run: the character after 9 is no digit
  EXPECT_EQ(Parse(line.substr(0, line.size() - 2)), std::nullopt);
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

TEST(SRecordReader, SkipsHeadersCountsAndEndsAndAcceptsEveryLineEnd) {
  TempDir dir;
  test::WriteText(dir.Path("mixed.s3"),
                  "S00600004844521B\r\n\r\nS1050010ABCD72\n\nS2060A0010ABCD67\rS5030002FA  \r\n"
                  "S3060000011010D8\r\nS705A002000058\r\nS9030000FC");  // the last line without a line end
  const FileRead read = ReadAll(dir.Path("mixed.s3"));
  EXPECT_EQ(read.last, SRecordReader::Status::kEnd);
  EXPECT_EQ(read.records, (std::vector<Read>{{'1', 0x10, {0xAB, 0xCD}}, {'2', 0xA0010, {0xAB, 0xCD}},
                                              {'3', 0x110, {0x10}}}));
  EXPECT_FALSE(SRecordReader().Open(dir.Path("missing.s3")) || SRecordReader().Open(dir.Path()));
  // A file that fails to read is an error, not an empty file.
  EXPECT_EQ(ReadAll("/proc/self/mem").last, SRecordReader::Status::kReadError);
}

TEST(SRecordReader, StopsAtTheFirstBadLineAndNamesIt) {
  TempDir dir;
  const std::string good = "S00600004844521B\r\nS3060000011010D8\r\n\r\n";
  for (const std::string& bad : {std::string("S3060000011010D9"),         // checksum
                                 std::string("S3060000011010D800"),       // longer than its count
                                 std::string("S3060000011010"),           // cut short
                                 std::string(10000, 'A'),                 // a long line of no record
                                 "S315" + std::string(10000, '0'),        // a long line after a record
                                 // a second record on the line, also after many blanks
                                 std::string("S3060000011010D8\tS3060000011111D6"),
                                 "S3060000011010D8" + std::string(10000, ' ') + "S3060000011111D6",
                                 std::string("\x01\x02\xFF garbage", 12)}) {
    test::WriteText(dir.Path("bad.s3"), good + bad + "\r\nS3060000011111D6\r\n");
    const FileRead read = ReadAll(dir.Path("bad.s3"));
    EXPECT_EQ(read.last, SRecordReader::Status::kBad) << bad.substr(0, 20);
    EXPECT_EQ(read.line, 4) << bad.substr(0, 20);
    EXPECT_EQ(read.records.size(), 1u);
  }
}

constexpr const char* kHeader = "S00600004844521B\r\n";
constexpr const char* kEnd = "S705A002000058\r\n";

TEST(WriteS3Range, GoldenLinesForOneRange) {
  Bytes counting(17);
  std::iota(counting.begin(), counting.end(), 0);
  const std::pair<Bytes, std::string> cases[] = {  // the lines between our header and end line
      // 17 bytes at 100: a full line and a one-byte line.
      {counting, "S31500000100000102030405060708090A0B0C0D0E0F71\r\nS3060000011010D8\r\n"},
      {Bytes(16, 0xFF), "S31500000100FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF9\r\n"},
      {{0}, "S3060000010000F8\r\n"},
  };
  TempDir dir;
  for (const auto& [data, lines] : cases) {
    S3Writer writer;
    const Outcome out = WriteS3Range(writer, data, 0x100, 0xFF + static_cast<Address>(data.size()),
                                     dir.Path("p.s3"), true, true);
    EXPECT_EQ(out.message, msg::kS3Okay);
    const std::string text = ReadText(dir.Path("p.s3"));
    EXPECT_EQ(text, kHeader + lines + kEnd);
    EXPECT_EQ(S3FileLength(data.size()), text.size());  // asked of the disk before writing: too much stays taken
    EXPECT_EQ(out.lines, std::count(text.begin(), text.end(), '\n'));  // the lines it reports
  }
}

TEST(WriteS3Range, SeveralRangesShareOneFileThatAppearsOnlyWhenClosed) {
  TempDir dir;
  const std::string path = dir.Path("two.s3");
  test::WriteText(path, std::string(5000, 'x'));  // an older, longer file
  S3Writer writer;
  ASSERT_TRUE(WriteS3Range(writer, Bytes{1, 2}, 0x10, 0x11, path, true, false).ok);
  EXPECT_EQ(ReadText(path), std::string(5000, 'x'));
  ASSERT_TRUE(WriteS3Range(writer, Bytes{}, 0x30, 0x2F, path, false, false).ok);
  const Outcome last = WriteS3Range(writer, Bytes{3}, 0x20, 0x20, path, false, true);
  EXPECT_EQ(last.lines, 4);
  EXPECT_EQ(ReadText(path), std::string(kHeader) + "S307000000100102E5\r\nS3060000002003D6\r\n" + kEnd);

  // An abandoned or failed writer leaves no file.
  std::filesystem::remove(path);
  {
    S3Writer abandoned;
    ASSERT_TRUE(WriteS3Range(abandoned, Bytes{1}, 0, 0, dir.Path("a.s3"), true, false).ok);
  }
  EXPECT_FALSE(WriteS3Range(writer, Bytes{1}, 0, 0, dir.Path("no/such/x.s3"), true, true).ok);
  // Data shorter than the range it claims to hold is refused, not overread.
  EXPECT_FALSE(WriteS3Range(writer, Bytes{1}, 0, 5, dir.Path("b.s3"), true, true).ok);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
}

}  // namespace
}  // namespace korvana::image
