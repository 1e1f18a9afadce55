#pragma once
// A built-in tone as the tone list shows it. The row texts are the data:
// every consumer (table file, replacement list, export, address tools) reads
// them back, so the texts are made and parsed here and nowhere else.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/types.h"

namespace korvana::tones {

enum ToneColumn : int { kToneNumber = 0, kToneStart = 1, kToneStop = 2, kToneSize = 3, kToneNote = 4 };
inline constexpr int kToneColumnCount = 5;

struct ToneEntry {
  std::string number;  // "001", at least three digits
  std::string start;   // "0x" and eight upper-case hex digits
  std::string stop;    // same form, the last byte of the tone
  std::string size;    // bytes, decimal
  std::string note;    // the user's text (UTF-8), empty after a scan

  [[nodiscard]] std::vector<std::string> Texts() const { return {number, start, stop, size, note}; }
  friend bool operator==(const ToneEntry&, const ToneEntry&) = default;
};

// n in decimal with at least three digits: 1 -> "001", 1000 -> "1000".
[[nodiscard]] std::string RowNumberText(int n);

// "0x" followed by the address in eight upper-case hex digits.
[[nodiscard]] std::string ToneAddressText(std::int64_t address);

// The row of tone n that starts at start and is size bytes long.
[[nodiscard]] ToneEntry MakeToneEntry(int n, Address start, std::int64_t size);

// The first and last byte of the tone, read with HexToLong from the texts
// (which throws HexOverflow for a value of 80000000 or more).
[[nodiscard]] AddressRange ToneRangeOf(const ToneEntry& entry);

// The decimal number at the start of text after leading blanks, the way the
// size texts are read back ("004711 " is 4711); 0 when there is no digit.
// Saturates at kDecimalLimit, far beyond any size the system handles.
inline constexpr std::int64_t kDecimalLimit = std::int64_t{1} << 40;
[[nodiscard]] std::int64_t LeadingDecimal(std::string_view text);

}  // namespace korvana::tones
