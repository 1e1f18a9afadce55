#include "image/srecord_reader.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(ParseSRecord, ReadsEachTypeWithItsAddressLengthAndRefusesBadLines) {
  const std::pair<std::string_view, std::optional<Read>> cases[] = {
      {"S1050010ABCD72", Read{'1', 0x0010, {0xAB, 0xCD}}},
      {"S2060A0010ABCD67", Read{'2', 0x0A0010, {0xAB, 0xCD}}},
      {"S3060000011010d8", Read{'3', 0x110, {0x10}}},
      // Our own header and end line, and the count and end records of others.
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
      {"S306000G011010D8", std::nullopt},  // no hex digit
      {"S3", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [line, read] : cases) EXPECT_EQ(Parse(line), read) << line;
}

// Every character in every digit place of the data, for data runs that the
// parser takes 16 bytes at a time and for the bytes after them: a hex digit
// of either case is read as its value, anything else refuses the line.
TEST(ParseSRecord, EveryDataDigitPlaceTakesExactlyTheHexDigitsOfBothCases) {
  for (const std::size_t size : {16, 20, 33}) {
    std::vector<std::uint8_t> base(size);
    for (std::size_t i = 0; i < size; ++i) base[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::size_t place = 0; place < 2 * size; ++place) {
      for (int c = 0; c < 256; ++c) {
        const char* digits = "0123456789abcdef0123456789ABCDEF";
        const char* at = c == 0 ? nullptr : std::strchr(digits, c);
        std::vector<std::uint8_t> bytes = base;
        if (at != nullptr) {
          const auto value = static_cast<std::uint8_t>((at - digits) % 16);
          auto& b = bytes[place / 2];
          b = place % 2 == 0 ? static_cast<std::uint8_t>(value << 4 | (b & 0x0F))
                             : static_cast<std::uint8_t>((b & 0xF0) | value);
        }
        std::string line;
        AppendS3Line(line, 0x1000, bytes);  // with the checksum of bytes
        line.resize(line.size() - 2);
        line[12 + place] = static_cast<char>(c);
        const std::optional<Read> read = Parse(line);
        if (at != nullptr) {
          ASSERT_EQ(read, (Read{'3', 0x1000, bytes})) << size << " bytes, place " << place << ", char " << c;
        } else {
          ASSERT_EQ(read, std::nullopt) << size << " bytes, place " << place << ", char " << c;
        }
      }
    }
  }
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

TEST(SRecordReader, RefusesWhatIsNoFile) {
  TempDir dir;
  SRecordReader reader;
  EXPECT_FALSE(reader.Open(dir.Path("missing.s3")));
  EXPECT_FALSE(reader.Open(dir.Path()));
}

}  // namespace
}  // namespace korvana::image
