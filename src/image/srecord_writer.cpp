#include "image/srecord_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/hex.h"

namespace korvana::image {

namespace {
// The count byte covers the 4 address bytes and the checksum as well.
constexpr int kCountOverhead = 5;
// "S3", count, 8 address digits, checksum, CR LF around the data digits.
constexpr std::size_t kLineOverhead = 2 + 2 + 8 + 2 + 2;
constexpr std::size_t kFullLineLength = kLineOverhead + 2 * kS3BytesPerLine;
// Lines are formatted in blocks of this many lines straight into the file's
// buffer, which takes no more at once. A block that ends with a part line
// has fewer full lines, so it fits as well.
constexpr std::size_t kLinesPerBlock = kMaxAppendBytes / kFullLineLength;

// The two upper-case digits of every byte value: a table, so that a byte
// costs one two-character copy and no branch.
using HexPair = std::array<char, 2>;
constexpr std::array<HexPair, 256> MakeHexPairs() {
  std::array<HexPair, 256> t{};
  for (std::size_t b = 0; b < 256; ++b) t[b] = {kUpperHexDigits[b >> 4], kUpperHexDigits[b & 0x0F]};
  return t;
}
constexpr auto kHexPairs = MakeHexPairs();

char* PutHexByte(char* p, unsigned b) {
  std::memcpy(p, kHexPairs[b & 0xFF].data(), 2);
  return p + 2;
}

constexpr std::size_t LineLength(std::size_t dataBytes) { return kLineOverhead + 2 * dataBytes; }

// The 32 digits of 16 data bytes at p; returns their sum. Whole-file
// conversions are almost all full lines, so these take the vector path.
unsigned PutSixteenBytes(char* p, const std::uint8_t* bytes) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i nibble = _mm_set1_epi8(0x0F);
  // '0' + n, and 7 more for n > 9 so that 10 becomes 'A'.
  const auto digits = [](__m128i n) {
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '0' - 10));
    return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
  };
  const __m128i high = digits(_mm_and_si128(_mm_srli_epi16(v, 4), nibble));
  const __m128i low = digits(_mm_and_si128(v, nibble));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_unpacklo_epi8(high, low));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), _mm_unpackhi_epi8(high, low));
  const __m128i sums = _mm_sad_epu8(v, _mm_setzero_si128());
  return static_cast<unsigned>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
#else
  unsigned sum = 0;
  for (int i = 0; i < 16; ++i, p += 2) {
    sum += bytes[i];
    PutHexByte(p, bytes[i]);
  }
  return sum;
#endif
}

// Formats one S3 line at p (exactly LineLength(n) characters) and returns
// the end. The checksum is the one's complement of the sum of the count,
// the address bytes and the data bytes.
char* FormatS3Line(char* p, std::uint32_t address, const std::uint8_t* bytes, std::size_t n) {
  const auto count = static_cast<unsigned>(n + kCountOverhead);
  unsigned sum = count;
  *p++ = 'S';
  *p++ = '3';
  p = PutHexByte(p, count);
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned b = (address >> shift) & 0xFF;
    sum += b;
    p = PutHexByte(p, b);
  }
  if (n == kS3BytesPerLine) {
    sum += PutSixteenBytes(p, bytes);
    p += 2 * kS3BytesPerLine;
  } else {
    for (std::size_t i = 0; i < n; ++i) {
      sum += bytes[i];
      p = PutHexByte(p, bytes[i]);
    }
  }
  p = PutHexByte(p, 255 - (sum % 256));
  *p++ = '\r';
  *p++ = '\n';
  return p;
}
}  // namespace

void AppendS3Line(std::string& out, std::uint32_t address, std::span<const std::uint8_t> bytes) {
  const std::size_t at = out.size();
  out.resize(at + LineLength(bytes.size()));
  FormatS3Line(out.data() + at, address, bytes.data(), bytes.size());
}

std::uint64_t S3FileLength(std::uint64_t dataBytes) {
  const std::uint64_t tail = dataBytes % kS3BytesPerLine;
  return kS3HeaderLine.size() + dataBytes / kS3BytesPerLine * kFullLineLength + (tail > 0 ? LineLength(tail) : 0) +
         kS3EndLine.size();
}

bool S3Writer::Open(std::string_view fileName, std::uint64_t dataBytes) {
  if (!m_file.Open(fileName)) return false;
  if (dataBytes > 0) m_file.ExpectSize(S3FileLength(dataBytes));
  m_lines = 1;
  return m_file.Write(kS3HeaderLine);
}

bool S3Writer::WriteRange(std::span<const std::uint8_t> data, Address first, Address last) {
  if (!m_file.IsOpen()) return false;
  const std::int64_t size = std::int64_t{last} - first + 1;
  if (size < 0 || static_cast<std::uint64_t>(size) > data.size()) return false;
  const auto total = static_cast<std::size_t>(size);
  m_lines += static_cast<std::int64_t>((total + kS3BytesPerLine - 1) / kS3BytesPerLine);
  const std::uint8_t* bytes = data.data();
  std::size_t offset = 0;
  while (offset < total) {
    // Full lines first; the last line of the range holds the 1..16 that remain.
    const std::size_t remaining = total - offset;
    const std::size_t fullLines = std::min(remaining / kS3BytesPerLine, kLinesPerBlock);
    const std::size_t tail = fullLines < kLinesPerBlock ? remaining % kS3BytesPerLine : 0;
    const std::size_t blockLength = fullLines * kFullLineLength + (tail > 0 ? LineLength(tail) : 0);
    const std::span<char> block = m_file.BeginAppend(blockLength);
    if (block.empty()) return false;
    char* p = block.data();
    for (std::size_t line = 0; line < fullLines; ++line) {
      p = FormatS3Line(p, static_cast<std::uint32_t>(first) + static_cast<std::uint32_t>(offset), bytes + offset,
                       kS3BytesPerLine);
      offset += kS3BytesPerLine;
    }
    if (tail > 0) {
      FormatS3Line(p, static_cast<std::uint32_t>(first) + static_cast<std::uint32_t>(offset), bytes + offset, tail);
      offset += tail;
    }
    m_file.EndAppend(blockLength);
  }
  return !m_file.Failed();
}

bool S3Writer::Close() {
  if (!m_file.IsOpen()) return false;
  m_file.Write(kS3EndLine);
  ++m_lines;
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
    out.lines = writer.Lines();
    return out;
  }
  return Outcome::Success();
}

}  // namespace korvana::image
