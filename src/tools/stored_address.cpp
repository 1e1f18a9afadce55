#include "tools/stored_address.h"

#include <cmath>

#include "image/hex.h"
#include "tools/lenient_number.h"

namespace korvana::tools {

namespace {
constexpr std::size_t kAddressDigits = 8;
constexpr std::int64_t kMaxRecordSide = 0xFFFF;
// Far beyond any picture; keeps the conversion of a rounded side defined.
constexpr double kMaxSide = 1e15;

std::optional<std::int64_t> SideOf(std::string_view text) {
  const double v = std::nearbyint(LenientNumber(text));
  if (!(v > -kMaxSide && v < kMaxSide)) return std::nullopt;
  return static_cast<std::int64_t>(v);
}
}  // namespace

StoredAddress StoredAddressOf(std::string_view text) {
  // Padded, cut and paired by characters, so that a character of several
  // UTF-8 bytes takes one hex place here as it does in HexToLong.
  const std::string padded = image::ZeroPad(text, static_cast<int>(kAddressDigits));
  const std::vector<std::string_view> chars = image::CharactersOf(padded);
  const std::size_t extra = chars.size() - kAddressDigits;
  for (std::size_t i = 0; i < extra; ++i) {
    if (image::HexDigitValue(chars[i]) > 0) throw image::HexOverflow();
  }
  StoredAddress stored{};
  for (int i = 0; i < kStoredAddressSize; ++i) {
    // Byte i (least significant first) is the pair counted from the right.
    const std::size_t at = chars.size() - 2 * static_cast<std::size_t>(i + 1);
    stored[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(image::HexDigitValue(chars[at]) * 16 + image::HexDigitValue(chars[at + 1]));
  }
  return stored;
}

std::optional<PictureDimensions> DimensionsOf(std::string_view text) {
  const std::size_t star = text.find('*');
  if (star == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(star + 1);
  rest = rest.substr(0, rest.find('*'));
  const auto width = SideOf(text.substr(0, star));
  const auto height = SideOf(rest);
  if (!width || !height) return std::nullopt;
  return PictureDimensions{*width, *height};
}

std::optional<PictureRecord> PictureRecordOf(const PictureDimensions& dimensions, const StoredAddress& address) {
  auto fits = [](std::int64_t side) { return side >= 0 && side <= kMaxRecordSide; };
  if (!fits(dimensions.width) || !fits(dimensions.height)) return std::nullopt;
  PictureRecord record{};
  record[0] = static_cast<std::uint8_t>(dimensions.width & 0xFF);
  record[1] = static_cast<std::uint8_t>(dimensions.width >> 8);
  record[2] = static_cast<std::uint8_t>(dimensions.height & 0xFF);
  record[3] = static_cast<std::uint8_t>(dimensions.height >> 8);
  for (int i = 0; i < kStoredAddressSize; ++i) {
    record[static_cast<std::size_t>(kPictureRecordAddressOffset + i)] = address[static_cast<std::size_t>(i)];
  }
  return record;
}

}  // namespace korvana::tools
