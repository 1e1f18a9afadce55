#pragma once
// The "ANSI code page" of table files, notes, version texts and the
// "Englisch" string encoding: CP936 (GBK) unless KORVANA_CODEPAGE names
// another iconv code page (such as CP1252). Texts inside the program are
// UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace korvana::app {

// The iconv name of the code page in force.
[[nodiscard]] std::string AnsiCodePageName();

// UTF-8 to the code page; nothing when a character cannot be encoded (or
// the text is not valid UTF-8), so that no wrong byte is ever written.
[[nodiscard]] std::optional<std::string> Utf8ToAnsiStrict(std::string_view utf8);

// UTF-8 to the code page; a character it lacks becomes "?", as the
// platform's own conversion writes it.
[[nodiscard]] std::string Utf8ToAnsi(std::string_view utf8);

// Code page bytes to UTF-8; a byte sequence that is not valid in the code
// page becomes U+FFFD.
[[nodiscard]] std::string AnsiToUtf8(std::string_view ansi);

}  // namespace korvana::app
