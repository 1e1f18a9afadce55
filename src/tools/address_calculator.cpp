#include "tools/address_calculator.h"

#include <cmath>

#include "image/file_read.h"
#include "image/hex.h"
#include "image/types.h"
#include "tools/lenient_number.h"

namespace korvana::tools {

namespace {
constexpr double kMaxAddress = 2147483647.0;
constexpr int kAddressDigits = 8;
}  // namespace

NextAddress NextAddressAfter(std::string_view start, std::string_view size) {
  const Address first = image::HexToLong(start);
  // Rounded half to even, as whole numbers are formed from the field's reading.
  const double next = std::nearbyint(first + LenientNumber(size));
  if (!(next >= 0 && next <= kMaxAddress)) {
    // A wrapped or negative address would be a wrong one: the field keeps its value.
    return {Outcome::Failure(msg::kStopNotAboveStart, "the next address does not fit into 0 .. 7FFFFFFF"), {}};
  }
  return {Outcome::Success(), image::HexPad(static_cast<std::int64_t>(next), kAddressDigits)};
}

std::optional<std::string> SizeTextOfFile(std::string_view path) {
  const std::optional<std::int64_t> size = image::FileSizeOf(path);
  if (!size) return std::nullopt;
  return std::to_string(*size);
}

}  // namespace korvana::tools
