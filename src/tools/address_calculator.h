#pragma once
// The address calculator: where does the next block start when blocks are
// laid into an image one after another?

#include <optional>
#include <string>
#include <string_view>

#include "image/outcome.h"

namespace korvana::tools {

struct NextAddress {
  Outcome outcome;
  std::string text;  // eight upper-case hex digits, no prefix; empty on failure
};

// The first address after the block of size bytes at start: start is read
// as the address fields are read (HexToLong: a non-digit counts as 0, empty
// is 0), size leniently (LenientNumber: "12abc" is 12, "&H10" is 16, empty is
// 0), and the sum rounded to a whole number. A sum outside 0 .. 7FFFFFFF is no
// address: message 30 and no text. Throws image::HexOverflow for a start of
// 80000000 or more.
[[nodiscard]] NextAddress NextAddressAfter(std::string_view start, std::string_view size);

// The length of the file at path as decimal text, for the size field;
// nothing when the file cannot be opened.
[[nodiscard]] std::optional<std::string> SizeTextOfFile(std::string_view path);

}  // namespace korvana::tools
