#pragma once
// The string search of the tab "Zeichen": the next occurrence of a text in
// the image, through the image's shared search cursor, measured up to the
// zero byte that ends the firmware string.

#include <cstdint>
#include <string>
#include <string_view>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "strings/string_encoding.h"

namespace korvana::strings {

// What the search shows, as the tab's fields hold it: the hit counter,
// start and stop address (eight hex digits), the length and how many
// characters the replacement field then accepts, 0 meaning no limit.
struct StringSearchFields {
  std::string counter;
  std::string start;
  std::string stop;
  std::string length;
  int replacementLimit = 0;
};

struct StringSearchRequest {
  std::string text;  // UTF-8, as typed into the search field
  StringEncoding encoding = StringEncoding::kEnglish;
  bool fromBeginning = false;  // "ab Begin": every search starts at the image's beginning
};

// One click of "Such". Each call shows the next occurrence after the shared
// cursor, which stays on it; another search of the image between two calls
// moves that cursor. A hit that has no zero byte after it is counted but not
// shown, and the search goes on.
// Returns success without a message for a shown hit; failure with message
// 26 when no further occurrence exists (the cursor is then back at the
// beginning, and the next call restarts the counter); failure with message
// 27 for an empty text (fields untouched) or one that the encoding cannot
// represent. Start, stop and length are emptied before the search; on a
// failure the fields keep what was set so far.
[[nodiscard]] Outcome SearchString(image::HandsetImage& image, const StringSearchRequest& request,
                                   StringSearchFields& fields);

// The length field for a found string of byteLength bytes: the bytes
// ("Englisch") or half of them ("Chinese "), with ".5" for an odd count.
[[nodiscard]] std::string FoundLengthText(std::int64_t byteLength, StringEncoding encoding);

// How many characters the replacement may have for a found string of
// byteLength bytes: the bytes, or half of them rounded half to even. 0 (for
// one byte in "Chinese " mode) sets no limit, as an empty limit always has.
[[nodiscard]] std::int64_t ReplacementLimit(std::int64_t byteLength, StringEncoding encoding);

// The decimal number at the start of a field's text, the way the fields are
// read as numbers: leading blanks, a sign, digits, a decimal point; anything
// else ends the number, and no number is 0.
[[nodiscard]] double DecimalValueOf(std::string_view text);

// Rounds half to even (2.5 gives 2, 3.5 gives 4); the value is clamped to
// the range of int64 first.
[[nodiscard]] std::int64_t RoundHalfEven(double value);

}  // namespace korvana::strings
