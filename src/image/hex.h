#pragma once
// The hex text conversions that every subsystem uses. Their behaviour on odd
// input is part of the system: a non-digit reads as 0, wrong lengths give 0 or
// an unchanged text, and values past 7FFFFFFF overflow.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvana::image {

// Thrown by HexToLong for values of 80000000 and above. The one exception
// that crosses a module border: the command boundary turns it into the
// failure of the command that asked.
class HexOverflow : public std::overflow_error {
 public:
  HexOverflow() : std::overflow_error("hex value of 80000000 or more") {}
};

// 10..15 for a..f/A..F, the digit for 0..9; 0 for anything else, including the
// empty text and texts of two or more characters.
[[nodiscard]] std::uint8_t HexDigitValue(std::string_view c);

// Every character (a UTF-8 sequence counts as one) takes a hex place, read
// with HexDigitValue, so "0x1F" is 31 and "G1" is 1. Throws HexOverflow when
// the value reaches 80000000, or when the text is so long (over 256
// characters) that the place value itself cannot be formed.
[[nodiscard]] std::int32_t HexToLong(std::string_view s);

// The byte of a two-character text; 0 for any other length.
[[nodiscard]] std::uint8_t HexByteValue(std::string_view s);

// Upper-case hex without leading zeros, then zeros in front up to width. A
// negative value is written as its eight-digit two's complement. Never cut.
[[nodiscard]] std::string HexPad(std::int64_t v, int width);

// Zeros in front of s up to width characters; a longer text is returned
// whole.
[[nodiscard]] std::string ZeroPad(std::string_view s, int width);

// Exactly two upper-case digits for 0..255.
[[nodiscard]] std::string ByteToHex2(int n);

// The sum of the four bytes of a 32-bit address, 0..1020: the address share
// of an S-record checksum.
[[nodiscard]] std::int16_t AddressByteSum(std::int32_t a);

// Hex texts are typed, so they are counted, padded, cut and paired by
// characters, as HexToLong counts its places: a character is a UTF-8 lead
// byte (or a single byte) with the continuation bytes after it. Continuation
// bytes at the very start belong to no character and take no place.
[[nodiscard]] std::size_t CharacterCount(std::string_view s);
// Each character of s as a view into s.
[[nodiscard]] std::vector<std::string_view> CharactersOf(std::string_view s);
// The last n characters of s (all of s when it has fewer).
[[nodiscard]] std::string_view LastCharacters(std::string_view s, std::size_t n);

// Fast helpers for the per-byte paths (S-records, patterns); the same results
// as the functions above for valid input.
inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";
inline void AppendHexByte(std::string& out, std::uint8_t b) {
  out.push_back(kUpperHexDigits[b >> 4]);
  out.push_back(kUpperHexDigits[b & 0x0F]);
}
// -1 for a character that is no hex digit.
[[nodiscard]] int HexNibble(char c);

}  // namespace korvana::image
