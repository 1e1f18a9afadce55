#pragma once
// The two ways firmware keeps a text, as hex text (two digits per byte) for
// the pattern search and for the replacement bytes:
//  - "Englisch": the bytes of the ANSI code page (GBK by default), one byte
//    for a single-byte character, lead byte first for a double-byte one;
//  - "Chinese ": two bytes per character, the UTF-16 code of the upper-cased
//    character from 0x0100 on, else 0xA1 followed by its ANSI code.

#include <optional>
#include <string>
#include <string_view>

namespace korvana::strings {

enum class StringEncoding { kChinese, kEnglish };

// Nothing when a character cannot be encoded in the code page (or the text
// is not valid UTF-8): a search for or a patch with substituted bytes would
// find or write the wrong string. Every byte is written as two upper-case
// digits, also below 0x10 (a TAB gives "09").
[[nodiscard]] std::optional<std::string> EnglishHexOf(std::string_view utf8);

// Nothing for invalid UTF-8 and for a character below 0x0100 that the code
// page cannot encode in one byte (GBK's two-byte é or ° cannot be held in
// two bytes behind 0xA1). A character outside the 16-bit range takes two UTF-16
// units, so four bytes.
[[nodiscard]] std::optional<std::string> ChineseHexOf(std::string_view utf8);

[[nodiscard]] std::optional<std::string> HexOf(std::string_view utf8, StringEncoding encoding);

// The length of a text as the text fields count it: UTF-16 units. Stray
// continuation bytes of invalid UTF-8 count nothing.
[[nodiscard]] std::size_t Utf16Length(std::string_view utf8);

}  // namespace korvana::strings
