#pragma once
// Reading S-record files as other tools write them, not only our own: S1, S2
// and S3 data records each with their own address length, header (S0), count
// (S5, S6) and end records (S7, S8, S9) skipped, line ends CR LF, LF or CR,
// blank lines and a last line without line end accepted. Every record is
// checked against its count and checksum, because a flashing tool writes
// whatever a converted image holds.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace korvana::image {

// The most data bytes a record can carry: count FF less an S1 address (2)
// and the checksum (1).
inline constexpr std::size_t kMaxSRecordData = 252;

struct SRecord {
  char type = '0';  // the digit after 'S'
  std::uint32_t address = 0;
  std::span<const std::uint8_t> data;  // valid until the next read

  [[nodiscard]] bool IsData() const { return type == '1' || type == '2' || type == '3'; }
};

// Parses the record at the start of text (which may continue past it).
// Returns the number of characters the record takes, or 0 when text does not
// begin with a well-formed record with the right checksum. The data bytes go
// to dataOut, which record.data then views.
[[nodiscard]] std::size_t ParseSRecord(std::string_view text, std::array<std::uint8_t, kMaxSRecordData>& dataOut,
                                       SRecord& record);

// Streams the data records of a file through a fixed buffer, so a file of any
// size is read with bounded memory.
class SRecordReader {
 public:
  enum class Status { kData, kEnd, kBad, kReadError };

  SRecordReader();
  ~SRecordReader();
  SRecordReader(const SRecordReader&) = delete;
  SRecordReader& operator=(const SRecordReader&) = delete;

  // False when the file cannot be opened (or is no regular file).
  [[nodiscard]] bool Open(std::string_view path);
  [[nodiscard]] std::int64_t FileSize() const { return m_fileSize; }

  // The next data record into record. kEnd after the last line, kBad at a
  // line that is no well-formed record (LineNumber() names it), kReadError
  // when the file cannot be read further.
  [[nodiscard]] Status NextData(SRecord& record);
  // The line (from 1) of the record last returned or of the fault.
  [[nodiscard]] std::int64_t LineNumber() const { return m_line; }

 private:
  // Makes at least want characters available unless the file ends first;
  // false on a read error.
  bool Fill(std::size_t want);
  [[nodiscard]] std::size_t Available() const { return m_end - m_pos; }

  int m_fd = -1;
  std::int64_t m_fileSize = 0;
  bool m_eof = false;
  std::vector<char> m_buffer;
  std::size_t m_pos = 0;
  std::size_t m_end = 0;
  std::int64_t m_line = 1;
  bool m_afterCr = false;
  std::array<std::uint8_t, kMaxSRecordData> m_data{};
};

}  // namespace korvana::image
