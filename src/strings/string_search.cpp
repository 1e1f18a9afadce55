#include "strings/string_search.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "image/hex.h"

namespace korvana::strings {

namespace {
constexpr int kAddressDigits = 8;
}  // namespace

std::string FoundLengthText(std::int64_t byteLength, StringEncoding encoding) {
  if (encoding == StringEncoding::kEnglish) return std::to_string(byteLength);
  std::string text = std::to_string(byteLength / 2);
  if (byteLength % 2 != 0) text += ".5";
  return text;
}

std::int64_t ReplacementLimit(std::int64_t byteLength, StringEncoding encoding) {
  if (encoding == StringEncoding::kEnglish) return byteLength;
  return RoundHalfEven(static_cast<double>(byteLength) / 2.0);
}

double DecimalValueOf(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1.0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') sign = -1.0;
    ++i;
  }
  double value = 0.0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10.0 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10.0) value += (text[i] - '0') * scale;
  }
  return sign * value;
}

std::int64_t RoundHalfEven(double value) {
  // 2^63 as a double; values at or past it do not fit.
  constexpr double kLimit = 9223372036854775808.0;
  if (std::isnan(value)) return 0;
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  const double whole = std::floor(value);
  const double fraction = value - whole;
  auto result = static_cast<std::int64_t>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

Outcome SearchString(image::HandsetImage& image, const StringSearchRequest& request, StringSearchFields& fields) {
  if (request.fromBeginning) image.SetSearchStart(0);
  if (request.text.empty()) return Outcome::Failure(msg::kEnterSearchText);
  fields.length.clear();
  fields.stop.clear();
  fields.start.clear();
  const std::optional<std::string> pattern = HexOf(request.text, request.encoding);
  if (!pattern) {
    return Outcome::Failure(msg::kEnterSearchText, "the search text has a character the code page cannot encode");
  }

  const auto bytes = image.Bytes();
  // Once no zero byte follows a hit, none follows the later hits either:
  // they are only counted, so a long tail without a terminator is scanned once.
  bool noTerminatorAhead = false;
  for (;;) {
    if (image.SearchStart() == 0) fields.counter = "0";
    if (!image.FindHexPattern(*pattern)) return Outcome::Failure(msg::kSearchFinished);
    const std::int64_t counted = RoundHalfEven(DecimalValueOf(fields.counter));
    fields.counter = std::to_string(counted < std::numeric_limits<std::int64_t>::max() ? counted + 1 : counted);

    if (noTerminatorAhead) continue;
    const auto found = static_cast<std::size_t>(image.FoundPos());
    const void* zero = std::memchr(bytes.data() + found, 0, bytes.size() - found);
    if (zero == nullptr) {  // not a firmware string: no terminator up to the end
      noTerminatorAhead = true;
      continue;
    }
    const auto zeroPos = static_cast<std::int64_t>(static_cast<const std::uint8_t*>(zero) - bytes.data());
    const std::int64_t byteLength = zeroPos - image.FoundPos();
    fields.start = image::HexPad(image.FoundPos(), kAddressDigits);
    fields.stop = image::HexPad(zeroPos - 1, kAddressDigits);
    fields.length = FoundLengthText(byteLength, request.encoding);
    fields.replacementLimit = static_cast<int>(ReplacementLimit(byteLength, request.encoding));
    return Outcome::Success();
  }
}

}  // namespace korvana::strings
