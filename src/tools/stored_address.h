#pragma once
// How the firmware stores what the address tools look for: a 32-bit address
// as four bytes, least significant first, and the picture directory record
// of width, height and data address.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvana::tools {

inline constexpr int kStoredAddressSize = 4;
using StoredAddress = std::array<std::uint8_t, kStoredAddressSize>;

// The stored form of an address text of up to eight hex digits: the text
// left-filled with "0" to eight characters, its pairs 7-8, 5-6, 3-4, 1-2 read
// as bytes (a character that is no hex digit reads as 0, so a "0x" in front
// is harmless; a character of several UTF-8 bytes is one character). Throws image::HexOverflow when a character before the last
// eight is a non-zero digit: that value does not fit into 32 bits, and
// dropping digits would store a different address.
[[nodiscard]] StoredAddress StoredAddressOf(std::string_view text);

// The width and height of a picture as the picture list shows them, "W*H".
struct PictureDimensions {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// Splits text at the first "*" and reads each side leniently as a decimal
// number, rounded to a whole one (as the picture list's readers do). Nothing
// for a text without "*" or a side too large to be a number of pixels.
[[nodiscard]] std::optional<PictureDimensions> DimensionsOf(std::string_view text);

// The picture directory record: width (2 bytes), height (2 bytes) and data
// address (4 bytes), every number least significant byte first.
inline constexpr int kPictureRecordSize = 8;
inline constexpr int kPictureRecordAddressOffset = 4;
using PictureRecord = std::array<std::uint8_t, kPictureRecordSize>;

// The record for these dimensions and stored address; nothing when a side
// lies outside 0..65535 and so cannot stand in the record's 16-bit fields.
[[nodiscard]] std::optional<PictureRecord> PictureRecordOf(const PictureDimensions& dimensions,
                                                           const StoredAddress& address);

}  // namespace korvana::tools
