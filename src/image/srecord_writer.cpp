#include "image/srecord_writer.h"

#include <algorithm>

#include "image/hex.h"

namespace korvana::image {

namespace {
// Lines are gathered into blocks of this many bytes before they reach the file.
constexpr std::size_t kBlockSize = 1 << 16;
// The count byte covers the 4 address bytes and the checksum as well.
constexpr int kCountOverhead = 5;
}  // namespace

void AppendS3Line(std::string& out, std::uint32_t address, std::span<const std::uint8_t> bytes) {
  const auto count = static_cast<std::uint8_t>(bytes.size() + kCountOverhead);
  unsigned sum = count;
  out.push_back('S');
  out.push_back('3');
  AppendHexByte(out, count);
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto b = static_cast<std::uint8_t>(address >> shift);
    sum += b;
    AppendHexByte(out, b);
  }
  for (std::uint8_t b : bytes) {
    sum += b;
    AppendHexByte(out, b);
  }
  AppendHexByte(out, static_cast<std::uint8_t>(255 - (sum % 256)));
  out.push_back('\r');
  out.push_back('\n');
}

bool S3Writer::Open(std::string_view fileName) {
  m_lines.clear();
  if (!m_file.Open(fileName)) return false;
  return m_file.Write(kS3HeaderLine);
}

bool S3Writer::WriteRange(std::span<const std::uint8_t> data, Address first, Address last) {
  if (!m_file.IsOpen()) return false;
  const std::int64_t size = std::int64_t{last} - first + 1;
  if (size < 0 || static_cast<std::uint64_t>(size) > data.size()) return false;
  m_lines.reserve(kBlockSize + 64);
  for (std::int64_t offset = 0; offset < size; offset += kS3BytesPerLine) {
    const std::int64_t n = std::min<std::int64_t>(kS3BytesPerLine, size - offset);
    AppendS3Line(m_lines, static_cast<std::uint32_t>(first + offset),
                 data.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(n)));
    if (m_lines.size() >= kBlockSize) {
      if (!m_file.Write(m_lines)) return false;
      m_lines.clear();
    }
  }
  if (!m_lines.empty() && !m_file.Write(m_lines)) return false;
  m_lines.clear();
  return !m_file.Failed();
}

bool S3Writer::Close() {
  if (!m_file.IsOpen()) return false;
  m_file.Write(kS3EndLine);
  return m_file.Commit();
}

Outcome WriteS3Range(S3Writer& writer, std::span<const std::uint8_t> data, Address first, Address last,
                     std::string_view fileName, bool openFirst, bool closeLast) {
  auto fail = [&](std::string detail) {
    writer.Abandon();
    return Outcome::Failure(msg::kFileError, std::move(detail));
  };
  if (openFirst && !writer.Open(fileName)) return fail("cannot create " + std::string(fileName));
  if (!writer.WriteRange(data, first, last)) return fail("cannot write " + std::string(fileName));
  if (closeLast) {
    if (!writer.Close()) return fail("cannot write " + std::string(fileName));
    Outcome out = Outcome::Success(msg::kS3Okay);
    out.written.emplace_back(fileName);
    return out;
  }
  return Outcome::Success();
}

}  // namespace korvana::image
