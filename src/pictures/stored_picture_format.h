#pragma once
// How the firmware stores its pictures, and the decoders that turn one
// stored frame into the bytes of a BMP file. These layouts are the contract
// with the encoders: a frame decoded here and encoded there comes back as
// the same bytes.
//
// Every layout runs from the top row to the bottom, pixels left to right,
// starting exactly at the frame's address, with no header:
//
//   depth 1   W * ceil(H / 8) bytes of vertical pages: byte p * W + x holds
//             column x of rows 8p .. 8p + 7, bit j (bit 0 lowest) being row
//             8p + j; a set bit is black. Bits of rows at or past H are
//             ignored.
//   depth 4   W / 2 bytes a row, high nibble first; a nibble indexes the
//             16-colour palette of "16.dat".
//   depth 8   one byte a pixel: bits 7..5 blue, 4..2 green, 1..0 red.
//   depth 12  ceil(1.5 * W) bytes a row, each row on a byte boundary; three
//             bytes b0 b1 b2 carry two pixels: R = b0 high, G = b0 low, B = b1
//             high; then R = b1 low, G = b2 high, B = b2 low. An odd row ends
//             with a half-used group.
//   depth 16  one word a pixel, low byte first: red 15..11, green 10..5,
//             blue 4..0.
//   depth 24  three bytes a pixel: blue, green, red.
//   "16*"     compressed: byte 0 is not read (the encoder writes 9), byte 1
//             is N, then N palette words (as depth 16), then codes c, each
//             followed by its operands:
//               00..3F  c literal pixels, 2c bytes of words
//               40..7F  c-64 pixels from the palette, one index byte each
//               80..BF  a run of c-128 pixels of one word (2 bytes)
//               C0..FF  a run of c-192 pixels of one palette colour (1 byte)
//             Pixels fill the rows with no gap at row ends; a count of 0
//             draws nothing. The word 0001 is drawn as FFFF (white) wherever
//             it comes from. There is no end code: decoding stops when the
//             picture is full or the codes reach the end of the image (the
//             stream may be longer than a 16-bit frame of the picture).
//
// The BMPs produced: DecodeMonoPicture writes a 1-bit BMP (palette entry 0
// black 00 00 00 00, entry 1 white FF FF FF 00, pixels at 62); the other
// decoders write a 24-bit BMP (compression 0, pixels at 54). Rows are stored
// bottom-up (positive height) so that the picture shows upright; rows are
// padded to a multiple of 4 bytes; both resolutions are 3780 pixels per metre.
// The decoders read only within the image: bytes beyond its ends read as 0.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "pictures/picture_entry.h"

namespace korvana::pictures {

// The 16 colours of depth-4 pictures, 4 bytes each: blue, green, red, 0.
using Palette16 = std::array<std::uint8_t, 64>;

// "16.dat" in folder: up to 64 bytes, the rest zero. Where folder has no
// such file, the one in fallbackFolder (the executable's folder, which ships
// it, when settings live elsewhere); with neither the palette is black.
[[nodiscard]] Palette16 LoadPalette16(std::string_view folder, std::string_view fallbackFolder = {});

enum class DecodeError {
  kNone,
  kUnsupportedDepth,  // DecodePicture with a depth other than 4, 8, 12, 16, 24
  kTooLarge,          // a negative size or a side beyond kMaxPictureSide
};

struct DecodedBmp {
  std::vector<std::uint8_t> bytes;  // the whole BMP file
  DecodeError error = DecodeError::kNone;
  [[nodiscard]] bool Ok() const { return error == DecodeError::kNone; }
};

// One frame of depth 4, 8, 12, 16 or 24 as a 24-bit BMP. Depths 4 and 16
// are first laid out as a 4-bit BMP with the palette and a 16-bit BMP with
// the masks F800 07E0 001F, then converted with ConvertBmpTo24; 8 and 12
// become 24 bits directly: the 3-bit levels as round(v * 255 / 7), the 2-bit
// red as round(v * 255 / 3), the 4-bit levels of depth 12 as v * 17. The
// rows are then reversed with TransformBmp mode 1. For odd widths at depth 4
// the row copy keeps the firmware tool's rounding (half-byte positions
// rounded half to even).
[[nodiscard]] DecodedBmp DecodePicture(std::span<const std::uint8_t> image, std::int64_t address, std::int64_t width,
                                       std::int64_t height, std::int64_t depth, const Palette16& palette);

// One frame of depth 1 as a 1-bit BMP.
[[nodiscard]] DecodedBmp DecodeMonoPicture(std::span<const std::uint8_t> image, std::int64_t address,
                                           std::int64_t width, std::int64_t height);

// One compressed frame as a 24-bit BMP (through a 16-bit 565 BMP).
[[nodiscard]] DecodedBmp DecodeCompressedPicture(std::span<const std::uint8_t> image, std::int64_t address,
                                                 std::int64_t width, std::int64_t height);

// Frame frameIndex (from 0) of a picture with the decoder its depth asks
// for: compressed, depth 1, or DecodePicture with the depth.
[[nodiscard]] DecodedBmp DecodeFrame(std::span<const std::uint8_t> image, const PictureShape& shape,
                                     std::int64_t frameIndex, const Palette16& palette);

}  // namespace korvana::pictures
