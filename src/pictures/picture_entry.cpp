#include "pictures/picture_entry.h"

#include <cmath>

#include "image/hex.h"
#include "image/outcome.h"

namespace korvana::pictures {

namespace {
constexpr double kLargestWhole = 9007199254740992.0;  // 2^53
constexpr std::int64_t kMinInt16 = -32768;
constexpr std::int64_t kMinInt32 = -2147483648LL;
constexpr std::int64_t kMaxInt32 = 2147483647LL;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  double value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double place = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, place /= 10) value += (text[i] - '0') * place;
  }
  if (!std::isfinite(value)) value = kLargestWhole;
  return negative ? -value : value;
}

std::int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= kLargestWhole) return static_cast<std::int64_t>(kLargestWhole);
  if (value <= -kLargestWhole) return -static_cast<std::int64_t>(kLargestWhole);
  return static_cast<std::int64_t>(std::nearbyint(value));  // the default mode rounds halves to even
}

ParsedPicture ParsePictureEntry(const PictureEntry& entry) {
  ParsedPicture parsed;
  PictureShape& s = parsed.shape;
  auto refuse = [&parsed](int message, std::string detail) {
    parsed.message = message;
    parsed.detail = std::move(detail);
    return parsed;
  };
  try {
    s.address = image::HexToLong(entry.start);
  } catch (const image::HexOverflow&) {
    return refuse(msg::kFileError, "start address " + entry.start + " overflows");
  }
  s.count = RoundHalfEven(LeadingNumber(entry.count));
  if (s.count < kMinInt16 || s.count > kMaxFrameCount) {
    return refuse(msg::kFileError, "frame count " + entry.count + " is not a 16-bit number");
  }
  s.frameSize = RoundHalfEven(LeadingNumber(entry.frameSize));
  if (s.frameSize < kMinInt32 || s.frameSize > kMaxInt32) {
    return refuse(msg::kFileError, "frame size " + entry.frameSize + " is not a 32-bit number");
  }
  const std::size_t star = entry.dimensions.find('*');
  const std::string_view dims = entry.dimensions;
  s.width = RoundHalfEven(LeadingNumber(dims.substr(0, star)));
  s.height = star == std::string_view::npos ? 0 : RoundHalfEven(LeadingNumber(dims.substr(star + 1)));
  if (s.width < 0 || s.height < 0 || s.width > kMaxPictureSide || s.height > kMaxPictureSide) {
    return refuse(msg::kPictureTableBad, "dimensions " + entry.dimensions + " out of range");
  }
  std::string_view depth = entry.depth;
  s.compressed = !depth.empty() && depth.back() == '*';
  if (s.compressed) depth.remove_suffix(1);
  s.depth = RoundHalfEven(LeadingNumber(depth));
  return parsed;
}

}  // namespace korvana::pictures
