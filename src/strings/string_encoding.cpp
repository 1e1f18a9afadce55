#include "strings/string_encoding.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <vector>

#include "app/code_page.h"
#include "image/hex.h"

namespace korvana::strings {

namespace {
// Byte prefixed to a character of the 8-bit range in the two-byte form.
constexpr std::uint8_t kNarrowCharPrefix = 0xA1;
constexpr char32_t kWideFrom = 0x0100;
constexpr char32_t kFirstSupplementary = 0x10000;

// One character of a UTF-8 text: its code point and its bytes.
struct Utf8Char {
  char32_t code = 0;
  std::string_view bytes;
};

// The characters of a UTF-8 text; nothing for an invalid sequence (a stray
// or missing continuation byte, an overlong form, a surrogate).
std::optional<std::vector<Utf8Char>> DecodeUtf8(std::string_view s) {
  std::vector<Utf8Char> out;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    char32_t code = b;
    char32_t minimum = 0;
    if (b >= 0xF0 && b <= 0xF4) {
      n = 4, code = b & 0x07u, minimum = 0x10000;
    } else if (b >= 0xE0 && b < 0xF0) {
      n = 3, code = b & 0x0Fu, minimum = 0x800;
    } else if (b >= 0xC2 && b < 0xE0) {
      n = 2, code = b & 0x1Fu, minimum = 0x80;
    } else if (b >= 0x80) {
      return std::nullopt;
    }
    if (i + n > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0u) != 0x80u) return std::nullopt;
      code = (code << 6) | (c & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    out.push_back({code, s.substr(i, n)});
    i += n;
  }
  return out;
}

// Upper case by the Unicode tables of the C.UTF-8 locale, independent of the
// process locale; without that locale only ASCII letters change.
char32_t UpperCased(char32_t c) {
  static const locale_t utf8Locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (l == static_cast<locale_t>(nullptr)) l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    return l;
  }();
  if (utf8Locale == static_cast<locale_t>(nullptr)) return (c >= U'a' && c <= U'z') ? c - 0x20 : c;
  return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), utf8Locale));
}

void AppendUtf16Unit(std::string& hex, char32_t unit) {
  image::AppendHexByte(hex, static_cast<std::uint8_t>(unit >> 8));
  image::AppendHexByte(hex, static_cast<std::uint8_t>(unit & 0xFF));
}

void AppendBytes(std::string& hex, std::string_view bytes) {
  for (char b : bytes) image::AppendHexByte(hex, static_cast<std::uint8_t>(b));
}
}  // namespace

std::optional<std::string> EnglishHexOf(std::string_view utf8) {
  const std::optional<std::string> ansi = app::Utf8ToAnsiStrict(utf8);
  if (!ansi) return std::nullopt;
  std::string hex;
  hex.reserve(ansi->size() * 2);
  AppendBytes(hex, *ansi);
  return hex;
}

std::optional<std::string> ChineseHexOf(std::string_view utf8) {
  const auto chars = DecodeUtf8(utf8);
  if (!chars) return std::nullopt;
  std::string hex;
  hex.reserve(chars->size() * 4);
  for (const Utf8Char& ch : *chars) {
    if (ch.code >= kFirstSupplementary) {
      const char32_t v = ch.code - kFirstSupplementary;
      AppendUtf16Unit(hex, 0xD800 + (v >> 10));
      AppendUtf16Unit(hex, 0xDC00 + (v & 0x3FF));
      continue;
    }
    const char32_t upper = UpperCased(ch.code);
    if (upper >= kWideFrom) {
      AppendUtf16Unit(hex, upper);
      continue;
    }
    // The code page's own code of the character as typed (not upper-cased):
    // "Menu" is A1 4D A1 65 A1 6E A1 75.
    // Only a one-byte code fits the two bytes every character takes here:
    // GBK's two-byte codes for é, ü, ° and the like would make three and
    // shift every following character (and a patch would cut off its end).
    const std::optional<std::string> ansi = app::Utf8ToAnsiStrict(ch.bytes);
    if (!ansi || ansi->size() != 1) return std::nullopt;
    image::AppendHexByte(hex, kNarrowCharPrefix);
    AppendBytes(hex, *ansi);
  }
  return hex;
}

std::optional<std::string> HexOf(std::string_view utf8, StringEncoding encoding) {
  return encoding == StringEncoding::kChinese ? ChineseHexOf(utf8) : EnglishHexOf(utf8);
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if ((b & 0xC0u) != 0x80u) ++units;  // every lead or single byte starts a character
    if (b >= 0xF0) ++units;             // four-byte sequences are surrogate pairs
  }
  return units;
}

}  // namespace korvana::strings
