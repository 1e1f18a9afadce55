#include "tools/address_change.h"

#include <array>
#include <cstdint>
#include <limits>

#include "image/hex.h"
#include "image/srecord_writer.h"
#include "tools/stored_address.h"

namespace korvana::tools {

namespace {
constexpr int kToneEntrySize = 8;
constexpr int kToneEntrySizeOffset = 4;
constexpr std::int64_t kMaxAddress = std::numeric_limits<Address>::max();

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A patch of bytes at first, written as one file.
Outcome WritePatch(std::span<const std::uint8_t> bytes, std::int64_t first, std::string_view out) {
  const std::int64_t last = first + static_cast<std::int64_t>(bytes.size()) - 1;
  if (first < 0 || last > kMaxAddress) {
    return Outcome::Failure(msg::kFileError, "the patch would end past address 7FFFFFFF");
  }
  image::S3Writer writer;
  return image::WriteS3Range(writer, bytes, static_cast<Address>(first), static_cast<Address>(last), out, true,
                             true);
}
}  // namespace

Outcome ChangeAddressAt(image::HandsetImage& image, Address place, std::string_view newAddress) {
  if (newAddress.empty()) return Outcome::Failure(msg::kEnterOffset);
  const StoredAddress stored = StoredAddressOf(newAddress);
  Outcome copied = image.CopyIntoImage(stored, place, kStoredAddressSize, {"Adresse", true});
  if (!copied.ok) return copied;
  return Outcome::Success(msg::kFileModified);
}

Outcome ChangeAddress(image::HandsetImage& image, const PlaceList& places, std::string_view newAddress) {
  if (newAddress.empty()) return Outcome::Failure(msg::kEnterOffset);
  const std::optional<Address> place = places.FirstTickedPlace();
  if (!place) return Outcome::Failure(msg::kSelectRows, "no place is ticked");
  return ChangeAddressAt(image, *place, newAddress);
}

std::vector<int> MissingOffsetFields(std::string_view newAddress, std::string_view newSize) {
  std::vector<int> messages;
  if (newAddress.empty()) messages.push_back(msg::kEnterOffset);
  if (newSize.empty()) messages.push_back(msg::kEnterToneSize);
  return messages;
}

std::optional<Length> DecimalSizeOf(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxAddress) return std::nullopt;
  }
  return static_cast<Length>(value);
}

Outcome WriteOffsetPatch(Address place, std::string_view newAddress, std::string_view newSize,
                         std::string_view out) {
  if (const auto missing = MissingOffsetFields(newAddress, newSize); !missing.empty()) {
    return Outcome::Failure(missing.front());
  }
  const std::optional<Length> size = DecimalSizeOf(newSize);
  if (!size) {
    Outcome silent = Outcome::Silent();
    silent.detail = "size \"" + std::string(newSize) + "\" is not a decimal number";
    return silent;
  }
  std::array<std::uint8_t, kToneEntrySize> entry{};
  const StoredAddress address = StoredAddressOf(newAddress);
  const StoredAddress sizeBytes = StoredAddressOf(image::HexPad(*size, 8));
  for (std::size_t i = 0; i < kStoredAddressSize; ++i) {
    entry[i] = address[i];
    entry[kToneEntrySizeOffset + i] = sizeBytes[i];
  }
  return WritePatch(entry, place, out);
}

Outcome WritePictureOffsetPatch(Address recordPlace, std::string_view newAddress, std::string_view out) {
  if (newAddress.empty()) return Outcome::Failure(msg::kEnterOffset);
  const StoredAddress address = StoredAddressOf(newAddress);
  return WritePatch(address, std::int64_t{recordPlace} + kPictureRecordAddressOffset, out);
}

}  // namespace korvana::tools
