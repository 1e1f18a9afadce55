#pragma once
// A user's BMP made ready for the firmware: the checks that refuse a file
// the encoders cannot read truthfully, and the steps that turn a BMP into
// the stored bytes of one frame of a given depth.
//
//   depth 1       1-bit BMP; rows reversed (top first); EncodeMonoPicture
//   depth 8, 12   8-, 16- or 24-bit BMP; rows reversed; ConvertBmpTo8 / 12;
//                 StripBmp
//   depth 16      as 8; ConvertBmpTo16 unless the BMP is 16-bit 565 already
//   depth 24      24-bit BMP; rows reversed; StripBmp
//   "16*"         8-, 16-, 24- or 32-bit BMP; ConvertBmpTo16 unless 565
//                 already; rows reversed; StripBmp; CompressPicture

#include <cstdint>
#include <span>
#include <vector>

#include "image/outcome.h"
#include "image/types.h"

namespace korvana::pictures {

// Checks a BMP file's header against its length and what the encoders read.
// Message 37 for: fewer than 54 bytes or no "BM"; an information header
// shorter than 40 bytes or reaching past the pixel offset; planes other than
// 1; a bit count other than 1, 4, 8, 16, 24, 32; compression other than none
// (or bit fields at 16 and 32 bits), so RLE, JPEG and PNG BMPs; a width or
// height of 0 or beyond kMaxPictureSide; pixel rows that do not fit in the
// file; bit fields with the pixels where their masks should be. Message 34
// for bit fields whose masks are neither 5-6-5 nor 5-5-5 (16 bits) or 8-8-8
// (32 bits). Success has no message.
[[nodiscard]] Outcome CheckUserBmp(std::span<const std::uint8_t> bmp);

// Stores the rows of a top-down BMP (negative height) bottom-up with a
// positive height, as every BMP operation expects; other BMPs are left as
// they are. Call after CheckUserBmp.
void MakeBottomUp(std::vector<std::uint8_t>& bmp);

struct EncodedPicture {
  Outcome outcome;
  std::vector<std::uint8_t> bytes;  // the stored frame
};

// The stored bytes of a checked bottom-up BMP at depth 1, 8, 12, 16 or 24,
// uncompressed. Message 34 for another depth or a BMP of a bit count that
// depth does not take; 36 when a converter fails.
[[nodiscard]] EncodedPicture EncodeBmp(std::vector<std::uint8_t> bmp, std::int64_t depth);

// The 16-bit pixels (top row first, no padding) of a checked bottom-up BMP,
// as the compressed form takes them. Message 34 for a 1- or 4-bit BMP, 36
// when the conversion fails.
[[nodiscard]] EncodedPicture PixelsForCompression(std::vector<std::uint8_t> bmp);

// The stored "16*" frame of a checked bottom-up BMP: PixelsForCompression,
// then CompressPicture with its progress (a stop gives a silent failure).
[[nodiscard]] EncodedPicture EncodeCompressedBmp(std::vector<std::uint8_t> bmp, const ProgressFn& progress);

}  // namespace korvana::pictures
