#pragma once
// The one S-record writer. Every patch and the converter write through it,
// so the dialect lives here alone: the "HDR" header line, S3 data lines of up
// to 16 bytes, the fixed S7 end line, CR LF after each line, upper-case hex.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "image/atomic_file.h"
#include "image/outcome.h"
#include "image/types.h"

namespace korvana::image {

inline constexpr std::string_view kS3HeaderLine = "S00600004844521B\r\n";
inline constexpr std::string_view kS3LinePrefix = "S315";
inline constexpr std::string_view kS3EndLine = "S705A002000058\r\n";
inline constexpr int kS3BytesPerLine = 16;

// Appends one S3 data line for 1..16 bytes at address to out.
void AppendS3Line(std::string& out, std::uint32_t address, std::span<const std::uint8_t> bytes);

// The length of the file that one range of dataBytes bytes makes: header,
// data lines and end line.
[[nodiscard]] std::uint64_t S3FileLength(std::uint64_t dataBytes);

// The file that a series of WriteS3Range calls writes into. It stays open
// between the call with openFirst and the call with closeLast; it reaches the
// disk only at the close, so a command that ends early leaves no patch
// without its end line. Destroying an unclosed writer discards the file.
class S3Writer {
 public:
  [[nodiscard]] bool IsOpen() const { return m_file.IsOpen(); }
  [[nodiscard]] const std::string& FileName() const { return m_file.TargetPath(); }

  // The header line into a new file; false when the file cannot be created.
  // dataBytes > 0: the file will hold one range of that many bytes, so its
  // disk space can be taken at once.
  [[nodiscard]] bool Open(std::string_view fileName, std::uint64_t dataBytes = 0);
  // The data lines of first .. last from data (data[0] is at first). last =
  // first - 1 writes nothing. False once a write has failed.
  bool WriteRange(std::span<const std::uint8_t> data, Address first, Address last);
  // The end line, then the file replaces fileName; false on any failure.
  [[nodiscard]] bool Close();
  void Abandon() { m_file.Abandon(); }
  // The lines written so far: header, data lines and, once closed, the end line.
  [[nodiscard]] std::int64_t Lines() const { return m_lines; }

 private:
  AtomicFile m_file;
  std::int64_t m_lines = 0;
};

// Writes the range first .. last of data (data[0] is the byte at first) as
// S3 lines. openFirst creates fileName and writes the header; closeLast
// writes the end line and completes the file with message 10 (the outcome
// carries the file and its number of lines). A command that
// writes several ranges calls once per range with the same writer, openFirst
// on the first call and closeLast on the last. Failure (file not creatable,
// write error, data shorter than the range, last < first - 1) carries message
// 2; the writer is then discarded and no file is left.
[[nodiscard]] Outcome WriteS3Range(S3Writer& writer, std::span<const std::uint8_t> data, Address first,
                                   Address last, std::string_view fileName, bool openFirst, bool closeLast);

}  // namespace korvana::image
