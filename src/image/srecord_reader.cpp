#include "image/srecord_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvana::image {

namespace {
// Address bytes of the record types S0..S9; S4 is reserved and never valid.
constexpr std::array<int, 10> kAddressBytes = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};
// "S", type, count, then count bytes as two digits each.
constexpr std::size_t kMaxRecordLength = 4 + 2 * 255;
// Room for many lines per read; a record never spans more than
// kMaxRecordLength characters, so this also bounds the memory of a read.
constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// Hex digit values of both cases, -1 for anything else: the hot path of the
// reader is two lookups per byte.
constexpr std::array<int, 256> MakeDigitTable() {
  std::array<int, 256> t{};
  for (auto& v : t) v = -1;
  for (int i = 0; i < 10; ++i) t[static_cast<std::size_t>('0' + i)] = i;
  for (int i = 0; i < 6; ++i) {
    t[static_cast<std::size_t>('A' + i)] = 10 + i;
    t[static_cast<std::size_t>('a' + i)] = 10 + i;
  }
  return t;
}
constexpr auto kDigit = MakeDigitTable();

// The byte of two hex digits, or a negative value when either is no digit.
int ByteAt(const char* p) {
  const int hi = kDigit[static_cast<unsigned char>(p[0])];
  const int lo = kDigit[static_cast<unsigned char>(p[1])];
  return (hi | lo) < 0 ? -1 : hi * 16 + lo;
}

#if defined(__SSE2__)
// The values of 16 characters that are hex digits of either case; valid
// marks the lanes that are.
__m128i HexNibbles(__m128i c, __m128i& valid) {
  // Unsigned "x <= limit", which SSE2 lacks: min(x, limit) == x.
  const auto atMost = [](__m128i x, char limit) { return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(limit)), x); };
  const __m128i digit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
  const __m128i isDigit = atMost(digit, 9);
  // Setting bit 5 makes 'A'..'F' into 'a'..'f' and no other character.
  const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
  const __m128i isLetter = atMost(letter, 5);
  valid = _mm_or_si128(isDigit, isLetter);
  return _mm_or_si128(_mm_and_si128(isDigit, digit),
                      _mm_and_si128(isLetter, _mm_add_epi8(letter, _mm_set1_epi8(10))));
}

// The 16 bytes of the 32 hex digits at p into out, returning their sum, or
// -1 when any character is no hex digit. Files of full lines are almost all
// such runs, so they take the vector path; the byte loop does the rest.
int DecodeSixteenBytes(const char* p, std::uint8_t* out) {
  __m128i validLow;
  __m128i validHigh;
  const __m128i low = HexNibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), validLow);
  const __m128i high = HexNibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)), validHigh);
  if (_mm_movemask_epi8(_mm_and_si128(validLow, validHigh)) != 0xFFFF) return -1;
  // Each 16-bit lane holds a digit pair: the first (high nibble) in its low byte.
  const auto pairs = [](__m128i n) {
    return _mm_or_si128(_mm_slli_epi16(_mm_and_si128(n, _mm_set1_epi16(0x00FF)), 4), _mm_srli_epi16(n, 8));
  };
  const __m128i bytes = _mm_packus_epi16(pairs(low), pairs(high));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
  const __m128i sums = _mm_sad_epu8(bytes, _mm_setzero_si128());
  return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
}
#endif

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::size_t ParseSRecord(std::string_view text, std::array<std::uint8_t, kMaxSRecordData>& dataOut,
                         SRecord& record) {
  if (text.size() < 4 || text[0] != 'S' || text[1] < '0' || text[1] > '9') return 0;
  const int addressBytes = kAddressBytes[static_cast<std::size_t>(text[1] - '0')];
  const int count = ByteAt(text.data() + 2);
  if (addressBytes < 0 || count < addressBytes + 1) return 0;
  const std::size_t length = 4 + 2 * static_cast<std::size_t>(count);
  if (text.size() < length) return 0;

  const char* p = text.data() + 4;
  unsigned sum = static_cast<unsigned>(count);
  std::uint32_t address = 0;
  for (int i = 0; i < addressBytes; ++i, p += 2) {
    const int b = ByteAt(p);
    if (b < 0) return 0;
    address = (address << 8) | static_cast<std::uint32_t>(b);
    sum += static_cast<unsigned>(b);
  }
  const auto dataBytes = static_cast<std::size_t>(count - addressBytes - 1);
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= dataBytes; i += 16, p += 32) {
    const int run = DecodeSixteenBytes(p, dataOut.data() + i);
    if (run < 0) return 0;
    sum += static_cast<unsigned>(run);
  }
#endif
  for (; i < dataBytes; ++i, p += 2) {
    const int b = ByteAt(p);
    if (b < 0) return 0;
    dataOut[i] = static_cast<std::uint8_t>(b);
    sum += static_cast<unsigned>(b);
  }
  const int checksum = ByteAt(p);
  if (checksum < 0 || ((sum + static_cast<unsigned>(checksum)) & 0xFF) != 0xFF) return 0;

  record.type = text[1];
  record.address = address;
  record.data = std::span<const std::uint8_t>(dataOut.data(), dataBytes);
  return length;
}

SRecordReader::SRecordReader() = default;

SRecordReader::~SRecordReader() {
  if (m_fd >= 0) ::close(m_fd);
}

bool SRecordReader::Open(std::string_view path) {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (m_fd < 0) return false;
  struct stat st {};
  if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(m_fd);
    m_fd = -1;
    return false;
  }
  m_fileSize = st.st_size;
  m_pos = m_end = 0;
  m_eof = false;
  m_line = 1;
  m_afterCr = false;
  return true;
}

bool SRecordReader::Fill(std::size_t want) {
  if (Available() >= want || m_eof) return true;
  if (m_fd < 0) return false;
  if (m_buffer.empty()) m_buffer.resize(kBufferSize);
  std::memmove(m_buffer.data(), m_buffer.data() + m_pos, Available());
  m_end -= m_pos;
  m_pos = 0;
  while (m_end < m_buffer.size()) {
    const ssize_t n = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      m_eof = true;
      break;
    }
    m_end += static_cast<std::size_t>(n);
  }
  return true;
}

SRecordReader::Status SRecordReader::NextData(SRecord& record) {
  for (;;) {
    // Line ends and blanks between records; CR LF counts as one line end.
    for (;;) {
      if (m_pos == m_end) {
        if (!Fill(1)) return Status::kReadError;
        if (m_pos == m_end) return Status::kEnd;
      }
      const char c = m_buffer[m_pos];
      if (c == '\n') {
        if (!m_afterCr) ++m_line;
        m_afterCr = false;
      } else if (c == '\r') {
        ++m_line;
        m_afterCr = true;
      } else if (IsBlank(c)) {
        m_afterCr = false;
      } else {
        break;
      }
      ++m_pos;
    }
    m_afterCr = false;
    if (!Fill(kMaxRecordLength + 1)) return Status::kReadError;
    const std::string_view window(m_buffer.data() + m_pos, Available());
    const std::size_t used = ParseSRecord(window, m_data, record);
    if (used == 0) return Status::kBad;
    m_pos += used;
    // A record must end its line, trailing blanks aside: anything else after
    // it means the line is longer than its count says, or holds a second
    // record that no flashing tool would read.
    for (;;) {
      if (m_pos == m_end) {
        if (!Fill(1)) return Status::kReadError;
        if (m_pos == m_end) break;
      }
      const char c = m_buffer[m_pos];
      if (c == '\r' || c == '\n') break;
      if (!IsBlank(c)) return Status::kBad;
      ++m_pos;
    }
    if (record.IsData()) return Status::kData;
  }
}

}  // namespace korvana::image
