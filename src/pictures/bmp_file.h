#pragma once
// The Windows BMP file as the picture code reads and writes it: a 14-byte
// file header and a 40-byte information header, all numbers little-endian,
// then palette or bit masks, then the pixel rows, each padded with zero bytes
// to a multiple of 4. A positive height stores the rows bottom-up.

#include <cstdint>
#include <span>
#include <vector>

namespace korvana::pictures {

// Byte offsets of the header fields.
inline constexpr std::size_t kBmpFileSizeAt = 2;
inline constexpr std::size_t kBmpPixelOffsetAt = 10;
inline constexpr std::size_t kBmpInfoSizeAt = 14;
inline constexpr std::size_t kBmpWidthAt = 18;
inline constexpr std::size_t kBmpHeightAt = 22;
inline constexpr std::size_t kBmpPlanesAt = 26;
inline constexpr std::size_t kBmpBitCountAt = 28;
inline constexpr std::size_t kBmpCompressionAt = 30;
inline constexpr std::size_t kBmpImageSizeAt = 34;
inline constexpr std::size_t kBmpXResolutionAt = 38;
inline constexpr std::size_t kBmpYResolutionAt = 42;
// The second byte of the red mask of a 16-bit BMP with bit fields: F8 for
// 565, 7C for 555.
inline constexpr std::size_t kBmpRedMaskHighAt = 55;

inline constexpr std::size_t kBmpHeaderSize = 54;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
inline constexpr std::uint32_t kBmpPixelsPerMetre = 3780;  // 96 dpi
inline constexpr std::uint32_t kBmpCompressionNone = 0;
inline constexpr std::uint32_t kBmpCompressionBitFields = 3;

// Bytes of one stored pixel row: (width * bits + 31) / 32 * 4.
[[nodiscard]] constexpr std::int64_t BmpRowSize(std::int64_t width, std::int64_t bits) {
  return (width * bits + 31) / 32 * 4;
}

// The 54 header bytes of a BMP with `tableSize` bytes of palette or masks
// between the headers and `pixelDataSize` bytes of pixels.
[[nodiscard]] std::vector<std::uint8_t> BmpHeader(std::int64_t width, std::int64_t height, int bitCount,
                                                  std::uint32_t compression, std::size_t tableSize,
                                                  std::int64_t pixelDataSize);

// Little-endian fields; a field that lies beyond the bytes reads as 0.
[[nodiscard]] std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t at);
[[nodiscard]] std::uint16_t ReadLe16(std::span<const std::uint8_t> bytes, std::size_t at);
// Writes within bytes; a field that would pass the end is not written.
void WriteLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);
void AppendLe32(std::vector<std::uint8_t>& bytes, std::uint32_t value);

// The fields that the BMP operations work with.
struct BmpLayout {
  std::int64_t pixelOffset = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // signed: negative means top-down
  int bitCount = 0;
};
[[nodiscard]] BmpLayout ReadBmpLayout(std::span<const std::uint8_t> bytes);

}  // namespace korvana::pictures
