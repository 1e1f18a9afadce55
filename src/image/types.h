#pragma once
// Vocabulary of the image layer: every address the system shows, takes in or
// writes is a plain index into the loaded image (there is no base address),
// held in 32 signed bits as the stored tables and the address fields expect.

#include <cstdint>
#include <functional>

namespace korvana {

using Address = std::int32_t;  // index into the image, 0 .. size - 1
using Length = std::int32_t;   // a count of bytes
using Byte = std::uint8_t;

// The inclusive range first .. last, the form in which patches and lists
// name their ranges. last == first - 1 is the empty range.
struct AddressRange {
  Address first = 0;
  Address last = -1;

  [[nodiscard]] constexpr std::int64_t Size() const {
    return std::int64_t{last} - std::int64_t{first} + 1;
  }
};

// Long loops report progress with this; returning false asks them to stop.
// An empty function means "no progress wanted, never stop".
using ProgressFn = std::function<bool(std::int64_t value)>;

}  // namespace korvana
