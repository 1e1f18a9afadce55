#include "image/hex.h"

#include <algorithm>
#include <array>

namespace korvana::image {

namespace {
constexpr std::array<signed char, 256> MakeNibbleTable() {
  std::array<signed char, 256> t{};
  for (auto& v : t) v = -1;
  for (int i = 0; i < 10; ++i) t[static_cast<std::size_t>('0' + i)] = static_cast<signed char>(i);
  for (int i = 0; i < 6; ++i) {
    t[static_cast<std::size_t>('A' + i)] = static_cast<signed char>(10 + i);
    t[static_cast<std::size_t>('a' + i)] = static_cast<signed char>(10 + i);
  }
  return t;
}
constexpr auto kNibble = MakeNibbleTable();

// A UTF-8 continuation byte does not start a character.
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The place value 16^256 no longer fits a double, which overflows the
// conversion just as a too large value does.
constexpr int kMaxPlaces = 256;
}  // namespace

int HexNibble(char c) { return kNibble[static_cast<unsigned char>(c)]; }

std::size_t CharacterCount(std::string_view s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); }));
}

std::vector<std::string_view> CharactersOf(std::string_view s) {
  std::vector<std::string_view> chars;
  std::size_t i = 0;
  while (i < s.size() && IsContinuation(s[i])) ++i;
  while (i < s.size()) {
    std::size_t end = i + 1;
    while (end < s.size() && IsContinuation(s[end])) ++end;
    chars.push_back(s.substr(i, end - i));
    i = end;
  }
  return chars;
}

std::string_view LastCharacters(std::string_view s, std::size_t n) {
  std::size_t i = s.size();
  for (std::size_t seen = 0; i > 0 && seen < n;) {
    if (!IsContinuation(s[--i])) ++seen;
  }
  return s.substr(i);
}

std::uint8_t HexDigitValue(std::string_view c) {
  if (c.size() != 1) return 0;
  const int v = HexNibble(c[0]);
  return v < 0 ? 0 : static_cast<std::uint8_t>(v);
}

std::int32_t HexToLong(std::string_view s) {
  std::int64_t result = 0;
  int place = 0;  // 0 for the rightmost character
  for (std::size_t i = s.size(); i-- > 0;) {
    if (IsContinuation(s[i])) continue;
    if (place >= kMaxPlaces) throw HexOverflow();
    const int d = HexNibble(s[i]);
    if (d > 0) {
      if (place >= 8) throw HexOverflow();
      result += std::int64_t{d} << (4 * place);
      if (result > 0x7FFFFFFF) throw HexOverflow();
    }
    ++place;
  }
  return static_cast<std::int32_t>(result);
}

std::uint8_t HexByteValue(std::string_view s) {
  const std::vector<std::string_view> chars = CharactersOf(s);
  if (chars.size() != 2) return 0;
  return static_cast<std::uint8_t>(HexDigitValue(chars[0]) * 16 + HexDigitValue(chars[1]));
}

std::string HexPad(std::int64_t v, int width) {
  auto u = static_cast<std::uint64_t>(v);
  if (v < 0) u &= 0xFFFFFFFFu;  // 32-bit two's complement
  std::string digits;
  do {
    digits.insert(digits.begin(), kUpperHexDigits[u & 0x0F]);
    u >>= 4;
  } while (u != 0);
  return ZeroPad(digits, width);
}

std::string ZeroPad(std::string_view s, int width) {
  std::string out;
  const std::size_t length = CharacterCount(s);
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    out.assign(static_cast<std::size_t>(width) - length, '0');
  }
  out.append(s);
  return out;
}

std::string ByteToHex2(int n) {
  std::string out;
  out.push_back(kUpperHexDigits[(n / 16) & 0x0F]);
  out.push_back(kUpperHexDigits[n % 16 & 0x0F]);
  return out;
}

std::int16_t AddressByteSum(std::int32_t a) {
  const auto u = static_cast<std::uint32_t>(a);
  return static_cast<std::int16_t>((u >> 24) + ((u >> 16) & 0xFF) + ((u >> 8) & 0xFF) + (u & 0xFF));
}

}  // namespace korvana::image
