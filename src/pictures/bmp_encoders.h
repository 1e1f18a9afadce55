#pragma once
// The colour reduction and packing that turn a BMP held in memory into the
// stored layouts of depths 8, 12, 16 and 1 (see stored_picture_format.h).
//
// Source pixels are read from the BMP's own pixel offset (bytes 10..13) in
// rows of (width * bits + 31) / 32 * 4 bytes, in the order the buffer holds
// them: the editor reverses a bottom-up BMP with TransformBmp mode 1 first,
// so that the top row comes first. Sources:
//   24 bits  blue, green, red bytes; channels 0..255
//   32 bits  blue, green, red and an unused byte; channels 0..255
//   16 bits  a little-endian word, 5-6-5 when Bmp16Layout says 565, else
//            5-5-5 (bit 15 unused); green of 5-6-5 keeps its upper five bits;
//            channels 0..31
//   8 bits   an index into the palette that lies between the end of the
//            information header (14 + header size) and the pixel offset,
//            4 bytes an entry (blue, green, red, unused); channels 0..255
// Every target channel is round(c / m * t) for the source maximum m and the
// target maximum t; each pixel is reduced on its own, without dithering.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvana::pictures {

// What the three converters leave in the buffer: a 70-byte BMP header
// (pixel offset 70, information header 40, compression 3, the masks F800
// 07E0 001F and a zero word whatever the target bits) followed by the rows in
// the source's order, each padded with zeros to (width * bits + 31) / 32 * 4
// bytes, bits being 8, 12 or 16. StripBmp then cuts the header and padding.
inline constexpr std::size_t kWorkingBitmapHeaderSize = 70;

// Pixels as 16-bit words, low byte first: r * 2048 + g * 64 + b, with green
// reduced to five bits in the upper five bits of its field (bit 5 is 0).
// White is DF FF.
bool ConvertBmpTo16(std::vector<std::uint8_t>& bmp);
// One byte a pixel: blue 7 levels in bits 7..5, green in 4..2, red 3 levels
// in 1..0. Red is 03, green 1C, blue E0.
bool ConvertBmpTo8(std::vector<std::uint8_t>& bmp);
// 4 bits a channel, pixel pairs (p, q) as the bytes Rp Gp, Bp Rq, Gq Bq;
// ceil(1.5 * width) bytes a row. The low nibble of an odd row's last byte is
// filler: the red of the source position after the row's last pixel where
// the source row's padding holds it, else 0.
bool ConvertBmpTo12(std::vector<std::uint8_t>& bmp);
// The three converters return false and leave the buffer unchanged for a
// bit count other than 8, 16, 24 and 32, a negative or too large size, rows
// that do not lie within the buffer, or an 8-bit index beyond the palette.

// The vertical pages of depth 1 from a 1-bit BMP (rows top first after
// TransformBmp mode 1): ceil(height / 8) pages of width bytes; bit j of byte
// x of page p is column x of row 8p + j, set for black. Black is the darker
// of the two palette entries (entry 0 when the palette is missing or both
// are equally bright), so a BMP whose entry 0 is white is not inverted. Bits
// of rows past the height, and of pixels a truncated file lacks, are clear.
// Nothing for a BMP that is not 1-bit or whose size is negative or too large.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> EncodeMonoPicture(std::span<const std::uint8_t> bmp);

}  // namespace korvana::pictures
