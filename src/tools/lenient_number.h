#pragma once
// The lenient reading of a number typed into a field: the number at the
// beginning of the text, whatever follows it.

#include <string_view>

namespace korvana::tools {

// Reads the number that the text begins with. Blanks (space, TAB, line feed)
// are skipped wherever they stand; reading stops at the first character that
// cannot continue the number. Decimal numbers may carry a sign, a fraction
// and an exponent ("1.5", "-2", "3e2"); "&H" or "&O" in front (either case)
// makes the rest hexadecimal or octal digits, read without a sign. A text
// with no number in front reads as 0. Never fails; a number too large for a
// double reads as infinity.
[[nodiscard]] double LenientNumber(std::string_view text);

}  // namespace korvana::tools
