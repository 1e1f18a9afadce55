#pragma once
// Operations on a whole BMP file held in memory, shared by the decoders and
// the picture replacement editor. Each one checks the header first and
// refuses (returns false or nothing, bytes unchanged) a BMP it cannot handle
// rather than read or write outside the buffer; pixel bytes that a short
// file lacks read as zero.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "image/outcome.h"

namespace korvana::pictures {

// The 16-bit layout of a BMP, as ReadBmpInfo reports it; for bit counts
// other than 16 the value is the bit count itself.
inline constexpr int kBmp16Layout565 = 565;  // bit fields with red mask F800
inline constexpr int kBmp16Layout555 = 555;  // bit fields with red mask 7C00
inline constexpr int kBmp16LayoutPlain = 1;  // 16 bits without bit fields (which means 555)
inline constexpr int kBmp16LayoutUnknown = 0;  // bit fields with another red mask

// 16 bits: compression 3 gives 565 or 555 by the red mask's second byte
// (F8 or 7C, else 0); compression 0 gives 1. Other bit counts: the bit count.
[[nodiscard]] int Bmp16Layout(std::span<const std::uint8_t> bmp);

// Makes a 4-, 16- or 24-bit BMP 24-bit: new 54-byte header (compression 0),
// rows converted in their stored order and padded to the 24-bit row size.
// 16 bits: with the pixel data at 70 (masks present) the layout is 555 when
// the red mask's second byte is 7C and 565 otherwise; at any other offset
// 555. Each 5-bit component becomes round(c * 255 / 31) (565 keeps the upper
// five green bits). 4 bits: the palette entries between the headers and the
// pixels give blue, green, red; an index beyond the palette is black.
// 24 bits: unchanged. False (bytes unchanged) for a header shorter than 54
// bytes, another bit count, a negative or larger than kMaxPictureSide size.
bool ConvertBmpTo24(std::vector<std::uint8_t>& bmp);

// Reorders the pixels: mode 1 reverses the row order (upside down), mode 2
// reverses each row (mirror), mode 3 turns a quarter clockwise as displayed
// (new row k, in file order, is old column W-1-k from old row 0 up), mode 4
// a quarter counter-clockwise (new row k is old column k from old row H-1
// down). The bytes before the pixel offset are kept; file size, width,
// height and pixel data size are written for the new layout. Works for 1, 4,
// 8, 16, 24 and 32 bits (pixels below 8 bits are packed high bits first).
// False (bytes unchanged) for another mode or bit count, a pixel offset
// inside the 54 header bytes or past the end, or a negative or larger than
// kMaxPictureSide size.
bool TransformBmp(std::vector<std::uint8_t>& bmp, int mode);

// Drops the headers and the row padding: each row, in file order,
// contributes its first ceil(width * bits / 8) bytes. Returns the number of
// bytes kept, which replace bmp; nothing (bmp unchanged) when the rows do not
// lie within the bytes or the sizes are out of range.
std::optional<std::int64_t> StripBmp(std::vector<std::uint8_t>& bmp, std::int64_t width, std::int64_t height,
                                     int bits);

struct BmpInfo {
  Outcome outcome;
  std::vector<std::uint8_t> bytes;  // the whole file
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bits = 0;
  int layout = kBmp16LayoutUnknown;  // Bmp16Layout
  int headerSize = 0;                // byte 14: 40 for the usual header
};

// Largest BMP file that is read.
inline constexpr std::int64_t kMaxBmpFileSize = 64 * 1024 * 1024;

// Reads a user's BMP. Fails with message 1 for an empty file and with
// message 37 for a file that cannot be read, is larger than kMaxBmpFileSize,
// is shorter than the 54 header bytes or does not start with "BM".
[[nodiscard]] BmpInfo ReadBmpInfo(std::string_view path);
[[nodiscard]] BmpInfo ReadBmpInfoFromBytes(std::vector<std::uint8_t> bytes);

}  // namespace korvana::pictures
